#pragma once

// TequDecliningBalDep: declining-balance depreciation at an acceleration
// percentage of the straight-line rate, switching to straight line over the
// life left when that gives more, down to the salvage value.

#include <cstdint>

#include "core/depreciation/depreciation_base.h"
#include "core/foundation/global_types.h"

namespace quandrel {

class TequDecliningBalDep : public TequDepreciationBase {
 public:
  // Book and salvage value as fixed-point amounts with four decimals, the life
  // in years, the acceleration in percent (200 for double declining
  // balance). Validates (301, 302, 304, 306, then 316 and 317), stores and
  // clears the row list, which the object keeps for Calculate.
  void SetInputs(Currency bookValue, Currency salvageValue, double life, std::int16_t accelerationPct,
                 DayNumber inService, DepreciationRows& rows);

  // The rate acceleration / 100 / life applies to the book value less the
  // salvage value; from the second year the straight-line share of that
  // amount over the life left is taken when it is at least as much. A year
  // begun after January ends with a part year that reaches the salvage value.
  // Raises 303 before SetInputs.
  void Calculate();

  double BookValue() const { return m_bookValue; }
  double SalvageValue() const { return m_salvageValue; }
  double Life() const { return m_life; }
  std::int16_t AccelerationPct() const { return m_accelerationPct; }
  DayNumber InService() const { return m_inService; }

 private:
  DepreciationRows* m_rows = nullptr;
  double m_bookValue = 0;
  double m_salvageValue = 0;
  double m_life = 0;
  std::int16_t m_accelerationPct = 200;
  DayNumber m_inService = BadDate;
};

}  // namespace quandrel
