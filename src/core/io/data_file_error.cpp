#include "core/io/data_file_error.h"

namespace quandrel {

std::string_view DataFileErrorKindName(DataFileErrorKind kind) {
  switch (kind) {
    case DataFileErrorKind::Truncated:
      return "truncated";
    case DataFileErrorKind::DamagedString:
      return "damaged string";
    case DataFileErrorKind::DamagedValue:
      return "damaged value";
    case DataFileErrorKind::CountTooLarge:
      return "count too large";
    case DataFileErrorKind::WrongType:
      return "wrong type";
    case DataFileErrorKind::UnsupportedVersion:
      return "unsupported version";
    case DataFileErrorKind::TrailingBytes:
      return "trailing bytes";
    case DataFileErrorKind::StringTooLong:
      return "string too long";
    case DataFileErrorKind::FileNotFound:
      return "file not found";
    case DataFileErrorKind::FileTooLarge:
      return "file too large";
    case DataFileErrorKind::CannotRead:
      return "cannot read file";
    case DataFileErrorKind::CannotWrite:
      return "cannot write file";
  }
  return "unknown";
}

bool IsFileContentError(DataFileErrorKind kind) {
  switch (kind) {
    case DataFileErrorKind::Truncated:
    case DataFileErrorKind::DamagedString:
    case DataFileErrorKind::DamagedValue:
    case DataFileErrorKind::CountTooLarge:
    case DataFileErrorKind::WrongType:
    case DataFileErrorKind::UnsupportedVersion:
    case DataFileErrorKind::TrailingBytes:
    case DataFileErrorKind::FileTooLarge:
      return true;
    case DataFileErrorKind::StringTooLong:
    case DataFileErrorKind::FileNotFound:
    case DataFileErrorKind::CannotRead:
    case DataFileErrorKind::CannotWrite:
      return false;
  }
  return false;
}

namespace {

std::string Describe(DataFileErrorKind kind, const std::string& detail, std::optional<std::size_t> offset) {
  std::string text = "Data file error (";
  text += DataFileErrorKindName(kind);
  text += ")";
  if (offset) {
    text += " at offset ";
    text += std::to_string(*offset);
  }
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return text;
}

}  // namespace

EDataFileError::EDataFileError(DataFileErrorKind kind, const std::string& detail,
                               std::optional<std::size_t> offset)
    : std::runtime_error(Describe(kind, detail, offset)), m_kind(kind), m_offset(offset) {}

}  // namespace quandrel
