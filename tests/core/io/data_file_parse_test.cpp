#include "core/io/data_file_parse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"
#include "core/io/data_file_header.h"

namespace quandrel {
namespace {

// A miniature data file: header "tst" 1.0, a title, a row count, then rows of
// one double each.
struct Image {
  std::string title;
  std::vector<double> rows;
};

constexpr std::size_t kRowSize = 8;

std::vector<std::uint8_t> Write(const Image& image) {
  BinaryWriter w;
  WriteDataFileHeader(w, "tst", {1, 0});
  w.WriteString(image.title, 20);
  w.WriteInt32(static_cast<std::int32_t>(image.rows.size()));
  for (double row : image.rows) {
    w.WriteDouble(row);
  }
  return std::move(w).TakeBytes();
}

Image Parse(BinaryReader& r) {
  CheckDataFileHeader(r, "tst", {{1, 0}});
  Image image;
  image.title = r.ReadString(20);
  image.rows.resize(r.ReadCount(kRowSize));
  for (double& row : image.rows) {
    row = r.ReadFiniteDouble();
  }
  return image;
}

class LoadIntoTest : public ::testing::Test {
 protected:
  const Image m_before{"before", {1.0, 2.0, 3.0}};
  Image m_target = m_before;

  void ExpectUntouched() {
    EXPECT_EQ(m_target.title, m_before.title);
    EXPECT_EQ(m_target.rows, m_before.rows);
  }
};

TEST_F(LoadIntoTest, ReplacesTheTargetWhenTheWholeFileWasRead) {
  const Image saved{"Loan for 12 Elm St", {100.25, -3.5}};
  LoadInto(m_target, Write(saved), Parse);
  EXPECT_EQ(m_target.title, saved.title);
  EXPECT_EQ(m_target.rows, saved.rows);
}

TEST_F(LoadIntoTest, LeavesTheTargetUntouchedWhenAnyPartFails) {
  const std::vector<std::uint8_t> good = Write({"after", {4.0, 5.0}});
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    DataFileErrorKind kind;
  };
  std::vector<Case> cases;
  cases.push_back({"last row cut", {good.begin(), good.end() - 1}, DataFileErrorKind::CountTooLarge});
  cases.push_back({"one byte too many", good, DataFileErrorKind::TrailingBytes});
  cases.back().bytes.push_back(0);
  cases.push_back({"huge row count", good, DataFileErrorKind::CountTooLarge});
  cases.back().bytes[19 + 21 + 3] = 0x7F;  // count 0x7F000002
  cases.push_back({"NaN in the last row", good, DataFileErrorKind::DamagedValue});
  cases.back().bytes[good.size() - 2] = 0xF8;
  cases.back().bytes[good.size() - 1] = 0x7F;
  cases.push_back({"other type", good, DataFileErrorKind::WrongType});
  cases.back().bytes[1] = 'T';
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      LoadInto(m_target, c.bytes, Parse);
      ADD_FAILURE() << "loaded";
    } catch (const EDataFileError& e) {
      EXPECT_EQ(e.Kind(), c.kind);
    }
    ExpectUntouched();
  }
}

TEST_F(LoadIntoTest, TrailingBytesCanBeAllowedByTheLayout) {
  std::vector<std::uint8_t> bytes = Write({"after", {}});
  bytes.insert(bytes.end(), {0, 0, 0, 0});
  LoadInto(m_target, bytes, Parse, TrailingBytes::Ignore);
  EXPECT_EQ(m_target.title, "after");
  EXPECT_TRUE(m_target.rows.empty());
}

}  // namespace
}  // namespace quandrel
