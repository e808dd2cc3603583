#include "core/loans/simple_amortization.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/foundation/date_arithmetic.h"
#include "core/loans/loan_test_support.h"

namespace quandrel {
namespace {

using namespace quandrel::testing;

constexpr int kLeave = TschSimpleBaseAmort::kLeaveBalance;
constexpr int kAdjust = TschSimpleBaseAmort::kAdjustPayment;
constexpr int kReduceInterest = TschSimpleBaseAmort::kReduceInterest;

// 1,000 over 12 months at 12% compounded monthly: the level payment is 88.85.
void SetMonthly(TschSimpleBaseAmort& schedule, double payment, int adjustMode, bool inAdvance = false,
                int term = 12, double amount = 1000, double rate = 0.12, int method = kNormal) {
  schedule.SetInputs(term, kMonthly, 0, false, adjustMode, 0, 0, inAdvance, method, kMonthlyCompounding, rate,
                     payment, amount);
}

// The expected figures below are worked with decimal arithmetic by the cents
// rule, independently of this code.
TEST(TschSimpleNormalAmort, SettlesTheLastPaymentByTheAdjustMode) {
  struct Case {
    double payment;
    int adjustMode;
    double finalBalance, lastPayment, lastInterest, lastBalance, totalInterest;
  };
  const Case cases[] = {
      {88.86, kLeave, -0.13, 88.86, 0.88, -0.13, 66.19},  // a cent high: overpaid
      {88.86, kAdjust, -0.13, 88.73, 0.88, 0, 66.19},
      {88.86, kReduceInterest, -0.13, 88.73, 0.88, 0, 66.19},  // overpaid always cuts the payment
      {88.84, kAdjust, 0.11, 88.95, 0.88, 0, 66.19},           // a cent low: the rest is paid
      {88.84, kReduceInterest, 0.11, 88.84, 0.77, 0, 66.08},
  };
  for (const Case& c : cases) {
    TschSimpleNormalAmort schedule;
    SetMonthly(schedule, c.payment, c.adjustMode);
    schedule.Generate();
    ASSERT_EQ(schedule.LastRowIndex(), 11);
    const TAmortRow& last = schedule.Rows.back();
    EXPECT_NEAR(schedule.FinalBalance(), c.finalBalance, 1e-9) << c.payment << " " << c.adjustMode;
    EXPECT_NEAR(last.Payment, c.lastPayment, 1e-9) << c.payment << " " << c.adjustMode;
    EXPECT_NEAR(last.Interest, c.lastInterest, 1e-9) << c.payment << " " << c.adjustMode;
    EXPECT_NEAR(last.Balance, c.lastBalance, 1e-9) << c.payment << " " << c.adjustMode;
    EXPECT_NEAR(schedule.TotalInterest(), c.totalInterest, 1e-9) << c.payment << " " << c.adjustMode;
    // Whatever the adjustment, the rows stay consistent: payments = principal + interest.
    EXPECT_NEAR(last.CumPayments, last.CumPrincipal + last.CumInterest, 1e-9);
    EXPECT_NEAR(last.CumPrincipal + last.Balance, 1000, 1e-9);
  }
}

TEST(TschSimpleNormalAmort, RowsCarryPeriodsYearsAndTheAdvance) {
  TschSimpleNormalAmort schedule;
  SetMonthly(schedule, 88.86, kAdjust);
  schedule.Generate();
  const TAmortRow& first = schedule.Rows.front();
  EXPECT_EQ(first.Period, 1);
  EXPECT_EQ(first.Year, 0);
  EXPECT_EQ(schedule.Rows[10].Year, 0);
  EXPECT_EQ(schedule.Rows[11].Year, 1);  // period 12 of a monthly loan
  EXPECT_EQ(schedule.LastYear(), 1);
  EXPECT_EQ(schedule.LastPeriod(), 12);
  EXPECT_DOUBLE_EQ(first.LoanAdvance, 1000);
  EXPECT_DOUBLE_EQ(schedule.Rows[1].LoanAdvance, 0);
  EXPECT_NEAR(first.Interest, 10.00, 1e-9);
  EXPECT_NEAR(first.Principal, 78.86, 1e-9);
  EXPECT_NEAR(first.Balance, 921.14, 1e-9);
  EXPECT_NEAR(D(first.PeriodicRate), 0.01, 1e-18);
  EXPECT_NEAR(D(first.AnnualRate), 0.12, 1e-18);

  // In advance the first payment carries no interest.
  SetMonthly(schedule, 88.86, kAdjust, true);
  schedule.Generate();
  EXPECT_EQ(schedule.Rows.front().Interest, 0.0);
  EXPECT_NEAR(schedule.Rows.front().Balance, 911.14, 1e-9);

  // A payment that repays the loan early stops the schedule there.
  SetMonthly(schedule, 600, kLeave);
  schedule.Generate();
  EXPECT_EQ(schedule.LastPeriod(), 2);
  EXPECT_NEAR(schedule.LastBalance(), -185.90, 1e-9);  // 1000 + 10 - 600 = 410; 410 + 4.10 - 600
}

TEST(TschSimpleNormalAmort, InterestByCompoundingAndBasis) {
  struct Case {
    const char* what;
    int compounding;
    int basis;
    double rate;
    double interest;  // of the first month on 1,000
  };
  const Case cases[] = {
      {"monthly, ordinary", kMonthlyCompounding, 0, 0.12, 10.00},
      // 1000 * (2.718281828^0.01 - 1) = 10.0502
      {"continuous", 0, 0, 0.12, 10.05},
      // a daily rate over the month's 30 days: 1000 * (1.01^(360/365) - 1) = 9.8623
      {"monthly, actual/365", kMonthlyCompounding, 4, 0.12, 9.86},
      {"simple", 11, 0, 0.12, 10.00},
      {"zero rate", kMonthlyCompounding, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TschSimpleNormalAmort schedule;
    schedule.SetInputs(12, kMonthly, 0, false, kLeave, 0, c.basis, false, kNormal, c.compounding, c.rate, 50,
                       1000);
    schedule.Generate();
    EXPECT_NEAR(schedule.InterestAt(0), c.interest, 1e-9) << c.what;
  }
}

TEST(TschSimpleCanadianAmort, SemiannualCompoundingAndMonthlyPaymentsOnly) {
  // 100,000 at 6% compounded semiannually, 300 monthly payments of 639.81.
  TschSimpleCanadianAmort schedule;
  schedule.SetInputs(300, kMonthly, 0, false, kAdjust, 0, 0, false, kCanadian, kSemiannualCompounding, 0.06,
                     639.81, 100000);
  schedule.Generate();
  EXPECT_NEAR(schedule.InterestAt(0), 493.86, 1e-9);  // 100,000 * (1.03^(1/6) - 1)
  EXPECT_EQ(schedule.LastPeriod(), 300);
  EXPECT_NEAR(schedule.FinalBalance(), -1.82, 1e-9);  // the payment was rounded up
  EXPECT_NEAR(schedule.PaymentAt(299), 637.99, 1e-9);

  EXPECT_EQ(ScheduleErrorCode([&] {
              schedule.SetInputs(300, kQuarterly, 0, false, kAdjust, 0, 0, false, kCanadian,
                                 kSemiannualCompounding, 0.06, 1900, 100000);
            }),
            203);
  EXPECT_EQ(ScheduleErrorCode([&] {
              schedule.SetInputs(300, kMonthly, 0, false, kAdjust, 0, 0, false, kCanadian,
                                 kMonthlyCompounding, 0.06, 639.81, 100000);
            }),
            202);
  // The refused inputs left the previous ones in place.
  EXPECT_EQ(schedule.Compounding(), kSemiannualCompounding);
  EXPECT_EQ(schedule.PaymentPeriod(), kMonthly);
}

TEST(TschSimpleIntOnlyAmort, PrincipalStaysUntilTheEnd) {
  TschSimpleIntOnlyAmort schedule;
  SetMonthly(schedule, 0, kAdjust, false, 12, 1000, 0.12, kInterestOnly);
  schedule.Generate();
  ASSERT_EQ(schedule.LastRowIndex(), 11);
  EXPECT_NEAR(schedule.PaymentAt(0), 10.00, 1e-9);
  EXPECT_EQ(schedule.PrincipalAt(5), 0.0);
  EXPECT_NEAR(schedule.PaymentAt(11), 1010.00, 1e-9);
  EXPECT_NEAR(schedule.CumPrincipalAt(11), 1000, 1e-9);
  EXPECT_NEAR(schedule.CumInterestAt(11), 120, 1e-9);

  SetMonthly(schedule, 0, kLeave, true, 12, 1000, 0.12, kInterestOnly);
  schedule.Generate();
  EXPECT_NEAR(schedule.InterestAt(0), 10.00, 1e-9);  // charged in the first row in advance too
  EXPECT_NEAR(schedule.LastBalance(), 1000, 1e-9);
}

TEST(TschSimpleFixPrinAmort, TheResidualCentGoesToTheLastPayment) {
  TschSimpleFixPrinAmort schedule;
  schedule.SetInputs(3, kMonthly, 0, false, kAdjust, 0, 0, false, kFixedPrincipal, kMonthlyCompounding, 0.12,
                     0, 1000);
  EXPECT_DOUBLE_EQ(schedule.PrincipalPerPeriod(), 333.33);
  schedule.Generate();
  ASSERT_EQ(schedule.LastRowIndex(), 2);
  EXPECT_NEAR(schedule.PaymentAt(0), 343.33, 1e-9);  // 333.33 + 10.00
  EXPECT_NEAR(schedule.PaymentAt(1), 340.00, 1e-9);  // 333.33 + 1% of 666.67
  EXPECT_NEAR(schedule.PaymentAt(2), 336.67, 1e-9);  // 333.33 + 3.33 + the residual 0.01
  EXPECT_NEAR(schedule.FinalBalance(), 0.01, 1e-9);
  EXPECT_EQ(schedule.LastBalance(), 0.0);

  // 100 / 3: the residual of 100 - 3 x 33.33 is a cent even when binary sums
  // leave it a hair below.
  schedule.SetInputs(3, kMonthly, 0, false, kAdjust, 0, 0, false, kFixedPrincipal, kMonthlyCompounding, 0, 0,
                     100);
  schedule.Generate();
  EXPECT_NEAR(schedule.PaymentAt(2), 33.34, 1e-9);
  // 2 / 3 = 0.666...: rounded to 0.67, so the loan is repaid in the third row.
  schedule.SetInputs(3, kMonthly, 0, false, kAdjust, 0, 0, false, kFixedPrincipal, kMonthlyCompounding, 0, 0,
                     2);
  schedule.Generate();
  EXPECT_NEAR(schedule.PaymentAt(2), 0.66, 1e-9);
}

TEST(TschSimpleRules78Amort, SplitsTheFinanceChargeBySumOfDigits) {
  // 1,000 repaid with 12 payments of 90: a finance charge of 80 over 78 digits.
  TschSimpleRules78Amort schedule;
  SetMonthly(schedule, 90, kAdjust, false, 12, 1000, 0.12, kRules78);
  schedule.Generate();
  ASSERT_EQ(schedule.LastRowIndex(), 12);
  EXPECT_EQ(schedule.Rows[0].Period, 0);
  EXPECT_DOUBLE_EQ(schedule.Rows[0].Balance, 1000);
  EXPECT_EQ(schedule.InterestAt(0), 0.0);
  EXPECT_NEAR(schedule.InterestAt(1), 80.0 * 12 / 78, 1e-12);
  EXPECT_NEAR(schedule.InterestAt(12), 80.0 / 78, 1e-12);
  EXPECT_NEAR(schedule.PrincipalAt(1), 90 - 80.0 * 12 / 78, 1e-12);
  EXPECT_NEAR(schedule.CumInterestAt(12), 80, 1e-9);
  EXPECT_NEAR(schedule.FinalBalance(), 0, 1e-9);
  for (const TAmortRow& row : schedule.Rows) {
    EXPECT_EQ(row.Year, 0);
  }
}

TEST(TschSimpleBaseAmort, RefusesInputsItCannotHold) {
  struct Case {
    const char* what;
    std::int32_t term;
    int paymentPeriod, compounding, basis, method;
    bool usRule;
    double amount;
    int code;
  };
  const Case cases[] = {
      {"daily compounding under the US Rule", 12, kMonthly, 1, 0, kNormal, true, 1000, 204},
      {"term 0", 0, kMonthly, kMonthlyCompounding, 0, kNormal, false, 1000, 239},
      {"term beyond 16 bits", 32768, kMonthly, kMonthlyCompounding, 0, kNormal, false, 1000, 239},
      {"payment period 11", 12, 11, kMonthlyCompounding, 0, kNormal, false, 1000, 242},
      {"compounding 12", 12, kMonthly, 12, 0, kNormal, false, 1000, 242},
      {"rate basis 6", 12, kMonthly, kMonthlyCompounding, 6, kNormal, false, 1000, 242},
      {"method 6", 12, kMonthly, kMonthlyCompounding, 0, 6, false, 1000, 215},
      {"an amount that is not a number", 12, kMonthly, kMonthlyCompounding, 0, kNormal, false, std::nan(""),
       240},
  };
  for (const Case& c : cases) {
    TschSimpleNormalAmort schedule;
    EXPECT_EQ(ScheduleErrorCode([&] {
                schedule.SetInputs(c.term, c.paymentPeriod, 0, c.usRule, kLeave, 0, c.basis, false, c.method,
                                   c.compounding, 0.12, 88.85, c.amount);
              }),
              c.code)
        << c.what;
  }
  // The US Rule allows compounding as often as payments, or less often.
  TschSimpleNormalAmort schedule;
  schedule.SetInputs(12, kMonthly, 0, true, kLeave, 0, 0, false, kNormal, kMonthlyCompounding, 0.12, 88.85,
                     1000);
  schedule.SetInputs(12, kMonthly, 0, true, kLeave, 0, 0, false, kNormal, kSemiannualCompounding, 0.12, 88.85,
                     1000);
  // A balance that runs away is refused, not shown as infinity.
  schedule.SetInputs(32767, kMonthly, 0, false, kLeave, 0, 0, false, kNormal, kMonthlyCompounding, 1.2, -1e12,
                     1e12);
  EXPECT_EQ(ScheduleErrorCode([&] { schedule.Generate(); }), 240);
}

TEST(TschSimpleBaseAmort, ReadersAndCopiesCheckTheirTargets) {
  TschSimpleNormalAmort schedule;
  SetMonthly(schedule, 88.85, kAdjust);
  schedule.Generate();
  for (int k : {-1, 12}) {
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.InterestAt(k); }), 201) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.CumInterestAt(k); }), 201) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.CumPaymentsAt(k); }), 201) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.CumPrincipalAt(k); }), 201) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.BalanceAt(k); }), 201) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.InterestPresentValue(k); }), 201) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.PaymentAt(k); }), 214) << k;
    EXPECT_EQ(ScheduleErrorCode([&] { schedule.PrincipalAt(k); }), 214) << k;
  }
  EXPECT_EQ(ScheduleErrorCode([&] { schedule.CopyRowsTo(nullptr); }), 220);
  EXPECT_EQ(ScheduleErrorCode([&] { schedule.CopyRow(schedule.Rows[0], nullptr); }), 219);

  TschSimpleNormalAmort::RowList copy(30);
  schedule.CopyRowsTo(&copy);
  EXPECT_EQ(copy, schedule.Rows);

  // A failed build keeps the rows it had.
  const TschSimpleNormalAmort::RowList before = schedule.Rows;
  schedule.SetInputs(32767, kMonthly, 0, false, kLeave, 0, 0, false, kNormal, kMonthlyCompounding, 1.2, -1e12,
                     1e12);
  EXPECT_EQ(ScheduleErrorCode([&] { schedule.Generate(); }), 240);
  EXPECT_EQ(schedule.Rows, before);
}

TEST(TschSimpleBaseAmort, InterestPresentValueDiscountsEachRowsInterest) {
  const FixedTodayScope today(DateFromDMY(15, 3, 2024));
  TschSimpleNormalAmort schedule;
  SetMonthly(schedule, 88.85, kAdjust);
  schedule.Generate();
  // Without a discount rate the present value is the plain sum.
  EXPECT_NEAR(D(schedule.InterestPresentValue(5)), schedule.CumInterestAt(5), 1e-9);
  // At 12% a year compounded monthly the interest of row j is discounted
  // j + 1 months at 1%.
  schedule.DiscountRate = 12;
  double expected = 0;
  for (int j = 0; j <= 5; ++j) {
    expected += schedule.InterestAt(j) / std::pow(1.01, j + 1);
  }
  EXPECT_NEAR(D(schedule.InterestPresentValue(5)), expected, 0.0001);
}

}  // namespace
}  // namespace quandrel
