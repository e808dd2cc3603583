#include "core/foundation/masks.h"

#include <array>
#include <utility>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/text_format.h"

namespace quandrel {
namespace {

std::string Digits(int value, int minDigits) {
  std::string text = std::to_string(value);
  while (static_cast<int>(text.size()) < minDigits)
    text.insert(text.begin(), '0');
  return text;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDirectionMark(std::string_view text, std::size_t i, std::size_t& length) {
  // U+200E, U+200F (E2 80 8E/8F) and U+061C (D8 9C).
  if (text.substr(i, 3) == "\xE2\x80\x8E" || text.substr(i, 3) == "\xE2\x80\x8F") {
    length = 3;
    return true;
  }
  if (text.substr(i, 2) == "\xD8\x9C") {
    length = 2;
    return true;
  }
  return false;
}

}  // namespace

TMasks::TMasks(const LocaleFacts& facts)
    : Country(facts.countryCode),
      CurrencyMask(CurrencyMaskForCountry(facts.countryCode)),
      DatePicture(facts.shortDatePicture) {}

std::optional<std::string> TMasks::ReplacementMask(MaskedField field, bool calculatorReplaces) const {
  if (Country == 1)
    return std::nullopt;
  if (!IsAlwaysReplaced(field) && !calculatorReplaces)
    return std::nullopt;
  switch (field) {
    case MaskedField::Money:
      return CurrencyMask;
    case MaskedField::Date:
      return DatePicture;
    case MaskedField::Rate:
      return RateMask;
    case MaskedField::Count:
      return CountMask;
    case MaskedField::LongMoney:
      return LongMoneyMask;
    case MaskedField::LongDecimal:
      return LongDecimalMask;
  }
  return std::nullopt;
}

std::string TMasks::DateText(DayNumber day) const {
  return quandrel::DateText(DatePicture, day);
}

bool IsAlwaysReplaced(MaskedField field) {
  return field == MaskedField::Money || field == MaskedField::Date;
}

std::string CurrencyMaskForCountry(std::uint16_t country) {
  switch (country) {
    case 31:
      return "c###,###,###.##";
    case 32:
    case 33:
    case 34:
    case 49:
    case 351:
    case 358:
      return "##,###,###.##CC";
    case 39:
      return "CC##,###,###.##";
    case 41:
      return "CCCC###,###.##";
    case 43:
      return "C###,###,###.##";
    case 45:
    case 47:
    case 55:
      return "CCC#,###,###.##";
    case 46:
    case 354:
      return "#,###,###.##CCC";
    default:
      return std::string(kDesignedMoneyMask);
  }
}

std::string DatePictureFromLocalePattern(std::string_view pattern) {
  const std::string fallback(kDesignedDatePicture);
  // Fields and the separators between them, in order.
  std::string fields;                     // 'd', 'm', 'y' in order
  std::array<std::string, 4> separators;  // separators[k] precedes field k
  std::string pending;                    // text since the last field
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    std::size_t markLength = 0;
    if (IsDirectionMark(pattern, i, markLength)) {
      i += markLength;
      continue;
    }
    if (c == '\'') {  // quoted literal text: dropped
      ++i;
      while (i < pattern.size()) {
        if (pattern[i] == '\'') {
          if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
            i += 2;
            continue;
          }
          break;
        }
        ++i;
      }
      ++i;
      continue;
    }
    const char lower = Lower(c);
    if (lower >= 'a' && lower <= 'z') {
      std::size_t run = 0;
      while (i < pattern.size() && pattern[i] == c) {
        ++run;
        ++i;
      }
      char field = 0;
      if (lower == 'y')
        field = 'y';
      if (lower == 'm')
        field = 'm';
      if (lower == 'd' && run <= 2)
        field = 'd';
      if (field == 0)
        continue;  // weekday names, eras and other letters
      if (fields.find(field) != std::string::npos || fields.size() >= 3)
        return fallback;
      separators[fields.size()] = fields.empty() ? std::string() : pending;
      fields.push_back(field);
      pending.clear();
      continue;
    }
    pending.push_back(c);
    ++i;
  }
  if (fields.size() != 3)
    return fallback;

  // compact: a separator loses its blanks; one of blanks only keeps one.
  const auto build = [&](bool compact) {
    std::string picture;
    for (std::size_t k = 0; k < fields.size(); ++k) {
      std::string separator;
      for (char s : separators[k]) {
        if (!compact || s != ' ')
          separator.push_back(s);
      }
      if (compact && separator.empty() && !separators[k].empty())
        separator = " ";
      picture += separator;
      picture += fields[k] == 'y' ? "yyyy" : std::string(2, fields[k]);
    }
    return picture;
  };
  std::string picture = build(false);
  if (CharacterCount(picture) > 10)
    picture = build(true);
  if (CharacterCount(picture) > 10)
    return fallback;
  return picture;
}

std::string DateText(std::string_view picture, DayNumber day) {
  const DayMonthYear dmy = DMYFromDate(day);
  if (!dmy.IsValid())
    return {};
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = Lower(picture[i]);
    if (c != 'd' && c != 'm' && c != 'y') {
      out.push_back(picture[i++]);
      continue;
    }
    std::size_t run = 0;
    while (i < picture.size() && Lower(picture[i]) == c) {
      ++run;
      ++i;
    }
    if (c == 'y') {
      out += run == 2 ? Digits(dmy.year % 100, 2) : Digits(dmy.year, 4);
    } else {
      out += Digits(c == 'd' ? dmy.day : dmy.month, run >= 2 ? 2 : 1);
    }
  }
  return out;
}

}  // namespace quandrel
