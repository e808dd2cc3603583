#include "core/shell/tip_list.h"

namespace quandrel {

TTipList TTipList::Parse(std::string_view text) {
  TTipList list;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    std::string_view line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
      line.remove_suffix(1);
    }
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
      line.remove_prefix(1);
    }
    if (!line.empty() && line.front() != '#') {
      list.m_tips.emplace_back(line);
    }
    start = end + 1;
  }
  return list;
}

std::size_t TTipList::NextIndex(std::size_t index) const {
  if (m_tips.empty()) {
    return 0;
  }
  return index + 1 >= m_tips.size() ? 0 : index + 1;
}

}  // namespace quandrel
