// Straight line, sum-of-years and declining balance against the spreadsheet
// functions SLN, SYD and VDB where their conventions agree (a January start;
// for VDB a zero salvage value, since VDB applies its rate to the book value),
// and the month-placed-in-service rules worked by hand.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/depreciation/declining_balance_equation.h"
#include "core/depreciation/depreciation_exception.h"
#include "core/depreciation/straight_line_equation.h"
#include "core/depreciation/sum_of_years_equation.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

Currency Money(double value) {
  return Currency::FromDouble(value);
}

DepreciationRows StraightLine(double book, double salvage, double life, int month, std::int16_t use = 100) {
  TequStraightLineDep equation;
  DepreciationRows rows;
  equation.SetInputs(Money(book), Money(salvage), Money(life), use, DateFromDMY(10, month, 2024), rows);
  equation.Calculate();
  return rows;
}

DepreciationRows SumOfYears(double book, double salvage, double life, int month, std::int16_t use = 100) {
  TequSumOfYearsDep equation;
  DepreciationRows rows;
  equation.SetInputs(Money(book), Money(salvage), life, use, DateFromDMY(10, month, 2024), rows);
  equation.Calculate();
  return rows;
}

DepreciationRows DecliningBalance(double book, double salvage, double life, int month, std::int16_t pct) {
  TequDecliningBalDep equation;
  DepreciationRows rows;
  equation.SetInputs(Money(book), Money(salvage), life, pct, DateFromDMY(10, month, 2024), rows);
  equation.Calculate();
  return rows;
}

void ExpectDeductions(const DepreciationRows& rows, const std::vector<double>& expected) {
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_NEAR(rows[i].Depreciation, expected[i], 0.005) << "row " << i + 1;
  }
}

TEST(StraightLineDep, Schedules) {
  // SLN(30000, 7500, 10) = 2250 for each of the ten years.
  DepreciationRows rows = StraightLine(30000, 7500, 10, 1);
  ExpectDeductions(rows, std::vector<double>(10, 2250));
  EXPECT_EQ(rows.front().YearLabel, "2024");
  EXPECT_EQ(rows.back().YearLabel, "2033");
  EXPECT_NEAR(rows.back().AdjustedBasis, 7500, 1e-9);

  // July: half a year first, four full years, and a part year to the salvage.
  rows = StraightLine(10000, 1000, 5, 7);
  ExpectDeductions(rows, {900, 1800, 1800, 1800, 1800, 900});
  EXPECT_NEAR(rows.back().AdjustedBasis, 1000, 1e-9);

  // A half-year life from January: five full years and a half.
  ExpectDeductions(StraightLine(10000, 1000, 5.5, 1),
                   {9000 / 5.5, 9000 / 5.5, 9000 / 5.5, 9000 / 5.5, 9000 / 5.5, 4500 / 5.5});

  // Business use scales the deduction shown, not the book value.
  rows = StraightLine(10000, 1000, 5, 7, 60);
  ExpectDeductions(rows, {540, 1080, 1080, 1080, 1080, 540});
  EXPECT_NEAR(rows[0].AdjustedBasis, 9100, 1e-9);

  // A first year longer than the whole life stops at the salvage value.
  rows = StraightLine(10000, 1000, 0.5, 1);
  ExpectDeductions(rows, {9000});
  EXPECT_NEAR(rows.back().AdjustedBasis, 1000, 1e-9);
}

TEST(SumOfYearsDep, Schedules) {
  // SYD(30000, 7500, 10, per) = 22500 * (11 - per) / 55.
  std::vector<double> syd;
  for (int per = 1; per <= 10; ++per) {
    syd.push_back(22500.0 * (11 - per) / 55.0);
  }
  DepreciationRows rows = SumOfYears(30000, 7500, 10, 1);
  ExpectDeductions(rows, syd);
  EXPECT_NEAR(rows[0].Depreciation, 4090.91, 0.005);
  EXPECT_NEAR(rows.back().AdjustedBasis, 7500, 1e-6);

  // July: each year takes half of two neighbouring year weights (5, 4, ...
  // over 15), and a final half year of the weight 1.
  ExpectDeductions(SumOfYears(16000, 1000, 5, 7), {2500, 4500, 3500, 2500, 1500, 500});
  ExpectDeductions(SumOfYears(16000, 1000, 5, 7, 50), {1250, 2250, 1750, 1250, 750, 250});

  // Half a year of life: the first weight is more than the sum; capped.
  rows = SumOfYears(10000, 1000, 0.5, 1);
  ExpectDeductions(rows, {9000});
  EXPECT_NEAR(rows.back().AdjustedBasis, 1000, 1e-9);
}

