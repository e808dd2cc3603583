// Runs the built quandrel-cli as a script would and checks what it prints
// against the same models computed here, in-process.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/json_reader.h"
#include "core/cli/value_parse.h"
#include "core/foundation/coded_error.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/locale_facts.h"
#include "core/foundation/masks.h"
#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/settings_store.h"
#include "core/foundation/system_facts.h"
#include "core/shell/model_catalog.h"

namespace quandrel {
namespace {

using testing::Json;
using testing::JsonReader;

struct Ran {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ShellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

std::filesystem::path Scratch() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quandrel-cli-binary-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

Ran RunCli(const std::vector<std::string>& args) {
  const std::filesystem::path errFile = Scratch() / "stderr.txt";
  std::string command = ShellQuoted(QUANDREL_CLI_PATH);
  for (const std::string& arg : args) {
    command += " " + ShellQuoted(arg);
  }
  command += " 2>" + ShellQuoted(errFile.string());
  Ran ran;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return ran;
  }
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    ran.out.append(buffer, read);
  }
  const int status = ::pclose(pipe);
  ran.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream errStream(errFile);
  std::stringstream err;
  err << errStream.rdbuf();
  ran.err = err.str();
  return ran;
}

// The models in-process, with the settings and facts the runner uses.
struct InProcess {
  explicit InProcess(DayNumber day) : today(day) {}
  FixedTodayScope today;
  MemorySettingsBackend backend;
  FixedSystemFacts system{"", "", {}};
  TStRegIniEx settings{backend, system};
  LocaleFacts facts = LocaleFacts::UnitedStates();
  TMasks masks{facts};
  ModelServices services{settings, masks, facts};
};

// A field's value as the JSON should hold it.
void ExpectValue(const Json& json, const FieldSpec& field, const FieldValue& value,
                 const std::string& label) {
  switch (field.type) {
    case FieldType::Double:
      EXPECT_EQ(json.number, value.number) << label;
      break;
    case FieldType::Single:
      EXPECT_EQ(static_cast<float>(json.number), static_cast<float>(value.number)) << label;
      break;
    case FieldType::Int32:
      EXPECT_EQ(json.number, value.integer) << label;
      break;
    case FieldType::Date:
      EXPECT_EQ(json.text, IsoDateText(value.integer)) << label;
      break;
    case FieldType::Choice:
      if (IsCheckBox(field)) {
        EXPECT_EQ(json.boolean, value.integer == 1) << label;
      } else {
        EXPECT_EQ(json.text, ItemsOf(field)[static_cast<std::size_t>(value.integer)]) << label;
      }
      break;
    case FieldType::Text:
      EXPECT_EQ(json.text, value.text) << label;
      break;
  }
}

// Compares the page in the JSON with the model's record, field by field in
// page order.
void ExpectPage(const Json& fields, const TCalculationRecord& record) {
  ASSERT_GE(fields.members.size(), record.Size());
  for (std::size_t i = 0; i < record.Size(); ++i) {
    ExpectValue(fields.members[i].second, record.Fields()[i], record.Value(i), fields.members[i].first);
  }
}

// One calculation of each calculator: the inputs as typed on the command
// line and the same inputs as the model's field ids and values.
struct Input {
  std::string typed;           // LABEL=VALUE
  std::string_view id;         // the field
  double number = 0;           // reals and integers
  std::int32_t position = -1;  // choices and dates (day numbers)
};

struct CalcCase {
  std::string_view calculator;
  std::vector<Input> inputs;
  // Without cash flows an IRR has no root: the case checks the error instead.
  bool raises = false;
};

const DayNumber kToday = DateFromDMY(1, 1, 2026);

std::vector<CalcCase> Cases() {
  return {
      {"Compound/Simple Interest Calculator",
       {{"amount=2500", "Amount", 2500},
        {"numberofdays=180", "NumberOfDays", 180},
        {"annual rate=4.25", "AnnualRate", 4.25},
        {"compoundingperiod=Quarterly", "Compounding", 0, 8},
        {"ratebasis=1", "RateBasis", 0, 1}}},
      {"Equivalent Rate Calculator",
       {{"nominalannualrate=6", "NominalAnnualRate", 6}, {"compoundingperiod=Monthly", "Compounding", 0, 6}}},
      {"Return on Investment (ROI)",
       {{"amountinvested=1000", "AmountInvested", 1000},
        {"startdate=2020-01-01", "StartDate", 0, DateFromDMY(1, 1, 2020)},
        {"amountreturned=1500", "AmountReturned", 1500},
        {"enddate=01/01/2025", "EndDate", 0, DateFromDMY(1, 1, 2025)}}},
      {"Payment Required Calculator",
       {{"futurevalue=10000", "FutureValue", 10000},
        {"totalperiods=60", "TotalPeriods", 60},
        {"annualrate=6", "AnnualRate", 6}}},
      {"Net Present Value Calculator",
       {{"initialamount=-1000", "InitialAmount", -1000}, {"discountrate=8", "DiscountRate", 8}}},
      {"Internal Rate of Return Calculator",
       {{"initialinvestment=-1000", "InitialInvestment", -1000},
        {"estimatedirrguess=12", "EstimatedIRR", 12}},
       true},
      {"Present Value of an Amount Calculator",
       {{"futurevalue=1000", "FutureValue", 1000},
        {"numberofdays=365", "NumberOfDays", 365},
        {"annualdiscountrate=5", "AnnualDiscountRate", 5}}},
  };
}

// Every calculator of the catalog: its publisher's values, and (where the
// table has a case) typed inputs, give the same page as the model.
TEST(CliBinaryTest, EveryCalculatorAnswersAsItsModel) {
  const auto cases = Cases();
  for (const CatalogEntry& entry : ModelCatalog()) {
    SCOPED_TRACE(std::string(entry.title));
    std::vector<const Input*> inputs;
    bool raises = false;
    for (const CalcCase& c : cases) {
      if (c.calculator == entry.title) {
        raises = c.raises;
        for (const Input& input : c.inputs) {
          inputs.push_back(&input);
        }
      }
    }
    for (const bool withInputs : {false, true}) {
      if (withInputs && inputs.empty()) {
        ADD_FAILURE() << "no typed case for this calculator";
        continue;
      }
      std::vector<std::string> args{"calc", std::string(entry.title), "--json", "--today", "2026-01-01"};
      InProcess here(kToday);
      const auto model = entry.create(here.services);
      if (withInputs) {
        for (const Input* input : inputs) {
          args.push_back(input->typed);
          TCalculationRecord& r = model->Calculation;
          const FieldSpec& field = r.Spec(input->id);
          FieldValue& value = r.Value(r.IndexOf(input->id));
          if (field.IsNumber()) {
            value.number = KeptAs(field.type, input->number);
          } else if (field.type == FieldType::Int32) {
            value.integer = static_cast<std::int32_t>(input->number);
          } else {
            value.integer = input->position;
          }
          r.RefreshWeekdayNames();
          if (entry.mapping.fieldChanged != nullptr) {
            entry.mapping.fieldChanged(*model, input->id);
          }
        }
      }
      std::optional<int> code;
      try {
        model->Calculate();
      } catch (const ECodedError& error) {
        code = error.Code();
      }

      const Ran ran = RunCli(args);
      ASSERT_EQ(ran.exitCode, code ? 1 : 0) << ran.err;
      const Json doc = JsonReader::Parse(ran.out);
      EXPECT_EQ(doc["calculator"].text, entry.title);
      if (code) {
        EXPECT_EQ(doc["error"]["code"].number, *code);
        EXPECT_NE(ran.err.find("error " + std::to_string(*code)), std::string::npos) << ran.err;
      } else {
        EXPECT_TRUE(doc["error"].IsNull()) << ran.out;
        ExpectPage(doc["fields"], model->Calculation);
      }
      if (withInputs) {
        EXPECT_EQ(code.has_value(), raises) << "the typed case should calculate";
      }
    }
  }
}

TEST(CliBinaryTest, CopyTextIsTheModelsWithPlainLineEnds) {
  InProcess here(kToday);
  const CatalogEntry* entry = FindCatalogEntry("Compound/Simple Interest Calculator");
  ASSERT_NE(entry, nullptr);
  const auto model = entry->create(here.services);
  model->Calculation.SetReal("Amount", 1000);
  model->Calculation.SetInteger("NumberOfDays", 365);
  entry->mapping.fieldChanged(*model, "NumberOfDays");
  model->Calculation.SetReal("AnnualRate", 5);
  model->Calculate();
  std::string expected = model->CopyText();
  for (std::size_t at = expected.find("\r\n"); at != std::string::npos; at = expected.find("\r\n", at)) {
    expected.replace(at, 2, "\n");
  }
  const Ran ran = RunCli(
      {"calc", "interest", "--today", "2026-01-01", "Amount=1000", "Number of Days=365", "Annual Rate=5"});
  EXPECT_EQ(ran.exitCode, 0) << ran.err;
  EXPECT_EQ(ran.out, expected);
}

TEST(CliBinaryTest, FailuresGiveTheirExitStatusAndMessage) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string says;
  };
  const std::filesystem::path damaged = Scratch() / "damaged.npv";
  std::ofstream(damaged, std::ios::binary) << std::string("\x7f\x00\x01garbage", 10);
  const std::filesystem::path huge = Scratch() / "huge.bin";
  {
    std::ofstream stream(huge, std::ios::binary);
    stream << std::string(1 << 20, '\xff');
  }
  const Case cases[] = {
      {{"calc", "interest", "amount=ten"}, 2, "\"ten\" is not a plain number"},
      {{"calc", "interest", "nosuchlabel=1"}, 2, "\"nosuchlabel\" matches no field"},
      {{"calc", "interest", "rate=1"}, 2, "Did you mean"},
      {{"calc", "interest", "amount=999999999", "number of days=999999", "annual rate=99",
        "compounding period=1"},
       1,
       "error 427 (EFinanceException): Result is out of range."},
      {{"show", damaged.string()}, 1, "not a data file"},
      {{"show", huge.string(), "--csv"}, 1, "not a data file"},
      {{"show", (Scratch() / "missing.npv").string()}, 2, "no such file"},
      {{"bogus"}, 2, "unknown command"},
  };
  for (const Case& c : cases) {
    const Ran ran = RunCli(c.args);
    EXPECT_EQ(ran.exitCode, c.exitCode) << c.says << "\n" << ran.err;
    EXPECT_NE(ran.err.find(c.says), std::string::npos) << ran.err;
  }
  std::filesystem::remove_all(Scratch());
}

