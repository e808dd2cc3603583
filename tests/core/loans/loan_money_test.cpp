#include "core/loans/loan_money.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/loans/loan_test_support.h"

namespace quandrel {
namespace {

using namespace quandrel::testing;

TEST(RoundMoney, HalvesGoAwayFromZeroAsTheDecimalTextReads) {
  struct Case {
    Extended value;
    double expected;
  };
  const Case cases[] = {
      {193.325L, 193.33},  // below the half in binary, a half in its decimal text
      {static_cast<double>(2.675), 2.68},
      {-2.675L, -2.68},
      {2.0L / 3, 0.67},
      {1000.0L / 3, 333.33},
      {0.004999L, 0.00},
      {0.005L, 0.01},
      {1234567.125L, 1234567.13},
      {-0.0049L, 0.00},
      {1e-30L, 0.00},
      {99999999999.995L, 100000000000.00},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(D(RoundMoney(c.value)), c.expected, 1e-9) << D(c.value);
  }
  // On the four-decimal scale a half is exact.
  EXPECT_EQ(RoundMoney(Currency::FromUnits(1933250)), Money(193.33));
  EXPECT_EQ(RoundMoney(Currency::FromUnits(-50)), Money(-0.01));
  EXPECT_EQ(RoundMoney(Currency::FromUnits(49)), Currency());
}

TEST(LoanMoney, RefusesWhatMoneyCannotHold) {
  EXPECT_EQ(LoanMoney(1.03125L), Currency::FromUnits(10312));  // an exact half: to even
  EXPECT_EQ(LoanErrorCode([] { LoanMoney(std::numeric_limits<Extended>::infinity()); }), 719);
  EXPECT_EQ(LoanErrorCode([] { LoanMoney(1e300L); }), 719);
}

}  // namespace
}  // namespace quandrel
