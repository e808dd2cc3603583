#include "core/foundation/date_arithmetic.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <mutex>
#include <utility>

namespace quandrel {

namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::array<int, 12> kDaysBeforeMonth = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Leap years in 1..n (the rules of IsLeapYear, counted).
constexpr std::int64_t LeapYearsThrough(std::int64_t n) {
  return n / 4 - n / 100 + n / 400 - n / 4000;
}

// Days from 1 January 1600 to 1 January of `year`.
constexpr std::int64_t DaysBeforeYear(std::int64_t year) {
  return (year - kFirstCalendarYear) * 365 + LeapYearsThrough(year - 1) -
         LeapYearsThrough(kFirstCalendarYear - 1);
}

bool YearInCalendar(std::int64_t year) {
  return year >= kFirstCalendarYear && year <= kLastCalendarYear;
}

// Day number of a date known to be valid (no two-digit window).
DayNumber DayNumberOf(int day, int month, int year) {
  std::int64_t days = DaysBeforeYear(year) + kDaysBeforeMonth[static_cast<std::size_t>(month - 1)] + day - 1;
  if (month > 2 && IsLeapYear(year))
    ++days;
  return static_cast<DayNumber>(days);
}

// Day number of a day/month/year taken as it stands (no two-digit window), or
// BadDate. Years are 64-bit so that callers can pass sums without overflow.
DayNumber CheckedDayNumber(std::int64_t day, std::int64_t month, std::int64_t year) {
  if (!YearInCalendar(year) || month < 1 || month > 12)
    return BadDate;
  const int y = static_cast<int>(year);
  const int m = static_cast<int>(month);
  if (day < 1 || day > DaysInMonth(m, y))
    return BadDate;
  return DayNumberOf(static_cast<int>(day), m, y);
}

// A day number computed in 64 bits, or BadDate when it lies off the calendar.
DayNumber CheckedDate(std::int64_t days) {
  if (days < kFirstDayNumber || days > kLastDayNumber)
    return BadDate;
  return static_cast<DayNumber>(days);
}

// Splits a month count (year * 12 + month - 1) into year and month 1..12.
struct YearMonth {
  std::int64_t year;
  std::int64_t month;
};
YearMonth SplitMonthIndex(std::int64_t index) {
  std::int64_t year = index / 12;
  std::int64_t month0 = index % 12;
  if (month0 < 0) {
    month0 += 12;
    --year;
  }
  return {year, month0 + 1};
}

// The target year and month of a date moved by months and years, both taken
// in 64 bits so that no sum of int arguments can overflow.
YearMonth ShiftMonths(const DayMonthYear& dmy, int months, int years) {
  const std::int64_t index = static_cast<std::int64_t>(dmy.year) * 12 + (dmy.month - 1) +
                             static_cast<std::int64_t>(months) + static_cast<std::int64_t>(years) * 12;
  return SplitMonthIndex(index);
}

// Weekday names and the clock are process-wide; the locks make them safe to
// use from a worker thread even though the program has only one.
const std::array<std::string, 7> kEnglishWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                         "Thursday", "Friday", "Saturday"};

std::mutex& NamesMutex() {
  static std::mutex m;
  return m;
}
std::array<std::string, 7>& WeekdayNames() {
  static std::array<std::string, 7> names = kEnglishWeekdayNames;
  return names;
}

std::mutex& ClockMutex() {
  static std::mutex m;
  return m;
}
std::optional<DayNumber>& FixedDay() {
  static std::optional<DayNumber> fixed;
  return fixed;
}

// The first `count` characters of a UTF-8 text (a locale's names need not be
// ASCII, and a name must not be cut inside a character).
std::string FirstCharacters(const std::string& text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0U) != 0x80U) {
      if (characters == count)
        return text.substr(0, i);
      ++characters;
    }
  }
  return text;
}

constexpr std::size_t kMaxDayNameLength = 9;

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0) && year % 4000 != 0;
}

int DaysInMonth(int month, int year) {
  if (month < 1 || month > 12 || !YearInCalendar(year))
    return 0;
  if (month == 2 && IsLeapYear(year))
    return 29;
  return kMonthLengths[static_cast<std::size_t>(month - 1)];
}

DayNumber DateFromDMY(int day, int month, int year) {
  if (year >= 0 && year <= 99) {
    const int century = kTwoDigitYearWindowStart / 100 * 100;    // 1900
    const int windowTwoDigits = kTwoDigitYearWindowStart % 100;  // 80
    year += (year >= windowTwoDigits) ? century : century + 100;
  }
  return CheckedDayNumber(day, month, year);
}

DayMonthYear DMYFromDate(DayNumber date) {
  if (!IsValidDate(date))
    return {};
  // Estimate from the mean Gregorian year, then settle on the exact year.
  std::int64_t year = kFirstCalendarYear + static_cast<std::int64_t>(date) * 400 / 146097;
  while (DaysBeforeYear(year) > date)
    --year;
  while (DaysBeforeYear(year + 1) <= date)
    ++year;
  int dayOfYear = static_cast<int>(date - DaysBeforeYear(year));  // 0-based
  const int y = static_cast<int>(year);
  int month = 1;
  while (dayOfYear >= DaysInMonth(month, y)) {
    dayOfYear -= DaysInMonth(month, y);
    ++month;
  }
  return {dayOfYear + 1, month, y};
}

