#include "core/bonds/fixed_income_equation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

#include "core/finance/finance_test_support.h"
#include "core/foundation/date_arithmetic.h"

// Where the expected values come from:
// - "help": the worked examples of the common spreadsheet functions (PRICE,
//   YIELD, ACCRINT, DURATION, MDURATION, DISC, PRICEDISC, YIELDDISC, PRICEMAT,
//   YIELDMAT, TBILLPRICE, TBILLYIELD, TBILLEQ, ACCRINTM), recomputed by hand
//   to 40 digits from their published formulas (they agree with the rounded
//   help results);
// - "QuantLib": QuantLib 1.29 (Python), FixedRateBond on a backward schedule
//   from maturity with no calendar adjustment, face 100, yield compounded at
//   the coupon frequency, cash flows on the settlement date excluded;
//   Thirty360(USA) for 30/360 NASD, Thirty360(European) for 30/360 European
//   and ActualActual(ISMA) for Act/Act. Those conventions discount exactly
//   as our bond formulas do; the actual-day bases Act/360 and Act/365 do not
//   (QuantLib counts every period by its days) and are worked by hand;
// - "hand": computed to 40 digits from the rule stated beside the case.

namespace quandrel {
namespace {

using testing::FinanceErrorCode;

constexpr int kNasd = 0, kAct360 = 1, kAct365 = 2, kActAct = 3, kEuropean = 4, kOldEuropean = 5;
constexpr int kMonthly = 6, kQuarterly = 8, kSemiannual = 9, kAnnual = 10;

DayNumber Ymd(int year, int month, int day) {
  return DateFromDMY(day, month, year);
}

double D(Extended x) {
  return static_cast<double>(x);
}

// ---- Coupon bonds -----------------------------------------------------------

TEST(TequFixedIncomeBonds, MatchTheSpreadsheetHelpExamples) {
  const TequFixedIncome fi;
  // PRICE(15 Feb 2008, 15 Nov 2017, 5.75%, 6.5%, 100, 2, 0) = 94.63436.
  EXPECT_NEAR(D(fi.CleanPrice(Ymd(2008, 2, 15), Ymd(2017, 11, 15), kNasd, kSemiannual, 100, 0.065L, 0.0575L)),
              94.634361621322099, 1e-10);
  // YIELD(15 Feb 2008, 15 Nov 2016, 5.75%, 95.04287, 100, 2, 0) = 6.5%.
  EXPECT_NEAR(
      D(fi.YieldToMaturity(Ymd(2008, 2, 15), Ymd(2016, 11, 15), kNasd, kSemiannual, 100, 95.04287L, 0.0575L)),
      0.065000006880754611, 1e-9);
  // ACCRINT(1 Mar 2008, first coupon 31 Aug 2008, 1 May 2008, 10%, 1000, 2, 0)
  // = 16.666667: the previous coupon (29 Feb) is before issue, so interest
  // runs from issue.
  EXPECT_NEAR(D(fi.AccruedInterest(Ymd(2008, 3, 1), Ymd(2008, 5, 1), kNasd, kSemiannual, 1000, 0.10L,
                                   Ymd(2018, 8, 31))),
              1000 * 0.10 * 60 / 360, 1e-12);
  // Interest from the previous coupon when issue is earlier: 29 Feb to 1 May
  // is 62 days by 30/360 NASD.
  EXPECT_NEAR(D(fi.AccruedInterest(Ymd(2007, 1, 1), Ymd(2008, 5, 1), kNasd, kSemiannual, 1000, 0.10L,
                                   Ymd(2018, 8, 31))),
              1000 * 0.10 * 62 / 360, 1e-12);
}

TEST(TequFixedIncomeBonds, MatchQuantLibWhereTheDayCountAgrees) {
  struct Case {
    const char* name;
    DayNumber settlement, maturity;
    int basis, frequency;
    Extended coupon, yield;
    double clean, accrued;
  };
  const Case cases[] = {
      {"30/360 semiannual", Ymd(2010, 3, 10), Ymd(2025, 8, 15), kNasd, kSemiannual, 0.06L, 0.0725L,
       88.497643386737, 0.416666666667},
      {"Act/Act semiannual", Ymd(2010, 3, 10), Ymd(2025, 8, 15), kActAct, kSemiannual, 0.06L, 0.0725L,
       88.495688457336, 0.381215469613},
      {"30/360 European quarterly", Ymd(2010, 3, 10), Ymd(2025, 8, 15), kEuropean, kQuarterly, 0.06L, 0.0725L,
       88.445376708694, 0.416666666667},
      {"Act/Act annual", Ymd(2011, 6, 20), Ymd(2016, 9, 15), kActAct, kAnnual, 0.03L, 0.025L,
       102.419911017336, 2.284931506849},
      {"30/360 monthly", Ymd(2011, 6, 20), Ymd(2016, 9, 15), kNasd, kMonthly, 0.072L, 0.08L, 96.586646385519,
       0.100000000000},
      // The final period compounds like every other (the spreadsheet's
      // PRICE would discount it simply, to 99.621952324023).
      {"30/360 final period", Ymd(2019, 7, 1), Ymd(2019, 11, 15), kNasd, kSemiannual, 0.05L, 0.06L,
       99.630245276328, 0.638888888889},
      {"Act/Act final period", Ymd(2019, 7, 1), Ymd(2019, 11, 15), kActAct, kSemiannual, 0.05L, 0.06L,
       99.630189258186, 0.638586956522},
      {"30-year semiannual", Ymd(2010, 2, 15), Ymd(2040, 2, 15), kNasd, kSemiannual, 0.045L, 0.05L,
       92.272835878736, 0},
  };
  const TequFixedIncome fi;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(D(fi.CleanPrice(c.settlement, c.maturity, c.basis, c.frequency, 100, c.yield, c.coupon)),
                c.clean, 1e-9);
    EXPECT_NEAR(D(fi.DirtyPrice(c.settlement, c.maturity, c.basis, c.frequency, 100, c.yield, c.coupon)),
                c.clean + c.accrued, 1e-9);
    EXPECT_NEAR(
        D(fi.AccruedInterest(Ymd(1990, 1, 1), c.settlement, c.basis, c.frequency, 100, c.coupon, c.maturity)),
        c.accrued, 1e-11);
    EXPECT_NEAR(D(fi.YieldToMaturity(c.settlement, c.maturity, c.basis, c.frequency, 100, c.clean, c.coupon)),
                D(c.yield), 1e-9);
  }
}

TEST(TequFixedIncomeBonds, ActualDayBasesAndOldEuropeanFollowTheirOwnCounts) {
  const TequFixedIncome fi;
  // Hand, 10 Mar 2010 to 15 Aug 2025, 6% semiannual at 7.25%: the stub to
  // 15 Aug 2010 is 2 * 158 / L of a period (L = 360 or 365), then 30 whole
  // periods; accrued 100 * 0.06 * 23 / L.
  struct Case {
    int basis;
    double dirty, accrued;
  };
  const Case cases[] = {
      {kAct360, 88.861557395939416, 0.38333333333333333},
      {kAct365, 88.899613245004242, 0.37808219178082192},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.basis);
    EXPECT_NEAR(
        D(fi.DirtyPrice(Ymd(2010, 3, 10), Ymd(2025, 8, 15), c.basis, kSemiannual, 100, 0.0725L, 0.06L)),
        c.dirty, 1e-10);
    EXPECT_NEAR(
        D(fi.CleanPrice(Ymd(2010, 3, 10), Ymd(2025, 8, 15), c.basis, kSemiannual, 100, 0.0725L, 0.06L)),
        c.dirty - c.accrued, 1e-10);
  }
  // Old European counts the last day of February as the 30th: 28 Feb to
  // 15 Mar 2019 is 15 days, against 17 under NASD and European.
  const DayNumber maturity = Ymd(2020, 8, 31);
  EXPECT_NEAR(D(fi.AccruedInterest(Ymd(2000, 1, 1), Ymd(2019, 3, 15), kOldEuropean, kSemiannual, 100, 0.06L,
                                   maturity)),
              0.25, 1e-12);
  EXPECT_NEAR(
      D(fi.AccruedInterest(Ymd(2000, 1, 1), Ymd(2019, 3, 15), kEuropean, kSemiannual, 100, 0.06L, maturity)),
      100 * 0.06 * 17 / 360, 1e-12);
}

