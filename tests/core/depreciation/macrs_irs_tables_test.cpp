// The standard MACRS schedule against the IRS percentage tables (the
// depreciation tables printed in the appendix of the IRS guide to
// depreciating property): each year's deduction as a percentage of the basis.
// The printed percentages are rounded, and the IRS adjusts a column's last
// digits so it sums to 100, so a row may differ from the exact schedule by a
// little more than half of the printed unit.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/depreciation/macrs_equation.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

constexpr double kBasis = 100000.0;

DepreciationRows Schedule(int method, int convention, int month, float period) {
  TequMACRSDep macrs;
  DepreciationRows rows;
  macrs.SetInputs(DateFromDMY(15, month, 2024), 100, rows, false, false, false, false, convention, method,
                  0.0, period, kBasis);
  macrs.Calculate();
  return rows;
}

struct IrsColumn {
  const char* name;
  int method;
  int convention;
  int month;
  float period;
  double tolerance;  // percentage points
  std::vector<double> percent;
};

// Two-decimal tables may differ by the half unit plus the column adjustment.
constexpr double kTwoDecimals = 0.011;
constexpr double kThreeDecimals = 0.0011;

const IrsColumn kColumns[] = {
    // Half-year convention, 200 % declining balance (3 to 10 years) and
    // 150 % declining balance (15 and 20 years).
    {"HY 3", depmethod::DB200, irsconvention::HalfYear, 6, 3.0f, kTwoDecimals, {33.33, 44.45, 14.81, 7.41}},
    {"HY 5",
     depmethod::DB200,
     irsconvention::HalfYear,
     6,
     5.0f,
     kTwoDecimals,
     {20.00, 32.00, 19.20, 11.52, 11.52, 5.76}},
    {"HY 7",
     depmethod::DB200,
     irsconvention::HalfYear,
     6,
     7.0f,
     kTwoDecimals,
     {14.29, 24.49, 17.49, 12.49, 8.93, 8.92, 8.93, 4.46}},
    {"HY 10",
     depmethod::DB200,
     irsconvention::HalfYear,
     6,
     10.0f,
     kTwoDecimals,
     {10.00, 18.00, 14.40, 11.52, 9.22, 7.37, 6.55, 6.55, 6.56, 6.55, 3.28}},
    {"HY 15",
     depmethod::DB150,
     irsconvention::HalfYear,
     6,
     15.0f,
     kTwoDecimals,
     {5.00, 9.50, 8.55, 7.70, 6.93, 6.23, 5.90, 5.90, 5.91, 5.90, 5.91, 5.90, 5.91, 5.90, 5.91, 2.95}},
    {"HY 20",
     depmethod::DB150,
     irsconvention::HalfYear,
     6,
     20.0f,
     kThreeDecimals,
     {3.750, 7.219, 6.677, 6.177, 5.713, 5.285, 4.888, 4.522, 4.462, 4.461, 4.462,
      4.461, 4.462, 4.461, 4.462, 4.461, 4.462, 4.461, 4.462, 4.461, 2.231}},
    // Mid-quarter convention, placed in service in each quarter.
    {"MQ 5 Q1",
     depmethod::DB200,
     irsconvention::MidQuarter,
     2,
     5.0f,
     kTwoDecimals,
     {35.00, 26.00, 15.60, 11.01, 11.01, 1.38}},
    {"MQ 5 Q2",
     depmethod::DB200,
     irsconvention::MidQuarter,
     5,
     5.0f,
     kTwoDecimals,
     {25.00, 30.00, 18.00, 11.37, 11.37, 4.26}},
    {"MQ 5 Q3",
     depmethod::DB200,
     irsconvention::MidQuarter,
     8,
     5.0f,
     kTwoDecimals,
     {15.00, 34.00, 20.40, 12.24, 11.30, 7.06}},
    {"MQ 5 Q4",
     depmethod::DB200,
     irsconvention::MidQuarter,
     11,
     5.0f,
     kTwoDecimals,
     {5.00, 38.00, 22.80, 13.68, 10.94, 9.58}},
    {"MQ 7 Q1",
     depmethod::DB200,
     irsconvention::MidQuarter,
     1,
     7.0f,
     kTwoDecimals,
     {25.00, 21.43, 15.31, 10.93, 8.75, 8.74, 8.75, 1.09}},
    {"MQ 7 Q2",
     depmethod::DB200,
     irsconvention::MidQuarter,
     4,
     7.0f,
     kTwoDecimals,
     {17.85, 23.47, 16.76, 11.97, 8.87, 8.87, 8.87, 3.33}},
    {"MQ 7 Q3",
     depmethod::DB200,
     irsconvention::MidQuarter,
     9,
     7.0f,
     kTwoDecimals,
     {10.71, 25.51, 18.22, 13.02, 9.30, 8.85, 8.86, 5.53}},
    {"MQ 7 Q4",
     depmethod::DB200,
     irsconvention::MidQuarter,
     12,
     7.0f,
     kTwoDecimals,
     {3.57, 27.55, 19.68, 14.06, 10.04, 8.73, 8.73, 7.64}},
};

