#pragma once

#include <filesystem>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/locale_facts.h"
#include "core/foundation/masks.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/settings_store.h"
#include "core/foundation/system_facts.h"
#include "core/shell/calculator_model.h"

namespace quandrel::testing {

// A fresh user's settings in memory, the United States locale and a fixed
// today (Thursday 1 January 2026).
struct ShellFixture {
  FixedTodayScope today{DateFromDMY(1, 1, 2026)};
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::temp_directory_path() / "quandrel-shell-tests"};
  TStRegIniEx settings{backend, system};
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  ModelServices services{settings, masks, facts};
};

}  // namespace quandrel::testing
