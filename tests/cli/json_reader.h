#pragma once

// A small strict JSON reader for the tests: it reads what the runner writes
// without trusting the runner's own writer, so a malformed document (a
// missing comma, a bad escape, trailing text) fails the test.

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel::testing {

struct Json {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;  // in document order

  bool Has(std::string_view key) const {
    for (const auto& [name, value] : members) {
      if (name == key) {
        return true;
      }
    }
    return false;
  }
  const Json& operator[](std::string_view key) const {
    for (const auto& [name, value] : members) {
      if (name == key) {
        return value;
      }
    }
    throw std::out_of_range("no member \"" + std::string(key) + "\"");
  }
  bool IsNull() const { return kind == Kind::Null; }
};

class JsonReader {
 public:
  static Json Parse(std::string_view text) {
    JsonReader reader(text);
    Json value = reader.Value();
    reader.Blanks();
    if (reader.m_pos != text.size()) {
      reader.Fail("text after the document");
    }
    return value;
  }

 private:
  explicit JsonReader(std::string_view text) : m_text(text) {}

  [[noreturn]] void Fail(const std::string& why) const {
    throw std::runtime_error("JSON: " + why + " at offset " + std::to_string(m_pos));
  }
  void Blanks() {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r' ||
                                     m_text[m_pos] == '\t')) {
      ++m_pos;
    }
  }
  char Peek() {
    Blanks();
    if (m_pos >= m_text.size()) {
      Fail("unexpected end");
    }
    return m_text[m_pos];
  }
  void Expect(char c) {
    if (Peek() != c) {
      Fail(std::string("expected '") + c + "'");
    }
    ++m_pos;
  }
  bool Word(std::string_view word) {
    if (m_text.substr(m_pos, word.size()) == word) {
      m_pos += word.size();
      return true;
    }
    return false;
  }
  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (true) {
      if (m_pos >= m_text.size()) {
        Fail("unterminated string");
      }
      const char c = m_text[m_pos++];
      if (c == '"') {
        return out;
      }
      if (static_cast<unsigned char>(c) < 0x20) {
        Fail("raw control character in a string");
      }
      if (c != '\\') {
        out += c;
        continue;
      }
      if (m_pos >= m_text.size()) {
        Fail("unterminated escape");
      }
      const char e = m_text[m_pos++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          if (m_pos + 4 > m_text.size()) {
            Fail("short \\u escape");
          }
          const std::string hex(m_text.substr(m_pos, 4));
          char* end = nullptr;
          const unsigned long code = std::strtoul(hex.c_str(), &end, 16);
          if (end != hex.c_str() + 4) {
            Fail("bad \\u escape");
          }
          m_pos += 4;
          AppendUtf8(out, static_cast<unsigned>(code));
          break;
        }
        default:
          Fail("bad escape");
      }
    }
  }
  Json Value() {
    Json value;
    const char c = Peek();
    if (c == '{') {
      ++m_pos;
      value.kind = Json::Kind::Object;
      if (Peek() == '}') {
        ++m_pos;
        return value;
      }
      while (true) {
        std::string key = String();
        Expect(':');
        value.members.emplace_back(std::move(key), Value());
        if (Peek() == ',') {
          ++m_pos;
          continue;
        }
        Expect('}');
        return value;
      }
    }
    if (c == '[') {
      ++m_pos;
      value.kind = Json::Kind::Array;
      if (Peek() == ']') {
        ++m_pos;
        return value;
      }
      while (true) {
        value.items.push_back(Value());
        if (Peek() == ',') {
          ++m_pos;
          continue;
        }
        Expect(']');
        return value;
      }
    }
    if (c == '"') {
      value.kind = Json::Kind::String;
      value.text = String();
      return value;
    }
    if (Word("null")) {
      return value;
    }
    if (Word("true")) {
      value.kind = Json::Kind::Boolean;
      value.boolean = true;
      return value;
    }
    if (Word("false")) {
      value.kind = Json::Kind::Boolean;
      return value;
    }
    // A number: -?digits[.digits][e[+-]digits]
    const std::size_t start = m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '-') {
      ++m_pos;
    }
    const auto digits = [&] {
      const std::size_t from = m_pos;
      while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
        ++m_pos;
      }
      return m_pos - from;
    };
    if (digits() == 0) {
      Fail("not a value");
    }
    if (m_pos < m_text.size() && m_text[m_pos] == '.') {
      ++m_pos;
      if (digits() == 0) {
        Fail("no digits after the point");
      }
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
      ++m_pos;
      if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) {
        ++m_pos;
      }
      if (digits() == 0) {
        Fail("no exponent digits");
      }
    }
    value.kind = Json::Kind::Number;
    value.number = std::strtod(std::string(m_text.substr(start, m_pos - start)).c_str(), nullptr);
    return value;
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
};

}  // namespace quandrel::testing
