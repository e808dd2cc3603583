#include "core/schedules/pv_schedule.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/foundation/choice_lists.h"
#include "core/schedules/schedule_test_support.h"

namespace quandrel {
namespace {

using testing::Date;
using testing::kMonthlyPayments;
using testing::Money;
using testing::ScheduleErrorCode;

TschPV Computed(int compounding, int basis, double payment = 100, std::int32_t periods = 12) {
  TschPV schedule;
  schedule.Initialize(Date(2024, 1, 1), periods, basis, compounding, kMonthlyPayments, 12, Money(payment));
  schedule.Calculate();
  return schedule;
}

// 100 a month for 12 months at 12% compounded monthly: each payment is worth
// 100 / 1.01^k at the start, and the series 100 * (1 - 1.01^-12) / 0.01 =
// 1,125.5077 (the spreadsheet PV of the series).
TEST(PVSchedule, DiscountsEachPaymentToTheStart) {
  const TschPV s = Computed(compounding::Monthly, ratebasis::Ordinary);
  ASSERT_EQ(s.LastRowIndex(), 12);
  EXPECT_EQ(s.Rows[0].Payment, 0.0);
  EXPECT_EQ(s.Rows[0].PresentValue, 0.0);
  for (int k = 1; k <= 12; ++k) {
    EXPECT_NEAR(s.Rows[k].PresentValue, 100.0 / std::pow(1.01, k), 1e-9) << k;
    EXPECT_EQ(s.Rows[k].CumulativePayments, 100.0 * k);
  }
  EXPECT_NEAR(s.Rows[12].CumulativePresentValue, 1125.507747, 1e-6);
  EXPECT_EQ(s.TotalPresentValue(), Money(1125.5077));
  EXPECT_EQ(s.TotalPayments(), Money(1200));
  EXPECT_EQ(s.Years(), 1.0L);
  EXPECT_EQ(s.Rows[0].Label, "0/01");
  EXPECT_EQ(s.Rows[3].Label, "3/01");
  EXPECT_EQ(s.Rows[12].Label, "12/02");  // 1 January 2025
  EXPECT_EQ(s.Rows[12].YearNumber, 2);
}

TEST(PVSchedule, DiscountFollowsCompoundingAndBasis) {
  struct Case {
    const char* name;
    int compounding;
    int basis;
    double total;  // sum over k = 1..12 of the discounted 100
  };
  const Case cases[] = {
      // 100 / (1 + 0.12 * 30 / 365)^k
      {"ordinary/365", compounding::Monthly, ratebasis::Ordinary365, 1126.4825},
      // 100 / (1 + 0.01 k)
      {"simple", compounding::Simple, ratebasis::Ordinary, 1127.9466},
      // 100 * 2.718281828^(-0.01 k)
      {"continuous", compounding::Continuous, ratebasis::Ordinary, 1125.1511},
      // 100 / 1.01^(12 d / 365), d the days from 1 January 2024 to the payment
      {"actual/365", compounding::Monthly, ratebasis::Actual365, 1125.4664},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Computed(c.compounding, c.basis).TotalPresentValue(), Money(c.total)) << c.name;
  }
}

TEST(PVSchedule, EditedPaymentsAreRediscounted) {
  TschPV s = Computed(compounding::Monthly, ratebasis::Ordinary);
  TschPV::RowList edited = s.Rows;
  edited[12].Payment = 1100;  // a final payment of 1,100 instead of 100
  s.Recalculate(edited);
  EXPECT_NEAR(s.TotalPresentValue().ToDouble(), 1125.5077 + 1000 / std::pow(1.01, 12), 0.0001);
  EXPECT_EQ(s.TotalPayments(), Money(2200));

  // A payment on the start date itself is worth its face value there.
  s.SetRowPayment(0, Money(100));
  s.Calculate();
  EXPECT_EQ(s.Rows[0].PresentValue, 100.0);
  EXPECT_EQ(s.TotalPayments(), Money(2300));
}

TEST(PVSchedule, RefusesBadInputsWithTheirCodes) {
  TschPV s;
  auto initialize = [&](std::int32_t periods, double payment, double rate) {
    s.Initialize(Date(2024, 1, 1), periods, ratebasis::Ordinary, compounding::Monthly, kMonthlyPayments, rate,
                 Money(payment));
  };
  EXPECT_EQ(ScheduleErrorCode([&] { s.Calculate(); }), 517);
  EXPECT_EQ(ScheduleErrorCode([&] { initialize(0, 100, 12); }), 507);
  EXPECT_EQ(ScheduleErrorCode([&] { initialize(12, 0.00004, 12); }), 510);
  EXPECT_EQ(ScheduleErrorCode([&] { initialize(12, 100, 0.005); }), 509);
  EXPECT_EQ(ScheduleErrorCode([&] {
              s.Initialize(Date(2024, 1, 1), 12, ratebasis::Ordinary, 13, kMonthlyPayments, 12, Money(100));
            }),
            512);
  EXPECT_EQ(ScheduleErrorCode([&] {
              s.Initialize(BadDate, 12, ratebasis::Ordinary, compounding::Monthly, kMonthlyPayments, 12,
                           Money(1));
            }),
            533);
  // A negative payment is a series of outflows: allowed.
  EXPECT_EQ(ScheduleErrorCode([&] { initialize(12, -100, 12); }), 0);
  initialize(12, 100, 12);
  EXPECT_EQ(ScheduleErrorCode([&] { s.SetRowPayment(13, Money(1)); }), 514);
  EXPECT_EQ(ScheduleErrorCode([&] { s.Recalculate({}); }), 517);
  try {
    s.Recalculate({});
  } catch (const EFinCFException& e) {
    EXPECT_STREQ(e.what(), "Memory not allocated for schedule.");
  }
}

}  // namespace
}  // namespace quandrel
