#pragma once

// TschAnnuity: how long a balance lasts when regular withdrawals, growing
// each period by the annual increase, are taken from it while the remainder
// earns interest. The schedule runs until the money is gone or 99 years of
// periods have passed.
//
// SetInputs takes the inputs and clears the rows; Calculate builds and
// computes the schedule in one pass; Recalculate computes rows the user has
// edited and extends or shortens them to where the money runs out. Every
// operation either completes or leaves rows and results as they were.

#include <cstdint>
#include <string>

#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/foundation/abstract_schedule.h"
#include "core/foundation/date_math.h"
#include "core/schedules/cash_flow_rows.h"

namespace quandrel {

// The longest schedule, in years of periods.
inline constexpr int kAnnuityMaxYears = 99;

inline constexpr const char* kAnnuityStillGrowing = "Balance is still growing.";
inline constexpr const char* kAnnuityBeyondTerm = "Annuity lasts beyond maximum term.";
inline constexpr const char* kAnnuityStillGrowingEdited = "Balance is still growing!!";
inline constexpr const char* kAnnuityBeyondTermEdited = "Annuity lasts beyond maximum term!!";

class TschAnnuity : public TScheduleOf<AnnuityRow> {
 public:
  // The twice-monthly payment days (the user's preference, a TwiceMonthlyDays
  // position) used when stepping twice-monthly dates.
  int TwiceMonthlyRule = 0;

  // p, b, c as in TequRate; timing 1: withdrawals at the start of each
  // period, 0: at the end; rates in percent; the withdrawal negative (a
  // positive amount is a deposit, and the balance grows). Raises 512 for a
  // choice outside its list or a rate that is not a number, 533 for a bad
  // start date, 536 for a negative starting balance and 531 when both the
  // starting balance and the withdrawal are below 0.01 in magnitude.
  void SetInputs(DayNumber startDate, int paymentPeriod, int rateBasis, int timing, int compounding,
                 Extended taxRatePercent, Extended annualIncreasePercent, Extended annualRatePercent,
                 Currency withdrawal, Currency startingBalance);

  // Builds and computes the schedule from the inputs; 517 before SetInputs,
  // 534 when a date would leave the calendar.
  void Calculate();

  // Computes the edited rows with their own withdrawals, dates and the rate
  // of the row before each. Row 0's balance is the starting balance of the
  // inputs plus row 0's withdrawal (without inputs: row 0's stored balance
  // less its withdrawal, the inverse of that rule). The computation stops at
  // the first row whose balance is at most 0.001 and drops the rows after it;
  // when the edited rows end with money left, the last one takes the
  // withdrawal and rate of the row before it and rows are appended at
  // successive payment dates, each repeating the previous row's withdrawal
  // and rate, until the money is gone or the 99-year limit passes. Raises 517
  // for an empty list and 512 for rows whose dates are not calendar dates,
  // run backwards, or whose amounts or rates are not numbers.
  void Recalculate(const RowList& editedRows);

  // Results of the last computation.
  Currency TotalWithdrawn() const { return m_totalWithdrawn; }  // signed: negative for withdrawals
  Currency TotalWithdrawnAfterTax() const { return m_totalAfterTax; }
  // Set by Calculate only when the annuity ends normally; always by
  // Recalculate.
  Currency TotalInterest() const { return m_totalInterest; }
  std::int32_t Periods() const { return m_periods; }
  Extended Years() const { return m_years; }
  DayNumber LastDate() const { return m_lastDate; }
  // The weekday name of the last date.
  const std::string& LastDateText() const { return m_lastDateText; }
  // Empty, or one of the kAnnuity... texts.
  const std::string& Status() const { return m_status; }

  // The period limit of the inputs' payment period: 99 * P(p).
  std::int32_t MaxPeriods() const;

 private:
  struct Running;
  void ComputeRow(const AnnuityRow& previous, AnnuityRow& row, Running& state);
  void Commit(RowList rows, const Running& state, Currency totalInterest, std::string status);

  TequRate m_rate;
  TequFV m_fv;
  TcalcDateMath m_dateMath;

  bool m_hasInputs = false;
  DayNumber m_startDate = 0;
  int m_paymentPeriod = 6;
  int m_rateBasis = 0;
  int m_timing = 0;
  int m_compounding = 6;
  Extended m_taxRate = 0;  // fraction
  Extended m_increasePercent = 0;
  Extended m_annualRatePercent = 0;
  Currency m_withdrawal;
  Currency m_startingBalance;

  Currency m_totalWithdrawn;
  Currency m_totalAfterTax;
  Currency m_totalInterest;
  std::int32_t m_periods = 0;
  Extended m_years = 0;
  DayNumber m_lastDate = 0;
  std::string m_lastDateText;
  std::string m_status;
};

}  // namespace quandrel
