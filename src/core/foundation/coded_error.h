#pragma once

// The shared mechanism of the numbered error families: each family is an
// exception class over ECodedError plus a fixed table of codes and messages.
// A family raises by code; an unknown code gets the family's catch-all text.

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quandrel {

struct CodedMessage {
  int code;
  std::string_view text;
};

// What every numbered failure of an equation, schedule or data file throws.
// what() is the message exactly as the user sees it; Code() is for tests and
// the command-line runner.
class ECodedError : public std::runtime_error {
 public:
  ECodedError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
  int Code() const noexcept { return m_code; }

 private:
  int m_code;
};

// The message of a code in a family's table, or the fallback when absent.
std::string_view LookupCodedMessage(std::span<const CodedMessage> table, int code, std::string_view fallback);

// A family: its exception class, its table and its catch-all text.
// Exception must be constructible from (int code, const std::string& message).
template <class Exception>
struct ErrorFamily {
  std::span<const CodedMessage> table;
  std::string_view fallback;

  std::string_view Message(int code) const { return LookupCodedMessage(table, code, fallback); }
  [[noreturn]] void Raise(int code) const { throw Exception(code, std::string(Message(code))); }
};

}  // namespace quandrel
