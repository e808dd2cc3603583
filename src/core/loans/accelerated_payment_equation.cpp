#include "core/loans/accelerated_payment_equation.h"

#include <cmath>

#include "core/loans/loan_exception.h"
#include "core/loans/loan_money.h"

namespace quandrel {
namespace {

constexpr int kFixedPrincipal = 2;
constexpr int kInterestOnly = 3;
constexpr int kNoInterest = 4;
constexpr int kRules78 = 5;

bool IsZero(Extended x) {
  return std::fabs(x) < 0.0001L;
}

}  // namespace

void TequAcceleratedPmt::SetInputs(std::int32_t term, std::int32_t increaseStartPeriod, int method,
                                   bool inAdvance, int compounding, int paymentPeriod, Currency extraAmount,
                                   double annualRate, Currency amount) {
  if (method < 0 || method > kRules78) {
    RaiseLoanError(701);
  }
  if (!std::isfinite(annualRate)) {
    RaiseLoanError(719);
  }
  if (IsZero(amount.ToExtended()) || IsZero(annualRate) || term == 0) {
    RaiseLoanError(718);
  }
  if (IsZero(extraAmount.ToExtended()) || increaseStartPeriod == 0) {
    RaiseLoanError(716);
  }
  if (amount < Currency() || annualRate < 0 || term < 0 || extraAmount < Currency() ||
      increaseStartPeriod < 0) {
    RaiseLoanError(720);
  }
  // The choice positions are checked by the rate conversion's tables.
  TequRate().PeriodicRate(paymentPeriod, compounding, m_rateBasis, 0.0L);
  m_term = term;
  m_increaseStartPeriod = increaseStartPeriod;
  m_method = method;
  m_inAdvance = inAdvance;
  m_compounding = compounding;
  m_paymentPeriod = paymentPeriod;
  m_extraAmount = extraAmount;
  m_annualRate = annualRate;
  m_amount = amount;
}

Extended TequAcceleratedPmt::BaselineInterest(std::int32_t term, Currency payment, Currency amount) {
  return static_cast<Extended>(term) * payment.ToExtended() - amount.ToExtended();
}

void TequAcceleratedPmt::Calculate() {
  if (m_method == kRules78) {
    RaiseLoanError(714);
  }
  const Extended i = m_rate.PeriodicRate(m_paymentPeriod, m_compounding, m_rateBasis, m_annualRate / 100.0);
  const Extended amount = m_amount.ToExtended();
  const Extended extra = m_extraAmount.ToExtended();
  const std::int32_t n = m_term;
  auto extraFor = [&](std::int32_t period) { return period >= m_increaseStartPeriod ? extra : 0.0L; };
  auto interestOn = [&](Extended balance) { return RoundMoney(i * balance); };

  Extended balance = amount;
  std::int32_t k = 0;
  Extended baseline = 0;
  Extended accelerated = 0;

  if (m_method == kNoInterest) {
    const Extended share = amount / n;
    while (balance > 0.0L && k < n) {
      ++k;
      balance -= share + extraFor(k);
    }
  } else if (m_method == kFixedPrincipal) {
    const Extended share = amount / n;
    for (Extended b = m_inAdvance ? amount - share : amount; b > 0.1L; b -= share) {
      baseline += interestOn(b);
    }
    if (m_inAdvance) {  // the payment at the start counts as period 1
      k = 1;
      balance = amount - share - extraFor(1);
    }
    while (balance > 0.0L && k < n) {
      ++k;
      accelerated += interestOn(balance);
      balance -= share + extraFor(k);
    }
  } else {
    // Level payments (Normal, Canadian) or interest only. The payment at the
    // start of an advance loan is period 1: the level payment in advance, or
    // for interest only nothing, since no interest has accrued yet; an extra
    // amount due from period 1 is paid with it.
    Currency payment;
    if (m_method == kInterestOnly) {
      payment = LoanMoney(RoundMoney(amount * i));
      baseline = (m_inAdvance ? n - 1 : n) * payment.ToExtended();
    } else {
      payment = m_inAdvance ? TequLoan::PaymentInAdvance(n, m_method, static_cast<double>(i), m_amount)
                            : TequLoan::PaymentInArrears(n, m_method, static_cast<double>(i), m_amount);
      baseline = BaselineInterest(n, payment, m_amount);
    }
    const Extended t = payment.ToExtended();
    if (m_inAdvance) {
      k = 1;
      balance = amount - (m_method == kInterestOnly ? 0.0L : t) - extraFor(1);
    }
    while (balance > 0.0L && k < n) {
      ++k;
      const Extended interest = interestOn(balance);
      balance += interest - t - extraFor(k);
      accelerated += interest;
    }
  }
  const Currency saved = m_method == kNoInterest ? Currency() : LoanMoney(baseline - accelerated);
  m_periodsToPayOff = k;
  m_interestSaved = saved;
}

}  // namespace quandrel
