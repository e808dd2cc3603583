#pragma once

// What the four depreciation equations share: the schedule row, the row list
// the caller owns and hands in, and their common (empty) base class.

#include <string>
#include <vector>

#include "core/foundation/global_types.h"

namespace quandrel {

// One tax year of a depreciation schedule.
struct DepreciationRow {
  std::string YearLabel;     // the calendar year as decimal digits, at most 4 characters
  double Depreciation = 0;   // the deduction for the year
  double AdjustedBasis = 0;  // the basis (book value) left at the end of the year
};

// Rows in year order. The calculation clears the list and appends to it.
using DepreciationRows = std::vector<DepreciationRow>;

// The latest calendar year a row label can name (four digits).
inline constexpr int kLastScheduleYear = 9999;

// The checks the straight-line, sum-of-years and declining-balance equations
// share, each raising EDepreciation:
// 301 when the life or the book value is (nearly) zero, 302 when the salvage
// value is not below the book value.
void CheckBookAndSalvage(double life, double bookValue, double salvageValue);
// 304 unless the life is a positive whole or half number of years (its
// fraction strictly between 0.49 and 0.51, or between -0.99 and 0.09).
void CheckLifeFraction(double life);
// 316 for a date the calendar does not have; 317 when the rows of the life
// (and the extra row of a year begun after January) would run past 9999.
void CheckScheduleYears(DayNumber inService, double life);

class TequDepreciationBase {
 public:
  virtual ~TequDepreciationBase() = default;

 protected:
  TequDepreciationBase() = default;
  TequDepreciationBase(const TequDepreciationBase&) = default;
  TequDepreciationBase& operator=(const TequDepreciationBase&) = default;
};

}  // namespace quandrel
