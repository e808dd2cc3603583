#include "core/finance/irr_buffer.h"

#include "core/finance/cash_flow_files.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/text_format.h"

namespace quandrel {
namespace {

namespace f = irr_field;
namespace o = cash_flow_option;

constexpr std::string_view kMoneyMask = "$###,###,###.##";
constexpr std::string_view kDateMask = "mm/dd/yyyy";
constexpr std::string_view kNetCashFlowCaption = "Net Cash Flow:";
constexpr ChoiceItems kPaymentItems{ChoiceList::PaymentPeriods};
constexpr int kMonthly = 5;  // payment-period position
constexpr IntegerRange kPeriodsRange{0, kMaxTotalPeriods};
constexpr IntegerRange kFlagRange{0, 1};

constexpr FieldSpec kFields[] = {
    {.id = f::InitialInvestment,
     .caption = "&Initial Investment?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money},
    {.id = f::TotalPeriods,
     .caption = "&Total Periods? (#):",
     .type = FieldType::Int32,
     .mask = "##,###",
     .publisher = 48,
     .range = kPeriodsRange},
    {.id = f::InitialDate,
     .caption = "Initial Investment &Date?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date},
    {.id = f::CashFlowFrequency,
     .caption = "Periodic Cash &Flow?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = kMonthly,
     .items = kPaymentItems},
    {.id = f::Guess, .caption = "Estimated IRR (guess)?:", .type = FieldType::Double, .mask = "###.###"},
    {.id = f::IRR,
     .caption = "Internal Rate of Return (IRR) (%):",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = "###,###,###.###",
     .stored = false},
    {.id = f::TotalInvested,
     .caption = "Total Invested (-outflows):",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
    {.id = f::TotalReturn,
     .caption = "Total Return (+inflows):",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
    {.id = f::NetCashFlow,
     .caption = kNetCashFlowCaption,
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
};

constexpr FieldSpec kLocalDefaults[] = {
    {.id = "DefaultCashFlowFrequency",
     .caption = "Periodic Cash &Flow?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = kMonthly,
     .items = kPaymentItems,
     .linked = f::CashFlowFrequency},
    {.id = o::UseExactDays,
     .caption = "Use exact day calculation method?",
     .type = FieldType::Int32,
     .publisher = 1,
     .range = kFlagRange},
    {.id = o::CopyPriorCell,
     .caption = "If cell is 0, copy value from prior cell?",
     .type = FieldType::Int32,
     .range = kFlagRange},
};

constexpr GlobalDefaultSpec kGlobalDefaults[] = {
    {f::CashFlowFrequency, Setting::DefaultPaymentPeriod},
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-24s\t%16.2m", f::InitialInvestment),
    Line("\t%-24s\t%16d", f::TotalPeriods),
    Line("\t%-24s\t%16s", f::InitialDate),
    Line("\t%-24s\t%16s", f::CashFlowFrequency),
    Line("\t%-24s\t%16.4n", f::IRR),
    Line("\t%-24s\t%16.2m", f::TotalInvested),
    Line("\t%-24s\t%16.2m", f::TotalReturn),
    Line("\t%-24s\t%16.2m", f::NetCashFlow),
};

const CalculatorDefinition kDefinition{
    .title = "Internal Rate of Return Calculator",
    .keyName = "Internal Rate of Return Calculator",
    .fields = kFields,
    .localDefaults = kLocalDefaults,
    .globalDefaults = kGlobalDefaults,
    .publisherOpenWith = OpenWith::LastEntered,
    .publisherDefaultsFrom = DefaultsFrom::Publisher,
    .copyLines = {},
    .reportLines = kReportLines,
    .helpTopic = 254,
    .optionsHelpTopic = 301,
};

const CashFlowFieldIds kIds{f::InitialInvestment, f::TotalPeriods, f::InitialDate, f::CashFlowFrequency,
                            "Periodic Cash Flow"};
const CashFlowFileSpec kFile{"irr", "Last.irr", "irr", "IRR (*.irr)", "IRR (*.irr)"};

}  // namespace

const CalculatorDefinition& TbufIRR::Definition() {
  return kDefinition;
}

TbufIRR::TbufIRR(const ModelServices& services) : TbufCashFlows(kDefinition, services, kIds, kFile) {}

bool TbufIRR::TabMovesCellToCell() const {
  return Services().settings.IrrTabCellToCell();
}

void TbufIRR::SetTabMovesCellToCell(bool on) {
  Services().settings.SetIrrTabCellToCell(on);
}

std::string TbufIRR::SpanCaption(double spanYears) const {
  return "Net Cash Flow Over " + FormatLine("%1.3g", {spanYears}, Services().facts) +
         (spanYears > 1 ? " Years:" : " Year:");
}

void TbufIRR::Calculate() {
  PrepareCalculation();
  TCalculationRecord& r = Calculation;
  const TCashFlowSummary summary = SummarizeCashFlows(CashFlows());
  // The totals and the span are shown whether or not the IRR can be found.
  r.SetReal(f::TotalInvested, summary.outflows.ToDouble());
  r.SetReal(f::TotalReturn, summary.inflows.ToDouble());
  r.SetReal(f::NetCashFlow, summary.net.ToDouble());
  r.Captions[r.IndexOf(f::NetCashFlow)] = SpanCaption(summary.spanYears);
  r.SetReal(f::IRR, 0);
  m_irr.SetInputs(PaymentsPerYear(r.Choice(f::CashFlowFrequency)), CashFlows(), true, 1.0, r.Real(f::Guess));
  m_irr.Calculate();
  r.SetReal(f::IRR, ResultFor(FieldType::Double, m_irr.IRR));
}

std::string TbufIRR::CopyText() const {
  const TCalculationRecord& r = Calculation;
  const LocaleFacts& facts = Services().facts;
  const TMasks& masks = Services().masks;
  const auto label = [&r](std::string_view id) { return StripAccelerator(r.Captions[r.IndexOf(id)]); };
  std::string text = Title() + "\r\n\r\n";
  const auto add = [&text](const std::string& line) { text += line + "\r\n"; };
  add(FormatLine("%-24s %16.2m", {label(f::InitialInvestment), r.Real(f::InitialInvestment)}, facts));
  add(FormatLine("%-24s %16d", {label(f::TotalPeriods), r.Integer(f::TotalPeriods)}, facts));
  add(FormatLine("%-28s %12s", {label(f::InitialDate), masks.DateText(r.Date(f::InitialDate))}, facts));
  add(FormatLine("%-24s %16s", {label(f::CashFlowFrequency), r.ChoiceText(f::CashFlowFrequency)}, facts));
  add(FormatLine("%-24s %16.2n\r\n\r\n", {label(f::Guess), r.Real(f::Guess)}, facts));
  for (std::size_t k = 1; k < CashFlows().size(); ++k) {
    const TCashFlow& flow = CashFlows()[k];
    add(FormatLine("%-24s %16.2f", {masks.DateText(flow.date), flow.amount}, facts));
  }
  add(FormatLine("\r\n%-37s %10.4n", {label(f::IRR), r.Real(f::IRR)}, facts));
  for (const std::string_view id : {f::TotalInvested, f::TotalReturn, f::NetCashFlow}) {
    add(FormatLine("%-30s %17.2m", {label(id), r.Real(id)}, facts));
  }
  return text;
}

std::vector<std::string> TbufIRR::ReportLines() const {
  return TbufCalculator::ReportLines();
}

void TbufIRR::PrintReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth) const {
  PrintCalculatorReport(canvas, font, paperWidth, Title(), ReportLines());
  canvas.NewLine();
  canvas.NewLine();
  PrintFlowTable(canvas, paperWidth);
}

std::vector<std::uint8_t> TbufIRR::FileBytes() const {
  const TCalculationRecord& r = Calculation;
  TIrrFileImage image;
  image.initialInvestment = r.Real(f::InitialInvestment);
  image.totalPeriods = r.Integer(f::TotalPeriods);
  image.irr = r.Real(f::IRR);
  image.initialDate = r.Date(f::InitialDate);
  image.frequency = r.Choice(f::CashFlowFrequency);
  image.guess = r.Real(f::Guess);
  image.outflows = r.Real(f::TotalInvested);
  image.inflows = r.Real(f::TotalReturn);
  image.net = r.Real(f::NetCashFlow);
  image.flows = CashFlows();
  return WriteIrrFile(image);
}

void TbufIRR::TakeFile(std::span<const std::uint8_t> bytes) {
  TIrrFileImage image = ParseIrrFile(bytes);
  TCalculationRecord loaded = Calculation;
  loaded.SetReal(f::InitialInvestment, image.initialInvestment);
  loaded.SetInteger(f::TotalPeriods, image.totalPeriods);
  loaded.SetReal(f::IRR, image.irr);
  loaded.SetDate(f::InitialDate, image.initialDate);
  loaded.SetChoice(f::CashFlowFrequency, image.frequency);
  loaded.SetReal(f::Guess, image.guess);
  loaded.SetReal(f::TotalInvested, image.outflows);
  loaded.SetReal(f::TotalReturn, image.inflows);
  loaded.SetReal(f::NetCashFlow, image.net);
  // The span of the loaded flows names the net cash flow, as after a Calc.
  loaded.Captions[loaded.IndexOf(f::NetCashFlow)] =
      image.irr != 0 ? SpanCaption(SummarizeCashFlows(image.flows).spanYears)
                     : std::string(kNetCashFlowCaption);
  TakeLoadedList(std::move(image.flows));
  Calculation = std::move(loaded);
}

}  // namespace quandrel