TEST(TequFixedIncomeBonds, ASettlementOnACouponDateStartsTheNextPeriod) {
  const TequFixedIncome fi;
  // The period and the coupons left: the coupon of 15 May 2012 is paid.
  const BondCouponPeriod period = fi.CouponPeriod(Ymd(2012, 5, 15), Ymd(2020, 11, 15), kSemiannual);
  EXPECT_EQ(period.Previous, Ymd(2012, 5, 15));
  EXPECT_EQ(period.Next, Ymd(2012, 11, 15));
  EXPECT_EQ(period.Remaining, 17);
  // At maturity the period is the final one.
  const BondCouponPeriod last = fi.CouponPeriod(Ymd(2020, 11, 15), Ymd(2020, 11, 15), kSemiannual);
  EXPECT_EQ(last.Previous, Ymd(2020, 5, 15));
  EXPECT_EQ(last.Next, Ymd(2020, 11, 15));
  EXPECT_EQ(last.Remaining, 0);

  // QuantLib: 4.5% semiannual at 5.1%, no accrued interest, 95.903164700484
  // clean and dirty, the same under every basis that counts 180 days.
  for (int basis : {kNasd, kActAct, kEuropean, kOldEuropean}) {
    SCOPED_TRACE(basis);
    EXPECT_NEAR(
        D(fi.CleanPrice(Ymd(2012, 5, 15), Ymd(2020, 11, 15), basis, kSemiannual, 100, 0.051L, 0.045L)),
        95.903164700484, 1e-9);
    EXPECT_NEAR(
        D(fi.DirtyPrice(Ymd(2012, 5, 15), Ymd(2020, 11, 15), basis, kSemiannual, 100, 0.051L, 0.045L)),
        95.903164700484, 1e-9);
    EXPECT_EQ(fi.AccruedInterest(Ymd(2000, 1, 1), Ymd(2012, 5, 15), basis, kSemiannual, 100, 0.045L,
                                 Ymd(2020, 11, 15)),
              0.0L);
    // At a yield equal to the coupon rate the bond is at par.
    EXPECT_NEAR(
        D(fi.CleanPrice(Ymd(2012, 5, 15), Ymd(2020, 11, 15), basis, kSemiannual, 100, 0.045L, 0.045L)), 100,
        1e-12);
  }
  // One period from maturity the price is the last coupon and the redemption
  // discounted one period, and its yield can be found (QuantLib: 102.5 / 1.03).
  EXPECT_NEAR(D(fi.CleanPrice(Ymd(2019, 5, 15), Ymd(2019, 11, 15), kActAct, kSemiannual, 100, 0.06L, 0.05L)),
              99.514563106796, 1e-9);
  EXPECT_NEAR(D(fi.YieldToMaturity(Ymd(2019, 5, 15), Ymd(2019, 11, 15), kActAct, kSemiannual, 100,
                                   102.5L / 1.03L, 0.05L)),
              0.06, 1e-9);
  // The yield to call is the same search to the call date and price: a bond
  // called at 102 on a coupon date, priced at 102 with 6% coupons, yields 6%
  // on the call price's coupon of 3.06 a period (hand: par at y = c).
  EXPECT_NEAR(D(fi.YieldToCall(Ymd(2012, 5, 15), Ymd(2016, 5, 15), kNasd, kSemiannual, 102, 102, 0.06L)),
              0.06, 1e-9);
}

