// The largest annuity schedule the engine builds: daily withdrawals over the
// 99-year limit (36,135 periods), generated from its inputs and recomputed
// from edited rows.

#include <benchmark/benchmark.h>

#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"
#include "core/schedules/annuity_schedule.h"

namespace {

using quandrel::Currency;
using quandrel::TschAnnuity;

constexpr int kDailyPayments = 1;

// 1,000,000 at 5% compounded daily paying 137 a day: the interest (about
// 136.99 a day at first) never quite keeps up, so the money outlasts the
// limit and every one of the 36,135 periods is computed.
void SetDailyInputs(TschAnnuity& schedule) {
  schedule.SetInputs(quandrel::DateFromDMY(1, 1, 2024), kDailyPayments, quandrel::ratebasis::Actual365, 0,
                     quandrel::compounding::Daily, 25, 0, 5, Currency::FromWhole(-137),
                     Currency::FromWhole(1'000'000));
}

void BM_DailyAnnuityGenerate(benchmark::State& state) {
  TschAnnuity schedule;
  for (auto _ : state) {
    SetDailyInputs(schedule);
    schedule.Calculate();
    benchmark::DoNotOptimize(schedule.Rows.data());
  }
  state.counters["rows"] = static_cast<double>(schedule.Rows.size());
}
BENCHMARK(BM_DailyAnnuityGenerate)->Unit(benchmark::kMillisecond);

void BM_DailyAnnuityRecalculate(benchmark::State& state) {
  TschAnnuity schedule;
  SetDailyInputs(schedule);
  schedule.Calculate();
  TschAnnuity::RowList edited;
  schedule.CopyRowsTo(&edited);
  // A rate change half way through, as the period detail dialog makes it.
  for (std::size_t k = edited.size() / 2; k < edited.size(); ++k) {
    edited[k].Rate = 5.5;
  }
  for (auto _ : state) {
    schedule.Recalculate(edited);
    benchmark::DoNotOptimize(schedule.Rows.data());
  }
  state.counters["rows"] = static_cast<double>(schedule.Rows.size());
}
BENCHMARK(BM_DailyAnnuityRecalculate)->Unit(benchmark::kMillisecond);

}  // namespace
