#pragma once

// Builds the little-endian image of a data file in memory. Every value is
// appended in the layout the data files use: fixed-width integers, IEEE 754
// singles and doubles, 10-byte extended reals, Currency as its 64-bit count of
// ten-thousandths, booleans as one byte (0 or 1) and length-prefixed strings
// of a declared capacity. The finished bytes go to SaveFileAtomically.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "core/foundation/global_types.h"

namespace quandrel {

class BinaryWriter {
 public:
  BinaryWriter() = default;

  void WriteUInt8(std::uint8_t value);
  void WriteInt8(std::int8_t value);
  void WriteUInt16(std::uint16_t value);
  void WriteInt16(std::int16_t value);
  void WriteUInt32(std::uint32_t value);
  void WriteInt32(std::int32_t value);
  void WriteUInt64(std::uint64_t value);
  void WriteInt64(std::int64_t value);
  void WriteBool(bool value);
  void WriteSingle(float value);
  void WriteDouble(double value);
  void WriteExtended(Extended value);
  void WriteCurrency(Currency value);

  // A string field of the given capacity (1..255): one length byte, then the
  // text in code page 1252, then zeros up to the capacity; always capacity + 1
  // bytes. A text longer than the capacity is refused with
  // EDataFileError(StringTooLong) rather than cut: the caller decides how a
  // value that does not fit is handled. Nothing is written when it throws.
  void WriteString(std::string_view utf8, std::size_t capacity);

  void WriteBytes(std::span<const std::uint8_t> bytes);
  // Reserved bytes.
  void WriteZeros(std::size_t count);

  std::size_t Size() const noexcept { return m_bytes.size(); }
  const std::vector<std::uint8_t>& Bytes() const& noexcept { return m_bytes; }
  std::vector<std::uint8_t> TakeBytes() && noexcept { return std::move(m_bytes); }

 private:
  void WriteLittleEndian(std::uint64_t value, std::size_t size);

  std::vector<std::uint8_t> m_bytes;
};

}  // namespace quandrel
