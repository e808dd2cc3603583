#include "core/finance/pv_amount_buffer.h"

#include <cmath>
#include <stdexcept>

#include "core/finance/finance_exception.h"
#include "core/finance/rate_equation.h"
#include "core/finance/value_equations.h"
#include "core/foundation/choice_lists.h"
#include "core/foundation/date_arithmetic.h"
#include "core/shell/linked_days.h"

namespace quandrel {
namespace {

namespace f = pv_amount_field;

constexpr std::string_view kMoneyMask = "$###,###,###.##";
constexpr std::string_view kDateMask = "mm/dd/yyyy";
constexpr std::string_view kRateMask = "##.####";
constexpr ChoiceItems kCompoundingItems{ChoiceList::CompoundingPeriods};
// "Actual/360" and "Actual/365": the calculator stores its own position 0 or 1.
constexpr ChoiceItems kBasisItems{ChoiceList::RateBases, 3, 2};

constexpr FieldSpec kFields[] = {
    {.id = f::FutureValue,
     .caption = "&Future Value?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .helpContext = 2151},
    {.id = f::Days,
     .caption = "Number of Days? (#):",
     .type = FieldType::Int32,
     .mask = "ii,iii",
     .helpContext = 2152,
     .range = kPVAmountDaysRange},
    {.id = f::PresentDate,
     .caption = "Present Value Date?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date,
     .helpContext = 2153},
    // The publisher's future value date is tomorrow.
    {.id = f::FutureDate,
     .caption = "Future Value Date?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date,
     .publisher = 1,
     .helpContext = 2154},
    {.id = f::Rate,
     .caption = "Annual Discount &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .helpContext = 2155},
    {.id = f::Compounding,
     .caption = "Compounding Frequency?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Every4Weeks,
     .items = kCompoundingItems,
     .helpContext = 13},
    {.id = f::RateBasis,
     .caption = "Rate &Basis?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .items = kBasisItems,
     .helpContext = 45},
    {.id = f::PresentValue,
     .caption = "Present Value:",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
    {.id = f::TotalYears,
     .caption = "Total Years:",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = "##.##",
     .stored = false},
};

constexpr FieldSpec kLocalDefaults[] = {
    {.id = f::DefaultCompounding,
     .caption = "Compounding Frequency?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Every4Weeks,
     .items = kCompoundingItems,
     .linked = f::Compounding,
     .helpContext = 13},
    {.id = f::DefaultRate,
     .caption = "Annual Discount &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .linked = f::Rate,
     .helpContext = 2155},
};

constexpr GlobalDefaultSpec kGlobalDefaults[] = {
    {f::Compounding, Setting::DefaultCompounding},
    {f::Rate, Setting::DefaultAnnualRate},
};

constexpr LineSpec kCopyLines[] = {
    Line("%-24s %16.2m", f::FutureValue), Line("%-24s %16.0n", f::Days),
    Line("%-24s %16s", f::PresentDate),   Line("%-24s %16s", f::FutureDate),
    Line("%-24s %16s", f::Compounding),   Line("%-24s %16s", f::RateBasis),
    Line("%-28s %12.4f", f::Rate),        Line("%-24s %16.2m", f::PresentValue),
    Line("%-24s %16f", f::TotalYears),
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-24s\t%16.2m", f::FutureValue), Line("\t%-24s\t%16.0n", f::Days),
    Line("\t%-24s\t%16s", f::PresentDate),   Line("\t%-24s\t%16s", f::FutureDate),
    Line("\t%-24s\t%s", f::Compounding),     Line("\t%-24s\t%s", f::RateBasis),
    Line("\t%-28s\t%12.4f", f::Rate),        Line("\t%-24s\t%16.2m", f::PresentValue),
    Line("\t%-24s\t%16f", f::TotalYears),
};

const CalculatorDefinition kDefinition{
    .title = "Present Value of an Amount Calculator",
    .keyName = "Present Value of an Amount Calculator",
    .fields = kFields,
    .localDefaults = kLocalDefaults,
    .globalDefaults = kGlobalDefaults,
    .publisherOpenWith = OpenWith::LastEntered,
    .publisherDefaultsFrom = DefaultsFrom::Publisher,
    .copyLines = kCopyLines,
    .reportLines = kReportLines,
    .helpTopic = 215,
    .optionsHelpTopic = 301,
    .pageNote = "Enter either dates or number of days.",
    .pageNoteAfter = f::FutureDate,
};

}  // namespace

const CalculatorDefinition& TbufPVAmount::Definition() {
  return kDefinition;
}

TbufPVAmount::TbufPVAmount(const ModelServices& services) : TbufCalculator(kDefinition, services) {}

void TbufPVAmount::Calculate() {
  TCalculationRecord& r = Calculation;
  const Extended fv = r.Real(f::FutureValue);
  const std::int32_t d = r.Integer(f::Days);
  const Extended rate = r.Real(f::Rate) / 100.0L;
  const int c = r.Choice(f::Compounding);
  const int basis = r.Choice(f::RateBasis);
  const int m = PeriodsPerYear(c);  // refuses a position outside the list
  if (basis < 0 || basis > 1) {
    throw std::out_of_range("Rate basis position " + std::to_string(basis) + " is out of range.");
  }
  if (std::fabs(fv) < 0.0001L) {
    RaiseFinanceError(406);
  }
  if (!kPVAmountDaysRange.Holds(d)) {
    RaiseFinanceError(428);
  }
  if (std::fabs(rate * 100) < 0.0001L || d == 0) {
    r.SetReal(f::PresentValue, ResultFor(FieldType::Double, fv));
    return;  // the total years keep their value
  }
  const Extended y = basis == 0 ? 360 : 365;
  const bool continuous = c == compounding::Continuous;
  const bool simple = c == compounding::Simple;
  Extended pv = 0;
  if (continuous) {
    pv = TequPV::ContinuousPV(fv, rate, d / y);
  } else {
    // The rate as its daily-compounded (365 a year) equivalent.
    const Extended daily = simple ? rate : TequRate::ConvertFromCompounding(365, m, rate);
    pv = TequPV::LumpSumPV(d, simple, fv, daily / y);
  }
  const double present = ResultFor(FieldType::Double, pv);
  const double years = ResultFor(FieldType::Single, d / 365.0L);
  r.SetReal(f::PresentValue, present);
  r.SetReal(f::TotalYears, years);
}

bool TbufPVAmount::DaysChanged() {
  return MoveDateByDays(Calculation, {f::Days, f::PresentDate, f::FutureDate});
}

void TbufPVAmount::DateChanged() {
  const LinkedDays link{f::Days, f::PresentDate, f::FutureDate};
  if (const auto span = SpanOfDates(Calculation, link); span && !kPVAmountDaysRange.Holds(*span)) {
    RaiseFinanceError(428);
  }
  SetDaysFromDates(Calculation, link);
}

}  // namespace quandrel
