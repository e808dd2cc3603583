#include "core/depreciation/auto_table_sources.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/depreciation/depreciation_base.h"
#include "core/io/data_file_error.h"
#include "core/io/file_store.h"

namespace quandrel {
namespace {

// A published table file is a few kilobytes; this bounds what a wrong file
// can make us read.
constexpr std::size_t kMaxCsvBytes = 1 << 20;
// The largest whole number a single holds exactly.
constexpr double kSingleExactLimit = 16777216.0;

struct CsvLine {
  std::size_t number = 0;  // 1-based line of the file
  std::vector<std::string> fields;
};

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

[[noreturn]] void Fail(std::string_view file, std::size_t line, const std::string& what) {
  std::string text(file);
  if (line > 0) {
    text += ", line " + std::to_string(line);
  }
  throw EAutoTableSource(text + ": " + what);
}

// The data lines after the header, which must be exactly the expected one.
std::vector<CsvLine> ParseCsv(std::string_view file, std::string_view text, std::string_view header) {
  std::vector<CsvLine> lines;
  bool sawHeader = false;
  std::size_t number = 0;
  std::size_t start = 0;
  // A byte-order mark some editors put in front.
  if (text.starts_with("\xEF\xBB\xBF")) {
    start = 3;
  }
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view raw = Trim(text.substr(start, end - start));
    ++number;
    start = end + 1;
    if (raw.empty()) {
      continue;
    }
    if (!sawHeader) {
      if (raw != header) {
        Fail(file, number, "the header is not \"" + std::string(header) + "\"");
      }
      sawHeader = true;
      continue;
    }
    CsvLine line;
    line.number = number;
    std::size_t fieldStart = 0;
    while (true) {
      const std::size_t comma = raw.find(',', fieldStart);
      line.fields.emplace_back(Trim(raw.substr(fieldStart, comma - fieldStart)));
      if (comma == std::string_view::npos) {
        break;
      }
      fieldStart = comma + 1;
    }
    const auto columns = static_cast<std::size_t>(std::count(header.begin(), header.end(), ',') + 1);
    if (line.fields.size() != columns) {
      Fail(file, number, "expected " + std::to_string(columns) + " fields");
    }
    lines.push_back(std::move(line));
  }
  if (!sawHeader) {
    Fail(file, 0, "the file is empty (no header)");
  }
  return lines;
}

double Number(std::string_view file, const CsvLine& line, std::size_t column) {
  const std::string& field = line.fields[column];
  double value = 0;
  const char* first = field.data();
  const char* last = field.data() + field.size();
  if (first != last && *first == '+') {
    ++first;
  }
  const auto parsed = std::from_chars(first, last, value);
  if (field.empty() || parsed.ec != std::errc() || parsed.ptr != last || !std::isfinite(value)) {
    Fail(file, line.number, "field " + std::to_string(column + 1) + " is not a number: \"" + field + "\"");
  }
  return value;
}

// A whole number of dollars (or a year) that a single holds exactly.
float Whole(std::string_view file, const CsvLine& line, std::size_t column, double minimum) {
  const double value = Number(file, line, column);
  if (std::trunc(value) != value || std::fabs(value) >= kSingleExactLimit) {
    Fail(file, line.number,
         "field " + std::to_string(column + 1) +
             " is not a whole number below 16777216: " + line.fields[column]);
  }
  if (value < minimum) {
    Fail(file, line.number, "field " + std::to_string(column + 1) + " is too small: " + line.fields[column]);
  }
  return static_cast<float>(value);
}

struct LimitsRow {
  float year = 0;
  float withBonus = 0;
  float withoutBonus = 0;
  float second = 0;
  float third = 0;
  float later = 0;
};

void BuildLimits(std::string_view file, std::string_view text,
                 std::array<DepreciationLimitRow, kLimitRows>& limits,
                 std::array<FirstYearLimitRow, kLimitRows>& firstYear, std::vector<std::string>& notes) {
  const auto lines =
      ParseCsv(file, text, "year,first_year_with_bonus,first_year_without_bonus,second,third,later");
  std::map<float, LimitsRow> byYear;
  for (const CsvLine& line : lines) {
    LimitsRow row;
    row.year = Whole(file, line, 0, 1600);
    if (row.year > static_cast<float>(kLastScheduleYear)) {
      Fail(file, line.number, "the year is after 9999");
    }
    row.withBonus = Whole(file, line, 1, 1);
    row.withoutBonus = Whole(file, line, 2, 1);
    row.second = Whole(file, line, 3, 1);
    row.third = Whole(file, line, 4, 1);
    row.later = Whole(file, line, 5, 1);
    if (!byYear.emplace(row.year, row).second) {
      Fail(file, line.number, "the year appears twice");
    }
  }
  if (byYear.empty()) {
    Fail(file, 0, "the table has no rows");
  }
  std::vector<LimitsRow> rows;
  for (const auto& entry : byYear) {
    rows.push_back(entry.second);
  }
  if (rows.size() > kLimitRows) {
    notes.push_back(std::string(file) + ": kept the " + std::to_string(kLimitRows) + " newest of " +
                    std::to_string(rows.size()) + " years");
    rows.erase(rows.begin(), rows.end() - static_cast<std::ptrdiff_t>(kLimitRows));
  }
  while (rows.size() < kLimitRows) {
    rows.insert(rows.begin(), rows.front());
  }
  for (std::size_t i = 0; i < kLimitRows; ++i) {
    limits[i] = {rows[i].year, rows[i].withBonus, rows[i].second, rows[i].third, rows[i].later};
    firstYear[i] = {rows[i].year, rows[i].withoutBonus};
  }
}

struct LeaseRow {
  std::size_t line = 0;
  float over = 0;
  std::optional<float> notOver;  // empty: open-ended top row
  std::array<float, 5> amounts{};
};

std::vector<LeaseRow> ParseLease(std::string_view file, std::string_view text) {
  const auto lines = ParseCsv(file, text, "fmv_over,fmv_not_over,year1,year2,year3,year4,year5");
  std::vector<LeaseRow> rows;
  for (const CsvLine& line : lines) {
    LeaseRow row;
    row.line = line.number;
    row.over = Whole(file, line, 0, 0);
    if (!line.fields[1].empty()) {
      row.notOver = Whole(file, line, 1, 0);
      if (!(*row.notOver > row.over)) {
        Fail(file, line.number, "fmv_not_over is not above fmv_over");
      }
    }
    for (std::size_t c = 0; c < row.amounts.size(); ++c) {
      row.amounts[c] = Whole(file, line, c + 2, 0);
    }
    if (!rows.empty()) {
      const LeaseRow& previous = rows.back();
      if (!previous.notOver) {
        Fail(file, line.number, "only the last row can be open-ended");
      }
      if (*previous.notOver != row.over) {
        Fail(file, line.number, "fmv_over is not the previous row's fmv_not_over");
      }
    }
    rows.push_back(row);
  }
  return rows;
}

template <std::size_t Rows>
void FillLease(std::string_view file, const std::vector<LeaseRow>& rows, std::size_t selectable,
               std::array<LeaseInclusionRow, Rows>& block, std::vector<std::string>& notes) {
  block = {};
  if (rows.empty()) {
    notes.push_back(std::string(file) + ": no rows; the block is zeros and selects nothing");
    return;
  }
  const std::size_t kept = std::min(rows.size(), selectable);
  for (std::size_t i = 0; i < kept; ++i) {
    block[i][0] = rows[i].over;
    std::copy(rows[i].amounts.begin(), rows[i].amounts.end(), block[i].begin() + 1);
  }
  const LeaseRow& top = rows[kept - 1];
  const float topBound = top.notOver ? *top.notOver : kOpenTopBound;
  for (std::size_t i = kept; i <= selectable; ++i) {
    block[i][0] = topBound;
  }
  if (rows.size() > selectable) {
    notes.push_back(std::string(file) + ": " + std::to_string(rows.size()) + " rows, the block selects " +
                    std::to_string(selectable) + "; values above " +
                    std::to_string(static_cast<long long>(topBound)) + " get no inclusion");
  }
}

void BuildListed(std::string_view file, std::string_view text, ListedPercentTable& table) {
  const auto lines = ParseCsv(file, text, "lease_year,under_7,7_to_under_10,10_and_more");
  if (lines.size() != kListedLeaseYears) {
    Fail(file, 0, "expected lease years 1 to 12, found " + std::to_string(lines.size()) + " rows");
  }
  for (std::size_t year = 0; year < kListedLeaseYears; ++year) {
    const CsvLine& line = lines[year];
    if (Number(file, line, 0) != static_cast<double>(year + 1)) {
      Fail(file, line.number, "expected lease year " + std::to_string(year + 1));
    }
    for (std::size_t c = 0; c < kListedClasses; ++c) {
      const double percent = Number(file, line, c + 1);
      if (std::fabs(percent) > 100.0) {
        Fail(file, line.number, "a percentage outside -100..100");
      }
      table[c][year] = static_cast<float>(percent);
    }
  }
}

std::string ReadSource(const std::filesystem::path& folder, const char* name) {
  try {
    const auto bytes = ReadWholeFile(folder / name, kMaxCsvBytes);
    return std::string(bytes.begin(), bytes.end());
  } catch (const EDataFileError& e) {
    throw EAutoTableSource((folder / name).string() + ": " + e.what());
  }
}

}  // namespace

