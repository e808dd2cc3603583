#include "core/cli/cli_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "cli/json_reader.h"

namespace quandrel {
namespace {

using testing::Json;
using testing::JsonReader;

CliOutcome RunCli(std::initializer_list<std::string> args) {
  const std::vector<std::string> words(args);
  return RunCommandLine(words);
}

Json RunJson(std::initializer_list<std::string> args, int expectedExit) {
  const std::vector<std::string> words(args);
  const CliOutcome outcome = RunCommandLine(words);
  EXPECT_EQ(outcome.exitCode, expectedExit) << outcome.err;
  return JsonReader::Parse(outcome.out);
}

const std::string kInterest = "Compound/Simple Interest Calculator";

// Hand-worked cases of the interest calculator.
TEST(CliRunnerTest, InterestResultsMatchHandWork) {
  struct Case {
    std::vector<std::string> inputs;
    double future;
    double interest;
    double dailyRate;
  };
  const Case cases[] = {
      // 5% compounded annually over one year of 365 days: 1050.00.
      {{"amount=1000", "numberofdays=365", "annualrate=5", "compoundingperiod=Annually",
        "ratebasis=Actual/365"},
       1050.00,
       50.00,
       50.0 / 1000 / 365 * 100},
      // Simple, Actual/360: 1000 * (1 + 90 * 0.08 / 360) = 1020; daily rate 8 / 360.
      {{"amount=1000", "numberofdays=90", "annualrate=8", "compoundingperiod=Simple"},
       1020.00,
       20.00,
       8.0 / 360},
      // Continuous, Actual/365: 1000 * e^0.05 = 1051.2711, kept to the cent.
      {{"amount=1000", "numberofdays=365", "annualrate=5", "compoundingperiod=0", "ratebasis=1"},
       1051.27,
       51.27,
       51.27 / 1000 / 365 * 100},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"calc", kInterest, "--json", "--today", "2026-01-01"};
    args.insert(args.end(), c.inputs.begin(), c.inputs.end());
    const CliOutcome outcome = RunCommandLine(args);
    ASSERT_EQ(outcome.exitCode, kExitSuccess) << outcome.err;
    const Json doc = JsonReader::Parse(outcome.out);
    EXPECT_EQ(doc["calculator"].text, kInterest);
    EXPECT_TRUE(doc["error"].IsNull());
    const Json& fields = doc["fields"];
    EXPECT_NEAR(fields["Future Value:"].number, c.future, 0.005) << c.inputs[1];
    EXPECT_NEAR(fields["Interest for Term:"].number, c.interest, 0.005);
    EXPECT_NEAR(fields["Daily Periodic Rate:"].number, c.dailyRate, 1e-6);
  }
}

TEST(CliRunnerTest, JsonHoldsEveryFieldOfThePageWithItsType) {
  const Json doc =
      RunJson({"calc", "interest", "--json", "--today", "2026-01-01", "numberofdays=-30", "amount=250.5"},
              kExitSuccess);
  const Json& fields = doc["fields"];
  std::vector<std::string> labels;
  for (const auto& [label, value] : fields.members) {
    labels.push_back(label);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{
                        "Amount?:", "Number of Days? (#):", "Annual Rate? (%):", "Start Day", "Start Date?:",
                        "End Day", "End Date?:", "Compounding Period?:", "Rate Basis?:", "Interest for Term:",
                        "Future Value:", "Annual Percentage Yield (APY):", "Daily Periodic Rate:"}));
  EXPECT_EQ(fields["Amount?:"].number, 250.5);
  EXPECT_EQ(fields["Number of Days? (#):"].number, -30);
  // -30 days move the start date 30 days before the end date (today).
  EXPECT_EQ(fields["Start Date?:"].text, "2025-12-02");
  EXPECT_EQ(fields["Start Day"].text, "Tuesday");
  EXPECT_EQ(fields["End Date?:"].text, "2026-01-01");
  EXPECT_EQ(fields["Compounding Period?:"].text, "Monthly");  // the publisher's value
  EXPECT_EQ(fields["Rate Basis?:"].text, "Actual/360");
  EXPECT_EQ(fields["Annual Percentage Yield (APY):"].number, 0);  // negative days: no APY
}

