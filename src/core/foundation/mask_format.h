#pragma once

// What a number mask or a date picture lets a field hold, how a value is
// shown under it and how typed text is read back. The entry fields of the
// windows (gui/widgets) and the command-line runner share these rules, so a
// value reads the same on the screen, in copied text and on the command line.
//
// Number masks are built from these characters (see masks.h):
//   "#"  a digit place; the field may be negative
//   "i"  a digit place of an integer field; the field may be negative
//   "9"  a digit place; a mask of "9" places only holds no negative values
//   ","  the field groups its whole digits in threes
//   "."  the decimal point; the places after it are the decimals
//   "$"  the currency symbol before the number
//   "c", "C"  a run of them before or after the places: the currency symbol
//        stands on that side
// "$" and "c"/"C" all stand for the locale's currency symbol (LocaleFacts);
// the mask decides its side, the locale whether a blank divides it from the
// number ("$1.00", "kr. 1,00", "1,00 €"). "," and "." stand for the locale's
// thousands and decimal separators.
//
// Display rules (FormatMaskedNumber):
// - the value is written with the mask's decimals, rounded by the
//   text-format engine (exact binary value, ties away from zero), so the
//   field shows what a copied "%.2m" or "%.4n" line shows;
// - whole digits are grouped with the thousands separator when the mask has
//   ","; a money mask writes the currency symbol on the mask's side and
//   negatives in the locale's negative form ("($1,234.50)", "-1.234,50 €");
//   other negatives get a leading "-"; a value that rounds to zero has no
//   sign;
// - a value wider than the mask is written in full, never cut: a field never
//   shows a number other than its own. NaN and infinities are written "NaN",
//   "Inf" and "-Inf", which do not read back as numbers.
//
// Reading rules (ParseMaskedNumber):
// - blanks around the text and between the symbol and the number are
//   ignored; the currency symbol is optional on a money mask (on either
//   side) and refused by any other mask;
// - thousands separators are optional, but where given they must stand
//   between groups of three whole digits ("1,234,567"; "1,23" and "12,34"
//   are refused, so a German "1.5" is never read as fifteen); a mask
//   without "," refuses them;
// - at most the mask's whole digits (leading zeros not counted) and at most
//   its decimals; an integer mask refuses a decimal separator;
// - one sign at most: a leading "-" or "+", a "-" after a leading currency
//   symbol, a trailing "-", or parentheses around the amount; U+2212 counts
//   as "-". A mask of "9" places refuses every minus;
// - letters, a second sign or separator, a lone sign or symbol, exponents
//   and anything else give std::nullopt;
// - an empty text (or blanks only) is zero: a cleared number field holds 0,
//   which is what it shows once left.
//
// Dates (ParseDateText) are read in the field order of a date picture such
// as "mm/dd/yyyy", "dd.mm.yyyy" or "yyyy-mm-dd":
// - three digit groups divided by separators ("/", ".", "-", ",", blanks or
//   the picture's own separator characters), or all digits at the picture's
//   widths ("01052026", or "010526" with a two-digit year);
// - a day or month has one or two digits, a year one, two or four; a year
//   of one or two digits is placed in the hundred years that begin at the
//   field's window start (1950: 50..99 -> 1950..1999, 00..49 -> 2000..2049;
//   1980: 80..99 -> 1980..1999, 00..79 -> 2000..2079); a four-digit year is
//   kept as typed;
// - the date must exist in the calendar (1 January 1600 to 31 December
//   3999); anything else, and an empty text, gives no date.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/foundation/global_types.h"
#include "core/foundation/locale_facts.h"

namespace quandrel {

// The window start of a start-date field; every other date field uses
// kTwoDigitYearWindowStart (1980, date_arithmetic.h).
inline constexpr int kStartDateYearWindowStart = 1950;

// Where a money mask writes the currency symbol.
enum class MaskCurrency : std::uint8_t { None, Before, After };

// The facts of a number mask.
struct NumberMask {
  std::string text;  // the mask as given
  int wholeDigits = 0;
  int decimals = 0;
  bool grouping = false;
  bool signAllowed = true;
  MaskCurrency currency = MaskCurrency::None;

  bool IsInteger() const { return decimals == 0; }
  bool IsMoney() const { return currency != MaskCurrency::None; }

  friend bool operator==(const NumberMask&, const NumberMask&) = default;
};

// The facts of a number mask. A text that is not a number mask (no digit
// place, an unknown character such as "X", a second ".", a "," after the
// ".", currency places between digit places or on both sides) is a
// programming error: std::invalid_argument naming the mask.
NumberMask ParseNumberMask(std::string_view mask);

// The value as the field shows it (display rules above).
std::string FormatMaskedNumber(double value, const NumberMask& mask, const LocaleFacts& facts);

// The value of typed text, or std::nullopt when the mask does not allow it
// (reading rules above).
std::optional<double> ParseMaskedNumber(std::string_view text, const NumberMask& mask,
                                        const LocaleFacts& facts);

// How far a text being typed is from a value the mask allows: Acceptable
// when ParseMaskedNumber reads it, Intermediate when more typing can make it
// acceptable ("-", "(", "$", ".", "1,23"), Invalid when no further typing
// can (a letter, too many digits or decimals, a second sign or point).
// Misplaced thousands separators are Intermediate, not Invalid, so that
// deleting a digit from "$1,234.50" is never refused.
enum class MaskedInputState : std::uint8_t { Invalid, Intermediate, Acceptable };
MaskedInputState CheckMaskedNumberInput(std::string_view text, const NumberMask& mask,
                                        const LocaleFacts& facts);

// A year of 0..99 placed in the hundred years beginning at windowStart;
// other years unchanged.
int ExpandTwoDigitYear(int year, int windowStart);

// The date of typed text under a picture, or std::nullopt (rules above).
std::optional<DayNumber> ParseDateText(std::string_view text, std::string_view picture,
                                       int twoDigitYearWindowStart);

// The typing state of a date text: Acceptable when ParseDateText reads it,
// Intermediate when it may still become a date (digits and separators, at
// most three groups and no more digits than the picture holds), Invalid for
// letters, other characters, a fourth group, a group of more than four
// digits between separators, or more digits than the picture holds.
MaskedInputState CheckDateInput(std::string_view text, std::string_view picture, int twoDigitYearWindowStart);

}  // namespace quandrel
