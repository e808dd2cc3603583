#pragma once

// A canvas that keeps every text it is given with its place, for tests and
// for checking layouts without a printer. Text is measured as fixed-pitch:
// each character 0.6 of the font size wide, as in the printer font's family.

#include <string>
#include <vector>

#include "core/report/report_canvas.h"

namespace quandrel {

struct RecordedText {
  int page = 0;
  double x = 0;    // left edge, inches
  double top = 0;  // top of its line, inches
  double width = 0;
  std::string text;
  ReportFont font;
  double Right() const { return x + width; }
};

class TRecordingCanvas : public TReportCanvas {
 public:
  explicit TRecordingCanvas(double pageWidth = 8.5, double pageHeight = 11)
      : m_width(pageWidth), m_height(pageHeight) {}

  double PageWidth() const override { return m_width; }
  double PageHeight() const override { return m_height; }

  const std::vector<RecordedText>& Texts() const { return m_texts; }
  int Pages() const { return m_pages; }
  // The texts of one line (same page and top), left to right.
  std::vector<RecordedText> Line(int page, double top) const;
  // The first text equal to `text`, or null.
  const RecordedText* Find(std::string_view text) const;

 protected:
  double TextWidth(std::string_view text, const ReportFont& font) const override;
  void DrawText(double x, double top, std::string_view text, const ReportFont& font) override;
  void StartPage(int number) override { m_pages = number; }

 private:
  double m_width;
  double m_height;
  int m_pages = 0;
  std::vector<RecordedText> m_texts;
};

}  // namespace quandrel
