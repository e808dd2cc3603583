#include "core/cli/cli_runner.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include "core/cli/error_family.h"
#include "core/cli/json_writer.h"
#include "core/cli/label_match.h"
#include "core/cli/named_locales.h"
#include "core/cli/usage_error.h"
#include "core/cli/value_parse.h"
#include "core/foundation/coded_error.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "core/io/binary_reader.h"
#include "core/io/data_file_error.h"
#include "core/io/data_file_header.h"
#include "core/shell/model_catalog.h"

namespace quandrel {
namespace {

enum class OutputForm : std::uint8_t { Text, Json, Csv };

struct Invocation {
  std::vector<std::string> words;  // the command and its arguments
  OutputForm form = OutputForm::Text;
  std::optional<DayNumber> today;
  std::string localeName = "en_US";
  bool help = false;
};

// A failure the run reports: a numbered error of a family, or a data file
// that cannot be read.
struct Failure {
  std::optional<int> code;
  std::string message;
  std::string family;
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Messages keep their line breaks as CR (or LF CR); output has plain LF.
std::string PlainLineEnds(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      plain += '\n';
      const char next = i + 1 < text.size() ? text[i + 1] : '\0';
      if ((next == '\r' || next == '\n') && next != c) {
        ++i;  // CR LF or LF CR: one line end
      }
    } else {
      plain += c;
    }
  }
  return plain;
}

bool StartsWithWord(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    if (c != prefix[i]) {
      return false;
    }
  }
  return true;
}

Invocation ParseInvocation(std::span<const std::string> args) {
  Invocation run;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      if (arg == "-h") {
        run.help = true;
        continue;
      }
      run.words.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> value;
    if (const std::size_t equals = arg.find('='); equals != std::string::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    }
    const auto takeValue = [&]() -> std::string {
      if (value) {
        return *value;
      }
      if (i + 1 >= args.size()) {
        throw EUsageError(name + " needs a value");
      }
      return args[++i];
    };
    if (name == "--help") {
      run.help = true;
    } else if (name == "--json") {
      run.form = OutputForm::Json;
    } else if (name == "--csv") {
      run.form = OutputForm::Csv;
    } else if (name == "--today") {
      const std::string text = takeValue();
      const auto day = ParseCommandLineDate(text);
      if (!day) {
        throw EUsageError("--today " + Quoted(text) + " is not a date written yyyy-mm-dd (1600 to 3999)");
      }
      run.today = *day;
    } else if (name == "--locale") {
      run.localeName = takeValue();
      if (!NamedLocaleFacts(run.localeName)) {
        std::string known;
        for (const std::string_view n : NamedLocaleNames()) {
          known += (known.empty() ? "" : ", ") + std::string(n);
        }
        throw EUsageError("--locale " + Quoted(run.localeName) + " is not known; the locales are " + known);
      }
    } else {
      throw EUsageError("unknown option " + Quoted(arg) + " (see --help)");
    }
  }
  return run;
}

