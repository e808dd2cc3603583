#include "core/business/eoq_equation.h"

#include <cmath>
#include <limits>

#include "core/business/general_business_exception.h"

namespace quandrel {

void TequEOQ::SetInputs(double orderCost, double annualUnits, double price, std::int32_t lotSize,
                        Extended carryingRatePct) {
  OrderCost = orderCost;
  AnnualUnits = annualUnits;
  Price = price;
  LotSize = lotSize;
  CarryingRatePct = carryingRatePct;
}

std::int32_t TequEOQ::Calculate() {
  if (LotSize <= 0) {
    RaiseGeneralBusinessError(business_error::kTooManyUnknowns);
  }
  if (!std::isfinite(OrderCost) || !std::isfinite(AnnualUnits) || !std::isfinite(Price) ||
      !std::isfinite(CarryingRatePct)) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  if (OrderCost < 0 || AnnualUnits < 0 || Price < 0 || CarryingRatePct < 0) {
    RaiseGeneralBusinessError(business_error::kNegativeOrderInput);
  }
  const Extended unitPrice = static_cast<Extended>(Price) / LotSize;
  const Extended carryingCost = CarryingRatePct / 100 * unitPrice;
  if (carryingCost == 0) {
    RaiseGeneralBusinessError(business_error::kZeroCarryingCost);
  }
  const Extended eoq =
      std::sqrt(2 * static_cast<Extended>(AnnualUnits) * static_cast<Extended>(OrderCost) / carryingCost);
  // std::nearbyint rounds halves to the even neighbour in the default mode.
  const Extended lots = std::nearbyint(eoq / LotSize);
  const auto eoqValue = static_cast<double>(eoq);
  if (!std::isfinite(eoqValue) ||
      !(lots <= static_cast<Extended>(std::numeric_limits<std::int32_t>::max()))) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  UnitPrice = static_cast<double>(unitPrice);
  UnitCarryingCost = static_cast<double>(carryingCost);
  EOQ = eoqValue;
  Lots = static_cast<std::int32_t>(lots);
  return Lots;
}

}  // namespace quandrel
