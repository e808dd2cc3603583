#pragma once

// The Present Value of an Amount calculator: one future sum discounted back
// over a number of days.

#include "core/shell/calculator_model.h"

namespace quandrel {

namespace pv_amount_field {
inline constexpr std::string_view FutureValue = "FutureValue";
inline constexpr std::string_view Days = "NumberOfDays";
inline constexpr std::string_view PresentDate = "PresentValueDate";
inline constexpr std::string_view FutureDate = "FutureValueDate";
inline constexpr std::string_view Rate = "AnnualDiscountRate";
inline constexpr std::string_view Compounding = "CompoundingFrequency";
inline constexpr std::string_view RateBasis = "RateBasis";
inline constexpr std::string_view PresentValue = "PresentValue";
inline constexpr std::string_view TotalYears = "TotalYears";
// Local defaults.
inline constexpr std::string_view DefaultCompounding = "DefaultCompoundingFrequency";
inline constexpr std::string_view DefaultRate = "DefaultAnnualDiscountRate";
}  // namespace pv_amount_field

// The number of days is a 16-bit count; a span of dates outside it is
// refused (finance error 428), never wrapped.
inline constexpr IntegerRange kPVAmountDaysRange{-32767, 32767};

class TbufPVAmount : public TbufCalculator {
 public:
  static const CalculatorDefinition& Definition();

  explicit TbufPVAmount(const ModelServices& services);

  // Refuses a zero future value (406) and a day count outside its range
  // (428). A zero rate or zero days give the future value itself.
  void Calculate() override;

  // Number of Days changed: above 0 the future value date becomes the
  // present value date plus the days; below 0 the present value date becomes
  // the future value date plus the days; 0 changes nothing. False, with
  // nothing changed, when the moved date would leave the calendar.
  bool DaysChanged();
  // A date field left with a valid date: the days become the future value
  // date minus the present value date. Dates too far apart for the count
  // raise 428 and leave the days as they were.
  void DateChanged();
};

}  // namespace quandrel
