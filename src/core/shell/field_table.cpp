#include "core/shell/field_table.h"

#include <algorithm>
#include <stdexcept>

namespace quandrel {

std::span<const std::string_view> ItemsOf(const FieldSpec& field) {
  const auto all = ListTexts(field.items.list);
  const std::size_t first = std::min(field.items.first, all.size());
  const std::size_t count = std::min(field.items.count, all.size() - first);
  return all.subspan(first, count);
}

std::size_t IndexOfField(std::span<const FieldSpec> fields, std::string_view id) {
  const auto found =
      std::find_if(fields.begin(), fields.end(), [&](const FieldSpec& f) { return f.id == id; });
  if (found == fields.end()) {
    throw std::logic_error("No field \"" + std::string(id) + "\" in this calculator.");
  }
  return static_cast<std::size_t>(found - fields.begin());
}

}  // namespace quandrel
