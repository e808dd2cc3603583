#pragma once

// TequSecondMortgage: the bridge loan. The second mortgage that closes the gap
// between a purchase price and the cash and first mortgage available, its
// interest-only monthly payment, and the first mortgage's level payment.
// Rates are annual percentages; terms are months.

#include <cstdint>

#include "core/finance/rate_equation.h"
#include "core/foundation/global_types.h"
#include "core/loans/loan_equation.h"

namespace quandrel {

class TequSecondMortgage {
 public:
  // Raises 708 when price, cash, first mortgage or either rate is below
  // 0.0001 in magnitude or the first term is 0, and 720 for a negative input.
  // A failed call keeps the previous inputs.
  void SetInputs(std::int32_t firstTerm, double secondRate, double firstRate, Currency firstMortgage,
                 Currency cashAvailable, Currency purchasePrice);
  // 715 when cash and first mortgage already cover the price.
  void Calculate();

  Currency FirstPayment() const { return m_firstPayment; }
  Currency SecondPayment() const { return m_secondPayment; }
  Currency BothPayments() const { return m_bothPayments; }
  Currency SecondMortgage() const { return m_secondMortgage; }

 private:
  Currency m_purchasePrice;
  Currency m_cashAvailable;
  Currency m_firstMortgage;
  std::int32_t m_firstTerm = 0;
  double m_firstRate = 0;
  double m_secondRate = 0;

  Currency m_firstPayment;
  Currency m_secondPayment;
  Currency m_bothPayments;
  Currency m_secondMortgage;

  TequLoan m_loan;
  TequRate m_rate;
};

}  // namespace quandrel
