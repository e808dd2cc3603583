#include "core/loans/simple_amortization.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"
#include "core/loans/loan_money.h"
#include "core/schedules/pv_schedule.h"

namespace quandrel {
namespace {

constexpr int kContinuousCompounding = 0;
constexpr int kSimpleCompounding = 11;
constexpr int kSemiannualCompounding = 9;
constexpr int kMonthlyPayments = 6;
constexpr int kLastMethod = 5;

// Balances are sums of cents held in binary; a remainder this small is the
// noise of those sums, not money. A balance at or below it is paid off, and a
// final balance of a cent less it counts as a cent.
constexpr double kBinaryNoise = 1e-7;
// Beyond this a double no longer holds cents (and Currency no longer holds the
// amount at all).
constexpr double kLargestAmount = 9e14;

bool Representable(double x) {
  return std::fabs(x) <= kLargestAmount;  // false for NaN and infinities too
}

// The basis a simple schedule prices a period under. Without dates an Actual
// basis runs its daily rate over the period's nominal days; Actual/Actual
// takes the 365-day year.
int PricingBasis(int rateBasis) {
  return rateBasis == ratebasis::ActualActual ? ratebasis::Actual365 : rateBasis;
}

bool IsActualBasis(int rateBasis) {
  return rateBasis >= ratebasis::Actual360;
}

}  // namespace

void TschSimpleBaseAmort::SetInputs(std::int32_t term, int paymentPeriod, double initialCharge, bool usRule,
                                    int adjustMode, int initialChargeMode, int rateBasis, bool inAdvance,
                                    int method, int compounding, double annualRate, double payment,
                                    double amount) {
  if (paymentPeriod < 1 || paymentPeriod > 10 || compounding < kContinuousCompounding ||
      compounding > kSimpleCompounding || rateBasis < ratebasis::Ordinary ||
      rateBasis > ratebasis::ActualActual) {
    RaiseScheduleError(242);
  }
  if (method < 0 || method > kLastMethod) {
    RaiseScheduleError(215);
  }
  if (term < 1 || term > kMaxSimpleTerm) {
    RaiseScheduleError(239);
  }
  if (!Representable(amount) || !Representable(payment) || !Representable(initialCharge) ||
      !std::isfinite(annualRate)) {
    RaiseScheduleError(240);
  }
  // Codes run from continuous (0) to annual (10): a smaller compounding code
  // compounds more often than a payment period of the same number pays.
  if (usRule && compounding < paymentPeriod) {
    RaiseScheduleError(204);
  }
  m_term = static_cast<std::int16_t>(term);
  m_paymentPeriod = paymentPeriod;
  m_initialCharge = initialCharge;
  m_usRule = usRule;
  m_adjustMode = adjustMode;
  m_initialChargeMode = initialChargeMode;
  m_rateBasis = rateBasis;
  m_inAdvance = inAdvance;
  m_method = method;
  m_compounding = compounding;
  m_annualRate = annualRate;
  m_payment = payment;
  m_amount = amount;
}

Extended TschSimpleBaseAmort::RowPeriodicRate() {
  return m_rate.PeriodicRate(m_paymentPeriod, m_compounding, PricingBasis(m_rateBasis), m_annualRate);
}

double TschSimpleBaseAmort::PeriodInterest(double balance, Extended i) {
  if (m_annualRate == 0.0 || std::fabs(balance) < 0.01) {
    return 0.0;
  }
  const int basis = PricingBasis(m_rateBasis);
  const int days = TequRate::DaysPerPeriodOf(m_paymentPeriod);
  if (m_compounding == kContinuousCompounding) {
    const Extended years = IsActualBasis(basis) ? static_cast<Extended>(days) / YearLength(basis)
                                                : TequRate::YearFraction(1, m_paymentPeriod, basis);
    m_fv.ContinuousFV(balance, years, m_annualRate);
  } else {
    if (std::fabs(i) < 0.0000001L) {
      return 0.0;
    }
    m_fv.LumpSumFV(IsActualBasis(basis) ? days : 1, m_compounding == kSimpleCompounding, balance, i);
  }
  return static_cast<double>(m_fv.Interest);
}

TAmortRow TschSimpleBaseAmort::StartRow(std::int32_t period, Extended i) const {
  TAmortRow row;
  row.Period = period;
  row.Year = static_cast<std::int16_t>(period / TequRate::PaymentsPerYearOf(m_paymentPeriod));
  row.AnnualRate = m_annualRate;
  row.PeriodicRate = i;
  return row;
}

void TschSimpleBaseAmort::Accumulate(TAmortRow& row, const TAmortRow* previous) {
  row.CumPayments = (previous ? previous->CumPayments : 0.0) + row.Payment;
  row.CumPrincipal = (previous ? previous->CumPrincipal : 0.0) + row.Principal;
  row.CumInterest = (previous ? previous->CumInterest : 0.0) + row.Interest;
  if (!Representable(row.Balance) || !Representable(row.Payment) || !Representable(row.Interest) ||
      !Representable(row.CumPayments) || !Representable(row.CumInterest) ||
      !Representable(row.CumPrincipal)) {
    RaiseScheduleError(240);
  }
}

void TschSimpleBaseAmort::CommitRows(RowList& built) {
  std::swap(Rows, built);
}

void TschSimpleBaseAmort::AdjustLastRow() {
  if (Rows.empty() || m_adjustMode == kLeaveBalance) {
    return;
  }
  TAmortRow& last = Rows.back();
  const double x = last.Balance;
  if (std::fabs(x) < 0.01 - kBinaryNoise) {
    return;
  }
  if (x < 0.0) {  // overpaid: the last payment is smaller
    last.Payment += x;
    last.Principal += x;
    last.CumPayments += x;
    last.CumPrincipal += x;
  } else if (m_adjustMode == kReduceInterest) {
    last.Interest -= x;
    last.CumInterest -= x;
    last.Principal += x;
    last.CumPrincipal += x;
  } else {
    last.Payment += x;
    last.Principal += x;
    last.CumPayments += x;
    last.CumPrincipal += x;
  }
  last.Balance = 0.0;
}

double TschSimpleBaseAmort::LastBalance() const {
  return Rows.empty() ? 0.0 : Rows.back().Balance;
}

std::int32_t TschSimpleBaseAmort::LastPeriod() const {
  return Rows.empty() ? 0 : Rows.back().Period;
}

void TschSimpleBaseAmort::Generate() {
  BuildRows();
  m_finalBalance = LastBalance();
  AdjustLastRow();
  // Read after the adjustment, so that a last interest reduced by it is in
  // the total.
  m_totalInterest = Rows.empty() ? 0.0 : Rows.back().CumInterest;
  m_lastYear = Rows.empty() ? std::int16_t{0} : Rows.back().Year;
}

const TAmortRow& TschSimpleBaseAmort::RowAt(int k, int errorCode) const {
  if (k < 0 || k > LastRowIndex()) {
    RaiseScheduleError(errorCode);
  }
  return Rows[static_cast<std::size_t>(k)];
}

double TschSimpleBaseAmort::InterestAt(int k) const {
  return RowAt(k, 201).Interest;
}
double TschSimpleBaseAmort::CumInterestAt(int k) const {
  return RowAt(k, 201).CumInterest;
}
double TschSimpleBaseAmort::CumPaymentsAt(int k) const {
  return RowAt(k, 201).CumPayments;
}
double TschSimpleBaseAmort::CumPrincipalAt(int k) const {
  return RowAt(k, 201).CumPrincipal;
}
double TschSimpleBaseAmort::BalanceAt(int k) const {
  return RowAt(k, 201).Balance;
}
double TschSimpleBaseAmort::PaymentAt(int k) const {
  return RowAt(k, 214).Payment;
}
double TschSimpleBaseAmort::PrincipalAt(int k) const {
  return RowAt(k, 214).Principal;
}

Extended TschSimpleBaseAmort::InterestPresentValue(int k) const {
  RowAt(k, 201);
  const std::size_t count = static_cast<std::size_t>(k) + 1;
  if (DiscountRate == 0.0) {
    Extended sum = 0;
    for (std::size_t j = 0; j < count; ++j) {
      sum += Currency::FromDouble(Rows[j].Interest).ToExtended();
    }
    return sum;
  }
  // One payment per row, the interest of row j falling due at the end of
  // period j + 1. The schedule is opened with a placeholder payment and each
  // row's amount is set afterwards, since an interest of zero (an advance
  // first row, the Rule of 78 opening row) is a valid amount here.
  TschPV pv;
  pv.Initialize(Today(), static_cast<std::int32_t>(count), m_rateBasis, m_compounding, m_paymentPeriod,
                DiscountRate, Currency::FromUnits(1));
  for (std::size_t j = 0; j < count; ++j) {
    pv.SetRowPayment(static_cast<int>(j) + 1, Currency::FromDouble(Rows[j].Interest));
  }
  pv.Calculate();
  return pv.TotalPresentValue().ToExtended();
}

void TschSimpleNormalAmort::BuildRows() {
  const Extended i = RowPeriodicRate();
  const bool chargeWithFirst = InitialChargeMode() == kChargeWithFirst;
  m_built.clear();
  m_built.reserve(static_cast<std::size_t>(Term()));
  // A financed initial charge is lent with the amount and bears interest.
  double balance = Amount() + (chargeWithFirst ? 0.0 : InitialCharge());
  for (std::int32_t period = 1; period <= Term(); ++period) {
    TAmortRow row = StartRow(period, i);
    row.Payment = Payment();
    if (period == 1) {
      row.LoanAdvance = Amount();
    }
    if (period > 1 || !InAdvance()) {
      row.Interest = PeriodInterest(balance, i);
    }
    if (period == 1 && chargeWithFirst) {
      row.Interest += InitialCharge();
      row.Payment += InitialCharge();
    }
    row.Principal = row.Payment - row.Interest;
    row.Balance = balance + row.Interest - row.Payment;
    Accumulate(row, m_built.empty() ? nullptr : &m_built.back());
    m_built.push_back(row);
    balance = row.Balance;
    if (balance <= kBinaryNoise) {
      break;
    }
  }
  CommitRows(m_built);
}

void TschSimpleCanadianAmort::SetInputs(std::int32_t term, int paymentPeriod, double initialCharge,
                                        bool usRule, int adjustMode, int initialChargeMode, int rateBasis,
                                        bool inAdvance, int method, int compounding, double annualRate,
                                        double payment, double amount) {
  if (compounding != kSemiannualCompounding) {
    RaiseScheduleError(202);
  }
  if (paymentPeriod != kMonthlyPayments) {
    RaiseScheduleError(203);
  }
  TschSimpleNormalAmort::SetInputs(term, paymentPeriod, initialCharge, usRule, adjustMode, initialChargeMode,
                                   rateBasis, inAdvance, method, compounding, annualRate, payment, amount);
}

void TschSimpleIntOnlyAmort::BuildRows() {
  const Extended i = RowPeriodicRate();
  m_built.clear();
  m_built.reserve(static_cast<std::size_t>(Term()));
  const double balance = Amount();
  for (std::int32_t period = 1; period <= Term(); ++period) {
    TAmortRow row = StartRow(period, i);
    row.Interest = PeriodInterest(balance, i);
    row.Payment = row.Interest;
    row.Balance = balance;
    Accumulate(row, m_built.empty() ? nullptr : &m_built.back());
    m_built.push_back(row);
  }
  CommitRows(m_built);
}

void TschSimpleFixPrinAmort::SetInputs(std::int32_t term, int paymentPeriod, double initialCharge,
                                       bool usRule, int adjustMode, int initialChargeMode, int rateBasis,
                                       bool inAdvance, int method, int compounding, double annualRate,
                                       double payment, double amount) {
  TschSimpleBaseAmort::SetInputs(term, paymentPeriod, initialCharge, usRule, adjustMode, initialChargeMode,
                                 rateBasis, inAdvance, method, compounding, annualRate, payment, amount);
  m_principalPerPeriod = static_cast<double>(RoundMoney(static_cast<Extended>(amount) / term));
}

void TschSimpleFixPrinAmort::BuildRows() {
  const Extended i = RowPeriodicRate();
  m_built.clear();
  m_built.reserve(static_cast<std::size_t>(Term()));
  double balance = Amount();
  for (std::int32_t period = 1; period <= Term(); ++period) {
    TAmortRow row = StartRow(period, i);
    row.Interest = PeriodInterest(balance, i);
    row.Principal = m_principalPerPeriod;
    row.Payment = m_principalPerPeriod + row.Interest;
    row.Balance = balance - m_principalPerPeriod;
    Accumulate(row, m_built.empty() ? nullptr : &m_built.back());
    m_built.push_back(row);
    balance = row.Balance;
    if (balance <= kBinaryNoise) {
      break;
    }
  }
  CommitRows(m_built);
}

void TschSimpleRules78Amort::BuildRows() {
  const Extended i = RowPeriodicRate();
  const Extended n = Term();
  const Extended financeCharge = n * Payment() - Amount();
  const Extended sumOfDigits = n * (n + 1) / 2;
  m_built.clear();
  m_built.reserve(static_cast<std::size_t>(Term()) + 1);
  TAmortRow opening = StartRow(0, i);
  opening.Year = 0;
  opening.Balance = Amount();
  m_built.push_back(opening);
  for (std::int32_t period = 1; period <= Term(); ++period) {
    TAmortRow row = StartRow(period, i);
    row.Year = 0;
    row.Interest = static_cast<double>((n - period + 1) * financeCharge / sumOfDigits);
    row.Payment = Payment();
    row.Principal = row.Payment - row.Interest;
    row.Balance = m_built.back().Balance + row.Interest - row.Payment;
    Accumulate(row, &m_built.back());
    m_built.push_back(row);
    if (row.Balance <= kBinaryNoise) {
      break;
    }
  }
  CommitRows(m_built);
}

}  // namespace quandrel