AutoTableSources ReadAutoTableSources(const std::filesystem::path& folder) {
  AutoTableSources sources;
  sources.PassengerLimits = ReadSource(folder, kPassengerLimitsCsv);
  sources.ElectricLimits = ReadSource(folder, kElectricLimitsCsv);
  sources.PassengerLease = ReadSource(folder, kPassengerLeaseCsv);
  sources.ElectricLease = ReadSource(folder, kElectricLeaseCsv);
  sources.ListedAmountA = ReadSource(folder, kListedAmountACsv);
  sources.ListedAmountB = ReadSource(folder, kListedAmountBCsv);
  return sources;
}

AutoTablesBuild BuildAutoTables(const AutoTableSources& sources) {
  AutoTablesBuild build;
  AutoTables& tables = build.Tables;
  BuildLimits(kPassengerLimitsCsv, sources.PassengerLimits, tables.PassengerLimits,
              tables.PassengerFirstYearNoBonus, build.Notes);
  BuildLimits(kElectricLimitsCsv, sources.ElectricLimits, tables.ElectricLimits,
              tables.ElectricFirstYearNoBonus, build.Notes);
  for (std::size_t i = 0; i < kLimitRows; ++i) {
    if (tables.ElectricLimits[i][0] != tables.PassengerLimits[i][0]) {
      Fail(kElectricLimitsCsv, 0, "the years kept differ from the passenger table's");
    }
  }

  const std::vector<LeaseRow> passengerLease = ParseLease(kPassengerLeaseCsv, sources.PassengerLease);
  const std::vector<LeaseRow> electricLease = ParseLease(kElectricLeaseCsv, sources.ElectricLease);
  FillLease(kPassengerLeaseCsv, passengerLease, kPassengerLeaseSelectable, tables.PassengerLease,
            build.Notes);
  if (electricLease.empty() && !passengerLease.empty()) {
    build.Notes.push_back(std::string(kElectricLeaseCsv) + ": no rows; block B takes the passenger table");
    FillLease(kPassengerLeaseCsv, passengerLease, kElectricLeaseSelectable, tables.ElectricLease,
              build.Notes);
  } else {
    FillLease(kElectricLeaseCsv, electricLease, kElectricLeaseSelectable, tables.ElectricLease, build.Notes);
  }

  BuildListed(kListedAmountACsv, sources.ListedAmountA, tables.ListedAmountA);
  BuildListed(kListedAmountBCsv, sources.ListedAmountB, tables.ListedAmountB);

  const auto firstYear = static_cast<long long>(tables.PassengerLimits.front()[0]);
  const auto lastYear = static_cast<long long>(tables.PassengerLimits.back()[0]);
  SetAutoTablesTag(tables, "auto.bin limits " + std::to_string(firstYear) + "-" + std::to_string(lastYear));

  const std::string fault = AutoTablesFault(tables);
  if (!fault.empty()) {
    throw EAutoTableSource("the tables built are not sound: " + fault);
  }
  return build;
}

}  // namespace quandrel
