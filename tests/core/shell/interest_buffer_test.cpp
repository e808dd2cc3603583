#include "core/shell/interest_buffer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

namespace f = interest_field;

class InterestTest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  TbufInterest model{services};

  void Enter(double amount, int days, double rate, int compounding, int basis) {
    model.Calculation.SetReal(f::Amount, amount);
    model.Calculation.SetInteger(f::Days, days);
    model.Calculation.SetReal(f::Rate, rate);
    model.Calculation.SetChoice(f::Compounding, compounding);
    model.Calculation.SetChoice(f::RateBasis, basis);
  }
  double Result(std::string_view id) const { return model.Calculation.Real(id); }
};

TEST_F(InterestTest, PublisherValues) {
  const TCalculationRecord& r = model.Calculation;
  EXPECT_EQ(r.Real(f::Amount), 0);
  EXPECT_EQ(r.Date(f::StartDate), DateFromDMY(1, 1, 2026));
  EXPECT_EQ(r.Date(f::EndDate), DateFromDMY(1, 1, 2026));
  EXPECT_EQ(r.Text(f::StartDay), "Thursday");
  EXPECT_EQ(r.ChoiceText(f::Compounding), "Monthly");
  EXPECT_EQ(r.ChoiceText(f::RateBasis), "Actual/360");
  EXPECT_EQ(model.Options.localDefaults.ChoiceText("DefaultCompounding"), "Every 4 Weeks");
  EXPECT_EQ(model.Options.openWith, OpenWith::LastEntered);
  EXPECT_EQ(model.Options.defaultsFrom, DefaultsFrom::Publisher);
}

TEST_F(InterestTest, AnnualCompoundingOverAYearGivesTheNominalRate) {
  Enter(1000, 365, 5, compounding::Annually, 1);
  model.Calculate();
  EXPECT_DOUBLE_EQ(Result(f::FutureValue), 1050.00);
  EXPECT_DOUBLE_EQ(Result(f::Interest), 50.00);
  EXPECT_FLOAT_EQ(static_cast<float>(Result(f::APY)), 5.0f);
  EXPECT_FLOAT_EQ(static_cast<float>(Result(f::DailyRate)), static_cast<float>(50.0 / 1000 / 365 * 100));
}

TEST_F(InterestTest, SimpleAndContinuousInterest) {
  struct Case {
    int compounding, basis, days;
    double amount, rate, fv, daily;
  };
  const Case cases[] = {
      // Simple, Actual/360: PV (1 + n r / 360); the daily rate is r / 360.
      {compounding::Simple, 0, 90, 2500, 6, 2537.50, 6.0 / 360},
      {compounding::Simple, 1, 200, 1000, 7.3, 1040.00, 7.3 / 365},
      // Continuous: PV * 2.718281828^(n / Y * r); 10000 e^(0.08 * 180/360) = 10408.107741...
      {compounding::Continuous, 0, 180, 10000, 8, 10408.11, 408.11 / 10000 / 180 * 100},
  };
  for (const Case& c : cases) {
    Enter(c.amount, c.days, c.rate, c.compounding, c.basis);
    model.Calculate();
    EXPECT_NEAR(Result(f::FutureValue), c.fv, 1e-9) << c.compounding;
    EXPECT_NEAR(Result(f::Interest), c.fv - c.amount, 1e-9) << c.compounding;
    EXPECT_FLOAT_EQ(static_cast<float>(Result(f::DailyRate)), static_cast<float>(c.daily)) << c.compounding;
  }
}

TEST_F(InterestTest, MonthlyCompoundingConvertsToTheDailyEquivalent) {
  // 6% compounded monthly over a 365-day year: 1000 (1.005)^12 after 365 days
  // on Actual/365 = 1061.68.
  Enter(1000, 365, 6, compounding::Monthly, 1);
  model.Calculate();
  EXPECT_DOUBLE_EQ(Result(f::FutureValue), 1061.68);
  // On Actual/360 the same days earn 365/360 of the daily rate.
  Enter(1000, 360, 6, compounding::Monthly, 0);
  model.Calculate();
  EXPECT_DOUBLE_EQ(Result(f::FutureValue), 1061.68);
}

TEST_F(InterestTest, ZeroAmountOrDaysGiveNoYieldAndNoError) {
  for (auto [amount, days] : {std::pair{0.0, 365}, std::pair{1000.0, 0}, std::pair{-500.0, 30}}) {
    Enter(amount, days, 5, compounding::Monthly, 0);
    EXPECT_NO_THROW(model.Calculate());
    EXPECT_EQ(Result(f::APY), 0) << amount << " " << days;
    EXPECT_EQ(Result(f::DailyRate), 0) << amount << " " << days;
  }
}

