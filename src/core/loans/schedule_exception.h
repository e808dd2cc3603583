#pragma once

// The amortization schedule error family, shared by the simple schedules, the
// balloon searches and the flexible amortization engine.

#include "core/foundation/coded_error.h"

namespace quandrel {

class EScheduleException : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// The family's table and catch-all text.
const ErrorFamily<EScheduleException>& ScheduleErrors();

// Raises EScheduleException with the fixed message of the code.
[[noreturn]] void RaiseScheduleError(int code);

}  // namespace quandrel
