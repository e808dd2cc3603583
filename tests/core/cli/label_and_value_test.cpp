#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cli/label_match.h"
#include "core/cli/usage_error.h"
#include "core/cli/value_parse.h"
#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

// Two loans side by side: captions that repeat.
const std::vector<std::string> kCaptions = {
    "Amount?:", "Annual Rate? (%):", "Payment:", "Rate Basis?:", "Payment:", "Daily Periodic Rate:"};

TEST(LabelMatchTest, MatchesIgnoringCaseBlanksAndPunctuation) {
  struct Case {
    std::string_view typed;
    std::size_t index;
  };
  const Case cases[] = {
      {"annualrate", 1}, {"Annual Rate? (%):", 1}, {"ANNUAL_RATE", 1}, {"amount", 0},
      {"rate basis", 3}, {"payment#1", 2},         {"Payment:#2", 4},  {"daily-periodic-rate", 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveLabel(kCaptions, c.typed, "field"), c.index) << c.typed;
  }
}

TEST(LabelMatchTest, AmbiguousAndUnknownLabelsNameTheCandidates) {
  struct Case {
    std::string_view typed;
    std::vector<std::string_view> named;
  };
  const Case cases[] = {
      {"payment", {"\"Payment:#1\"", "\"Payment:#2\"", "#n"}},
      {"payment#3", {"#3", "\"Payment:#1\"", "\"Payment:#2\""}},
      {"rate", {"matches no field", "\"Annual Rate? (%):\"", "\"Rate Basis?:\"", "\"Daily Periodic Rate:\""}},
      {"zzz", {"matches no field", "\"Amount?:\"", "\"Payment:#2\""}},
      {"", {"matches no field"}},
      {"amount#2", {"#2", "only 1 time"}},
  };
  for (const Case& c : cases) {
    try {
      ResolveLabel(kCaptions, c.typed, "field");
      ADD_FAILURE() << c.typed << " was accepted";
    } catch (const EUsageError& error) {
      for (const std::string_view part : c.named) {
        EXPECT_NE(std::string(error.what()).find(part), std::string::npos) << error.what();
      }
    }
  }
}

TEST(LabelMatchTest, RepeatedCaptionsGetTheirNumberInOutput) {
  EXPECT_EQ(DistinctLabels(kCaptions),
            (std::vector<std::string>{"Amount?:", "Annual Rate? (%):", "Payment:#1",
                                      "Rate Basis?:", "Payment:#2", "Daily Periodic Rate:"}));
}

FieldSpec Number(std::string_view mask, FieldType type = FieldType::Double) {
  FieldSpec field;
  field.type = type;
  field.mask = mask;
  return field;
}

TEST(ValueParseTest, NumbersMustBePlainAndFitTheMask) {
  struct Case {
    FieldSpec field;
    std::string_view text;
    std::optional<double> value;  // nothing: refused
  };
  const Case cases[] = {
      {Number("$###,###,###.##"), "1000", 1000},
      {Number("$###,###,###.##"), " -1234.56 ", -1234.56},
      {Number("$###,###,###.##"), "+.5", 0.5},
      {Number("$###,###,###.##"), "999999999.99", 999999999.99},
      {Number("$###,###,###.##"), "1000000000", std::nullopt},  // ten whole digits
      {Number("$###,###,###.##"), "1.005", std::nullopt},       // three decimals
      {Number("$###,###,###.##"), "1.500", 1.5},                // trailing zeros are no decimals
      {Number("$###,###,###.##"), "1,000", std::nullopt},
      {Number("$###,###,###.##"), "$5", std::nullopt},
      {Number("$###,###,###.##"), "1e3", std::nullopt},
      {Number("$###,###,###.##"), "nan", std::nullopt},
      {Number("$###,###,###.##"), "", std::nullopt},
      {Number("$###,###,###.##"), "-", std::nullopt},
      {Number("$###,###,###.##"), "1.2.3", std::nullopt},
      {Number("999,999"), "-1", std::nullopt},  // a "9" mask holds no negatives
      {Number("##.####", FieldType::Single), "5.1234", static_cast<double>(5.1234f)},
      {Number("iii,iii", FieldType::Int32), "-30", -30},
      {Number("iii,iii", FieldType::Int32), "365.0", 365},
      {Number("iii,iii", FieldType::Int32), "36.5", std::nullopt},
      {Number("iii,iii", FieldType::Int32), "1000000", std::nullopt},
  };
  for (const Case& c : cases) {
    if (c.value) {
      const FieldValue value = ParseFieldValue(c.field, c.text);
      EXPECT_EQ(c.field.type == FieldType::Int32 ? value.integer : value.number, *c.value) << c.text;
    } else {
      EXPECT_THROW(ParseFieldValue(c.field, c.text), EUsageError) << c.text;
    }
  }
  FieldSpec days = Number("", FieldType::Int32);
  days.range = kInt16Range;
  EXPECT_THROW(ParseFieldValue(days, "40000"), EUsageError);
}

