#include "gui/finance/cash_flow_calculators.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>
#include <map>
#include <vector>

#include "core/foundation/masks.h"
#include "gui/finance/irr_window.h"
#include "gui/finance/npv_window.h"
#include "gui/platform/clipboard.h"
#include "gui/platform/file_dialogs.h"
#include "gui/shell/app_title.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/message_boxes.h"
#include "gui/shell/report_printing.h"
#include "gui/widgets/cash_flow_grid.h"
#include "gui/widgets/cash_flow_table_model.h"
#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

namespace quandrel {
namespace {

namespace o = cash_flow_option;

// The designed widths of the grid's columns, in pixels.
constexpr int kColumnWidths[TCashFlowTableModel::kColumns] = {45, 70, 125, 58, 68, 139};

constexpr const char* kFrequencyQuestion = "Changing the frequency will clear all amounts.\n\r\n\rContinue?";
constexpr const char* kClearQuestion = "This will reset cash flows to '0'.\n\r\n\rContinue?";

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path PathOf(const QString& file) {
  return std::filesystem::path(file.toStdU16String());
}

QuestionHandler& Question() {
  static QuestionHandler handler;
  return handler;
}

bool IsOptionFlag(const FieldSpec& spec) {
  return spec.id == o::UseExactDays || spec.id == o::CopyPriorCell;
}

// The option flags are carried by number fields of the Options page, hidden
// behind their check boxes; a flag declared without a mask gets one that
// holds 0 and 1.
std::span<const FieldSpec> WithFlagMasks(std::span<const FieldSpec> fields) {
  static std::map<const FieldSpec*, std::vector<FieldSpec>> tables;
  std::vector<FieldSpec>& table = tables[fields.data()];
  if (table.empty()) {
    table.assign(fields.begin(), fields.end());
    for (FieldSpec& spec : table) {
      if (IsOptionFlag(spec) && spec.mask.empty()) {
        spec.mask = "9";
      }
    }
  }
  return table;
}

}  // namespace

QuestionHandler SetQuestionHandler(QuestionHandler handler) {
  QuestionHandler previous = std::move(Question());
  Question() = std::move(handler);
  return previous;
}

bool AskWarningYesNo(QWidget* parent, const QString& text) {
  const QString shown = MessageBoxText(text);
  if (Question()) {
    return Question()(parent, shown);
  }
  return QMessageBox::warning(parent, AppTitle(), shown, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes;
}

void RegisterCashFlowCalculators(TCalculatorLauncher& launcher) {
  launcher.Register(TbufNPV::Definition().title, [](CalculatorContext& context, QWidget* owner) {
    return new TcalcNetPV(context, owner);
  });
  launcher.Register(TbufIRR::Definition().title,
                    [](CalculatorContext& context, QWidget* owner) { return new TcalcIRR(context, owner); });
}

// ---- The window ----------------------------------------------------------------

TcalcCashFlows::TcalcCashFlows(std::unique_ptr<TbufCashFlows> model, const CashFlowWindowIds& ids,
                               std::string_view exactDayCaption, CalculatorContext& context, QWidget* parent)
    : TcalcWindow(std::move(model), context, parent),
      m_ids(ids),
      m_exactDayCaption(Q(exactDayCaption)),
      m_context(context) {
  BuildMenus();
  AddFileButtons();
  ReplaceButtonActions();
  connect(this, &TcalcWindow::windowOpened, this, [this] { AfterOpen(); });
}

TMaskedNumberEdit* TcalcCashFlows::PeriodsField() const {
  return static_cast<TMaskedNumberEdit*>(FieldWidget(m_ids.totalPeriods));
}
QComboBox* TcalcCashFlows::FrequencyField() const {
  return static_cast<QComboBox*>(FieldWidget(m_ids.frequency));
}
TDateEdit* TcalcCashFlows::InitialDateField() const {
  return static_cast<TDateEdit*>(FieldWidget(m_ids.initialDate));
}

void TcalcCashFlows::BuildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  QAction* load = file->addAction(QStringLiteral("&Load..."), this, [this] { LoadWithDialog(); });
  load->setObjectName(QStringLiteral("mnuLoad"));
  load->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  QAction* save = file->addAction(QStringLiteral("&Save..."), this, [this] { SaveWithDialog(); });
  save->setObjectName(QStringLiteral("mnuSave"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* print = file->addAction(QStringLiteral("&Print"), this, [this] { PrintNow(); });
  print->setObjectName(QStringLiteral("mnuPrint"));
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  file->addSeparator();
  // Esc closes the window as in every calculator; the item only shows it, so
  // that Esc in a grid cell still cancels the cell's edit.
  QAction* exit = file->addAction(QStringLiteral("E&xit\tEsc"), this, [this] { close(); });
  exit->setObjectName(QStringLiteral("mnuExit"));

  QMenu* preferences = bar->addMenu(QStringLiteral("Preferences"));
  m_tabAction = preferences->addAction(QStringLiteral("Tab key moves cell to cell in grid..."));
  m_tabAction->setObjectName(QStringLiteral("mnuTabCellToCell"));
  m_tabAction->setCheckable(true);
  connect(m_tabAction, &QAction::toggled, this, [this](bool on) {
    RunGuarded([this, on] {
      CashFlowModel().SetTabMovesCellToCell(on);
      if (m_grid != nullptr) {
        m_grid->setTabMovesCellToCell(on);
      }
    });
  });

  m_clearAction = bar->addAction(QStringLiteral("Clear cash flows..."), this, [this] { ClearCashFlows(); });
  m_clearAction->setObjectName(QStringLiteral("mnuClearCashFlows"));
  layout()->setMenuBar(bar);
}

void TcalcCashFlows::AddFileButtons() {
  QPushButton* print = Button("btnPrint");
  QBoxLayout* row = nullptr;
  for (int i = 0; i < layout()->count() && row == nullptr; ++i) {
    auto* candidate = qobject_cast<QBoxLayout*>(layout()->itemAt(i)->layout());
    if (candidate != nullptr && candidate->indexOf(print) >= 0) {
      row = candidate;
    }
  }
  struct FileButton {
    const char* name;
    const char* caption;
    const char* hint;
  };
  const FileButton buttons[] = {{"btnSave", "&Save", "Save data [Alt][S]"},
                                {"btnLoad", "&Load", "Load data from disk [Alt][L]"}};
  int at = row != nullptr ? row->indexOf(print) + 1 : 0;
  for (const FileButton& spec : buttons) {
    auto* button = new QPushButton(QString::fromUtf8(spec.caption), this);
    button->setObjectName(QString::fromUtf8(spec.name));
    button->setAutoDefault(false);
    button->setProperty("hint", QString::fromUtf8(spec.hint));
    button->setStatusTip(QString::fromUtf8(spec.hint));
    if (row != nullptr) {
      row->insertWidget(at++, button);
    }
    if (std::string_view(spec.name) == "btnSave") {
      connect(button, &QPushButton::clicked, this, [this] { SaveWithDialog(); });
    } else {
      connect(button, &QPushButton::clicked, this, [this] { LoadWithDialog(); });
    }
  }
}

void TcalcCashFlows::ReplaceButtonActions() {
  // Calc, Copy, Print and Reset take the grid along with the fields.
  for (const char* name : {"btnCalc", "btnCopy", "btnPrint", "btnReset"}) {
    disconnect(Button(name), &QPushButton::clicked, nullptr, nullptr);
  }
  connect(Button("btnCalc"), &QPushButton::clicked, this, [this] { CalcNow(); });
  connect(Button("btnCopy"), &QPushButton::clicked, this, [this] { CopyNow(); });
  connect(Button("btnPrint"), &QPushButton::clicked, this, [this] { PrintNow(); });
  connect(Button("btnReset"), &QPushButton::clicked, this, [this] { ResetNow(); });
  // Ctrl+P is the File menu's.
  for (QShortcut* shortcut : findChildren<QShortcut*>()) {
    if (shortcut->key() == QKeySequence(QKeySequence::Print)) {
      shortcut->setEnabled(false);
    }
  }
}

void TcalcCashFlows::ReplaceOptionFlagWidgets() {
  TCalculationRecord& defaults = Model().Options.localDefaults;
  bool needsMask = false;
  for (const FieldSpec& spec : defaults.Fields()) {
    needsMask = needsMask || (IsOptionFlag(spec) && spec.mask.empty());
  }
  if (!needsMask) {
    return;
  }
  TCalculationRecord replaced(WithFlagMasks(defaults.Fields()));
  replaced.Captions = defaults.Captions;
  for (std::size_t i = 0; i < defaults.Size(); ++i) {
    replaced.Value(i) = defaults.Value(i);
  }
  defaults = std::move(replaced);
}

void TcalcCashFlows::BuildCalculatorPage(QWidget* page) {
  ReplaceOptionFlagWidgets();  // before the Options page is laid out

  auto* row = new QHBoxLayout(page);
  row->setSpacing(16);
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(12);
  fields->setVerticalSpacing(6);
  const int rows = LayOutFields(Model().Calculation.Fields(), fields, 0, page, false);
  fields->setRowStretch(rows, 1);
  row->addLayout(fields);

  m_gridModel = new TCashFlowTableModel(CashFlowModel().Entries(), this);
  m_grid = new TCashFlowGrid(Model().Services().facts, page);
  m_grid->setObjectName(QStringLiteral("tblCashFlows"));
  m_grid->setDatePicture(Model()
                             .Services()
                             .masks.ReplacementMask(MaskedField::Date)
                             .value_or(std::string(kDesignedDatePicture)));
  m_grid->setModel(m_gridModel);
  m_grid->setMinimumHeight(18 * m_grid->verticalHeader()->defaultSectionSize());
  row->addWidget(m_grid, 1);

  connect(
      m_grid, &TCashFlowGrid::entryRefused, this,
      [this](const QString& message) { ShowErrorBox(this, message); }, Qt::QueuedConnection);
}

void TcalcCashFlows::BuildOtherOptions() {
  for (std::string_view id : {o::UseExactDays, o::CopyPriorCell}) {
    if (QWidget* carrier = FieldWidget(id)) {
      carrier->hide();
      if (auto* label = findChild<QLabel*>(QStringLiteral("l") + Q(id))) {
        label->hide();
      }
    }
  }
  QWidget* optionsPage = Pages()->widget(1);
  auto* group = new QGroupBox(QStringLiteral("Other Option(s)"), optionsPage);
  group->setObjectName(QStringLiteral("gbOtherOptions"));
  auto* box = new QVBoxLayout(group);
  m_exactDays = new QCheckBox(m_exactDayCaption, group);
  m_exactDays->setObjectName(QStringLiteral("cbExactDays"));
  m_copyPrior = new QCheckBox(QStringLiteral("If cell is 0, copy value from prior cell?"), group);
  m_copyPrior->setObjectName(QStringLiteral("cbCopyPriorCell"));
  box->addWidget(m_exactDays);
  box->addWidget(m_copyPrior);
  if (auto* pageLayout = qobject_cast<QBoxLayout*>(optionsPage->layout())) {
    pageLayout->insertWidget(std::max(0, pageLayout->count() - 1), group);
  }
  const std::pair<QCheckBox*, std::string_view> links[] = {{m_exactDays, o::UseExactDays},
                                                           {m_copyPrior, o::CopyPriorCell}};
  for (const auto& [check, id] : links) {
    auto* carrier = static_cast<TMaskedNumberEdit*>(FieldWidget(id));
    if (carrier == nullptr) {
      continue;
    }
    // The hidden field follows the box, and the box the field when the
    // options are put on the page.
    connect(check, &QCheckBox::toggled, carrier, [carrier](bool on) { carrier->setValue(on ? 1 : 0); });
    connect(carrier, &QLineEdit::textChanged, check, [check, carrier] {
      const QSignalBlocker blocker(check);
      check->setChecked(carrier->value().value_or(0) != 0);
    });
  }
}

void TcalcCashFlows::ConnectFields() {
  BuildOtherOptions();

  connect(PeriodsField(), &TMaskedNumberEdit::valueEdited, this, [this] {
    if (!Transferring()) {
      PeriodsEdited();
    }
  });
  connect(FrequencyField(), &QComboBox::currentIndexChanged, this, [this] {
    if (!Transferring()) {
      FrequencyChosen();
    }
  });
  connect(InitialDateField(), &TDateEdit::dateChanged, this, [this] {
    if (!Transferring()) {
      InitialDateEdited();
    }
  });
  // Runs before the window's own handler of the page change, which then
  // writes the options.
  connect(Pages(), &QTabWidget::currentChanged, this, [this, previous = 0](int index) mutable {
    const bool fromOptions = previous == 1 && index == 0;
    previous = index;
    if (fromOptions) {
      OptionsPageLeft();
    }
  });

  // The grid comes after the last input in the Tab order, the buttons after it.
  QWidget* lastInput = nullptr;
  for (const FieldSpec& spec : Model().Calculation.Fields()) {
    if (spec.kind != FieldKind::Result && spec.kind != FieldKind::Weekday) {
      lastInput = FieldWidget(spec.id);
    }
  }
  if (lastInput != nullptr) {
    setTabOrder(lastInput, m_grid);
  }
  setTabOrder(m_grid, Button("btnCalc"));
}

void TcalcCashFlows::AfterOpen() {
  // The opening rule (the "Last" file, another window's values or the
  // defaults) has filled the model and the page; the grid follows them.
  RefreshCaptions();
  ApplyGridOptions();
  RefreshGrid();
  m_grid->setDesignedColumnWidths(kColumnWidths);
  int width = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < TCashFlowTableModel::kColumns; ++column) {
    width += m_grid->columnWidth(column);
  }
  m_grid->setMinimumWidth(width);
  const bool showHints = !Button("btnCalc")->toolTip().isEmpty();
  for (const char* name : {"btnSave", "btnLoad"}) {
    if (auto* button = findChild<QPushButton*>(QString::fromLatin1(name))) {
      button->setToolTip(showHints ? button->property("hint").toString() : QString());
    }
  }
  adjustSize();
}

void TcalcCashFlows::ApplyGridOptions() {
  const TbufCashFlows& model = CashFlowModel();
  m_gridModel->SetDatesEditable(model.UseExactDays());
  m_grid->setCopyPriorIfZero(model.CopyPriorCell());
  const bool tab = model.TabMovesCellToCell();
  m_grid->setTabMovesCellToCell(tab);
  const QSignalBlocker blocker(m_tabAction);
  m_tabAction->setChecked(tab);
}

void TcalcCashFlows::RefreshGrid() {
  m_gridDate = Model().Calculation.Date(m_ids.initialDate);
  m_gridModel->Refresh();
}

void TcalcCashFlows::RefreshCaptions() {
  const TCalculationRecord& record = Model().Calculation;
  for (std::size_t i = 0; i < record.Size(); ++i) {
    const FieldSpec& spec = record.Fields()[i];
    if (auto* label = findChild<QLabel*>(QStringLiteral("l") + Q(spec.id))) {
      label->setText(QString::fromStdString(record.Captions[i]));
    }
  }
}

void TcalcCashFlows::CheckTotalPeriods() {
  const std::optional<double> typed = PeriodsField()->value();
  if (!typed) {
    return;  // the field transfer names the field
  }
  if (const auto problem = TotalPeriodsProblem(std::llround(*typed))) {
    throw EFieldInput(*problem, PeriodsField());
  }
}

void TcalcCashFlows::TakePage() {
  if (!m_grid->finishEditing()) {
    throw EFieldInput("The cell being edited does not hold a valid value.", m_grid);
  }
  CheckTotalPeriods();
  FormToCalculation();
  // A field changed but not left (Alt+C in it) still rebuilds the grid.
  TbufCashFlows& model = CashFlowModel();
  const TCalculationRecord& record = model.Calculation;
  const bool periodsChanged = record.Integer(m_ids.totalPeriods) != model.Entries().Count();
  const bool dateChanged = record.Date(m_ids.initialDate) != m_gridDate;
  if (periodsChanged) {
    model.PeriodsChanged();
  } else if (dateChanged) {
    model.InitialDateChanged();
  }
  if (periodsChanged || dateChanged) {
    RefreshGrid();
  }
}

bool TcalcCashFlows::CalcNow() {
  TbufCashFlows& model = CashFlowModel();
  return RunGuarded([this, &model] {
    TakePage();
    const auto showResults = [this, &model] {
      CalculationToForm();
      RefreshCaptions();
      if (model.NoNegativeFlowFound()) {
        ShowInformationBox(this, QString::fromStdString(model.NoNegativeFlowNote()));
      }
    };
    try {
      model.Calculate();
    } catch (...) {
      showResults();  // the totals stay visible, the result is 0
      throw;
    }
    showResults();
    m_context.openWindows.SetLastCalculated(KeyName(), &model.Calculation);
  });
}

bool TcalcCashFlows::CopyNow() {
  return RunGuarded([this] {
    TakePage();
    CashFlowModel().RebuildCashFlowList();
    SetClipboardText(CashFlowModel().CopyText());
    StatusBar()->showMessage(QStringLiteral("Copied to the clipboard."), 3000);
  });
}

void TcalcCashFlows::PrintNow() {
  RunGuarded([this] {
    TakePage();
    CashFlowModel().RebuildCashFlowList();
    TReportPrinter* reports = m_context.reports;
    if (reports == nullptr) {
      ShowInformationBox(this, QStringLiteral("Printing is not available in this session."));
      return;
    }
    const TbufCashFlows& model = CashFlowModel();
    const FontSpec font = reports->Font();
    const double paperWidth = reports->PaperWidth();
    ReportJob job{
        windowTitle(), SetupFor(model.Definition().reportKind),
        [&model, font, paperWidth](TReportCanvas& canvas) { model.PrintReport(canvas, font, paperWidth); }};
    reports->Print(job, this);
  });
}

bool TcalcCashFlows::SaveTo(const QString& path) {
  return RunGuarded([this, &path] {
    TakePage();
    CashFlowModel().SaveToFile(PathOf(path));
    StatusBar()->showMessage(QStringLiteral("Saved to %1").arg(path), 5000);
  });
}

void TcalcCashFlows::SaveWithDialog() {
  // The page first: a value the model cannot take stops before the dialog.
  if (!RunGuarded([this] { TakePage(); })) {
    return;
  }
  const CashFlowFileSpec& spec = CashFlowModel().FileSpec();
  const QString path = SaveFileDialog(this, Q(spec.extension), Q(spec.saveFilter),
                                      QString::fromStdString(CashFlowModel().DataFolder()));
  if (path.isEmpty()) {
    return;
  }
  CashFlowModel().RememberDataFolder(PathOf(path));
  SaveTo(path);
}

bool TcalcCashFlows::LoadFrom(const QString& path) {
  // An open cell edit is taken first, or dropped when it holds no value.
  if (!m_grid->finishEditing()) {
    m_grid->cancelEditing();
  }
  const bool loaded = RunGuarded([this, &path] { CashFlowModel().LoadFromFile(PathOf(path)); });
  // A failed load changed nothing in the model, and the page keeps what was
  // typed on it.
  if (loaded) {
    CalculationToForm();
    RefreshCaptions();
    RefreshGrid();
    StatusBar()->showMessage(QStringLiteral("Loaded %1").arg(path), 5000);
  }
  return loaded;
}

void TcalcCashFlows::LoadWithDialog() {
  const CashFlowFileSpec& spec = CashFlowModel().FileSpec();
  const QString path = OpenFileDialog(this, Q(spec.loadFilter), Q(spec.extension),
                                      QString::fromStdString(CashFlowModel().DataFolder()));
  if (path.isEmpty()) {
    return;
  }
  CashFlowModel().RememberDataFolder(PathOf(path));
  LoadFrom(path);
}

void TcalcCashFlows::ClearCashFlows() {
  m_grid->finishEditing();
  if (!AskWarningYesNo(this, QString::fromLatin1(kClearQuestion))) {
    return;
  }
  CashFlowModel().ClearCashFlows();
  RefreshGrid();
}

void TcalcCashFlows::PeriodsEdited() {
  RunGuarded([this] {
    const std::optional<double> typed = PeriodsField()->value();
    if (!typed) {
      return;
    }
    if (const auto problem = TotalPeriodsProblem(std::llround(*typed))) {
      RecordToField(m_ids.totalPeriods);  // the field never keeps a count it cannot hold
      throw EFieldInput(*problem, PeriodsField());
    }
    FieldToRecord(m_ids.totalPeriods);
    TbufCashFlows& model = CashFlowModel();
    if (model.Entries().Exists() &&
        model.Calculation.Integer(m_ids.totalPeriods) == model.Entries().Count()) {
      return;
    }
    model.PeriodsChanged();
    RefreshGrid();
  });
}

void TcalcCashFlows::FrequencyChosen() {
  RunGuarded([this] {
    TbufCashFlows& model = CashFlowModel();
    if (FrequencyField()->currentIndex() == model.Calculation.Choice(m_ids.frequency)) {
      return;
    }
    if (model.FrequencyChangeNeedsConfirmation() &&
        !AskWarningYesNo(this, QString::fromLatin1(kFrequencyQuestion))) {
      RecordToField(m_ids.frequency);  // No: the previous frequency, everything kept
      return;
    }
    FieldToRecord(m_ids.frequency);
    model.FrequencyChanged();
    RefreshGrid();
  });
}

void TcalcCashFlows::InitialDateEdited() {
  RunGuarded([this] {
    if (InitialDateField()->date() == BadDate) {
      return;
    }
    FieldToRecord(m_ids.initialDate);
    TbufCashFlows& model = CashFlowModel();
    if (model.Entries().Exists() && model.Calculation.Date(m_ids.initialDate) == m_gridDate) {
      return;
    }
    model.InitialDateChanged();
    RefreshGrid();
  });
}

void TcalcCashFlows::OptionsPageLeft() {
  // The window's own handler writes the options right after; taking them
  // here as well lets the grid follow them at once (an error is reported
  // by that handler).
  try {
    FormToOptions();
  } catch (const std::exception&) {
    return;
  }
  ApplyGridOptions();
  const bool exactDays = CashFlowModel().UseExactDays();
  m_grid->goToCell(0, exactDays ? TCashFlowTableModel::DatePart : TCashFlowTableModel::AmountPart);
  m_grid->setFocus();
}

void TcalcCashFlows::ResetNow() {
  m_grid->cancelEditing();
  // The publisher's values, the stored options, then the opening rule.
  RunGuarded([this] { Model().Reset(); });
  OptionsToForm();
  CalculationToForm();
  RefreshCaptions();
  ApplyGridOptions();
  RefreshGrid();
}

void TcalcCashFlows::closeEvent(QCloseEvent* event) {
  // An open cell edit is part of what the close step writes to the "Last"
  // file.
  m_grid->finishEditing();
  TcalcWindow::closeEvent(event);
}

}  // namespace quandrel
