#include "core/schedules/fv_schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/foundation/choice_lists.h"
#include "core/schedules/schedule_test_support.h"

namespace quandrel {
namespace {

using testing::Date;
using testing::kMonthlyPayments;
using testing::Money;
using testing::ScheduleErrorCode;

struct FVInputs {
  int periods = 12;
  DayNumber start = Date(2024, 1, 1);
  double inflation = 0;
  double tax = 0;
  int timing = 0;
  int basis = ratebasis::Ordinary;
  int compounding = compounding::Monthly;
  int payment = kMonthlyPayments;
  double rate = 12;
  double regular = 100;
  double initial = 1000;
};

TschFV Computed(const FVInputs& in) {
  TschFV schedule;
  schedule.Initialize(in.periods, in.start, in.inflation, in.tax, in.timing, in.basis, in.compounding,
                      in.payment, in.rate, Money(in.regular), Money(in.initial));
  schedule.Calculate();
  return schedule;
}

// 1,000 now and 100 a month at 12% compounded monthly: each period's interest
// is the cents-rounded growth of the balance.
TEST(FVSchedule, GrowsDepositsInArrearsAndInAdvance) {
  const TschFV arrears = Computed({});
  ASSERT_EQ(arrears.LastRowIndex(), 12);
  EXPECT_EQ(arrears.Rows[1].Interest, 10.00);
  EXPECT_EQ(arrears.Rows[1].Balance, 1110.00);
  EXPECT_EQ(arrears.FinalBalance(), Money(2395.08));
  // The series' future value, 1000 * 1.01^12 + 100 * (1.01^12 - 1) / 0.01,
  // is 2,395.0753; the schedule rounds each period to cents.
  EXPECT_NEAR(arrears.FinalBalance().ToDouble(), 2395.0753, 0.01);
  EXPECT_EQ(arrears.TotalDeposits(), Money(2200));
  EXPECT_EQ(arrears.TotalInterest(), Money(195.08));
  EXPECT_EQ(arrears.FinalRealBalance(), Money(2395.08));
  EXPECT_EQ(arrears.FinalDate(), Date(2025, 1, 1));
  EXPECT_EQ(arrears.Years(), 1.0L);

  FVInputs advance;
  advance.timing = 1;
  const TschFV due = Computed(advance);
  EXPECT_EQ(due.Rows[0].Interest, 10.00);
  EXPECT_EQ(due.Rows[0].Balance, 1010.00);
  EXPECT_EQ(due.Rows[1].Interest, 11.10);
  EXPECT_EQ(due.Rows[1].Balance, 1121.10);
  // Annuity-due future value 1000 * 1.01^13 + 100 * 1.01 * (1.01^12 - 1) / 0.01 = 2,419.0261.
  EXPECT_EQ(due.FinalBalance(), Money(2419.03));
}

TEST(FVSchedule, RowsCarryDatesLabelsAndYearNumbers) {
  FVInputs in;
  in.start = Date(2024, 1, 31);  // a month end: the schedule keeps to month ends
  in.periods = 13;
  const TschFV schedule = Computed(in);
  EXPECT_EQ(schedule.Rows[1].Date, Date(2024, 2, 29));
  EXPECT_EQ(schedule.Rows[2].Date, Date(2024, 3, 31));
  EXPECT_EQ(schedule.Rows[0].Label, "0/1");
  EXPECT_EQ(schedule.Rows[3].Label, "3/1");
  EXPECT_EQ(schedule.Rows[12].Label, "12/2");  // 31 January 2025, a whole year on
  EXPECT_EQ(schedule.Rows[11].YearNumber, 1);  // 31 December 2024
  EXPECT_EQ(schedule.Rows[12].YearNumber, 2);
  for (const FVRow& row : schedule.Rows) {
    EXPECT_EQ(row.Rate, 12.0);
    EXPECT_EQ(row.PaymentPeriod, kMonthlyPayments);
    EXPECT_EQ(row.Compounding, compounding::Monthly);
  }
}

// Start 1 November 2023, 4 monthly periods, tax 25%, inflation 6% a year:
// interest 10.00 (December), 11.10, 12.21, 13.33; the year changes after the
// December row, which is taxed on the year's 10.00; the 2024 interest is not.
TEST(FVSchedule, TaxesInterestAtTheYearEndAndAdjustsForInflation) {
  FVInputs in;
  in.start = Date(2023, 11, 1);
  in.periods = 4;
  in.tax = 25;
  in.inflation = 6;
  const TschFV s = Computed(in);
  const double tax[] = {0, -2.50, 0, 0, 0};
  // Each period loses half a percent of the previous real balance (to 1/10000).
  const double inflation[] = {0, -5.00, -5.5125, -6.0404, -6.5713};
  const double real[] = {1000, 1102.50, 1208.0875, 1314.2571, 1421.0158};
  for (int k = 0; k <= 4; ++k) {
    EXPECT_EQ(s.Rows[k].Tax, tax[k]) << k;
    EXPECT_DOUBLE_EQ(s.Rows[k].InflationAdjustment, inflation[k]) << k;
    EXPECT_DOUBLE_EQ(s.Rows[k].RealBalance, real[k]) << k;
  }
  EXPECT_EQ(s.FinalBalance(), Money(1446.64));
  EXPECT_EQ(s.TotalTaxes(), Money(-2.50));
  EXPECT_EQ(s.TotalInflation(), Money(-23.1242));
  EXPECT_EQ(s.FinalRealBalance(), Money(1421.0158));
}

TEST(FVSchedule, AWithdrawalNeverOverdrawsTheBalance) {
  for (int timing : {0, 1}) {
    FVInputs in;
    in.periods = 4;
    in.regular = -600;
    in.timing = timing;
    const TschFV s = Computed(in);
    EXPECT_EQ(s.FinalBalance(), Currency()) << timing;
    for (const FVRow& row : s.Rows) {
      EXPECT_GE(row.Balance, 0.0) << row.Label;
    }
    EXPECT_EQ(s.TotalDeposits() + s.TotalInterest(), Currency()) << timing;
  }
  FVInputs arrears;
  arrears.periods = 4;
  arrears.regular = -600;
  const TschFV s = Computed(arrears);
  EXPECT_EQ(s.Rows[2].Deposit, -414.10);  // 410 + 4.10 interest is all that is left
  EXPECT_EQ(s.Rows[3].Deposit, 0.0);
}

// One period's interest on the same 1,000 under each compounding and basis.
TEST(FVSchedule, PeriodInterestFollowsCompoundingAndBasis) {
  struct Case {
    const char* name;
    int compounding;
    int basis;
    double rowOneInterest;
    double rowTwoInterest;
  };
  const Case cases[] = {
      // Simple: 1% of the deposits so far (1,000, then 1,100), not of the balance.
      {"simple", compounding::Simple, ratebasis::Ordinary, 10.00, 11.00},
      // Continuous: 1000 * (e^(0.12/12) - 1) with the ten-digit e.
      {"continuous", compounding::Continuous, ratebasis::Ordinary, 10.05, 11.16},
      // Actual/365, monthly compounding: 1.01^(12 * days / 365) over 31 and 29 days.
      {"actual 365", compounding::Monthly, ratebasis::Actual365, 10.19, 10.58},
  };
  for (const Case& c : cases) {
    FVInputs in;
    in.periods = 2;
    in.compounding = c.compounding;
    in.basis = c.basis;
    const TschFV s = Computed(in);
    EXPECT_EQ(s.Rows[1].Interest, c.rowOneInterest) << c.name;
    EXPECT_EQ(s.Rows[2].Interest, c.rowTwoInterest) << c.name;
  }
}

TEST(FVSchedule, EditedRowsAreRecomputedWithTheirOwnDepositsRatesAndDates) {
  TschFV s = Computed({});
  TschFV::RowList edited;
  s.CopyRowsTo(&edited);
  edited[1].Deposit = 0;
  edited[1].Rate = 24;  // 2% a month from row 1 on
  const DayNumber movedDate = Date(2024, 3, 15);
  edited[2].Date = movedDate;
  s.Recalculate(edited);
  EXPECT_EQ(s.Rows[1].Balance, 1010.00);
  EXPECT_EQ(s.Rows[2].Interest, 20.20);  // the previous row's rate applies
  EXPECT_EQ(s.Rows[2].Date, movedDate);
  EXPECT_EQ(s.TotalDeposits(), Money(2100));

  s.SetRowDeposit(12, Money(500));
  s.Calculate();  // a plain computation restores the payment dates
  EXPECT_EQ(s.Rows[2].Date, Date(2024, 3, 1));
  EXPECT_EQ(s.Rows[12].Deposit, 500.0);
}

TEST(FVSchedule, RefusesBadInputsWithTheirCodes) {
  struct Case {
    const char* name;
    FVInputs inputs;
    int code;
  };
  std::vector<Case> cases;
  auto add = [&](const char* name, auto change, int code) {
    FVInputs in;
    change(in);
    cases.push_back({name, in, code});
  };
  add(
      "one period", [](FVInputs& in) { in.periods = 1; }, 530);
  add(
      "no periods", [](FVInputs& in) { in.periods = 0; }, 530);
  add(
      "no deposits", [](FVInputs& in) { in.regular = in.initial = 0; }, 531);
  add(
      "only a withdrawal", [](FVInputs& in) { in.regular = -100, in.initial = 0; }, 531);
  add(
      "rate of 0.005%", [](FVInputs& in) { in.rate = 0.005; }, 509);
  add(
      "negative initial deposit", [](FVInputs& in) { in.initial = -5; }, 536);
  add(
      "payment period 11", [](FVInputs& in) { in.payment = 11; }, 512);
  add(
      "compounding 12", [](FVInputs& in) { in.compounding = 12; }, 512);
  add(
      "basis 6", [](FVInputs& in) { in.basis = 6; }, 512);
  add(
      "timing 2", [](FVInputs& in) { in.timing = 2; }, 512);
  add(
      "rate not a number", [](FVInputs& in) { in.rate = std::nan(""); }, 512);
  add(
      "bad start date", [](FVInputs& in) { in.start = BadDate; }, 533);
  add(
      "past the calendar", [](FVInputs& in) { in.start = Date(3999, 6, 1); }, 534);
  add(
      "more days than the calendar", [](FVInputs& in) { in.periods = 2'000'000'000; }, 534);
  for (const Case& c : cases) {
    EXPECT_EQ(ScheduleErrorCode([&] { Computed(c.inputs); }), c.code) << c.name;
  }

  TschFV s;
  EXPECT_EQ(ScheduleErrorCode([&] { s.Calculate(); }), 517);
  EXPECT_EQ(ScheduleErrorCode([&] { s.Recalculate({}); }), 517);
  s = Computed({});
  EXPECT_EQ(ScheduleErrorCode([&] { s.SetRowDeposit(13, Money(1)); }), 514);
  EXPECT_EQ(ScheduleErrorCode([&] { s.SetRowDeposit(-1, Money(1)); }), 514);
  try {
    s.SetRowDeposit(13, Money(1));
  } catch (const EFinCFException& e) {
    EXPECT_STREQ(e.what(), "Period number is either beyond\r\rterm of loan or it is negative.");
  }
}

TEST(FVSchedule, AFailedRecomputationKeepsTheRowsAndResults) {
  TschFV s = Computed({});
  const TschFV::RowList before = s.Rows;
  TschFV::RowList edited = s.Rows;
  edited[5].Date = edited[3].Date;  // out of order
  EXPECT_EQ(ScheduleErrorCode([&] { s.Recalculate(edited); }), 512);
  edited = s.Rows;
  edited[7].Deposit = 1e300;  // beyond any amount the schedule holds
  EXPECT_EQ(ScheduleErrorCode([&] { s.Recalculate(edited); }), 535);
  EXPECT_EQ(s.Rows, before);
  EXPECT_EQ(s.FinalBalance(), Money(2395.08));
}

}  // namespace
}  // namespace quandrel
