#include <gtest/gtest.h>

#include "core/shell/interest_buffer.h"
#include "core/shell/launcher_slots.h"
#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

namespace f = interest_field;
constexpr std::string_view kKey = "Compound/Simple Interest Calculator";

class CalculatorModelTest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  void SetUp() override {
    settings.SetCurrentKey(kKey);
    backend.ClearChanges();
  }
  static std::string Full(std::string_view key) {
    return std::string(kSettingsRootKey) + "\\" + std::string(key);
  }
};

TEST_F(CalculatorModelTest, SavesTheLastCalculationUnderTheCaptions) {
  TbufInterest model(services);
  TCalculationRecord& r = model.Calculation;
  r.SetReal(f::Amount, 1234.5);
  r.SetInteger(f::Days, 90);
  r.SetReal(f::Rate, 4.25);
  r.SetDate(f::StartDate, DateFromDMY(2, 2, 2026));
  r.SetDate(f::EndDate, DateFromDMY(3, 5, 2026));
  r.SetChoice(f::Compounding, compounding::Quarterly);
  r.SetChoice(f::RateBasis, 1);
  model.SaveLastCalculation();

  const std::string key = Full(kKey);
  EXPECT_EQ(backend.ReadReal(key, "&Amount?:"), 1234.5);
  EXPECT_EQ(backend.ReadInteger(key, "&Number of Days? (#):"), 90);
  EXPECT_EQ(backend.ReadReal(key, "Annual &Rate? (%):"), 4.25);
  EXPECT_EQ(backend.ReadString(key, "Start Day"), "Monday");
  EXPECT_EQ(backend.ReadInteger(key, "&Start Date?:"), DateFromDMY(2, 2, 2026));
  EXPECT_EQ(backend.ReadString(key, "End Day"), "Sunday");
  EXPECT_EQ(backend.ReadInteger(key, "End Da&te?:"), DateFromDMY(3, 5, 2026));
  EXPECT_EQ(backend.ReadInteger(key, "Compounding Perio&d?:"), compounding::Quarterly);
  EXPECT_EQ(backend.ReadInteger(key, "Rate &Basis?:"), 1);
  EXPECT_FALSE(backend.ValueExists(key, "Future Value:"));  // results are not kept

  TbufInterest reopened(services);
  ASSERT_TRUE(reopened.LoadLastCalculation());
  EXPECT_EQ(reopened.Calculation.Real(f::Amount), 1234.5);
  EXPECT_EQ(reopened.Calculation.Date(f::EndDate), DateFromDMY(3, 5, 2026));
  EXPECT_EQ(reopened.Calculation.Text(f::EndDay), "Sunday");
  EXPECT_EQ(reopened.Calculation.ChoiceText(f::Compounding), "Quarterly");
}

TEST_F(CalculatorModelTest, MissingValuesKeepTheFieldsAndDamagedOnesFailTheWholeLoad) {
  const std::string key = Full(kKey);
  backend.WriteReal(key, "&Amount?:", 500);
  TbufInterest model(services);
  ASSERT_TRUE(model.LoadLastCalculation());
  EXPECT_EQ(model.Calculation.Real(f::Amount), 500);
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Monthly");  // missing: kept

  struct Damage {
    const char* name;
    std::int32_t value;
  };
  for (const Damage& d : {Damage{"Rate &Basis?:", 2}, Damage{"Compounding Perio&d?:", -1},
                          Damage{"&Start Date?:", 900000}, Damage{"End Da&te?:", BadDate}}) {
    backend.WriteInteger(key, d.name, d.value);
    TbufInterest damaged(services);
    const TCalculationRecord before = damaged.Calculation;
    EXPECT_FALSE(damaged.LoadLastCalculation()) << d.name;
    EXPECT_EQ(damaged.Calculation, before) << d.name;
    backend.DeleteValue(key, d.name);
  }
}

TEST_F(CalculatorModelTest, OptionsAreStoredAsDefaultPlusCaptionAndTheFiveFlags) {
  TbufInterest model(services);
  model.Options.openWith = OpenWith::Defaults;
  model.Options.defaultsFrom = DefaultsFrom::Global;
  model.Options.localDefaults.SetReal("DefaultAnnualRate", 7.5);
  model.SaveOptions();
  const std::string key = Full(kKey);
  EXPECT_EQ(backend.ReadReal(key, "DefaultAnnual &Rate? (%):"), 7.5);
  EXPECT_EQ(backend.ReadInteger(key, "DefaultCompounding Perio&d?:"), compounding::Every4Weeks);
  EXPECT_EQ(backend.ReadInteger(key, "DefaultRate &Basis?:"), 0);
  EXPECT_EQ(backend.ReadBoolean(key, "DefaultLast entered calculation"), false);
  EXPECT_EQ(backend.ReadBoolean(key, "DefaultDefaults"), true);
  EXPECT_EQ(backend.ReadBoolean(key, "DefaultLocal"), false);
  EXPECT_EQ(backend.ReadBoolean(key, "DefaultGlobal"), true);
  EXPECT_EQ(backend.ReadBoolean(key, "DefaultPublisher's"), false);

  TbufInterest other(services);
  other.LoadOptions();
  EXPECT_EQ(other.Options, model.Options);
}

