// Feeds arbitrary bytes to the data-file reader. The first bytes after a
// header choose which reads to make, so every read meets every kind of
// damage. Besides "no crash, no sanitizer report", it checks the properties
// the loaders rely on: a failed read does not move, nothing is read past the
// end, the text and extended conversions give back the bytes they were given.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/io/binary_reader.h"
#include "core/io/code_page_1252.h"
#include "core/io/data_file_error.h"
#include "core/io/data_file_header.h"
#include "core/io/extended_80.h"

namespace {

using quandrel::BinaryReader;
using quandrel::EDataFileError;

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void ReadOne(BinaryReader& reader, std::uint8_t op) {
  switch (op % 12) {
    case 0:
      reader.ReadInt32();
      break;
    case 1:
      reader.ReadInt16();
      break;
    case 2:
      reader.ReadBool();
      break;
    case 3:
      reader.ReadFiniteSingle();
      break;
    case 4:
      reader.ReadFiniteDouble();
      break;
    case 5:
      reader.ReadExtended();
      break;
    case 6:
      reader.ReadFiniteExtended();
      break;
    case 7:
      reader.ReadCurrency();
      break;
    case 8:
      reader.ReadString(static_cast<std::size_t>(op / 12 % 40) + 1);
      break;
    case 9: {
      std::vector<std::uint8_t> rows(reader.ReadCount(static_cast<std::size_t>(op / 12) + 1));
      (void)rows;
      break;
    }
    case 10:
      reader.Skip(op / 12);
      break;
    default:
      reader.ReadInt64();
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);

  // Text: every byte sequence survives a decode and an encode.
  Check(quandrel::EncodeCodePage1252(quandrel::DecodeCodePage1252(bytes)) ==
        std::vector<std::uint8_t>(bytes.begin(), bytes.end()));

  // Extended: any valid non-NaN encoding comes back unchanged.
  if (size >= quandrel::kExtended80Size) {
    const auto first = bytes.first<quandrel::kExtended80Size>();
    if (const auto value = quandrel::DecodeExtended80(first); value && !std::isnan(*value)) {
      const auto again = quandrel::EncodeExtended80(*value);
      Check(std::equal(again.begin(), again.end(), first.begin()));
    }
  }

  // The reader: a header, then reads chosen by the ops that follow.
  BinaryReader reader(bytes);
  try {
    quandrel::CheckDataFileHeader(reader, "Amt", {{1, 0}});
  } catch (const EDataFileError&) {
    Check(reader.Position() == 0);
    reader.Skip(std::min<std::size_t>(size, quandrel::kDataFileHeaderSize));
  }
  std::size_t op = 0;
  while (!reader.AtEnd() && op < 64) {
    const std::uint8_t code = bytes[op++ % size];
    const std::size_t before = reader.Position();
    try {
      ReadOne(reader, code);
      Check(reader.Position() > before || code % 12 == 10 || code % 12 == 9);
    } catch (const EDataFileError&) {
      Check(reader.Position() == before);
      reader.Skip(1);
    }
    Check(reader.Position() <= size);
  }
  return 0;
}
