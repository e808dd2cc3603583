#include "core/foundation/date_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

DayNumber D(int year, int month, int day) {
  return DateFromDMY(day, month, year);
}

std::string Text(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return "bad date";
  return std::to_string(dmy.year) + "-" + std::to_string(dmy.month) + "-" + std::to_string(dmy.day);
}

// Frequencies, weekend rules and bond bases by their positions.
constexpr int kDaily = 1;
constexpr int kWeekly = 2;
constexpr int kBiWeekly = 3;
constexpr int kTwiceMonthly = 4;
constexpr int kFourWeekly = 5;
constexpr int kMonthly = 6;
constexpr int kBiMonthly = 7;
constexpr int kQuarterly = 8;
constexpr int kSemiannually = 9;
constexpr int kAnnually = 10;

constexpr int kNoAdjustment = 0;
constexpr int kClosestDay = 1;
constexpr int kForceFriday = 2;
constexpr int kForceMonday = 3;

// ---- Month ends and simple operations ----------------------------------------

TEST(DateMathMonths, MonthEndsAndFirstDays) {
  struct Case {
    DayNumber date;
    bool endOfMonth;
    bool lastDayOfFebruary;
    DayNumber end;
    DayNumber first;
    DayNumber firstOfNext;
    DayNumber firstOfPrevious;
  };
  const Case cases[] = {
      {D(2024, 2, 29), true, true, D(2024, 2, 29), D(2024, 2, 1), D(2024, 3, 1), D(2024, 1, 1)},
      {D(2024, 2, 28), false, false, D(2024, 2, 29), D(2024, 2, 1), D(2024, 3, 1), D(2024, 1, 1)},
      {D(2023, 2, 28), true, true, D(2023, 2, 28), D(2023, 2, 1), D(2023, 3, 1), D(2023, 1, 1)},
      {D(1900, 2, 28), true, true, D(1900, 2, 28), D(1900, 2, 1), D(1900, 3, 1), D(1900, 1, 1)},
      {D(2024, 4, 30), true, false, D(2024, 4, 30), D(2024, 4, 1), D(2024, 5, 1), D(2024, 3, 1)},
      {D(2024, 5, 30), false, false, D(2024, 5, 31), D(2024, 5, 1), D(2024, 6, 1), D(2024, 4, 1)},
      {D(2024, 1, 31), true, false, D(2024, 1, 31), D(2024, 1, 1), D(2024, 2, 1), D(2023, 12, 1)},
      {D(2023, 12, 31), true, false, D(2023, 12, 31), D(2023, 12, 1), D(2024, 1, 1), D(2023, 11, 1)},
      {D(1600, 1, 15), false, false, D(1600, 1, 31), D(1600, 1, 1), D(1600, 2, 1), BadDate},
      {D(3999, 12, 3), false, false, D(3999, 12, 31), D(3999, 12, 1), BadDate, D(3999, 11, 1)},
      {BadDate, false, false, BadDate, BadDate, BadDate, BadDate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.date));
    EXPECT_EQ(TcalcDateMath::IsEndOfMonth(c.date), c.endOfMonth);
    EXPECT_EQ(TcalcDateMath::IsLastDayOfFebruary(c.date), c.lastDayOfFebruary);
    EXPECT_EQ(TcalcDateMath::EndOfMonth(c.date), c.end);
    EXPECT_EQ(TcalcDateMath::FirstOfMonth(c.date), c.first);
    EXPECT_EQ(TcalcDateMath::FirstOfNextMonth(c.date), c.firstOfNext);
    EXPECT_EQ(TcalcDateMath::FirstOfPreviousMonth(c.date), c.firstOfPrevious);
  }
}

TEST(DateMathMonths, SetBaseDateRecordsMonthEndAndDay) {
  TcalcDateMath dm;
  dm.SetBaseDate(D(2024, 4, 30));
  EXPECT_EQ(dm.BaseDate, D(2024, 4, 30));
  EXPECT_TRUE(dm.BaseIsMonthEnd);
  EXPECT_EQ(dm.BaseDay, 30);
  dm.SetBaseDate(D(2024, 3, 30));
  EXPECT_FALSE(dm.BaseIsMonthEnd);
  EXPECT_EQ(dm.BaseDay, 30);
  dm.SetBaseDate(BadDate);
  EXPECT_EQ(dm.BaseDate, BadDate);
  EXPECT_FALSE(dm.BaseIsMonthEnd);
  EXPECT_EQ(dm.BaseDay, 1);
}

TEST(DateMathMonths, AddYearsGivesBadDateForAMissingLeapDay) {
  EXPECT_EQ(TcalcDateMath::AddYears(D(2024, 2, 29), 4), D(2028, 2, 29));
  EXPECT_EQ(TcalcDateMath::AddYears(D(2024, 2, 29), 1), BadDate);
  EXPECT_EQ(TcalcDateMath::AddYears(D(2023, 3, 31), -1), D(2022, 3, 31));
}

TEST(DateMathWeekend, SaturdayAndSundayMoveByRule) {
  struct Case {
    DayNumber date;
    int rule;
    DayNumber expected;
  };
  const Case cases[] = {
      // Saturday 1 June 2024.
      {D(2024, 6, 1), kClosestDay, D(2024, 5, 31)},
      {D(2024, 6, 1), kForceFriday, D(2024, 5, 31)},
      {D(2024, 6, 1), kForceMonday, D(2024, 6, 3)},
      // Sunday 2 June 2024.
      {D(2024, 6, 2), kClosestDay, D(2024, 6, 3)},
      {D(2024, 6, 2), kForceFriday, D(2024, 5, 31)},
      {D(2024, 6, 2), kForceMonday, D(2024, 6, 3)},
      // Weekdays stay.
      {D(2024, 5, 31), kForceMonday, D(2024, 5, 31)},
      {D(2024, 6, 3), kForceFriday, D(2024, 6, 3)},
      // "No Adjustment" leaves the weekend alone.
      {D(2024, 6, 1), kNoAdjustment, D(2024, 6, 1)},
      // At the edges of the calendar: Saturday 1 January 1600, Sunday 2 January 1600.
      {D(1600, 1, 1), kClosestDay, BadDate},
      {D(1600, 1, 1), kForceMonday, D(1600, 1, 3)},
      {D(1600, 1, 2), kForceFriday, BadDate},
      {BadDate, kClosestDay, BadDate},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TcalcDateMath::AdjustForWeekend(c.date, c.rule), c.expected)
        << Text(c.date) << " rule " << c.rule;
  }
}

TEST(DateMathSimple, DayNameForwardsToTheCalendar) {
  EXPECT_EQ(TcalcDateMath::DayName(D(2024, 6, 1)), "Saturday");
  EXPECT_EQ(TcalcDateMath::DayName(BadDate), "Bad Date");
}

TEST(DateMathSimple, AtLeastTwoWeeksAfter) {
  const DayNumber candidate = D(2024, 6, 10);
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(candidate, D(2024, 6, 5)), candidate);
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(candidate, D(2024, 6, 10)), D(2024, 6, 24));
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(candidate, D(2024, 6, 23)), D(2024, 6, 24));
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(candidate, D(2024, 6, 24)), D(2024, 6, 24));
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(candidate, D(2024, 7, 30)), D(2024, 7, 30));
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(BadDate, D(2024, 7, 30)), BadDate);
  EXPECT_EQ(TcalcDateMath::AtLeastTwoWeeksAfter(D(3999, 12, 25), D(3999, 12, 26)), BadDate);
}

