#pragma once

// The Equivalent Rate calculator: a nominal or an effective annual rate and
// its equivalents at other compoundings.

#include "core/shell/calculator_model.h"

namespace quandrel {

namespace equivalent_rate_field {
inline constexpr std::string_view Nominal = "NominalAnnualRate";
inline constexpr std::string_view Effective = "EffectiveAnnualRate";
inline constexpr std::string_view Compounding = "Compounding";
inline constexpr std::string_view DaysPerYear = "DaysPerYear";
inline constexpr std::string_view DailyRate = "DailyRate";
inline constexpr std::string_view PeriodicRate = "PeriodicRate";
inline constexpr std::string_view EffectiveAnnual = "EffectiveAnnually";
inline constexpr std::string_view EffectiveSemiannual = "EffectiveSemiannually";
inline constexpr std::string_view EffectiveMonthly = "EffectiveMonthly";
inline constexpr std::string_view EffectiveDaily = "EffectiveDaily";
// Local defaults.
inline constexpr std::string_view DefaultRate = "DefaultInterestRate";
inline constexpr std::string_view DefaultCompounding = "DefaultCompounding";
inline constexpr std::string_view DefaultDaysPerYear = "DefaultDaysPerYear";
}  // namespace equivalent_rate_field

class TbufEquivalentRate : public TbufCalculator {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufEquivalentRate(const ModelServices& services);

  // A nominal rate above 0 gives the effective one; otherwise the effective
  // rate gives the nominal one. Then the daily, periodic and effective rates
  // at the other compoundings. Nothing is refused.
  void Calculate() override;
};

}  // namespace quandrel
