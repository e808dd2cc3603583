#include "core/foundation/mask_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/text_format.h"

namespace quandrel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of a blank at position i (space, tab, no-break space U+00A0,
// narrow no-break space U+202F), or 0.
std::size_t BlankAt(std::string_view text, std::size_t i) {
  if (text[i] == ' ' || text[i] == '\t')
    return 1;
  if (text.substr(i, 2) == "\xC2\xA0")
    return 2;
  if (text.substr(i, 3) == "\xE2\x80\xAF")
    return 3;
  return 0;
}

bool IsBlankText(std::string_view text) {
  if (text.empty())
    return false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = BlankAt(text, i);
    if (n == 0)
      return false;
    i += n;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty()) {
    const std::size_t n = BlankAt(text, 0);
    if (n == 0)
      break;
    text.remove_prefix(n);
  }
  while (!text.empty()) {
    bool trimmed = false;
    for (std::size_t n : {std::size_t{1}, std::size_t{2}, std::size_t{3}}) {
      if (text.size() >= n && BlankAt(text, text.size() - n) == n) {
        text.remove_suffix(n);
        trimmed = true;
        break;
      }
    }
    if (!trimmed)
      break;
  }
  return text;
}

bool StartsWith(std::string_view text, std::size_t i, std::string_view prefix) {
  return !prefix.empty() && text.substr(i, prefix.size()) == prefix;
}

// The length of a minus sign at position i ("-" or U+2212), or 0.
std::size_t MinusAt(std::string_view text, std::size_t i) {
  if (text[i] == '-')
    return 1;
  if (text.substr(i, 3) == "\xE2\x88\x92")
    return 3;
  return 0;
}

MaskedInputState Worse(MaskedInputState a, MaskedInputState b) {
  return static_cast<int>(a) < static_cast<int>(b) ? a : b;
}

// The reading of a number text: its state, and its sign and digits when the
// state is Acceptable.
struct NumberReading {
  MaskedInputState state = MaskedInputState::Acceptable;
  bool negative = false;
  std::string whole;
  std::string fraction;
};

// Reads the number body that starts at `i` (digits with separators) and
// moves `i` past it.
void ReadBody(std::string_view text, std::size_t& i, const NumberMask& mask, const LocaleFacts& facts,
              NumberReading& r) {
  const std::string_view decimal = facts.decimalSeparator;
  const std::string_view thousands = facts.thousandsSeparator;
  const bool blankThousands = IsBlankText(thousands);
  std::vector<std::size_t> groups{0};  // whole digits between thousands separators
  bool hasSeparator = false;
  bool inFraction = false;
  while (i < text.size()) {
    const char c = text[i];
    if (IsDigit(c)) {
      if (inFraction) {
        r.fraction.push_back(c);
      } else {
        r.whole.push_back(c);
        ++groups.back();
      }
      ++i;
      continue;
    }
    if (StartsWith(text, i, decimal)) {
      if (inFraction || mask.IsInteger()) {
        r.state = MaskedInputState::Invalid;
        return;
      }
      inFraction = true;
      i += decimal.size();
      continue;
    }
    // A thousands separator; where it is a blank, any blank between whole
    // digits counts as one.
    std::size_t separatorLength = StartsWith(text, i, thousands) ? thousands.size() : 0;
    if (separatorLength == 0 && blankThousands && !inFraction) {
      const std::size_t blank = BlankAt(text, i);
      if (blank != 0 && i + blank < text.size() && IsDigit(text[i + blank]))
        separatorLength = blank;
    }
    if (separatorLength != 0 && !inFraction) {
      if (!mask.grouping) {
        r.state = MaskedInputState::Invalid;
        return;
      }
      hasSeparator = true;
      groups.push_back(0);
      i += separatorLength;
      continue;
    }
    break;
  }

  // Leading zeros do not use up whole digit places.
  const std::size_t firstSignificant = r.whole.find_first_not_of('0');
  const std::size_t significant =
      firstSignificant == std::string::npos ? 0 : r.whole.size() - firstSignificant;
  if (significant > static_cast<std::size_t>(mask.wholeDigits) ||
      r.fraction.size() > static_cast<std::size_t>(mask.decimals)) {
    r.state = MaskedInputState::Invalid;
    return;
  }
  if (r.whole.empty() && r.fraction.empty()) {
    r.state = Worse(r.state, MaskedInputState::Intermediate);  // "." alone
    return;
  }
  if (hasSeparator) {
    bool placed = groups.front() >= 1 && groups.front() <= 3;
    for (std::size_t g = 1; g < groups.size(); ++g)
      placed = placed && groups[g] == 3;
    if (!placed)
      r.state = Worse(r.state, MaskedInputState::Intermediate);
  }
}

