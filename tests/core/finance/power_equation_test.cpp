#include "core/finance/power_equation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/finance/finance_test_support.h"

namespace quandrel {
namespace {

using testing::FinanceErrorCode;

TEST(TequPower, PowerTakesTheExponentFirst) {
  struct Case {
    Extended a, b, expected;
  };
  const Case cases[] = {
      {0, 0, 1},  {2, 0, 0},     {3, -2, -8},        {-2, 2, 0.25L},
      {0, -5, 1}, {0.5L, 16, 4}, {-0.5L, 16, 0.25L}, {10, 1.5L, 57.6650390625L},
      {2, -3, 9}, {1.5L, 4, 8},  {-3, -2, -0.125L},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(static_cast<double>(TequPower::Power(c.a, c.b)), static_cast<double>(c.expected), 1e-15)
        << "Power(" << static_cast<double>(c.a) << ", " << static_cast<double>(c.b) << ")";
  }
}

TEST(TequPower, IntPowerBySquaring) {
  EXPECT_EQ(TequPower::IntPower(0, 7.5L), 1.0L);
  EXPECT_EQ(TequPower::IntPower(31, 2.0L), 2147483648.0L);
  EXPECT_EQ(TequPower::IntPower(-3, 2.0L), 0.125L);
  EXPECT_EQ(TequPower::IntPower(5, -1.0L), -1.0L);
  EXPECT_EQ(TequPower::IntPower(std::numeric_limits<std::int64_t>::min(), 1.0L), 1.0L);
  // Repeated squaring of an exactly representable factor stays exact.
  EXPECT_EQ(TequPower::IntPower(12, 1.5L), 129.746337890625L);
}

TEST(TequPower, UndefinedPowersRaiseInsteadOfProducingInfinityOrNaN) {
  EXPECT_EQ(FinanceErrorCode([] { TequPower::Power(-2, 0); }), 423);
  EXPECT_EQ(FinanceErrorCode([] { TequPower::Power(-0.5L, 0); }), 423);
  EXPECT_EQ(FinanceErrorCode([] { TequPower::IntPower(-1, 0.0L); }), 423);
  EXPECT_EQ(FinanceErrorCode([] { TequPower::Power(0.5L, -4); }), 424);
  EXPECT_EQ(FinanceErrorCode([] { TequPower::Power(3e9L, -2); }), 424);  // whole, but beyond 32 bits
  EXPECT_EQ(FinanceErrorCode([] { TequPower::Power(3e9L, 1); }), 0);
}

}  // namespace
}  // namespace quandrel
