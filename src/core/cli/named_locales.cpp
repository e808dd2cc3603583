#include "core/cli/named_locales.h"

#include <string>

namespace quandrel {
namespace {

constexpr std::string_view kNames[] = {"en_US", "en_GB", "en_CA", "de_DE", "fr_FR"};

LocaleFacts UnitedKingdom() {
  LocaleFacts facts;
  facts.currencySymbol = "\u00a3";
  facts.negativeMoney = NegativeMoneyForm::MinusFirst;
  facts.shortDatePicture = "dd/mm/yyyy";
  facts.countryCode = 44;
  return facts;
}

LocaleFacts Canada() {
  LocaleFacts facts;
  facts.negativeMoney = NegativeMoneyForm::MinusFirst;
  facts.shortDatePicture = "yyyy-mm-dd";
  facts.countryCode = 2;
  return facts;
}

LocaleFacts Germany() {
  LocaleFacts facts;
  facts.decimalSeparator = ",";
  facts.thousandsSeparator = ".";
  facts.currencySymbol = "\u20ac";
  facts.currencyPosition = CurrencyPosition::AfterWithSpace;
  facts.negativeMoney = NegativeMoneyForm::MinusFirst;
  facts.shortDatePicture = "dd.mm.yyyy";
  facts.weekdayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
  facts.countryCode = 49;
  return facts;
}

LocaleFacts France() {
  LocaleFacts facts;
  facts.decimalSeparator = ",";
  facts.thousandsSeparator = "\u202f";  // narrow no-break space
  facts.currencySymbol = "\u20ac";
  facts.currencyPosition = CurrencyPosition::AfterWithSpace;
  facts.negativeMoney = NegativeMoneyForm::MinusFirst;
  facts.shortDatePicture = "dd/mm/yyyy";
  facts.weekdayNames = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
  facts.countryCode = 33;
  return facts;
}

// "de-de" and "DE_DE" name de_DE.
bool SameName(std::string_view typed, std::string_view name) {
  if (typed.size() != name.size()) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = typed[i];
    if (c == '-') {
      c = '_';
    }
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    char n = name[i];
    if (n >= 'A' && n <= 'Z') {
      n = static_cast<char>(n - 'A' + 'a');
    }
    if (c != n) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::span<const std::string_view> NamedLocaleNames() {
  return kNames;
}

std::optional<LocaleFacts> NamedLocaleFacts(std::string_view name) {
  if (SameName(name, "en_US")) {
    return LocaleFacts::UnitedStates();
  }
  if (SameName(name, "en_GB")) {
    return UnitedKingdom();
  }
  if (SameName(name, "en_CA")) {
    return Canada();
  }
  if (SameName(name, "de_DE")) {
    return Germany();
  }
  if (SameName(name, "fr_FR")) {
    return France();
  }
  return std::nullopt;
}

}  // namespace quandrel
