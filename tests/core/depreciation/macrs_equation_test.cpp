#include "core/depreciation/macrs_equation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/depreciation/auto_table_sources.h"
#include "core/depreciation/depreciation_exception.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

struct MacrsInputs {
  DayNumber inService = DateFromDMY(15, 6, 2024);
  std::int16_t businessUsePct = 100;
  bool qualified = false;
  bool isAuto = false;
  bool isElectric = false;
  int convention = irsconvention::HalfYear;
  int method = depmethod::DB200;
  double section179 = 0;
  float period = 5.0f;
  double cost = 10000;
};

DepreciationRows Schedule(TequMACRSDep& macrs, const MacrsInputs& in) {
  DepreciationRows rows;
  macrs.SetInputs(in.inService, in.businessUsePct, rows, in.qualified, false, in.isAuto, in.isElectric,
                  in.convention, in.method, in.section179, in.period, in.cost);
  macrs.Calculate();
  return rows;
}

double Total(const DepreciationRows& rows) {
  double total = 0;
  for (const DepreciationRow& row : rows) {
    total += row.Depreciation;
  }
  return total;
}

void ExpectDeductions(const DepreciationRows& rows, const std::vector<double>& expected,
                      double tolerance = 0.005) {
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_NEAR(rows[i].Depreciation, expected[i], tolerance) << "row " << i + 1;
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

TEST(DepreciationErrors, MessagesAreTheFixedTexts) {
  const auto& errors = DepreciationErrors();
  EXPECT_EQ(errors.Message(304), "Recovery period must be either full year or 1/2 year.");
  EXPECT_EQ(errors.Message(310),
            "There is no special consideration for electric \r\rvehicles before this date 08/05/97");
  EXPECT_EQ(errors.Message(311), "auto.bin file is missing\r\r or it is corrupted.");
  EXPECT_EQ(
      errors.Message(314),
      "There is no special consideration for Qualified or \r\rLiberty Zone assets before this date 09/12/01");
  EXPECT_EQ(errors.Message(307), "Unknown error in depreciation unit.");
  try {
    RaiseDepreciationError(302);
    FAIL() << "no exception";
  } catch (const EDepreciation& e) {
    EXPECT_EQ(e.Code(), 302);
    EXPECT_STREQ(e.what(), "Salvage value must be less than book value.");
  }
}

TEST(MacrsConventionFactor, TableByConventionAndMonth) {
  struct Case {
    int convention;
    int month;
    double factor;
  };
  const Case cases[] = {
      {irsconvention::HalfYear, 1, 0.5},
      {irsconvention::HalfYear, 12, 0.5},
      {irsconvention::MidQuarter, 3, 0.875},
      {irsconvention::MidQuarter, 4, 0.625},
      {irsconvention::MidQuarter, 9, 0.375},
      {irsconvention::MidQuarter, 10, 0.125},
      {irsconvention::MidMonth, 1, 11.5 / 12},
      {irsconvention::MidMonth, 12, 0.5 / 12},
      {irsconvention::MidMonth, 0, 0.01},
      {irsconvention::HalfYear, 13, 0.01},
      {3, 6, 0.01},
      {-1, 6, 0.01},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(TequMACRSDep::ConventionFactor(c.convention, c.month), c.factor)
        << "convention " << c.convention << " month " << c.month;
  }
}

TEST(MacrsStandardSchedule, FiveYearHalfYearTieGoesToStraightLine) {
  TequMACRSDep macrs;
  const DepreciationRows rows = Schedule(macrs, {});
  ExpectDeductions(rows, {2000, 3200, 1920, 1152, 1152, 576}, 1e-9);
  const std::vector<std::string> labels = {"2024", "2025", "2026", "2027", "2028", "2029"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].YearLabel, labels[i]);
  }
  EXPECT_NEAR(rows[2].AdjustedBasis, 2880, 1e-9);
  EXPECT_DOUBLE_EQ(macrs.SpecialAllowance(), 0.0);
}

