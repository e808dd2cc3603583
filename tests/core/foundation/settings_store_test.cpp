#include "core/foundation/settings_store.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <variant>

#include "core/foundation/memory_settings_backend.h"

namespace quandrel {
namespace {

using Change = MemorySettingsBackend::Change;
using Kind = MemorySettingsBackend::Change::Kind;

const std::string kRoot = "Software\\Brackwell\\Quandrel! v5.7";
const std::string kPrinter = kRoot + "\\Printer";

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder =
        std::filesystem::temp_directory_path() /
        ("quandrel_settings_store_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_folder);
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  FixedSystemFacts Facts() const { return FixedSystemFacts("Ann Owner", "Owner & Co.", m_folder / "user"); }
  std::string DataFolder() const { return (m_folder / "user" / "Data").string(); }

  std::filesystem::path m_folder;
  MemorySettingsBackend m_backend;
};

Change Written(const std::string& key, const std::string& name) {
  return {Kind::WriteValue, key, name};
}

TEST_F(SettingsStoreTest, FreshUserGetsFirstRunSetUpAndRunCounterAtShutdown) {
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);

  const std::vector<Change> expected{Written(kRoot, "Data"),     Written(kRoot, "Database"),
                                     Written(kRoot, "Name"),     Written(kRoot, "Organization"),
                                     Written(kRoot, "Preparer"), Written(kRoot, "Preparer's Company")};
  EXPECT_EQ(m_backend.Changes(), expected);
  EXPECT_FALSE(m_backend.ValueExists(kRoot, "Version"));
  EXPECT_TRUE(store.IsFirstRun());
  EXPECT_FALSE(store.DiscardedOldSettings());
  EXPECT_EQ(store.CurrentKey(), kRoot);

  EXPECT_EQ(store.DataPath(), DataFolder());
  EXPECT_EQ(store.DatabasePath(), DataFolder());
  EXPECT_TRUE(std::filesystem::is_directory(DataFolder()));
  EXPECT_EQ(store.UserName(), "Ann Owner");
  EXPECT_EQ(store.Organization(), "Owner & Co.");
  EXPECT_EQ(store.Preparer(), "Ann Owner");
  EXPECT_EQ(store.PreparerCompany(), "Owner & Co.");

  m_backend.ClearChanges();
  store.Shutdown();
  store.Shutdown();
  EXPECT_EQ(m_backend.Changes(), std::vector<Change>{Written(kRoot, "Run times")});
  EXPECT_EQ(m_backend.ReadInteger(kRoot, "Run times"), 1);
}

TEST_F(SettingsStoreTest, FirstRunKeepsWhatIsAlreadyThere) {
  m_backend.WriteString(kRoot, "Name", "Bea Named");
  m_backend.WriteString(kRoot, "Data", "/data/files");
  m_backend.WriteString(kRoot, "Preparer's Company", "Bea Ltd");
  m_backend.ClearChanges();
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);

  const std::vector<Change> expected{Written(kRoot, "Database"), Written(kRoot, "Organization"),
                                     Written(kRoot, "Preparer")};
  EXPECT_EQ(m_backend.Changes(), expected);
  EXPECT_EQ(store.DataPath(), "/data/files");
  EXPECT_EQ(store.UserName(), "Bea Named");
  EXPECT_EQ(store.Preparer(), "Bea Named");  // the name, not the owner
  EXPECT_EQ(store.PreparerCompany(), "Bea Ltd");
}

TEST_F(SettingsStoreTest, LaterRunWritesNothingAtStartAndCountsOnAtShutdown) {
  m_backend.WriteString(kRoot, "Version", "5.7f");
  m_backend.WriteInteger(kRoot, "Run times", 41);
  m_backend.ClearChanges();
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  EXPECT_TRUE(m_backend.Changes().empty());
  EXPECT_EQ(store.RunTimes(), 41);
  EXPECT_EQ(store.UserName(), "");  // no first-run set-up: the owner is not filled in
  // Missing folders read as their defaults in the user data location.
  EXPECT_EQ(store.DataPath(), (m_folder / "user").string());
  EXPECT_EQ(store.DatabasePath(), DataFolder());
  store.Shutdown();
  EXPECT_EQ(m_backend.ReadInteger(kRoot, "Run times"), 42);
}