// The services of one run: settings in memory with nothing read from the
// user's store, fixed facts and the chosen locale.
class Session {
 public:
  explicit Session(const LocaleFacts& facts)
      : m_facts(facts), m_masks(m_facts), m_services{m_settings, m_masks, m_facts} {
    ApplyWeekdayNames(m_facts);
  }
  ~Session() { ResetWeekdayNames(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const ModelServices& Services() const { return m_services; }
  TStRegIniEx& Settings() { return m_settings; }

 private:
  MemorySettingsBackend m_backend;
  FixedSystemFacts m_system{"", "", {}};
  TStRegIniEx m_settings{m_backend, m_system};
  LocaleFacts m_facts;
  TMasks m_masks;
  ModelServices m_services;
};

// ---------------------------------------------------------------------------
// Calculators, pages and fields

const CatalogEntry& FindCalculator(std::string_view typed) {
  const auto catalog = ModelCatalog();
  if (const CatalogEntry* exact = FindCatalogEntry(typed)) {
    return *exact;
  }
  std::vector<std::string> titles;
  for (const CatalogEntry& entry : catalog) {
    titles.emplace_back(entry.title);
  }
  std::size_t found = FindLabel(titles, typed, "calculator");
  if (found == kNoLabel) {
    // A part of one title only ("interest").
    const std::string part = NormalizeLabel(typed);
    std::size_t count = 0;
    for (std::size_t i = 0; i < titles.size() && !part.empty(); ++i) {
      if (NormalizeLabel(titles[i]).find(part) != std::string::npos) {
        found = i;
        ++count;
      }
    }
    if (count != 1) {
      found = ResolveLabel(titles, typed, "calculator");
    }
  }
  return catalog[found];
}

struct Page {
  std::string caption;
  TCalculationRecord* record = nullptr;
};

std::vector<Page> PagesOf(const CatalogEntry& entry, TbufCalculator& model) {
  std::vector<Page> pages;
  if (entry.mapping.pages.empty()) {
    pages.push_back({std::string(kCalculatorPageCaption), &model.Calculation});
  }
  for (const PageSpec& page : entry.mapping.pages) {
    pages.push_back({std::string(page.caption), &page.record(model)});
  }
  return pages;
}

// The label of a field as output shows it: the caption without "&"; a field
// without a caption (a weekday name) goes by its settings name.
std::string FieldLabel(const TCalculationRecord& record, std::size_t i) {
  const FieldSpec& field = record.Fields()[i];
  const std::string caption = i < record.Captions.size() ? StripAccelerator(record.Captions[i]) : "";
  if (!caption.empty()) {
    return caption;
  }
  return std::string(field.settingsName.empty() ? field.id : field.settingsName);
}

std::vector<std::string> FieldLabels(const TCalculationRecord& record) {
  std::vector<std::string> labels;
  for (std::size_t i = 0; i < record.Size(); ++i) {
    labels.push_back(FieldLabel(record, i));
  }
  return labels;
}

std::string_view TypeName(const FieldSpec& field) {
  switch (field.type) {
    case FieldType::Double:
    case FieldType::Single:
      return "number";
    case FieldType::Int32:
      return "integer";
    case FieldType::Date:
      return "date";
    case FieldType::Text:
      return "text";
    case FieldType::Choice:
      return IsCheckBox(field) ? "yes/no" : "choice";
  }
  return "text";
}

std::string_view KindName(const FieldSpec& field) {
  switch (field.kind) {
    case FieldKind::Input:
    case FieldKind::Choice:
      return "input";
    case FieldKind::Result:
      return "result";
    case FieldKind::Weekday:
      return "weekday";
  }
  return "input";
}

// One value as JSON.
void WriteValue(JsonWriter& json, const FieldSpec& field, const FieldValue& value) {
  switch (field.type) {
    case FieldType::Double:
      json.Number(value.number);
      return;
    case FieldType::Single:
      json.SingleNumber(static_cast<float>(value.number));
      return;
    case FieldType::Int32:
      json.Integer(value.integer);
      return;
    case FieldType::Date:
      if (IsValidDate(value.integer)) {
        json.String(IsoDateText(value.integer));
      } else {
        json.Null();
      }
      return;
    case FieldType::Choice: {
      const auto items = ItemsOf(field);
      if (value.integer < 0 || static_cast<std::size_t>(value.integer) >= items.size()) {
        json.Null();
      } else if (IsCheckBox(field)) {
        json.Boolean(value.integer == 1);
      } else {
        json.String(items[static_cast<std::size_t>(value.integer)]);
      }
      return;
    }
    case FieldType::Text:
      json.String(value.text);
      return;
  }
}

// One value as plain text (CSV cells): numbers as JSON writes them.
std::string PlainValue(const FieldSpec& field, const FieldValue& value) {
  switch (field.type) {
    case FieldType::Double:
    case FieldType::Single:
    case FieldType::Int32: {
      JsonWriter json;
      WriteValue(json, field, value);
      return json.Text() == "null" ? std::string() : json.Text();
    }
    case FieldType::Date:
      return IsoDateText(value.integer);
    case FieldType::Choice: {
      const auto items = ItemsOf(field);
      if (value.integer < 0 || static_cast<std::size_t>(value.integer) >= items.size()) {
        return {};
      }
      if (IsCheckBox(field)) {
        return value.integer == 1 ? "Yes" : "No";
      }
      return std::string(items[static_cast<std::size_t>(value.integer)]);
    }
    case FieldType::Text:
      return value.text;
  }
  return {};
}

FieldSpec ColumnField(const ScheduleColumn& column) {
  FieldSpec field;
  field.type = column.type;
  return field;
}

// ---------------------------------------------------------------------------
// Setting values

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

void SetRecordValue(TCalculationRecord& record, std::size_t i, std::string_view label,
                    std::string_view text) {
  const FieldSpec& field = record.Fields()[i];
  FieldValue value;
  try {
    value = ParseFieldValue(field, text);
  } catch (const EUsageError& error) {
    throw EUsageError(Quoted(label) + ": " + error.what());
  }
  record.Value(i) = std::move(value);
  record.RefreshWeekdayNames();
}

std::vector<ListItem> ParseListItems(const ListInputSpec& list, std::string_view text) {
  std::vector<ListItem> items;
  const std::string name(list.name);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view itemText = Trim(text.substr(start, end - start));
    start = end + 1;
    if (itemText.empty()) {
      if (end == text.size()) {
        break;  // a trailing ';' or an empty list
      }
      throw EUsageError(Quoted(name) + ": item " + std::to_string(items.size() + 1) + " is empty");
    }
    if (list.maxItems != 0 && items.size() >= list.maxItems) {
      throw EUsageError(Quoted(name) + ": more than " + std::to_string(list.maxItems) + " items");
    }
    ListItem item;
    std::size_t partStart = 0;
    for (std::size_t p = 0; p < list.parts.size(); ++p) {
      std::size_t partEnd =
          p + 1 < list.parts.size() ? itemText.find(list.partSeparator, partStart) : itemText.size();
      if (partEnd == std::string_view::npos) {
        throw EUsageError(Quoted(name) + ": item " + std::to_string(items.size() + 1) + " " +
                          Quoted(itemText) + " is not written " + std::string(list.itemFormat));
      }
      FieldSpec partField;
      partField.type = list.parts[p].type;
      partField.mask = list.parts[p].mask;
      try {
        item.push_back(ParseFieldValue(partField, Trim(itemText.substr(partStart, partEnd - partStart))));
      } catch (const EUsageError& error) {
        throw EUsageError(Quoted(name) + ": item " + std::to_string(items.size() + 1) + ", " +
                          std::string(list.parts[p].name) + ": " + error.what());
      }
      partStart = partEnd + 1;
    }
    items.push_back(std::move(item));
  }
  return items;
}

void SetGlobalSetting(TStRegIniEx& settings, const SettingInfo& info, std::string_view text) {
  const std::string label = Quoted("setting:" + std::string(info.name));
  switch (info.type) {
    case SettingsValueType::Integer: {
      const auto number = ParsePlainNumber(text);
      if (!number || *number != std::floor(*number) || *number < -2147483648.0 || *number > 2147483647.0) {
        throw EUsageError(label + ": " + Quoted(text) + " is not a whole number");
      }
      settings.SetInteger(info.id, static_cast<std::int32_t>(*number));
      return;
    }
    case SettingsValueType::Boolean:
      settings.SetBoolean(info.id, ParseChoice({}, true, text) == 1);
      return;
    case SettingsValueType::Real: {
      const auto number = ParsePlainNumber(text);
      if (!number) {
        throw EUsageError(label + ": " + Quoted(text) + " is not a plain number");
      }
      settings.SetReal(info.id, *number);
      return;
    }
    default:
      settings.SetString(info.id, text);
      return;
  }
}

// ---------------------------------------------------------------------------
// Output

void WriteRecordFields(JsonWriter& json, const std::vector<const TCalculationRecord*>& records) {
  std::vector<std::string> labels;
  for (const TCalculationRecord* record : records) {
    const auto some = FieldLabels(*record);
    labels.insert(labels.end(), some.begin(), some.end());
  }
  const std::vector<std::string> keys = DistinctLabels(labels);
  std::size_t k = 0;
  for (const TCalculationRecord* record : records) {
    for (std::size_t i = 0; i < record->Size(); ++i, ++k) {
      json.Key(keys[k]);
      WriteValue(json, record->Fields()[i], record->Value(i));
    }
  }
}

void WriteFailure(JsonWriter& json, const std::optional<Failure>& failure) {
  json.Key("error");
  if (!failure) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("code");
  if (failure->code) {
    json.Integer(*failure->code);
  } else {
    json.Null();
  }
  json.Key("message");
  json.String(failure->message);
  json.Key("family");
  if (failure->family.empty()) {
    json.Null();
  } else {
    json.String(failure->family);
  }
  json.EndObject();
}

std::string CsvCell(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    return std::string(text);
  }
  std::string cell = "\"";
  for (const char c : text) {
    cell += c;
    if (c == '"') {
      cell += '"';
    }
  }
  return cell + "\"";
}

