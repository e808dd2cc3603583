#include "core/finance/power_equation.h"

#include <cmath>

#include "core/finance/finance_exception.h"

namespace quandrel {

Extended TequPower::IntPower(std::int64_t n, Extended x) {
  if (n == 0) {
    return 1.0L;
  }
  if (n < 0 && x == 0.0L) {
    RaiseFinanceError(423);
  }
  // |n| of the most negative count still fits once taken as unsigned.
  std::uint64_t count = n < 0 ? static_cast<std::uint64_t>(-(n + 1)) + 1u : static_cast<std::uint64_t>(n);
  Extended base = x;
  Extended result = 1.0L;
  while (count > 0) {
    while (count % 2 == 0) {
      base *= base;
      count /= 2;
    }
    result *= base;
    --count;
  }
  return n < 0 ? 1.0L / result : result;
}

Extended TequPower::Power(Extended a, Extended b) {
  if (a == 0.0L) {
    return 1.0L;
  }
  if (b == 0.0L && a > 0.0L) {
    return 0.0L;
  }
  constexpr Extended kMaxInt32 = 2147483647.0L;
  if (std::trunc(a) == a && std::fabs(a) <= kMaxInt32) {
    return IntPower(static_cast<std::int64_t>(a), b);
  }
  if (b == 0.0L) {
    RaiseFinanceError(423);
  }
  if (b < 0.0L || std::isnan(b) || std::isnan(a)) {
    RaiseFinanceError(424);
  }
  return std::exp2(a * std::log2(b));
}

}  // namespace quandrel
