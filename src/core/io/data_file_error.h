#pragma once

// The one exception of the data-file layer. Every failure to read, check or
// write a data file raises EDataFileError with a kind; a calculator's loader
// catches it and raises its own family's "unsupported version" message (or,
// for a save, reports that the data was not saved). what() is a technical
// description for logs, tests and the command-line runner, not a user text.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quandrel {

enum class DataFileErrorKind {
  // The content of the file is not what its layout says.
  Truncated,           // fewer bytes remain than the next field needs
  DamagedString,       // a length byte above the string's capacity
  DamagedValue,        // a boolean other than 0/1, a non-finite checked real, an invalid extended encoding
  CountTooLarge,       // a count (or its elements) larger than the bytes that remain, or negative
  WrongType,           // the header names another kind of file
  UnsupportedVersion,  // the header's version is not one the loader accepts
  TrailingBytes,       // bytes left over where the layout ends the file
  FileTooLarge,        // larger than any file of its kind can be
  // Writing a value that the layout cannot hold.
  StringTooLong,  // a text longer than its field's capacity
  // The file system.
  FileNotFound,
  CannotRead,
  CannotWrite,
};

// Stable name of a kind ("truncated", "wrong type", ...).
std::string_view DataFileErrorKindName(DataFileErrorKind kind);

// True for the kinds that describe the bytes of a file (a damaged or foreign
// file); false for writing limits and file-system failures. A loader maps the
// first group onto its family's unsupported-version error.
bool IsFileContentError(DataFileErrorKind kind);

class EDataFileError : public std::runtime_error {
 public:
  EDataFileError(DataFileErrorKind kind, const std::string& detail,
                 std::optional<std::size_t> offset = std::nullopt);

  DataFileErrorKind Kind() const noexcept { return m_kind; }
  // The byte offset in the file where the fault was found, when it has one.
  std::optional<std::size_t> Offset() const noexcept { return m_offset; }
  bool IsFileContent() const noexcept { return IsFileContentError(m_kind); }

 private:
  DataFileErrorKind m_kind;
  std::optional<std::size_t> m_offset;
};

}  // namespace quandrel