TEST(DateMathSimple, FormatPair) {
  EXPECT_EQ(TcalcDateMath::FormatPair(1, 5, '-', '0', true), "1-05");
  EXPECT_EQ(TcalcDateMath::FormatPair(12, 10, '/', '0', true), "12/10");
  EXPECT_EQ(TcalcDateMath::FormatPair(3, 7, ':', ' ', false), "3:7");
  EXPECT_EQ(TcalcDateMath::FormatPair(2024, 3, '-', '0', true), "2024-03");
  // Each number has at most 5 digits and the pair at most 8 characters.
  EXPECT_EQ(TcalcDateMath::FormatPair(123456, 7, '-', '0', true), "12345-07");
  EXPECT_EQ(TcalcDateMath::FormatPair(99999, 99999, '-', ' ', false), "99999-99");
}

// ---- Day counts ---------------------------------------------------------------

TEST(DateMathDayCounts, Days30360ByMethod) {
  struct Case {
    DayNumber a;
    DayNumber b;
    int actual;
    int nasd;         // method 1
    int european;     // method 2
    int oldEuropean;  // method 3
  };
  const Case cases[] = {
      {D(2023, 1, 31), D(2023, 3, 31), 59, 60, 60, 60},
      // A start before the 30th leaves a 31st end at 31 under method 1; the
      // old European method takes the last day of February as the 30th.
      {D(2023, 2, 28), D(2023, 3, 31), 31, 33, 32, 30},
      {D(2024, 2, 29), D(2024, 3, 31), 31, 32, 31, 30},
      {D(2024, 2, 28), D(2024, 3, 31), 32, 33, 32, 32},
      {D(2024, 1, 15), D(2024, 1, 31), 16, 16, 15, 15},
      {D(2024, 1, 30), D(2024, 3, 31), 61, 60, 60, 60},
      {D(2023, 12, 31), D(2024, 12, 31), 366, 360, 360, 360},
      {D(2024, 6, 30), D(2024, 12, 31), 184, 180, 180, 180},
      {D(2023, 3, 31), D(2023, 1, 31), -59, -60, -60, -60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.a) + " to " + Text(c.b));
    EXPECT_EQ(TcalcDateMath::Days30360(c.a, c.b, 0), c.actual);
    EXPECT_EQ(TcalcDateMath::Days30360(c.a, c.b, 1), c.nasd);
    EXPECT_EQ(TcalcDateMath::Days30360(c.a, c.b, 2), c.european);
    EXPECT_EQ(TcalcDateMath::Days30360(c.a, c.b, 3), c.oldEuropean);
  }
  EXPECT_EQ(TcalcDateMath::Days30360(BadDate, D(2024, 1, 1), 1), 0);
  EXPECT_EQ(TcalcDateMath::Days30360(D(2024, 1, 1), BadDate, 0), 0);
}

TEST(DateMathDayCounts, BondDaysAndYearFractionsByBasis) {
  const DayNumber a = D(2023, 2, 28);
  const DayNumber b = D(2023, 3, 31);
  struct Case {
    int basis;
    int days;
    long double fraction;
  };
  const Case cases[] = {
      {0, 33, 33.0L / 360}, {1, 31, 31.0L / 360}, {2, 31, 31.0L / 365},
      {4, 32, 32.0L / 360}, {5, 30, 30.0L / 360},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.basis);
    EXPECT_EQ(TcalcDateMath::BondDays(a, b, c.basis), c.days);
    EXPECT_NEAR(
        static_cast<double>(TcalcDateMath::BondYearFraction(a, b, c.basis, kSemiannually, D(2030, 3, 31), b)),
        static_cast<double>(c.fraction), 1e-15);
  }
  EXPECT_EQ(TcalcDateMath::BondDays(a, b, 3), 31);
}

TEST(DateMathDayCounts, ActualActualYearIsTheSettlementCouponPeriodTimesCouponsPerYear) {
  struct Case {
    DayNumber a;
    DayNumber b;
    int coupon;
    DayNumber maturity;
    DayNumber settlement;
    long double expected;
  };
  const Case cases[] = {
      // Coupon period 15 Nov 2023 .. 15 May 2024 has 182 days.
      {D(2023, 11, 15), D(2024, 3, 1), kSemiannually, D(2030, 11, 15), D(2024, 3, 1), 107.0L / 364},
      // The annual period 1 Jul 2023 .. 1 Jul 2024 holds a leap day.
      {D(2023, 7, 1), D(2024, 3, 1), kAnnually, D(2030, 7, 1), D(2024, 3, 1), 244.0L / 366},
      // A month-end maturity keeps its month ends: 30 Jun .. 31 Dec 2024, 184 days.
      {D(2024, 6, 30), D(2024, 8, 15), kSemiannually, D(2030, 12, 31), D(2024, 8, 15), 46.0L / 368},
      // Not a coupon frequency: no year length, no fraction.
      {D(2023, 7, 1), D(2024, 3, 1), 5, D(2030, 7, 1), D(2024, 3, 1), 0.0L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.a) + " to " + Text(c.b));
    EXPECT_NEAR(
        static_cast<double>(TcalcDateMath::BondYearFraction(c.a, c.b, 3, c.coupon, c.maturity, c.settlement)),
        static_cast<double>(c.expected), 1e-15);
  }
}

// ---- Coupon dates ---------------------------------------------------------------

TEST(DateMathCoupons, PreviousAndNextCouponDatesAndCouponsLeft) {
  struct Case {
    DayNumber settlement;
    DayNumber maturity;
    int coupon;
    DayNumber previous;
    DayNumber next;
    int coupons;
  };
  const Case cases[] = {
      {D(2024, 3, 1), D(2030, 11, 15), kSemiannually, D(2023, 11, 15), D(2024, 5, 15), 14},
      // Settlement on a coupon date: the previous date is a period earlier,
      // the next is the settlement date, and that coupon is not counted.
      {D(2024, 5, 15), D(2030, 11, 15), kSemiannually, D(2023, 11, 15), D(2024, 5, 15), 13},
      {D(2030, 5, 15), D(2030, 11, 15), kSemiannually, D(2029, 11, 15), D(2030, 5, 15), 1},
      // Month-end maturities: the series is counted back from maturity and
      // clipped, so 31 December follows 30 June.
      {D(2024, 8, 15), D(2030, 12, 31), kSemiannually, D(2024, 6, 30), D(2024, 12, 31), 13},
      {D(2025, 12, 31), D(2030, 12, 31), kSemiannually, D(2025, 6, 30), D(2025, 12, 31), 10},
      {D(2024, 3, 10), D(2030, 8, 31), kQuarterly, D(2024, 2, 29), D(2024, 5, 31), 26},
      {D(2024, 3, 15), D(2025, 1, 31), kMonthly, D(2024, 2, 29), D(2024, 3, 31), 11},
      {D(2024, 6, 20), D(2024, 12, 15), kBiMonthly, D(2024, 6, 15), D(2024, 8, 15), 3},
      {D(2024, 3, 1), D(2030, 7, 1), kAnnually, D(2023, 7, 1), D(2024, 7, 1), 7},
      // On or after maturity no coupons are left.
      {D(2030, 11, 15), D(2030, 11, 15), kSemiannually, D(2030, 5, 15), D(2030, 11, 15), 0},
      {D(2030, 11, 20), D(2030, 11, 15), kSemiannually, D(2030, 11, 15), D(2031, 5, 15), 0},
      // The calendar's first day: the only coupon date before it is off the calendar.
      {D(1600, 1, 1), D(1600, 1, 15), kMonthly, BadDate, BadDate, 1},
      // Not a coupon frequency, or a bad date.
      {D(2024, 3, 1), D(2030, 11, 15), 5, BadDate, BadDate, 0},
      {D(2024, 3, 1), D(2030, 11, 15), 11, BadDate, BadDate, 0},
      {BadDate, D(2030, 11, 15), kSemiannually, BadDate, BadDate, 0},
      {D(2024, 3, 1), BadDate, kSemiannually, BadDate, BadDate, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.settlement) + " maturity " + Text(c.maturity) + " coupon " +
                 std::to_string(c.coupon));
    EXPECT_EQ(Text(TcalcDateMath::PreviousCouponDate(c.settlement, c.maturity, c.coupon)), Text(c.previous));
    EXPECT_EQ(Text(TcalcDateMath::NextCouponDate(c.settlement, c.maturity, c.coupon)), Text(c.next));
    EXPECT_EQ(TcalcDateMath::CouponsBetween(c.settlement, c.maturity, c.coupon), c.coupons);
  }
}