TEST(TequFixedIncomeBonds, ZeroYieldPricesTheUndiscountedCashFlows) {
  const TequFixedIncome fi;
  // Ten coupons of 3 left and the redemption: 130, on and off a coupon date.
  EXPECT_NEAR(D(fi.DirtyPrice(Ymd(2010, 2, 15), Ymd(2015, 2, 15), kNasd, kSemiannual, 100, 0, 0.06L)), 130,
              1e-15);
  EXPECT_NEAR(D(fi.DirtyPrice(Ymd(2010, 3, 15), Ymd(2015, 2, 15), kNasd, kSemiannual, 100, 0, 0.06L)), 130,
              1e-15);
}

TEST(TequFixedIncomeBonds, DurationsUseTheOneStepYieldDifference) {
  const TequFixedIncome fi;
  // DURATION(1 Jan 2008, 1 Jan 2016, 8%, 9%, 2, 1) = 5.993775 and MDURATION
  // 5.73567 (QuantLib agrees) are exact derivatives; ours take the price
  // change over a yield step of 0.00001, which is within 0.0003 of them.
  const DayNumber settlement = Ymd(2008, 1, 1), maturity = Ymd(2016, 1, 1);
  const Extended macaulay = fi.MacaulayDuration(settlement, maturity, kActAct, kSemiannual, 0.09L, 0.08L);
  const Extended modified = fi.ModifiedDuration(settlement, maturity, kActAct, kSemiannual, 0.09L, 0.08L);
  EXPECT_NEAR(D(macaulay), 5.993775, 3e-4);
  EXPECT_NEAR(D(modified), 5.73567, 3e-4);
  // Hand, the step itself: -(1.045 / P(9%)) * (P(9.001%) - P(9%)) / 0.00001.
  EXPECT_NEAR(D(macaulay), 5.9935557330332901, 1e-9);
  EXPECT_NEAR(D(modified), 5.7354600316108039, 1e-9);
  // A zero-coupon bond ten years out (hand, the same step): about 10 years.
  EXPECT_NEAR(D(fi.MacaulayDuration(Ymd(2010, 2, 15), Ymd(2020, 2, 15), kNasd, kSemiannual, 0.05L, 0)),
              9.9994878231999620, 1e-9);
}

