#include "core/advisors/break_even_equation.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "core/advisors/advisor_exception.h"

namespace quandrel::advisor {
namespace {

int AdvisorErrorCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const EAdvisorException& e) {
    return e.Code();
  }
  return 0;
}

Currency Money(double amount) {
  return Currency::FromDouble(amount);
}

TEST(TadvBreakEven, SumsStopAtTheFirstZero) {
  EXPECT_EQ(TadvBreakEven::SumToFirstZero(std::vector<double>{1000, 0, 500}), Money(1000));
  EXPECT_EQ(TadvBreakEven::SumToFirstZero(std::vector<double>{0, 500}), Currency());
  EXPECT_EQ(TadvBreakEven::SumToFirstZero({}), Currency());
  // Each amount on the four-decimal scale, so the sum is exact.
  EXPECT_EQ(TadvBreakEven::SumToFirstZero(std::vector<double>{0.1, 0.2, 0.00004}), Currency::FromUnits(3000));
  EXPECT_EQ(AdvisorErrorCode([] {
              TadvBreakEven::SumToFirstZero(std::vector<double>{1, std::numeric_limits<double>::quiet_NaN()});
            }),
            125);
  EXPECT_EQ(AdvisorErrorCode([] { TadvBreakEven::SumToFirstZero(std::vector<double>{9e14, 9e14}); }), 125);
}

TEST(TadvBreakEven, UnitsSalesAndTheShareOfEachCost) {
  struct Case {
    std::vector<double> fixed, variable, component;
    double price;
    double units, sales;
    float fixedPct, variablePct, componentPct;
  };
  const Case cases[] = {
      // 1000 / (10 - 6) = 250 units, 2500 in sales: 1000, 0 and 1500 of it.
      {{1000}, {}, {6}, 10, 250, 2500, 40, 0, 60},
      // The 500 after the zero is ignored.
      {{1000, 0, 500}, {0}, {6}, 10, 250, 2500, 40, 0, 60},
      // (4500 + 500) / (25 - 10) = 333.33 units; sales 8333.3333 on the money scale.
      {{3000, 1500}, {500, 0, 900}, {7.5, 2.5}, 25, 5000.0 / 15.0, 8333.3333, 54, 6, 40},
      // No components: every unit sold goes to the costs.
      {{1200}, {300}, {}, 50, 30, 1500, 80, 20, 0},
  };
  for (const Case& c : cases) {
    TadvBreakEven breakEven;
    breakEven.Calculate(c.fixed, c.variable, c.component, Money(c.price));
    EXPECT_DOUBLE_EQ(breakEven.BreakEvenUnits, c.units) << c.price;
    EXPECT_EQ(breakEven.BreakEvenSales, Money(c.sales));
    EXPECT_NEAR(breakEven.FixedPct, c.fixedPct, 1e-4);
    EXPECT_NEAR(breakEven.VariablePct, c.variablePct, 1e-4);
    EXPECT_NEAR(breakEven.ComponentPct, c.componentPct, 1e-4);
    EXPECT_NEAR(breakEven.FixedPct + breakEven.VariablePct + breakEven.ComponentPct, 100, 1e-4);
  }
  TadvBreakEven breakEven;
  breakEven.Calculate(std::vector<double>{3000, 1500}, std::vector<double>{500},
                      std::vector<double>{7.5, 2.5}, Money(25));
  EXPECT_EQ(breakEven.FixedCosts, Money(4500));
  EXPECT_EQ(breakEven.VariableCosts, Money(500));
  EXPECT_EQ(breakEven.UnitComponentCost, Money(10));
}

TEST(TadvBreakEven, APriceThatCannotCoverTheComponentsIsRefused) {
  TadvBreakEven breakEven;
  const std::vector<double> fixed = {1000};
  breakEven.Calculate(fixed, {}, std::vector<double>{6}, Money(10));

  // Above the price: refused before anything is computed.
  EXPECT_EQ(AdvisorErrorCode([&] {
              breakEven.Calculate(fixed, {}, std::vector<double>{6, 4.01}, Money(10));
            }),
            122);
  // Equal to the price: each unit only pays for itself, and no division by the zero margin happens.
  EXPECT_EQ(AdvisorErrorCode([&] {
              breakEven.Calculate(fixed, {}, std::vector<double>{6, 4}, Money(10));
            }),
            122);
  // A result beyond money.
  EXPECT_EQ(AdvisorErrorCode([&] {
              breakEven.Calculate(std::vector<double>{10}, {}, std::vector<double>{9e14 - 1}, Money(9e14));
            }),
            125);
  // The previous results stay.
  EXPECT_EQ(breakEven.BreakEvenUnits, 250);
  EXPECT_EQ(breakEven.BreakEvenSales, Money(2500));
  EXPECT_EQ(breakEven.UnitComponentCost, Money(6));
  EXPECT_FLOAT_EQ(breakEven.FixedPct, 40);

  // With no costs to cover there is nothing to break even: every result is 0.
  breakEven.Calculate({}, {}, std::vector<double>{10}, Money(10));
  EXPECT_EQ(breakEven.BreakEvenUnits, 0);
  EXPECT_EQ(breakEven.BreakEvenSales, Currency());
  EXPECT_EQ(breakEven.FixedPct, 0);
  EXPECT_EQ(breakEven.ComponentPct, 0);
  EXPECT_EQ(breakEven.UnitComponentCost, Money(10));
}

}  // namespace
}  // namespace quandrel::advisor
