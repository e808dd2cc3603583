#include "core/foundation/global_types.h"

#include <cfenv>

namespace quandrel {

Currency Currency::FromExtended(Extended x) {
  const Extended scaled = x * static_cast<Extended>(kUnitsPerWhole);
  // 2^63 bounds the representable counts; nearbyint keeps the default
  // round-to-nearest-even mode.
  constexpr Extended kLimit = 9223372036854775807.0L;
  if (!std::isfinite(scaled) || std::fabs(scaled) >= kLimit) {
    throw std::range_error("Amount is out of range.");
  }
  return FromUnits(static_cast<std::int64_t>(std::nearbyint(scaled)));
}

Currency Currency::RoundedToCents() const {
  constexpr std::int64_t kUnitsPerCent = kUnitsPerWhole / 100;
  std::int64_t cents = m_units / kUnitsPerCent;  // truncated toward zero
  const std::int64_t rest = m_units % kUnitsPerCent;
  const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
  if (twice > kUnitsPerCent || (twice == kUnitsPerCent && (cents % 2) != 0)) {
    cents += (m_units < 0) ? -1 : 1;
  }
  return FromUnits(cents * kUnitsPerCent);
}

}  // namespace quandrel
