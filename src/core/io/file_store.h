#pragma once

// Whole-file reads and safe saves of data files.
//
// A save never writes over the previous file in place: the bytes go to a new
// temporary file in the target's folder, which is renamed over the target only
// when the whole write succeeded. If anything fails (the temporary cannot be
// created, a write fails, the content writer throws, the rename fails) the
// temporary is removed and the previous file is left exactly as it was.
//
// What standard C++ can promise: the stream is flushed and closed, and each
// step's failure is seen. The rename replaces the target in one step (POSIX
// rename; on other systems the library's replacing move), so a reader sees
// the old file or the new one, never a mix. What it cannot promise: that the
// data has reached the disk before the rename. The standard library has no
// fsync, so after a power failure (not a program failure) a file system may
// present the renamed file without its data. That durability, where needed,
// belongs to a platform adapter outside the core.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <span>
#include <vector>

namespace quandrel {

// The whole file. Raises EDataFileError: FileNotFound when nothing is there,
// CannotRead for a folder or other non-file and for read errors, FileTooLarge
// when it holds more than maxBytes (the most a valid file of its kind can
// hold; this bounds what a damaged or foreign file can make us allocate).
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Writes the content of the file to the stream. It may throw; the exception
// reaches the caller of SaveFileAtomically after the clean-up.
using FileContentWriter = std::function<void(std::ostream&)>;

// Replaces (or creates) the file at path with the bytes. Raises
// EDataFileError(CannotWrite) on failure. A symbolic link at path is
// followed: the file it points to is replaced and the link kept. The
// permissions of a replaced file are kept.
void SaveFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void SaveFileAtomically(const std::filesystem::path& path, const FileContentWriter& writeContent);

}  // namespace quandrel
