#include "core/shell/global_settings_model.h"

#include <cmath>

namespace quandrel {

namespace {

using K = GlobalFieldKind;
using F = GlobalField;
using L = ChoiceList;

constexpr std::string_view kRateMask = "##.####";
constexpr std::string_view kMoneyMask = "$###,###,###.##";

// Choices of "Days Per Year?:": items 3 and 4 of the rate bases.
constexpr std::size_t kDaysPerYearFirst = ratebasis::Actual360;
constexpr std::size_t kDaysPerYearCount = 2;

constexpr GlobalFieldInfo kFields[] = {
    {F::AnnualRate, "AnnualRate", "Annual &Rate? (%):", 0, K::Real, std::nullopt, L::FalseTrue, kRateMask},
    {F::Points, "Points", "Points?:", 0, K::Real, std::nullopt, L::FalseTrue, kRateMask},
    {F::PointsAre, "PointsAre", "Points Are?:", 0, K::Choice, Setting::DefaultPointsAre, L::PointsTimings},
    {F::Compounding, "Compounding", "Compounding Perio&d?:", 0, K::Choice, Setting::DefaultCompounding,
     L::CompoundingPeriods},
    {F::AmortizingMethod, "AmortizingMethod", "Amorti&zing Method?:", 0, K::Choice,
     Setting::DefaultAmortizingMethod, L::AmortizingMethods},
    {F::RateBasis, "RateBasis", "Rate Basis?:", 0, K::Choice, Setting::DefaultRateBasis, L::RateBases},
    {F::USRule, "USRule", "US Rule?:", 0, K::Choice, Setting::DefaultApplyUSRule, L::FalseTrue},
    {F::DaysPerYear, "DaysPerYear", "Days Per Year?:", 0, K::DaysPerYear, Setting::DefaultDaysPerYear,
     L::RateBases},
    {F::DataPath,
     "DataPath",
     "Default Data File Path?:",
     0,
     K::Text,
     Setting::DataPath,
     L::FalseTrue,
     {},
     0,
     255,
     true},
    {F::Preparer, "Preparer", "Prepared By?:", 0, K::Text, Setting::Preparer, L::FalseTrue, {}, 0, 40, false},
    {F::DatabasePath,
     "DatabasePath",
     "Database Path?:",
     0,
     K::Text,
     Setting::DatabasePath,
     L::FalseTrue,
     {},
     0,
     255,
     true},
    {F::PaymentPeriod, "PaymentPeriod", "Payme&nt Period?:", 0, K::Choice, Setting::DefaultPaymentPeriod,
     L::PaymentPeriods},

    {F::LoanAccelerationMethod, "LoanAccelerationMethod", "Loan Acceleration Method?:", 1, K::Choice,
     Setting::DefaultLoanAccelerationMethod, L::LoanAccelerationMethods},
    {F::AccelerationPercentage, "AccelerationPercentage", "Acceleration Percentage? (%):", 1, K::Integer,
     Setting::DefaultAccelerationPercentage, L::FalseTrue, "iii", 999},
    {F::PricePerUnits, "PricePerUnits", "Price is per # of units? (#) :", 1, K::Integer,
     Setting::DefaultPricePerUnits, L::FalseTrue, "iii,iii,iii", 999'999'999},
    {F::InterestRateIs, "InterestRateIs", "Interest Rate Is?:", 1, K::Choice, std::nullopt,
     L::OddDaysCalculations},
    {F::StartingDate, "StartingDate", "Use for Starting Date?:", 1, K::Choice, Setting::DefaultStartingDate,
     L::StartingDateRules},
    {F::TwiceMonthlyDays, "TwiceMonthlyDays", "&Twice monthly payment days?:", 1, K::Choice,
     Setting::DefaultTwiceMonthlyDays, L::TwiceMonthlyDays},
    {F::OddDaysPaidWhen, "OddDaysPaidWhen", "Odd Days Interest Paid When?:", 1, K::Choice,
     Setting::DefaultOddDaysPaidWhen, L::OddDaysPaidWhen},
    {F::OddDaysCalculation, "OddDaysCalculation", "Odd Days Interest Calculation?:", 1, K::Choice,
     Setting::DefaultOddDaysCalculation, L::OddDaysCalculations},
    {F::ShortPeriodPaidHow, "ShortPeriodPaidHow", "Short Period Interest Paid How?:", 1, K::Choice,
     Setting::DefaultShortPeriodPaidHow, L::ShortPeriodPaidHow},
    {F::ShortPeriodCalculation, "ShortPeriodCalculation", "Short Period Interest Calculation?:", 1, K::Choice,
     Setting::DefaultShortPeriodCalculation, L::ShortPeriodCalculations},
    {F::PaymentMethod, "PaymentMethod", "Payment &Method?:", 1, K::Choice, Setting::DefaultPaymentMethod,
     L::PaymentTimings},

    {F::BusinessUse, "BusinessUse", "Business Use Pct?:", 2, K::Integer, Setting::DefaultBusinessUse,
     L::FalseTrue, "iii", 100},
    {F::DepreciationMethod, "DepreciationMethod", "Depreciation Method?:", 2, K::Choice,
     Setting::DefaultDepreciationMethod, L::DepreciationMethods},
    {F::IRSConvention, "IRSConvention", "IRS Convention?:", 2, K::Choice, Setting::DefaultIRSConvention,
     L::IRSConventions},
    {F::InitialAmount, "InitialAmount", "Initial Amount:", 2, K::Money, Setting::DefaultLoanAmount,
     L::FalseTrue, kMoneyMask},
    {F::TaxEffect, "TaxEffect", "Tax Effect?:", 2, K::Choice, Setting::DefaultTaxEffect, L::TaxEffects},
    {F::FirstInterestRate, "FirstInterestRate", "First Interest Rate?:", 2, K::Real,
     Setting::DefaultFirstInterestRate, L::FalseTrue, kRateMask},
    {F::SecondInterestRate, "SecondInterestRate", "Second Interest Rate?:", 2, K::Real,
     Setting::DefaultSecondInterestRate, L::FalseTrue, kRateMask},
    {F::InterestPointsAre, "InterestPointsAre", "Interest  points are?:", 2, K::Choice,
     Setting::DefaultInterestPointsDeductibility, L::Deductibility},
    {F::DiscountRate, "DiscountRate", "Discount rate (%)?:", 2, K::Real, Setting::DefaultDiscountRate,
     L::FalseTrue, kRateMask},
    {F::PurchasePrice, "PurchasePrice", "Purchase Price? :", 2, K::Money, Setting::DefaultPurchasePrice,
     L::FalseTrue, kMoneyMask},
    {F::MarginalTaxRate, "MarginalTaxRate", "&Marginal Tax Rate? (%) :", 2, K::Real,
     Setting::DefaultMarginalTaxRate, L::FalseTrue, kRateMask},
    {F::InflationRate, "InflationRate", "&Inflation Rate? (%) :", 2, K::Real, Setting::DefaultInflationRate,
     L::FalseTrue, kRateMask},
};

static_assert(std::size(kFields) == kGlobalFieldCount);

constexpr bool FieldsInOrder() {
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    if (static_cast<std::size_t>(kFields[i].id) != i) {
      return false;
    }
  }
  return true;
}
static_assert(FieldsInOrder(), "kFields follows the order of GlobalField");

std::size_t Index(GlobalField field) {
  return static_cast<std::size_t>(field);
}

bool IsPositionField(const GlobalFieldInfo& info) {
  return info.kind == K::Choice || info.kind == K::DaysPerYear;
}

bool IsNumberField(const GlobalFieldInfo& info) {
  return info.kind == K::Real || info.kind == K::Money;
}

void Require(bool ok, const GlobalFieldInfo& info, std::string_view kind) {
  if (!ok) {
    throw std::invalid_argument("The global settings field " + std::string(info.name) + " holds no " +
                                std::string(kind) + ".");
  }
}

std::int32_t ItemCount(const GlobalFieldInfo& info) {
  return static_cast<std::int32_t>(GlobalFieldItems(info.id).size());
}

// Characters of a UTF-8 text: every byte that does not continue a sequence.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
      ++count;
    }
  }
  return count;
}

