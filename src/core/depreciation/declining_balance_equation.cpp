#include "core/depreciation/declining_balance_equation.h"

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

void TequDecliningBalDep::SetInputs(Currency bookValue, Currency salvageValue, double life,
                                    std::int16_t accelerationPct, DayNumber inService,
                                    DepreciationRows& rows) {
  const double book = FromFixedPoint(bookValue);
  const double salvage = FromFixedPoint(salvageValue);
  CheckBookAndSalvage(life, book, salvage);
  CheckLifeFraction(life);
  if (accelerationPct < 100) {
    RaiseDepreciationError(306);
  }
  CheckScheduleYears(inService, life);
  m_bookValue = book;
  m_salvageValue = salvage;
  m_life = life;
  m_accelerationPct = accelerationPct;
  m_inService = inService;
  m_rows = &rows;
  rows.clear();
}

void TequDecliningBalDep::Calculate() {
  if (m_rows == nullptr) {
    RaiseDepreciationError(303);
  }
  const DayMonthYear placed = DMYFromDate(m_inService);
  const int month = placed.month;
  const int n = static_cast<int>(std::ceil(m_life));
  const double rate = m_accelerationPct / 100.0 * (1.0 / m_life);
  DepreciationRows rows;
  auto add = [&](double depreciation, double book) {
    rows.push_back({std::to_string(placed.year + static_cast<int>(rows.size())), depreciation, book});
  };

  // A rate of more than a year's worth (a high acceleration on a short life)
  // is held to what can be deducted at all.
  double d =
      std::min((13 - month) / 12.0 * (m_bookValue - m_salvageValue) * rate, m_bookValue - m_salvageValue);
  double book = m_bookValue - d;
  add(d, book);
  for (int k = 2; k <= n; ++k) {
    const double lifeLeft = (month - 1) / 12.0 + m_life - (k - 1);
    const double left = book - m_salvageValue;
    const double straightLine = left / lifeLeft;
    const double decliningBalance = left * rate;
    d = decliningBalance <= straightLine ? straightLine : decliningBalance;
    if (d > left) {
      d = left;
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
