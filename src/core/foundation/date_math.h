#pragma once

// TcalcDateMath: the schedule date rules. It steps payment dates by frequency
// (with the end-of-month and February rules, weekend adjustment and the
// twice-monthly payment days), counts 30/360 and bond days, finds coupon dates
// and counts the regular periods between two dates for odd-days interest.
//
// The object keeps a little state about the schedule it steps: the base date
// (is it a month end, which day of the month) and the scheduled payment day,
// so that a date moved by a weekend or clipped to a short month returns to
// the scheduled day on the next step.
//
// Argument codes:
// - frequency: compounding position 1 daily, 2 weekly, 3 biweekly, 4 twice
//   monthly, 5 every 4 weeks, 6 monthly, 7 bimonthly, 8 quarterly,
//   9 semiannually, 10 annually; any other value steps as daily;
// - weekend rule: 0 no adjustment, 1 closest day, 2 force Friday, 3 force
//   Monday;
// - twice-monthly rule: 0 "1st & 15th", 1 "1st & 16th", 2 "15th & Last Day",
//   3..7 1st & 3rd Monday..Friday, 8..12 2nd & 4th Monday..Friday;
// - bond basis: 0 30/360 NASD, 1 Act/360, 2 Act/365, 3 Act/Act, 4 30/360
//   European, 5 Old European;
// - coupon frequency: compounding positions 6..10 (monthly to annually).
//
// Every operation gives BadDate (or a zero count) for a bad date argument.

#include <cstdint>
#include <string>

#include "core/foundation/global_types.h"

namespace quandrel {

enum class StepDirection { Forward, Backward };

class TcalcDateMath {
 public:
  // Results of PeriodsBetween.
  std::int32_t TotalDays = 0;             // days from start to end
  std::int32_t DaysBeforeLastPeriod = 0;  // start to one period before the end, never negative
  std::int32_t OddDays = 0;               // days left over after the whole periods
  std::int32_t WholePeriods = 0;          // the period count truncated toward zero
  // Schedule state.
  std::int32_t PaymentDay = 1;         // scheduled day of month of monthly-type payments
  std::int32_t LastMonth = 0;          // month of the last date NextDate produced (0: none yet)
  bool BaseIsMonthEnd = false;         // the base date is the last day of its month
  std::int32_t BaseDay = 1;            // day of month of the base date
  DayNumber BaseDate = 0;              // base date of the schedule
  std::uint8_t TwiceMonthlyRule = 1;   // twice-monthly rule used by PeriodsBetween
  std::uint8_t TwiceMonthlyShift = 0;  // nonzero: twice-monthly look-ups start two days later

  // ---- Simple operations ----
  // Sets BaseDate, BaseIsMonthEnd and BaseDay from `date` (a bad date leaves
  // BaseIsMonthEnd false and BaseDay 1).
  void SetBaseDate(DayNumber date);
  static bool IsEndOfMonth(DayNumber date);
  static bool IsLastDayOfFebruary(DayNumber date);
  static DayNumber EndOfMonth(DayNumber date);
  static DayNumber FirstOfMonth(DayNumber date);
  static DayNumber FirstOfNextMonth(DayNumber date);
  static DayNumber FirstOfPreviousMonth(DayNumber date);
  // Same day and month `years` on; BadDate when that day does not exist.
  static DayNumber AddYears(DayNumber date, int years);
  // Moves a Saturday or Sunday to the Friday before or the Monday after.
  static DayNumber AdjustForWeekend(DayNumber date, int weekendRule);
  static std::string DayName(DayNumber date);
  // candidate when date < candidate; candidate + 14 when date lies in the two
  // weeks from candidate on; otherwise date.
  static DayNumber AtLeastTwoWeeksAfter(DayNumber candidate, DayNumber date);
  // "first<separator>[pad]second", the pad only when padSmall and second < 10.
  static std::string FormatPair(int first, int second, char separator, char pad, bool padSmall);

  // ---- Day counts ----
  // method 0 actual days; 1 30/360 NASD, 2 30/360 European, 3 Old European.
  static std::int32_t Days30360(DayNumber a, DayNumber b, int method);
  static std::int32_t BondDays(DayNumber a, DayNumber b, int basis);
  static Extended BondYearFraction(DayNumber a, DayNumber b, int basis, int couponFrequency,
                                   DayNumber maturity, DayNumber settlement);

  // ---- Coupon dates (counted back from maturity in whole coupon periods) ----
  static DayNumber PreviousCouponDate(DayNumber settlement, DayNumber maturity, int couponFrequency);
  static DayNumber NextCouponDate(DayNumber settlement, DayNumber maturity, int couponFrequency);
  static std::int32_t CouponsBetween(DayNumber settlement, DayNumber maturity, int couponFrequency);

  // ---- Schedule stepping ----
  // The next payment date after `date`; updates LastMonth.
  DayNumber NextDate(int frequency, DayNumber date, int weekendRule, int twiceMonthlyRule);
  // The next date with month-type periods going to month ends.
  static DayNumber NextMonthEndDate(int frequency, DayNumber date, int weekendRule, int twiceMonthlyRule);
  // One period back; a month end goes to the month end (useMonthEnd) or to
  // `day` of the earlier month.
  static DayNumber PreviousDate(int frequency, DayNumber date, bool useMonthEnd, int day);
  // One period back under the schedule's base and weekend rule.
  DayNumber PreviousScheduleDate(int frequency, DayNumber date, int weekendRule, int twiceMonthlyRule);
  static DayNumber TwiceMonthlyStep(StepDirection direction, DayNumber date, bool shift, int rule);
  // weekday: 0 Sunday .. 6 Saturday; n: 1 (1st & 3rd) or 2 (2nd & 4th).
  static DayNumber NthWeekdayForward(DayNumber date, int weekday, int n);
  static DayNumber NthWeekdayBackward(DayNumber date, int weekday, int n);

  // The regular periods of `frequency` from a to b; fills TotalDays,
  // DaysBeforeLastPeriod, OddDays and WholePeriods. 0 with all four fields 0
  // when a = b, when b is before a, or when either date is bad.
  Extended PeriodsBetween(DayNumber a, DayNumber b, int frequency);
};

}  // namespace quandrel
