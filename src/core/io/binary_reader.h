#pragma once

// Reads the little-endian image of a data file. Every read is bounds-checked:
// a value that needs more bytes than remain raises
// EDataFileError(Truncated) and leaves the position where it was, so a read
// either returns a whole value or nothing. Values are returned, never filled
// in, so a failed read leaves no half-set object behind.
//
// A count read from the file must be checked against the bytes that remain
// (CheckCount / ReadCount) before anything is allocated for its elements.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/foundation/global_types.h"

namespace quandrel {

class BinaryReader {
 public:
  explicit BinaryReader(std::span<const std::uint8_t> bytes) noexcept : m_bytes(bytes) {}

  std::uint8_t ReadUInt8();
  std::int8_t ReadInt8();
  std::uint16_t ReadUInt16();
  std::int16_t ReadInt16();
  std::uint32_t ReadUInt32();
  std::int32_t ReadInt32();
  std::uint64_t ReadUInt64();
  std::int64_t ReadInt64();
  Currency ReadCurrency();

  // One byte, 0 or 1; any other byte is a damaged file (DamagedValue): the
  // files are written with 0 and 1 only, so another value means the bytes are
  // not what the layout says.
  bool ReadBool();

  // Reals exactly as stored, NaN and infinities included.
  float ReadSingle();
  double ReadDouble();
  // The 10-byte extended real; an encoding no 80-bit unit produces (unnormal,
  // pseudo-denormal, pseudo-infinity, pseudo-NaN) raises DamagedValue.
  Extended ReadExtended();

  // The same, refusing NaN and infinities with DamagedValue: for every field
  // whose value reaches an equation or the screen (amounts, rates, results).
  float ReadFiniteSingle();
  double ReadFiniteDouble();
  Extended ReadFiniteExtended();

  // A string field of the given capacity (1..255): reads all capacity + 1
  // bytes; a length byte above the capacity raises DamagedString. The
  // characters after the length are ignored. The text is returned as UTF-8
  // (code page 1252 decoded).
  std::string ReadString(std::size_t capacity);

  // The next count bytes as a view into the buffer.
  std::span<const std::uint8_t> ReadBytes(std::size_t count);
  // Reserved bytes.
  void Skip(std::size_t count);

  // Checks that count elements of elementSize bytes each fit in the bytes that
  // remain (CountTooLarge otherwise, negative counts included) and returns the
  // count, ready to size a container. Call it positioned at the first element.
  std::size_t CheckCount(std::int64_t count, std::size_t elementSize) const;
  // Reads an int32 count that is directly followed by its elements and checks it.
  std::size_t ReadCount(std::size_t elementSize);

  // Raises TrailingBytes unless every byte has been read: for layouts that
  // end with their last field.
  void ExpectEnd() const;

  std::size_t Position() const noexcept { return m_position; }
  std::size_t Remaining() const noexcept { return m_bytes.size() - m_position; }
  std::size_t Size() const noexcept { return m_bytes.size(); }
  bool AtEnd() const noexcept { return m_position == m_bytes.size(); }

 private:
  // Checks that count bytes remain; Truncated otherwise.
  void Require(std::size_t count) const;
  std::uint64_t ReadLittleEndian(std::size_t size);
  template <class Real>
  Real ReadFinite(Real (BinaryReader::*read)());

  std::span<const std::uint8_t> m_bytes;
  std::size_t m_position = 0;
};

}  // namespace quandrel
