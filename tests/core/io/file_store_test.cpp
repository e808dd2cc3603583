#include "core/io/file_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/io/data_file_error.h"

namespace quandrel {
namespace {

namespace fs = std::filesystem;
using ByteVector = std::vector<std::uint8_t>;

class FileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device device;
    m_folder = fs::temp_directory_path() / ("quandrel-io-test-" + std::to_string(device()));
    fs::create_directories(m_folder);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_folder, ec);
  }

  fs::path Path(const std::string& name) const { return m_folder / name; }

  static void WriteFile(const fs::path& path, const ByteVector& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // Everything in the folder except the names given.
  std::vector<std::string> OtherEntries(std::initializer_list<std::string> known) const {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(m_folder)) {
      const std::string name = entry.path().filename().string();
      if (std::find(known.begin(), known.end(), name) == known.end()) {
        others.push_back(name);
      }
    }
    return others;
  }

  fs::path m_folder;
};

DataFileErrorKind KindOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EDataFileError& e) {
    return e.Kind();
  }
  ADD_FAILURE() << "no EDataFileError";
  return DataFileErrorKind::Truncated;
}

const ByteVector kOld = {'o', 'l', 'd', 0, 1, 2};
const ByteVector kNew = {'n', 'e', 'w', 0xFF, 0x80, 0x00, 0x7F, 9};

TEST_F(FileStoreTest, SavesAndReplacesWholeFiles) {
  const fs::path file = Path("loan.amo");
  SaveFileAtomically(file, kOld);
  EXPECT_EQ(ReadWholeFile(file, 100), kOld);
  SaveFileAtomically(file, kNew);
  EXPECT_EQ(ReadWholeFile(file, 100), kNew);
  SaveFileAtomically(file, ByteVector{});
  EXPECT_TRUE(ReadWholeFile(file, 100).empty());
  EXPECT_TRUE(OtherEntries({"loan.amo"}).empty());
}

TEST_F(FileStoreTest, AFailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
  const fs::path file = Path("cash.npv");
  struct Case {
    const char* name;
    FileContentWriter write;
    bool dataFileError;
  };
  const Case cases[] = {
      {"writer throws half-way",
       [](std::ostream& out) {
         out << "partial";
         throw std::runtime_error("model failed");
       },
       false},
      {"the stream fails (a full disk)",
       [](std::ostream& out) {
         out << "partial";
         out.setstate(std::ios::badbit);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(file, kOld);
    if (c.dataFileError) {
      EXPECT_EQ(KindOf([&] { SaveFileAtomically(file, c.write); }), DataFileErrorKind::CannotWrite);
    } else {
      EXPECT_THROW(SaveFileAtomically(file, c.write), std::runtime_error);
    }
    EXPECT_EQ(ReadWholeFile(file, 100), kOld);
    EXPECT_TRUE(OtherEntries({"cash.npv"}).empty());
  }
}

TEST_F(FileStoreTest, AFolderThatCannotTakeTheFileIsReported) {
  EXPECT_EQ(KindOf([&] { SaveFileAtomically(Path("missing/sub/x.amo"), kNew); }),
            DataFileErrorKind::CannotWrite);
  EXPECT_FALSE(fs::exists(Path("missing")));

  // A folder where the file should be: the rename fails, the folder stays.
  fs::create_directory(Path("taken.amo"));
  WriteFile(Path("taken.amo") / "inside", kOld);
  EXPECT_EQ(KindOf([&] { SaveFileAtomically(Path("taken.amo"), kNew); }), DataFileErrorKind::CannotWrite);
  EXPECT_EQ(ReadWholeFile(Path("taken.amo") / "inside", 100), kOld);
  EXPECT_TRUE(OtherEntries({"taken.amo"}).empty());
}

TEST_F(FileStoreTest, ASymbolicLinkIsFollowedAndKept) {
  fs::create_directory(Path("real"));
  const fs::path real = Path("real") / "loan.amo";
  WriteFile(real, kOld);
  const fs::path link = Path("link.amo");
  fs::create_symlink(real, link);
  SaveFileAtomically(link, kNew);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(ReadWholeFile(real, 100), kNew);
}

TEST_F(FileStoreTest, AReplacedFileKeepsItsPermissions) {
  const fs::path file = Path("shared.amo");
  WriteFile(file, kOld);
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, perms, fs::perm_options::replace);
  SaveFileAtomically(file, kNew);
  EXPECT_EQ(fs::status(file).permissions(), perms);
}

TEST_F(FileStoreTest, ReadingRefusesWhatIsNotAFileOfAPlausibleSize) {
  const fs::path file = Path("data.amo");
  WriteFile(file, kNew);
  EXPECT_EQ(ReadWholeFile(file, kNew.size()), kNew);  // exactly at the limit
  EXPECT_EQ(KindOf([&] { ReadWholeFile(file, kNew.size() - 1); }), DataFileErrorKind::FileTooLarge);
  EXPECT_EQ(KindOf([&] { ReadWholeFile(Path("absent.amo"), 100); }), DataFileErrorKind::FileNotFound);
  EXPECT_EQ(KindOf([&] { ReadWholeFile(m_folder, 100); }), DataFileErrorKind::CannotRead);

  // Larger than one read chunk, to cross the chunk boundary.
  ByteVector big(200000);
  for (std::size_t i = 0; i < big.size(); ++i) {
    big[i] = static_cast<std::uint8_t>(i * 7);
  }
  WriteFile(file, big);
  EXPECT_EQ(ReadWholeFile(file, big.size()), big);
  EXPECT_EQ(KindOf([&] { ReadWholeFile(file, 100000); }), DataFileErrorKind::FileTooLarge);
}

}  // namespace
}  // namespace quandrel
