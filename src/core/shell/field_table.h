#pragma once

// A calculator's fields, declared once as data. The same table drives the
// window transfer, the settings values, the copy and report labels and the
// command-line runner.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/foundation/choice_lists.h"
#include "core/foundation/masks.h"
#include "core/foundation/settings_store.h"

namespace quandrel {

enum class FieldKind : std::uint8_t {
  Input,    // typed by the user
  Result,   // computed, read-only
  Choice,   // a drop-down list; the value is the position
  Weekday,  // the weekday name shown beside a date field (display only)
};

enum class FieldType : std::uint8_t {
  Double,  // 8-byte real
  Single,  // 4-byte real: values are rounded through float when set
  Int32,
  Date,  // day number
  Text,
  Choice,  // position in the field's items
};

// The values an integer field can hold (a 16-bit count, say). Typed values
// outside it are refused, and a stored one fails the load.
struct IntegerRange {
  std::int32_t low = std::numeric_limits<std::int32_t>::min();
  std::int32_t high = std::numeric_limits<std::int32_t>::max();
  constexpr bool Holds(std::int64_t value) const { return value >= low && value <= high; }
};
inline constexpr IntegerRange kInt16Range{-32768, 32767};

// The items a choice shows: a contiguous slice of a list.
struct ChoiceItems {
  ChoiceList list = ChoiceList::NoYes;
  std::size_t first = 0;
  std::size_t count = std::numeric_limits<std::size_t>::max();  // to the end of the list
};

struct FieldSpec {
  // The code's name of the field ("Amount"); stable, also used by the
  // command-line runner.
  std::string_view id{};
  // The label caption as shown, accelerator "&" included; empty for a
  // weekday field.
  std::string_view caption{};
  FieldKind kind = FieldKind::Input;
  FieldType type = FieldType::Double;
  // The designed (United States) mask, and the kind of mask the locale may
  // replace it with.
  std::string_view mask{};
  std::optional<MaskedField> maskKind{};
  // The publisher's value (numbers and choice positions); a date takes today
  // plus this many days.
  double publisher = 0;
  // The settings value name when it is not the caption, and whether the
  // value is stored with the last calculation at all.
  std::string_view settingsName{};
  bool stored = true;
  // The label of copy and report lines when it is not the caption without
  // its accelerator.
  std::string_view copyLabel{};
  ChoiceItems items{};
  // For a weekday field: the id of its date field. For a local default: the
  // id of the calculation field it defaults.
  std::string_view linked{};
  int helpContext = 0;
  // The first year of the two-digit-year window of a date field.
  int twoDigitYearWindow = 1980;
  // The values an integer field can hold.
  IntegerRange range{};

  std::string_view SettingsName() const { return settingsName.empty() ? caption : settingsName; }
  std::string CopyLabel() const {
    return copyLabel.empty() ? StripAccelerator(caption) : std::string(copyLabel);
  }
  bool IsNumber() const { return type == FieldType::Double || type == FieldType::Single; }
};

// The items of a choice field.
std::span<const std::string_view> ItemsOf(const FieldSpec& field);

// How a global default reaches a calculation field: the setting, and an
// optional mapping of the stored number onto the field's value.
struct GlobalDefaultSpec {
  std::string_view target{};
  Setting setting{};
  double (*map)(double) = nullptr;
};

// The index of a field in a table; std::logic_error for an unknown id.
std::size_t IndexOfField(std::span<const FieldSpec> fields, std::string_view id);

}  // namespace quandrel
