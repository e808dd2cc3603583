#pragma once

// What the NPV and IRR calculator models share: an initial amount at an
// initial date, Total Periods flows at a frequency, the grid entries and
// their rebuilding rules, the cash-flow list handed to the equations, the
// two grid options, the data files with their "Last" file and the data
// folder, and the printed flow table.
//
// How the window uses it:
// - after moving a field into the record, it calls PeriodsChanged,
//   FrequencyChanged or InitialDateChanged; FrequencyChangeNeedsConfirmation
//   says whether to ask "Changing the frequency will clear all amounts." first
//   (on No the window puts the previous frequency back into the record and
//   calls nothing);
// - "Clear cash flows..." asks, then calls ClearCashFlows;
// - before Calc, Copy, Print and Save it moves the grid's amounts and dates
//   into Entries() (SetAmount/SetDate) and the fields into the record;
// - after Calc it shows NoNegativeFlowNote() as information when
//   NoNegativeFlowFound(), and after Load or opening it rebuilds its grid
//   from Entries();
// - opening, closing and Reset reach the "Last" file through the base's
//   ApplyOpeningRule, SaveLastCalculation and LoadLastCalculation, which this
//   class overrides (the file takes the place of the stored record).

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/finance/cash_flows.h"
#include "core/shell/calculator_model.h"

namespace quandrel {

// The option fields both calculators keep with their local defaults, stored
// as "Default" + caption (0 off, 1 on; the window shows them as check boxes).
namespace cash_flow_option {
inline constexpr std::string_view UseExactDays = "UseExactDays";
inline constexpr std::string_view CopyPriorCell = "CopyPriorCell";
}  // namespace cash_flow_option

// The field ids the shared part works with, given by each calculator.
struct CashFlowFieldIds {
  std::string_view initialAmount;
  std::string_view totalPeriods;
  std::string_view initialDate;
  std::string_view frequency;
  // The label of the initial amount in the no-negative-flow note.
  std::string_view noteName;
};

// The data file of a calculator: its type name ("npv"), the "Last" file's
// name ("Last.npv") and the dialog texts.
struct CashFlowFileSpec {
  std::string_view typeName;
  std::string_view lastFileName;
  std::string_view extension;
  std::string_view loadFilter;  // "Net Present Value (*.npv)"
  std::string_view saveFilter;  // "Net Present (*.npv)"
};

class TbufCashFlows : public TbufCalculator {
 public:
  TbufCashFlows(const CalculatorDefinition& definition, const ModelServices& services,
                const CashFlowFieldIds& ids, const CashFlowFileSpec& file);

  // ---- Grid entries -------------------------------------------------------
  TCashFlowEntries& Entries() { return m_entries; }
  const TCashFlowEntries& Entries() const { return m_entries; }
  // Builds the entries afresh (all amounts 0) from the record's Total
  // Periods, frequency and initial date: when the window opens.
  void BuildEntries();
  // Total Periods left with a changed value: rebuilt, amounts kept. A value
  // outside 0..32,767 raises std::out_of_range with TotalPeriodsProblem's
  // message and changes nothing.
  void PeriodsChanged();
  // True when a frequency change must be confirmed (the grid exists).
  bool FrequencyChangeNeedsConfirmation() const { return m_entries.Exists(); }
  // The frequency changed (and was confirmed): rebuilt, amounts cleared.
  void FrequencyChanged();
  // The initial date left with a changed value: rebuilt with amounts kept,
  // unless "Use exact day calculation method?" is on (typed dates stay).
  // Before the grid exists it is built afresh.
  void InitialDateChanged();
  // "Clear cash flows...": every amount 0, dates kept.
  void ClearCashFlows() { m_entries.ClearAmounts(); }

  // ---- The cash-flow list -------------------------------------------------
  // The list of the last Calc, Copy, Print, Save or Load (entry 0 first).
  const TCashFlowList& CashFlows() const { return m_list; }
  // Adds (date, amount) at the end of the list, clearing it first when asked.
  void AddCashFlow(DayNumber date, double amount, bool clearFirst = false);
  // Amount and date of list entry k (0..n); finance error 414 outside.
  double CashFlowAmount(std::int32_t k) const;
  DayNumber CashFlowDate(std::int32_t k) const;
  // The list from the record and the entries: entry 0 = (initial date,
  // initial amount), then the entries.
  void RebuildCashFlowList();

