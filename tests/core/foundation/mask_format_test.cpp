#include "core/foundation/mask_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

LocaleFacts UnitedStates() {
  return LocaleFacts::UnitedStates();
}

LocaleFacts Germany() {
  LocaleFacts f;
  f.decimalSeparator = ",";
  f.thousandsSeparator = ".";
  f.currencySymbol = "\u20AC";
  f.currencyPosition = CurrencyPosition::AfterWithSpace;
  f.negativeMoney = NegativeMoneyForm::MinusFirst;
  f.countryCode = 49;
  return f;
}

LocaleFacts Netherlands() {
  LocaleFacts f = Germany();
  f.currencyPosition = CurrencyPosition::BeforeWithSpace;
  f.negativeMoney = NegativeMoneyForm::Parentheses;
  f.countryCode = 31;
  return f;
}

LocaleFacts Denmark() {
  LocaleFacts f = Germany();
  f.currencySymbol = "kr.";
  f.countryCode = 45;
  return f;
}

// A blank as thousands separator (no-break space).
LocaleFacts Sweden() {
  LocaleFacts f = Germany();
  f.thousandsSeparator = "\u00A0";
  f.currencySymbol = "kr";
  f.countryCode = 46;
  return f;
}

TEST(MaskFormat, MaskFactsOfEveryMaskOfTheSuite) {
  struct Row {
    const char* mask;
    int whole;
    int decimals;
    bool grouping;
    bool sign;
    MaskCurrency currency;
  };
  const std::vector<Row> rows = {
      {"$###,###,###.##", 9, 2, true, true, MaskCurrency::Before},
      {"##.####", 2, 4, false, true, MaskCurrency::None},
      {"##.#########", 2, 9, false, true, MaskCurrency::None},
      {"iii,iii", 6, 0, true, true, MaskCurrency::None},
      {"999,999", 6, 0, true, false, MaskCurrency::None},
      {"$###,###,###.########", 9, 8, true, true, MaskCurrency::Before},
      {"#,###.###########", 4, 11, true, true, MaskCurrency::None},
      {"c###,###,###.##", 9, 2, true, true, MaskCurrency::Before},
      {"##,###,###.##CC", 8, 2, true, true, MaskCurrency::After},
      {"CC##,###,###.##", 8, 2, true, true, MaskCurrency::Before},
      {"CCCC###,###.##", 6, 2, true, true, MaskCurrency::Before},
      {"CCC#,###,###.##", 7, 2, true, true, MaskCurrency::Before},
      {"#,###,###.##CCC", 7, 2, true, true, MaskCurrency::After},
  };
  for (const Row& row : rows) {
    const NumberMask m = ParseNumberMask(row.mask);
    EXPECT_EQ(m.text, row.mask);
    EXPECT_EQ(m.wholeDigits, row.whole) << row.mask;
    EXPECT_EQ(m.decimals, row.decimals) << row.mask;
    EXPECT_EQ(m.grouping, row.grouping) << row.mask;
    EXPECT_EQ(m.signAllowed, row.sign) << row.mask;
    EXPECT_EQ(m.currency, row.currency) << row.mask;
  }
}

TEST(MaskFormat, TextsThatAreNotNumberMasksAreRefused) {
  for (const char* mask :
       {"", "X", "XXXXXXXX", "mm/dd/yyyy", "##.##.##", "#.#,#", "$##C", "##C#", "$", "CC"}) {
    EXPECT_THROW(ParseNumberMask(mask), std::invalid_argument) << '"' << mask << '"';
  }
}

struct FormatRow {
  const char* mask;
  LocaleFacts facts;
  double value;
  const char* shown;
};

