#include "gui/shell/calculator_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/foundation/date_arithmetic.h"
#include "gui/platform/clipboard.h"
#include "gui/shell/message_boxes.h"
#include "gui/shell/report_printing.h"
#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

namespace quandrel {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct ButtonSpec {
  const char* objectName;
  const char* caption;
  const char* hint;
};

// In the row's order; the hints are shown when button hints are on.
constexpr ButtonSpec kButtons[] = {
    {"btnCalc", "&Calc", "Calculate [Alt][C]"},
    {"btnCopy", "Cop&y", "Copy to clipboard."},
    {"btnPrint", "&Print", "Print schedule [Ctrl][P]"},
    {"btnUndo", "&Undo", "Undo changes since last calculation."},
    {"btnReset", "R&eset", "Set to application's defaults."},
    {"btnHelp", "&Help", "Help [F1]"},
    {"btnClose", "Close", "Close [Esc]"},
};

// Marks a transfer onto the page for its duration.
class TransferScope {
 public:
  explicit TransferScope(int& depth) : m_depth(depth) { ++m_depth; }
  ~TransferScope() { --m_depth; }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;

 private:
  int& m_depth;
};

std::string ObjectNameFor(const FieldSpec& spec) {
  switch (spec.type) {
    case FieldType::Choice:
      return "cbx" + std::string(spec.id);
    case FieldType::Date:
      return "ded" + std::string(spec.id);
    default:
      return "oed" + std::string(spec.id);
  }
}

}  // namespace

TcalcWindow::TcalcWindow(std::unique_ptr<TbufCalculator> model, CalculatorContext& context, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)), m_context(context) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::WindowMinimizeButtonHint);
  setSizeGripEnabled(false);
  setWindowTitle(Q(m_model->Definition().title) + QStringLiteral(" 1"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 0);
  m_pages = new QTabWidget(this);
  m_pages->setObjectName(QStringLiteral("PageControl1"));
  auto* calculatorPage = new QWidget;
  calculatorPage->setObjectName(QStringLiteral("tsCalculator"));
  auto* optionsPage = new QWidget;
  optionsPage->setObjectName(QStringLiteral("tsOptions"));
  m_pages->addTab(calculatorPage, QStringLiteral("Calculator"));
  m_pages->addTab(optionsPage, QStringLiteral("Options"));
  layout->addWidget(m_pages);
  BuildButtons();
  m_status = new QStatusBar(this);
  m_status->setSizeGripEnabled(false);
  layout->addWidget(m_status);
}

TcalcWindow::~TcalcWindow() = default;

void TcalcWindow::BuildButtons() {
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  for (const ButtonSpec& spec : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(spec.caption), this);
    button->setObjectName(QString::fromUtf8(spec.objectName));
    button->setAutoDefault(false);
    button->setProperty("hint", QString::fromUtf8(spec.hint));
    row->addWidget(button);
    m_buttons.emplace(spec.objectName, button);
  }
  m_buttons["btnCalc"]->setDefault(true);
  connect(m_buttons["btnCalc"], &QPushButton::clicked, this, [this] { Calc(); });
  connect(m_buttons["btnCopy"], &QPushButton::clicked, this, [this] { Copy(); });
  connect(m_buttons["btnPrint"], &QPushButton::clicked, this, [this] { Print(); });
  connect(m_buttons["btnUndo"], &QPushButton::clicked, this, [this] { Undo(); });
  connect(m_buttons["btnReset"], &QPushButton::clicked, this, [this] { Reset(); });
  connect(m_buttons["btnHelp"], &QPushButton::clicked, this, [this] { Help(); });
  connect(m_buttons["btnClose"], &QPushButton::clicked, this, [this] { close(); });
  auto* print = new QShortcut(QKeySequence::Print, this);
  connect(print, &QShortcut::activated, this, [this] { Print(); });
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { Help(); });
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

