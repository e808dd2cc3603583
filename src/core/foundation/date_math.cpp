#include "core/foundation/date_math.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/foundation/date_arithmetic.h"

namespace quandrel {

namespace {

constexpr int kDaily = 1;
constexpr int kWeekly = 2;
constexpr int kBiWeekly = 3;
constexpr int kTwiceMonthly = 4;
constexpr int kEveryFourWeeks = 5;
constexpr int kMonthly = 6;
constexpr int kBiMonthly = 7;
constexpr int kQuarterly = 8;
constexpr int kSemiannually = 9;
constexpr int kAnnually = 10;

constexpr int kWeekendNone = 0;
constexpr int kWeekendForceFriday = 2;
constexpr int kWeekendForceMonday = 3;

constexpr int kBasis30360Nasd = 0;
constexpr int kBasisAct365 = 2;
constexpr int kBasisActAct = 3;
constexpr int kBasis30360European = 4;
constexpr int kBasisOldEuropean = 5;

// Days per regular period by frequency (daily .. annually); other values
// count as daily.
int DaysPerPeriod(int frequency) {
  constexpr std::array<int, 10> kDays = {1, 7, 14, 15, 28, 30, 60, 90, 180, 360};
  if (frequency < kDaily || frequency > kAnnually)
    return 1;
  return kDays[static_cast<std::size_t>(frequency - 1)];
}

// Months per step of the month-type frequencies (monthly .. annually); 0 for
// the day-type ones.
int MonthsPerStep(int frequency) {
  switch (frequency) {
    case kMonthly:
      return 1;
    case kBiMonthly:
      return 2;
    case kQuarterly:
      return 3;
    case kSemiannually:
      return 6;
    case kAnnually:
      return 12;
    default:
      return 0;
  }
}

bool IsMonthlyOrLonger(int frequency) {
  return frequency >= kMonthly && frequency <= kAnnually;
}

// Coupon frequencies are the compounding positions monthly (6) .. annually
// (10); 0 for anything else.
int MonthsPerCoupon(int couponFrequency) {
  return (couponFrequency >= kMonthly && couponFrequency <= kAnnually) ? MonthsPerStep(couponFrequency) : 0;
}
int CouponsPerYear(int couponFrequency) {
  const int months = MonthsPerCoupon(couponFrequency);
  return months == 0 ? 0 : 12 / months;
}

DayNumber AddDays(DayNumber date, std::int64_t days) {
  if (!IsValidDate(date))
    return BadDate;
  const std::int64_t result = static_cast<std::int64_t>(date) + days;
  return (result >= kFirstDayNumber && result <= kLastDayNumber) ? static_cast<DayNumber>(result) : BadDate;
}

// `day` of the given month, clipped to 1 .. the month's last day; the month
// may lie outside 1..12 and is carried into the year.
DayNumber ClippedDay(std::int64_t year, std::int64_t month, std::int64_t day) {
  std::int64_t index = year * 12 + (month - 1);
  std::int64_t y = index / 12;
  std::int64_t m0 = index % 12;
  if (m0 < 0) {
    m0 += 12;
    --y;
  }
  if (y < kFirstCalendarYear || y > kLastCalendarYear)
    return BadDate;
  const int length = DaysInMonth(static_cast<int>(m0 + 1), static_cast<int>(y));
  return DateFromDMY(static_cast<int>(std::clamp<std::int64_t>(day, 1, length)), static_cast<int>(m0 + 1),
                     static_cast<int>(y));
}

DayNumber MonthEnd(std::int64_t year, std::int64_t month) {
  return ClippedDay(year, month, 31);
}

// The month-type forward step of k = 1, 2, 3 or 6 months. The month whose
// day 29 or later would run past February (January for k = 1, December for
// 2, November for 3, August for 6) goes to the last day of February; another
// month end goes to the month end or the base day k months on; any other day
// keeps its day of month.
DayNumber StepMonthsForward(DayNumber date, int k, bool baseIsMonthEnd, int baseDay) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return BadDate;
  const int februaryFeeder = (2 - 1 - k + 12) % 12 + 1;
  const std::int64_t targetMonth = dmy.month + k;  // carried into the year by ClippedDay
  if (TcalcDateMath::IsEndOfMonth(date) && dmy.month != februaryFeeder) {
    // The base day is clipped to the target month: a caller-set BaseDay past
    // that month's end gives its last day, never a bad date.
    return baseIsMonthEnd ? MonthEnd(dmy.year, targetMonth) : ClippedDay(dmy.year, targetMonth, baseDay);
  }
  if (dmy.month == februaryFeeder && dmy.day >= 29)
    return MonthEnd(dmy.year, targetMonth);
  return AddDaysMonthsYears(date, 0, k, 0);
}

// The month-type backward step of k = 1, 2, 3 or 6 months, the mirror of
// StepMonthsForward: the month k months after February (March, April, May,
// August) sends day 29 or later to the last day of February.
DayNumber StepMonthsBackward(DayNumber date, int k, bool useMonthEnd, int day) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return BadDate;
  const int februaryFollower = (2 - 1 + k) % 12 + 1;
  const std::int64_t targetMonth = dmy.month - k;
  if (TcalcDateMath::IsEndOfMonth(date) && dmy.month != februaryFollower) {
    return useMonthEnd ? MonthEnd(dmy.year, targetMonth) : ClippedDay(dmy.year, targetMonth, day);
  }
  if (dmy.month == februaryFollower && dmy.day >= 29)
    return MonthEnd(dmy.year, targetMonth);
  return AddDaysMonthsYears(date, 0, -k, 0);
}