TEST_F(SettingsStoreTest, RunCounterStopsAtItsLargestValue) {
  m_backend.WriteInteger(kRoot, "Run times", std::numeric_limits<std::int32_t>::max());
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  store.Shutdown();
  EXPECT_EQ(m_backend.ReadInteger(kRoot, "Run times"), std::numeric_limits<std::int32_t>::max());
}

TEST_F(SettingsStoreTest, VersionCheck) {
  struct Case {
    const char* label;
    std::variant<std::string, std::int32_t> stored;
    bool discarded;
  };
  const Case cases[] = {
      {"current", std::string("5.7f"), false},   {"never set", std::string("-1"), false},
      {"older", std::string("5.7e"), true},      {"older major", std::string("4.0"), true},
      {"other case", std::string("5.7F"), true}, {"empty", std::string(""), true},
      {"not a string", std::int32_t{57}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    MemorySettingsBackend backend;
    if (const auto* s = std::get_if<std::string>(&c.stored)) {
      backend.WriteString(kRoot, "Version", *s);
    } else {
      backend.WriteInteger(kRoot, "Version", std::get<std::int32_t>(c.stored));
    }
    backend.WriteInteger(kRoot, "Run times", 7);
    backend.WriteBoolean(kRoot, "Show hints", false);
    backend.WriteInteger(kRoot + "\\Loan Calculator", "Payme&nt Period?:", 3);
    backend.WriteInteger(kRoot + "\\Loan Calculator 1\\Deeper", "Left", 30);
    backend.WriteString(kPrinter, "Selected Printer", "Laser");
    backend.WriteString("Software\\Brackwell\\Other Product", "Keep", "me");

    const FixedSystemFacts facts = Facts();
    TStRegIniEx store(backend, facts);
    EXPECT_EQ(store.DiscardedOldSettings(), c.discarded);
    EXPECT_TRUE(backend.KeyExists("Software\\Brackwell\\Other Product"));
    if (c.discarded) {
      EXPECT_EQ(backend.ReadString(kRoot, "Version"), "5.7f");
      EXPECT_TRUE(backend.SubKeyNames(kRoot).empty());
      EXPECT_TRUE(store.IsFirstRun());
      EXPECT_TRUE(store.ShowHints());
      EXPECT_EQ(store.SelectedPrinter(), "Default Printer");
      EXPECT_EQ(store.UserName(), "Ann Owner");
    } else {
      EXPECT_EQ(store.RunTimes(), 7);
      EXPECT_FALSE(store.ShowHints());
      EXPECT_EQ(store.SelectedPrinter(), "Laser");
      EXPECT_EQ(backend.ReadInteger(kRoot + "\\Loan Calculator", "Payme&nt Period?:"), 3);
    }
  }
}

// Every cached setting: its stored name, location, type and default, as the
// layout of the store defines them.
struct Expected {
  Setting id;
  const char* name;
  bool printerKey;
  SettingsValueType type;
  double number;
  const char* text;
};

constexpr auto I = SettingsValueType::Integer;
constexpr auto B = SettingsValueType::Boolean;
constexpr auto R = SettingsValueType::Real;
constexpr auto S = SettingsValueType::String;

const Expected kExpected[] = {
    {Setting::UserName, "Name", false, S, 0, ""},
    {Setting::Organization, "Organization", false, S, 0, ""},
    {Setting::Preparer, "Preparer", false, S, 0, ""},
    {Setting::PreparerCompany, "Preparer's Company", false, S, 0, ""},
    {Setting::ShowHints, "Show hints", false, B, 1, nullptr},
    {Setting::ShowButtonHints, "Show button hints", false, B, 1, nullptr},
    {Setting::ShowToolbarHints, "Show Toolbar hints", false, B, 1, nullptr},
    {Setting::SavePositions, "Save positions", false, B, 1, nullptr},
    {Setting::RestorePositions, "Restore positions", false, B, 1, nullptr},
    {Setting::ColorBackground, "Color background", false, B, 1, nullptr},
    {Setting::NpvTabCellToCell, "NPV Tab Cell2Cell", false, B, 1, nullptr},
    {Setting::IrrTabCellToCell, "IRR Tab Cell2Cell", false, B, 1, nullptr},
    {Setting::GrossProfitTabCellToCell, "Gross Profit Tab Cell2Cell", false, B, 1, nullptr},
    {Setting::PurchasePowerTabCellToCell, "Purchase Pwr Tab Cell2Cell", false, B, 1, nullptr},
    {Setting::WeightedAverageTabCellToCell, "Wt Avg Tab Cell2Cell", false, B, 1, nullptr},
    {Setting::ShowTips, "Tips", false, B, 1, nullptr},
    {Setting::DefaultAnnualRate, "Annual &Rate? (%):", false, R, 0, nullptr},
    {Setting::DefaultPoints, "P&oints? (%):", false, R, 0, nullptr},
    {Setting::DefaultPointsAre, "Points Are?:", false, I, 1, nullptr},
    {Setting::DefaultPaymentPeriod, "Payme&nt Period?:", false, I, 5, nullptr},
    {Setting::DefaultCompounding, "Compounding Perio&d?:", false, I, 6, nullptr},
    {Setting::DefaultPaymentMethod, "Payment &Method?:", false, I, 0, nullptr},
    {Setting::DefaultAmortizingMethod, "Amorti&zing Method?:", false, I, 0, nullptr},
    {Setting::DefaultOddDaysPaidWhen, "Odd Days Interest Paid When?:", false, I, 1, nullptr},
    {Setting::DefaultOddDaysCalculation, "Odd Days Interest Calculation?:", false, I, 2, nullptr},
    {Setting::DefaultShortPeriodPaidHow, "Short Period Interest Paid How?:", false, I, 1, nullptr},
    {Setting::DefaultShortPeriodCalculation, "Short Period Interest Calculation?:", false, I, 2, nullptr},
    {Setting::DefaultRateBasis, "Rate &Basis?:", false, I, 0, nullptr},
    {Setting::DefaultDaysPerYear, "Days Per Year?:", false, I, 3, nullptr},
    {Setting::DefaultLoanAccelerationMethod, "Loan Acceleration Method?:", false, I, 0, nullptr},
    {Setting::DefaultApplyUSRule, "Apply US Rule?:", false, I, 0, nullptr},
    {Setting::DefaultAccelerationPercentage, "Acceleration Percen&tage? (%):", false, I, 0, nullptr},
    {Setting::DefaultPricePerUnits, "P&rice is Per # of Units?:", false, I, 0, nullptr},
    {Setting::DefaultStartingDate, "Use for &Starting Date?:", false, I, 0, nullptr},
    {Setting::DefaultTwiceMonthlyDays, "&Twice monthly payment days?:", false, I, 0, nullptr},
    {Setting::DefaultBusinessUse, "Bus&iness Use? (%):", false, I, 0, nullptr},
    {Setting::DefaultDepreciationMethod, "&Depreciation Method?:", false, I, 1, nullptr},
    {Setting::DefaultIRSConvention, "IRS Con&vention?:", false, I, 0, nullptr},
    {Setting::DefaultTaxEffect, "Tax Effect?:", false, I, 0, nullptr},
    {Setting::DefaultInterestPointsDeductibility, "I&nterest && Points are?:", false, I, 0, nullptr},
    {Setting::DefaultDiscountRate, "&Discount Rate? (%):", false, R, 0, nullptr},
    {Setting::DefaultFirstInterestRate, "First &Interest Rate? (%):", false, R, 0, nullptr},
    {Setting::DefaultSecondInterestRate, "&Second Interest Rate? (%):", false, R, 0, nullptr},
    {Setting::DefaultInflationRate, "&Inflation Rate ? (%): ", false, R, 0, nullptr},
    {Setting::DefaultMarginalTaxRate, "Mar&ginal Tax Rate? (%):", false, R, 0, nullptr},
    {Setting::DefaultPurchasePrice, "Purcha&se Price?:", false, R, 0, nullptr},
    {Setting::DefaultLoanAmount, "&Amount of Loan?:", false, R, 0, nullptr},
    {Setting::FixedIncomePage, "Fixed Income", false, I, 0, nullptr},
    {Setting::FixedIncomeRateBasis, "Fixed Income Rate Basis", false, I, 0, nullptr},
    {Setting::Reserved, "Reserved: ", false, I, 2, nullptr},
    {Setting::AccountFirstName, "Account First Name", false, S, 0, ""},
    {Setting::AccountInitial, "Account Initial", false, S, 0, ""},
    {Setting::AccountLastName, "Account Last Name", false, S, 0, ""},
    {Setting::AccountBusiness, "Account Business", false, S, 0, ""},
    {Setting::AccountAddress1, "Account Address 1", false, S, 0, ""},
    {Setting::AccountAddress2, "Account Address 2", false, S, 0, ""},
    {Setting::AccountCity, "Account City", false, S, 0, ""},
    {Setting::AccountState, "Account State", false, S, 0, ""},
    {Setting::AccountZip, "Account Zip", false, S, 0, ""},
    {Setting::AccountCountry, "Account Country", false, S, 0, ""},
    {Setting::AccountPhone1, "Account Phone 1", false, S, 0, ""},
    {Setting::AccountPhone2, "Account Phone 2", false, S, 0, ""},
    {Setting::AccountExtension, "Account Extn", false, S, 0, ""},
    {Setting::LoanBlockNo, "Loan Block No", false, S, 0, ""},
    {Setting::LoanLotNo, "Loan Lot No", false, S, 0, ""},
    {Setting::LoanPropertyAddress, "Loan Prop Address", false, S, 0, ""},
    {Setting::LoanCity, "Loan City", false, S, 0, ""},
    {Setting::LoanState, "Loan State", false, S, 0, ""},
    {Setting::LoanZip, "Loan ZIP", false, S, 0, ""},
    {Setting::LoanCountry, "Loan Country", false, S, 0, ""},
    {Setting::LoanCollateral, "Loan Collateral", false, S, 0, ""},
    {Setting::LoanOtherCollateral, "Loan Other Collateral", false, S, 0, ""},
    {Setting::Creditor, "Creditor", false, S, 0, ""},
    {Setting::CreditorLoanOfficer, "Creditor Loan Officer", false, S, 0, ""},
    {Setting::CreditorAddress1, "Creditor Address 1", false, S, 0, ""},
    {Setting::CreditorAddress2, "Creditor Address 2", false, S, 0, ""},
    {Setting::CreditorCity, "Creditor City", false, S, 0, ""},
    {Setting::CreditorState, "Creditor State", false, S, 0, ""},
    {Setting::CreditorZip, "Creditor ZIP", false, S, 0, ""},
    {Setting::CreditorCountry, "Creditor Country", false, S, 0, ""},
    {Setting::CreditorPhone1, "Creditor Phone 1", false, S, 0, ""},
    {Setting::CreditorPhone2, "Creditor Phone 2", false, S, 0, ""},
    {Setting::CreditorExtension, "Creditor Ext", false, S, 0, ""},
    {Setting::SelectedPrinter, "Selected Printer", true, S, 0, "Default Printer"},
    {Setting::PaperWidth, "Paper Width", true, R, 8.5, nullptr},
    {Setting::PrinterFontName, "Font Name", true, S, 0, "Courier New"},
    {Setting::PrinterFontSize, "Font Size", true, I, 10, nullptr},
    {Setting::PrinterFontBold, "fsBold", true, B, 0, nullptr},
    {Setting::PrinterFontItalic, "fsItalic", true, B, 0, nullptr},
    {Setting::PrinterFontUnderline, "fsUnderline", true, B, 0, nullptr},
    {Setting::PrinterFontStrikeOut, "fsStrike Out", true, B, 0, nullptr},
};

TEST_F(SettingsStoreTest, EveryCachedSettingHasItsNameTypeAndDefault) {
  m_backend.WriteInteger(kRoot, "Run times", 1);  // no first-run set-up
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    const SettingInfo& info = TStRegIniEx::Info(e.id);
    EXPECT_EQ(info.name, e.name);
    EXPECT_EQ(info.location, e.printerKey ? SettingLocation::Printer : SettingLocation::Root);
    ASSERT_EQ(info.type, e.type);
    const std::string key = e.printerKey ? kPrinter : kRoot;
    m_backend.ClearChanges();
    // A value other than the default is written once, under the name, in its
    // key and with its type.
    switch (e.type) {
      case SettingsValueType::Integer:
        EXPECT_EQ(store.Integer(e.id), static_cast<std::int32_t>(e.number));
        store.SetInteger(e.id, 77);
        EXPECT_EQ(m_backend.ReadInteger(key, e.name), 77);
        EXPECT_EQ(store.Integer(e.id), 77);
        break;
      case SettingsValueType::Boolean:
        EXPECT_EQ(store.Boolean(e.id), e.number != 0);
        store.SetBoolean(e.id, e.number == 0);
        EXPECT_EQ(m_backend.ReadBoolean(key, e.name), e.number == 0);
        break;
      case SettingsValueType::Real:
        EXPECT_EQ(store.Real(e.id), e.number);
        store.SetReal(e.id, 12.125);
        EXPECT_EQ(m_backend.ReadReal(key, e.name), 12.125);
        break;
      default:
        EXPECT_EQ(store.String(e.id), e.text);
        store.SetString(e.id, "changed");
        EXPECT_EQ(m_backend.ReadString(key, e.name), "changed");
        break;
    }
    EXPECT_EQ(m_backend.ValueType(key, e.name), e.type);
    EXPECT_EQ(m_backend.Changes(), std::vector<Change>{Written(key, e.name)});
  }
  // Every cached setting but the two folders is in the table above.
  EXPECT_EQ(TStRegIniEx::CachedSettings().size(), std::size(kExpected) + 2);
  EXPECT_EQ(store.CurrentKey(), kRoot);
}