NumberReading ReadNumber(std::string_view input, const NumberMask& mask, const LocaleFacts& facts) {
  NumberReading r;
  const std::string_view text = TrimBlanks(input);
  if (text.empty())
    return r;  // zero

  const std::string_view symbol = facts.currencySymbol;
  bool hasBody = false;
  bool bodyEnded = false;
  bool hasSymbol = false;
  bool open = false;
  bool closed = false;
  int signs = 0;
  bool textAfterClose = false;
  const auto fail = [&r]() {
    r.state = MaskedInputState::Invalid;
    return r;
  };

  std::size_t i = 0;
  while (i < text.size()) {
    if (closed)
      textAfterClose = true;
    if (const std::size_t blank = BlankAt(text, i); blank != 0) {
      i += blank;
      continue;
    }
    if (mask.IsMoney() && StartsWith(text, i, symbol)) {
      if (hasSymbol)
        return fail();
      hasSymbol = true;
      i += symbol.size();
      continue;
    }
    if (mask.IsMoney() && !symbol.empty() && symbol.substr(0, text.size() - i) == text.substr(i)) {
      // The start of the symbol at the end of the text, typed so far.
      if (hasSymbol)
        return fail();
      r.state = Worse(r.state, MaskedInputState::Intermediate);
      break;
    }
    const char c = text[i];
    if (const std::size_t minus = MinusAt(text, i); minus != 0 || c == '+') {
      if (!mask.signAllowed && minus != 0)
        return fail();
      if (c == '+' && hasBody)
        return fail();
      if (++signs > 1 || open)
        return fail();
      r.negative = minus != 0;
      i += minus != 0 ? minus : 1;
      if (hasBody)
        bodyEnded = true;
      continue;
    }
    if (c == '(') {
      if (!mask.signAllowed || i != 0)
        return fail();
      open = true;
      r.negative = true;
      ++i;
      continue;
    }
    if (c == ')') {
      if (!mask.signAllowed || closed || signs > 0)
        return fail();
      closed = true;
      ++i;
      continue;
    }
    const bool bodyStart = IsDigit(c) || StartsWith(text, i, facts.decimalSeparator) ||
                           (mask.grouping && StartsWith(text, i, facts.thousandsSeparator));
    if (!bodyStart)
      return fail();
    if (hasBody || bodyEnded)
      return fail();
    hasBody = true;
    ReadBody(text, i, mask, facts, r);
    if (r.state == MaskedInputState::Invalid)
      return r;
  }

  if (textAfterClose)
    return fail();
  if (signs > 0 && (open || closed))
    return fail();
  if (!hasBody || open != closed)
    r.state = Worse(r.state, MaskedInputState::Intermediate);
  return r;
}

// Facts for writing money under a mask: the mask decides the symbol's side,
// the locale whether a blank divides it from the number.
LocaleFacts MoneyFactsForMask(const NumberMask& mask, const LocaleFacts& facts) {
  LocaleFacts moneyFacts = facts;
  const bool spaced = facts.currencyPosition == CurrencyPosition::BeforeWithSpace ||
                      facts.currencyPosition == CurrencyPosition::AfterWithSpace;
  if (mask.currency == MaskCurrency::Before)
    moneyFacts.currencyPosition = spaced ? CurrencyPosition::BeforeWithSpace : CurrencyPosition::Before;
  else
    moneyFacts.currencyPosition = spaced ? CurrencyPosition::AfterWithSpace : CurrencyPosition::After;
  return moneyFacts;
}

// ---- Dates ------------------------------------------------------------------

struct PictureField {
  char kind;  // 'd', 'm' or 'y'
  int width;  // digits in the picture: 2, or 4 for the year
};

