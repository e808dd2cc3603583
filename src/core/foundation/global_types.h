#pragma once

// The value types every equation, schedule and model shares: extended reals,
// Currency amounts and day numbers.

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace quandrel {

// "extended": the 80-bit x87 real on x86 Linux, where the results of the
// equations are pinned. On targets whose long double is wider (binary128 on
// AArch64 Linux) the build accepts it: results agree to far more digits than
// any cent. A target whose long double is only a double (MSVC) is refused
// unless QUANDREL_ACCEPT_DOUBLE_EXTENDED is defined, because then the last
// digits of searches and schedules can differ from the pinned values.
using Extended = long double;
#ifndef QUANDREL_ACCEPT_DOUBLE_EXTENDED
static_assert(std::numeric_limits<Extended>::digits >= 64,
              "extended must have at least the 64-bit mantissa of the x87 80-bit real");
#endif
inline constexpr bool kExtendedIsX87 = std::numeric_limits<Extended>::digits == 64;

// A date: signed 32-bit count of days, day 0 = 1 January 1600, valid through
// 31 December 3999. BadDate is what every conversion returns for an invalid
// day, month or year.
using DayNumber = std::int32_t;
inline constexpr DayNumber BadDate = -1;

// Money held as a 64-bit count of 1/10000 units. Conversions from reals are
// explicit and round to the nearest unit with ties to even, the rounding of
// the platform's currency conversion the stored values come from.
class Currency {
 public:
  static constexpr std::int64_t kUnitsPerWhole = 10000;

  constexpr Currency() = default;

  static constexpr Currency FromUnits(std::int64_t units) {
    Currency c;
    c.m_units = units;
    return c;
  }
  // Whole amounts (dollars), exact.
  static constexpr Currency FromWhole(std::int64_t whole) { return FromUnits(whole * kUnitsPerWhole); }
  // Rounds x * 10000 to the nearest integer, ties to even. A value that is not
  // finite or does not fit in 64 bits raises std::range_error.
  static Currency FromExtended(Extended x);
  static Currency FromDouble(double x) { return FromExtended(static_cast<Extended>(x)); }

  constexpr std::int64_t Units() const { return m_units; }
  constexpr Extended ToExtended() const {
    return static_cast<Extended>(m_units) / static_cast<Extended>(kUnitsPerWhole);
  }
  constexpr double ToDouble() const { return static_cast<double>(ToExtended()); }

  // Rounded to whole cents (ties to even, as the conversion).
  Currency RoundedToCents() const;

  constexpr Currency operator-() const { return FromUnits(-m_units); }
  constexpr Currency& operator+=(Currency o) {
    m_units += o.m_units;
    return *this;
  }
  constexpr Currency& operator-=(Currency o) {
    m_units -= o.m_units;
    return *this;
  }
  friend constexpr Currency operator+(Currency a, Currency b) { return FromUnits(a.m_units + b.m_units); }
  friend constexpr Currency operator-(Currency a, Currency b) { return FromUnits(a.m_units - b.m_units); }
  friend constexpr Currency operator*(Currency a, std::int64_t n) { return FromUnits(a.m_units * n); }
  friend constexpr Currency operator*(std::int64_t n, Currency a) { return FromUnits(a.m_units * n); }
  friend constexpr auto operator<=>(Currency a, Currency b) = default;

 private:
  std::int64_t m_units = 0;
};

}  // namespace quandrel
