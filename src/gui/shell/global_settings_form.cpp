#include "gui/shell/global_settings_form.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/foundation/masks.h"
#include "gui/platform/file_dialogs.h"
#include "gui/platform/qt_locale_facts.h"
#include "gui/shell/help_system.h"
#include "gui/shell/message_boxes.h"
#include "gui/widgets/masked_number_edit.h"

namespace quandrel {

namespace {

constexpr int kHelpTopic = 338;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Label(const GlobalFieldInfo& info) {
  std::string label = StripAccelerator(info.caption);
  while (!label.empty() && label.back() == ' ') {
    label.pop_back();
  }
  return label;
}

}  // namespace

TfrmGlobalSettings::TfrmGlobalSettings(TStRegIniEx& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_facts(LocaleFactsFromQLocale(QLocale())) {
  setObjectName(QStringLiteral("frmGlobalSettings"));
  setWindowTitle(QStringLiteral("Global Settings"));
  setModal(true);

  m_pages = new QTabWidget(this);
  const QString titles[] = {QStringLiteral("&General"), QStringLiteral("&Loans && Schedules"),
                            QStringLiteral("Depreciation && &Advisors")};
  for (int page = 0; page < 3; ++page) {
    auto* container = new QWidget(m_pages);
    BuildPage(page, container);
    m_pages->addTab(container, titles[page]);
  }

  auto* defaults = new QPushButton(QStringLiteral("Defaults"), this);
  defaults->setObjectName(QStringLiteral("btnDefaults"));
  defaults->setToolTip(QStringLiteral("Show the publisher's global defaults (kept only with OK)."));
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  auto* help = new QPushButton(QStringLiteral("Help"), this);
  help->setObjectName(QStringLiteral("btnHelp"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(defaults);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(defaults, &QPushButton::clicked, this, [this] { ShowPublisherDefaults(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { RequestHelpTopic(kHelpTopic, this); });
  connect(ok, &QPushButton::clicked, this, &TfrmGlobalSettings::accept);
  connect(Button(QStringLiteral("btnBrowseData")), &QPushButton::clicked, this,
          [this] { Browse(GlobalField::DataPath, QStringLiteral("Quandrel!'s default save folder.")); });
  connect(Button(QStringLiteral("btnBrowseDatabase")), &QPushButton::clicked, this,
          [this] { Browse(GlobalField::DatabasePath, QStringLiteral("Quandrel!'s database folder.")); });

  RecordToForm(ReadGlobalSettings(m_settings));
  if (THelpSystem* helpSystem = THelpSystem::Active()) {
    helpSystem->InstallFieldHelp(this);
  }
}

void TfrmGlobalSettings::BuildPage(int page, QWidget* container) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(6);
  grid->setColumnMinimumWidth(1, 220);
  int row = 0;
  for (const GlobalFieldInfo& info : GlobalFields()) {
    if (info.page != page) {
      continue;
    }
    QWidget* field = MakeField(info, container);
    auto* label = new QLabel(Q(info.caption), container);
    label->setObjectName(QStringLiteral("l") + Q(info.name));
    label->setBuddy(field);
    grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    if (info.browse) {
      auto* browse = new QPushButton(QStringLiteral("..."), container);
      browse->setObjectName(info.id == GlobalField::DataPath ? QStringLiteral("btnBrowseData")
                                                             : QStringLiteral("btnBrowseDatabase"));
      browse->setToolTip(QStringLiteral("Choose the folder."));
      browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 20);
      auto* line = new QHBoxLayout;
      line->setSpacing(4);
      line->addWidget(field, 1);
      line->addWidget(browse);
      grid->addLayout(line, row, 1);
    } else {
      grid->addWidget(field, row, 1);
    }
    m_fields[static_cast<std::size_t>(info.id)] = field;
    ++row;
  }
  grid->setRowStretch(row, 1);

  auto* outer = new QVBoxLayout(container);
  if (page == 0) {
    auto* group = new QGroupBox(QStringLiteral(" Global Default Values "), container);
    group->setLayout(grid);
    outer->addWidget(group);
  } else {
    outer->addLayout(grid);
  }
}

QWidget* TfrmGlobalSettings::MakeField(const GlobalFieldInfo& info, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (info.kind) {
    case GlobalFieldKind::Choice:
    case GlobalFieldKind::DaysPerYear: {
      auto* combo = new QComboBox(parent);
      for (std::string_view item : GlobalFieldItems(info.id)) {
        combo->addItem(Q(item));
      }
      combo->setMaxVisibleItems(combo->count());  // drops down every item
      widget = combo;
      break;
    }
    case GlobalFieldKind::Integer:
    case GlobalFieldKind::Real:
      widget = new TMaskedNumberEdit(info.mask, m_facts, parent);
      break;
    case GlobalFieldKind::Money: {
      const TMasks masks(m_facts);
      const std::string mask = masks.ReplacementMask(MaskedField::Money).value_or(std::string(info.mask));
      widget = new TMaskedNumberEdit(mask, m_facts, parent);
      break;
    }
    case GlobalFieldKind::Text:
      widget = new QLineEdit(parent);
      break;
  }
  widget->setObjectName(Q(info.name));
  return widget;
}

QPushButton* TfrmGlobalSettings::Button(const QString& objectName) const {
  return findChild<QPushButton*>(objectName);
}

TGlobalSettingsRecord TfrmGlobalSettings::FormToRecord() const {
  TGlobalSettingsRecord record;
  for (const GlobalFieldInfo& info : GlobalFields()) {
    QWidget* widget = Field(info.id);
    switch (info.kind) {
      case GlobalFieldKind::Choice:
      case GlobalFieldKind::DaysPerYear:
        record.SetPosition(info.id, static_cast<QComboBox*>(widget)->currentIndex());
        break;
      case GlobalFieldKind::Integer: {
        const std::optional<double> value = static_cast<TMaskedNumberEdit*>(widget)->value();
        if (!value || !std::isfinite(*value) || std::fabs(*value) > 2e9) {
          throw EGlobalSettingsInput(info.id, "\"" + Label(info) + "\" needs a whole number.");
        }
        record.SetInteger(info.id, static_cast<std::int32_t>(std::lround(*value)));
        break;
      }
      case GlobalFieldKind::Real:
      case GlobalFieldKind::Money: {
        const std::optional<double> value = static_cast<TMaskedNumberEdit*>(widget)->value();
        if (!value) {
          throw EGlobalSettingsInput(info.id, "\"" + Label(info) + "\" needs a number.");
        }
        record.SetNumber(info.id, *value);
        break;
      }
      case GlobalFieldKind::Text:
        record.SetText(info.id, static_cast<QLineEdit*>(widget)->text().toStdString());
        break;
    }
  }
  return record;
}

void TfrmGlobalSettings::RecordToForm(const TGlobalSettingsRecord& record) {
  for (const GlobalFieldInfo& info : GlobalFields()) {
    QWidget* widget = Field(info.id);
    switch (info.kind) {
      case GlobalFieldKind::Choice:
      case GlobalFieldKind::DaysPerYear:
        static_cast<QComboBox*>(widget)->setCurrentIndex(record.Position(info.id));
        break;
      case GlobalFieldKind::Integer:
        static_cast<TMaskedNumberEdit*>(widget)->setValue(record.Integer(info.id));
        break;
      case GlobalFieldKind::Real:
      case GlobalFieldKind::Money:
        static_cast<TMaskedNumberEdit*>(widget)->setValue(record.Number(info.id));
        break;
      case GlobalFieldKind::Text: {
        auto* edit = static_cast<QLineEdit*>(widget);
        const QString text = QString::fromStdString(record.Text(info.id));
        // A stored text longer than the limit is shown whole, never cut.
        edit->setMaxLength(std::max(static_cast<int>(info.maxLength), static_cast<int>(text.size())));
        edit->setText(text);
        edit->setCursorPosition(0);
        break;
      }
    }
  }
}

void TfrmGlobalSettings::ShowPublisherDefaults() {
  RecordToForm(PublisherGlobalSettings());
}

void TfrmGlobalSettings::FocusField(GlobalField field) {
  QWidget* widget = Field(field);
  m_pages->setCurrentIndex(GlobalFieldOf(field).page);
  widget->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->selectAll();
  }
}

void TfrmGlobalSettings::accept() {
  try {
    StoreGlobalSettings(FormToRecord(), m_settings);
  } catch (const EGlobalSettingsInput& e) {
    ShowErrorBox(this, QString::fromStdString(e.what()));
    FocusField(e.Field());
    return;
  } catch (const std::exception& e) {
    // The settings could not be written; what was written stays written.
    ShowErrorBox(this, QString::fromStdString(e.what()));
    return;
  }
  QDialog::accept();
}

void TfrmGlobalSettings::Browse(GlobalField field, const QString& title) {
  auto* edit = static_cast<QLineEdit*>(Field(field));
  const std::optional<QString> chosen = BrowseForFolder(this, title, edit->text());
  if (!chosen) {
    return;
  }
  const auto limit = static_cast<qsizetype>(GlobalFieldOf(field).maxLength);
  if (chosen->size() > limit) {
    ShowErrorBox(this,
                 QStringLiteral("The folder name is longer than %1 characters:\n%2").arg(limit).arg(*chosen));
    return;
  }
  edit->setMaxLength(std::max(edit->maxLength(), static_cast<int>(chosen->size())));
  edit->setText(*chosen);
}

}  // namespace quandrel
