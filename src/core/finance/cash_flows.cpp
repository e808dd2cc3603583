#include "core/finance/cash_flows.h"

#include <stdexcept>

#include "core/finance/finance_exception.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/date_math.h"

namespace quandrel {
namespace {

constexpr int kPaymentPeriodCount = 10;
constexpr int kTwiceMonthlyRuleCount = 13;

}  // namespace

std::optional<std::string> TotalPeriodsProblem(std::int64_t value) {
  if (value >= 0 && value <= kMaxTotalPeriods) {
    return std::nullopt;
  }
  return std::string("'Total Periods' must be between 0 and 32,767.");
}

void TCashFlowEntries::Build(DayNumber initialDate, int frequency, std::int32_t n, int twiceMonthlyRule,
                             Amounts amounts) {
  if (const auto problem = TotalPeriodsProblem(n)) {
    throw std::out_of_range(*problem);
  }
  if (frequency < 0 || frequency >= kPaymentPeriodCount) {
    throw std::out_of_range("Payment period position " + std::to_string(frequency) + " is out of range.");
  }
  if (!IsValidDate(initialDate)) {
    throw std::out_of_range("The initial date is not a calendar date.");
  }
  if (twiceMonthlyRule < 0 || twiceMonthlyRule >= kTwiceMonthlyRuleCount) {
    twiceMonthlyRule = 0;  // a damaged setting steps by the first rule
  }
  std::vector<TCashFlowEntry> built(static_cast<std::size_t>(n));
  TcalcDateMath dates;
  dates.SetBaseDate(initialDate);
  DayNumber date = initialDate;
  // The date rules take compounding positions: the payment position plus 1.
  const int step = frequency + 1;
  for (std::int32_t k = 1; k <= n; ++k) {
    if (date != BadDate) {
      date = dates.NextDate(step, date, 0, twiceMonthlyRule);
    }
    TCashFlowEntry& entry = built[static_cast<std::size_t>(k - 1)];
    entry.number = k;
    entry.date = date;
    if (amounts == Amounts::Keep && k <= Count()) {
      entry.amount = m_entries[static_cast<std::size_t>(k - 1)].amount;
    }
  }
  m_entries = std::move(built);
  m_built = true;
}

void TCashFlowEntries::Assign(const TCashFlowList& list) {
  std::vector<TCashFlowEntry> assigned;
  assigned.reserve(list.empty() ? 0 : list.size() - 1);
  for (std::size_t k = 1; k < list.size(); ++k) {
    assigned.push_back({static_cast<std::int32_t>(k), list[k].date, list[k].amount});
  }
  m_entries = std::move(assigned);
  m_built = true;
}

void TCashFlowEntries::Discard() {
  m_entries.clear();
  m_built = false;
}

const TCashFlowEntry& TCashFlowEntries::Entry(std::int32_t k) const {
  if (k < 1 || k > Count()) {
    RaiseFinanceError(414);
  }
  return m_entries[static_cast<std::size_t>(k - 1)];
}

void TCashFlowEntries::SetAmount(std::int32_t k, double amount) {
  Entry(k);
  m_entries[static_cast<std::size_t>(k - 1)].amount = amount;
}

void TCashFlowEntries::SetDate(std::int32_t k, DayNumber date) {
  Entry(k);
  if (!IsValidDate(date)) {
    RaiseFinanceError(426);
  }
  m_entries[static_cast<std::size_t>(k - 1)].date = date;
}

void TCashFlowEntries::ClearAmounts() {
  for (TCashFlowEntry& entry : m_entries) {
    entry.amount = 0;
  }
}

std::int32_t TCashFlowEntries::EntryAt(std::int32_t row, int side) const {
  if (row < 1 || side < 0 || side > 1) {
    return 0;
  }
  const std::int64_t k = 2 * static_cast<std::int64_t>(row) - 1 + side;
  return k <= Count() ? static_cast<std::int32_t>(k) : 0;
}

TCashFlowList TCashFlowEntries::ToList(DayNumber initialDate, double initialAmount) const {
  TCashFlowList list;
  list.reserve(m_entries.size() + 1);
  list.push_back({initialDate, initialAmount});
  for (const TCashFlowEntry& entry : m_entries) {
    list.push_back({entry.date, entry.amount});
  }
  return list;
}

}  // namespace quandrel
