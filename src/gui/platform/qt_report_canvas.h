#pragma once

// The report canvas on a Qt paint device: a printer, a PDF writer or the
// preview's printer. Inches map to the device's resolution; the origin is the
// paper's top-left corner.

#include <QFont>

#include "core/report/report_canvas.h"

class QPainter;
class QPagedPaintDevice;

namespace quandrel {

class TQtReportCanvas : public TReportCanvas {
 public:
  // The painter must be active on the device, whose page layout has no
  // margins of its own (the report sets its margins).
  TQtReportCanvas(QPagedPaintDevice& device, QPainter& painter);

  double PageWidth() const override { return m_pageWidth; }
  double PageHeight() const override { return m_pageHeight; }

  static QFont ToQFont(const ReportFont& font);

 protected:
  double TextWidth(std::string_view text, const ReportFont& font) const override;
  void DrawText(double x, double top, std::string_view text, const ReportFont& font) override;
  void StartPage(int number) override;

 private:
  QPagedPaintDevice& m_device;
  QPainter& m_painter;
  double m_pageWidth;
  double m_pageHeight;
  double m_dpiX;
  double m_dpiY;
};

}  // namespace quandrel
