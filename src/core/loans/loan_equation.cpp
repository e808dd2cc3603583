#include "core/loans/loan_equation.h"

#include <cmath>
#include <limits>

#include "core/finance/finance_exception.h"
#include "core/loans/loan_exception.h"
#include "core/loans/loan_money.h"

namespace quandrel {
namespace {

constexpr int kNormal = 0;
constexpr int kFixedPrincipal = 2;
constexpr int kInterestOnly = 3;
constexpr int kNoInterest = 4;
constexpr int kLastMethod = 5;

void CheckMethod(int method) {
  if (method < kNormal || method > kLastMethod) {
    RaiseLoanError(701);
  }
}

// A closed form divides by the number of periods.
void CheckPeriods(std::int32_t n) {
  if (n < 0) {
    RaiseLoanError(712);
  }
  if (n == 0) {
    RaiseLoanError(718);
  }
}

bool PaysPrincipalPerPeriod(int method) {
  return method == kFixedPrincipal || method == kNoInterest;
}

// 1 - (1 + i)^-n, computed without cancelling for small rates.
Extended Discounted(Extended i, Extended n) {
  return -std::expm1(-n * std::log1p(i));
}

// (1 - (1 + i)^(1 - n)) / i, the annuity factor of the payments after the
// first in advance, kept on the money scale; n - 1 at a zero rate.
Currency AdvanceFactor(std::int32_t n, Extended i) {
  const Extended periods = n;
  return LoanMoney(i == 0.0L ? periods - 1.0L : Discounted(i, periods - 1.0L) / i);
}

Currency CentsOf(Extended x) {
  return RoundMoney(LoanMoney(x));
}

}  // namespace

int TequLoan::SetInputs(std::int32_t term, bool inAdvance, int method, Currency payment, double periodicRate,
                        Currency amount) {
  CheckMethod(method);
  if (!std::isfinite(periodicRate)) {
    RaiseLoanError(719);
  }
  const double rate = method == kNoInterest ? 0.0 : periodicRate;
  constexpr std::int64_t kCent = Currency::kUnitsPerWhole / 100;
  int unknown = kNone;
  int zeros = 0;
  auto mark = [&](bool isZero, int code) {
    if (isZero) {
      unknown = code;
      ++zeros;
    }
  };
  mark(amount.Units() > -kCent && amount.Units() < kCent, kAmount);
  mark(term == 0, kTerm);
  mark(rate == 0.0 && method != kNoInterest, kRate);
  mark(payment.Units() > -kCent && payment.Units() < kCent, kPayment);
  if (zeros > 1) {
    RaiseLoanError(708);
  }
  m_calculated = false;
  m_term = term;
  m_termReal = term;
  m_inAdvance = inAdvance;
  m_method = static_cast<std::uint8_t>(method);
  m_payment = payment;
  m_periodicRate = rate;
  m_amount = amount;
  if (unknown != kNone) {
    m_unknown = static_cast<std::uint8_t>(unknown);
  }
  return m_unknown;
}

void TequLoan::Calculate() {
  if (m_unknown == kNone || m_unknown > kPayment) {
    RaiseFinanceError(418);
  }
  if (m_unknown != kAmount && m_amount < Currency()) {
    RaiseLoanError(711);
  }
  if (m_unknown != kTerm && m_term < 0) {
    RaiseLoanError(712);
  }
  if ((m_unknown != kRate && m_periodicRate < 0.0) || (m_unknown != kPayment && m_payment < Currency())) {
    RaiseLoanError(720);
  }
  Currency amount = m_amount;
  Currency payment = m_payment;
  double rate = m_periodicRate;
  std::int32_t term = m_term;
  Extended termReal = m_term;
  switch (m_unknown) {
    case kPayment:
      payment = m_inAdvance ? PaymentInAdvance(term, m_method, rate, amount)
                            : PaymentInArrears(term, m_method, rate, amount);
      break;
    case kAmount:
      amount = m_inAdvance ? AmountInAdvance(term, m_method, rate, payment)
                           : AmountInArrears(term, m_method, rate, payment);
      break;
    case kTerm: {
      termReal = m_inAdvance ? TermInAdvance(m_method, rate, payment, amount)
                             : TermInArrears(m_method, rate, payment, amount);
      const Extended rounded = std::nearbyint(termReal);  // halves to even
      if (!(rounded >= 0.0L && rounded <= std::numeric_limits<std::int32_t>::max())) {
        RaiseLoanError(719);
      }
      term = static_cast<std::int32_t>(rounded);
      break;
    }
    default:  // kRate
      if (m_method == kNoInterest) {
        RaiseLoanError(707);
      }
      rate = SolveRate();
      break;
  }
  // Total interest over the real term, so a fractional last period counts
  // its share.
  const Extended paid = termReal * payment.ToExtended();
  Currency totalInterest;
  switch (m_method) {
    case kNoInterest:
      break;
    case kFixedPrincipal: {
      // The principal falls by the same share every period: the interest is
      // that of the average balance, (n + 1) / 2 shares in arrears and
      // (n - 1) / 2 when the first payment is made at once.
      const Extended shares = m_inAdvance ? (termReal - 1.0L) / 2.0L : (termReal + 1.0L) / 2.0L;
      totalInterest = LoanMoney(static_cast<Extended>(rate) * amount.ToExtended() * shares);
      break;
    }
    case kInterestOnly:
      totalInterest = LoanMoney(paid);
      break;
    default:
      totalInterest = LoanMoney(paid - amount.ToExtended());
      break;
  }
  m_amount = amount;
  m_payment = payment;
  m_periodicRate = rate;
  m_term = term;
  m_termReal = static_cast<double>(termReal);
  m_totalInterest = totalInterest;
  m_calculated = true;
}

void TequLoan::EnsureCalculated() {
  if (!m_calculated) {
    Calculate();
  }
}

Currency TequLoan::Amount() {
  EnsureCalculated();
  return m_amount;
}
std::int32_t TequLoan::Term() {
  EnsureCalculated();
  return m_term;
}
double TequLoan::PeriodicRate() {
  EnsureCalculated();
  return m_periodicRate;
}
Currency TequLoan::Payment() {
  EnsureCalculated();
  return m_payment;
}
Currency TequLoan::TotalInterest() {
  EnsureCalculated();
  return m_totalInterest;
}

void TequLoan::SetTerm(std::int32_t term) {
  if (term != m_term) {
    m_term = term;
    m_termReal = term;
    m_calculated = false;
  }
}

void TequLoan::SetAmount(Currency amount) {
  if (amount != m_amount) {
    m_amount = amount;
    m_calculated = false;
  }
}

Currency TequLoan::LevelPayment(std::int32_t n, double i, Currency amount) {
  if (amount < Currency()) {
    RaiseLoanError(711);
  }
  CheckPeriods(n);
  if (i < 0.0) {
    RaiseLoanError(703);
  }
  return PaymentInArrears(n, kNormal, i, amount);
}

Currency TequLoan::PaymentInArrears(std::int32_t n, int method, double i, Currency amount) {
  CheckMethod(method);
  const Extended a = amount.ToExtended();
  const Extended rate = i;
  if (method == kInterestOnly) {
    return CentsOf(a * rate);
  }
  CheckPeriods(n);
  if (PaysPrincipalPerPeriod(method) || rate == 0.0L) {
    return CentsOf(a / n);  // at a zero rate the level payment is the principal share
  }
  return CentsOf(a * rate / Discounted(rate, n));
}

Currency TequLoan::PaymentInAdvance(std::int32_t n, int method, double i, Currency amount) {
  CheckMethod(method);
  if (method == kInterestOnly) {
    return Currency();
  }
  CheckPeriods(n);
  const Extended a = amount.ToExtended();
  if (PaysPrincipalPerPeriod(method)) {
    return CentsOf(a / n);
  }
  return CentsOf(a / (AdvanceFactor(n, i).ToExtended() + 1.0L));
}

Currency TequLoan::AmountInArrears(std::int32_t n, int method, double i, Currency payment) {
  CheckMethod(method);
  const Extended p = payment.ToExtended();
  const Extended rate = i;
  switch (method) {
    case kFixedPrincipal:
      RaiseLoanError(713);
    case kInterestOnly:
      if (rate == 0.0L) {
        RaiseLoanError(718);
      }
      return LoanMoney(p / rate);
    case kNoInterest:
      return LoanMoney(n * p);
    default:
      CheckPeriods(n);
      return LoanMoney(rate == 0.0L ? n * p : p * Discounted(rate, n) / rate);
  }
}

Currency TequLoan::AmountInAdvance(std::int32_t n, int method, double i, Currency payment) {
  CheckMethod(method);
  const Extended p = payment.ToExtended();
  if (PaysPrincipalPerPeriod(method)) {
    return LoanMoney(n * p);
  }
  if (method == kInterestOnly) {
    RaiseLoanError(701);
  }
  CheckPeriods(n);
  return LoanMoney(p * (AdvanceFactor(n, i).ToExtended() + 1.0L));
}

Extended TequLoan::TermInArrears(int method, double i, Currency payment, Currency amount) {
  CheckMethod(method);
  const Extended p = payment.ToExtended();
  const Extended a = amount.ToExtended();
  const Extended rate = i;
  const Extended interest = rate * a;
  // A payment that only meets the interest leaves the balance where it was:
  // the term is as infinite as for a smaller one.
  if (p < interest || (p == interest && method != kNoInterest)) {
    RaiseLoanError(702);
  }
  switch (method) {
    case kFixedPrincipal:  // the first payment: principal share plus the first interest
      return a / (p - interest);
    case kInterestOnly:
      RaiseLoanError(702);
    case kNoInterest:
      return a / p;
    default:
      return rate == 0.0L ? a / p : -std::log1p(-interest / p) / std::log1p(rate);
  }
}

Extended TequLoan::TermInAdvance(int method, double i, Currency payment, Currency amount) {
  CheckMethod(method);
  const Extended p = payment.ToExtended();
  const Extended a = amount.ToExtended();
  const Extended rate = i;
  if (p < rate * a) {
    RaiseLoanError(702);
  }
  switch (method) {
    case kFixedPrincipal:
    case kNoInterest:
      return a / p;
    case kInterestOnly:
      RaiseLoanError(702);
    default:
      if (rate == 0.0L) {
        return a / p;
      }
      // The first payment is made at once; the rest repay a - p.
      return std::log(std::fabs(1.0L / (1.0L - rate * (a - p) / p))) / std::log1p(rate) + 1.0L;
  }
}

double TequLoan::SolveRate() {
  const Extended a = m_amount.ToExtended();
  const Extended p = m_payment.ToExtended();
  const Extended payments = static_cast<Extended>(m_term) * p;
  if (m_term <= 0) {
    RaiseLoanError(706);
  }
  // Payments that do not even return the amount need a negative rate; ones
  // that return exactly the amount, none.
  if (payments < a) {
    RaiseLoanError(703);
  }
  if (payments == a) {
    return 0.0;
  }
  const int due = m_inAdvance ? 1 : 0;
  auto futureValue = [&](Extended x) { return m_fvEquation.AnnuityFV(m_term, due, a, -p, x); };
  constexpr Extended kStep = 0.0001L;
  Extended guess = RateGuessPeriods >= 1 ? 0.1L / RateGuessPeriods : 0.1L;
  Extended next = guess;
  int counter = 0;
  try {
    while (true) {
      const Extended x = guess > -1.0L ? guess : -0.999L;
      const Extended f0 = futureValue(x);
      const Extended f1 = futureValue(x + kStep);
      next = x;
      if (f1 - f0 != 0.0L) {
        next = x - f0 * kStep / (f1 - f0);
      } else {
        counter = 100;
      }
      ++counter;
      if (!std::isfinite(next)) {
        RaiseLoanError(706);
      }
      if (std::fabs(next - x) < kStep || counter > 100) {
        break;
      }
      guess = next;
    }
  } catch (const EFinanceException&) {
    // A guess whose growth leaves the number line: no rate found.
    RaiseLoanError(706);
  }
  if (counter > 100 || next < 0.0L) {
    RaiseLoanError(706);
  }
  return static_cast<double>(next);
}

}  // namespace quandrel
