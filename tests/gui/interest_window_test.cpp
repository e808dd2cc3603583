#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/shell/interest_buffer.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/interest_window.h"
#include "gui/shell/message_boxes.h"
#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

using namespace quandrel;
namespace f = interest_field;

namespace {

const std::string kKey = std::string(kSettingsRootKey) + "\\Compound/Simple Interest Calculator";

// A fresh user's settings in memory, the United States locale, a fixed today
// (Thursday 1 January 2026) and message boxes recorded instead of shown.
struct Program {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::temp_directory_path() / "quandrel-gui-tests"};
  TStRegIniEx settings{backend, system};
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  ModelServices services{settings, masks, facts};
  TCalculatorLauncher launcher{services, nullptr};
  std::vector<std::pair<MessageKind, QString>> messages;

  Program() {
    RegisterCalculators(launcher);
    SetMessageHandler(
        [this](QWidget*, MessageKind kind, const QString& text) { messages.emplace_back(kind, text); });
  }
  ~Program() {
    launcher.DestroyOpenWindows();
    SetMessageHandler(nullptr);
  }
  TcalcInterest* Open() {
    auto* window = static_cast<TcalcInterest*>(launcher.Launch(TbufInterest::Definition().title, {}));
    if (window != nullptr) {
      window->activateWindow();
      QApplication::setActiveWindow(window);
    }
    return window;
  }
};

TMaskedNumberEdit* Number(TcalcWindow* w, std::string_view id) {
  return static_cast<TMaskedNumberEdit*>(w->FieldWidget(id));
}
TDateEdit* Date(TcalcWindow* w, std::string_view id) {
  return static_cast<TDateEdit*>(w->FieldWidget(id));
}
QComboBox* Combo(TcalcWindow* w, std::string_view id) {
  return static_cast<QComboBox*>(w->FieldWidget(id));
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void EnterCalculation(TcalcWindow* w) {
  Type(Number(w, f::Amount), QStringLiteral("1000"));
  Type(Number(w, f::Days), QStringLiteral("365"));
  Type(Number(w, f::Rate), QStringLiteral("5"));
  Combo(w, f::Compounding)->setCurrentIndex(compounding::Annually);
  Combo(w, f::RateBasis)->setCurrentIndex(1);
}

}  // namespace

class InterestWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithThePublishersValuesAndItsCaption() {
    Program p;
    TcalcInterest* w = p.Open();
    QVERIFY(w != nullptr);
    QCOMPARE(w->windowTitle(), QStringLiteral("Compound/Simple Interest Calculator 1"));
    QCOMPARE(w->Pages()->currentIndex(), 0);
    QCOMPARE(Date(w, f::StartDate)->lineEdit()->text(), QStringLiteral("01/01/2026"));
    QCOMPARE(Date(w, f::StartDate)->weekdayName(), QStringLiteral("Thursday"));
    QCOMPARE(Combo(w, f::Compounding)->currentText(), QStringLiteral("Monthly"));
    QCOMPARE(Combo(w, f::RateBasis)->currentText(), QStringLiteral("Actual/360"));
    QCOMPARE(Combo(w, f::Compounding)->maxVisibleItems(), 12);
    QVERIFY(Number(w, f::FutureValue)->isReadOnly());
    QCOMPARE(w->Button("btnCalc")->toolTip(), QStringLiteral("Calculate [Alt][C]"));
  }

  void typesCalculatesAndReadsTheResults() {
    Program p;
    TcalcInterest* w = p.Open();
    EnterCalculation(w);
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QVERIFY(p.messages.empty());
    QCOMPARE(Number(w, f::FutureValue)->text(), QStringLiteral("$1,050.00"));
    QCOMPARE(Number(w, f::Interest)->text(), QStringLiteral("$50.00"));
    QCOMPARE(Number(w, f::APY)->text(), QStringLiteral("5.0000"));
    QCOMPARE(Number(w, f::DailyRate)->text(), QStringLiteral("0.013698630"));
  }

  void copiesTheTextOfThePage() {
    Program p;
    TcalcInterest* w = p.Open();
    EnterCalculation(w);
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QTest::mouseClick(w->Button("btnCopy"), Qt::LeftButton);
    const QString text = QApplication::clipboard()->text();
    QVERIFY(text.startsWith(QStringLiteral("Compound/Simple Interest Calculator 1\r\n\r\n")));
    QVERIFY(text.contains(QStringLiteral("Future Value:                             $1,050.00\r\n")));
  }

  void daysAndDatesFollowEachOther() {
    Program p;
    TcalcInterest* w = p.Open();
    Date(w, f::EndDate)->setDate(DateFromDMY(31, 3, 2026));
    Type(Number(w, f::Days), QStringLiteral("-30"));
    QTest::keyClick(Number(w, f::Days), Qt::Key_Tab);
    QCOMPARE(Date(w, f::StartDate)->lineEdit()->text(), QStringLiteral("03/01/2026"));
    QCOMPARE(Date(w, f::StartDate)->weekdayName(), QStringLiteral("Sunday"));

    // Typing a new end date and leaving it recomputes the days.
    Type(Date(w, f::EndDate)->lineEdit(), QStringLiteral("04/15/2026"));
    QTest::keyClick(Date(w, f::EndDate)->lineEdit(), Qt::Key_Tab);
    QCOMPARE(Number(w, f::Days)->value(), std::optional<double>(45));
    // The spinner steps one day and the days follow.
    QTest::mouseClick(Date(w, f::EndDate)->upButton(), Qt::LeftButton);
    QCOMPARE(Number(w, f::Days)->value(), std::optional<double>(46));
  }

  void undoAndReset() {
    Program p;
    TcalcInterest* w = p.Open();
    EnterCalculation(w);
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    Type(Number(w, f::Amount), QStringLiteral("777"));
    QTest::mouseClick(w->Button("btnUndo"), Qt::LeftButton);
    QCOMPARE(Number(w, f::Amount)->text(), QStringLiteral("$1,000.00"));
    QTest::mouseClick(w->Button("btnReset"), Qt::LeftButton);
    QCOMPARE(Number(w, f::Amount)->value(), std::optional<double>(0));
    QCOMPARE(Combo(w, f::Compounding)->currentText(), QStringLiteral("Monthly"));
  }

  void aSecondWindowOpensWithTheFirstWindowsCalculation() {
    Program p;
    TcalcInterest* first = p.Open();
    EnterCalculation(first);
    QTest::mouseClick(first->Button("btnCalc"), Qt::LeftButton);
    TcalcInterest* second = p.Open();
    QVERIFY(second != nullptr);
    QCOMPARE(second->windowTitle(), QStringLiteral("Compound/Simple Interest Calculator 2"));
    QCOMPARE(Number(second, f::FutureValue)->text(), QStringLiteral("$1,050.00"));
    QCOMPARE(Combo(second, f::RateBasis)->currentText(), QStringLiteral("Actual/365"));
    // A third is refused; closing the first frees instance 1 again.
    QVERIFY(p.Open() == nullptr);
    QCOMPARE(p.messages.back().second, QStringLiteral("Maximum number of this calculator displayed."));
    first->close();
    QCoreApplication::processEvents();
    TcalcInterest* again = p.Open();
    QCOMPARE(again->windowTitle(), QStringLiteral("Compound/Simple Interest Calculator 1"));
  }

  void leavingTheOptionsPageWritesTheOptionsAtOnce() {
    Program p;
    TcalcInterest* w = p.Open();
    w->Pages()->setCurrentIndex(1);
    auto* defaults = w->findChild<QRadioButton*>(QStringLiteral("rbDefaults"));
    auto* local = w->findChild<QRadioButton*>(QStringLiteral("rbLocal"));
    auto* localRate = Number(w, "DefaultAnnualRate");
    QVERIFY(!localRate->isEnabled());  // enabled only with Defaults and Local
    defaults->click();
    local->click();
    QVERIFY(localRate->isEnabled());
    Type(localRate, QStringLiteral("6.5"));
    p.backend.ClearChanges();
    w->Pages()->setCurrentIndex(0);
    QCOMPARE(p.backend.ReadReal(kKey, "DefaultAnnual &Rate? (%):"), std::optional<double>(6.5));
    QCOMPARE(p.backend.ReadBoolean(kKey, "DefaultDefaults"), std::optional<bool>(true));
    QCOMPARE(p.backend.ReadBoolean(kKey, "DefaultLocal"), std::optional<bool>(true));
  }

  void closingKeepsTheLastCalculationOnlyWithThatRule() {
    {
      Program p;
      TcalcInterest* w = p.Open();
      EnterCalculation(w);
      QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
      Type(Number(w, f::Amount), QStringLiteral("5"));  // an edit after Calc is not kept
      w->close();
      QCOMPARE(p.backend.ReadReal(kKey, "&Amount?:"), std::optional<double>(1000));
      QCOMPARE(p.backend.ReadInteger(kKey, "Compounding Perio&d?:"),
               std::optional<int>(compounding::Annually));
      const std::string windowKey = kKey + " 1";
      QVERIFY(p.backend.ReadInteger(windowKey, "Left").has_value());

      TcalcInterest* reopened = p.Open();
      QCOMPARE(Number(reopened, f::Amount)->text(), QStringLiteral("$1,000.00"));
      QCOMPARE(Combo(reopened, f::RateBasis)->currentText(), QStringLiteral("Actual/365"));
    }
    {
      Program p;
      p.backend.WriteBoolean(kKey, "DefaultLast entered calculation", false);
      p.backend.WriteBoolean(kKey, "DefaultDefaults", true);
      TcalcInterest* w = p.Open();
      EnterCalculation(w);
      QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
      w->close();
      QVERIFY(!p.backend.ValueExists(kKey, "&Amount?:"));
    }
  }

  void errorsAreShownAndThePageKeepsItsValues() {
    Program p;
    TcalcInterest* w = p.Open();
    // Text the field cannot read stops the Calc with a message naming it.
    Type(Number(w, f::Amount), QStringLiteral("-"));
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QCOMPARE(p.messages.size(), std::size_t{1});
    QCOMPARE(p.messages[0].second, QStringLiteral("Please enter a valid number for \"Amount?:\"."));
    QCOMPARE(Number(w, f::Amount)->text(), QStringLiteral("-"));

    // A numbered error of the equations: the result would be too large to show.
    Type(Number(w, f::Amount), QStringLiteral("999999999"));
    Type(Number(w, f::Days), QStringLiteral("999999"));
    Type(Number(w, f::Rate), QStringLiteral("99.9999"));
    Combo(w, f::Compounding)->setCurrentIndex(compounding::Daily);
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QCOMPARE(p.messages.size(), std::size_t{2});
    QCOMPARE(p.messages[1].second, QStringLiteral("Result is out of range."));
    QCOMPARE(Number(w, f::FutureValue)->text(), QStringLiteral("$0.00"));
    QCOMPARE(Number(w, f::Days)->value(), std::optional<double>(999999));
  }

  void screenshot() {
    const QByteArray dir = qgetenv("QUANDREL_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
      QSKIP("set QUANDREL_SCREENSHOT_DIR to write screenshots");
    }
    Program p;
    TcalcInterest* w = p.Open();
    EnterCalculation(w);
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->grab().save(QString::fromUtf8(dir) + QStringLiteral("/interest_calculator.png"));
    w->Pages()->setCurrentIndex(1);
    w->grab().save(QString::fromUtf8(dir) + QStringLiteral("/interest_options.png"));
  }
};

QTEST_MAIN(InterestWindowTest)
#include "interest_window_test.moc"
