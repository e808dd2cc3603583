#include "core/loans/affordable_house_equation.h"

#include <cmath>
#include <utility>

#include "core/foundation/text_format.h"
#include "core/loans/loan_exception.h"
#include "core/loans/loan_money.h"

namespace quandrel {

void TequAffordableHouse::SetInputs(std::int32_t periods, double percentOfIncome, Currency maintenance,
                                    Currency taxesAndInsurance, double annualRate, Currency cashAvailable,
                                    Currency annualIncome) {
  if (annualIncome == Currency()) {
    RaiseLoanError(717);
  }
  if (!std::isfinite(percentOfIncome) || !std::isfinite(annualRate)) {
    RaiseLoanError(719);
  }
  if (periods < 0 || percentOfIncome < 0 || maintenance < Currency() || taxesAndInsurance < Currency() ||
      annualRate < 0 || cashAvailable < Currency() || annualIncome < Currency()) {
    RaiseLoanError(720);
  }
  m_periods = periods;
  m_percentOfIncome = percentOfIncome;
  m_maintenance = maintenance;
  m_taxesAndInsurance = taxesAndInsurance;
  m_annualRate = annualRate;
  m_cashAvailable = cashAvailable;
  m_annualIncome = annualIncome;
}

void TequAffordableHouse::Calculate() {
  // Taxes, insurance and maintenance are yearly figures.
  const Extended monthly = (static_cast<Extended>(m_percentOfIncome) / 100.0L * m_annualIncome.ToExtended() -
                            m_taxesAndInsurance.ToExtended() - m_maintenance.ToExtended()) /
                           12.0L;
  const Extended r = static_cast<Extended>(m_annualRate) / 100.0L / 12.0L;
  Currency amountFinanced;
  Currency housePrice;
  Extended cashShare = 0;
  if (monthly > 0.0L) {
    const Extended periods = m_periods;
    // At a zero rate the payments repay their plain sum.
    const Extended factor = r == 0.0L ? periods : -std::expm1(-periods * std::log1p(r)) / r;
    amountFinanced = LoanMoney(factor * monthly);
    housePrice = amountFinanced + m_cashAvailable;
    if (housePrice > Currency()) {
      cashShare = m_cashAvailable.ToExtended() * 100.0L / housePrice.ToExtended();
    }
  }
  std::string text = "Available cash is " + FormatLine("%5.1f", {cashShare}, m_facts) + "% of house price.";
  m_amountFinanced = amountFinanced;
  m_housePrice = housePrice;
  m_resultText = std::move(text);
}

}  // namespace quandrel