  // After Calc: no flow was negative, so the initial amount was negated.
  bool NoNegativeFlowFound() const { return m_noNegativeFlow; }
  // "Note: no negative cash flows (investments) found." CR CR "Therefore,
  // '<name>' is being set to negative."
  std::string NoNegativeFlowNote() const;

  // ---- Options ------------------------------------------------------------
  // "Use exact day calculation method?" and "If cell is 0, copy value from
  // prior cell?", held in Options.localDefaults.
  bool UseExactDays() const;
  void SetUseExactDays(bool on);
  bool CopyPriorCell() const;
  void SetCopyPriorCell(bool on);
  // "Tab key moves cell to cell in grid..." (a global setting).
  virtual bool TabMovesCellToCell() const = 0;
  virtual void SetTabMovesCellToCell(bool on) = 0;

  // The date picture with a two-digit year ("mm/dd/yy"), used by the flow
  // lines and the flow tables; and a date written with it.
  std::string ShortDatePicture() const;
  std::string ShortDateText(DayNumber date) const;

  // ---- Files --------------------------------------------------------------
  const CashFlowFileSpec& FileSpec() const { return m_file; }
  // Writes the record and the list (rebuilt first) to the file, replacing it
  // only when the whole write succeeded; EDataFileError(CannotWrite) on failure.
  void SaveToFile(const std::filesystem::path& path);
  // Reads a file of this calculator (version 1.1, or the older 1.0) and
  // takes its values, list and entries. A file that is damaged, truncated,
  // of another calculator or another version, or whose count does not match
  // its length raises 412 and leaves the model exactly as it was; a missing
  // or unreadable file raises EDataFileError (FileNotFound, CannotRead).
  void LoadFromFile(const std::filesystem::path& path);
  // The "Last" file in the user's data folder.
  std::filesystem::path LastFilePath() const;
  // Opening with the last entered calculation: loads the "Last" file when it
  // exists. False (model unchanged) when it exists but cannot be loaded.
  bool LoadLastFile();
  // Closing with the last entered calculation: saves the "Last" file.
  void SaveLastFile();
  // The opening rule with the "Last" file in place of the stored record:
  // another window's record when given (entries rebuilt with zero amounts),
  // else the options' rule (a "Last" file that fails to load switches to the
  // local defaults); then, unless a file was loaded, the entries are built
  // afresh.
  void ApplyFileOpeningRule(const TCalculationRecord* lastCalculatedElsewhere);

  // The window's opening, close and Reset steps reach the "Last" file through these.
  void ApplyOpeningRule(const TCalculationRecord* lastCalculatedElsewhere) override {
    ApplyFileOpeningRule(lastCalculatedElsewhere);
  }
  bool LoadLastCalculation() override { return LoadLastFile(); }
  void SaveLastCalculation() override { SaveLastFile(); }

  // The folder the file dialogs start in (the "Data" setting), and the
  // folder of a chosen file remembered there.
  std::string DataFolder() const;
  void RememberDataFolder(const std::filesystem::path& chosenFile);

 protected:
  const CashFlowFieldIds& Ids() const { return m_ids; }
  // Calc's first steps: the list rebuilt, and when no flow is negative the
  // initial amount and entry 0 negated (NoNegativeFlowFound()).
  void PrepareCalculation();
  // The file image of the model, and the model from a parsed file; both
  // may throw, and TakeFile must change nothing when it does.
  virtual std::vector<std::uint8_t> FileBytes() const = 0;
  virtual void TakeFile(std::span<const std::uint8_t> bytes) = 0;
  // Replaces the list and the entries with a loaded list (no-throw once the
  // new entries are made).
  void TakeLoadedList(TCashFlowList&& list);
  int TwiceMonthlyRule() const;
  // The flow table of the printed report: blocks of "Date" and "Amount"
  // below the current line, with page breaks.
  void PrintFlowTable(TReportCanvas& canvas, double paperWidth) const;

 private:
  void Rebuild(TCashFlowEntries::Amounts amounts);

  CashFlowFieldIds m_ids;
  CashFlowFileSpec m_file;
  TCashFlowEntries m_entries;
  TCashFlowList m_list;
  bool m_noNegativeFlow = false;
};

}  // namespace quandrel
