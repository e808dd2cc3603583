#include "core/schedules/annuity_schedule.h"

#include <gtest/gtest.h>

#include <string>

#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"
#include "core/schedules/schedule_test_support.h"

namespace quandrel {
namespace {

using testing::Date;
using testing::kDailyPayments;
using testing::kMonthlyPayments;
using testing::kTwiceMonthlyPayments;
using testing::Money;
using testing::ScheduleErrorCode;

struct AnnuityInputs {
  DayNumber start = Date(2024, 1, 1);
  int payment = kMonthlyPayments;
  int basis = ratebasis::Ordinary;
  int timing = 0;
  int compounding = compounding::Monthly;
  double tax = 0;
  double increase = 0;
  double rate = 6;
  double withdrawal = -1000;
  double balance = 100000;
};

TschAnnuity Computed(const AnnuityInputs& in, int twiceMonthlyRule = 0) {
  TschAnnuity schedule;
  schedule.TwiceMonthlyRule = twiceMonthlyRule;
  schedule.SetInputs(in.start, in.payment, in.basis, in.timing, in.compounding, in.tax, in.increase, in.rate,
                     Money(in.withdrawal), Money(in.balance));
  schedule.Calculate();
  return schedule;
}

class AnnuitySchedule : public ::testing::Test {
 protected:
  void SetUp() override { ResetWeekdayNames(); }
};

// 100,000 at 6% compounded monthly paying 1,000 a month in arrears lasts
// n = -ln(1 - 100000 * 0.005 / 1000) / ln 1.005 = 138.98 months: 139
// withdrawals, the last cut to what is left.
TEST_F(AnnuitySchedule, PaysOutUntilTheMoneyRunsOut) {
  AnnuityInputs in;
  in.tax = 25;
  const TschAnnuity s = Computed(in);
  EXPECT_EQ(s.Rows[0].Balance, 100000.0);
  EXPECT_EQ(s.Rows[0].Label, "0/1");
  EXPECT_EQ(s.Rows[1].Interest, 500.00);
  EXPECT_EQ(s.Rows[1].Balance, 99500.00);
  EXPECT_EQ(s.Periods(), 139);
  ASSERT_EQ(s.LastRowIndex(), 139);
  EXPECT_EQ(s.Rows[138].Withdrawal, -1000.0);
  EXPECT_EQ(s.Rows[139].Withdrawal, -975.89);
  EXPECT_EQ(s.Rows[139].Balance, 0.0);
  EXPECT_EQ(s.TotalWithdrawn(), Money(-138975.89));
  EXPECT_EQ(s.TotalInterest(), Money(38975.89));
  EXPECT_EQ(s.TotalWithdrawnAfterTax(), Money(-104231.9175));
  EXPECT_EQ(s.Status(), "");
  EXPECT_EQ(s.Years(), 139.0L / 12);
  EXPECT_EQ(s.LastDate(), Date(2035, 8, 1));
  EXPECT_EQ(s.LastDateText(), "Wednesday");
  EXPECT_EQ(s.Rows[12].Label, "12/2");
  EXPECT_EQ(s.Rows[12].YearNumber, 2);

  AnnuityInputs advance;
  advance.timing = 1;
  const TschAnnuity due = Computed(advance);
  EXPECT_EQ(due.Rows[1].Interest, 495.00);  // on 100,000 less the first withdrawal
  EXPECT_EQ(due.Rows[1].Balance, 99495.00);
}

TEST_F(AnnuitySchedule, WithdrawalsGrowByTheAnnualIncrease) {
  AnnuityInputs in;
  in.increase = 2.4;  // 0.2% a month, the first withdrawal included
  const TschAnnuity s = Computed(in);
  EXPECT_EQ(s.Rows[1].Withdrawal, -1002.0);
  EXPECT_EQ(s.Rows[2].Withdrawal, -1004.004);
  EXPECT_EQ(s.Rows[3].Withdrawal, -1006.012);  // 1006.012008 to 1/10000
}

TEST_F(AnnuitySchedule, StatusTellsWhyTheScheduleStopped) {
  struct Case {
    const char* name;
    double withdrawal;
    const char* status;
  };
  const Case cases[] = {
      {"withdrawal below the interest", -100, kAnnuityStillGrowing},
      {"a deposit", 100, kAnnuityStillGrowing},
      // Just above the first period's 500 interest: the balance shrinks, but
      // would last about 2,169 months.
      {"slow decline", -500.01, kAnnuityBeyondTerm},
  };
  for (const Case& c : cases) {
    AnnuityInputs in;
    in.withdrawal = c.withdrawal;
    const TschAnnuity s = Computed(in);
    EXPECT_EQ(s.Status(), c.status) << c.name;
    EXPECT_EQ(s.Periods(), 99 * 12) << c.name;
    EXPECT_EQ(s.Years(), 99.0L) << c.name;
    EXPECT_EQ(s.TotalInterest(), Currency()) << c.name;  // only set for an annuity that ends
    EXPECT_GT(s.Rows.back().Balance, 0.0) << c.name;
  }
}

TEST_F(AnnuitySchedule, ADailyScheduleStopsAtNinetyNineYears) {
  AnnuityInputs in;
  in.payment = kDailyPayments;
  in.compounding = compounding::Daily;
  in.withdrawal = -1;
  const TschAnnuity s = Computed(in);
  EXPECT_EQ(s.MaxPeriods(), 36135);
  EXPECT_EQ(s.Periods(), 36135);
  EXPECT_EQ(s.Rows[366].Label, "366/2");  // 1 January 2025
  // "36135/99" does not fit the seven characters of the label: the row
  // number stands alone.
  EXPECT_EQ(s.Rows.back().Label, "36135");
  EXPECT_EQ(s.Rows.back().Date, Date(2024, 1, 1) + 36135);
}

TEST_F(AnnuitySchedule, TwiceMonthlyDatesFollowTheChosenDays) {
  AnnuityInputs in;
  in.start = Date(2024, 1, 15);
  in.payment = kTwiceMonthlyPayments;
  in.compounding = compounding::TwiceMonthly;
  const TschAnnuity s = Computed(in, 2);  // "15th & Last Day"
  EXPECT_EQ(s.Rows[1].Date, Date(2024, 1, 31));
  EXPECT_EQ(s.Rows[2].Date, Date(2024, 2, 15));
  EXPECT_EQ(s.Rows[3].Date, Date(2024, 2, 29));
}

TEST_F(AnnuitySchedule, RecomputingUnchangedRowsGivesTheSameSchedule) {
  TschAnnuity s = Computed({});
  const TschAnnuity::RowList generated = s.Rows;
  s.Recalculate(generated);
  EXPECT_EQ(s.Rows, generated);
  EXPECT_EQ(s.TotalInterest(), Money(38975.89));
  EXPECT_EQ(s.Periods(), 139);
  EXPECT_EQ(s.Status(), "");
}

TEST_F(AnnuitySchedule, EditedRatesLengthenOrShortenTheSchedule) {
  TschAnnuity s = Computed({});
  TschAnnuity::RowList edited = s.Rows;
  for (std::size_t k = 100; k < edited.size(); ++k) {
    edited[k].Rate = 7;
  }
  s.Recalculate(edited);
  // The cut last row takes the regular 1,000 again and one row is added.
  EXPECT_EQ(s.Periods(), 140);
  EXPECT_EQ(s.Rows[139].Withdrawal, -1000.0);
  EXPECT_EQ(s.Rows[140].Withdrawal, -683.56);
  EXPECT_EQ(s.Rows[140].Rate, 7.0);
  EXPECT_EQ(s.Rows[140].Date, Date(2035, 9, 1));
  EXPECT_EQ(s.Rows[140].Label, "140/12");
  EXPECT_EQ(s.Rows[140].Balance, 0.0);
  EXPECT_EQ(s.TotalWithdrawn(), Money(-139683.56));
  EXPECT_EQ(s.TotalInterest(), Money(39683.56));

  s = Computed({});
  edited = s.Rows;
  for (std::size_t k = 50; k < edited.size(); ++k) {
    edited[k].Rate = 0;
  }
  s.Recalculate(edited);
  // Without interest after row 50 the money is gone at row 122; the rows
  // after it are dropped.
  EXPECT_EQ(s.Periods(), 122);
  EXPECT_EQ(s.Rows.back().Withdrawal, -677.43);
  EXPECT_EQ(s.TotalInterest(), Money(21677.43));
  EXPECT_EQ(s.Status(), "");
}

TEST_F(AnnuitySchedule, AWithdrawalOnTheStartRowIsTakenOnceFromTheStartingBalance) {
  TschAnnuity s = Computed({});
  TschAnnuity::RowList edited = s.Rows;
  for (AnnuityRow& row : edited) {
    row.Withdrawal = -1000;  // a reset of every row, the start row included
  }
  s.Recalculate(edited);
  EXPECT_EQ(s.Rows[0].Balance, 99000.0);
  EXPECT_EQ(s.Rows[0].CumulativeWithdrawals, -1000.0);
  EXPECT_EQ(s.Rows[1].Interest, 495.00);
  const TschAnnuity::RowList once = s.Rows;
  // Recomputing the result again must not take row 0's withdrawal twice.
  s.Recalculate(once);
  EXPECT_EQ(s.Rows, once);
}

TEST_F(AnnuitySchedule, ARecomputationThatReachesTheLimitSaysSo) {
  AnnuityInputs growing;
  growing.withdrawal = -100;
  TschAnnuity s = Computed(growing);
  // The first year's rows alone: the schedule is extended to the limit.
  s.Recalculate(TschAnnuity::RowList(s.Rows.begin(), s.Rows.begin() + 13));
  EXPECT_EQ(s.Status(), kAnnuityBeyondTermEdited);
  EXPECT_EQ(s.Periods(), 1188);
  EXPECT_EQ(s.Rows.back().Withdrawal, -100.0);
  EXPECT_GT(s.TotalInterest(), Currency());  // always set by a recomputation
}

TEST_F(AnnuitySchedule, RefusesBadInputsWithTheirCodes) {
  struct Case {
    const char* name;
    AnnuityInputs inputs;
    int code;
  };
  auto with = [](auto change) {
    AnnuityInputs in;
    change(in);
    return in;
  };
  const Case cases[] = {
      {"nothing to pay out", with([](AnnuityInputs& in) { in.balance = 0, in.withdrawal = 0; }), 531},
      {"negative balance", with([](AnnuityInputs& in) { in.balance = -1; }), 536},
      {"payment period 0", with([](AnnuityInputs& in) { in.payment = 0; }), 512},
      {"timing 3", with([](AnnuityInputs& in) { in.timing = 3; }), 512},
      {"bad start", with([](AnnuityInputs& in) { in.start = BadDate; }), 533},
      {"past the calendar", with([](AnnuityInputs& in) { in.start = Date(3990, 1, 1); }), 534},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScheduleErrorCode([&] { Computed(c.inputs); }), c.code) << c.name;
  }
  TschAnnuity s;
  EXPECT_EQ(ScheduleErrorCode([&] { s.Calculate(); }), 517);
  EXPECT_EQ(ScheduleErrorCode([&] { s.Recalculate({}); }), 517);
  TschAnnuity::RowList list;
  s.CopyRowsTo(&list);
  EXPECT_EQ(ScheduleErrorCode([&] { s.CopyRowsTo(nullptr); }), 520);

  s = Computed({});
  const TschAnnuity::RowList before = s.Rows;
  TschAnnuity::RowList edited = s.Rows;
  edited[10].Date = edited[9].Date - 1;
  EXPECT_EQ(ScheduleErrorCode([&] { s.Recalculate(edited); }), 512);
  EXPECT_EQ(s.Rows, before);
  EXPECT_EQ(s.Periods(), 139);
}

}  // namespace
}  // namespace quandrel
