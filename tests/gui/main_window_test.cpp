#include <QStatusBar>
#include <QtTest>

#include "gui/shell/main_window.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheApplicationTitle() {
    quandrel::TfrmQuandrelMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quandrel!, The Financial Calculator"));
    QVERIFY(window.statusBar() != nullptr);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