struct Rows {
  std::span<const ScheduleColumn> columns;
  std::vector<std::vector<FieldValue>> rows;
};

std::optional<Rows> ScheduleOf(const CatalogEntry& entry, const TbufCalculator& model) {
  if (entry.mapping.schedule.rows == nullptr) {
    return std::nullopt;
  }
  return Rows{entry.mapping.schedule.columns, entry.mapping.schedule.rows(model)};
}

void WriteSchedule(JsonWriter& json, const Rows& rows) {
  json.Key("schedule");
  json.BeginArray();
  for (const auto& row : rows.rows) {
    json.BeginObject();
    for (std::size_t c = 0; c < rows.columns.size() && c < row.size(); ++c) {
      json.Key(rows.columns[c].heading);
      WriteValue(json, ColumnField(rows.columns[c]), row[c]);
    }
    json.EndObject();
  }
  json.EndArray();
}

// What one calculation (or one loaded file) shows.
struct Shown {
  const CatalogEntry* entry = nullptr;
  TbufCalculator* model = nullptr;
  const Page* page = nullptr;
  bool manyPages = false;
  std::optional<Failure> failure;
  std::string file;  // the data file shown, if any
  // What the page's linked fields could not follow (the window's notes).
  std::vector<std::string> notes;
};

std::vector<const TCalculationRecord*> RecordsShown(const Shown& shown,
                                                    std::optional<TCalculationRecord>& detail) {
  std::vector<const TCalculationRecord*> records{shown.page->record};
  const DetailSpec& spec = shown.entry->mapping.detail;
  if (spec.figures != nullptr && !shown.failure) {
    detail = spec.figures(*shown.model);
    records.push_back(&*detail);
  }
  return records;
}