TEST_F(SettingsStoreTest, SetterWithUnchangedValueWritesNothing) {
  m_backend.WriteInteger(kRoot, "Run times", 1);
  m_backend.WriteInteger(kRoot, "Compounding Perio&d?:", 8);
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  store.SetCurrentKey("Loan Calculator");
  m_backend.ClearChanges();

  store.SetDefaultCompounding(8);    // the stored value
  store.SetDefaultPaymentPeriod(5);  // the default, never stored
  store.SetShowHints(true);
  store.SetDefaultAnnualRate(0.0);
  store.SetDataPath(store.DataPath());
  store.SetSelectedPrinter("Default Printer");
  store.SetAccountFirstName("");
  EXPECT_TRUE(m_backend.Changes().empty());

  // Changes are written once, in their own key, leaving the current key alone.
  store.SetDefaultAnnualRate(-0.0);  // another bit pattern: a change
  store.SetDefaultAnnualRate(-0.0);
  store.SetSelectedPrinter("Office Laser");
  store.SetSelectedPrinter("Office Laser");
  const std::vector<Change> expected{Written(kRoot, "Annual &Rate? (%):"),
                                     Written(kPrinter, "Selected Printer")};
  EXPECT_EQ(m_backend.Changes(), expected);
  EXPECT_TRUE(std::signbit(*m_backend.ReadReal(kRoot, "Annual &Rate? (%):")));
  EXPECT_EQ(store.CurrentKey(), kRoot + "\\Loan Calculator");
}

