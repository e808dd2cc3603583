#include "gui/shell/owner_form.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

#include "gui/shell/app_title.h"
#include "gui/shell/message_boxes.h"

namespace quandrel {

TfrmMain::TfrmMain(const MainWindowServices& services, const TfrmQuandrelMain::Registrar& registrar) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(AppTitle());
  move(-10000, -10000);  // never shown; off-screen should anything show it
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QString notice = ResolutionNotice(screen->geometry().width(), services.models.settings.RunTimes());
    if (!notice.isEmpty()) {
      ShowInformationBox(nullptr, notice);
    }
  }
  m_main = std::make_unique<TfrmQuandrelMain>(services, registrar);
}

TfrmMain::~TfrmMain() = default;

int TfrmMain::Run() {
  QEventLoop loop;
  connect(m_main.get(), &TfrmQuandrelMain::closed, &loop, &QEventLoop::quit);
  m_main->show();
  m_main->raise();
  m_main->activateWindow();
  if (m_main->isVisible()) {
    loop.exec();
  }
  return 0;
}

QString TfrmMain::ResolutionNotice(int screenWidth, int runTimes) {
  if (screenWidth >= kMinimumScreenWidth || runTimes >= kResolutionNoticeRuns) {
    return {};
  }
  return QStringLiteral(
             "Your monitor is not set to a high enough resolution.\n\n"
             "Please increase resolution for best results.\n\n"
             "The minimum resolution should be %1 x %2\n\n"
             "This message will not display after %3 times.")
      .arg(kMinimumScreenWidth)
      .arg(kMinimumScreenHeight)
      .arg(kResolutionNoticeRuns);
}

}  // namespace quandrel
