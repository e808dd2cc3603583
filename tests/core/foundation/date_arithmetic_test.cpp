#include "core/foundation/date_arithmetic.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace quandrel {
namespace {

DayNumber D(int year, int month, int day) {
  return DateFromDMY(day, month, year);
}

// ---- Conversions ------------------------------------------------------------

TEST(DayNumbers, AnchorDatesHaveTheirDayNumbers) {
  // Day counts from 1 January 1600 taken from an independent calendar.
  EXPECT_EQ(D(1600, 1, 1), 0);
  EXPECT_EQ(D(1600, 3, 1), 60);  // 1600 is a leap year
  EXPECT_EQ(D(1970, 1, 1), 135140);
  EXPECT_EQ(D(2000, 1, 1), 146097);
  EXPECT_EQ(D(2024, 6, 1), 155015);
  EXPECT_EQ(D(3999, 12, 31), 876581);
  EXPECT_EQ(kLastDayNumber, 876581);
}

TEST(DayNumbers, EveryDayOfTheCalendarConvertsToItsDateAndBackWithWeekdaysSteppingByOne) {
  // An independent day-by-day walk of the Gregorian calendar (no year in
  // range is a multiple of 4000). 1 January 1600 was a Saturday.
  constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int day = 1;
  int month = 1;
  int year = 1600;
  int weekday = 6;
  for (DayNumber n = 0; n <= kLastDayNumber; ++n) {
    ASSERT_EQ(DMYFromDate(n), (DayMonthYear{day, month, year})) << "day number " << n;
    ASSERT_EQ(DateFromDMY(day, month, year), n) << day << "." << month << "." << year;
    ASSERT_EQ(DayOfWeek(n), weekday) << "day number " << n;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = (month == 2 && leap) ? 29 : kLengths[static_cast<std::size_t>(month - 1)];
    if (++day > length) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
    weekday = (weekday + 1) % 7;
  }
  EXPECT_EQ(year, 4000);  // the walk ended just after 31 December 3999
}

TEST(DayNumbers, LeapYearRules) {
  struct Case {
    int year;
    bool leap;
  };
  const Case cases[] = {{1600, true}, {1700, false}, {1800, false}, {1900, false}, {1996, true},
                        {2000, true}, {2023, false}, {2024, true},  {2100, false}, {2400, true},
                        {3600, true}, {4000, false}, {8000, false}, {12000, false}};
  for (const Case& c : cases)
    EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(DayNumbers, DaysInMonth) {
  struct Case {
    int month;
    int year;
    int days;
  };
  const Case cases[] = {{1, 2023, 31}, {2, 2023, 28},  {2, 2024, 29},  {2, 1900, 28},
                        {2, 1600, 29}, {2, 3600, 29},  {4, 2024, 30},  {6, 2024, 30},
                        {9, 2024, 30}, {11, 2024, 30}, {12, 3999, 31}, {0, 2024, 0},
                        {13, 2024, 0}, {-1, 2024, 0},  {1, 1599, 0},   {1, 4000, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
}

TEST(DayNumbers, InvalidDayMonthOrYearGivesBadDate) {
  struct Case {
    int day;
    int month;
    int year;
    bool valid;
  };
  const Case cases[] = {
      {29, 2, 1600, true},       {29, 2, 3600, true},    {31, 12, 3999, true}, {29, 2, 2023, false},
      {29, 2, 1700, false},      {1, 1, 4000, false},    {29, 2, 4000, false}, {31, 12, 1599, false},
      {0, 1, 2024, false},       {32, 1, 2024, false},   {31, 4, 2024, false}, {1, 0, 2024, false},
      {1, 13, 2024, false},      {1, 1, -1, false},      {1, 1, 100, false},   {INT_MAX, 1, 2024, false},
      {1, INT_MIN, 2024, false}, {1, 1, INT_MAX, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DateFromDMY(c.day, c.month, c.year) != BadDate, c.valid)
        << c.day << "." << c.month << "." << c.year;
    EXPECT_EQ(IsValidDate(c.day, c.month, c.year), c.valid);
  }
}

TEST(DayNumbers, TwoDigitYearsFallInTheWindowFrom1980) {
  EXPECT_EQ(DateFromDMY(1, 1, 0), D(2000, 1, 1));
  EXPECT_EQ(DateFromDMY(29, 2, 0), D(2000, 2, 29));
  EXPECT_EQ(DateFromDMY(31, 12, 79), D(2079, 12, 31));
  EXPECT_EQ(DateFromDMY(1, 1, 80), D(1980, 1, 1));
  EXPECT_EQ(DateFromDMY(15, 6, 99), D(1999, 6, 15));
  EXPECT_TRUE(IsValidDate(29, 2, 24));
  EXPECT_FALSE(IsValidDate(29, 2, 23));
}

TEST(DayNumbers, BadDayNumbersHaveNoDateAndNoWeekday) {
  for (DayNumber bad : {BadDate, -2, kLastDayNumber + 1, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(IsValidDate(bad)) << bad;
    EXPECT_EQ(DMYFromDate(bad), DayMonthYear{}) << bad;
    EXPECT_FALSE(DMYFromDate(bad).IsValid());
    EXPECT_EQ(DayOfWeek(bad), 7) << bad;
    EXPECT_EQ(DayName(bad), "Bad Date");
  }
}

// ---- Weekday names ------------------------------------------------------------

class WeekdayNames : public ::testing::Test {
 protected:
  void TearDown() override { ResetWeekdayNames(); }
};

TEST_F(WeekdayNames, EnglishNamesByDefault) {
  // 2 June 2024 was a Sunday.
  const char* expected[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(DayName(D(2024, 6, 2) + i), expected[i]);
}

TEST_F(WeekdayNames, LocaleNamesReplaceThemAndAreCutToNineCharacters) {
  SetWeekdayNames({"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"});
  EXPECT_EQ(DayName(D(2024, 6, 2)), "Sonntag");
  EXPECT_EQ(DayName(D(2024, 6, 6)), "Donnersta");
  // Nine characters, not nine bytes: a name is never cut inside a character.
  SetWeekdayNames({"domingo", "lunes", "martes", "miércoles", "jueves", "viernes", "sábado"});
  EXPECT_EQ(DayName(D(2024, 6, 5)), "miércoles");
  SetWeekdayNames({"a", "b", "c", "ddddddééé€", "e", "f", "g"});
  EXPECT_EQ(DayName(D(2024, 6, 5)), "ddddddééé");
  EXPECT_EQ(DayName(BadDate), "Bad Date");
  ResetWeekdayNames();
  EXPECT_EQ(DayName(D(2024, 6, 6)), "Thursday");
}

// ---- Month and year arithmetic -----------------------------------------------

struct AddCase {
  DayNumber from;
  int days;
  int months;
  int years;
  DayNumber expected;
};

TEST(DateArithmetic, AddDaysMonthsYearsRunsDaysPastThe28thIntoTheNextMonth) {
  const AddCase cases[] = {
      {D(2023, 1, 31), 0, 1, 0, D(2023, 3, 3)},    {D(2024, 1, 31), 0, 1, 0, D(2024, 3, 2)},
      {D(2023, 1, 30), 0, 1, 0, D(2023, 3, 2)},    {D(2023, 1, 28), 0, 1, 0, D(2023, 2, 28)},
      {D(2023, 3, 31), 0, -1, 0, D(2023, 3, 3)},   {D(2023, 5, 31), 0, 1, 0, D(2023, 7, 1)},
      {D(2023, 11, 30), 0, 3, 0, D(2024, 3, 1)},   {D(2023, 11, 15), 0, 14, 0, D(2025, 1, 15)},
      {D(2024, 1, 15), 0, -1, 0, D(2023, 12, 15)}, {D(2024, 1, 15), 0, -25, 0, D(2021, 12, 15)},
      {D(2024, 2, 29), 0, 0, 1, D(2025, 3, 1)},    {D(2024, 3, 15), 10, 0, 0, D(2024, 3, 25)},
      {D(2024, 3, 15), -15, 0, 0, D(2024, 2, 29)}, {D(2020, 1, 10), 5, 2, 1, D(2021, 3, 15)},
      {D(2024, 6, 1), 0, 0, 0, D(2024, 6, 1)},
  };
  for (const AddCase& c : cases) {
    EXPECT_EQ(AddDaysMonthsYears(c.from, c.days, c.months, c.years), c.expected)
        << DMYFromDate(c.from).day << "." << DMYFromDate(c.from).month << "." << DMYFromDate(c.from).year
        << " " << c.days << "d " << c.months << "m " << c.years << "y";
  }
}

TEST(DateArithmetic, AddMonthsClippedStopsAtTheEndOfTheTargetMonth) {
  const AddCase cases[] = {
      {D(2023, 1, 31), 0, 1, 0, D(2023, 2, 28)},    {D(2024, 1, 31), 0, 1, 0, D(2024, 2, 29)},
      {D(2024, 3, 31), 0, -1, 0, D(2024, 2, 29)},   {D(2024, 5, 31), 0, 1, 0, D(2024, 6, 30)},
      {D(2023, 12, 31), 0, 2, 0, D(2024, 2, 29)},   {D(2024, 2, 29), 0, 12, 0, D(2025, 2, 28)},
      {D(2024, 2, 29), 0, 0, 1, D(2025, 2, 28)},    {D(2024, 2, 29), 0, 0, 4, D(2028, 2, 29)},
      {D(2024, 1, 15), 0, -13, 0, D(2022, 12, 15)}, {D(2024, 1, 15), 0, 1, -1, D(2023, 2, 15)},
  };
  for (const AddCase& c : cases) {
    EXPECT_EQ(AddMonthsClipped(c.from, c.months, c.years), c.expected)
        << DMYFromDate(c.from).day << "." << DMYFromDate(c.from).month << "." << DMYFromDate(c.from).year
        << " " << c.months << "m " << c.years << "y";
  }
}

TEST(DateArithmetic, AddYearsKeepsDayAndMonthOrGivesBadDate) {
  EXPECT_EQ(AddYears(D(2023, 6, 15), 1), D(2024, 6, 15));
  EXPECT_EQ(AddYears(D(2024, 6, 15), -24), D(2000, 6, 15));
  EXPECT_EQ(AddYears(D(2024, 2, 29), 4), D(2028, 2, 29));
  EXPECT_EQ(AddYears(D(2024, 2, 29), 1), BadDate);
  EXPECT_EQ(AddYears(D(2000, 2, 29), 100), BadDate);
  // The two-digit window belongs to typed years, not to arithmetic: year 50
  // is off the calendar, not 2050.
  EXPECT_EQ(AddYears(D(1650, 6, 15), -1600), BadDate);
  EXPECT_EQ(AddYears(D(3999, 1, 1), 1), BadDate);
}

TEST(DateArithmetic, ResultsOrIntermediatesOffTheCalendarAreBadDates) {
  EXPECT_EQ(AddDaysMonthsYears(D(3999, 12, 31), 1, 0, 0), BadDate);
  EXPECT_EQ(AddDaysMonthsYears(D(1600, 1, 1), -1, 0, 0), BadDate);
  EXPECT_EQ(AddDaysMonthsYears(D(3999, 12, 15), 0, 1, 0), BadDate);
  // 1 January 1600 minus a month is off the calendar even though the days
  // would bring the result back onto it.
  EXPECT_EQ(AddDaysMonthsYears(D(1600, 1, 1), 400, -1, 0), BadDate);
  EXPECT_EQ(AddMonthsClipped(D(1600, 1, 31), -1, 0), BadDate);
  EXPECT_EQ(AddMonthsClipped(D(3999, 12, 31), 0, 1), BadDate);
  const DayNumber mid = D(2024, 6, 15);
  for (int extreme : {INT_MAX, INT_MIN}) {
    EXPECT_EQ(AddDaysMonthsYears(mid, extreme, 0, 0), BadDate);
    EXPECT_EQ(AddDaysMonthsYears(mid, 0, extreme, 0), BadDate);
    EXPECT_EQ(AddDaysMonthsYears(mid, 0, 0, extreme), BadDate);
    EXPECT_EQ(AddDaysMonthsYears(mid, extreme, extreme, extreme), BadDate);
    EXPECT_EQ(AddMonthsClipped(mid, extreme, 0), BadDate);
    EXPECT_EQ(AddMonthsClipped(mid, extreme, extreme), BadDate);
    EXPECT_EQ(AddYears(mid, extreme), BadDate);
  }
  // Months and years that cancel stay on the calendar.
  EXPECT_EQ(AddDaysMonthsYears(mid, 0, 24, -2), mid);
}

TEST(DateArithmetic, ArithmeticOnABadDateStaysBad) {
  for (DayNumber bad : {BadDate, -2, kLastDayNumber + 1, INT_MIN, INT_MAX}) {
    EXPECT_EQ(AddDaysMonthsYears(bad, 0, 0, 0), BadDate) << bad;
    EXPECT_EQ(AddDaysMonthsYears(bad, 1, 1, 1), BadDate) << bad;
    EXPECT_EQ(AddMonthsClipped(bad, 0, 0), BadDate) << bad;
    EXPECT_EQ(AddMonthsClipped(bad, -1, 0), BadDate) << bad;
    EXPECT_EQ(AddYears(bad, 0), BadDate) << bad;
    EXPECT_EQ(DateDifference(bad, D(2024, 1, 1)), DateSpan{}) << bad;
    EXPECT_EQ(DateDifference(D(2024, 1, 1), bad), DateSpan{}) << bad;
  }
}

// ---- Date differences -----------------------------------------------------------

TEST(DateArithmetic, DateDifferenceInYearsMonthsAndDays) {
  struct Case {
    DayNumber a;
    DayNumber b;
    DateSpan expected;
  };
  const Case cases[] = {
      {D(2024, 1, 15), D(2024, 3, 20), {0, 2, 5}},
      {D(2024, 3, 20), D(2024, 1, 15), {0, 2, 5}},   // order does not matter
      {D(2023, 3, 20), D(2023, 5, 10), {0, 1, 20}},  // borrows April's 30 days
      {D(2022, 11, 10), D(2024, 2, 5), {1, 2, 26}},  // borrows January's 31 days
      {D(2023, 1, 15), D(2023, 2, 28), {0, 1, 13}},  // 28 February is day 0 of March
      {D(2023, 1, 31), D(2023, 2, 28), {0, 1, 0}},   // month end to month end
      {D(2023, 1, 31), D(2023, 4, 30), {0, 3, 0}},
      {D(2024, 2, 29), D(2025, 2, 28), {1, 0, 0}},
      {D(2023, 12, 31), D(2024, 12, 31), {1, 0, 0}},
      {D(3999, 12, 1), D(3999, 12, 31), {0, 0, 30}},
      {D(2024, 6, 1), D(2024, 6, 1), {0, 0, 0}},
      // The February borrow is shorter than the 30th: one month less a day,
      // as 30 January plus a month runs over to 2 March.
      {D(2023, 1, 30), D(2023, 3, 1), {0, 1, -1}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DateDifference(c.a, c.b), c.expected) << c.a << " " << c.b;
}

// ---- The clock --------------------------------------------------------------------

TEST(Clock, FixedTodayScopesNestAndRestore) {
  ClearFixedToday();
  {
    FixedTodayScope outer(D(2024, 6, 1));
    EXPECT_EQ(Today(), D(2024, 6, 1));
    {
      FixedTodayScope inner(D(1999, 12, 31));
      EXPECT_EQ(Today(), D(1999, 12, 31));
    }
    EXPECT_EQ(Today(), D(2024, 6, 1));
    EXPECT_EQ(FixedToday(), D(2024, 6, 1));
  }
  EXPECT_FALSE(FixedToday().has_value());
}

TEST(Clock, AFixedDayOffTheCalendarIsABadDate) {
  FixedTodayScope scope(kLastDayNumber + 1);
  EXPECT_EQ(Today(), BadDate);
}

TEST(Clock, WithoutAFixedDayTodayIsTheSystemsLocalDate) {
  SetFixedToday(D(2024, 6, 1));
  ClearFixedToday();
  // The local date is the UTC date give or take one day for the time zone.
  const auto utcDays = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  const long long expected = 135140 + utcDays.time_since_epoch().count();
  EXPECT_LE(std::llabs(static_cast<long long>(Today()) - expected), 1);
}

}  // namespace
}  // namespace quandrel