std::string JsonDocument(const Shown& shown) {
  JsonWriter json;
  json.BeginObject();
  if (!shown.file.empty()) {
    json.Key("file");
    json.String(shown.file);
  }
  json.Key("calculator");
  json.String(shown.entry->title);
  if (shown.manyPages) {
    json.Key("page");
    json.String(shown.page->caption);
  }
  json.Key("fields");
  json.BeginObject();
  std::optional<TCalculationRecord> detail;
  WriteRecordFields(json, RecordsShown(shown, detail));
  for (const ListInputSpec& list : shown.entry->mapping.lists) {
    if (list.read == nullptr) {
      continue;
    }
    json.Key(list.name);
    json.BeginArray();
    for (const ListItem& item : list.read(*shown.model)) {
      json.BeginObject();
      for (std::size_t p = 0; p < list.parts.size() && p < item.size(); ++p) {
        FieldSpec partField;
        partField.type = list.parts[p].type;
        json.Key(list.parts[p].name);
        WriteValue(json, partField, item[p]);
      }
      json.EndObject();
    }
    json.EndArray();
  }
  json.EndObject();
  if (!shown.failure) {
    if (const auto rows = ScheduleOf(*shown.entry, *shown.model)) {
      WriteSchedule(json, *rows);
    }
  }
  if (!shown.notes.empty()) {
    json.Key("notes");
    json.BeginArray();
    for (const std::string& note : shown.notes) {
      json.String(note);
    }
    json.EndArray();
  }
  WriteFailure(json, shown.failure);
  json.EndObject();
  return json.Text() + "\n";
}

std::string CsvDocument(const Shown& shown) {
  std::string csv;
  if (const auto rows = ScheduleOf(*shown.entry, *shown.model)) {
    for (std::size_t c = 0; c < rows->columns.size(); ++c) {
      csv += (c == 0 ? "" : ",") + CsvCell(rows->columns[c].heading);
    }
    csv += "\n";
    for (const auto& row : rows->rows) {
      for (std::size_t c = 0; c < rows->columns.size() && c < row.size(); ++c) {
        csv += (c == 0 ? "" : ",") + CsvCell(PlainValue(ColumnField(rows->columns[c]), row[c]));
      }
      csv += "\n";
    }
    return csv;
  }
  // No rows: the fields, one per line.
  csv = "Label,Value\n";
  std::optional<TCalculationRecord> detail;
  const auto records = RecordsShown(shown, detail);
  std::vector<std::string> labels;
  for (const TCalculationRecord* record : records) {
    const auto some = FieldLabels(*record);
    labels.insert(labels.end(), some.begin(), some.end());
  }
  const auto keys = DistinctLabels(labels);
  std::size_t k = 0;
  for (const TCalculationRecord* record : records) {
    for (std::size_t i = 0; i < record->Size(); ++i, ++k) {
      csv += CsvCell(keys[k]) + "," + CsvCell(PlainValue(record->Fields()[i], record->Value(i))) + "\n";
    }
  }
  return csv;
}

std::string FailureLine(const Failure& failure) {
  std::string line = "quandrel-cli: ";
  if (failure.code) {
    line += "error " + std::to_string(*failure.code);
    if (!failure.family.empty()) {
      line += " (" + failure.family + ")";
    }
    line += ": ";
  }
  return line + failure.message + "\n";
}

CliOutcome Present(const Shown& shown, OutputForm form) {
  CliOutcome outcome;
  for (const std::string& note : shown.notes) {
    outcome.err += "quandrel-cli: note: " + note + "\n";
  }
  if (shown.failure) {
    outcome.exitCode = kExitCalculationError;
    outcome.err += FailureLine(*shown.failure);
  }
  switch (form) {
    case OutputForm::Json:
      outcome.out = JsonDocument(shown);
      break;
    case OutputForm::Csv:
      if (!shown.failure) {
        outcome.out = CsvDocument(shown);
      }
      break;
    case OutputForm::Text:
      if (!shown.failure) {
        outcome.out = PlainLineEnds(shown.model->CopyText());
      }
      break;
  }
  return outcome;
}

