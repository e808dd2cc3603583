#include "core/finance/pmt_req_buffer.h"

#include <stdexcept>

#include "core/finance/finance_exception.h"
#include "core/foundation/choice_lists.h"

namespace quandrel {
namespace {

namespace f = pmt_req_field;

constexpr std::string_view kMoneyMask = "$###,###,###.##";
constexpr std::string_view kRateMask = "##.####";
constexpr ChoiceItems kPaymentItems{ChoiceList::PaymentPeriods};
// "Continuous" and the payment periods: the compounding list without Simple,
// so a position here is a compounding position.
constexpr ChoiceItems kCompoundingItems{ChoiceList::CompoundingPeriods, 0, 11};
constexpr int kMonthlyPayment = compounding::Monthly - 1;

constexpr FieldSpec Money(std::string_view id, std::string_view caption) {
  return {.id = id,
          .caption = caption,
          .kind = FieldKind::Result,
          .type = FieldType::Double,
          .mask = kMoneyMask,
          .maskKind = MaskedField::Money,
          .stored = false};
}

constexpr FieldSpec kFields[] = {
    {.id = f::FutureValue,
     .caption = "&Future Value?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .helpContext = 2191},
    {.id = f::TotalPeriods,
     .caption = "&Total Periods? (#):",
     .type = FieldType::Int32,
     .mask = "ii,iii",
     .helpContext = 2192,
     .range = kInt16Range},
    {.id = f::PaymentPeriod,
     .caption = "Payme&nt Period?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = kMonthlyPayment,
     .items = kPaymentItems,
     .helpContext = 2193},
    {.id = f::Compounding,
     .caption = "Compounding Perio&d?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Monthly,
     .items = kCompoundingItems,
     .helpContext = 2194},
    {.id = f::Rate,
     .caption = "Annual &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .helpContext = 81},
    Money(f::Payment, "Required Payment :"),
    Money(f::TotalInvested, "Total Invested:"),
    Money(f::Gain, "Gain:"),
    {.id = f::TotalYears,
     .caption = "Total Years:",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = "##.###",
     .stored = false},
    {.id = f::YearsToDouble,
     .caption = "Years To Double: ",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = "##.##",
     .stored = false},
};

constexpr FieldSpec kLocalDefaults[] = {
    {.id = f::DefaultCompounding,
     .caption = "Compounding Perio&d?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Monthly,
     .items = kCompoundingItems,
     .linked = f::Compounding,
     .helpContext = 2194},
    {.id = f::DefaultPaymentPeriod,
     .caption = "Payme&nt Period?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = kMonthlyPayment,
     .items = kPaymentItems,
     .linked = f::PaymentPeriod,
     .helpContext = 2193},
    {.id = f::DefaultRate,
     .caption = "Annual &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .linked = f::Rate,
     .helpContext = 81},
};

// A global "Simple" has no place in this list and leaves the field as it is.
constexpr GlobalDefaultSpec kGlobalDefaults[] = {
    {f::Compounding, Setting::DefaultCompounding},
    {f::PaymentPeriod, Setting::DefaultPaymentPeriod},
    {f::Rate, Setting::DefaultAnnualRate},
};

constexpr LineSpec kCopyLines[] = {
    Line("%-24s %16.2m", f::FutureValue),
    Line("%-24s %16d", f::TotalPeriods),
    Line("%-24s %16s", f::PaymentPeriod),
    Line("%-24s %16s", f::Compounding),
    Line("%-24s %16f", f::Rate),
    Line("%-24s %16.2m", f::Payment),
    Line("%-24s %16.2m", f::TotalInvested),
    Line("%-24s %16.2m", f::Gain),
    Line("%-24s %16f", f::TotalYears),
    Line("%-24s %16f", f::YearsToDouble),
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-24s\t%16.2m", f::FutureValue),
    Line("\t%-24s\t%16d", f::TotalPeriods),
    Line("\t%-24s\t%s", f::PaymentPeriod),
    Line("\t%-24s\t%s", f::Compounding),
    Line("\t%-24s\t%16f", f::Rate),
    Line("\t%-24s\t%16.2m", f::Payment),
    Line("\t%-24s\t%16.2m", f::TotalInvested),
    Line("\t%-24s\t%16.2m", f::Gain),
    Line("\t%-24s\t%16f", f::TotalYears),
    Line("\t%-24s\t%16f", f::YearsToDouble),
};

const CalculatorDefinition kDefinition{
    .title = "Payment Required Calculator",
    .keyName = "Payment Required Calculator",
    .fields = kFields,
    .localDefaults = kLocalDefaults,
    .globalDefaults = kGlobalDefaults,
    .publisherOpenWith = OpenWith::LastEntered,
    .publisherDefaultsFrom = DefaultsFrom::Publisher,
    .copyLines = kCopyLines,
    .reportLines = kReportLines,
    .helpTopic = 219,
    .optionsHelpTopic = 301,
};

// The positions name list items; a damaged one is refused, never indexed.
std::uint8_t CheckedPosition(const TCalculationRecord& r, std::string_view id) {
  const std::int32_t position = r.Choice(id);
  if (position < 0 || static_cast<std::size_t>(position) >= ItemsOf(r.Spec(id)).size()) {
    throw std::out_of_range("Position " + std::to_string(position) + " of \"" + std::string(id) +
                            "\" is out of range.");
  }
  return static_cast<std::uint8_t>(position);
}

}  // namespace

const CalculatorDefinition& TbufPmtReq::Definition() {
  return kDefinition;
}

TbufPmtReq::TbufPmtReq(const ModelServices& services) : TbufCalculator(kDefinition, services) {}

void TbufPmtReq::Calculate() {
  TCalculationRecord& r = Calculation;
  const std::uint8_t payment = CheckedPosition(r, f::PaymentPeriod);
  const std::uint8_t compounding = CheckedPosition(r, f::Compounding);
  Currency target;
  try {
    target = Currency::FromDouble(r.Real(f::FutureValue));
  } catch (const std::range_error&) {
    RaiseFinanceError(427);
  }
  m_pmt.Timing = 0;  // deposits at the end of each period
  m_pmt.RateBasis = ratebasis::Ordinary;
  m_pmt.SetInputs(r.Integer(f::TotalPeriods), static_cast<std::uint8_t>(payment + 1), compounding,
                  r.Real(f::Rate), target);
  m_pmt.Calculate();
  // Every result is checked before any is set: a failure leaves the record.
  const double required = ResultFor(FieldType::Double, m_pmt.RequiredDeposit.ToExtended());
  const double invested = ResultFor(FieldType::Double, m_pmt.TotalDeposits.ToExtended());
  const double gain = ResultFor(FieldType::Double, m_pmt.InterestEarned.ToExtended());
  const double years = ResultFor(FieldType::Single, m_pmt.TermYears);
  const double doubling = ResultFor(FieldType::Single, m_pmt.DoublingYears);
  r.SetReal(f::Payment, required);
  r.SetReal(f::TotalInvested, invested);
  r.SetReal(f::Gain, gain);
  r.SetReal(f::TotalYears, years);
  r.SetReal(f::YearsToDouble, doubling);
}

}  // namespace quandrel
