#include "core/finance/rate_equation.h"

#include <cmath>

#include "core/finance/finance_exception.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

constexpr int kContinuous = -1;

// base^exponent computed as exp(ln(base) * exponent), the way the rate
// conversions are defined. A base at or below zero means a rate of -100% or
// less per period, which has no equivalent rate.
Extended PowerViaLog(Extended base, Extended exponent) {
  if (!(base > 0.0L)) {
    RaiseFinanceError(425);
  }
  return std::exp(std::log(base) * exponent);
}

bool IsActualBasis(int b) {
  return b == ratebasis::Actual360 || b == ratebasis::Actual365;
}
bool IsOrdinaryBasis(int b) {
  return b >= ratebasis::Ordinary && b <= ratebasis::Ordinary360;
}

// Y(b), taking 'actualActualDays' for Actual/Actual.
int YearDays(int b, int actualActualDays) {
  return b == ratebasis::ActualActual ? actualActualDays : YearLength(b);
}

}  // namespace

int TequRate::PaymentsPerYearOf(int p) {
  return PaymentsPerYear(p - 1);
}
int TequRate::DaysPerPeriodOf(int p) {
  return DaysPerPaymentPeriod(p - 1);
}

int TequRate::CalendarYearDays(DayNumber date) {
  if (!IsValidDate(date)) {
    RaiseFinanceError(426);
  }
  return IsLeapYear(DMYFromDate(date).year) ? 366 : 365;
}

Extended TequRate::ConvertFromCompounding(Extended A, int m, Extended x) {
  if (m > 0) {
    return A * (PowerViaLog(1.0L + x / m, m / A) - 1.0L);
  }
  if (m == kContinuous) {
    return std::exp(x) - 1.0L;
  }
  return x;
}

Extended TequRate::ConvertToCompounding(Extended A, int m, Extended x) {
  if (m > 0) {
    return m * (PowerViaLog(1.0L + x / A, A / m) - 1.0L);
  }
  if (m == kContinuous) {
    if (!(1.0L + x > 0.0L)) {
      RaiseFinanceError(425);
    }
    return std::log(1.0L + x);
  }
  return x;
}

Extended TequRate::SimplePeriodicRate(int p, int b, Extended x) {
  const int y = YearDays(b, 365);
  DaysInYear = y;
  if (b == ratebasis::Ordinary) {
    return x / PaymentsPerYearOf(p);
  }
  if (IsOrdinaryBasis(b)) {
    return x / y * DaysPerPeriodOf(p);
  }
  if (IsActualBasis(b)) {
    return x / y;
  }
  return x;
}

Extended TequRate::PeriodicRate(int p, int c, int b, Extended x) {
  const int y = YearDays(b, 360);
  const int periods = PaymentsPerYearOf(p);
  const Extended A = IsOrdinaryBasis(b) ? periods : y;
  DaysInYear = y;
  const int m = PeriodsPerYear(c);
  const Extended r = ConvertFromCompounding(A, m, x);
  if (b == ratebasis::ActualActual) {
    return m == 0 ? x : r;
  }
  // Share of a year one payment period (or one day) spans under this basis.
  const Extended share = b == ratebasis::Ordinary ? 1.0L / periods
                         : IsOrdinaryBasis(b)     ? static_cast<Extended>(DaysPerPeriodOf(p)) / y
                                                  : 1.0L / y;
  if (m == kContinuous) {
    return std::exp(x * share) - 1.0L;
  }
  if (m == 0) {
    return x * share;
  }
  return r * share;
}

Extended TequRate::PeriodicRateOnDate(int p, int c, DayNumber date, int b, Extended x) {
  if (b != ratebasis::ActualActual) {
    return PeriodicRate(p, c, b, x);
  }
  const int y = CalendarYearDays(date);
  DaysInYear = y;
  const int m = PeriodsPerYear(c);
  if (m == kContinuous) {
    return std::exp(x / y) - 1.0L;
  }
  if (m == 0) {
    return x / y;
  }
  return ConvertFromCompounding(y, m, x) / y;
}

Extended TequRate::YearFraction(std::int32_t n, int p, int b) {
  const Extended count = n;
  switch (b) {
    case ratebasis::Ordinary:
      return count / PaymentsPerYearOf(p);
    case ratebasis::Ordinary365:
      return count * DaysPerPeriodOf(p) / 365.0L;
    case ratebasis::Ordinary360:
      return count * DaysPerPeriodOf(p) / 360.0L;
    case ratebasis::Actual360:
      return count / 360.0L;
    case ratebasis::Actual365:
      return count / 365.0L;
    default:
      return -1.0L;
  }
}

Extended TequRate::YearFractionOnDate(std::int32_t n, int p, int b, DayNumber date) {
  if (b != ratebasis::ActualActual) {
    return YearFraction(n, p, b);
  }
  return static_cast<Extended>(n) / CalendarYearDays(date);
}

}  // namespace quandrel
