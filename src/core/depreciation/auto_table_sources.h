#pragma once

// Builds the auto.bin tables from the published tax tables, kept as CSV files
// in data/tax_tables (data/tax_tables/SOURCES.md says where every figure
// comes from). The build's generator uses this; nothing here holds a figure.
//
// Files and the blocks they feed:
//   depreciation_limits_passenger.csv  -> C and E
//   depreciation_limits_electric.csv   -> D and F
//   lease_inclusion_passenger.csv      -> A
//   lease_inclusion_electric.csv       -> B (from the passenger file while
//                                         this one has no rows: electric
//                                         automobiles use the passenger table)
//   listed_property_amount_a.csv       -> G
//   listed_property_amount_b.csv       -> H
//
// Rules that fit a table to its fixed block:
// - Limits: the 8 newest placed-in-service years, ascending, newest last; a
//   table of fewer years repeats its oldest row in front (a year that is not
//   in the block takes the last row either way).
// - Lease inclusion: rows of contiguous fair-market-value ranges, ascending.
//   An empty fmv_not_over on the last row makes it open-ended. With N rows and
//   S selectable rows in the block (74 in A, 31 in B): N <= S fills rows 1..N
//   and gives rows N+1..S+1 the top bound (1,000,000,000 for an open top) and
//   zero amounts; N > S keeps rows 1..S, gives row S+1 row S's upper bound and
//   drops the rest (reported in the notes). No rows: the block is all zeros,
//   so no value selects a row.
// - Listed property: lease years 1 to 12 in order, three class columns.
//
// Every amount must be a whole number of dollars that a single holds exactly;
// percentages are stored as the nearest single.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/depreciation/auto_tables.h"

namespace quandrel {

inline constexpr const char* kPassengerLimitsCsv = "depreciation_limits_passenger.csv";
inline constexpr const char* kElectricLimitsCsv = "depreciation_limits_electric.csv";
inline constexpr const char* kPassengerLeaseCsv = "lease_inclusion_passenger.csv";
inline constexpr const char* kElectricLeaseCsv = "lease_inclusion_electric.csv";
inline constexpr const char* kListedAmountACsv = "listed_property_amount_a.csv";
inline constexpr const char* kListedAmountBCsv = "listed_property_amount_b.csv";

// The bound that makes an open top row cover every higher value (exact in a single).
inline constexpr float kOpenTopBound = 1.0e9f;

// The texts of the six CSV files.
struct AutoTableSources {
  std::string PassengerLimits;
  std::string ElectricLimits;
  std::string PassengerLease;
  std::string ElectricLease;
  std::string ListedAmountA;
  std::string ListedAmountB;
};

// A CSV file that does not hold a table of its kind. what() names the file,
// the line and the fault.
class EAutoTableSource : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct AutoTablesBuild {
  AutoTables Tables;
  // What the fitting did that a reader of the tables should know (years kept,
  // rows cut, empty tables).
  std::vector<std::string> Notes;
};

// Reads the six files from the folder; EAutoTableSource when one is missing
// or unreadable.
AutoTableSources ReadAutoTableSources(const std::filesystem::path& folder);

// Builds the tables; EAutoTableSource for any fault of a file. The result
// passes AutoTablesFault.
AutoTablesBuild BuildAutoTables(const AutoTableSources& sources);

}  // namespace quandrel