TEST(MaskFormat, ValuesAreShownAsTheMaskAndLocaleSay) {
  const std::vector<FormatRow> rows = {
      {"$###,###,###.##", UnitedStates(), 1234.5, "$1,234.50"},
      {"$###,###,###.##", UnitedStates(), -1234.5, "($1,234.50)"},
      {"$###,###,###.##", UnitedStates(), 0, "$0.00"},
      {"$###,###,###.##", UnitedStates(), 999999999.99, "$999,999,999.99"},
      // Wider than the mask: written in full rather than cut.
      {"$###,###,###.##", UnitedStates(), 1234567890, "$1,234,567,890.00"},
      // Display rounding is the text engine's: exact binary value, ties away
      // from zero; no minus sign on a value that rounds to zero.
      {"$###,###,###.##", UnitedStates(), 0.125, "$0.13"},
      {"$###,###,###.##", UnitedStates(), -0.125, "($0.13)"},
      {"$###,###,###.##", UnitedStates(), 2.675, "$2.67"},
      {"$###,###,###.##", UnitedStates(), -0.004, "$0.00"},
      {"##.####", UnitedStates(), 8.25, "8.2500"},
      {"##.####", UnitedStates(), 1.03125, "1.0313"},
      {"##.####", UnitedStates(), -0.5, "-0.5000"},
      {"##.####", UnitedStates(), 150, "150.0000"},
      {"##.#########", UnitedStates(), 5.0 / 365.0, "0.013698630"},
      {"iii,iii", UnitedStates(), -1234, "-1,234"},
      {"iii,iii", UnitedStates(), 365, "365"},
      {"999,999", UnitedStates(), 123456, "123,456"},
      {"$###,###,###.########", UnitedStates(), 1234.5, "$1,234.50000000"},
      {"#,###.###########", UnitedStates(), 0.1, "0.10000000000"},
      {"#,###.###########", UnitedStates(), 1234.5, "1,234.50000000000"},
      {"##,###,###.##CC", Germany(), 1234.5, "1.234,50 \u20AC"},
      {"##,###,###.##CC", Germany(), -1234.5, "-1.234,50 \u20AC"},
      {"##.####", Germany(), 8.25, "8,2500"},
      {"c###,###,###.##", Netherlands(), 1234.5, "\u20AC 1.234,50"},
      {"c###,###,###.##", Netherlands(), -2, "(\u20AC 2,00)"},
      {"CCC#,###,###.##", Denmark(), 1234.5, "kr. 1.234,50"},
      {"CCC#,###,###.##", Denmark(), -1, "-kr. 1,00"},
      {"#,###,###.##CCC", Sweden(), 1234567.5, "1\u00A0234\u00A0567,50 kr"},
  };
  for (const FormatRow& row : rows) {
    EXPECT_EQ(FormatMaskedNumber(row.value, ParseNumberMask(row.mask), row.facts), row.shown)
        << row.mask << " " << row.value;
  }
}

struct ParseRow {
  const char* mask;
  LocaleFacts facts;
  const char* text;
  std::optional<double> value;
};

