#include "core/finance/roi_equation.h"

#include <cmath>

#include "core/finance/finance_exception.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {

void TequROI::SetInputs(DayNumber start, DayNumber end, double finalValue, double initialInvestment) {
  StartDate = start;
  EndDate = end;
  FinalValue = finalValue;
  InitialInvestment = initialInvestment;
  Validate();
}

void TequROI::Validate() const {
  const DayNumber start = StartDate;
  const DayNumber end = EndDate;
  if (!IsValidDate(start) || !IsValidDate(end)) {
    RaiseFinanceError(426);
  }
  if (start >= end) {
    RaiseFinanceError(411);
  }
  if (std::fabs(FinalValue) < 0.0001 || std::fabs(InitialInvestment) < 0.0001) {
    RaiseFinanceError(405);
  }
}

void TequROI::Calculate() {
  Validate();
  Gain = FinalValue - InitialInvestment;
  ROI = Gain / InitialInvestment * 100.0;
  TermYears = static_cast<float>(EndDate - StartDate) / 365.0f;
  AnnualizedROI = ROI / static_cast<double>(TermYears);
}

}  // namespace quandrel
