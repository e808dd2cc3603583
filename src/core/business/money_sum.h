#pragma once

// Four-decimal fixed-point sums for the budget and net-worth totals: each
// amount is rounded to the nearest ten-thousandth (ties to even, the Currency
// conversion) and the sums are exact. An amount that is not finite, or a sum
// that would not fit, raises general business error 608.

#include <span>

#include "core/foundation/global_types.h"

namespace quandrel {

// The amount on the four-decimal scale.
Currency BusinessMoney(double amount);

// The sum of the amounts, each on the four-decimal scale.
Currency BusinessMoneySum(std::span<const double> amounts);

// a + b and a - b, checked.
Currency AddBusinessMoney(Currency a, Currency b);
Currency SubtractBusinessMoney(Currency a, Currency b);

}  // namespace quandrel
