#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/finance/irr_buffer.h"
#include "core/finance/npv_buffer.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "gui/finance/cash_flow_calculators.h"
#include "gui/finance/irr_window.h"
#include "gui/finance/npv_window.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/message_boxes.h"
#include "gui/widgets/cash_flow_grid.h"
#include "gui/widgets/cash_flow_table_model.h"
#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

using namespace quandrel;
namespace n = npv_field;
namespace r = irr_field;

namespace {

constexpr int kAnnually = 9;  // payment-period positions
constexpr int kQuarterly = 7;
constexpr int kMonthly = 5;
const QString kPeriodsProblem = QStringLiteral("'Total Periods' must be between 0 and 32,767.");
const QString kNotThisFile = QStringLiteral("Data file was created with an unsupported version.");

// A fresh user's settings in memory with a data folder of its own, the
// United States locale, a fixed today (Thursday 1 January 2026), message
// boxes recorded and the Yes/No questions answered from a queue (Yes when
// it is empty).
struct Program {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  QTemporaryDir folder;
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::path(folder.path().toStdString())};
  TStRegIniEx settings{backend, system};
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  ModelServices services{settings, masks, facts};
  TCalculatorLauncher launcher{services, nullptr};
  std::vector<std::pair<MessageKind, QString>> messages;
  std::vector<QString> questions;
  std::deque<bool> answers;