// One year on or back: a month end stays a month end (28 February 2023 goes
// to 29 February 2024), any other date keeps its day and month.
DayNumber StepYear(DayNumber date, int years) {
  const DayMonthYear dmy = DMYFromDate(date);
  if (!dmy.IsValid())
    return BadDate;
  if (TcalcDateMath::IsEndOfMonth(date))
    return MonthEnd(static_cast<std::int64_t>(dmy.year) + years, dmy.month);
  return AddDaysMonthsYears(date, 0, 0, years);
}

// The n-th `weekday` of the month that contains `date`.
DayNumber NthWeekdayOfMonth(DayNumber date, int weekday, int n) {
  const DayNumber first = TcalcDateMath::FirstOfMonth(date);
  if (first == BadDate)
    return BadDate;
  return AddDays(first, (weekday - DayOfWeek(first) + 7) % 7 + 7 * (n - 1));
}

// Which occurrence of its weekday in its month a date is (1 for days 1..7).
int WeekdayOccurrence(DayNumber date) {
  return (DMYFromDate(date).day - 1) / 7 + 1;
}

bool ValidNthWeekdayArguments(DayNumber date, int weekday, int n) {
  return IsValidDate(date) && weekday >= 0 && weekday <= 6 && (n == 1 || n == 2);
}

// Coupon date k coupon periods of m months before maturity, clipped to the
// month's end; BadDate off the calendar.
DayNumber CouponDateBack(DayNumber maturity, std::int64_t k, int m) {
  const std::int64_t months = k * m;
  if (months > 12LL * (kLastCalendarYear - kFirstCalendarYear + 1))
    return BadDate;
  return AddMonthsClipped(maturity, -static_cast<int>(months), 0);
}

// A first k to try when counting coupon periods back from maturity: a little
// short of the answer, so that the search below needs only a step or two.
std::int64_t FirstCouponStepToTry(DayNumber settlement, DayNumber maturity, int m) {
  const DayMonthYear s = DMYFromDate(settlement);
  const DayMonthYear t = DMYFromDate(maturity);
  const std::int64_t monthsApart =
      (static_cast<std::int64_t>(t.year) * 12 + t.month) - (static_cast<std::int64_t>(s.year) * 12 + s.month);
  // The date k coupons back lies in a month at least m months after the
  // settlement month for every k up to this one, so it is after settlement.
  return std::max<std::int64_t>(monthsApart / m - 1, 0);
}

// The smallest k >= 0 whose coupon date is strictly before settlement, or -1
// when the calendar ends first.
std::int64_t CouponStepsBefore(DayNumber settlement, DayNumber maturity, int m) {
  for (std::int64_t k = FirstCouponStepToTry(settlement, maturity, m);; ++k) {
    const DayNumber candidate = CouponDateBack(maturity, k, m);
    if (candidate == BadDate)
      return -1;
    if (candidate < settlement)
      return k;
  }
}

}  // namespace

// ---- Simple operations -------------------------------------------------------

void TcalcDateMath::SetBaseDate(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  BaseDate = dmy.IsValid() ? date : BadDate;
  BaseIsMonthEnd = IsEndOfMonth(date);
  BaseDay = dmy.IsValid() ? dmy.day : 1;
}

