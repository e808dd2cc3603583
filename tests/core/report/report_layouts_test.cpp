#include "core/report/report_layouts.h"

#include <gtest/gtest.h>

#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/report/printer_font.h"
#include "core/report/recording_canvas.h"
#include "core/shell/interest_buffer.h"
#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

TEST(LabelColumnWidth, BySizeOfThePrinterFont) {
  const std::pair<int, double> cases[] = {{1, 1.5},   {8, 1.5},   {9, 2.0},  {10, 2.0},
                                          {11, 2.5},  {12, 2.5},  {13, 3.0}, {14, 3.0},
                                          {15, 3.25}, {16, 3.25}, {0, 3.25}, {72, 3.25}};
  for (auto [size, width] : cases) {
    EXPECT_EQ(LabelColumnWidth(size), width) << size;
  }
}

TEST(ReportSetup, MarginsAndRoutes) {
  EXPECT_EQ(SetupFor(ReportKind::OnePageCalculator).margins, (PageMargins{0, 0, 0, 0}));
  EXPECT_EQ(SetupFor(ReportKind::Depreciation).margins, (PageMargins{1, 1, 0, 0}));
  EXPECT_EQ(SetupFor(ReportKind::Advisor).margins, (PageMargins{0, 0, 0.3, 0.2}));
  EXPECT_EQ(SetupFor(ReportKind::PVSeriesSchedule).margins, (PageMargins{0.5, 1.25, 1, 0}));
  EXPECT_EQ(SetupFor(ReportKind::PVSeriesSchedule).route, ReportRoute::OutputOptions);
  EXPECT_EQ(SetupFor(ReportKind::AnnuityCalc).margins, std::nullopt);
  EXPECT_EQ(SetupFor(ReportKind::AnnuityCalc).route, ReportRoute::Direct);
}

TEST(CalculatorReport, TwoColumnsCentredOnThePaper) {
  struct Case {
    int size;
    double columnWidth, left;
  };
  for (const Case& c : {Case{10, 2.0, 2.25}, Case{16, 3.25, 1.0}}) {
    TRecordingCanvas canvas;
    FontSpec font;
    font.size = c.size;
    PrintCalculatorReport(canvas, font, 8.5, "Title 1", {"\tLabel:\t12.34", "\tOther:\t5"});
    ASSERT_EQ(canvas.Tabs().size(), 2u);
    EXPECT_DOUBLE_EQ(canvas.Tabs()[0].position, c.left);
    EXPECT_DOUBLE_EQ(canvas.Tabs()[0].width, c.columnWidth);
    EXPECT_DOUBLE_EQ(canvas.Tabs()[1].position, c.left + c.columnWidth);

    const RecordedText* title = canvas.Find("Title 1");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font.bold);
    EXPECT_DOUBLE_EQ(title->top, 1.5);
    EXPECT_NEAR(title->x + title->width / 2, 4.25, 1e-12);  // centred

    const RecordedText* label = canvas.Find("Label:");
    const RecordedText* value = canvas.Find("12.34");
    ASSERT_NE(label, nullptr);
    ASSERT_NE(value, nullptr);
    EXPECT_FALSE(label->font.bold);
    EXPECT_DOUBLE_EQ(label->top, 1.5 + 2 * kLineHeight);  // two new lines under the title
    EXPECT_DOUBLE_EQ(label->x, c.left + kTabInnerMargin);
    EXPECT_NEAR(value->Right(), c.left + 2 * c.columnWidth - kTabInnerMargin, 1e-12);
    EXPECT_DOUBLE_EQ(canvas.Find("Other:")->top, 1.5 + 3 * kLineHeight);
  }
}

TEST(CalculatorReport, TheInterestReport) {
  testing::ShellFixture fixture;
  TbufInterest model(fixture.services);
  model.Calculation.SetReal(interest_field::Amount, 1000);
  model.Calculation.SetInteger(interest_field::Days, 365);
  model.Calculation.SetReal(interest_field::Rate, 5);
  model.Calculation.SetChoice(interest_field::Compounding, compounding::Annually);
  model.Calculation.SetChoice(interest_field::RateBasis, 1);
  model.Calculate();
  model.SetTitle("Compound/Simple Interest Calculator 1");
  TRecordingCanvas canvas;
  model.PrintReport(canvas, FontSpec{}, 8.5);

  // The first body line: the label in the left column, the amount right-aligned in the right one.
  const double firstLine = 1.5 + 2 * kLineHeight;
  const auto amount = canvas.Line(1, firstLine);
  ASSERT_EQ(amount.size(), 2u);
  EXPECT_EQ(amount[0].text, "Amount?:                          ");
  EXPECT_DOUBLE_EQ(amount[0].x, 2.25 + kTabInnerMargin);
  EXPECT_EQ(amount[1].text, "       $1,000.00");
  EXPECT_NEAR(amount[1].Right(), 6.25 - kTabInnerMargin, 1e-12);
  // A date line: caption and weekday in the left column, the date at the right.
  const auto start = canvas.Line(1, firstLine + 3 * kLineHeight);
  ASSERT_EQ(start.size(), 2u);
  EXPECT_EQ(start[0].text, "Start Date?:                Thursday");
  EXPECT_EQ(start[1].text, "01/01/2026");
  EXPECT_NEAR(start[1].Right(), 6.25 - kTabInnerMargin, 1e-12);
  EXPECT_EQ(canvas.Line(1, firstLine + 5 * kLineHeight)[1].text, "Annually");
  EXPECT_EQ(canvas.Line(1, firstLine + 8 * kLineHeight)[1].text, "       $1,050.00");
  EXPECT_EQ(canvas.Pages(), 1);
}

