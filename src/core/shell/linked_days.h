#pragma once

// A count of days and the two dates it spans, kept in step on a page: typing
// the days moves a date, changing a date sets the days.

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/shell/calculation_record.h"

namespace quandrel {

struct LinkedDays {
  std::string_view days;
  std::string_view start;
  std::string_view end;
};

// The days changed: a count other than 0 moves the end date that many days
// from the start date, or, for a count below 1, the start date from the end
// date. False, with nothing changed, when the moved date would leave the
// calendar (or the date it moves from is not a date).
bool MoveDateByDays(TCalculationRecord& record, const LinkedDays& link);

// A date changed: the days become end - start when both are dates. The span
// is returned (none when a date is not valid) so a calculator can refuse one
// its count cannot hold before calling SetDaysFromDates.
std::optional<std::int64_t> SpanOfDates(const TCalculationRecord& record, const LinkedDays& link);
void SetDaysFromDates(TCalculationRecord& record, const LinkedDays& link);

}  // namespace quandrel