// The fields of a picture in order, and its separator characters.
bool ReadPicture(std::string_view picture, std::array<PictureField, 3>& fields, std::string& separators) {
  std::size_t count = 0;
  bool seen[3] = {false, false, false};
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = Lower(picture[i]);
    if (c == 'd' || c == 'm' || c == 'y') {
      std::size_t run = 0;
      while (i < picture.size() && Lower(picture[i]) == c) {
        ++run;
        ++i;
      }
      const int slot = c == 'd' ? 0 : (c == 'm' ? 1 : 2);
      if (seen[slot] || count >= 3)
        return false;
      seen[slot] = true;
      fields[count++] = PictureField{c, c == 'y' ? 4 : 2};
      continue;
    }
    separators.push_back(picture[i]);
    ++i;
  }
  return count == 3;
}

std::array<PictureField, 3> PictureFields(std::string_view picture, std::string& separators) {
  std::array<PictureField, 3> fields{};
  if (!ReadPicture(picture, fields, separators)) {
    separators.clear();
    ReadPicture("mm/dd/yyyy", fields, separators);
  }
  return fields;
}

// The length of a date separator at position i, or 0.
std::size_t DateSeparatorAt(std::string_view text, std::size_t i, const std::string& pictureSeparators) {
  if (const std::size_t blank = BlankAt(text, i); blank != 0)
    return blank;
  const char c = text[i];
  if (c == '/' || c == '.' || c == '-' || c == ',')
    return 1;
  if (IsDigit(c) || IsAsciiLetter(c))
    return 0;
  // A character of the picture's own separators (any UTF-8 sequence).
  const auto byte = static_cast<unsigned char>(c);
  std::size_t length = 1;
  if (byte >= 0xF0)
    length = 4;
  else if (byte >= 0xE0)
    length = 3;
  else if (byte >= 0xC0)
    length = 2;
  const std::string_view character = text.substr(i, length);
  if (character.size() == length && pictureSeparators.find(character) != std::string::npos)
    return length;
  return 0;
}

struct DateReading {
  MaskedInputState state = MaskedInputState::Intermediate;
  std::vector<std::string> groups;
};

DateReading ReadDate(std::string_view input, std::string_view picture) {
  DateReading r;
  std::string separators;
  const std::array<PictureField, 3> fields = PictureFields(picture, separators);
  const std::size_t fullDigits = 8;
  const std::string_view text = TrimBlanks(input);
  std::size_t digits = 0;
  r.groups.emplace_back();
  for (std::size_t i = 0; i < text.size();) {
    if (IsDigit(text[i])) {
      r.groups.back().push_back(text[i]);
      ++digits;
      ++i;
      continue;
    }
    const std::size_t separator = DateSeparatorAt(text, i, separators);
    if (separator == 0) {
      r.state = MaskedInputState::Invalid;
      return r;
    }
    // A run of separators divides two groups once.
    if (!r.groups.back().empty() || r.groups.size() == 1)
      r.groups.emplace_back();
    i += separator;
  }
  bool longGroup = false;  // more than four digits between separators
  for (const std::string& group : r.groups)
    longGroup = longGroup || (r.groups.size() > 1 && group.size() > 4);
  if (r.groups.size() > 3 || digits > fullDigits || longGroup) {
    r.state = MaskedInputState::Invalid;
    return r;
  }
  if (r.groups.size() == 1 && !r.groups[0].empty()) {
    // Digits only, at the picture's widths.
    const std::string all = r.groups[0];
    const std::size_t shortYear = fullDigits - 2;
    if (all.size() != fullDigits && all.size() != shortYear)
      return r;
    r.groups.clear();
    std::size_t at = 0;
    for (const PictureField& field : fields) {
      const std::size_t width =
          field.kind == 'y' ? (all.size() == fullDigits ? 4 : 2) : static_cast<std::size_t>(field.width);
      r.groups.push_back(all.substr(at, width));
      at += width;
    }
  }
  if (r.groups.size() == 3 && !r.groups[2].empty() && !r.groups[0].empty() && !r.groups[1].empty())
    r.state = MaskedInputState::Acceptable;  // still to be checked as a date
  return r;
}

std::optional<DayNumber> DateOfReading(const DateReading& r, std::string_view picture, int windowStart) {
  if (r.state != MaskedInputState::Acceptable)
    return std::nullopt;
  std::string separators;
  const std::array<PictureField, 3> fields = PictureFields(picture, separators);
  int day = 0;
  int month = 0;
  int year = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const std::string& group = r.groups[k];
    const std::size_t n = group.size();
    if (fields[k].kind == 'y') {
      if (n != 1 && n != 2 && n != 4)
        return std::nullopt;
    } else if (n > 2) {
      return std::nullopt;
    }
    int value = 0;
    for (char c : group)
      value = value * 10 + (c - '0');
    if (fields[k].kind == 'd')
      day = value;
    else if (fields[k].kind == 'm')
      month = value;
    else
      year = n <= 2 ? ExpandTwoDigitYear(value, windowStart) : value;
  }
  // Years of 0..99 have been placed already; a typed four-digit year below
  // 1600 (such as "0099") must not go through the calendar's own window.
  if (year < kFirstCalendarYear || year > kLastCalendarYear)
    return std::nullopt;
  const DayNumber date = DateFromDMY(day, month, year);
  if (date == BadDate)
    return std::nullopt;
  return date;
}

}  // namespace