TEST(MacrsStandardSchedule, SpecialAllowanceAndSection179ComeOffTheBasisFirst) {
  TequMACRSDep macrs;
  MacrsInputs in;
  in.qualified = true;
  in.cost = 12345;
  in.businessUsePct = 80;
  in.section179 = 1000;
  // Basis 12345 * 0.8 - 1000 = 8876; allowance 2662.80; regular 20 % of 6213.20.
  const DepreciationRows rows = Schedule(macrs, in);
  EXPECT_NEAR(macrs.SpecialAllowance(), 2662.80, 1e-9);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_NEAR(rows[0].Depreciation, 2662.80 + 1242.64, 1e-6);
  EXPECT_NEAR(rows[1].Depreciation, 0.32 * 6213.20, 1e-6);
  EXPECT_NEAR(Total(rows), 8876.0, 1e-6);
  EXPECT_NEAR(rows.back().AdjustedBasis, 0.0, 1e-6);
}

TEST(MacrsStandardSchedule, EdgeCasesOfTheBasis) {
  TequMACRSDep macrs;
  MacrsInputs in;
  // Less than 1.00 left for the last row: it shows no deduction.
  in.cost = 10;
  DepreciationRows rows = Schedule(macrs, in);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_DOUBLE_EQ(rows.back().Depreciation, 0.0);
  EXPECT_NEAR(rows.back().AdjustedBasis, 0.576, 1e-9);

  // Section 179 above the business part of the cost: one row of zeros.
  in.cost = 1000;
  in.businessUsePct = 60;
  in.section179 = 700;
  rows = Schedule(macrs, in);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].YearLabel, "2024");
  EXPECT_DOUBLE_EQ(rows[0].Depreciation, 0.0);
  EXPECT_DOUBLE_EQ(rows[0].AdjustedBasis, 0.0);
}

TEST(MacrsStandardSchedule, MidMonthThirtyNineYearsInJanuary) {
  TequMACRSDep macrs;
  MacrsInputs in;
  in.inService = DateFromDMY(2, 1, 2024);
  in.method = depmethod::StraightLine;
  in.convention = irsconvention::MidMonth;
  in.period = 39.0f;
  in.cost = 390000;
  const DepreciationRows rows = Schedule(macrs, in);
  ASSERT_EQ(rows.size(), 40u);
  // The factor 11.5/12 rounded to 0.958 and the rate 1/39 to 0.02564.
  EXPECT_NEAR(rows[0].Depreciation, 390000 * 0.02564 * 0.958, 1e-6);
  EXPECT_EQ(rows.back().YearLabel, "2063");
  EXPECT_NEAR(Total(rows), 390000, 1e-6);
}

// Half-year and very short recovery periods: the life left reaches zero or
// goes negative inside the schedule; no row may deduct more than is left or
// come out infinite.
TEST(MacrsStandardSchedule, ShortAndHalfYearPeriodsStaySound) {
  struct Case {
    int method;
    int convention;
    int month;
    float period;
  };
  const Case cases[] = {
      {depmethod::DB200, irsconvention::HalfYear, 6, 5.5f},
      {depmethod::DB200, irsconvention::MidQuarter, 2, 5.5f},
      {depmethod::DB150, irsconvention::MidMonth, 1, 0.5f},
      {depmethod::DB200, irsconvention::HalfYear, 6, 1.0f},
      {depmethod::StraightLine, irsconvention::MidQuarter, 1, 0.5f},
      {depmethod::StraightLine, irsconvention::HalfYear, 6, 27.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.period) + " method " + std::to_string(c.method));
    TequMACRSDep macrs;
    MacrsInputs in;
    in.method = c.method;
    in.convention = c.convention;
    in.inService = DateFromDMY(1, c.month, 2024);
    in.period = c.period;
    const DepreciationRows rows = Schedule(macrs, in);
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(std::ceil(c.period)) + 1);
    for (const DepreciationRow& row : rows) {
      EXPECT_TRUE(std::isfinite(row.Depreciation));
      EXPECT_GE(row.Depreciation, 0.0);
      EXPECT_GE(row.AdjustedBasis, -1e-9);
    }
    EXPECT_NEAR(Total(rows), 10000, 1e-6);
  }
}

