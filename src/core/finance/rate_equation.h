#pragma once

// Rate conversion between compounding frequencies, periodic rates and year
// fractions. Rates are fractions (0.08 for 8%).
//
// Index conventions: a payment index p runs 1..10 (Daily..Annually, the
// payment-period list position + 1); a compounding index c runs 0..11
// (Continuous, Daily..Annually, Simple); a rate basis b runs 0..5 (Ordinary,
// Ordinary/365, Ordinary/360, Actual/360, Actual/365, Actual/Actual).

#include <cstdint>

#include "core/foundation/global_types.h"

namespace quandrel {

class TequRate {
 public:
  // The year length the last PeriodicRate, SimplePeriodicRate or
  // PeriodicRateOnDate used.
  std::int32_t DaysInYear = 0;

  // The nominal annual rate with A periods a year equivalent to x compounded
  // m times a year (m = -1: the effective rate of continuous compounding;
  // m = 0: x unchanged).
  static Extended ConvertFromCompounding(Extended A, int m, Extended x);
  // The inverse: the nominal rate compounded m times a year equivalent to x
  // with A periods a year (m = -1: ln(1 + x); m = 0: x unchanged).
  static Extended ConvertToCompounding(Extended A, int m, Extended x);

  // The rate of one payment period (a daily rate for the Actual bases), with
  // no compounding conversion.
  Extended SimplePeriodicRate(int p, int b, Extended x);
  // The rate of one payment period from a nominal rate compounded c-wise.
  Extended PeriodicRate(int p, int c, int b, Extended x);
  // As PeriodicRate; for Actual/Actual the daily rate of the calendar year
  // that contains the date.
  Extended PeriodicRateOnDate(int p, int c, DayNumber date, int b, Extended x);

  // The length in years of n payment periods (n days for the Actual bases);
  // -1 for a basis it does not know.
  static Extended YearFraction(std::int32_t n, int p, int b);
  static Extended YearFractionOnDate(std::int32_t n, int p, int b, DayNumber date);

  // Payments per year P(p) and days per period D(p) of a payment index 1..10.
  static int PaymentsPerYearOf(int p);
  static int DaysPerPeriodOf(int p);
  // Days from 1 January of the date's year to 1 January of the next (a bad
  // date raises finance error 426).
  static int CalendarYearDays(DayNumber date);
};

}  // namespace quandrel