Failure FailureOf(const std::exception& error) {
  Failure failure;
  failure.message = PlainLineEnds(error.what());
  if (const auto* coded = dynamic_cast<const ECodedError*>(&error)) {
    failure.code = coded->Code();
    failure.family = ErrorFamilyName(error);
  }
  return failure;
}

// ---------------------------------------------------------------------------
// Commands

CliOutcome ListCommand(const Invocation& run) {
  if (run.words.size() != 1) {
    throw EUsageError("list takes no arguments");
  }
  CliOutcome outcome;
  if (run.form == OutputForm::Json) {
    JsonWriter json;
    json.BeginArray();
    for (const CatalogEntry& entry : ModelCatalog()) {
      json.String(entry.title);
    }
    json.EndArray();
    outcome.out = json.Text() + "\n";
    return outcome;
  }
  for (const CatalogEntry& entry : ModelCatalog()) {
    outcome.out += std::string(entry.title) + "\n";
  }
  return outcome;
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) {
    text.append(width - text.size(), ' ');
  }
  return text + " ";
}

std::string FieldDescription(const TCalculationRecord& record, std::size_t i) {
  const FieldSpec& field = record.Fields()[i];
  std::string text = Padded(std::string(KindName(field)), 7) + std::string(TypeName(field));
  if (field.kind == FieldKind::Weekday && !field.linked.empty()) {
    text += " (the weekday of " + Quoted(FieldLabel(record, record.IndexOf(field.linked))) + ")";
  } else if (field.type == FieldType::Choice && !IsCheckBox(field)) {
    const auto items = ItemsOf(field);
    text += ":";
    for (std::size_t k = 0; k < items.size(); ++k) {
      text += (k == 0 ? " " : ", ") + std::to_string(k) + " " + Quoted(items[k]);
    }
  } else if (!field.mask.empty() && field.type != FieldType::Date) {
    text += " (mask " + Quoted(field.mask) + ")";
  }
  return text;
}

void WriteFieldList(JsonWriter& json, const TCalculationRecord& record, std::string_view prefix) {
  const auto labels = DistinctLabels(FieldLabels(record));
  json.BeginArray();
  for (std::size_t i = 0; i < record.Size(); ++i) {
    const FieldSpec& field = record.Fields()[i];
    json.BeginObject();
    json.Key("label");
    json.String(std::string(prefix) + labels[i]);
    json.Key("kind");
    json.String(KindName(field));
    json.Key("type");
    json.String(TypeName(field));
    if (field.type == FieldType::Choice) {
      json.Key("items");
      json.BeginArray();
      for (const std::string_view item : ItemsOf(field)) {
        json.String(item);
      }
      json.EndArray();
    }
    if (!field.mask.empty() && field.type != FieldType::Choice) {
      json.Key("mask");
      json.String(field.mask);
    }
    json.EndObject();
  }
  json.EndArray();
}

CliOutcome FieldsCommand(const Invocation& run) {
  if (run.words.size() != 2) {
    throw EUsageError("fields takes one calculator: fields \"<calculator>\"");
  }
  const CatalogEntry& entry = FindCalculator(run.words[1]);
  Session session(*NamedLocaleFacts(run.localeName));
  const auto model = entry.create(session.Services());
  const auto pages = PagesOf(entry, *model);
  const TCalculationRecord& options = model->Options.localDefaults;
  CliOutcome outcome;

  if (run.form == OutputForm::Json) {
    JsonWriter json;
    json.BeginObject();
    json.Key("calculator");
    json.String(entry.title);
    json.Key("pages");
    json.BeginArray();
    for (const Page& page : pages) {
      json.BeginObject();
      json.Key("caption");
      json.String(page.caption);
      json.Key("fields");
      WriteFieldList(json, *page.record, "");
      json.EndObject();
    }
    json.EndArray();
    json.Key("options");
    WriteFieldList(json, options, "option:");
    json.Key("lists");
    json.BeginArray();
    for (const ListInputSpec& list : entry.mapping.lists) {
      json.BeginObject();
      json.Key("name");
      json.String(list.name);
      json.Key("item");
      json.String(list.itemFormat);
      json.Key("maxItems");
      json.Integer(static_cast<std::int64_t>(list.maxItems));
      json.Key("description");
      json.String(list.description);
      json.EndObject();
    }
    json.EndArray();
    if (entry.mapping.schedule.rows != nullptr) {
      json.Key("schedule");
      json.BeginArray();
      for (const ScheduleColumn& column : entry.mapping.schedule.columns) {
        json.String(column.heading);
      }
      json.EndArray();
    }
    json.EndObject();
    outcome.out = json.Text() + "\n";
    return outcome;
  }

  std::string& out = outcome.out;
  out += std::string(entry.title) + "\n";
  for (const Page& page : pages) {
    out += "\n" + page.caption + " page (LABEL=VALUE):\n";
    const auto labels = DistinctLabels(FieldLabels(*page.record));
    for (std::size_t i = 0; i < page.record->Size(); ++i) {
      out += "  " + Padded(labels[i], 34) + FieldDescription(*page.record, i) + "\n";
    }
  }
  out += "\nOptions (option:<caption>=VALUE):\n";
  const auto optionLabels = DistinctLabels(FieldLabels(options));
  for (std::size_t i = 0; i < options.Size(); ++i) {
    out += "  " + Padded(optionLabels[i], 34) + FieldDescription(options, i) + "\n";
  }
  if (options.Size() == 0) {
    out += "  none\n";
  }
  out += "\nLists (NAME=ITEM;ITEM;...):\n";
  for (const ListInputSpec& list : entry.mapping.lists) {
    out += "  " + Padded(std::string(list.name) + "=" + std::string(list.itemFormat) + ";...", 34) +
           std::string(list.description);
    if (list.maxItems != 0) {
      out += " (at most " + std::to_string(list.maxItems) + " items)";
    }
    out += "\n";
  }
  if (entry.mapping.lists.empty()) {
    out += "  none\n";
  }
  if (entry.mapping.schedule.rows != nullptr) {
    out += "\nSchedule columns:";
    for (const ScheduleColumn& column : entry.mapping.schedule.columns) {
      out += " " + Quoted(column.heading);
    }
    out += "\n";
  }
  out += "\nPages:";
  for (const Page& page : pages) {
    out += " " + Quoted(page.caption);
  }
  out += pages.size() > 1 ? " (choose with page=<caption>)\n" : "\n";
  return outcome;
}

