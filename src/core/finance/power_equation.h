#pragma once

// Exponentiation for the NPV, IRR, payment-required and bond equations.

#include <cstdint>

#include "core/foundation/global_types.h"

namespace quandrel {

class TequPower {
 public:
  // x raised to the whole power n by repeated squaring; the reciprocal for a
  // negative n. IntPower(0, x) is 1. Zero raised to a negative power raises
  // finance error 423.
  static Extended IntPower(std::int64_t n, Extended x);

  // b raised to the real power a (note the order). a = 0 gives 1; b = 0 with
  // a > 0 gives 0; a whole a within 32 bits goes through IntPower, so negative
  // bases work with whole exponents; otherwise 2^(a * log2 b), defined for
  // b > 0 only: a negative base raises 424, a zero base with a negative
  // exponent 423.
  static Extended Power(Extended a, Extended b);
};

}  // namespace quandrel
