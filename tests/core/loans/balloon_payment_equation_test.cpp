#include "core/loans/balloon_payment_equation.h"

#include <gtest/gtest.h>

#include "core/loans/loan_test_support.h"

namespace quandrel {
namespace {

using namespace quandrel::testing;

// 100,000 at 6% compounded monthly, paying 600 a month with a balloon at
// payment 60. Worked by the cents rule in decimal arithmetic: the balloon is
// 93,623.02 (balance after 59 payments plus the 60th month's interest) and the
// interest 29,023.02; the closed form without cents gives 93,623.00.
constexpr double kAmount = 100000;
constexpr double kRate = 6;
constexpr double kPayment = 600;
constexpr int kPeriod = 60;
constexpr double kBalloon = 93623.02;

int Load(TequBalloonPmt& loan, std::int32_t period, double balloon, double payment, double rate,
         double amount) {
  return loan.SetInputs(0, period, false, kMonthlyCompounding, kMonthly, Money(balloon), Money(payment), rate,
                        Money(amount));
}

TEST(TequBalloonPmt, SolvesEveryUnknownOfTheSameLoan) {
  TequBalloonPmt loan;
  EXPECT_EQ(Load(loan, kPeriod, 0, kPayment, kRate, kAmount), TequBalloonPmt::kBalloonAmount);
  EXPECT_TRUE(loan.BalloonMode());
  loan.Calculate();
  EXPECT_EQ(loan.BalloonAmount(), Money(kBalloon));
  EXPECT_EQ(loan.TotalInterest(), Money(29023.02));

  // The searches find the other inputs back, each to what a cent of balloon allows.
  EXPECT_EQ(Load(loan, kPeriod, kBalloon, 0, kRate, kAmount), TequBalloonPmt::kPayment);
  loan.Calculate();
  EXPECT_NEAR(loan.Payment().ToDouble(), kPayment, 0.001);
  EXPECT_NEAR(loan.TotalInterest().ToDouble(), 29023.02, 0.1);

  EXPECT_EQ(Load(loan, kPeriod, kBalloon, kPayment, kRate, 0), TequBalloonPmt::kAmount);
  loan.Calculate();
  EXPECT_NEAR(loan.Amount().ToDouble(), kAmount, 0.01);

  EXPECT_EQ(Load(loan, kPeriod, kBalloon, kPayment, 0, kAmount), TequBalloonPmt::kRate);
  loan.Calculate();
  EXPECT_NEAR(loan.AnnualRate(), kRate, 0.00001);
  EXPECT_NEAR(loan.TotalInterest().ToDouble(), 29023.02, 0.02);
}

TEST(TequBalloonPmt, BalloonPeriodIsWhereTheBalloonNoLongerCoversTheBalance) {
  // With payments of 600 the balance plus interest first exceeds 80,000
  // (80,194.16) at payment 141; at 142 it is 79,992.13.
  TequBalloonPmt loan;
  EXPECT_EQ(Load(loan, 0, 80000, kPayment, kRate, kAmount), TequBalloonPmt::kBalloonPeriod);
  loan.Calculate();
  EXPECT_EQ(loan.BalloonPeriod(), 141);
  EXPECT_EQ(loan.TotalInterest(), Money(64194.16));

  // A balloon larger than anything owed down to payment 3.
  Load(loan, 0, 200000, kPayment, kRate, kAmount);
  EXPECT_EQ(ScheduleErrorCode([&] { loan.Calculate(); }), 230);
  EXPECT_EQ(loan.BalloonPeriod(), 0);
  EXPECT_EQ(loan.TotalInterest(), Currency());
}

TEST(TequBalloonPmt, WithoutABalloonTheLoanRunsItsTerm) {
  TequBalloonPmt loan;
  EXPECT_EQ(loan.SetInputs(360, 0, false, kMonthlyCompounding, kMonthly, Currency(), Currency(), kRate,
                           Money(kAmount)),
            TequBalloonPmt::kPayment);
  EXPECT_FALSE(loan.BalloonMode());
  loan.Calculate();
  EXPECT_EQ(loan.Payment(), Money(599.55));  // PMT(0.5%, 360, 100000)
  // The rate of that plain loan: its last payment is the regular one.
  loan.SetInputs(360, 0, false, kMonthlyCompounding, kMonthly, Currency(), Money(599.55), 0, Money(kAmount));
  loan.Calculate();
  EXPECT_NEAR(loan.AnnualRate(), kRate, 0.0001);
}

TEST(TequBalloonPmt, RefusesWhatItCannotSolve) {
  struct Case {
    const char* what;
    std::int32_t term, period;
    double balloon, payment, rate, amount;
    int setInputsCode, calculateCode;
  };
  const Case cases[] = {
      {"no balloon, no term and no payment", 0, 0, 0, 0, kRate, kAmount, 211, 0},
      {"payment and balloon amount both zero", 0, kPeriod, 0, 0, kRate, kAmount, 211, 0},
      {"only the term is unknown", 0, 0, 0, kPayment, kRate, kAmount, 0, 232},
      {"balloon below the level payment", 0, kPeriod, 100, 0, kRate, kAmount, 0, 238},
      {"payment repays the loan before the balloon", 0, kPeriod, 0, 5000, kRate, kAmount, 0, 201},
      {"no rate up to 200% owes that balloon", 0, 12, 1000000, 1, 0, 1000, 0, 230},
      {"negative amount", 0, kPeriod, 0, kPayment, kRate, -1, 241, 0},
      {"balloon period beyond a schedule", 0, 40000, 0, 1, kRate, 10, 0, 239},
  };
  for (const Case& c : cases) {
    TequBalloonPmt loan;
    EXPECT_EQ(ScheduleErrorCode([&] {
                loan.SetInputs(c.term, c.period, false, kMonthlyCompounding, kMonthly, Money(c.balloon),
                               Money(c.payment), c.rate, Money(c.amount));
              }),
              c.setInputsCode)
        << c.what;
    if (c.setInputsCode == 0) {
      EXPECT_EQ(ScheduleErrorCode([&] { loan.Calculate(); }), c.calculateCode) << c.what;
    }
  }
  // The failed rate search zeroed the rate and the interest.
  TequBalloonPmt loan;
  loan.SetInputs(0, 12, false, kMonthlyCompounding, kMonthly, Money(1000000), Money(1), 0, Money(1000));
  EXPECT_EQ(ScheduleErrorCode([&] { loan.Calculate(); }), 230);
  EXPECT_EQ(loan.AnnualRate(), 0.0);
  EXPECT_EQ(loan.TotalInterest(), Currency());

  EXPECT_EQ(ScheduleErrorCode([&] { loan.SetMethod(kFixedPrincipal); }), 235);
  EXPECT_EQ(ScheduleErrorCode([&] {
              loan.SetInputs(0, kPeriod, false, kMonthlyCompounding, 11, Currency(), Money(kPayment), kRate,
                             Money(kAmount));
            }),
            242);
}

}  // namespace
}  // namespace quandrel
