#include "core/loans/balloon_payment_equation.h"

#include <cmath>
#include <stdexcept>

#include "core/foundation/choice_lists.h"
#include "core/loans/schedule_exception.h"

namespace quandrel {
namespace {

constexpr int kNormal = 0;
constexpr int kCanadian = 1;
// The tolerance of every search: what the balloon must be, to the cent.
constexpr double kCent = 0.01;

Currency BalloonMoney(Extended x) {
  try {
    return Currency::FromExtended(x);
  } catch (const std::range_error&) {
    RaiseScheduleError(240);
  }
}

bool BelowCent(Currency x) {
  constexpr std::int64_t kUnitsPerCent = Currency::kUnitsPerWhole / 100;
  return x.Units() > -kUnitsPerCent && x.Units() < kUnitsPerCent;
}

// One step of a bisection: the midpoint, or nothing when the interval can no
// longer be halved (every further try would build the same schedule).
bool Midpoint(double low, double high, double& mid) {
  mid = low + (high - low) / 2;
  return mid > low && mid < high;
}

}  // namespace

int TequBalloonPmt::SetInputs(std::int32_t term, std::int32_t balloonPeriod, bool inAdvance, int compounding,
                              int paymentPeriod, Currency balloonAmount, Currency payment, double annualRate,
                              Currency amount) {
  if (!std::isfinite(annualRate)) {
    RaiseScheduleError(240);
  }
  if (term < 0 || balloonPeriod < 0 || balloonAmount < Currency() || payment < Currency() || annualRate < 0 ||
      amount < Currency()) {
    RaiseScheduleError(241);
  }
  if (paymentPeriod < 1 || paymentPeriod > 10 || compounding < compounding::Continuous ||
      compounding > compounding::Simple) {
    RaiseScheduleError(242);
  }
  const bool balloonMode = balloonAmount > Currency() || balloonPeriod > 0;
  int unknown = kNone;
  int candidates = 0;
  auto mark = [&](bool isZero, int code) {
    if (isZero) {
      unknown = code;
      ++candidates;
    }
  };
  mark(BelowCent(amount), kAmount);
  mark(balloonMode && balloonPeriod == 0, kBalloonPeriod);
  mark(!balloonMode && term == 0, kTerm);
  mark(std::fabs(annualRate) < 0.001, kRate);
  mark(BelowCent(payment), kPayment);
  mark(balloonMode && BelowCent(balloonAmount), kBalloonAmount);
  if (candidates > 1) {
    RaiseScheduleError(211);
  }
  m_calculated = false;
  m_term = term;
  m_balloonPeriod = balloonPeriod;
  m_inAdvance = inAdvance;
  m_compounding = compounding;
  m_paymentPeriod = paymentPeriod;
  m_balloonAmount = balloonAmount;
  m_payment = payment;
  m_annualRate = annualRate;
  m_amount = amount;
  m_balloonMode = balloonMode;
  if (unknown != kNone) {
    m_unknown = static_cast<std::uint8_t>(unknown);
  }
  m_loan.RateGuessPeriods = TequRate::PaymentsPerYearOf(paymentPeriod);
  return m_unknown;
}

void TequBalloonPmt::SetRateBasis(int rateBasis) {
  if (rateBasis < ratebasis::Ordinary || rateBasis > ratebasis::ActualActual) {
    RaiseScheduleError(242);
  }
  m_rateBasis = rateBasis;
  m_calculated = false;
}

void TequBalloonPmt::SetMethod(int method) {
  if (method != kNormal && method != kCanadian) {
    RaiseScheduleError(235);
  }
  m_method = method;
  m_calculated = false;
}

Extended TequBalloonPmt::PeriodicRate() {
  return m_rate.PeriodicRate(m_paymentPeriod, m_compounding, m_rateBasis, m_annualRate / 100.0);
}

void TequBalloonPmt::LoadLoan(std::int32_t term, Currency payment, Currency amount) {
  m_loan.SetInputs(term, m_inAdvance, m_method, payment, static_cast<double>(PeriodicRate()), amount);
}

bool TequBalloonPmt::Build(std::int32_t periods, double payment, double amount, double annualRate) {
  m_schedule.SetInputs(periods, m_paymentPeriod, 0.0, false, TschSimpleBaseAmort::kLeaveBalance, 0,
                       m_rateBasis, m_inAdvance, m_method, m_compounding, annualRate, payment, amount);
  try {
    m_schedule.Generate();
  } catch (const EScheduleException& e) {
    if (e.Code() != 240) {
      throw;
    }
    return false;  // the balance ran away: far more is owed than any balloon
  }
  return true;
}

double TequBalloonPmt::Needed(std::int32_t period, double amount) const {
  const double before = period >= 2 ? m_schedule.BalanceAt(period - 2) : amount;
  return before + m_schedule.InterestAt(period - 1);
}

void TequBalloonPmt::Calculate() {
  const bool solvable = m_unknown == kAmount || m_unknown == kRate || m_unknown == kPayment ||
                        (m_balloonMode && (m_unknown == kBalloonPeriod || m_unknown == kBalloonAmount));
  if (!solvable) {
    RaiseScheduleError(232);
  }
  m_totalInterest = Currency();
  // Without a balloon the loan runs its term and its last payment is the
  // regular one.
  const std::int32_t period = m_balloonMode ? m_balloonPeriod : m_term;
  const double target = m_balloonMode ? m_balloonAmount.ToDouble() : m_payment.ToDouble();
  switch (m_unknown) {
    case kBalloonAmount:
      SolveBalloonAmount();
      break;
    case kBalloonPeriod:
      SolveBalloonPeriod();
      break;
    case kPayment:
      if (m_balloonMode) {
        SolvePayment();
      } else {
        LoadLoan(m_term, Currency(), m_amount);
        m_payment = m_loan.Payment();
        m_totalInterest = m_loan.TotalInterest();
      }
      break;
    case kAmount:
      if (m_balloonMode) {
        SolveAmount(period, target);
      } else {
        LoadLoan(m_term, m_payment, Currency());
        m_amount = m_loan.Amount();
        m_totalInterest = m_loan.TotalInterest();
      }
      break;
    default:  // kRate
      if (m_balloonMode) {
        SolveRate(period, target);
      } else {
        SolvePlainRate();
      }
      break;
  }
  m_calculated = true;
}

void TequBalloonPmt::SolveBalloonAmount() {
  const double amount = m_amount.ToDouble();
  if (!Build(m_balloonPeriod, m_payment.ToDouble(), amount, m_annualRate / 100.0)) {
    RaiseScheduleError(240);
  }
  const double needed = Needed(m_balloonPeriod, amount);
  m_balloonAmount = BalloonMoney(needed);
  m_totalInterest = BalloonMoney(m_schedule.CumInterestAt(m_balloonPeriod - 1));
}

void TequBalloonPmt::SolveBalloonPeriod() {
  const double amount = m_amount.ToDouble();
  const double balloon = m_balloonAmount.ToDouble();
  LoadLoan(0, m_payment, m_amount);
  std::int32_t b = m_loan.Term();
  if (b >= 3) {
    if (!Build(b, m_payment.ToDouble(), amount, m_annualRate / 100.0)) {
      RaiseScheduleError(240);
    }
    b = std::min(b, m_schedule.LastPeriod());
    while (b >= 3 && balloon >= Needed(b, amount)) {
      --b;
    }
  }
  if (b < 3) {
    m_balloonPeriod = 0;
    m_totalInterest = Currency();
    RaiseScheduleError(230);
  }
  m_balloonPeriod = b;
  m_totalInterest = BalloonMoney(m_schedule.CumInterestAt(b - 1));
}

void TequBalloonPmt::SolvePayment() {
  const double amount = m_amount.ToDouble();
  const double balloon = m_balloonAmount.ToDouble();
  const double rate = m_annualRate / 100.0;
  LoadLoan(m_balloonPeriod, Currency(), m_amount);
  double high = m_loan.Payment().ToDouble();
  if (balloon < high) {
    RaiseScheduleError(238);
  }
  double low = 0.01;
  double mid = 0;
  for (int tries = 0; tries < kMaxTries && Midpoint(low, high, mid); ++tries) {
    if (!Build(m_balloonPeriod, mid, amount, rate)) {
      low = mid;  // far too small a payment
      continue;
    }
    const std::int32_t reached = m_schedule.LastPeriod();
    const double needed = Needed(reached, amount);
    if (reached == m_balloonPeriod && std::fabs(needed - balloon) < kCent) {
      m_payment = BalloonMoney(mid);
      m_totalInterest = BalloonMoney(m_schedule.CumInterestAt(m_balloonPeriod - 1));
      return;
    }
    // A larger payment leaves less to owe; one that repays the loan early is too large.
    if (balloon > needed || reached < m_balloonPeriod) {
      high = mid;
    } else {
      low = mid;
    }
  }
  m_payment = Currency();
  m_totalInterest = Currency();
  RaiseScheduleError(230);
}

void TequBalloonPmt::SolveAmount(std::int32_t period, double target) {
  LoadLoan(period, m_payment, Currency());
  double low = 0;
  double high = m_loan.Amount().ToDouble() + target;
  const double payment = m_payment.ToDouble();
  const double rate = m_annualRate / 100.0;
  double mid = 0;
  int tries = 0;
  while (tries < kMaxTries && Midpoint(low, high, mid)) {
    const bool built = Build(period, payment, mid, rate);
    if (built && m_schedule.LastPeriod() < period) {  // repaid early: the amount is too small
      low = mid;
      continue;
    }
    ++tries;
    if (!built) {
      high = mid;
      continue;
    }
    const double needed = Needed(period, mid);
    if (std::fabs(needed - target) < kCent) {
      m_amount = BalloonMoney(mid);
      m_totalInterest = BalloonMoney(m_schedule.CumInterestAt(period - 1));
      return;
    }
    if (target >= needed) {
      low = mid;
    } else {
      high = mid;
    }
  }
  m_amount = Currency();
  m_totalInterest = Currency();
  RaiseScheduleError(230);
}

void TequBalloonPmt::SolveRate(std::int32_t period, double target) {
  const double amount = m_amount.ToDouble();
  const double payment = m_payment.ToDouble();
  double low = 0.0001;
  double high = 2.0;
  double mid = 0;
  int tries = 0;
  while (tries < kMaxTries && Midpoint(low, high, mid)) {
    const bool built = Build(period, payment, amount, mid);
    if (built && m_schedule.LastPeriod() < period) {  // repaid early: the rate is too low
      low = mid;
      continue;
    }
    ++tries;
    if (!built) {
      high = mid;
      continue;
    }
    const double needed = Needed(period, amount);
    if (std::fabs(needed - target) < kCent) {
      m_annualRate = mid * 100.0;
      m_totalInterest = BalloonMoney(m_schedule.CumInterestAt(period - 1));
      return;
    }
    if (target >= needed) {
      low = mid;
    } else {
      high = mid;
    }
  }
  m_annualRate = 0;
  m_totalInterest = Currency();
  RaiseScheduleError(230);
}

}  // namespace quandrel

