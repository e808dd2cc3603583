// Price and yield of a 30-year semiannual bond: the bond calculator's Calc
// runs one yield search (two with a call date) and a handful of prices.

#include <benchmark/benchmark.h>

#include "core/bonds/fixed_income_equation.h"
#include "core/foundation/date_arithmetic.h"

namespace {

using quandrel::DateFromDMY;
using quandrel::DayNumber;
using quandrel::Extended;
using quandrel::TequFixedIncome;

constexpr int kNasd = 0;
constexpr int kSemiannual = 9;

const DayNumber kSettlement = DateFromDMY(10, 3, 2010);
const DayNumber kMaturity = DateFromDMY(15, 2, 2040);

void BM_CleanPrice30YearSemiannual(benchmark::State& state) {
  const TequFixedIncome fi;
  Extended yield = 0.0525L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(yield);
    benchmark::DoNotOptimize(fi.CleanPrice(kSettlement, kMaturity, kNasd, kSemiannual, 100, yield, 0.045L));
  }
}
BENCHMARK(BM_CleanPrice30YearSemiannual);

void BM_YieldToMaturity30YearSemiannual(benchmark::State& state) {
  const TequFixedIncome fi;
  Extended price = 88.75L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(price);
    benchmark::DoNotOptimize(
        fi.YieldToMaturity(kSettlement, kMaturity, kNasd, kSemiannual, 100, price, 0.045L));
  }
}
BENCHMARK(BM_YieldToMaturity30YearSemiannual);

}  // namespace
