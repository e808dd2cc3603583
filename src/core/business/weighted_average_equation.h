#pragma once

// TequWtAvg: weighted average cost and sale price over a list of items.

#include <span>

#include "core/business/business_item.h"

namespace quandrel {

class TequWtAvg {
 public:
  double TotalCost = 0;
  double TotalSale = 0;
  double AvgCost = 0;
  double AvgSale = 0;
  double LowestCost = 0;
  double LowestSale = 0;
  double HighestCost = 0;
  double HighestSale = 0;

  // Reads Quantity, UnitCost and UnitSale of the items in order, stopping at
  // the first item of quantity 0. The lowest values start from the first
  // item's unit values whatever its quantity, the highest from 0. The averages
  // are 0 when the quantities add up to less than 1. A value that is not
  // finite raises 608 and leaves the previous results.
  void Calculate(std::span<const TBusinessItem> items);
};

}  // namespace quandrel
