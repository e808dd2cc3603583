#include "core/foundation/text_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace quandrel {
namespace {

// A bool or a character is not an integer argument: it does not compile.
static_assert(!std::is_constructible_v<FormatArg, bool>);
static_assert(!std::is_constructible_v<FormatArg, char>);

struct Case {
  const char* pattern;
  std::vector<FormatArg> args;
  std::string expected;
};

void ExpectCases(const std::vector<Case>& cases, const LocaleFacts& facts) {
  for (const Case& c : cases) {
    EXPECT_EQ(FormatLine(c.pattern, c.args, facts), c.expected) << "pattern \"" << c.pattern << "\"";
  }
}

LocaleFacts GermanFacts() {
  LocaleFacts f;
  f.decimalSeparator = ",";
  f.thousandsSeparator = ".";
  f.currencySymbol = "\u20AC";
  f.currencyPosition = CurrencyPosition::AfterWithSpace;
  f.negativeMoney = NegativeMoneyForm::MinusFirst;
  f.countryCode = 49;
  return f;
}

const Extended kInfinity = std::numeric_limits<Extended>::infinity();

TEST(TextFormat, IntegersAndTexts) {
  ExpectCases(
      {
          {"%d", {0}, "0"},
          {"%d", {-42}, "-42"},
          {"%5d", {42}, "   42"},
          {"%-5d|", {42}, "42   |"},
          {"%.4d", {42}, "0042"},
          {"%6.4d", {-42}, " -0042"},
          {"%2d", {12345}, "12345"},  // a longer text is never cut
          {"%d", {std::numeric_limits<std::int64_t>::min()}, "-9223372036854775808"},
          {"%d", {std::numeric_limits<std::uint64_t>::max()}, "18446744073709551615"},
          {"%x", {255}, "FF"},
          {"%.4x", {255}, "00FF"},
          {"%x", {std::int32_t{-1}}, "FFFFFFFF"},
          {"%x", {std::int64_t{-2}}, "FFFFFFFFFFFFFFFE"},
          {"%x", {std::int16_t{-1}}, "FFFF"},
          {"%s", {"abc"}, "abc"},
          {"%6s", {"abc"}, "   abc"},
          {"%-6s|", {std::string("abc")}, "abc   |"},
          {"%.2s", {"abc"}, "ab"},
          {"%.0s|", {"abc"}, "|"},
          {"%2s", {"abcdef"}, "abcdef"},
          {"%3s", {""}, "   "},
          // Widths and precisions count characters, not bytes.
          {"%4s", {"\u20AC1"}, "  \u20AC1"},
          {"%.1s", {"\u20ACuro"}, "\u20AC"},
          {"%d%% of %s", {5, "total"}, "5% of total"},
          {"100%%", {}, "100%"},
      },
      LocaleFacts::UnitedStates());
}

TEST(TextFormat, FixedPointRoundsTheExactValueHalfAwayFromZero) {
  ExpectCases(
      {
          {"%f", {1234.5}, "1234.50"},
          {"%f", {0.0}, "0.00"},
          {"%.0f", {0.5}, "1"},
          {"%.0f", {-0.5}, "-1"},
          {"%.0f", {2.5}, "3"},  // not to even
          {"%.0f", {9.5}, "10"},
          {"%.2f", {0.125}, "0.13"},  // exactly halfway in binary
          {"%.2f", {-0.125}, "-0.13"},
          {"%-8.1f|", {2.25}, "2.3     |"},
          // The double nearest 2.675 is 2.67499999999999982236...; nearest
          // 1.005 is 1.00499999999999989341...; nearest 0.05 is 0.0500000000000000027...
          {"%.2f", {2.675}, "2.67"},
          {"%.2f", {1.005}, "1.00"},
          {"%.1f", {0.05}, "0.1"},
          // 999.995 is stored as 999.99500000000000454...: up, with a carry.
          {"%.2f", {999.995}, "1000.00"},
          // 1.115 lies below as a double but above as an extended.
          {"%.2f", {1.115}, "1.11"},
          {"%.2f", {1.115L}, "1.12"},
          {"%.2f", {0.1f}, "0.10"},
          {"%.9f", {0.1f}, "0.100000001"},  // 0.100000001490116...
          {"%.20f", {0.1}, "0.10000000000000000555"},
          {"%.0f", {1e20}, "100000000000000000000"},
          {"%.1f", {18446744073709551616.0L}, "18446744073709551616.0"},
          {"%8.2f", {-3.14159}, "   -3.14"},
          // Values that round to zero have no minus sign.
          {"%.2f", {-0.004}, "0.00"},
          {"%.2f", {-0.0}, "0.00"},
          {"%.0f", {-0.4999}, "0"},
          {"%.3f", {-1e-300}, "0.000"},
          {"%.2f", {std::numeric_limits<Extended>::denorm_min()}, "0.00"},
          {"%f", {kInfinity}, "Inf"},
          {"%f", {-kInfinity}, "-Inf"},
          {"%6f", {std::numeric_limits<double>::quiet_NaN()}, "   NaN"},
      },
      LocaleFacts::UnitedStates());
}

TEST(TextFormat, ThousandsSeparatorsAndMoney) {
  ExpectCases(
      {
          {"%n", {1234567.891}, "1,234,567.89"},
          {"%16.4n", {5.0}, "          5.0000"},
          {"%n", {-1234.5}, "-1,234.50"},
          {"%n", {999.999}, "1,000.00"},
          {"%n", {123456.0}, "123,456.00"},
          {"%.0n", {100.0}, "100"},
          {"%n", {-0.001}, "0.00"},
          {"%m", {1234.56}, "$1,234.56"},
          {"%m", {-1234.56}, "($1,234.56)"},
          {"%16.2m", {1234.56}, "       $1,234.56"},
          {"%16.2m", {-1234.56}, "     ($1,234.56)"},
          {"%m", {0.0}, "$0.00"},
          {"%m", {-0.001}, "$0.00"},
          {"%m", {1e6}, "$1,000,000.00"},
          {"%.0m", {2.5}, "$3"},
          {"%.4m", {1.5}, "$1.5000"},
          // Currency amounts are exact in their 1/10000 units.
          {"%m", {Currency::FromUnits(26750)}, "$2.68"},
          {"%m", {Currency::FromUnits(-50)}, "($0.01)"},
          {"%m", {Currency::FromUnits(-49)}, "$0.00"},
          {"%.4n", {Currency::FromUnits(-123456789)}, "-12,345.6789"},
          {"%f", {Currency::FromUnits(std::numeric_limits<std::int64_t>::min())}, "-922337203685477.58"},
          {"%m", {-kInfinity}, "-Inf"},
      },
      LocaleFacts::UnitedStates());
}

TEST(TextFormat, ScientificAndGeneral) {
  ExpectCases(
      {
          {"%e", {1234.5}, "1.23450000000000E+003"},
          {"%.3e", {1234.5}, "1.23E+003"},
          {"%.1e", {0.25}, "3E-001"},
          {"%.0e", {0.25}, "3E-001"},  // at least one significant digit
          {"%.2e", {-9.99}, "-1.0E+001"},
          {"%.3e", {1e-300}, "1.00E-300"},
          {"%.3e", {1e100}, "1.00E+100"},
          {"%.2e", {1e4000L}, "1.0E+4000"},
          {"%e", {0.0}, "0.00000000000000E+000"},
          {"%.2e", {-0.0}, "0.0E+000"},
          {"%g", {0.1}, "0.1"},
          {"%g", {1.0 / 3.0}, "0.333333333333333"},
          {"%g", {100.0}, "100"},
          {"%g", {123456789012345.0}, "123456789012345"},
          {"%g", {1e15}, "1E+015"},
          {"%g", {1234567890123456789.0}, "1.23456789012346E+018"},
          {"%g", {0.0001}, "0.0001"},
          {"%g", {0.00001}, "1E-005"},
          {"%g", {-2.5}, "-2.5"},
          {"%g", {0.1 + 0.2}, "0.3"},
          {"%.3g", {2.0 / 3.0}, "0.667"},
          {"%.2g", {1250.0}, "1.3E+003"},
          {"%g", {0.0}, "0"},
          {"%g", {-0.0}, "0"},
          {"%5g", {kInfinity}, "  Inf"},
      },
      LocaleFacts::UnitedStates());
}

TEST(TextFormat, CopyLineOfACalculator) {
  const LocaleFacts us = LocaleFacts::UnitedStates();
  EXPECT_EQ(FormatLine("%-34s %16.2m\r\n", {"Amount?:", 1234.56}, us),
            "Amount?:" + std::string(26, ' ') + " " + std::string(7, ' ') + "$1,234.56\r\n");
  EXPECT_EQ(FormatLine("\t%-24s\t%16.4n", {"Annual Rate? (%):", 6.5}, us),
            "\tAnnual Rate? (%):" + std::string(7, ' ') + "\t" + std::string(10, ' ') + "6.5000");
  // The argument list can be built at run time.
  const std::vector<FormatArg> args = {"Number of Days? (#):", 365};
  EXPECT_EQ(FormatLine("%-34s %16d", args, us), "Number of Days? (#):" + std::string(28, ' ') + "365");
}

TEST(TextFormat, LocaleSeparatorsAndCurrencyForms) {
  ExpectCases(
      {
          {"%m", {-1234.5}, "-1.234,50 \u20AC"},
          {"%m", {1234.5}, "1.234,50 \u20AC"},
          {"%12.2m", {1.0}, "      1,00 \u20AC"},  // "€" is one character
          {"%n", {1234567.125}, "1.234.567,13"},
          {"%f", {2.5}, "2,50"},
          {"%e", {1.5}, "1,50000000000000E+000"},
          {"%g", {0.5}, "0,5"},
          {"%d", {-1234567}, "-1234567"},
      },
      GermanFacts());

  LocaleFacts french = GermanFacts();
  french.thousandsSeparator = "\u202F";
  french.negativeMoney = NegativeMoneyForm::Parentheses;
  french.countryCode = 33;
  ExpectCases({{"%16.2m", {-1234.5}, "    (1\u202F234,50 \u20AC)"}}, french);

  struct Form {
    std::string symbol;
    CurrencyPosition position;
    NegativeMoneyForm negative;
    std::string expected;  // of -1.5 with two decimals
  };
  const std::vector<Form> forms = {
      {"$", CurrencyPosition::Before, NegativeMoneyForm::MinusFirst, "-$1.50"},
      {"$", CurrencyPosition::Before, NegativeMoneyForm::MinusBeforeNumber, "$-1.50"},
      {"$", CurrencyPosition::Before, NegativeMoneyForm::MinusAfterNumber, "$1.50-"},
      {"CHF", CurrencyPosition::BeforeWithSpace, NegativeMoneyForm::MinusLast, "CHF 1.50-"},
      {"CHF", CurrencyPosition::BeforeWithSpace, NegativeMoneyForm::MinusBeforeNumber, "CHF -1.50"},
      {"kr", CurrencyPosition::After, NegativeMoneyForm::MinusAfterNumber, "1.50-kr"},
      {"kr", CurrencyPosition::AfterWithSpace, NegativeMoneyForm::MinusAfterNumber, "1.50- kr"},
      {"kr", CurrencyPosition::AfterWithSpace, NegativeMoneyForm::MinusLast, "1.50 kr-"},
      {"kr", CurrencyPosition::AfterWithSpace, NegativeMoneyForm::Parentheses, "(1.50 kr)"},
      {"", CurrencyPosition::AfterWithSpace, NegativeMoneyForm::MinusFirst, "-1.50"},
  };
  for (const Form& form : forms) {
    LocaleFacts f;
    f.currencySymbol = form.symbol;
    f.currencyPosition = form.position;
    f.negativeMoney = form.negative;
    EXPECT_EQ(FormatLine("%m", {-1.5}, f), form.expected);
  }

  // The locale's currency decimals are the default precision of %m.
  LocaleFacts yen;
  yen.currencySymbol = "\uFFE5";
  yen.currencyDecimals = 0;
  ExpectCases({{"%m", {1234.5}, "\uFFE51,235"}, {"%.2m", {1234.5}, "\uFFE51,234.50"}}, yen);
}

TEST(TextFormat, ProgrammingErrorsThrow) {
  const LocaleFacts us = LocaleFacts::UnitedStates();
  const std::vector<Case> errors = {
      {"%d", {1.5}, ""},                     // a real to an integer conversion
      {"%x", {Currency::FromWhole(1)}, ""},  // Currency is not an integer
      {"%f", {"1.5"}, ""},                   // a text to a real conversion
      {"%m", {15}, ""},                      // an integer to money
      {"%s", {15}, ""},                      // an integer to a text conversion
      {"%s", {static_cast<const char*>(nullptr)}, ""},
      {"%d %d", {1}, ""},  // too few arguments
      {"total", {1}, ""},  // too many
      {"%", {1}, ""},      // a conversion without a type
      {"%-5", {1}, ""},
      {"%q", {1}, ""},  // unknown type
      {"%D", {1}, ""},
      {"%-%", {}, ""},
      {"%.f", {1.0}, ""},   // a precision without digits
      {"%1001d", {1}, ""},  // width above the limit
      {"%99999999999999999999d", {1}, ""},
      {"%.101f", {1.0}, ""},  // precision above the limit
  };
  for (const Case& c : errors) {
    EXPECT_THROW((void)FormatLine(c.pattern, c.args, us), std::logic_error)
        << "pattern \"" << c.pattern << "\"";
  }
}

}  // namespace
}  // namespace quandrel
