#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <vector>

#include "core/finance/equivalent_rate_buffer.h"
#include "core/finance/pmt_req_buffer.h"
#include "core/finance/pv_amount_buffer.h"
#include "core/finance/roi_buffer.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/report/printer_font.h"
#include "gui/finance/equivalent_rate_window.h"
#include "gui/finance/pmt_req_window.h"
#include "gui/finance/pv_amount_window.h"
#include "gui/finance/roi_window.h"
#include "gui/shell/calculator_launcher.h"
#include "gui/shell/message_boxes.h"
#include "gui/shell/report_printing.h"
#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

using namespace quandrel;

namespace {

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
  std::vector<int> helpTopics;

  Program() {
    RegisterCalculators(launcher);
    launcher.Context().showHelp = [this](int topic, QWidget*) { helpTopics.push_back(topic); };
    SetMessageHandler(
        [this](QWidget*, MessageKind kind, const QString& text) { messages.emplace_back(kind, text); });
  }
  ~Program() {
    launcher.DestroyOpenWindows();
    SetMessageHandler(nullptr);
  }
  template <typename Window>
  Window* Open(std::string_view title) {
    auto* window = qobject_cast<Window*>(launcher.Launch(title, {}));
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
QString Text(TcalcWindow* w, std::string_view id) {
  return Number(w, id)->text();
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}
void Calc(TcalcWindow* w) {
  QTest::mouseClick(w->Button("btnCalc"), Qt::LeftButton);
}

QString Note(TcalcWindow* w) {
  const auto* note = w->findChild<QLabel*>(QStringLiteral("lPageNote"));
  return note != nullptr ? note->text() : QString();
}

// The text of a PDF with its layout kept.
QString PdfText(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class FinanceWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void theFourOpenFromTheLauncher() {
    Program p;
    struct Case {
      std::string_view title;
      QString note;
      int comboItems;  // of the first choice
      std::string_view combo;
    };
    const Case cases[] = {
        {TbufEquivalentRate::Definition().title,
         QStringLiteral("Enter either effective or nominal rate. Zero for unknown."), 12,
         equivalent_rate_field::Compounding},
        {TbufROI::Definition().title, QString(), 0, {}},
        {TbufPmtReq::Definition().title, QString(), 10, pmt_req_field::PaymentPeriod},
        {TbufPVAmount::Definition().title, QStringLiteral("Enter either dates or number of days."), 12,
         pv_amount_field::Compounding},
    };
    for (const Case& c : cases) {
      TcalcWindow* w = p.Open<TcalcWindow>(c.title);
      QVERIFY2(w != nullptr, c.title.data());
      QCOMPARE(w->windowTitle(), QString::fromUtf8(c.title.data(), static_cast<qsizetype>(c.title.size())) +
                                     QStringLiteral(" 1"));
      QCOMPARE(Note(w), c.note);
      if (!c.combo.empty()) {
        QCOMPARE(Combo(w, c.combo)->count(), c.comboItems);
      }
      w->close();
    }
    QVERIFY(p.messages.empty());
  }

  void equivalentRate() {
    Program p;
    namespace f = equivalent_rate_field;
    auto* w = p.Open<TcalcEquivalentRate>(TbufEquivalentRate::Definition().title);
    QVERIFY(w != nullptr);
    QCOMPARE(Combo(w, f::DaysPerYear)->currentText(), QStringLiteral("360"));
    Type(Number(w, f::Nominal), QStringLiteral("12"));
    Combo(w, f::DaysPerYear)->setCurrentIndex(1);
    Calc(w);
    QVERIFY(p.messages.empty());
    QCOMPARE(Text(w, f::Effective), QStringLiteral("12.68250"));
    QCOMPARE(Text(w, f::PeriodicRate), QStringLiteral("1.00000"));
    QCOMPARE(Text(w, f::DailyRate), QStringLiteral("0.03272"));
    QCOMPARE(Text(w, f::EffectiveSemiannual), QStringLiteral("12.36000"));

    // The other way round: the effective rate gives the nominal one.
    Type(Number(w, f::Nominal), QStringLiteral("0"));
    Type(Number(w, f::Effective), QStringLiteral("12.6825"));
    Calc(w);
    QCOMPARE(Text(w, f::Nominal), QStringLiteral("12.00000"));

    // Help on the Options page opens its own topic.
    QTest::mouseClick(w->Button("btnHelp"), Qt::LeftButton);
    w->Pages()->setCurrentIndex(1);
    QTest::mouseClick(w->Button("btnHelp"), Qt::LeftButton);
    QCOMPARE(p.helpTopics, (std::vector<int>{298, 301}));
  }

  void returnOnInvestment() {
    Program p;
    namespace f = roi_field;
    auto* w = p.Open<TcalcIntRate>(TbufROI::Definition().title);
    QVERIFY(w != nullptr);
    QCOMPARE(Date(w, f::EndDate)->lineEdit()->text(), QStringLiteral("01/02/2026"));
    Type(Number(w, f::Invested), QStringLiteral("1000"));
    Type(Number(w, f::Returned), QStringLiteral("1100"));
    Date(w, f::EndDate)->setDate(DateFromDMY(1, 1, 2028));
    Calc(w);
    QVERIFY(p.messages.empty());
    QCOMPARE(Text(w, f::Gain), QStringLiteral("$100.00"));
    QCOMPARE(Text(w, f::Percentage), QStringLiteral("10.0"));
    QCOMPARE(Text(w, f::Annualized), QStringLiteral("5.0"));
    QCOMPARE(Text(w, f::TotalYears), QStringLiteral("2.00"));

    // The same day twice: the error box, and the results stay.
    Date(w, f::EndDate)->setDate(DateFromDMY(1, 1, 2026));
    Calc(w);
    QCOMPARE(p.messages.size(), std::size_t{1});
    QCOMPARE(p.messages[0].second, QStringLiteral("Ending date is earlier than starting date."));
    QCOMPARE(Text(w, f::Gain), QStringLiteral("$100.00"));

    // No local defaults: the Options page keeps an empty group.
    QVERIFY(w->findChild<QWidget*>(QStringLiteral("gbLocalDefaults")) != nullptr);
    p.helpTopics.clear();
    w->Pages()->setCurrentIndex(1);
    QTest::mouseClick(w->Button("btnHelp"), Qt::LeftButton);
    QCOMPARE(p.helpTopics, (std::vector<int>{218}));
  }

  void paymentRequired() {
    Program p;
    namespace f = pmt_req_field;
    auto* w = p.Open<TcalcPmtReq>(TbufPmtReq::Definition().title);
    QVERIFY(w != nullptr);
    Type(Number(w, f::FutureValue), QStringLiteral("10000"));
    Type(Number(w, f::TotalPeriods), QStringLiteral("12"));
    Type(Number(w, f::Rate), QStringLiteral("12"));
    Calc(w);
    QVERIFY(p.messages.empty());
    QCOMPARE(Text(w, f::Payment), QStringLiteral("$788.49"));
    QCOMPARE(Text(w, f::TotalInvested), QStringLiteral("$9,461.85"));
    QCOMPARE(Text(w, f::Gain), QStringLiteral("$538.15"));
    QCOMPARE(Text(w, f::YearsToDouble), QStringLiteral("5.81"));

    QTest::mouseClick(w->Button("btnCopy"), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().contains(
        QStringLiteral("Required Payment :                $788.49\r\n")));

    // The periods are a 16-bit count: more is refused at the field.
    Type(Number(w, f::TotalPeriods), QStringLiteral("40000"));
    Calc(w);
    QCOMPARE(p.messages.size(), std::size_t{1});
    QVERIFY(p.messages[0].second.contains(QStringLiteral("32767")));
    QCOMPARE(Text(w, f::Payment), QStringLiteral("$788.49"));
  }

  void presentValueOfAnAmount() {
    Program p;
    namespace f = pv_amount_field;
    auto* w = p.Open<TcalcPVAmount>(TbufPVAmount::Definition().title);
    QVERIFY(w != nullptr);
    Type(Number(w, f::FutureValue), QStringLiteral("1000"));
    Type(Number(w, f::Days), QStringLiteral("365"));
    QTest::keyClick(Number(w, f::Days), Qt::Key_Tab);
    QCOMPARE(Date(w, f::FutureDate)->lineEdit()->text(), QStringLiteral("01/01/2027"));
    Type(Number(w, f::Rate), QStringLiteral("5"));
    Combo(w, f::Compounding)->setCurrentIndex(compounding::Annually);
    Combo(w, f::RateBasis)->setCurrentIndex(1);
    Calc(w);
    QVERIFY(p.messages.empty());
    QCOMPARE(Text(w, f::PresentValue), QStringLiteral("$952.38"));
    QCOMPARE(Text(w, f::TotalYears), QStringLiteral("1.00"));

    // -30 days moves the present value date back from the future value date.
    Type(Number(w, f::Days), QStringLiteral("-30"));
    QTest::keyClick(Number(w, f::Days), Qt::Key_Tab);
    QCOMPARE(Date(w, f::PresentDate)->lineEdit()->text(), QStringLiteral("12/02/2026"));

    // A date sets the days; dates too far apart for the count are refused.
    Date(w, f::FutureDate)->setDate(DateFromDMY(2, 3, 2027));
    QCOMPARE(Text(w, f::Days), QStringLiteral("90"));
    Date(w, f::FutureDate)->setDate(DateFromDMY(1, 1, 2200));
    QCOMPARE(p.messages.size(), std::size_t{1});
    QCOMPARE(
        p.messages[0].second,
        QStringLiteral("Number of days is out of range.\n\nThe dates can be at most 32,767 days apart."));
    QCOMPARE(Text(w, f::Days), QStringLiteral("90"));
  }

  void eachReportPrintsToPdf() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      QSKIP("pdftotext (poppler-utils) is not installed");
    }
    Program p;
    TFontEx font{p.settings};
    TReportPrinter printer{p.settings, font};
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    TbufEquivalentRate rate(p.services);
    rate.Calculation.SetReal(equivalent_rate_field::Nominal, 12);
    rate.Calculate();
    rate.SetTitle("Equivalent Rate Calculator 1");
    TbufROI roi(p.services);
    roi.Calculation.SetReal(roi_field::Invested, 1000);
    roi.Calculation.SetReal(roi_field::Returned, 1100);
    roi.Calculation.SetDate(roi_field::EndDate, DateFromDMY(1, 1, 2028));
    roi.Calculate();
    roi.SetTitle("Return on Investment (ROI) 1");
    TbufPmtReq pmt(p.services);
    pmt.Calculation.SetReal(pmt_req_field::FutureValue, 10000);
    pmt.Calculation.SetInteger(pmt_req_field::TotalPeriods, 12);
    pmt.Calculation.SetReal(pmt_req_field::Rate, 12);
    pmt.Calculate();
    pmt.SetTitle("Payment Required Calculator 1");
    TbufPVAmount pv(p.services);
    pv.Calculation.SetReal(pv_amount_field::FutureValue, 1000);
    pv.Calculation.SetInteger(pv_amount_field::Days, 365);
    pv.Calculation.SetReal(pv_amount_field::Rate, 5);
    pv.Calculation.SetChoice(pv_amount_field::Compounding, compounding::Annually);
    pv.Calculation.SetChoice(pv_amount_field::RateBasis, 1);
    pv.Calculate();
    pv.SetTitle("Present Value of an Amount Calculator 1");

    struct Case {
      const TbufCalculator* model;
      QString file, label, value;
    };
    const Case cases[] = {
        {&rate, QStringLiteral("equivalent_rate"), QStringLiteral("Effective Annual Rate? (%):"),
         QStringLiteral("12.6825")},
        {&roi, QStringLiteral("roi"), QStringLiteral("Annualized Return on Investment (%):"),
         QStringLiteral("5.0")},
        {&pmt, QStringLiteral("pmt_req"), QStringLiteral("Required Payment :"), QStringLiteral("$788.49")},
        {&pv, QStringLiteral("pv_amount"), QStringLiteral("Present Value:"), QStringLiteral("$952.38")},
    };
    const QString keep = qEnvironmentVariable("QUANDREL_SCREENSHOT_DIR");
    for (const Case& c : cases) {
      const QString pdf = dir.filePath(c.file + QStringLiteral(".pdf"));
      const TbufCalculator& model = *c.model;
      const FontSpec spec = printer.Font();
      const double width = printer.PaperWidth();
      printer.WritePdf({c.file, SetupFor(model.Definition().reportKind),
                        [&](TReportCanvas& canvas) { model.PrintReport(canvas, spec, width); }},
                       pdf);
      if (!keep.isEmpty()) {
        QFile::copy(pdf, keep + QLatin1Char('/') + c.file + QStringLiteral("_report.pdf"));
      }
      const QString text = PdfText(pdf);
      QVERIFY2(text.contains(QString::fromStdString(model.Title())), qPrintable(c.file));
      // The label and its value share a line.
      bool found = false;
      for (const QString& line : text.split(QLatin1Char('\n'))) {
        found = found || (line.contains(c.label) && line.trimmed().endsWith(c.value));
      }
      QVERIFY2(found, qPrintable(c.file + QStringLiteral(": ") + text));
    }
  }
};

QTEST_MAIN(FinanceWindowsTest)
#include "finance_windows_test.moc"
