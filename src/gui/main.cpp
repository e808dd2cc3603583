#include <QApplication>

#include "gui/shell/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quandrel"));
  QApplication::setOrganizationName(QStringLiteral("Brackwell"));
  quandrel::TfrmQuandrelMain window;
  window.show();
  return QApplication::exec();
}