TEST(MaskFormat, TypedTextIsReadOrRefused) {
  const std::optional<double> refused;
  const char* money = "$###,###,###.##";
  const std::vector<ParseRow> rows = {
      // Empty is zero; separators and symbol are optional.
      {money, UnitedStates(), "", 0.0},
      {money, UnitedStates(), "   ", 0.0},
      {money, UnitedStates(), "1234.5", 1234.5},
      {money, UnitedStates(), "1,234.50", 1234.5},
      {money, UnitedStates(), "$1,234.50", 1234.5},
      {money, UnitedStates(), " $ 1,234.50 ", 1234.5},
      {money, UnitedStates(), "1,234,567", 1234567.0},
      {money, UnitedStates(), ".5", 0.5},
      {money, UnitedStates(), "12.", 12.0},
      {money, UnitedStates(), "0001.5", 1.5},
      {money, UnitedStates(), "999,999,999.99", 999999999.99},
      // Every negative form, one sign at most.
      {money, UnitedStates(), "-1234.5", -1234.5},
      {money, UnitedStates(), "-$1,234.50", -1234.5},
      {money, UnitedStates(), "$-1,234.50", -1234.5},
      {money, UnitedStates(), "($1,234.50)", -1234.5},
      {money, UnitedStates(), "1234.50-", -1234.5},
      {money, UnitedStates(), "\u22125", -5.0},
      {money, UnitedStates(), "+12", 12.0},
      {money, UnitedStates(), "--1", refused},
      {money, UnitedStates(), "-(1)", refused},
      {money, UnitedStates(), "+-1", refused},
      {money, UnitedStates(), "1-2", refused},
      {money, UnitedStates(), "1+", refused},
      // Lone signs and symbols, unclosed parentheses.
      {money, UnitedStates(), "-", refused},
      {money, UnitedStates(), "$", refused},
      {money, UnitedStates(), "()", refused},
      {money, UnitedStates(), "(1", refused},
      {money, UnitedStates(), "1)", refused},
      {money, UnitedStates(), ".", refused},
      // Too wide, misplaced separators, letters and other numbers.
      {money, UnitedStates(), "1,000,000,000", refused},
      {money, UnitedStates(), "1234567890", refused},
      {money, UnitedStates(), "1.234", refused},
      {money, UnitedStates(), "1,23", refused},
      {money, UnitedStates(), "12,34", refused},
      {money, UnitedStates(), "1,2345", refused},
      {money, UnitedStates(), ",123", refused},
      {money, UnitedStates(), "1.2.3", refused},
      {money, UnitedStates(), "12a", refused},
      {money, UnitedStates(), "1e5", refused},
      {money, UnitedStates(), "NaN", refused},
      {money, UnitedStates(), "1 2", refused},
      {money, UnitedStates(), "$1$", refused},
      {money, UnitedStates(), "\u20AC5", refused},
      // Rates: no grouping, no symbol, two whole digits.
      {"##.####", UnitedStates(), "8.25", 8.25},
      {"##.####", UnitedStates(), "99.9999", 99.9999},
      {"##.####", UnitedStates(), "-3.5", -3.5},
      {"##.####", UnitedStates(), "100", refused},
      {"##.####", UnitedStates(), "8.12345", refused},
      {"##.####", UnitedStates(), "1,234", refused},
      {"##.####", UnitedStates(), "$8", refused},
      {"##.#########", UnitedStates(), "0.013698630", 0.013698630},
      // Counts.
      {"iii,iii", UnitedStates(), "-1,234", -1234.0},
      {"iii,iii", UnitedStates(), "+5", 5.0},
      {"iii,iii", UnitedStates(), "1.5", refused},
      {"iii,iii", UnitedStates(), "1234567", refused},
      {"999,999", UnitedStates(), "123,456", 123456.0},
      {"999,999", UnitedStates(), "-5", refused},
      {"999,999", UnitedStates(), "(5)", refused},
      // Locale masks read the locale's separators and symbol on either side.
      {"##,###,###.##CC", Germany(), "1.234,50 \u20AC", 1234.5},
      {"##,###,###.##CC", Germany(), "-1.234,50 \u20AC", -1234.5},
      {"##,###,###.##CC", Germany(), "1234,5", 1234.5},
      {"##,###,###.##CC", Germany(), "\u20AC 12", 12.0},
      {"##,###,###.##CC", Germany(), "1.5", refused},
      {"##,###,###.##CC", Germany(), "1,234", refused},
      {"##,###,###.##CC", Germany(), "$12", refused},
      {"##.####", Germany(), "8,25", 8.25},
      {"##.####", Germany(), "8.25", refused},
      {"c###,###,###.##", Netherlands(), "(\u20AC 2,00)", -2.0},
      {"CCC#,###,###.##", Denmark(), "kr. 1.234,50", 1234.5},
      {"CCC#,###,###.##", Denmark(), "kr", refused},
      // A blank thousands separator accepts any blank between groups.
      {"#,###,###.##CCC", Sweden(), "1 234 567,50 kr", 1234567.5},
      {"#,###,###.##CCC", Sweden(), "1\u00A0234,5", 1234.5},
      {"#,###,###.##CCC", Sweden(), "12 34", refused},
  };
  for (const ParseRow& row : rows) {
    EXPECT_EQ(ParseMaskedNumber(row.text, ParseNumberMask(row.mask), row.facts), row.value)
        << row.mask << " \"" << row.text << '"';
  }
}

