#pragma once

// TequStraightLineDep: straight-line depreciation from the month placed in
// service, down to the salvage value, with an optional business-use share.

#include <cstdint>

#include "core/depreciation/depreciation_base.h"
#include "core/foundation/global_types.h"

namespace quandrel {

class TequStraightLineDep : public TequDepreciationBase {
 public:
  // Book value, salvage value and life come as fixed-point amounts with four
  // decimals. Validates (301, 302, 305, 304, then 316 and 317), stores and
  // clears the row list, which the object keeps for Calculate.
  void SetInputs(Currency bookValue, Currency salvageValue, Currency life, std::int16_t businessUsePct,
                 DayNumber inService, DepreciationRows& rows);

  // One row per year: the first from the month placed in service, then a full
  // year's share of what is left over the life still to run; a year begun
  // after January ends with a part year that reaches the salvage value. The
  // adjusted basis is the full book value; the depreciation shown is the
  // business-use share. Raises 303 before SetInputs.
  void Calculate();

  double BookValue() const { return m_bookValue; }
  double SalvageValue() const { return m_salvageValue; }
  double Life() const { return m_life; }
  std::int16_t BusinessUsePct() const { return m_businessUsePct; }
  DayNumber InService() const { return m_inService; }

 private:
  DepreciationRows* m_rows = nullptr;
  double m_bookValue = 0;
  double m_salvageValue = 0;
  double m_life = 0;
  std::int16_t m_businessUsePct = 100;
  DayNumber m_inService = BadDate;
};

}  // namespace quandrel
