#pragma once

// The tips of the "Tip of the Day" dialog: read from the tips file (one tip
// a line; blank lines and lines that begin with "#" are skipped), one chosen
// at random when the dialog opens, then the following ones in list order.

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quandrel {

class TTipList {
 public:
  static TTipList Parse(std::string_view text);

  std::size_t Count() const { return m_tips.size(); }
  bool Empty() const { return m_tips.empty(); }
  // Throws std::out_of_range outside the list.
  const std::string& Tip(std::size_t index) const { return m_tips.at(index); }

  // The tip after `index`, the first after the last. 0 for an empty list.
  std::size_t NextIndex(std::size_t index) const;

  // A position drawn uniformly over the list (0 for an empty list).
  template <class Generator>
  std::size_t RandomIndex(Generator& generator) const {
    if (m_tips.empty()) {
      return 0;
    }
    std::uniform_int_distribution<std::size_t> pick(0, m_tips.size() - 1);
    return pick(generator);
  }

 private:
  std::vector<std::string> m_tips;
};

}  // namespace quandrel
