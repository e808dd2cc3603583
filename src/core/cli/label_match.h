#pragma once

// How typed names find fields: a label matches a caption when both are the
// same after dropping case, blanks and punctuation ("annualrate" finds
// "Annual Rate? (%):"). Where one caption stands several times, "<caption>#n"
// picks the n-th, counted from 1 in page order.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

// The letters and digits of a text, ASCII letters in lower case; bytes of
// other characters are kept as they are, so accented captions still match.
std::string NormalizeLabel(std::string_view text);

// The labels under which the fields are written: each caption as given, and
// "<caption>#n" for every caption that stands more than once (after
// normalizing), so every label is distinct.
std::vector<std::string> DistinctLabels(std::span<const std::string> captions);

// The position of the one caption the typed label names. EUsageError when it
// names none (the message lists the near candidates, or all of them) or more
// than one (the message lists those, with their "#n"). `what` names the kind
// of thing looked up ("field", "option", "calculator") for the messages.
std::size_t ResolveLabel(std::span<const std::string> captions, std::string_view typed,
                         std::string_view what);

// The same lookup that reports a miss as npos instead of an error (an
// ambiguous label is still an error).
inline constexpr std::size_t kNoLabel = static_cast<std::size_t>(-1);
std::size_t FindLabel(std::span<const std::string> captions, std::string_view typed, std::string_view what);

}  // namespace quandrel