namespace quandrel {

void TequBalloonPmt::SolvePlainRate() {
  // The level payment as a function of the annual rate, unrounded: rising with
  // the rate, so a bisection over the same range as the balloon search finds
  // the rate whose payment is the one given.
  const Extended amount = m_amount.ToExtended();
  const Extended payment = m_payment.ToExtended();
  const Extended n = m_term;
  auto levelPayment = [&](double annualRate) {
    const Extended i = m_rate.PeriodicRate(m_paymentPeriod, m_compounding, m_rateBasis, annualRate);
    const Extended factor = -std::expm1(-n * std::log1p(i)) / i;  // payments in arrears
    return amount / (m_inAdvance ? factor * (1.0L + i) : factor);
  };
  double low = 0.0001;
  double high = 2.0;
  double mid = 0;
  if (levelPayment(low) > payment || levelPayment(high) < payment) {
    m_annualRate = 0;
    m_totalInterest = Currency();
    RaiseScheduleError(230);
  }
  while (Midpoint(low, high, mid)) {
    const Extended level = levelPayment(mid);
    if (std::fabs(level - payment) < 0.000001L) {
      break;
    }
    if (level < payment) {
      low = mid;
    } else {
      high = mid;
    }
  }
  m_annualRate = mid * 100.0;
  m_totalInterest = BalloonMoney(n * payment - amount);
}

}  // namespace quandrel
