#include "core/foundation/global_types.h"

#include <gtest/gtest.h>

#include <limits>

namespace quandrel {
namespace {

TEST(Extended, IsTheEightyBitRealOnThisTarget) {
#if defined(__x86_64__) || defined(__i386__)
  EXPECT_TRUE(kExtendedIsX87);
  EXPECT_EQ(sizeof(Extended), 16u);  // 10 bytes padded to 16 on x86-64
#endif
  EXPECT_GE(std::numeric_limits<Extended>::digits, 64);
}

TEST(Currency, ConvertsRealsToTenThousandthsWithTiesToEven) {
  struct Case {
    Extended value;
    std::int64_t units;
  };
  const Case cases[] = {
      {0.0L, 0},
      {1.0L, 10000},
      {-1.5L, -15000},
      {129.08116086799L, 1290812},
      {1.03125L, 10312},  // 10312.5 units exactly: the even neighbour ...
      {1.09375L, 10938},  // ... either way
      {-1.03125L, -10312},
      {0.000049L, 0},
      {922337203685477.0L, 9223372036854770000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Currency::FromExtended(c.value).Units(), c.units) << static_cast<double>(c.value);
  }
  EXPECT_EQ(Currency::FromDouble(0.1).Units(), 1000);
  EXPECT_DOUBLE_EQ(Currency::FromUnits(1234567).ToDouble(), 123.4567);
}

TEST(Currency, RefusesWhatDoesNotFit) {
  EXPECT_THROW(Currency::FromExtended(1e15L), std::range_error);
  EXPECT_THROW(Currency::FromExtended(std::numeric_limits<Extended>::quiet_NaN()), std::range_error);
  EXPECT_THROW(Currency::FromExtended(-std::numeric_limits<Extended>::infinity()), std::range_error);
}

TEST(Currency, ArithmeticAndCents) {
  const Currency a = Currency::FromWhole(10);
  const Currency b = Currency::FromUnits(12345);  // 1.2345
  EXPECT_EQ((a + b).Units(), 112345);
  EXPECT_EQ((a - b).Units(), 87655);
  EXPECT_EQ((b * 3).Units(), 37035);
  EXPECT_EQ((-b).Units(), -12345);
  EXPECT_LT(b, a);
  EXPECT_EQ(b.RoundedToCents().Units(), 12300);
  EXPECT_EQ(Currency::FromUnits(12350).RoundedToCents().Units(), 12400);  // tie to even 1.24
  EXPECT_EQ(Currency::FromUnits(12250).RoundedToCents().Units(), 12200);  // tie to even 1.22
  EXPECT_EQ(Currency::FromUnits(-12351).RoundedToCents().Units(), -12400);
}

}  // namespace
}  // namespace quandrel
