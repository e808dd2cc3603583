#pragma once

// TequGrossProfit: sales, cost and margin over a list of items.

#include <cstdint>
#include <span>

#include "core/business/business_item.h"

namespace quandrel {

class TequGrossProfit {
 public:
  double TotalSale = 0;
  double TotalCost = 0;
  double GrossProfit = 0;
  std::int32_t TotalQuantity = 0;
  double MarginPct = 0;  // gross profit as a percentage of sales
  double ReturnPct = 0;  // gross profit as a percentage of cost

  // Walks the items in order. Each item visited gets its ItemCost and ItemSale;
  // the walk stops at the first item of quantity 0 (its totals are set, to 0,
  // and later items are left alone). A percentage whose base is 0 is 0.
  // A value that is not finite, or a total quantity beyond 32 bits, raises 608
  // before anything is written.
  void Calculate(std::span<TBusinessItem> items);
};

}  // namespace quandrel
