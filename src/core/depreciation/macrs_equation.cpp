#include "core/depreciation/macrs_equation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "core/depreciation/depreciation_exception.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

constexpr double kSpecialAllowanceRate = 0.3;

// Rounds to the given number of decimals through fixed-point text, the way the
// schedule's rates and allowance are defined to be rounded.
double RoundDecimals(double value, int places) {
  char buffer[400];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
  if (!std::isfinite(value) || written.ec != std::errc()) {
    RaiseDepreciationError(312);
  }
  double result = 0;
  const auto parsed = std::from_chars(buffer, written.ptr, result);
  if (parsed.ec != std::errc() || parsed.ptr != written.ptr) {
    RaiseDepreciationError(312);
  }
  return result;
}

// The straight-line share of the basis left over the life still to run. When
// a year or less is left the whole basis goes now: the plain quotient would
// deduct more than is left, or divide by zero (a half-year recovery period
// with the half-year convention) or by a negative life.
double StraightLineShare(double basisLeft, double lifeLeft) {
  return lifeLeft <= 1.0 ? basisLeft : basisLeft / lifeLeft;
}

// The rate of one straight-line year: 1 / life left, rounded to 5 decimals;
// 1 (the whole basis) when a year or less is left.
double StraightLineRate(double lifeLeft) {
  return lifeLeft <= 1.0 ? 1.0 : RoundDecimals(1.0 / lifeLeft, 5);
}

template <std::size_t Rows>
int SelectInclusion(const std::array<LeaseInclusionRow, Rows>& block, std::size_t selectable, double value,
                    InclusionAmounts& amounts) {
  // The first bound at or above the value, among the selectable rows and the
  // upper bound that follows them.
  std::size_t first = 0;
  while (first <= selectable && !(static_cast<double>(block[first][0]) >= value)) {
    ++first;
  }
  if (first == 0) {
    return 0;
  }
  if (first > selectable) {
    return static_cast<int>(std::lround(block[selectable][0]));
  }
  const LeaseInclusionRow& row = block[first - 1];
  amounts.fill(0.0);
  for (std::size_t c = 1; c <= 5; ++c) {
    amounts[c] = static_cast<double>(row[c]);
  }
  return static_cast<int>(std::lround(row[0]));
}

