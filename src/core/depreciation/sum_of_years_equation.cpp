#include "core/depreciation/sum_of_years_equation.h"

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

void TequSumOfYearsDep::SetInputs(Currency bookValue, Currency salvageValue, double life,
                                  std::int16_t businessUsePct, DayNumber inService, DepreciationRows& rows) {
  const double book = FromFixedPoint(bookValue);
  const double salvage = FromFixedPoint(salvageValue);
  CheckBookAndSalvage(life, book, salvage);
  if (businessUsePct <= 0 || businessUsePct > 100) {
    RaiseDepreciationError(305);
  }
  CheckLifeFraction(life);
  CheckScheduleYears(inService, life);
  m_bookValue = book;
  m_salvageValue = salvage;
  m_life = life;
  m_businessUsePct = businessUsePct;
  m_inService = inService;
  m_rows = &rows;
  rows.clear();
}

void TequSumOfYearsDep::Calculate() {
  if (m_rows == nullptr) {
    RaiseDepreciationError(303);
  }
  const DayMonthYear placed = DMYFromDate(m_inService);
  const int month = placed.month;
  const int n = static_cast<int>(std::ceil(m_life));
  const double share = m_businessUsePct < 100 ? m_businessUsePct / 100.0 : 1.0;
  const double depreciable = m_bookValue - m_salvageValue;
  const double sum = m_life * (m_life + 1.0) / 2.0;
  const double firstPart = (13 - month) / 12.0;
  DepreciationRows rows;
  auto add = [&](double depreciation, double book) {
    rows.push_back({std::to_string(placed.year + static_cast<int>(rows.size())), depreciation * share, book});
  };

  double weight = m_life;
  // Capped like the later years: with a half-year life the first weight is
  // more than the whole sum.
  double d = std::min(firstPart * depreciable * m_life / sum, depreciable);
  double book = m_bookValue - d;
  add(d, book);
  if (month != 1) {
    weight = m_life - firstPart + 1.0;
  }
  for (int k = 2; k <= n; ++k) {
    weight -= 1.0;
    d = depreciable * weight / sum;
    if (book - d < m_salvageValue) {
      d = book - m_salvageValue;
    }
    book -= d;
    add(d, book);
  }
  if (month != 1 && book > m_salvageValue) {
    d = book - m_salvageValue;
    book = m_salvageValue;
    add(d, book);
  }
  *m_rows = std::move(rows);
}

}  // namespace quandrel
