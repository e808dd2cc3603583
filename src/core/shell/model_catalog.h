#pragma once

// The catalog of calculator models: for each calculator its title (the name
// of its settings key), the factory of its model and what a headless driver
// needs beyond the field table: list-valued inputs (grids), pages, the rows
// of a schedule, figures of a detail dialog, settings of its own dialogs, the
// linked-field rules of its page and the reader of its data file. The
// command-line runner drives every calculator through this catalog alone;
// the gui may use it to list and create models.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/shell/calculator_model.h"

namespace quandrel {

// One part of an item of a list-valued input: "Amount" (a real) and "Date"
// (a date) of the cash-flow item "AMOUNT@YYYY-MM-DD".
struct ListItemPart {
  std::string_view name{};
  FieldType type = FieldType::Double;
  // The designed mask of a number part, checked like a field's; may be empty.
  std::string_view mask{};
};

// The values of one item, one per part in the order of the parts.
using ListItem = std::vector<FieldValue>;

// A grid of the page taken as one value: "flows=100@2026-01-01;-50@2026-07-01".
// Items are divided by ';' and the parts of an item by partSeparator.
struct ListInputSpec {
  // The name it is addressed by ("flows").
  std::string_view name{};
  // How one item is written, for the field listing ("AMOUNT@YYYY-MM-DD").
  std::string_view itemFormat{};
  std::span<const ListItemPart> parts{};
  char partSeparator = '@';
  // The most items the grid holds.
  std::size_t maxItems = 0;
  std::string_view description{};
  // Puts the items into the model (entries 1..n, the count field n). May
  // raise the calculator's numbered errors.
  void (*apply)(TbufCalculator& model, std::span<const ListItem> items) = nullptr;
  // The items as the model holds them after Calc; none when not given.
  std::vector<ListItem> (*read)(const TbufCalculator& model) = nullptr;
};

// A page of a calculator with several pages: its caption and the record that
// holds its fields.
struct PageSpec {
  std::string_view caption{};
  TCalculationRecord& (*record)(TbufCalculator& model) = nullptr;
};

// The rows a calculator produces, one value per column in column order.
struct ScheduleColumn {
  std::string_view heading{};
  FieldType type = FieldType::Double;
};
struct ScheduleSpec {
  std::span<const ScheduleColumn> columns{};
  std::vector<std::vector<FieldValue>> (*rows)(const TbufCalculator& model) = nullptr;
};

// Figures the window shows in a dialog right after Calc (an APR detail):
// their own record, reported with the page's fields.
struct DetailSpec {
  std::string_view caption{};
  TCalculationRecord (*figures)(const TbufCalculator& model) = nullptr;
};

// Settings kept in a dialog of the calculator, addressed by their settings
// value names (the record's settings names).
struct DialogSettingsSpec {
  std::string_view caption{};
  TCalculationRecord& (*record)(TbufCalculator& model) = nullptr;
};

// The calculator's data file: its header type name and the loader that
// reads a file into the model. The loader bounds what it reads by the
// largest file of its kind, raises the calculator's family error for a
// damaged or foreign file and leaves the model unchanged then.
struct DataFileSpec {
  std::string_view typeName{};
  void (*load)(TbufCalculator& model, const std::filesystem::path& path) = nullptr;
};

// What a calculator declares beyond its field table. Everything is optional:
// a calculator of one plain page declares nothing.
struct CalculatorMapping {
  std::span<const ListInputSpec> lists{};
  // Empty: the one Calculator page, the model's calculation record.
  std::span<const PageSpec> pages{};
  ScheduleSpec schedule{};
  DetailSpec detail{};
  DialogSettingsSpec dialogSettings{};
  DataFileSpec dataFile{};
  // The page's linked-field rule, run after a field of the page was set (the
  // days of the interest calculator move its end date). An empty text when
  // the linked fields followed; otherwise the note the window would show
  // (the value set stays, the linked fields keep theirs).
  std::string (*fieldChanged)(TbufCalculator& model, std::string_view fieldId) = nullptr;
};

struct CatalogEntry {
  // The calculator's title, the name of its settings key.
  std::string_view title{};
  std::unique_ptr<TbufCalculator> (*create)(const ModelServices& services) = nullptr;
  CalculatorMapping mapping{};
};

// The caption of the one page of a calculator that declares no pages.
inline constexpr std::string_view kCalculatorPageCaption = "Calculator";

// Every calculator that exists, in the order of the main window's groups.
std::span<const CatalogEntry> ModelCatalog();

// The entry with exactly this title; nullptr when there is none.
const CatalogEntry* FindCatalogEntry(std::string_view title);

// The model's factory for a calculator class: MakeModel<TbufInterest>.
template <class Model>
std::unique_ptr<TbufCalculator> MakeModel(const ModelServices& services) {
  return std::make_unique<Model>(services);
}

}  // namespace quandrel
