#include "core/loans/loan_money.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "core/loans/loan_exception.h"

namespace quandrel {

Extended RoundMoney(Extended x) {
  if (!std::isfinite(x) || std::fabs(x) >= 1e15L || x == 0.0L) {
    return x;
  }
  // The 15 significant digits, d.dddddddddddddde±x: value = mantissa * 10^(exponent - 14).
  char text[64];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, std::fabs(x), std::chars_format::scientific, 14);
  std::int64_t mantissa = 0;
  const char* p = text;
  for (; p != written.ptr && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') {
      mantissa = mantissa * 10 + (*p - '0');
    }
  }
  // The exponent's digits end where the text ends (it is not terminated).
  int exponent = 0;
  if (p != written.ptr) {
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, written.ptr, exponent);
  }
  // Hundredths: mantissa * 10^shift.
  const int shift = exponent - 14 + 2;
  std::int64_t cents = 0;
  if (shift >= 0) {
    cents = mantissa;
    for (int k = 0; k < shift; ++k) {
      cents *= 10;
    }
  } else if (shift > -18) {
    std::int64_t divisor = 1;
    for (int k = 0; k < -shift; ++k) {
      divisor *= 10;
    }
    cents = mantissa / divisor;
    if (2 * (mantissa % divisor) >= divisor) {
      ++cents;
    }
  }
  const Extended magnitude = static_cast<Extended>(cents) / 100.0L;
  return x < 0.0L ? -magnitude : magnitude;
}

Currency RoundMoney(Currency x) {
  constexpr std::int64_t kUnitsPerCent = Currency::kUnitsPerWhole / 100;
  const std::int64_t units = x.Units();
  const std::int64_t magnitude = units < 0 ? -units : units;
  std::int64_t cents = magnitude / kUnitsPerCent;
  if (2 * (magnitude % kUnitsPerCent) >= kUnitsPerCent) {
    ++cents;
  }
  return Currency::FromUnits((units < 0 ? -cents : cents) * kUnitsPerCent);
}

Currency LoanMoney(Extended x) {
  try {
    return Currency::FromExtended(x);
  } catch (const std::range_error&) {
    RaiseLoanError(719);
  }
}

}  // namespace quandrel