struct Assignment {
  std::string name;
  std::string value;
};

Assignment SplitAssignment(const std::string& word) {
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) {
    throw EUsageError(Quoted(word) + " is not LABEL=VALUE");
  }
  Assignment assignment{std::string(Trim(std::string_view(word).substr(0, equals))), word.substr(equals + 1)};
  if (assignment.name.empty()) {
    throw EUsageError(Quoted(word) + " has no label before \"=\"");
  }
  return assignment;
}

// Sets one LABEL=VALUE on the model.
void Assign(const CatalogEntry& entry, TbufCalculator& model, Session& session, const Page& page,
            const Assignment& assignment, std::vector<std::string>& notes) {
  const std::string& name = assignment.name;
  const std::string& text = assignment.value;

  if (StartsWithWord(name, "option:")) {
    TCalculationRecord& options = model.Options.localDefaults;
    const std::string typed = name.substr(7);
    const std::size_t i = ResolveLabel(FieldLabels(options), typed, "option");
    SetRecordValue(options, i, "option:" + FieldLabel(options, i), text);
    return;
  }

  // Settings of the calculator's dialogs and the global settings, by their
  // value names.
  const auto setDialogSetting = [&](std::string_view typed, bool required) {
    const DialogSettingsSpec& dialog = entry.mapping.dialogSettings;
    if (dialog.record != nullptr) {
      TCalculationRecord& record = dialog.record(model);
      std::vector<std::string> names;
      for (const FieldSpec& field : record.Fields()) {
        names.emplace_back(field.SettingsName());
      }
      const std::size_t i = FindLabel(names, typed, "setting");
      if (i != kNoLabel) {
        SetRecordValue(record, i, names[i], text);
        return true;
      }
    }
    std::vector<std::string> names;
    for (const SettingInfo& info : TStRegIniEx::CachedSettings()) {
      names.emplace_back(info.name);
    }
    const std::size_t i =
        required ? ResolveLabel(names, typed, "setting") : FindLabel(names, typed, "setting");
    if (i == kNoLabel) {
      return false;
    }
    SetGlobalSetting(session.Settings(), TStRegIniEx::CachedSettings()[i], text);
    return true;
  };
  if (StartsWithWord(name, "setting:")) {
    setDialogSetting(name.substr(8), true);
    return;
  }

  const std::vector<std::string> labels = FieldLabels(*page.record);
  const std::size_t field = FindLabel(labels, name, "field");
  const ListInputSpec* list = nullptr;
  for (const ListInputSpec& candidate : entry.mapping.lists) {
    if (NormalizeLabel(candidate.name) == NormalizeLabel(name)) {
      list = &candidate;
    }
  }
  if (list != nullptr && field != kNoLabel) {
    throw EUsageError(Quoted(name) + " names both the list " + Quoted(list->name) + " and the field " +
                      Quoted(DistinctLabels(labels)[field]));
  }
  if (list != nullptr) {
    const std::vector<ListItem> items = ParseListItems(*list, text);
    list->apply(model, items);
    return;
  }
  if (field == kNoLabel) {
    if (setDialogSetting(name, false)) {
      return;
    }
    ResolveLabel(labels, name, "field");  // throws, naming the candidates
  }
  const FieldSpec& spec = page.record->Fields()[field];
  const std::string label = DistinctLabels(labels)[field];
  if (spec.kind == FieldKind::Result) {
    throw EUsageError(Quoted(label) + " is a result of the calculation; it cannot be set");
  }
  if (spec.kind == FieldKind::Weekday) {
    throw EUsageError(Quoted(label) + " shows the weekday of a date; set the date instead");
  }
  SetRecordValue(*page.record, field, label, text);
  if (entry.mapping.fieldChanged != nullptr) {
    const std::string note = entry.mapping.fieldChanged(model, spec.id);
    if (!note.empty()) {
      notes.push_back(label + " = " + text + ": " + note);
    }
  }
}

