#include "core/finance/equivalent_rate_buffer.h"

#include "core/finance/rate_equation.h"
#include "core/foundation/choice_lists.h"

namespace quandrel {
namespace {

namespace f = equivalent_rate_field;

constexpr std::string_view kRateMask = "##.#####";
constexpr ChoiceItems kCompoundingItems{ChoiceList::CompoundingPeriods};
constexpr ChoiceItems kDaysItems{ChoiceList::YearLengths360First};

constexpr FieldSpec Result(std::string_view id, std::string_view caption) {
  return {.id = id,
          .caption = caption,
          .kind = FieldKind::Result,
          .type = FieldType::Double,
          .mask = kRateMask,
          .stored = false};
}

constexpr FieldSpec kFields[] = {
    {.id = f::Nominal,
     .caption = "&Nominal Annual Rate? (%):",
     .type = FieldType::Double,
     .mask = kRateMask,
     .helpContext = 2981},
    {.id = f::Effective,
     .caption = "E&ffective Annual Rate? (%):",
     .type = FieldType::Double,
     .mask = kRateMask,
     .helpContext = 2982},
    {.id = f::Compounding,
     .caption = "Compounding Perio&d?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Monthly,
     .items = kCompoundingItems,
     .helpContext = 13},
    {.id = f::DaysPerYear,
     .caption = "D&ays per Year?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .items = kDaysItems,
     .helpContext = 2983},
    Result(f::DailyRate, "Daily Rate at this Compounding:"),
    Result(f::PeriodicRate, "Periodic Rate at this Compounding:"),
    Result(f::EffectiveAnnual, "Effective Rate at Annual Compounding:"),
    Result(f::EffectiveSemiannual, "Effective Rate 2X Yearly Compounding:"),
    Result(f::EffectiveMonthly, "Effective Rate at Monthly Compounding:"),
    Result(f::EffectiveDaily, "Effective Rate at Daily Compounding:"),
};

// The rate default is kept under the nominal rate's name and applied to no
// field; the two choices are kept under the calculator's own captions.
constexpr FieldSpec kLocalDefaults[] = {
    {.id = f::DefaultRate,
     .caption = "Interest Rate? (%):",
     .type = FieldType::Double,
     .mask = kRateMask,
     .settingsName = "&Nominal Annual Rate? (%):",
     .helpContext = 2984},
    {.id = f::DefaultCompounding,
     .caption = "Compounding Period?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .publisher = compounding::Monthly,
     .settingsName = "Compounding Perio&d?:",
     .items = kCompoundingItems,
     .linked = f::Compounding,
     .helpContext = 13},
    {.id = f::DefaultDaysPerYear,
     .caption = "Days per Year?:",
     .kind = FieldKind::Choice,
     .type = FieldType::Choice,
     .settingsName = "D&ays per Year?:",
     .items = kDaysItems,
     .linked = f::DaysPerYear,
     .helpContext = 2983},
};

// The global days per year is a rate-basis position (Actual/360 or
// Actual/365); this calculator lists "360" and "365".
double DaysFromGlobal(double position) {
  return position == ratebasis::Actual365 ? 1 : 0;
}

constexpr GlobalDefaultSpec kGlobalDefaults[] = {
    {f::Compounding, Setting::DefaultCompounding},
    {f::DaysPerYear, Setting::DefaultDaysPerYear, &DaysFromGlobal},
};

constexpr LineSpec kCopyLines[] = {
    Line("%-40s %16.5n", f::Nominal),          Line("%-40s %16.5n", f::Effective),
    Line("%-40s %16s", f::Compounding),        Line("%-40s %16s\r\n", f::DaysPerYear),
    Line("%-40s %16.5n", f::DailyRate),        Line("%-40s %16.5n", f::PeriodicRate),
    Line("%-40s %16.5n", f::EffectiveAnnual),  Line("%-40s %16.5n", f::EffectiveSemiannual),
    Line("%-40s %16.5n", f::EffectiveMonthly), Line("%-40s %16.5n", f::EffectiveDaily),
};

constexpr LineSpec kReportLines[] = {
    Line("\t%-40s\t%16.4n", f::Nominal),
    Line("\t%-40s\t%16.4n", f::Effective),
    Line("\t%-40s\t%s", f::Compounding),
    Line("\t%-40s\t%s", f::DaysPerYear),
    LineSpec{""},
    LineSpec{""},
    Line("\t%-40s\t%16.4n", f::DailyRate),
    Line("\t%-40s\t%16.4n", f::PeriodicRate),
    Line("\t%-40s\t%16.4n", f::EffectiveAnnual),
    Line("\t%-40s\t%16.4n", f::EffectiveSemiannual),
    Line("\t%-40s\t%16.4n", f::EffectiveMonthly),
    Line("\t%-40s\t%16.4n", f::EffectiveDaily),
};

const CalculatorDefinition kDefinition{
    .title = "Equivalent Rate Calculator",
    .keyName = "Equivalent Rate Calculator",
    .fields = kFields,
    .localDefaults = kLocalDefaults,
    .globalDefaults = kGlobalDefaults,
    .publisherOpenWith = OpenWith::LastEntered,
    .publisherDefaultsFrom = DefaultsFrom::Publisher,
    .copyLines = kCopyLines,
    .reportLines = kReportLines,
    .helpTopic = 298,
    .optionsHelpTopic = 301,
    .pageNote = "Enter either effective or nominal rate. Zero for unknown.",
    .pageNoteAfter = f::DaysPerYear,
};

}  // namespace

const CalculatorDefinition& TbufEquivalentRate::Definition() {
  return kDefinition;
}

TbufEquivalentRate::TbufEquivalentRate(const ModelServices& services)
    : TbufCalculator(kDefinition, services) {}

void TbufEquivalentRate::Calculate() {
  TCalculationRecord& r = Calculation;
  const int c = r.Choice(f::Compounding);
  const int m = PeriodsPerYear(c);                                  // refuses a position outside the list
  const Extended y = YearLength360First(r.Choice(f::DaysPerYear));  // likewise

  Extended nominal = r.Real(f::Nominal) / 100.0L;
  Extended effective = r.Real(f::Effective) / 100.0L;
  if (nominal > 0) {
    effective = TequRate::ConvertFromCompounding(1, m, nominal);
  } else {
    nominal = TequRate::ConvertToCompounding(1, m, effective);
  }

  const bool continuous = c == compounding::Continuous;
  const bool simple = c == compounding::Simple;
  Extended daily = 0;
  Extended periodic = 0;
  if (!continuous) {
    daily = TequRate::ConvertFromCompounding(y, m, nominal) / y;
  }
  if (!continuous && !simple) {
    // The payment period taken equal to the compounding period.
    TequRate rate;
    periodic = rate.PeriodicRate(c, c, ratebasis::Ordinary, nominal);
  }

  // Every result is checked before any is set: a failure leaves the record.
  const double values[] = {
      ResultFor(FieldType::Double, nominal * 100),
      ResultFor(FieldType::Double, effective * 100),
      ResultFor(FieldType::Double, daily * 100),
      ResultFor(FieldType::Double, periodic * 100),
      ResultFor(FieldType::Double, TequRate::ConvertFromCompounding(1, 1, nominal) * 100),
      ResultFor(FieldType::Double, TequRate::ConvertFromCompounding(1, 2, nominal) * 100),
      ResultFor(FieldType::Double, TequRate::ConvertFromCompounding(1, 12, nominal) * 100),
      ResultFor(FieldType::Double, TequRate::ConvertFromCompounding(1, static_cast<int>(y), nominal) * 100),
  };
  const std::string_view targets[] = {f::Nominal,          f::Effective,       f::DailyRate,
                                      f::PeriodicRate,     f::EffectiveAnnual, f::EffectiveSemiannual,
                                      f::EffectiveMonthly, f::EffectiveDaily};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    r.SetReal(targets[i], values[i]);
  }
}

}  // namespace quandrel
