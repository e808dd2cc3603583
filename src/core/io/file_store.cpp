#include "core/io/file_store.h"

#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "core/io/data_file_error.h"

namespace quandrel {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr int kTemporaryNameAttempts = 16;

std::string PathText(const fs::path& path) {
  return path.string();
}

[[noreturn]] void CannotWrite(const fs::path& path, const std::string& what) {
  throw EDataFileError(DataFileErrorKind::CannotWrite, PathText(path) + ": " + what);
}

// 64 bits of hex that differ between calls and between processes.
std::string UniqueSuffix() {
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t bits = counter.fetch_add(1) * 0x9E3779B97F4A7C15ull;
  bits ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    bits ^= (static_cast<std::uint64_t>(device()) << 32) ^ static_cast<std::uint64_t>(device());
  } catch (...) {
    // No entropy source: the counter and the clock still separate our own calls.
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = kHex[(bits >> (4 * i)) & 0xFu];
  }
  return text;
}

// The file that a save replaces: the target of a symbolic link, else path.
fs::path ResolveTarget(const fs::path& path) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) {
      return resolved;
    }
  }
  return path;
}

fs::path TemporaryNameFor(const fs::path& target) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    fs::path candidate = folder / ("." + target.filename().string() + "." + UniqueSuffix() + ".tmp");
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(candidate, ec))) {
      return candidate;
    }
  }
  CannotWrite(target, "no free name for a temporary file");
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const fs::path& path, std::size_t maxBytes) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) {
    throw EDataFileError(DataFileErrorKind::FileNotFound, PathText(path));
  }
  if (!fs::is_regular_file(status)) {
    throw EDataFileError(DataFileErrorKind::CannotRead, PathText(path) + ": not a file");
  }
  const std::uintmax_t size = fs::file_size(path, ec);
  if (!ec && size > maxBytes) {
    throw EDataFileError(DataFileErrorKind::FileTooLarge, PathText(path) + ": " + std::to_string(size) +
                                                              " bytes, at most " + std::to_string(maxBytes) +
                                                              " expected");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw EDataFileError(DataFileErrorKind::CannotRead, PathText(path) + ": cannot open");
  }
  // Read in chunks against the limit rather than trusting the size above: the
  // file may change between the two.
  std::vector<std::uint8_t> bytes;
  std::array<char, kReadChunk> chunk{};
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto count = static_cast<std::size_t>(in.gcount());
    if (count > maxBytes - bytes.size()) {
      throw EDataFileError(DataFileErrorKind::FileTooLarge,
                           PathText(path) + ": more than " + std::to_string(maxBytes) + " bytes");
    }
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(count));
  }
  if (in.bad()) {
    throw EDataFileError(DataFileErrorKind::CannotRead, PathText(path) + ": read error");
  }
  return bytes;
}

void SaveFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  SaveFileAtomically(path, [bytes](std::ostream& out) {
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  });
}

void SaveFileAtomically(const fs::path& path, const FileContentWriter& writeContent) {
  const fs::path target = ResolveTarget(path);
  const fs::path temporary = TemporaryNameFor(target);
  try {
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::out | std::ios::trunc);
      if (!out) {
        CannotWrite(target, "cannot create a temporary file in its folder");
      }
      writeContent(out);
      out.flush();
      if (!out) {
        CannotWrite(target, "writing the temporary file failed");
      }
      out.close();
      if (out.fail()) {
        CannotWrite(target, "closing the temporary file failed");
      }
    }
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    if (fs::is_regular_file(old)) {
      fs::permissions(temporary, old.permissions(), fs::perm_options::replace, ec);  // best effort
    }
    fs::rename(temporary, target, ec);
    if (ec) {
      CannotWrite(target, "cannot replace the file: " + ec.message());
    }
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  }
}

}  // namespace quandrel
