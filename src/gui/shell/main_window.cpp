#include "gui/shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSysInfo>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <exception>

#include "core/report/printer_font.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/app_title.h"
#include "gui/shell/calculator_catalog.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/global_settings_form.h"
#include "gui/shell/gradient_background.h"
#include "gui/shell/help_system.h"
#include "gui/shell/message_boxes.h"
#include "gui/shell/printer_dialogs.h"
#include "gui/shell/report_printing.h"
#include "gui/shell/tips_dialog.h"

namespace quandrel {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "\r" marks a line break in the hints.
QString HintText(std::string_view hint) {
  QString text = Q(hint);
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

// A caption shown as a menu item's text: a literal "&" is doubled.
QString MenuText(const QString& caption) {
  QString text = caption;
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return text;
}

// Our own addresses. They live under the reserved ".example" domain until
// the project has its public site and support desk.
constexpr const char* kMakerHomePage = "https://www.brackwell.example/";
constexpr const char* kProductHomePage = "https://www.brackwell.example/quandrel/";
constexpr const char* kSupportAddress = "support@brackwell.example";
constexpr const char* kWhatsNewAddress = "whats-new@brackwell.example";

constexpr int kHelpOnHelpTopic = 98;

struct PreferenceSpec {
  Setting setting;
  const char* caption;
  const char* objectName;
};

constexpr PreferenceSpec kPreferences[] = {
    {Setting::ShowHints, "Show Hints", "miShowHints"},
    {Setting::ShowButtonHints, "Show Button Hints", "miShowButtonHints"},
    {Setting::ShowToolbarHints, "Show Toolbar Hints", "miShowToolbarHints"},
    {Setting::SavePositions, "Save Positions", "miSavePositions"},
    {Setting::RestorePositions, "Restore Positions", "miRestorePositions"},
    {Setting::ColorBackground, "Color Background", "miColorBackground"},
};

QUrl MailTo(const char* address, const QString& subject, const QString& body) {
  QUrl url;
  url.setScheme(QStringLiteral("mailto"));
  url.setPath(QString::fromLatin1(address));
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("subject"), subject);
  if (!body.isEmpty()) {
    query.addQueryItem(QStringLiteral("body"), body);
  }
  url.setQuery(query);
  return url;
}

// A question with the application title; true for Yes (or OK).
bool Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton yes) {
  QMessageBox box(QMessageBox::Information, AppTitle(), text, buttons, parent);
  box.setDefaultButton(yes);
  return box.exec() == yes;
}

}  // namespace

TfrmQuandrelMain::TfrmQuandrelMain(const MainWindowServices& services, const Registrar& registrar,
                                   QWidget* parent)
    : QMainWindow(parent), m_services(services) {
  setObjectName(QStringLiteral("frmQuandrelMain"));
  setWindowTitle(AppTitle());
  // A fixed size with a minimize button only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  m_launcher = std::make_unique<TCalculatorLauncher>(m_services.models, this);
  (registrar ? registrar : Registrar(RegisterCalculators))(*m_launcher);
  connect(m_launcher.get(), &TCalculatorLauncher::windowOpened, this,
          [this](QWidget* window, const QString& caption) { AddWindowEntry(window, caption); });
  connect(m_launcher.get(), &TCalculatorLauncher::windowClosing, this,
          [this](QWidget* window) { RemoveWindowEntry(window); });

  // Help: topics by context number from every window, and field help.
  m_help = std::make_unique<THelpSystem>(m_services.dataFolder);
  m_launcher->Context().showHelp = HelpHook();
  // Every calculator prints through the one report printer.
  m_reports = std::make_unique<TReportPrinter>(m_services.models.settings, m_services.printerFont);
  m_launcher->Context().reports = m_reports.get();

  m_background = new TGradientBackground(this);
  setCentralWidget(m_background);
  BuildButtons();
  BuildMenus();
  BuildStatusBar();

  const TStRegIniEx& settings = m_services.models.settings;
  for (const auto& [setting, action] : m_preferences) {
    action->setChecked(settings.Boolean(setting));
  }
  m_background->SetGradient(settings.ColorBackground());
  ApplyButtonHints(settings.ShowButtonHints());

  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { Guarded([this] { m_help->ShowContents(this); }); });
  m_help->InstallFieldHelp(this);

  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TfrmQuandrelMain::~TfrmQuandrelMain() {
  // Calculator windows still open end without their close step.
  m_launcher->DestroyOpenWindows();
}

