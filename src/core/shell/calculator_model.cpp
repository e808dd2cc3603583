#include "core/shell/calculator_model.h"

#include <cmath>
#include <stdexcept>

#include "core/foundation/date_arithmetic.h"

namespace quandrel {
namespace {

bool IsValidPosition(const FieldSpec& field, std::int64_t position) {
  return position >= 0 && static_cast<std::size_t>(position) < ItemsOf(field).size();
}

// Reads one field's value from the current key into `value`. False when the
// stored value is one the field cannot hold.
bool ReadField(const TStRegIniEx& settings, const FieldSpec& field, const std::string& name,
               FieldValue& value) {
  if (!settings.ValueExists(name)) {
    return true;
  }
  switch (field.type) {
    case FieldType::Double:
    case FieldType::Single: {
      const double read = settings.ReadReal(name, std::nan(""));
      if (!std::isfinite(read)) {
        return false;
      }
      value.number = KeptAs(field.type, read);
      return true;
    }
    case FieldType::Int32: {
      const std::int32_t read = settings.ReadInteger(name, value.integer);
      if (!field.range.Holds(read)) {
        return false;
      }
      value.integer = read;
      return true;
    }
    case FieldType::Date: {
      const DayNumber read = settings.ReadDate(name, BadDate);
      if (!IsValidDate(read)) {
        return false;
      }
      value.integer = read;
      return true;
    }
    case FieldType::Choice: {
      const std::int32_t read = settings.ReadInteger(name, -1);
      if (!IsValidPosition(field, read)) {
        return false;
      }
      value.integer = read;
      return true;
    }
    case FieldType::Text:
      value.text = settings.ReadString(name, value.text);
      return true;
  }
  return true;
}

void WriteField(TStRegIniEx& settings, const FieldSpec& field, const std::string& name,
                const FieldValue& value) {
  switch (field.type) {
    case FieldType::Double:
    case FieldType::Single:
      settings.WriteReal(name, value.number);
      break;
    case FieldType::Int32:
    case FieldType::Choice:
      settings.WriteInteger(name, value.integer);
      break;
    case FieldType::Date:
      settings.WriteDate(name, value.integer);
      break;
    case FieldType::Text:
      settings.WriteString(name, value.text);
      break;
  }
}

void PutPublisherValues(TCalculationRecord& record) {
  const auto fields = record.Fields();
  const DayNumber today = Today();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldSpec& field = fields[i];
    FieldValue value;
    switch (field.type) {
      case FieldType::Double:
      case FieldType::Single:
        value.number = KeptAs(field.type, field.publisher);
        break;
      case FieldType::Int32:
      case FieldType::Choice:
        value.integer = static_cast<std::int32_t>(field.publisher);
        break;
      case FieldType::Date:
        value.integer = today + static_cast<DayNumber>(field.publisher);
        break;
      case FieldType::Text:
        break;
    }
    record.Value(i) = std::move(value);
  }
  record.RefreshWeekdayNames();
}

// Copies a value between fields of possibly different records.
void AssignValue(const FieldSpec& target, FieldValue& to, const FieldValue& from) {
  to.number = KeptAs(target.type, from.number);
  to.integer = from.integer;
  to.text = from.text;
}

}  // namespace

std::string LocalDefaultValueName(const FieldSpec& field) {
  return "Default" + std::string(field.SettingsName());
}

TbufCalculator::TbufCalculator(const CalculatorDefinition& definition, const ModelServices& services)
    : Calculation(definition.fields),
      m_definition(definition),
      m_services(services),
      m_title(definition.title) {
  Options.localDefaults = TCalculationRecord(definition.localDefaults);
  PutPublisherValues(Calculation);
  InitOptions();
}

void TbufCalculator::SelectKey() const {
  m_services.settings.SetCurrentKey(m_definition.keyName);
}

void TbufCalculator::InitCalculation() {
  PutPublisherValues(Calculation);
}

void TbufCalculator::InitOptions() {
  Options.openWith = m_definition.publisherOpenWith;
  Options.defaultsFrom = m_definition.publisherDefaultsFrom;
  PutPublisherValues(Options.localDefaults);
}

void TbufCalculator::ApplyLocalDefaults() {
  const auto defaults = Options.localDefaults.Fields();
  for (std::size_t i = 0; i < defaults.size(); ++i) {
    if (defaults[i].linked.empty()) {
      continue;  // stored, but applied to no field
    }
    const std::size_t target = Calculation.IndexOf(defaults[i].linked);
    AssignValue(Calculation.Fields()[target], Calculation.Value(target), Options.localDefaults.Value(i));
  }
  Calculation.RefreshWeekdayNames();
}

void TbufCalculator::ApplyGlobalDefaults() {
  const TStRegIniEx& settings = m_services.settings;
  for (const GlobalDefaultSpec& global : m_definition.globalDefaults) {
    double stored = 0;
    switch (TStRegIniEx::Info(global.setting).type) {
      case SettingsValueType::Real:
        stored = settings.Real(global.setting);
        break;
      case SettingsValueType::Boolean:
        stored = settings.Boolean(global.setting) ? 1 : 0;
        break;
      default:
        stored = settings.Integer(global.setting);
        break;
    }
    const double mapped = global.map != nullptr ? global.map(stored) : stored;
    const std::size_t target = Calculation.IndexOf(global.target);
    const FieldSpec& field = Calculation.Fields()[target];
    FieldValue& value = Calculation.Value(target);
    if (field.IsNumber()) {
      value.number = KeptAs(field.type, mapped);
    } else if (field.type == FieldType::Choice) {
      // A damaged global position leaves the field as it is.
      if (IsValidPosition(field, static_cast<std::int64_t>(mapped))) {
        value.integer = static_cast<std::int32_t>(mapped);
      }
    } else {
      value.integer = static_cast<std::int32_t>(mapped);
    }
  }
}

