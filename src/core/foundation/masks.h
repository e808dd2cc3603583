#pragma once

// The entry-field masks of the calculator windows and their locale variants,
// the date picture and DateText. One TMasks is made at start-up from the
// locale facts and handed to the windows.
//
// Mask characters: "#" a digit, "i" a digit or the sign of an integer field,
// "9" a digit, "," the thousands separator, "." the decimal point, "$" the
// currency symbol, "c" and "C" the places of the locale's currency symbol
// (before or after the number), "X" any character; "mm/dd/yyyy" a date.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/foundation/global_types.h"
#include "core/foundation/locale_facts.h"

namespace quandrel {

// The masks every window is designed with (the United States masks).
inline constexpr std::string_view kDesignedMoneyMask = "$###,###,###.##";
inline constexpr std::string_view kDesignedDatePicture = "mm/dd/yyyy";

// The kinds of field whose mask follows the locale.
enum class MaskedField : std::uint8_t { Money, Date, Rate, Count, LongMoney, LongDecimal };

struct TMasks {
  // The country code the masks were chosen by (1 the United States).
  std::uint16_t Country = 1;
  std::string CurrencyMask = std::string(kDesignedMoneyMask);
  std::string RateMask = "##.####";
  std::string LongMoneyMask = "$###,###,###.########";
  std::string LongDecimalMask = "#,###.###########";
  std::string CountMask = "999,999";
  std::string DatePicture = std::string(kDesignedDatePicture);

  TMasks() = default;
  explicit TMasks(const LocaleFacts& facts);

  // The window set-up rule. A window designed with the United States masks
  // asks, for each field of a kind, which mask replaces the designed one:
  // nothing when Country is 1. Otherwise money fields always take
  // CurrencyMask and date fields DatePicture; rate, count, long money and
  // long decimal fields take theirs only where the calculator says so
  // (`calculatorReplaces`).
  std::optional<std::string> ReplacementMask(MaskedField field, bool calculatorReplaces = false) const;

  // A date written with DatePicture.
  std::string DateText(DayNumber day) const;
};

// Money fields and date fields follow the locale in every calculator; the
// other kinds only where a calculator asks for it.
bool IsAlwaysReplaced(MaskedField field);

// The money mask of a country code.
std::string CurrencyMaskForCountry(std::uint16_t country);

// The date picture made from a locale's short date pattern (letters d, M and
// y as the locale data spells them: "M/d/yy", "dd.MM.yy", "yy. M. d."):
// - each day and month becomes two digits ("dd", "mm"), each year four
//   ("yyyy"), so the picture has fixed positions and serves as an entry mask;
//   a month name (MMM) becomes "mm"; weekday names and other letters are
//   dropped, and so are quoted texts and direction marks;
// - the separators between the fields are kept, text before the first and
//   after the last field is dropped;
// - a picture longer than 10 characters loses the blanks of its separators
//   (a separator of blanks only keeps one);
// - a pattern without exactly one day, one month and one year, or still
//   longer than 10 characters, gives "mm/dd/yyyy".
std::string DatePictureFromLocalePattern(std::string_view pattern);

// A date written with a picture. "yyyy" the year, "yy" its last two digits,
// "mm"/"dd" the month/day with two digits, "m"/"d" without padding; letters
// are read in either case, and a longer run of d or m counts as two, a run of
// y other than two as the full year. Every other character is copied. A bad
// date gives an empty text.
std::string DateText(std::string_view picture, DayNumber day);

}  // namespace quandrel
