#include "core/io/code_page_1252.h"

#include <array>

namespace quandrel {
namespace {

// Code points of bytes 0x80-0x9F; the undefined bytes map to themselves.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::uint8_t kReplacement = '?';

char32_t CodePointOf(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    return kHighControls[static_cast<std::size_t>(byte - 0x80)];
  }
  return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    // Every code point of the table is in the basic multilingual plane.
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

int ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<int>(cp);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) {
      return static_cast<int>(0x80 + i);
    }
  }
  return -1;
}

// Decodes one well-formed UTF-8 sequence at utf8[pos]; returns its length,
// or 0 when the bytes there are not a well-formed sequence (overlong forms,
// surrogates and code points above U+10FFFF included).
std::size_t DecodeUtf8At(std::string_view utf8, std::size_t pos, char32_t& cp) {
  const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(utf8[i]); };
  const std::uint8_t lead = byteAt(pos);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1Fu;
    min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0Fu;
    min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07u;
    min = 0x10000;
  } else {
    return 0;
  }
  if (utf8.size() - pos < length) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const std::uint8_t next = byteAt(pos + i);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    cp = (cp << 6) | (next & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return length;
}

}  // namespace

std::string DecodeCodePage1252(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const std::uint8_t byte : bytes) {
    AppendUtf8(out, CodePointOf(byte));
  }
  return out;
}

std::vector<std::uint8_t> EncodeCodePage1252(std::string_view utf8) {
  std::vector<std::uint8_t> out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8At(utf8, pos, cp);
    if (length == 0) {
      out.push_back(kReplacement);
      ++pos;
      continue;
    }
    const int byte = ByteOf(cp);
    out.push_back(byte < 0 ? kReplacement : static_cast<std::uint8_t>(byte));
    pos += length;
  }
  return out;
}

}  // namespace quandrel