bool IsValidDate(DayNumber date) {
  return date >= kFirstDayNumber && date <= kLastDayNumber;
}

bool IsValidDate(int day, int month, int year) {
  return DateFromDMY(day, month, year) != BadDate;
}

int DayOfWeek(DayNumber date) {
  if (!IsValidDate(date))
    return kNoWeekday;
  return (date + 6) % 7;
}

DayNumber AddDaysMonthsYears(DayNumber date, int days, int months, int years) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return BadDate;
  // The day is moved as the 28th, which every month has; how far it lay past
  // the 28th is added back afterwards with the days, so it runs over into the
  // following month when the target month is shorter.
  const int excess = std::max(dmy.day - 28, 0);
  const YearMonth target = ShiftMonths(dmy, months, years);
  const DayNumber moved = CheckedDayNumber(std::min(dmy.day, 28), target.month, target.year);
  if (moved == BadDate)
    return BadDate;
  return CheckedDate(static_cast<std::int64_t>(moved) + excess + days);
}

DayNumber AddMonthsClipped(DayNumber date, int months, int years) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return BadDate;
  const YearMonth target = ShiftMonths(dmy, months, years);
  if (!YearInCalendar(target.year))
    return BadDate;
  const int length = DaysInMonth(static_cast<int>(target.month), static_cast<int>(target.year));
  return CheckedDayNumber(std::min(dmy.day, length), target.month, target.year);
}

DateSpan DateDifference(DayNumber a, DayNumber b) {
  if (!IsValidDate(a) || !IsValidDate(b))
    return {};
  if (a > b)
    std::swap(a, b);
  DayMonthYear first = DMYFromDate(a);
  DayMonthYear second = DMYFromDate(b);
  // The last day of a month counts as day 0 of the following month, so that
  // month end to month end is a whole number of months.
  for (DayMonthYear* d : {&first, &second}) {
    if (d->day == DaysInMonth(d->month, d->year)) {
      d->day = 0;
      if (++d->month > 12) {
        d->month = 1;
        ++d->year;
      }
    }
  }
  DateSpan span;
  if (second.day < first.day) {
    // Borrow the month before the later date's month. When that month is a
    // February shorter than the earlier day, the days come out at -1 or -2
    // (30 January to 1 March 2023 is one month and -1 day): the same view of
    // the calendar as AddDaysMonthsYears, where 30 January plus one month
    // runs over to 2 March.
    if (--second.month == 0) {
      second.month = 12;
      --second.year;
    }
    span.days = second.day + DaysInMonth(second.month, second.year) - first.day;
  } else {
    span.days = second.day - first.day;
  }
  if (second.month < first.month) {
    second.month += 12;
    --second.year;
  }
  span.months = second.month - first.month;
  span.years = second.year - first.year;
  return span;
}

DayNumber AddYears(DayNumber date, int years) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return BadDate;
  return CheckedDayNumber(dmy.day, dmy.month, static_cast<std::int64_t>(dmy.year) + years);
}

std::string DayName(DayNumber date) {
  const int weekday = DayOfWeek(date);
  if (weekday == kNoWeekday)
    return "Bad Date";
  std::lock_guard lock(NamesMutex());
  return FirstCharacters(WeekdayNames()[static_cast<std::size_t>(weekday)], kMaxDayNameLength);
}

void SetWeekdayNames(const std::array<std::string, 7>& names) {
  std::lock_guard lock(NamesMutex());
  WeekdayNames() = names;
}

void ResetWeekdayNames() {
  SetWeekdayNames(kEnglishWeekdayNames);
}

DayNumber Today() {
  std::lock_guard lock(ClockMutex());
  if (FixedDay())
    return *FixedDay();
  const std::time_t now = std::time(nullptr);
  // std::localtime shares one buffer; the clock lock serialises its use.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr)
    return BadDate;
  return CheckedDayNumber(local->tm_mday, static_cast<std::int64_t>(local->tm_mon) + 1,
                          static_cast<std::int64_t>(local->tm_year) + 1900);
}

void SetFixedToday(DayNumber day) {
  std::lock_guard lock(ClockMutex());
  FixedDay() = IsValidDate(day) ? day : BadDate;
}

void ClearFixedToday() {
  std::lock_guard lock(ClockMutex());
  FixedDay().reset();
}

std::optional<DayNumber> FixedToday() {
  std::lock_guard lock(ClockMutex());
  return FixedDay();
}

FixedTodayScope::FixedTodayScope(DayNumber day) : m_previous(FixedToday()) {
  SetFixedToday(day);
}

FixedTodayScope::~FixedTodayScope() {
  if (m_previous) {
    SetFixedToday(*m_previous);
  } else {
    ClearFixedToday();
  }
}

}  // namespace quandrel
