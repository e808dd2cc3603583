#pragma once

// The record behind the "Global Settings" dialog: one value per control of
// its three pages, read from the settings store's cached values, filled with
// the publisher's global defaults, checked, and written back through the
// store's setters (each of which writes only a changed value).
//
// Choice values are list positions; -1 is "no selection", which a stored
// position outside its list also reads as, and which OK leaves unstored so a
// damaged value is never replaced by a guess. "Days Per Year?:" is shown as a
// position of its two-item list ("Actual/360", "Actual/365") and stored as
// that position + 3, a rate-basis position.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "core/foundation/choice_lists.h"
#include "core/foundation/settings_store.h"

namespace quandrel {

// The dialog's controls, in page order.
enum class GlobalField : std::uint8_t {
  // Page 1
  AnnualRate,
  Points,
  PointsAre,
  Compounding,
  AmortizingMethod,
  RateBasis,
  USRule,
  DaysPerYear,
  DataPath,
  Preparer,
  DatabasePath,
  PaymentPeriod,
  // Page 2
  LoanAccelerationMethod,
  AccelerationPercentage,
  PricePerUnits,
  InterestRateIs,
  StartingDate,
  TwiceMonthlyDays,
  OddDaysPaidWhen,
  OddDaysCalculation,
  ShortPeriodPaidHow,
  ShortPeriodCalculation,
  PaymentMethod,
  // Page 3
  BusinessUse,
  DepreciationMethod,
  IRSConvention,
  InitialAmount,
  TaxEffect,
  FirstInterestRate,
  SecondInterestRate,
  InterestPointsAre,
  DiscountRate,
  PurchasePrice,
  MarginalTaxRate,
  InflationRate,
};

inline constexpr std::size_t kGlobalFieldCount = static_cast<std::size_t>(GlobalField::InflationRate) + 1;

enum class GlobalFieldKind : std::uint8_t {
  Choice,       // a position of `list`
  DaysPerYear,  // a position of "Actual/360", "Actual/365"
  Integer,      // a whole number from 0 to `upper`
  Real,         // a number under `mask`
  Money,        // an amount under the money mask
  Text,         // at most `maxLength` characters
};

struct GlobalFieldInfo {
  GlobalField id;
  std::string_view name;     // the control's name stem ("PointsAre")
  std::string_view caption;  // the label
  int page;                  // 0, 1 or 2
  GlobalFieldKind kind;
  std::optional<Setting> setting;  // none: shown, never stored
  ChoiceList list = ChoiceList::FalseTrue;
  std::string_view mask = {};
  std::int32_t upper = 0;     // Integer fields
  std::size_t maxLength = 0;  // Text fields
  bool browse = false;        // Text fields with a folder browser
};

// Every control of the dialog, in the order of GlobalField.
std::span<const GlobalFieldInfo> GlobalFields();
const GlobalFieldInfo& GlobalFieldOf(GlobalField field);

// The items a choice control offers (Choice and DaysPerYear fields).
std::span<const std::string_view> GlobalFieldItems(GlobalField field);

// A value the dialog cannot store; names the control so the dialog can focus it.
class EGlobalSettingsInput : public std::runtime_error {
 public:
  EGlobalSettingsInput(GlobalField field, const std::string& message)
      : std::runtime_error(message), m_field(field) {}
  GlobalField Field() const { return m_field; }

 private:
  GlobalField m_field;
};

class TGlobalSettingsRecord {
 public:
  using Value = std::variant<std::int32_t, double, std::string>;

  // Every field at its empty value: 0, no selection, empty text.
  TGlobalSettingsRecord();

  std::int32_t Position(GlobalField field) const;  // Choice, DaysPerYear
  std::int32_t Integer(GlobalField field) const;   // Integer
  double Number(GlobalField field) const;          // Real, Money
  const std::string& Text(GlobalField field) const;
  // Setting a value of the wrong kind throws std::invalid_argument.
  void SetPosition(GlobalField field, std::int32_t position);
  void SetInteger(GlobalField field, std::int32_t value);
  void SetNumber(GlobalField field, double value);
  void SetText(GlobalField field, std::string_view value);

  friend bool operator==(const TGlobalSettingsRecord&, const TGlobalSettingsRecord&) = default;

 private:
  std::array<Value, kGlobalFieldCount> m_values;
};

// The record as the dialog opens: the store's cached values; the fields that
// are not stored start at 0 or with no selection.
TGlobalSettingsRecord ReadGlobalSettings(const TStRegIniEx& settings);

// The publisher's global defaults, as the "Defaults" button shows them.
TGlobalSettingsRecord PublisherGlobalSettings();

// Throws EGlobalSettingsInput for the first value (in page order) that cannot
// be stored: a position outside its list, a negative or too large whole
// number, a number that is not finite, a text longer than its limit (a text
// equal to the stored one is kept whatever its length).
void CheckGlobalSettings(const TGlobalSettingsRecord& record, const TStRegIniEx& settings);

// OK: checks the whole record first, then calls the setter of every stored
// field (fields with no selection are left as stored). Nothing is written
// when a value is refused.
void StoreGlobalSettings(const TGlobalSettingsRecord& record, TStRegIniEx& settings);

}  // namespace quandrel
