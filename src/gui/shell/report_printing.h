#pragma once

// Puts reports on paper, on screen and in PDF files. A job is the report's
// routine on a canvas plus its set-up (route and margins); the printer font
// and the paper width come from the settings.

#include <QString>
#include <functional>

#include "core/foundation/settings_store.h"
#include "core/report/printer_font.h"
#include "core/report/report_canvas.h"
#include "core/report/report_layouts.h"

class QPrinter;
class QWidget;

namespace quandrel {

struct ReportJob {
  QString title;  // the document's name
  ReportSetup setup;
  std::function<void(TReportCanvas& canvas)> print;
};

class TReportPrinter {
 public:
  TReportPrinter(TStRegIniEx& settings, const TFontEx& font);

  const FontSpec& Font() const { return m_font.Font(); }
  // The paper width the layouts centre on ("Paper Width", 8.5 inches unless
  // set; a damaged value reads as 8.5).
  double PaperWidth() const;

  // Runs the job by its route: direct printing on the selected printer, or
  // the output-options dialog (preview, printer or PDF file). With no printer
  // installed, both offer a PDF file instead.
  void Print(const ReportJob& job, QWidget* parent);

  // Writes the job to a PDF file on Letter paper, through a temporary file
  // renamed over the target. Throws std::runtime_error on failure.
  void WritePdf(const ReportJob& job, const QString& path) const;

  // Draws the job on a printer (its pages from the first); throws
  // std::runtime_error when the printer cannot be started.
  void Render(const ReportJob& job, QPrinter& printer, QWidget* progressParent) const;

  // Makes the named printer the job's printer; false (and the printer left as
  // it was) when no printer of that name is installed.
  static bool SelectPrinterByName(QPrinter& printer, const QString& name);
  static bool HasPrinters();

 private:
  void PrintDirect(const ReportJob& job, QWidget* parent);
  void PrintWithOptions(const ReportJob& job, QWidget* parent);
  void OfferPdf(const ReportJob& job, QWidget* parent, const QString& why);

  TStRegIniEx& m_settings;
  const TFontEx& m_font;
};

}  // namespace quandrel
