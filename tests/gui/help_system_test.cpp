#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>
#include <filesystem>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/shell/interest_buffer.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/help_browser.h"
#include "gui/shell/help_system.h"
#include "gui/shell/interest_window.h"
#include "gui/shell/message_boxes.h"
#include "gui/shell/tips_dialog.h"

using namespace quandrel;

namespace {

// The shipped data: the build's copy (build/tests/gui -> build/data), else
// the source tree's, named by QUANDREL_SOURCE_DATA_DIR.
QString DataFolder() {
  const QString built =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../data"));
  if (QFileInfo::exists(built + QStringLiteral("/help/topics.txt"))) {
    return built;
  }
  return qEnvironmentVariable("QUANDREL_SOURCE_DATA_DIR");
}

struct Settings {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::temp_directory_path() / "quandrel-gui-tests"};
  TStRegIniEx settings{backend, system};
};

}  // namespace

class HelpSystemTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(QFileInfo::exists(DataFolder() + QStringLiteral("/help/index.html")),
             "build the data copy or set QUANDREL_SOURCE_DATA_DIR");
  }

  void contextsOpenTheirPagesAndUnknownOnesTheContents() {
    THelpSystem help(DataFolder());
    QCOMPARE(THelpSystem::Active(), &help);
    const struct {
      int context;
      const char* page;
    } cases[] = {{50, "interest_calculator.html"}, {338, "global_options.html"}, {344, "printer_setup.html"},
                 {98, "using_help.html"},          {9999, "index.html"},         {6, "index.html"}};
    for (const auto& c : cases) {
      help.ShowTopic(c.context, nullptr);
      QVERIFY(help.Browser() != nullptr);
      QVERIFY(help.Browser()->isVisible());
      QCOMPARE(help.Browser()->CurrentPage(), QString::fromLatin1(c.page));
    }
    QCOMPARE(help.Browser()->Tabs()->currentIndex(), 0);  // the unknown one showed the contents
    QVERIFY(help.Browser()->TextView()->toPlainText().contains(QStringLiteral("Calculators")));

    QVERIFY(help.HandleRequest(helprequest::Key, 0, nullptr));
    QCOMPARE(help.Browser()->Tabs()->currentIndex(), 1);
    QVERIFY(help.HandleRequest(helprequest::TopicSearch, 0, nullptr));
    QCOMPARE(help.Browser()->CurrentPage(), QStringLiteral("index.html"));
    QVERIFY(help.HandleRequest(helprequest::Quit, 0, nullptr));
    QVERIFY(!help.Browser()->isVisible());

    // Dialogs without a reference reach the same router.
    RequestHelpTopic(338, nullptr);
    QVERIFY(help.Browser()->isVisible());
    QCOMPARE(help.Browser()->CurrentPage(), QStringLiteral("global_options.html"));
  }

  void searchAndIndexLeadToThePages() {
    THelpSystem help(DataFolder());
    help.ShowContents(nullptr);
    THelpBrowser* browser = help.Browser();
    browser->Search(QStringLiteral("continuous compounding"));
    QCOMPARE(browser->SearchResults()
                 ->findItems(QStringLiteral("Compound/Simple Interest Calculator"), Qt::MatchExactly)
                 .size(),
             1);
    QVERIFY(browser->SearchResults()->findItems(QStringLiteral("Using Help"), Qt::MatchExactly).isEmpty());
    browser->Search(QStringLiteral("zyzzyva"));
    QCOMPARE(browser->SearchResults()->count(), 1);  // the note that nothing was found
    QCOMPARE(browser->SearchResults()->item(0)->flags(), Qt::NoItemFlags);

    QList<QListWidgetItem*> apy = browser->IndexList()->findItems(QStringLiteral("APY"), Qt::MatchExactly);
    QCOMPARE(apy.size(), 1);
    browser->IndexList()->setCurrentItem(apy.front());
    emit browser->IndexList()->itemActivated(apy.front());
    QCOMPARE(browser->CurrentPage(), QStringLiteral("interest_calculator.html"));
  }

  void aMissingHelpFolderShowsANoteNotAnError() {
    std::vector<QString> boxes;
    SetMessageHandler([&](QWidget*, MessageKind, const QString& text) { boxes.push_back(text); });
    THelpSystem help(QDir::tempPath() + QStringLiteral("/quandrel-no-such-folder"));
    help.ShowTopic(50, nullptr);
    QVERIFY(help.Browser()->TextView()->toPlainText().contains(QStringLiteral("was not found")));
    QVERIFY(help.PopupText(6).isEmpty());
    SetMessageHandler(nullptr);
    QVERIFY(boxes.empty());
  }

  void theInterestCalculatorsFieldsAndButtonsGetTheirPopups() {
    Settings s;
    LocaleFacts facts = LocaleFacts::UnitedStates();
    TMasks masks{facts};
    ModelServices services{s.settings, masks, facts};
    TCalculatorLauncher launcher{services, nullptr};
    RegisterCalculators(launcher);
    THelpSystem help(DataFolder());
    auto* window = static_cast<TcalcInterest*>(launcher.Launch(TbufInterest::Definition().title, {}));
    QVERIFY(window != nullptr);
    help.InstallFieldHelp(window);

    const struct {
      std::string_view field;
      const char* heading;
    } fields[] = {
        {interest_field::Amount, "Amount"},        {interest_field::Days, "Number of Days"},
        {interest_field::Rate, "Annual Rate (%)"}, {interest_field::StartDate, "Start Date"},
        {interest_field::EndDate, "End Date"},     {interest_field::Compounding, "Compounding Period"},
        {interest_field::RateBasis, "Rate Basis"}};
    for (const auto& f : fields) {
      const QString text = window->FieldWidget(f.field)->whatsThis();
      QVERIFY2(text.startsWith(QStringLiteral("<b>%1</b>").arg(QString::fromLatin1(f.heading))),
               qPrintable(text));
    }
    const struct {
      const char* button;
      const char* heading;
    } buttons[] = {{"btnCalc", "Calc"},   {"btnCopy", "Copy"}, {"btnPrint", "Print"}, {"btnHelp", "Help"},
                   {"btnReset", "Reset"}, {"btnUndo", "Undo"}, {"btnClose", "Close"}};
    for (const auto& b : buttons) {
      QPushButton* button = window->Button(b.button);
      QVERIFY2(button != nullptr, b.button);
      QVERIFY2(button->whatsThis().startsWith(QStringLiteral("<b>%1").arg(QString::fromLatin1(b.heading))),
               qPrintable(button->whatsThis()));
    }
    launcher.DestroyOpenWindows();
  }

  void tipsWrapAndTheStartUpChoiceIsKept() {
    Settings s;
    {
      TfrmTips tips(DataFolder() + QStringLiteral("/tips.txt"), s.settings);
      QCOMPARE(tips.windowTitle(), QStringLiteral("Tip of the Day"));
      QVERIFY(tips.Tips().Count() >= 12);
      QVERIFY(tips.ShowAtStartup()->isChecked());
      QVERIFY(!tips.Button(QStringLiteral("btnMoreTips"))->isVisibleTo(&tips));
      QVERIFY(!tips.Button(QStringLiteral("btnHelp"))->isVisibleTo(&tips));
      tips.ShowTip(tips.Tips().Count() - 1);
      QTest::mouseClick(tips.Button(QStringLiteral("btnNextTip")), Qt::LeftButton);
      QCOMPARE(tips.TipIndex(), std::size_t{0});
      QCOMPARE(tips.TipText(), QString::fromStdString(tips.Tips().Tip(0)));
      tips.ShowAtStartup()->setChecked(false);
      QTest::mouseClick(tips.Button(QStringLiteral("btnClose")), Qt::LeftButton);
    }
    QCOMPARE(s.settings.ShowTips(), false);
    TStRegIniEx nextStart(s.backend, s.system);
    QCOMPARE(nextStart.ShowTips(), false);

    TfrmTips missing(QDir::tempPath() + QStringLiteral("/quandrel-no-tips.txt"), s.settings);
    QVERIFY(missing.TipText().startsWith(QStringLiteral("No tips were found")));
    QVERIFY(!missing.ShowAtStartup()->isChecked());
  }

  void theAboutBoxTellsThisBuildAndMachine() {
    TfrmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    const QString wordSize = QString::number(sizeof(void*) * 8) + QStringLiteral("-bit");
    QCOMPARE(AboutVersionLine(), QStringLiteral("Version: 5.7f     02/28/2009     ") + wordSize);
    for (const AboutLine& line : SystemInformationLines(nullptr)) {
      QVERIFY2(!line.first.contains(QStringLiteral("Windows")), qPrintable(line.first));
      QVERIFY2(!line.second.isEmpty(), qPrintable(line.first));
    }
    QCOMPARE(about.Pages()->currentIndex(), 0);
    QTest::mouseClick(about.MoreButton(), Qt::LeftButton);
    QCOMPARE(about.Pages()->currentIndex(), 1);
    QCOMPARE(about.MoreButton()->text(), QStringLiteral("P&rior"));
    QTest::mouseClick(about.MoreButton(), Qt::LeftButton);
    QCOMPARE(about.Pages()->currentIndex(), 0);
    QCOMPARE(about.MoreButton()->text(), QStringLiteral("Mo&re"));
  }
};

QTEST_MAIN(HelpSystemTest)
#include "help_system_test.moc"
