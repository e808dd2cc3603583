#include <gtest/gtest.h>

#include <cmath>

#include "core/finance/finance_test_support.h"
#include "core/finance/pmt_required_equation.h"
#include "core/finance/roi_equation.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

using testing::FinanceErrorCode;

constexpr std::uint8_t kMonthlyPayment = 6;
constexpr std::uint8_t kMonthly = 6;

TEST(TequPmtRequired, MonthlyDepositsToATarget) {
  TequPmtRequired eq;
  eq.SetInputs(120, kMonthlyPayment, kMonthly, 6.0, Currency::FromWhole(10000));
  eq.Calculate();
  // 10,000 * 0.005 / (1.005^120 - 1) = 61.020501..., kept to four decimals.
  EXPECT_EQ(eq.RequiredDeposit.Units(), 610205);
  EXPECT_EQ(eq.TotalDeposits.Units(), 120 * 610205);
  EXPECT_EQ(eq.InterestEarned.Units(), 100000000 - 120 * 610205);
  EXPECT_FLOAT_EQ(eq.TermYears, 10.0f);
  EXPECT_FLOAT_EQ(eq.DoublingYears, static_cast<float>(std::log(2.0) / (12 * std::log(1.005))));
}

TEST(TequPmtRequired, SpreadsheetSavingsExample) {
  // PMT(6%/12, 18*12, 0, 50000) = -129.08.
  TequPmtRequired eq;
  eq.SetInputs(216, kMonthlyPayment, kMonthly, 6.0, Currency::FromWhole(50000));
  eq.Calculate();
  EXPECT_EQ(eq.RequiredDeposit.Units(), 1290812);
  // Deposits at the start of each period need (1 + i) less.
  eq.Timing = 1;
  eq.Calculate();
  EXPECT_EQ(eq.RequiredDeposit.Units(),
            static_cast<std::int64_t>(std::llround(129.08116086799092 / 1.005 * 1e4)));
}

TEST(TequPmtRequired, ContinuousCompounding) {
  TequPmtRequired eq;
  eq.SetInputs(120, kMonthlyPayment, 0, 6.0, Currency::FromWhole(10000));
  eq.Calculate();
  // i = e^(0.06/12) - 1; 10,000 i / ((1 + i)^120 - 1) = 60.970760...
  EXPECT_EQ(eq.RequiredDeposit.Units(), 609708);
  // ln 2 / (31536000 ln(1 + 0.06/31536000)), about ln 2 / 0.06.
  EXPECT_NEAR(eq.DoublingYears, 11.552453, 1e-5);
}

TEST(TequPmtRequired, SimpleInterestDoublesAfterOneOverTheRate) {
  TequPmtRequired eq;
  eq.SetInputs(12, kMonthlyPayment, 11, 8.0, Currency::FromWhole(1200));
  eq.Calculate();
  EXPECT_FLOAT_EQ(eq.DoublingYears, 12.5f);
  // Simple rate per month 0.08/12.
  const double i = 0.08 / 12;
  EXPECT_EQ(eq.RequiredDeposit.Units(), std::llround(1200 * i / (std::pow(1 + i, 12) - 1) * 1e4));
}

TEST(TequPmtRequired, ValidatesRateThenTargetThenTerm) {
  struct Case {
    double rate;
    std::int64_t target;
    int n;
    int code;
  };
  const Case cases[] = {
      {0, 0, 0, 407},   {-1, 1000, 12, 407}, {5, 0, 0, 406},
      {5, -1, 12, 406}, {5, 1000, 0, 404},   {5, 1000, -3, 404},
  };
  for (const Case& c : cases) {
    TequPmtRequired eq;
    eq.SetInputs(c.n, kMonthlyPayment, kMonthly, c.rate, Currency::FromWhole(c.target));
    EXPECT_EQ(FinanceErrorCode([&] { eq.Calculate(); }), c.code) << c.rate << " " << c.target << " " << c.n;
  }
}

TEST(TequROI, GainAndPlainAnnualizedReturn) {
  TequROI roi;
  const DayNumber start = DateFromDMY(1, 1, 2021);
  roi.SetInputs(start, start + 730, 1100, 1000);
  roi.Calculate();
  EXPECT_DOUBLE_EQ(roi.Gain, 100);
  EXPECT_DOUBLE_EQ(roi.ROI, 10);
  EXPECT_FLOAT_EQ(roi.TermYears, 2.0f);
  EXPECT_DOUBLE_EQ(roi.AnnualizedROI, 5);
  roi.SetInputs(start, start + 365, 800, 1000);
  roi.Calculate();
  EXPECT_DOUBLE_EQ(roi.ROI, -20);
}

TEST(TequROI, RefusesDatesOutOfOrderAndZeroAmounts) {
  const DayNumber day = DateFromDMY(15, 6, 2020);
  TequROI roi;
  EXPECT_EQ(FinanceErrorCode([&] { roi.SetInputs(day, day, 1100, 1000); }), 411);
  EXPECT_EQ(FinanceErrorCode([&] { roi.SetInputs(day + 1, day, 1100, 1000); }), 411);
  EXPECT_EQ(FinanceErrorCode([&] { roi.SetInputs(day, day + 1, 1100, 0); }), 405);
  EXPECT_EQ(FinanceErrorCode([&] { roi.SetInputs(day, day + 1, 0.00001, 1000); }), 405);
  EXPECT_EQ(FinanceErrorCode([&] { roi.SetInputs(BadDate, day, 1100, 1000); }), 426);
  // The fields are public: Calculate checks them again instead of dividing by zero.
  TequROI untouched;
  EXPECT_EQ(FinanceErrorCode([&] { untouched.Calculate(); }), 411);
}

}  // namespace
}  // namespace quandrel