CliOutcome CalcCommand(const Invocation& run) {
  if (run.words.size() < 2) {
    throw EUsageError("calc needs a calculator: calc \"<calculator>\" LABEL=VALUE ...");
  }
  const CatalogEntry& entry = FindCalculator(run.words[1]);
  Session session(*NamedLocaleFacts(run.localeName));
  const auto model = entry.create(session.Services());
  const std::vector<Page> pages = PagesOf(entry, *model);

  std::vector<Assignment> assignments;
  std::size_t pageIndex = 0;
  for (std::size_t w = 2; w < run.words.size(); ++w) {
    Assignment assignment = SplitAssignment(run.words[w]);
    if (NormalizeLabel(assignment.name) == "page") {
      std::vector<std::string> captions;
      for (const Page& page : pages) {
        captions.push_back(page.caption);
      }
      pageIndex = ResolveLabel(captions, assignment.value, "page");
      continue;
    }
    assignments.push_back(std::move(assignment));
  }
  const Page& page = pages[pageIndex];
  Shown shown{&entry, model.get(), &page, pages.size() > 1, std::nullopt, {}, {}};
  try {
    // A grid the model refuses raises its numbered error like Calc does.
    for (const Assignment& assignment : assignments) {
      Assign(entry, *model, session, page, assignment, shown.notes);
    }
    page.record->RefreshWeekdayNames();
    model->Calculate();
  } catch (const EUsageError&) {
    throw;
  } catch (const std::exception& error) {
    shown.failure = FailureOf(error);
  }
  return Present(shown, run.form);
}

// Reads the header of a file: at most its first 19 bytes.
DataFileHeader ReadHeaderOf(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) {
    throw EDataFileError(DataFileErrorKind::CannotRead, "cannot open the file");
  }
  std::vector<std::uint8_t> bytes(kDataFileHeaderSize);
  stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(stream.gcount()));
  BinaryReader reader(bytes);
  return ReadDataFileHeader(reader);
}

CliOutcome ShowCommand(const Invocation& run) {
  if (run.words.size() != 2) {
    throw EUsageError("show takes one file: show FILE [--json | --csv]");
  }
  const std::filesystem::path path(run.words[1]);
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    throw EUsageError("cannot read " + Quoted(run.words[1]) + ": there is no such file");
  }
  if (!std::filesystem::is_regular_file(path, error)) {
    throw EUsageError("cannot read " + Quoted(run.words[1]) + ": it is not a file");
  }

  const auto fileFailure = [&](const std::string& message) {
    CliOutcome outcome;
    outcome.exitCode = kExitCalculationError;
    const Failure failure{std::nullopt, message, "EDataFileError"};
    outcome.err = FailureLine(failure);
    if (run.form == OutputForm::Json) {
      JsonWriter json;
      json.BeginObject();
      json.Key("file");
      json.String(run.words[1]);
      json.Key("calculator");
      json.Null();
      json.Key("fields");
      json.Null();
      WriteFailure(json, failure);
      json.EndObject();
      outcome.out = json.Text() + "\n";
    }
    return outcome;
  };

  DataFileHeader header;
  try {
    header = ReadHeaderOf(path);
  } catch (const EDataFileError& failure) {
    return fileFailure(Quoted(run.words[1]) + " is not a data file of this suite (" +
                       std::string(DataFileErrorKindName(failure.Kind())) + ")");
  }
  const CatalogEntry* entry = nullptr;
  for (const CatalogEntry& candidate : ModelCatalog()) {
    if (!candidate.mapping.dataFile.typeName.empty() &&
        candidate.mapping.dataFile.typeName == header.typeName) {
      entry = &candidate;
    }
  }
  if (entry == nullptr) {
    return fileFailure(Quoted(run.words[1]) + " is a data file of type " + JsonQuoted(header.typeName) +
                       " (version " + std::to_string(header.version.major) + "." +
                       std::to_string(header.version.minor) + "), which no calculator here reads");
  }

  Session session(*NamedLocaleFacts(run.localeName));
  const auto model = entry->create(session.Services());
  const std::vector<Page> pages = PagesOf(*entry, *model);
  Shown shown{entry, model.get(), &pages.front(), pages.size() > 1, std::nullopt, run.words[1], {}};
  try {
    entry->mapping.dataFile.load(*model, path);
  } catch (const ECodedError& failure) {
    shown.failure = FailureOf(failure);
  } catch (const EDataFileError& failure) {
    return fileFailure(Quoted(run.words[1]) + ": " + failure.what());
  }
  return Present(shown, run.form);
}