TEST(DecliningBalanceDep, Schedules) {
  // VDB(10000, 0, 5, per - 1, per, 2), switching to straight line: 4000,
  // 2400, 1440, then 1080 twice.
  ExpectDeductions(DecliningBalance(10000, 0, 5, 1, 200), {4000, 2400, 1440, 1080, 1080});
  // July at 200 %: the five-year half-year pattern (the tie in the fourth
  // year goes to straight line).
  const DepreciationRows rows = DecliningBalance(10000, 0, 5, 7, 200);
  ExpectDeductions(rows, {2000, 3200, 1920, 1152, 1152, 576});
  EXPECT_NEAR(rows.back().AdjustedBasis, 0, 1e-9);
  // A rate above a year's worth takes no more than the depreciable amount.
  ExpectDeductions(DecliningBalance(10000, 2000, 1, 1, 300), {8000});
}

TEST(DecliningBalanceDep, HundredPercentIsStraightLine) {
  for (int month : {1, 4, 12}) {
    const DepreciationRows declining = DecliningBalance(25000, 2500, 7, month, 100);
    const DepreciationRows straight = StraightLine(25000, 2500, 7, month);
    ASSERT_EQ(declining.size(), straight.size()) << month;
    for (std::size_t i = 0; i < declining.size(); ++i) {
      EXPECT_NEAR(declining[i].Depreciation, straight[i].Depreciation, 1e-6) << month << " row " << i + 1;
    }
  }
}

int CodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EDepreciation& e) {
    return e.Code();
  }
  return 0;
}

TEST(BookValueDepValidation, ChecksInOrder) {
  struct Case {
    const char* what;
    double book;
    double salvage;
    double life;
    std::int16_t pct;  // business use, or acceleration for declining balance
    DayNumber inService;
    int straightLineCode;
    int decliningCode;
  };
  const DayNumber date = DateFromDMY(1, 3, 2024);
  const Case cases[] = {
      {"zero life and salvage above book", 100, 200, 0, 100, date, 301, 301},
      {"zero book value", 0, -5, 5, 100, date, 301, 301},
      {"salvage equal to book, use 0", 100, 100, 5, 0, date, 302, 302},
      {"business use 0, life 5.3", 100, 0, 5.3, 0, date, 305, 304},
      {"business use 101", 100, 0, 5, 101, date, 305, 0},
      {"life 5.3", 100, 0, 5.3, 100, date, 304, 304},
      {"life 5.7", 100, 0, 5.7, 100, date, 304, 304},
      {"negative life", 100, 0, -5, 100, date, 304, 304},
      {"life 5.5", 100, 0, 5.5, 100, date, 0, 0},
      {"acceleration 99", 100, 0, 5, 99, date, 0, 306},
      {"bad date", 100, 0, 5, 100, BadDate, 316, 316},
      {"rows past 9999", 100, 0, 6001, 100, DateFromDMY(1, 1, 3999), 317, 317},
  };
  for (const Case& c : cases) {
    DepreciationRows rows;
    TequStraightLineDep straight;
    EXPECT_EQ(CodeOf([&] {
                straight.SetInputs(Money(c.book), Money(c.salvage), Money(c.life), c.pct, c.inService, rows);
              }),
              c.straightLineCode)
        << "straight line: " << c.what;
    TequSumOfYearsDep sum;
    EXPECT_EQ(
        CodeOf([&] { sum.SetInputs(Money(c.book), Money(c.salvage), c.life, c.pct, c.inService, rows); }),
        c.straightLineCode)
        << "sum of years: " << c.what;
    TequDecliningBalDep declining;
    EXPECT_EQ(CodeOf([&] {
                declining.SetInputs(Money(c.book), Money(c.salvage), c.life, c.pct, c.inService, rows);
              }),
              c.decliningCode)
        << "declining balance: " << c.what;
  }
  TequStraightLineDep unset;
  EXPECT_EQ(CodeOf([&] { unset.Calculate(); }), 303);
}

}  // namespace
}  // namespace quandrel
