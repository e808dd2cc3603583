#pragma once

// The advisor error family: the input checks of the break-even,
// lease-versus-buy, refinance and loan-comparison equations and the advisor
// data files.
//
// Every class of the advisors lives in quandrel::advisor, so that an advisor
// equation and the window of the same name never meet in one scope.

#include "core/foundation/coded_error.h"

namespace quandrel::advisor {

class EAdvisorException : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// The family's table and catch-all text.
const ErrorFamily<EAdvisorException>& AdvisorErrors();

// Raises EAdvisorException with the fixed message of the code.
[[noreturn]] void RaiseAdvisorError(int code);

// Codes raised by name.
namespace advisor_error {
inline constexpr int kPriceNotAboveComponents = 122;
inline constexpr int kVersionMismatch = 124;
inline constexpr int kOutOfRange = 125;
}  // namespace advisor_error

}  // namespace quandrel::advisor