TEST(TequFixedIncomeBonds, PriceSensitivityIsTheFirstOrderPriceMove) {
  // 100 basis points on a modified duration of 7: the price falls 7%.
  EXPECT_NEAR(D(TequFixedIncome::PriceSensitivity(100, 7)), -0.07, 1e-18);
  EXPECT_NEAR(D(TequFixedIncome::PriceSensitivity(-25, 4)), 0.01, 1e-18);
  // It predicts the real repricing of a one-basis-point move.
  const TequFixedIncome fi;
  const DayNumber s = Ymd(2010, 3, 10), m = Ymd(2025, 8, 15);
  const Extended price = fi.DirtyPrice(s, m, kNasd, kSemiannual, 100, 0.0725L, 0.06L);
  const Extended moved = fi.DirtyPrice(s, m, kNasd, kSemiannual, 100, 0.0726L, 0.06L);
  const Extended md = fi.ModifiedDuration(s, m, kNasd, kSemiannual, 0.0725L, 0.06L);
  EXPECT_NEAR(D(TequFixedIncome::PriceSensitivity(1, md)), D((moved - price) / price), 1e-6);
  EXPECT_NEAR(D(TequFixedIncome::CurrentYield(95, 0.06L, 100)), 6.0 / 95, 1e-18);
}

TEST(TequFixedIncomeBonds, YieldSearchFailsWithItsMessage) {
  const TequFixedIncome fi;
  // A premium close to maturity needs a negative yield: the clean price at
  // a zero yield is only 102.5 - 100 * 0.05 * 136 / 360 = 100.61.
  EXPECT_EQ(FinanceErrorCode([&] {
              fi.YieldToMaturity(Ymd(2019, 10, 1), Ymd(2019, 11, 15), kNasd, kSemiannual, 100, 102, 0.05L);
            }),
            415);
  // Whatever the price, the search ends in a yield or in a finance error.
  for (Extended price : {1e-300L, 1e-6L, 0.5L, 150.0L, 1e6L, 1e300L}) {
    SCOPED_TRACE(D(price));
    try {
      const Extended y =
          fi.YieldToMaturity(Ymd(2010, 3, 10), Ymd(2040, 8, 15), kNasd, kSemiannual, 100, price, 0.05L);
      EXPECT_TRUE(std::isfinite(y));
      EXPECT_GE(y, 0.0L);
    } catch (const EFinanceException& e) {
      EXPECT_EQ(e.Code(), 415);
    }
  }
  // And so does the price at any yield.
  for (Extended yield : {1e-12L, 10.0L, 1e30L, 1e300L}) {
    SCOPED_TRACE(D(yield));
    EXPECT_TRUE(std::isfinite(
        fi.CleanPrice(Ymd(2010, 3, 10), Ymd(2040, 8, 15), kActAct, kMonthly, 100, yield, 0.05L)));
  }
}

// ---- Discounted securities, interest at maturity, T-bills --------------------

