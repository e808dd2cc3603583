#include "core/foundation/text_format.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace quandrel {
namespace {

// ---- Exact decimal expansion ------------------------------------------------

// A non-negative integer of any size, 32-bit limbs, least significant first.
class BigNatural {
 public:
  bool IsZero() const { return m_limbs.empty(); }

  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : m_limbs) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product);
      carry = product >> 32U;
    }
    if (carry != 0)
      m_limbs.push_back(static_cast<std::uint32_t>(carry));
  }

  void ShiftLeft(int bits) {
    if (IsZero() || bits <= 0)
      return;
    const auto limbShift = static_cast<std::size_t>(bits / 32);
    const auto bitShift = static_cast<unsigned>(bits % 32);
    if (bitShift != 0) {
      std::uint32_t carry = 0;
      for (std::uint32_t& limb : m_limbs) {
        const std::uint32_t next = limb >> (32U - bitShift);
        limb = (limb << bitShift) | carry;
        carry = next;
      }
      if (carry != 0)
        m_limbs.push_back(carry);
    }
    m_limbs.insert(m_limbs.begin(), limbShift, 0U);
  }

  // Divides by divisor and returns the remainder.
  std::uint32_t DivideSmall(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = m_limbs.size(); i-- > 0;) {
      const std::uint64_t current = (remainder << 32U) | m_limbs[i];
      m_limbs[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    while (!m_limbs.empty() && m_limbs.back() == 0)
      m_limbs.pop_back();
    return static_cast<std::uint32_t>(remainder);
  }

  std::string ToDecimal() const {
    if (IsZero())
      return "0";
    BigNatural work = *this;
    std::string reversed;
    while (!work.IsZero()) {
      std::uint32_t chunk = work.DivideSmall(1000000000U);
      for (int i = 0; i < 9; ++i) {
        reversed.push_back(static_cast<char>('0' + chunk % 10U));
        chunk /= 10U;
      }
    }
    while (reversed.size() > 1 && reversed.back() == '0')
      reversed.pop_back();
    return std::string(reversed.rbegin(), reversed.rend());
  }

 private:
  std::vector<std::uint32_t> m_limbs;
};

// A decimal number 0.d1d2d3... x 10^pointPos. `digits` has no leading or
// trailing zeros; it is empty for zero.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int pointPos = 0;

  bool IsZero() const { return digits.empty(); }
};

void TrimTrailingZeros(DecimalDigits& d) {
  while (!d.digits.empty() && d.digits.back() == '0')
    d.digits.pop_back();
}

// The exact decimal value of a finite binary real.
DecimalDigits ExactDecimal(Extended value) {
  DecimalDigits result;
  result.negative = std::signbit(value);
  if (value == 0)
    return result;
  int exponent = 0;
  Extended fraction = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
  // Take the significand 32 bits at a time; each step is exact.
  BigNatural significand;
  constexpr Extended kChunk = 4294967296.0L;
  while (fraction != 0) {
    fraction *= kChunk;
    const Extended whole = std::floor(fraction);
    significand.ShiftLeft(32);
    significand.MultiplyAdd(1U, static_cast<std::uint32_t>(whole));
    fraction -= whole;
    exponent -= 32;
  }
  // value = significand * 2^exponent
  if (exponent >= 0) {
    significand.ShiftLeft(exponent);
    result.digits = significand.ToDecimal();
    result.pointPos = static_cast<int>(result.digits.size());
  } else {
    // significand / 2^k = significand * 5^k / 10^k
    int k = -exponent;
    const int count = k;
    while (k >= 13) {
      significand.MultiplyAdd(1220703125U, 0U);  // 5^13
      k -= 13;
    }
    std::uint32_t rest = 1;
    while (k-- > 0)
      rest *= 5U;
    significand.MultiplyAdd(rest, 0U);
    result.digits = significand.ToDecimal();
    result.pointPos = static_cast<int>(result.digits.size()) - count;
  }
  TrimTrailingZeros(result);
  return result;
}