QWidget* TcalcWindow::MakeFieldWidget(const FieldSpec& spec, QWidget* parent) {
  const LocaleFacts& facts = m_model->Services().facts;
  QWidget* widget = nullptr;
  switch (spec.type) {
    case FieldType::Double:
    case FieldType::Single:
    case FieldType::Int32: {
      auto* edit = new TMaskedNumberEdit(spec.mask, facts, parent);
      edit->setReadOnly(spec.kind == FieldKind::Result);
      if (spec.kind == FieldKind::Result) {
        edit->setFocusPolicy(Qt::ClickFocus);
      }
      widget = edit;
      break;
    }
    case FieldType::Date: {
      auto* edit = new TDateEdit(parent);
      edit->setTwoDigitYearWindow(spec.twoDigitYearWindow);
      edit->setReadOnly(spec.kind == FieldKind::Result);
      widget = edit;
      break;
    }
    case FieldType::Choice: {
      auto* combo = new QComboBox(parent);
      for (std::string_view item : ItemsOf(spec)) {
        combo->addItem(Q(item));
      }
      combo->setMaxVisibleItems(combo->count());  // drops down every item
      widget = combo;
      break;
    }
    case FieldType::Text:
      widget = new QLineEdit(parent);
      break;
  }
  widget->setObjectName(Q(ObjectNameFor(spec)));
  widget->setProperty("helpContext", spec.helpContext);
  return widget;
}

QLabel* TcalcWindow::MakeLabel(const FieldSpec& spec, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(Q(spec.caption), parent);
  label->setObjectName(QStringLiteral("l") + Q(spec.id));
  label->setBuddy(buddy);
  return label;
}

int TcalcWindow::LayOutFields(std::span<const FieldSpec> fields, QGridLayout* grid, int row, QWidget* parent,
                              bool optionsPage) {
  auto& bound = optionsPage ? m_optionFields : m_calcFields;
  bool resultsStarted = false;
  for (const FieldSpec& spec : fields) {
    if (spec.kind == FieldKind::Weekday) {
      continue;  // shown by its date field
    }
    if (spec.kind == FieldKind::Result && !resultsStarted) {
      resultsStarted = true;
      auto* rule = new QFrame(parent);
      rule->setFrameShape(QFrame::HLine);
      rule->setFrameShadow(QFrame::Sunken);
      grid->addWidget(rule, row++, 0, 1, 2);
    }
    QWidget* widget = MakeFieldWidget(spec, parent);
    QLabel* label = MakeLabel(spec, widget, parent);
    grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(widget, row, 1);
    ++row;
    bound.emplace(std::string(spec.id), Bound{&spec, widget});
  }
  return row;
}

void TcalcWindow::BuildCalculatorPage(QWidget* page) {
  auto* grid = new QGridLayout(page);
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(6);
  grid->setColumnStretch(1, 1);
  const CalculatorDefinition& definition = m_model->Definition();
  const auto fields = m_model->Calculation.Fields();
  int rows = 0;
  if (definition.pageNote.empty()) {
    rows = LayOutFields(fields, grid, 0, page, false);
  } else {
    // The note goes under its field, before the fields that follow it.
    const std::size_t split = IndexOfField(fields, definition.pageNoteAfter) + 1;
    rows = LayOutFields(fields.first(split), grid, 0, page, false);
    auto* note = new QLabel(Q(definition.pageNote), page);
    note->setObjectName(QStringLiteral("lPageNote"));
    grid->addWidget(note, rows++, 0, 1, 2);
    rows = LayOutFields(fields.subspan(split), grid, rows, page, false);
  }
  grid->setRowStretch(rows, 1);
}