TEST(CliRunnerTest, DatesSetTheDaysAndTodayIsFixed) {
  const Json doc =
      RunJson({"calc", "interest", "--json", "--today", "2024-02-01", "startdate=01/01/2024"}, kExitSuccess);
  EXPECT_EQ(doc["fields"]["Number of Days? (#):"].number, 31);
  EXPECT_EQ(doc["fields"]["End Date?:"].text, "2024-02-01");
}

TEST(CliRunnerTest, CopyTextHasPlainLineEndsAndFollowsTheLocale) {
  const CliOutcome us = RunCli({"calc", "interest", "--today", "2026-01-01", "amount=1234.5"});
  ASSERT_EQ(us.exitCode, kExitSuccess);
  EXPECT_EQ(us.out.find('\r'), std::string::npos);
  EXPECT_EQ(us.out.rfind("Compound/Simple Interest Calculator\n\n", 0), 0u);
  EXPECT_NE(us.out.find("Amount?:                                  $1,234.50\n"), std::string::npos);
  EXPECT_NE(us.out.find("Thursday 01/01/2026"), std::string::npos);

  const CliOutcome de =
      RunCli({"calc", "interest", "--today", "2026-01-01", "amount=1234.5", "--locale", "de_DE"});
  ASSERT_EQ(de.exitCode, kExitSuccess);
  EXPECT_NE(de.out.find("1.234,50 \u20ac"), std::string::npos);
  EXPECT_NE(de.out.find("01.01.2026"), std::string::npos);
  // The locale changes the text, never how values are typed or the JSON.
  const Json json =
      RunJson({"calc", "interest", "--json", "--locale", "fr_FR", "amount=1234.5"}, kExitSuccess);
  EXPECT_EQ(json["fields"]["Amount?:"].number, 1234.5);
}

TEST(CliRunnerTest, NumberedErrorsExitOneWithCodeAndFamily) {
  const Json doc = RunJson({"calc", "interest", "--json", "amount=999999999", "numberofdays=999999",
                            "annualrate=99", "compoundingperiod=Daily"},
                           kExitCalculationError);
  EXPECT_EQ(doc["error"]["code"].number, 427);
  EXPECT_EQ(doc["error"]["message"].text, "Result is out of range.");
  EXPECT_EQ(doc["error"]["family"].text, "EFinanceException");
  // The page keeps its inputs, and the note says why the dates did not move.
  EXPECT_EQ(doc["fields"]["Number of Days? (#):"].number, 999999);
  EXPECT_EQ(doc["notes"].items.size(), 1u);

  const CliOutcome text = RunCli({"calc", "interest", "amount=999999999", "numberofdays=999999",
                                  "annualrate=99", "compoundingperiod=Daily"});
  EXPECT_EQ(text.exitCode, kExitCalculationError);
  EXPECT_TRUE(text.out.empty());
  EXPECT_NE(text.err.find("error 427 (EFinanceException): Result is out of range."), std::string::npos);
}

TEST(CliRunnerTest, BadUsageExitsTwoSayingWhichAndWhy) {
  struct Case {
    std::vector<std::string> args;
    std::string_view says;
  };
  const Case cases[] = {
      {{"calc", "interest", "amount=12a"}, "\"Amount?:\": \"12a\" is not a plain number"},
      {{"calc", "interest", "annualrate=150"}, "at most 2 whole digits"},
      {{"calc", "interest", "rate=5"}, "Did you mean \"Annual Rate? (%):\""},
      {{"calc", "interest", "futurevalue=5"}, "is a result"},
      {{"calc", "interest", "startday=Monday"}, "weekday"},
      {{"calc", "interest", "ratebasis=Actual/Actual"}, "none of the items"},
      {{"calc", "interest", "startdate=2026-02-30"}, "is not a date"},
      {{"calc", "interest", "amount"}, "is not LABEL=VALUE"},
      {{"calc", "interest", "page=Results"}, "matches no page"},
      {{"calc", "interest", "option:nothing=1"}, "matches no option"},
      {{"calc", "interest", "setting:no such setting=1"}, "matches no setting"},
      {{"calc", "no such calculator"}, "matches no calculator"},
      {{"calc", "calculator"}, "matches no calculator. Did you mean"},  // a part of several titles
      {{"calc", "interest", "--today", "tomorrow"}, "--today"},
      {{"calc", "interest", "--locale", "xx_YY"}, "en_US"},
      {{"calc", "interest", "--bogus"}, "unknown option"},
      {{"frobnicate"}, "unknown command"},
      {{}, "no command given"},
      {{"fields"}, "fields takes one calculator"},
      {{"show", "/nonexistent/file.npv"}, "no such file"},
  };
  for (const Case& c : cases) {
    const CliOutcome outcome = RunCommandLine(c.args);
    EXPECT_EQ(outcome.exitCode, kExitUsage) << c.says;
    EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
  }
  // With --json the failure is a JSON object too.
  const Json doc = RunJson({"calc", "interest", "--json", "bogus=1"}, kExitUsage);
  EXPECT_NE(doc["error"]["message"].text.find("matches no field"), std::string::npos);
}

