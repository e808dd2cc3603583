#include "core/business/inflation_rates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "business_test_support.h"
#include "core/business/purchasing_power_equation.h"

namespace quandrel {
namespace {

using testing::BusinessErrorCode;

const std::filesystem::path kDataFolder = QUANDREL_SOURCE_DATA_DIR;

// The rates the purchasing power calculator has always shipped with, 1960 to
// 2006, and a few published December-to-December changes of later years.
constexpr double kShippedRates[] = {
    1.6,  1.0,  1.1, 1.2, 1.3,  1.7, 2.9, 2.9, 4.2, 5.4,   // 1960
    5.9,  4.3,  3.3, 6.2, 11.0, 9.1, 5.8, 6.5, 7.6, 11.5,  // 1970
    13.5, 10.4, 6.1, 3.2, 4.3,  3.6, 1.9, 3.7, 4.1, 4.8,   // 1980
    5.4,  4.2,  3.0, 3.0, 2.6,  2.5, 3.3, 1.7, 1.6, 2.7,   // 1990
    3.4,  1.6,  2.4, 1.9, 3.3,  3.4, 2.5,                  // 2000
};

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const EGeneralBusinessException& e) {
    return std::to_string(e.Code()) + " " + e.what();
  }
  return "no error";
}

TEST(TInflationTable, ShippedTableHoldsTheGivenAndThePublishedRates) {
  const TInflationTable table = TInflationTable::Load(kDataFolder);
  const TInflationRateItems& items = table.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].Year, 1960 + static_cast<int>(i));
  }
  for (std::size_t i = 0; i < std::size(kShippedRates); ++i) {
    EXPECT_EQ(items[i].Rate, kShippedRates[i]) << items[i].Year;
    EXPECT_TRUE(table.HasPublishedRate(items[i].Year));
  }
  EXPECT_EQ(table.Rate(2007), 4.1);
  EXPECT_EQ(table.Rate(2008), 0.1);
  EXPECT_EQ(table.Rate(2021), 7.0);
  EXPECT_EQ(table.Rate(2025), 2.7);

  // Years not yet published stay 0 and are named as such.
  EXPECT_EQ(table.Rate(2059), 0);
  EXPECT_FALSE(table.HasPublishedRate(2026));
  EXPECT_FALSE(table.HasPublishedRate(1959));
  EXPECT_FALSE(table.HasPublishedRate(2060));
  EXPECT_EQ(table.YearsWithoutPublishedRate(2023, 2028), (std::vector<std::int32_t>{2026, 2027, 2028}));
  EXPECT_TRUE(table.YearsWithoutPublishedRate(1960, 2025).empty());
}

TEST(TInflationTable, YearsOutsideTheTableAreRefused) {
  const TInflationTable table = TInflationTable::Load(kDataFolder);
  EXPECT_EQ(BusinessErrorCode([&] { table.Rate(1959); }), 603);
  EXPECT_EQ(BusinessErrorCode([&] { table.Rate(2060); }), 605);
  EXPECT_EQ(BusinessErrorCode([&] { table.YearsWithoutPublishedRate(2000, 2060); }), 605);

  struct Case {
    std::int32_t first, last;
    int code;
  };
  const Case cases[] = {
      {1990, 1989, 602}, {1950, 1940, 602},  // the sequence is checked first
      {1959, 1970, 603}, {-5, 3000, 603},   {2000, 2060, 605},
      {2059, 2059, 0},   {1960, 1960, 0},   {1960, 2059, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BusinessErrorCode([&] { CheckInflationYears(c.first, c.last); }), c.code)
        << c.first << "-" << c.last;
    EXPECT_EQ(BusinessErrorCode([&] { InflationRatesForYears(table.Items(), c.first, c.last); }), c.code);
  }
  const auto all = InflationRatesForYears(table.Items(), 1960, 2059);
  EXPECT_EQ(all.size(), 100U);
  EXPECT_EQ(all.back().Year, 2059);
  const auto some = InflationRatesForYears(table.Items(), 1974, 1975);
  ASSERT_EQ(some.size(), 2U);
  EXPECT_EQ(some[0].Year, 1974);
  EXPECT_EQ(some[1].Rate, 9.1);
}

TEST(TInflationTable, AcceptsTheFileFormItsEditorsMayWrite) {
  const std::string text =
      "\xEF\xBB\xBFyear,percent\r\n"
      "\r\n"
      "2009, -0.4 \r\n"
      "1960,1.6\r\n"
      "2059,99.9\n"
      "1975,9";
  const TInflationTable table = TInflationTable::FromCsvText(text, "rates.csv");
  EXPECT_EQ(table.Rate(2009), -0.4);
  EXPECT_EQ(table.Rate(1960), 1.6);
  EXPECT_EQ(table.Rate(2059), 99.9);
  EXPECT_EQ(table.Rate(1975), 9.0);
  EXPECT_EQ(table.Rate(1961), 0);
  EXPECT_FALSE(table.HasPublishedRate(1961));
  EXPECT_TRUE(table.HasPublishedRate(2009));
}

