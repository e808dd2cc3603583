#pragma once

// The ".npv" and ".irr" data files: a header of the calculator's values,
// then the cash-flow records (16 bytes each, entry 0 first). Version 1.1 is
// read and written; version 1.0 (a shorter header whose count is n + 1,
// followed by the n periodic flows only) is read.
//
// Parsing checks every value before anything is kept: a file of the other
// calculator, of another version, cut short, with bytes left over, with a
// count that does not match its length, a frequency outside the list, a
// date outside the calendar or an amount that is not finite raises finance
// error 412.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/finance/cash_flows.h"
#include "core/foundation/global_types.h"
#include "core/io/data_file_header.h"

namespace quandrel {

inline constexpr DataFileVersion kCashFlowFileVersion{1, 1};
inline constexpr DataFileVersion kCashFlowFileOldVersion{1, 0};
inline constexpr std::size_t kNpvHeaderSize = 80;
inline constexpr std::size_t kIrrHeaderSize = 88;
inline constexpr std::size_t kOldCashFlowHeaderSize = 56;
// The largest valid file of either kind (the 1.1 IRR header and 32,768 records).
inline constexpr std::size_t kMaxCashFlowFileBytes =
    kIrrHeaderSize + (static_cast<std::size_t>(kMaxTotalPeriods) + 1) * kCashFlowRecordSize;

struct TNpvFileImage {
  std::int32_t frequency = 0;  // payment-period position 0..9
  DayNumber initialDate = 0;
  std::int32_t totalPeriods = 0;
  float discountRate = 0;  // percent
  double initialAmount = 0;
  double npv = 0;
  double outflows = 0;  // 0 in a 1.0 file
  double inflows = 0;
  double net = 0;
  // Entries 0..n; in a 1.0 file entry 0 is made from the header.
  TCashFlowList flows;
  DataFileVersion version = kCashFlowFileVersion;
};

struct TIrrFileImage {
  double initialInvestment = 0;
  std::int32_t totalPeriods = 0;
  double irr = 0;  // percent
  DayNumber initialDate = 0;
  std::int32_t frequency = 0;
  double guess = 0;  // 0 in a 1.0 file
  double outflows = 0;
  double inflows = 0;
  double net = 0;
  TCashFlowList flows;
  DataFileVersion version = kCashFlowFileVersion;
};

// The 1.1 image. The list must hold totalPeriods + 1 entries and
// totalPeriods must lie in 0..32,767 (std::invalid_argument otherwise).
std::vector<std::uint8_t> WriteNpvFile(const TNpvFileImage& image);
std::vector<std::uint8_t> WriteIrrFile(const TIrrFileImage& image);

// Parses a whole file; 412 for anything that is not a valid file of the kind.
TNpvFileImage ParseNpvFile(std::span<const std::uint8_t> bytes);
TIrrFileImage ParseIrrFile(std::span<const std::uint8_t> bytes);

}  // namespace quandrel