// ---- Stepping forward -------------------------------------------------------------

struct Walk {
  const char* name;
  int frequency;
  DayNumber base;
  int paymentDay;
  int weekendRule;
  int twiceMonthlyRule;
  std::vector<DayNumber> expected;  // successive NextDate results from the base
};

void CheckWalk(const Walk& w) {
  SCOPED_TRACE(w.name);
  TcalcDateMath dm;
  dm.SetBaseDate(w.base);
  dm.PaymentDay = w.paymentDay;
  DayNumber date = w.base;
  for (DayNumber expected : w.expected) {
    const DayNumber from = date;
    date = dm.NextDate(w.frequency, date, w.weekendRule, w.twiceMonthlyRule);
    ASSERT_EQ(Text(date), Text(expected)) << "after " << Text(from);
  }
}

TEST(DateMathNextDate, EveryFrequencyWithMonthEndAndFebruaryRules) {
  const Walk walks[] = {
      {"monthly from a month end keeps month ends",
       kMonthly,
       D(2023, 4, 30),
       30,
       0,
       0,
       {D(2023, 5, 31), D(2023, 6, 30), D(2023, 7, 31), D(2023, 8, 31)}},
      {"monthly from 30 March keeps the 30th",
       kMonthly,
       D(2023, 3, 30),
       30,
       0,
       0,
       {D(2023, 4, 30), D(2023, 5, 30), D(2023, 6, 30), D(2023, 7, 30)}},
      {"monthly 31 January",
       kMonthly,
       D(2023, 1, 31),
       31,
       0,
       0,
       {D(2023, 2, 28), D(2023, 3, 31), D(2023, 4, 30)}},
      {"monthly 31 January, leap year", kMonthly, D(2024, 1, 31), 31, 0, 0, {D(2024, 2, 29), D(2024, 3, 31)}},
      {"monthly 29 January",
       kMonthly,
       D(2023, 1, 29),
       29,
       0,
       0,
       {D(2023, 2, 28), D(2023, 3, 29), D(2023, 4, 29)}},
      {"monthly across the year end",
       kMonthly,
       D(2023, 12, 31),
       31,
       0,
       0,
       {D(2024, 1, 31), D(2024, 2, 29), D(2024, 3, 31)}},
      {"monthly mid-month",
       kMonthly,
       D(2023, 11, 15),
       15,
       0,
       0,
       {D(2023, 12, 15), D(2024, 1, 15), D(2024, 2, 15)}},
      {"bimonthly from 31 December",
       kBiMonthly,
       D(2023, 12, 31),
       31,
       0,
       0,
       {D(2024, 2, 29), D(2024, 4, 30), D(2024, 6, 30)}},
      {"bimonthly from 30 December",
       kBiMonthly,
       D(2022, 12, 30),
       30,
       0,
       0,
       {D(2023, 2, 28), D(2023, 4, 30), D(2023, 6, 30), D(2023, 8, 30), D(2023, 10, 30), D(2023, 12, 30),
        D(2024, 2, 29)}},
      {"bimonthly mid-month", kBiMonthly, D(2023, 11, 15), 15, 0, 0, {D(2024, 1, 15), D(2024, 3, 15)}},
      {"quarterly from 30 November",
       kQuarterly,
       D(2023, 11, 30),
       30,
       0,
       0,
       {D(2024, 2, 29), D(2024, 5, 31), D(2024, 8, 31), D(2024, 11, 30), D(2025, 2, 28)}},
      {"quarterly from 29 November",
       kQuarterly,
       D(2023, 11, 29),
       29,
       0,
       0,
       {D(2024, 2, 29), D(2024, 5, 29), D(2024, 8, 29), D(2024, 11, 29), D(2025, 2, 28)}},
      {"quarterly from 31 March",
       kQuarterly,
       D(2023, 3, 31),
       31,
       0,
       0,
       {D(2023, 6, 30), D(2023, 9, 30), D(2023, 12, 31), D(2024, 3, 31)}},
      {"semiannual from 31 August",
       kSemiannually,
       D(2023, 8, 31),
       31,
       0,
       0,
       {D(2024, 2, 29), D(2024, 8, 31), D(2025, 2, 28)}},
      {"semiannual from 30 August",
       kSemiannually,
       D(2023, 8, 30),
       30,
       0,
       0,
       {D(2024, 2, 29), D(2024, 8, 30), D(2025, 2, 28)}},
      {"semiannual from 30 June", kSemiannually, D(2023, 6, 30), 30, 0, 0, {D(2023, 12, 31), D(2024, 6, 30)}},
      {"semiannual mid-month", kSemiannually, D(2023, 3, 15), 15, 0, 0, {D(2023, 9, 15), D(2024, 3, 15)}},
      {"annual from 28 February", kAnnually, D(2023, 2, 28), 28, 0, 0, {D(2024, 2, 29), D(2025, 2, 28)}},
      {"annual from 29 February",
       kAnnually,
       D(2024, 2, 29),
       29,
       0,
       0,
       {D(2025, 2, 28), D(2026, 2, 28), D(2027, 2, 28), D(2028, 2, 29)}},
      {"annual mid-month", kAnnually, D(2023, 6, 15), 15, 0, 0, {D(2024, 6, 15)}},
      {"daily", kDaily, D(2023, 12, 30), 1, 0, 0, {D(2023, 12, 31), D(2024, 1, 1)}},
      {"weekly", kWeekly, D(2024, 2, 28), 1, 0, 0, {D(2024, 3, 6), D(2024, 3, 13)}},
      {"biweekly", kBiWeekly, D(2023, 12, 20), 1, 0, 0, {D(2024, 1, 3), D(2024, 1, 17)}},
      {"every four weeks", kFourWeekly, D(2024, 2, 15), 1, 0, 0, {D(2024, 3, 14), D(2024, 4, 11)}},
      {"twice monthly", kTwiceMonthly, D(2024, 3, 1), 1, 0, 0, {D(2024, 3, 15), D(2024, 4, 1)}},
      {"unknown frequency steps daily", 0, D(2024, 2, 28), 1, 0, 0, {D(2024, 2, 29), D(2024, 3, 1)}},
      {"unknown frequency 11 steps daily", 11, D(2024, 2, 28), 1, 0, 0, {D(2024, 2, 29), D(2024, 3, 1)}},
  };
  for (const Walk& w : walks)
    CheckWalk(w);
}

