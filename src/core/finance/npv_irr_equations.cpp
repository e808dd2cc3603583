#include "core/finance/npv_irr_equations.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/finance/finance_exception.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

constexpr Extended kDaysPerYear = 365;

// The search of the nine rounds; nothing when every round fails.
template <class Sum>
std::optional<Extended> SecantRounds(const Sum& f, Extended start) {
  using namespace irr_solver;
  for (std::size_t round = 0; round < kStartGuesses.size(); ++round) {
    Extended x = round == 0 ? start : kStartGuesses[round];
    Extended c = 0;
    int count = 0;
    do {
      c = x > -1 ? x : kRateFloor;  // NaN continues from the floor too
      const Extended f0 = f(c);
      const Extended f1 = f(c + kStep);
      const Extended slope = f1 - f0;
      if (slope != 0) {
        x = c - f0 * kStep / slope;
      } else {
        count = kIterationLimit;
      }
      ++count;
    } while (!(std::fabs(x - c) < kStep) && count <= kIterationLimit);
    if (std::fabs(x - c) < kStep && count <= kIterationLimit) {
      return x;
    }
  }
  return std::nullopt;
}

// The fallback when every round failed: the sum sampled on (-0.999, 10]
// (evenly in log(1 + x), so that rates near -100% are sampled as finely as
// large ones); the sign change nearest the start value is narrowed by
// bisection until it is shorter than the step.
template <class Sum>
std::optional<Extended> BracketedRoot(const Sum& f, Extended start) {
  using namespace irr_solver;
  constexpr int kSamples = 512;
  const Extended low = std::log1p(kRateFloor);
  const Extended high = std::log1p(kHighestRate);
  std::optional<Extended> best;
  Extended bestA = 0;
  Extended bestB = 0;
  Extended previousX = 0;
  Extended previousF = 0;
  bool havePrevious = false;
  for (int i = 0; i <= kSamples; ++i) {
    const Extended x = i == kSamples ? kHighestRate : std::expm1(low + (high - low) * i / kSamples);
    const Extended fx = f(x);
    if (!std::isfinite(fx)) {
      havePrevious = false;
      continue;
    }
    std::optional<Extended> candidate;
    Extended a = x;
    Extended b = x;
    if (fx == 0) {
      candidate = x;
    } else if (havePrevious && previousF != 0 && (previousF < 0) != (fx < 0)) {
      a = previousX;
      b = x;
      candidate = (a + b) / 2;
    }
    if (candidate && (!best || std::fabs(*candidate - start) < std::fabs(*best - start))) {
      best = candidate;
      bestA = a;
      bestB = b;
    }
    previousX = x;
    previousF = fx;
    havePrevious = true;
  }
  if (!best) {
    return std::nullopt;
  }
  Extended a = bestA;
  Extended b = bestB;
  Extended fa = f(a);
  for (int i = 0; i < 200 && b - a >= kStep; ++i) {
    const Extended m = (a + b) / 2;
    const Extended fm = f(m);
    if (fm == 0) {
      return m;
    }
    if ((fm < 0) == (fa < 0)) {
      a = m;
      fa = fm;
    } else {
      b = m;
    }
  }
  return (a + b) / 2;
}

template <class Sum>
double SolveForZero(const Sum& sum, double guess) {
  // A rate where the sum cannot be formed (a power that does not exist) is
  // no root: the search treats it as a value that is not finite.
  const auto f = [&sum](Extended x) {
    try {
      return sum(x);
    } catch (const EFinanceException&) {
      return std::numeric_limits<Extended>::quiet_NaN();
    }
  };
  const Extended start =
      std::fabs(static_cast<Extended>(guess)) >= irr_solver::kSmallestGuess && std::isfinite(guess)
          ? static_cast<Extended>(guess)
          : irr_solver::kStartGuesses[0];
  std::optional<Extended> root = SecantRounds(f, start);
  if (!root) {
    root = BracketedRoot(f, start);
  }
  if (!root || !std::isfinite(*root)) {
    RaiseFinanceError(410);
  }
  return static_cast<double>(*root * 100);
}

void CheckDates(const TCashFlowList& list) {
  if (list.empty()) {
    return;
  }
  for (const TCashFlow& flow : list) {
    if (!IsValidDate(flow.date)) {
      RaiseFinanceError(426);
    }
  }
  for (const TCashFlow& flow : list) {
    if (flow.date < list.front().date) {
      RaiseFinanceError(411);
    }
  }
}

}  // namespace

TCashFlowSummary SummarizeCashFlows(const TCashFlowList& list) {
  TCashFlowSummary summary;
  if (list.empty()) {
    return summary;
  }
  DayNumber last = list.back().date;
  bool found = false;
  for (auto it = list.rbegin(); it != list.rend() && !found; ++it) {
    if (std::fabs(it->amount) > 0.01) {
      last = it->date;
      found = true;
    }
  }
  for (const TCashFlow& flow : list) {
    const Currency amount = Currency::FromDouble(flow.amount);
    summary.net += amount;
    if (flow.amount > 0) {
      summary.inflows += amount;
    } else {
      summary.outflows += amount;
    }
  }
  summary.spanYears = static_cast<double>(last - list.front().date) / 365.0;
  return summary;
}

// ---- TequNPV ----------------------------------------------------------------

void TequNPV::ClearResults() {
  NPV = 0;
  TotalOutflows = Currency();
  TotalInflows = Currency();
  NetFlow = Currency();
  SpanYears = 0;
}

void TequNPV::SetPeriodic(const TCashFlowList& list, double offset, double periodicRate) {
  m_list = &list;
  Offset = offset;
  DiscountRate = periodicRate;
  Dated = false;
  ClearResults();
}

