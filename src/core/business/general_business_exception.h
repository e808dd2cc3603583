#pragma once

// The general business error family: the budget, net worth, gross profit,
// weighted average, purchasing power and order quantity equations, the
// built-in inflation rates and the data files of those calculators.

#include <string_view>

#include "core/foundation/coded_error.h"

namespace quandrel {

class EGeneralBusinessException : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// The family's table and catch-all text.
const ErrorFamily<EGeneralBusinessException>& GeneralBusinessErrors();

// Raises EGeneralBusinessException with the fixed message of the code.
[[noreturn]] void RaiseGeneralBusinessError(int code);

// Raises the code with its fixed message followed by an empty line and the
// detail (which file, which line, what was wrong).
[[noreturn]] void RaiseGeneralBusinessError(int code, std::string_view detail);

// Codes raised by name.
namespace business_error {
inline constexpr int kUnsupportedFile = 601;
inline constexpr int kPeriodSequence = 602;
inline constexpr int kStartTooEarly = 603;
inline constexpr int kTooManyUnknowns = 604;
inline constexpr int kEndTooLate = 605;
inline constexpr int kZeroCarryingCost = 606;
inline constexpr int kNegativeOrderInput = 607;
inline constexpr int kOutOfRange = 608;
inline constexpr int kInflationTableUnreadable = 609;
inline constexpr int kInflationRateOutOfRange = 610;
}  // namespace business_error

}  // namespace quandrel
