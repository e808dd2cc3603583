#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/report/printer_font.h"
#include "core/shell/interest_buffer.h"
#include "gui/shell/calculator_catalog.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/gradient_background.h"
#include "gui/shell/interest_window.h"
#include "gui/shell/main_window.h"
#include "gui/shell/message_boxes.h"
#include "gui/shell/owner_form.h"

using namespace quandrel;

namespace {

const QString kInterestTitle = QStringLiteral("Compound/Simple Interest Calculator");
const std::string kRoot(kSettingsRootKey);

// Only the interest calculator is registered, whatever else the program has
// by now: the other 32 buttons stand for calculators not in the build.
void RegisterInterestOnly(TCalculatorLauncher& launcher) {
  launcher.Register(TbufInterest::Definition().title, [](CalculatorContext& context, QWidget* owner) {
    return new TcalcInterest(context, owner);
  });
}

// A user's settings in memory (no tips at start-up, so nothing modal opens),
// the United States locale, a fixed today and message boxes recorded
// instead of shown.
struct Program {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::temp_directory_path() / "quandrel-gui-tests"};
  std::unique_ptr<TStRegIniEx> settings;
  std::unique_ptr<TFontEx> font;
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  std::unique_ptr<TfrmQuandrelMain> window;
  std::vector<std::pair<MessageKind, QString>> messages;

  Program() {
    backend.WriteBoolean(kRoot, "Tips", false);
    backend.WriteInteger(kRoot, "Run times", 3);
    SetMessageHandler(
        [this](QWidget*, MessageKind kind, const QString& text) { messages.emplace_back(kind, text); });
    Start();
  }
  ~Program() {
    window.reset();
    SetMessageHandler(nullptr);
  }
  // A run of the program on the same settings.
  void Start() {
    window.reset();
    font.reset();
    settings = std::make_unique<TStRegIniEx>(backend, system);
    font = std::make_unique<TFontEx>(*settings);
    const MainWindowServices services{{*settings, masks, facts}, *font, QString()};
    window = std::make_unique<TfrmQuandrelMain>(services, RegisterInterestOnly);
  }
  TcalcWindow* Open() { return window->LaunchCalculator(kInterestTitle.toStdString()); }
  QStringList WindowsMenuTexts() const {
    QStringList texts;
    for (const QAction* action : window->WindowsMenu()->actions()) {
      texts << action->text();
    }
    return texts;
  }
  std::optional<bool> Stored(const char* name) const { return backend.ReadBoolean(kRoot, name); }
};