TEST_F(CalculatorModelTest, OpeningRules) {
  const std::string key = Full(kKey);
  backend.WriteReal(key, "&Amount?:", 800);
  settings.SetDefaultAnnualRate(9.25);
  settings.SetDefaultCompounding(compounding::Daily);
  settings.SetDefaultRateBasis(ratebasis::Actual365);

  struct Case {
    OpenWith openWith;
    DefaultsFrom from;
    double amount, rate;
    int compounding, basis;
  };
  const Case cases[] = {
      {OpenWith::LastEntered, DefaultsFrom::Publisher, 800, 0, compounding::Monthly, 0},
      {OpenWith::Defaults, DefaultsFrom::Publisher, 0, 0, compounding::Monthly, 0},
      {OpenWith::Defaults, DefaultsFrom::Local, 0, 3.5, compounding::Every4Weeks, 1},
      {OpenWith::Defaults, DefaultsFrom::Global, 0, 9.25, compounding::Daily, 1},
  };
  for (const Case& c : cases) {
    TbufInterest model(services);
    model.Options.openWith = c.openWith;
    model.Options.defaultsFrom = c.from;
    model.Options.localDefaults.SetReal("DefaultAnnualRate", 3.5);
    model.Options.localDefaults.SetChoice("DefaultRateBasis", 1);
    model.ApplyOpeningRule(nullptr);
    const TCalculationRecord& r = model.Calculation;
    EXPECT_EQ(r.Real(f::Amount), c.amount);
    EXPECT_FLOAT_EQ(static_cast<float>(r.Real(f::Rate)), static_cast<float>(c.rate));
    EXPECT_EQ(r.Choice(f::Compounding), c.compounding);
    EXPECT_EQ(r.Choice(f::RateBasis), c.basis);
  }
}

TEST_F(CalculatorModelTest, AFailedLoadOpensWithTheLocalDefaults) {
  const std::string key = Full(kKey);
  backend.WriteInteger(key, "Rate &Basis?:", 9);
  TbufInterest model(services);
  model.Options.localDefaults.SetReal("DefaultAnnualRate", 2.0);
  model.ApplyOpeningRule(nullptr);
  EXPECT_EQ(model.Options.openWith, OpenWith::Defaults);
  EXPECT_EQ(model.Options.defaultsFrom, DefaultsFrom::Local);
  EXPECT_EQ(model.Calculation.Real(f::Rate), 2.0);
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Every 4 Weeks");
}

TEST_F(CalculatorModelTest, ASecondWindowOpensWithTheFirstWindowsCalculation) {
  TbufInterest first(services);
  first.Calculation.SetReal(f::Amount, 1000);
  first.Calculation.SetInteger(f::Days, 365);
  first.Calculation.SetReal(f::Rate, 5);
  first.Calculate();
  TbufInterest second(services);
  second.Options.openWith = OpenWith::Defaults;  // whatever its own rule
  second.Options.defaultsFrom = DefaultsFrom::Local;
  second.ApplyOpeningRule(&first.Calculation);
  EXPECT_EQ(second.Calculation, first.Calculation);
}

TEST_F(CalculatorModelTest, ResetRestoresThePublishersValuesThenTheStoredRule) {
  TbufInterest model(services);
  model.Calculation.SetReal(f::Amount, 99);
  model.Options.openWith = OpenWith::Defaults;
  model.Options.defaultsFrom = DefaultsFrom::Local;
  model.Options.localDefaults.SetReal("DefaultAnnualRate", 6);
  model.SaveOptions();
  model.Options.localDefaults.SetReal("DefaultAnnualRate", 1);  // not saved
  model.Reset();
  EXPECT_EQ(model.Calculation.Real(f::Amount), 0);
  EXPECT_EQ(model.Calculation.Real(f::Rate), 6);
}

TEST(LauncherSlots, TwoWindowsPerCalculatorWithTheFirstFreeInstance) {
  TLauncherSlots slots;
  int a = 0, b = 0, c = 0;
  EXPECT_EQ(slots.FirstFreeInstance("Loan Calculator"), 1);
  slots.Occupy("Loan Calculator", 1, &a);
  EXPECT_EQ(slots.FirstFreeInstance("Loan Calculator"), 2);
  slots.Occupy("Loan Calculator", 2, &b);
  EXPECT_EQ(slots.FirstFreeInstance("Loan Calculator"), std::nullopt);
  EXPECT_EQ(slots.FirstFreeInstance("Compound/Simple Interest Calculator"), 1);
  EXPECT_THROW(slots.Occupy("Loan Calculator", 1, &c), std::logic_error);
  slots.Release("Loan Calculator", 1);
  EXPECT_EQ(slots.FirstFreeInstance("Loan Calculator"), 1);  // instance 1 is reused
  EXPECT_EQ(slots.At("Loan Calculator", 2), &b);
  EXPECT_EQ(slots.OpenCount("Loan Calculator"), 1);
  EXPECT_THROW(slots.Occupy("Loan Calculator", 3, &c), std::logic_error);
}

TEST(LauncherSlots, OnlyTheOwnerClearsTheLastCalculatedRecord) {
  TLauncherSlots slots;
  TCalculationRecord mine, theirs;
  slots.SetLastCalculated("Loan Calculator", &mine);
  slots.ClearLastCalculated("Loan Calculator", &theirs);
  EXPECT_EQ(slots.LastCalculated("Loan Calculator"), &mine);
  slots.ClearLastCalculated("Loan Calculator", &mine);
  EXPECT_EQ(slots.LastCalculated("Loan Calculator"), nullptr);
}

}  // namespace
}  // namespace quandrel
