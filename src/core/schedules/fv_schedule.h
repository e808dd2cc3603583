#pragma once

// TschFV: a savings schedule. An initial deposit and regular deposits (or
// withdrawals) grow period by period with interest; interest is taxed at each
// change of calendar year and the balance is adjusted for inflation.
//
// Initialize builds rows 0..n from the inputs; Calculate computes them from
// their deposits and rates; the calculator may change deposits
// (SetRowDeposit) or hand back edited rows (Recalculate, which keeps their
// dates). Every operation either completes or leaves rows and results as
// they were.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/foundation/abstract_schedule.h"
#include "core/foundation/date_math.h"
#include "core/schedules/cash_flow_rows.h"

namespace quandrel {

class TschFV : public TScheduleOf<FVRow> {
 public:
  // The twice-monthly payment days used when stepping twice-monthly dates
  // (a TwiceMonthlyDays position; the caller passes the user's preference).
  int TwiceMonthlyRule = 0;

  // Rates in percent; timing 1: deposits at the start of each period, 0: at
  // the end; b, c, p as in TequRate. Raises 530 for n below 2, 531 when both
  // deposits are below 0.01, 509 for a rate below 0.01%, 536 for a negative
  // initial deposit, 512 for a choice outside its list, 533 for a bad start
  // date and 534 when the schedule would leave the calendar.
  void Initialize(std::int32_t periods, DayNumber startDate, Extended inflationRatePercent,
                  Extended taxRatePercent, int timing, int rateBasis, int compounding, int paymentPeriod,
                  Extended annualRatePercent, Currency regularDeposit, Currency initialDeposit);

  // Computes every row (dates restepped from the start date); 517 before
  // Initialize.
  void Calculate();

  // Changes one row's deposit; 514 for a row outside 0..n.
  void SetRowDeposit(int row, Currency amount);

  // Replaces the rows by copies of the edited ones and computes them with
  // their own dates and rates, under the inputs of the last Initialize.
  // Raises 517 for an empty list, 512 for a row whose date is not a calendar
  // date, runs backwards, or whose amounts or rate are not numbers.
  void Recalculate(const RowList& editedRows);

  // Results of the last computation.
  Currency FinalBalance() const { return m_finalBalance; }
  Currency TotalDeposits() const { return m_totalDeposits; }
  Currency TotalInterest() const { return m_totalInterest; }
  Currency TotalTaxes() const { return m_totalTaxes; }          // not positive
  Currency TotalInflation() const { return m_totalInflation; }  // not positive
  Currency FinalRealBalance() const { return m_finalRealBalance; }
  DayNumber FinalDate() const { return m_finalDate; }
  Extended Years() const { return m_years; }  // n / P(p)

 private:
  void Compute(RowList rows, bool keepDates);

  TequRate m_rate;
  TequFV m_fv;
  TcalcDateMath m_dateMath;

  // Inputs of the last Initialize.
  DayNumber m_startDate = 0;
  Extended m_inflationRate = 0;  // fraction
  Extended m_taxRate = 0;        // fraction
  int m_timing = 0;
  int m_rateBasis = 0;
  int m_compounding = 6;
  int m_paymentPeriod = 6;

  Currency m_finalBalance;
  Currency m_totalDeposits;
  Currency m_totalInterest;
  Currency m_totalTaxes;
  Currency m_totalInflation;
  Currency m_finalRealBalance;
  DayNumber m_finalDate = 0;
  Extended m_years = 0;
};

}  // namespace quandrel
