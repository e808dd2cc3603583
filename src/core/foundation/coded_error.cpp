#include "core/foundation/coded_error.h"

namespace quandrel {

std::string_view LookupCodedMessage(std::span<const CodedMessage> table, int code,
                                    std::string_view fallback) {
  for (const CodedMessage& entry : table) {
    if (entry.code == code) {
      return entry.text;
    }
  }
  return fallback;
}

}  // namespace quandrel
