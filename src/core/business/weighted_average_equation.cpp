#include "core/business/weighted_average_equation.h"

#include <cmath>
#include <cstdint>

#include "core/business/general_business_exception.h"

namespace quandrel {
namespace {

double Checked(double value) {
  if (!std::isfinite(value)) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  return value;
}

}  // namespace

void TequWtAvg::Calculate(std::span<const TBusinessItem> items) {
  double totalCost = 0;
  double totalSale = 0;
  double lowestCost = 0;
  double lowestSale = 0;
  double highestCost = 0;
  double highestSale = 0;
  // 64 bits: the sum of any number of 32-bit quantities a list can hold.
  std::int64_t quantity = 0;
  if (!items.empty()) {
    lowestCost = Checked(items.front().UnitCost);
    lowestSale = Checked(items.front().UnitSale);
  }
  for (const TBusinessItem& item : items) {
    if (item.Quantity == 0) {
      break;
    }
    const auto q = static_cast<double>(item.Quantity);
    totalCost = Checked(totalCost + Checked(q * item.UnitCost));
    totalSale = Checked(totalSale + Checked(q * item.UnitSale));
    quantity += item.Quantity;
    if (item.UnitCost < lowestCost) {
      lowestCost = item.UnitCost;
    }
    if (item.UnitSale < lowestSale) {
      lowestSale = item.UnitSale;
    }
    if (item.UnitCost > highestCost) {
      highestCost = item.UnitCost;
    }
    if (item.UnitSale > highestSale) {
      highestSale = item.UnitSale;
    }
  }
  double avgCost = 0;
  double avgSale = 0;
  if (quantity >= 1) {
    const auto count = static_cast<double>(quantity);
    avgCost = totalCost / count;
    avgSale = totalSale / count;
  }

  TotalCost = totalCost;
  TotalSale = totalSale;
  AvgCost = avgCost;
  AvgSale = avgSale;
  LowestCost = lowestCost;
  LowestSale = lowestSale;
  HighestCost = highestCost;
  HighestSale = highestSale;
}

}  // namespace quandrel
