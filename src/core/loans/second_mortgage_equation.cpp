#include "core/loans/second_mortgage_equation.h"

#include <cmath>

#include "core/loans/loan_exception.h"
#include "core/loans/loan_money.h"

namespace quandrel {
namespace {

// The bridge loan is monthly, compounded monthly, on the ordinary basis.
constexpr int kRateBasis = 0;
constexpr int kCompounding = 6;
constexpr int kPaymentPeriod = 6;

bool IsZero(Extended x) {
  return std::fabs(x) < 0.0001L;
}

}  // namespace

void TequSecondMortgage::SetInputs(std::int32_t firstTerm, double secondRate, double firstRate,
                                   Currency firstMortgage, Currency cashAvailable, Currency purchasePrice) {
  if (!std::isfinite(firstRate) || !std::isfinite(secondRate)) {
    RaiseLoanError(719);
  }
  if (IsZero(purchasePrice.ToExtended()) || IsZero(cashAvailable.ToExtended()) ||
      IsZero(firstMortgage.ToExtended()) || IsZero(firstRate) || IsZero(secondRate) || firstTerm == 0) {
    RaiseLoanError(708);
  }
  if (purchasePrice < Currency() || cashAvailable < Currency() || firstMortgage < Currency() ||
      firstRate < 0 || secondRate < 0 || firstTerm < 0) {
    RaiseLoanError(720);
  }
  m_firstTerm = firstTerm;
  m_secondRate = secondRate;
  m_firstRate = firstRate;
  m_firstMortgage = firstMortgage;
  m_cashAvailable = cashAvailable;
  m_purchasePrice = purchasePrice;
}

void TequSecondMortgage::Calculate() {
  const Extended i1 = m_rate.PeriodicRate(kPaymentPeriod, kCompounding, kRateBasis, m_firstRate / 100.0);
  const Currency firstPayment = m_loan.LevelPayment(m_firstTerm, static_cast<double>(i1), m_firstMortgage);
  const Currency secondMortgage = m_purchasePrice - m_cashAvailable - m_firstMortgage;
  if (secondMortgage <= Currency()) {
    RaiseLoanError(715);
  }
  // Interest only, and not rounded to cents.
  const Currency secondPayment =
      LoanMoney(static_cast<Extended>(m_secondRate) / 100.0L / 12.0L * secondMortgage.ToExtended());
  m_firstPayment = firstPayment;
  m_secondMortgage = secondMortgage;
  m_secondPayment = secondPayment;
  m_bothPayments = firstPayment + secondPayment;
}

}  // namespace quandrel
