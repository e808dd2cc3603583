#pragma once

// The window every calculator shows: a Calculator page laid out from the
// model's field table (or by the calculator itself), an Options page with
// the opening rule and the local defaults, the button row, and the whole
// pattern of opening, calculating, copying, undoing, resetting and closing.
// A calculator's window adds only its layout and its own behaviours.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "core/shell/calculator_model.h"
#include "core/shell/launcher_slots.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;

namespace quandrel {

class TDateEdit;
class TMaskedNumberEdit;
class TReportPrinter;

// The preferences the launcher hands a window when it opens it.
struct WindowFlags {
  bool showButtonHints = true;
  bool restorePositions = true;
  bool savePositions = true;
  // Only the windows with hints of their own (schedules, amortization, net
  // worth) use these two.
  bool showHints = true;
  bool showToolbarHints = true;
};

// What a calculator window needs from the program.
struct CalculatorContext {
  ModelServices services;
  TLauncherSlots& openWindows;
  // Opens a help topic by its context number; unset while there is no help.
  std::function<void(int topic, QWidget* from)> showHelp;
  // Prints the reports; unset while there is no printing.
  TReportPrinter* reports = nullptr;
};

// A page field that holds no value the model can take: the Calc (or Copy,
// Print) stops with this message and the field gets the focus.
class EFieldInput : public std::runtime_error {
 public:
  EFieldInput(const std::string& message, QWidget* field) : std::runtime_error(message), m_field(field) {}
  QWidget* Field() const { return m_field; }

 private:
  QPointer<QWidget> m_field;
};

class TcalcWindow : public QDialog {
  Q_OBJECT

 public:
  TcalcWindow(std::unique_ptr<TbufCalculator> model, CalculatorContext& context, QWidget* parent = nullptr);
  ~TcalcWindow() override;

  // Opens the window as instance 1 or 2: caption, position, the opening
  // rules, then shows it.
  void Open(int instance, const WindowFlags& flags);

  TbufCalculator& Model() { return *m_model; }
  int Instance() const { return m_instance; }
  std::string KeyName() const { return std::string(m_model->Definition().keyName); }

  // The page's widget of a field (calculation fields by id, local defaults
  // by their id on the Options page).
  QWidget* FieldWidget(std::string_view id) const;
  QPushButton* Button(std::string_view objectName) const;
  QTabWidget* Pages() const { return m_pages; }
  QStatusBar* StatusBar() const { return m_status; }

  // Whole-record transfer between the pages and the model.
  void FormToCalculation();
  void CalculationToForm();
  void FormToOptions();
  void OptionsToForm();

  // Runs a user action: numbered errors, field errors and any other failure
  // end the action with the error box; nothing escapes into the event loop.
  bool RunGuarded(const std::function<void()>& action);

 signals:
  // The window's caption once it is open, and its end.
  void windowOpened(QWidget* window, const QString& caption);
  void windowClosing(QWidget* window);

 protected:
  // The Calculator page; the default lays every field of the table out in
  // page order, results below a rule.
  virtual void BuildCalculatorPage(QWidget* page);
  // Links between fields (days and dates, say); called once after the pages
  // are built.
  virtual void ConnectFields() {}

  // One field between the page and the record; the calculator's linked-field
  // handlers use them.
  void FieldToRecord(std::string_view id);
  void RecordToField(std::string_view id);
  // True while values are being put on the page (their change signals are
  // not the user's edits).
  bool Transferring() const { return m_transferring > 0; }

  // Widgets for the calculator's own layout, made and registered from the
  // field table.
  QWidget* MakeFieldWidget(const FieldSpec& spec, QWidget* parent);
  QLabel* MakeLabel(const FieldSpec& spec, QWidget* buddy, QWidget* parent);
  // The default layout of a table's fields into a grid, from row `row` on.
  int LayOutFields(std::span<const FieldSpec> fields, QGridLayout* grid, int row, QWidget* parent,
                   bool optionsPage);

  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  struct Bound {
    const FieldSpec* spec = nullptr;
    QWidget* widget = nullptr;
  };

  void BuildOptionsPage(QWidget* page);
  void BuildButtons();
  void ApplyLocaleMasks();
  void ApplyHints(bool show);
  void ApplyEnablingRule();
  void OnPageChanged(int index);

  void Calc();
  void Copy();
  void Print();
  void Undo();
  void Reset();
  void Help();

  void PrintModelReport();
  void ReadField(const Bound& bound, TCalculationRecord& record, std::size_t index) const;
  void ShowFieldValue(const Bound& bound, const TCalculationRecord& record, std::size_t index);
  std::string PositionKey() const;

  std::unique_ptr<TbufCalculator> m_model;
  CalculatorContext& m_context;
  int m_instance = 1;
  WindowFlags m_flags;
  bool m_closing = false;
  int m_transferring = 0;
  int m_lastPage = 0;

  QTabWidget* m_pages = nullptr;
  QStatusBar* m_status = nullptr;
  std::map<std::string, Bound, std::less<>> m_calcFields;
  std::map<std::string, Bound, std::less<>> m_optionFields;
  std::map<std::string, QPushButton*, std::less<>> m_buttons;
  QRadioButton* m_rbLastCalc = nullptr;
  QRadioButton* m_rbDefaults = nullptr;
  QRadioButton* m_rbLocal = nullptr;
  QRadioButton* m_rbGlobal = nullptr;
  QRadioButton* m_rbPublisher = nullptr;
  QGroupBox* m_defaultsGroup = nullptr;
  QGroupBox* m_localGroup = nullptr;
};

}  // namespace quandrel