TEST(CliRunnerTest, OptionsAndSettingsAreSetByTheirNames) {
  // Local defaults never reach a fresh calculation; they are accepted and
  // checked like the page's fields.
  EXPECT_EQ(RunCli({"calc", "interest", "option:Compounding Period=Daily", "option:annualrate=4"}).exitCode,
            kExitSuccess);
  EXPECT_EQ(RunCli({"calc", "interest", "option:annualrate=400"}).exitCode, kExitUsage);
  EXPECT_EQ(RunCli({"calc", "interest", "setting:Annual Rate? (%):=4.5"}).exitCode, kExitSuccess);
  EXPECT_EQ(RunCli({"calc", "interest", "setting:Annual Rate? (%):=four"}).exitCode, kExitUsage);
}

TEST(CliRunnerTest, ListAndFieldsDescribeTheCatalog) {
  const CliOutcome list = RunCli({"list"});
  EXPECT_EQ(list.exitCode, kExitSuccess);
  EXPECT_NE(list.out.find("Compound/Simple Interest Calculator\n"), std::string::npos);

  const Json fields = RunJson({"fields", "interest", "--json"}, kExitSuccess);
  const Json& page = fields["pages"].items.at(0);
  EXPECT_EQ(page["caption"].text, "Calculator");
  const Json& basis = page["fields"].items.at(8);
  EXPECT_EQ(basis["label"].text, "Rate Basis?:");
  EXPECT_EQ(basis["kind"].text, "input");
  ASSERT_EQ(basis["items"].items.size(), 2u);
  EXPECT_EQ(basis["items"].items[1].text, "Actual/365");
  EXPECT_EQ(page["fields"].items.at(9)["kind"].text, "result");
  EXPECT_EQ(fields["options"].items.at(0)["label"].text, "option:Annual Rate? (%):");

  const CliOutcome help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, kExitSuccess);
  for (const std::string_view example :
       {"quandrel-cli list", "quandrel-cli fields", "quandrel-cli calc", "quandrel-cli show"}) {
    EXPECT_NE(help.out.find(std::string("Example:  ") + std::string(example)), std::string::npos) << example;
  }
}

// Files that are not data files of any calculator here: each gets a message
// and exit 1, whatever its bytes.
TEST(CliRunnerTest, ShowRefusesForeignAndDamagedFiles) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quandrel-cli-runner-test";
  std::filesystem::create_directories(folder);
  struct Case {
    std::string name;
    std::string bytes;
    std::string_view says;
  };
  const std::string header = std::string("\x03zzz", 4) + std::string(13, '\0') + std::string("\x01\x01", 2);
  const Case cases[] = {
      {"empty.npv", "", "not a data file"},
      {"short.npv", "\x03np", "not a data file"},
      {"long-name.npv", std::string("\xff", 1) + std::string(40, 'A'), "not a data file"},
      {"text.csv", "Label,Value\n1,2\n", "not a data file"},
      {"unknown.zzz", header + "rest of the file", "which no calculator here reads"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path path = folder / c.name;
    std::ofstream(path, std::ios::binary) << c.bytes;
    const CliOutcome outcome = RunCli({"show", path.string(), "--json"});
    EXPECT_EQ(outcome.exitCode, kExitCalculationError) << c.name;
    EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
    const Json doc = JsonReader::Parse(outcome.out);
    EXPECT_EQ(doc["error"]["family"].text, "EDataFileError");
  }
  EXPECT_EQ(RunCli({"show", folder.string()}).exitCode, kExitUsage);  // a folder
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quandrel