TEST_F(SettingsStoreTest, DamagedOrForeignValuesReadAsDefaults) {
  m_backend.WriteInteger(kRoot, "Run times", 2);
  m_backend.WriteString(kRoot, "Payme&nt Period?:", "twelve");
  m_backend.WriteString(kRoot, "Show hints", "yes");
  m_backend.WriteInteger(kRoot, "Annual &Rate? (%):", 5);
  m_backend.WriteReal(kRoot, "P&oints? (%):", std::numeric_limits<double>::quiet_NaN());
  m_backend.WriteReal(kPrinter, "Paper Width", std::numeric_limits<double>::infinity());
  m_backend.WriteReal(kRoot, "Name", 1.0);
  m_backend.WriteInteger(kRoot, "Compounding Perio&d?:", 99);  // out of its list: kept as stored
  m_backend.WriteInteger(kRoot, "Color background", 0);        // a number is a boolean
  m_backend.WriteBoolean(kRoot, "Reserved: ", true);           // and a boolean a number
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  EXPECT_EQ(store.DefaultPaymentPeriod(), 5);
  EXPECT_TRUE(store.ShowHints());
  EXPECT_EQ(store.DefaultAnnualRate(), 0.0);
  EXPECT_EQ(store.DefaultPoints(), 0.0);
  EXPECT_EQ(store.PaperWidth(), 8.5);
  EXPECT_EQ(store.UserName(), "");
  EXPECT_EQ(store.DefaultCompounding(), 99);
  EXPECT_FALSE(store.ColorBackground());
  EXPECT_EQ(store.Reserved(), 1);
}

