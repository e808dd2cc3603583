#include "gui/platform/qt_report_canvas.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace quandrel {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TQtReportCanvas::TQtReportCanvas(QPagedPaintDevice& device, QPainter& painter)
    : m_device(device), m_painter(painter) {
  const QRectF paper = device.pageLayout().fullRect(QPageLayout::Inch);
  m_pageWidth = paper.width();
  m_pageHeight = paper.height();
  m_dpiX = device.logicalDpiX();
  m_dpiY = device.logicalDpiY();
}

QFont TQtReportCanvas::ToQFont(const ReportFont& font) {
  QFont qfont(Q(font.name));
  qfont.setPointSizeF(font.size > 0 ? font.size : 10);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStyleHint(QFont::TypeWriter);
  return qfont;
}

double TQtReportCanvas::TextWidth(std::string_view text, const ReportFont& font) const {
  const QFontMetricsF metrics(ToQFont(font), &m_device);
  return metrics.horizontalAdvance(Q(text)) / m_dpiX;
}

void TQtReportCanvas::DrawText(double x, double top, std::string_view text, const ReportFont& font) {
  const QFont qfont = ToQFont(font);
  const QFontMetricsF metrics(qfont, &m_device);
  m_painter.setFont(qfont);
  // The text sits on its line: the baseline one ascent below the line's top,
  // centred in the line's height.
  const double lineHeight = kLineHeight * m_dpiY;
  const double baseline = top * m_dpiY + (lineHeight - metrics.height()) / 2 + metrics.ascent();
  m_painter.drawText(QPointF(x * m_dpiX, baseline), Q(text));
}

void TQtReportCanvas::StartPage(int number) {
  if (number > 1) {
    m_device.newPage();
  }
}

}  // namespace quandrel
