#pragma once

// The Return on Investment calculator: the gain or loss between an amount
// invested and an amount returned, and its yearly rate without compounding.

#include "core/finance/roi_equation.h"
#include "core/shell/calculator_model.h"

namespace quandrel {

namespace roi_field {
inline constexpr std::string_view Invested = "AmountInvested";
inline constexpr std::string_view StartDate = "StartDate";
inline constexpr std::string_view Returned = "AmountReturned";
inline constexpr std::string_view EndDate = "EndDate";
inline constexpr std::string_view Gain = "GainOrLoss";
inline constexpr std::string_view Percentage = "PercentageGainOrLoss";
inline constexpr std::string_view Annualized = "AnnualizedROI";
inline constexpr std::string_view TotalYears = "TotalYears";
}  // namespace roi_field

class TbufROI : public TbufCalculator {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufROI(const ModelServices& services);

  // Refuses a start date not before the end date (411) and a zero amount
  // (405), in that order.
  void Calculate() override;

 private:
  TequROI m_roi;
};

}  // namespace quandrel