TEST_F(SettingsStoreTest, GenericOperationsWorkRelativeToTheCurrentKey) {
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  store.SetCurrentKey("Compound/Simple Interest Calculator");
  EXPECT_EQ(store.CurrentKey(), kRoot + "\\Compound/Simple Interest Calculator");
  store.WriteReal("&Amount?:", 1234.5);
  store.WriteInteger("&Number of Days? (#):", -30);
  store.WriteString("Start Day", "Monday");
  store.WriteBoolean("DefaultLocal", true);
  store.WriteDate("&Start Date?:", 146097);
  // Names compare without letter case and keep their first spelling.
  EXPECT_EQ(store.ReadReal("&AMOUNT?:", 0), 1234.5);
  store.WriteReal("&amount?:", 99.0);
  EXPECT_EQ(m_backend.ValueNames(store.CurrentKey()).front(), "&Amount?:");
  EXPECT_EQ(store.ReadReal("&Amount?:", 0), 99.0);
  EXPECT_EQ(store.ReadInteger("&Number of Days? (#):", 0), -30);
  EXPECT_EQ(store.ReadString("Start Day", "x"), "Monday");
  EXPECT_TRUE(store.ReadBoolean("DefaultLocal", false));
  EXPECT_EQ(store.ReadDate("&Start Date?:", BadDate), 146097);
  // Missing values and values of another type give the caller's default.
  EXPECT_EQ(store.ReadReal("End Da&te?:", 7.5), 7.5);
  EXPECT_EQ(store.ReadString("&Amount?:", "none"), "none");
  EXPECT_THROW(store.WriteReal("&Amount?:", std::numeric_limits<double>::quiet_NaN()), std::invalid_argument);
  EXPECT_EQ(store.ReadReal("&Amount?:", 0), 99.0);

  // Dates outside the calendar read as the default; the bad-date mark is kept.
  store.WriteInteger("End Da&te?:", 876582);
  EXPECT_EQ(store.ReadDate("End Da&te?:", 5), 5);
  store.WriteDate("End Da&te?:", BadDate);
  EXPECT_EQ(store.ReadDate("End Da&te?:", 5), BadDate);

  // Keys: created and deleted below the current key, with their subkeys.
  store.CreateKey("Sub\\Deeper");
  store.SetCurrentKey("Compound/Simple Interest Calculator\\Sub\\Deeper");
  store.WriteInteger("Left", 3);
  store.SetCurrentKey("compound/simple interest calculator");
  EXPECT_TRUE(store.KeyExists("SUB"));
  store.DeleteKey("");
  store.DeleteKey("sub");
  EXPECT_FALSE(store.KeyExists("Sub"));
  EXPECT_TRUE(store.ValueExists("Start Day"));

  // A path from the top of the hive.
  store.SetCurrentKey("\\Software\\Brackwell\\Other");
  EXPECT_EQ(store.CurrentKey(), "Software\\Brackwell\\Other");
  store.SetCurrentKey("");
  EXPECT_EQ(store.CurrentKey(), kRoot);
}

