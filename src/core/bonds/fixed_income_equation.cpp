#include "core/bonds/fixed_income_equation.h"

#include <cmath>

#include "core/finance/finance_exception.h"
#include "core/finance/power_equation.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

// BondDayCountBases positions this file tells apart.
constexpr int kBasisAct360 = 1;
constexpr int kBasisAct365 = 2;
constexpr int kBasisActAct = 3;

// The discount, certificate and T-bill formulas count their Act/Act year as
// one annual period counted back from maturity.
constexpr int kAnnualPeriods = compounding::Annually;

// The longest T-bill term, in Act/360 years.
constexpr Extended kTBillLongestTerm = 1.017L;
// 365 / 360, the bond-equivalent factor of a T-bill discount.
constexpr Extended kBondEquivalentFactor = 1.0138888888888888889L;

void RequireCalendarDate(DayNumber date) {
  if (!IsValidDate(date))
    RaiseFinanceError(426);
}

// Dates first (426, then 419 when `first` is not before `second`).
void RequireDatesInOrder(DayNumber first, DayNumber second) {
  RequireCalendarDate(first);
  RequireCalendarDate(second);
  if (first >= second)
    RaiseFinanceError(419);
}

// Amounts: a NaN or an infinity is as illegal as a zero.
void RequirePositive(Extended x) {
  if (!std::isfinite(x) || x <= 0)
    RaiseFinanceError(420);
}
void RequireNotNegative(Extended x) {
  if (!std::isfinite(x) || x < 0)
    RaiseFinanceError(420);
}

// A result that overflowed is refused rather than shown.
Extended Checked(Extended x) {
  if (!std::isfinite(x))
    RaiseFinanceError(427);
  return x;
}

// Looks the basis up in its table so that a damaged position throws
// std::out_of_range before any arithmetic; gives the year length.
int CheckedBasis(int basis) {
  return BondYearLength(basis);
}

// (1 - v^n) / r with v = 1 / (1 + r): the value of n coupons of 1 paid one
// per period after the first. Computed without the cancellation of 1 - v^n
// at small rates; n at a zero rate.
Extended AnnuityFactor(std::int32_t n, Extended r) {
  if (r == 0)
    return static_cast<Extended>(n);
  return -std::expm1(-static_cast<Extended>(n) * std::log1p(r)) / r;
}

}  // namespace

// ---- Coupon bonds -----------------------------------------------------------

BondCouponPeriod TequFixedIncome::CouponPeriod(DayNumber settlement, DayNumber maturity,
                                               int frequency) const {
  CouponsPerYear(frequency);  // a frequency outside its table throws here
  RequireCalendarDate(settlement);
  RequireCalendarDate(maturity);
  BondCouponPeriod period;
  period.Previous = m_dateMath.PreviousCouponDate(settlement, maturity, frequency);
  period.Next = m_dateMath.NextCouponDate(settlement, maturity, frequency);
  period.Remaining = m_dateMath.CouponsBetween(settlement, maturity, frequency);
  // The date rules count a settlement on a coupon date as the last day of the
  // period that ends there, coupon still to come. That coupon is paid on the
  // settlement date: the new period starts that day.
  if (settlement < maturity && period.Next == settlement) {
    period.Previous = settlement;
    period.Next = m_dateMath.NextCouponDate(settlement + 1, maturity, frequency);
  }
  // Near the first day of the calendar the period can start before it.
  if (period.Previous == BadDate || period.Next == BadDate)
    RaiseFinanceError(426);
  return period;
}

Extended TequFixedIncome::YearFraction(DayNumber a, DayNumber b, int basis, const BondCouponPeriod& period,
                                       int couponsPerYear) const {
  const auto days = static_cast<Extended>(m_dateMath.BondDays(a, b, basis));
  switch (basis) {
    case kBasisAct365:
      return days / 365;
    case kBasisActAct:
      return days / (static_cast<Extended>(period.Next - period.Previous) * couponsPerYear);
    default:
      return days / 360;
  }
}

