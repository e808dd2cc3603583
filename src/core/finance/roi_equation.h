#pragma once

// Return on an investment between two dates, annualized without compounding.

#include "core/foundation/global_types.h"

namespace quandrel {

class TequROI {
 public:
  double InitialInvestment = 0;
  double FinalValue = 0;
  DayNumber StartDate = 0;
  DayNumber EndDate = 0;
  double Gain = 0;           // result
  double ROI = 0;            // result, percent
  double AnnualizedROI = 0;  // result, percent
  float TermYears = 0;       // result

  // Validates: a bad date raises 426, a start not before the end 411, a final
  // value or initial investment of magnitude below 0.0001 raises 405.
  void SetInputs(DayNumber start, DayNumber end, double finalValue, double initialInvestment);
  // Validates again (the fields are public), then fills the results.
  void Calculate();

 private:
  void Validate() const;
};

}  // namespace quandrel