TEST(MacrsValidation, SetInputsChecksInOrder) {
  struct Case {
    const char* what;
    MacrsInputs in;
    int code;
  };
  auto with = [](auto change) {
    MacrsInputs in;
    change(in);
    return in;
  };
  const Case cases[] = {
      // Each input that breaks two rules reports the earlier one.
      {"period below 1/2 with business use 0", with([](MacrsInputs& i) {
         i.period = 0.4f;
         i.businessUsePct = 0;
       }),
       304},
      {"period NaN", with([](MacrsInputs& i) { i.period = std::nanf(""); }), 304},
      {"business use 0 with an early electric date", with([](MacrsInputs& i) {
         i.businessUsePct = 0;
         i.isElectric = true;
         i.inService = DateFromDMY(1, 1, 1990);
       }),
       305},
      {"business use 101", with([](MacrsInputs& i) { i.businessUsePct = 101; }), 305},
      {"bad date", with([](MacrsInputs& i) { i.inService = BadDate; }), 316},
      {"electric on 5 August 1997 with section 179 at 50 %", with([](MacrsInputs& i) {
         i.isElectric = true;
         i.inService = DateFromDMY(5, 8, 1997);
         i.section179 = 100;
         i.businessUsePct = 50;
       }),
       310},
      {"section 179 at 50 % with an early qualified date", with([](MacrsInputs& i) {
         i.section179 = 100;
         i.businessUsePct = 50;
         i.qualified = true;
         i.inService = DateFromDMY(1, 1, 2000);
       }),
       313},
      {"qualified on 11 September 2001", with([](MacrsInputs& i) {
         i.qualified = true;
         i.inService = DateFromDMY(11, 9, 2001);
       }),
       314},
      {"rows past 9999", with([](MacrsInputs& i) {
         i.inService = DateFromDMY(1, 1, 3999);
         i.period = 6001.0f;
       }),
       317},
  };
  for (const Case& c : cases) {
    TequMACRSDep macrs;
    DepreciationRows rows;
    EXPECT_EQ(CodeOf([&] { Schedule(macrs, c.in); }), c.code) << c.what;
  }
  // The day after each threshold is accepted.
  TequMACRSDep macrs;
  EXPECT_EQ(CodeOf([&] {
              Schedule(macrs, with([](MacrsInputs& i) {
                         i.isElectric = true;
                         i.inService = DateFromDMY(6, 8, 1997);
                       }));
            }),
            0);
  EXPECT_EQ(CodeOf([&] {
              Schedule(macrs, with([](MacrsInputs& i) {
                         i.qualified = true;
                         i.inService = DateFromDMY(12, 9, 2001);
                       }));
            }),
            0);
  EXPECT_EQ(CodeOf([&] {
              Schedule(macrs, with([](MacrsInputs& i) { i.section179 = 100, i.businessUsePct = 51; }));
            }),
            0);
}

TEST(MacrsValidation, CalculateChecksAmounts) {
  auto codeOf = [](double cost, double section179) {
    TequMACRSDep macrs;
    DepreciationRows rows{{"x", 1, 1}};
    macrs.SetInputs(DateFromDMY(1, 3, 2024), 100, rows, false, false, false, false, 0, 1, section179, 5.0f,
                    cost);
    const int code = CodeOf([&] { macrs.Calculate(); });
    EXPECT_EQ(rows.empty(), code != 0);
    return code;
  };
  EXPECT_EQ(codeOf(500, 600), 308);
  EXPECT_EQ(codeOf(-1, 0), 308);
  EXPECT_EQ(codeOf(std::nan(""), 0), 312);
  EXPECT_EQ(codeOf(INFINITY, 0), 312);
  EXPECT_EQ(codeOf(1000, -10), 312);
  EXPECT_EQ(codeOf(1000, 1000), 0);
  // Before any inputs.
  TequMACRSDep macrs;
  EXPECT_EQ(CodeOf([&] { macrs.Calculate(); }), 303);
}

