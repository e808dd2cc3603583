#include "core/io/extended_80.h"

#include <cmath>
#include <limits>

namespace quandrel {
namespace {

constexpr unsigned kExponentBias = 16383;
constexpr unsigned kExponentAllOnes = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kQuietNaN = kIntegerBit | (std::uint64_t{1} << 62);
// A significand m with biased exponent e (1..32766) stands for m * 2^(e - 16446);
// with exponent 0 (denormals) for m * 2^-16445.
constexpr int kNormalScale = static_cast<int>(kExponentBias) + 63;
constexpr int kDenormalScale = kNormalScale - 1;

}  // namespace

std::array<std::uint8_t, kExtended80Size> EncodeExtended80(Extended value) {
  const bool negative = std::signbit(value);
  std::uint64_t significand = 0;
  unsigned exponent = 0;
  if (std::isnan(value)) {
    exponent = kExponentAllOnes;
    significand = kQuietNaN;
  } else if (std::isinf(value)) {
    exponent = kExponentAllOnes;
    significand = kIntegerBit;
  } else if (value != 0) {
    int binaryExponent = 0;
    const Extended fraction = std::frexp(std::fabs(value), &binaryExponent);  // in [0.5, 1)
    // fraction * 2^64 is the significand of a normal number whose biased
    // exponent is binaryExponent + 16382; below 1 the number is a denormal.
    long biased = static_cast<long>(binaryExponent) + static_cast<long>(kExponentBias) - 1;
    Extended scaled = 0;
    if (biased >= 1) {
      scaled = std::nearbyint(std::ldexp(fraction, 64));
      if (scaled >= std::ldexp(Extended{1}, 64)) {  // rounded up to the next power of two
        scaled = std::ldexp(Extended{1}, 63);
        ++biased;
      }
    } else {
      scaled = std::nearbyint(std::ldexp(fraction, static_cast<int>(63 + biased)));
      // A denormal that rounds up to 2^63 is the smallest normal number.
      biased = scaled >= std::ldexp(Extended{1}, 63) ? 1 : 0;
    }
    if (biased >= static_cast<long>(kExponentAllOnes)) {
      exponent = kExponentAllOnes;
      significand = kIntegerBit;
    } else {
      exponent = static_cast<unsigned>(biased);
      significand = static_cast<std::uint64_t>(scaled);
    }
  }
  std::array<std::uint8_t, kExtended80Size> bytes{};
  for (std::size_t i = 0; i < 8; ++i) {
    bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  }
  const unsigned signAndExponent = (negative ? 0x8000u : 0u) | exponent;
  bytes[8] = static_cast<std::uint8_t>(signAndExponent & 0xFFu);
  bytes[9] = static_cast<std::uint8_t>(signAndExponent >> 8);
  return bytes;
}

std::optional<Extended> DecodeExtended80(std::span<const std::uint8_t, kExtended80Size> bytes) {
  std::uint64_t significand = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    significand |= std::uint64_t{bytes[i]} << (8 * i);
  }
  const unsigned signAndExponent = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
  const bool negative = (signAndExponent & 0x8000u) != 0;
  const unsigned exponent = signAndExponent & kExponentAllOnes;
  const bool integerBit = (significand & kIntegerBit) != 0;

  Extended magnitude = 0;
  if (exponent == kExponentAllOnes) {
    if (!integerBit) {
      return std::nullopt;  // pseudo-infinity or pseudo-NaN
    }
    if (significand != kIntegerBit) {
      return std::copysign(std::numeric_limits<Extended>::quiet_NaN(), negative ? Extended{-1} : Extended{1});
    }
    magnitude = std::numeric_limits<Extended>::infinity();
  } else if (exponent == 0) {
    if (integerBit) {
      return std::nullopt;  // pseudo-denormal
    }
    magnitude = std::ldexp(static_cast<Extended>(significand), -kDenormalScale);
  } else {
    if (!integerBit) {
      return std::nullopt;  // unnormal
    }
    magnitude = std::ldexp(static_cast<Extended>(significand), static_cast<int>(exponent) - kNormalScale);
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace quandrel
