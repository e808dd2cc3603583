#include "core/cli/value_parse.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/cli/label_match.h"
#include "core/cli/usage_error.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/mask_format.h"

namespace quandrel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a run of 1..maxDigits digits at text[pos]; advances pos.
std::optional<int> ReadDigits(std::string_view text, std::size_t& pos, std::size_t minDigits,
                              std::size_t maxDigits) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos]) && pos - start < maxDigits) {
    ++pos;
  }
  if (pos - start < minDigits || (pos < text.size() && IsDigit(text[pos]))) {
    return std::nullopt;
  }
  int value = 0;
  std::from_chars(text.data() + start, text.data() + pos, value);
  return value;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

std::optional<DayNumber> DateOf(int day, int month, int year) {
  if (year < 1600 || year > 3999 || !IsValidDate(day, month, year)) {
    return std::nullopt;
  }
  return DateFromDMY(day, month, year);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string ItemList(std::span<const std::string_view> items) {
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) {
    list += (i == 0 ? "" : ", ") + std::to_string(i) + " \"" + std::string(items[i]) + "\"";
  }
  return list;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

std::optional<double> ParsePlainNumber(std::string_view text) {
  text = Trimmed(text);
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
    body.remove_prefix(1);
  }
  bool digit = false;
  bool point = false;
  for (const char c : body) {
    if (IsDigit(c)) {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) {
    return std::nullopt;
  }
  const std::string_view number = text.front() == '+' ? text.substr(1) : text;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value == 0 ? 0.0 : value;  // no negative zero
}

std::optional<DayNumber> ParseCommandLineDate(std::string_view text) {
  text = Trimmed(text);
  std::size_t pos = 0;
  if (text.size() >= 5 && text[4] == '-') {
    const auto year = ReadDigits(text, pos, 4, 4);
    if (!year || !Expect(text, pos, '-')) {
      return std::nullopt;
    }
    const auto month = ReadDigits(text, pos, 1, 2);
    if (!month || !Expect(text, pos, '-')) {
      return std::nullopt;
    }
    const auto day = ReadDigits(text, pos, 1, 2);
    if (!day || pos != text.size()) {
      return std::nullopt;
    }
    return DateOf(*day, *month, *year);
  }
  const auto month = ReadDigits(text, pos, 1, 2);
  if (!month || !Expect(text, pos, '/')) {
    return std::nullopt;
  }
  const auto day = ReadDigits(text, pos, 1, 2);
  if (!day || !Expect(text, pos, '/')) {
    return std::nullopt;
  }
  const auto year = ReadDigits(text, pos, 4, 4);
  if (!year || pos != text.size()) {
    return std::nullopt;
  }
  return DateOf(*day, *month, *year);
}

std::string IsoDateText(DayNumber day) {
  if (!IsValidDate(day)) {
    return {};
  }
  const DayMonthYear dmy = DMYFromDate(day);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", dmy.year, dmy.month, dmy.day);
  return buffer;
}

bool IsCheckBox(const FieldSpec& field) {
  return field.type == FieldType::Choice &&
         (field.items.list == ChoiceList::NoYes || field.items.list == ChoiceList::FalseTrue) &&
         ItemsOf(field).size() == 2 && field.items.first == 0;
}

std::int32_t ParseChoice(std::span<const std::string_view> items, bool checkBox, std::string_view text) {
  const std::string_view typed = Trimmed(text);
  if (checkBox) {
    const std::string word = NormalizeLabel(typed);
    if (word == "yes" || word == "true") {
      return 1;
    }
    if (word == "no" || word == "false") {
      return 0;
    }
    throw EUsageError(Quoted(typed) + " is not Yes or No");
  }
  // The item text: exactly (case aside), then ignoring blanks and punctuation.
  const std::string normalized = NormalizeLabel(typed);
  int found = -1;
  int count = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!normalized.empty() && NormalizeLabel(items[i]) == normalized) {
      if (found < 0 || items[i] == typed) {
        found = static_cast<int>(i);
      }
      ++count;
    }
  }
  if (count == 1 || (count > 1 && items[static_cast<std::size_t>(found)] == typed)) {
    return found;
  }
  if (count > 1) {
    throw EUsageError(Quoted(typed) +
                      " matches more than one item; type the item exactly or give its position (" +
                      ItemList(items) + ")");
  }
  // A zero-based position.
  std::size_t position = 0;
  const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), position);
  if (!typed.empty() && error == std::errc{} && end == typed.data() + typed.size()) {
    if (position < items.size()) {
      return static_cast<std::int32_t>(position);
    }
    throw EUsageError("position " + std::string(typed) + " is outside the items (0 to " +
                      std::to_string(items.size() - 1) + ": " + ItemList(items) + ")");
  }
  throw EUsageError(Quoted(typed) + " is none of the items (" + ItemList(items) + ")");
}

