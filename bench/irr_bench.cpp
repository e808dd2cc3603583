// The dated IRR search on long flow lists, and the rebuild of the entries
// behind the cash-flow grid at the largest Total Periods.

#include <benchmark/benchmark.h>

#include "core/finance/cash_flows.h"
#include "core/finance/npv_irr_equations.h"
#include "core/foundation/date_arithmetic.h"

namespace {

using namespace quandrel;

// An investment followed by weekly returns with a small seasonal swing.
TCashFlowList WeeklyFlows(std::int64_t count) {
  const DayNumber start = DateFromDMY(1, 1, 2000);
  TCashFlowList list{{start, -100000}};
  for (std::int64_t k = 1; k <= count; ++k) {
    list.push_back({start + static_cast<DayNumber>(7 * k), 400.0 + static_cast<double>(k % 13) * 10});
  }
  return list;
}

void BM_SolveDated(benchmark::State& state) {
  const TCashFlowList list = WeeklyFlows(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(TequIRR::SolveDated(list, 0));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SolveDated)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_DatedNPV(benchmark::State& state) {
  const TCashFlowList list = WeeklyFlows(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(TequNPV::DatedNPV(list, 0.08L));
  }
}
BENCHMARK(BM_DatedNPV)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Rebuilding 32,767 entries keeping their amounts (a change of the initial
// date), and the list Calc hands to the equations.
void BM_RebuildEntries(benchmark::State& state) {
  TCashFlowEntries entries;
  entries.Build(DateFromDMY(1, 1, 2026), 5, kMaxTotalPeriods, 0, TCashFlowEntries::Amounts::Zero);
  for (auto _ : state) {
    entries.Build(DateFromDMY(2, 1, 2026), 5, kMaxTotalPeriods, 0, TCashFlowEntries::Amounts::Keep);
    benchmark::DoNotOptimize(entries.ToList(DateFromDMY(2, 1, 2026), -1000));
  }
}
BENCHMARK(BM_RebuildEntries)->Unit(benchmark::kMillisecond);

}  // namespace
