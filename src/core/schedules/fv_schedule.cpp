#include "core/schedules/fv_schedule.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "core/foundation/choice_lists.h"
#include "core/schedules/cash_flow_rules.h"

namespace quandrel {
namespace {

constexpr Currency kOneCent = Currency::FromUnits(100);

}  // namespace

void TschFV::Initialize(std::int32_t periods, DayNumber startDate, Extended inflationRatePercent,
                        Extended taxRatePercent, int timing, int rateBasis, int compounding,
                        int paymentPeriod, Extended annualRatePercent, Currency regularDeposit,
                        Currency initialDeposit) {
  CheckCashFlowChoices(paymentPeriod, compounding, rateBasis, timing);
  CheckTwiceMonthlyRule(TwiceMonthlyRule);
  CheckFinite(inflationRatePercent);
  CheckFinite(taxRatePercent);
  CheckFinite(annualRatePercent);
  if (periods <= 1) {
    RaiseCashFlowError(530);
  }
  if (initialDeposit < kOneCent && regularDeposit < kOneCent) {
    RaiseCashFlowError(531);
  }
  if (annualRatePercent < 0.01L) {
    RaiseCashFlowError(509);
  }
  if (initialDeposit < Currency()) {
    RaiseCashFlowError(cashflowerror::NegativeStart);
  }
  CheckStartDate(startDate);
  CheckPeriodsFit(startDate, periods);

  TcalcDateMath dateMath;
  dateMath.SetBaseDate(startDate);
  RowList rows(static_cast<std::size_t>(periods) + 1);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    FVRow& row = rows[k];
    row.Date =
        k == 0 ? startDate : NextScheduleDate(dateMath, paymentPeriod, rows[k - 1].Date, TwiceMonthlyRule);
    row.Deposit = (k == 0 ? initialDeposit : regularDeposit).ToDouble();
    row.Rate = static_cast<double>(annualRatePercent);
    row.PaymentPeriod = static_cast<std::uint8_t>(paymentPeriod);
    row.Compounding = static_cast<std::uint8_t>(compounding);
  }
  LabelRows(rows, false, kFVLabelCapacity);

  m_startDate = startDate;
  m_inflationRate = inflationRatePercent / 100.0L;
  m_taxRate = taxRatePercent / 100.0L;
  m_timing = timing;
  m_rateBasis = rateBasis;
  m_compounding = compounding;
  m_paymentPeriod = paymentPeriod;
  m_dateMath = dateMath;
  Rows = std::move(rows);
  m_finalBalance = m_totalDeposits = m_totalInterest = Currency();
  m_totalTaxes = m_totalInflation = m_finalRealBalance = Currency();
  m_finalDate = 0;
  m_years = 0;
}

void TschFV::Calculate() {
  Compute(Rows, false);
}

void TschFV::SetRowDeposit(int row, Currency amount) {
  if (row < 0 || row > LastRowIndex()) {
    RaiseCashFlowError(514);
  }
  Rows[static_cast<std::size_t>(row)].Deposit = amount.ToDouble();
}

void TschFV::Recalculate(const RowList& editedRows) {
  if (editedRows.empty()) {
    RaiseCashFlowError(517);
  }
  CheckRowDates(editedRows);
  RowList rows;
  rows.reserve(editedRows.size());
  for (const FVRow& edited : editedRows) {
    CheckFinite(edited.Deposit);
    CheckFinite(edited.Rate);
    CopyRow(edited, &rows.emplace_back());
  }
  Compute(std::move(rows), true);
}

