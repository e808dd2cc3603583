#pragma once

// TequPurPower: the effect of a run of yearly inflation rates on an amount.

#include <span>

#include "core/business/inflation_rates.h"

namespace quandrel {

class TequPurPower {
 public:
  // The amount needed after the last year to equal the initial amount.
  double EqualValue = 0;
  // What the initial amount is worth after the last year.
  double ActualValue = 0;

  // Both values start at the amount; for each rate r (percent), in order,
  // EqualValue grows by the factor 1 + r/100 and ActualValue by 1 - r/100.
  // A rate not strictly between -100 and 100 raises 610; an amount or rate
  // that is not finite, or a value too large to hold, raises 608. On an error
  // the previous results stay.
  void Calculate(std::span<const TInflationRateItem> rateList, double amount);
};

}  // namespace quandrel
