#pragma once

// Every calculator the main window offers, as constant data: its group and
// button, its menu item, the title it is registered with at the launcher
// (also the name of its settings key) and its hint. The main window builds
// its buttons and calculator menus from this table.

#include <cstdint>
#include <span>
#include <string_view>

namespace quandrel {

enum class CalculatorGroup : std::uint8_t { Finance, Depreciation, Loan, Schedules, General, Advisors };

// The preferences a window gets besides button hints and the two position
// flags.
enum class ExtraHintFlags : std::uint8_t { None, ShowHints, ShowHintsAndToolbarHints };

struct CalculatorGroupInfo {
  CalculatorGroup group;
  std::string_view title;    // the group box's title, as designed (padded)
  std::string_view menu;     // the menu bar item that holds the group's items
  std::string_view submenu;  // the submenu under it; empty when the items are direct
  std::string_view objectName;
};

struct CalculatorEntry {
  CalculatorGroup group;
  std::string_view objectName;  // "btn" and "mi" are prefixed to it
  std::string_view caption;     // the button caption ("&" marks the accelerator)
  std::string_view menuItem;
  std::string_view windowClass;
  std::string_view title;  // the launcher's registration and the settings key
  std::string_view hint;   // "\r" is a line break
  ExtraHintFlags extraFlags = ExtraHintFlags::None;
};

// The groups in their layout order; the menu order of the "Calculators"
// submenus is given by CalculatorSubmenuOrder().
std::span<const CalculatorGroupInfo> CalculatorGroups();
std::span<const CalculatorGroup> CalculatorSubmenuOrder();
const CalculatorGroupInfo& GroupInfo(CalculatorGroup group);

// The calculators in button order within their groups.
std::span<const CalculatorEntry> CalculatorCatalog();
// The entry registered under a title; null when no button opens it.
const CalculatorEntry* FindCalculatorEntry(std::string_view title);

}  // namespace quandrel
