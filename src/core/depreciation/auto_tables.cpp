#include "core/depreciation/auto_tables.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string_view>

#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"
#include "core/io/file_store.h"

namespace quandrel {
namespace {

template <class Rows>
void WriteRows(BinaryWriter& writer, const Rows& rows) {
  for (const auto& row : rows) {
    for (float value : row) {
      writer.WriteSingle(value);
    }
  }
}

template <class Rows>
void ReadRows(BinaryReader& reader, Rows& rows) {
  for (auto& row : rows) {
    for (float& value : row) {
      value = reader.ReadFiniteSingle();
    }
  }
}

bool IsWhole(float value) {
  return std::trunc(value) == value;
}

std::string RowText(std::string_view block, std::size_t row) {
  return std::string(block) + " row " + std::to_string(row + 1);
}

std::string LimitFault(std::string_view block, const std::array<DepreciationLimitRow, kLimitRows>& limits) {
  for (std::size_t i = 0; i < limits.size(); ++i) {
    if (!IsWhole(limits[i][0])) {
      return RowText(block, i) + ": the year is not a whole number";
    }
    for (std::size_t c = 1; c < limits[i].size(); ++c) {
      if (!(limits[i][c] > 0.0f)) {
        return RowText(block, i) + ": a limit is zero or negative";
      }
    }
  }
  return {};
}

std::string FirstYearFault(std::string_view block, const std::array<FirstYearLimitRow, kLimitRows>& firstYear,
                           const std::array<DepreciationLimitRow, kLimitRows>& limits) {
  for (std::size_t i = 0; i < firstYear.size(); ++i) {
    if (firstYear[i][0] != limits[i][0]) {
      return RowText(block, i) + ": the year differs from its limit row";
    }
    if (!(firstYear[i][1] > 0.0f)) {
      return RowText(block, i) + ": the limit is zero or negative";
    }
  }
  return {};
}

template <std::size_t Rows>
std::string LeaseFault(std::string_view block, const std::array<LeaseInclusionRow, Rows>& rows,
                       std::size_t selectable) {
  // The bounds of the selectable rows and the upper bound after them.
  for (std::size_t i = 0; i <= selectable; ++i) {
    if (rows[i][0] < 0.0f) {
      return RowText(block, i) + ": a negative bound";
    }
    if (i > 0 && rows[i][0] < rows[i - 1][0]) {
      return RowText(block, i) + ": the bound is below the previous row's";
    }
    for (std::size_t c = 1; c < rows[i].size(); ++c) {
      if (rows[i][c] < 0.0f) {
        return RowText(block, i) + ": a negative amount";
      }
    }
  }
  return {};
}

}  // namespace

std::string AutoTablesTag(const AutoTables& tables) {
  std::string tag;
  for (std::uint8_t byte : tables.Header) {
    if (byte == 0) {
      break;
    }
    tag.push_back(static_cast<char>(byte));
  }
  return tag;
}

void SetAutoTablesTag(AutoTables& tables, const std::string& tag) {
  tables.Header.fill(0);
  const std::size_t length = std::min(tag.size(), tables.Header.size() - 1);
  for (std::size_t i = 0; i < length; ++i) {
    tables.Header[i] = static_cast<std::uint8_t>(tag[i]);
  }
}

std::vector<std::uint8_t> WriteAutoBin(const AutoTables& tables) {
  BinaryWriter writer;
  writer.WriteBytes(tables.Header);
  WriteRows(writer, tables.PassengerLease);
  WriteRows(writer, tables.ElectricLease);
  WriteRows(writer, tables.PassengerLimits);
  WriteRows(writer, tables.ElectricLimits);
  WriteRows(writer, tables.PassengerFirstYearNoBonus);
  WriteRows(writer, tables.ElectricFirstYearNoBonus);
  WriteRows(writer, tables.ListedAmountA);
  WriteRows(writer, tables.ListedAmountB);
  return std::move(writer).TakeBytes();
}

AutoTables ReadAutoBin(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kAutoBinSize) {
    throw EDataFileError(DataFileErrorKind::TrailingBytes, "auto.bin is longer than its layout",
                         kAutoBinSize);
  }
  BinaryReader reader(bytes);
  AutoTables tables;
  const auto header = reader.ReadBytes(kAutoBinHeaderSize);
  std::copy(header.begin(), header.end(), tables.Header.begin());
  ReadRows(reader, tables.PassengerLease);
  ReadRows(reader, tables.ElectricLease);
  ReadRows(reader, tables.PassengerLimits);
  ReadRows(reader, tables.ElectricLimits);
  ReadRows(reader, tables.PassengerFirstYearNoBonus);
  ReadRows(reader, tables.ElectricFirstYearNoBonus);
  ReadRows(reader, tables.ListedAmountA);
  ReadRows(reader, tables.ListedAmountB);
  reader.ExpectEnd();
  return tables;
}

std::string AutoTablesFault(const AutoTables& tables) {
  for (std::string fault : {LimitFault("C", tables.PassengerLimits), LimitFault("D", tables.ElectricLimits),
                            FirstYearFault("E", tables.PassengerFirstYearNoBonus, tables.PassengerLimits),
                            FirstYearFault("F", tables.ElectricFirstYearNoBonus, tables.ElectricLimits),
                            LeaseFault("A", tables.PassengerLease, kPassengerLeaseSelectable),
                            LeaseFault("B", tables.ElectricLease, kElectricLeaseSelectable)}) {
    if (!fault.empty()) {
      return fault;
    }
  }
  for (std::size_t i = 0; i < kLimitRows; ++i) {
    if (tables.ElectricLimits[i][0] != tables.PassengerLimits[i][0]) {
      return RowText("D", i) + ": the year differs from block C";
    }
  }
  return {};
}

std::optional<AutoTables> LoadAutoTables(const std::filesystem::path& folder) {
  try {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(folder / kAutoBinFileName, kAutoBinSize);
    AutoTables tables = ReadAutoBin(bytes);
    if (!AutoTablesFault(tables).empty()) {
      return std::nullopt;
    }
    return tables;
  } catch (const EDataFileError&) {
    return std::nullopt;
  } catch (const std::filesystem::filesystem_error&) {
    return std::nullopt;
  }
}

}  // namespace quandrel