Extended TequFixedIncome::DirtyPriceIn(const BondCouponPeriod& period, DayNumber settlement, int basis,
                                       int frequency, Extended redemption, Extended yield,
                                       Extended couponRate) const {
  const int m = CouponsPerYear(frequency);
  const auto perYear = static_cast<Extended>(m);
  // The fraction of a coupon period from settlement to the next coupon.
  const Extended w = perYear * YearFraction(settlement, period.Next, basis, period, m);
  const Extended r = yield / perYear;
  const Extended v = 1 / (1 + r);
  const Extended a = TequPower::Power(w, v);
  const Extended b = TequPower::Power(static_cast<Extended>(period.Remaining - 1), v);
  const Extended coupon = redemption * couponRate / perYear;
  return Checked(a * (coupon + coupon * AnnuityFactor(period.Remaining - 1, r) + redemption * b));
}

Extended TequFixedIncome::CleanPriceIn(const BondCouponPeriod& period, DayNumber settlement, int basis,
                                       int frequency, Extended redemption, Extended yield,
                                       Extended couponRate) const {
  const Extended accrued =
      redemption * couponRate *
      YearFraction(period.Previous, settlement, basis, period, CouponsPerYear(frequency));
  return Checked(DirtyPriceIn(period, settlement, basis, frequency, redemption, yield, couponRate) - accrued);
}

Extended TequFixedIncome::DirtyPrice(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                                     Extended redemption, Extended yield, Extended couponRate) const {
  CheckedBasis(basis);
  CouponsPerYear(frequency);
  RequireDatesInOrder(settlement, maturity);
  RequireNotNegative(yield);
  RequireNotNegative(couponRate);
  RequirePositive(redemption);
  const BondCouponPeriod period = CouponPeriod(settlement, maturity, frequency);
  return DirtyPriceIn(period, settlement, basis, frequency, redemption, yield, couponRate);
}

Extended TequFixedIncome::CleanPrice(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                                     Extended redemption, Extended yield, Extended couponRate) const {
  CheckedBasis(basis);
  CouponsPerYear(frequency);
  RequireDatesInOrder(settlement, maturity);
  RequireNotNegative(yield);
  RequireNotNegative(couponRate);
  RequirePositive(redemption);
  const BondCouponPeriod period = CouponPeriod(settlement, maturity, frequency);
  return CleanPriceIn(period, settlement, basis, frequency, redemption, yield, couponRate);
}

Extended TequFixedIncome::YieldToMaturity(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                                          Extended redemption, Extended price, Extended couponRate) const {
  CheckedBasis(basis);
  CouponsPerYear(frequency);
  RequireDatesInOrder(settlement, maturity);
  RequirePositive(price);
  RequireNotNegative(couponRate);
  RequirePositive(redemption);
  // The coupon dates do not change between rounds: find them once.
  const BondCouponPeriod period = CouponPeriod(settlement, maturity, frequency);
  const auto clean = [&](Extended y) {
    return CleanPriceIn(period, settlement, basis, frequency, redemption, y, couponRate);
  };

  // A secant search on the clean price, its slope taken over a fixed step.
  Extended y0 = couponRate > 0 ? couponRate : 0.001L;
  Extended y1 = y0;
  int round = 0;
  for (;;) {
    const Extended p0 = clean(y0);
    const Extended slope = clean(y0 + kYieldStep) - p0;
    if (slope != 0) {
      y1 = y0 - (p0 - price) * kYieldStep / slope;
    } else {
      round = kYieldRoundLimit;  // a flat price gives no direction to search in
    }
    // A slope too flat to divide by sends the yield off the number line.
    if (!std::isfinite(y1))
      round = kYieldRoundLimit;
    ++round;
    if (round > kYieldRoundLimit || std::fabs(y1 - y0) < kYieldTolerance)
      break;
    y0 = y1 > 0 ? y1 : 0.001L;
  }
  // Not converged, or converged on a price that only a negative yield gives.
  if (round > kYieldRoundLimit || y1 < 0)
    RaiseFinanceError(415);
  return y1;
}

Extended TequFixedIncome::YieldToCall(DayNumber settlement, DayNumber callDate, int basis, int frequency,
                                      Extended callPrice, Extended price, Extended couponRate) const {
  return YieldToMaturity(settlement, callDate, basis, frequency, callPrice, price, couponRate);
}

