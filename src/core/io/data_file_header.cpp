#include "core/io/data_file_header.h"

#include <algorithm>

#include "core/io/binary_reader.h"
#include "core/io/binary_writer.h"
#include "core/io/data_file_error.h"

namespace quandrel {

namespace {

std::string VersionText(DataFileVersion version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor);
}

}  // namespace

void WriteDataFileHeader(BinaryWriter& writer, std::string_view typeName, DataFileVersion version) {
  writer.WriteString(typeName, kDataFileTypeNameCapacity);
  writer.WriteUInt8(version.major);
  writer.WriteUInt8(version.minor);
}

DataFileHeader ReadDataFileHeader(BinaryReader& reader) {
  const std::size_t start = reader.Position();
  try {
    DataFileHeader header;
    header.typeName = reader.ReadString(kDataFileTypeNameCapacity);
    header.version.major = reader.ReadUInt8();
    header.version.minor = reader.ReadUInt8();
    return header;
  } catch (const EDataFileError& error) {
    if (error.Kind() == DataFileErrorKind::DamagedString) {
      throw EDataFileError(DataFileErrorKind::WrongType, "no type name in the header", start);
    }
    throw;
  }
}

DataFileVersion CheckDataFileHeader(BinaryReader& reader, std::string_view typeName,
                                    std::span<const DataFileVersion> accepted) {
  const std::size_t start = reader.Position();
  if (reader.Remaining() < kDataFileHeaderSize) {
    throw EDataFileError(DataFileErrorKind::Truncated, "shorter than a data-file header", start);
  }
  BinaryReader probe = reader;
  const DataFileHeader header = ReadDataFileHeader(probe);
  if (header.typeName != typeName) {
    throw EDataFileError(
        DataFileErrorKind::WrongType,
        "type \"" + header.typeName + "\" where \"" + std::string(typeName) + "\" was expected", start);
  }
  if (std::find(accepted.begin(), accepted.end(), header.version) == accepted.end()) {
    throw EDataFileError(DataFileErrorKind::UnsupportedVersion,
                         "version " + VersionText(header.version) + " of \"" + header.typeName + "\"", start);
  }
  reader = probe;
  return header.version;
}

DataFileVersion CheckDataFileHeader(BinaryReader& reader, std::string_view typeName,
                                    std::initializer_list<DataFileVersion> accepted) {
  return CheckDataFileHeader(reader, typeName,
                             std::span<const DataFileVersion>(accepted.begin(), accepted.size()));
}

}  // namespace quandrel