TEST(MaskFormat, WhatIsShownReadsBackAsTheValue) {
  struct Row {
    const char* mask;
    LocaleFacts facts;
    std::vector<double> values;
  };
  const std::vector<Row> rows = {
      {"$###,###,###.##", UnitedStates(), {0, 1234.5, -1234.5, 0.01, 999999999.99}},
      {"##.####", UnitedStates(), {0, 8.25, -3.125, 99.9999}},
      {"##.#########", UnitedStates(), {0.013698630, -0.5}},
      {"iii,iii", UnitedStates(), {0, -1234, 999999, -999999}},
      {"999,999", UnitedStates(), {0, 7, 123456}},
      {"$###,###,###.########", UnitedStates(), {1234.5, -0.00000001, 0.125}},
      {"#,###.###########", UnitedStates(), {1234.5, -0.5, 0.00000000001}},
      {"c###,###,###.##", Netherlands(), {1234.5, -1234.5}},
      {"##,###,###.##CC", Germany(), {1234.5, -1234.5, 99999999.99}},
      {"CCC#,###,###.##", Denmark(), {1234.5, -1234.5}},
      {"#,###,###.##CCC", Sweden(), {1234567.5, -0.5}},
  };
  for (const Row& row : rows) {
    const NumberMask mask = ParseNumberMask(row.mask);
    for (double value : row.values) {
      const std::string shown = FormatMaskedNumber(value, mask, row.facts);
      EXPECT_EQ(ParseMaskedNumber(shown, mask, row.facts), value) << row.mask << " \"" << shown << '"';
    }
  }
}

TEST(MaskFormat, TypingStates) {
  using S = MaskedInputState;
  struct Row {
    const char* mask;
    LocaleFacts facts;
    const char* text;
    S state;
  };
  const char* money = "$###,###,###.##";
  const std::vector<Row> rows = {
      {money, UnitedStates(), "", S::Acceptable},
      {money, UnitedStates(), "$1,234.50", S::Acceptable},
      // Unfinished: more typing can make these numbers.
      {money, UnitedStates(), "-", S::Intermediate},
      {money, UnitedStates(), "(", S::Intermediate},
      {money, UnitedStates(), "$", S::Intermediate},
      {money, UnitedStates(), ".", S::Intermediate},
      {money, UnitedStates(), "1,23", S::Intermediate},
      // Left by deleting a digit or the "(" of a shown value: never refused.
      {money, UnitedStates(), "$1,34.50", S::Intermediate},
      {money, UnitedStates(), "$1,234.50)", S::Intermediate},
      {"CCC#,###,###.##", Denmark(), "k", S::Intermediate},
      // No further typing helps.
      {money, UnitedStates(), "12a", S::Invalid},
      {money, UnitedStates(), "1.234", S::Invalid},
      {money, UnitedStates(), "1234567890", S::Invalid},
      {money, UnitedStates(), "--", S::Invalid},
      {money, UnitedStates(), "1.2.", S::Invalid},
      {"##.####", UnitedStates(), "1,", S::Invalid},
      {"999,999", UnitedStates(), "-", S::Invalid},
      {"iii,iii", UnitedStates(), "1.", S::Invalid},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CheckMaskedNumberInput(row.text, ParseNumberMask(row.mask), row.facts), row.state)
        << row.mask << " \"" << row.text << '"';
  }
}

TEST(MaskFormat, TwoDigitYearsFallInTheFieldsWindow) {
  struct Row {
    int year;
    int window;
    int full;
  };
  const std::vector<Row> rows = {
      {0, 1950, 2000},  {26, 1950, 2026},   {49, 1950, 2049},   {50, 1950, 1950},
      {99, 1950, 1999}, {0, 1980, 2000},    {79, 1980, 2079},   {80, 1980, 1980},
      {99, 1980, 1999}, {2026, 1950, 2026}, {1600, 1980, 1600}, {100, 1980, 100},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ExpandTwoDigitYear(row.year, row.window), row.full) << row.year << " in " << row.window;
  }
}

