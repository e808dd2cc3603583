#include "core/io/data_file_header.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"

namespace quandrel {
namespace {

using ByteVector = std::vector<std::uint8_t>;

ByteVector Header(std::initializer_list<int> nameAndVersion) {
  ByteVector out;
  for (int b : nameAndVersion) {
    out.push_back(static_cast<std::uint8_t>(b));
  }
  return out;
}

// "Amt" 1.0: length 3, the name, 13 zeros, major 1, minor 0.
const ByteVector kAmt10 = Header({3, 'A', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0});

TEST(DataFileHeader, IsNineteenBytes) {
  BinaryWriter w;
  WriteDataFileHeader(w, "Amt", {1, 0});
  EXPECT_EQ(w.Bytes(), kAmt10);
  EXPECT_EQ(kDataFileHeaderSize, 19u);
}

TEST(DataFileHeader, AcceptsItsOwnTypeAndListedVersions) {
  BinaryReader r(kAmt10);
  EXPECT_EQ(CheckDataFileHeader(r, "Amt", {{1, 0}}), (DataFileVersion{1, 0}));
  EXPECT_EQ(r.Position(), 19u);

  // A loader that reads the current and an older layout learns which it has.
  BinaryWriter w;
  WriteDataFileHeader(w, "npv", {1, 0});
  w.WriteUInt8(0xEE);
  BinaryReader older(w.Bytes());
  EXPECT_EQ(CheckDataFileHeader(older, "npv", {{1, 1}, {1, 0}}), (DataFileVersion{1, 0}));
  EXPECT_EQ(older.ReadUInt8(), 0xEE);

  // Bytes after the name's length are not part of the name.
  ByteVector dirty = kAmt10;
  dirty[4] = 'X';
  dirty[16] = 0xFF;
  BinaryReader d(dirty);
  EXPECT_NO_THROW(CheckDataFileHeader(d, "Amt", {{1, 0}}));
}

TEST(DataFileHeader, RefusesOtherTypesVersionsAndDamage) {
  struct Case {
    const char* name;
    ByteVector bytes;
    DataFileErrorKind kind;
  };
  const Case cases[] = {
      {"lower-case name", Header({3, 'a', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}),
       DataFileErrorKind::WrongType},
      {"longer name", Header({4, 'A', 'm', 't', 's', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}),
       DataFileErrorKind::WrongType},
      {"empty name", Header({0, 'A', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}),
       DataFileErrorKind::WrongType},
      {"length byte above 16", Header({17, 'A', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}),
       DataFileErrorKind::WrongType},
      {"minor version 1", Header({3, 'A', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}),
       DataFileErrorKind::UnsupportedVersion},
      {"major version 2", Header({3, 'A', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0}),
       DataFileErrorKind::UnsupportedVersion},
      {"18 bytes", Header({3, 'A', 'm', 't', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}),
       DataFileErrorKind::Truncated},
      {"empty file", {}, DataFileErrorKind::Truncated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BinaryReader r(c.bytes);
    try {
      CheckDataFileHeader(r, "Amt", {{1, 0}});
      ADD_FAILURE() << "accepted";
    } catch (const EDataFileError& e) {
      EXPECT_EQ(e.Kind(), c.kind);
      EXPECT_TRUE(e.IsFileContent());
    }
    EXPECT_EQ(r.Position(), 0u);
  }
}

TEST(DataFileHeader, RefusesATypeNameThatDoesNotFit) {
  BinaryWriter w;
  EXPECT_THROW(WriteDataFileHeader(w, "SeventeenCharsXYZ", {1, 0}), EDataFileError);
  EXPECT_EQ(w.Size(), 0u);
}

}  // namespace
}  // namespace quandrel