TEST(DateMathNextDate, TheScheduledDayComesBackAfterAWeekendAdjustment) {
  const Walk walks[] = {
      // Saturday 1 June 2024 is paid on Friday 31 May; the next payment is
      // Monday 1 July, not a date in June.
      {"1st, closest day",
       kMonthly,
       D(2024, 5, 1),
       1,
       kClosestDay,
       0,
       {D(2024, 5, 31), D(2024, 7, 1), D(2024, 8, 1)}},
      // Sunday 1 September and Sunday 1 December pulled back to Friday; the
      // December one restores across the year end.
      {"1st, force Friday",
       kMonthly,
       D(2024, 8, 1),
       1,
       kForceFriday,
       0,
       {D(2024, 8, 30), D(2024, 10, 1), D(2024, 11, 1), D(2024, 11, 29), D(2025, 1, 1)}},
      // Saturday 1 January 2022 pulled back into December 2021.
      {"1st, pulled back over the year end",
       kMonthly,
       D(2021, 12, 1),
       1,
       kClosestDay,
       0,
       {D(2021, 12, 31), D(2022, 2, 1)}},
      // Month-end payments: the scheduled 31st is clipped to short months,
      // and Sunday 31 March and Sunday 30 June are pushed on to Monday 1 April
      // and Monday 1 July without losing April or July.
      {"31st, closest day",
       kMonthly,
       D(2024, 1, 31),
       31,
       kClosestDay,
       0,
       {D(2024, 2, 29), D(2024, 4, 1), D(2024, 4, 30), D(2024, 5, 31), D(2024, 7, 1), D(2024, 7, 31)}},
      // Saturday 30 March and Sunday 30 June pushed on to Monday.
      {"30th, force Monday",
       kMonthly,
       D(2024, 1, 30),
       30,
       kForceMonday,
       0,
       {D(2024, 2, 29), D(2024, 4, 1), D(2024, 4, 30), D(2024, 5, 30), D(2024, 7, 1), D(2024, 7, 30)}},
      // Weekly payments are not weekend-adjusted by NextDate.
      {"weekly, closest day", kWeekly, D(2024, 6, 1), 1, kClosestDay, 0, {D(2024, 6, 8), D(2024, 6, 15)}},
  };
  for (const Walk& w : walks)
    CheckWalk(w);
}

TEST(DateMathNextDate, LastMonthIsTheMonthOfTheUnadjustedDate) {
  TcalcDateMath dm;
  dm.SetBaseDate(D(2024, 5, 1));
  EXPECT_EQ(dm.LastMonth, 0);
  EXPECT_EQ(dm.NextDate(kMonthly, D(2024, 5, 1), kClosestDay, 0), D(2024, 5, 31));
  EXPECT_EQ(dm.LastMonth, 6);
}

TEST(DateMathNextDate, AFirstStepRestoresTheDayButNotTheMonth) {
  // Nothing has been produced yet (LastMonth 0): a first date off the
  // scheduled day goes back to that day in its own month before stepping.
  TcalcDateMath dm;
  dm.PaymentDay = 15;
  dm.BaseDay = 15;
  EXPECT_EQ(Text(dm.NextDate(kMonthly, D(2024, 6, 14), kClosestDay, 0)), Text(D(2024, 7, 15)));
}

TEST(DateMathNextDate, APaymentDayOutsideTheMonthIsClipped) {
  TcalcDateMath dm;
  dm.PaymentDay = 31;
  dm.BaseDay = 31;
  dm.LastMonth = 4;
  // 31 April does not exist: the scheduled day in April is the 30th, a month
  // end, which steps to the base day of May.
  EXPECT_EQ(Text(dm.NextDate(kMonthly, D(2024, 4, 29), kClosestDay, 0)), Text(D(2024, 5, 31)));
  dm.LastMonth = 4;
  dm.PaymentDay = 45;
  dm.BaseIsMonthEnd = true;
  EXPECT_EQ(Text(dm.NextDate(kMonthly, D(2024, 4, 29), kClosestDay, 0)), Text(D(2024, 5, 31)));
  // A base day beyond the next month's end is clipped as well.
  TcalcDateMath other;
  other.BaseDay = 31;
  EXPECT_EQ(Text(other.NextDate(kMonthly, D(2024, 5, 31), kNoAdjustment, 0)), Text(D(2024, 6, 30)));
}

TEST(DateMathNextDate, MonthEndSteps) {
  struct Case {
    int frequency;
    DayNumber date;
    int weekendRule;
    int twiceMonthlyRule;
    DayNumber expected;
  };
  const Case cases[] = {
      {kMonthly, D(2024, 1, 15), 0, 0, D(2024, 2, 29)},
      {kMonthly, D(2023, 1, 31), 0, 0, D(2023, 2, 28)},
      {kMonthly, D(2024, 7, 15), kClosestDay, 0, D(2024, 8, 30)},  // Saturday 31 August
      {kMonthly, D(2024, 7, 15), kForceMonday, 0, D(2024, 9, 2)},
      {kBiMonthly, D(2023, 12, 31), 0, 0, D(2024, 2, 29)},
      {kQuarterly, D(2023, 11, 30), 0, 0, D(2024, 2, 29)},
      {kSemiannually, D(2023, 8, 31), 0, 0, D(2024, 2, 29)},
      {kAnnually, D(2024, 2, 29), 0, 0, D(2025, 2, 28)},
      {kAnnually, D(2024, 3, 10), 0, 0, D(2025, 3, 31)},
      {kDaily, D(2024, 2, 29), 0, 0, D(2024, 3, 1)},
      {kWeekly, D(2024, 6, 1), kClosestDay, 0, D(2024, 6, 7)},  // every frequency is adjusted
      {kBiWeekly, D(2024, 6, 1), 0, 0, D(2024, 6, 15)},
      {kFourWeekly, D(2024, 6, 1), 0, 0, D(2024, 6, 29)},
      {kTwiceMonthly, D(2024, 3, 10), 0, 2, D(2024, 3, 15)},
      {kMonthly, D(3999, 12, 15), 0, 0, BadDate},
      {kMonthly, BadDate, 0, 0, BadDate},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(TcalcDateMath::NextMonthEndDate(c.frequency, c.date, c.weekendRule, c.twiceMonthlyRule)),
              Text(c.expected))
        << "frequency " << c.frequency << " from " << Text(c.date);
  }
}

// ---- Stepping back --------------------------------------------------------------------