Extended TequFixedIncome::AccruedInterest(DayNumber issue, DayNumber settlement, int basis, int frequency,
                                          Extended redemption, Extended couponRate,
                                          DayNumber maturity) const {
  CheckedBasis(basis);
  const int m = CouponsPerYear(frequency);
  RequireDatesInOrder(issue, settlement);
  RequireCalendarDate(maturity);
  // After maturity there is no coupon period left to accrue in.
  if (settlement > maturity)
    RaiseFinanceError(419);
  RequirePositive(redemption);
  RequirePositive(couponRate);
  const BondCouponPeriod period = CouponPeriod(settlement, maturity, frequency);
  const DayNumber from = period.Previous > issue ? period.Previous : issue;
  return Checked(redemption * couponRate * YearFraction(from, settlement, basis, period, m));
}

Extended TequFixedIncome::MacaulayDuration(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                                           Extended yield, Extended couponRate) const {
  CheckedBasis(basis);
  const auto perYear = static_cast<Extended>(CouponsPerYear(frequency));
  RequireDatesInOrder(settlement, maturity);
  RequireNotNegative(yield);
  RequireNotNegative(couponRate);
  const BondCouponPeriod period = CouponPeriod(settlement, maturity, frequency);
  const Extended price = DirtyPriceIn(period, settlement, basis, frequency, 100, yield, couponRate);
  if (price == 0)
    return 0;
  const Extended stepped =
      DirtyPriceIn(period, settlement, basis, frequency, 100, yield + kYieldStep, couponRate);
  return Checked(-((1 + yield / perYear) / price) * ((stepped - price) / kYieldStep));
}

Extended TequFixedIncome::ModifiedDuration(DayNumber settlement, DayNumber maturity, int basis, int frequency,
                                           Extended yield, Extended couponRate) const {
  const Extended macaulay = MacaulayDuration(settlement, maturity, basis, frequency, yield, couponRate);
  return macaulay / (1 + yield / static_cast<Extended>(CouponsPerYear(frequency)));
}

Extended TequFixedIncome::PriceSensitivity(Extended basisPoints, Extended modifiedDuration) {
  return Checked(-modifiedDuration * basisPoints / 10000);
}

Extended TequFixedIncome::CurrentYield(Extended price, Extended couponRate, Extended redemption) {
  RequirePositive(price);
  return Checked(couponRate * redemption / price);
}

// ---- Discounted and zero-coupon securities ----------------------------------

Extended TequFixedIncome::DiscountPrice(DayNumber settlement, DayNumber maturity, int basis,
                                        Extended redemption, Extended discountRate) const {
  const auto yearLength = static_cast<Extended>(CheckedBasis(basis));
  RequireDatesInOrder(settlement, maturity);
  RequirePositive(redemption);
  RequirePositive(discountRate);
  const auto days = static_cast<Extended>(m_dateMath.BondDays(settlement, maturity, basis));
  const Extended price = redemption - discountRate * redemption * days / yearLength;
  // A discount of the whole redemption value or more prices nothing.
  if (!(price > 0))
    RaiseFinanceError(427);
  return Checked(price);
}

Extended TequFixedIncome::DiscountRate(DayNumber settlement, DayNumber maturity, int basis,
                                       Extended redemption, Extended price) const {
  CheckedBasis(basis);
  RequireDatesInOrder(settlement, maturity);
  RequirePositive(redemption);
  RequirePositive(price);
  const BondCouponPeriod year = CouponPeriod(settlement, maturity, kAnnualPeriods);
  const Extended term = YearFraction(settlement, maturity, basis, year, 1);
  // 30/360 can count no days between the 30th and the 31st.
  if (term <= 0)
    RaiseFinanceError(419);
  return Checked((redemption - price) / (redemption * term));
}

Extended TequFixedIncome::DiscountYield(DayNumber settlement, DayNumber maturity, int basis,
                                        Extended redemption, Extended price) const {
  CheckedBasis(basis);
  RequireDatesInOrder(settlement, maturity);
  RequirePositive(redemption);
  RequirePositive(price);
  const BondCouponPeriod year = CouponPeriod(settlement, maturity, kAnnualPeriods);
  const Extended term = YearFraction(settlement, maturity, basis, year, 1);
  if (term <= 0)
    RaiseFinanceError(419);
  return Checked((redemption - price) / (price * term));
}

// ---- Securities paying interest at maturity ----------------------------------