void TcalcWindow::BuildOptionsPage(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  auto* openGroup = new QGroupBox(QStringLiteral(" &When calculator opens use : "), page);
  auto* openLayout = new QVBoxLayout(openGroup);
  m_rbLastCalc = new QRadioButton(QStringLiteral("Last entered calculation"), openGroup);
  m_rbLastCalc->setObjectName(QStringLiteral("rbLastCalc"));
  m_rbDefaults = new QRadioButton(QStringLiteral("Defaults"), openGroup);
  m_rbDefaults->setObjectName(QStringLiteral("rbDefaults"));
  openLayout->addWidget(m_rbLastCalc);
  openLayout->addWidget(m_rbDefaults);

  m_defaultsGroup = new QGroupBox(QStringLiteral(" &Defaults are : "), page);
  auto* defaultsLayout = new QVBoxLayout(m_defaultsGroup);
  m_rbLocal = new QRadioButton(QStringLiteral("Local"), m_defaultsGroup);
  m_rbLocal->setObjectName(QStringLiteral("rbLocal"));
  m_rbGlobal = new QRadioButton(QStringLiteral("Global"), m_defaultsGroup);
  m_rbGlobal->setObjectName(QStringLiteral("rbGlobal"));
  m_rbPublisher = new QRadioButton(QStringLiteral("Publisher's"), m_defaultsGroup);
  m_rbPublisher->setObjectName(QStringLiteral("rbPublisher"));
  defaultsLayout->addWidget(m_rbLocal);
  defaultsLayout->addWidget(m_rbGlobal);
  defaultsLayout->addWidget(m_rbPublisher);

  auto* top = new QHBoxLayout;
  top->addWidget(openGroup);
  top->addWidget(m_defaultsGroup);
  layout->addLayout(top);

  m_localGroup = new QGroupBox(QStringLiteral("Local Defaults"), page);
  m_localGroup->setObjectName(QStringLiteral("gbLocalDefaults"));
  auto* grid = new QGridLayout(m_localGroup);
  grid->setHorizontalSpacing(16);
  grid->setColumnStretch(1, 1);
  LayOutFields(m_model->Options.localDefaults.Fields(), grid, 0, m_localGroup, true);
  layout->addWidget(m_localGroup);
  layout->addStretch(1);

  for (QRadioButton* radio : {m_rbLastCalc, m_rbDefaults, m_rbLocal, m_rbGlobal, m_rbPublisher}) {
    connect(radio, &QRadioButton::clicked, this, [this] { ApplyEnablingRule(); });
  }
}

void TcalcWindow::ApplyLocaleMasks() {
  const TMasks& masks = m_model->Services().masks;
  for (auto* fields : {&m_calcFields, &m_optionFields}) {
    for (auto& [id, bound] : *fields) {
      if (auto* date = qobject_cast<TDateEdit*>(bound.widget)) {
        if (auto mask = masks.ReplacementMask(MaskedField::Date)) {
          date->setDatePicture(*mask);
        }
      } else if (auto* number = qobject_cast<TMaskedNumberEdit*>(bound.widget);
                 number != nullptr && bound.spec->maskKind) {
        if (auto mask = masks.ReplacementMask(*bound.spec->maskKind)) {
          number->setMask(*mask);
        }
      }
    }
  }
}

void TcalcWindow::ApplyHints(bool show) {
  for (auto& [name, button] : m_buttons) {
    const QString hint = button->property("hint").toString();
    button->setToolTip(show ? hint : QString());
    button->setStatusTip(hint);
  }
}

void TcalcWindow::ApplyEnablingRule() {
  const bool defaults = m_rbDefaults->isChecked();
  m_defaultsGroup->setEnabled(defaults);
  for (QRadioButton* radio : {m_rbLocal, m_rbGlobal, m_rbPublisher}) {
    radio->setEnabled(defaults);
  }
  const bool local = defaults && m_rbLocal->isChecked();
  m_localGroup->setEnabled(local);
  for (auto& [id, bound] : m_optionFields) {
    bound.widget->setEnabled(local);
  }
}

QWidget* TcalcWindow::FieldWidget(std::string_view id) const {
  if (auto found = m_calcFields.find(id); found != m_calcFields.end()) {
    return found->second.widget;
  }
  if (auto found = m_optionFields.find(id); found != m_optionFields.end()) {
    return found->second.widget;
  }
  return nullptr;
}

QPushButton* TcalcWindow::Button(std::string_view objectName) const {
  const auto found = m_buttons.find(objectName);
  return found == m_buttons.end() ? nullptr : found->second;
}

