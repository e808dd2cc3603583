#pragma once

#include <functional>

#include "core/foundation/coded_error.h"
#include "core/foundation/global_types.h"
#include "core/loans/loan_exception.h"
#include "core/loans/schedule_exception.h"

namespace quandrel::testing {

// The code of the error of the given family an action raises; 0 when it
// raises none. An error of another family escapes and fails the test.
template <class Family>
int ErrorCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const Family& e) {
    return e.Code();
  }
  return 0;
}

inline int LoanErrorCode(const std::function<void()>& action) {
  return ErrorCode<ELoanException>(action);
}
inline int ScheduleErrorCode(const std::function<void()>& action) {
  return ErrorCode<EScheduleException>(action);
}

inline Currency Money(double amount) {
  return Currency::FromDouble(amount);
}

inline double D(Extended x) {
  return static_cast<double>(x);
}

// Payment-period codes (position + 1), compounding positions and methods.
inline constexpr int kMonthly = 6;
inline constexpr int kQuarterly = 8;
inline constexpr int kSemiannual = 9;
inline constexpr int kMonthlyCompounding = 6;
inline constexpr int kSemiannualCompounding = 9;
inline constexpr int kNormal = 0;
inline constexpr int kCanadian = 1;
inline constexpr int kFixedPrincipal = 2;
inline constexpr int kInterestOnly = 3;
inline constexpr int kNoInterest = 4;
inline constexpr int kRules78 = 5;

}  // namespace quandrel::testing
