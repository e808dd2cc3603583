#pragma once

// advisor::TadvBreakEven: how many units must be sold to cover the costs of
// a period, and how the costs divide the sales at that point.

#include <span>

#include "core/foundation/global_types.h"

namespace quandrel::advisor {

class TadvBreakEven {
 public:
  // Sums of the three cost lists: the fixed and variable costs of the period
  // and the component cost of one unit.
  Currency FixedCosts;
  Currency VariableCosts;
  Currency UnitComponentCost;
  double BreakEvenUnits = 0;
  Currency BreakEvenSales;
  // Percentages of the break-even sales; together 100.
  float FixedPct = 0;
  float VariablePct = 0;
  float ComponentPct = 0;

  // The sum of a cost list from its first amount up to, not including, its
  // first amount of 0; each amount is taken on the four-decimal money scale.
  // An amount that is not finite or a sum too large for money raises 125.
  static Currency SumToFirstZero(std::span<const double> amounts);

  // Sums the lists and computes the results:
  //   units = (fixed + variable) / (price - component cost),
  //   sales = price x units on the money scale,
  //   each percentage = its costs x 100 / sales.
  // A component cost above the price raises 122. So does a component cost
  // equal to the price while there are costs to cover: no number of units
  // breaks even then. With nothing to cover every result is 0. A result too
  // large for money raises 125. On an error every field keeps its previous
  // value.
  void Calculate(std::span<const double> fixedCosts, std::span<const double> variableCosts,
                 std::span<const double> componentCosts, Currency sellingPrice);
};

}  // namespace quandrel::advisor