DecimalDigits ExactDecimal(Currency value) {
  DecimalDigits result;
  const std::int64_t units = value.Units();
  result.negative = units < 0;
  std::uint64_t magnitude =
      units < 0 ? ~static_cast<std::uint64_t>(units) + 1U : static_cast<std::uint64_t>(units);
  if (magnitude == 0)
    return result;
  std::string reversed;
  while (magnitude != 0) {
    reversed.push_back(static_cast<char>('0' + magnitude % 10U));
    magnitude /= 10U;
  }
  result.digits.assign(reversed.rbegin(), reversed.rend());
  result.pointPos = static_cast<int>(result.digits.size()) - 4;  // units are 1/10000
  TrimTrailingZeros(result);
  return result;
}

// Keeps the first `keep` digits of the expansion (keep may be zero or
// negative: the rounding digit lies left of the first digit), rounding to
// the nearest with ties away from zero. The sign is kept; a result of zero
// has no digits.
void RoundToDigits(DecimalDigits& d, long long keep) {
  if (d.IsZero())
    return;
  const auto size = static_cast<long long>(d.digits.size());
  if (keep >= size)
    return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') {
      d.digits[i - 1] = '0';
      --i;
    }
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.pointPos;
    } else {
      ++d.digits[i - 1];
    }
  }
  TrimTrailingZeros(d);
}

char DigitAt(const DecimalDigits& d, long long index) {
  if (index < 0 || index >= static_cast<long long>(d.digits.size()))
    return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

std::string GroupThousands(const std::string& integerDigits, const std::string& separator) {
  std::string out;
  const std::size_t n = integerDigits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i != 0 && (n - i) % 3 == 0)
      out += separator;
    out.push_back(integerDigits[i]);
  }
  return out;
}

// The magnitude of a rounded value in fixed point with `decimals` decimals.
std::string FixedMagnitude(const DecimalDigits& d, int decimals, bool thousands, const LocaleFacts& facts) {
  std::string integerDigits;
  if (d.pointPos <= 0 || d.IsZero()) {
    integerDigits = "0";
  } else {
    for (long long i = 0; i < d.pointPos; ++i)
      integerDigits.push_back(DigitAt(d, i));
  }
  std::string out = thousands ? GroupThousands(integerDigits, facts.thousandsSeparator) : integerDigits;
  if (decimals > 0) {
    out += facts.decimalSeparator;
    for (long long i = 0; i < decimals; ++i)
      out.push_back(DigitAt(d, d.pointPos + i));
  }
  return out;
}

std::string ExponentText(long long exponent) {
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  while (digits.size() < 3)
    digits.insert(digits.begin(), '0');
  return std::string(exponent < 0 ? "E-" : "E+") + digits;
}

// d.ddd (as many digits as given, at least `minDigits`) followed by the exponent.
std::string ScientificMagnitude(const DecimalDigits& d, std::size_t minDigits, const LocaleFacts& facts) {
  const std::size_t count = std::max(minDigits, std::max<std::size_t>(d.digits.size(), 1));
  std::string out(1, DigitAt(d, 0));
  if (count > 1) {
    out += facts.decimalSeparator;
    for (std::size_t i = 1; i < count; ++i)
      out.push_back(DigitAt(d, static_cast<long long>(i)));
  }
  const long long exponent = d.IsZero() ? 0 : d.pointPos - 1;
  return out + ExponentText(exponent);
}

