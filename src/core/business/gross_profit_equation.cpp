#include "core/business/gross_profit_equation.h"

#include <cmath>
#include <limits>
#include <vector>

#include "core/business/general_business_exception.h"

namespace quandrel {
namespace {

double Checked(double value) {
  if (!std::isfinite(value)) {
    RaiseGeneralBusinessError(business_error::kOutOfRange);
  }
  return value;
}

struct LineTotals {
  double cost;
  double sale;
};

}  // namespace

void TequGrossProfit::Calculate(std::span<TBusinessItem> items) {
  double totalSale = 0;
  double totalCost = 0;
  double grossProfit = 0;
  std::int64_t totalQuantity = 0;
  double returnPct = 0;
  std::vector<LineTotals> lines;
  lines.reserve(items.size());
  for (const TBusinessItem& item : items) {
    const auto quantity = static_cast<double>(item.Quantity);
    const LineTotals line{Checked(quantity * item.UnitCost), Checked(quantity * item.UnitSale)};
    lines.push_back(line);
    if (item.Quantity == 0) {
      break;
    }
    totalSale = Checked(totalSale + line.sale);
    totalCost = Checked(totalCost + line.cost);
    grossProfit = Checked(totalSale - totalCost);
    totalQuantity += item.Quantity;
    if (totalQuantity > std::numeric_limits<std::int32_t>::max() ||
        totalQuantity < std::numeric_limits<std::int32_t>::min()) {
      RaiseGeneralBusinessError(business_error::kOutOfRange);
    }
    returnPct = totalCost != 0 ? Checked(grossProfit / totalCost * 100) : 0;
  }
  const double marginPct = totalSale != 0 ? Checked(grossProfit / totalSale * 100) : 0;

  for (std::size_t i = 0; i < lines.size(); ++i) {
    items[i].ItemCost = lines[i].cost;
    items[i].ItemSale = lines[i].sale;
  }
  TotalSale = totalSale;
  TotalCost = totalCost;
  GrossProfit = grossProfit;
  TotalQuantity = static_cast<std::int32_t>(totalQuantity);
  MarginPct = marginPct;
  ReturnPct = returnPct;
}

}  // namespace quandrel
