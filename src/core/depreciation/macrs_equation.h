#pragma once

// TequMACRSDep: the US MACRS depreciation schedule with its conventions, the
// section 179 deduction, the 30 % special depreciation allowance and the
// luxury-automobile limits, plus the lease inclusion look-ups on the tables of
// auto.bin.
//
// The automobile tables come from auto.bin in the data folder the caller
// names (the program's shipped data folder). A missing or damaged file is not
// an error until an automobile schedule is asked for; then Calculate raises
// 311.

#include <array>
#include <cstdint>
#include <filesystem>

#include "core/depreciation/auto_tables.h"
#include "core/depreciation/depreciation_base.h"
#include "core/foundation/global_types.h"

namespace quandrel {

// Positions in IRSConventions and DepreciationMethods.
namespace irsconvention {
inline constexpr int HalfYear = 0;
inline constexpr int MidQuarter = 1;
inline constexpr int MidMonth = 2;
}  // namespace irsconvention
namespace depmethod {
inline constexpr int DB150 = 0;
inline constexpr int DB200 = 1;
inline constexpr int StraightLine = 2;
}  // namespace depmethod

// Lease inclusion amounts, indexed 1 to 31 (index 0 is unused): positions 1 to
// 5 for lease years 1, 2, 3, 4 and 5 and later, the rest 0.
using InclusionAmounts = std::array<double, 32>;

class TequMACRSDep : public TequDepreciationBase {
 public:
  // Without automobile tables: standard schedules only.
  TequMACRSDep();
  // Reads auto.bin from the folder; never throws for what the file holds.
  explicit TequMACRSDep(const std::filesystem::path& dataFolder);
  // Takes the tables given (TablesLoaded only when AutoTablesFault finds nothing).
  explicit TequMACRSDep(const AutoTables& tables);

  // Validates (304 recovery period, 305 business use, 316 date, 310 electric
  // date, 313 section 179 with business use of 50 % or less, 314 special
  // allowance date, 317 schedule too long), stores the inputs (business use as
  // a fraction) and clears the row list, which the object keeps for Calculate.
  void SetInputs(DayNumber inService, std::int16_t businessUsePct, DepreciationRows& rows, bool qualified,
                 bool listed, bool isAuto, bool isElectric, int convention, int method, double section179,
                 float recoveryPeriod, double cost);

  // Checks business use (305), cost against section 179 (308) and the amounts
  // (312), then fills the rows: the luxury-automobile schedule when IsAuto is
  // set, else the standard schedule. On an error the row list stays empty.
  void Calculate();

  // The fraction of the first year the convention allows for the month placed
  // in service (1-12); 0.01 for a convention or month outside the table.
  static double ConventionFactor(int convention, int month);

  // The row (0-7) of the limit tables for a calendar year placed in service:
  // the first whose year is that year, else the last.
  int LimitRow(int year) const;

  // Lease inclusion amounts for a passenger (table A) or electric (table B)
  // automobile of the given fair market value. When a row is selected, its
  // five amounts go to positions 1-5 and 0 to positions 6-31, and the result
  // is its lower bound. A value at or below the first bound selects nothing
  // and gives 0; a value above the last selectable row gives that row's upper
  // bound; in both cases the amounts are left untouched.
  int AutoInclusion(double fairMarketValue, InclusionAmounts& amounts) const;
  int ElectricInclusion(double fairMarketValue, InclusionAmounts& amounts) const;

  // The inclusion in income for leased listed property in the first lease
  // year whose business use is 50 % or less: pctG % of the value times the
  // first table's percentage plus pctH % of the value times the second's.
  // Lease years 12 and later take the last entry; below 1 raises 315.
  double ListedInclusion(int leaseYear, double recoveryPeriod, double pctH, double pctG,
                         double fairMarketValue) const;

  bool TablesLoaded() const { return m_tablesLoaded; }
  // Whether the lease inclusion tables hold any amount. Without them every
  // look-up selects nothing; a caller tells the user that lease inclusion
  // amounts were not applied.
  bool HasAutoInclusionTable() const;
  bool HasElectricInclusionTable() const;
  const AutoTables& Tables() const { return m_tables; }

  // The allowance included in the first year's deduction, 0 when none.
  double SpecialAllowance() const { return m_specialAllowance; }

  double Cost() const { return m_cost; }
  double BusinessUse() const { return m_businessUse; }
  DayNumber InService() const { return m_inService; }
  float RecoveryPeriod() const { return m_recoveryPeriod; }
  double Section179() const { return m_section179; }
  int Method() const { return m_method; }
  int Convention() const { return m_convention; }
  bool Qualified() const { return m_qualified; }
  bool Listed() const { return m_listed; }
  bool IsAuto() const { return m_isAuto; }
  bool IsElectric() const { return m_isElectric; }

 private:
  void StandardSchedule(DepreciationRows& rows);
  void AutoSchedule(DepreciationRows& rows);
  std::string Label(int offset) const;

  AutoTables m_tables{};
  bool m_tablesLoaded = false;

  DepreciationRows* m_rows = nullptr;
  double m_cost = 0;
  double m_businessUse = 0;
  DayNumber m_inService = BadDate;
  int m_year = 0;
  int m_month = 0;
  float m_recoveryPeriod = 0;
  int m_recoveryYears = 0;
  double m_section179 = 0;
  int m_method = 0;
  int m_convention = 0;
  bool m_qualified = false;
  bool m_listed = false;
  bool m_isAuto = false;
  bool m_isElectric = false;
  double m_specialAllowance = 0;
};

}  // namespace quandrel
