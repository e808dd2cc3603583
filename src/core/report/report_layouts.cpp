#include "core/report/report_layouts.h"

#include "core/foundation/text_format.h"

namespace quandrel {
namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

ReportSetup SetupFor(ReportKind kind) {
  using R = ReportRoute;
  switch (kind) {
    case ReportKind::OnePageCalculator:
      return {R::Direct, PageMargins{0, 0, 0, 0}};
    case ReportKind::Depreciation:
      return {R::Direct, PageMargins{1, 1, 0, 0}};
    case ReportKind::Advisor:
      return {R::Direct, PageMargins{0, 0, 0.3, 0.2}};
    case ReportKind::FutureValueCalc:
      return {R::Direct, PageMargins{0.5, 1, 0.3, 0}};
    case ReportKind::PVSeriesCalc:
      return {R::Direct, PageMargins{0.5, 1, 0.15, 0}};
    case ReportKind::AnnuityCalc:
      return {R::Direct, std::nullopt};
    case ReportKind::AnnuitySchedule:
      return {R::OutputOptions, PageMargins{0.5, 0.5, 0.75, 0.75}};
    case ReportKind::FutureValueSchedule:
      return {R::OutputOptions, PageMargins{0.5, 0.5, 0.75, 0}};
    case ReportKind::PVSeriesSchedule:
      return {R::OutputOptions, PageMargins{0.5, 1.25, 1, 0}};
    case ReportKind::RentalSchedule:
      return {R::OutputOptions, PageMargins{0.5, 1, 0.3, 0}};
    case ReportKind::APRDisclosure:
      return {R::OutputOptions, PageMargins{0, 0.75, 0, 0}};
    case ReportKind::NetWorth:
      return {R::OutputOptions, PageMargins{0, 0.5, 0, 0}};
    case ReportKind::BudgetMonths:
      return {R::OutputOptions, PageMargins{0, 1, 0.5, 0.5}};
    case ReportKind::BudgetAnalysis:
      return {R::OutputOptions, std::nullopt};
  }
  return {};
}

double LabelColumnWidth(int fontSize) {
  if (fontSize >= 1 && fontSize <= 8) {
    return 1.5;
  }
  if (fontSize == 9 || fontSize == 10) {
    return 2.0;
  }
  if (fontSize == 11 || fontSize == 12) {
    return 2.5;
  }
  if (fontSize == 13 || fontSize == 14) {
    return 3.0;
  }
  return 3.25;
}

void PrintCalculatorReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth,
                           std::string_view title, const std::vector<std::string>& lines) {
  if (canvas.PageNumber() == 0) {
    canvas.BeginReport();
  }
  canvas.SetFont(font.name, font.size);
  const double width = LabelColumnWidth(font.size);
  const double left = paperWidth / 2 - width;
  canvas.ClearTabs();
  canvas.SetTab(left, Justify::Left, width, kTabInnerMargin);
  canvas.SetTab(TReportCanvas::kNextPosition, Justify::Right, width, kTabInnerMargin);

  canvas.GotoY(1.5);
  canvas.SetBold(true);
  canvas.PrintCenter(title, paperWidth / 2);
  canvas.SetBold(false);
  canvas.NewLine();
  canvas.NewLine();
  for (const std::string& line : lines) {
    canvas.PrintLn(line);
  }
}

std::string PreparedForName(std::string_view first, std::string_view initial, std::string_view last) {
  std::string name = std::string(first) + " ";
  if (!IsBlank(initial)) {
    name += std::string(initial) + ". ";
  }
  if (!IsBlank(last)) {
    name += last;
  }
  return name;
}

void StartFramedPage(TReportCanvas& canvas, const PageFrame& frame) {
  if (canvas.PageNumber() == 0) {
    canvas.BeginReport();
  } else {
    canvas.NewPage();
  }
  if (frame.beforeFooter) {
    frame.beforeFooter(canvas);
  }
  canvas.GotoFooter();
  canvas.PrintLeft("Prepared For: " + frame.preparedFor, frame.left);
  canvas.PrintRight("Prepared By: " + frame.preparer, frame.right);

  canvas.GotoTop();
  canvas.NewLine();
  canvas.SetBold(true);
  canvas.PrintCenter(frame.title, frame.titleCentre);
  if (frame.titleOnOwnLine) {
    canvas.NewLine();
  }
  canvas.PrintLeft("Prepared On: " + frame.preparedOn, frame.left);
  canvas.PrintRight(FormatLine(frame.pageText, {canvas.PageNumber()}, LocaleFacts::UnitedStates()),
                    frame.right);
  canvas.SetBold(false);
}

}  // namespace quandrel
