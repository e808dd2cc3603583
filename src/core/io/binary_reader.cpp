#include "core/io/binary_reader.h"

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/io/code_page_1252.h"
#include "core/io/data_file_error.h"
#include "core/io/extended_80.h"

namespace quandrel {

void BinaryReader::Require(std::size_t count) const {
  if (count > Remaining()) {
    throw EDataFileError(DataFileErrorKind::Truncated,
                         std::to_string(count) + " bytes needed, " + std::to_string(Remaining()) + " remain",
                         m_position);
  }
}

std::uint64_t BinaryReader::ReadLittleEndian(std::size_t size) {
  Require(size);
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= std::uint64_t{m_bytes[m_position + i]} << (8 * i);
  }
  m_position += size;
  return value;
}

std::uint8_t BinaryReader::ReadUInt8() {
  return static_cast<std::uint8_t>(ReadLittleEndian(1));
}
std::int8_t BinaryReader::ReadInt8() {
  return static_cast<std::int8_t>(ReadUInt8());
}
std::uint16_t BinaryReader::ReadUInt16() {
  return static_cast<std::uint16_t>(ReadLittleEndian(2));
}
std::int16_t BinaryReader::ReadInt16() {
  return static_cast<std::int16_t>(ReadUInt16());
}
std::uint32_t BinaryReader::ReadUInt32() {
  return static_cast<std::uint32_t>(ReadLittleEndian(4));
}
std::int32_t BinaryReader::ReadInt32() {
  return static_cast<std::int32_t>(ReadUInt32());
}
std::uint64_t BinaryReader::ReadUInt64() {
  return ReadLittleEndian(8);
}
std::int64_t BinaryReader::ReadInt64() {
  return static_cast<std::int64_t>(ReadUInt64());
}
Currency BinaryReader::ReadCurrency() {
  return Currency::FromUnits(ReadInt64());
}

bool BinaryReader::ReadBool() {
  Require(1);
  const std::uint8_t byte = m_bytes[m_position];
  if (byte > 1) {
    throw EDataFileError(DataFileErrorKind::DamagedValue, "boolean byte " + std::to_string(byte), m_position);
  }
  ++m_position;
  return byte == 1;
}

float BinaryReader::ReadSingle() {
  return std::bit_cast<float>(ReadUInt32());
}
double BinaryReader::ReadDouble() {
  return std::bit_cast<double>(ReadUInt64());
}

Extended BinaryReader::ReadExtended() {
  Require(kExtended80Size);
  const std::optional<Extended> value = DecodeExtended80(
      std::span<const std::uint8_t, kExtended80Size>(m_bytes.data() + m_position, kExtended80Size));
  if (!value) {
    throw EDataFileError(DataFileErrorKind::DamagedValue, "invalid extended encoding", m_position);
  }
  m_position += kExtended80Size;
  return *value;
}

template <class Real>
Real BinaryReader::ReadFinite(Real (BinaryReader::*read)()) {
  const std::size_t start = m_position;
  const Real value = (this->*read)();
  if (!std::isfinite(value)) {
    m_position = start;
    throw EDataFileError(DataFileErrorKind::DamagedValue, "a real that is not a finite number", start);
  }
  return value;
}

float BinaryReader::ReadFiniteSingle() {
  return ReadFinite(&BinaryReader::ReadSingle);
}
double BinaryReader::ReadFiniteDouble() {
  return ReadFinite(&BinaryReader::ReadDouble);
}
Extended BinaryReader::ReadFiniteExtended() {
  return ReadFinite(&BinaryReader::ReadExtended);
}

std::string BinaryReader::ReadString(std::size_t capacity) {
  if (capacity == 0 || capacity > 255) {
    throw std::invalid_argument("string capacity must be 1 to 255");
  }
  Require(capacity + 1);
  const std::size_t length = m_bytes[m_position];
  if (length > capacity) {
    throw EDataFileError(DataFileErrorKind::DamagedString,
                         "length " + std::to_string(length) + " in a field of " + std::to_string(capacity),
                         m_position);
  }
  std::string text = DecodeCodePage1252(m_bytes.subspan(m_position + 1, length));
  m_position += capacity + 1;
  return text;
}

std::span<const std::uint8_t> BinaryReader::ReadBytes(std::size_t count) {
  Require(count);
  const auto bytes = m_bytes.subspan(m_position, count);
  m_position += count;
  return bytes;
}

void BinaryReader::Skip(std::size_t count) {
  Require(count);
  m_position += count;
}

std::size_t BinaryReader::CheckCount(std::int64_t count, std::size_t elementSize) const {
  if (elementSize == 0) {
    throw std::invalid_argument("element size must be positive");
  }
  // count <= remaining / size is count * size <= remaining without the overflow.
  if (count < 0 || static_cast<std::uint64_t>(count) > Remaining() / elementSize) {
    throw EDataFileError(DataFileErrorKind::CountTooLarge,
                         std::to_string(count) + " elements of " + std::to_string(elementSize) + " bytes, " +
                             std::to_string(Remaining()) + " bytes remain",
                         m_position);
  }
  return static_cast<std::size_t>(count);
}

std::size_t BinaryReader::ReadCount(std::size_t elementSize) {
  const std::size_t start = m_position;
  const std::int32_t count = ReadInt32();
  try {
    return CheckCount(count, elementSize);
  } catch (...) {
    m_position = start;
    throw;
  }
}

void BinaryReader::ExpectEnd() const {
  if (!AtEnd()) {
    throw EDataFileError(DataFileErrorKind::TrailingBytes, std::to_string(Remaining()) + " bytes left over",
                         m_position);
  }
}

}  // namespace quandrel
