#pragma once

// The facts of the user's locale that text output needs: separators, the
// currency and its forms, the short date picture, the weekday names and the
// country code. The gui reads them from the platform once at start-up
// (gui/platform/qt_locale_facts.h) and hands them on as plain data; the core
// never asks the platform itself. The United States facts are the designed
// default and the fallback when the platform has no locale of its own.

#include <array>
#include <cstdint>
#include <string>

namespace quandrel {

// Where the currency symbol stands relative to the number.
enum class CurrencyPosition : std::uint8_t {
  Before,           // $1.00
  BeforeWithSpace,  // CHF 1.00
  After,            // 1.00$
  AfterWithSpace,   // 1,00 €
};

// How a negative amount of money is written. The forms differ only when the
// symbol and the sign could stand in more than one order.
enum class NegativeMoneyForm : std::uint8_t {
  Parentheses,        // ($1.00)      (1,00 €)
  MinusFirst,         // -$1.00       -1,00 €
  MinusBeforeNumber,  // $-1.00       -1,00 €
  MinusAfterNumber,   // $1.00-       1,00- €
  MinusLast,          // $1.00-       1,00 €-
};

struct LocaleFacts {
  // UTF-8 texts; a separator may be more than one byte (U+202F in French).
  std::string decimalSeparator = ".";
  std::string thousandsSeparator = ",";
  std::string currencySymbol = "$";
  CurrencyPosition currencyPosition = CurrencyPosition::Before;
  NegativeMoneyForm negativeMoney = NegativeMoneyForm::Parentheses;
  int currencyDecimals = 2;
  // The date picture of the entry fields and of dates in copied text:
  // lower-case d, m and y runs with the locale's separators ("mm/dd/yyyy").
  std::string shortDatePicture = "mm/dd/yyyy";
  // Long weekday names, Sunday first.
  std::array<std::string, 7> weekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  // Telephone-style country code of the locale's territory (1 United States,
  // 2 Canada, 49 Germany, ...); 1 when the territory is not known.
  std::uint16_t countryCode = 1;

  static LocaleFacts UnitedStates() { return LocaleFacts{}; }

  friend bool operator==(const LocaleFacts&, const LocaleFacts&) = default;
};

// Puts the facts' weekday names into the date layer (DayName). Start-up calls
// it once after reading the locale.
void ApplyWeekdayNames(const LocaleFacts& facts);

}  // namespace quandrel
