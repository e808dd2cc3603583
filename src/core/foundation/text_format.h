#pragma once

// The text-format engine behind every copied and printed line.
//
// A pattern is plain text with conversions; each conversion takes the next
// argument:
//
//   %[-][width][.precision]type        %% writes a percent sign
//
//   type  argument  written as                          precision (default)
//   d     integer   decimal, "-" for negatives          minimum digits, zero-filled (none)
//   x     integer   hexadecimal, upper-case digits      minimum digits, zero-filled (none)
//   s     text      as is                               maximum characters (all)
//   f     real      fixed point                         decimals (2)
//   n     real      fixed point, thousands separators   decimals (2)
//   m     real      money: symbol, separators and the   decimals (the locale's currency
//                   locale's negative form              decimals)
//   e     real      scientific, d.dddE+ddd              significant digits (15)
//   g     real      the shorter of f and e              significant digits (15)
//
// Width pads with blanks on the left, or on the right after "-"; a longer
// text is never cut. Width and precision count characters (UTF-8 code
// points), not bytes, so "€" is one character.
//
// Reals are written from their exact binary value. The value is expanded to
// its exact decimal digits (every binary real has a finite decimal expansion)
// and rounded at the requested digit to the nearest, ties away from zero.
// A tie is therefore only a value that is exactly halfway in binary: 0.125
// and 2.5 are ties (0.13, 3), while the double nearest 2.675 lies below
// 2.675 and is written 2.67. A Currency argument is exact in its own decimal
// units, so Currency 2.675 is a true tie and is written 2.68. A value whose
// rounded digits are all zero is written without a minus sign.
//
// Locale facts: f, n, m, e and g write the locale's decimal separator; n and
// m group the integer digits in threes with its thousands separator; m puts
// its currency symbol and negative form around the number. Digits are always
// 0-9 and the minus sign is always "-", so copied numbers paste into other
// programs. Infinities and NaN (which no equation should hand over) are
// written "Inf", "-Inf" and "NaN".
//
// d and x take integers (any integral type but bool and characters); f, n,
// m, e and g take reals (float, double, long double) or Currency; s takes
// text. A wrong kind of argument, too few or too many arguments, and a
// malformed pattern are programming errors: FormatLine throws
// std::logic_error naming the fault and the pattern.

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/foundation/global_types.h"
#include "core/foundation/locale_facts.h"

namespace quandrel {

// One argument of FormatLine. It refers to, and does not copy, a text
// argument: keep FormatArgs only for the duration of the call.
class FormatArg {
 public:
  enum class Kind : std::uint8_t { Integer, Real, Money, Text };

  template <std::integral T>
  requires(!std::same_as<std::remove_cv_t<T>, bool> && !std::same_as<std::remove_cv_t<T>, char> &&
           !std::same_as<std::remove_cv_t<T>, wchar_t> && !std::same_as<std::remove_cv_t<T>, char8_t> &&
           !std::same_as<std::remove_cv_t<T>, char16_t> && !std::same_as<std::remove_cv_t<T>, char32_t>)
      FormatArg(T value)  // NOLINT(google-explicit-constructor): arguments are listed as values
      : m_kind(Kind::Integer), m_bits(static_cast<int>(sizeof(T) * 8)) {
    if constexpr (std::is_signed_v<T>) {
      m_negative = value < 0;
      // Two's complement magnitude without overflow for the most negative value.
      m_magnitude = m_negative ? ~static_cast<std::uint64_t>(value) + 1U : static_cast<std::uint64_t>(value);
    } else {
      m_magnitude = static_cast<std::uint64_t>(value);
    }
  }
  template <std::floating_point T>
  FormatArg(T value) : m_kind(Kind::Real), m_real(static_cast<Extended>(value)) {}  // NOLINT
  FormatArg(Currency value) : m_kind(Kind::Money), m_currency(value) {}             // NOLINT
  FormatArg(std::string_view text) : m_kind(Kind::Text), m_text(text) {}            // NOLINT
  FormatArg(const std::string& text) : m_kind(Kind::Text), m_text(text) {}          // NOLINT
  // A null pointer is kept as such and refused when formatted.
  FormatArg(const char* text)  // NOLINT
      : m_kind(Kind::Text),
        m_text(text != nullptr ? std::string_view(text) : std::string_view()),
        m_nullText(text == nullptr) {}
  FormatArg(bool) = delete;
  FormatArg(char) = delete;

  Kind GetKind() const { return m_kind; }
  bool IsNegativeInteger() const { return m_negative; }
  std::uint64_t IntegerMagnitude() const { return m_magnitude; }
  int IntegerBits() const { return m_bits; }
  Extended RealValue() const { return m_real; }
  Currency CurrencyValue() const { return m_currency; }
  std::string_view TextValue() const { return m_text; }
  bool IsNullText() const { return m_nullText; }

 private:
  Kind m_kind;
  bool m_negative = false;
  std::uint64_t m_magnitude = 0;
  int m_bits = 64;
  Extended m_real = 0;
  Currency m_currency;
  std::string_view m_text;
  bool m_nullText = false;
};

// Widths and precisions above these are refused as malformed patterns.
inline constexpr int kMaxFormatWidth = 1000;
inline constexpr int kMaxFormatPrecision = 100;

// The pattern with its conversions filled in from args, in order.
std::string FormatLine(std::string_view pattern, std::span<const FormatArg> args, const LocaleFacts& facts);
std::string FormatLine(std::string_view pattern, std::initializer_list<FormatArg> args,
                       const LocaleFacts& facts);

// Single conversions, as FormatLine writes them without width: a real with
// `decimals` decimals, with or without thousands separators, and money.
std::string FormatFixed(Extended value, int decimals, bool thousands, const LocaleFacts& facts);
std::string FormatMoney(Extended value, int decimals, const LocaleFacts& facts);

// The number of characters (UTF-8 code points) of a text.
std::size_t CharacterCount(std::string_view text);

}  // namespace quandrel