std::function<void(int, QWidget*)> TfrmQuandrelMain::HelpHook() {
  return [this](int topic, QWidget* from) { m_help->ShowTopic(topic, from); };
}

// --- Layout ------------------------------------------------------------------

void TfrmQuandrelMain::BuildButtons() {
  auto* grid = new QGridLayout(m_background);
  grid->setContentsMargins(14, 14, 14, 14);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(12);

  constexpr int kColumns = 3;
  int index = 0;
  for (const CalculatorGroupInfo& group : CalculatorGroups()) {
    auto* box = new QGroupBox(Q(group.title).trimmed(), m_background);
    box->setObjectName(Q(group.objectName));
    box->setAutoFillBackground(true);  // panels stay readable on the gradient
    QFont titleFont = box->font();
    titleFont.setBold(true);
    box->setFont(titleFont);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(10, 8, 10, 10);
    column->setSpacing(5);
    for (const CalculatorEntry& entry : CalculatorCatalog()) {
      if (entry.group != group.group) {
        continue;
      }
      auto* button = new QPushButton(Q(entry.caption), box);
      button->setObjectName(QStringLiteral("btn") + Q(entry.objectName));
      button->setAutoDefault(false);
      QFont buttonFont = button->font();
      buttonFont.setBold(false);
      button->setFont(buttonFont);
      button->setMinimumWidth(172);
      button->setMinimumHeight(28);
      const bool available = m_launcher->IsRegistered(entry.title);
      button->setEnabled(available);
      const std::string title(entry.title);
      connect(button, &QPushButton::clicked, this, [this, title] { LaunchCalculator(title); });
      column->addWidget(button);
      m_calculators.emplace(title, CalculatorControls{&entry, button, nullptr, available});
    }
    column->addStretch(1);
    grid->addWidget(box, index / kColumns, index % kColumns);
    ++index;
  }
  for (int c = 0; c < kColumns; ++c) {
    grid->setColumnStretch(c, 1);
  }
}

void TfrmQuandrelMain::BuildMenus() {
  BuildFileMenu();
  BuildCalculatorMenus();
  BuildPreferencesMenu();
  m_windowsMenu = menuBar()->addMenu(QStringLiteral("Windows"));
  m_windowsMenu->setObjectName(QStringLiteral("mnuWindows"));
  UpdateWindowsMenu();
  BuildHelpMenu();
}

void TfrmQuandrelMain::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* printer = file->addAction(QStringLiteral("Printer setup..."));
  printer->setObjectName(QStringLiteral("miPrinterSetup"));
  connect(printer, &QAction::triggered, this,
          [this] { Guarded([this] { ShowPrinterSetup(this, m_services.models.settings, HelpHook()); }); });
  file->addSeparator();
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("miExit"));
  connect(exit, &QAction::triggered, this, &QWidget::close);
}

QAction* TfrmQuandrelMain::AddCalculatorAction(QMenu* menu, const CalculatorEntry& entry) {
  QAction* action = menu->addAction(Q(entry.menuItem));
  action->setObjectName(QStringLiteral("mi") + Q(entry.objectName));
  CalculatorControls& controls = m_calculators.find(entry.title)->second;
  controls.action = action;
  action->setEnabled(controls.available);
  const std::string title(entry.title);
  connect(action, &QAction::triggered, this, [this, title] { LaunchCalculator(title); });
  return action;
}

void TfrmQuandrelMain::BuildCalculatorMenus() {
  // The menu bar item of each group; "Calculators" holds four submenus.
  std::map<std::string_view, QMenu*> menus;
  for (const CalculatorGroupInfo& group : CalculatorGroups()) {
    if (!menus.contains(group.menu)) {
      QMenu* menu = menuBar()->addMenu(Q(group.menu));
      menu->setObjectName(QStringLiteral("mnu") + Q(group.menu));
      menu->setToolTipsVisible(true);
      menus.emplace(group.menu, menu);
    }
  }
  auto addGroup = [this](QMenu* menu, CalculatorGroup group) {
    for (const CalculatorEntry& entry : CalculatorCatalog()) {
      if (entry.group == group) {
        AddCalculatorAction(menu, entry);
      }
    }
  };
  for (const CalculatorGroup group : CalculatorSubmenuOrder()) {
    const CalculatorGroupInfo& info = GroupInfo(group);
    QMenu* submenu = menus.at(info.menu)->addMenu(Q(info.submenu));
    submenu->setObjectName(QStringLiteral("mnu") + Q(info.objectName).mid(2));
    submenu->setToolTipsVisible(true);
    addGroup(submenu, group);
  }
  for (const CalculatorGroupInfo& info : CalculatorGroups()) {
    if (info.submenu.empty()) {
      addGroup(menus.at(info.menu), info.group);
    }
  }
}

