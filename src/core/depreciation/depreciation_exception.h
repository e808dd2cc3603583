#pragma once

// The depreciation error family of the MACRS, straight-line, sum-of-years and
// declining-balance equations and of the depreciation data files.

#include "core/foundation/coded_error.h"

namespace quandrel {

class EDepreciation : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// The family's table and catch-all text.
const ErrorFamily<EDepreciation>& DepreciationErrors();

// Raises EDepreciation with the fixed message of the code.
[[noreturn]] void RaiseDepreciationError(int code);

}  // namespace quandrel
