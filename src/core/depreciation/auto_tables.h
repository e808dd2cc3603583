#pragma once

// The tables of auto.bin: passenger and electric automobile depreciation
// limits, lease inclusion amounts and the listed-property inclusion
// percentages, exactly as the file stores them (IEEE singles).
//
// File layout (little-endian, 3384 bytes): a 32-byte header (a provenance
// tag, ignored on reading), then the blocks A to H in the order of the
// members below, each row after row.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quandrel {

inline constexpr std::size_t kAutoBinHeaderSize = 32;
inline constexpr std::size_t kAutoBinSize = 3384;
inline constexpr const char* kAutoBinFileName = "auto.bin";

// Rows of the lease inclusion blocks, and how many of them a value can select:
// the row after the last selectable one holds only its upper bound, and the
// last row is never read.
inline constexpr std::size_t kPassengerLeaseRows = 76;
inline constexpr std::size_t kPassengerLeaseSelectable = 74;
inline constexpr std::size_t kElectricLeaseRows = 33;
inline constexpr std::size_t kElectricLeaseSelectable = 31;
inline constexpr std::size_t kLimitRows = 8;
inline constexpr std::size_t kListedClasses = 3;
inline constexpr std::size_t kListedLeaseYears = 12;

// Column 0: fair-market-value lower bound (the row covers values above it up
// to the next row's bound); columns 1-5: inclusion amount for lease years 1, 2,
// 3, 4 and 5 and later.
using LeaseInclusionRow = std::array<float, 6>;
// Column 0: calendar year placed in service; 1: first-year limit with the
// special allowance; 2: second year; 3: third year; 4: each later year.
using DepreciationLimitRow = std::array<float, 5>;
// Column 0: year; 1: first-year limit without the special allowance.
using FirstYearLimitRow = std::array<float, 2>;
// Class 0: recovery period under 7 years, 1: 7 to under 10, 2: 10 and more;
// entries for lease years 1 to 12 (the last one for 12 and later).
using ListedPercentTable = std::array<std::array<float, kListedLeaseYears>, kListedClasses>;

struct AutoTables {
  std::array<std::uint8_t, kAutoBinHeaderSize> Header{};
  std::array<LeaseInclusionRow, kPassengerLeaseRows> PassengerLease{};    // A
  std::array<LeaseInclusionRow, kElectricLeaseRows> ElectricLease{};      // B
  std::array<DepreciationLimitRow, kLimitRows> PassengerLimits{};         // C
  std::array<DepreciationLimitRow, kLimitRows> ElectricLimits{};          // D
  std::array<FirstYearLimitRow, kLimitRows> PassengerFirstYearNoBonus{};  // E
  std::array<FirstYearLimitRow, kLimitRows> ElectricFirstYearNoBonus{};   // F
  ListedPercentTable ListedAmountA{};                                     // G
  ListedPercentTable ListedAmountB{};                                     // H
};

// The header's text up to its first zero byte.
std::string AutoTablesTag(const AutoTables& tables);
// Stores the tag (at most 31 characters, zero padded; longer is cut).
void SetAutoTablesTag(AutoTables& tables, const std::string& tag);

// The file image of the tables.
std::vector<std::uint8_t> WriteAutoBin(const AutoTables& tables);

// Parses a file image. Raises EDataFileError when the image is not exactly
// the layout (short, long, a NaN or infinity anywhere).
AutoTables ReadAutoBin(std::span<const std::uint8_t> bytes);

// Why tables that parse are still unusable, or empty when they are sound:
// a limit that is zero or negative (a schedule capped by it would never use
// up its basis, or would deduct negative amounts), a year that is not a whole
// number or that differs between the blocks whose rows belong together,
// lease bounds that fall, negative lease amounts.
std::string AutoTablesFault(const AutoTables& tables);

// Reads folder/auto.bin. Nothing when the file is missing, unreadable, not
// the layout or not sound; never throws for any content of the file.
std::optional<AutoTables> LoadAutoTables(const std::filesystem::path& folder);

}  // namespace quandrel
