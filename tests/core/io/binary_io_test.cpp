#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"

namespace quandrel {
namespace {

using ByteVector = std::vector<std::uint8_t>;

// Runs f and returns the kind of the EDataFileError it raised.
template <class F>
DataFileErrorKind KindOf(F&& f) {
  try {
    f();
  } catch (const EDataFileError& e) {
    return e.Kind();
  }
  ADD_FAILURE() << "no EDataFileError";
  return DataFileErrorKind::CannotRead;
}

TEST(BinaryWriter, WritesLittleEndianImages) {
  BinaryWriter w;
  w.WriteUInt8(0xAB);
  w.WriteInt8(-1);
  w.WriteInt16(0x1234);
  w.WriteUInt16(0xFFFE);
  w.WriteInt32(-2);
  w.WriteUInt32(0x01020304);
  w.WriteInt64(-0x0102030405060708);
  w.WriteBool(true);
  w.WriteBool(false);
  w.WriteSingle(8.25f);                         // 1.00001b * 2^3: exponent 130, 0x41040000
  w.WriteDouble(1.0);                           // 0x3FF0000000000000
  w.WriteCurrency(Currency::FromUnits(12345));  // 1.2345
  w.WriteExtended(1.0L);
  const ByteVector expected = {
      0xAB, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,  //
      0xF8, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE,  // -0x0102030405060708 in two's complement
      0x01, 0x00,                                      //
      0x00, 0x00, 0x04, 0x41,                          //
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,  //
      0x39, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  //
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F,
  };
  EXPECT_EQ(w.Bytes(), expected);
}

TEST(BinaryWriter, StringsTakeTheirWholeCapacity) {
  BinaryWriter w;
  w.WriteString("Amt", 16);
  w.WriteString("caf\xC3\xA9", 4);  // exactly full: no padding
  w.WriteString("", 2);
  const ByteVector expected = {3, 'A', 'm', 't', 0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
                               4, 'c', 'a', 'f', 0xE9,                                      //
                               0, 0,   0};
  EXPECT_EQ(w.Bytes(), expected);
}

TEST(BinaryWriter, RefusesATextLongerThanItsFieldAndWritesNothing) {
  BinaryWriter w;
  w.WriteUInt8(7);
  EXPECT_EQ(KindOf([&] { w.WriteString("ABCDEFGHI", 8); }), DataFileErrorKind::StringTooLong);
  // The limit counts characters as stored (one byte each), not UTF-8 bytes.
  EXPECT_NO_THROW(w.WriteString("\xC3\xA9\xC3\xA9", 2));
  EXPECT_EQ(w.Size(), 1u + 3u);
  EXPECT_THROW(w.WriteString("x", 0), std::invalid_argument);
  EXPECT_THROW(w.WriteString("x", 256), std::invalid_argument);
}

TEST(BinaryReader, ReadsBackEveryTypeWritten) {
  BinaryWriter w;
  w.WriteUInt8(200);
  w.WriteInt8(-100);
  w.WriteUInt16(65535);
  w.WriteInt16(-32768);
  w.WriteUInt32(4000000000u);
  w.WriteInt32(std::numeric_limits<std::int32_t>::min());
  w.WriteUInt64(std::numeric_limits<std::uint64_t>::max());
  w.WriteInt64(std::numeric_limits<std::int64_t>::min());
  w.WriteBool(true);
  w.WriteBool(false);
  w.WriteSingle(-0.1f);
  w.WriteDouble(123456.789);
  w.WriteExtended(-1234.5678L);
  w.WriteCurrency(Currency::FromUnits(-987654321));
  w.WriteString("Jos\xC3\xA9 \xE2\x82\xAC", 25);
  w.WriteZeros(3);

  BinaryReader r(w.Bytes());
  EXPECT_EQ(r.ReadUInt8(), 200);
  EXPECT_EQ(r.ReadInt8(), -100);
  EXPECT_EQ(r.ReadUInt16(), 65535);
  EXPECT_EQ(r.ReadInt16(), -32768);
  EXPECT_EQ(r.ReadUInt32(), 4000000000u);
  EXPECT_EQ(r.ReadInt32(), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(r.ReadUInt64(), std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(r.ReadInt64(), std::numeric_limits<std::int64_t>::min());
  EXPECT_TRUE(r.ReadBool());
  EXPECT_FALSE(r.ReadBool());
  EXPECT_EQ(r.ReadSingle(), -0.1f);
  EXPECT_EQ(r.ReadFiniteDouble(), 123456.789);
  EXPECT_EQ(r.ReadFiniteExtended(), -1234.5678L);
  EXPECT_EQ(r.ReadCurrency(), Currency::FromUnits(-987654321));
  EXPECT_EQ(r.ReadString(25), "Jos\xC3\xA9 \xE2\x82\xAC");
  r.Skip(3);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_NO_THROW(r.ExpectEnd());
}

TEST(BinaryReader, IgnoresTheCharactersAfterAStringsLength) {
  // Older writers left whatever was in memory after the text.
  const ByteVector bytes = {2, 'O', 'K', 'x', 0xFF, 0x81};
  BinaryReader r(bytes);
  EXPECT_EQ(r.ReadString(5), "OK");
  EXPECT_TRUE(r.AtEnd());
}

TEST(BinaryReader, RefusesDamagedValuesAndStaysPut) {
  struct Case {
    const char* name;
    ByteVector bytes;
    std::function<void(BinaryReader&)> read;
    DataFileErrorKind kind;
  };
  const ByteVector inf32 = {0x00, 0x00, 0x80, 0x7F};
  const ByteVector nan64 = {0, 0, 0, 0, 0, 0, 0xF8, 0x7F};
  const ByteVector infExt = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
  const Case cases[] = {
      {"string length 9 in a field of 8",
       {9, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'},
       [](BinaryReader& r) { r.ReadString(8); },
       DataFileErrorKind::DamagedString},
      {"string length 255 in a field of 1",
       {255, 'A'},
       [](BinaryReader& r) { r.ReadString(1); },
       DataFileErrorKind::DamagedString},
      {"boolean 2", {2}, [](BinaryReader& r) { r.ReadBool(); }, DataFileErrorKind::DamagedValue},
      {"boolean 0xFF", {0xFF}, [](BinaryReader& r) { r.ReadBool(); }, DataFileErrorKind::DamagedValue},
      {"infinite single", inf32, [](BinaryReader& r) { r.ReadFiniteSingle(); },
       DataFileErrorKind::DamagedValue},
      {"NaN double", nan64, [](BinaryReader& r) { r.ReadFiniteDouble(); }, DataFileErrorKind::DamagedValue},
      {"infinite extended", infExt, [](BinaryReader& r) { r.ReadFiniteExtended(); },
       DataFileErrorKind::DamagedValue},
      {"unnormal extended",
       {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F},
       [](BinaryReader& r) { r.ReadExtended(); },
       DataFileErrorKind::DamagedValue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BinaryReader r(c.bytes);
    EXPECT_EQ(KindOf([&] { c.read(r); }), c.kind);
    EXPECT_EQ(r.Position(), 0u);
  }
}

TEST(BinaryReader, UncheckedRealReadsReturnWhatTheFileHolds) {
  const ByteVector bytes = {0x00, 0x00, 0x80, 0x7F,                                 // +inf single
                            0,    0,    0,    0,    0, 0, 0xF8, 0x7F,               // NaN double
                            0,    0,    0,    0,    0, 0, 0,    0x80, 0xFF, 0xFF};  // -inf extended
  BinaryReader r(bytes);
  EXPECT_EQ(r.ReadSingle(), std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(r.ReadDouble()));
  EXPECT_EQ(r.ReadExtended(), -std::numeric_limits<Extended>::infinity());
}

// A record of every kind of field, cut at every length: each read either
// returns a whole value or raises Truncated without moving.
TEST(BinaryReader, EveryCutOfARecordIsTruncated) {
  BinaryWriter w;
  w.WriteInt32(42);
  w.WriteString("Lot 7", 8);
  w.WriteExtended(2.5L);
  w.WriteDouble(0.5);
  w.WriteSingle(1.5f);
  w.WriteCurrency(Currency::FromWhole(3));
  w.WriteInt16(-7);
  w.WriteBool(true);
  const ByteVector full = w.Bytes();
  ASSERT_EQ(full.size(), 4u + 9u + 10u + 8u + 4u + 8u + 2u + 1u);

  const auto readRecord = [](BinaryReader& r) {
    EXPECT_EQ(r.ReadInt32(), 42);
    EXPECT_EQ(r.ReadString(8), "Lot 7");
    EXPECT_EQ(r.ReadFiniteExtended(), 2.5L);
    EXPECT_EQ(r.ReadFiniteDouble(), 0.5);
    EXPECT_EQ(r.ReadFiniteSingle(), 1.5f);
    EXPECT_EQ(r.ReadCurrency(), Currency::FromWhole(3));
    EXPECT_EQ(r.ReadInt16(), -7);
    EXPECT_TRUE(r.ReadBool());
  };
  for (std::size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    BinaryReader r(std::span<const std::uint8_t>(full.data(), length));
    std::size_t positionAtFailure = 0;
    try {
      readRecord(r);
      ADD_FAILURE() << "read past the end";
    } catch (const EDataFileError& e) {
      EXPECT_EQ(e.Kind(), DataFileErrorKind::Truncated);
      positionAtFailure = r.Position();
      ASSERT_TRUE(e.Offset().has_value());
      EXPECT_EQ(*e.Offset(), positionAtFailure);
    }
    EXPECT_LE(positionAtFailure, length);
  }
  BinaryReader whole(full);
  readRecord(whole);
  EXPECT_TRUE(whole.AtEnd());
}

TEST(BinaryReader, CountsMustFitInTheBytesThatRemain) {
  // Count 3, then three 4-byte elements.
  const ByteVector bytes = {3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
  {
    BinaryReader r(bytes);
    EXPECT_EQ(r.ReadCount(4), 3u);
    EXPECT_EQ(r.Position(), 4u);
  }
  {
    BinaryReader r(bytes);
    EXPECT_EQ(KindOf([&] { r.ReadCount(5); }), DataFileErrorKind::CountTooLarge);  // 15 > 12
    EXPECT_EQ(r.Position(), 0u);
  }
  BinaryReader r(bytes);
  r.Skip(4);
  EXPECT_EQ(r.CheckCount(0, 344), 0u);
  EXPECT_EQ(r.CheckCount(12, 1), 12u);
  EXPECT_EQ(KindOf([&] { r.CheckCount(13, 1); }), DataFileErrorKind::CountTooLarge);
  EXPECT_EQ(KindOf([&] { r.CheckCount(-1, 4); }), DataFileErrorKind::CountTooLarge);
  // count * size wraps around in 64 bits: 2^62 * 8 = 2^65.
  EXPECT_EQ(KindOf([&] { r.CheckCount(std::int64_t{1} << 62, 8); }), DataFileErrorKind::CountTooLarge);
  EXPECT_EQ(KindOf([&] { r.CheckCount(std::numeric_limits<std::int64_t>::max(), 16); }),
            DataFileErrorKind::CountTooLarge);
  EXPECT_THROW(r.CheckCount(1, 0), std::invalid_argument);

  const ByteVector negative = {0xFF, 0xFF, 0xFF, 0xFF};
  BinaryReader n(negative);
  EXPECT_EQ(KindOf([&] { n.ReadCount(1); }), DataFileErrorKind::CountTooLarge);
}

TEST(BinaryReader, ExpectEndRefusesLeftOverBytes) {
  const ByteVector bytes = {1, 2};
  BinaryReader r(bytes);
  r.ReadUInt8();
  EXPECT_EQ(KindOf([&] { r.ExpectEnd(); }), DataFileErrorKind::TrailingBytes);
  EXPECT_EQ(r.ReadBytes(1)[0], 2);
  EXPECT_NO_THROW(r.ExpectEnd());
  EXPECT_EQ(KindOf([&] { r.Skip(1); }), DataFileErrorKind::Truncated);
}

}  // namespace
}  // namespace quandrel
