#include "gui/shell/printer_setup_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/foundation/settings_store.h"

namespace quandrel {

namespace {
constexpr int kPrinterSetupTopic = 344;
}

TfrmSetPrinter::TfrmSetPrinter(TStRegIniEx& settings, const QStringList& printers,
                               const QString& systemDefault,
                               std::function<void(int topic, QWidget* from)> showHelp, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
  setObjectName(QStringLiteral("frmSetPrinter"));
  setWindowTitle(QStringLiteral("Set Quandrel!'s Default Printer"));
  const QString stored = QString::fromStdString(settings.SelectedPrinter());

  auto* layout = new QVBoxLayout(this);
  auto* facts = new QFormLayout;
  auto* systemPrinter = new QLabel(systemDefault.isEmpty() ? QStringLiteral("(none)") : systemDefault, this);
  systemPrinter->setObjectName(QStringLiteral("lSystemPrinter"));
  auto* ownPrinter = new QLabel(stored, this);
  ownPrinter->setObjectName(QStringLiteral("lQuandrelPrinter"));
  facts->addRow(QStringLiteral("System Default Printer:"), systemPrinter);
  facts->addRow(QStringLiteral("Quandrel!'s Default Printer:"), ownPrinter);
  layout->addLayout(facts);

  m_list = new QListWidget(this);
  m_list->setObjectName(QStringLiteral("lbPrinters"));
  m_list->addItems(printers);
  layout->addWidget(m_list);
  if (printers.isEmpty()) {
    auto* none =
        new QLabel(QStringLiteral("No printer is installed. Reports can be saved as PDF files."), this);
    none->setWordWrap(true);
    layout->addWidget(none);
  }
  // The stored printer when it is installed, otherwise the current one.
  int selected = static_cast<int>(printers.indexOf(stored));
  if (selected < 0) {
    selected = static_cast<int>(printers.indexOf(systemDefault));
  }
  if (selected >= 0) {
    m_list->setCurrentRow(selected);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this, showHelp] {
    if (showHelp) {
      showHelp(kPrinterSetupTopic, this);
    }
  });
  help->setEnabled(static_cast<bool>(showHelp));
  layout->addWidget(buttons);
  resize(420, 320);
}

void TfrmSetPrinter::accept() {
  if (const QListWidgetItem* item = m_list->currentItem()) {
    m_settings.SetSelectedPrinter(item->text().toStdString());  // written only when it differs
  }
  QDialog::accept();
}

}  // namespace quandrel