TEST_F(SettingsStoreTest, WindowPositions) {
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  store.CreateCalculatorKeys("Loan Calculator");
  for (const char* key : {"Loan Calculator", "Loan Calculator 1", "Loan Calculator 2"}) {
    EXPECT_TRUE(m_backend.KeyExists(kRoot + "\\" + key)) << key;
  }
  EXPECT_EQ(TStRegIniEx::WindowKeyName("Loan Calculator", 2), "Loan Calculator 2");

  store.SetCurrentKey("Loan Calculator 1");
  EXPECT_EQ(store.RestorePosition({40, 50}), (WindowPosition{40, 50}));  // nothing stored yet

  struct Case {
    WindowPosition saved;
    WindowPosition stored;
  };
  const Case cases[] = {
      {{120, 80}, {120, 80}}, {{-8, 15}, {1, 15}}, {{0, -1}, {0, 1}}, {{-2000, -3}, {1, 1}}};
  for (const Case& c : cases) {
    store.SavePosition(c.saved);
    EXPECT_EQ(m_backend.ReadInteger(kRoot + "\\Loan Calculator 1", "Left"), c.stored.Left);
    EXPECT_EQ(m_backend.ReadInteger(kRoot + "\\Loan Calculator 1", "Top"), c.stored.Top);
    EXPECT_EQ(store.RestorePosition({500, 500}), c.stored);
  }
}