std::string TbufCalculator::BuildLine(const LineSpec& line) const {
  return quandrel::BuildLine(line, Calculation, m_services.masks, m_services.facts);
}

std::string TbufCalculator::CopyText() const {
  std::string text = m_title + "\r\n\r\n";
  for (const LineSpec& line : m_definition.copyLines) {
    text += BuildLine(line);
    text += "\r\n";
  }
  return text;
}

void TbufCalculator::PrintReport(TReportCanvas& canvas, const FontSpec& font, double paperWidth) const {
  PrintCalculatorReport(canvas, font, paperWidth, m_title, ReportLines());
}

std::vector<std::string> TbufCalculator::ReportLines() const {
  std::vector<std::string> lines;
  for (const LineSpec& line : m_definition.reportLines) {
    lines.push_back(BuildLine(line));
  }
  return lines;
}

bool TbufCalculator::LoadLastCalculation() {
  SelectKey();
  TCalculationRecord loaded = Calculation;
  const auto fields = loaded.Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!fields[i].stored || fields[i].kind == FieldKind::Weekday) {
      continue;  // weekday names follow their dates
    }
    if (!ReadField(m_services.settings, fields[i], std::string(fields[i].SettingsName()), loaded.Value(i))) {
      return false;
    }
  }
  loaded.RefreshWeekdayNames();
  Calculation = std::move(loaded);
  return true;
}

void TbufCalculator::SaveLastCalculation() {
  SelectKey();
  const auto fields = Calculation.Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].stored) {
      WriteField(m_services.settings, fields[i], std::string(fields[i].SettingsName()), Calculation.Value(i));
    }
  }
}

void TbufCalculator::LoadOptions() {
  SelectKey();
  const TStRegIniEx& settings = m_services.settings;
  const auto fields = Options.localDefaults.Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    FieldValue value = Options.localDefaults.Value(i);
    if (ReadField(settings, fields[i], LocalDefaultValueName(fields[i]), value)) {
      Options.localDefaults.Value(i) = std::move(value);
    }
  }
  const bool last = settings.ReadBoolean(kFlagLastEntered, Options.openWith == OpenWith::LastEntered);
  const bool defaults = settings.ReadBoolean(kFlagDefaults, Options.openWith == OpenWith::Defaults);
  if (last != defaults) {
    Options.openWith = last ? OpenWith::LastEntered : OpenWith::Defaults;
  }
  const bool local = settings.ReadBoolean(kFlagLocal, Options.defaultsFrom == DefaultsFrom::Local);
  const bool global = settings.ReadBoolean(kFlagGlobal, Options.defaultsFrom == DefaultsFrom::Global);
  const bool publisher =
      settings.ReadBoolean(kFlagPublisher, Options.defaultsFrom == DefaultsFrom::Publisher);
  // Exactly one flag of a group is set; a damaged group keeps the current choice.
  if (local + global + publisher == 1) {
    Options.defaultsFrom = local    ? DefaultsFrom::Local
                           : global ? DefaultsFrom::Global
                                    : DefaultsFrom::Publisher;
  }
}

void TbufCalculator::SaveOptions() const {
  SelectKey();
  TStRegIniEx& settings = m_services.settings;
  const auto fields = Options.localDefaults.Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    WriteField(settings, fields[i], LocalDefaultValueName(fields[i]), Options.localDefaults.Value(i));
  }
  settings.WriteBoolean(kFlagLastEntered, Options.openWith == OpenWith::LastEntered);
  settings.WriteBoolean(kFlagDefaults, Options.openWith == OpenWith::Defaults);
  settings.WriteBoolean(kFlagLocal, Options.defaultsFrom == DefaultsFrom::Local);
  settings.WriteBoolean(kFlagGlobal, Options.defaultsFrom == DefaultsFrom::Global);
  settings.WriteBoolean(kFlagPublisher, Options.defaultsFrom == DefaultsFrom::Publisher);
}

void TbufCalculator::CopyCalculationFrom(const TCalculationRecord& other) {
  Calculation.CopyValuesFrom(other);
}

void TbufCalculator::ApplyOpeningRule(const TCalculationRecord* lastCalculatedElsewhere) {
  if (lastCalculatedElsewhere != nullptr) {
    CopyCalculationFrom(*lastCalculatedElsewhere);
    return;
  }
  if (Options.openWith == OpenWith::LastEntered && !LoadLastCalculation()) {
    Options.openWith = OpenWith::Defaults;
    Options.defaultsFrom = DefaultsFrom::Local;
  }
  if (Options.openWith == OpenWith::Defaults) {
    if (Options.defaultsFrom == DefaultsFrom::Local) {
      ApplyLocalDefaults();
    } else if (Options.defaultsFrom == DefaultsFrom::Global) {
      ApplyGlobalDefaults();
    }
  }
}

void TbufCalculator::Reset() {
  InitCalculation();
  InitOptions();
  LoadOptions();
  ApplyOpeningRule(nullptr);
}

}  // namespace quandrel
