#pragma once

// The finance error family of the time-value-of-money, cash-flow, bond and
// loan equations and of the finance data files.

#include "core/foundation/coded_error.h"

namespace quandrel {

class EFinanceException : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

const ErrorFamily<EFinanceException>& FinanceErrors();

// Raises EFinanceException with the fixed message of the code.
[[noreturn]] void RaiseFinanceError(int code);

}  // namespace quandrel
