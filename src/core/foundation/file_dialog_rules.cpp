#include "core/foundation/file_dialog_rules.h"

#include <stdexcept>
#include <vector>

namespace quandrel {
namespace {

void CheckExtension(std::string_view extension) {
  if (extension.empty() || extension.find_first_of("./\\|*? \t") != std::string_view::npos) {
    throw std::logic_error("file dialog: invalid extension \"" + std::string(extension) + "\"");
  }
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string FileDialogFilter(std::string_view description, std::string_view extension) {
  CheckExtension(extension);
  if (description.empty() || description.find('|') != std::string_view::npos) {
    throw std::logic_error("file dialog: invalid filter description \"" + std::string(description) + "\"");
  }
  return std::string(description) + "|*." + std::string(extension) + "|All files (*.*)|*.*";
}

std::string ToolkitFilter(std::string_view filter) {
  const std::vector<std::string_view> parts = Split(filter, '|');
  if (parts.size() % 2 != 0)
    throw std::logic_error("file dialog: filter without pairs: " + std::string(filter));
  std::string out;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    std::string_view description = Trimmed(parts[i]);
    const std::string_view patterns = Trimmed(parts[i + 1]);
    if (description.empty() || patterns.empty()) {
      throw std::logic_error("file dialog: empty filter part: " + std::string(filter));
    }
    if (description.back() == ')') {
      const std::size_t open = description.rfind('(');
      if (open != std::string_view::npos && open > 0)
        description = Trimmed(description.substr(0, open));
    }
    std::string toolkitPatterns;
    for (std::string_view pattern : Split(patterns, ';')) {
      pattern = Trimmed(pattern);
      if (pattern.empty())
        continue;
      if (!toolkitPatterns.empty())
        toolkitPatterns += ' ';
      toolkitPatterns += pattern == "*.*" ? std::string_view("*") : pattern;
    }
    if (!out.empty())
      out += ";;";
    out += std::string(description) + " (" + toolkitPatterns + ")";
  }
  return out;
}

std::string InitialFileName(std::string_view extension) {
  CheckExtension(extension);
  return "*." + std::string(extension);
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FileExtension(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0)
    return {};
  // A name of leading dots only ("..npv") is hidden, not an extension.
  if (name.find_first_not_of('.') > dot)
    return {};
  const std::string_view candidate = name.substr(dot + 1);
  if (candidate.empty() || candidate.size() > 8)
    return {};
  bool letter = false;
  for (char c : candidate) {
    if (IsAsciiLetter(c)) {
      letter = true;
    } else if (!IsAsciiDigit(c)) {
      return {};
    }
  }
  return letter ? candidate : std::string_view();
}

std::string ForceExtension(std::string_view path, std::string_view extension) {
  CheckExtension(extension);
  const std::string_view name = FileNamePart(path);
  const std::string_view folder = path.substr(0, path.size() - name.size());
  std::string_view stem = name;
  const std::size_t last = stem.find_last_not_of(". ");
  if (last == std::string_view::npos)
    return {};  // nothing, or only dots and blanks
  stem = stem.substr(0, last + 1);
  const std::string_view existing = FileExtension(stem);
  if (!existing.empty())
    stem.remove_suffix(existing.size() + 1);
  return std::string(folder) + std::string(stem) + "." + std::string(extension);
}

}  // namespace quandrel
