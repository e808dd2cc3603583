#pragma once

#include <functional>

#include "core/business/general_business_exception.h"

namespace quandrel::testing {

// The code of the general business error an action raises, or 0 when it
// raises none.
inline int BusinessErrorCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const EGeneralBusinessException& e) {
    return e.Code();
  }
  return 0;
}

}  // namespace quandrel::testing
