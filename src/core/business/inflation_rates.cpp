#include "core/business/inflation_rates.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/business/general_business_exception.h"
#include "core/io/data_file_error.h"
#include "core/io/file_store.h"

namespace quandrel {
namespace {

std::size_t YearIndex(std::int32_t year) {
  return static_cast<std::size_t>(year - kFirstInflationYear);
}

bool InTable(std::int32_t year) {
  return year >= kFirstInflationYear && year <= kLastInflationYear;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

[[noreturn]] void RaiseBadTable(std::string_view sourceName, std::size_t line, std::string_view what) {
  std::string detail(sourceName);
  if (line > 0) {
    detail += ", line " + std::to_string(line);
  }
  detail += ": ";
  detail += what;
  RaiseGeneralBusinessError(business_error::kInflationTableUnreadable, detail);
}

// A whole number of digits only ("1975").
bool ReadYear(std::string_view text, std::int32_t& year) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
  return error == std::errc() && end == text.data() + text.size();
}

// A plain decimal number: an optional "-", digits, an optional "." with
// digits. No exponent, no "+", no infinities or NaN.
bool ReadRate(std::string_view text, double& rate) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') {
    digits.remove_prefix(1);
  }
  const std::size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  const auto allDigits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (whole.empty() || !allDigits(whole) || !allDigits(fraction) ||
      (point != std::string_view::npos && fraction.empty())) {
    return false;
  }
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), rate, std::chars_format::fixed);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(rate);
}

}  // namespace

TInflationRateItems ZeroInflationRateItems() {
  TInflationRateItems items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i].Year = kFirstInflationYear + static_cast<std::int32_t>(i);
    items[i].Rate = 0;
  }
  return items;
}

void CheckInflationYears(std::int32_t first, std::int32_t last) {
  if (last < first) {
    RaiseGeneralBusinessError(business_error::kPeriodSequence);
  }
  if (first < kFirstInflationYear) {
    RaiseGeneralBusinessError(business_error::kStartTooEarly);
  }
  if (last > kLastInflationYear) {
    RaiseGeneralBusinessError(business_error::kEndTooLate);
  }
}

std::span<const TInflationRateItem> InflationRatesForYears(
    std::span<const TInflationRateItem, kInflationYears> items, std::int32_t first, std::int32_t last) {
  CheckInflationYears(first, last);
  return std::span<const TInflationRateItem>(items).subspan(YearIndex(first),
                                                            static_cast<std::size_t>(last - first) + 1);
}

TInflationTable::TInflationTable() : m_items(ZeroInflationRateItems()) {}

TInflationTable TInflationTable::FromCsvText(std::string_view text, std::string_view sourceName) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  TInflationTable table;
  bool headerSeen = false;
  std::size_t lineNumber = 0;
  std::size_t rates = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    line = Trimmed(line);
    if (line.empty()) {
      continue;
    }
    if (!headerSeen) {
      if (line != "year,percent") {
        RaiseBadTable(sourceName, lineNumber, "the first line must be \"year,percent\"");
      }
      headerSeen = true;
      continue;
    }
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
      RaiseBadTable(sourceName, lineNumber, "a line must hold a year and a rate divided by one comma");
    }
    std::int32_t year = 0;
    if (!ReadYear(Trimmed(line.substr(0, comma)), year)) {
      RaiseBadTable(sourceName, lineNumber, "the year is not a whole number");
    }
    if (!InTable(year)) {
      RaiseBadTable(sourceName, lineNumber,
                    "the year " + std::to_string(year) + " is outside " +
                        std::to_string(kFirstInflationYear) + " to " + std::to_string(kLastInflationYear));
    }
    if (table.m_published.test(YearIndex(year))) {
      RaiseBadTable(sourceName, lineNumber, "the year " + std::to_string(year) + " is given twice");
    }
    double rate = 0;
    if (!ReadRate(Trimmed(line.substr(comma + 1)), rate)) {
      RaiseBadTable(sourceName, lineNumber, "the rate is not a decimal number");
    }
    if (!(rate > kLowestInflationRate && rate < kHighestInflationRate)) {
      RaiseBadTable(sourceName, lineNumber, "the rate must be greater than -100 and less than 100");
    }
    table.m_items[YearIndex(year)].Rate = rate;
    table.m_published.set(YearIndex(year));
    ++rates;
  }
  if (!headerSeen) {
    RaiseBadTable(sourceName, 0, "the file is empty");
  }
  if (rates == 0) {
    RaiseBadTable(sourceName, 0, "the file holds no rates");
  }
  return table;
}

TInflationTable TInflationTable::Load(const std::filesystem::path& dataFolder) {
  const std::filesystem::path path = dataFolder / std::filesystem::path(kInflationRatesFile);
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path, kMaxInflationRatesFileBytes);
  } catch (const EDataFileError& e) {
    RaiseBadTable(path.string(), 0, DataFileErrorKindName(e.Kind()));
  }
  const std::string text(bytes.begin(), bytes.end());
  return FromCsvText(text, path.string());
}

double TInflationTable::Rate(std::int32_t year) const {
  CheckInflationYears(year, year);
  return m_items[YearIndex(year)].Rate;
}

bool TInflationTable::HasPublishedRate(std::int32_t year) const {
  return InTable(year) && m_published.test(YearIndex(year));
}

std::vector<std::int32_t> TInflationTable::YearsWithoutPublishedRate(std::int32_t first,
                                                                     std::int32_t last) const {
  CheckInflationYears(first, last);
  std::vector<std::int32_t> years;
  for (std::int32_t year = first; year <= last; ++year) {
    if (!m_published.test(YearIndex(year))) {
      years.push_back(year);
    }
  }
  return years;
}

}  // namespace quandrel