TEST(DateMathPreviousDate, EveryFrequencyWithMonthEndAndFebruaryRules) {
  struct Case {
    int frequency;
    DayNumber date;
    bool useMonthEnd;
    int day;
    DayNumber expected;
  };
  const Case cases[] = {
      {kMonthly, D(2024, 3, 31), true, 1, D(2024, 2, 29)},
      {kMonthly, D(2023, 3, 30), true, 1, D(2023, 2, 28)},
      {kMonthly, D(2023, 3, 29), false, 1, D(2023, 2, 28)},
      {kMonthly, D(2024, 4, 30), true, 1, D(2024, 3, 31)},
      {kMonthly, D(2024, 4, 30), false, 15, D(2024, 3, 15)},
      {kMonthly, D(2024, 5, 31), false, 31, D(2024, 4, 30)},  // the day is clipped to April
      {kMonthly, D(2024, 1, 31), true, 1, D(2023, 12, 31)},
      {kMonthly, D(2024, 1, 31), false, 5, D(2023, 12, 5)},
      {kMonthly, D(2024, 5, 30), true, 1, D(2024, 4, 30)},
      {kMonthly, D(2024, 1, 15), true, 1, D(2023, 12, 15)},
      {kBiMonthly, D(2024, 4, 30), true, 1, D(2024, 2, 29)},
      {kBiMonthly, D(2023, 4, 29), true, 1, D(2023, 2, 28)},
      {kBiMonthly, D(2024, 3, 31), true, 1, D(2024, 1, 31)},
      {kBiMonthly, D(2024, 6, 30), true, 1, D(2024, 4, 30)},
      {kBiMonthly, D(2024, 1, 31), true, 1, D(2023, 11, 30)},
      {kBiMonthly, D(2024, 1, 15), true, 1, D(2023, 11, 15)},
      {kQuarterly, D(2024, 5, 31), true, 1, D(2024, 2, 29)},
      {kQuarterly, D(2023, 5, 29), true, 1, D(2023, 2, 28)},
      {kQuarterly, D(2024, 6, 30), true, 1, D(2024, 3, 31)},
      {kQuarterly, D(2024, 3, 31), false, 30, D(2023, 12, 30)},
      {kQuarterly, D(2024, 2, 15), true, 1, D(2023, 11, 15)},
      {kSemiannually, D(2023, 8, 31), true, 1, D(2023, 2, 28)},
      {kSemiannually, D(2024, 8, 30), true, 1, D(2024, 2, 29)},
      {kSemiannually, D(2023, 2, 28), true, 1, D(2022, 8, 31)},
      {kSemiannually, D(2024, 6, 30), true, 1, D(2023, 12, 31)},
      {kSemiannually, D(2024, 3, 15), true, 1, D(2023, 9, 15)},
      {kAnnually, D(2024, 2, 29), true, 1, D(2023, 2, 28)},
      {kAnnually, D(2025, 2, 28), true, 1, D(2024, 2, 29)},
      {kAnnually, D(2024, 4, 30), true, 1, D(2023, 4, 30)},
      {kAnnually, D(2024, 6, 15), true, 1, D(2023, 6, 15)},
      {kDaily, D(2024, 1, 1), true, 1, D(2023, 12, 31)},
      {kWeekly, D(2024, 3, 6), true, 1, D(2024, 2, 28)},
      {kBiWeekly, D(2024, 1, 3), true, 1, D(2023, 12, 20)},
      {kFourWeekly, D(2024, 3, 14), true, 1, D(2024, 2, 15)},
      // Twice monthly always uses "1st & 15th" here.
      {kTwiceMonthly, D(2024, 3, 15), true, 1, D(2024, 3, 1)},
      {kTwiceMonthly, D(2024, 3, 1), true, 1, D(2024, 2, 15)},
      {99, D(2024, 3, 1), true, 1, D(2024, 2, 29)},
      {kMonthly, D(1600, 1, 15), true, 1, BadDate},
      {kMonthly, BadDate, true, 1, BadDate},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(TcalcDateMath::PreviousDate(c.frequency, c.date, c.useMonthEnd, c.day)), Text(c.expected))
        << "frequency " << c.frequency << " from " << Text(c.date);
  }
}

TEST(DateMathPreviousDate, ScheduleFormUsesTheBaseAndTheWeekendRule) {
  struct Case {
    int frequency;
    DayNumber base;
    int weekendRule;
    int twiceMonthlyRule;
    DayNumber date;
    DayNumber expected;
  };
  const Case cases[] = {
      {kMonthly, D(2024, 1, 31), kNoAdjustment, 0, D(2024, 4, 30), D(2024, 3, 31)},
      {kMonthly, D(2024, 1, 31), kClosestDay, 0, D(2024, 4, 30), D(2024, 4, 1)},  // Sunday 31 March
      {kMonthly, D(2024, 1, 15), kNoAdjustment, 0, D(2024, 4, 30), D(2024, 3, 15)},
      {kMonthly, D(2024, 1, 30), kNoAdjustment, 0, D(2024, 5, 31), D(2024, 4, 30)},
      {kBiMonthly, D(2023, 4, 30), kNoAdjustment, 0, D(2024, 6, 30), D(2024, 4, 30)},
      {kQuarterly, D(2023, 8, 31), kNoAdjustment, 0, D(2024, 5, 31), D(2024, 2, 29)},
      {kSemiannually, D(2023, 8, 31), kForceFriday, 0, D(2024, 8, 31), D(2024, 2, 29)},
      {kAnnually, D(2024, 2, 29), kNoAdjustment, 0, D(2025, 2, 28), D(2024, 2, 29)},
      {kWeekly, D(2024, 6, 1), kClosestDay, 0, D(2024, 6, 15), D(2024, 6, 7)},  // Saturday 8 June
      // Friday 30 August standing for Sunday 1 September steps back to 15 August.
      {kTwiceMonthly, D(2024, 1, 1), kClosestDay, 0, D(2024, 8, 30), D(2024, 8, 15)},
      // 15th & Last Day: Sunday 15 September is paid on Friday 13 September.
      {kTwiceMonthly, D(2024, 1, 1), kForceFriday, 2, D(2024, 9, 30), D(2024, 9, 13)},
      {kTwiceMonthly, D(2024, 1, 1), kNoAdjustment, 3, D(2024, 6, 17), D(2024, 6, 3)},
      {kMonthly, D(2024, 1, 31), kClosestDay, 0, BadDate, BadDate},
  };
  for (const Case& c : cases) {
    TcalcDateMath dm;
    dm.SetBaseDate(c.base);
    EXPECT_EQ(Text(dm.PreviousScheduleDate(c.frequency, c.date, c.weekendRule, c.twiceMonthlyRule)),
              Text(c.expected))
        << "frequency " << c.frequency << " from " << Text(c.date);
  }
}

// ---- Twice-monthly payment days ---------------------------------------------------

