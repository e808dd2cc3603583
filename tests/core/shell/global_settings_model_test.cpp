#include "core/shell/global_settings_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "core/shell/shell_fixture.h"

namespace quandrel {
namespace {

using G = GlobalField;

class GlobalSettingsModelTest : public ::testing::Test, protected testing::ShellFixture {
 protected:
  void SetUp() override { backend.ClearChanges(); }

  // The value names written under the root key since the last ClearChanges.
  std::set<std::string> Written() const {
    std::set<std::string> names;
    for (const auto& change : backend.Changes()) {
      EXPECT_EQ(change.kind, MemorySettingsBackend::Change::Kind::WriteValue);
      EXPECT_EQ(change.key, std::string(kSettingsRootKey));
      names.insert(change.name);
    }
    return names;
  }
};

TEST_F(GlobalSettingsModelTest, OpensWithTheStoredValuesAndTheUnstoredFieldsEmpty) {
  settings.SetDefaultCompounding(compounding::Quarterly);
  settings.SetDefaultAnnualRate(6.25);
  settings.SetDefaultPoints(1.5);
  settings.SetDefaultMarginalTaxRate(28.0);
  settings.SetPreparer("Jo Brown");
  const TGlobalSettingsRecord record = ReadGlobalSettings(settings);

  EXPECT_EQ(record.Position(G::Compounding), 8);
  EXPECT_EQ(record.Position(G::PointsAre), 1);     // the store's default, "With First"
  EXPECT_EQ(record.Position(G::StartingDate), 0);  // the store's default, "Today"
  EXPECT_EQ(record.Position(G::DaysPerYear), 0);   // stored 3, Actual/360
  EXPECT_EQ(record.Number(G::MarginalTaxRate), 28.0);
  EXPECT_EQ(record.Text(G::Preparer), "Jo Brown");
  // Shown at 0 or with no selection whatever is stored.
  EXPECT_EQ(record.Number(G::AnnualRate), 0.0);
  EXPECT_EQ(record.Number(G::Points), 0.0);
  EXPECT_EQ(record.Position(G::InterestRateIs), -1);
}

TEST_F(GlobalSettingsModelTest, DaysPerYearIsShownAsTheStoredBasisLessThree) {
  const struct {
    std::int32_t stored;
    std::int32_t shown;
  } cases[] = {{3, 0}, {4, 1}, {0, -1}, {2, -1}, {5, -1}, {-4, -1}};
  for (const auto& c : cases) {
    settings.SetDefaultDaysPerYear(c.stored);
    EXPECT_EQ(ReadGlobalSettings(settings).Position(G::DaysPerYear), c.shown) << "stored " << c.stored;
  }
  TGlobalSettingsRecord record = ReadGlobalSettings(settings);
  record.SetPosition(G::DaysPerYear, 1);
  StoreGlobalSettings(record, settings);
  EXPECT_EQ(settings.DefaultDaysPerYear(), 4);
}

TEST_F(GlobalSettingsModelTest, DefaultsThenOkWritesOnlyWhatDiffersFromTheStore) {
  // A fresh user: the first run filled Data, Database and Preparer ("Ann
  // Smith"); the publisher's defaults empty them and start on "First this
  // month" where the store's own default is "Today". Everything else equals
  // the store's defaults, so nothing else is written.
  ASSERT_FALSE(settings.DataPath().empty());
  StoreGlobalSettings(PublisherGlobalSettings(), settings);
  EXPECT_EQ(Written(), (std::set<std::string>{"Data", "Database", "Preparer", "Use for &Starting Date?:"}));
  EXPECT_EQ(settings.DataPath(), "");
  EXPECT_EQ(settings.DatabasePath(), "");
  EXPECT_EQ(settings.DefaultStartingDate(), 2);

  backend.ClearChanges();
  StoreGlobalSettings(ReadGlobalSettings(settings), settings);
  EXPECT_TRUE(backend.Changes().empty());
}

TEST_F(GlobalSettingsModelTest, EveryStoredFieldRoundTripsAndTheRateAndPointsNeverDo) {
  TGlobalSettingsRecord record;
  record.SetNumber(G::AnnualRate, 7.5);
  record.SetNumber(G::Points, 2.0);
  record.SetPosition(G::PointsAre, 2);
  record.SetPosition(G::Compounding, compounding::Daily);
  record.SetPosition(G::AmortizingMethod, 1);
  record.SetPosition(G::RateBasis, ratebasis::ActualActual);
  record.SetPosition(G::USRule, 1);
  record.SetPosition(G::DaysPerYear, 1);
  record.SetText(G::DataPath, "/users/ann/Finance");
  record.SetText(G::Preparer, "Ann Smith, CPA");
  record.SetText(G::DatabasePath, "/users/ann/Finance/Accounts");
  record.SetPosition(G::PaymentPeriod, 2);
  record.SetPosition(G::LoanAccelerationMethod, 2);
  record.SetInteger(G::AccelerationPercentage, 25);
  record.SetInteger(G::PricePerUnits, 1000);
  record.SetPosition(G::InterestRateIs, 3);
  record.SetPosition(G::StartingDate, 3);
  record.SetPosition(G::TwiceMonthlyDays, 1);
  record.SetPosition(G::OddDaysPaidWhen, 3);
  record.SetPosition(G::OddDaysCalculation, 5);
  record.SetPosition(G::ShortPeriodPaidHow, 2);
  record.SetPosition(G::ShortPeriodCalculation, 1);
  record.SetPosition(G::PaymentMethod, 1);
  record.SetInteger(G::BusinessUse, 100);
  record.SetPosition(G::DepreciationMethod, 2);
  record.SetPosition(G::IRSConvention, 2);
  record.SetNumber(G::InitialAmount, 250000.0);
  record.SetPosition(G::TaxEffect, 1);
  record.SetNumber(G::FirstInterestRate, 6.875);
  record.SetNumber(G::SecondInterestRate, 0.1);
  record.SetPosition(G::InterestPointsAre, 1);
  record.SetNumber(G::DiscountRate, 4.25);
  record.SetNumber(G::PurchasePrice, 189999.99);
  record.SetNumber(G::MarginalTaxRate, 33.0);
  record.SetNumber(G::InflationRate, -0.5);
  StoreGlobalSettings(record, settings);

  EXPECT_EQ(Written().count("Annual &Rate? (%):"), 0U);
  EXPECT_EQ(Written().count("P&oints? (%):"), 0U);
  EXPECT_EQ(settings.DefaultDaysPerYear(), 4);
  EXPECT_EQ(settings.DefaultLoanAmount(), 250000.0);
  EXPECT_EQ(settings.DefaultBusinessUse(), 100);

  TGlobalSettingsRecord expected = record;
  expected.SetNumber(G::AnnualRate, 0.0);
  expected.SetNumber(G::Points, 0.0);
  expected.SetPosition(G::InterestRateIs, -1);
  EXPECT_EQ(ReadGlobalSettings(settings), expected);
}

TEST_F(GlobalSettingsModelTest, AStoredPositionOutsideItsListIsShownUnselectedAndKept) {
  settings.SetDefaultCompounding(12);  // one past "Simple"
  settings.SetDefaultTaxEffect(-1);
  backend.ClearChanges();
  const TGlobalSettingsRecord record = ReadGlobalSettings(settings);
  EXPECT_EQ(record.Position(G::Compounding), -1);
  EXPECT_EQ(record.Position(G::TaxEffect), -1);
  StoreGlobalSettings(record, settings);
  EXPECT_TRUE(backend.Changes().empty());
  EXPECT_EQ(settings.DefaultCompounding(), 12);
}

TEST_F(GlobalSettingsModelTest, RefusedValuesNameTheirFieldAndWriteNothing) {
  const struct {
    G field;
    void (*put)(TGlobalSettingsRecord&);
  } cases[] = {
      {G::Compounding, [](TGlobalSettingsRecord& r) { r.SetPosition(G::Compounding, 12); }},
      {G::DaysPerYear, [](TGlobalSettingsRecord& r) { r.SetPosition(G::DaysPerYear, 2); }},
      {G::BusinessUse, [](TGlobalSettingsRecord& r) { r.SetInteger(G::BusinessUse, 101); }},
      {G::AccelerationPercentage,
       [](TGlobalSettingsRecord& r) { r.SetInteger(G::AccelerationPercentage, -1); }},
      {G::PricePerUnits, [](TGlobalSettingsRecord& r) { r.SetInteger(G::PricePerUnits, 1'000'000'000); }},
      {G::InitialAmount, [](TGlobalSettingsRecord& r) { r.SetNumber(G::InitialAmount, -0.01); }},
      {G::DiscountRate,
       [](TGlobalSettingsRecord& r) {
         r.SetNumber(G::DiscountRate, std::numeric_limits<double>::quiet_NaN());
       }},
      {G::Preparer, [](TGlobalSettingsRecord& r) { r.SetText(G::Preparer, std::string(41, 'x')); }},
      {G::DataPath, [](TGlobalSettingsRecord& r) { r.SetText(G::DataPath, "/" + std::string(255, 'd')); }},
  };
  for (const auto& c : cases) {
    // The refused value comes last in page order among the changes, so
    // writing field by field would already have stored the others.
    TGlobalSettingsRecord record = ReadGlobalSettings(settings);
    record.SetPosition(G::PointsAre, 0);
    c.put(record);
    backend.ClearChanges();
    try {
      StoreGlobalSettings(record, settings);
      ADD_FAILURE() << GlobalFieldOf(c.field).name << " was accepted";
    } catch (const EGlobalSettingsInput& e) {
      EXPECT_EQ(e.Field(), c.field);
      EXPECT_NE(std::string(e.what()).find(StripAccelerator(GlobalFieldOf(c.field).caption).substr(0, 8)),
                std::string::npos)
          << e.what();
    }
    EXPECT_TRUE(backend.Changes().empty()) << GlobalFieldOf(c.field).name;
    EXPECT_EQ(settings.DefaultPointsAre(), 1);
  }
}

TEST_F(GlobalSettingsModelTest, TextLimitsCountCharactersAndSpareAnUnchangedLongerValue) {
  TGlobalSettingsRecord record = ReadGlobalSettings(settings);
  std::string accented;
  for (int i = 0; i < 40; ++i) {
    accented += "\xC3\xA9";  // é: 40 characters in 80 bytes
  }
  record.SetText(G::Preparer, accented);
  EXPECT_NO_THROW(StoreGlobalSettings(record, settings));
  EXPECT_EQ(settings.Preparer(), accented);

  // A folder stored by an earlier version, longer than the field's limit,
  // survives an OK that did not touch it.
  const std::string longFolder = "/" + std::string(300, 'f');
  settings.SetDataPath(longFolder);
  EXPECT_NO_THROW(StoreGlobalSettings(ReadGlobalSettings(settings), settings));
  EXPECT_EQ(settings.DataPath(), longFolder);
}

TEST(GlobalSettingsFields, ChoiceListsAndCaptionsAreThoseOfThePages) {
  EXPECT_EQ(GlobalFieldItems(G::DaysPerYear).size(), 2U);
  EXPECT_EQ(GlobalFieldItems(G::DaysPerYear)[0], "Actual/360");
  EXPECT_EQ(GlobalFieldItems(G::DaysPerYear)[1], "Actual/365");
  EXPECT_EQ(GlobalFieldItems(G::InterestRateIs)[2], "Simple 360");
  EXPECT_EQ(GlobalFieldItems(G::RateBasis).size(), 6U);
  int perPage[3] = {0, 0, 0};
  for (const GlobalFieldInfo& info : GlobalFields()) {
    ++perPage[info.page];
  }
  EXPECT_EQ(perPage[0], 12);
  EXPECT_EQ(perPage[1], 11);
  EXPECT_EQ(perPage[2], 12);
}

}  // namespace
}  // namespace quandrel
