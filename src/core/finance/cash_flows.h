#pragma once

// Cash flows: the dated list the NPV and IRR equations discount, the
// unit-period list of the APR solver, and the numbered entries behind the
// cash-flow grid of the NPV and IRR calculators with their rebuilding rules.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/foundation/global_types.h"

namespace quandrel {

// One dated cash flow: negative for money paid out (an investment), positive
// for money received. In a data file it is a record of 16 bytes: the day
// number (int32), 4 reserved bytes (zero), the amount (double).
struct TCashFlow {
  DayNumber date = 0;
  double amount = 0;
  friend bool operator==(const TCashFlow&, const TCashFlow&) = default;
};

// Entry 0 is the initial amount at the initial date; entries 1..n are the
// periodic flows in date order. A list handed to an equation holds at least
// entry 0.
using TCashFlowList = std::vector<TCashFlow>;

inline constexpr std::size_t kCashFlowRecordSize = 16;

// One flow of the unit-period sum of the APR (prepared by the amortization
// model): the amount, the unit periods per year u, the whole unit periods t
// from the advance, the fraction f of a unit period, and the days d (used
// instead of t and f when u is 365).
struct TUnitPeriodFlow {
  double amount = 0;
  double unitsPerYear = 0;
  double wholeUnits = 0;
  double fraction = 0;
  std::int32_t days = 0;
};
// Entry 0 is the amount advanced; entries 1..n the payments.
using TUnitPeriodFlowList = std::vector<TUnitPeriodFlow>;

// One periodic cash flow of the grid: its number k (1..n), its date and its
// amount.
struct TCashFlowEntry {
  std::int32_t number = 0;
  DayNumber date = 0;
  double amount = 0;
  friend bool operator==(const TCashFlowEntry&, const TCashFlowEntry&) = default;
};

// The largest number of periodic flows: Total Periods is a 16-bit count.
inline constexpr std::int32_t kMaxTotalPeriods = 32767;

// Null when `value` is a Total Periods the calculators accept (0..32,767);
// otherwise the message that refuses it: "'Total Periods' must be between 0
// and 32,767." The field never wraps a larger value.
std::optional<std::string> TotalPeriodsProblem(std::int64_t value);

// The entries behind the grid (flows 1..n; the initial amount is not an
// entry). Dates always come from the initial date stepped by the frequency;
// a date typed by the user (exact days) lasts until the next build.
//
// The grid shows two entries per row: data row r (1-based) holds entries
// 2r-1 and 2r; with an odd n the last row holds one.
class TCashFlowEntries {
 public:
  // What a build does with the amounts that were there.
  enum class Amounts : std::uint8_t {
    Zero,  // every amount 0 (a fresh grid, or after a frequency change)
    Keep,  // entries that existed keep their amounts, new ones get 0
  };

  // Rebuilds n entries dated from `initialDate` by the payment-period list
  // position `frequency` (0 daily .. 9 annually) with no weekend rule and the
  // twice-monthly rule given (0..12, the global "Twice monthly payment days"
  // position). Entry k gets number k and the next payment date after entry
  // k-1 (entry 0 being the initial date). n outside 0..kMaxTotalPeriods, a
  // frequency outside the list or a bad initial date raise std::out_of_range
  // and change nothing; a date stepped past 31 December 3999 is BadDate.
  void Build(DayNumber initialDate, int frequency, std::int32_t n, int twiceMonthlyRule, Amounts amounts);
  // Replaces the entries with the flows 1..n of a list (entry 0 skipped),
  // numbered 1..n, dates and amounts as they stand (a loaded file).
  void Assign(const TCashFlowList& list);

  // True once the grid has been built (a later change of periods, frequency
  // or date asks before it clears amounts).
  bool Exists() const { return m_built; }
  // Forgets the entries: the next change builds afresh without asking.
  void Discard();

  std::int32_t Count() const { return static_cast<std::int32_t>(m_entries.size()); }
  std::span<const TCashFlowEntry> All() const { return m_entries; }

  // Entry k (1..n); finance error 414 outside.
  const TCashFlowEntry& Entry(std::int32_t k) const;
  void SetAmount(std::int32_t k, double amount);
  // A bad date raises finance error 426 and keeps the entry's date.
  void SetDate(std::int32_t k, DayNumber date);
  // "Clear cash flows": every amount 0, dates kept.
  void ClearAmounts();

  // Grid rows of n entries: ceil(n / 2) data rows.
  static std::int32_t DataRows(std::int32_t n) { return (n + 1) / 2; }
  // The entry shown in data row `row` (1-based), side 0 (columns 0-2) or
  // side 1 (columns 3-5); 0 when that cell is empty.
  std::int32_t EntryAt(std::int32_t row, int side) const;

  // The dated list: entry 0 (initial date, initial amount), then the entries.
  TCashFlowList ToList(DayNumber initialDate, double initialAmount) const;

 private:
  std::vector<TCashFlowEntry> m_entries;
  bool m_built = false;
};

}  // namespace quandrel
