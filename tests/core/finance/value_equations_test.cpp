#include "core/finance/value_equations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/finance/finance_test_support.h"

namespace quandrel {
namespace {

using testing::FinanceErrorCode;

double D(Extended x) {
  return static_cast<double>(x);
}

TEST(CentsRule, MoreThanFortyFiveHundredthsOfACentRoundsAwayFromZero) {
  struct Case {
    double value;  // windows hand the equations doubles
    double expected;
  };
  const Case cases[] = {
      {1.0046, 1.01},   {1.0045, 1.00},   {-1.0046, -1.01}, {-1.0045, -1.00},        {1.0044, 1.00},
      {2.675, 2.68},    {0.009, 0.01},    {0.004, 0.00},    {12682.50301, 12682.50}, {1051.267496, 1051.27},
      {99.999, 100.00}, {-0.0051, -0.01}, {0.0, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(D(CentsRound(c.value)), c.expected, 1e-12) << c.value;
  }
}

TEST(RoundToPlaces, RoundsThroughSeventeenCharactersOfText) {
  EXPECT_NEAR(D(RoundToPlaces(2, 123.456L)), 123.46, 1e-15);
  EXPECT_NEAR(D(RoundToPlaces(4, -0.123456L)), -0.1235, 1e-15);
  EXPECT_EQ(RoundToPlaces(0, 1234.5L), 1234.0L);  // the nearest even whole number on a tie
  // "1234567.1234567890" has 18 characters: the last decimal is cut.
  EXPECT_EQ(RoundToPlaces(10, 1234567.123456789L), RoundToPlaces(9, 1234567.123456789L));
  // A whole part longer than the limit is kept whole, not cut into a smaller number.
  EXPECT_EQ(RoundToPlaces(2, 1e20L), 1e20L);
  EXPECT_EQ(FinanceErrorCode([] { RoundToPlaces(2, std::numeric_limits<Extended>::quiet_NaN()); }), 401);
  EXPECT_EQ(FinanceErrorCode([] { RoundToPlaces(2, std::numeric_limits<Extended>::infinity()); }), 401);
}

TEST(TequPV, AnnuityAndLumpSums) {
  // Spreadsheet help: PV(8%/12, 240, 500) = -59,777.15.
  EXPECT_NEAR(D(TequPV::AnnuityPV(240, 0, 500, 0, 0.08L / 12)), 59777.14585118802, 1e-9);
  // Payments at the start of each period are worth (1 + i) more.
  EXPECT_NEAR(D(TequPV::AnnuityPV(240, 1, 500, 0, 0.08L / 12)), 59777.14585118802 * (1 + 0.08 / 12), 1e-8);
  // With a future value only, it is the lump sum.
  EXPECT_NEAR(D(TequPV::AnnuityPV(10, 0, 0, 1000, 0.05L)), 1000 / std::pow(1.05, 10), 1e-10);
  EXPECT_NEAR(D(TequPV::LumpSumPV(10, false, 1000, 0.05L)), 1000 / std::pow(1.05, 10), 1e-10);
  EXPECT_NEAR(D(TequPV::LumpSumPV(10, true, 1000, 0.05L)), 1000 / 1.5, 1e-10);
  EXPECT_EQ(TequPV::LumpSumPV(0, false, 1000, 0.05L), 1000.0L);
  // The ten-digit e: 1000 * 2.718281828^-0.5.
  EXPECT_NEAR(D(TequPV::ContinuousPV(1000, 0.05L, 10)), 1000 * std::pow(2.718281828, -0.5), 1e-10);
}

TEST(TequPV, RefusesRatesWithoutAValue) {
  EXPECT_EQ(FinanceErrorCode([] { TequPV::AnnuityPV(12, 0, 100, 0, 0); }), 407);
  EXPECT_EQ(FinanceErrorCode([] { TequPV::AnnuityPV(12, 0, 100, 0, -0.01L); }), 407);
  EXPECT_EQ(FinanceErrorCode([] { TequPV::LumpSumPV(4, true, 100, -0.25L); }), 425);
  EXPECT_EQ(FinanceErrorCode([] { TequPV::LumpSumPV(4, false, 100, -1); }), 425);
}

TEST(TequFV, AnnuityMatchesTheSpreadsheetExamples) {
  struct Case {
    int n, due;
    Extended pv, pmt, i;
    double fv;
  };
  const Case cases[] = {
      {12, 0, 0, 1000, 0.01L, 12682.50},       // FV(1%, 12, -1000)
      {35, 1, 0, 2000, 0.11L / 12, 82846.25},  // FV(11%/12, 35, -2000, , 1)
      {10, 1, 500, 200, 0.005L, 2581.40},      // FV(0.5%, 10, -200, -500, 1)
  };
  for (const Case& c : cases) {
    TequFV fv;
    EXPECT_NEAR(D(fv.AnnuityFV(c.n, c.due, c.pv, c.pmt, c.i)), c.fv, 1e-9) << c.fv;
    EXPECT_EQ(fv.PV, c.pv);
    EXPECT_NEAR(D(fv.Interest), c.fv - D(c.pv), 1e-9);
  }
}

TEST(TequFV, ZeroPeriodsAndZeroRates) {
  TequFV fv;
  EXPECT_EQ(fv.AnnuityFV(0, 0, 1234.56L, 100, 0.01L), CentsRound(1234.56L));
  EXPECT_NEAR(D(fv.Interest), 0, 1e-12);
  // A zero rate is the sum of what was put in, not a division by zero.
  EXPECT_NEAR(D(fv.AnnuityFV(12, 1, 100, 50, 0)), 700, 1e-12);
  // A tiny rate keeps its tiny interest.
  EXPECT_NEAR(D(fv.AnnuityFV(12, 0, 0, 1000000, 1e-12L)), 12000000.00, 1e-6);

  // Too small a present value or rate: no growth, the value is only rounded.
  EXPECT_NEAR(D(fv.LumpSumFV(10, false, 0.009L, 0.05L)), 0.01, 1e-15);
  EXPECT_NEAR(D(fv.Interest), 0.001, 1e-15);
  EXPECT_NEAR(D(fv.LumpSumFV(10, false, 100, 1e-8L)), 100, 1e-15);
}

TEST(TequFV, LumpSumsContinuousAndFractional) {
  TequFV fv;
  EXPECT_NEAR(D(fv.LumpSumFV(365, false, 1000, 0.05L / 365)), 1051.27, 1e-9);
  EXPECT_NEAR(D(fv.LumpSumFV(10, true, 1000, 0.05L)), 1500, 1e-9);
  EXPECT_NEAR(D(fv.LumpSumFVFractional(false, 1000, 2.5L, 0.1L)), D(CentsRound(1000 * std::pow(1.1L, 2.5L))),
              1e-9);
  EXPECT_NEAR(D(fv.LumpSumFVFractional(true, 1000, 2.5L, 0.1L)), 1250, 1e-9);
  EXPECT_NEAR(D(fv.ContinuousFV(1000, 2, 0.05L)), D(CentsRound(1000 * std::pow(2.718281828L, 0.1L))), 1e-9);
  EXPECT_NEAR(D(fv.ContinuousFV(1000, 0.00005L, 0.05L)), 1000, 1e-12);
  EXPECT_EQ(FinanceErrorCode([&] { fv.LumpSumFVFractional(false, 1000, 0.5L, -2); }), 425);
  EXPECT_EQ(FinanceErrorCode([&] { fv.LumpSumFV(100000, false, 1e300L, 1e30L); }), 427);
}

TEST(TequFV, AnnualPercentageYield) {
  TequFV fv;
  fv.LumpSumFV(365, false, 1000, 0.05L / 365);  // 1,051.27
  fv.YearDays = 365;
  fv.TermDays = 365;
  EXPECT_NEAR(D(fv.AnnualPercentageYield()), 5.127, 1e-12);
  fv.TermDays = 730;  // the same interest over two years
  EXPECT_NEAR(D(fv.AnnualPercentageYield()), (std::sqrt(1.05127) - 1) * 100, 1e-10);
  fv.TermDays = 0;
  EXPECT_EQ(FinanceErrorCode([&] { fv.AnnualPercentageYield(); }), 422);
  fv.TermDays = 365;
  fv.PV = 0;
  EXPECT_EQ(FinanceErrorCode([&] { fv.AnnualPercentageYield(); }), 422);
}

}  // namespace
}  // namespace quandrel