QPushButton* Button(TfrmQuandrelMain& w, const char* title) {
  return w.CalculatorButton(title);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void screenshot() {
    const QByteArray dir = qgetenv("QUANDREL_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
      QSKIP("set QUANDREL_SCREENSHOT_DIR to write screenshots");
    }
    Program p;
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    p.window->grab().save(QString::fromUtf8(dir) + QStringLiteral("/main_window.png"));
  }

  void showsTheTitleAndTheStatusBar() {
    Program p;
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    QCOMPARE(p.window->windowTitle(), QStringLiteral("Quandrel!, The Financial Calculator"));
    QCOMPARE(p.window->StatusPanel(0)->text(), QStringLiteral(" Quandrel! v.5.7f  02/28/2009"));
    QVERIFY(p.window->StatusPanel(0)->width() >= 160);
    QVERIFY(p.window->StatusPanel(1)->width() >= 140);
    // A hint under the mouse goes to the second panel; the version stays.
    QPushButton* interest = Button(*p.window, "Compound/Simple Interest Calculator");
    QStatusTipEvent tip(interest->statusTip());
    QApplication::sendEvent(interest, &tip);
    QCOMPARE(p.window->StatusPanel(1)->text(), QStringLiteral("Exact day interest & calendar math"));
    QCOMPARE(p.window->StatusPanel(0)->text(), QStringLiteral(" Quandrel! v.5.7f  02/28/2009"));
    QVERIFY(!(p.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(p.window->windowFlags() & Qt::WindowMinimizeButtonHint);
  }

  void everyCalculatorHasAButtonAndAMenuItem() {
    Program p;
    // 7 finance, 4 depreciation, 6 loan, 5 schedules, 7 general, 4 advisors.
    QCOMPARE(CalculatorCatalog().size(), std::size_t{33});
    QStringList captions;
    for (const CalculatorEntry& entry : CalculatorCatalog()) {
      QPushButton* button = p.window->CalculatorButton(entry.title);
      QAction* action = p.window->CalculatorAction(entry.title);
      QVERIFY(button != nullptr);
      QVERIFY(action != nullptr);
      QCOMPARE(action->isEnabled(), button->isEnabled());
      captions << button->text();
    }
    QCOMPARE(captions.removeDuplicates(), 0);
    // A few items checked against the menu they sit in.
    QAction* loan = p.window->CalculatorAction("Loan Calculator");
    QCOMPARE(loan->text(), QStringLiteral("Loan Calculator..."));
    auto* loanMenu = qobject_cast<QMenu*>(loan->parent());
    QVERIFY(loanMenu != nullptr);
    QCOMPARE(loanMenu->title(), QStringLiteral("Loan Calculators"));
    QAction* refinance = p.window->CalculatorAction("Refinance Advisor");
    QCOMPARE(qobject_cast<QMenu*>(refinance->parent())->title(), QStringLiteral("Advisors"));
    QAction* rental = p.window->CalculatorAction("Rental Income Analysis Calculator");
    QCOMPARE(qobject_cast<QMenu*>(rental->parent())->title(), QStringLiteral("Schedules"));
    QCOMPARE(p.window->CalculatorAction("Purchasing Power Calculator")->text(),
             QStringLiteral("Purchasing Power...."));
  }

  void calculatorsNotInTheBuildAreDisabledWithTheirHint() {
    Program p;
    QPushButton* interest = Button(*p.window, "Compound/Simple Interest Calculator");
    QVERIFY(interest->isEnabled());
    QCOMPARE(interest->text(), QStringLiteral("Comp/&Simple Int"));
    QCOMPARE(interest->toolTip(), QStringLiteral("Exact day interest &\ncalendar math"));
    for (const char* title :
         {"Loan Calculator", "Refinance Advisor", "Amortization Schedule", "MACRS Depreciation Calculator"}) {
      QPushButton* button = Button(*p.window, title);
      QVERIFY2(!button->isEnabled(), title);
      QCOMPARE(button->toolTip(), QStringLiteral("Coming in a later version"));
      QAction* action = p.window->CalculatorAction(title);
      QVERIFY(!action->isEnabled());
      QCOMPARE(action->toolTip(), QStringLiteral("Coming in a later version"));
      // A disabled calculator opens nothing, not even a placeholder.
      QCOMPARE(p.window->LaunchCalculator(title), nullptr);
    }
    QVERIFY(p.messages.empty());
    QVERIFY(p.window->Launcher().OpenWindows().empty());
  }

  void twoWindowsPerCalculatorWithTheFirstFreeInstance() {
    Program p;
    QTest::mouseClick(Button(*p.window, "Compound/Simple Interest Calculator"), Qt::LeftButton);
    TcalcWindow* first = p.window->Launcher().OpenWindows().at(0);
    TcalcWindow* second = p.Open();
    QCOMPARE(first->windowTitle(), kInterestTitle + QStringLiteral(" 1"));
    QCOMPARE(second->windowTitle(), kInterestTitle + QStringLiteral(" 2"));
    QCOMPARE(first->parent(), p.window.get());  // owned by the main window

    // A third launch says so and opens nothing.
    QCOMPARE(p.Open(), nullptr);
    QCOMPARE(p.messages.size(), std::size_t{1});
    QCOMPARE(p.messages[0].first, MessageKind::Information);
    QCOMPARE(p.messages[0].second, QStringLiteral("Maximum number of this calculator displayed."));
    QCOMPARE(p.window->Launcher().OpenWindows().size(), std::size_t{2});

    // Closing the first frees instance 1 for the next launch.
    QPointer<TcalcWindow> closed(first);
    first->close();
    QTRY_VERIFY(closed == nullptr);
    TcalcWindow* reopened = p.Open();
    QVERIFY(reopened != nullptr);
    QCOMPARE(reopened->windowTitle(), kInterestTitle + QStringLiteral(" 1"));
    QCOMPARE(second->windowTitle(), kInterestTitle + QStringLiteral(" 2"));
  }

  void windowsMenuListsTheOpenWindows() {
    Program p;
    QVERIFY(!p.window->WindowsMenu()->menuAction()->isEnabled());
    TcalcWindow* first = p.Open();
    TcalcWindow* second = p.Open();
    QCOMPARE(p.WindowsMenuTexts(),
             (QStringList{kInterestTitle + QStringLiteral(" 1"), kInterestTitle + QStringLiteral(" 2")}));
    QVERIFY(p.window->WindowsMenu()->menuAction()->isEnabled());

    // Its entry brings a minimized window back.
    second->showMinimized();
    QVERIFY(second->isMinimized());
    p.window->WindowsMenu()->actions().at(1)->trigger();
    QVERIFY(!second->isMinimized());
    QVERIFY(second->isVisible());

    // A closed window leaves the menu.
    QPointer<TcalcWindow> closed(first);
    first->close();
    QTRY_VERIFY(closed == nullptr);
    QCOMPARE(p.WindowsMenuTexts(), QStringList{kInterestTitle + QStringLiteral(" 2")});
    second->close();
    QTRY_VERIFY(p.WindowsMenuTexts().isEmpty());
    QVERIFY(!p.window->WindowsMenu()->menuAction()->isEnabled());
  }

  void preferenceTogglesAreWrittenAtOnceAndKept() {
    struct Case {
      Setting setting;
      const char* name;
    };
    const Case cases[] = {
        {Setting::ShowHints, "Show hints"},
        {Setting::ShowButtonHints, "Show button hints"},
        {Setting::ShowToolbarHints, "Show Toolbar hints"},
        {Setting::SavePositions, "Save positions"},
        {Setting::RestorePositions, "Restore positions"},
        {Setting::ColorBackground, "Color background"},
    };
    Program p;
    for (const Case& c : cases) {
      QAction* action = p.window->PreferenceAction(c.setting);
      QVERIFY2(action->isCheckable() && action->isChecked(), c.name);  // all on for a new user
      action->trigger();
      QCOMPARE(p.Stored(c.name), std::optional<bool>(false));
      QVERIFY(!action->isChecked());
    }
    // The next run shows them off; turning one on again writes true.
    p.Start();
    for (const Case& c : cases) {
      QVERIFY2(!p.window->PreferenceAction(c.setting)->isChecked(), c.name);
    }
    p.window->PreferenceAction(Setting::SavePositions)->trigger();
    QCOMPARE(p.Stored("Save positions"), std::optional<bool>(true));
  }

  void aToggleThatCannotBeWrittenKeepsItsCheckMark() {
    Program p;
    QAction* action = p.window->PreferenceAction(Setting::ShowHints);
    p.backend.SetFailWrites(true);
    action->trigger();
    p.backend.SetFailWrites(false);
    QCOMPARE(p.messages.size(), std::size_t{1});
    QCOMPARE(p.messages[0].first, MessageKind::Error);
    QVERIFY(action->isChecked());
    QCOMPARE(p.Stored("Show hints"), std::nullopt);  // never written: still the default
  }

  void buttonHintsAffectTheMainWindowAndWindowsOpenedAfterwards() {
    Program p;
    TcalcWindow* before = p.Open();
    p.window->PreferenceAction(Setting::ShowButtonHints)->trigger();
    // The main window's own buttons at once; a disabled one keeps its reason.
    QCOMPARE(Button(*p.window, "Compound/Simple Interest Calculator")->toolTip(), QString());
    QCOMPARE(Button(*p.window, "Loan Calculator")->toolTip(), QStringLiteral("Coming in a later version"));
    // The open window keeps the hints it was given; the next one has none.
    QCOMPARE(before->Button("btnCalc")->toolTip(), QStringLiteral("Calculate [Alt][C]"));
    TcalcWindow* after = p.Open();
    QCOMPARE(after->Button("btnCalc")->toolTip(), QString());
    // And back on.
    p.window->PreferenceAction(Setting::ShowButtonHints)->trigger();
    QCOMPARE(Button(*p.window, "Compound/Simple Interest Calculator")->toolTip(),
             QStringLiteral("Exact day interest &\ncalendar math"));
  }

  void positionFlagsFollowThePreferences() {
    Program p;
    p.window->PreferenceAction(Setting::RestorePositions)->trigger();
    const CalculatorEntry& interest = *FindCalculatorEntry(kInterestTitle.toStdString());
    WindowFlags flags = p.window->LaunchFlags(interest);
    QVERIFY(!flags.restorePositions);
    QVERIFY(flags.savePositions);
    QVERIFY(flags.showButtonHints);
    p.window->PreferenceAction(Setting::SavePositions)->trigger();
    flags = p.window->LaunchFlags(interest);
    QVERIFY(!flags.savePositions);
  }

  void mainWindowPositionIsRestoredAndSaved() {
    Program p;
    p.backend.WriteInteger(kRoot, "Left", 40);
    p.backend.WriteInteger(kRoot, "Top", 30);
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    QCOMPARE(p.window->pos(), QPoint(40, 30));
    p.window->move(55, 25);
    p.window->close();
    QCOMPARE(p.backend.ReadInteger(kRoot, "Left"), std::optional<std::int32_t>(55));
    QCOMPARE(p.backend.ReadInteger(kRoot, "Top"), std::optional<std::int32_t>(25));
  }

  void positionsAreLeftAloneWhenThePreferencesAreOff() {
    Program p;
    p.backend.WriteBoolean(kRoot, "Save positions", false);
    p.backend.WriteBoolean(kRoot, "Restore positions", false);
    p.backend.WriteInteger(kRoot, "Left", 40);
    p.backend.WriteInteger(kRoot, "Top", 30);
    p.Start();
    p.window->move(60, 50);
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    QCOMPARE(p.window->pos(), QPoint(60, 50));
    p.window->close();
    QCOMPARE(p.backend.ReadInteger(kRoot, "Left"), std::optional<std::int32_t>(40));
  }

  void aSavedPositionOffEveryScreenIsNotUsed() {
    Program p;
    p.backend.WriteInteger(kRoot, "Left", 30000);
    p.backend.WriteInteger(kRoot, "Top", 30000);
    p.window->move(20, 20);
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    QCOMPARE(p.window->pos(), QPoint(20, 20));
  }

  void closingTheMainWindowEndsOpenCalculatorsWithoutTheirCloseStep() {
    Program p;
    QPointer<TcalcWindow> open(p.Open());
    QVERIFY(open != nullptr);
    open->move(70, 80);
    QSignalSpy closed(p.window.get(), &TfrmQuandrelMain::closed);
    p.window->close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(open == nullptr);
    // No position and no last calculation were written for it.
    const std::string windowKey = kRoot + "\\" + kInterestTitle.toStdString() + " 1";
    QVERIFY(!p.backend.ValueExists(windowKey, "Left"));
    QVERIFY(p.backend.ValueNames(kRoot + "\\" + kInterestTitle.toStdString()).empty());
  }

  void colourBackgroundPaintsTheBlueGradient() {
    Program p;
    TGradientBackground background;
    background.resize(40, 512);
    background.SetGradient(true);
    const QImage on = background.grab().toImage();
    // 512 pixels in 256 bands of 2: band i is blue i.
    QCOMPARE(on.pixelColor(5, 0), QColor(0, 0, 0));
    QCOMPARE(on.pixelColor(5, 1), QColor(0, 0, 0));
    QCOMPARE(on.pixelColor(5, 2), QColor(0, 0, 1));
    QCOMPARE(on.pixelColor(5, 256), QColor(0, 0, 128));
    QCOMPARE(on.pixelColor(39, 511), QColor(0, 0, 255));
    background.SetGradient(false);
    const QImage off = background.grab().toImage();
    QCOMPARE(off.pixelColor(5, 511), background.palette().color(QPalette::Window));

    // The toggle repaints the main window's client area.
    p.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
    QVERIFY(p.window->Background()->Gradient());
    p.window->PreferenceAction(Setting::ColorBackground)->trigger();
    QVERIFY(!p.window->Background()->Gradient());
    const QImage client = p.window->Background()->grab().toImage();
    QCOMPARE(client.pixelColor(2, client.height() - 2),
             p.window->Background()->palette().color(QPalette::Window));
  }

  void resolutionNoticeOnSmallScreensDuringTheFirstRuns() {
    const QString notice = QStringLiteral(
        "Your monitor is not set to a high enough resolution.\n\n"
        "Please increase resolution for best results.\n\n"
        "The minimum resolution should be 800 x 600\n\n"
        "This message will not display after 5 times.");
    struct Case {
      int width;
      int runs;
      bool shown;
    };
    const Case cases[] = {
        {640, 0, true}, {799, 4, true}, {799, 5, false}, {640, 12, false}, {800, 0, false}, {1920, 1, false},
    };
    for (const Case& c : cases) {
      QCOMPARE(TfrmMain::ResolutionNotice(c.width, c.runs), c.shown ? notice : QString());
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
