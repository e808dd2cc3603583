#pragma once

// TequEOQ: the economic order quantity, the order size that makes the yearly
// cost of writing orders equal to the yearly cost of carrying stock.

#include <cstdint>

#include "core/foundation/global_types.h"

namespace quandrel {

class TequEOQ {
 public:
  // Inputs.
  double OrderCost = 0;          // cost to write one purchase order
  double AnnualUnits = 0;        // units used per year
  double Price = 0;              // purchase price of one lot
  std::int32_t LotSize = 0;      // units the price buys
  Extended CarryingRatePct = 0;  // annual interest rate, percent

  // Results.
  double UnitPrice = 0;
  double UnitCarryingCost = 0;
  double EOQ = 0;
  // EOQ / LotSize rounded to the nearest whole number, halves to the even one.
  std::int32_t Lots = 0;

  void SetInputs(double orderCost, double annualUnits, double price, std::int32_t lotSize,
                 Extended carryingRatePct);

  // UnitPrice = Price / LotSize, UnitCarryingCost = rate/100 x UnitPrice,
  // EOQ = sqrt(2 x AnnualUnits x OrderCost / UnitCarryingCost). Returns Lots.
  // Raises 604 when LotSize is not positive, 608 for an input that is not
  // finite or a result too large to hold, 607 for a negative order cost,
  // annual units, price or rate, and 606 when the carrying cost is 0 (a zero
  // price or rate). On an error the previous results stay.
  std::int32_t Calculate();
};

}  // namespace quandrel
