#pragma once

// The calendar on day numbers: conversions between day numbers and
// day/month/year, month lengths, weekdays, month and year arithmetic, date
// differences, weekday names and the program's one clock (Today).
//
// Day 0 is 1 January 1600 (a Saturday); valid dates run through 31 December
// 3999 (day kLastDayNumber). BadDate (-1) is what every conversion returns for
// an invalid day, month or year, and arithmetic on a bad date, or arithmetic
// whose result or intermediate date leaves that range, gives BadDate again.

#include <array>
#include <optional>
#include <string>

#include "core/foundation/global_types.h"

namespace quandrel {

inline constexpr int kFirstCalendarYear = 1600;
inline constexpr int kLastCalendarYear = 3999;
inline constexpr DayNumber kFirstDayNumber = 0;      // 1 January 1600
inline constexpr DayNumber kLastDayNumber = 876581;  // 31 December 3999

// Two-digit years (0..99) reaching DateFromDMY are placed in the century
// window that begins at this year: 00..79 -> 2000..2079, 80..99 -> 1980..1999.
inline constexpr int kTwoDigitYearWindowStart = 1980;

// Day of week values returned by DayOfWeek (0 = Sunday .. 6 = Saturday);
// kNoWeekday is the answer for a bad date.
inline constexpr int kSunday = 0;
inline constexpr int kSaturday = 6;
inline constexpr int kNoWeekday = 7;

struct DayMonthYear {
  int day = 0;
  int month = 0;
  int year = 0;

  // DMYFromDate of a bad date gives all zeros; a real date never has month 0.
  constexpr bool IsValid() const { return month != 0; }
  friend constexpr bool operator==(const DayMonthYear&, const DayMonthYear&) = default;
};

// Years, months and days between two dates (see DateDifference).
struct DateSpan {
  int years = 0;
  int months = 0;
  int days = 0;
  friend constexpr bool operator==(const DateSpan&, const DateSpan&) = default;
};

// Divisible by 4, except centuries not divisible by 400, and except multiples
// of 4000.
bool IsLeapYear(int year);

// 28/29, 30 or 31; 0 for a month outside 1..12 or a year outside 1600..3999.
int DaysInMonth(int month, int year);

// The day number of a date, or BadDate for an invalid day, month or year.
// A year of 0..99 goes through the two-digit window first.
DayNumber DateFromDMY(int day, int month, int year);

// The date of a day number; all zeros (IsValid() false) for a bad date.
DayMonthYear DMYFromDate(DayNumber date);

// The day number is a date of the calendar (0..kLastDayNumber).
bool IsValidDate(DayNumber date);
// DateFromDMY would give a date (the two-digit window applies).
bool IsValidDate(int day, int month, int year);

// (date + 6) mod 7 with 0 = Sunday; kNoWeekday (7) for a bad date.
int DayOfWeek(DayNumber date);

// Adds years and months keeping the day of month, letting a day past the 28th
// run over into the following month (31 January + 1 month = 3 March, 2 March
// in a leap year), then adds the days.
DayNumber AddDaysMonthsYears(DayNumber date, int days, int months, int years);

// Adds months and years; a day past the end of the target month becomes that
// month's last day (31 January + 1 month = last day of February).
DayNumber AddMonthsClipped(DayNumber date, int months, int years);

// Years, months and days from the earlier to the later of a and b; the last
// day of a month counts as day 0 of the following month. All zero when either
// date is bad.
DateSpan DateDifference(DayNumber a, DayNumber b);

// The same day and month `years` on; BadDate when that day does not exist
// (29 February into a common year) or the year leaves the calendar.
DayNumber AddYears(DayNumber date, int years);

// The weekday name of a date (at most 9 characters), or "Bad Date".
std::string DayName(DayNumber date);

// The weekday names DayName uses, Sunday first. The English names are the
// default; the locale layer replaces them with the user locale's long names.
void SetWeekdayNames(const std::array<std::string, 7>& names);
void ResetWeekdayNames();

// ---- The clock -------------------------------------------------------------
// Today() is the only place the program reads the current date. Tests and the
// command-line runner can fix it to a given day; then every caller sees that
// day until the clock is returned to the system date.

// The current local date as a day number (or the fixed day, if one is set).
DayNumber Today();
// Fixes Today() to `day`; a day number that is not a valid date fixes it to
// BadDate.
void SetFixedToday(DayNumber day);
// Returns Today() to the system clock.
void ClearFixedToday();
// The fixed day, or nothing when Today() reads the system clock.
std::optional<DayNumber> FixedToday();

// Fixes Today() for its lifetime and restores the previous setting (fixed
// day or system clock) when it ends. Scopes nest.
class FixedTodayScope {
 public:
  explicit FixedTodayScope(DayNumber day);
  ~FixedTodayScope();
  FixedTodayScope(const FixedTodayScope&) = delete;
  FixedTodayScope& operator=(const FixedTodayScope&) = delete;

 private:
  std::optional<DayNumber> m_previous;
};

}  // namespace quandrel
