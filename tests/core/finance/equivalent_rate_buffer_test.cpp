#include "core/finance/equivalent_rate_buffer.h"

#include <gtest/gtest.h>

#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

namespace f = equivalent_rate_field;

class EquivalentRateTest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  TbufEquivalentRate model{services};

  void Enter(double nominal, double effective, int compounding, int days) {
    model.Calculation.SetReal(f::Nominal, nominal);
    model.Calculation.SetReal(f::Effective, effective);
    model.Calculation.SetChoice(f::Compounding, compounding);
    model.Calculation.SetChoice(f::DaysPerYear, days);
  }
  double Result(std::string_view id) const { return model.Calculation.Real(id); }
};

TEST_F(EquivalentRateTest, NominalTwelvePercentMonthly) {
  Enter(12, 0, compounding::Monthly, 1);
  model.Calculate();
  // (1.01)^12 - 1; the daily rate (1.01)^(12/365) - 1; daily compounding
  // (1 + 0.12/365)^365 - 1.
  const struct {
    std::string_view id;
    double expected;
  } cases[] = {
      {f::Effective, 12.682503013},
      {f::DailyRate, 0.0327187679},
      {f::PeriodicRate, 1.0},
      {f::EffectiveAnnual, 12.0},
      {f::EffectiveSemiannual, 12.36},
      {f::EffectiveMonthly, 12.682503013},
      {f::EffectiveDaily, 12.7474615638},
      {f::Nominal, 12.0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(Result(c.id), c.expected, 1e-8) << c.id;
  }
}

TEST_F(EquivalentRateTest, EffectiveRateGivesTheNominalWhenNominalIsUnknown) {
  struct Case {
    double nominal, effective;
    int compounding;
    double expectNominal;
  };
  const Case cases[] = {
      {0, 12.6825, compounding::Monthly, 12.0},
      // A negative nominal rate counts as unknown.
      {-3, 12.36, compounding::Semiannually, 12.0},
      // Continuous: ln(1 + E).
      {0, 12.749685158, compounding::Continuous, 12.0},
      // Both zero: zero, and no error.
      {0, 0, compounding::Monthly, 0.0},
  };
  for (const Case& c : cases) {
    Enter(c.nominal, c.effective, c.compounding, 0);
    model.Calculate();
    EXPECT_NEAR(Result(f::Nominal), c.expectNominal, 5e-6) << c.effective;
  }
  // The nominal rate wins when both are entered.
  Enter(12, 50, compounding::Monthly, 0);
  model.Calculate();
  EXPECT_NEAR(Result(f::Effective), 12.682503013, 1e-8);
}

TEST_F(EquivalentRateTest, ContinuousAndSimpleHaveNoPeriodicRate) {
  Enter(12, 0, compounding::Continuous, 1);
  model.Calculate();
  EXPECT_EQ(Result(f::DailyRate), 0);
  EXPECT_EQ(Result(f::PeriodicRate), 0);
  EXPECT_NEAR(Result(f::Effective), 12.749685158, 1e-8);  // e^0.12 - 1

  Enter(12, 0, compounding::Simple, 0);
  model.Calculate();
  EXPECT_NEAR(Result(f::DailyRate), 12.0 / 360, 1e-12);
  EXPECT_EQ(Result(f::PeriodicRate), 0);
  EXPECT_NEAR(Result(f::Effective), 12.0, 1e-12);
}

TEST_F(EquivalentRateTest, DaysPerYearSetsTheDailyRate) {
  Enter(12, 0, compounding::Monthly, 0);
  model.Calculate();
  EXPECT_NEAR(Result(f::DailyRate), 0.0331732706, 1e-9);  // (1.01)^(12/360) - 1
}

TEST_F(EquivalentRateTest, CopyTextByteForByte) {
  Enter(12, 0, compounding::Monthly, 1);
  model.Calculate();
  model.SetTitle("Equivalent Rate Calculator 1");
  const std::string expected =
      "Equivalent Rate Calculator 1\r\n"
      "\r\n"
      "Nominal Annual Rate? (%):                        12.00000\r\n"
      "Effective Annual Rate? (%):                      12.68250\r\n"
      "Compounding Period?:                              Monthly\r\n"
      "Days per Year?:                                       365\r\n"
      "\r\n"
      "Daily Rate at this Compounding:                   0.03272\r\n"
      "Periodic Rate at this Compounding:                1.00000\r\n"
      "Effective Rate at Annual Compounding:            12.00000\r\n"
      "Effective Rate 2X Yearly Compounding:            12.36000\r\n"
      "Effective Rate at Monthly Compounding:           12.68250\r\n"
      "Effective Rate at Daily Compounding:             12.74746\r\n";
  EXPECT_EQ(model.CopyText(), expected);

  const auto lines = model.ReportLines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[1], "\tEffective Annual Rate? (%):             \t         12.6825");
  EXPECT_EQ(lines[3], "\tDays per Year?:                         \t365");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "\tDaily Rate at this Compounding:         \t          0.0327");
}

TEST_F(EquivalentRateTest, Defaults) {
  // The publisher's choices; the local days per year starts at "360".
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Monthly");
  EXPECT_EQ(model.Calculation.ChoiceText(f::DaysPerYear), "360");
  EXPECT_EQ(model.Options.localDefaults.ChoiceText(f::DefaultDaysPerYear), "360");

  // Local defaults: the two choices are applied, the rate never is.
  model.Options.localDefaults.SetReal(f::DefaultRate, 7.5);
  model.Options.localDefaults.SetChoice(f::DefaultCompounding, compounding::Quarterly);
  model.Options.localDefaults.SetChoice(f::DefaultDaysPerYear, 1);
  model.ApplyLocalDefaults();
  EXPECT_EQ(model.Calculation.Real(f::Nominal), 0);
  EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Quarterly");
  EXPECT_EQ(model.Calculation.ChoiceText(f::DaysPerYear), "365");

  // Stored under the calculator's captions.
  model.SaveOptions();
  settings.SetCurrentKey("Equivalent Rate Calculator");
  EXPECT_EQ(settings.ReadReal("Default&Nominal Annual Rate? (%):", 0), 7.5);
  EXPECT_EQ(settings.ReadInteger("DefaultCompounding Perio&d?:", -1), compounding::Quarterly);
  EXPECT_EQ(settings.ReadInteger("DefaultD&ays per Year?:", -1), 1);

  // Global: the days per year is a rate-basis position, Actual/365 or not.
  settings.SetCurrentKey("");
  settings.SetInteger(Setting::DefaultCompounding, compounding::Daily);
  for (auto [global, expected] :
       {std::pair{ratebasis::Actual365, "365"}, std::pair{ratebasis::Actual360, "360"}}) {
    settings.SetInteger(Setting::DefaultDaysPerYear, global);
    model.ApplyGlobalDefaults();
    EXPECT_EQ(model.Calculation.ChoiceText(f::DaysPerYear), expected) << global;
    EXPECT_EQ(model.Calculation.ChoiceText(f::Compounding), "Daily");
  }
}

}  // namespace
}  // namespace quandrel
