#pragma once

// Copy and report lines declared as data: a pattern of the text-format
// engine and the fields whose labels and values fill it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/foundation/locale_facts.h"
#include "core/foundation/masks.h"
#include "core/shell/calculation_record.h"

namespace quandrel {

struct LineArg {
  enum class Source : std::uint8_t { Label, Value };
  Source source = Source::Value;
  std::string_view field{};
};

constexpr LineArg Label(std::string_view field) {
  return {LineArg::Source::Label, field};
}
constexpr LineArg Value(std::string_view field) {
  return {LineArg::Source::Value, field};
}

struct LineSpec {
  std::string_view pattern{};
  std::array<LineArg, 4> args{};
  std::size_t argCount = 0;
};

// A line of a label and a value of one field: Line("%-34s %16.2m", "Amount").
constexpr LineSpec Line(std::string_view pattern, std::string_view field) {
  return {pattern, {Label(field), Value(field)}, 2};
}
constexpr LineSpec Line(std::string_view pattern, LineArg a) {
  return {pattern, {a}, 1};
}
constexpr LineSpec Line(std::string_view pattern, LineArg a, LineArg b) {
  return {pattern, {a, b}, 2};
}
constexpr LineSpec Line(std::string_view pattern, LineArg a, LineArg b, LineArg c) {
  return {pattern, {a, b, c}, 3};
}
constexpr LineSpec Line(std::string_view pattern, LineArg a, LineArg b, LineArg c, LineArg d) {
  return {pattern, {a, b, c, d}, 4};
}

// Fills one line. A label is the field's copy label (its caption as shown,
// without the accelerator); a value is a real for real fields, an integer for
// integer fields (a real when the pattern writes it with a real conversion:
// "%16.0n"), the date text for dates, the item text for choices and the text
// itself for texts and weekday names.
std::string BuildLine(const LineSpec& line, const TCalculationRecord& record, const TMasks& masks,
                      const LocaleFacts& facts);

}  // namespace quandrel
