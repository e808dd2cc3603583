#pragma once

// The Compound/Simple Interest calculator: interest, future value, APY and
// the daily rate of an amount over a number of days.

#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/shell/calculator_model.h"

namespace quandrel {

namespace interest_field {
inline constexpr std::string_view Amount = "Amount";
inline constexpr std::string_view Days = "NumberOfDays";
inline constexpr std::string_view Rate = "AnnualRate";
inline constexpr std::string_view StartDay = "StartDay";
inline constexpr std::string_view StartDate = "StartDate";
inline constexpr std::string_view EndDay = "EndDay";
inline constexpr std::string_view EndDate = "EndDate";
inline constexpr std::string_view Compounding = "Compounding";
inline constexpr std::string_view RateBasis = "RateBasis";
inline constexpr std::string_view Interest = "InterestForTerm";
inline constexpr std::string_view FutureValue = "FutureValue";
inline constexpr std::string_view APY = "APY";
inline constexpr std::string_view DailyRate = "DailyPeriodicRate";
}  // namespace interest_field

class TbufInterest : public TbufCalculator {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufInterest(const ModelServices& services);

  void Calculate() override;

  // Number of Days changed: a count other than 0 moves the end date (or, for
  // a count below 1, the start date) that many days from the other date.
  // False, with nothing changed, when the moved date would leave the calendar.
  bool DaysChanged();
  // A date field left with a valid date: the days become end - start.
  void DateChanged();

 private:
  TequRate m_rate;
  TequFV m_fv;
};

}  // namespace quandrel
