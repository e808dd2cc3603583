#include <QApplication>
#include <QMessageBox>

#include "gui/shell/app_services.h"
#include "gui/shell/app_title.h"
#include "gui/shell/owner_form.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quandrel"));
  QApplication::setOrganizationName(QStringLiteral("Brackwell"));

  int result = 0;
  {
    // The settings store, the printer font, the locale facts and the masks
    // exist before any window and outlive them all.
    quandrel::AppServices services;
    const quandrel::MainWindowServices shell{
        {services.Settings(), services.Masks(), services.Facts()},
        services.PrinterFont(),
        quandrel::AppServices::DataFolder(),
    };
    {
      // The owner form warns about a small screen, creates the main window
      // (which registers the calculators) and runs it until it closes.
      quandrel::TfrmMain owner(shell);
      if (const QString notice = services.SettingsFileNotice(); !notice.isEmpty()) {
        QMessageBox::information(nullptr, quandrel::AppTitle(), notice);
      }
      result = owner.Run();
    }                     // the main window and any calculator window still open end here
    services.Shutdown();  // counts the run
  }
  return result;
}