TEST(TequFixedIncomeDiscount, MatchTheSpreadsheetHelpExamples) {
  const TequFixedIncome fi;
  // DISC(25 Jan 2007, 15 Jun 2007, 97.975, 100, 1) = 0.052420213.
  EXPECT_NEAR(D(fi.DiscountRate(Ymd(2007, 1, 25), Ymd(2007, 6, 15), kActAct, 100, 97.975L)),
              0.052420212765957447, 1e-15);
  // PRICEDISC(16 Feb 2008, 1 Mar 2008, 5.25%, 100, 2) = 99.79583.
  EXPECT_NEAR(D(fi.DiscountPrice(Ymd(2008, 2, 16), Ymd(2008, 3, 1), kAct360, 100, 0.0525L)),
              99.795833333333333, 1e-12);
  // YIELDDISC(16 Feb 2008, 1 Mar 2008, 99.795, 100, 2) = 0.052823.
  EXPECT_NEAR(D(fi.DiscountYield(Ymd(2008, 2, 16), Ymd(2008, 3, 1), kAct360, 100, 99.795L)),
              0.052822571986858775, 1e-15);
  // PRICEMAT(15 Feb 2008, 13 Apr 2008, 11 Nov 2007, 6.1%, 6.1%, 0) = 99.98449888.
  EXPECT_NEAR(
      D(fi.PriceAtMaturity(Ymd(2008, 2, 15), Ymd(2008, 4, 13), kNasd, 0.061L, 0.061L, Ymd(2007, 11, 11))),
      99.984498875556949, 1e-12);
  // YIELDMAT(15 Mar 2008, 3 Nov 2008, 8 Nov 2007, 6.25%, 100.0123, 0) = 0.060954.
  EXPECT_NEAR(
      D(fi.YieldAtMaturity(Ymd(2007, 11, 8), Ymd(2008, 3, 15), kNasd, 100.0123L, 0.0625L, Ymd(2008, 11, 3))),
      0.060954333691538521, 1e-15);
  // ACCRINTM(1 Apr 2008, 15 Jun 2008, 10%, 1000, 3) = 20.54795.
  EXPECT_NEAR(D(fi.InterestToDate(Ymd(2008, 4, 1), Ymd(2008, 6, 15), kAct365, 1000, 0.10L)),
              20.547945205479452, 1e-12);
}

TEST(TequFixedIncomeDiscount, ActActYearIsTheAnnualPeriodHoldingSettlement) {
  const TequFixedIncome fi;
  // 1 Mar 2019 to 1 Mar 2020 is one whole year of 366 days: a 5% discount
  // rate from the price 95.
  EXPECT_NEAR(D(fi.DiscountRate(Ymd(2019, 3, 1), Ymd(2020, 3, 1), kActAct, 100, 95)), 0.05, 1e-18);
  EXPECT_NEAR(D(fi.InterestToDate(Ymd(2019, 3, 1), Ymd(2020, 3, 1), kActAct, 100, 0.05L)), 5, 1e-15);
  // The price formula counts that year as 365 days: hand, 100 - 5 * 366 / 365;
  // the rate back from that price differs by the leap day.
  const Extended price = fi.DiscountPrice(Ymd(2019, 3, 1), Ymd(2020, 3, 1), kActAct, 100, 0.05L);
  EXPECT_NEAR(D(price), 94.986301369863014, 1e-12);
  EXPECT_NEAR(D(fi.DiscountRate(Ymd(2019, 3, 1), Ymd(2020, 3, 1), kActAct, 100, price)), 0.050136986301369863,
              1e-15);
  // The certificate formulas round-trip on the same basis.
  const DayNumber issue = Ymd(2019, 1, 10), s = Ymd(2019, 6, 3), m = Ymd(2020, 1, 10);
  for (int basis : {kNasd, kAct360, kAct365, kEuropean, kOldEuropean}) {
    SCOPED_TRACE(basis);
    const Extended p = fi.PriceAtMaturity(s, m, basis, 0.047L, 0.04L, issue);
    EXPECT_NEAR(D(fi.YieldAtMaturity(issue, s, basis, p, 0.04L, m)), 0.047, 1e-15);
  }
}

