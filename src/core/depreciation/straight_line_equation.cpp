#include "core/depreciation/straight_line_equation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/depreciation/depreciation_exception.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

double FromFixedPoint(Currency value) {
  return static_cast<double>(value.Units()) / 10000.0;
}

}  // namespace

void TequStraightLineDep::SetInputs(Currency bookValue, Currency salvageValue, Currency life,
                                    std::int16_t businessUsePct, DayNumber inService,
                                    DepreciationRows& rows) {
  const double book = FromFixedPoint(bookValue);
  const double salvage = FromFixedPoint(salvageValue);
  const double years = FromFixedPoint(life);
  CheckBookAndSalvage(years, book, salvage);
  if (businessUsePct <= 0 || businessUsePct > 100) {
    RaiseDepreciationError(305);
  }
  CheckLifeFraction(years);
  CheckScheduleYears(inService, years);
  m_bookValue = book;
  m_salvageValue = salvage;
  m_life = years;
  m_businessUsePct = businessUsePct;
  m_inService = inService;
  m_rows = &rows;
  rows.clear();
}

void TequStraightLineDep::Calculate() {
  if (m_rows == nullptr) {
    RaiseDepreciationError(303);
  }
  const DayMonthYear placed = DMYFromDate(m_inService);
  const int month = placed.month;
  const int n = static_cast<int>(std::ceil(m_life));
  const double share = m_businessUsePct < 100 ? m_businessUsePct / 100.0 : 1.0;
  DepreciationRows rows;
  auto add = [&](double depreciation, double book) {
    rows.push_back({std::to_string(placed.year + static_cast<int>(rows.size())), depreciation * share, book});
  };

  // A first year longer than a half-year life would otherwise take the book
  // below the salvage value.
  double d =
      std::min((13 - month) / 12.0 * (m_bookValue - m_salvageValue) / m_life, m_bookValue - m_salvageValue);
  double book = m_bookValue - d;
  add(d, book);
  for (int k = 2; k <= n; ++k) {
    const double lifeLeft = (m_life - (k - 1)) + (month - 1) / 12.0;
    d = (book - m_salvageValue) / lifeLeft;
    if (book - d < m_salvageValue) {
      d = book - m_salvageValue;
    }
    book -= d;
    add(d, book);
  }
  if (month != 1 && book != m_salvageValue) {
    d = book - m_salvageValue;
    book = m_salvageValue;
    add(d, book);
  }
  *m_rows = std::move(rows);
}

}  // namespace quandrel
