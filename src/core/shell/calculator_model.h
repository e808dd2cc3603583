#pragma once

// The model base every calculator derives from: its calculation and options
// records, the publisher's values, defaults, the opening rules, copy and
// report lines and the settings values of its key.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/foundation/locale_facts.h"
#include "core/foundation/masks.h"
#include "core/foundation/settings_store.h"
#include "core/report/printer_font.h"
#include "core/report/report_canvas.h"
#include "core/report/report_layouts.h"
#include "core/shell/calculation_record.h"
#include "core/shell/field_table.h"
#include "core/shell/text_lines.h"

namespace quandrel {

// "When calculator opens use": the last calculation or the defaults.
enum class OpenWith : std::uint8_t { LastEntered, Defaults };
// "Defaults are": local, global or the publisher's.
enum class DefaultsFrom : std::uint8_t { Local, Global, Publisher };

// The settings value names of the five opening-rule flags.
inline constexpr std::string_view kFlagLastEntered = "DefaultLast entered calculation";
inline constexpr std::string_view kFlagDefaults = "DefaultDefaults";
inline constexpr std::string_view kFlagLocal = "DefaultLocal";
inline constexpr std::string_view kFlagGlobal = "DefaultGlobal";
inline constexpr std::string_view kFlagPublisher = "DefaultPublisher's";

// Local defaults are stored as "Default" followed by their settings name.
std::string LocalDefaultValueName(const FieldSpec& field);

struct TOptionsRecord {
  OpenWith openWith = OpenWith::LastEntered;
  DefaultsFrom defaultsFrom = DefaultsFrom::Publisher;
  TCalculationRecord localDefaults;

  friend bool operator==(const TOptionsRecord&, const TOptionsRecord&) = default;
};

// Everything that makes one calculator, as constant data.
struct CalculatorDefinition {
  // The calculator's title, and the name of its settings key.
  std::string_view title;
  std::string_view keyName;
  std::span<const FieldSpec> fields;
  std::span<const FieldSpec> localDefaults;
  std::span<const GlobalDefaultSpec> globalDefaults;
  OpenWith publisherOpenWith = OpenWith::LastEntered;
  DefaultsFrom publisherDefaultsFrom = DefaultsFrom::Publisher;
  std::span<const LineSpec> copyLines;
  std::span<const LineSpec> reportLines;
  int helpTopic = 0;
  // The help topic of the Options page; 0 when it has none of its own.
  int optionsHelpTopic = 0;
  // A note shown on the Calculator page below the field `pageNoteAfter`
  // ("Enter either dates or number of days."); none when empty.
  std::string_view pageNote{};
  std::string_view pageNoteAfter{};
  // The report's margins and route.
  ReportKind reportKind = ReportKind::OnePageCalculator;
};

// The services a model needs, created once at start-up and handed on.
struct ModelServices {
  TStRegIniEx& settings;
  const TMasks& masks;
  const LocaleFacts& facts;
};

class TbufCalculator {
 public:
  TbufCalculator(const CalculatorDefinition& definition, const ModelServices& services);
  TbufCalculator(const TbufCalculator&) = delete;
  TbufCalculator& operator=(const TbufCalculator&) = delete;
  virtual ~TbufCalculator() = default;

  const CalculatorDefinition& Definition() const { return m_definition; }

  TCalculationRecord Calculation;
  TOptionsRecord Options;

  // The publisher's values into the records (dates are today).
  virtual void InitCalculation();
  virtual void InitOptions();
  // The defaultable fields from the global defaults or from the local ones.
  virtual void ApplyGlobalDefaults();
  virtual void ApplyLocalDefaults();

  // Validates the inputs of the calculation record and fills its results.
  // Failures raise the calculator's numbered errors and leave the record's
  // inputs as they were.
  virtual void Calculate() = 0;

  // The clipboard text: the title, an empty line and one line per copy line,
  // each ended by CR LF.
  virtual std::string CopyText() const;
  // The report's body lines (tabs select its columns); the title is the
  // window caption.
  virtual std::vector<std::string> ReportLines() const;
  // Prints the report on a canvas whose margins are set: by default the
  // one-page two-column report of the title and ReportLines.
  virtual void PrintReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth) const;

  // The last calculation under the calculator's key. A value that is missing
  // keeps the field's current value; a stored value the field cannot hold (a
  // position outside its items, a date outside the calendar, a real that is
  // not finite) fails the whole load: false, and the record is unchanged.
  virtual bool LoadLastCalculation();
  virtual void SaveLastCalculation();
  // The options: local defaults and the opening-rule flags. Damaged values
  // keep the current ones.
  void LoadOptions();
  void SaveOptions() const;

  void CopyCalculationFrom(const TCalculationRecord& other);
  void SetTitle(std::string title) { m_title = std::move(title); }
  const std::string& Title() const { return m_title; }

  // Opening a window: with the record of another open window that
  // calculated, its values; otherwise the options' rule (a failed load of the
  // last calculation switches to the local defaults).
  virtual void ApplyOpeningRule(const TCalculationRecord* lastCalculatedElsewhere);
  // Reset: the publisher's values, the stored options, then the opening rule
  // without the cross-window copy.
  virtual void Reset();

  const ModelServices& Services() const { return m_services; }

 protected:
  std::string BuildLine(const LineSpec& line) const;

 private:
  void SelectKey() const;

  const CalculatorDefinition& m_definition;
  ModelServices m_services;
  std::string m_title;
};

}  // namespace quandrel
