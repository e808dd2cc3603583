#include "core/depreciation/depreciation_base.h"

#include <cmath>

#include "core/depreciation/depreciation_exception.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {

void CheckBookAndSalvage(double life, double bookValue, double salvageValue) {
  if (std::fabs(life) < 0.00001 || std::fabs(bookValue) < 0.00001) {
    RaiseDepreciationError(301);
  }
  if (bookValue <= salvageValue) {
    RaiseDepreciationError(302);
  }
}

void CheckLifeFraction(double life) {
  const double fraction = life - std::trunc(life);
  const bool halfYear = fraction > 0.49 && fraction < 0.51;
  const bool wholeYear = fraction > -0.99 && fraction < 0.09;
  // A negative life passes the fraction test (its fraction is negative or
  // zero) but has no schedule: it would give negative deductions.
  if (!(halfYear || wholeYear) || life < 0.0) {
    RaiseDepreciationError(304);
  }
}

void CheckScheduleYears(DayNumber inService, double life) {
  if (!IsValidDate(inService)) {
    RaiseDepreciationError(316);
  }
  const int year = DMYFromDate(inService).year;
  if (std::ceil(life) > static_cast<double>(kLastScheduleYear - year)) {
    RaiseDepreciationError(317);
  }
}

}  // namespace quandrel
