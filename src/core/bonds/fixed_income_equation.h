#pragma once

// TequFixedIncome: the security formulas of the bond calculator. Coupon bonds
// (price, yield by a secant search, accrued interest, durations, the price
// sensitivity), discounted and zero-coupon securities, securities that pay
// their interest at maturity (certificates of deposit) and Treasury bills.
//
// Argument conventions:
// - dates are day numbers: settlement, maturity, call and issue dates;
// - basis is a BondDayCountBases position: 0 30/360 NASD, 1 Act/360,
//   2 Act/365, 3 Act/Act, 4 30/360 European, 5 Old European;
// - frequency is the coupon frequency as a compounding position 6..10
//   (monthly .. annually), m the coupons per year;
// - rates and yields are fractions (0.05 for 5%); prices and redemption
//   values are amounts, usually per 100 of par.
//
// Coupon periods step back from maturity in whole coupon periods. A
// settlement on a coupon date (before maturity) starts a new period: the
// coupon of that day has been paid, nothing has accrued, and the coupons
// still to come are the ones after it.
//
// Failures raise EFinanceException: 419 for dates out of sequence (or a term
// that counts zero days under its basis), 420 for zero or negative amounts,
// 421 for a T-bill term over one year, 415 when the yield search fails, 417
// for a zero discount rate in the bond-equivalent yield, 426 for a date that
// is not a calendar date and 427 for a result too large to show. A basis or
// frequency outside its list throws std::out_of_range. No input gives a NaN
// or an infinity.

#include <cstdint>

#include "core/foundation/date_math.h"
#include "core/foundation/global_types.h"

namespace quandrel {

// The coupon period that holds a settlement date, and the coupons still due.
struct BondCouponPeriod {
  DayNumber Previous = BadDate;  // the last coupon date on or before settlement
  DayNumber Next = BadDate;      // the first coupon date after settlement
  std::int32_t Remaining = 0;    // coupon dates after settlement up to and including maturity
};

class TequFixedIncome {
 public:
  // The step and tolerance of the yield search and its round limit.
  static constexpr Extended kYieldStep = 0.00001L;
  static constexpr Extended kYieldTolerance = 0.00001L;
  static constexpr int kYieldRoundLimit = 100;

  // ---- Coupon bonds ----
  // The coupon period of `settlement` for a bond maturing on `maturity`. On a
  // coupon date before maturity the period starts that day; at maturity it is
  // the final period. Raises 426 for a bad date, or when the period would
  // start before the calendar's first day.
  BondCouponPeriod CouponPeriod(DayNumber settlement, DayNumber maturity, int frequency) const;

  // Price including accrued interest of a bond with redemption value RV,
  // coupon rate c and annual yield y (compounded m times a year).
  Extended DirtyPrice(DayNumber settlement, DayNumber maturity, int basis, int frequency, Extended redemption,
                      Extended yield, Extended couponRate) const;
  // DirtyPrice minus the accrued interest RV * c * t(previous coupon, S).
  // 419 when S >= M; 420 when y < 0, c < 0 or RV <= 0.
  Extended CleanPrice(DayNumber settlement, DayNumber maturity, int basis, int frequency, Extended redemption,
                      Extended yield, Extended couponRate) const;
  // The annual yield at which CleanPrice equals `price`. 419 when S >= M; 420
  // when price <= 0, c < 0 or RV <= 0; 415 when the search does not converge.
  Extended YieldToMaturity(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                           Extended redemption, Extended price, Extended couponRate) const;
  // YieldToMaturity to the call date, redeemed at the call price.
  Extended YieldToCall(DayNumber settlement, DayNumber callDate, int basis, int frequency, Extended callPrice,
                       Extended price, Extended couponRate) const;
  // RV * c * t(max(previous coupon, I), S). `maturity` names the coupon
  // series; a settlement on maturity accrues the final period. 419 when
  // I >= S or S > M; 420 when RV <= 0 or c <= 0.
  Extended AccruedInterest(DayNumber issue, DayNumber settlement, int basis, int frequency,
                           Extended redemption, Extended couponRate, DayNumber maturity) const;
  // Durations in years, from the price per 100 and its change over a yield
  // step of 0.00001. 419 when S >= M; 420 when y < 0 or c < 0.
  Extended MacaulayDuration(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                            Extended yield, Extended couponRate) const;
  Extended ModifiedDuration(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                            Extended yield, Extended couponRate) const;
  // The fraction by which the price moves when the yield changes by
  // `basisPoints` hundredths of a percent: -modifiedDuration * bp / 10000.
  static Extended PriceSensitivity(Extended basisPoints, Extended modifiedDuration);
  // c * RV / price; 420 when price <= 0.
  static Extended CurrentYield(Extended price, Extended couponRate, Extended redemption);