TEST(MacrsIrsTables, DecliningBalanceColumnsAgreeAndSumToTheBasis) {
  for (const IrsColumn& column : kColumns) {
    SCOPED_TRACE(column.name);
    const DepreciationRows rows = Schedule(column.method, column.convention, column.month, column.period);
    ASSERT_EQ(rows.size(), column.percent.size());
    double total = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_NEAR(rows[i].Depreciation / kBasis * 100.0, column.percent[i], column.tolerance)
          << "year " << i + 1;
      total += rows[i].Depreciation;
    }
    EXPECT_NEAR(total, kBasis, 1e-6);
    EXPECT_NEAR(rows.back().AdjustedBasis, 0.0, 1e-6);
  }
}

// Straight line, mid-month convention (residential rental property 27.5
// years, nonresidential real property 39 years): the first year by month,
// every full year, and the closing years of the column (a 0 where the column
// has ended before the schedule's last row).
struct MidMonthCase {
  float period;
  int month;
  double firstYear;
  double fullYear;              // printed as fullYear or fullYear + 0.001
  std::vector<double> closing;  // the schedule's last rows
};

const MidMonthCase kMidMonth[] = {
    {27.5f, 1, 3.485, 3.636, {1.970, 0.0}}, {27.5f, 6, 1.970, 3.636, {3.485, 0.0}},
    {27.5f, 7, 1.667, 3.636, {0.152}},      {27.5f, 12, 0.152, 3.636, {1.667}},
    {39.0f, 1, 2.461, 2.564, {0.107}},      {39.0f, 12, 0.107, 2.564, {2.461}},
};

TEST(MacrsIrsTables, MidMonthStraightLineAgreesAndSumsToTheBasis) {
  for (const MidMonthCase& c : kMidMonth) {
    SCOPED_TRACE(std::to_string(c.period) + " years, month " + std::to_string(c.month));
    const DepreciationRows rows =
        Schedule(depmethod::StraightLine, irsconvention::MidMonth, c.month, c.period);
    // The partial first year and one row per recovery year (28 for 27.5).
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(std::ceil(c.period)) + 1);
    // The printed first years step by a rounded twelfth of the full year
    // (0.214 a month for 39 years), which puts January 0.004 above the exact
    // 11.5 months; the rounding of factor and rate adds about 0.001.
    EXPECT_NEAR(rows[0].Depreciation / kBasis * 100.0, c.firstYear, 0.006);
    const std::size_t firstClosing = rows.size() - c.closing.size();
    for (std::size_t i = 1; i < firstClosing; ++i) {
      EXPECT_NEAR(rows[i].Depreciation / kBasis * 100.0, c.fullYear + 0.0005, 0.0011) << "year " << i + 1;
    }
    for (std::size_t k = 0; k < c.closing.size(); ++k) {
      EXPECT_NEAR(rows[firstClosing + k].Depreciation / kBasis * 100.0, c.closing[k], 0.006)
          << "year " << firstClosing + k + 1;
    }
    double total = 0;
    for (const DepreciationRow& row : rows) {
      total += row.Depreciation;
    }
    EXPECT_NEAR(total, kBasis, 1e-6);
    EXPECT_NEAR(rows.back().AdjustedBasis, 0.0, 1e-6);
  }
}

}  // namespace
}  // namespace quandrel