std::string NonFinite(Extended value) {
  if (std::isnan(value))
    return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

std::string Signed(const DecimalDigits& d, std::string magnitude) {
  return (d.negative && !d.IsZero()) ? "-" + magnitude : magnitude;
}

std::string MoneyText(DecimalDigits d, int decimals, const LocaleFacts& facts) {
  RoundToDigits(d, static_cast<long long>(d.pointPos) + decimals);
  const std::string number = FixedMagnitude(d, decimals, true, facts);
  std::string before;
  std::string after;
  if (!facts.currencySymbol.empty()) {
    switch (facts.currencyPosition) {
      case CurrencyPosition::Before:
        before = facts.currencySymbol;
        break;
      case CurrencyPosition::BeforeWithSpace:
        before = facts.currencySymbol + " ";
        break;
      case CurrencyPosition::After:
        after = facts.currencySymbol;
        break;
      case CurrencyPosition::AfterWithSpace:
        after = " " + facts.currencySymbol;
        break;
    }
  }
  if (!d.negative || d.IsZero())
    return before + number + after;
  switch (facts.negativeMoney) {
    case NegativeMoneyForm::Parentheses:
      return "(" + before + number + after + ")";
    case NegativeMoneyForm::MinusFirst:
      return "-" + before + number + after;
    case NegativeMoneyForm::MinusBeforeNumber:
      return before + "-" + number + after;
    case NegativeMoneyForm::MinusAfterNumber:
      return before + number + "-" + after;
    case NegativeMoneyForm::MinusLast:
      return before + number + after + "-";
  }
  return "(" + before + number + after + ")";
}

std::string GeneralText(DecimalDigits d, int significant, const LocaleFacts& facts) {
  if (d.IsZero())
    return "0";
  RoundToDigits(d, significant);
  const long long exponent = d.pointPos - 1;
  if (exponent < -4 || exponent >= significant)
    return Signed(d, ScientificMagnitude(d, 1, facts));
  const auto decimals = std::max<long long>(0, static_cast<long long>(d.digits.size()) - d.pointPos);
  return Signed(d, FixedMagnitude(d, static_cast<int>(decimals), false, facts));
}

// ---- Integers ---------------------------------------------------------------

std::string IntegerText(const FormatArg& arg, bool hex, int minDigits) {
  std::uint64_t value = arg.IntegerMagnitude();
  const bool negative = arg.IsNegativeInteger() && value != 0;
  if (hex && negative) {
    // The argument's own two's complement bits.
    value = ~value + 1U;
    if (arg.IntegerBits() < 64)
      value &= (std::uint64_t{1} << static_cast<unsigned>(arg.IntegerBits())) - 1U;
  }
  const unsigned base = hex ? 16U : 10U;
  std::string reversed;
  do {
    reversed.push_back("0123456789ABCDEF"[value % base]);
    value /= base;
  } while (value != 0);
  while (static_cast<int>(reversed.size()) < minDigits)
    reversed.push_back('0');
  std::string out = (negative && !hex) ? "-" : "";
  out.append(reversed.rbegin(), reversed.rend());
  return out;
}

// ---- Texts ------------------------------------------------------------------

bool IsLeadByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(text[i])) {
      if (seen == count)
        return text.substr(0, i);
      ++seen;
    }
  }
  return text;
}

// ---- Patterns ---------------------------------------------------------------

[[noreturn]] void Fail(const std::string& what, std::string_view pattern) {
  throw std::logic_error("FormatLine: " + what + " in pattern \"" + std::string(pattern) + "\"");
}

struct Conversion {
  bool leftAlign = false;
  int width = 0;
  int precision = -1;  // -1: none given
  char type = 0;
};

int ParseNumber(std::string_view pattern, std::size_t& i, int limit, const char* what) {
  long long value = 0;
  while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
    value = value * 10 + (pattern[i] - '0');
    if (value > limit)
      Fail(std::string(what) + " above " + std::to_string(limit), pattern);
    ++i;
  }
  return static_cast<int>(value);
}

const char* KindName(FormatArg::Kind kind) {
  switch (kind) {
    case FormatArg::Kind::Integer:
      return "an integer";
    case FormatArg::Kind::Real:
      return "a real";
    case FormatArg::Kind::Money:
      return "a Currency";
    case FormatArg::Kind::Text:
      return "a text";
  }
  return "an unknown argument";
}

