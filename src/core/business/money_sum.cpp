#include "core/business/money_sum.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "core/business/general_business_exception.h"

namespace quandrel {

Currency BusinessMoney(double amount) {
  try {
    return Currency::FromDouble(amount);
  } catch (const std::range_error&) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
}

Currency AddBusinessMoney(Currency a, Currency b) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const std::int64_t x = a.Units();
  const std::int64_t y = b.Units();
  if ((y > 0 && x > kMax - y) || (y < 0 && x < kMin - y)) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  return Currency::FromUnits(x + y);
}

Currency SubtractBusinessMoney(Currency a, Currency b) {
  if (b.Units() == std::numeric_limits<std::int64_t>::min()) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  return AddBusinessMoney(a, -b);
}

Currency BusinessMoneySum(std::span<const double> amounts) {
  Currency sum;
  for (const double amount : amounts) {
    sum = AddBusinessMoney(sum, BusinessMoney(amount));
  }
  return sum;
}

}  // namespace quandrel
