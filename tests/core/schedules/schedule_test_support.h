#pragma once

#include <functional>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/fin_cf_exception.h"
#include "core/foundation/global_types.h"

namespace quandrel::testing {

// The code of the schedule error an action raises, or 0 when it raises none.
inline int ScheduleErrorCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const EFinCFException& e) {
    return e.Code();
  }
  return 0;
}

inline Currency Money(double amount) {
  return Currency::FromDouble(amount);
}

inline DayNumber Date(int year, int month, int day) {
  return DateFromDMY(day, month, year);
}

// Payment indices (payment position + 1) and compounding positions used below.
inline constexpr int kMonthlyPayments = 6;
inline constexpr int kDailyPayments = 1;
inline constexpr int kAnnualPayments = 10;
inline constexpr int kTwiceMonthlyPayments = 4;

}  // namespace quandrel::testing
