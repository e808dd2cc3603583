#pragma once

// The text of data files is single-byte text in code page 1252 (Western
// European, the encoding labelled windows-1252); in memory every string is
// UTF-8.
//
// Decoding follows the windows-1252 index of the WHATWG Encoding Standard:
// 0x00-0x7F and 0xA0-0xFF are the same code points, 0x80-0x9F are the
// typographic characters of the code page (0x80 is the euro sign), and the five
// bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become
// the control characters U+0081 ... U+009D. That keeps every byte of a file:
// decoding and encoding again gives the same bytes.
//
// Encoding maps each code point back; a character with no single-byte form
// (and each byte of malformed UTF-8) is written as '?', one byte per
// character, so the encoded length is the number of characters.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

std::string DecodeCodePage1252(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeCodePage1252(std::string_view utf8);

}  // namespace quandrel
