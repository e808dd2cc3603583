#include "core/depreciation/auto_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/depreciation/auto_table_sources.h"
#include "core/depreciation/macrs_equation.h"
#include "core/foundation/date_arithmetic.h"
#include "core/io/data_file_error.h"

namespace quandrel {
namespace {

const std::filesystem::path kSourceTables = std::filesystem::path(QUANDREL_SOURCE_DATA_DIR) / "tax_tables";
const std::filesystem::path kBuildData = QUANDREL_BUILD_DATA_DIR;

// The data rows of a shipped CSV file, read here on their own terms: comma
// separated numbers, an empty field as NaN.
std::vector<std::vector<double>> CsvRows(const std::string& name) {
  std::ifstream file(kSourceTables / name);
  EXPECT_TRUE(file) << name;
  std::vector<std::vector<double>> rows;
  std::string line;
  std::getline(file, line);  // header
  while (std::getline(file, line)) {
    if (line.empty() || line == "\r") {
      continue;
    }
    std::vector<double> row;
    std::stringstream fields(line);
    std::string field;
    while (std::getline(fields, field, ',')) {
      row.push_back(field.empty() ? std::nan("") : std::stod(field));
    }
    rows.push_back(row);
  }
  return rows;
}

// The generated auto.bin, read back through the equation's own loader,
// holds the published figures of the CSV files.
TEST(GeneratedAutoBin, HoldsThePublishedTables) {
  ASSERT_TRUE(std::filesystem::exists(kBuildData / "auto.bin")) << "the build generates " << kBuildData;
  EXPECT_EQ(std::filesystem::file_size(kBuildData / "auto.bin"), kAutoBinSize);
  const TequMACRSDep macrs(kBuildData);
  ASSERT_TRUE(macrs.TablesLoaded());
  const AutoTables& tables = macrs.Tables();

  struct LimitFile {
    const char* name;
    const std::array<DepreciationLimitRow, kLimitRows>& limits;
    const std::array<FirstYearLimitRow, kLimitRows>& firstYear;
  };
  for (const LimitFile& f : {LimitFile{"depreciation_limits_passenger.csv", tables.PassengerLimits,
                                       tables.PassengerFirstYearNoBonus},
                             LimitFile{"depreciation_limits_electric.csv", tables.ElectricLimits,
                                       tables.ElectricFirstYearNoBonus}}) {
    SCOPED_TRACE(f.name);
    auto rows = CsvRows(f.name);
    // The newest eight years, oldest first.
    ASSERT_GE(rows.size(), 1u);
    std::sort(rows.begin(), rows.end());
    if (rows.size() > kLimitRows) {
      rows.erase(rows.begin(), rows.end() - kLimitRows);
    }
    const std::size_t offset = kLimitRows - rows.size();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const auto& csv = rows[i];
      const auto& c = f.limits[offset + i];
      EXPECT_EQ(c[0], csv[0]);
      EXPECT_EQ(c[1], csv[1]);  // with the special allowance
      EXPECT_EQ(f.firstYear[offset + i][0], csv[0]);
      EXPECT_EQ(f.firstYear[offset + i][1], csv[2]);  // without it
      EXPECT_EQ(c[2], csv[3]);
      EXPECT_EQ(c[3], csv[4]);
      EXPECT_EQ(c[4], csv[5]);
      EXPECT_EQ(macrs.LimitRow(static_cast<int>(csv[0])), static_cast<int>(offset + i));
    }
  }

  struct ListedFile {
    const char* name;
    const ListedPercentTable& table;
  };
  for (const ListedFile& f : {ListedFile{"listed_property_amount_a.csv", tables.ListedAmountA},
                              ListedFile{"listed_property_amount_b.csv", tables.ListedAmountB}}) {
    SCOPED_TRACE(f.name);
    const auto rows = CsvRows(f.name);
    ASSERT_EQ(rows.size(), kListedLeaseYears);
    for (std::size_t y = 0; y < kListedLeaseYears; ++y) {
      EXPECT_EQ(rows[y][0], static_cast<double>(y + 1));
      for (std::size_t c = 0; c < kListedClasses; ++c) {
        EXPECT_EQ(f.table[c][y], static_cast<float>(rows[y][c + 1])) << "year " << y + 1 << " class " << c;
      }
    }
  }

