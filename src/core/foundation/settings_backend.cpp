#include "core/foundation/settings_backend.h"

namespace quandrel::settings_path {

std::vector<std::string> Split(std::string_view key) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = key.find('\\', start);
    if (end == std::string_view::npos) {
      end = key.size();
    }
    if (end > start) {
      parts.emplace_back(key.substr(start, end - start));
    }
    start = end + 1;
  }
  return parts;
}

std::string Join(const std::vector<std::string>& components) {
  std::string path;
  for (const std::string& part : components) {
    if (!path.empty()) {
      path += '\\';
    }
    path += part;
  }
  return path;
}

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') {
      x = static_cast<char>(x - 'A' + 'a');
    }
    if (y >= 'A' && y <= 'Z') {
      y = static_cast<char>(y - 'A' + 'a');
    }
    if (x != y) {
      return false;
    }
  }
  return true;
}

}  // namespace quandrel::settings_path
