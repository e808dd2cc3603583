#include "core/cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace quandrel {
namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and values above U+10FFFF
// included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) {
      return 0;
    }
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

void AppendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0x0F];
        } else if (c < 0x80) {
          out += static_cast<char>(c);
        } else {
          const std::size_t length = Utf8SequenceLength(text, i);
          if (length == 0) {
            out += "\\ufffd";
          } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
          }
        }
        break;
    }
    ++i;
  }
  out += '"';
}

template <class Real>
std::string ShortestText(Real value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  std::string out;
  AppendEscaped(out, text);
  return out;
}

void JsonWriter::NewLine() {
  m_text += '\n';
  m_text.append(2 * m_levels.size(), ' ');
}

void JsonWriter::BeforeValue() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_levels.empty()) {
    if (!m_text.empty()) {
      throw std::logic_error("JsonWriter: a second value at the top level");
    }
    return;
  }
  Level& level = m_levels.back();
  if (level.isObject) {
    throw std::logic_error("JsonWriter: a value in an object needs a key");
  }
  if (!level.empty) {
    m_text += ',';
  }
  level.empty = false;
  NewLine();
}

void JsonWriter::Key(std::string_view name) {
  if (m_levels.empty() || !m_levels.back().isObject || m_afterKey) {
    throw std::logic_error("JsonWriter: a key outside an object");
  }
  Level& level = m_levels.back();
  if (!level.empty) {
    m_text += ',';
  }
  level.empty = false;
  NewLine();
  AppendEscaped(m_text, name);
  m_text += ": ";
  m_afterKey = true;
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  m_text += bracket;
  m_levels.push_back({bracket == '{', true});
}

void JsonWriter::Close(char bracket) {
  const bool object = bracket == '}';
  if (m_levels.empty() || m_levels.back().isObject != object || m_afterKey) {
    throw std::logic_error("JsonWriter: unbalanced close");
  }
  const bool empty = m_levels.back().empty;
  m_levels.pop_back();
  if (!empty) {
    NewLine();
  }
  m_text += bracket;
}

void JsonWriter::BeginObject() {
  Open('{');
}
void JsonWriter::EndObject() {
  Close('}');
}
void JsonWriter::BeginArray() {
  Open('[');
}
void JsonWriter::EndArray() {
  Close(']');
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  AppendEscaped(m_text, text);
}

void JsonWriter::Number(double value) {
  if (!std::isfinite(value)) {
    Null();
    return;
  }
  BeforeValue();
  m_text += ShortestText(value == 0 ? 0.0 : value);
}

void JsonWriter::SingleNumber(float value) {
  if (!std::isfinite(value)) {
    Null();
    return;
  }
  BeforeValue();
  m_text += ShortestText(value == 0 ? 0.0f : value);
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  m_text += std::to_string(value);
}

void JsonWriter::Boolean(bool value) {
  BeforeValue();
  m_text += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  m_text += "null";
}

}  // namespace quandrel