bool TcalcDateMath::IsEndOfMonth(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  return dmy.IsValid() && dmy.day == DaysInMonth(dmy.month, dmy.year);
}

bool TcalcDateMath::IsLastDayOfFebruary(DayNumber date) {
  return IsEndOfMonth(date) && DMYFromDate(date).month == 2;
}

DayNumber TcalcDateMath::EndOfMonth(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  return dmy.IsValid() ? MonthEnd(dmy.year, dmy.month) : BadDate;
}

DayNumber TcalcDateMath::FirstOfMonth(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  return dmy.IsValid() ? ClippedDay(dmy.year, dmy.month, 1) : BadDate;
}

DayNumber TcalcDateMath::FirstOfNextMonth(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  return dmy.IsValid() ? ClippedDay(dmy.year, dmy.month + 1, 1) : BadDate;
}

DayNumber TcalcDateMath::FirstOfPreviousMonth(DayNumber date) {
  const DayMonthYear dmy = DMYFromDate(date);
  return dmy.IsValid() ? ClippedDay(dmy.year, dmy.month - 1, 1) : BadDate;
}

DayNumber TcalcDateMath::AddYears(DayNumber date, int years) {
  return quandrel::AddYears(date, years);
}

DayNumber TcalcDateMath::AdjustForWeekend(DayNumber date, int weekendRule) {
  if (!IsValidDate(date))
    return BadDate;
  // Rule 0 is "No Adjustment": a Saturday or Sunday stays where it is.
  if (weekendRule == kWeekendNone)
    return date;
  switch (DayOfWeek(date)) {
    case kSaturday:
      return AddDays(date, weekendRule == kWeekendForceMonday ? 2 : -1);
    case kSunday:
      return AddDays(date, weekendRule == kWeekendForceFriday ? -2 : 1);
    default:
      return date;
  }
}

std::string TcalcDateMath::DayName(DayNumber date) {
  return quandrel::DayName(date);
}

DayNumber TcalcDateMath::AtLeastTwoWeeksAfter(DayNumber candidate, DayNumber date) {
  if (!IsValidDate(candidate) || !IsValidDate(date))
    return BadDate;
  if (date < candidate)
    return candidate;
  if (date < static_cast<std::int64_t>(candidate) + 14)
    return AddDays(candidate, 14);
  return date;
}

std::string TcalcDateMath::FormatPair(int first, int second, char separator, char pad, bool padSmall) {
  // Period labels have room for 8 characters, each number for 5.
  const auto number = [](int value) {
    std::string text = std::to_string(value);
    if (text.size() > 5)
      text.resize(5);
    return text;
  };
  std::string text = number(first);
  text += separator;
  if (padSmall && second < 10)
    text += pad;
  text += number(second);
  if (text.size() > 8)
    text.resize(8);
  return text;
}

// ---- Day counts --------------------------------------------------------------

std::int32_t TcalcDateMath::Days30360(DayNumber a, DayNumber b, int method) {
  if (!IsValidDate(a) || !IsValidDate(b))
    return 0;
  if (method == 0)
    return b - a;
  const DayMonthYear first = DMYFromDate(a);
  const DayMonthYear second = DMYFromDate(b);
  int d1 = first.day;
  int d2 = second.day;
  if (method == 3 && IsLastDayOfFebruary(a))
    d1 = 30;
  if (d1 == 31)
    d1 = 30;
  if ((method == 2 || method == 3) && d2 == 31)
    d2 = 30;
  // With a start before the 30th, a 31st end stays 31: it counts the same as
  // the 1st of the following month.
  if (method == 1 && d2 == 31 && d1 >= 30)
    d2 = 30;
  return (second.year - first.year) * 360 + (second.month - first.month) * 30 + d2 - d1;
}

std::int32_t TcalcDateMath::BondDays(DayNumber a, DayNumber b, int basis) {
  switch (basis) {
    case kBasis30360Nasd:
      return Days30360(a, b, 1);
    case kBasis30360European:
      return Days30360(a, b, 2);
    case kBasisOldEuropean:
      return Days30360(a, b, 3);
    default:  // Act/360, Act/365, Act/Act
      return Days30360(a, b, 0);
  }
}