std::string Label(const GlobalFieldInfo& info) {
  std::string label = StripAccelerator(info.caption);
  while (!label.empty() && label.back() == ' ') {
    label.pop_back();
  }
  return "\"" + label + "\"";
}

}  // namespace

std::span<const GlobalFieldInfo> GlobalFields() {
  return kFields;
}

const GlobalFieldInfo& GlobalFieldOf(GlobalField field) {
  return kFields[Index(field)];
}

std::span<const std::string_view> GlobalFieldItems(GlobalField field) {
  const GlobalFieldInfo& info = GlobalFieldOf(field);
  switch (info.kind) {
    case K::Choice:
      return ListTexts(info.list);
    case K::DaysPerYear:
      return ListSlice(ChoiceList::RateBases, kDaysPerYearFirst, kDaysPerYearCount);
    default:
      return {};
  }
}

TGlobalSettingsRecord::TGlobalSettingsRecord() {
  for (const GlobalFieldInfo& info : kFields) {
    Value& value = m_values[Index(info.id)];
    if (IsPositionField(info)) {
      value = std::int32_t{-1};
    } else if (info.kind == K::Integer) {
      value = std::int32_t{0};
    } else if (IsNumberField(info)) {
      value = 0.0;
    } else {
      value = std::string();
    }
  }
}

