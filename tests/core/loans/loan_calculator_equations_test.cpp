#include <gtest/gtest.h>

#include "core/loans/accelerated_payment_equation.h"
#include "core/loans/affordable_house_equation.h"
#include "core/loans/loan_test_support.h"
#include "core/loans/second_mortgage_equation.h"

namespace quandrel {
namespace {

using namespace quandrel::testing;

TEST(TequSecondMortgage, BridgesThePurchase) {
  TequSecondMortgage bridge;
  bridge.SetInputs(360, 9, 6, Money(180000), Money(20000), Money(250000));
  bridge.Calculate();
  EXPECT_EQ(bridge.FirstPayment(), Money(1079.19));  // PMT(0.5%, 360, 180000)
  EXPECT_EQ(bridge.SecondMortgage(), Money(50000));
  EXPECT_EQ(bridge.SecondPayment(), Money(375));  // 9% / 12 of 50,000, interest only
  EXPECT_EQ(bridge.BothPayments(), Money(1454.19));

  TequSecondMortgage covered;
  covered.SetInputs(360, 9, 6, Money(180000), Money(20000), Money(200000));
  EXPECT_EQ(LoanErrorCode([&] { covered.Calculate(); }), 715);
  EXPECT_EQ(LoanErrorCode([&] { covered.SetInputs(0, 9, 6, Money(180000), Money(20000), Money(250000)); }),
            708);
  EXPECT_EQ(LoanErrorCode([&] { covered.SetInputs(360, 0, 6, Money(180000), Money(20000), Money(250000)); }),
            708);
  EXPECT_EQ(LoanErrorCode([&] { covered.SetInputs(360, 9, 6, Money(180000), Currency(), Money(250000)); }),
            708);
  EXPECT_EQ(LoanErrorCode([&] { covered.SetInputs(360, 9, -6, Money(180000), Money(20000), Money(250000)); }),
            720);
}

// Expected values worked period by period in decimal arithmetic, each
// period's interest rounded to cents.
TEST(TequAcceleratedPmt, ExtraPaymentsShortenTheLoanAndSaveInterest) {
  struct Case {
    const char* what;
    int method;
    std::int32_t term, start;
    double extra, rate, amount;
    std::int32_t periods;
    double saved;
  };
  const Case cases[] = {
      // 100,000 at 6% over 360 months (599.55 a month), 100 more a month.
      {"from the first period", kNormal, 360, 1, 100, 6, 100000, 252, 39899.96},
      {"from the sixty-first", kNormal, 360, 61, 100, 6, 100000, 280, 26430.78},
      // 1,200 at 12%, 100 principal a month: interest 12 + 10 + ... + 2 = 42 instead of 78.
      {"fixed principal", kFixedPrincipal, 12, 1, 100, 12, 1200, 6, 36},
      {"no interest", kNoInterest, 12, 1, 100, 12, 1200, 6, 0},
      // An extra amount that starts after the term changes nothing.
      {"start beyond the term", kNormal, 12, 13, 100, 12, 1200, 12, 0},
  };
  for (const Case& c : cases) {
    TequAcceleratedPmt accelerated;
    accelerated.SetInputs(c.term, c.start, c.method, false, kMonthlyCompounding, kMonthly, Money(c.extra),
                          c.rate, Money(c.amount));
    accelerated.Calculate();
    EXPECT_EQ(accelerated.PeriodsToPayOff(), c.periods) << c.what;
    EXPECT_NEAR(accelerated.InterestSaved().ToDouble(), c.saved, c.saved == 0 ? 0.1 : 1e-9) << c.what;
  }
}

TEST(TequAcceleratedPmt, AnAdvanceLoanComparesWithItsOwnPayment) {
  // A cent extra in the very last period saves next to nothing: the baseline
  // is the in-advance loan itself. Only the cents of the rounded payment and
  // of each period's interest remain (in arrears the same case gives -0.45);
  // paying the larger in-arrears payment early would claim 2,966.08 saved.
  TequAcceleratedPmt accelerated;
  accelerated.SetInputs(360, 360, kNormal, true, kMonthlyCompounding, kMonthly, Money(0.01), 6,
                        Money(100000));
  accelerated.Calculate();
  EXPECT_NEAR(accelerated.InterestSaved().ToDouble(), 0, 5.0);
  EXPECT_EQ(accelerated.PeriodsToPayOff(), 360);
  // Interest only in advance: nothing is paid at the start, so the same holds.
  accelerated.SetInputs(12, 12, kInterestOnly, true, kMonthlyCompounding, kMonthly, Money(0.01), 12,
                        Money(1200));
  accelerated.Calculate();
  EXPECT_NEAR(accelerated.InterestSaved().ToDouble(), 0, 0.01);
}

TEST(TequAcceleratedPmt, RefusesWhatItCannotRun) {
  TequAcceleratedPmt accelerated;
  accelerated.SetInputs(12, 1, kRules78, false, kMonthlyCompounding, kMonthly, Money(100), 12, Money(1200));
  EXPECT_EQ(LoanErrorCode([&] { accelerated.Calculate(); }), 714);
  struct Case {
    std::int32_t term, start;
    double extra, rate, amount;
    int code;
  };
  const Case cases[] = {
      {0, 1, 100, 12, 1200, 718},  {12, 1, 100, 0, 1200, 718}, {12, 1, 100, 12, 0, 718},
      {12, 0, 100, 12, 1200, 716}, {12, 1, 0, 12, 1200, 716},  {12, 1, -100, 12, 1200, 720},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoanErrorCode([&] {
                accelerated.SetInputs(c.term, c.start, kNormal, false, kMonthlyCompounding, kMonthly,
                                      Money(c.extra), c.rate, Money(c.amount));
              }),
              c.code)
        << c.term << " " << c.start << " " << c.extra << " " << c.rate << " " << c.amount;
  }
}

TEST(TequAffordableHouse, PriceFromIncomeAndCash) {
  struct Case {
    double income, cash, rate, taxes, maintenance, percent;
    double financed, price;
    const char* text;
  };
  const Case cases[] = {
      // 28% of 60,000 less 4,200 of yearly costs: 1,050 a month for 360 months at 0.5%.
      {60000, 20000, 6, 3000, 1200, 28, 175131.1951, 195131.1951, "Available cash is  10.2% of house price."},
      // A zero rate: the payments' plain sum.
      {60000, 20000, 0, 3000, 1200, 28, 378000, 398000, "Available cash is   5.0% of house price."},
      // Costs above the share of income: nothing to finance.
      {60000, 20000, 6, 12000, 6000, 28, 0, 0, "Available cash is   0.0% of house price."},
      // 28.93% rounds to 28.9, right-aligned in five characters.
      {60000, 71275.45, 6, 3000, 1200, 28, 175131.1951, 246406.6451,
       "Available cash is  28.9% of house price."},
  };
  for (const Case& c : cases) {
    TequAffordableHouse house;
    house.SetInputs(360, c.percent, Money(c.maintenance), Money(c.taxes), c.rate, Money(c.cash),
                    Money(c.income));
    house.Calculate();
    EXPECT_NEAR(house.AmountFinanced().ToDouble(), c.financed, 0.00005) << c.text;
    EXPECT_NEAR(house.HousePrice().ToDouble(), c.price, 0.00005) << c.text;
    EXPECT_EQ(house.ResultText(), c.text);
  }
  TequAffordableHouse house;
  EXPECT_EQ(LoanErrorCode([&] { house.SetInputs(360, 28, Currency(), Currency(), 6, Money(1), Currency()); }),
            717);
  EXPECT_EQ(LoanErrorCode([&] { house.SetInputs(-1, 28, Currency(), Currency(), 6, Money(1), Money(1)); }),
            720);
}

}  // namespace
}  // namespace quandrel