  // The lease inclusion tables: while their files have no rows, the blocks
  // are zeros, nothing is selected, and the equation says so.
  const auto passengerLease = CsvRows("lease_inclusion_passenger.csv");
  EXPECT_EQ(macrs.HasAutoInclusionTable(), !passengerLease.empty());
  InclusionAmounts amounts;
  amounts.fill(-1.0);
  if (passengerLease.empty()) {
    for (const auto& row : tables.PassengerLease) {
      for (float value : row) {
        EXPECT_EQ(value, 0.0f);
      }
    }
    EXPECT_EQ(macrs.AutoInclusion(75000, amounts), 0);
    EXPECT_EQ(amounts[1], -1.0);
  } else {
    const auto& first = passengerLease.front();
    EXPECT_EQ(macrs.AutoInclusion(first[0] + 0.5, amounts), static_cast<int>(first[0]));
    EXPECT_EQ(amounts[1], first[2]);
  }
  if (CsvRows("lease_inclusion_electric.csv").empty() && passengerLease.empty()) {
    EXPECT_FALSE(macrs.HasElectricInclusionTable());
    EXPECT_EQ(macrs.ElectricInclusion(75000, amounts), 0);
  }

  // And the schedule uses them: a passenger automobile placed in service in
  // the newest year, well above the limits, five years, no allowance.
  const auto newest = CsvRows("depreciation_limits_passenger.csv").back();
  TequMACRSDep car(kBuildData);
  DepreciationRows rows;
  car.SetInputs(DateFromDMY(1, 6, static_cast<int>(newest[0])), 100, rows, false, false, true, false,
                irsconvention::HalfYear, depmethod::DB200, 0, 5.0f, 1000000);
  car.Calculate();
  ASSERT_GT(rows.size(), 6u);
  EXPECT_EQ(rows[0].Depreciation, newest[2]);
  EXPECT_EQ(rows[1].Depreciation, newest[3]);
  EXPECT_EQ(rows[2].Depreciation, newest[4]);
  EXPECT_EQ(rows[3].Depreciation, newest[5]);
  EXPECT_EQ(rows[7].Depreciation, newest[5]);
}

std::filesystem::path ScratchFolder(const std::string& name) {
  const auto folder = std::filesystem::temp_directory_path() / ("quandrel_auto_bin_" + name);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

AutoTables SoundTables() {
  return BuildAutoTables(ReadAutoTableSources(kSourceTables)).Tables;
}

TEST(AutoBinFile, WritesTheLayoutAndReadsItBack) {
  AutoTables tables = SoundTables();
  tables.PassengerLease[3] = {1, 2, 3, 4, 5, 6};
  tables.ListedAmountB[2][11] = 12.5f;
  const auto bytes = WriteAutoBin(tables);
  ASSERT_EQ(bytes.size(), kAutoBinSize);
  // Block C starts after the header and blocks A and B: 32 + 1824 + 792.
  float firstYear = 0;
  std::memcpy(&firstYear, bytes.data() + 2648, sizeof firstYear);
  EXPECT_EQ(firstYear, tables.PassengerLimits[0][0]);
  // The last single is H's class 2, lease year 12.
  float last = 0;
  std::memcpy(&last, bytes.data() + kAutoBinSize - 4, sizeof last);
  EXPECT_EQ(last, 12.5f);
  const AutoTables back = ReadAutoBin(bytes);
  EXPECT_EQ(WriteAutoBin(back), bytes);
  EXPECT_EQ(AutoTablesTag(back), AutoTablesTag(tables));
}

TEST(AutoBinFile, AMissingShortLongOrDamagedFileIsNotLoaded) {
  const auto good = WriteAutoBin(SoundTables());
  std::vector<std::uint8_t> nan = good;
  const float quietNaN = std::nanf("");
  std::memcpy(nan.data() + 2648 + 8, &quietNaN, sizeof quietNaN);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"short", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
      {"long",
       [&] {
         auto longer = good;
         longer.push_back(0);
         return longer;
       }()},
      {"empty", {}},
      {"nan", nan},
  };
  for (const Case& c : cases) {
    const auto folder = ScratchFolder(c.name);
    WriteBytes(folder / "auto.bin", c.bytes);
    EXPECT_FALSE(LoadAutoTables(folder).has_value()) << c.name;
    EXPECT_FALSE(TequMACRSDep(folder).TablesLoaded()) << c.name;
    std::filesystem::remove_all(folder);
  }
  const auto folder = ScratchFolder("good");
  EXPECT_FALSE(LoadAutoTables(folder).has_value());  // nothing there yet
  WriteBytes(folder / "auto.bin", good);
  EXPECT_TRUE(TequMACRSDep(folder).TablesLoaded());
  std::filesystem::remove_all(folder);
  EXPECT_THROW(ReadAutoBin(std::vector<std::uint8_t>(good.begin(), good.begin() + 100)), EDataFileError);
}

TEST(AutoBinFile, UnsoundTablesAreFound) {
  struct Case {
    const char* what;
    void (*spoil)(AutoTables&);
  };
  const Case cases[] = {
      {"later limit 0", [](AutoTables& t) { t.PassengerLimits[7][4] = 0; }},
      {"negative electric second-year limit", [](AutoTables& t) { t.ElectricLimits[0][2] = -5; }},
      {"no-allowance limit 0", [](AutoTables& t) { t.PassengerFirstYearNoBonus[3][1] = 0; }},
      {"E year not C's", [](AutoTables& t) { t.PassengerFirstYearNoBonus[3][0] += 1; }},
      {"D year not C's",
       [](AutoTables& t) {
         t.ElectricLimits[2][0] += 1;
         t.ElectricFirstYearNoBonus[2][0] += 1;
       }},
      {"fractional year", [](AutoTables& t) { t.PassengerLimits[1][0] += 0.5f; }},
      {"falling lease bound", [](AutoTables& t) { t.PassengerLease[0][0] = 100; }},
      {"negative inclusion amount", [](AutoTables& t) { t.ElectricLease[4][2] = -1; }},
  };
  EXPECT_EQ(AutoTablesFault(SoundTables()), "");
  for (const Case& c : cases) {
    AutoTables tables = SoundTables();
    c.spoil(tables);
    EXPECT_NE(AutoTablesFault(tables), "") << c.what;
  }
}

// The fitting of the published tables to the fixed blocks.
AutoTableSources SmallSources() {
  AutoTableSources s;
  s.PassengerLimits = s.ElectricLimits =
      "year,first_year_with_bonus,first_year_without_bonus,second,third,later\n"
      "2021,300,200,150,100,50\n2020,310,210,160,110,60\n";
  s.PassengerLease = s.ElectricLease = "fmv_over,fmv_not_over,year1,year2,year3,year4,year5\n";
  std::string listed = "lease_year,under_7,7_to_under_10,10_and_more\n";
  for (int y = 1; y <= 12; ++y) {
    listed += std::to_string(y) + ",2.1,-3.8,0\n";
  }
  s.ListedAmountA = s.ListedAmountB = listed;
  return s;
}

TEST(AutoTableSourcesBuild, FitsTheTablesToTheBlocks) {
  AutoTableSources sources = SmallSources();
  // Fewer than eight years: sorted, the oldest repeated in front.
  AutoTables tables = BuildAutoTables(sources).Tables;
  EXPECT_EQ(tables.PassengerLimits[0], (DepreciationLimitRow{2020, 310, 160, 110, 60}));
  EXPECT_EQ(tables.PassengerLimits[6], (DepreciationLimitRow{2020, 310, 160, 110, 60}));
  EXPECT_EQ(tables.PassengerLimits[7], (DepreciationLimitRow{2021, 300, 150, 100, 50}));
  EXPECT_EQ(tables.PassengerFirstYearNoBonus[7], (FirstYearLimitRow{2021, 200}));
  EXPECT_EQ(tables.ListedAmountA[1][4], -3.8f);

  // More than eight: the eight newest.
  std::string many = "year,first_year_with_bonus,first_year_without_bonus,second,third,later\n";
  for (int year = 2010; year <= 2020; ++year) {
    many += std::to_string(year) + ",9,8,7,6," + std::to_string(year - 2000) + "\n";
  }
  sources.PassengerLimits = sources.ElectricLimits = many;
  const AutoTablesBuild build = BuildAutoTables(sources);
  EXPECT_EQ(build.Tables.PassengerLimits[0][0], 2013.0f);
  EXPECT_EQ(build.Tables.PassengerLimits[7][4], 20.0f);
  EXPECT_FALSE(build.Notes.empty());

  // A closed table of two rows: the rows after it carry its top bound.
  sources = SmallSources();
  sources.PassengerLease =
      "fmv_over,fmv_not_over,year1,year2,year3,year4,year5\n100,200,1,2,3,4,5\n200,300,6,7,8,9,10\n";
  tables = BuildAutoTables(sources).Tables;
  EXPECT_EQ(tables.PassengerLease[1], (LeaseInclusionRow{200, 6, 7, 8, 9, 10}));
  EXPECT_EQ(tables.PassengerLease[2], (LeaseInclusionRow{300, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables.PassengerLease[74], (LeaseInclusionRow{300, 0, 0, 0, 0, 0}));
  EXPECT_EQ(tables.PassengerLease[75], (LeaseInclusionRow{}));
  // The electric file has no rows: block B takes the passenger table.
  EXPECT_EQ(tables.ElectricLease[1], (LeaseInclusionRow{200, 6, 7, 8, 9, 10}));
  EXPECT_EQ(tables.ElectricLease[31], (LeaseInclusionRow{300, 0, 0, 0, 0, 0}));
  TequMACRSDep closed(tables);
  InclusionAmounts amounts{};
  EXPECT_EQ(closed.AutoInclusion(300, amounts), 200);
  EXPECT_EQ(closed.AutoInclusion(300.5, amounts), 300);

  // An open top row covers every higher value.
  sources.PassengerLease =
      "fmv_over,fmv_not_over,year1,year2,year3,year4,year5\n100,200,1,2,3,4,5\n200,,6,7,8,9,10\n";
  tables = BuildAutoTables(sources).Tables;
  EXPECT_EQ(tables.PassengerLease[2][0], kOpenTopBound);
  amounts.fill(0);
  EXPECT_EQ(TequMACRSDep(tables).AutoInclusion(5.0e6, amounts), 200);
  EXPECT_EQ(amounts[5], 10.0);
}

TEST(AutoTableSourcesBuild, RefusesTablesThatAreNotOfTheirKind) {
  struct Case {
    const char* what;
    std::string AutoTableSources::*file;
    std::string text;
    const char* message;  // part of what()
  };
  const std::string limitsHeader = "year,first_year_with_bonus,first_year_without_bonus,second,third,later\n";
  const std::string leaseHeader = "fmv_over,fmv_not_over,year1,year2,year3,year4,year5\n";
  const Case cases[] = {
      {"wrong header", &AutoTableSources::PassengerLimits, "year,limit\n2020,1\n", "header"},
      {"empty file", &AutoTableSources::ElectricLimits, "", "empty"},
      {"no rows", &AutoTableSources::PassengerLimits, limitsHeader, "no rows"},
      {"not a number", &AutoTableSources::PassengerLimits, limitsHeader + "2020,1o0,1,1,1,1\n", "line 2"},
      {"cents", &AutoTableSources::PassengerLimits, limitsHeader + "2020,100.5,1,1,1,1\n", "whole number"},
      {"zero later limit", &AutoTableSources::PassengerLimits, limitsHeader + "2020,100,1,1,1,0\n",
       "too small"},
      {"short row", &AutoTableSources::PassengerLimits, limitsHeader + "2020,100,1,1,1\n", "fields"},
      {"year twice", &AutoTableSources::PassengerLimits, limitsHeader + "2020,1,1,1,1,1\n2020,2,2,2,2,2\n",
       "twice"},
      {"electric years differ", &AutoTableSources::ElectricLimits, limitsHeader + "2022,1,1,1,1,1\n",
       "differ"},
      {"gap between ranges", &AutoTableSources::PassengerLease,
       leaseHeader + "100,200,1,1,1,1,1\n250,300,1,1,1,1,1\n", "previous row"},
      {"open row in the middle", &AutoTableSources::PassengerLease,
       leaseHeader + "100,,1,1,1,1,1\n250,300,1,1,1,1,1\n", "open-ended"},
      {"empty range", &AutoTableSources::ElectricLease, leaseHeader + "100,100,1,1,1,1,1\n", "not above"},
      {"not exact in a single", &AutoTableSources::PassengerLease, leaseHeader + "100,16777217,1,1,1,1,1\n",
       "16777216"},
      {"eleven lease years", &AutoTableSources::ListedAmountA,
       "lease_year,under_7,7_to_under_10,10_and_more\n1,1,1,1\n", "lease years 1 to 12"},
  };
  for (const Case& c : cases) {
    AutoTableSources sources = SmallSources();
    sources.*c.file = c.text;
    try {
      BuildAutoTables(sources);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const EAutoTableSource& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
    }
  }
  EXPECT_THROW(ReadAutoTableSources(std::filesystem::path("/nonexistent/tables")), EAutoTableSource);
}

}  // namespace
}  // namespace quandrel
