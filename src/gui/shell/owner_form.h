#pragma once

// The program's first form: invisible, it sets the application title, warns
// about a screen too small for the main window, creates the main window and
// runs it until it closes.

#include <QString>
#include <QWidget>
#include <memory>

#include "gui/shell/main_window.h"

namespace quandrel {

inline constexpr int kMinimumScreenWidth = 800;
inline constexpr int kMinimumScreenHeight = 600;
// The resolution notice is shown on the first runs only.
inline constexpr int kResolutionNoticeRuns = 5;

class TfrmMain : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmMain(const MainWindowServices& services, const TfrmQuandrelMain::Registrar& registrar = {});
  ~TfrmMain() override;

  TfrmQuandrelMain& MainWindow() { return *m_main; }

  // Shows the main window and returns when it has closed; the calculator
  // windows still open are gone by then.
  int Run();

  // The notice for a screen narrower than the main window needs, on the
  // first runs; empty when there is nothing to say.
  static QString ResolutionNotice(int screenWidth, int runTimes);

 private:
  std::unique_ptr<TfrmQuandrelMain> m_main;
};

}  // namespace quandrel
