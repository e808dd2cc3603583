#include "core/finance/npv_irr_equations.h"

#include <gtest/gtest.h>

#include "core/finance/finance_test_support.h"

namespace quandrel {
namespace {

using testing::FinanceErrorCode;

// Expected rates below are worked by hand or by an independent bisection of
// the same sums in Python (noted beside each).

TEST(CashFlowSummary, RoundsEachAmountAndEndsTheSpanAtTheLastRealFlow) {
  const TCashFlowList list{{100, -1000}, {465, 600}, {830, 600}, {1195, 0.005}};
  const TCashFlowSummary s = SummarizeCashFlows(list);
  EXPECT_EQ(s.outflows.Units(), -10000000);
  EXPECT_EQ(s.inflows.Units(), 12000050);  // 0.005 counts as 50 ten-thousandths
  EXPECT_EQ(s.net.Units(), 2000050);
  EXPECT_DOUBLE_EQ(s.spanYears, 2.0);  // ends at day 830, not at the 0.005
}

TEST(DatedNPV, DiscountsByExactDaysOnA365DayYear) {
  EXPECT_NEAR(static_cast<double>(TequNPV::DatedNPV({{0, -1000}, {365, 1100}}, 0.1L)), 0, 1e-12);
  // 1100 / 1.1^2 = 909.0909...
  EXPECT_NEAR(static_cast<double>(TequNPV::DatedNPV({{0, -1000}, {730, 1100}}, 0.1L)), -90.909090909, 1e-8);
  EXPECT_EQ(FinanceErrorCode([] { TequNPV::DatedNPV({{10, -1000}, {9, 1100}}, 0.1L); }), 411);
  EXPECT_EQ(FinanceErrorCode([] { TequNPV::DatedNPV({{0, -1000}, {365, 1100}}, -1.0L); }), 425);
}

TEST(PeriodicNPV, FirstFlowOnePeriodAfterTheInitialAmount) {
  EXPECT_NEAR(static_cast<double>(TequNPV::PeriodicNPV({{0, -1000}, {0, 1100}}, 1.0L, 0.1L)), 0, 1e-12);
  // -100 + 60/1.1 + 60/1.21 = 4.1322314...
  EXPECT_NEAR(static_cast<double>(TequNPV::PeriodicNPV({{0, -100}, {0, 60}, {0, 60}}, 1.0L, 0.1L)),
              4.132231405, 1e-8);
}

TEST(TequNPV, CalculateKeepsTheSummaryWhenTheSumFails) {
  const TCashFlowList list{{50, -1000}, {10, 1100}};
  TequNPV npv;
  npv.SetDated(list, 0.1);
  EXPECT_EQ(FinanceErrorCode([&] { npv.Calculate(); }), 411);
  EXPECT_EQ(npv.NPV, 0);
  EXPECT_EQ(npv.TotalInflows.Units(), 11000000);
  const TCashFlowList good{{0, -1000}, {0, 1100}};
  npv.SetPeriodic(good, 1.0, 0.1);
  npv.Calculate();
  EXPECT_NEAR(static_cast<double>(npv.NPV), 0, 1e-12);
}

struct DatedCase {
  const char* name;
  TCashFlowList flows;
  double guess;
  double irr;  // percent
};

class SolveDatedCases : public ::testing::TestWithParam<DatedCase> {};

TEST_P(SolveDatedCases, FindsTheRate) {
  const DatedCase& c = GetParam();
  EXPECT_NEAR(TequIRR::SolveDated(c.flows, c.guess), c.irr, 1e-4) << c.name;
}

// The two-root series -100, +230, -132 a year apart has roots 10% and 20%
// ((230 +- 10) / 264 as discount factors); the guess decides which is found.
const TCashFlowList kTwoRoots{{0, -100}, {365, 230}, {730, -132}};

INSTANTIATE_TEST_SUITE_P(
    Rates, SolveDatedCases,
    ::testing::Values(
        DatedCase{"one year at 10%", {{0, -1000}, {365, 1100}}, 0, 10.0},
        DatedCase{"366 days: 1.1^(365/366) - 1", {{0, -1000}, {366, 1100}}, 0, 9.971358593},
        DatedCase{"guess 0 starts at 10%", kTwoRoots, 0, 10.0},
        DatedCase{"a tiny guess is replaced", kTwoRoots, 0.0005, 10.0},
        DatedCase{"guess 0.2 is used", kTwoRoots, 0.2, 20.0},
        DatedCase{"above 100%", {{0, -100}, {365, 300}}, 0, 200.0},
        DatedCase{"far above 100%", {{0, -100}, {365, 5100}}, 0, 5000.0},
        DatedCase{"near -100%", {{0, -1000}, {365, 2}}, 0, -99.8},
        // (1000 / 0.025)^(-1/2) - 1
        DatedCase{"near -100% over two years", {{0, -1000}, {730, 0.025}}, 0, -99.5},
        // roots of -950y^2 + 1000y - 100 nearest the start
        DatedCase{"last flow negative", {{0, -100}, {365, 1000}, {730, -950}}, 0, 6.29960630},
        // every secant round fails here; the bracketing finds it
        DatedCase{"rounds fail, near -99%", {{0, -100}, {221, -979}, {250, 662}}, 0, -99.3175002},
        DatedCase{"rounds fail, last flow positive", {{0, -100}, {379, -988}, {621, 483}}, 0, -67.5703617}));

TEST(SolveDated, RaisesRatherThanInventingARoot) {
  // -100 + 300y - 300y^2 stays below zero for every discount factor y.
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveDated({{0, -100}, {365, 300}, {730, -300}}, 0); }), 410);
  // a flat sum
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveDated({{0, -100}}, 0); }), 410);
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveDated({{0, -100}, {365, 0}}, 0); }), 410);
  // 1.5^365 - 1: far beyond any rate searched
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveDated({{0, -100}, {1, 150}}, 0); }), 410);
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveDated({{10, -100}, {5, 150}}, 0); }), 411);
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveDated({{0, -100}, {BadDate, 150}}, 0); }), 426);
}