void TcalcWindow::ReadField(const Bound& bound, TCalculationRecord& record, std::size_t index) const {
  const FieldSpec& spec = *bound.spec;
  FieldValue& value = record.Value(index);
  const std::string label = StripAccelerator(record.Captions[index]);
  switch (spec.type) {
    case FieldType::Double:
    case FieldType::Single:
    case FieldType::Int32: {
      const auto read = static_cast<TMaskedNumberEdit*>(bound.widget)->value();
      if (!read) {
        throw EFieldInput("Please enter a valid number for \"" + label + "\".", bound.widget);
      }
      if (spec.type == FieldType::Int32) {
        if (*read < -2147483648.0 || *read > 2147483647.0) {
          throw EFieldInput("The number for \"" + label + "\" is too large.", bound.widget);
        }
        const std::int32_t typed = static_cast<std::int32_t>(std::llround(*read));
        if (!spec.range.Holds(typed)) {
          throw EFieldInput("Please enter a number from " + std::to_string(spec.range.low) + " to " +
                                std::to_string(spec.range.high) + " for \"" + label + "\".",
                            bound.widget);
        }
        value.integer = typed;
      } else {
        value.number = KeptAs(spec.type, *read);
      }
      break;
    }
    case FieldType::Date: {
      const DayNumber date = static_cast<TDateEdit*>(bound.widget)->date();
      if (!IsValidDate(date)) {
        throw EFieldInput("Please enter a valid date for \"" + label + "\" (from " +
                              m_model->Services().masks.DateText(kFirstDayNumber) + " to " +
                              m_model->Services().masks.DateText(kLastDayNumber) + ").",
                          bound.widget);
      }
      value.integer = date;
      break;
    }
    case FieldType::Choice:
      value.integer = static_cast<QComboBox*>(bound.widget)->currentIndex();
      break;
    case FieldType::Text:
      value.text = static_cast<QLineEdit*>(bound.widget)->text().toStdString();
      break;
  }
}

void TcalcWindow::ShowFieldValue(const Bound& bound, const TCalculationRecord& record, std::size_t index) {
  const FieldSpec& spec = *bound.spec;
  const FieldValue& value = record.Value(index);
  switch (spec.type) {
    case FieldType::Double:
    case FieldType::Single:
      static_cast<TMaskedNumberEdit*>(bound.widget)->setValue(value.number);
      break;
    case FieldType::Int32:
      static_cast<TMaskedNumberEdit*>(bound.widget)->setValue(value.integer);
      break;
    case FieldType::Date:
      static_cast<TDateEdit*>(bound.widget)->setDate(value.integer);
      break;
    case FieldType::Choice: {
      auto* combo = static_cast<QComboBox*>(bound.widget);
      combo->setCurrentIndex(value.integer >= 0 && value.integer < combo->count() ? value.integer : -1);
      break;
    }
    case FieldType::Text:
      static_cast<QLineEdit*>(bound.widget)->setText(QString::fromStdString(value.text));
      break;
  }
}

void TcalcWindow::FormToCalculation() {
  TCalculationRecord taken = m_model->Calculation;
  for (std::size_t i = 0; i < taken.Size(); ++i) {
    const auto found = m_calcFields.find(taken.Fields()[i].id);
    if (found != m_calcFields.end()) {
      ReadField(found->second, taken, i);
    }
  }
  taken.RefreshWeekdayNames();
  m_model->Calculation = std::move(taken);
}

void TcalcWindow::CalculationToForm() {
  TransferScope transfer(m_transferring);
  const TCalculationRecord& record = m_model->Calculation;
  for (std::size_t i = 0; i < record.Size(); ++i) {
    const auto found = m_calcFields.find(record.Fields()[i].id);
    if (found != m_calcFields.end()) {
      ShowFieldValue(found->second, record, i);
    }
  }
}

