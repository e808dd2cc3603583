#include "core/cli/label_match.h"

#include <charconv>
#include <map>

#include "core/cli/usage_error.h"

namespace quandrel {
namespace {

struct TypedLabel {
  std::string normalized;
  std::size_t occurrence = 0;  // 0 when no "#n" was given
};

// Splits a trailing "#n" (n from 1) off a typed label.
TypedLabel SplitOccurrence(std::string_view typed) {
  const std::size_t hash = typed.rfind('#');
  if (hash != std::string_view::npos && hash + 1 < typed.size()) {
    const std::string_view digits = typed.substr(hash + 1);
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error == std::errc{} && end == digits.data() + digits.size() && n >= 1) {
      return {NormalizeLabel(typed.substr(0, hash)), n};
    }
  }
  return {NormalizeLabel(typed), 0};
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string JoinQuoted(const std::vector<std::string>& labels) {
  std::string joined;
  for (const std::string& label : labels) {
    if (!joined.empty()) {
      joined += ", ";
    }
    joined += Quoted(label);
  }
  return joined;
}

}  // namespace

std::string NormalizeLabel(std::string_view text) {
  std::string normalized;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
      normalized += static_cast<char>(byte - 'A' + 'a');
    } else if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte >= 0x80) {
      normalized += c;
    }
  }
  return normalized;
}

std::vector<std::string> DistinctLabels(std::span<const std::string> captions) {
  std::map<std::string, std::size_t> total;
  for (const std::string& caption : captions) {
    ++total[NormalizeLabel(caption)];
  }
  std::map<std::string, std::size_t> seen;
  std::vector<std::string> labels;
  labels.reserve(captions.size());
  for (const std::string& caption : captions) {
    const std::string key = NormalizeLabel(caption);
    if (total[key] > 1) {
      labels.push_back(caption + "#" + std::to_string(++seen[key]));
    } else {
      labels.push_back(caption);
    }
  }
  return labels;
}

std::size_t FindLabel(std::span<const std::string> captions, std::string_view typed, std::string_view what) {
  const TypedLabel label = SplitOccurrence(typed);
  const std::vector<std::string> distinct = DistinctLabels(captions);
  std::vector<std::size_t> matches;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (!label.normalized.empty() && NormalizeLabel(captions[i]) == label.normalized) {
      matches.push_back(i);
    }
  }
  if (label.occurrence != 0) {
    if (label.occurrence <= matches.size()) {
      return matches[label.occurrence - 1];
    }
    if (!matches.empty()) {
      std::vector<std::string> names;
      for (const std::size_t i : matches) {
        names.push_back(distinct[i]);
      }
      throw EUsageError(Quoted(typed) + " asks for #" + std::to_string(label.occurrence) + ", but that " +
                        std::string(what) + " stands only " + std::to_string(matches.size()) +
                        (matches.size() == 1 ? " time" : " times") + ": " + JoinQuoted(names) + ".");
    }
    return kNoLabel;
  }
  if (matches.size() == 1) {
    return matches.front();
  }
  if (matches.size() > 1) {
    std::vector<std::string> names;
    for (const std::size_t i : matches) {
      names.push_back(distinct[i]);
    }
    throw EUsageError(Quoted(typed) + " matches " + std::to_string(matches.size()) + " " + std::string(what) +
                      "s: " + JoinQuoted(names) + ". Add #n to pick the n-th.");
  }
  return kNoLabel;
}

std::size_t ResolveLabel(std::span<const std::string> captions, std::string_view typed,
                         std::string_view what) {
  const std::size_t found = FindLabel(captions, typed, what);
  if (found != kNoLabel) {
    return found;
  }
  // Candidates: the labels that contain the typed one or are contained in
  // it; all of them when none is near.
  const std::string normalized = SplitOccurrence(typed).normalized;
  const std::vector<std::string> distinct = DistinctLabels(captions);
  std::vector<std::string> near;
  if (!normalized.empty()) {
    for (std::size_t i = 0; i < captions.size(); ++i) {
      const std::string candidate = NormalizeLabel(captions[i]);
      if (!candidate.empty() && (candidate.find(normalized) != std::string::npos ||
                                 normalized.find(candidate) != std::string::npos)) {
        near.push_back(distinct[i]);
      }
    }
  }
  if (near.empty()) {
    throw EUsageError(Quoted(typed) + " matches no " + std::string(what) + ". The " + std::string(what) +
                      "s are: " + JoinQuoted(distinct) + ".");
  }
  throw EUsageError(Quoted(typed) + " matches no " + std::string(what) + ". Did you mean " +
                    JoinQuoted(near) + "?");
}

}  // namespace quandrel
