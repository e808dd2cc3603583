#pragma once

// TequAffordableHouse: the house price a buyer can afford. A share of the
// yearly income, less yearly taxes, insurance and maintenance, pays a monthly
// loan; the loan it carries plus the cash available is the price.

#include <cstdint>
#include <string>

#include "core/foundation/global_types.h"
#include "core/foundation/locale_facts.h"

namespace quandrel {

class TequAffordableHouse {
 public:
  // The result sentence writes its percentage with the locale's decimal
  // separator.
  explicit TequAffordableHouse(const LocaleFacts& facts = LocaleFacts::UnitedStates()) : m_facts(facts) {}

  // periods in months; the rate and the share of income in percent. Raises
  // 717 for a zero income and 720 for a negative input or period count. A
  // failed call keeps the previous inputs.
  void SetInputs(std::int32_t periods, double percentOfIncome, Currency maintenance,
                 Currency taxesAndInsurance, double annualRate, Currency cashAvailable,
                 Currency annualIncome);
  void Calculate();

  Currency AmountFinanced() const { return m_amountFinanced; }
  Currency HousePrice() const { return m_housePrice; }
  const std::string& ResultText() const { return m_resultText; }

 private:
  LocaleFacts m_facts;
  Currency m_annualIncome;
  Currency m_cashAvailable;
  double m_annualRate = 0;
  std::int32_t m_periods = 0;
  Currency m_taxesAndInsurance;
  Currency m_maintenance;
  double m_percentOfIncome = 0;

  Currency m_amountFinanced;
  Currency m_housePrice;
  std::string m_resultText;
};

}  // namespace quandrel
