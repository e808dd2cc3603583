// The balloon searches on a 30-year monthly loan: every try rebuilds the
// 360-period schedule (for the balloon period, the full term once).

#include <benchmark/benchmark.h>

#include "core/foundation/global_types.h"
#include "core/loans/balloon_payment_equation.h"

namespace {

using quandrel::Currency;
using quandrel::TequBalloonPmt;

constexpr int kMonthly = 6;             // payment-period code
constexpr int kMonthlyCompounding = 6;  // compounding position
constexpr int kPeriod = 360;
constexpr double kRate = 6.5;
constexpr double kAmount = 200000;
constexpr double kPayment = 1000;

// The balloon owed at payment 360 by 200,000 at 6.5% paying 1,000 a month:
// found once, then searched back from it.
Currency BalloonOwed() {
  TequBalloonPmt loan;
  loan.SetInputs(0, kPeriod, false, kMonthlyCompounding, kMonthly, Currency(), Currency::FromDouble(kPayment),
                 kRate, Currency::FromDouble(kAmount));
  loan.Calculate();
  return loan.BalloonAmount();
}

void Run(benchmark::State& state, std::int32_t period, Currency balloon, double payment, double rate,
         double amount) {
  TequBalloonPmt loan;
  for (auto _ : state) {
    loan.SetInputs(0, period, false, kMonthlyCompounding, kMonthly, balloon, Currency::FromDouble(payment),
                   rate, Currency::FromDouble(amount));
    loan.Calculate();
    benchmark::DoNotOptimize(loan.TotalInterest());
  }
}

void BM_BalloonAmount(benchmark::State& state) {
  Run(state, kPeriod, Currency(), kPayment, kRate, kAmount);
}
BENCHMARK(BM_BalloonAmount)->Unit(benchmark::kMicrosecond);

void BM_BalloonPayment(benchmark::State& state) {
  Run(state, kPeriod, BalloonOwed(), 0, kRate, kAmount);
}
BENCHMARK(BM_BalloonPayment)->Unit(benchmark::kMillisecond);

void BM_BalloonLoanAmount(benchmark::State& state) {
  Run(state, kPeriod, BalloonOwed(), kPayment, kRate, 0);
}
BENCHMARK(BM_BalloonLoanAmount)->Unit(benchmark::kMillisecond);

void BM_BalloonRate(benchmark::State& state) {
  Run(state, kPeriod, BalloonOwed(), kPayment, 0, kAmount);
}
BENCHMARK(BM_BalloonRate)->Unit(benchmark::kMillisecond);

// A balloon of 100,000 on a loan paying 1,300 a month (fully repaid in about
// 26 years): the period search walks back from the full term.
void BM_BalloonPeriod(benchmark::State& state) {
  Run(state, 0, Currency::FromWhole(100000), 1300, kRate, kAmount);
}
BENCHMARK(BM_BalloonPeriod)->Unit(benchmark::kMillisecond);

}  // namespace