std::string CheckAgainstMask(std::string_view typed, double value, std::string_view mask) {
  if (mask.empty()) {
    return {};
  }
  NumberMask facts;
  try {
    facts = ParseNumberMask(mask);
  } catch (const std::invalid_argument&) {
    return {};  // not a number mask: nothing to check
  }
  typed = Trimmed(typed);
  if (!typed.empty() && (typed.front() == '+' || typed.front() == '-')) {
    typed.remove_prefix(1);
  }
  const std::size_t point = typed.find('.');
  std::string_view whole = typed.substr(0, point);
  std::string_view decimals = point == std::string_view::npos ? std::string_view{} : typed.substr(point + 1);
  while (!whole.empty() && whole.front() == '0') {
    whole.remove_prefix(1);
  }
  while (!decimals.empty() && decimals.back() == '0') {
    decimals.remove_suffix(1);
  }
  if (value < 0 && !facts.signAllowed) {
    return "the field holds no negative values";
  }
  if (whole.size() > static_cast<std::size_t>(facts.wholeDigits)) {
    return "the field holds at most " + std::to_string(facts.wholeDigits) + " whole digits";
  }
  if (decimals.size() > static_cast<std::size_t>(facts.decimals)) {
    return facts.decimals == 0 ? "the field holds whole numbers only"
                               : "the field holds at most " + std::to_string(facts.decimals) + " decimals";
  }
  return {};
}

FieldValue ParseFieldValue(const FieldSpec& field, std::string_view text) {
  FieldValue value;
  switch (field.type) {
    case FieldType::Double:
    case FieldType::Single:
    case FieldType::Int32: {
      const auto number = ParsePlainNumber(text);
      if (!number) {
        throw EUsageError(Quoted(text) +
                          " is not a plain number (digits with an optional sign and point, such as " +
                          std::string(field.type == FieldType::Int32 ? "-30" : "1234.56") + ")");
      }
      const std::string misfit = CheckAgainstMask(text, *number, field.mask);
      if (!misfit.empty()) {
        throw EUsageError(Quoted(text) + " does not fit: " + misfit + " (" + Quoted(field.mask) + ")");
      }
      if (field.type == FieldType::Int32) {
        if (*number != std::floor(*number)) {
          throw EUsageError(Quoted(text) + " is not a whole number");
        }
        if (!field.range.Holds(static_cast<std::int64_t>(std::fmax(std::fmin(*number, 4e18), -4e18)))) {
          throw EUsageError(Quoted(text) + " is outside " + std::to_string(field.range.low) + " to " +
                            std::to_string(field.range.high));
        }
        value.integer = static_cast<std::int32_t>(*number);
      } else {
        const double kept = KeptAs(field.type, *number);
        if (!std::isfinite(kept)) {
          throw EUsageError(Quoted(text) + " is too large for the field");
        }
        value.number = kept;
      }
      return value;
    }
    case FieldType::Date: {
      const auto day = ParseCommandLineDate(text);
      if (!day) {
        throw EUsageError(Quoted(text) +
                          " is not a date of the calendar written yyyy-mm-dd or mm/dd/yyyy (1600 to 3999)");
      }
      value.integer = *day;
      return value;
    }
    case FieldType::Choice:
      value.integer = ParseChoice(ItemsOf(field), IsCheckBox(field), text);
      return value;
    case FieldType::Text:
      value.text = std::string(text);
      return value;
  }
  return value;
}

}  // namespace quandrel
