#pragma once

// The yearly inflation rates of the purchasing power calculator: one rate item
// per year from 1960 to 2059, and the built-in table of published rates that
// fills them. The built-in rates are shipped data, read from a CSV file in
// the data folder the caller names; nothing here guesses where that folder is.
//
// The file ("cpi/us_cpi_u_dec_to_dec.csv" below the data folder) is UTF-8
// text (a byte-order mark is allowed) with the header line "year,percent",
// then one line per year: "1975,9.1". Years must lie in the table, once each,
// in any order; a rate is a plain decimal number ("-0.4", "11.0") greater
// than -100 and less than 100. Blank lines are allowed; line ends may be LF or
// CR LF. A year without a line has no published rate and stays 0.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace quandrel {

inline constexpr std::int32_t kFirstInflationYear = 1960;
inline constexpr std::int32_t kLastInflationYear = 2059;
inline constexpr std::size_t kInflationYears = kLastInflationYear - kFirstInflationYear + 1;

// Rates (percent) must lie strictly between these.
inline constexpr double kLowestInflationRate = -100.0;
inline constexpr double kHighestInflationRate = 100.0;

// The built-in table's file, relative to the data folder.
inline constexpr std::string_view kInflationRatesFile = "cpi/us_cpi_u_dec_to_dec.csv";
// A table of 100 short lines is far below this; a larger file is not ours.
inline constexpr std::size_t kMaxInflationRatesFileBytes = 64 * 1024;

struct TInflationRateItem {
  std::int32_t Year = 0;
  double Rate = 0;  // percent
};

// Item i is the year 1960 + i.
using TInflationRateItems = std::array<TInflationRateItem, kInflationYears>;

// Every year of the table with a rate of 0.
TInflationRateItems ZeroInflationRateItems();

// Raises 602 when last is before first, 603 when first is before 1960 and
// 605 when last is after 2059.
void CheckInflationYears(std::int32_t first, std::int32_t last);

// The items of the years first to last, in year order, after the checks of
// CheckInflationYears. The items must be a table in year order (item i the
// year 1960 + i).
std::span<const TInflationRateItem> InflationRatesForYears(
    std::span<const TInflationRateItem, kInflationYears> items, std::int32_t first, std::int32_t last);

// The published rates.
class TInflationTable {
 public:
  // Reads the built-in table from the data folder. Raises 609, with the file
  // and what is wrong with it, when the file is missing, unreadable or not a
  // valid table.
  static TInflationTable Load(const std::filesystem::path& dataFolder);

  // Reads a table from the text of such a file; sourceName names it in
  // messages.
  static TInflationTable FromCsvText(std::string_view text, std::string_view sourceName);

  // Every year of the table, the published rate or 0.
  const TInflationRateItems& Items() const { return m_items; }

  // The rate of a year (0 when none is published); a year outside the table
  // raises 603 or 605.
  double Rate(std::int32_t year) const;

  // False for a year without a published rate and for a year outside the
  // table.
  bool HasPublishedRate(std::int32_t year) const;

  // The years from first to last that have no published rate, in order, after
  // the checks of CheckInflationYears.
  std::vector<std::int32_t> YearsWithoutPublishedRate(std::int32_t first, std::int32_t last) const;

 private:
  TInflationTable();

  TInflationRateItems m_items;
  std::bitset<kInflationYears> m_published;
};

}  // namespace quandrel
