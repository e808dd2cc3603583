#include "core/schedules/annuity_schedule.h"

#include <cstddef>
#include <utility>

#include "core/foundation/date_arithmetic.h"
#include "core/schedules/cash_flow_rules.h"

namespace quandrel {
namespace {

constexpr Currency kOneCent = Currency::FromUnits(100);
// A balance at or below a tenth of a cent counts as spent in a recomputation.
constexpr Currency kSpent = Currency::FromUnits(10);
// Cumulative deposits above this mean the balance is growing.
constexpr Currency kGrowingTotal = Currency::FromWhole(99'999'999);

Currency Magnitude(Currency c) {
  return c < Currency() ? -c : c;
}

}  // namespace

// The running totals carried from row to row.
struct TschAnnuity::Running {
  Currency Balance;
  Currency CumulativeWithdrawals;
  Currency CumulativeInterest;
  Extended CumulativeAfterTax = 0;
};

std::int32_t TschAnnuity::MaxPeriods() const {
  return kAnnuityMaxYears * TequRate::PaymentsPerYearOf(m_paymentPeriod);
}

void TschAnnuity::SetInputs(DayNumber startDate, int paymentPeriod, int rateBasis, int timing,
                            int compounding, Extended taxRatePercent, Extended annualIncreasePercent,
                            Extended annualRatePercent, Currency withdrawal, Currency startingBalance) {
  CheckCashFlowChoices(paymentPeriod, compounding, rateBasis, timing);
  CheckTwiceMonthlyRule(TwiceMonthlyRule);
  CheckFinite(taxRatePercent);
  CheckFinite(annualIncreasePercent);
  CheckFinite(annualRatePercent);
  CheckStartDate(startDate);
  if (startingBalance < Currency()) {
    RaiseCashFlowError(cashflowerror::NegativeStart);
  }
  if (startingBalance < kOneCent && Magnitude(withdrawal) < kOneCent) {
    RaiseCashFlowError(531);
  }
  m_hasInputs = true;
  m_startDate = startDate;
  m_paymentPeriod = paymentPeriod;
  m_rateBasis = rateBasis;
  m_timing = timing;
  m_compounding = compounding;
  m_taxRate = taxRatePercent / 100.0L;
  m_increasePercent = annualIncreasePercent;
  m_annualRatePercent = annualRatePercent;
  m_withdrawal = withdrawal;
  m_startingBalance = startingBalance;
  Rows.clear();
  m_totalWithdrawn = m_totalAfterTax = m_totalInterest = Currency();
  m_periods = 0;
  m_years = 0;
  m_lastDate = 0;
  m_lastDateText.clear();
  m_status.clear();
}

void TschAnnuity::ComputeRow(const AnnuityRow& previous, AnnuityRow& row, Running& state) {
  const std::int32_t span = PeriodSpan(m_rateBasis, previous.Date, row.Date);
  auto interestOn = [&](Currency amount) {
    GrowOverSpan(m_rate, m_fv, m_paymentPeriod, m_compounding, m_rateBasis, amount.ToExtended(), span,
                 row.Date, previous.Rate);
    return ScheduleMoney(m_fv.Interest);
  };
  Currency withdrawal = ScheduleMoney(row.Withdrawal);
  Currency interest;
  if (m_timing == 1) {
    // A withdrawal never takes more than the balance.
    if (AddMoney(state.Balance, withdrawal) < Currency()) {
      withdrawal = -state.Balance;
    }
    state.Balance = AddMoney(state.Balance, withdrawal);
    interest = interestOn(state.Balance);
    state.Balance = AddMoney(state.Balance, interest);
  } else {
    interest = interestOn(state.Balance);
    state.Balance = AddMoney(state.Balance, interest);
    if (AddMoney(state.Balance, withdrawal) < Currency()) {
      withdrawal = -state.Balance;
    }
    state.Balance = AddMoney(state.Balance, withdrawal);
  }
  state.CumulativeWithdrawals = AddMoney(state.CumulativeWithdrawals, withdrawal);
  state.CumulativeInterest = AddMoney(state.CumulativeInterest, interest);
  const Extended w = withdrawal.ToExtended();
  state.CumulativeAfterTax += w - w * m_taxRate;

  row.Withdrawal = withdrawal.ToDouble();
  row.Interest = interest.ToDouble();
  row.CumulativeWithdrawals = state.CumulativeWithdrawals.ToDouble();
  row.CumulativeInterest = state.CumulativeInterest.ToDouble();
  row.Balance = state.Balance.ToDouble();
  row.CumulativeAfterTax = static_cast<double>(state.CumulativeAfterTax);
}

void TschAnnuity::Calculate() {
  if (!m_hasInputs) {
    RaiseCashFlowError(517);
  }
  const std::int32_t limit = MaxPeriods();
  const Extended growth = m_increasePercent / 100.0L / TequRate::PaymentsPerYearOf(m_paymentPeriod);
  const auto paymentPeriod = static_cast<std::uint8_t>(m_paymentPeriod);
  const auto compounding = static_cast<std::uint8_t>(m_compounding);
  const auto rate = static_cast<double>(m_annualRatePercent);

  RowList rows;
  AnnuityRow& start = rows.emplace_back();
  start.Date = m_startDate;
  start.Rate = rate;  // the rate that applies from the start, for recomputations
  start.Balance = m_startingBalance.ToDouble();
  start.PaymentPeriod = paymentPeriod;
  start.Compounding = compounding;

  m_dateMath = TcalcDateMath();
  m_dateMath.SetBaseDate(m_startDate);
  Running state;
  state.Balance = m_startingBalance;
  // The first period's withdrawal is already increased once.
  Currency withdrawal = m_withdrawal;
  std::int32_t k = 0;
  do {
    ++k;
    withdrawal = ScheduleMoney((1.0L + growth) * withdrawal.ToExtended());
    AnnuityRow row;
    row.Date = NextScheduleDate(m_dateMath, m_paymentPeriod, rows.back().Date, TwiceMonthlyRule);
    row.Withdrawal = withdrawal.ToDouble();
    row.Rate = rate;
    row.PaymentPeriod = paymentPeriod;
    row.Compounding = compounding;
    ComputeRow(rows.back(), row, state);
    rows.push_back(std::move(row));
  } while (state.Balance > Currency() && k < limit);
  LabelRows(rows, false, kAnnuityLabelCapacity);

  const Currency previousBalance = ScheduleMoney(rows[rows.size() - 2].Balance);
  std::string status;
  Currency totalInterest;
  if (state.CumulativeWithdrawals > kGrowingTotal || state.Balance > previousBalance) {
    status = kAnnuityStillGrowing;
  } else if (k >= limit && state.Balance > Currency()) {
    status = kAnnuityBeyondTerm;
  } else {
    totalInterest = state.CumulativeInterest;
  }
  Commit(std::move(rows), state, totalInterest, std::move(status));
}

void TschAnnuity::Recalculate(const RowList& editedRows) {
  if (editedRows.empty()) {
    RaiseCashFlowError(517);
  }
  CheckRowDates(editedRows);
  RowList rows;
  rows.reserve(editedRows.size());
  for (const AnnuityRow& edited : editedRows) {
    CheckFinite(edited.Withdrawal);
    CheckFinite(edited.Rate);
    CheckFinite(edited.Balance);
    CopyRow(edited, &rows.emplace_back());
  }
  const std::int32_t limit = MaxPeriods();

  // Row 0: the starting balance with row 0's own withdrawal (a reset or an
  // adjustment of all rows can place one there) taken from it. The stored
  // balance is not used when the inputs are known: it already carries the
  // withdrawal of an earlier recomputation.
  AnnuityRow& first = rows.front();
  const Currency startingBalance =
      m_hasInputs ? m_startingBalance
                  : AddMoney(ScheduleMoney(first.Balance), -ScheduleMoney(first.Withdrawal));
  Running state;
  Currency withdrawal = ScheduleMoney(first.Withdrawal);
  if (AddMoney(startingBalance, withdrawal) < Currency()) {
    withdrawal = -startingBalance;
  }
  state.Balance = AddMoney(startingBalance, withdrawal);
  state.CumulativeWithdrawals = withdrawal;
  state.CumulativeAfterTax = withdrawal.ToExtended() - withdrawal.ToExtended() * m_taxRate;
  first.Withdrawal = withdrawal.ToDouble();
  first.Interest = 0;
  first.CumulativeWithdrawals = withdrawal.ToDouble();
  first.CumulativeInterest = 0;
  first.Balance = state.Balance.ToDouble();
  first.CumulativeAfterTax = static_cast<double>(state.CumulativeAfterTax);

  // The edited rows, up to the first one that spends the balance.
  std::size_t last = 0;
  Running beforeLast = state;
  while (last + 1 < rows.size() && state.Balance > kSpent) {
    beforeLast = state;
    ++last;
    ComputeRow(rows[last - 1], rows[last], state);
  }
  rows.resize(last + 1);

  // Money left at the end of the edited rows: continue at the regular
  // withdrawal (the last edited row's may have been cut to what was left).
  if (state.Balance > kSpent && last < static_cast<std::size_t>(limit)) {
    m_dateMath = TcalcDateMath();
    m_dateMath.SetBaseDate(rows.front().Date);
    if (last >= 1) {
      rows[last].Withdrawal = rows[last - 1].Withdrawal;
      rows[last].Rate = rows[last - 1].Rate;
      state = beforeLast;
      ComputeRow(rows[last - 1], rows[last], state);
    }
    while (state.Balance > kSpent && last < static_cast<std::size_t>(limit)) {
      const AnnuityRow& previous = rows[last];
      AnnuityRow row;
      row.Date = NextScheduleDate(m_dateMath, m_paymentPeriod, previous.Date, TwiceMonthlyRule);
      row.Withdrawal = previous.Withdrawal;
      row.Rate = previous.Rate;
      row.PaymentPeriod = static_cast<std::uint8_t>(m_paymentPeriod);
      row.Compounding = static_cast<std::uint8_t>(m_compounding);
      ComputeRow(previous, row, state);
      rows.push_back(std::move(row));
      ++last;
    }
  }
  LabelRows(rows, false, kAnnuityLabelCapacity);

  const bool limitPassed = last >= static_cast<std::size_t>(limit) && state.Balance > kSpent;
  const bool growing = last >= 1 && state.Balance > ScheduleMoney(rows[last - 1].Balance);
  std::string status;
  if (state.CumulativeWithdrawals > kGrowingTotal || limitPassed || growing) {
    status = limitPassed ? kAnnuityBeyondTermEdited : kAnnuityStillGrowingEdited;
  }
  Commit(std::move(rows), state, state.CumulativeInterest, std::move(status));
}

void TschAnnuity::Commit(RowList rows, const Running& state, Currency totalInterest, std::string status) {
  const Currency afterTax = ScheduleMoney(state.CumulativeAfterTax);
  const auto periods = static_cast<std::int32_t>(rows.size() - 1);
  const DayNumber lastDate = rows.back().Date;
  std::string lastDateText = DayName(lastDate);
  Rows = std::move(rows);
  m_totalWithdrawn = state.CumulativeWithdrawals;
  m_totalAfterTax = afterTax;
  m_totalInterest = totalInterest;
  m_periods = periods;
  m_years = static_cast<Extended>(periods) / TequRate::PaymentsPerYearOf(m_paymentPeriod);
  m_lastDate = lastDate;
  m_lastDateText = std::move(lastDateText);
  m_status = std::move(status);
}

}  // namespace quandrel
