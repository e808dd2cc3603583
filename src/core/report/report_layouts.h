#pragma once

// The layouts shared by the reports: the margins of every report, the
// one-page two-column calculator report and the page frame of the schedules.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/report/printer_font.h"
#include "core/report/report_canvas.h"

namespace quandrel {

// How a report reaches paper: straight to the printer, or through the
// output-options dialog (preview, printer or file).
enum class ReportRoute : std::uint8_t { Direct, OutputOptions };

enum class ReportKind : std::uint8_t {
  OnePageCalculator,  // interest, rates, ROI, NPV, IRR, loans, EOQ, bond, ...
  Depreciation,
  Advisor,          // break-even, loan comparison, refinance
  FutureValueCalc,  // future value and rental analysis Calculator pages, APR
  PVSeriesCalc,
  AnnuityCalc,
  AnnuitySchedule,  // also the amortization schedule and lease versus buy
  FutureValueSchedule,
  PVSeriesSchedule,
  RentalSchedule,
  APRDisclosure,
  NetWorth,
  BudgetMonths,
  BudgetAnalysis,
};

struct ReportSetup {
  ReportRoute route = ReportRoute::Direct;
  // Margins in inches; none: the printing back end's own defaults.
  std::optional<PageMargins> margins;
};
ReportSetup SetupFor(ReportKind kind);

// The width of each column of a one-page report for a printer font size (points).
double LabelColumnWidth(int fontSize);

// The one-page two-column report: the title in bold centred 1.5 inches from
// the top, two new lines, then each line: the text after its first tab in
// the left (label) column, the text after its second tab right-aligned in the
// right (value) column, the two columns centred on the paper width.
void PrintCalculatorReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth,
                           std::string_view title, const std::vector<std::string>& lines);

// The page frame of the schedules and multi-page reports.
struct PageFrame {
  double left = 0.3;   // the report's left position
  double right = 7.9;  // its right edge
  std::string title;
  double titleCentre = 4.25;          // where the title is centred
  std::string pageText = "Page: %d";  // "%d" takes the page number
  std::string preparedFor;            // the account's name, as PreparedForName makes it
  std::string preparer;               // the "Preparer" setting
  std::string preparedOn;             // today's date in the locale's picture
  bool titleOnOwnLine = false;        // the date and page text on the line after the title
  // Called between the footer and the header (notes printed above the footer).
  std::function<void(TReportCanvas&)> beforeFooter;
};

// "First I. Last": the first name and a space, then the initial with "." and
// a space when it is not blank, then the last name when it is not blank.
std::string PreparedForName(std::string_view first, std::string_view initial, std::string_view last);

// Starts a page of a framed report: a new page (the first when none is
// started), the footer on the last line above the bottom margin, then the
// header on the page's first line: the bold title, "Prepared On: " and the
// date at the left, the page text right-aligned at the right edge; the line
// after the header is current.
void StartFramedPage(TReportCanvas& canvas, const PageFrame& frame);

}  // namespace quandrel
