#include "core/io/extended_80.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace quandrel {
namespace {

using Bytes10 = std::array<std::uint8_t, kExtended80Size>;

Extended Decoded(const Bytes10& bytes) {
  const auto value = DecodeExtended80(bytes);
  EXPECT_TRUE(value.has_value());
  return value.value_or(0);
}

// Images worked out by hand: significand = value / 2^(e - 63) with the integer
// bit explicit, exponent e + 16383, sign in the top bit of byte 9.
TEST(Extended80, KnownValuesHaveTheirByteImages) {
  struct Case {
    const char* name;
    Extended value;
    Bytes10 bytes;
  };
  const Extended minNormal = std::ldexp(Extended{1}, -16382);
  const Extended minDenormal = std::ldexp(Extended{1}, -16445);
  const Case cases[] = {
      {"1", 1.0L, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {"-2.5", -2.5L, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}},
      // 0.1 = 1.6 * 2^-4: significand round(0.1 * 2^67) = 0xCCCCCCCCCCCCCCCD.
      {"0.1", 0.1L, {0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
      // 1/3 = 1.333 * 2^-2: significand round(2^65 / 3) = 0xAAAAAAAAAAAAAAAB.
      {"1/3", 1.0L / 3.0L, {0xAB, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xFD, 0x3F}},
      {"100000", 100000.0L, {0, 0, 0, 0, 0, 0, 0x50, 0xC3, 0x0F, 0x40}},  // 0xC350 << 48, 2^16
      {"+0", 0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"-0", -0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
      {"smallest normal", minNormal, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}},
      {"largest denormal", minNormal - minDenormal, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}},
      {"smallest denormal", minDenormal, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"-smallest denormal", -minDenormal, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
      {"+inf", std::numeric_limits<Extended>::infinity(), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
      {"-inf", -std::numeric_limits<Extended>::infinity(), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EncodeExtended80(c.value), c.bytes);
    const Extended back = Decoded(c.bytes);
    EXPECT_EQ(back, c.value);
    EXPECT_EQ(std::signbit(back), std::signbit(c.value));
  }
}

TEST(Extended80, LargestFiniteValue) {
  const Bytes10 bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F};
  const Extended largest = Decoded(bytes);
  EXPECT_TRUE(std::isfinite(largest));
  // (2^64 - 1) * 2^(16383 - 63)
  EXPECT_EQ(largest, std::ldexp(std::ldexp(Extended{1}, 64) - 1, 16383 - 63));
  EXPECT_EQ(EncodeExtended80(largest), bytes);
  if constexpr (kExtendedIsX87) {
    EXPECT_EQ(largest, std::numeric_limits<Extended>::max());
  }
}

TEST(Extended80, RoundTripsValuesBitForBit) {
  const Extended values[] = {
      123456.789L,
      -0.0001L,
      3.14159265358979323846L,
      1e300L,
      -1e-300L,
      922337203685477.5807L,
      std::ldexp(Extended{3}, -16440),  // a denormal with two bits set
      std::ldexp(Extended{1}, 16383),   // the largest power of two
  };
  for (const Extended v : values) {
    EXPECT_EQ(Decoded(EncodeExtended80(v)), v) << static_cast<double>(v);
  }
}

TEST(Extended80, NaNIsWrittenQuietAndReadBackAsNaN) {
  const Bytes10 quiet = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F};
  EXPECT_EQ(EncodeExtended80(std::numeric_limits<Extended>::quiet_NaN()), quiet);
  const Bytes10 signalling = {1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF};
  EXPECT_TRUE(std::isnan(Decoded(quiet)));
  EXPECT_TRUE(std::isnan(Decoded(signalling)));
}

TEST(Extended80, EncodingsNoUnitProducesAreRefused) {
  const Bytes10 invalid[] = {
      {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F},  // unnormal: exponent of 1.0, integer bit clear
      {0, 0, 0, 0, 0, 0, 0, 0x00, 0x01, 0x00},  // unnormal zero significand, non-zero exponent
      {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x00},  // pseudo-denormal
      {0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0x7F},  // pseudo-infinity
      {1, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0xFF},  // pseudo-NaN
  };
  for (const Bytes10& bytes : invalid) {
    EXPECT_FALSE(DecodeExtended80(bytes).has_value());
  }
}

}  // namespace
}  // namespace quandrel
