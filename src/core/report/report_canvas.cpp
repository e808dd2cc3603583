#include "core/report/report_canvas.h"

#include <cmath>

namespace quandrel {

void TReportCanvas::SetFont(std::string_view name, double size) {
  m_font.name = std::string(name);
  m_font.size = size;
}

void TReportCanvas::SetTab(double position, Justify justify, double width, double innerMargin) {
  if (position < 0) {
    position = m_tabs.empty() ? m_margins.left : m_tabs.back().position + m_tabs.back().width;
  }
  m_tabs.push_back({position, justify, width, innerMargin});
}

void TReportCanvas::BeginReport() {
  m_page = 1;
  StartPage(m_page);
  m_lineTop = m_margins.top;
  m_cursorX = m_margins.left;
  m_nextTab = 0;
  m_lineUsed = false;
}

void TReportCanvas::GotoY(double inches) {
  m_lineTop = m_margins.top + inches;
  m_cursorX = m_margins.left;
  m_nextTab = 0;
  m_lineUsed = false;
}

void TReportCanvas::GotoFooter() {
  const double bottom = PageHeight() - m_margins.bottom;
  const double lines = std::floor((bottom - m_margins.top) / kLineHeight + 1e-9);
  m_lineTop = m_margins.top + (lines - 1) * kLineHeight;
  m_cursorX = m_margins.left;
  m_nextTab = 0;
  m_lineUsed = false;
}

void TReportCanvas::NewLine() {
  m_lineTop += kLineHeight;
  m_cursorX = m_margins.left;
  m_nextTab = 0;
  m_lineUsed = false;
}

int TReportCanvas::LinesLeft() const {
  const double bottom = PageHeight() - m_margins.bottom;
  const double start = m_lineTop + (m_lineUsed ? kLineHeight : 0);
  const double lines = std::floor((bottom - start) / kLineHeight + 1e-9);
  return lines > 0 ? static_cast<int>(lines) : 0;
}

void TReportCanvas::NewPage() {
  ++m_page;
  StartPage(m_page);
  m_lineTop = m_margins.top;
  m_cursorX = m_margins.left;
  m_nextTab = 0;
  m_lineUsed = false;
}

void TReportCanvas::Place(std::string_view text, double anchor, Justify justify) {
  if (text.empty()) {
    return;
  }
  const double width = TextWidth(text, m_font);
  double x = anchor;
  if (justify == Justify::Center) {
    x = anchor - width / 2;
  } else if (justify == Justify::Right) {
    x = anchor - width;
  }
  DrawText(x, m_lineTop, text, m_font);
  m_cursorX = x + width;
  m_lineUsed = true;
}

void TReportCanvas::PrintColumn(std::string_view text, std::size_t column) {
  if (column >= m_tabs.size()) {
    // No stop left: the text goes on after what is on the line.
    Place(text, m_cursorX, Justify::Left);
    return;
  }
  const TabStop& tab = m_tabs[column];
  switch (tab.justify) {
    case Justify::Left:
      Place(text, tab.position + tab.innerMargin, Justify::Left);
      break;
    case Justify::Center:
      Place(text, tab.position + tab.width / 2, Justify::Center);
      break;
    case Justify::Right:
      Place(text, tab.position + tab.width - tab.innerMargin, Justify::Right);
      break;
  }
}

void TReportCanvas::Print(std::string_view text) {
  std::size_t start = 0;
  bool inColumn = false;
  std::size_t column = 0;
  while (start <= text.size()) {
    const std::size_t tab = text.find('\t', start);
    const std::string_view piece =
        text.substr(start, tab == std::string_view::npos ? text.npos : tab - start);
    if (inColumn) {
      PrintColumn(piece, column);
    } else {
      Place(piece, m_cursorX, Justify::Left);
    }
    if (tab == std::string_view::npos) {
      break;
    }
    inColumn = true;
    column = m_nextTab++;
    start = tab + 1;
  }
}

void TReportCanvas::PrintLn(std::string_view text) {
  Print(text);
  NewLine();
}

void TReportCanvas::PrintLeft(std::string_view text, double x) {
  Place(text, x, Justify::Left);
}
void TReportCanvas::PrintCenter(std::string_view text, double x) {
  Place(text, x, Justify::Center);
}
void TReportCanvas::PrintRight(std::string_view text, double x) {
  Place(text, x, Justify::Right);
}

}  // namespace quandrel
