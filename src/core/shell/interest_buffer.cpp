#include "core/shell/interest_buffer.h"

#include <cstdlib>

#include "core/foundation/date_arithmetic.h"
#include "core/shell/linked_days.h"

namespace quandrel {
namespace {

namespace f = interest_field;

constexpr std::string_view kMoneyMask = "$###,###,###.##";
constexpr std::string_view kRateMask = "##.####";
constexpr std::string_view kDateMask = "mm/dd/yyyy";
constexpr ChoiceItems kCompoundingItems{ChoiceList::CompoundingPeriods};
// "Actual/360" and "Actual/365": the calculator stores its own position 0 or 1.
constexpr ChoiceItems kBasisItems{ChoiceList::RateBases, 3, 2};

constexpr FieldSpec kFields[] = {
    {.id = f::Amount,
     .caption = "&Amount?:",
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .helpContext = 6},
    {.id = f::Days,
     .caption = "&Number of Days? (#):",
     .type = FieldType::Int32,
     .mask = "iii,iii",
     .helpContext = 39},
    {.id = f::Rate,
     .caption = "Annual &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .helpContext = 81},
    {.id = f::StartDay,
     .kind = FieldKind::Weekday,
     .type = FieldType::Text,
     .settingsName = "Start Day",
     .linked = f::StartDate},
    {.id = f::StartDate,
     .caption = "&Start Date?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date,
     .helpContext = 41,
     .twoDigitYearWindow = 1950},
    {.id = f::EndDay,
     .kind = FieldKind::Weekday,
     .type = FieldType::Text,
     .settingsName = "End Day",
     .linked = f::EndDate},
    {.id = f::EndDate,
     .caption = "End Da&te?:",
     .type = FieldType::Date,
     .mask = kDateMask,
     .maskKind = MaskedField::Date,
     .helpContext = 42},
    {.id = f::Compounding,
     .caption = "Compounding Perio&d?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Monthly,
     .items = kCompoundingItems,
     .helpContext = 13},
    {.id = f::RateBasis,
     .caption = "Rate &Basis?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .items = kBasisItems,
     .helpContext = 45},
    {.id = f::Interest,
     .caption = "Interest for Term:",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
    {.id = f::FutureValue,
     .caption = "Future Value:",
     .kind = FieldKind::Result,
     .type = FieldType::Double,
     .mask = kMoneyMask,
     .maskKind = MaskedField::Money,
     .stored = false},
    {.id = f::APY,
     .caption = "Annual Percentage Yield (APY):",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = kRateMask,
     .stored = false},
    {.id = f::DailyRate,
     .caption = "Daily Periodic Rate:",
     .kind = FieldKind::Result,
     .type = FieldType::Single,
     .mask = "##.#########",
     .stored = false},
};

constexpr FieldSpec kLocalDefaults[] = {
    {.id = "DefaultAnnualRate",
     .caption = "Annual &Rate? (%):",
     .type = FieldType::Single,
     .mask = kRateMask,
     .linked = f::Rate,
     .helpContext = 81},
    {.id = "DefaultCompounding",
     .caption = "Compounding Perio&d?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Every4Weeks,
     .items = kCompoundingItems,
     .linked = f::Compounding,
     .helpContext = 13},
    {.id = "DefaultRateBasis",
     .caption = "Rate &Basis?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .items = kBasisItems,
     .linked = f::RateBasis,
     .helpContext = 45},
};

// The global rate basis is a position in the whole list; this calculator
// offers only the two Actual bases.
double BasisFromGlobal(double position) {
  return position == ratebasis::Actual365 ? 1 : 0;
}

constexpr GlobalDefaultSpec kGlobalDefaults[] = {
    {f::Compounding, Setting::DefaultCompounding},
    {f::Rate, Setting::DefaultAnnualRate},
    {f::RateBasis, Setting::DefaultRateBasis, &BasisFromGlobal},
};

constexpr LineSpec kCopyLines[] = {
    Line("%-34s %16.2m", f::Amount),
    Line("%-34s %16d", f::Days),
    Line("%-34s %16.4n", f::Rate),
    Line("%-24s %15s %10s", Label(f::StartDate), Value(f::StartDay), Value(f::StartDate)),
    Line("%-24s %15s %10s", Label(f::EndDate), Value(f::EndDay), Value(f::EndDate)),
    Line("%-34s %16s", f::Compounding),
    Line("%-34s %16s", f::RateBasis),
    Line("%-34s %16.2m", f::Interest),
    Line("%-34s %16.2m", f::FutureValue),
    Line("%-34s %16.4n", f::APY),
    Line("%-34s %16.6n", f::DailyRate),
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-34s\t%16.2m", f::Amount),
    Line("\t%-34s\t%16d", f::Days),
    Line("\t%-34s\t%16.4n", f::Rate),
    Line("\t%-25s %10s\t%10s", Label(f::StartDate), Value(f::StartDay), Value(f::StartDate)),
    Line("\t%-25s %10s\t%10s", Label(f::EndDate), Value(f::EndDay), Value(f::EndDate)),
    Line("\t%-34s\t%s", f::Compounding),
    Line("\t%-34s\t%s", f::RateBasis),
    Line("\t%-34s\t%16.2m", f::Interest),
    Line("\t%-34s\t%16.2m", f::FutureValue),
    Line("\t%-34s\t%16.4n", f::APY),
    Line("\t%-34s\t%16.6n", f::DailyRate),
};

const CalculatorDefinition kDefinition{
    .title = "Compound/Simple Interest Calculator",
    .keyName = "Compound/Simple Interest Calculator",
    .fields = kFields,
    .localDefaults = kLocalDefaults,
    .globalDefaults = kGlobalDefaults,
    .publisherOpenWith = OpenWith::LastEntered,
    .publisherDefaultsFrom = DefaultsFrom::Publisher,
    .copyLines = kCopyLines,
    .reportLines = kReportLines,
    .helpTopic = 50,
};

}  // namespace

const CalculatorDefinition& TbufInterest::Definition() {
  return kDefinition;
}

TbufInterest::TbufInterest(const ModelServices& services) : TbufCalculator(kDefinition, services) {}

void TbufInterest::Calculate() {
  TCalculationRecord& r = Calculation;
  const Extended pv = r.Real(f::Amount);
  const std::int32_t n = r.Integer(f::Days);
  const Extended rate = r.Real(f::Rate);
  const int c = r.Choice(f::Compounding);
  const int basis = r.Choice(f::RateBasis);
  if (basis < 0 || basis > 1) {
    throw std::out_of_range("Rate basis position " + std::to_string(basis) + " is out of range.");
  }
  const int m = PeriodsPerYear(c);  // refuses a position outside the list
  const Extended y = basis == 0 ? 360 : 365;

  const bool continuous = c == compounding::Continuous;
  const bool simple = c == compounding::Simple;
  const Extended nominal =
      continuous || simple ? rate / 100 : TequRate::ConvertFromCompounding(365, m, rate / 100);
  Extended fv = 0;
  if (continuous) {
    fv = m_fv.ContinuousFV(pv, n / y, nominal);
  } else {
    fv = m_fv.LumpSumFV(n, simple, pv, nominal / y);
  }

  Extended apy = 0;
  m_fv.YearDays = 365;
  m_fv.TermDays = n;
  if (n > 0 && pv > 0) {
    apy = m_fv.AnnualPercentageYield();
  }
  Extended daily = 0;
  if (simple) {
    daily = rate / y;
  } else if (pv > 0 && n > 0) {
    daily = m_fv.Interest / pv / n * 100;
  }

  // Every result is checked before any is set: a failure leaves the record.
  const double interest = ResultFor(FieldType::Double, m_fv.Interest);
  const double future = ResultFor(FieldType::Double, fv);
  const double yield = ResultFor(FieldType::Single, apy);
  const double dailyRate = ResultFor(FieldType::Single, daily);
  r.SetReal(f::Interest, interest);
  r.SetReal(f::FutureValue, future);
  r.SetReal(f::APY, yield);
  r.SetReal(f::DailyRate, dailyRate);
}

bool TbufInterest::DaysChanged() {
  return MoveDateByDays(Calculation, {f::Days, f::StartDate, f::EndDate});
}

void TbufInterest::DateChanged() {
  SetDaysFromDates(Calculation, {f::Days, f::StartDate, f::EndDate});
}

}  // namespace quandrel