Extended TcalcDateMath::BondYearFraction(DayNumber a, DayNumber b, int basis, int couponFrequency,
                                         DayNumber maturity, DayNumber settlement) {
  const auto days = static_cast<Extended>(BondDays(a, b, basis));
  Extended yearLength = 360;
  if (basis == kBasisAct365) {
    yearLength = 365;
  } else if (basis == kBasisActAct) {
    // The actual length of the coupon period that holds the settlement date,
    // times the coupons per year.
    const DayNumber previous = PreviousCouponDate(settlement, maturity, couponFrequency);
    const DayNumber next = NextCouponDate(settlement, maturity, couponFrequency);
    if (previous == BadDate || next == BadDate)
      return 0;
    yearLength = static_cast<Extended>(next - previous) * CouponsPerYear(couponFrequency);
  }
  return yearLength > 0 ? days / yearLength : 0;
}

// ---- Coupon dates ------------------------------------------------------------

DayNumber TcalcDateMath::PreviousCouponDate(DayNumber settlement, DayNumber maturity, int couponFrequency) {
  const int m = MonthsPerCoupon(couponFrequency);
  if (m == 0 || !IsValidDate(settlement) || !IsValidDate(maturity))
    return BadDate;
  const std::int64_t k = CouponStepsBefore(settlement, maturity, m);
  return k < 0 ? BadDate : CouponDateBack(maturity, k, m);
}

DayNumber TcalcDateMath::NextCouponDate(DayNumber settlement, DayNumber maturity, int couponFrequency) {
  const int m = MonthsPerCoupon(couponFrequency);
  if (m == 0 || !IsValidDate(settlement) || !IsValidDate(maturity))
    return BadDate;
  const std::int64_t k = CouponStepsBefore(settlement, maturity, m);
  if (k < 0)
    return BadDate;
  // The next coupon date is the one of the same series counted back from
  // maturity, not the previous date plus m months: with a month-end maturity
  // those differ (30 June + 6 months is 30 December, while a 31 December
  // maturity pays on 31 December), and the clipped sum could even fall before
  // a settlement on the coupon date. Past maturity there is no series left
  // and the previous date (maturity) plus m months is used.
  if (k == 0)
    return AddMonthsClipped(maturity, m, 0);
  return CouponDateBack(maturity, k - 1, m);
}

std::int32_t TcalcDateMath::CouponsBetween(DayNumber settlement, DayNumber maturity, int couponFrequency) {
  const int m = MonthsPerCoupon(couponFrequency);
  if (m == 0 || !IsValidDate(settlement) || !IsValidDate(maturity) || settlement >= maturity)
    return 0;
  for (std::int64_t k = std::max<std::int64_t>(FirstCouponStepToTry(settlement, maturity, m), 1);; ++k) {
    const DayNumber candidate = CouponDateBack(maturity, k, m);
    // A coupon date before the first day of the calendar is before settlement.
    if (candidate == BadDate || candidate <= settlement)
      return static_cast<std::int32_t>(k);
  }
}

// ---- Schedule stepping ---------------------------------------------------------

DayNumber TcalcDateMath::NextDate(int frequency, DayNumber date, int weekendRule, int twiceMonthlyRule) {
  if (!IsValidDate(date))
    return BadDate;
  const bool weekendAdjusted = weekendRule != kWeekendNone && IsMonthlyOrLonger(frequency);
  if (weekendAdjusted) {
    // The date may have been moved off the scheduled day by the weekend
    // adjustment of the step before (or clipped to a short month): step from
    // the scheduled day instead.
    const DayMonthYear dmy = DMYFromDate(date);
    // A PaymentDay past the end of d's month (31 in April) gives the month's
    // last day, never a bad date.
    if (dmy.day != PaymentDay)
      date = ClippedDay(dmy.year, dmy.month, PaymentDay);
    // When the adjustment moved the date into a neighbouring month (Saturday
    // 1 June pulled back to Friday 31 May, or Sunday 30 June pushed on to
    // Monday 1 July), LastMonth, the month of the unadjusted date, brings it
    // back to the scheduled day of that month. LastMonth is 0 until a date
    // has been produced; then there is nothing to restore. A weekend moves a
    // date by two days at most, so a LastMonth that is neither neighbour
    // belongs to another schedule and is ignored.
    if (LastMonth != 0 && LastMonth != dmy.month) {
      const int nextMonth = dmy.month % 12 + 1;
      const int previousMonth = (dmy.month + 10) % 12 + 1;
      if (LastMonth == nextMonth) {
        date = ClippedDay(dmy.year, dmy.month + 1, PaymentDay);
      } else if (LastMonth == previousMonth) {
        date = ClippedDay(dmy.year, dmy.month - 1, PaymentDay);
      }
    }
    if (date == BadDate)
      return BadDate;
  }

  DayNumber result = BadDate;
  switch (frequency) {
    case kWeekly:
      result = AddDays(date, 7);
      break;
    case kBiWeekly:
      result = AddDays(date, 14);
      break;
    case kEveryFourWeeks:
      result = AddDays(date, 28);
      break;
    case kTwiceMonthly:
      result = TwiceMonthlyStep(StepDirection::Forward, date, weekendRule != kWeekendNone, twiceMonthlyRule);
      break;
    case kMonthly:
    case kBiMonthly:
    case kQuarterly:
    case kSemiannually:
      result = StepMonthsForward(date, MonthsPerStep(frequency), BaseIsMonthEnd, BaseDay);
      break;
    case kAnnually:
      result = StepYear(date, 1);
      break;
    default:  // daily and any value not listed
      result = AddDays(date, 1);
      break;
  }
  if (result == BadDate)
    return BadDate;
  LastMonth = DMYFromDate(result).month;
  if (weekendAdjusted)
    result = AdjustForWeekend(result, weekendRule);
  return result;
}

