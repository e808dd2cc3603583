#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/report/printer_font.h"
#include "core/shell/interest_buffer.h"
#include "gui/shell/printer_setup_form.h"
#include "gui/shell/report_printing.h"

using namespace quandrel;
namespace f = interest_field;

namespace {

struct Program {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::temp_directory_path() / "quandrel-gui-tests"};
  TStRegIniEx settings{backend, system};
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  ModelServices services{settings, masks, facts};
  TFontEx font{settings};
  TReportPrinter printer{settings, font};
};

struct Word {
  QString text;
  double xMin = 0, xMax = 0, yMin = 0;  // points from the paper's top-left corner
};

// The words of a PDF with their boxes, in reading order.
QList<Word> PdfWords(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    return {};
  }
  const QString html = QString::fromUtf8(process.readAllStandardOutput());
  static const QRegularExpression word(QStringLiteral(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
  QList<Word> words;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const auto m = match.next();
    words.push_back(
        {m.captured(4), m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(2).toDouble()});
  }
  return words;
}

Word Find(const QList<Word>& words, const QString& text) {
  for (const Word& w : words) {
    if (w.text == text) {
      return w;
    }
  }
  return {};
}

}  // namespace

class ReportPrintingTest : public QObject {
  Q_OBJECT

 private slots:
  void theInterestReportAsPdf() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
      QSKIP("pdftotext (poppler-utils) is not installed");
    }
    Program p;
    TbufInterest model(p.services);
    model.Calculation.SetReal(f::Amount, 1000);
    model.Calculation.SetInteger(f::Days, 365);
    model.Calculation.SetReal(f::Rate, 5);
    model.Calculation.SetChoice(f::Compounding, compounding::Annually);
    model.Calculation.SetChoice(f::RateBasis, 1);
    model.Calculation.SetDate(f::EndDate, DateFromDMY(1, 1, 2027));
    model.Calculate();
    model.SetTitle("Compound/Simple Interest Calculator 1");

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("interest.pdf"));
    const FontSpec font = p.printer.Font();
    const double width = p.printer.PaperWidth();
    p.printer.WritePdf({QStringLiteral("Interest"), SetupFor(model.Definition().reportKind),
                        [&](TReportCanvas& canvas) { model.PrintReport(canvas, font, width); }},
                       pdf);
    QVERIFY(QFileInfo::exists(pdf));
    QVERIFY(!QFileInfo::exists(pdf + QStringLiteral(".part")));
    const QString keep = qEnvironmentVariable("QUANDREL_SCREENSHOT_DIR");
    if (!keep.isEmpty()) {
      QFile::copy(pdf, keep + QStringLiteral("/interest_report.pdf"));
    }

    const QList<Word> words = PdfWords(pdf);
    QVERIFY(!words.isEmpty());
    constexpr double kPoints = 72;
    const Word amountLabel = Find(words, QStringLiteral("Amount?:"));
    const Word amount = Find(words, QStringLiteral("$1,000.00"));
    const Word futureLabel = Find(words, QStringLiteral("Future"));
    const Word future = Find(words, QStringLiteral("$1,050.00"));
    const Word weekday = Find(words, QStringLiteral("Thursday"));
    const Word date = Find(words, QStringLiteral("01/01/2026"));
    const Word titleStart = Find(words, QStringLiteral("Compound/Simple"));
    QVERIFY(!amount.text.isEmpty() && !future.text.isEmpty() && !date.text.isEmpty() &&
            !weekday.text.isEmpty());
    QVERIFY(!Find(words, QStringLiteral("Annually")).text.isEmpty());

    // 10-point font: two 2-inch columns from 2.25 inches, 0.02 inch inside each edge.
    QVERIFY(qAbs(amountLabel.xMin - 2.27 * kPoints) < 0.5);
    QVERIFY(qAbs(futureLabel.xMin - amountLabel.xMin) < 0.01);
    QVERIFY(qAbs(amount.xMax - 6.23 * kPoints) < 0.5);
    QVERIFY(qAbs(future.xMax - amount.xMax) < 0.01);
    QVERIFY(qAbs(date.xMax - amount.xMax) < 0.01);
    // Each value stands on its label's line; the title above them, centred on the paper.
    QVERIFY(qAbs(amount.yMin - amountLabel.yMin) < 0.01);
    QVERIFY(titleStart.yMin < amountLabel.yMin);
    double titleEnd = 0;
    for (const Word& w : words) {
      if (qAbs(w.yMin - titleStart.yMin) < 0.01) {
        titleEnd = std::max(titleEnd, w.xMax);
      }
    }
    QVERIFY(qAbs((titleStart.xMin + titleEnd) / 2 - 4.25 * kPoints) < 1.0);
  }

  void printerSetupStoresTheChosenPrinter() {
    Program p;
    const QStringList printers = {QStringLiteral("Office"), QStringLiteral("Laser 2"),
                                  QStringLiteral("Draft")};
    {
      TfrmSetPrinter dialog(p.settings, printers, QStringLiteral("Draft"));
      // The stored "Default Printer" is not installed: the system's default is selected.
      QCOMPARE(dialog.Printers()->currentItem()->text(), QStringLiteral("Draft"));
      dialog.Printers()->setCurrentRow(1);
      dialog.accept();
      QCOMPARE(p.settings.SelectedPrinter(), std::string("Laser 2"));
    }
    {
      TfrmSetPrinter dialog(p.settings, printers, QStringLiteral("Draft"));
      QCOMPARE(dialog.Printers()->currentItem()->text(), QStringLiteral("Laser 2"));
      dialog.Printers()->setCurrentRow(0);
      p.backend.ClearChanges();
      dialog.reject();
      QCOMPARE(p.settings.SelectedPrinter(), std::string("Laser 2"));
      QVERIFY(p.backend.Changes().empty());
    }
    {
      // OK with the printer already stored writes nothing.
      TfrmSetPrinter dialog(p.settings, printers, QStringLiteral("Draft"));
      p.backend.ClearChanges();
      dialog.accept();
      QVERIFY(p.backend.Changes().empty());
    }
  }

  void aStoredPrinterThatIsGoneIsIgnored() {
    QPrinter printer;
    const QString before = printer.printerName();
    QVERIFY(!TReportPrinter::SelectPrinterByName(printer, QStringLiteral("No Such Printer 42")));
    QCOMPARE(printer.printerName(), before);
  }
};

QTEST_MAIN(ReportPrintingTest)
#include "report_printing_test.moc"
