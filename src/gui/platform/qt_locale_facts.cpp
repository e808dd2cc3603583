#include "gui/platform/qt_locale_facts.h"

#include <QString>
#include <array>
#include <utility>

#include "core/foundation/masks.h"

namespace quandrel {
namespace {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}

struct NumberSpan {
  qsizetype first = -1;  // first and last digit of the number
  qsizetype last = -1;
};

NumberSpan FindNumber(const QString& text) {
  NumberSpan span;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i).isDigit()) {
      if (span.first < 0)
        span.first = i;
      span.last = i;
    }
  }
  return span;
}

bool OnlySpaces(const QString& text, qsizetype from, qsizetype to) {
  if (from >= to)
    return false;
  for (qsizetype i = from; i < to; ++i) {
    if (!text.at(i).isSpace())
      return false;
  }
  return true;
}

// Where the symbol stands in the locale's writing of 1, and how many
// decimals it gives.
void ReadCurrencyPosition(const QLocale& locale, LocaleFacts& facts) {
  const QString one = locale.toCurrencyString(1.0);
  const NumberSpan number = FindNumber(one);
  const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
  if (number.first < 0)
    return;
  const qsizetype point = one.indexOf(locale.decimalPoint(), number.first);
  int decimals = 0;
  if (point >= 0 && point < number.last) {
    for (qsizetype i = point + locale.decimalPoint().size(); i < one.size() && one.at(i).isDigit(); ++i) {
      ++decimals;
    }
  }
  facts.currencyDecimals = decimals;
  const qsizetype at = symbol.isEmpty() ? -1 : one.indexOf(symbol);
  if (at < 0)
    return;
  if (at < number.first) {
    facts.currencyPosition = OnlySpaces(one, at + symbol.size(), number.first)
                                 ? CurrencyPosition::BeforeWithSpace
                                 : CurrencyPosition::Before;
  } else {
    facts.currencyPosition =
        OnlySpaces(one, number.last + 1, at) ? CurrencyPosition::AfterWithSpace : CurrencyPosition::After;
  }
}

// The negative form from the locale's writing of -1.
NegativeMoneyForm ReadNegativeForm(const QLocale& locale, CurrencyPosition position) {
  const QString minusOne = locale.toCurrencyString(-1.0);
  if (minusOne.contains(QLatin1Char('(')))
    return NegativeMoneyForm::Parentheses;
  const NumberSpan number = FindNumber(minusOne);
  qsizetype sign = minusOne.indexOf(locale.negativeSign());
  if (sign < 0)
    sign = minusOne.indexOf(QLatin1Char('-'));
  if (sign < 0)
    sign = minusOne.indexOf(QChar(0x2212));
  if (sign < 0 || number.first < 0)
    return NegativeMoneyForm::MinusFirst;
  const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
  const qsizetype at = symbol.isEmpty() ? -1 : minusOne.indexOf(symbol);
  const bool symbolBefore =
      position == CurrencyPosition::Before || position == CurrencyPosition::BeforeWithSpace;
  if (sign < number.first) {
    return (at >= 0 && symbolBefore && at < sign) ? NegativeMoneyForm::MinusBeforeNumber
                                                  : NegativeMoneyForm::MinusFirst;
  }
  return (at >= 0 && !symbolBefore && sign < at) ? NegativeMoneyForm::MinusAfterNumber
                                                 : NegativeMoneyForm::MinusLast;
}

}  // namespace