DayNumber TcalcDateMath::NextMonthEndDate(int frequency, DayNumber date, int weekendRule,
                                          int twiceMonthlyRule) {
  if (!IsValidDate(date))
    return BadDate;
  DayNumber result = BadDate;
  switch (frequency) {
    case kWeekly:
      result = AddDays(date, 7);
      break;
    case kBiWeekly:
      result = AddDays(date, 14);
      break;
    case kEveryFourWeeks:
      result = AddDays(date, 28);
      break;
    case kTwiceMonthly:
      result = TwiceMonthlyStep(StepDirection::Forward, date, weekendRule != kWeekendNone, twiceMonthlyRule);
      break;
    case kMonthly:
    case kBiMonthly:
    case kQuarterly:
    case kSemiannually:
    case kAnnually:
      result = EndOfMonth(AddMonthsClipped(date, MonthsPerStep(frequency), 0));
      break;
    default:
      result = AddDays(date, 1);
      break;
  }
  if (weekendRule != kWeekendNone)
    result = AdjustForWeekend(result, weekendRule);
  return result;
}

DayNumber TcalcDateMath::PreviousDate(int frequency, DayNumber date, bool useMonthEnd, int day) {
  if (!IsValidDate(date))
    return BadDate;
  switch (frequency) {
    case kWeekly:
      return AddDays(date, -7);
    case kBiWeekly:
      return AddDays(date, -14);
    case kEveryFourWeeks:
      return AddDays(date, -28);
    case kTwiceMonthly:
      return TwiceMonthlyStep(StepDirection::Backward, date, false, 0);
    case kMonthly:
    case kBiMonthly:
    case kQuarterly:
    case kSemiannually:
      return StepMonthsBackward(date, MonthsPerStep(frequency), useMonthEnd, day);
    case kAnnually:
      return StepYear(date, -1);
    default:
      return AddDays(date, -1);
  }
}

DayNumber TcalcDateMath::PreviousScheduleDate(int frequency, DayNumber date, int weekendRule,
                                              int twiceMonthlyRule) {
  if (!IsValidDate(date))
    return BadDate;
  DayNumber result = BadDate;
  if (frequency == kTwiceMonthly) {
    result = TwiceMonthlyStep(StepDirection::Backward, date, weekendRule != kWeekendNone, twiceMonthlyRule);
  } else {
    result = PreviousDate(frequency, date, BaseIsMonthEnd, BaseDay);
  }
  if (weekendRule != kWeekendNone)
    result = AdjustForWeekend(result, weekendRule);
  return result;
}

