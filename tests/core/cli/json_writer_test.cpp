#include "core/cli/json_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace quandrel {
namespace {

TEST(JsonWriterTest, EscapesEveryCharacterJsonRequires) {
  struct Case {
    std::string_view text;
    std::string_view quoted;
  };
  const Case cases[] = {
      {"plain", "\"plain\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\data", "\"C:\\\\data\""},
      {"a\r\rb\n\t", "\"a\\r\\rb\\n\\t\""},
      {std::string_view("\x01\x1f\b\f", 4), "\"\\u0001\\u001f\\b\\f\""},
      {std::string_view("nul\0end", 7), "\"nul\\u0000end\""},
      {"1,00 \xe2\x82\xac", "\"1,00 \xe2\x82\xac\""},  // € kept as UTF-8
      {"\xf0\x9f\x92\xb0", "\"\xf0\x9f\x92\xb0\""},    // a 4-byte character
      {"bad \xff byte", "\"bad \\ufffd byte\""},       // not UTF-8
      {"cut \xe2\x82", "\"cut \\ufffd\\ufffd\""},      // a truncated sequence
      {"\xc0\xaf", "\"\\ufffd\\ufffd\""},              // overlong "/"
      {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},   // a surrogate
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JsonQuoted(c.text), c.quoted) << c.quoted;
  }
}

TEST(JsonWriterTest, NumbersReadBackToTheirValue) {
  struct Case {
    double value;
    std::string_view text;
  };
  const Case cases[] = {{1050, "1050"}, {0.1, "0.1"}, {-2.5, "-2.5"}, {-0.0, "0"}, {1e21, "1e+21"}};
  for (const Case& c : cases) {
    JsonWriter json;
    json.Number(c.value);
    EXPECT_EQ(json.Text(), c.text);
    EXPECT_EQ(std::strtod(json.Text().c_str(), nullptr), c.value);
  }
  // A single-precision value is written as the float, not its double expansion.
  JsonWriter single;
  single.SingleNumber(0.0135f);
  EXPECT_EQ(single.Text(), "0.0135");
  JsonWriter infinite;
  infinite.Number(std::numeric_limits<double>::infinity());
  EXPECT_EQ(infinite.Text(), "null");
}

TEST(JsonWriterTest, NestsObjectsAndArraysWithCommas) {
  JsonWriter json;
  json.BeginObject();
  json.Key("a");
  json.Integer(-3);
  json.Key("list");
  json.BeginArray();
  json.Boolean(true);
  json.Null();
  json.BeginObject();
  json.EndObject();
  json.EndArray();
  json.Key("empty");
  json.BeginArray();
  json.EndArray();
  json.EndObject();
  EXPECT_EQ(json.Text(),
            "{\n  \"a\": -3,\n  \"list\": [\n    true,\n    null,\n    {}\n  ],\n  \"empty\": []\n}");
}

TEST(JsonWriterTest, RefusesMalformedDocuments) {
  JsonWriter valueWithoutKey;
  valueWithoutKey.BeginObject();
  EXPECT_THROW(valueWithoutKey.Integer(1), std::logic_error);

  JsonWriter keyInArray;
  keyInArray.BeginArray();
  EXPECT_THROW(keyInArray.Key("x"), std::logic_error);
  EXPECT_THROW(keyInArray.EndObject(), std::logic_error);

  JsonWriter twoTopValues;
  twoTopValues.Integer(1);
  EXPECT_THROW(twoTopValues.Integer(2), std::logic_error);
}

}  // namespace
}  // namespace quandrel
