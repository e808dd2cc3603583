#include <QApplication>
#include <QMessageBox>

#include "gui/shell/app_services.h"
#include "gui/shell/app_title.h"
#include "gui/shell/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quandrel"));
  QApplication::setOrganizationName(QStringLiteral("Brackwell"));

  // The settings store, locale facts and masks exist before any window.
  quandrel::AppServices services;
  const quandrel::ModelServices models{services.Settings(), services.Masks(), services.Facts()};
  quandrel::TfrmQuandrelMain window(&models);
  window.show();
  if (const QString notice = services.SettingsFileNotice(); !notice.isEmpty()) {
    QMessageBox::information(&window, quandrel::AppTitle(), notice);
  }
  const int result = QApplication::exec();
  services.Shutdown();
  return result;
}
