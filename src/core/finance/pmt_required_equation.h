#pragma once

// The periodic deposit that grows to a target amount.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/foundation/global_types.h"

namespace quandrel {

class TequPmtRequired {
 public:
  Currency TargetFV;               // target future value
  Currency TotalDeposits;          // result
  std::int32_t Deposits = 0;       // number of deposits n
  double AnnualRate = 0;           // percent
  std::uint8_t PaymentPeriod = 0;  // payment index p, 1..10
  std::uint8_t Compounding = 0;    // compounding index c, 0..11
  Currency RequiredDeposit;        // result
  std::uint8_t Timing = 0;         // 0: deposits at the end of each period, 1: at the beginning
  std::uint8_t RateBasis = 0;
  float DoublingYears = 0;  // result
  float TermYears = 0;      // result
  Currency InterestEarned;  // result
  TequRate Rate;

  void SetInputs(std::int32_t n, std::uint8_t p, std::uint8_t c, double annualRatePercent, Currency targetFV);

  // Validates (407 rate, 406 target, 404 deposits, in that order) and fills
  // the results.
  void Calculate();
};

}  // namespace quandrel
