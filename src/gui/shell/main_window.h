#pragma once

// The program's home window: six groups of calculator buttons, the menu bar
// with the calculator menus, the "Windows" menu of the open calculator
// windows, the preference toggles, printer set-up, global options and help.
// It owns the launcher, which allows two windows of each calculator.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/foundation/settings_store.h"
#include "core/shell/calculator_model.h"
#include "gui/shell/calculator_window.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace quandrel {

class TCalculatorLauncher;
class TFontEx;
class TGradientBackground;
class THelpSystem;
class TReportPrinter;
struct CalculatorEntry;

// What the main window needs from the program, created before it.
struct MainWindowServices {
  ModelServices models;
  TFontEx& printerFont;
  // The shipped data (help pages and field texts, tips).
  QString dataFolder;
};

// The hint of a button or menu item whose calculator is not in this build.
inline constexpr std::string_view kComingLaterHint = "Coming in a later version";
// The first status bar panel.
inline constexpr std::string_view kStatusVersionText = " Quandrel! v.5.7f  02/28/2009";

class TfrmQuandrelMain : public QMainWindow {
  Q_OBJECT

 public:
  // Registers the calculators with the launcher; a calculator that is not
  // registered has its button and menu item disabled.
  using Registrar = std::function<void(TCalculatorLauncher&)>;

  explicit TfrmQuandrelMain(const MainWindowServices& services, const Registrar& registrar = {},
                            QWidget* parent = nullptr);
  ~TfrmQuandrelMain() override;

  // Opens the calculator registered under `title` in its first free slot
  // with the present preferences. Null when both of its windows are open
  // (after the information box) or when it is not registered.
  TcalcWindow* LaunchCalculator(std::string_view title);
  // The preferences a calculator window is opened with.
  WindowFlags LaunchFlags(const CalculatorEntry& entry) const;

  TCalculatorLauncher& Launcher() { return *m_launcher; }
  THelpSystem& Help() { return *m_help; }

  // Widgets by role, for the program's own checks and tests.
  QPushButton* CalculatorButton(std::string_view title) const;
  QAction* CalculatorAction(std::string_view title) const;
  QAction* PreferenceAction(Setting setting) const;
  QMenu* WindowsMenu() const { return m_windowsMenu; }
  QLabel* StatusPanel(int index) const;
  TGradientBackground* Background() const { return m_background; }

  // Puts the button hints on (or off) the buttons and their menu items.
  void ApplyButtonHints(bool show);

 signals:
  // The main window has closed: the program ends.
  void closed();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct CalculatorControls {
    const CalculatorEntry* entry = nullptr;
    QPushButton* button = nullptr;
    QAction* action = nullptr;
    bool available = false;
  };

  void BuildButtons();
  void BuildMenus();
  void BuildFileMenu();
  void BuildCalculatorMenus();
  void BuildPreferencesMenu();
  void BuildHelpMenu();
  void BuildStatusBar();
  QAction* AddCalculatorAction(QMenu* menu, const CalculatorEntry& entry);

  void TogglePreference(Setting setting, bool on);
  void RestoreMainPosition();
  void SaveMainPosition();
  void ShowStartupTips();

  void AddWindowEntry(QWidget* window, const QString& caption);
  void RemoveWindowEntry(QWidget* window);
  void UpdateWindowsMenu();

  void PrepareSupportMail();
  void PrepareWhatsNewMail();

  // Opens a help topic from any window.
  std::function<void(int topic, QWidget* from)> HelpHook();
  // Runs a menu action; any failure ends it with the error box.
  void Guarded(const std::function<void()>& action);

  MainWindowServices m_services;
  std::unique_ptr<TCalculatorLauncher> m_launcher;
  std::unique_ptr<THelpSystem> m_help;
  std::unique_ptr<TReportPrinter> m_reports;
  std::map<std::string, CalculatorControls, std::less<>> m_calculators;
  std::map<Setting, QAction*> m_preferences;
  std::vector<std::pair<QPointer<QWidget>, QAction*>> m_windowEntries;

  TGradientBackground* m_background = nullptr;
  QMenu* m_windowsMenu = nullptr;
  QLabel* m_statusVersion = nullptr;
  QLabel* m_statusInfo = nullptr;
  bool m_shown = false;
  bool m_activated = false;
  bool m_closed = false;
};

}  // namespace quandrel