TEST(TequFixedIncomeDiscount, TreasuryBills) {
  const TequFixedIncome fi;
  const DayNumber s = Ymd(2008, 3, 31), m = Ymd(2008, 6, 1);
  // TBILLPRICE(31 Mar 2008, 1 Jun 2008, 9%) = 98.45; TBILLYIELD at 98.45 =
  // 0.091417; TBILLEQ at 9.14% = 0.094151.
  EXPECT_NEAR(D(fi.TBillPrice(s, m, 0.09L)), 98.45, 1e-13);
  EXPECT_NEAR(D(fi.TBillYield(s, m, 98.45L)), 0.091416962925342814, 1e-15);
  EXPECT_NEAR(D(fi.TBillEquivalentYield(s, m, 0.0914L)), 0.094151493565943016, 1e-15);
  // 182 days at 5%: (1 - 0.05 * 182 / 360) * 100.
  EXPECT_NEAR(D(fi.TBillPrice(Ymd(2008, 1, 1), Ymd(2008, 7, 1), 0.05L)), 97.472222222222222, 1e-13);
  // Past half a year the equivalent yield keeps the same formula (the
  // spreadsheet switches to a quadratic): hand, 335 days at 5%.
  EXPECT_NEAR(D(fi.TBillEquivalentYield(s, Ymd(2009, 3, 1), 0.05L)), 0.053168244719592134, 1e-15);
  // 366 days (1.0167 years) is accepted, 368 days (1.0222) is not.
  EXPECT_NO_THROW(fi.TBillPrice(Ymd(2008, 1, 1), Ymd(2008, 1, 1) + 366, 0.05L));
  EXPECT_EQ(FinanceErrorCode([&] { fi.TBillPrice(Ymd(2008, 1, 1), Ymd(2008, 1, 1) + 368, 0.05L); }), 421);
}

// ---- Failures -------------------------------------------------------------------

