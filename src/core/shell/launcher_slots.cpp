#include "core/shell/launcher_slots.h"

#include <stdexcept>

namespace quandrel {
namespace {

std::size_t SlotIndex(int instance) {
  if (instance < 1 || instance > kInstancesPerCalculator) {
    throw std::logic_error("A calculator window's instance is 1 or 2.");
  }
  return static_cast<std::size_t>(instance - 1);
}

}  // namespace

const TLauncherSlots::Entry* TLauncherSlots::Find(std::string_view calculator) const {
  const auto found = m_entries.find(calculator);
  return found == m_entries.end() ? nullptr : &found->second;
}

std::optional<int> TLauncherSlots::FirstFreeInstance(std::string_view calculator) const {
  const Entry* entry = Find(calculator);
  for (int instance = 1; instance <= kInstancesPerCalculator; ++instance) {
    if (entry == nullptr || entry->windows[SlotIndex(instance)] == nullptr) {
      return instance;
    }
  }
  return std::nullopt;
}

void TLauncherSlots::Occupy(std::string_view calculator, int instance, Window window) {
  const std::size_t slot = SlotIndex(instance);
  if (window == nullptr) {
    throw std::logic_error("No window to put in the launcher's slot.");
  }
  Entry& entry = m_entries.try_emplace(std::string(calculator)).first->second;
  if (entry.windows[slot] != nullptr) {
    throw std::logic_error("The launcher's slot is taken.");
  }
  entry.windows[slot] = window;
}

void TLauncherSlots::Release(std::string_view calculator, int instance) {
  const std::size_t slot = SlotIndex(instance);
  const auto found = m_entries.find(calculator);
  if (found != m_entries.end()) {
    found->second.windows[slot] = nullptr;
  }
}

TLauncherSlots::Window TLauncherSlots::At(std::string_view calculator, int instance) const {
  const std::size_t slot = SlotIndex(instance);
  const Entry* entry = Find(calculator);
  return entry == nullptr ? nullptr : entry->windows[slot];
}

int TLauncherSlots::OpenCount(std::string_view calculator) const {
  const Entry* entry = Find(calculator);
  int count = 0;
  if (entry != nullptr) {
    for (Window window : entry->windows) {
      count += window != nullptr ? 1 : 0;
    }
  }
  return count;
}

const TCalculationRecord* TLauncherSlots::LastCalculated(std::string_view calculator) const {
  const Entry* entry = Find(calculator);
  return entry == nullptr ? nullptr : entry->lastCalculated;
}

void TLauncherSlots::SetLastCalculated(std::string_view calculator, const TCalculationRecord* record) {
  m_entries.try_emplace(std::string(calculator)).first->second.lastCalculated = record;
}

void TLauncherSlots::ClearLastCalculated(std::string_view calculator, const TCalculationRecord* record) {
  const auto found = m_entries.find(calculator);
  if (found != m_entries.end() && found->second.lastCalculated == record) {
    found->second.lastCalculated = nullptr;
  }
}

}  // namespace quandrel