TEST(CliBinaryTest, HelpAndListSpeakToANewcomer) {
  const Ran help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage:"), std::string::npos);
  EXPECT_NE(help.out.find("Example:  quandrel-cli calc"), std::string::npos);
  const Ran list = RunCli({"list"});
  EXPECT_EQ(list.exitCode, 0);
  std::string expected;
  for (const CatalogEntry& entry : ModelCatalog()) {
    expected += std::string(entry.title) + "\n";
  }
  EXPECT_EQ(list.out, expected);
}

// The cash-flow grid as a list value: the runner's IRR and NPV are the
// models' own for the same flows.
TEST(CliBinaryTest, CashFlowsAsAListValue) {
  for (std::string_view title : {"Internal Rate of Return Calculator", "Net Present Value Calculator"}) {
    SCOPED_TRACE(std::string(title));
    const CatalogEntry* entry = FindCatalogEntry(title);
    ASSERT_NE(entry, nullptr);
    ASSERT_EQ(entry->mapping.lists.size(), 1u);
    InProcess here(kToday);
    const auto model = entry->create(here.services);
    const bool irr = title.front() == 'I';
    model->Calculation.SetReal(irr ? "InitialInvestment" : "InitialAmount", -1000);
    if (!irr) {
      model->Calculation.SetReal("DiscountRate", 8);
    }
    std::vector<ListItem> items;
    const std::pair<double, DayNumber> flows[] = {
        {300, DateFromDMY(1, 1, 2027)}, {400, DateFromDMY(1, 1, 2028)}, {500, DateFromDMY(1, 1, 2029)}};
    for (auto [amount, date] : flows) {
      FieldValue a;
      a.number = amount;
      FieldValue d;
      d.integer = date;
      items.push_back({a, d});
    }
    entry->mapping.lists[0].apply(*model, items);
    model->Calculate();

    std::vector<std::string> args{"calc",
                                  std::string(title),
                                  "--json",
                                  "--today",
                                  "2026-01-01",
                                  irr ? "initialinvestment=-1000" : "initialamount=-1000",
                                  "flows=300@2027-01-01;400@2028-01-01;500@2029-01-01"};
    if (!irr) {
      args.push_back("discountrate=8");
    }
    const Ran ran = RunCli(args);
    ASSERT_EQ(ran.exitCode, 0) << ran.err;
    const Json doc = JsonReader::Parse(ran.out);
    EXPECT_TRUE(doc["error"].IsNull()) << ran.out;
    ExpectPage(doc["fields"], model->Calculation);
  }
}

}  // namespace
}  // namespace quandrel