TEST_F(SettingsStoreTest, FailedWriteReachesTheCallerAndKeepsTheCache) {
  m_backend.WriteInteger(kRoot, "Run times", 3);
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  m_backend.SetFailWrites(true);
  EXPECT_THROW(store.SetShowHints(false), ESettingsError);
  EXPECT_TRUE(store.ShowHints());
  EXPECT_THROW(store.WriteInteger("Left", 1), ESettingsError);
  m_backend.SetFailWrites(false);
  store.SetShowHints(false);  // retried, since the cache did not change
  EXPECT_EQ(m_backend.ReadBoolean(kRoot, "Show hints"), false);
}

TEST_F(SettingsStoreTest, MismatchedGenericAccessIsRefused) {
  const FixedSystemFacts facts = Facts();
  TStRegIniEx store(m_backend, facts);
  EXPECT_THROW(store.Integer(Setting::ShowHints), std::invalid_argument);
  EXPECT_THROW(store.SetReal(Setting::Preparer, 1.0), std::invalid_argument);
  EXPECT_THROW(store.SetReal(Setting::PaperWidth, std::numeric_limits<double>::infinity()),
               std::invalid_argument);
  EXPECT_EQ(store.PaperWidth(), 8.5);
}

}  // namespace
}  // namespace quandrel
