#include "gui/shell/main_window.h"

#include <QLabel>
#include <QStatusBar>

#include "gui/shell/app_title.h"

namespace quandrel {

TfrmQuandrelMain::TfrmQuandrelMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmQuandrelMain"));
  setWindowTitle(AppTitle());
  auto* placeholder = new QLabel(this);
  placeholder->setObjectName(QStringLiteral("lWelcome"));
  placeholder->setAlignment(Qt::AlignCenter);
  setCentralWidget(placeholder);
  statusBar();
  resize(640, 420);
}

}  // namespace quandrel
