#pragma once

// Net present value and internal rate of return of a list of dated cash
// flows (cash_flows.h), and the unit-period rate solver of the APR.
//
// The list belongs to the caller; an equation object keeps a pointer to it
// only from setting its inputs to computing.

#include <array>
#include <cstdint>

#include "core/finance/cash_flows.h"
#include "core/finance/power_equation.h"
#include "core/finance/rate_equation.h"
#include "core/foundation/global_types.h"

namespace quandrel {

// The solver's constants.
namespace irr_solver {
// The fixed secant step, also the convergence tolerance.
inline constexpr Extended kStep = 0.000001L;
inline constexpr int kIterationLimit = 200;
// The start values of the nine rounds; round 0 takes the caller's guess
// instead when its magnitude is at least kSmallestGuess.
inline constexpr std::array<Extended, 9> kStartGuesses{0.1L,   0.25L,  0.1L,  0.05L, 0.01L,
                                                       -0.01L, -0.05L, -0.1L, -0.25L};
inline constexpr Extended kSmallestGuess = 0.001L;
// A rate at or below -1 continues from here.
inline constexpr Extended kRateFloor = -0.999L;
// The interval the fallback searches for a sign change: (kRateFloor, kHighestRate].
inline constexpr Extended kHighestRate = 10;
}  // namespace irr_solver

// The totals of a list. Every amount is rounded to a Currency (amount *
// 10000 to the nearest integer) and added to the net sum and to the inflows
// (amount > 0) or the outflows (amount <= 0). The span runs from entry 0 to
// the last entry whose magnitude exceeds 0.01 (the last entry when none
// does), in 365-day years.
struct TCashFlowSummary {
  Currency outflows;
  Currency inflows;
  Currency net;
  double spanYears = 0;
};
// An empty list gives zeros.
TCashFlowSummary SummarizeCashFlows(const TCashFlowList& list);

class TequNPV {
 public:
  // Inputs: the exponent offset of the first periodic flow (1.0 in every
  // use) and the rate as a fraction (periodic in periodic mode, effective
  // annual in dated mode).
  double Offset = 1.0;
  double DiscountRate = 0;
  bool Dated = false;
  // Results.
  Extended NPV = 0;
  Currency TotalOutflows;
  Currency TotalInflows;
  Currency NetFlow;
  double SpanYears = 0;

  // Selects periodic or dated mode and clears the results.
  void SetPeriodic(const TCashFlowList& list, double offset, double periodicRate);
  void SetDated(const TCashFlowList& list, double annualRate);
  // Fills the summary, then the NPV. On an error the NPV is 0, the summary
  // stays filled and the error passes on. Without inputs set (or with an
  // empty list) raises std::logic_error.
  void Calculate();

  // sum of amount_k / (1 + x)^((date_k - date_0) / 365). An entry dated
  // before entry 0 raises 411; a rate of -100% or less raises 425.
  static Extended DatedNPV(const TCashFlowList& list, Extended x);
  // amount_0 + sum for k >= 1 of amount_k / (1 + i)^(k - 1 + a); a rate of
  // -100% or less raises 425.
  static Extended PeriodicNPV(const TCashFlowList& list, Extended a, Extended i);

 private:
  void ClearResults();

  const TCashFlowList* m_list = nullptr;
  TequPower m_power;
};

// The search for the rate that zeroes a sum. Round r = 0..8 starts from the
// guess (round 0, when |guess| >= 0.001; else 0.1) or from start value r,
// and iterates secant steps of fixed width h from c = max(x, -0.999) until
// a step is shorter than h (success) or 200 steps are made (the round
// fails). When every round fails, the sum is sampled on (-0.999, 10]; if it
// changes sign there, the root inside the sign change nearest the first
// round's start value is found by bracketing (bisection with secant steps)
// to within h. Which root: the one the rounds reach, when they reach one;
// otherwise the one nearest the start value. A sum without a sign change
// there (no root, or a flat sum) raises 410, never a number.
class TequIRR {
 public:
  // Inputs (payments per year, the exact-day flag and the offset are kept
  // for the caller; the dated solver does not use them).
  int PaymentsPerYear = 0;
  bool ExactDays = true;
  double Offset = 1.0;
  double Guess = 0;  // a fraction; 0 lets the solver choose
  // Results.
  double IRR = 0;  // percent
  Currency TotalOutflows;
  Currency TotalInflows;
  Currency NetFlow;
  double SpanYears = 0;

  // Stores the inputs and clears result and summary.
  void SetInputs(int paymentsPerYear, const TCashFlowList& list, bool exactDays, double offset, double guess);
  // Fills the summary, then IRR = SolveDated(list, guess). On an error the
  // IRR is 0, the summary stays filled and the error passes on. Without
  // inputs set (or with an empty list) raises std::logic_error.
  void Calculate();

  // The effective annual rate (percent, 365-day year) at which DatedNPV is
  // zero; 410 when there is none, 411 for a flow dated before entry 0.
  static double SolveDated(const TCashFlowList& list, double guess);
  // The annual rate (percent) at which the unit-period sum is zero, with
  // payment index p (1..10) splitting the rate when the list holds more than
  // two entries. 410 when there is none; an empty list, a payment index
  // outside 1..10 or a unit-period count that is not positive raise 410 too.
  static double SolveUnitPeriod(const TUnitPeriodFlowList& list, int paymentIndex, double guess);
  // The unit-period sum at annual rate x: walking from the last entry down
  // to entry 1, with c = P(p) for lists of more than two entries and c = u
  // of the entry otherwise, amount * (1 + x/c)^(-t) / (1 + f*x/c), or
  // amount * (1 + x/365)^(-d) when u (truncated) is 365; then plus entry 0.
  static Extended UnitPeriodSum(const TUnitPeriodFlowList& list, int paymentIndex, Extended x);

 private:
  void ClearResults();

  const TCashFlowList* m_list = nullptr;
  TequPower m_power;
  TequNPV m_npv;
  TequRate m_rate;
};

}  // namespace quandrel