  // ---- Discounted and zero-coupon securities ----
  // RV - d * RV * days / L, L = 360 or 365 by basis. 419 when S >= M; 420
  // when RV <= 0 or d <= 0; 427 when the discount leaves no positive price.
  Extended DiscountPrice(DayNumber settlement, DayNumber maturity, int basis, Extended redemption,
                         Extended discountRate) const;
  // (RV - price) / (RV * t(S, M)) and (RV - price) / (price * t(S, M)). 419
  // when S >= M; 420 when RV <= 0 or price <= 0.
  Extended DiscountRate(DayNumber settlement, DayNumber maturity, int basis, Extended redemption,
                        Extended price) const;
  Extended DiscountYield(DayNumber settlement, DayNumber maturity, int basis, Extended redemption,
                         Extended price) const;

  // ---- Securities paying interest at maturity ----
  // The price per 100 at yield y of a security issued on I with rate c,
  // paying its interest at maturity. 419 when S < I or S >= M; 420 when
  // y < 0 or c < 0.
  Extended PriceAtMaturity(DayNumber settlement, DayNumber maturity, int basis, Extended yield,
                           Extended couponRate, DayNumber issue) const;
  // The yield of such a security at `price`. 419 when S < I or S >= M; 420
  // when price <= 0 or c < 0.
  Extended YieldAtMaturity(DayNumber issue, DayNumber settlement, int basis, Extended price,
                           Extended couponRate, DayNumber maturity) const;
  // t(a, b) * RV * c: interest accrued from a to b. 419 when a >= b; 420 when
  // RV <= 0 or c <= 0.
  Extended InterestToDate(DayNumber from, DayNumber to, int basis, Extended redemption,
                          Extended couponRate) const;

  // ---- Treasury bills (Act/360, T = days / 360) ----
  // (1 - d * T) * 100. 419 when S >= M; 421 when T > 1.017; 420 when d <= 0;
  // 427 when the discount leaves no positive price.
  Extended TBillPrice(DayNumber settlement, DayNumber maturity, Extended discountRate) const;
  // (100 - price) / price / T; 420 when price <= 0.
  Extended TBillYield(DayNumber settlement, DayNumber maturity, Extended price) const;
  // d * 365/360 / (1 - d * T); 417 when d <= 0.
  Extended TBillEquivalentYield(DayNumber settlement, DayNumber maturity, Extended discountRate) const;

 private:
  // Year fraction from a to b under `basis`; an Act/Act year is the actual
  // length of `period` times the coupons per year.
  Extended YearFraction(DayNumber a, DayNumber b, int basis, const BondCouponPeriod& period,
                        int couponsPerYear) const;
  // The dirty and clean price with the coupon period already found.
  Extended DirtyPriceIn(const BondCouponPeriod& period, DayNumber settlement, int basis, int frequency,
                        Extended redemption, Extended yield, Extended couponRate) const;
  Extended CleanPriceIn(const BondCouponPeriod& period, DayNumber settlement, int basis, int frequency,
                        Extended redemption, Extended yield, Extended couponRate) const;
  // The T-bill term in years after the date checks (419, 421).
  Extended TBillTerm(DayNumber settlement, DayNumber maturity) const;

  TcalcDateMath m_dateMath;
};

}  // namespace quandrel