void TfrmQuandrelMain::BuildPreferencesMenu() {
  QMenu* preferences = menuBar()->addMenu(QStringLiteral("Preferences"));
  preferences->setObjectName(QStringLiteral("mnuPreferences"));
  QAction* global = preferences->addAction(QStringLiteral("Global Options..."));
  global->setObjectName(QStringLiteral("miGlobalOptions"));
  connect(global, &QAction::triggered, this, [this] {
    Guarded([this] {
      TfrmGlobalSettings dialog(m_services.models.settings, this);
      dialog.exec();
    });
  });
  preferences->addSeparator();
  for (const PreferenceSpec& spec : kPreferences) {
    QAction* action = preferences->addAction(QString::fromUtf8(spec.caption));
    action->setObjectName(QString::fromUtf8(spec.objectName));
    action->setCheckable(true);
    const Setting setting = spec.setting;
    // Only the user's clicks write; setting the check mark from the
    // settings does not.
    connect(action, &QAction::triggered, this, [this, setting](bool on) { TogglePreference(setting, on); });
    m_preferences.emplace(setting, action);
  }
  preferences->addSeparator();
  QAction* font = preferences->addAction(QStringLiteral("Printer Font..."));
  font->setObjectName(QStringLiteral("miPrinterFont"));
  connect(font, &QAction::triggered, this,
          [this] { Guarded([this] { EditPrinterFont(this, m_services.printerFont); }); });
}

void TfrmQuandrelMain::BuildHelpMenu() {
  QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  auto add = [this, help](const QString& caption, const char* objectName, std::function<void()> action) {
    QAction* item = help->addAction(caption);
    item->setObjectName(QString::fromUtf8(objectName));
    connect(item, &QAction::triggered, this, [this, action = std::move(action)] { Guarded(action); });
    return item;
  };
  add(QStringLiteral("Contents..."), "miContents",
      [this] { m_help->HandleRequest(helprequest::Finder, 0, this); });
  // The topic search is a request the router answers with its default
  // topic, where the index and the full-text search are at hand.
  add(QStringLiteral("Topic Search..."), "miTopicSearch",
      [this] { m_help->HandleRequest(helprequest::TopicSearch, 0, this); });
  add(QStringLiteral("Help on Help..."), "miHelpOnHelp",
      [this] { m_help->ShowTopic(kHelpOnHelpTopic, this); });
  help->addSeparator();
  add(QStringLiteral("Brackwell on the Web..."), "miMakerHomePage",
      [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerHomePage))); });
  add(QStringLiteral("Quandrel! Home Page..."), "miProductHomePage",
      [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductHomePage))); });
  add(QStringLiteral("Prepare an e-mail to support..."), "miSupportMail", [this] { PrepareSupportMail(); });
  add(QStringLiteral("What's new via email..."), "miWhatsNewMail", [this] { PrepareWhatsNewMail(); });
  help->addSeparator();
  add(QStringLiteral("Tips..."), "miTips", [this] { ShowTipsDialog(this, m_services.models.settings); });
  help->addSeparator();
  add(QStringLiteral("About..."), "miAbout", [this] { ShowAboutBox(this); });
}

void TfrmQuandrelMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  m_statusVersion = new QLabel(Q(kStatusVersionText), bar);
  m_statusVersion->setObjectName(QStringLiteral("pnlVersion"));
  m_statusVersion->setMinimumWidth(160);  // wider when the font needs it
  m_statusInfo = new QLabel(bar);
  m_statusInfo->setObjectName(QStringLiteral("pnlInfo"));
  m_statusInfo->setMinimumWidth(140);
  // The hints never widen the fixed-size window: the panel takes the room
  // left and a hint too long for it is elided.
  m_statusInfo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar->addWidget(m_statusVersion);
  bar->addWidget(m_statusInfo, 1);
}

bool TfrmQuandrelMain::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // The hint of the button or menu item under the mouse goes to the second
    // panel; the version stays in view.
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    m_statusInfo->setText(m_statusInfo->fontMetrics().elidedText(tip, Qt::ElideRight, m_statusInfo->width()));
    return true;
  }
  return QMainWindow::event(event);
}

// --- Calculators --------------------------------------------------------------

