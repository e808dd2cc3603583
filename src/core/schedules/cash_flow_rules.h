#pragma once

// The rules the savings, present-value and annuity schedules share: checking
// their choices and dates, money that stays inside Currency, the interest of
// one period, payment-date stepping, row labels and year numbers.
//
// Index conventions (as in TequRate): payment index p 1..10 (Daily..Annually),
// compounding c 0..11 (Continuous, Daily..Annually, Simple), rate basis b
// 0..5 (Ordinary, Ordinary/365, Ordinary/360, Actual/360, Actual/365,
// Actual/Actual).

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/foundation/global_types.h"

namespace quandrel {

class TequFV;
class TequRate;
class TcalcDateMath;

// Codes this engine adds to the schedule family (EFinCFException), above the
// family's given codes.
namespace cashflowerror {
inline constexpr int BadStartDate = 533;
inline constexpr int PastLastDate = 534;
inline constexpr int OutOfRange = 535;
inline constexpr int NegativeStart = 536;
}  // namespace cashflowerror

// Raises EFinCFException with the message of a code: the added codes above
// with their own texts, every other code through the family's table.
[[noreturn]] void RaiseCashFlowError(int code);
// The message of an added code, or of the family's table.
std::string CashFlowErrorMessage(int code);

// Raises 512 unless p, c and b are positions of their lists and the timing
// is 0 or 1.
void CheckCashFlowChoices(int paymentPeriod, int compounding, int rateBasis, int timing);
// Raises 512 unless the twice-monthly rule is a position of its list (0..12).
void CheckTwiceMonthlyRule(int rule);
// Raises 533 unless the date is a calendar date.
void CheckStartDate(DayNumber date);
// Raises 512 unless x is a finite number (a rate typed or edited).
void CheckFinite(Extended x);

// Money held by a schedule: x rounded to 1/10000. A value that is not
// finite or lies beyond what Currency holds raises 535.
Currency ScheduleMoney(Extended x);
// a + b, raising 535 instead of overflowing.
Currency AddMoney(Currency a, Currency b);

// The number the interest of one period is taken over: one payment period
// for the Ordinary bases, the days from d0 to d1 for the Actual bases.
std::int32_t PeriodSpan(int rateBasis, DayNumber d0, DayNumber d1);

// Grows `amount` over a span (a count of payment periods, or of days for the
// Actual bases) at the annual rate in percent, leaving PV, FV and Interest in
// `fv` (FV rounded by the cents rule). The periodic rate is taken on
// `rateDate` (for Actual/Actual, the daily rate of that calendar year).
// Compounding Simple grows by simple interest, Continuous continuously.
Extended GrowOverSpan(TequRate& rate, TequFV& fv, int paymentPeriod, int compounding, int rateBasis,
                      Extended amount, std::int32_t span, DayNumber rateDate, Extended annualRatePercent);

// The next payment date after `date`; 534 when it would leave the calendar.
DayNumber NextScheduleDate(TcalcDateMath& dateMath, int paymentPeriod, DayNumber date, int twiceMonthlyRule);
// Raises 534 before anything is allocated when `periods` steps of at least a
// day from `start` cannot stay inside the calendar.
void CheckPeriodsFit(DayNumber start, std::int64_t periods);

// "k/y": the row number, a slash and the year (whole years from the start to
// the row's date, plus 1), the year with at least two digits when
// padYear. When that does not fit the label's capacity, the row number
// alone.
std::string RowLabel(int row, DayNumber start, DayNumber date, bool padYear, std::size_t capacity);

// The calendar year of a date (0 for a bad date).
int CalendarYear(DayNumber date);

// Fills Label and YearNumber of every row from row 0's date on: the year
// number starts at 1 and grows by one at each change of calendar year.
template <class RowList>
void LabelRows(RowList& rows, bool padYear, std::size_t capacity) {
  if (rows.empty()) {
    return;
  }
  const DayNumber start = rows.front().Date;
  std::int32_t year = 1;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (k > 0 && CalendarYear(rows[k].Date) != CalendarYear(rows[k - 1].Date)) {
      ++year;
    }
    rows[k].YearNumber = year;
    rows[k].Label = RowLabel(static_cast<int>(k), start, rows[k].Date, padYear, capacity);
  }
}

// Raises 512 unless every row's date is a calendar date not before the
// previous row's.
template <class RowList>
void CheckRowDates(const RowList& rows) {
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (CalendarYear(rows[k].Date) == 0 || (k > 0 && rows[k].Date < rows[k - 1].Date)) {
      RaiseCashFlowError(512);
    }
  }
}

}  // namespace quandrel