void TschFV::Compute(RowList rows, bool keepDates) {
  if (rows.empty()) {
    RaiseCashFlowError(517);
  }
  const std::size_t n = rows.size() - 1;
  if (!keepDates) {
    TcalcDateMath dateMath;
    dateMath.SetBaseDate(m_startDate);
    rows[0].Date = m_startDate;
    for (std::size_t k = 1; k <= n; ++k) {
      rows[k].Date = NextScheduleDate(dateMath, m_paymentPeriod, rows[k - 1].Date, TwiceMonthlyRule);
    }
    m_dateMath = dateMath;
  }
  LabelRows(rows, false, kFVLabelCapacity);

  const bool simple = m_compounding == compounding::Simple;
  const Extended periodsPerYear = TequRate::PaymentsPerYearOf(m_paymentPeriod);
  // The interest of one period on an amount, rounded to 1/10000.
  auto interestOn = [&](Currency amount, std::int32_t span, DayNumber rateDate, double ratePercent) {
    GrowOverSpan(m_rate, m_fv, m_paymentPeriod, m_compounding, m_rateBasis, amount.ToExtended(), span,
                 rateDate, ratePercent);
    return ScheduleMoney(m_fv.Interest);
  };

  Currency totalTaxes;
  Currency totalInflation;
  Currency yearToDate;
  // Year-to-date interest is taxed in the row after which the calendar year
  // changes; the last row compares with itself, so the final partial year is
  // not taxed.
  auto taxOf = [&](std::size_t k) {
    const std::size_t next = std::min(k + 1, n);
    if (CalendarYear(rows[k].Date) == CalendarYear(rows[next].Date)) {
      return Currency();
    }
    const Currency tax = ScheduleMoney(-yearToDate.ToExtended() * m_taxRate);
    totalTaxes = AddMoney(totalTaxes, tax);
    yearToDate = Currency();
    return tax;
  };
  auto store = [](FVRow& row, Currency deposit, Currency interest, Currency cumulativeDeposits,
                  Currency cumulativeInterest, Currency balance, Currency tax, Currency inflation,
                  Currency real) {
    row.Deposit = deposit.ToDouble();
    row.Interest = interest.ToDouble();
    row.CumulativeDeposits = cumulativeDeposits.ToDouble();
    row.CumulativeInterest = cumulativeInterest.ToDouble();
    row.Balance = balance.ToDouble();
    row.Tax = tax.ToDouble();
    row.InflationAdjustment = inflation.ToDouble();
    row.RealBalance = real.ToDouble();
  };

  // Row 0: the initial deposit; paid in advance it earns one period's
  // interest (one day's for the Actual bases).
  Currency deposit = ScheduleMoney(rows[0].Deposit);
  Currency interest;
  if (m_timing == 1) {
    interest = interestOn(deposit, 1, rows[0].Date, rows[0].Rate);
  }
  Currency balance = AddMoney(deposit, interest);
  Currency cumulativeDeposits = deposit;
  Currency cumulativeInterest = interest;
  yearToDate = interest;
  Currency tax = taxOf(0);
  Currency real = AddMoney(balance, tax);
  store(rows[0], deposit, interest, cumulativeDeposits, cumulativeInterest, balance, tax, Currency(), real);

  for (std::size_t k = 1; k <= n; ++k) {
    const FVRow& previous = rows[k - 1];
    FVRow& row = rows[k];
    const Currency previousBalance = balance;
    const Currency previousReal = real;
    const std::int32_t span = PeriodSpan(m_rateBasis, previous.Date, row.Date);
    deposit = ScheduleMoney(row.Deposit);
    if (m_timing == 1) {
      // A withdrawal never takes more than the balance.
      if (AddMoney(previousBalance, deposit) <= Currency()) {
        deposit = -previousBalance;
      }
      const Currency base =
          simple ? AddMoney(cumulativeDeposits, deposit) : AddMoney(previousBalance, deposit);
      interest = interestOn(base, span, row.Date, previous.Rate);
      balance = AddMoney(AddMoney(previousBalance, deposit), interest);
    } else {
      const Currency base = simple ? cumulativeDeposits : previousBalance;
      interest = interestOn(base, span, row.Date, previous.Rate);
      balance = AddMoney(previousBalance, interest);
      if (AddMoney(balance, deposit) <= Currency()) {
        deposit = -balance;
      }
      balance = AddMoney(balance, deposit);
    }
    cumulativeDeposits = AddMoney(cumulativeDeposits, deposit);
    cumulativeInterest = AddMoney(cumulativeInterest, interest);
    yearToDate = AddMoney(yearToDate, interest);
    tax = taxOf(k);
    const Currency inflation = ScheduleMoney(-(m_inflationRate / periodsPerYear) * previousReal.ToExtended());
    totalInflation = AddMoney(totalInflation, inflation);
    real = AddMoney(AddMoney(AddMoney(AddMoney(balance, -previousBalance), previousReal), tax), inflation);
    store(row, deposit, interest, cumulativeDeposits, cumulativeInterest, balance, tax, inflation, real);
  }

  const Extended years = static_cast<Extended>(n) / periodsPerYear;
  const DayNumber finalDate = rows[n].Date;
  Rows = std::move(rows);
  m_finalBalance = balance;
  m_totalDeposits = cumulativeDeposits;
  m_totalInterest = cumulativeInterest;
  m_totalTaxes = totalTaxes;
  m_totalInflation = totalInflation;
  m_finalRealBalance = real;
  m_finalDate = finalDate;
  m_years = years;
}

}  // namespace quandrel