Extended TequFixedIncome::PriceAtMaturity(DayNumber settlement, DayNumber maturity, int basis, Extended yield,
                                          Extended couponRate, DayNumber issue) const {
  const auto yearLength = static_cast<Extended>(CheckedBasis(basis));
  RequireCalendarDate(issue);
  RequireDatesInOrder(settlement, maturity);
  if (settlement < issue)
    RaiseFinanceError(419);
  RequireNotNegative(yield);
  RequireNotNegative(couponRate);
  const auto settlementToMaturity = static_cast<Extended>(m_dateMath.BondDays(settlement, maturity, basis));
  const auto issueToMaturity = static_cast<Extended>(m_dateMath.BondDays(issue, maturity, basis));
  const auto issueToSettlement = static_cast<Extended>(m_dateMath.BondDays(issue, settlement, basis));
  return Checked((100 + couponRate * issueToMaturity / yearLength * 100) /
                     (1 + yield * settlementToMaturity / yearLength) -
                 couponRate * issueToSettlement / yearLength * 100);
}

Extended TequFixedIncome::YieldAtMaturity(DayNumber issue, DayNumber settlement, int basis, Extended price,
                                          Extended couponRate, DayNumber maturity) const {
  CheckedBasis(basis);
  RequireCalendarDate(issue);
  RequireDatesInOrder(settlement, maturity);
  if (settlement < issue)
    RaiseFinanceError(419);
  RequirePositive(price);
  RequireNotNegative(couponRate);
  const BondCouponPeriod year = CouponPeriod(settlement, maturity, kAnnualPeriods);
  const Extended issueToMaturity = YearFraction(issue, maturity, basis, year, 1);
  const Extended issueToSettlement = YearFraction(issue, settlement, basis, year, 1);
  const Extended settlementToMaturity = YearFraction(settlement, maturity, basis, year, 1);
  if (settlementToMaturity <= 0)
    RaiseFinanceError(419);
  return Checked(
      ((1 + couponRate * issueToMaturity) * 100 / (price + issueToSettlement * couponRate * 100) - 1) /
      settlementToMaturity);
}

Extended TequFixedIncome::InterestToDate(DayNumber from, DayNumber to, int basis, Extended redemption,
                                         Extended couponRate) const {
  CheckedBasis(basis);
  RequireDatesInOrder(from, to);
  RequirePositive(redemption);
  RequirePositive(couponRate);
  // The Act/Act year is the annual period, counted back from `to`, that holds `from`.
  const BondCouponPeriod year = CouponPeriod(from, to, kAnnualPeriods);
  return Checked(YearFraction(from, to, basis, year, 1) * redemption * couponRate);
}

// ---- Treasury bills -------------------------------------------------------------

Extended TequFixedIncome::TBillTerm(DayNumber settlement, DayNumber maturity) const {
  RequireDatesInOrder(settlement, maturity);
  const Extended term = static_cast<Extended>(m_dateMath.BondDays(settlement, maturity, kBasisAct360)) / 360;
  if (term > kTBillLongestTerm)
    RaiseFinanceError(421);
  return term;
}

Extended TequFixedIncome::TBillPrice(DayNumber settlement, DayNumber maturity, Extended discountRate) const {
  const Extended term = TBillTerm(settlement, maturity);
  RequirePositive(discountRate);
  const Extended price = (1 - discountRate * term) * 100;
  if (!(price > 0))
    RaiseFinanceError(427);
  return Checked(price);
}

Extended TequFixedIncome::TBillYield(DayNumber settlement, DayNumber maturity, Extended price) const {
  const Extended term = TBillTerm(settlement, maturity);
  RequirePositive(price);
  return Checked((100 - price) / price / term);
}

Extended TequFixedIncome::TBillEquivalentYield(DayNumber settlement, DayNumber maturity,
                                               Extended discountRate) const {
  const Extended term = TBillTerm(settlement, maturity);
  if (!std::isfinite(discountRate) || discountRate <= 0)
    RaiseFinanceError(417);
  const Extended remaining = 1 - discountRate * term;
  // A discount that leaves no price has no equivalent yield.
  if (!(remaining > 0))
    RaiseFinanceError(427);
  return Checked(discountRate * kBondEquivalentFactor / remaining);
}

}  // namespace quandrel