NumberMask ParseNumberMask(std::string_view mask) {
  NumberMask m;
  m.text = std::string(mask);
  bool seenPoint = false;
  bool seenDigit = false;
  bool allNines = true;
  bool currencyBefore = false;
  bool currencyAfter = false;
  const auto refuse = [&mask](const char* why) {
    throw std::invalid_argument("not a number mask (" + std::string(why) + "): \"" + std::string(mask) +
                                "\"");
  };
  for (char c : mask) {
    switch (c) {
      case '#':
      case 'i':
      case '9':
        if (currencyAfter)
          refuse("currency places between digit places");
        seenDigit = true;
        allNines = allNines && c == '9';
        if (seenPoint)
          ++m.decimals;
        else
          ++m.wholeDigits;
        break;
      case ',':
        if (seenPoint)
          refuse("separator after the decimal point");
        if (currencyAfter)
          refuse("separator after the currency places");
        m.grouping = true;
        break;
      case '.':
        if (seenPoint)
          refuse("second decimal point");
        if (currencyAfter)
          refuse("decimal point after the currency places");
        seenPoint = true;
        break;
      case '$':
      case 'c':
      case 'C':
        if (seenDigit || seenPoint || m.grouping) {
          if (currencyBefore)
            refuse("currency places on both sides");
          currencyAfter = true;
        } else {
          currencyBefore = true;
        }
        break;
      default:
        refuse("unknown mask character");
    }
  }
  if (!seenDigit)
    refuse("no digit place");
  m.signAllowed = !allNines;
  m.currency =
      currencyBefore ? MaskCurrency::Before : (currencyAfter ? MaskCurrency::After : MaskCurrency::None);
  return m;
}

std::string FormatMaskedNumber(double value, const NumberMask& mask, const LocaleFacts& facts) {
  const auto x = static_cast<Extended>(value);
  if (mask.IsMoney())
    return FormatMoney(x, mask.decimals, MoneyFactsForMask(mask, facts));
  return FormatFixed(x, mask.decimals, mask.grouping, facts);
}

MaskedInputState CheckMaskedNumberInput(std::string_view text, const NumberMask& mask,
                                        const LocaleFacts& facts) {
  return ReadNumber(text, mask, facts).state;
}

std::optional<double> ParseMaskedNumber(std::string_view text, const NumberMask& mask,
                                        const LocaleFacts& facts) {
  const NumberReading r = ReadNumber(text, mask, facts);
  if (r.state != MaskedInputState::Acceptable)
    return std::nullopt;
  if (r.whole.empty() && r.fraction.empty())
    return 0.0;
  std::string plain = r.whole.empty() ? std::string("0") : r.whole;
  if (!r.fraction.empty())
    plain += "." + r.fraction;
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
    return std::nullopt;
  if (r.negative && value != 0)
    value = -value;
  return value;
}

int ExpandTwoDigitYear(int year, int windowStart) {
  if (year < 0 || year > 99)
    return year;
  const int centuryStart = windowStart - ((windowStart % 100) + 100) % 100;
  int full = centuryStart + year;
  if (full < windowStart)
    full += 100;
  return full;
}

std::optional<DayNumber> ParseDateText(std::string_view text, std::string_view picture,
                                       int twoDigitYearWindowStart) {
  return DateOfReading(ReadDate(text, picture), picture, twoDigitYearWindowStart);
}

MaskedInputState CheckDateInput(std::string_view text, std::string_view picture,
                                int twoDigitYearWindowStart) {
  const DateReading r = ReadDate(text, picture);
  if (r.state == MaskedInputState::Invalid)
    return r.state;
  return DateOfReading(r, picture, twoDigitYearWindowStart) ? MaskedInputState::Acceptable
                                                            : MaskedInputState::Intermediate;
}

}  // namespace quandrel
