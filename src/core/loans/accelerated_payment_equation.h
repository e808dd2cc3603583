#pragma once

// TequAcceleratedPmt: the effect of paying an extra amount every period from a
// given period on. The loan is run period by period, each period's interest
// rounded to cents, and its interest is compared with that of the loan
// without the extra amount.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/foundation/global_types.h"
#include "core/loans/loan_equation.h"

namespace quandrel {

class TequAcceleratedPmt {
 public:
  // paymentPeriod 1..10, compounding 0..11, method 0..5 (701); the annual
  // rate in percent. Raises 718 for a zero amount, rate or term, 716 for a
  // zero extra amount or start period, 720 for a negative input. A failed
  // call keeps the previous inputs.
  void SetInputs(std::int32_t term, std::int32_t increaseStartPeriod, int method, bool inAdvance,
                 int compounding, int paymentPeriod, Currency extraAmount, double annualRate,
                 Currency amount);
  // 714 for the Rule of 78.
  void Calculate();

  std::int32_t PeriodsToPayOff() const { return m_periodsToPayOff; }
  Currency InterestSaved() const { return m_interestSaved; }

  // Term x payment - amount: the interest of a level-payment loan.
  static Extended BaselineInterest(std::int32_t term, Currency payment, Currency amount);

 private:
  Currency m_amount;
  std::int32_t m_term = 0;
  double m_annualRate = 0;
  std::int32_t m_increaseStartPeriod = 0;
  Currency m_extraAmount;
  int m_paymentPeriod = 6;
  int m_compounding = 6;
  bool m_inAdvance = false;
  int m_method = 0;
  int m_rateBasis = 0;

  std::int32_t m_periodsToPayOff = 0;
  Currency m_interestSaved;

  TequLoan m_loan;
  TequRate m_rate;
};

}  // namespace quandrel
