#pragma once

// The launcher's table of open calculator windows: two slots per calculator,
// so that at most two windows of one calculator are open at a time, each
// knowing its instance number; and, per calculator, the record of the open
// window that calculated last, which a second window opens with.

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/shell/calculation_record.h"

namespace quandrel {

inline constexpr int kInstancesPerCalculator = 2;
inline constexpr std::string_view kMaximumDisplayedMessage = "Maximum number of this calculator displayed.";

class TLauncherSlots {
 public:
  // The window occupying a slot: opaque to the table.
  using Window = const void*;

  // The first free instance (1, then 2) of a calculator, or none when both
  // are taken.
  std::optional<int> FirstFreeInstance(std::string_view calculator) const;
  // Stores the window in its slot; std::logic_error when the slot is taken or
  // the instance is not 1 or 2.
  void Occupy(std::string_view calculator, int instance, Window window);
  // Clears the slot of a closing window (no error when it is already free).
  void Release(std::string_view calculator, int instance);
  Window At(std::string_view calculator, int instance) const;
  int OpenCount(std::string_view calculator) const;

  // The record of the open window that calculated most recently; null when
  // none of the calculator's open windows has calculated.
  const TCalculationRecord* LastCalculated(std::string_view calculator) const;
  void SetLastCalculated(std::string_view calculator, const TCalculationRecord* record);
  // A closing window clears the pointer only when it is its own record.
  void ClearLastCalculated(std::string_view calculator, const TCalculationRecord* record);

 private:
  struct Entry {
    std::array<Window, kInstancesPerCalculator> windows{};
    const TCalculationRecord* lastCalculated = nullptr;
  };
  const Entry* Find(std::string_view calculator) const;

  std::map<std::string, Entry, std::less<>> m_entries;
};

}  // namespace quandrel
