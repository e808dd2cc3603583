#pragma once

// The 10-byte extended real of the data files (the x87 80-bit format), little
// endian: bytes 0-7 the 64-bit significand with its explicit integer bit (bit
// 63), bytes 8-9 the 15-bit exponent biased by 16383 with the sign in the top
// bit. Both directions are computed arithmetically, never by copying the
// memory of a long double, so they are right whatever Extended is on the
// target.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/foundation/global_types.h"

namespace quandrel {

inline constexpr std::size_t kExtended80Size = 10;

// Zero keeps its sign; infinities and NaN are written as such (NaN as the
// default quiet NaN; its payload is not kept). A value finer or wider than
// the format (only possible where Extended has more precision or range than
// the 80-bit real) is rounded to nearest, overflowing to infinity.
std::array<std::uint8_t, kExtended80Size> EncodeExtended80(Extended value);

// The value of the 10 bytes, NaN and infinities included. Encodings that no
// 80-bit unit produces as a result (an unnormal: a non-zero exponent without
// the integer bit; a pseudo-denormal: a zero exponent with it; a
// pseudo-infinity or pseudo-NaN: the top exponent without it) give nullopt:
// they only come from damaged files.
std::optional<Extended> DecodeExtended80(std::span<const std::uint8_t, kExtended80Size> bytes);

}  // namespace quandrel