template <std::size_t Rows>
bool HasAmounts(const std::array<LeaseInclusionRow, Rows>& block, std::size_t selectable) {
  for (std::size_t i = 0; i < selectable; ++i) {
    for (std::size_t c = 1; c < block[i].size(); ++c) {
      if (block[i][c] != 0.0f) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

TequMACRSDep::TequMACRSDep() = default;

TequMACRSDep::TequMACRSDep(const std::filesystem::path& dataFolder) {
  if (auto tables = LoadAutoTables(dataFolder)) {
    m_tables = *tables;
    m_tablesLoaded = true;
  }
}

TequMACRSDep::TequMACRSDep(const AutoTables& tables) {
  if (AutoTablesFault(tables).empty()) {
    m_tables = tables;
    m_tablesLoaded = true;
  }
}

void TequMACRSDep::SetInputs(DayNumber inService, std::int16_t businessUsePct, DepreciationRows& rows,
                             bool qualified, bool listed, bool isAuto, bool isElectric, int convention,
                             int method, double section179, float recoveryPeriod, double cost) {
  if (!(recoveryPeriod >= 0.5f)) {
    RaiseDepreciationError(304);
  }
  if (businessUsePct < 1 || businessUsePct > 100) {
    RaiseDepreciationError(305);
  }
  // A date the calendar does not have would be compared below as if it were
  // before every threshold and give the schedule no year.
  if (!IsValidDate(inService)) {
    RaiseDepreciationError(316);
  }
  if (isElectric && inService <= DateFromDMY(5, 8, 1997)) {
    RaiseDepreciationError(310);
  }
  if (section179 > 0.0 && businessUsePct <= 50) {
    RaiseDepreciationError(313);
  }
  if (qualified && inService < DateFromDMY(12, 9, 2001)) {
    RaiseDepreciationError(314);
  }
  const DayMonthYear placed = DMYFromDate(inService);
  // The partial first year and one row per recovery year must keep four-digit
  // year labels (this also bounds the work a huge period would ask for).
  if (static_cast<double>(recoveryPeriod) > static_cast<double>(kLastScheduleYear - placed.year)) {
    RaiseDepreciationError(317);
  }
  m_inService = inService;
  m_year = placed.year;
  m_month = placed.month;
  m_businessUse = businessUsePct / 100.0;
  m_rows = &rows;
  m_qualified = qualified;
  m_listed = listed;
  m_isAuto = isAuto;
  m_isElectric = isElectric;
  m_convention = convention;
  m_method = method;
  m_section179 = section179;
  m_recoveryPeriod = recoveryPeriod;
  m_recoveryYears = static_cast<int>(std::ceil(recoveryPeriod));
  m_cost = cost;
  m_specialAllowance = 0;
  rows.clear();
}

void TequMACRSDep::Calculate() {
  if (m_rows == nullptr) {
    RaiseDepreciationError(303);
  }
  m_rows->clear();
  m_specialAllowance = 0;
  if (m_businessUse < 0.01 || m_businessUse > 1.0) {
    RaiseDepreciationError(305);
  }
  if (m_cost < m_section179) {
    RaiseDepreciationError(308);
  }
  // A negative deduction would raise the basis; a NaN or infinity would reach
  // every row.
  if (!std::isfinite(m_cost) || !std::isfinite(m_section179) || m_section179 < 0.0) {
    RaiseDepreciationError(312);
  }
  // The rows are built aside and handed over whole, so an error leaves the
  // caller's list empty rather than half filled.
  DepreciationRows rows;
  if (m_isAuto) {
    AutoSchedule(rows);
  } else {
    StandardSchedule(rows);
  }
  *m_rows = std::move(rows);
}

std::string TequMACRSDep::Label(int offset) const {
  return std::to_string(m_year + offset);
}

void TequMACRSDep::StandardSchedule(DepreciationRows& rows) {
  const int n = m_recoveryYears;
  const double period = static_cast<double>(m_recoveryPeriod);
  double basis = m_cost * m_businessUse - m_section179;
  rows.push_back({Label(0), 0.0, basis});
  if (basis < 0.0) {
    rows.front().AdjustedBasis = 0.0;
    return;
  }
  if (m_qualified) {
    m_specialAllowance = RoundDecimals(kSpecialAllowanceRate * basis, 2);
    rows.front().Depreciation = m_specialAllowance;
    basis -= m_specialAllowance;
  }
  const double factor = ConventionFactor(m_convention, m_month);

  if (m_method != depmethod::StraightLine) {
    const double rate = DecliningBalancePercent(m_method) / 100.0 * (1.0 / period);
    // No year deducts more than the basis left (a rate above 1 for a very
    // short period would otherwise).
    const double regular = std::min(basis * rate * factor, basis);
    rows.front().AdjustedBasis = basis - regular;
    rows.front().Depreciation = regular + m_specialAllowance;
    for (int i = 1; i <= n; ++i) {
      const double left = rows.back().AdjustedBasis;
      double depreciation = 0.0;
      if (i < n) {
        const double decliningBalance = left * rate;
        const double straightLine = StraightLineShare(left, 1.0 - factor + period - i);
        depreciation = std::min(straightLine >= decliningBalance ? straightLine : decliningBalance, left);
      } else {
        depreciation = left >= 1.0 ? left : 0.0;
      }
      rows.push_back({Label(i), depreciation, left - depreciation});
    }
    return;
  }

  const double roundedFactor = RoundDecimals(factor, 3);
  const double rate = RoundDecimals(1.0 / period, 5);
  const double regular = std::min(basis * rate * roundedFactor, basis);
  rows.front().AdjustedBasis = basis - regular;
  rows.front().Depreciation = regular + m_specialAllowance;
  for (int i = 1; i <= n; ++i) {
    const double left = rows.back().AdjustedBasis;
    // The life left counts from the recovery period itself, not from the
    // whole number of years: with 28 for 27.5 years every later year of
    // residential rental property would lose about 2 % of its deduction.
    // The year in which a year or less is left takes the rest of the basis.
    const double depreciation = std::min(left * StraightLineRate(period + 1.0 - i - roundedFactor), left);
    rows.push_back({Label(i), depreciation, left - depreciation});
  }
}

void TequMACRSDep::AutoSchedule(DepreciationRows& rows) {
  if (!m_tablesLoaded) {
    RaiseDepreciationError(311);
  }
  const int n = m_recoveryYears;
  const double period = static_cast<double>(m_recoveryPeriod);
  const auto row = static_cast<std::size_t>(LimitRow(m_year));
  const DepreciationLimitRow& limits =
      m_isElectric ? m_tables.ElectricLimits[row] : m_tables.PassengerLimits[row];
  const double firstYearLimit =
      m_qualified ? static_cast<double>(limits[1])
                  : static_cast<double>(m_isElectric ? m_tables.ElectricFirstYearNoBonus[row][1]
                                                     : m_tables.PassengerFirstYearNoBonus[row][1]);

  double basis = m_cost * m_businessUse - m_section179;
  // Nothing is left to deduct when the section 179 deduction already uses the
  // first year's limit. The limit that applies to this automobile is the one
  // compared: judged on the special-allowance limit, an automobile without the
  // allowance whose deduction lies between the two limits would get a
  // negative first-year depreciation.
  if (basis <= 0.0 || firstYearLimit * m_businessUse <= m_section179) {
    rows.push_back({Label(0), 0.0, 0.0});
    return;
  }
  double firstYearCap = firstYearLimit * m_businessUse - m_section179;
  if (m_qualified) {
    m_specialAllowance = RoundDecimals(kSpecialAllowanceRate * basis, 2);
    firstYearCap -= m_specialAllowance;
    basis -= m_specialAllowance;
  }

  const double factor = ConventionFactor(m_convention, m_month);
  const bool straightLine = m_method == depmethod::StraightLine;
  const double usedFactor = straightLine ? RoundDecimals(factor, 3) : factor;
  const double rate = straightLine ? RoundDecimals(1.0 / period, 5)
                                   : DecliningBalancePercent(m_method) / 100.0 * (1.0 / period);
  // When the allowance alone passes the first-year limit the cap is negative:
  // the regular amount then gives back the excess, so that the year's whole
  // deduction is the limit.
  const double regular = std::min({basis * rate * usedFactor, firstYearCap, basis});
  rows.push_back({Label(0), regular + m_specialAllowance, basis - regular});

  for (int i = 1; i <= n; ++i) {
    const double left = rows.back().AdjustedBasis;
    double amount = 0.0;
    if (straightLine) {
      amount = left * StraightLineRate(period + 1.0 - i - usedFactor);
    } else {
      const double decliningBalance = left * rate;
      const double share = StraightLineShare(left, 1.0 - factor + period - i);
      amount = share >= decliningBalance ? share : decliningBalance;
    }
    const double yearLimit = static_cast<double>(limits[static_cast<std::size_t>(std::min(i + 1, 4))]);
    const double depreciation = std::min({amount, yearLimit * m_businessUse, left});
    rows.push_back({Label(i), depreciation, left - depreciation});
  }

  // Past the recovery period the basis left goes at the later-year limit a
  // year until it is used up. The tables were checked to hold a positive
  // limit, and the number of years is bounded before any is added.
  const double laterLimit = static_cast<double>(limits[4]) * m_businessUse;
  double left = rows.back().AdjustedBasis;
  if (left > 0.0) {
    const double yearsMore = std::ceil(left / laterLimit);
    if (yearsMore > static_cast<double>(kLastScheduleYear - m_year - n - 1)) {
      RaiseDepreciationError(317);
    }
  }
  int offset = n;
  while (left > 0.0) {
    ++offset;
    const double depreciation = std::min(laterLimit, left);
    left -= depreciation;
    rows.push_back({Label(offset), depreciation, left});
  }
}

double TequMACRSDep::ConventionFactor(int convention, int month) {
  if (month < 1 || month > 12) {
    return 0.01;
  }
  switch (convention) {
    case irsconvention::HalfYear:
      return 0.5;
    case irsconvention::MidQuarter: {
      constexpr double kQuarter[] = {0.875, 0.625, 0.375, 0.125};
      return kQuarter[(month - 1) / 3];
    }
    case irsconvention::MidMonth:
      return (12.5 - month) / 12.0;
    default:
      return 0.01;
  }
}

int TequMACRSDep::LimitRow(int year) const {
  for (std::size_t i = 0; i < kLimitRows; ++i) {
    if (static_cast<double>(m_tables.PassengerLimits[i][0]) == static_cast<double>(year)) {
      return static_cast<int>(i);
    }
  }
  return static_cast<int>(kLimitRows - 1);
}

int TequMACRSDep::AutoInclusion(double fairMarketValue, InclusionAmounts& amounts) const {
  return SelectInclusion(m_tables.PassengerLease, kPassengerLeaseSelectable, fairMarketValue, amounts);
}

int TequMACRSDep::ElectricInclusion(double fairMarketValue, InclusionAmounts& amounts) const {
  return SelectInclusion(m_tables.ElectricLease, kElectricLeaseSelectable, fairMarketValue, amounts);
}

bool TequMACRSDep::HasAutoInclusionTable() const {
  return HasAmounts(m_tables.PassengerLease, kPassengerLeaseSelectable);
}

bool TequMACRSDep::HasElectricInclusionTable() const {
  return HasAmounts(m_tables.ElectricLease, kElectricLeaseSelectable);
}

double TequMACRSDep::ListedInclusion(int leaseYear, double recoveryPeriod, double pctH, double pctG,
                                     double fairMarketValue) const {
  if (leaseYear < 1) {
    RaiseDepreciationError(315);
  }
  if (!std::isfinite(recoveryPeriod) || !std::isfinite(pctH) || !std::isfinite(pctG) ||
      !std::isfinite(fairMarketValue)) {
    RaiseDepreciationError(312);
  }
  // The tables' last entry is for the twelfth lease year and every later one.
  const auto year = static_cast<std::size_t>(std::min(leaseYear, static_cast<int>(kListedLeaseYears))) - 1;
  const std::size_t propertyClass = recoveryPeriod < 7.0 ? 0 : (recoveryPeriod < 10.0 ? 1 : 2);
  return pctG / 100.0 * fairMarketValue * static_cast<double>(m_tables.ListedAmountA[propertyClass][year]) /
             100.0 +
         pctH / 100.0 * fairMarketValue * static_cast<double>(m_tables.ListedAmountB[propertyClass][year]) /
             100.0;
}

}  // namespace quandrel