void TcalcWindow::FieldToRecord(std::string_view id) {
  TCalculationRecord& record = m_model->Calculation;
  const std::size_t index = record.IndexOf(id);
  const auto found = m_calcFields.find(id);
  if (found == m_calcFields.end()) {
    return;
  }
  const FieldSpec& spec = record.Fields()[index];
  if (spec.type == FieldType::Date) {
    // A linked date may be invalid for now: the model checks it.
    record.SetDate(id, static_cast<TDateEdit*>(found->second.widget)->date());
    return;
  }
  ReadField(found->second, record, index);
}

void TcalcWindow::RecordToField(std::string_view id) {
  TransferScope transfer(m_transferring);
  const TCalculationRecord& record = m_model->Calculation;
  const auto found = m_calcFields.find(id);
  if (found != m_calcFields.end()) {
    ShowFieldValue(found->second, record, record.IndexOf(id));
  }
}

void TcalcWindow::FormToOptions() {
  TCalculationRecord taken = m_model->Options.localDefaults;
  for (std::size_t i = 0; i < taken.Size(); ++i) {
    const auto found = m_optionFields.find(taken.Fields()[i].id);
    if (found != m_optionFields.end()) {
      ReadField(found->second, taken, i);
    }
  }
  m_model->Options.localDefaults = std::move(taken);
  m_model->Options.openWith = m_rbDefaults->isChecked() ? OpenWith::Defaults : OpenWith::LastEntered;
  m_model->Options.defaultsFrom = m_rbLocal->isChecked()    ? DefaultsFrom::Local
                                  : m_rbGlobal->isChecked() ? DefaultsFrom::Global
                                                            : DefaultsFrom::Publisher;
}

void TcalcWindow::OptionsToForm() {
  TransferScope transfer(m_transferring);
  const TOptionsRecord& options = m_model->Options;
  for (std::size_t i = 0; i < options.localDefaults.Size(); ++i) {
    const auto found = m_optionFields.find(options.localDefaults.Fields()[i].id);
    if (found != m_optionFields.end()) {
      ShowFieldValue(found->second, options.localDefaults, i);
    }
  }
  (options.openWith == OpenWith::LastEntered ? m_rbLastCalc : m_rbDefaults)->setChecked(true);
  switch (options.defaultsFrom) {
    case DefaultsFrom::Local:
      m_rbLocal->setChecked(true);
      break;
    case DefaultsFrom::Global:
      m_rbGlobal->setChecked(true);
      break;
    case DefaultsFrom::Publisher:
      m_rbPublisher->setChecked(true);
      break;
  }
  ApplyEnablingRule();
}

bool TcalcWindow::RunGuarded(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const EFieldInput& e) {
    ShowErrorBox(this, QString::fromStdString(e.what()));
    if (QWidget* field = e.Field()) {
      if (QWidget* page = m_pages->widget(0); page != nullptr && page->isAncestorOf(field)) {
        m_pages->setCurrentIndex(0);
      }
      field->setFocus();
    }
  } catch (const std::exception& e) {
    ShowErrorBox(this, QString::fromStdString(e.what()));
  } catch (...) {
    ShowErrorBox(this, QStringLiteral("An unknown error has occurred..."));
  }
  return false;
}

std::string TcalcWindow::PositionKey() const {
  return TStRegIniEx::WindowKeyName(m_model->Definition().title, m_instance);
}

void TcalcWindow::Open(int instance, const WindowFlags& flags) {
  if (m_calcFields.empty()) {
    BuildCalculatorPage(m_pages->widget(0));
    BuildOptionsPage(m_pages->widget(1));
    ApplyLocaleMasks();
    ConnectFields();
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) { OnPageChanged(index); });
  }
  m_instance = instance;
  m_flags = flags;
  const QString caption = Q(m_model->Definition().title) + QLatin1Char(' ') + QString::number(instance);
  setWindowTitle(caption);
  m_model->SetTitle(caption.toStdString());

  TStRegIniEx& settings = m_model->Services().settings;
  if (flags.restorePositions) {
    settings.SetCurrentKey(PositionKey());
    const WindowPosition at = settings.RestorePosition({x(), y()});
    move(at.Left, at.Top);
  }

  m_lastPage = 0;
  m_pages->setCurrentIndex(0);
  m_model->LoadOptions();
  OptionsToForm();
  m_model->ApplyOpeningRule(m_context.openWindows.LastCalculated(KeyName()));
  OptionsToForm();  // a failed load may have changed the rule
  CalculationToForm();
  ApplyHints(flags.showButtonHints);
  adjustSize();
  show();
  for (const FieldSpec& spec : m_model->Calculation.Fields()) {
    if (spec.kind == FieldKind::Input) {
      if (QWidget* first = FieldWidget(spec.id)) {
        first->setFocus();
      }
      break;
    }
  }
  emit windowOpened(this, caption);
}