TEST(ValueParseTest, DatesAreIsoOrUnitedStates) {
  struct Case {
    std::string_view text;
    DayNumber day;  // BadDate: refused
  };
  const Case cases[] = {
      {"2026-01-01", DateFromDMY(1, 1, 2026)},
      {"01/01/2026", DateFromDMY(1, 1, 2026)},
      {"2/29/2024", DateFromDMY(29, 2, 2024)},
      {"1600-01-01", DateFromDMY(1, 1, 1600)},
      {"3999-12-31", DateFromDMY(31, 12, 3999)},
      {"2026-02-30", BadDate},
      {"2025-02-29", BadDate},
      {"1599-12-31", BadDate},
      {"4000-01-01", BadDate},
      {"01/01/26", BadDate},
      {"2026/01/01", BadDate},
      {"2026-1-1x", BadDate},
      {"13/01/2026", BadDate},
      {"", BadDate},
  };
  for (const Case& c : cases) {
    const auto day = ParseCommandLineDate(c.text);
    EXPECT_EQ(day.value_or(BadDate), c.day) << c.text;
  }
  EXPECT_EQ(IsoDateText(DateFromDMY(5, 3, 1600)), "1600-03-05");
}

TEST(ValueParseTest, ChoicesByTextOrPositionAndCheckBoxesByYesNo) {
  FieldSpec compounding;
  compounding.kind = FieldKind::Choice;
  compounding.type = FieldType::Choice;
  compounding.items = {ChoiceList::CompoundingPeriods};
  EXPECT_EQ(ParseFieldValue(compounding, "Annually").integer, 10);
  EXPECT_EQ(ParseFieldValue(compounding, "every 4 weeks").integer, 5);
  EXPECT_EQ(ParseFieldValue(compounding, "twicemonthly").integer, 4);
  EXPECT_EQ(ParseFieldValue(compounding, "0").integer, 0);  // positions count from 0
  EXPECT_EQ(ParseFieldValue(compounding, "11").integer, 11);
  EXPECT_THROW(ParseFieldValue(compounding, "12"), EUsageError);
  EXPECT_THROW(ParseFieldValue(compounding, "-1"), EUsageError);
  EXPECT_THROW(ParseFieldValue(compounding, "Hourly"), EUsageError);

  FieldSpec basis = compounding;
  basis.items = {ChoiceList::RateBases, 3, 2};
  EXPECT_EQ(ParseFieldValue(basis, "Actual/365").integer, 1);
  EXPECT_EQ(ParseFieldValue(basis, "actual365").integer, 1);

  // An item text that is a number wins over the position: "365" is item 1.
  FieldSpec yearDays = compounding;
  yearDays.items = {ChoiceList::YearLengths360First};
  const auto items = ItemsOf(yearDays);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(ParseFieldValue(yearDays, items.back()).integer, static_cast<std::int32_t>(items.size() - 1));

  FieldSpec check = compounding;
  check.items = {ChoiceList::NoYes};
  EXPECT_TRUE(IsCheckBox(check));
  EXPECT_FALSE(IsCheckBox(compounding));
  EXPECT_EQ(ParseFieldValue(check, "Yes").integer, 1);
  EXPECT_EQ(ParseFieldValue(check, "no").integer, 0);
  EXPECT_EQ(ParseFieldValue(check, "TRUE").integer, 1);
  EXPECT_THROW(ParseFieldValue(check, "maybe"), EUsageError);
}

}  // namespace
}  // namespace quandrel
