#pragma once

// The window the Net Present Value and Internal Rate of Return calculators
// share, and their registration with the launcher.
//
// Besides the pattern of every calculator window it has:
// - the cash-flow grid beside the fields, two flows per row, rebuilt when
//   Total Periods, the frequency or the initial date is left changed (a
//   frequency change clears the amounts and is asked first);
// - Save and Load of the calculator's data file, the "Last" file read on
//   opening and written on closing (with "Last entered calculation");
// - the menus File (Load, Save, Print, Exit), Preferences ("Tab key moves
//   cell to cell in grid...") and "Clear cash flows...";
// - on the Options page the group "Other Option(s)" with the exact-day and
//   copy-from-prior-cell check boxes.
// Calc, Copy, Print and Save first take an open cell edit and the page's
// fields into the model, which rebuilds its cash-flow list from the grid.

#include <QString>
#include <functional>
#include <string_view>

#include "core/finance/cash_flow_buffer.h"
#include "gui/shell/calculator_window.h"

class QAction;
class QCheckBox;
class QComboBox;

namespace quandrel {

class TCalculatorLauncher;
class TCashFlowGrid;
class TCashFlowTableModel;
class TMaskedNumberEdit;
class TDateEdit;

// Registers the NPV and IRR calculators' windows with the launcher.
void RegisterCashFlowCalculators(TCalculatorLauncher& launcher);

// The Yes/No warning of the grid (frequency change, clearing the amounts),
// titled with the application title; true for Yes. Tests replace it; null
// restores the box. Returns the previous handler.
using QuestionHandler = std::function<bool(QWidget* parent, const QString& text)>;
QuestionHandler SetQuestionHandler(QuestionHandler handler);
bool AskWarningYesNo(QWidget* parent, const QString& text);

// The field ids of a calculator's window.
struct CashFlowWindowIds {
  std::string_view initialAmount;
  std::string_view totalPeriods;
  std::string_view initialDate;
  std::string_view frequency;
  // Results whose label may change with a calculation (the IRR's span).
  std::string_view netCashFlow;
};

class TcalcCashFlows : public TcalcWindow {
  Q_OBJECT

 public:
  TcalcCashFlows(std::unique_ptr<TbufCashFlows> model, const CashFlowWindowIds& ids,
                 std::string_view exactDayCaption, CalculatorContext& context, QWidget* parent);

  TbufCashFlows& CashFlowModel() { return static_cast<TbufCashFlows&>(Model()); }
  TCashFlowGrid* Grid() const { return m_grid; }
  TCashFlowTableModel* GridModel() const { return m_gridModel; }
  QCheckBox* ExactDaysBox() const { return m_exactDays; }
  QCheckBox* CopyPriorBox() const { return m_copyPrior; }
  QAction* TabCellToCellAction() const { return m_tabAction; }
  QAction* ClearCashFlowsAction() const { return m_clearAction; }

  // The buttons and menu items, callable without their dialogs: each runs
  // guarded and returns false when it ended with an error box.
  bool CalcNow();
  bool CopyNow();
  bool SaveTo(const QString& path);
  bool LoadFrom(const QString& path);
  // The dialogs of the Save and Load buttons.
  void SaveWithDialog();
  void LoadWithDialog();
  void ClearCashFlows();
  void PrintNow();

 protected:
  void BuildCalculatorPage(QWidget* page) override;
  void ConnectFields() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void AddFileButtons();
  void ReplaceButtonActions();
  void ReplaceOptionFlagWidgets();
  void BuildOtherOptions();
  void AfterOpen();
  void ApplyGridOptions();
  void RefreshGrid();
  void RefreshCaptions();
  // The page's values into the model before Calc, Copy, Print and Save:
  // the open cell edit, Total Periods checked, the fields, and the grid
  // following a field left unreported.
  void TakePage();
  void CheckTotalPeriods();

  void PeriodsEdited();
  void FrequencyChosen();
  void InitialDateEdited();
  void OptionsPageLeft();
  void ResetNow();

  TMaskedNumberEdit* PeriodsField() const;
  QComboBox* FrequencyField() const;
  TDateEdit* InitialDateField() const;

  CashFlowWindowIds m_ids;
  QString m_exactDayCaption;
  CalculatorContext& m_context;
  TCashFlowGrid* m_grid = nullptr;
  TCashFlowTableModel* m_gridModel = nullptr;
  QCheckBox* m_exactDays = nullptr;
  QCheckBox* m_copyPrior = nullptr;
  QAction* m_tabAction = nullptr;
  QAction* m_clearAction = nullptr;
  // The initial date the grid's dates were last built from.
  DayNumber m_gridDate = BadDate;
};

}  // namespace quandrel