TEST(TInflationTable, DamagedFilesAreRefusedWithWhereAndWhy) {
  struct Case {
    const char* text;
    const char* detail;
  };
  const Case cases[] = {
      {"", "rates.csv: the file is empty"},
      {"\n \n", "rates.csv: the file is empty"},
      {"year,percent\n", "rates.csv: the file holds no rates"},
      {"year;percent\n1960;1.6\n", "rates.csv, line 1: the first line must be \"year,percent\""},
      {"1960,1.6\n", "rates.csv, line 1: the first line must be \"year,percent\""},
      {"year,percent\n1960;1.6\n",
       "rates.csv, line 2: a line must hold a year and a rate divided by one comma"},
      {"year,percent\n1960,1.6,x\n",
       "rates.csv, line 2: a line must hold a year and a rate divided by one comma"},
      {"year,percent\nabc,1.6\n", "rates.csv, line 2: the year is not a whole number"},
      {"year,percent\n-1960,1.6\n", "rates.csv, line 2: the year is not a whole number"},
      {"year,percent\n1960.0,1.6\n", "rates.csv, line 2: the year is not a whole number"},
      {"year,percent\n\n1959,1.6\n", "rates.csv, line 3: the year 1959 is outside 1960 to 2059"},
      {"year,percent\n2060,1.6\n", "rates.csv, line 2: the year 2060 is outside 1960 to 2059"},
      {"year,percent\n1961,1.0\n1961,1.1\n", "rates.csv, line 3: the year 1961 is given twice"},
      {"year,percent\n1960,\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,1.6.1\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,1e1\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,+1.6\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,inf\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,nan\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,1,6\n",
       "rates.csv, line 2: a line must hold a year and a rate divided by one comma"},
      {"year,percent\n1960,.5\n", "rates.csv, line 2: the rate is not a decimal number"},
      {"year,percent\n1960,100\n", "rates.csv, line 2: the rate must be greater than -100 and less than 100"},
      {"year,percent\n1960,-100.0\n",
       "rates.csv, line 2: the rate must be greater than -100 and less than 100"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorText([&] { TInflationTable::FromCsvText(c.text, "rates.csv"); }),
              std::string("609 The built-in inflation rates could not be read.\r\r") + c.detail)
        << c.text;
  }
}

TEST(TInflationTable, AMissingFileNamesThePath) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("quandrel_inflation_test_" + std::to_string(std::random_device{}()));
  std::filesystem::remove_all(folder);
  const std::string missing = ErrorText([&] { TInflationTable::Load(folder); });
  EXPECT_EQ(missing.rfind("609 ", 0), 0U) << missing;
  EXPECT_NE(missing.find((folder / "cpi" / "us_cpi_u_dec_to_dec.csv").string()), std::string::npos)
      << missing;

  std::filesystem::create_directories(folder / "cpi");
  {
    std::ofstream out(folder / "cpi" / "us_cpi_u_dec_to_dec.csv", std::ios::binary);
    out << "year,percent\n1960,x\n";
  }
  const std::string damaged = ErrorText([&] { TInflationTable::Load(folder); });
  EXPECT_NE(damaged.find("us_cpi_u_dec_to_dec.csv, line 2: the rate is not a decimal number"),
            std::string::npos)
      << damaged;
  std::filesystem::remove_all(folder);
}

TEST(TequPurPower, CompoundsTheRatesOfTheChosenYears) {
  TequPurPower power;
  const TInflationRateItem tenPercent[] = {{2000, 10}, {2001, 10}};
  power.Calculate(tenPercent, 100);
  EXPECT_DOUBLE_EQ(power.EqualValue, 121);
  EXPECT_DOUBLE_EQ(power.ActualValue, 81);

  // 1960 to 1962 from the shipped table: 1.6, 1.0 and 1.1 percent.
  const TInflationTable table = TInflationTable::Load(kDataFolder);
  power.Calculate(InflationRatesForYears(table.Items(), 1960, 1962), 1000);
  EXPECT_NEAR(power.EqualValue, 1037.44776, 1e-9);  // 1000 x 1.016 x 1.010 x 1.011
  EXPECT_NEAR(power.ActualValue, 963.44424, 1e-9);  // 1000 x 0.984 x 0.990 x 0.989

  // No years, or years without a published rate, leave the amount as it is.
  power.Calculate({}, 250);
  EXPECT_EQ(power.EqualValue, 250);
  EXPECT_EQ(power.ActualValue, 250);
  power.Calculate(InflationRatesForYears(table.Items(), 2030, 2035), 250);
  EXPECT_EQ(power.EqualValue, 250);

  // Falling prices.
  const TInflationRateItem deflation[] = {{2009, -0.4}};
  power.Calculate(deflation, 1000);
  EXPECT_DOUBLE_EQ(power.EqualValue, 996);
  EXPECT_DOUBLE_EQ(power.ActualValue, 1004);
}

TEST(TequPurPower, RatesThatWouldWipeOutTheAmountAreRefused) {
  TequPurPower power;
  const TInflationRateItem ok[] = {{2000, 10}};
  power.Calculate(ok, 100);
  struct Case {
    double rate;
    double amount;
    int code;
  };
  const Case cases[] = {
      {100, 100, 610},
      {150, 100, 610},
      {-100, 100, 610},
      {std::numeric_limits<double>::quiet_NaN(), 100, 608},
      {10, std::numeric_limits<double>::infinity(), 608},
      {99.9, 1e308, 608},  // grows beyond a double
  };
  for (const Case& c : cases) {
    const TInflationRateItem items[] = {{2000, 5}, {2001, c.rate}};
    EXPECT_EQ(BusinessErrorCode([&] { power.Calculate(items, c.amount); }), c.code) << c.rate;
    EXPECT_DOUBLE_EQ(power.EqualValue, 110);
    EXPECT_DOUBLE_EQ(power.ActualValue, 90);
  }
}

}  // namespace
}  // namespace quandrel
