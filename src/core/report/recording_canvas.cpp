#include "core/report/recording_canvas.h"

#include <algorithm>
#include <cmath>

namespace quandrel {
namespace {

// Characters, not bytes: a UTF-8 continuation byte adds no width.
std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

double TRecordingCanvas::TextWidth(std::string_view text, const ReportFont& font) const {
  return static_cast<double>(Characters(text)) * 0.6 * font.size / 72.0;
}

void TRecordingCanvas::DrawText(double x, double top, std::string_view text, const ReportFont& font) {
  m_texts.push_back({PageNumber(), x, top, TextWidth(text, font), std::string(text), font});
}

std::vector<RecordedText> TRecordingCanvas::Line(int page, double top) const {
  std::vector<RecordedText> line;
  for (const RecordedText& t : m_texts) {
    if (t.page == page && std::fabs(t.top - top) < 1e-9) {
      line.push_back(t);
    }
  }
  std::sort(line.begin(), line.end(), [](const RecordedText& a, const RecordedText& b) { return a.x < b.x; });
  return line;
}

const RecordedText* TRecordingCanvas::Find(std::string_view text) const {
  const auto found =
      std::find_if(m_texts.begin(), m_texts.end(), [&](const RecordedText& t) { return t.text == text; });
  return found == m_texts.end() ? nullptr : &*found;
}

}  // namespace quandrel