DayNumber TcalcDateMath::TwiceMonthlyStep(StepDirection direction, DayNumber date, bool shift, int rule) {
  if (!IsValidDate(date))
    return BadDate;
  const bool forward = direction == StepDirection::Forward;

  if (rule == 0 || rule == 1) {  // 1st & 15th, 1st & 16th
    const int second = rule == 0 ? 15 : 16;
    // With shift, a payment pulled back over a weekend (at most two days) is
    // classified by its scheduled day: the day and the month of date + 2, so
    // that Friday 30 August standing for Sunday 1 September steps to
    // 15 September forward and to 15 August backward.
    // On 30 and 31 December 3999 the scheduled day lies past the calendar's
    // end (1 or 2 January 4000); it is still classified, so that the
    // backward step finds 15 December 3999 (the forward one is off the
    // calendar).
    DayMonthYear dmy = DMYFromDate(date);
    if (shift) {
      const DayNumber scheduled = AddDays(date, 2);
      dmy = scheduled != BadDate ? DMYFromDate(scheduled)
                                 : DayMonthYear{date + 2 - kLastDayNumber, 1, kLastCalendarYear + 1};
    }
    if (forward) {
      return dmy.day >= second ? ClippedDay(dmy.year, dmy.month + 1, 1)
                               : ClippedDay(dmy.year, dmy.month, second);
    }
    return dmy.day >= second ? ClippedDay(dmy.year, dmy.month, 1)
                             : ClippedDay(dmy.year, dmy.month - 1, second);
  }

  if (rule == 2) {  // 15th & Last Day
    const DayMonthYear dmy = DMYFromDate(date);
    if (forward) {
      if (IsEndOfMonth(date))
        return ClippedDay(dmy.year, dmy.month + 1, 15);
      if (dmy.day < 15)
        return ClippedDay(dmy.year, dmy.month, 15);
      return MonthEnd(dmy.year, dmy.month);
    }
    if (dmy.day > 15)
      return ClippedDay(dmy.year, dmy.month, 15);
    return MonthEnd(dmy.year, dmy.month - 1);
  }

  if (rule >= 3 && rule <= 12) {  // 1st & 3rd or 2nd & 4th weekday
    const int weekday = rule <= 7 ? rule - 2 : rule - 7;
    const int n = rule <= 7 ? 1 : 2;
    if (!forward)
      return NthWeekdayBackward(date, weekday, n);
    DayNumber from = date;
    if (DayOfWeek(date) != weekday) {
      // The forward search is exact from a date on the payment weekday, but
      // from another day of the week it can return the date itself or a
      // weekday of the wrong week. Move on to the first payment weekday after
      // the date: it is the answer when it is an n-th or (n+2)-th one, and
      // otherwise the search starts from there.
      from = AddDays(date, (weekday - DayOfWeek(date) + 7) % 7);
      if (from == BadDate)
        return BadDate;
      const int occurrence = WeekdayOccurrence(from);
      if (occurrence == n || occurrence == n + 2)
        return from;
    }
    return AtLeastTwoWeeksAfter(NthWeekdayForward(from, weekday, n), from);
  }

  return BadDate;  // not a twice-monthly rule
}

DayNumber TcalcDateMath::NthWeekdayForward(DayNumber date, int weekday, int n) {
  if (!ValidNthWeekdayArguments(date, weekday, n))
    return BadDate;
  const DayNumber first = FirstOfMonth(date);
  // The number of 7-day steps back from the date until it falls before the
  // 1st of its month (1 for days 1..7, ..., 5 for days 29..31); never 0.
  int steps = WeekdayOccurrence(date);
  if (DayOfWeek(date) == weekday && steps == n + 2)
    ++steps;
  std::int64_t result = 0;
  if (steps <= 3) {
    const std::int64_t sameWeek = static_cast<std::int64_t>(date) + weekday - DayOfWeek(date);
    result = sameWeek >= first ? sameWeek - 7 * std::abs(steps - n) : sameWeek + 7 * n;
  } else {
    const DayNumber nextFirst = FirstOfNextMonth(date);
    if (nextFirst == BadDate)
      return BadDate;
    const std::int64_t h = static_cast<std::int64_t>(nextFirst) + weekday - DayOfWeek(nextFirst);
    result = h >= nextFirst ? h + 7 * n - 7 : h + 7 * n;
  }
  return (result >= kFirstDayNumber && result <= kLastDayNumber) ? static_cast<DayNumber>(result) : BadDate;
}

DayNumber TcalcDateMath::NthWeekdayBackward(DayNumber date, int weekday, int n) {
  if (!ValidNthWeekdayArguments(date, weekday, n))
    return BadDate;
  const DayNumber nth = NthWeekdayOfMonth(date, weekday, n);
  if (nth == BadDate)
    return BadDate;
  if (nth < date) {
    const DayNumber twoWeeksOn = AddDays(nth, 14);
    return (twoWeeksOn != BadDate && twoWeeksOn < date) ? twoWeeksOn : nth;
  }
  return NthWeekdayOfMonth(FirstOfPreviousMonth(date), weekday, n + 2);
}

