#pragma once

// TschPV: the present value of a series. Each payment of rows 1..n is
// discounted on its own to the start date (row 0), and the present values are
// summed.
//
// Initialize builds the rows; Calculate discounts them; the calculator may
// change payments (SetRowPayment) or hand back edited rows (Recalculate,
// which keeps their dates). Every operation either completes or leaves rows
// and results as they were.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/foundation/abstract_schedule.h"
#include "core/foundation/date_math.h"
#include "core/schedules/cash_flow_rows.h"

namespace quandrel {

class TschPV : public TScheduleOf<PVRow> {
 public:
  // The twice-monthly payment days used when stepping twice-monthly dates.
  int TwiceMonthlyRule = 0;

  // b, c, p as in TequRate; the rate in percent. Raises 507 for n below 1,
  // 510 for a payment below 0.0001 in magnitude, 509 for a rate below 0.01%,
  // 512 for a choice outside its list, 533 for a bad start date and 534 when
  // the schedule would leave the calendar.
  void Initialize(DayNumber startDate, std::int32_t periods, int rateBasis, int compounding,
                  int paymentPeriod, Extended annualRatePercent, Currency payment);

  // Discounts every row (dates restepped from the start date); 517 before
  // Initialize.
  void Calculate();

  // Changes one row's payment; 514 for a row outside 0..n.
  void SetRowPayment(int row, Currency amount);

  // Replaces the rows by copies of the edited ones and discounts them with
  // their own dates, under the inputs of the last Initialize. Raises 517 for
  // an empty list, 512 for a row whose date is not a calendar date, runs
  // backwards, or whose payment is not a number.
  void Recalculate(const RowList& editedRows);

  Currency TotalPresentValue() const { return m_totalPresentValue; }
  Currency TotalPayments() const { return m_totalPayments; }
  Extended Years() const { return m_years; }  // n / P(p)

 private:
  void Compute(RowList rows, bool keepDates);

  TequRate m_rate;
  TequPV m_pv;
  TcalcDateMath m_dateMath;

  DayNumber m_startDate = 0;
  int m_rateBasis = 0;
  int m_compounding = 6;
  int m_paymentPeriod = 6;
  Extended m_annualRatePercent = 0;

  Currency m_totalPresentValue;
  Currency m_totalPayments;
  Extended m_years = 0;
};

}  // namespace quandrel