void TequNPV::SetDated(const TCashFlowList& list, double annualRate) {
  m_list = &list;
  DiscountRate = annualRate;
  Dated = true;
  ClearResults();
}

void TequNPV::Calculate() {
  if (m_list == nullptr || m_list->empty()) {
    throw std::logic_error("TequNPV::Calculate needs a list of at least one cash flow.");
  }
  const TCashFlowSummary summary = SummarizeCashFlows(*m_list);
  TotalOutflows = summary.outflows;
  TotalInflows = summary.inflows;
  NetFlow = summary.net;
  SpanYears = summary.spanYears;
  try {
    NPV = Dated ? DatedNPV(*m_list, DiscountRate) : PeriodicNPV(*m_list, Offset, DiscountRate);
  } catch (...) {
    NPV = 0;
    throw;
  }
  m_list = nullptr;
}

Extended TequNPV::DatedNPV(const TCashFlowList& list, Extended x) {
  CheckDates(list);
  if (!(x > -1)) {
    RaiseFinanceError(425);
  }
  Extended sum = 0;
  const Extended base = 1 + x;
  for (const TCashFlow& flow : list) {
    const Extended years = static_cast<Extended>(flow.date - list.front().date) / kDaysPerYear;
    sum += static_cast<Extended>(flow.amount) / TequPower::Power(years, base);
  }
  return sum;
}

Extended TequNPV::PeriodicNPV(const TCashFlowList& list, Extended a, Extended i) {
  if (list.empty()) {
    return 0;
  }
  if (!(i > -1)) {
    RaiseFinanceError(425);
  }
  const Extended base = 1 + i;
  Extended sum = list.front().amount;
  for (std::size_t k = 1; k < list.size(); ++k) {
    sum += static_cast<Extended>(list[k].amount) / TequPower::Power(static_cast<Extended>(k - 1) + a, base);
  }
  return sum;
}

// ---- TequIRR ----------------------------------------------------------------

void TequIRR::ClearResults() {
  IRR = 0;
  TotalOutflows = Currency();
  TotalInflows = Currency();
  NetFlow = Currency();
  SpanYears = 0;
}

void TequIRR::SetInputs(int paymentsPerYear, const TCashFlowList& list, bool exactDays, double offset,
                        double guess) {
  PaymentsPerYear = paymentsPerYear;
  m_list = &list;
  ExactDays = exactDays;
  Offset = offset;
  Guess = guess;
  ClearResults();
}

void TequIRR::Calculate() {
  if (m_list == nullptr || m_list->empty()) {
    throw std::logic_error("TequIRR::Calculate needs a list of at least one cash flow.");
  }
  const TCashFlowSummary summary = SummarizeCashFlows(*m_list);
  TotalOutflows = summary.outflows;
  TotalInflows = summary.inflows;
  NetFlow = summary.net;
  SpanYears = summary.spanYears;
  try {
    IRR = SolveDated(*m_list, Guess);
  } catch (...) {
    IRR = 0;
    throw;
  }
  m_list = nullptr;
}

double TequIRR::SolveDated(const TCashFlowList& list, double guess) {
  if (list.empty()) {
    RaiseFinanceError(410);
  }
  CheckDates(list);  // 426 and 411 before any search
  // The exponents once; the sum is evaluated many times.
  std::vector<Extended> years(list.size());
  for (std::size_t k = 0; k < list.size(); ++k) {
    years[k] = static_cast<Extended>(list[k].date - list.front().date) / kDaysPerYear;
  }
  const auto f = [&list, &years](Extended x) {
    const Extended base = 1 + x;
    Extended sum = 0;
    for (std::size_t k = 0; k < list.size(); ++k) {
      sum += static_cast<Extended>(list[k].amount) / TequPower::Power(years[k], base);
    }
    return sum;
  };
  return SolveForZero(f, guess);
}

Extended TequIRR::UnitPeriodSum(const TUnitPeriodFlowList& list, int paymentIndex, Extended x) {
  if (list.empty()) {
    RaiseFinanceError(410);
  }
  const bool byPayments = list.size() > 2;
  Extended perYear = 0;
  if (byPayments) {
    if (paymentIndex < 1 || paymentIndex > 10) {
      RaiseFinanceError(410);
    }
    perYear = TequRate::PaymentsPerYearOf(paymentIndex);
  }
  Extended sum = 0;
  for (std::size_t k = list.size() - 1; k >= 1; --k) {
    const TUnitPeriodFlow& flow = list[k];
    const Extended c = byPayments ? perYear : static_cast<Extended>(flow.unitsPerYear);
    if (std::trunc(flow.unitsPerYear) != 365) {
      if (!(c > 0)) {
        RaiseFinanceError(410);
      }
      const Extended r = x / c;
      sum += static_cast<Extended>(flow.amount) *
             TequPower::Power(-static_cast<Extended>(flow.wholeUnits), 1 + r) /
             (1 + static_cast<Extended>(flow.fraction) * r);
    } else {
      sum += static_cast<Extended>(flow.amount) *
             TequPower::Power(-static_cast<Extended>(flow.days), 1 + x / 365);
    }
  }
  return sum + static_cast<Extended>(list.front().amount);
}

double TequIRR::SolveUnitPeriod(const TUnitPeriodFlowList& list, int paymentIndex, double guess) {
  UnitPeriodSum(list, paymentIndex, 0);  // refuses a list it cannot sum
  const auto f = [&list, paymentIndex](Extended x) { return UnitPeriodSum(list, paymentIndex, x); };
  return SolveForZero(f, guess);
}

}  // namespace quandrel