TEST(DateMathTwiceMonthly, AllThirteenRulesStepForwardAndBackward) {
  struct Sequence {
    int rule;
    std::vector<DayNumber> dates;  // consecutive payment dates
  };
  // Weekdays from the 2024 calendar (1 April and 1 July are Mondays,
  // 1 May a Wednesday, 1 June a Saturday).
  const Sequence sequences[] = {
      {0, {D(2024, 4, 15), D(2024, 5, 1), D(2024, 5, 15), D(2024, 6, 1), D(2024, 6, 15), D(2024, 7, 1)}},
      {0, {D(2023, 11, 15), D(2023, 12, 1), D(2023, 12, 15), D(2024, 1, 1), D(2024, 1, 15)}},
      {1, {D(2024, 4, 16), D(2024, 5, 1), D(2024, 5, 16), D(2024, 6, 1), D(2024, 6, 16), D(2024, 7, 1)}},
      {2,
       {D(2023, 12, 15), D(2023, 12, 31), D(2024, 1, 15), D(2024, 1, 31), D(2024, 2, 15), D(2024, 2, 29),
        D(2024, 3, 15), D(2024, 3, 31), D(2024, 4, 15), D(2024, 4, 30)}},
      {3,
       {D(2024, 4, 15), D(2024, 5, 6), D(2024, 5, 20), D(2024, 6, 3), D(2024, 6, 17), D(2024, 7, 1),
        D(2024, 7, 15)}},
      {4,
       {D(2024, 4, 16), D(2024, 5, 7), D(2024, 5, 21), D(2024, 6, 4), D(2024, 6, 18), D(2024, 7, 2),
        D(2024, 7, 16)}},
      {5,
       {D(2024, 4, 17), D(2024, 5, 1), D(2024, 5, 15), D(2024, 6, 5), D(2024, 6, 19), D(2024, 7, 3),
        D(2024, 7, 17)}},
      {6,
       {D(2024, 4, 18), D(2024, 5, 2), D(2024, 5, 16), D(2024, 6, 6), D(2024, 6, 20), D(2024, 7, 4),
        D(2024, 7, 18)}},
      {7,
       {D(2024, 4, 19), D(2024, 5, 3), D(2024, 5, 17), D(2024, 6, 7), D(2024, 6, 21), D(2024, 7, 5),
        D(2024, 7, 19)}},
      {8,
       {D(2024, 4, 22), D(2024, 5, 13), D(2024, 5, 27), D(2024, 6, 10), D(2024, 6, 24), D(2024, 7, 8),
        D(2024, 7, 22)}},
      {9,
       {D(2024, 4, 23), D(2024, 5, 14), D(2024, 5, 28), D(2024, 6, 11), D(2024, 6, 25), D(2024, 7, 9),
        D(2024, 7, 23)}},
      {10,
       {D(2024, 4, 24), D(2024, 5, 8), D(2024, 5, 22), D(2024, 6, 12), D(2024, 6, 26), D(2024, 7, 10),
        D(2024, 7, 24)}},
      {11,
       {D(2024, 4, 25), D(2024, 5, 9), D(2024, 5, 23), D(2024, 6, 13), D(2024, 6, 27), D(2024, 7, 11),
        D(2024, 7, 25)}},
      {12,
       {D(2024, 4, 26), D(2024, 5, 10), D(2024, 5, 24), D(2024, 6, 14), D(2024, 6, 28), D(2024, 7, 12),
        D(2024, 7, 26)}},
  };
  for (const Sequence& s : sequences) {
    SCOPED_TRACE("rule " + std::to_string(s.rule));
    for (std::size_t i = 0; i + 1 < s.dates.size(); ++i) {
      EXPECT_EQ(Text(TcalcDateMath::TwiceMonthlyStep(StepDirection::Forward, s.dates[i], false, s.rule)),
                Text(s.dates[i + 1]));
      EXPECT_EQ(Text(TcalcDateMath::TwiceMonthlyStep(StepDirection::Backward, s.dates[i + 1], false, s.rule)),
                Text(s.dates[i]));
    }
  }
}

