#include "core/foundation/locale_facts.h"

#include "core/foundation/date_arithmetic.h"

namespace quandrel {

void ApplyWeekdayNames(const LocaleFacts& facts) {
  SetWeekdayNames(facts.weekdayNames);
}

}  // namespace quandrel
