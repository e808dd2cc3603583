#include "core/finance/npv_buffer.h"

#include "core/finance/cash_flow_files.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/text_format.h"

namespace quandrel {
namespace {

namespace f = npv_field;
namespace o = cash_flow_option;

constexpr std::string_view kMoneyMask = "$###,###,###.##";
constexpr std::string_view kRateMask = "#,###.####";
constexpr std::string_view kDateMask = "mm/dd/yyyy";
constexpr ChoiceItems kPaymentItems{ChoiceList::PaymentPeriods};
constexpr int kMonthly = 5;  // payment-period position
constexpr IntegerRange kPeriodsRange{0, kMaxTotalPeriods};
constexpr IntegerRange kFlagRange{0, 1};

constexpr FieldSpec kFields[] = {
    {.id = f::InitialAmount,
     .caption = "&Initial Amount?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money},
    {.id = f::DiscountRate, .caption = "Discount &Rate? (%):", .type = FieldType::Single, .mask = kRateMask},
    {.id = f::TotalPeriods,
     .caption = "&Total Periods? (#):",
     .type = FieldType::Int32,
     .mask = "##,###",
     .publisher = 48,
     .range = kPeriodsRange},
    {.id = f::InitialDate,
     .caption = "Initial &Date?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date},
    {.id = f::PaymentPeriod,
     .caption = "Payme&nt Period?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = kMonthly,
     .items = kPaymentItems},
    {.id = f::NetPresentValue,
     .caption = "Net Present Value:",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = "###,###,###.##",
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
     .caption = "Net Cash Flow:",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
};

constexpr FieldSpec kLocalDefaults[] = {
    {.id = "DefaultDiscountRate",
     .caption = "Discount &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .linked = f::DiscountRate},
    {.id = "DefaultPaymentPeriod",
     .caption = "Payme&nt Period?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = kMonthly,
     .settingsName = "P&eriodic Cash Flow?:",
     .items = kPaymentItems,
     .linked = f::PaymentPeriod},
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
    {f::PaymentPeriod, Setting::DefaultPaymentPeriod},
    {f::DiscountRate, Setting::DefaultDiscountRate},
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-24s\t%16.2m", f::InitialAmount), Line("\t%-24s\t%16.3n", f::DiscountRate),
    Line("\t%-24s\t%16d", f::TotalPeriods),    Line("\t%-24s\t%16s", f::InitialDate),
    Line("\t%-24s\t%16s", f::PaymentPeriod),   Line("\t%-24s\t%16.2m", f::NetPresentValue),
    Line("\t%-24s\t%16.2m", f::TotalInvested), Line("\t%-24s\t%16.2m", f::TotalReturn),
    Line("\t%-24s\t%16.2m", f::NetCashFlow),
};

const CalculatorDefinition kDefinition{
    .title = "Net Present Value Calculator",
    .keyName = "Net Present Value Calculator",
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

const CashFlowFieldIds kIds{f::InitialAmount, f::TotalPeriods, f::InitialDate, f::PaymentPeriod,
                            "Initial Amount"};
const CashFlowFileSpec kFile{"npv", "Last.npv", "npv", "Net Present Value (*.npv)", "Net Present (*.npv)"};

}  // namespace

const CalculatorDefinition& TbufNPV::Definition() {
  return kDefinition;
}

TbufNPV::TbufNPV(const ModelServices& services) : TbufCashFlows(kDefinition, services, kIds, kFile) {}

bool TbufNPV::TabMovesCellToCell() const {
  return Services().settings.NpvTabCellToCell();
}

void TbufNPV::SetTabMovesCellToCell(bool on) {
  Services().settings.SetNpvTabCellToCell(on);
}

void TbufNPV::Calculate() {
  PrepareCalculation();
  TCalculationRecord& r = Calculation;
  const TCashFlowSummary summary = SummarizeCashFlows(CashFlows());
  // The totals are shown whether or not the NPV can be found.
  r.SetReal(f::TotalInvested, summary.outflows.ToDouble());
  r.SetReal(f::TotalReturn, summary.inflows.ToDouble());
  r.SetReal(f::NetCashFlow, summary.net.ToDouble());
  r.SetReal(f::NetPresentValue, 0);
  const Extended rate = static_cast<Extended>(r.Real(f::DiscountRate)) / 100;
  if (UseExactDays()) {
    m_npv.SetDated(CashFlows(), static_cast<double>(rate));
  } else {
    const int perYear = PaymentsPerYear(r.Choice(f::PaymentPeriod));
    const Extended periodic = TequRate::ConvertToCompounding(1, perYear, rate) / perYear;
    m_npv.SetPeriodic(CashFlows(), 1.0, static_cast<double>(periodic));
  }
  m_npv.Calculate();
  r.SetReal(f::NetPresentValue, ResultFor(FieldType::Double, m_npv.NPV));
}

std::string TbufNPV::CopyText() const {
  const TCalculationRecord& r = Calculation;
  const LocaleFacts& facts = Services().facts;
  const auto label = [&r](std::string_view id) { return StripAccelerator(r.Captions[r.IndexOf(id)]); };
  std::string text = Title() + "\r\n\r\n";
  const auto add = [&text](const std::string& line) { text += line + "\r\n"; };
  add(FormatLine("%-30s %17.2m", {label(f::InitialAmount), r.Real(f::InitialAmount)}, facts));
  add(FormatLine("%-31s %16.3n", {label(f::DiscountRate), r.Real(f::DiscountRate)}, facts));
  add(FormatLine("%-31s %16d", {label(f::TotalPeriods), r.Integer(f::TotalPeriods)}, facts));
  add(FormatLine("%-31s %16s", {label(f::InitialDate), ShortDateText(r.Date(f::InitialDate))}, facts));
  add(FormatLine("%-31s %16s\r\n\r\n", {label(f::PaymentPeriod), r.ChoiceText(f::PaymentPeriod)}, facts));
  for (std::size_t k = 1; k < CashFlows().size(); ++k) {
    const TCashFlow& flow = CashFlows()[k];
    add(FormatLine("%-30s %17.2m", {ShortDateText(flow.date), flow.amount}, facts));
  }
  add(FormatLine("\r\n%-30s %17.2m", {label(f::NetPresentValue), r.Real(f::NetPresentValue)}, facts));
  for (const std::string_view id : {f::TotalInvested, f::TotalReturn, f::NetCashFlow}) {
    add(FormatLine("%-30s %17.2m", {label(id), r.Real(id)}, facts));
  }
  return text;
}

std::vector<std::string> TbufNPV::ReportLines() const {
  return TbufCalculator::ReportLines();
}

void TbufNPV::PrintReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth) const {
  PrintCalculatorReport(canvas, font, paperWidth, Title(), ReportLines());
  canvas.NewLine();
  canvas.NewLine();
  PrintFlowTable(canvas, paperWidth);
}

std::vector<std::uint8_t> TbufNPV::FileBytes() const {
  const TCalculationRecord& r = Calculation;
  TNpvFileImage image;
  image.frequency = r.Choice(f::PaymentPeriod);
  image.initialDate = r.Date(f::InitialDate);
  image.totalPeriods = r.Integer(f::TotalPeriods);
  image.discountRate = static_cast<float>(r.Real(f::DiscountRate));
  image.initialAmount = r.Real(f::InitialAmount);
  image.npv = r.Real(f::NetPresentValue);
  image.outflows = r.Real(f::TotalInvested);
  image.inflows = r.Real(f::TotalReturn);
  image.net = r.Real(f::NetCashFlow);
  image.flows = CashFlows();
  return WriteNpvFile(image);
}

void TbufNPV::TakeFile(std::span<const std::uint8_t> bytes) {
  TNpvFileImage image = ParseNpvFile(bytes);
  TCalculationRecord loaded = Calculation;
  loaded.SetChoice(f::PaymentPeriod, image.frequency);
  loaded.SetDate(f::InitialDate, image.initialDate);
  loaded.SetInteger(f::TotalPeriods, image.totalPeriods);
  loaded.SetReal(f::DiscountRate, static_cast<double>(image.discountRate));
  loaded.SetReal(f::InitialAmount, image.initialAmount);
  loaded.SetReal(f::NetPresentValue, image.npv);
  loaded.SetReal(f::TotalInvested, image.outflows);
  loaded.SetReal(f::TotalReturn, image.inflows);
  loaded.SetReal(f::NetCashFlow, image.net);
  TakeLoadedList(std::move(image.flows));
  Calculation = std::move(loaded);
}

}  // namespace quandrel
