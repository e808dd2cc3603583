#include "core/io/code_page_1252.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quandrel {
namespace {

std::vector<std::uint8_t> B(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> out;
  for (int b : bytes) {
    out.push_back(static_cast<std::uint8_t>(b));
  }
  return out;
}

// Pairs that go both ways (byte values from the code page 1252 chart).
TEST(CodePage1252, CharactersMapBothWays) {
  struct Case {
    std::string utf8;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"Amt", B({'A', 'm', 't'})},
      {"", {}},
      {"caf\xC3\xA9", B({'c', 'a', 'f', 0xE9})},  // é
      {"\xE2\x82\xAC"
       "5",
       B({0x80, '5'})},                                             // €
      {"\xC5\x92\xE2\x80\x9C\xE2\x84\xA2", B({0x8C, 0x93, 0x99})},  // Œ “ ™
      {"\xC5\xB8\xC3\xBF", B({0x9F, 0xFF})},                        // Ÿ ÿ
      {"\xC2\xA0\xC2\xA3", B({0xA0, 0xA3})},                        // no-break space, £
      // The five undefined bytes are kept as the control characters of the same number.
      {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", B({0x81, 0x8D, 0x8F, 0x90, 0x9D})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(DecodeCodePage1252(c.bytes), c.utf8);
    EXPECT_EQ(EncodeCodePage1252(c.utf8), c.bytes);
  }
}

TEST(CodePage1252, EveryByteSurvivesDecodeAndEncode) {
  std::vector<std::uint8_t> all;
  for (int b = 0; b < 256; ++b) {
    all.push_back(static_cast<std::uint8_t>(b));
  }
  EXPECT_EQ(EncodeCodePage1252(DecodeCodePage1252(all)), all);
}

TEST(CodePage1252, WhatHasNoSingleByteFormBecomesOneQuestionMarkEach) {
  struct Case {
    std::string utf8;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"\xE6\x97\xA5"
       "a",
       B({'?', 'a'})},                 // 日
      {"\xF0\x9F\x98\x80", B({'?'})},  // an emoji, four bytes of UTF-8
      {"\xC2\x80", B({'?'})},          // U+0080 is not in the code page (0x80 is €)
      {"a\xFF"
       "b",
       B({'a', '?', 'b'})},                  // not UTF-8
      {"\xC0\xAF", B({'?', '?'})},           // overlong form
      {"\xED\xA0\x80", B({'?', '?', '?'})},  // a surrogate
      {"\xC3", B({'?'})},                    // cut sequence at the end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeCodePage1252(c.utf8), c.bytes) << c.utf8;
  }
}

}  // namespace
}  // namespace quandrel
