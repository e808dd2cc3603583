#include "core/shell/linked_days.h"

#include "core/foundation/date_arithmetic.h"

namespace quandrel {

bool MoveDateByDays(TCalculationRecord& record, const LinkedDays& link) {
  const std::int32_t days = record.Integer(link.days);
  if (days == 0) {
    return true;
  }
  const bool moveStart = days < 1;
  const DayNumber from = moveStart ? record.Date(link.end) : record.Date(link.start);
  if (!IsValidDate(from)) {
    return false;
  }
  const std::int64_t moved = static_cast<std::int64_t>(from) + days;
  if (moved < kFirstDayNumber || moved > kLastDayNumber) {
    return false;
  }
  record.SetDate(moveStart ? link.start : link.end, static_cast<DayNumber>(moved));
  return true;
}

std::optional<std::int64_t> SpanOfDates(const TCalculationRecord& record, const LinkedDays& link) {
  const DayNumber start = record.Date(link.start);
  const DayNumber end = record.Date(link.end);
  if (!IsValidDate(start) || !IsValidDate(end)) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(end) - start;
}

void SetDaysFromDates(TCalculationRecord& record, const LinkedDays& link) {
  if (const auto span = SpanOfDates(record, link)) {
    record.SetInteger(link.days, static_cast<std::int32_t>(*span));
  }
}

}  // namespace quandrel