TEST(PageFrame, FooterHeaderAndPageNumbers) {
  TRecordingCanvas canvas(8.5, 11);
  canvas.SetMargins({0.5, 0.5, 0.75, 0.75});
  PageFrame frame;
  frame.left = 0.25;
  frame.right = 7.9;
  frame.title = "Annuity Schedule 1";
  frame.pageText = "Page:  %d";
  frame.preparedFor = PreparedForName("Ann", "B", "Smith");
  frame.preparer = "Carl Jones";
  frame.preparedOn = "01/01/2026";
  StartFramedPage(canvas, frame);
  StartFramedPage(canvas, frame);
  EXPECT_EQ(canvas.Pages(), 2);

  // The header: the first line of the page after one new line.
  const double header = 0.5 + kLineHeight;
  const auto line = canvas.Line(2, header);
  ASSERT_EQ(line.size(), 3u);
  EXPECT_EQ(line[0].text, "Prepared On: 01/01/2026");
  EXPECT_DOUBLE_EQ(line[0].x, 0.25);
  EXPECT_EQ(line[1].text, "Annuity Schedule 1");
  EXPECT_TRUE(line[1].font.bold);
  EXPECT_EQ(line[2].text, "Page:  2");
  EXPECT_NEAR(line[2].Right(), 7.9, 1e-12);
  // The footer: the last whole line above the bottom margin (10 inches of lines, 60 of them).
  const double footer = 0.5 + 59 * kLineHeight;
  const auto bottom = canvas.Line(2, footer);
  ASSERT_EQ(bottom.size(), 2u);
  EXPECT_EQ(bottom[0].text, "Prepared For: Ann B. Smith");
  EXPECT_EQ(bottom[1].text, "Prepared By: Carl Jones");
  EXPECT_NEAR(bottom[1].Right(), 7.9, 1e-12);
}

TEST(PageFrame, PreparedForSkipsBlankParts) {
  EXPECT_EQ(PreparedForName("Ann", "B", "Smith"), "Ann B. Smith");
  EXPECT_EQ(PreparedForName("Ann", "   ", "Smith"), "Ann Smith");
  EXPECT_EQ(PreparedForName("Ann", "", ""), "Ann ");
}

TEST(ReportCanvas, LinesLeftAboveTheBottomMargin) {
  TRecordingCanvas canvas(8.5, 11);
  canvas.SetMargins({0.5, 1.0, 0, 0});
  canvas.BeginReport();
  EXPECT_EQ(canvas.LinesLeft(), 57);  // 9.5 inches at 6 lines an inch
  canvas.PrintLn("one");
  EXPECT_EQ(canvas.LinesLeft(), 56);
  canvas.Print("two");  // the current line holds text now
  EXPECT_EQ(canvas.LinesLeft(), 55);
  canvas.NewPage();
  EXPECT_EQ(canvas.LinesLeft(), 57);
  EXPECT_EQ(canvas.PageNumber(), 2);
}

TEST(ReportCanvas, TabsJustifyAndTextGoesOnAlongTheLine) {
  TRecordingCanvas canvas;
  canvas.BeginReport();
  canvas.SetTab(1.0, Justify::Left, 2.0, 0);
  canvas.SetTab(TReportCanvas::kNextPosition, Justify::Center, 2.0, 0);
  canvas.SetTab(TReportCanvas::kNextPosition, Justify::Right, 2.0, 0.1);
  canvas.Print("\ta\tbb");
  canvas.Print("\tccc");  // a line printed without its end goes on to the next stop
  canvas.Print(" d");     // no stop left: after the last text
  const auto line = canvas.Line(1, 0);
  ASSERT_EQ(line.size(), 4u);
  EXPECT_DOUBLE_EQ(line[0].x, 1.0);
  EXPECT_NEAR(line[1].x + line[1].width / 2, 4.0, 1e-12);
  EXPECT_NEAR(line[2].Right(), 6.9, 1e-12);
  EXPECT_NEAR(line[3].x, line[2].Right(), 1e-12);
}

TEST(PrinterFont, ReadsAndWritesThePrinterKey) {
  testing::ShellFixture fixture;
  TFontEx font(fixture.settings);
  EXPECT_EQ(font.Font(), FontSpec{});
  FontSpec chosen{"Liberation Mono", 12, true, false, true, false};
  font.Assign(chosen);
  const std::string key = std::string(kSettingsRootKey) + "\\Printer";
  EXPECT_EQ(fixture.backend.ReadString(key, "Font Name"), "Liberation Mono");
  EXPECT_EQ(fixture.backend.ReadInteger(key, "Font Size"), 12);
  EXPECT_EQ(fixture.backend.ReadBoolean(key, "fsBold"), true);
  EXPECT_EQ(fixture.backend.ReadBoolean(key, "fsUnderline"), true);
  TFontEx again(fixture.settings);
  EXPECT_EQ(again.Font(), chosen);
  // A damaged size reads as the default.
  fixture.settings.SetPrinterFontSize(-4);
  EXPECT_EQ(TFontEx(fixture.settings).Font().size, 10);
}

}  // namespace
}  // namespace quandrel
