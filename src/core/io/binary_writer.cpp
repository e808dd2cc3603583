#include "core/io/binary_writer.h"

#include <bit>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/io/code_page_1252.h"
#include "core/io/data_file_error.h"
#include "core/io/extended_80.h"

namespace quandrel {

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4, "singles are IEEE 754 binary32");
static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8, "doubles are IEEE 754 binary64");

void BinaryWriter::WriteLittleEndian(std::uint64_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

void BinaryWriter::WriteUInt8(std::uint8_t value) {
  m_bytes.push_back(value);
}
void BinaryWriter::WriteInt8(std::int8_t value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value));
}
void BinaryWriter::WriteUInt16(std::uint16_t value) {
  WriteLittleEndian(value, 2);
}
void BinaryWriter::WriteInt16(std::int16_t value) {
  WriteLittleEndian(static_cast<std::uint16_t>(value), 2);
}
void BinaryWriter::WriteUInt32(std::uint32_t value) {
  WriteLittleEndian(value, 4);
}
void BinaryWriter::WriteInt32(std::int32_t value) {
  WriteLittleEndian(static_cast<std::uint32_t>(value), 4);
}
void BinaryWriter::WriteUInt64(std::uint64_t value) {
  WriteLittleEndian(value, 8);
}
void BinaryWriter::WriteInt64(std::int64_t value) {
  WriteLittleEndian(static_cast<std::uint64_t>(value), 8);
}
void BinaryWriter::WriteBool(bool value) {
  m_bytes.push_back(value ? 1 : 0);
}
void BinaryWriter::WriteSingle(float value) {
  WriteUInt32(std::bit_cast<std::uint32_t>(value));
}
void BinaryWriter::WriteDouble(double value) {
  WriteUInt64(std::bit_cast<std::uint64_t>(value));
}
void BinaryWriter::WriteCurrency(Currency value) {
  WriteInt64(value.Units());
}

void BinaryWriter::WriteExtended(Extended value) {
  const auto bytes = EncodeExtended80(value);
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void BinaryWriter::WriteString(std::string_view utf8, std::size_t capacity) {
  if (capacity == 0 || capacity > 255) {
    throw std::invalid_argument("string capacity must be 1 to 255");
  }
  const std::vector<std::uint8_t> text = EncodeCodePage1252(utf8);
  if (text.size() > capacity) {
    throw EDataFileError(
        DataFileErrorKind::StringTooLong,
        std::to_string(text.size()) + " characters for a field of " + std::to_string(capacity),
        m_bytes.size());
  }
  m_bytes.push_back(static_cast<std::uint8_t>(text.size()));
  m_bytes.insert(m_bytes.end(), text.begin(), text.end());
  m_bytes.insert(m_bytes.end(), capacity - text.size(), std::uint8_t{0});
}

void BinaryWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void BinaryWriter::WriteZeros(std::size_t count) {
  m_bytes.insert(m_bytes.end(), count, std::uint8_t{0});
}

}  // namespace quandrel
