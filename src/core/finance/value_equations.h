#pragma once

// Present and future values of lump sums and annuities, the cents rule that
// future values are rounded by, and RoundToPlaces. Rates are periodic
// fractions; "due" is 0 for payments at the end of each period and 1 for
// payments at the beginning.

#include <cstdint>

#include "core/foundation/global_types.h"

namespace quandrel {

// The cents rule: x rounded to two decimals, a remainder of more than 0.45 of
// a cent going away from zero (exactly 0.45 does not).
Extended CentsRound(Extended x);

// x formatted with 'places' decimals, cut to at most 17 characters and parsed
// back. The cut never reaches into the whole part: a number too large to keep
// its whole part in 17 characters keeps all of it. A value that is not finite
// raises finance error 401.
Extended RoundToPlaces(int places, Extended x);

class TequPV {
 public:
  // pmt * ((1 - (1 + i)^(due - n)) / i + due) + fv / (1 + i)^n; a rate not
  // above 0 raises 407.
  static Extended AnnuityPV(std::int32_t n, int due, Extended pmt, Extended fv, Extended i);
  // fv * 2.718281828^(-(r * t)), with the ten-digit constant for e.
  static Extended ContinuousPV(Extended fv, Extended r, Extended t);
  // fv / (1 + i * n) for simple interest, fv / (1 + i)^n compound. A rate that
  // makes the divisor zero or negative raises 425.
  static Extended LumpSumPV(std::int32_t n, bool simple, Extended fv, Extended i);
};

class TequFV {
 public:
  Extended PV = 0;
  Extended FV = 0;
  Extended Interest = 0;
  std::int32_t YearDays = 0;
  std::int32_t TermDays = 0;

  // Each operation stores PV, computes FV, rounds it by the cents rule, sets
  // Interest = FV - PV and returns FV. A value too large for the screen
  // raises 427.
  Extended AnnuityFV(std::int32_t n, int due, Extended pv, Extended pmt, Extended i);
  Extended ContinuousFV(Extended pv, Extended t, Extended r);
  Extended LumpSumFV(std::int32_t n, bool simple, Extended pv, Extended i);
  Extended LumpSumFVFractional(bool simple, Extended pv, Extended t, Extended i);

  // ((1 + Interest / PV)^(YearDays / TermDays) - 1) * 100; TermDays or PV not
  // above 0 raises 422.
  Extended AnnualPercentageYield() const;

 private:
  Extended Store(Extended pv, Extended fv);
};

}  // namespace quandrel
