#include "core/foundation/masks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

TEST(Masks, CurrencyMaskFollowsTheCountry) {
  struct Row {
    std::uint16_t country;
    const char* mask;
  };
  const std::vector<Row> rows = {
      {31, "c###,###,###.##"}, {32, "##,###,###.##CC"},  {33, "##,###,###.##CC"},  {34, "##,###,###.##CC"},
      {49, "##,###,###.##CC"}, {351, "##,###,###.##CC"}, {358, "##,###,###.##CC"}, {39, "CC##,###,###.##"},
      {41, "CCCC###,###.##"},  {43, "C###,###,###.##"},  {45, "CCC#,###,###.##"},  {47, "CCC#,###,###.##"},
      {55, "CCC#,###,###.##"}, {46, "#,###,###.##CCC"},  {354, "#,###,###.##CCC"}, {1, "$###,###,###.##"},
      {82, "$###,###,###.##"}, {0, "$###,###,###.##"},   {2, "$###,###,###.##"},   {44, "$###,###,###.##"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CurrencyMaskForCountry(row.country), row.mask) << "country " << row.country;
  }
}

TEST(Masks, BuiltFromTheLocaleFacts) {
  LocaleFacts german;
  german.countryCode = 49;
  german.shortDatePicture = "dd.mm.yyyy";
  const TMasks masks(german);
  EXPECT_EQ(masks.Country, 49);
  EXPECT_EQ(masks.CurrencyMask, "##,###,###.##CC");
  EXPECT_EQ(masks.DatePicture, "dd.mm.yyyy");
  EXPECT_EQ(masks.RateMask, "##.####");
  EXPECT_EQ(masks.LongMoneyMask, "$###,###,###.########");
  EXPECT_EQ(masks.LongDecimalMask, "#,###.###########");
  EXPECT_EQ(masks.CountMask, "999,999");

  const TMasks us(LocaleFacts::UnitedStates());
  EXPECT_EQ(us.Country, 1);
  EXPECT_EQ(us.CurrencyMask, "$###,###,###.##");
  EXPECT_EQ(us.DatePicture, "mm/dd/yyyy");
}

TEST(Masks, WindowSetUpReplacesMasksOnlyOutsideTheUnitedStates) {
  LocaleFacts facts;
  facts.countryCode = 49;
  facts.shortDatePicture = "dd.mm.yyyy";
  const TMasks german(facts);
  EXPECT_EQ(german.ReplacementMask(MaskedField::Money), "##,###,###.##CC");
  EXPECT_EQ(german.ReplacementMask(MaskedField::Date), "dd.mm.yyyy");
  // The other kinds follow only where the calculator asks for it.
  EXPECT_EQ(german.ReplacementMask(MaskedField::Rate), std::nullopt);
  EXPECT_EQ(german.ReplacementMask(MaskedField::Count), std::nullopt);
  EXPECT_EQ(german.ReplacementMask(MaskedField::Rate, true), "##.####");
  EXPECT_EQ(german.ReplacementMask(MaskedField::Count, true), "999,999");
  EXPECT_EQ(german.ReplacementMask(MaskedField::LongMoney, true), "$###,###,###.########");
  EXPECT_EQ(german.ReplacementMask(MaskedField::LongDecimal, true), "#,###.###########");

  const TMasks us(LocaleFacts::UnitedStates());
  for (MaskedField field : {MaskedField::Money, MaskedField::Date, MaskedField::Rate, MaskedField::Count,
                            MaskedField::LongMoney, MaskedField::LongDecimal}) {
    EXPECT_EQ(us.ReplacementMask(field, true), std::nullopt);
  }
}

TEST(Masks, DatePictureFromTheLocalePattern) {
  struct Row {
    const char* pattern;
    const char* picture;
  };
  const std::vector<Row> rows = {
      {"M/d/yy", "mm/dd/yyyy"},                // United States
      {"dd.MM.yy", "dd.mm.yyyy"},              // Germany
      {"dd/MM/yyyy", "dd/mm/yyyy"},            // France
      {"dd-MM-yyyy", "dd-mm-yyyy"},            // Netherlands
      {"yyyy-MM-dd", "yyyy-mm-dd"},            // Sweden
      {"mm/dd/yyyy", "mm/dd/yyyy"},            // already a picture
      {"yy. M. d.", "yyyy.mm.dd"},             // too long with its blanks; trailing text dropped
      {"d\u200F/M\u200F/yyyy", "dd/mm/yyyy"},  // direction marks dropped
      {"d MMM yyyy", "dd mm yyyy"},
      {"d 'de' MMMM 'de' y", "dd mm yyyy"},
      {"", "mm/dd/yyyy"},
      {"MM/yyyy", "mm/dd/yyyy"},         // no day
      {"d/d/yy", "mm/dd/yyyy"},          // a field twice
      {"dd---MM---yyyy", "mm/dd/yyyy"},  // longer than 10 characters
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DatePictureFromLocalePattern(row.pattern), row.picture) << "pattern \"" << row.pattern << "\"";
  }
}

TEST(Masks, DateTextWritesTheDateWithThePicture) {
  const DayNumber day = DateFromDMY(5, 1, 2024);
  struct Row {
    const char* picture;
    const char* text;
  };
  const std::vector<Row> rows = {
      {"mm/dd/yyyy", "01/05/2024"}, {"m/d/yyyy", "1/5/2024"}, {"dd.mm.yyyy", "05.01.2024"},
      {"yyyy-mm-dd", "2024-01-05"}, {"d/m/yy", "5/1/24"},     {"DD.MM.YYYY", "05.01.2024"},
      {"y-mmm-ddd", "2024-01-05"},  {"[mm/dd]", "[01/05]"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DateText(row.picture, day), row.text) << "picture \"" << row.picture << "\"";
  }
  EXPECT_EQ(DateText("m/d/yyyy", DateFromDMY(31, 12, 3999)), "12/31/3999");
  EXPECT_EQ(DateText("dd.mm.yy", DateFromDMY(1, 1, 1600)), "01.01.00");
  EXPECT_EQ(DateText("mm/dd/yyyy", BadDate), "");
  EXPECT_EQ(DateText("mm/dd/yyyy", kLastDayNumber + 1), "");

  LocaleFacts facts;
  facts.shortDatePicture = "dd.mm.yyyy";
  EXPECT_EQ(TMasks(facts).DateText(DateFromDMY(29, 2, 2000)), "29.02.2000");
}

}  // namespace
}  // namespace quandrel