std::uint16_t CountryCodeForTerritory(QLocale::Territory territory) {
  static const std::array<std::pair<QLocale::Territory, std::uint16_t>, 67> kCodes = {{
      {QLocale::UnitedStates, 1},
      {QLocale::Canada, 2},
      {QLocale::Russia, 7},
      {QLocale::Egypt, 20},
      {QLocale::SouthAfrica, 27},
      {QLocale::Greece, 30},
      {QLocale::Netherlands, 31},
      {QLocale::Belgium, 32},
      {QLocale::France, 33},
      {QLocale::Spain, 34},
      {QLocale::Hungary, 36},
      {QLocale::Italy, 39},
      {QLocale::Romania, 40},
      {QLocale::Switzerland, 41},
      {QLocale::Austria, 43},
      {QLocale::UnitedKingdom, 44},
      {QLocale::Denmark, 45},
      {QLocale::Sweden, 46},
      {QLocale::Norway, 47},
      {QLocale::Poland, 48},
      {QLocale::Germany, 49},
      {QLocale::Peru, 51},
      {QLocale::Mexico, 52},
      {QLocale::Argentina, 54},
      {QLocale::Brazil, 55},
      {QLocale::Chile, 56},
      {QLocale::Colombia, 57},
      {QLocale::Venezuela, 58},
      {QLocale::Malaysia, 60},
      {QLocale::Australia, 61},
      {QLocale::Indonesia, 62},
      {QLocale::Philippines, 63},
      {QLocale::NewZealand, 64},
      {QLocale::Singapore, 65},
      {QLocale::Thailand, 66},
      {QLocale::Japan, 81},
      {QLocale::SouthKorea, 82},
      {QLocale::Vietnam, 84},
      {QLocale::China, 86},
      {QLocale::Turkey, 90},
      {QLocale::India, 91},
      {QLocale::Pakistan, 92},
      {QLocale::Iran, 98},
      {QLocale::Morocco, 212},
      {QLocale::Portugal, 351},
      {QLocale::Luxembourg, 352},
      {QLocale::Ireland, 353},
      {QLocale::Iceland, 354},
      {QLocale::Malta, 356},
      {QLocale::Cyprus, 357},
      {QLocale::Finland, 358},
      {QLocale::Bulgaria, 359},
      {QLocale::Lithuania, 370},
      {QLocale::Latvia, 371},
      {QLocale::Estonia, 372},
      {QLocale::Ukraine, 380},
      {QLocale::Serbia, 381},
      {QLocale::Croatia, 385},
      {QLocale::Slovenia, 386},
      {QLocale::CzechRepublic, 420},
      {QLocale::Slovakia, 421},
      {QLocale::Liechtenstein, 423},
      {QLocale::HongKong, 852},
      {QLocale::Taiwan, 886},
      {QLocale::Israel, 972},
      {QLocale::SaudiArabia, 966},
      {QLocale::UnitedArabEmirates, 971},
  }};
  for (const auto& [candidate, code] : kCodes) {
    if (candidate == territory)
      return code;
  }
  return 1;
}

LocaleFacts LocaleFactsFromQLocale(const QLocale& locale) {
  if (locale.language() == QLocale::C)
    return LocaleFacts::UnitedStates();
  LocaleFacts facts;
  facts.decimalSeparator = Utf8(locale.decimalPoint());
  facts.thousandsSeparator = Utf8(locale.groupSeparator());
  facts.currencySymbol = Utf8(locale.currencySymbol(QLocale::CurrencySymbol));
  ReadCurrencyPosition(locale, facts);
  facts.negativeMoney = ReadNegativeForm(locale, facts.currencyPosition);
  facts.shortDatePicture = DatePictureFromLocalePattern(Utf8(locale.dateFormat(QLocale::ShortFormat)));
  // QLocale numbers the days 1 = Monday .. 7 = Sunday.
  facts.weekdayNames[0] = Utf8(locale.dayName(7, QLocale::LongFormat));
  for (int day = 1; day <= 6; ++day) {
    facts.weekdayNames[static_cast<std::size_t>(day)] = Utf8(locale.dayName(day, QLocale::LongFormat));
  }
  facts.countryCode = CountryCodeForTerritory(locale.territory());
  return facts;
}

LocaleFacts InstallLocaleFacts(const QLocale& locale) {
  LocaleFacts facts = LocaleFactsFromQLocale(locale);
  ApplyWeekdayNames(facts);
  return facts;
}

}  // namespace quandrel
