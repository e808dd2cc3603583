#pragma once

// A small JSON writer: objects, arrays, strings with full escaping, numbers
// written so they read back to the same value, booleans and null. Members
// go one to a line, indented by two spaces per level.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The name of the next member of the current object.
  void Key(std::string_view name);

  // UTF-8 text; a byte sequence that is not UTF-8 is written as U+FFFD.
  void String(std::string_view text);
  // The shortest text that reads back to the value; null when not finite.
  void Number(double value);
  // A value kept in single precision: the shortest text of the float.
  void SingleNumber(float value);
  void Integer(std::int64_t value);
  void Boolean(bool value);
  void Null();

  // The document; complete once every object and array is closed.
  const std::string& Text() const { return m_text; }

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void NewLine();

  struct Level {
    bool isObject = false;
    bool empty = true;
  };
  std::string m_text;
  std::vector<Level> m_levels;
  bool m_afterKey = false;
};

// The text as a JSON string literal, quotes included.
std::string JsonQuoted(std::string_view text);

}  // namespace quandrel
