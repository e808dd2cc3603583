#include "core/finance/rate_equation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/finance/finance_test_support.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

using testing::FinanceErrorCode;

constexpr int kMonthlyPayment = 6;  // payment index p
constexpr int kMonthly = 6;         // compounding index c
constexpr int kContinuous = 0;
constexpr int kSimple = 11;

double D(Extended x) {
  return static_cast<double>(x);
}

TEST(TequRate, ConvertsBetweenCompoundingFrequencies) {
  // 6% compounded monthly is 6.16778...% effective; and back.
  const Extended effective = TequRate::ConvertFromCompounding(1, 12, 0.06L);
  EXPECT_NEAR(D(effective), 0.061677811864499569, 1e-15);
  EXPECT_NEAR(D(TequRate::ConvertToCompounding(1, 12, effective)), 0.06, 1e-15);
  // The spreadsheet help examples: EFFECT(5.25%, 4) = 5.3543% and NOMINAL(5.3543%, 4) = 5.25%.
  EXPECT_NEAR(D(TequRate::ConvertFromCompounding(1, 4, 0.0525L)), 0.0535426673707580566, 1e-15);
  EXPECT_NEAR(D(TequRate::ConvertToCompounding(1, 4, 0.053543L)), 0.0525003198683558643, 1e-15);
  // 12% monthly as a nominal rate with 2 periods a year: 2 * (1.01^6 - 1).
  EXPECT_NEAR(D(TequRate::ConvertFromCompounding(2, 12, 0.12L)), 2 * (std::pow(1.01, 6) - 1), 1e-15);
}

TEST(TequRate, ContinuousAndSimpleCompounding) {
  for (Extended A : {1.0L, 12.0L, 365.0L}) {
    EXPECT_NEAR(D(TequRate::ConvertFromCompounding(A, -1, 0.05L)), std::expm1(0.05), 1e-16);
    EXPECT_NEAR(D(TequRate::ConvertToCompounding(A, -1, 0.05L)), std::log(1.05), 1e-16);
    EXPECT_EQ(TequRate::ConvertFromCompounding(A, 0, 0.05L), 0.05L);
    EXPECT_EQ(TequRate::ConvertToCompounding(A, 0, 0.05L), 0.05L);
  }
}

TEST(TequRate, RatesOfMinusOneHundredPercentHaveNoEquivalent) {
  EXPECT_EQ(FinanceErrorCode([] { TequRate::ConvertFromCompounding(1, 12, -12.0L); }), 425);
  EXPECT_EQ(FinanceErrorCode([] { TequRate::ConvertToCompounding(12, 1, -13.0L); }), 425);
  EXPECT_EQ(FinanceErrorCode([] { TequRate::ConvertToCompounding(1, -1, -1.0L); }), 425);
}

TEST(TequRate, PeriodicRateByCompoundingAndBasis) {
  const Extended x = 0.0825L;
  struct Case {
    int p, c, b;
    double expected;
    int daysInYear;
  };
  const double monthlyNominal = D(x);  // monthly payments, monthly compounding: R = x
  const Case cases[] = {
      {kMonthlyPayment, kMonthly, 0, monthlyNominal / 12, 360},
      {kMonthlyPayment, kMonthly, 1, monthlyNominal * 30 / 365, 365},
      {kMonthlyPayment, kMonthly, 2, monthlyNominal * 30 / 360, 360},
      // Actual bases: a daily rate from the rate converted to 360 or 365 periods.
      {kMonthlyPayment, kMonthly, 3, 360 * (std::pow(1 + 0.0825 / 12, 12.0 / 360) - 1) / 360, 360},
      {kMonthlyPayment, kMonthly, 4, 365 * (std::pow(1 + 0.0825 / 12, 12.0 / 365) - 1) / 365, 365},
      // Quarterly payments, monthly compounding, ordinary: the quarterly-equivalent nominal rate / 4.
      {8, kMonthly, 0, 4 * (std::pow(1 + 0.0825 / 12, 3) - 1) / 4, 360},
      {kMonthlyPayment, kContinuous, 0, std::expm1(0.0825 / 12), 360},
      {kMonthlyPayment, kContinuous, 1, std::expm1(0.0825 / 365 * 30), 365},
      {kMonthlyPayment, kContinuous, 4, std::expm1(0.0825 / 365), 365},
      {kMonthlyPayment, kContinuous, 5, std::expm1(0.0825), 360},
      {kMonthlyPayment, kSimple, 0, 0.0825 / 12, 360},
      {kMonthlyPayment, kSimple, 2, 0.0825 / 360 * 30, 360},
      {kMonthlyPayment, kSimple, 3, 0.0825 / 360, 360},
      {kMonthlyPayment, kSimple, 5, 0.0825, 360},
  };
  for (const Case& c : cases) {
    TequRate rate;
    EXPECT_NEAR(D(rate.PeriodicRate(c.p, c.c, c.b, x)), c.expected, 1e-15)
        << "p=" << c.p << " c=" << c.c << " b=" << c.b;
    EXPECT_EQ(rate.DaysInYear, c.daysInYear);
  }
}

