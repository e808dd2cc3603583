#include "core/loans/loan_equation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/finance/finance_exception.h"
#include "core/finance/rate_equation.h"
#include "core/loans/loan_test_support.h"

namespace quandrel {
namespace {

using namespace quandrel::testing;

// The four solves of ordinary loans against the spreadsheet functions
// PMT, PV, NPER and RATE (values worked independently of this code).
TEST(TequLoan, SolvesEachUnknownLikeTheSpreadsheetFunctions) {
  struct Case {
    const char* what;
    std::int32_t term;
    bool inAdvance;
    double payment, rate, amount;
    int unknown;
    double expected;  // the solved field
    double tolerance;
  };
  const Case cases[] = {
      {"PMT(0.5%,60,10000)", 60, false, 0, 0.005, 10000, TequLoan::kPayment, 193.33, 0},
      {"PMT(8%/12,10,10000)", 10, false, 0, 0.08 / 12, 10000, TequLoan::kPayment, 1037.03, 0},
      {"PMT(8%/12,10,10000,0,1)", 10, true, 0, 0.08 / 12, 10000, TequLoan::kPayment, 1030.16, 0},
      {"PV(8%/12,240,500)", 240, false, 500, 0.08 / 12, 0, TequLoan::kAmount, 59777.1459, 0.00005},
      // The spreadsheet's 60,175.66 less the factor's fifth decimal: the
      // annuity factor of an advance loan is kept to four decimals (120.3513).
      {"PV(8%/12,240,500,0,1)", 240, true, 500, 0.08 / 12, 0, TequLoan::kAmount, 60175.65, 0.00005},
      {"NPER(1%,100,1000)", 0, false, 100, 0.01, 1000, TequLoan::kTerm, 10.588644459, 1e-8},
      // The search stops once a step is below 0.0001, well inside the four
      // decimals of an annual percentage.
      {"RATE(48,200,8000)", 48, false, 200, 0, 8000, TequLoan::kRate, 0.0077014725, 1e-7},
      {"RATE(10,1030.16,10000,0,1)", 10, true, 1030.16, 0, 10000, TequLoan::kRate, 0.08 / 12, 2e-6},
  };
  for (const Case& c : cases) {
    TequLoan loan;
    EXPECT_EQ(loan.SetInputs(c.term, c.inAdvance, kNormal, Money(c.payment), c.rate, Money(c.amount)),
              c.unknown)
        << c.what;
    loan.Calculate();
    double solved = 0;
    switch (c.unknown) {
      case TequLoan::kPayment:
        solved = loan.Payment().ToDouble();
        break;
      case TequLoan::kAmount:
        solved = loan.Amount().ToDouble();
        break;
      case TequLoan::kTerm:
        solved = loan.TermReal();
        break;
      default:
        solved = loan.PeriodicRate();
        break;
    }
    EXPECT_NEAR(solved, c.expected, c.tolerance + 1e-9) << c.what;
  }
}

TEST(TequLoan, TotalInterestFollowsTheSolvedTerm) {
  TequLoan loan;
  loan.SetInputs(60, false, kNormal, Currency(), 0.005, Money(10000));
  EXPECT_EQ(loan.TotalInterest(), Money(1599.80));  // 60 x 193.33 - 10,000; the getter calculates

  // NPER(1%, 100, 1000) = 10.5886: 11 whole periods, interest over the real term.
  loan.SetInputs(0, false, kNormal, Money(100), 0.01, Money(1000));
  EXPECT_EQ(loan.Term(), 11);
  EXPECT_NEAR(loan.TotalInterest().ToDouble(), 10.588644459 * 100 - 1000, 0.0001);

  // Terms round to the nearest whole period, halves to even (No Interest: amount / payment).
  loan.SetInputs(0, false, kNoInterest, Money(100), 0, Money(5850));
  EXPECT_EQ(loan.Term(), 58);
  loan.SetInputs(0, false, kNoInterest, Money(100), 0, Money(5950));
  EXPECT_EQ(loan.Term(), 60);
  EXPECT_EQ(loan.TotalInterest(), Currency());
}

TEST(TequLoan, CanadianMortgageWithSemiannualCompounding) {
  // 100,000 over 25 years of monthly payments at 6% compounded semiannually:
  // the monthly rate is 1.03^(1/6) - 1 and the payment the textbook 639.81.
  TequRate rate;
  const double i = static_cast<double>(rate.PeriodicRate(kMonthly, kSemiannualCompounding, 0, 0.06L));
  EXPECT_NEAR(i, std::pow(1.03, 1.0 / 6) - 1, 1e-15);
  TequLoan loan;
  loan.SetInputs(300, false, kCanadian, Currency(), i, Money(100000));
  EXPECT_EQ(loan.Payment(), Money(639.81));
}

TEST(TequLoan, MethodsChangeTheClosedForms) {
  const double i = 0.01;
  // Fixed principal and no interest pay the principal share.
  EXPECT_EQ(TequLoan::PaymentInArrears(12, kFixedPrincipal, i, Money(1200)), Money(100));
  EXPECT_EQ(TequLoan::PaymentInAdvance(12, kNoInterest, i, Money(1200)), Money(100));
  // Interest only: the interest in arrears, nothing at the start in advance.
  EXPECT_EQ(TequLoan::PaymentInArrears(12, kInterestOnly, i, Money(1200)), Money(12));
  EXPECT_EQ(TequLoan::PaymentInAdvance(12, kInterestOnly, i, Money(1200)), Currency());
  EXPECT_EQ(TequLoan::AmountInArrears(12, kInterestOnly, i, Money(12)), Money(1200));
  EXPECT_EQ(TequLoan::AmountInArrears(12, kNoInterest, i, Money(100)), Money(1200));
  // The amount of a fixed-principal loan: refused in arrears, n x P in advance.
  EXPECT_EQ(LoanErrorCode([] { TequLoan::AmountInArrears(12, kFixedPrincipal, 0.01, Money(100)); }), 713);
  EXPECT_EQ(TequLoan::AmountInAdvance(12, kFixedPrincipal, i, Money(100)), Money(1200));
  EXPECT_EQ(LoanErrorCode([] { TequLoan::AmountInAdvance(12, kInterestOnly, 0.01, Money(12)); }), 701);
  // Fixed principal in arrears: 1,200 repaid 100 a period after a first payment
  // of 100 + 12 takes 12 periods.
  EXPECT_NEAR(D(TequLoan::TermInArrears(kFixedPrincipal, i, Money(112), Money(1200))), 12, 1e-12);
  EXPECT_NEAR(D(TequLoan::TermInAdvance(kNoInterest, i, Money(100), Money(1200))), 12, 1e-12);

  // Fixed principal interest is that of the average balance: 1% of 1,200,
  // 1,100, ..., 100 is 78.00; in advance the first 100 is repaid at once (66.00).
  TequLoan loan;
  loan.SetInputs(12, false, kFixedPrincipal, Currency(), i, Money(1200));
  EXPECT_EQ(loan.TotalInterest(), Money(78));
  loan.SetInputs(12, true, kFixedPrincipal, Currency(), i, Money(1200));
  EXPECT_EQ(loan.TotalInterest(), Money(66));
  // Interest only: n payments of interest.
  loan.SetInputs(12, false, kInterestOnly, Currency(), i, Money(1200));
  EXPECT_EQ(loan.TotalInterest(), Money(144));
}

TEST(TequLoan, TheUnknownIsTheOneZeroInput) {
  TequLoan loan;
  EXPECT_EQ(LoanErrorCode([&] { loan.SetInputs(0, false, kNormal, Currency(), 0.01, Money(1000)); }), 708);
  EXPECT_EQ(LoanErrorCode([&] { loan.SetInputs(12, false, 6, Currency(), 0.01, Money(1000)); }), 701);
  // An amount or payment below a cent counts as zero.
  EXPECT_EQ(loan.SetInputs(12, false, kNormal, Money(0.009), 0.01, Money(1000)), TequLoan::kPayment);
  EXPECT_EQ(loan.SetInputs(12, false, kNormal, Money(88.85), 0.01, Money(-0.009)), TequLoan::kAmount);
  // Nothing zero: the previous unknown is solved again.
  loan.SetInputs(12, false, kNormal, Currency(), 0.01, Money(1000));
  EXPECT_EQ(loan.Payment(), Money(88.85));
  EXPECT_EQ(loan.SetInputs(12, false, kNormal, Money(500), 0.01, Money(2000)), TequLoan::kPayment);
  EXPECT_EQ(loan.Payment(), Money(177.70));
  // No Interest stores a zero rate whatever is passed and never solves for it.
  EXPECT_EQ(loan.SetInputs(12, false, kNoInterest, Currency(), 0.05, Money(1200)), TequLoan::kPayment);
  EXPECT_EQ(loan.PeriodicRate(), 0.0);
  EXPECT_EQ(loan.Payment(), Money(100));
  // A fresh object has nothing to solve.
  TequLoan fresh;
  fresh.SetInputs(12, false, kNormal, Money(88.85), 0.01, Money(1000));
  try {
    fresh.Calculate();
    FAIL() << "no exception";
  } catch (const EFinanceException& e) {
    EXPECT_EQ(e.Code(), 418);
  }
}

TEST(TequLoan, SettersClearResultsOnlyOnChange) {
  TequLoan loan;
  loan.SetInputs(12, false, kNormal, Currency(), 0.01, Money(1000));
  EXPECT_EQ(loan.Payment(), Money(88.85));
  loan.SetAmount(Money(1000));
  EXPECT_TRUE(loan.Calculated());
  loan.SetAmount(Money(2000));
  EXPECT_FALSE(loan.Calculated());
  loan.SetTerm(24);
  EXPECT_EQ(loan.Payment(), Money(94.15));  // PMT(1%, 24, 2000) = 94.147
}

TEST(TequLoan, RefusesLoansThatCannotBeRepaid) {
  struct Case {
    const char* what;
    std::int32_t term;
    bool inAdvance;
    int method;
    double payment, rate, amount;
    int code;
  };
  const Case cases[] = {
      {"payment below the interest in arrears", 0, false, kNormal, 9.99, 0.01, 1000, 702},
      {"payment below the interest in advance", 0, true, kNormal, 9.99, 0.01, 1000, 702},
      {"payment equal to the interest", 0, false, kNormal, 10, 0.01, 1000, 702},
      {"fixed principal equal to the interest", 0, false, kFixedPrincipal, 10, 0.01, 1000, 702},
      {"interest only never repays", 0, false, kInterestOnly, 20, 0.01, 1000, 702},
      {"payments below the amount need a negative rate", 12, false, kNormal, 80, 0, 1000, 703},
      {"negative amount", 12, false, kNormal, 0, 0.01, -1000, 711},
      {"negative term", -12, false, kNormal, 0, 0.01, 1000, 712},
      {"negative rate", 12, false, kNormal, 0, -0.01, 1000, 720},
      {"negative payment", 12, false, kNormal, -88.85, 0.01, 0, 720},
      {"a term beyond 32 bits", 0, false, kFixedPrincipal, 10000.0001, 0.01, 1000000, 719},
  };
  for (const Case& c : cases) {
    TequLoan loan;
    loan.SetInputs(c.term, c.inAdvance, c.method, Money(c.payment), c.rate, Money(c.amount));
    EXPECT_EQ(LoanErrorCode([&] { loan.Calculate(); }), c.code) << c.what;
    EXPECT_FALSE(loan.Calculated()) << c.what;
  }
  // No Interest after a rate solve: its rate cannot be found.
  TequLoan loan;
  loan.SetInputs(12, false, kNormal, Money(88.85), 0, Money(1000));
  EXPECT_NEAR(loan.PeriodicRate(), 0.01, 1e-5);
  loan.SetInputs(12, false, kNoInterest, Money(100), 0.01, Money(1200));
  EXPECT_EQ(LoanErrorCode([&] { loan.Calculate(); }), 707);
  // Payments that return exactly the amount: a zero rate, not a division by zero.
  loan.SetInputs(12, false, kNormal, Money(100), 0, Money(1200));
  EXPECT_EQ(loan.PeriodicRate(), 0.0);
  EXPECT_EQ(loan.TotalInterest(), Currency());
}

TEST(TequLoan, LevelPaymentChecksItsInputs) {
  EXPECT_EQ(TequLoan::LevelPayment(360, 0.005, Money(180000)), Money(1079.19));  // PMT(0.5%, 360, 180000)
  // At a zero rate the payment is the principal share, not 0 / 0.
  EXPECT_EQ(TequLoan::LevelPayment(12, 0, Money(1200)), Money(100));
  EXPECT_EQ(LoanErrorCode([] { TequLoan::LevelPayment(12, 0.01, Money(-1)); }), 711);
  EXPECT_EQ(LoanErrorCode([] { TequLoan::LevelPayment(-1, 0.01, Money(1000)); }), 712);
  EXPECT_EQ(LoanErrorCode([] { TequLoan::LevelPayment(12, -0.01, Money(1000)); }), 703);
  EXPECT_EQ(LoanErrorCode([] { TequLoan::LevelPayment(0, 0.01, Money(1000)); }), 718);
}

}  // namespace
}  // namespace quandrel