void TcalcWindow::OnPageChanged(int index) {
  const int previous = m_lastPage;
  m_lastPage = index;
  if (previous == 1 && index == 0) {
    RunGuarded([this] {
      FormToOptions();
      m_model->SaveOptions();
    });
  } else if (index == 1) {
    RunGuarded([this] {
      m_model->LoadOptions();
      OptionsToForm();
    });
  }
}

void TcalcWindow::Calc() {
  RunGuarded([this] {
    FormToCalculation();
    m_model->Calculate();
    CalculationToForm();
    m_context.openWindows.SetLastCalculated(KeyName(), &m_model->Calculation);
  });
}

void TcalcWindow::Copy() {
  RunGuarded([this] {
    FormToCalculation();
    SetClipboardText(m_model->CopyText());
    m_status->showMessage(QStringLiteral("Copied to the clipboard."), 3000);
  });
}

void TcalcWindow::Print() {
  RunGuarded([this] {
    FormToCalculation();
    PrintModelReport();
  });
}

void TcalcWindow::PrintModelReport() {
  TReportPrinter* reports = m_context.reports;
  if (reports == nullptr) {
    ShowInformationBox(this, QStringLiteral("Printing is not available in this session."));
    return;
  }
  const TbufCalculator& model = *m_model;
  const FontSpec font = reports->Font();
  const double paperWidth = reports->PaperWidth();
  ReportJob job{
      windowTitle(), SetupFor(model.Definition().reportKind),
      [&model, font, paperWidth](TReportCanvas& canvas) { model.PrintReport(canvas, font, paperWidth); }};
  reports->Print(job, this);
}

void TcalcWindow::Undo() {
  RunGuarded([this] { CalculationToForm(); });
}

void TcalcWindow::Reset() {
  RunGuarded([this] {
    m_model->Reset();
    OptionsToForm();
    CalculationToForm();
  });
}

void TcalcWindow::Help() {
  if (m_context.showHelp) {
    // The Options page has a topic of its own where the calculator has one.
    const CalculatorDefinition& definition = m_model->Definition();
    const bool options = m_pages->currentIndex() == 1 && definition.optionsHelpTopic != 0;
    m_context.showHelp(options ? definition.optionsHelpTopic : definition.helpTopic, this);
  } else {
    ShowInformationBox(this, QStringLiteral("Help is not available yet in this version of Quandrel!."));
  }
}

void TcalcWindow::reject() {
  close();
}

void TcalcWindow::closeEvent(QCloseEvent* event) {
  if (!m_closing) {
    m_closing = true;
    // The options page's edits are kept as when the page is left.
    if (m_pages->currentIndex() == 1) {
      RunGuarded([this] {
        FormToOptions();
        m_model->SaveOptions();
      });
    }
    RunGuarded([this] {
      if (m_model->Options.openWith == OpenWith::LastEntered) {
        m_model->SaveLastCalculation();  // the record as last taken from the page
      }
      if (m_flags.savePositions) {
        TStRegIniEx& settings = m_model->Services().settings;
        settings.SetCurrentKey(PositionKey());
        settings.SavePosition({x(), y()});
      }
    });
    m_context.openWindows.ClearLastCalculated(KeyName(), &m_model->Calculation);
    m_context.openWindows.Release(KeyName(), m_instance);
    emit windowClosing(this);
  }
  event->accept();
}

}  // namespace quandrel
