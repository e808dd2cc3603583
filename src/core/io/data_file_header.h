#pragma once

// The 19 bytes every data file begins with: its type name as a string field of
// capacity 16 (a length byte and 16 characters, unused ones zero), then the
// major and the minor version byte. A kind's own header may go on with
// reserved bytes; those are the loader's to skip.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace quandrel {

class BinaryReader;
class BinaryWriter;

inline constexpr std::size_t kDataFileTypeNameCapacity = 16;
inline constexpr std::size_t kDataFileHeaderSize = kDataFileTypeNameCapacity + 3;

struct DataFileVersion {
  std::uint8_t major = 0;
  std::uint8_t minor = 0;
  friend constexpr auto operator<=>(const DataFileVersion&, const DataFileVersion&) = default;
};

struct DataFileHeader {
  std::string typeName;
  DataFileVersion version;
};

void WriteDataFileHeader(BinaryWriter& writer, std::string_view typeName, DataFileVersion version);

// Reads the 19 bytes as they stand. A length byte above 16 means the file is
// not a data file of ours: WrongType.
DataFileHeader ReadDataFileHeader(BinaryReader& reader);

// Reads the header and checks it: the type name must equal typeName exactly
// (case counts) or WrongType is raised; the version must be one of accepted
// or UnsupportedVersion is raised. Returns the version found, for loaders
// that read older layouts too. On failure the reader's position is unchanged.
DataFileVersion CheckDataFileHeader(BinaryReader& reader, std::string_view typeName,
                                    std::span<const DataFileVersion> accepted);
DataFileVersion CheckDataFileHeader(BinaryReader& reader, std::string_view typeName,
                                    std::initializer_list<DataFileVersion> accepted);

}  // namespace quandrel