std::int32_t TGlobalSettingsRecord::Position(GlobalField field) const {
  Require(IsPositionField(GlobalFieldOf(field)), GlobalFieldOf(field), "list position");
  return std::get<std::int32_t>(m_values[Index(field)]);
}

std::int32_t TGlobalSettingsRecord::Integer(GlobalField field) const {
  Require(GlobalFieldOf(field).kind == K::Integer, GlobalFieldOf(field), "whole number");
  return std::get<std::int32_t>(m_values[Index(field)]);
}

double TGlobalSettingsRecord::Number(GlobalField field) const {
  Require(IsNumberField(GlobalFieldOf(field)), GlobalFieldOf(field), "number");
  return std::get<double>(m_values[Index(field)]);
}

const std::string& TGlobalSettingsRecord::Text(GlobalField field) const {
  Require(GlobalFieldOf(field).kind == K::Text, GlobalFieldOf(field), "text");
  return std::get<std::string>(m_values[Index(field)]);
}

void TGlobalSettingsRecord::SetPosition(GlobalField field, std::int32_t position) {
  Require(IsPositionField(GlobalFieldOf(field)), GlobalFieldOf(field), "list position");
  m_values[Index(field)] = position;
}

void TGlobalSettingsRecord::SetInteger(GlobalField field, std::int32_t value) {
  Require(GlobalFieldOf(field).kind == K::Integer, GlobalFieldOf(field), "whole number");
  m_values[Index(field)] = value;
}

void TGlobalSettingsRecord::SetNumber(GlobalField field, double value) {
  Require(IsNumberField(GlobalFieldOf(field)), GlobalFieldOf(field), "number");
  m_values[Index(field)] = value;
}

void TGlobalSettingsRecord::SetText(GlobalField field, std::string_view value) {
  Require(GlobalFieldOf(field).kind == K::Text, GlobalFieldOf(field), "text");
  m_values[Index(field)] = std::string(value);
}

TGlobalSettingsRecord ReadGlobalSettings(const TStRegIniEx& settings) {
  TGlobalSettingsRecord record;
  for (const GlobalFieldInfo& info : kFields) {
    if (!info.setting) {
      continue;
    }
    const Setting setting = *info.setting;
    switch (info.kind) {
      case K::Choice: {
        const std::int32_t stored = settings.Integer(setting);
        record.SetPosition(info.id, stored >= 0 && stored < ItemCount(info) ? stored : -1);
        break;
      }
      case K::DaysPerYear: {
        const std::int32_t stored = settings.Integer(setting);
        const auto first = static_cast<std::int32_t>(kDaysPerYearFirst);
        const std::int32_t position = stored - first;
        record.SetPosition(info.id, stored >= first && position < ItemCount(info) ? position : -1);
        break;
      }
      case K::Integer:
        record.SetInteger(info.id, settings.Integer(setting));
        break;
      case K::Real:
      case K::Money:
        record.SetNumber(info.id, settings.Real(setting));
        break;
      case K::Text:
        record.SetText(info.id, settings.String(setting));
        break;
    }
  }
  return record;
}

