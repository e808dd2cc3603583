#include "core/business/purchasing_power_equation.h"

#include <cmath>

#include "core/business/general_business_exception.h"
#include "core/foundation/global_types.h"

namespace quandrel {

void TequPurPower::Calculate(std::span<const TInflationRateItem> rateList, double amount) {
  if (!std::isfinite(amount)) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  Extended equal = amount;
  Extended actual = amount;
  for (const TInflationRateItem& item : rateList) {
    if (!std::isfinite(item.Rate)) {
      RaiseGeneralBusinessError(business_error::kOutOfRange);
    }
    // Beyond these the factors reach 0 or turn negative: an amount worth less
    // than nothing, or no amount at all needed to equal it.
    if (!(item.Rate > kLowestInflationRate && item.Rate < kHighestInflationRate)) {
      RaiseGeneralBusinessError(business_error::kInflationRateOutOfRange);
    }
    const Extended r = static_cast<Extended>(item.Rate) / 100;
    equal *= 1 + r;
    actual *= 1 - r;
  }
  const auto equalValue = static_cast<double>(equal);
  const auto actualValue = static_cast<double>(actual);
  if (!std::isfinite(equalValue) || !std::isfinite(actualValue)) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  EqualValue = equalValue;
  ActualValue = actualValue;
}

}  // namespace quandrel
