#pragma once

// One line of the item lists that the gross profit and weighted average
// equations read: a quantity with its unit cost and unit sale price, and the
// line totals the gross profit walk writes back.

#include <cstdint>

namespace quandrel {

struct TBusinessItem {
  std::int32_t Quantity = 0;
  double UnitCost = 0;
  double UnitSale = 0;
  // Quantity x UnitCost and Quantity x UnitSale, written by TequGrossProfit.
  double ItemCost = 0;
  double ItemSale = 0;
};

}  // namespace quandrel