WindowFlags TfrmQuandrelMain::LaunchFlags(const CalculatorEntry& entry) const {
  // Every window gets show-button-hints and both position flags; the schedule
  // windows and the net worth window also show-hints, and the amortization
  // window show-toolbar-hints as well.
  const TStRegIniEx& settings = m_services.models.settings;
  WindowFlags flags;
  flags.showButtonHints = settings.ShowButtonHints();
  flags.restorePositions = settings.RestorePositions();
  flags.savePositions = settings.SavePositions();
  flags.showHints = entry.extraFlags != ExtraHintFlags::None && settings.ShowHints();
  flags.showToolbarHints =
      entry.extraFlags == ExtraHintFlags::ShowHintsAndToolbarHints && settings.ShowToolbarHints();
  return flags;
}

TcalcWindow* TfrmQuandrelMain::LaunchCalculator(std::string_view title) {
  const auto found = m_calculators.find(title);
  if (found == m_calculators.end() || !found->second.available) {
    return nullptr;
  }
  return m_launcher->Launch(title, LaunchFlags(*found->second.entry));
}

QPushButton* TfrmQuandrelMain::CalculatorButton(std::string_view title) const {
  const auto found = m_calculators.find(title);
  return found == m_calculators.end() ? nullptr : found->second.button;
}

QAction* TfrmQuandrelMain::CalculatorAction(std::string_view title) const {
  const auto found = m_calculators.find(title);
  return found == m_calculators.end() ? nullptr : found->second.action;
}

QAction* TfrmQuandrelMain::PreferenceAction(Setting setting) const {
  const auto found = m_preferences.find(setting);
  return found == m_preferences.end() ? nullptr : found->second;
}

QLabel* TfrmQuandrelMain::StatusPanel(int index) const {
  return index == 0 ? m_statusVersion : index == 1 ? m_statusInfo : nullptr;
}

void TfrmQuandrelMain::ApplyButtonHints(bool show) {
  for (auto& [title, controls] : m_calculators) {
    // A calculator that is not in this build always says so: a greyed
    // button without a word would only puzzle.
    QString hint;
    if (!controls.available) {
      hint = Q(kComingLaterHint);
    } else if (show) {
      hint = HintText(controls.entry->hint);
    }
    QString statusTip = hint;
    statusTip.replace(QLatin1Char('\n'), QLatin1Char(' '));
    controls.button->setToolTip(hint);
    controls.button->setStatusTip(statusTip);
    if (controls.action != nullptr) {
      controls.action->setToolTip(hint.isEmpty() ? controls.action->text() : hint);
      controls.action->setStatusTip(statusTip);
    }
  }
}

// --- Preferences -------------------------------------------------------------

void TfrmQuandrelMain::TogglePreference(Setting setting, bool on) {
  TStRegIniEx& settings = m_services.models.settings;
  Guarded([&] { settings.SetBoolean(setting, on); });
  // The check mark shows what is stored: a failed write leaves it as it was.
  const bool stored = settings.Boolean(setting);
  m_preferences.at(setting)->setChecked(stored);
  if (setting == Setting::ShowButtonHints) {
    ApplyButtonHints(stored);
  } else if (setting == Setting::ColorBackground) {
    m_background->SetGradient(stored);
  }
}

// --- Showing and closing ---------------------------------------------------------

void TfrmQuandrelMain::RestoreMainPosition() {
  TStRegIniEx& settings = m_services.models.settings;
  settings.SetCurrentKey("");
  const WindowPosition at = settings.RestorePosition({x(), y()});
  // A position saved on a screen that is no longer there would put the
  // window out of reach: it is used only when the title bar is on a screen.
  const QPoint corner(at.Left, at.Top);
  const QPoint titleBar = corner + QPoint(32, 8);
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().contains(titleBar)) {
      move(corner);
      return;
    }
  }
}

void TfrmQuandrelMain::SaveMainPosition() {
  TStRegIniEx& settings = m_services.models.settings;
  settings.SetCurrentKey("");
  settings.SavePosition({x(), y()});
}

void TfrmQuandrelMain::showEvent(QShowEvent* event) {
  if (!m_shown) {
    m_shown = true;
    setWindowTitle(AppTitle());
    if (m_services.models.settings.RestorePositions()) {
      Guarded([this] { RestoreMainPosition(); });
    }
    ApplyButtonHints(m_services.models.settings.ShowButtonHints());
  }
  QMainWindow::showEvent(event);
}

