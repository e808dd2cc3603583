#include "gui/shell/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/shell/interest_buffer.h"
#include "gui/shell/app_title.h"
#include "gui/shell/calculator_launcher.h"

namespace quandrel {

TfrmQuandrelMain::TfrmQuandrelMain(const ModelServices* services, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmQuandrelMain"));
  setWindowTitle(AppTitle());
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  setCentralWidget(central);
  statusBar();
  if (services != nullptr) {
    m_launcher = std::make_unique<TCalculatorLauncher>(*services, this);
    RegisterCalculators(*m_launcher);
    auto* interest = new QPushButton(QStringLiteral("&Compound/Simple Interest..."), central);
    interest->setObjectName(QStringLiteral("btnInterest"));
    interest->setToolTip(QStringLiteral("Compound or simple interest on an amount over a number of days."));
    connect(interest, &QPushButton::clicked, this, [this] {
      const TStRegIniEx& settings = m_launcher->Context().services.settings;
      m_launcher->Launch(TbufInterest::Definition().title,
                         {settings.ShowButtonHints(), settings.RestorePositions(), settings.SavePositions()});
    });
    layout->addWidget(interest);
  }
  layout->addStretch(1);
  resize(640, 420);
}

TfrmQuandrelMain::~TfrmQuandrelMain() {
  if (m_launcher) {
    m_launcher->DestroyOpenWindows();
  }
}

void TfrmQuandrelMain::closeEvent(QCloseEvent* event) {
  // Calculator windows still open end without their close step.
  if (m_launcher) {
    m_launcher->DestroyOpenWindows();
  }
  event->accept();
}

}  // namespace quandrel