TEST(TequIRR, CalculateFillsTheSummaryAndZeroesTheRateOnFailure) {
  const TCashFlowList list{{0, -1000}, {365, 1100}};
  TequIRR irr;
  irr.SetInputs(12, list, true, 1.0, 0);
  irr.Calculate();
  EXPECT_NEAR(irr.IRR, 10.0, 5e-4);
  EXPECT_DOUBLE_EQ(irr.SpanYears, 1.0);
  const TCashFlowList positive{{0, 1000}, {365, 1100}};
  irr.SetInputs(12, positive, true, 1.0, 0);
  EXPECT_EQ(FinanceErrorCode([&] { irr.Calculate(); }), 410);
  EXPECT_EQ(irr.IRR, 0);
  EXPECT_EQ(irr.NetFlow.Units(), 21000000);
}

TEST(SolveUnitPeriod, SolvesTheUnitPeriodSum) {
  // Two entries: the rate is split by the entry's own unit periods.
  // 1100 (1 + x/12)^-12 = 1000: x = 12 (1.1^(1/12) - 1).
  EXPECT_NEAR(TequIRR::SolveUnitPeriod({{-1000, 12, 0, 0, 0}, {1100, 12, 12, 0, 0}}, 6, 0), 9.568968515,
              1e-6);
  // Daily unit periods use the days: x = 365 (1.1^(1/365) - 1).
  EXPECT_NEAR(TequIRR::SolveUnitPeriod({{-1000, 365, 0, 0, 0}, {1100, 365, 0, 0, 365}}, 6, 0), 9.532262476,
              1e-6);
  // More entries: the payment index (10, annually) splits the rate.
  // -1000 + 525y + 525y^2 = 0: y = 0.967909..., x = 3.3153132%.
  EXPECT_NEAR(TequIRR::SolveUnitPeriod({{-1000, 1, 0, 0, 0}, {525, 1, 1, 0, 0}, {525, 1, 2, 0, 0}}, 10, 0),
              3.315313209, 1e-6);
  // A fraction of a unit period earns simple interest: 1050 / (1 + x/2) = 1000.
  EXPECT_NEAR(TequIRR::SolveUnitPeriod({{-1000, 1, 0, 0, 0}, {1050, 1, 0, 0.5, 0}}, 10, 0), 10.0, 1e-6);
}

TEST(SolveUnitPeriod, RefusesWhatItCannotSolve) {
  EXPECT_EQ(FinanceErrorCode([] { TequIRR::SolveUnitPeriod({}, 6, 0); }), 410);
  EXPECT_EQ(FinanceErrorCode([] {
              TequIRR::SolveUnitPeriod({{-1000, 0, 0, 0, 0}, {1100, 0, 1, 0, 0}}, 6, 0);
            }),
            410);
  EXPECT_EQ(FinanceErrorCode([] {
              TequIRR::SolveUnitPeriod({{-1000, 1, 0, 0, 0}, {500, 1, 1, 0, 0}, {500, 1, 2, 0, 0}}, 11, 0);
            }),
            410);
  // payments that never repay the advance
  EXPECT_EQ(FinanceErrorCode([] {
              TequIRR::SolveUnitPeriod({{-1000, 1, 0, 0, 0}, {-500, 1, 1, 0, 0}, {-500, 1, 2, 0, 0}}, 10, 0);
            }),
            410);
}

}  // namespace
}  // namespace quandrel