void TfrmQuandrelMain::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activated) {
    m_activated = true;
    // After the activation has been handled, so the dialog opens over a
    // window that is fully up.
    QTimer::singleShot(0, this, [this] { ShowStartupTips(); });
  }
  QMainWindow::changeEvent(event);
}

void TfrmQuandrelMain::ShowStartupTips() {
  if (m_closed || !m_services.models.settings.ShowTips()) {
    return;
  }
  Guarded([this] { ShowTipsDialog(this, m_services.models.settings); });
}

void TfrmQuandrelMain::closeEvent(QCloseEvent* event) {
  if (!m_closed) {
    m_closed = true;
    if (m_services.models.settings.SavePositions()) {
      Guarded([this] { SaveMainPosition(); });
    }
    m_launcher->DestroyOpenWindows();
    emit closed();
  }
  event->accept();
}

// --- Windows menu ------------------------------------------------------------------

void TfrmQuandrelMain::AddWindowEntry(QWidget* window, const QString& caption) {
  RemoveWindowEntry(window);
  auto* action = new QAction(MenuText(caption), m_windowsMenu);
  const QPointer<QWidget> target(window);
  connect(action, &QAction::triggered, this, [target] {
    if (target == nullptr) {
      return;
    }
    if (target->isMinimized()) {
      target->setWindowState(target->windowState() & ~Qt::WindowMinimized);
    }
    target->show();
    target->raise();
    target->activateWindow();
  });
  m_windowsMenu->addAction(action);
  m_windowEntries.emplace_back(target, action);
  connect(window, &QObject::destroyed, this, [this, window] { RemoveWindowEntry(window); });
  m_help->InstallFieldHelp(window);
  UpdateWindowsMenu();
}

void TfrmQuandrelMain::RemoveWindowEntry(QWidget* window) {
  for (auto it = m_windowEntries.begin(); it != m_windowEntries.end();) {
    if (it->first == nullptr || it->first.data() == window) {
      delete it->second;
      it = m_windowEntries.erase(it);
    } else {
      ++it;
    }
  }
  UpdateWindowsMenu();
}

void TfrmQuandrelMain::UpdateWindowsMenu() {
  m_windowsMenu->menuAction()->setEnabled(!m_windowEntries.empty());
}

// --- Mail ----------------------------------------------------------------------

void TfrmQuandrelMain::PrepareSupportMail() {
  const QString question = QStringLiteral(
      "Quandrel! will open a new message to Brackwell support in your e-mail program, "
      "with a few facts about this copy of the program filled in. Please describe "
      "the problem and what you were doing when it happened.\n\nContinue?");
  if (!Ask(this, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)) {
    ShowInformationBox(this,
                       QStringLiteral("You can write to Brackwell support from any e-mail program at\n%1\n\n"
                                      "Please name the program version (5.7f) and your operating "
                                      "system, and describe what you were doing when the problem "
                                      "happened.")
                           .arg(QString::fromLatin1(kSupportAddress)));
    return;
  }
  const QString body = QStringLiteral(
                           "Program: Quandrel!, The Financial Calculator\r\n"
                           "Version: 5.7f  02/28/2009 (%1-bit)\r\n"
                           "Operating system: %2\r\n\r\n"
                           "Describe the problem here:\r\n")
                           .arg(QSysInfo::WordSize)
                           .arg(QSysInfo::prettyProductName());
  if (!QDesktopServices::openUrl(
          MailTo(kSupportAddress, QStringLiteral("Quandrel! 5.7f support request"), body))) {
    ShowInformationBox(this, QStringLiteral("No e-mail program could be started. Please write to\n%1")
                                 .arg(QString::fromLatin1(kSupportAddress)));
  }
}

void TfrmQuandrelMain::PrepareWhatsNewMail() {
  const QString text = QStringLiteral(
      "Quandrel! will open a new message to Brackwell's information service. Send it "
      "as it is, and an automatic reply will tell you what is new in the latest "
      "version of Quandrel!.");
  if (!Ask(this, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)) {
    return;
  }
  if (!QDesktopServices::openUrl(MailTo(kWhatsNewAddress, QStringLiteral("What's new in Quandrel!"), {}))) {
    ShowInformationBox(this,
                       QStringLiteral("No e-mail program could be started. Please send a message to\n%1")
                           .arg(QString::fromLatin1(kWhatsNewAddress)));
  }
}

void TfrmQuandrelMain::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    ShowErrorBox(this, QString::fromUtf8(e.what()));
  } catch (...) {
    ShowErrorBox(this, QStringLiteral("The operation failed."));
  }
}

}  // namespace quandrel