std::string Convert(const Conversion& c, const FormatArg& arg, const LocaleFacts& facts,
                    std::string_view pattern) {
  const FormatArg::Kind kind = arg.GetKind();
  const auto refuse = [&]() { Fail(std::string("%") + c.type + " given " + KindName(kind), pattern); };
  switch (c.type) {
    case 'd':
    case 'x':
      if (kind != FormatArg::Kind::Integer)
        refuse();
      return IntegerText(arg, c.type == 'x', std::max(c.precision, 0));
    case 's': {
      if (kind != FormatArg::Kind::Text)
        refuse();
      if (arg.IsNullText())
        Fail("%s given a null text", pattern);
      const std::string_view text = arg.TextValue();
      return std::string(c.precision < 0 ? text
                                         : FirstCharacters(text, static_cast<std::size_t>(c.precision)));
    }
    default:
      break;
  }
  // Real conversions.
  if (kind != FormatArg::Kind::Real && kind != FormatArg::Kind::Money)
    refuse();
  if (kind == FormatArg::Kind::Real && !std::isfinite(arg.RealValue()))
    return NonFinite(arg.RealValue());
  DecimalDigits d =
      kind == FormatArg::Kind::Real ? ExactDecimal(arg.RealValue()) : ExactDecimal(arg.CurrencyValue());
  switch (c.type) {
    case 'f':
    case 'n': {
      const int decimals = c.precision < 0 ? 2 : c.precision;
      RoundToDigits(d, static_cast<long long>(d.pointPos) + decimals);
      return Signed(d, FixedMagnitude(d, decimals, c.type == 'n', facts));
    }
    case 'm': {
      const int decimals =
          c.precision < 0 ? std::clamp(facts.currencyDecimals, 0, kMaxFormatPrecision) : c.precision;
      return MoneyText(d, decimals, facts);
    }
    case 'e': {
      const int significant = c.precision < 0 ? 15 : std::max(c.precision, 1);
      RoundToDigits(d, significant);
      return Signed(d, ScientificMagnitude(d, static_cast<std::size_t>(significant), facts));
    }
    case 'g':
      return GeneralText(d, c.precision < 0 ? 15 : std::max(c.precision, 1), facts);
    default:
      break;
  }
  Fail(std::string("unknown conversion %") + c.type, pattern);
}

void AppendPadded(std::string& out, const std::string& text, const Conversion& c) {
  const std::size_t length = CharacterCount(text);
  const std::size_t width = static_cast<std::size_t>(c.width);
  const std::size_t pad = length < width ? width - length : 0;
  if (!c.leftAlign)
    out.append(pad, ' ');
  out += text;
  if (c.leftAlign)
    out.append(pad, ' ');
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if (IsLeadByte(c))
      ++count;
  }
  return count;
}

std::string FormatLine(std::string_view pattern, std::span<const FormatArg> args, const LocaleFacts& facts) {
  std::string out;
  out.reserve(pattern.size() + 16 * args.size());
  std::size_t next = 0;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char ch = pattern[i++];
    if (ch != '%') {
      out.push_back(ch);
      continue;
    }
    if (i < pattern.size() && pattern[i] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    Conversion c;
    if (i < pattern.size() && pattern[i] == '-') {
      c.leftAlign = true;
      ++i;
    }
    c.width = ParseNumber(pattern, i, kMaxFormatWidth, "width");
    if (i < pattern.size() && pattern[i] == '.') {
      ++i;
      if (i >= pattern.size() || pattern[i] < '0' || pattern[i] > '9')
        Fail("a precision without digits", pattern);
      c.precision = ParseNumber(pattern, i, kMaxFormatPrecision, "precision");
    }
    if (i >= pattern.size())
      Fail("a conversion without a type", pattern);
    c.type = pattern[i++];
    static constexpr std::string_view kTypes = "dxsfnmeg";
    if (kTypes.find(c.type) == std::string_view::npos) {
      Fail(std::string("unknown conversion %") + c.type, pattern);
    }
    if (next >= args.size())
      Fail("too few arguments", pattern);
    AppendPadded(out, Convert(c, args[next++], facts, pattern), c);
  }
  if (next != args.size())
    Fail("too many arguments", pattern);
  return out;
}

std::string FormatLine(std::string_view pattern, std::initializer_list<FormatArg> args,
                       const LocaleFacts& facts) {
  return FormatLine(pattern, std::span<const FormatArg>(args.begin(), args.size()), facts);
}

std::string FormatFixed(Extended value, int decimals, bool thousands, const LocaleFacts& facts) {
  if (!std::isfinite(value))
    return NonFinite(value);
  decimals = std::clamp(decimals, 0, kMaxFormatPrecision);
  DecimalDigits d = ExactDecimal(value);
  RoundToDigits(d, static_cast<long long>(d.pointPos) + decimals);
  return Signed(d, FixedMagnitude(d, decimals, thousands, facts));
}

std::string FormatMoney(Extended value, int decimals, const LocaleFacts& facts) {
  if (!std::isfinite(value))
    return NonFinite(value);
  return MoneyText(ExactDecimal(value), std::clamp(decimals, 0, kMaxFormatPrecision), facts);
}

}  // namespace quandrel
