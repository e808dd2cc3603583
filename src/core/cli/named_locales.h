#pragma once

// Locale facts by name, as plain data, for output that must not depend on
// the machine's own locale (the command-line runner, scripted checks):
// en_US (the default), en_GB, en_CA, de_DE, fr_FR.

#include <optional>
#include <span>
#include <string_view>

#include "core/foundation/locale_facts.h"

namespace quandrel {

// The names known, en_US first.
std::span<const std::string_view> NamedLocaleNames();

// The facts of a name ("de_DE"; "de-DE" and any case are accepted too);
// nothing for an unknown name.
std::optional<LocaleFacts> NamedLocaleFacts(std::string_view name);

}  // namespace quandrel
