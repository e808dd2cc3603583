#include "core/schedules/pv_schedule.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "core/foundation/choice_lists.h"
#include "core/schedules/cash_flow_rules.h"

namespace quandrel {

void TschPV::Initialize(DayNumber startDate, std::int32_t periods, int rateBasis, int compounding,
                        int paymentPeriod, Extended annualRatePercent, Currency payment) {
  CheckCashFlowChoices(paymentPeriod, compounding, rateBasis, 0);
  CheckTwiceMonthlyRule(TwiceMonthlyRule);
  CheckFinite(annualRatePercent);
  if (periods <= 0) {
    RaiseCashFlowError(507);
  }
  if (payment.Units() == 0) {  // below 0.0001 in magnitude
    RaiseCashFlowError(510);
  }
  if (annualRatePercent < 0.01L) {
    RaiseCashFlowError(509);
  }
  CheckStartDate(startDate);
  CheckPeriodsFit(startDate, periods);

  TcalcDateMath dateMath;
  dateMath.SetBaseDate(startDate);
  RowList rows(static_cast<std::size_t>(periods) + 1);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    PVRow& row = rows[k];
    row.Date =
        k == 0 ? startDate : NextScheduleDate(dateMath, paymentPeriod, rows[k - 1].Date, TwiceMonthlyRule);
    row.Payment = k == 0 ? 0.0 : payment.ToDouble();
    row.PaymentPeriod = static_cast<std::uint8_t>(paymentPeriod);
    row.Compounding = static_cast<std::uint8_t>(compounding);
  }
  LabelRows(rows, true, kPVLabelCapacity);

  m_startDate = startDate;
  m_rateBasis = rateBasis;
  m_compounding = compounding;
  m_paymentPeriod = paymentPeriod;
  m_annualRatePercent = annualRatePercent;
  m_dateMath = dateMath;
  Rows = std::move(rows);
  m_totalPresentValue = m_totalPayments = Currency();
  m_years = 0;
}

void TschPV::Calculate() {
  Compute(Rows, false);
}

void TschPV::SetRowPayment(int row, Currency amount) {
  if (row < 0 || row > LastRowIndex()) {
    RaiseCashFlowError(514);
  }
  Rows[static_cast<std::size_t>(row)].Payment = amount.ToDouble();
}

void TschPV::Recalculate(const RowList& editedRows) {
  if (editedRows.empty()) {
    RaiseCashFlowError(517);
  }
  CheckRowDates(editedRows);
  RowList rows;
  rows.reserve(editedRows.size());
  for (const PVRow& edited : editedRows) {
    CheckFinite(edited.Payment);
    CopyRow(edited, &rows.emplace_back());
  }
  Compute(std::move(rows), true);
}

void TschPV::Compute(RowList rows, bool keepDates) {
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
  LabelRows(rows, true, kPVLabelCapacity);

  const Extended r = m_annualRatePercent / 100.0L;
  const bool actual = m_rateBasis > ratebasis::Ordinary360;
  const DayNumber start = rows[0].Date;

  // A payment on the start date is worth itself there (a generated schedule
  // has none: row 0's payment is 0).
  Currency cumulativePayments = ScheduleMoney(rows[0].Payment);
  Extended cumulativePresentValue = rows[0].Payment;
  rows[0].PresentValue = rows[0].Payment;
  rows[0].CumulativePayments = cumulativePayments.ToDouble();
  rows[0].CumulativePresentValue = rows[0].PresentValue;

  for (std::size_t k = 1; k <= n; ++k) {
    PVRow& row = rows[k];
    const Currency payment = ScheduleMoney(row.Payment);
    // Periods from the start: the row number, or days for the Actual bases.
    const std::int32_t span = actual ? row.Date - start : static_cast<std::int32_t>(k);
    Extended presentValue = 0;
    if (m_compounding == compounding::Continuous) {
      const Extended t = TequRate::YearFractionOnDate(span, m_paymentPeriod, m_rateBasis, row.Date);
      presentValue = m_pv.ContinuousPV(payment.ToExtended(), r, t);
    } else {
      const Extended e = m_rate.PeriodicRateOnDate(m_paymentPeriod, m_compounding, row.Date, m_rateBasis, r);
      presentValue = m_pv.LumpSumPV(span, m_compounding == compounding::Simple, payment.ToExtended(), e);
    }
    cumulativePayments = AddMoney(cumulativePayments, payment);
    cumulativePresentValue += presentValue;
    row.Payment = payment.ToDouble();
    row.PresentValue = static_cast<double>(presentValue);
    row.CumulativePayments = cumulativePayments.ToDouble();
    row.CumulativePresentValue = static_cast<double>(cumulativePresentValue);
  }

  const Currency totalPresentValue = ScheduleMoney(cumulativePresentValue);
  const Extended years = static_cast<Extended>(n) / TequRate::PaymentsPerYearOf(m_paymentPeriod);
  Rows = std::move(rows);
  m_totalPresentValue = totalPresentValue;
  m_totalPayments = cumulativePayments;
  m_years = years;
}

}  // namespace quandrel
