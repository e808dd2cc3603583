#pragma once

// The loading pattern of every data file: parse the whole image into
// temporaries, and replace the model's state only when everything was read.
//
//   LoadInto(m_image, ReadWholeFile(path, kMaxBytes), [](BinaryReader& r) {
//     CheckDataFileHeader(r, "npv", {{1, 1}});
//     NpvImage parsed;
//     parsed.rows.resize(r.ReadCount(kRowSize));  // checked before allocating
//     ...                                          // every field
//     return parsed;
//   });
//
// If the parse throws (any EDataFileError, or the caller's own validation),
// the target is untouched. The commit is a move assignment, which must not
// throw, so the target is never half replaced.

#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

#include "core/io/binary_reader.h"

namespace quandrel {

enum class TrailingBytes {
  Reject,  // the layout ends the file: left-over bytes are a damaged file
  Ignore,  // the layout allows (or an older writer left) bytes after its end
};

// Runs parse(BinaryReader&) over the bytes and returns its result; with
// TrailingBytes::Reject, raises EDataFileError(TrailingBytes) unless the parse
// consumed every byte.
template <class Parse>
auto ParseDataFile(std::span<const std::uint8_t> bytes, Parse&& parse,
                   TrailingBytes trailing = TrailingBytes::Reject) {
  BinaryReader reader(bytes);
  auto result = std::forward<Parse>(parse)(reader);
  if (trailing == TrailingBytes::Reject) {
    reader.ExpectEnd();
  }
  return result;
}

// Parses into a temporary and moves it into target only on success.
template <class Target, class Parse>
void LoadInto(Target& target, std::span<const std::uint8_t> bytes, Parse&& parse,
              TrailingBytes trailing = TrailingBytes::Reject) {
  static_assert(std::is_nothrow_move_assignable_v<Target>,
                "the commit of a load must not throw, or a failure could leave the target half replaced");
  Target parsed = ParseDataFile(bytes, std::forward<Parse>(parse), trailing);
  target = std::move(parsed);
}

}  // namespace quandrel
