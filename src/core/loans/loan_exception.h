#pragma once

// The loan equation error family: the four-variable loan, the bridge loan,
// accelerated payments and the affordable house.

#include "core/foundation/coded_error.h"

namespace quandrel {

class ELoanException : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// The family's table and catch-all text.
const ErrorFamily<ELoanException>& LoanErrors();

// Raises ELoanException with the fixed message of the code.
[[noreturn]] void RaiseLoanError(int code);

}  // namespace quandrel