// Tables with small round limits, so that every capped row is easy to follow
// by hand: passenger C = (10000, 8000, 5000, 3000), E = 6000; electric D =
// (30000, 20000, 12000, 7000), F = 25000; the last row (2026) has passenger
// (11000, 9000, 6000, 4000) and 7000 without the allowance.
AutoTables FixtureTables() {
  AutoTables tables;
  for (std::size_t i = 0; i < kLimitRows; ++i) {
    const float year = 2019.0f + static_cast<float>(i);
    const bool last = i + 1 == kLimitRows;
    tables.PassengerLimits[i] = last ? DepreciationLimitRow{year, 11000, 9000, 6000, 4000}
                                     : DepreciationLimitRow{year, 10000, 8000, 5000, 3000};
    tables.PassengerFirstYearNoBonus[i] = {year, last ? 7000.0f : 6000.0f};
    tables.ElectricLimits[i] = {year, 30000, 20000, 12000, 7000};
    tables.ElectricFirstYearNoBonus[i] = {year, 25000};
  }
  return tables;
}

TEST(MacrsAutoSchedule, LimitRowFindsTheYearOrTakesTheLast) {
  const TequMACRSDep macrs(FixtureTables());
  EXPECT_EQ(macrs.LimitRow(2019), 0);
  EXPECT_EQ(macrs.LimitRow(2024), 5);
  EXPECT_EQ(macrs.LimitRow(2026), 7);
  EXPECT_EQ(macrs.LimitRow(2018), 7);
  EXPECT_EQ(macrs.LimitRow(2031), 7);
}