// ---- Periods between two dates --------------------------------------------------

Extended TcalcDateMath::PeriodsBetween(DayNumber a, DayNumber b, int frequency) {
  TotalDays = 0;
  DaysBeforeLastPeriod = 0;
  OddDays = 0;
  WholePeriods = 0;
  // Equal dates hold no period. A start after the end is treated the same
  // way (no period runs backwards), as are bad dates.
  if (!IsValidDate(a) || !IsValidDate(b) || a >= b)
    return 0;

  const std::int32_t diff = b - a;
  const int periodDays = DaysPerPeriod(frequency);
  Extended result = 0;

  switch (frequency) {
    case kWeekly:
    case kBiWeekly:
    case kEveryFourWeeks:
      result = static_cast<Extended>(diff) / periodDays;
      OddDays = diff % periodDays;
      DaysBeforeLastPeriod = std::max(diff - periodDays, 0);
      break;

    case kTwiceMonthly: {
      // Count the payment dates from the end back to the start. Each step
      // moves strictly back, so the walk ends at the start or at the first
      // day of the calendar.
      std::int32_t steps = 0;
      DayNumber current = b;
      for (;;) {
        const DayNumber earlier =
            TwiceMonthlyStep(StepDirection::Backward, current, TwiceMonthlyShift != 0, TwiceMonthlyRule);
        if (earlier == BadDate || earlier < a || earlier >= current)
          break;
        ++steps;
        current = earlier;
      }
      OddDays = steps > 0 ? current - a : diff;
      result = static_cast<Extended>(OddDays) / periodDays + steps;
      DaysBeforeLastPeriod = steps > 0 ? OddDays : 0;
      break;
    }

    case kMonthly:
    case kBiMonthly:
    case kQuarterly:
    case kSemiannually: {
      const int k = MonthsPerStep(frequency);
      const DateSpan span = DateDifference(a, b);
      const int months = span.months + 12 * span.years;
      const bool startIsMonthEnd = IsEndOfMonth(a);
      const bool endIsMonthEnd = IsEndOfMonth(b);
      // The start of the whole months: the end moved back by all of them. A
      // month-end end moves to month ends (30 April back three months is
      // 31 January), so the odd days are those between the start and that
      // month end. Moving a month end back by a single period whatever the
      // number of months would count the months between as odd days again
      // (15 January to 30 April would come out as 5.5 monthly periods).
      const DayNumber wholeStart =
          endIsMonthEnd ? EndOfMonth(AddMonthsClipped(b, -months, 0)) : AddDaysMonthsYears(b, 0, -months, 0);
      std::int32_t odd = 0;
      if (startIsMonthEnd && endIsMonthEnd) {
        odd = 0;
      } else if (wholeStart == b || wholeStart == BadDate || wholeStart < a) {
        odd = diff;
      } else {
        odd = wholeStart - a;
      }
      const DayNumber periodBeforeEnd = AddDaysMonthsYears(b, 0, -k, 0);
      DaysBeforeLastPeriod = periodBeforeEnd == BadDate ? 0 : std::max(periodBeforeEnd - a, 0);
      // Months beyond the whole periods count 30 days each (none for monthly).
      OddDays = (months % k) * 30 + odd;
      result = static_cast<Extended>(OddDays) / periodDays + months / k;
      break;
    }

    case kAnnually: {
      const DateSpan span = DateDifference(a, b);
      if (span.days != 0 || span.months != 0) {
        const DayNumber wholeStart = AddDaysMonthsYears(b, 0, 0, -span.years);
        OddDays = (wholeStart != BadDate && a < wholeStart) ? wholeStart - a : diff;
        result = static_cast<Extended>(OddDays) / periodDays + span.years;
        DaysBeforeLastPeriod = wholeStart == BadDate ? 0 : std::max(wholeStart - a, 0);
      } else {
        result = span.years;
      }
      break;
    }

    default:  // daily and any value not listed
      result = diff;
      OddDays = diff;
      // One day before the end, as for the other fixed-length periods.
      DaysBeforeLastPeriod = diff - 1;
      break;
  }

  TotalDays = diff;
  WholePeriods = static_cast<std::int32_t>(result);  // truncates toward zero; result >= 0 here
  return result;
}

}  // namespace quandrel
