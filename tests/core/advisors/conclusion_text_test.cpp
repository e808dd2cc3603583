#include "core/advisors/conclusion_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/advisors/advisor_exception.h"

namespace quandrel::advisor {
namespace {

using Lines = std::vector<std::string>;

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) {
    text += piece;
  }
  return text;
}

TEST(WrapParagraph, BreaksAtTheLastBlankWithinTheWidth) {
  // Nine-letter words: eight of them with their blanks take 79 characters, a
  // ninth would make 89.
  const std::string word = "abcdefghi";
  const std::string eight = Repeat(word + " ", 7) + word;
  const std::string four = Repeat(word + " ", 3) + word;
  EXPECT_EQ(WrapParagraph(Repeat(word + " ", 19) + word), (Lines{eight, eight, four}));

  const std::string full(85, 'x');
  struct Case {
    std::string paragraph;
    Lines lines;
  };
  const Case cases[] = {
      {"Short.", {"Short."}},
      {"", {}},
      // A line of exactly the width, then the rest.
      {full + " y", {full, "y"}},
      {full, {full}},
      // A word longer than a line is cut at the width.
      {std::string(90, 'x'), {full, std::string(5, 'x')}},
      // Several blanks at a break go with it, and so do blanks at the end.
      {std::string(80, 'a') + "    bcdefgh   ", {std::string(80, 'a'), "bcdefgh"}},
      // Leading blanks are text (an indent); a long word after them does not break there.
      {"  " + std::string(90, 'z'), {"  " + std::string(83, 'z'), std::string(7, 'z')}},
      // Line ends inside the paragraph keep their place.
      {"First line.\r\nSecond line.\nThird.\rFourth.", {"First line.", "Second line.", "Third.", "Fourth."}},
      {"Before.\r\n\r\nAfter.", {"Before.", "", "After."}},
      // Characters, not bytes: each euro sign is one of the 85.
      {std::string(84, 'a') + "\u20AC b", {std::string(84, 'a') + "\u20AC", "b"}},
      {Repeat("\u20AC", 86), {Repeat("\u20AC", 85), "\u20AC"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WrapParagraph(c.paragraph), c.lines) << c.paragraph;
  }
  EXPECT_EQ(WrapParagraph("one two three", 7), (Lines{"one two", "three"}));
  EXPECT_THROW(WrapParagraph("text", 0), std::invalid_argument);
}

TEST(TConclusionText, ParagraphsKeepTheirCapacityAndWrapWithAnEmptyLineAfterEach) {
  TConclusionText text({20, 8, 30});
  EXPECT_EQ(text.ParagraphCount(), 3U);
  EXPECT_TRUE(text.Append(0, "Leasing costs less."));
  EXPECT_TRUE(text.Append(2, "Buy "));
  EXPECT_TRUE(text.Append(2, "it."));
  EXPECT_EQ(text.Paragraph(2), "Buy it.");
  // Paragraph 1 is empty and shows nothing.
  EXPECT_EQ(text.Lines(), (Lines{"Leasing costs less.", "", "Buy it.", ""}));

  // What goes beyond a capacity is left off, never half a character.
  EXPECT_FALSE(text.Append(1, "1234567\u20AC9"));
  EXPECT_EQ(text.Paragraph(1), "1234567\u20AC");
  EXPECT_FALSE(text.Append(1, "x"));
  EXPECT_EQ(text.Paragraph(1), "1234567\u20AC");

  text.Clear();
  EXPECT_TRUE(text.Lines().empty());
  EXPECT_TRUE(text.Append(1, "12345678"));

  EXPECT_THROW(text.Append(3, "x"), std::out_of_range);
  EXPECT_THROW(TConclusionText({1, 1, 1, 1, 1, 1}), std::invalid_argument);
  EXPECT_THROW(TConclusionText({10, 0}), std::invalid_argument);
}

TEST(AdvisorCentsRound, HalvesGoAwayFromZeroThroughTheDecimalText) {
  struct Case {
    double value;
    std::int64_t units;
  };
  const Case cases[] = {
      {2.675, 26800},  // the binary value lies just below 2.675
      {-2.675, -26800},
      {0.285, 2900},
      {2.665, 26700},
      {2.6749, 26700},
      {0.005, 100},
      {0.0049, 0},
      {0.0005, 0},
      {1234567.891, 12345678900},
      {-0.004, 0},
      {0, 0},
      {98765432109.125, 987654321091300},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdvisorCentsRound(c.value).Units(), c.units) << c.value;
  }
  for (const double bad :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e17}) {
    try {
      AdvisorCentsRound(bad);
      ADD_FAILURE() << bad;
    } catch (const EAdvisorException& e) {
      EXPECT_EQ(e.Code(), 125);
    }
  }

  EXPECT_EQ(AdvisorCentsRound(Currency::FromUnits(26750)).Units(), 26800);
  EXPECT_EQ(AdvisorCentsRound(Currency::FromUnits(-26750)).Units(), -26800);
  EXPECT_EQ(AdvisorCentsRound(Currency::FromUnits(26749)).Units(), 26700);
  EXPECT_EQ(AdvisorCentsRound(Currency::FromUnits(-26749)).Units(), -26700);
}

TEST(AdvisorMoneyText, WrittenWithTheCurrencyMaskOrTheLocaleFormat) {
  const LocaleFacts us = LocaleFacts::UnitedStates();
  const TMasks usMasks;
  EXPECT_EQ(AdvisorMoneyText(Currency::FromUnits(12345050), usMasks, us), "$1,234.51");
  EXPECT_EQ(AdvisorMoneyText(Currency::FromUnits(-12345050), usMasks, us), "($1,234.51)");
  EXPECT_EQ(AdvisorMoneyText(Currency(), usMasks, us), "$0.00");

  LocaleFacts german;
  german.decimalSeparator = ",";
  german.thousandsSeparator = ".";
  german.currencySymbol = "\u20AC";
  german.currencyPosition = CurrencyPosition::AfterWithSpace;
  german.negativeMoney = NegativeMoneyForm::MinusFirst;
  german.countryCode = 49;
  TMasks germanMasks;
  germanMasks.Country = 49;
  germanMasks.CurrencyMask = "##,###,###.##CC";
  EXPECT_EQ(AdvisorMoneyText(Currency::FromUnits(12345050), germanMasks, german), "1.234,51 \u20AC");

  EXPECT_EQ(LoanCompareMoneyText(Currency::FromUnits(12345050), us), "$1,234.51");
  EXPECT_EQ(LoanCompareMoneyText(Currency::FromUnits(-5), us), "$0.00");
  EXPECT_EQ(LoanCompareMoneyText(Currency::FromUnits(-12345050), german), "-1.234,51 \u20AC");
}

}  // namespace
}  // namespace quandrel::advisor
