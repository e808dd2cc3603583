#include "core/finance/roi_buffer.h"

namespace quandrel {
namespace {

namespace f = roi_field;

constexpr std::string_view kMoneyMask = "$###,###,###.##";
constexpr std::string_view kDateMask = "mm/dd/yyyy";
constexpr std::string_view kPercentMask = "##,###.#";

constexpr FieldSpec kFields[] = {
    {.id = f::Invested,
     .caption = "Amount &Invested?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .helpContext = 2181},
    {.id = f::StartDate,
     .caption = "&Start Date?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date,
     .helpContext = 2182},
    {.id = f::Returned,
     .caption = "Amount &Returned?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .helpContext = 2183},
    // The publisher's end date is tomorrow.
    {.id = f::EndDate,
     .caption = "End Da&te?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date,
     .publisher = 1,
     .helpContext = 2184},
    {.id = f::Gain,
     .caption = "Gain or Loss:",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
    {.id = f::Percentage,
     .caption = "Percentage Gain or Loss (%):",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kPercentMask,
     .stored = false},
    {.id = f::Annualized,
     .caption = "Annualized Return on Investment (%):",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = kPercentMask,
     .stored = false},
    {.id = f::TotalYears,
     .caption = "Total Years:",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = "##.##",
     .stored = false},
};

constexpr LineSpec kCopyLines[] = {
    Line("%-38s %16.2m", f::Invested),   Line("%-38s %16s", f::StartDate),
    Line("%-38s %16.2m", f::Returned),   Line("%-38s %16s", f::EndDate),
    Line("%-38s %16.2m", f::Gain),       Line("%-38s %16.1n", f::Percentage),
    Line("%-38s %16.1n", f::Annualized), Line("%-38s %16f", f::TotalYears),
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-38s\t%16.2m", f::Invested),   Line("\t%-38s\t%16s", f::StartDate),
    Line("\t%-38s\t%16.2m", f::Returned),   Line("\t%-38s\t%16s", f::EndDate),
    Line("\t%-38s\t%16.2m", f::Gain),       Line("\t%-38s\t%16.1n", f::Percentage),
    Line("\t%-38s\t%16.1n", f::Annualized), Line("\t%-38s\t%16.2f", f::TotalYears),
};

// No local or global defaults: the Options page keeps only the opening rule.
const CalculatorDefinition kDefinition{
    .title = "Return on Investment (ROI)",
    .keyName = "Return on Investment (ROI)",
    .fields = kFields,
    .localDefaults = {},
    .globalDefaults = {},
    .publisherOpenWith = OpenWith::LastEntered,
    .publisherDefaultsFrom = DefaultsFrom::Publisher,
    .copyLines = kCopyLines,
    .reportLines = kReportLines,
    .helpTopic = 218,
};

}  // namespace

const CalculatorDefinition& TbufROI::Definition() {
  return kDefinition;
}

TbufROI::TbufROI(const ModelServices& services) : TbufCalculator(kDefinition, services) {}

void TbufROI::Calculate() {
  TCalculationRecord& r = Calculation;
  m_roi.SetInputs(r.Date(f::StartDate), r.Date(f::EndDate), r.Real(f::Returned), r.Real(f::Invested));
  m_roi.Calculate();
  // Every result is checked before any is set: a failure leaves the record.
  const double gain = ResultFor(FieldType::Double, m_roi.Gain);
  const double percentage = ResultFor(FieldType::Double, m_roi.ROI);
  const double annualized = ResultFor(FieldType::Single, m_roi.AnnualizedROI);
  const double years = ResultFor(FieldType::Single, m_roi.TermYears);
  r.SetReal(f::Gain, gain);
  r.SetReal(f::Percentage, percentage);
  r.SetReal(f::Annualized, annualized);
  r.SetReal(f::TotalYears, years);
}

}  // namespace quandrel