TEST(TequRate, SimplePeriodicRate) {
  TequRate rate;
  EXPECT_NEAR(D(rate.SimplePeriodicRate(kMonthlyPayment, 0, 0.12L)), 0.01, 1e-18);
  EXPECT_NEAR(D(rate.SimplePeriodicRate(2, 1, 0.12L)), 0.12 / 365 * 7, 1e-18);  // weekly
  EXPECT_EQ(rate.DaysInYear, 365);
  EXPECT_NEAR(D(rate.SimplePeriodicRate(kMonthlyPayment, 3, 0.12L)), 0.12 / 360, 1e-18);
  EXPECT_EQ(rate.DaysInYear, 360);
  EXPECT_EQ(rate.SimplePeriodicRate(kMonthlyPayment, 5, 0.12L), 0.12L);
  EXPECT_EQ(rate.DaysInYear, 365);
}

TEST(TequRate, ActualActualUsesTheCalendarYearOfTheDate) {
  TequRate rate;
  const DayNumber leapDay = DateFromDMY(15, 7, 2024);
  const DayNumber plainDay = DateFromDMY(15, 7, 2023);
  EXPECT_NEAR(D(rate.PeriodicRateOnDate(kMonthlyPayment, kMonthly, leapDay, 5, 0.06L)),
              std::expm1(12.0 / 366 * std::log1p(0.005)), 1e-19);
  EXPECT_EQ(rate.DaysInYear, 366);
  EXPECT_NEAR(D(rate.PeriodicRateOnDate(kMonthlyPayment, kContinuous, plainDay, 5, 0.06L)),
              std::expm1(0.06 / 365), 1e-17);
  EXPECT_EQ(rate.DaysInYear, 365);
  EXPECT_NEAR(D(rate.PeriodicRateOnDate(kMonthlyPayment, kSimple, leapDay, 5, 0.06L)), 0.06 / 366, 1e-18);
  // Other bases ignore the date.
  EXPECT_EQ(rate.PeriodicRateOnDate(kMonthlyPayment, kMonthly, leapDay, 0, 0.06L),
            rate.PeriodicRate(kMonthlyPayment, kMonthly, 0, 0.06L));
  EXPECT_EQ(FinanceErrorCode([&] { rate.PeriodicRateOnDate(kMonthlyPayment, kMonthly, BadDate, 5, 0.06L); }),
            426);
}

TEST(TequRate, YearFractions) {
  EXPECT_EQ(TequRate::YearFraction(18, kMonthlyPayment, 0), 1.5L);
  EXPECT_NEAR(D(TequRate::YearFraction(12, kMonthlyPayment, 1)), 360.0 / 365, 1e-18);
  EXPECT_EQ(TequRate::YearFraction(12, kMonthlyPayment, 2), 1.0L);
  EXPECT_EQ(TequRate::YearFraction(180, kMonthlyPayment, 3), 0.5L);
  EXPECT_NEAR(D(TequRate::YearFraction(73, kMonthlyPayment, 4)), 0.2, 1e-18);
  EXPECT_EQ(TequRate::YearFraction(10, kMonthlyPayment, 5), -1.0L);
  EXPECT_EQ(TequRate::YearFractionOnDate(183, kMonthlyPayment, 5, DateFromDMY(1, 3, 2024)), 0.5L);
  EXPECT_EQ(TequRate::YearFractionOnDate(18, kMonthlyPayment, 0, DateFromDMY(1, 3, 2024)), 1.5L);
}

TEST(TequRate, PositionsOutsideTheTablesAreRefused) {
  TequRate rate;
  EXPECT_THROW(rate.PeriodicRate(0, kMonthly, 0, 0.05L), std::out_of_range);
  EXPECT_THROW(rate.PeriodicRate(kMonthlyPayment, 12, 0, 0.05L), std::out_of_range);
  EXPECT_THROW(rate.PeriodicRate(kMonthlyPayment, kMonthly, 6, 0.05L), std::out_of_range);
}

}  // namespace
}  // namespace quandrel
