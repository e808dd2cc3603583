#include "core/business/eoq_equation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "business_test_support.h"

namespace quandrel {
namespace {

using testing::BusinessErrorCode;

TEST(TequEOQ, SquareRootFormula) {
  struct Case {
    double orderCost, annualUnits, price;
    std::int32_t lotSize;
    Extended ratePct;
    double unitPrice, carryingCost, eoq;
    std::int32_t lots;
  };
  // EOQ = sqrt(2 D S / H), H = rate x price of one unit.
  const Case cases[] = {
      // sqrt(2 x 1000 x 50 / 2) = sqrt(50000) = 223.607; 22.36 lots of 10.
      {50, 1000, 100, 10, 20, 10, 2, 223.60679774997897, 22},
      // The same per single unit: 224 units.
      {50, 1000, 10, 1, 20, 10, 2, 223.60679774997897, 224},
      // sqrt(2 x 1200 x 100 / 6) = 200.
      {100, 1200, 30, 1, 20, 30, 6, 200, 200},
      // Halves go to the even neighbour: 25 / 10 = 2.5 -> 2, 35 / 10 = 3.5 -> 4.
      {1, 625, 100, 10, 20, 10, 2, 25, 2},
      {1, 1225, 100, 10, 20, 10, 2, 35, 4},
      // Nothing to order.
      {0, 1000, 100, 10, 20, 10, 2, 0, 0},
  };
  for (const Case& c : cases) {
    TequEOQ eoq;
    eoq.SetInputs(c.orderCost, c.annualUnits, c.price, c.lotSize, c.ratePct);
    EXPECT_EQ(eoq.Calculate(), c.lots) << c.annualUnits;
    EXPECT_EQ(eoq.Lots, c.lots);
    EXPECT_DOUBLE_EQ(eoq.UnitPrice, c.unitPrice);
    EXPECT_DOUBLE_EQ(eoq.UnitCarryingCost, c.carryingCost);
    EXPECT_NEAR(eoq.EOQ, c.eoq, 1e-12);
  }
}

TEST(TequEOQ, InputsWithoutAnOrderQuantityAreRefusedAndTheResultsStay) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double orderCost, annualUnits, price;
    std::int32_t lotSize;
    Extended ratePct;
    int code;
  };
  const Case cases[] = {
      {50, 1000, 100, 0, 20, 604},                                    // lot size not positive
      {50, 1000, 100, -5, 20, 604},      {50, 1000, 0, 10, 20, 606},  // no carrying cost: zero price ...
      {50, 1000, 100, 10, 0, 606},                                    // ... or zero rate
      {-50, 1000, 100, 10, 20, 607},  // a negative input would put a negative under the root
      {50, -1000, 100, 10, 20, 607},     {50, 1000, -100, 10, 20, 607},
      {50, 1000, 100, 10, -20, 607},     {-50, -1000, 100, 10, 20, 607},  // two negatives are no better
      {kNaN, 1000, 100, 10, 20, 608},    {50, std::numeric_limits<double>::infinity(), 100, 10, 20, 608},
      {1e308, 1e308, 1e-300, 1, 1, 608},  // beyond a double
      {1, 1e24, 100, 10, 20, 608},        // 1e11 lots of 10
  };
  for (const Case& c : cases) {
    TequEOQ eoq;
    eoq.SetInputs(50, 1000, 100, 10, 20);
    eoq.Calculate();
    eoq.SetInputs(c.orderCost, c.annualUnits, c.price, c.lotSize, c.ratePct);
    EXPECT_EQ(BusinessErrorCode([&] { eoq.Calculate(); }), c.code) << c.orderCost << " " << c.lotSize;
    EXPECT_EQ(eoq.Lots, 22);
    EXPECT_EQ(eoq.UnitPrice, 10);
  }
}

}  // namespace
}  // namespace quandrel