CliOutcome UsageFailure(const std::string& message, bool json) {
  CliOutcome outcome;
  outcome.exitCode = kExitUsage;
  outcome.err = "quandrel-cli: " + message + "\n";
  if (json) {
    JsonWriter writer;
    writer.BeginObject();
    WriteFailure(writer, Failure{std::nullopt, message, {}});
    writer.EndObject();
    outcome.out = writer.Text() + "\n";
  }
  return outcome;
}

}  // namespace

std::string HelpText() {
  return R"(quandrel-cli: the Quandrel calculators from the command line.

Usage:
  quandrel-cli list
      The calculators, one per line, by the names the other commands take.
      Example:  quandrel-cli list

  quandrel-cli fields "<calculator>" [--json]
      Its fields in page order (label, input or result, type, the items of a
      choice), its options, its list-valued inputs and its pages.
      Example:  quandrel-cli fields "Compound/Simple Interest Calculator"

  quandrel-cli calc "<calculator>" LABEL=VALUE... [--json | --csv]
      Starts from the publisher's values (nothing is read from or written to
      your settings), sets the inputs, runs Calc once and prints the copy
      text, or with --json one object {"calculator", "fields", "error"}.
      Example:  quandrel-cli calc interest "Amount=1000" "Number of Days=365" \
                  "Annual Rate=5" "Compounding Period=Annually" \
                  "Rate Basis=Actual/365" --json

  quandrel-cli show FILE [--json | --csv]
      Reads a data file of the suite (recognised by its header) and prints its
      calculation, or its rows as CSV with a header line.
      Example:  quandrel-cli show Last.npv --csv

Labels are the captions as the copy text prints them; case, blanks and
punctuation are ignored ("annualrate" finds "Annual Rate? (%):"). A caption
that stands several times is picked with <caption>#n (from 1). Options-page
items are set as option:<caption>=VALUE, settings by their value names
(setting:<name>=VALUE), grids as NAME=ITEM;ITEM;... and the page of a
calculator with several pages as page=<caption>. A calculator's name may be
shortened to a part that names only it ("interest").

Values: plain numbers with a point (1234.56, -30; no separators or symbols),
dates as yyyy-mm-dd or mm/dd/yyyy, choices by item text or by position from
0, check boxes as Yes or No.

Options:
  --json           one JSON object: numbers as numbers, dates as yyyy-mm-dd,
                   choices as item texts, check boxes as true/false
  --csv            rows as CSV with a header line (fields when no rows)
  --today DATE     the date that "today" stands for (yyyy-mm-dd)
  --locale NAME    the text of copied lines: en_US (default), en_GB, en_CA,
                   de_DE, fr_FR
  --help           this text

Exit status: 0 done; 1 the calculation raised a numbered error, or a data file
could not be read (the message on standard error and in the JSON); 2 bad
usage, an unknown calculator or label, or a value that does not parse.
)";
}

CliOutcome RunCommandLine(std::span<const std::string> args) {
  bool json = false;
  for (const std::string& arg : args) {
    json = json || arg == "--json";
  }
  try {
    const Invocation run = ParseInvocation(args);
    if (run.help || (!run.words.empty() && run.words.front() == "help")) {
      return CliOutcome{kExitSuccess, HelpText(), {}};
    }
    if (run.words.empty()) {
      return CliOutcome{kExitUsage, {}, "quandrel-cli: no command given.\n\n" + HelpText()};
    }
    std::optional<FixedTodayScope> today;
    if (run.today) {
      today.emplace(*run.today);
    }
    const std::string& command = run.words.front();
    if (command == "list") {
      return ListCommand(run);
    }
    if (command == "fields") {
      return FieldsCommand(run);
    }
    if (command == "calc") {
      return CalcCommand(run);
    }
    if (command == "show") {
      return ShowCommand(run);
    }
    throw EUsageError("unknown command " + Quoted(command) +
                      "; the commands are list, fields, calc and show");
  } catch (const EUsageError& error) {
    return UsageFailure(error.what(), json);
  } catch (const std::exception& error) {
    CliOutcome outcome;
    outcome.exitCode = kExitCalculationError;
    outcome.err = std::string("quandrel-cli: ") + error.what() + "\n";
    return outcome;
  }
}

}  // namespace quandrel