TEST_F(InterestTest, DamagedPositionsAreRefusedNotIndexed) {
  Enter(1000, 30, 5, 12, 0);
  EXPECT_THROW(model.Calculate(), std::out_of_range);
  Enter(1000, 30, 5, compounding::Monthly, 2);
  EXPECT_THROW(model.Calculate(), std::out_of_range);
}

TEST_F(InterestTest, DaysMoveTheOtherDate) {
  TCalculationRecord& r = model.Calculation;
  const DayNumber start = DateFromDMY(1, 3, 2026);
  const DayNumber end = DateFromDMY(31, 3, 2026);
  struct Case {
    int days;
    DayNumber expectStart, expectEnd;
  };
  const Case cases[] = {
      {45, start, start + 45},  // the end date moves
      {-30, end - 30, end},     // the start date moves back from the end
      {0, start, end},          // nothing changes
  };
  for (const Case& c : cases) {
    r.SetDate(f::StartDate, start);
    r.SetDate(f::EndDate, end);
    r.SetInteger(f::Days, c.days);
    EXPECT_TRUE(model.DaysChanged());
    EXPECT_EQ(r.Date(f::StartDate), c.expectStart) << c.days;
    EXPECT_EQ(r.Date(f::EndDate), c.expectEnd) << c.days;
  }
  // -30 from 31 March is 1 March, a Sunday.
  r.SetDate(f::EndDate, end);
  r.SetInteger(f::Days, -30);
  model.DaysChanged();
  EXPECT_EQ(r.Text(f::StartDay), "Sunday");
  // A count that would leave the calendar changes nothing.
  r.SetInteger(f::Days, 999999);
  r.SetDate(f::StartDate, DateFromDMY(1, 1, 3000));
  const DayNumber before = r.Date(f::EndDate);
  EXPECT_FALSE(model.DaysChanged());
  EXPECT_EQ(r.Date(f::EndDate), before);
}

TEST_F(InterestTest, DatesSetTheDays) {
  TCalculationRecord& r = model.Calculation;
  r.SetDate(f::StartDate, DateFromDMY(15, 1, 2024));
  r.SetDate(f::EndDate, DateFromDMY(15, 3, 2024));
  model.DateChanged();
  EXPECT_EQ(r.Integer(f::Days), 60);  // 2024 is a leap year
  r.SetDate(f::EndDate, BadDate);
  model.DateChanged();
  EXPECT_EQ(r.Integer(f::Days), 60);  // an invalid date recomputes nothing
  EXPECT_EQ(r.Text(f::EndDay), "");
}

TEST_F(InterestTest, CopyTextByteForByte) {
  Enter(1000, 365, 5, compounding::Annually, 1);
  model.Calculation.SetDate(f::StartDate, DateFromDMY(1, 1, 2026));
  model.Calculation.SetDate(f::EndDate, DateFromDMY(1, 1, 2027));
  model.Calculate();
  model.SetTitle("Compound/Simple Interest Calculator 1");
  const std::string expected =
      "Compound/Simple Interest Calculator 1\r\n"
      "\r\n"
      "Amount?:                                  $1,000.00\r\n"
      "Number of Days? (#):                            365\r\n"
      "Annual Rate? (%):                            5.0000\r\n"
      "Start Date?:                    Thursday 01/01/2026\r\n"
      "End Date?:                        Friday 01/01/2027\r\n"
      "Compounding Period?:                       Annually\r\n"
      "Rate Basis?:                             Actual/365\r\n"
      "Interest for Term:                           $50.00\r\n"
      "Future Value:                             $1,050.00\r\n"
      "Annual Percentage Yield (APY):               5.0000\r\n"
      "Daily Periodic Rate:                       0.013699\r\n";
  EXPECT_EQ(model.CopyText(), expected);
}

TEST_F(InterestTest, ReportLinesUseTabsForTheColumns) {
  Enter(-2.5, 10, 0, compounding::Simple, 0);
  model.Calculate();
  const auto lines = model.ReportLines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "\tAmount?:                          \t         ($2.50)");
  EXPECT_EQ(lines[3], "\tStart Date?:                Thursday\t01/01/2026");
  EXPECT_EQ(lines[5], "\tCompounding Period?:              \tSimple");
}

}  // namespace
}  // namespace quandrel