  Program() {
    RegisterCashFlowCalculators(launcher);
    SetMessageHandler(
        [this](QWidget*, MessageKind kind, const QString& text) { messages.emplace_back(kind, text); });
    SetQuestionHandler([this](QWidget*, const QString& text) {
      questions.push_back(text);
      if (answers.empty()) {
        return true;
      }
      const bool answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  ~Program() {
    launcher.DestroyOpenWindows();
    SetMessageHandler(nullptr);
    SetQuestionHandler(nullptr);
  }
  template <typename Window>
  Window* Open(std::string_view title) {
    auto* window = static_cast<Window*>(launcher.Launch(title, {}));
    if (window != nullptr) {
      QApplication::setActiveWindow(window);
    }
    return window;
  }
  TcalcNetPV* OpenNPV() { return Open<TcalcNetPV>(TbufNPV::Definition().title); }
  TcalcIRR* OpenIRR() { return Open<TcalcIRR>(TbufIRR::Definition().title); }
  bool Said(MessageKind kind, const QString& part) const {
    for (const auto& [k, text] : messages) {
      if (k == kind && text.contains(part)) {
        return true;
      }
    }
    return false;
  }
};

TMaskedNumberEdit* Number(TcalcWindow* w, std::string_view id) {
  return static_cast<TMaskedNumberEdit*>(w->FieldWidget(id));
}
QComboBox* Combo(TcalcWindow* w, std::string_view id) {
  return static_cast<QComboBox*>(w->FieldWidget(id));
}
TDateEdit* Date(TcalcWindow* w, std::string_view id) {
  return static_cast<TDateEdit*>(w->FieldWidget(id));
}

// Types into a field and leaves it with Tab.
void Enter(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

// Types a cell of the grid and presses Enter, as a user does.
void TypeCell(TcalcCashFlows* w, std::int32_t k, TCashFlowTableModel::Part part, const QString& text) {
  const QModelIndex cell = w->GridModel()->IndexOf(k, part);
  w->Grid()->setFocus();
  w->Grid()->goToCell(cell.row(), cell.column());
  for (const QChar c : text) {
    QTest::keyClicks(QApplication::focusWidget(), QString(c));
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

double Amount(TcalcCashFlows* w, std::int32_t k) {
  return w->CashFlowModel().Entries().Entry(k).amount;
}
DayNumber FlowDate(TcalcCashFlows* w, std::int32_t k) {
  return w->CashFlowModel().Entries().Entry(k).date;
}
std::vector<double> Amounts(TcalcCashFlows* w) {
  std::vector<double> amounts;
  for (const TCashFlowEntry& entry : w->CashFlowModel().Entries().All()) {
    amounts.push_back(entry.amount);
  }
  return amounts;
}

// One annual flow a year after an initial amount.
void OneYear(TcalcCashFlows* w, std::string_view initialId, const QString& initial, const QString& flow) {
  Enter(Number(w, n::TotalPeriods), QStringLiteral("1"));
  Combo(w, w->FieldWidget(n::PaymentPeriod) != nullptr ? n::PaymentPeriod : r::CashFlowFrequency)
      ->setCurrentIndex(kAnnually);
  Enter(Number(w, initialId), initial);
  TypeCell(w, 1, TCashFlowTableModel::AmountPart, flow);
}

void SetExactDays(TcalcCashFlows* w, bool on) {
  w->Pages()->setCurrentIndex(1);
  if (w->ExactDaysBox()->isChecked() != on) {
    w->ExactDaysBox()->click();
  }
  w->Pages()->setCurrentIndex(0);
}

std::vector<std::uint8_t> Bytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void Write(const QString& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

class NpvIrrWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void npvOpensWithItsGridAndPages() {
    Program p;
    TcalcNetPV* w = p.OpenNPV();
    QVERIFY(w != nullptr);
    QCOMPARE(w->windowTitle(), QStringLiteral("Net Present Value Calculator 1"));
    // 48 monthly flows from today: 24 rows, the first flow a month on.
    QCOMPARE(w->GridModel()->rowCount(), 24);
    QCOMPARE(FlowDate(w, 1), DateFromDMY(1, 2, 2026));
    QCOMPARE(w->Grid()->cellText(w->GridModel()->IndexOf(48, TCashFlowTableModel::DatePart)),
             QStringLiteral("01/01/2030"));
    QVERIFY(w->findChild<QPushButton*>(QStringLiteral("btnSave")) != nullptr);
    QVERIFY(w->findChild<QPushButton*>(QStringLiteral("btnLoad")) != nullptr);
    // The exact-day option is on by default: dates can be typed.
    QVERIFY(w->ExactDaysBox()->isChecked());
    QCOMPARE(w->ExactDaysBox()->text(), QStringLiteral("Use exact day calculation method? (XNPV)"));
    QVERIFY(w->GridModel()->DatesEditable());
    QVERIFY(p.messages.empty());
  }

  void npvCalculatesInBothModes() {
    Program p;
    TcalcNetPV* w = p.OpenNPV();
    // -1000 now and 1100 a year later at 10% are worth nothing today.
    OneYear(w, n::InitialAmount, QStringLiteral("-1000"), QStringLiteral("1100"));
    Enter(Number(w, n::DiscountRate), QStringLiteral("10"));
    QCOMPARE(p.questions.size(), std::size_t(1));  // the frequency change was asked
    QCOMPARE(w->GridModel()->rowCount(), 1);
    QCOMPARE(FlowDate(w, 1), DateFromDMY(1, 1, 2027));
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QVERIFY(p.messages.empty());
    QCOMPARE(Number(w, n::NetPresentValue)->text(), QStringLiteral("0.00"));
    QCOMPARE(Number(w, n::TotalInvested)->text(), QStringLiteral("($1,000.00)"));
    QCOMPARE(Number(w, n::TotalReturn)->text(), QStringLiteral("$1,100.00"));
    QCOMPARE(Number(w, n::NetCashFlow)->text(), QStringLiteral("$100.00"));

    // At 5%: 1100 / 1.05 - 1000 = 47.619..., by exact days and by periods.
    Enter(Number(w, n::DiscountRate), QStringLiteral("5"));
    QVERIFY(w->CalcNow());
    QCOMPARE(Number(w, n::NetPresentValue)->text(), QStringLiteral("47.62"));
    SetExactDays(w, false);
    QVERIFY(!w->GridModel()->DatesEditable());
    QVERIFY(w->CalcNow());
    QCOMPARE(Number(w, n::NetPresentValue)->text(), QStringLiteral("47.62"));
    QVERIFY(p.messages.empty());
  }

  void irrSolvesAndNamesTheSpan() {
    Program p;
    TcalcIRR* w = p.OpenIRR();
    QVERIFY(w != nullptr);
    OneYear(w, r::InitialInvestment, QStringLiteral("-1000"), QStringLiteral("1100"));
    QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
    QVERIFY(p.messages.empty());
    QCOMPARE(Number(w, r::IRR)->text(), QStringLiteral("10.000"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lNetCashFlow"))->text(),
             QStringLiteral("Net Cash Flow Over 1 Year:"));
    QVERIFY(w->findChild<QLabel*>(QStringLiteral("lStatusNote"))
                ->text()
                .contains(QStringLiteral("daily compounding and a 365 day year")));

    // No rate gives a zero sum for two outflows: the error, with the totals.
    TypeCell(w, 1, TCashFlowTableModel::AmountPart, QStringLiteral("-100"));
    QVERIFY(!w->CalcNow());
    QVERIFY(p.Said(MessageKind::Error, QStringLiteral("Sorry, can't derive IRR.")));
    QCOMPARE(Number(w, r::IRR)->text(), QStringLiteral("0.000"));
    QCOMPARE(Number(w, r::TotalInvested)->text(), QStringLiteral("($1,100.00)"));
  }

  void positiveFlowsOnlyMakeTheInitialAmountAnInvestment() {
    Program p;
    TcalcNetPV* npv = p.OpenNPV();
    OneYear(npv, n::InitialAmount, QStringLiteral("1000"), QStringLiteral("1100"));
    Enter(Number(npv, n::DiscountRate), QStringLiteral("10"));
    QVERIFY(npv->CalcNow());
    QVERIFY(p.Said(MessageKind::Information,
                   QStringLiteral("Note: no negative cash flows (investments) found.")));
    QVERIFY(p.Said(MessageKind::Information, QStringLiteral("'Initial Amount' is being set to negative.")));
    QCOMPARE(Number(npv, n::InitialAmount)->text(), QStringLiteral("($1,000.00)"));
    QCOMPARE(Number(npv, n::NetPresentValue)->text(), QStringLiteral("0.00"));

    p.messages.clear();
    TcalcIRR* irr = p.OpenIRR();
    OneYear(irr, r::InitialInvestment, QStringLiteral("1000"), QStringLiteral("1100"));
    QVERIFY(irr->CalcNow());
    QVERIFY(
        p.Said(MessageKind::Information, QStringLiteral("'Periodic Cash Flow' is being set to negative.")));
    QCOMPARE(Number(irr, r::IRR)->text(), QStringLiteral("10.000"));
  }

  void theGridIsRebuiltByPeriodsFrequencyAndDate() {
    Program p;
    TcalcNetPV* w = p.OpenNPV();
    Enter(Number(w, n::TotalPeriods), QStringLiteral("4"));
    QCOMPARE(w->GridModel()->rowCount(), 2);
    for (std::int32_t k = 1; k <= 4; ++k) {
      TypeCell(w, k, TCashFlowTableModel::AmountPart, QString::number(100 * k));
    }
    // More periods keep the amounts there were; the new ones are 0.
    Enter(Number(w, n::TotalPeriods), QStringLiteral("6"));
    QCOMPARE(Amounts(w), (std::vector<double>{100, 200, 300, 400, 0, 0}));
    QCOMPARE(FlowDate(w, 6), DateFromDMY(1, 7, 2026));

    // A frequency change is asked first; No puts the frequency back.
    p.answers = {false};
    Combo(w, n::PaymentPeriod)->setCurrentIndex(kQuarterly);
    QCOMPARE(p.questions.back(),
             QStringLiteral("Changing the frequency will clear all amounts.\n\nContinue?"));
    QCOMPARE(Combo(w, n::PaymentPeriod)->currentIndex(), kMonthly);
    QCOMPARE(Amounts(w), (std::vector<double>{100, 200, 300, 400, 0, 0}));
    // Yes clears the amounts and steps the dates by the new frequency.
    Combo(w, n::PaymentPeriod)->setCurrentIndex(kQuarterly);
    QCOMPARE(Amounts(w), std::vector<double>(6, 0.0));
    QCOMPARE(FlowDate(w, 2), DateFromDMY(1, 7, 2026));

    // With exact days a typed date survives a new initial date, not new periods.
    TypeCell(w, 1, TCashFlowTableModel::AmountPart, QStringLiteral("10"));
    TypeCell(w, 1, TCashFlowTableModel::DatePart, QStringLiteral("02/15/2026"));
    QCOMPARE(FlowDate(w, 1), DateFromDMY(15, 2, 2026));
    Enter(Date(w, n::InitialDate)->lineEdit(), QStringLiteral("01/10/2026"));
    QCOMPARE(FlowDate(w, 1), DateFromDMY(15, 2, 2026));
    Enter(Number(w, n::TotalPeriods), QStringLiteral("5"));
    QCOMPARE(FlowDate(w, 1), DateFromDMY(10, 4, 2026));
    QCOMPARE(Amount(w, 1), 10.0);
    // Without exact days a new initial date moves every date.
    SetExactDays(w, false);
    Enter(Date(w, n::InitialDate)->lineEdit(), QStringLiteral("02/01/2026"));
    QCOMPARE(FlowDate(w, 1), DateFromDMY(1, 5, 2026));
    QCOMPARE(Amount(w, 1), 10.0);

    // "Clear cash flows..." asks; Yes zeroes the amounts and keeps the dates.
    p.answers = {false, true};
    w->ClearCashFlowsAction()->trigger();
    QCOMPARE(Amount(w, 1), 10.0);
    w->ClearCashFlowsAction()->trigger();
    QCOMPARE(p.questions.back(), QStringLiteral("This will reset cash flows to '0'.\n\nContinue?"));
    QCOMPARE(Amount(w, 1), 0.0);
    QCOMPARE(FlowDate(w, 1), DateFromDMY(1, 5, 2026));
    QVERIFY(p.messages.empty());
  }

  void totalPeriodsRefusesWhatItCannotHold() {
    Program p;
    TcalcNetPV* w = p.OpenNPV();
    for (const QString& typed : {QStringLiteral("99999"), QStringLiteral("32768"), QStringLiteral("-1")}) {
      p.messages.clear();
      Enter(Number(w, n::TotalPeriods), typed);
      QVERIFY2(p.Said(MessageKind::Error, kPeriodsProblem), qPrintable(typed));
      QCOMPARE(Number(w, n::TotalPeriods)->text(), QStringLiteral("48"));
      QCOMPARE(w->GridModel()->rowCount(), 24);
    }
    // The largest count the field holds: 16,384 rows, the last with one flow.
    p.messages.clear();
    Enter(Number(w, n::TotalPeriods), QStringLiteral("32767"));
    QVERIFY(p.messages.empty());
    QCOMPARE(w->GridModel()->rowCount(), 16384);
    QCOMPARE(w->GridModel()->EntryOf(w->GridModel()->index(16383, 2)), 32767);
    QCOMPARE(w->GridModel()->EntryOf(w->GridModel()->index(16383, 5)), 0);
  }

  void aDamagedFileLeavesTheWindowAsItWas() {
    Program p;
    const QString good = p.folder.filePath(QStringLiteral("flows.npv"));
    const QString other = p.folder.filePath(QStringLiteral("flows.irr"));
    TcalcIRR* irr = p.OpenIRR();
    QVERIFY(irr->SaveTo(other));

    TcalcNetPV* w = p.OpenNPV();
    Enter(Number(w, n::TotalPeriods), QStringLiteral("3"));
    Enter(Number(w, n::InitialAmount), QStringLiteral("-500"));
    for (std::int32_t k = 1; k <= 3; ++k) {
      TypeCell(w, k, TCashFlowTableModel::AmountPart, QString::number(200 * k));
    }
    QVERIFY(w->SaveTo(good));
    const std::vector<std::uint8_t> bytes = Bytes(good);
    QCOMPARE(bytes.size(), std::size_t(80 + 4 * 16));

    // Another calculation on the page, to be kept through every failed load.
    Enter(Number(w, n::TotalPeriods), QStringLiteral("2"));
    Enter(Number(w, n::InitialAmount), QStringLiteral("-7"));
    const TCalculationRecord before = w->Model().Calculation;
    const std::vector<double> amountsBefore = Amounts(w);

    std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 8);
    std::vector<std::uint8_t> countTooLarge = bytes;
    countTooLarge[28] = 4;  // total periods 4, but three flows follow
    std::vector<std::uint8_t> newerVersion = bytes;
    newerVersion[18] = 2;
    const struct {
      const char* name;
      std::vector<std::uint8_t> content;
    } damaged[] = {{"truncated", truncated},
                   {"count too large", countTooLarge},
                   {"version 1.2", newerVersion},
                   {"an IRR file", Bytes(other)}};
    for (const auto& file : damaged) {
      p.messages.clear();
      const QString path = p.folder.filePath(QStringLiteral("damaged.npv"));
      Write(path, file.content);
      QVERIFY2(!w->LoadFrom(path), file.name);
      QVERIFY2(p.Said(MessageKind::Error, kNotThisFile), file.name);
      QVERIFY2(w->Model().Calculation == before, file.name);
      QCOMPARE(Amounts(w), amountsBefore);
      QCOMPARE(Number(w, n::InitialAmount)->text(), QStringLiteral("($7.00)"));
      QCOMPARE(w->GridModel()->rowCount(), 1);
    }

    // The good file brings its values, grid and all.
    p.messages.clear();
    QVERIFY(w->LoadFrom(good));
    QVERIFY(p.messages.empty());
    QCOMPARE(Number(w, n::TotalPeriods)->text(), QStringLiteral("3"));
    QCOMPARE(Number(w, n::InitialAmount)->text(), QStringLiteral("($500.00)"));
    QCOMPARE(Amounts(w), (std::vector<double>{200, 400, 600}));
    QCOMPARE(w->GridModel()->rowCount(), 2);
  }

  void theLastFileIsWrittenOnCloseAndReadOnOpen() {
    Program p;
    TcalcNetPV* w = p.OpenNPV();
    Enter(Number(w, n::TotalPeriods), QStringLiteral("2"));
    TypeCell(w, 1, TCashFlowTableModel::AmountPart, QStringLiteral("250"));
    TypeCell(w, 2, TCashFlowTableModel::AmountPart, QStringLiteral("-75"));
    w->close();
    const QString last = p.folder.filePath(QStringLiteral("Last.npv"));
    QVERIFY(QFileInfo::exists(last));

    TcalcNetPV* again = p.OpenNPV();
    QCOMPARE(Number(again, n::TotalPeriods)->text(), QStringLiteral("2"));
    QCOMPARE(Amounts(again), (std::vector<double>{250, -75}));
    again->close();

    // A "Last" file that cannot be read opens with the local defaults.
    Write(last, {1, 2, 3});
    TcalcNetPV* fresh = p.OpenNPV();
    QVERIFY(fresh->findChild<QRadioButton*>(QStringLiteral("rbDefaults"))->isChecked());
    QVERIFY(fresh->findChild<QRadioButton*>(QStringLiteral("rbLocal"))->isChecked());
    QCOMPARE(fresh->GridModel()->rowCount(), 24);
  }
};

QTEST_MAIN(NpvIrrWindowsTest)
#include "npv_irr_windows_test.moc"
