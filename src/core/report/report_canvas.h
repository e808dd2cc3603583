#pragma once

// The page every report is written against, in inches from the paper's
// top-left corner. The canvas keeps the layout state (font, tab stops, the
// current line, margins, the page count) and places text by its own rules;
// a back end only measures and draws text and starts pages. The Qt back end
// draws on a printer or a PDF; the recording canvas (recording_canvas.h)
// keeps what landed where for tests.

#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

struct ReportFont {
  std::string name = "Courier New";
  double size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const ReportFont&, const ReportFont&) = default;
};

struct PageMargins {
  double top = 0;
  double bottom = 0;
  double left = 0;
  double right = 0;
  friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

enum class Justify { Left, Center, Right };

// A column of a tabbed line: its left edge, width, justification, and the
// inner margin kept free on both sides of the text (inches).
struct TabStop {
  double position = 0;
  Justify justify = Justify::Left;
  double width = 0;
  double innerMargin = 0;
};

// Lines per inch of every report.
inline constexpr double kLinesPerInch = 6;
inline constexpr double kLineHeight = 1.0 / kLinesPerInch;
// The inner margin of the report columns: 2 hundredths of an inch.
inline constexpr double kTabInnerMargin = 0.02;

class TReportCanvas {
 public:
  virtual ~TReportCanvas() = default;
  TReportCanvas(const TReportCanvas&) = delete;
  TReportCanvas& operator=(const TReportCanvas&) = delete;

  // Paper size in inches.
  virtual double PageWidth() const = 0;
  virtual double PageHeight() const = 0;

  void SetMargins(const PageMargins& margins) { m_margins = margins; }
  const PageMargins& Margins() const { return m_margins; }

  // --- Font ------------------------------------------------------------------
  void SetFont(std::string_view name, double size);
  void SetBold(bool on) { m_font.bold = on; }
  void SetItalic(bool on) { m_font.italic = on; }
  void SetUnderline(bool on) { m_font.underline = on; }
  const ReportFont& Font() const { return m_font; }

  // --- Tab stops -----------------------------------------------------------
  void ClearTabs() { m_tabs.clear(); }
  // A tab stop; a negative position places it directly after the previous
  // stop (its position plus its width).
  void SetTab(double position, Justify justify, double width, double innerMargin);
  static constexpr double kNextPosition = -1;
  const std::vector<TabStop>& Tabs() const { return m_tabs; }

  // --- Lines -----------------------------------------------------------------
  // Starts the first page: the current line is the top margin.
  void BeginReport();
  // The top of the current line, in inches from the paper's top edge.
  double LineTop() const { return m_lineTop; }
  // Moves the current line to `inches` below the top margin.
  void GotoY(double inches);
  void GotoTop() { m_lineTop = m_margins.top; }
  // The last line above the bottom margin.
  void GotoFooter();
  void NewLine();
  // Whole lines left between the current line and the bottom margin (the
  // current line not counted once it holds text).
  int LinesLeft() const;
  void NewPage();
  int PageNumber() const { return m_page; }

  // --- Text ------------------------------------------------------------------
  // Text with tabs: each tab moves to the next tab stop, and the text after it
  // is placed in that column by its justification. Text before the first tab
  // starts at the left margin. The line stays current (a later Print goes on
  // after what was printed).
  void Print(std::string_view text);
  // Print, then a new line.
  void PrintLn(std::string_view text);
  void PrintLeft(std::string_view text, double x);
  void PrintCenter(std::string_view text, double x);
  void PrintRight(std::string_view text, double x);

 protected:
  TReportCanvas() = default;

  // Back end: the width of a text in the font (inches), drawing text with its
  // left edge at x on the line whose top is `top`, and a new page.
  virtual double TextWidth(std::string_view text, const ReportFont& font) const = 0;
  virtual void DrawText(double x, double top, std::string_view text, const ReportFont& font) = 0;
  virtual void StartPage(int number) = 0;

 private:
  void Place(std::string_view text, double anchor, Justify justify);
  void PrintColumn(std::string_view text, std::size_t column);

  PageMargins m_margins;
  ReportFont m_font;
  std::vector<TabStop> m_tabs;
  double m_lineTop = 0;
  double m_cursorX = 0;  // where untabbed text goes on
  std::size_t m_nextTab = 0;
  bool m_lineUsed = false;
  int m_page = 0;
};

}  // namespace quandrel
