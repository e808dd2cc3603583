#pragma once

#include <functional>

#include "core/finance/finance_exception.h"

namespace quandrel::testing {

// The code of the finance error an action raises, or 0 when it raises none.
inline int FinanceErrorCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const EFinanceException& e) {
    return e.Code();
  }
  return 0;
}

}  // namespace quandrel::testing