TEST(MacrsAutoSchedule, LimitsCapEachYearAndTheScheduleRunsUntilTheBasisIsUsed) {
  struct Case {
    const char* what;
    MacrsInputs in;
    std::vector<double> expected;
  };
  MacrsInputs passenger;
  passenger.isAuto = true;
  passenger.cost = 40000;
  MacrsInputs electric = passenger;
  electric.isElectric = true;
  MacrsInputs lateYear = passenger;
  lateYear.inService = DateFromDMY(1, 3, 2030);
  MacrsInputs qualified = passenger;
  qualified.qualified = true;
  qualified.cost = 50000;
  qualified.businessUsePct = 80;
  qualified.section179 = 2000;
  const Case cases[] = {
      // First year 8000 capped at 6000, then 8000, 5000, 3000 a year.
      {"passenger", passenger, {6000, 8000, 5000, 3000, 3000, 3000, 3000, 3000, 3000, 3000}},
      // Below the electric limits: the plain five-year schedule.
      {"electric", electric, {8000, 12800, 7680, 4608, 4608, 2304}},
      // 2030 is not in the tables: the 2026 row.
      {"year not in the tables", lateYear, {7000, 9000, 6000, 4000, 4000, 4000, 4000, 2000}},
      // Basis 38000; first-year room 10000 * 0.8 - 2000 = 6000 including the
      // 11400 allowance; then the limits times 0.8.
      {"allowance, section 179, 80 % use",
       qualified,
       {6000, 6400, 4000, 2400, 2400, 2400, 2400, 2400, 2400, 2400, 2400, 2400}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TequMACRSDep macrs(FixtureTables());
    const DepreciationRows rows = Schedule(macrs, c.in);
    ExpectDeductions(rows, c.expected, 1e-6);
    EXPECT_NEAR(rows.back().AdjustedBasis, 0.0, 1e-9);
    const double basis = c.in.cost * c.in.businessUsePct / 100.0 - c.in.section179;
    EXPECT_NEAR(Total(rows), basis, 1e-6);
  }
  TequMACRSDep macrs(FixtureTables());
  Schedule(macrs, qualified);
  EXPECT_NEAR(macrs.SpecialAllowance(), 11400, 1e-9);
}

TEST(MacrsAutoSchedule, ElectricLimitsApplyInEveryRowIncludingTheExtraOnes) {
  TequMACRSDep macrs(FixtureTables());
  MacrsInputs in;
  in.isAuto = true;
  in.isElectric = true;
  in.cost = 200000;
  const DepreciationRows rows = Schedule(macrs, in);
  // 25000, 20000, 12000, then 7000 a year for 172000 - 9000 ... until 3000.
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_NEAR(rows[0].Depreciation, 25000, 1e-9);
  EXPECT_NEAR(rows[1].Depreciation, 20000, 1e-9);
  EXPECT_NEAR(rows[2].Depreciation, 12000, 1e-9);
  for (std::size_t i = 3; i + 1 < rows.size(); ++i) {
    EXPECT_NEAR(rows[i].Depreciation, 7000, 1e-9) << "row " << i + 1;
  }
  EXPECT_NEAR(rows.back().Depreciation, 3000, 1e-9);
  EXPECT_EQ(rows.back().YearLabel, "2047");
}

TEST(MacrsAutoSchedule, NoRoomLeftInTheFirstYearGivesOneEmptyRow) {
  MacrsInputs in;
  in.isAuto = true;
  in.cost = 40000;
  // With the allowance, section 179 equal to the 10000 limit.
  in.qualified = true;
  in.section179 = 10000;
  TequMACRSDep macrs(FixtureTables());
  DepreciationRows rows = Schedule(macrs, in);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_DOUBLE_EQ(rows[0].Depreciation, 0.0);
  // Without the allowance the 6000 limit applies: section 179 of 7000 uses it
  // up (never a negative first-year deduction).
  in.qualified = false;
  in.section179 = 7000;
  rows = Schedule(macrs, in);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_DOUBLE_EQ(rows[0].Depreciation, 0.0);
  EXPECT_DOUBLE_EQ(macrs.SpecialAllowance(), 0.0);
}

TEST(MacrsAutoSchedule, HalfYearPeriodWithHalfYearConventionEndsSoundly) {
  for (int method : {depmethod::DB200, depmethod::DB150, depmethod::StraightLine}) {
    SCOPED_TRACE(method);
    TequMACRSDep macrs(FixtureTables());
    MacrsInputs in;
    in.isAuto = true;
    in.method = method;
    in.period = 5.5f;
    const DepreciationRows rows = Schedule(macrs, in);
    for (const DepreciationRow& row : rows) {
      EXPECT_TRUE(std::isfinite(row.Depreciation));
      EXPECT_GE(row.Depreciation, 0.0);
    }
    EXPECT_NEAR(Total(rows), 10000, 1e-6);
    EXPECT_NEAR(rows.back().AdjustedBasis, 0.0, 1e-9);
  }
}

TEST(MacrsAutoSchedule, MissingOrUnsoundTablesRefuseOnlyTheAutomobileSchedule) {
  MacrsInputs car;
  car.isAuto = true;
  AutoTables endless = FixtureTables();
  endless.PassengerLimits[5][4] = 0.0f;  // a later-year limit of 0 would never end
  AutoTables negative = FixtureTables();
  negative.ElectricFirstYearNoBonus[2][1] = -1.0f;
  for (const TequMACRSDep& source : {TequMACRSDep(), TequMACRSDep(endless), TequMACRSDep(negative),
                                     TequMACRSDep(std::filesystem::path("/nonexistent/folder"))}) {
    TequMACRSDep macrs = source;
    EXPECT_FALSE(macrs.TablesLoaded());
    EXPECT_EQ(CodeOf([&] { Schedule(macrs, car); }), 311);
    EXPECT_EQ(Schedule(macrs, MacrsInputs{}).size(), 6u);
  }
}

TEST(MacrsAutoSchedule, AScheduleThatWouldOutrunTheYearLabelsIsRefused) {
  TequMACRSDep macrs(FixtureTables());
  MacrsInputs in;
  in.isAuto = true;
  in.cost = 1e12;
  DepreciationRows rows;
  macrs.SetInputs(in.inService, 100, rows, false, false, true, false, in.convention, in.method, 0, 5.0f,
                  in.cost);
  EXPECT_EQ(CodeOf([&] { macrs.Calculate(); }), 317);
  EXPECT_TRUE(rows.empty());
}

// The lease inclusion look-ups, with the 1987-1988 passenger table (the only
// complete one published in the regulation) as table A: 86 rows, of which the
// block selects 74 (to 90,000).
TEST(MacrsInclusion, AutoInclusionSelectsTheRowOfTheValue) {
  AutoTableSources sources;
  const std::string limits =
      "year,first_year_with_bonus,first_year_without_bonus,second,third,later\n2024,100,90,80,70,60\n";
  sources.PassengerLimits = sources.ElectricLimits = limits;
  sources.ElectricLease = "fmv_over,fmv_not_over,year1,year2,year3,year4,year5\n";
  std::ifstream file(std::string(QUANDREL_SOURCE_DATA_DIR) +
                     "/tax_tables/lease_inclusion_passenger_1987_1988.csv");
  ASSERT_TRUE(file) << "the 1987-1988 table";
  sources.PassengerLease.assign(std::istreambuf_iterator<char>(file), {});
  const std::string listedHeader = "lease_year,under_7,7_to_under_10,10_and_more\n";
  std::string listed = listedHeader;
  for (int year = 1; year <= 12; ++year) {
    listed += std::to_string(year) + ",1,2,3\n";
  }
  sources.ListedAmountA = sources.ListedAmountB = listed;
  const TequMACRSDep macrs(BuildAutoTables(sources).Tables);
  ASSERT_TRUE(macrs.TablesLoaded());
  EXPECT_TRUE(macrs.HasAutoInclusionTable());
  // The electric file is empty: block B takes the passenger rows, as far as
  // its 31 rows reach (to 29,000).
  EXPECT_TRUE(macrs.HasElectricInclusionTable());

  InclusionAmounts amounts;
  amounts.fill(-1.0);
  // The regulation's example: fair market value 31,500.
  EXPECT_EQ(macrs.AutoInclusion(31500, amounts), 31000);
  EXPECT_EQ(std::vector<double>(amounts.begin() + 1, amounts.begin() + 6),
            (std::vector<double>{260, 568, 842, 1010, 1166}));
  EXPECT_EQ(amounts[6], 0.0);
  EXPECT_EQ(amounts[31], 0.0);

  struct Case {
    double value;
    int result;
    double year1;  // -1: nothing selected
  };
  const Case cases[] = {
      {12800, 0, -1},        // at the first bound
      {5000, 0, -1},         // below the table
      {12800.01, 12800, 2},  // just inside the first row
      {32000, 31000, 260},   // a row includes its upper bound
      {90000, 85000, 1038},  // the last selectable row
      {90000.5, 90000, -1},  // above it: the rows past 90,000 were cut
      {250000, 90000, -1},
  };
  for (const Case& c : cases) {
    amounts.fill(-1.0);
    EXPECT_EQ(macrs.AutoInclusion(c.value, amounts), c.result) << c.value;
    EXPECT_EQ(amounts[1], c.year1) << c.value;
  }
  amounts.fill(-1.0);
  EXPECT_EQ(macrs.ElectricInclusion(28500, amounts), 28000);
  EXPECT_EQ(amounts[5], 979.0);
  amounts.fill(-1.0);
  EXPECT_EQ(macrs.ElectricInclusion(29500, amounts), 29000);
  EXPECT_EQ(amounts[5], -1.0);
}

TEST(MacrsInclusion, ListedInclusionByYearAndClass) {
  AutoTables tables = FixtureTables();
  for (std::size_t c = 0; c < kListedClasses; ++c) {
    for (std::size_t y = 0; y < kListedLeaseYears; ++y) {
      tables.ListedAmountA[c][y] = static_cast<float>(10 * c + y + 1);
      tables.ListedAmountB[c][y] = -static_cast<float>(c + 1);
    }
  }
  const TequMACRSDep macrs(tables);
  struct Case {
    int year;
    double period;
    double expected;
  };
  // fmv 1000, pctG 50, pctH 20: 5 * A + 2 * B.
  const Case cases[] = {
      {1, 5, 5 * 1 - 2},   {11, 6.9, 5 * 11 - 2}, {3, 7, 5 * 13 - 4},  {2, 9.5, 5 * 12 - 4},
      {2, 10, 5 * 22 - 6}, {12, 20, 5 * 32 - 6},  {30, 3, 5 * 12 - 2},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(macrs.ListedInclusion(c.year, c.period, 20, 50, 1000), c.expected, 1e-9)
        << c.year << " " << c.period;
  }
  EXPECT_EQ(CodeOf([&] { macrs.ListedInclusion(0, 5, 20, 50, 1000); }), 315);
  EXPECT_EQ(CodeOf([&] { macrs.ListedInclusion(1, 5, 20, 50, std::nan("")); }), 312);
}

}  // namespace
}  // namespace quandrel
