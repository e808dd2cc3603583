#include "gui/shell/report_printing.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "gui/platform/file_dialogs.h"
#include "gui/platform/qt_report_canvas.h"
#include "gui/shell/message_boxes.h"

namespace quandrel {
namespace {

// The back end's own margins, for the reports that take them.
constexpr PageMargins kDefaultMargins{0.5, 0.5, 0.5, 0.5};

// A canvas that reports each new page to a progress box.
class ProgressCanvas : public TQtReportCanvas {
 public:
  ProgressCanvas(QPagedPaintDevice& device, QPainter& painter, QProgressDialog* progress)
      : TQtReportCanvas(device, painter), m_progress(progress) {}

 protected:
  void StartPage(int number) override {
    TQtReportCanvas::StartPage(number);
    if (m_progress != nullptr) {
      m_progress->setLabelText(QStringLiteral("Preparing page %1...").arg(number));
      m_progress->setValue(number);
    }
  }

 private:
  QProgressDialog* m_progress;
};

// The output-options dialog: where the report goes, on which printer, how
// many copies.
class TfrmOutputOptions : public QDialog {
 public:
  enum class Destination { Preview, Printer, File };

  TfrmOutputOptions(const QString& selectedPrinter, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Output Options"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Send the report to"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_preview = new QRadioButton(QStringLiteral("&Preview"), group);
    m_printer = new QRadioButton(QStringLiteral("P&rinter"), group);
    m_file = new QRadioButton(QStringLiteral("PDF &file"), group);
    m_preview->setChecked(true);
    groupLayout->addWidget(m_preview);
    groupLayout->addWidget(m_printer);
    groupLayout->addWidget(m_file);
    layout->addWidget(group);

    auto* form = new QFormLayout;
    m_printers = new QComboBox(this);
    m_printers->addItems(QPrinterInfo::availablePrinterNames());
    const int at = m_printers->findText(selectedPrinter);
    m_printers->setCurrentIndex(at >= 0 ? at : m_printers->findText(QPrinterInfo::defaultPrinterName()));
    m_copies = new QSpinBox(this);
    m_copies->setRange(1, 999);
    form->addRow(QStringLiteral("Pri&nter:"), m_printers);
    form->addRow(QStringLiteral("&Copies:"), m_copies);
    layout->addLayout(form);
    if (m_printers->count() == 0) {
      m_printer->setEnabled(false);
      m_printers->setEnabled(false);
      m_printers->setPlaceholderText(QStringLiteral("No printer is installed"));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
  }

  Destination Chosen() const {
    return m_printer->isChecked() ? Destination::Printer
           : m_file->isChecked()  ? Destination::File
                                  : Destination::Preview;
  }
  QString PrinterName() const { return m_printers->currentText(); }
  int Copies() const { return m_copies->value(); }

 private:
  QRadioButton* m_preview;
  QRadioButton* m_printer;
  QRadioButton* m_file;
  QComboBox* m_printers;
  QSpinBox* m_copies;
};

}  // namespace

TReportPrinter::TReportPrinter(TStRegIniEx& settings, const TFontEx& font)
    : m_settings(settings), m_font(font) {}

double TReportPrinter::PaperWidth() const {
  const double width = m_settings.PaperWidth();
  return std::isfinite(width) && width >= 2 && width <= 60 ? width : 8.5;
}

bool TReportPrinter::HasPrinters() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool TReportPrinter::SelectPrinterByName(QPrinter& printer, const QString& name) {
  if (!QPrinterInfo::availablePrinterNames().contains(name)) {
    return false;
  }
  printer.setPrinterName(name);
  return true;
}

void TReportPrinter::Render(const ReportJob& job, QPrinter& printer, QWidget* progressParent) const {
  printer.setFullPage(true);
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
  printer.setDocName(job.title);
  QPainter painter;
  if (!painter.begin(&printer)) {
    throw std::runtime_error("The printer could not be started.");
  }
  std::unique_ptr<QProgressDialog> progress;
  if (progressParent != nullptr) {
    progress = std::make_unique<QProgressDialog>(QStringLiteral("Preparing the report..."), QString(), 0, 0,
                                                 progressParent);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
  }
  ProgressCanvas canvas(printer, painter, progress.get());
  canvas.SetMargins(job.setup.margins.value_or(kDefaultMargins));
  job.print(canvas);
  painter.end();
}

void TReportPrinter::WritePdf(const ReportJob& job, const QString& path) const {
  const QString partial = path + QStringLiteral(".part");
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setOutputFileName(partial);
    Render(job, printer, nullptr);
  }
  if (!QFileInfo::exists(partial)) {
    throw std::runtime_error("The PDF file could not be written.");
  }
  QFile::remove(path);
  if (!QFile::rename(partial, path)) {
    QFile::remove(partial);
    throw std::runtime_error("The PDF file could not be written.");
  }
}

void TReportPrinter::OfferPdf(const ReportJob& job, QWidget* parent, const QString& why) {
  ShowInformationBox(parent, why + QStringLiteral("\nThe report can be saved as a PDF file instead."));
  const QString file = SaveFileDialog(parent, QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"),
                                      QString::fromStdString(m_settings.DataPath()));
  if (!file.isEmpty()) {
    WritePdf(job, file);
  }
}

void TReportPrinter::PrintDirect(const ReportJob& job, QWidget* parent) {
  if (!HasPrinters()) {
    OfferPdf(job, parent, QStringLiteral("No printer is installed on this computer."));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  // A stored printer that no longer exists leaves the system's default.
  SelectPrinterByName(printer, QString::fromStdString(m_settings.SelectedPrinter()));
  printer.setCopyCount(1);
  Render(job, printer, parent);
}

void TReportPrinter::PrintWithOptions(const ReportJob& job, QWidget* parent) {
  TfrmOutputOptions options(QString::fromStdString(m_settings.SelectedPrinter()), parent);
  if (options.exec() != QDialog::Accepted) {
    return;
  }
  switch (options.Chosen()) {
    case TfrmOutputOptions::Destination::Preview: {
      QPrinter printer(QPrinter::HighResolution);
      SelectPrinterByName(printer, options.PrinterName());
      printer.setCopyCount(options.Copies());
      QPrintPreviewDialog preview(&printer, parent);
      preview.setWindowTitle(job.title);
      QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                       [&](QPrinter* target) { Render(job, *target, nullptr); });
      preview.exec();
      break;
    }
    case TfrmOutputOptions::Destination::Printer: {
      QPrinter printer(QPrinter::HighResolution);
      SelectPrinterByName(printer, options.PrinterName());
      printer.setCopyCount(options.Copies());
      Render(job, printer, parent);
      break;
    }
    case TfrmOutputOptions::Destination::File: {
      const QString file = SaveFileDialog(parent, QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"),
                                          QString::fromStdString(m_settings.DataPath()));
      if (!file.isEmpty()) {
        WritePdf(job, file);
      }
      break;
    }
  }
}

void TReportPrinter::Print(const ReportJob& job, QWidget* parent) {
  if (job.setup.route == ReportRoute::Direct) {
    PrintDirect(job, parent);
  } else {
    PrintWithOptions(job, parent);
  }
}

}  // namespace quandrel