TGlobalSettingsRecord PublisherGlobalSettings() {
  TGlobalSettingsRecord record;
  // Every stored field at 0 (or empty) but these.
  for (const GlobalFieldInfo& info : kFields) {
    if (info.setting && IsPositionField(info)) {
      record.SetPosition(info.id, 0);
    }
  }
  record.SetPosition(F::PointsAre, 1);      // "With First"
  record.SetPosition(F::PaymentPeriod, 5);  // "Monthly"
  record.SetPosition(F::Compounding, compounding::Monthly);
  record.SetPosition(F::OddDaysPaidWhen, 1);         // "With Origination"
  record.SetPosition(F::OddDaysCalculation, 2);      // "Simple 360"
  record.SetPosition(F::ShortPeriodPaidHow, 1);      // "Reduce First"
  record.SetPosition(F::ShortPeriodCalculation, 2);  // "Simple 365"
  record.SetPosition(F::DepreciationMethod, 1);      // "200% DB"
  record.SetPosition(F::StartingDate, 2);            // "First this month"
  return record;
}

void CheckGlobalSettings(const TGlobalSettingsRecord& record, const TStRegIniEx& settings) {
  for (const GlobalFieldInfo& info : kFields) {
    switch (info.kind) {
      case K::Choice:
      case K::DaysPerYear: {
        const std::int32_t position = record.Position(info.id);
        if (position < -1 || position >= ItemCount(info)) {
          throw EGlobalSettingsInput(info.id, Label(info) + " has no item " + std::to_string(position) + ".");
        }
        break;
      }
      case K::Integer: {
        const std::int32_t value = record.Integer(info.id);
        if (value < 0 || value > info.upper) {
          throw EGlobalSettingsInput(
              info.id, Label(info) + " must be a whole number from 0 to " + std::to_string(info.upper) + ".");
        }
        break;
      }
      case K::Real:
      case K::Money: {
        const double value = record.Number(info.id);
        if (!std::isfinite(value)) {
          throw EGlobalSettingsInput(info.id, Label(info) + " must be a number.");
        }
        if (info.kind == K::Money && value < 0) {
          throw EGlobalSettingsInput(info.id, Label(info) + " cannot be negative.");
        }
        break;
      }
      case K::Text: {
        const std::string& text = record.Text(info.id);
        const bool unchanged = info.setting && text == settings.String(*info.setting);
        if (!unchanged && CharacterCount(text) > info.maxLength) {
          throw EGlobalSettingsInput(
              info.id, Label(info) + " can hold at most " + std::to_string(info.maxLength) + " characters.");
        }
        break;
      }
    }
  }
}

void StoreGlobalSettings(const TGlobalSettingsRecord& record, TStRegIniEx& settings) {
  CheckGlobalSettings(record, settings);
  for (const GlobalFieldInfo& info : kFields) {
    if (!info.setting) {
      continue;
    }
    const Setting setting = *info.setting;
    switch (info.kind) {
      case K::Choice:
        if (record.Position(info.id) >= 0) {
          settings.SetInteger(setting, record.Position(info.id));
        }
        break;
      case K::DaysPerYear:
        if (record.Position(info.id) >= 0) {
          settings.SetInteger(setting,
                              record.Position(info.id) + static_cast<std::int32_t>(kDaysPerYearFirst));
        }
        break;
      case K::Integer:
        settings.SetInteger(setting, record.Integer(info.id));
        break;
      case K::Real:
      case K::Money:
        settings.SetReal(setting, record.Number(info.id));
        break;
      case K::Text:
        settings.SetString(setting, record.Text(info.id));
        break;
    }
  }
}

}  // namespace quandrel