TEST(TequFixedIncomeErrors, EachOperationRefusesItsBadInputs) {
  const TequFixedIncome fi;
  const DayNumber s = Ymd(2010, 3, 10), m = Ymd(2025, 8, 15), early = Ymd(2009, 1, 5);
  const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
  struct Case {
    const char* name;
    std::function<void()> action;
    int code;
  };
  const Case cases[] = {
      {"clean price, settlement on maturity",
       [&] { fi.CleanPrice(m, m, kNasd, kSemiannual, 100, 0.05L, 0.05L); }, 419},
      {"clean price, settlement after maturity",
       [&] { fi.CleanPrice(m + 1, m, kNasd, kSemiannual, 100, 0.05L, 0.05L); }, 419},
      {"clean price, negative yield", [&] { fi.CleanPrice(s, m, kNasd, kSemiannual, 100, -0.01L, 0.05L); },
       420},
      {"clean price, negative coupon", [&] { fi.CleanPrice(s, m, kNasd, kSemiannual, 100, 0.05L, -0.05L); },
       420},
      {"clean price, zero redemption", [&] { fi.CleanPrice(s, m, kNasd, kSemiannual, 0, 0.05L, 0.05L); },
       420},
      {"dirty price, NaN yield", [&] { fi.DirtyPrice(s, m, kNasd, kSemiannual, 100, nan, 0.05L); }, 420},
      {"clean price, bad date", [&] { fi.CleanPrice(BadDate, m, kNasd, kSemiannual, 100, 0.05L, 0.05L); },
       426},
      {"yield, dates", [&] { fi.YieldToMaturity(m, s, kNasd, kSemiannual, 100, 95, 0.05L); }, 419},
      {"yield, zero price", [&] { fi.YieldToMaturity(s, m, kNasd, kSemiannual, 100, 0, 0.05L); }, 420},
      {"yield, negative coupon", [&] { fi.YieldToMaturity(s, m, kNasd, kSemiannual, 100, 95, -0.05L); }, 420},
      {"yield, zero redemption", [&] { fi.YieldToMaturity(s, m, kNasd, kSemiannual, 0, 95, 0.05L); }, 420},
      {"accrued, issue on settlement", [&] { fi.AccruedInterest(s, s, kNasd, kSemiannual, 100, 0.05L, m); },
       419},
      {"accrued, settlement after maturity",
       [&] { fi.AccruedInterest(early, m + 1, kNasd, kSemiannual, 100, 0.05L, m); }, 419},
      {"accrued, zero coupon", [&] { fi.AccruedInterest(early, s, kNasd, kSemiannual, 100, 0, m); }, 420},
      {"accrued, zero redemption", [&] { fi.AccruedInterest(early, s, kNasd, kSemiannual, 0, 0.05L, m); },
       420},
      {"duration, dates", [&] { fi.MacaulayDuration(m, s, kNasd, kSemiannual, 0.05L, 0.05L); }, 419},
      {"duration, negative yield", [&] { fi.ModifiedDuration(s, m, kNasd, kSemiannual, -0.05L, 0.05L); },
       420},
      {"duration, negative coupon", [&] { fi.MacaulayDuration(s, m, kNasd, kSemiannual, 0.05L, -0.05L); },
       420},
      {"current yield, zero price", [&] { TequFixedIncome::CurrentYield(0, 0.05L, 100); }, 420},
      {"discount price, dates", [&] { fi.DiscountPrice(m, s, kNasd, 100, 0.05L); }, 419},
      {"discount price, zero rate", [&] { fi.DiscountPrice(s, m, kNasd, 100, 0); }, 420},
      {"discount price, nothing left", [&] { fi.DiscountPrice(s, s + 365, kAct365, 100, 1.5L); }, 427},
      {"discount rate, dates", [&] { fi.DiscountRate(m, s, kNasd, 100, 95); }, 419},
      {"discount rate, zero price", [&] { fi.DiscountRate(s, m, kNasd, 100, 0); }, 420},
      {"discount rate, zero redemption", [&] { fi.DiscountRate(s, m, kNasd, 0, 95); }, 420},
      // 30 to 31 January counts no days under 30/360.
      {"discount rate, zero-day term",
       [&] { fi.DiscountRate(Ymd(2019, 1, 30), Ymd(2019, 1, 31), kNasd, 100, 99.9L); }, 419},
      {"discount yield, zero-day term",
       [&] { fi.DiscountYield(Ymd(2019, 1, 30), Ymd(2019, 1, 31), kEuropean, 100, 99.9L); }, 419},
      {"discount yield, zero price", [&] { fi.DiscountYield(s, m, kNasd, 100, 0); }, 420},
      {"price at maturity, settlement before issue",
       [&] { fi.PriceAtMaturity(early, m, kNasd, 0.05L, 0.05L, s); }, 419},
      {"price at maturity, negative yield", [&] { fi.PriceAtMaturity(s, m, kNasd, -0.05L, 0.05L, early); },
       420},
      {"yield at maturity, settlement before issue",
       [&] { fi.YieldAtMaturity(s, early, kNasd, 100, 0.05L, m); }, 419},
      {"yield at maturity, settlement on maturity",
       [&] { fi.YieldAtMaturity(early, m, kNasd, 100, 0.05L, m); }, 419},
      {"yield at maturity, zero price", [&] { fi.YieldAtMaturity(early, s, kNasd, 0, 0.05L, m); }, 420},
      {"yield at maturity, negative rate", [&] { fi.YieldAtMaturity(early, s, kNasd, 100, -0.05L, m); }, 420},
      {"yield at maturity, zero-day term",
       [&] { fi.YieldAtMaturity(early, Ymd(2019, 1, 30), kNasd, 100, 0.05L, Ymd(2019, 1, 31)); }, 419},
      {"interest to date, dates", [&] { fi.InterestToDate(s, s, kNasd, 100, 0.05L); }, 419},
      {"interest to date, zero rate", [&] { fi.InterestToDate(early, s, kNasd, 100, 0); }, 420},
      {"interest to date, zero redemption", [&] { fi.InterestToDate(early, s, kNasd, 0, 0.05L); }, 420},
      {"T-bill price, dates", [&] { fi.TBillPrice(s, s, 0.05L); }, 419},
      {"T-bill price, zero discount", [&] { fi.TBillPrice(s, s + 90, 0); }, 420},
      {"T-bill price, nothing left", [&] { fi.TBillPrice(s, s + 360, 1.0L); }, 427},
      {"T-bill yield, zero price", [&] { fi.TBillYield(s, s + 90, 0); }, 420},
      {"T-bill yield, too long", [&] { fi.TBillYield(s, s + 368, 95); }, 421},
      {"T-bill equivalent, zero discount", [&] { fi.TBillEquivalentYield(s, s + 90, 0); }, 417},
      {"T-bill equivalent, too long", [&] { fi.TBillEquivalentYield(s, s + 368, 0.05L); }, 421},
      {"T-bill equivalent, nothing left", [&] { fi.TBillEquivalentYield(s, s + 366, 0.99L); }, 427},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FinanceErrorCode(c.action), c.code) << c.name;
  }
  // A basis or frequency outside its list is a damaged setting, not a typing error.
  EXPECT_THROW(fi.CleanPrice(s, m, 6, kSemiannual, 100, 0.05L, 0.05L), std::out_of_range);
  EXPECT_THROW(fi.CleanPrice(s, m, kNasd, 5, 100, 0.05L, 0.05L), std::out_of_range);
  EXPECT_THROW(fi.DiscountRate(s, m, -1, 100, 95), std::out_of_range);
}

}  // namespace
}  // namespace quandrel