TEST(DateMathTwiceMonthly, DatesOffThePaymentDays) {
  struct Case {
    int rule;
    DayNumber date;
    bool shift;
    DayNumber forward;
    DayNumber backward;
  };
  const Case cases[] = {
      // Days are classified as the 1st (before the second day) or the second day.
      {0, D(2024, 3, 10), false, D(2024, 3, 15), D(2024, 2, 15)},
      {0, D(2024, 3, 20), false, D(2024, 4, 1), D(2024, 3, 1)},
      {1, D(2024, 3, 15), false, D(2024, 3, 16), D(2024, 2, 16)},
      {1, D(2024, 3, 16), false, D(2024, 4, 1), D(2024, 3, 1)},
      // With shift a date pulled back (or pushed on) over a weekend counts as
      // its scheduled day: Friday 30 August and Monday 2 September stand for
      // Sunday 1 September, Friday 13 September for Sunday 15 September,
      // Friday 14 June for Sunday 16 June.
      {0, D(2024, 8, 30), true, D(2024, 9, 15), D(2024, 8, 15)},
      {0, D(2024, 9, 2), true, D(2024, 9, 15), D(2024, 8, 15)},
      {0, D(2024, 9, 13), true, D(2024, 10, 1), D(2024, 9, 1)},
      {1, D(2024, 6, 14), true, D(2024, 7, 1), D(2024, 6, 1)},
      {0, D(2023, 12, 30), true, D(2024, 1, 15), D(2023, 12, 15)},
      {2, D(2024, 3, 10), false, D(2024, 3, 15), D(2024, 2, 29)},
      {2, D(2024, 3, 20), false, D(2024, 3, 31), D(2024, 3, 15)},
      // n-th weekday rules from other days of the week (June 2024: Mondays
      // 3, 10, 17, 24; Fridays 7, 14, 21, 28).
      {3, D(2024, 6, 19), false, D(2024, 7, 1), D(2024, 6, 17)},
      {3, D(2024, 6, 4), false, D(2024, 6, 17), D(2024, 6, 3)},
      {3, D(2024, 6, 1), false, D(2024, 6, 3), D(2024, 5, 20)},
      {3, D(2024, 6, 10), false, D(2024, 6, 17), D(2024, 6, 3)},  // a 2nd Monday
      {3, D(2024, 6, 24), false, D(2024, 7, 1), D(2024, 6, 17)},  // a 4th Monday
      {8, D(2024, 6, 25), false, D(2024, 7, 8), D(2024, 6, 24)},
      {8, D(2024, 6, 9), false, D(2024, 6, 10), D(2024, 5, 27)},
      {8, D(2024, 6, 3), false, D(2024, 6, 10), D(2024, 5, 27)},   // a 1st Monday
      {8, D(2024, 6, 17), false, D(2024, 6, 24), D(2024, 6, 10)},  // a 3rd Monday
      {12, D(2024, 6, 22), false, D(2024, 6, 28), D(2024, 6, 14)},
      {4, D(2024, 4, 30), false, D(2024, 5, 7), D(2024, 4, 16)},  // a 5th Tuesday
      // February 2000: Fridays 4, 11, 18, 25.
      {7, D(2000, 2, 6), false, D(2000, 2, 18), D(2000, 2, 4)},
      // Not a twice-monthly rule, or a bad date.
      {13, D(2024, 6, 1), false, BadDate, BadDate},
      {-1, D(2024, 6, 1), false, BadDate, BadDate},
      {0, BadDate, false, BadDate, BadDate},
      {5, BadDate, false, BadDate, BadDate},
      // Shifted past the calendar's end: 30 December 3999 stands for 1 January 4000.
      {0, D(3999, 12, 30), true, BadDate, D(3999, 12, 15)},
      {0, D(1600, 1, 10), false, D(1600, 1, 15), BadDate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("rule " + std::to_string(c.rule) + " from " + Text(c.date) + (c.shift ? " shifted" : ""));
    EXPECT_EQ(Text(TcalcDateMath::TwiceMonthlyStep(StepDirection::Forward, c.date, c.shift, c.rule)),
              Text(c.forward));
    EXPECT_EQ(Text(TcalcDateMath::TwiceMonthlyStep(StepDirection::Backward, c.date, c.shift, c.rule)),
              Text(c.backward));
  }
}

TEST(DateMathTwiceMonthly, NthWeekdayForwardAndBackward) {
  // The raw forward search (before the two-week rule) from payment Mondays
  // of June 2024, and the backward search.
  EXPECT_EQ(TcalcDateMath::NthWeekdayForward(D(2024, 6, 17), 1, 1), D(2024, 7, 1));
  EXPECT_EQ(TcalcDateMath::NthWeekdayForward(D(2024, 6, 24), 1, 2), D(2024, 7, 8));
  EXPECT_EQ(TcalcDateMath::NthWeekdayForward(D(2024, 6, 3), 1, 1), D(2024, 6, 3));
  EXPECT_EQ(TcalcDateMath::NthWeekdayBackward(D(2024, 6, 3), 1, 1), D(2024, 5, 20));
  EXPECT_EQ(TcalcDateMath::NthWeekdayBackward(D(2024, 6, 30), 1, 1), D(2024, 6, 17));
  EXPECT_EQ(TcalcDateMath::NthWeekdayBackward(D(2024, 6, 10), 1, 2), D(2024, 5, 27));
  EXPECT_EQ(TcalcDateMath::NthWeekdayForward(D(3999, 12, 20), 1, 1), BadDate);
  EXPECT_EQ(TcalcDateMath::NthWeekdayForward(D(2024, 6, 3), 7, 1), BadDate);
  EXPECT_EQ(TcalcDateMath::NthWeekdayBackward(D(2024, 6, 3), 1, 3), BadDate);
  EXPECT_EQ(TcalcDateMath::NthWeekdayBackward(D(1600, 1, 2), 1, 1), BadDate);
}

// ---- Periods between dates -------------------------------------------------------------

struct PeriodsCase {
  const char* name;
  DayNumber a;
  DayNumber b;
  int frequency;
  int twiceMonthlyRule;
  bool shift;
  long double periods;
  int totalDays;
  int daysBeforeLastPeriod;
  int oddDays;
  int wholePeriods;
};

void CheckPeriods(const PeriodsCase& c) {
  SCOPED_TRACE(c.name);
  TcalcDateMath dm;
  dm.TwiceMonthlyRule = static_cast<std::uint8_t>(c.twiceMonthlyRule);
  dm.TwiceMonthlyShift = c.shift ? 1 : 0;
  // Stale results from an earlier call must not survive.
  dm.TotalDays = dm.DaysBeforeLastPeriod = dm.OddDays = dm.WholePeriods = 999;
  const Extended periods = dm.PeriodsBetween(c.a, c.b, c.frequency);
  EXPECT_NEAR(static_cast<double>(periods), static_cast<double>(c.periods), 1e-12);
  EXPECT_EQ(dm.TotalDays, c.totalDays);
  EXPECT_EQ(dm.DaysBeforeLastPeriod, c.daysBeforeLastPeriod);
  EXPECT_EQ(dm.OddDays, c.oddDays);
  EXPECT_EQ(dm.WholePeriods, c.wholePeriods);
}

TEST(DateMathPeriodsBetween, EveryFrequencyFillsAllFourResults) {
  const PeriodsCase cases[] = {
      // 1 January to 1 March 2024: 60 days.
      {"daily", D(2024, 1, 1), D(2024, 3, 1), kDaily, 1, false, 60, 60, 59, 60, 60},
      {"weekly", D(2024, 1, 1), D(2024, 3, 1), kWeekly, 1, false, 60.0L / 7, 60, 53, 4, 8},
      {"biweekly", D(2024, 1, 1), D(2024, 3, 1), kBiWeekly, 1, false, 60.0L / 14, 60, 46, 4, 4},
      {"four-weekly", D(2024, 1, 1), D(2024, 3, 1), kFourWeekly, 1, false, 60.0L / 28, 60, 32, 4, 2},
      // Back from 1 March: 15 Feb, 1 Feb, 15 Jan stay on or after 10 January.
      {"twice monthly 1st & 15th", D(2024, 1, 10), D(2024, 3, 1), kTwiceMonthly, 0, false, 3 + 5.0L / 15, 51,
       5, 5, 3},
      {"twice monthly 1st & 16th", D(2024, 1, 10), D(2024, 3, 1), kTwiceMonthly, 1, false, 3 + 6.0L / 15, 51,
       6, 6, 3},
      {"twice monthly, no payment day in between", D(2024, 3, 5), D(2024, 3, 12), kTwiceMonthly, 0, false,
       7.0L / 15, 7, 0, 7, 0},
      // Friday 13 September 2024 stands for Sunday 15 September when shifted.
      {"twice monthly shifted", D(2024, 9, 1), D(2024, 9, 13), kTwiceMonthly, 0, true, 1, 12, 0, 0, 1},
      {"twice monthly not shifted", D(2024, 9, 1), D(2024, 9, 13), kTwiceMonthly, 0, false, 12.0L / 15, 12, 0,
       12, 0},
      {"twice monthly 1st & 3rd Monday", D(2024, 6, 3), D(2024, 7, 15), kTwiceMonthly, 3, false, 3, 42, 0, 0,
       3},
      {"twice monthly 15th & last day", D(2024, 1, 10), D(2024, 3, 31), kTwiceMonthly, 2, false,
       5 + 5.0L / 15, 81, 5, 5, 5},
      // 20 January counts as the 15th: back to 1 January 1600, then off the calendar.
      {"twice monthly from the first day of the calendar", D(1600, 1, 1), D(1600, 1, 20), kTwiceMonthly, 0,
       false, 1, 19, 0, 0, 1},
      // 15 January to 20 March 2024: 2 months 5 days.
      {"monthly", D(2024, 1, 15), D(2024, 3, 20), kMonthly, 1, false, 2 + 5.0L / 30, 65, 36, 5, 2},
      {"monthly, month end to month end", D(2023, 1, 31), D(2023, 4, 30), kMonthly, 1, false, 3, 89, 58, 0,
       3},
      // 15 January to 30 April 2023: the whole months start at 31 January.
      {"monthly to a month end", D(2023, 1, 15), D(2023, 4, 30), kMonthly, 1, false, 3 + 16.0L / 30, 105, 74,
       16, 3},
      {"monthly from a month end", D(2023, 1, 31), D(2023, 3, 15), kMonthly, 1, false, 1 + 15.0L / 30, 43, 15,
       15, 1},
      {"monthly, less than a month", D(2024, 4, 10), D(2024, 4, 30), kMonthly, 1, false, 20.0L / 30, 20, 0,
       20, 0},
      // 15 January to 20 June 2024: 5 months 5 days.
      {"bimonthly", D(2024, 1, 15), D(2024, 6, 20), kBiMonthly, 1, false, 2 + 35.0L / 60, 157, 96, 35, 2},
      {"quarterly", D(2024, 1, 15), D(2024, 6, 20), kQuarterly, 1, false, 1 + 65.0L / 90, 157, 65, 65, 1},
      // 15 April to 30 June 2024: 2 months 15 days.
      {"quarterly to a month end", D(2024, 4, 15), D(2024, 6, 30), kQuarterly, 1, false, 75.0L / 90, 76, 0,
       75, 0},
      {"quarterly, month ends", D(2024, 1, 31), D(2024, 7, 31), kQuarterly, 1, false, 2, 182, 91, 0, 2},
      // 10 March 2023 to 25 January 2025: 1 year 10 months 15 days.
      {"semiannual", D(2023, 3, 10), D(2025, 1, 25), kSemiannually, 1, false, 3 + 135.0L / 180, 687, 503, 135,
       3},
      {"semiannual, whole periods", D(2023, 11, 15), D(2024, 5, 15), kSemiannually, 1, false, 1, 182, 0, 0,
       1},
      {"semiannual, month ends", D(2024, 6, 30), D(2024, 12, 31), kSemiannually, 1, false, 1, 184, 1, 0, 1},
      // 15 December 2022 to 31 December 2023: 1 year 0 months 16 days.
      {"semiannual to a month end", D(2022, 12, 15), D(2023, 12, 31), kSemiannually, 1, false,
       2 + 16.0L / 180, 381, 198, 16, 2},
      // 15 March 2022 to 20 June 2024: 2 years 3 months 5 days.
      {"annual", D(2022, 3, 15), D(2024, 6, 20), kAnnually, 1, false, 2 + 97.0L / 360, 828, 97, 97, 2},
      {"annual, whole years", D(2023, 7, 1), D(2024, 7, 1), kAnnually, 1, false, 1, 366, 0, 0, 1},
      {"annual, month ends", D(2024, 2, 29), D(2025, 2, 28), kAnnually, 1, false, 1, 365, 0, 0, 1},
      {"annual, less than a year", D(2024, 3, 1), D(2024, 9, 1), kAnnually, 1, false, 184.0L / 360, 184, 184,
       184, 0},
      {"unknown frequency counts days", D(2024, 1, 1), D(2024, 3, 1), 0, 1, false, 60, 60, 59, 60, 60},
  };
  for (const PeriodsCase& c : cases)
    CheckPeriods(c);
}

TEST(DateMathPeriodsBetween, EqualReversedOrBadDatesGiveZero) {
  for (int frequency = 1; frequency <= 10; ++frequency) {
    SCOPED_TRACE(frequency);
    const DayNumber day = D(2024, 5, 15);
    CheckPeriods({"equal", day, day, frequency, 1, false, 0, 0, 0, 0, 0});
    CheckPeriods({"reversed", D(2024, 9, 1), D(2024, 1, 1), frequency, 1, false, 0, 0, 0, 0, 0});
    CheckPeriods({"bad start", BadDate, day, frequency, 1, false, 0, 0, 0, 0, 0});
    CheckPeriods({"bad end", day, kLastDayNumber + 1, frequency, 1, false, 0, 0, 0, 0, 0});
  }
}

TEST(DateMathPeriodsBetween, TwiceMonthlyCountTerminatesForAnyRule) {
  TcalcDateMath dm;
  // An unknown rule has no payment days: the whole span is odd days.
  dm.TwiceMonthlyRule = 200;
  EXPECT_NEAR(static_cast<double>(dm.PeriodsBetween(D(2024, 1, 1), D(2024, 3, 1), kTwiceMonthly)), 4.0,
              1e-12);
  EXPECT_EQ(dm.OddDays, 60);
  // Across the whole calendar: 2400 years of 24 payment days (shifted, 31
  // December 3999 stands for 1 January 4000, so 15 December 3999 counts).
  dm.TwiceMonthlyRule = 0;
  dm.TwiceMonthlyShift = 1;
  EXPECT_EQ(static_cast<int>(dm.PeriodsBetween(0, kLastDayNumber, kTwiceMonthly)), 2400 * 24);
  EXPECT_EQ(dm.OddDays, 0);
  // Not shifted, 31 December counts as the 15th and the walk starts at 1 December.
  dm.TwiceMonthlyShift = 0;
  EXPECT_EQ(static_cast<int>(dm.PeriodsBetween(0, kLastDayNumber, kTwiceMonthly)), 2400 * 24 - 1);
}

// ---- Bad dates ----------------------------------------------------------------------------

TEST(DateMathBadDates, StepsFromABadDateGiveBadDate) {
  TcalcDateMath dm;
  for (DayNumber bad : {BadDate, -7, kLastDayNumber + 1, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(bad);
    for (int frequency = 0; frequency <= 11; ++frequency) {
      for (int rule = 0; rule <= 3; ++rule) {
        EXPECT_EQ(dm.NextDate(frequency, bad, rule, 0), BadDate);
        EXPECT_EQ(TcalcDateMath::NextMonthEndDate(frequency, bad, rule, 0), BadDate);
        EXPECT_EQ(dm.PreviousScheduleDate(frequency, bad, rule, 0), BadDate);
      }
      EXPECT_EQ(TcalcDateMath::PreviousDate(frequency, bad, true, 1), BadDate);
    }
    for (int rule = 0; rule <= 12; ++rule) {
      EXPECT_EQ(TcalcDateMath::TwiceMonthlyStep(StepDirection::Forward, bad, true, rule), BadDate);
      EXPECT_EQ(TcalcDateMath::TwiceMonthlyStep(StepDirection::Backward, bad, false, rule), BadDate);
    }
    EXPECT_EQ(TcalcDateMath::AdjustForWeekend(bad, kClosestDay), BadDate);
    EXPECT_EQ(TcalcDateMath::EndOfMonth(bad), BadDate);
    EXPECT_EQ(TcalcDateMath::AddYears(bad, 1), BadDate);
    EXPECT_FALSE(TcalcDateMath::IsEndOfMonth(bad));
    EXPECT_EQ(TcalcDateMath::BondDays(bad, D(2024, 1, 1), 0), 0);
  }
  EXPECT_EQ(dm.LastMonth, 0);  // nothing was produced
}

TEST(DateMathBadDates, StepsOffTheCalendarGiveBadDate) {
  TcalcDateMath dm;
  EXPECT_EQ(dm.NextDate(kMonthly, D(3999, 12, 15), kNoAdjustment, 0), BadDate);
  EXPECT_EQ(dm.NextDate(kAnnually, D(3999, 2, 28), kNoAdjustment, 0), BadDate);
  EXPECT_EQ(dm.NextDate(kDaily, D(3999, 12, 31), kNoAdjustment, 0), BadDate);
  EXPECT_EQ(dm.NextDate(kTwiceMonthly, D(3999, 12, 20), kNoAdjustment, 0), BadDate);
  EXPECT_EQ(TcalcDateMath::PreviousDate(kQuarterly, D(1600, 2, 15), true, 1), BadDate);
  EXPECT_EQ(TcalcDateMath::PreviousDate(kWeekly, D(1600, 1, 6), true, 1), BadDate);
}

}  // namespace
}  // namespace quandrel
