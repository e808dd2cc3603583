#pragma once

// The schedule error family, shared by the cash-flow schedules and the
// amortization schedules.

#include "core/foundation/coded_error.h"

namespace quandrel {

class EFinCFException : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// The family's table and catch-all text.
const ErrorFamily<EFinCFException>& FinCFErrors();

// Raises EFinCFException with the fixed message of the code.
[[noreturn]] void RaiseFinCFError(int code);

}  // namespace quandrel
