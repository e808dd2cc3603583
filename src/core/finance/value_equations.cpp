#include "core/finance/value_equations.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/finance/finance_exception.h"

namespace quandrel {
namespace {

// A magnitude below this counts as zero in the future-value operations.
constexpr Extended kZero = 0.0001L;
constexpr Extended kE10 = 2.718281828L;

// (1 + i)^n for a real n; a rate of -100% or less per period has none.
Extended Growth(Extended i, Extended n) {
  if (!(1.0L + i > 0.0L)) {
    RaiseFinanceError(425);
  }
  return std::pow(1.0L + i, n);
}

Extended Finite(Extended x) {
  if (!std::isfinite(x)) {
    RaiseFinanceError(427);
  }
  return x;
}

}  // namespace

Extended CentsRound(Extended x) {
  const Extended whole = std::trunc(x);
  const Extended cents = 100.0L * (x - whole);
  Extended k = std::trunc(cents);
  const Extended rest = cents - k;
  const Extended tenth = std::nearbyint(10.0L * rest);  // ties to even
  if (std::fabs(tenth) >= 5.0L) {
    k += rest < 0.0L ? -1.0L : 1.0L;
  }
  return whole + k / 100.0L;
}

Extended RoundToPlaces(int places, Extended x) {
  if (!std::isfinite(x)) {
    RaiseFinanceError(401);
  }
  constexpr std::size_t kMaxChars = 17;
  char buffer[128];
  const int precision = places < 0 ? 0 : (places > 40 ? 40 : places);
  std::to_chars_result written =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, precision);
  if (written.ec != std::errc()) {
    RaiseFinanceError(401);
  }
  std::string text(buffer, written.ptr);
  const std::size_t point = text.find('.');
  const std::size_t wholeChars = point == std::string::npos ? text.size() : point;
  text.resize(std::max(std::min(text.size(), kMaxChars), wholeChars));
  Extended result = 0;
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), result);
  if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size()) {
    RaiseFinanceError(401);
  }
  return result;
}

Extended TequPV::AnnuityPV(std::int32_t n, int due, Extended pmt, Extended fv, Extended i) {
  if (!(i > 0.0L)) {
    RaiseFinanceError(407);
  }
  const Extended periods = n;
  return Finite(pmt * ((1.0L - std::pow(1.0L + i, due - periods)) / i + due) +
                fv / std::pow(1.0L + i, periods));
}

Extended TequPV::ContinuousPV(Extended fv, Extended r, Extended t) {
  return Finite(fv * std::pow(kE10, -(r * t)));
}

Extended TequPV::LumpSumPV(std::int32_t n, bool simple, Extended fv, Extended i) {
  const Extended periods = n;
  if (simple) {
    const Extended divisor = 1.0L + i * periods;
    if (!(divisor > 0.0L)) {
      RaiseFinanceError(425);
    }
    return Finite(fv / divisor);
  }
  return Finite(fv / Growth(i, periods));
}

Extended TequFV::Store(Extended pv, Extended fv) {
  PV = pv;
  FV = CentsRound(Finite(fv));
  Interest = FV - PV;
  return FV;
}

Extended TequFV::AnnuityFV(std::int32_t n, int due, Extended pv, Extended pmt, Extended i) {
  if (n == 0) {
    return Store(pv, pv);
  }
  const Extended periods = n;
  const Extended g = Growth(i, periods);
  // (g - 1) / i, by expm1 so that a tiny rate keeps its interest; at a zero
  // rate it is the number of periods (the limit of the expression).
  const Extended annuity = i == 0.0L ? periods : std::expm1(periods * std::log1p(i)) / i;
  return Store(pv, pv * g + pmt * annuity * (1.0L + i * due));
}

Extended TequFV::ContinuousFV(Extended pv, Extended t, Extended r) {
  if (std::fabs(pv) < kZero || std::fabs(r) < kZero || std::fabs(t) < kZero) {
    return Store(pv, pv);
  }
  return Store(pv, pv * std::pow(kE10, t * r));
}

Extended TequFV::LumpSumFV(std::int32_t n, bool simple, Extended pv, Extended i) {
  if (std::fabs(pv) < 0.01L || std::fabs(i) < 0.0000001L || n == 0) {
    return Store(pv, pv);
  }
  const Extended periods = n;
  return Store(pv, simple ? pv * (1.0L + periods * i) : pv * Growth(i, periods));
}

Extended TequFV::LumpSumFVFractional(bool simple, Extended pv, Extended t, Extended i) {
  if (std::fabs(pv) < kZero || std::fabs(i) < kZero || std::fabs(t) < kZero) {
    return Store(pv, pv);
  }
  return Store(pv, simple ? pv * (1.0L + t * i) : pv * Growth(i, t));
}

Extended TequFV::AnnualPercentageYield() const {
  if (TermDays <= 0 || !(PV > 0.0L)) {
    RaiseFinanceError(422);
  }
  const Extended exponent = static_cast<Extended>(YearDays) / TermDays;
  return Finite((Growth(Interest / PV, exponent) - 1.0L) * 100.0L);
}

}  // namespace quandrel