TEST(MaskFormat, DateTextsAreReadInThePicturesOrder) {
  struct Row {
    const char* picture;
    int window;
    const char* text;
    std::optional<DayNumber> date;
  };
  const std::optional<DayNumber> none;
  const char* us = "mm/dd/yyyy";
  const std::vector<Row> rows = {
      {us, 1950, "1/5/26", DateFromDMY(5, 1, 2026)},
      {us, 1950, "12/31/49", DateFromDMY(31, 12, 2049)},
      {us, 1950, "12/31/50", DateFromDMY(31, 12, 1950)},
      {us, 1980, "12/31/79", DateFromDMY(31, 12, 2079)},
      {us, 1980, "1/1/80", DateFromDMY(1, 1, 1980)},
      {us, 1980, "12/31/50", DateFromDMY(31, 12, 2050)},
      {us, 1950, "01/05/2026", DateFromDMY(5, 1, 2026)},
      {us, 1980, "01/05/1926", DateFromDMY(5, 1, 1926)},
      {us, 1980, " 1-5-2026 ", DateFromDMY(5, 1, 2026)},
      {us, 1980, "01052026", DateFromDMY(5, 1, 2026)},
      {us, 1950, "123149", DateFromDMY(31, 12, 2049)},
      {us, 1980, "2/29/2024", DateFromDMY(29, 2, 2024)},
      // The ends of the calendar.
      {us, 1980, "1/1/1600", 0},
      {us, 1980, "12/31/3999", kLastDayNumber},
      {us, 1980, "12/31/1599", none},
      {us, 1980, "1/1/4000", none},
      {us, 1980, "1/1/0099", none},
      // Dates that do not exist, and texts that are no dates.
      {us, 1980, "2/29/2023", none},
      {us, 1980, "13/1/2026", none},
      {us, 1980, "1/32/2026", none},
      {us, 1980, "0/1/2026", none},
      {us, 1980, "", none},
      {us, 1980, "1/5", none},
      {us, 1980, "1/5/", none},
      {us, 1980, "1/5/202", none},
      {us, 1980, "001/5/2026", none},
      {us, 1980, "0105202", none},
      {us, 1980, "1/5/26x", none},
      {us, 1980, "a/b/c", none},
      // Other pictures.
      {"dd.mm.yyyy", 1980, "5.1.26", DateFromDMY(5, 1, 2026)},
      {"dd.mm.yyyy", 1980, "31.12.2049", DateFromDMY(31, 12, 2049)},
      {"dd.mm.yyyy", 1980, "12.31.2049", none},
      {"yyyy-mm-dd", 1980, "2026-01-05", DateFromDMY(5, 1, 2026)},
      {"yyyy-mm-dd", 1950, "49-12-31", DateFromDMY(31, 12, 2049)},
      {"yyyy-mm-dd", 1980, "20260105", DateFromDMY(5, 1, 2026)},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ParseDateText(row.text, row.picture, row.window), row.date)
        << row.picture << " \"" << row.text << "\" window " << row.window;
  }
  // Anchors of the expected values above, independent of DateFromDMY.
  EXPECT_EQ(DayOfWeek(*ParseDateText("1/5/26", us, 1950)), 1);  // a Monday
  EXPECT_EQ(*ParseDateText("1/2/1600", us, 1980), 1);
}

TEST(MaskFormat, DateTypingStates) {
  using S = MaskedInputState;
  struct Row {
    const char* text;
    S state;
  };
  const std::vector<Row> rows = {
      {"", S::Intermediate},         {"1/5/", S::Intermediate},
      {"/5/26", S::Intermediate},    {"13/45/2026", S::Intermediate},
      {"0105", S::Intermediate},     {"1/5/26", S::Acceptable},
      {"01/05/2026", S::Acceptable}, {"1/5/20261", S::Invalid},
      {"1/5/26/1", S::Invalid},      {"1a", S::Invalid},
      {"010520261", S::Invalid},     {"1_5", S::Invalid},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CheckDateInput(row.text, "mm/dd/yyyy", 1980), row.state) << '"' << row.text << '"';
  }
}

}  // namespace
}  // namespace quandrel
