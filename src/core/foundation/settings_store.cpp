#include "core/foundation/settings_store.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "core/foundation/date_arithmetic.h"

namespace quandrel {

namespace {

constexpr std::array<SettingInfo, 93> kSettings{{
    {Setting::DataPath, "Data", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::DatabasePath, "Database", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::UserName, "Name", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::Organization, "Organization", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::Preparer, "Preparer", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::PreparerCompany, "Preparer's Company", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::ShowHints, "Show hints", SettingLocation::Root, SettingsValueType::Boolean, 1.0, ""},
    {Setting::ShowButtonHints, "Show button hints", SettingLocation::Root, SettingsValueType::Boolean, 1.0,
     ""},
    {Setting::ShowToolbarHints, "Show Toolbar hints", SettingLocation::Root, SettingsValueType::Boolean, 1.0,
     ""},
    {Setting::SavePositions, "Save positions", SettingLocation::Root, SettingsValueType::Boolean, 1.0, ""},
    {Setting::RestorePositions, "Restore positions", SettingLocation::Root, SettingsValueType::Boolean, 1.0,
     ""},
    {Setting::ColorBackground, "Color background", SettingLocation::Root, SettingsValueType::Boolean, 1.0,
     ""},
    {Setting::NpvTabCellToCell, "NPV Tab Cell2Cell", SettingLocation::Root, SettingsValueType::Boolean, 1.0,
     ""},
    {Setting::IrrTabCellToCell, "IRR Tab Cell2Cell", SettingLocation::Root, SettingsValueType::Boolean, 1.0,
     ""},
    {Setting::GrossProfitTabCellToCell, "Gross Profit Tab Cell2Cell", SettingLocation::Root,
     SettingsValueType::Boolean, 1.0, ""},
    {Setting::PurchasePowerTabCellToCell, "Purchase Pwr Tab Cell2Cell", SettingLocation::Root,
     SettingsValueType::Boolean, 1.0, ""},
    {Setting::WeightedAverageTabCellToCell, "Wt Avg Tab Cell2Cell", SettingLocation::Root,
     SettingsValueType::Boolean, 1.0, ""},
    {Setting::ShowTips, "Tips", SettingLocation::Root, SettingsValueType::Boolean, 1.0, ""},
    {Setting::DefaultAnnualRate, "Annual &Rate? (%):", SettingLocation::Root, SettingsValueType::Real, 0.0,
     ""},
    {Setting::DefaultPoints, "P&oints? (%):", SettingLocation::Root, SettingsValueType::Real, 0.0, ""},
    {Setting::DefaultPointsAre, "Points Are?:", SettingLocation::Root, SettingsValueType::Integer, 1, ""},
    {Setting::DefaultPaymentPeriod, "Payme&nt Period?:", SettingLocation::Root, SettingsValueType::Integer, 5,
     ""},
    {Setting::DefaultCompounding, "Compounding Perio&d?:", SettingLocation::Root, SettingsValueType::Integer,
     6, ""},
    {Setting::DefaultPaymentMethod, "Payment &Method?:", SettingLocation::Root, SettingsValueType::Integer, 0,
     ""},
    {Setting::DefaultAmortizingMethod, "Amorti&zing Method?:", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultOddDaysPaidWhen, "Odd Days Interest Paid When?:", SettingLocation::Root,
     SettingsValueType::Integer, 1, ""},
    {Setting::DefaultOddDaysCalculation, "Odd Days Interest Calculation?:", SettingLocation::Root,
     SettingsValueType::Integer, 2, ""},
    {Setting::DefaultShortPeriodPaidHow, "Short Period Interest Paid How?:", SettingLocation::Root,
     SettingsValueType::Integer, 1, ""},
    {Setting::DefaultShortPeriodCalculation, "Short Period Interest Calculation?:", SettingLocation::Root,
     SettingsValueType::Integer, 2, ""},
    {Setting::DefaultRateBasis, "Rate &Basis?:", SettingLocation::Root, SettingsValueType::Integer, 0, ""},
    {Setting::DefaultDaysPerYear, "Days Per Year?:", SettingLocation::Root, SettingsValueType::Integer, 3,
     ""},
    {Setting::DefaultLoanAccelerationMethod, "Loan Acceleration Method?:", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultApplyUSRule, "Apply US Rule?:", SettingLocation::Root, SettingsValueType::Integer, 0,
     ""},
    {Setting::DefaultAccelerationPercentage, "Acceleration Percen&tage? (%):", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultPricePerUnits, "P&rice is Per # of Units?:", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultStartingDate, "Use for &Starting Date?:", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultTwiceMonthlyDays, "&Twice monthly payment days?:", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultBusinessUse, "Bus&iness Use? (%):", SettingLocation::Root, SettingsValueType::Integer, 0,
     ""},
    {Setting::DefaultDepreciationMethod, "&Depreciation Method?:", SettingLocation::Root,
     SettingsValueType::Integer, 1, ""},
    {Setting::DefaultIRSConvention, "IRS Con&vention?:", SettingLocation::Root, SettingsValueType::Integer, 0,
     ""},
    {Setting::DefaultTaxEffect, "Tax Effect?:", SettingLocation::Root, SettingsValueType::Integer, 0, ""},
    {Setting::DefaultInterestPointsDeductibility, "I&nterest && Points are?:", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::DefaultDiscountRate, "&Discount Rate? (%):", SettingLocation::Root, SettingsValueType::Real,
     0.0, ""},
    {Setting::DefaultFirstInterestRate, "First &Interest Rate? (%):", SettingLocation::Root,
     SettingsValueType::Real, 0.0, ""},
    {Setting::DefaultSecondInterestRate, "&Second Interest Rate? (%):", SettingLocation::Root,
     SettingsValueType::Real, 0.0, ""},
    {Setting::DefaultInflationRate, "&Inflation Rate ? (%): ", SettingLocation::Root, SettingsValueType::Real,
     0.0, ""},
    {Setting::DefaultMarginalTaxRate, "Mar&ginal Tax Rate? (%):", SettingLocation::Root,
     SettingsValueType::Real, 0.0, ""},
    {Setting::DefaultPurchasePrice, "Purcha&se Price?:", SettingLocation::Root, SettingsValueType::Real, 0.0,
     ""},
    {Setting::DefaultLoanAmount, "&Amount of Loan?:", SettingLocation::Root, SettingsValueType::Real, 0.0,
     ""},
    {Setting::FixedIncomePage, "Fixed Income", SettingLocation::Root, SettingsValueType::Integer, 0, ""},
    {Setting::FixedIncomeRateBasis, "Fixed Income Rate Basis", SettingLocation::Root,
     SettingsValueType::Integer, 0, ""},
    {Setting::Reserved, "Reserved: ", SettingLocation::Root, SettingsValueType::Integer, 2, ""},
    {Setting::AccountFirstName, "Account First Name", SettingLocation::Root, SettingsValueType::String, 0,
     ""},
    {Setting::AccountInitial, "Account Initial", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountLastName, "Account Last Name", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountBusiness, "Account Business", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountAddress1, "Account Address 1", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountAddress2, "Account Address 2", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountCity, "Account City", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountState, "Account State", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountZip, "Account Zip", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountCountry, "Account Country", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountPhone1, "Account Phone 1", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountPhone2, "Account Phone 2", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::AccountExtension, "Account Extn", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanBlockNo, "Loan Block No", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanLotNo, "Loan Lot No", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanPropertyAddress, "Loan Prop Address", SettingLocation::Root, SettingsValueType::String, 0,
     ""},
    {Setting::LoanCity, "Loan City", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanState, "Loan State", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanZip, "Loan ZIP", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanCountry, "Loan Country", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanCollateral, "Loan Collateral", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::LoanOtherCollateral, "Loan Other Collateral", SettingLocation::Root, SettingsValueType::String,
     0, ""},
    {Setting::Creditor, "Creditor", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorLoanOfficer, "Creditor Loan Officer", SettingLocation::Root, SettingsValueType::String,
     0, ""},
    {Setting::CreditorAddress1, "Creditor Address 1", SettingLocation::Root, SettingsValueType::String, 0,
     ""},
    {Setting::CreditorAddress2, "Creditor Address 2", SettingLocation::Root, SettingsValueType::String, 0,
     ""},
    {Setting::CreditorCity, "Creditor City", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorState, "Creditor State", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorZip, "Creditor ZIP", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorCountry, "Creditor Country", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorPhone1, "Creditor Phone 1", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorPhone2, "Creditor Phone 2", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::CreditorExtension, "Creditor Ext", SettingLocation::Root, SettingsValueType::String, 0, ""},
    {Setting::SelectedPrinter, "Selected Printer", SettingLocation::Printer, SettingsValueType::String, 0,
     "Default Printer"},
    {Setting::PaperWidth, "Paper Width", SettingLocation::Printer, SettingsValueType::Real, 8.5, ""},
    {Setting::PrinterFontName, "Font Name", SettingLocation::Printer, SettingsValueType::String, 0,
     "Courier New"},
    {Setting::PrinterFontSize, "Font Size", SettingLocation::Printer, SettingsValueType::Integer, 10, ""},
    {Setting::PrinterFontBold, "fsBold", SettingLocation::Printer, SettingsValueType::Boolean, 0.0, ""},
    {Setting::PrinterFontItalic, "fsItalic", SettingLocation::Printer, SettingsValueType::Boolean, 0.0, ""},
    {Setting::PrinterFontUnderline, "fsUnderline", SettingLocation::Printer, SettingsValueType::Boolean, 0.0,
     ""},
    {Setting::PrinterFontStrikeOut, "fsStrike Out", SettingLocation::Printer, SettingsValueType::Boolean, 0.0,
     ""},
}};

constexpr bool TableFollowsEnum() {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (static_cast<std::size_t>(kSettings[i].id) != i) {
      return false;
    }
  }
  return static_cast<std::size_t>(Setting::PrinterFontStrikeOut) + 1 == kSettings.size();
}
static_assert(TableFollowsEnum(), "the settings table must list every Setting in enum order");

constexpr std::array<std::string_view, 36> kCalculatorKeys{
    "Accelerated Payment Calculator",
    "Affordable House Calculator",
    "Amortization Schedule",
    "Amortization Summary",
    "Annual Percentage Rate",
    "Annuity Schedule",
    "Balloon Payment Calculator",
    "Break Even Advisor",
    "Bridge Loan Calculator",
    "Budget Account Information",
    "Budget Calculator",
    "Compound/Simple Interest Calculator",
    "Declining Balance Depreciation Calculator",
    "Economic Ordering Quantity Calculator",
    "Equivalent Rate Calculator",
    "Fixed Income/Bond Calculator",
    "Future Value Schedule",
    "Gross Profit Calculator",
    "Internal Rate of Return Calculator",
    "Lease v. Buy Advisor",
    "Loan Calculator",
    "Loan Comparison Advisor",
    "MACRS Depreciation Calculator",
    "Net Present Value Calculator",
    "Net Worth Calculator",
    "Payment Required Calculator",
    "Present Value of a Series",
    "Present Value of an Amount Calculator",
    "Purchasing Power Calculator",
    "Refinance Advisor",
    "Remaining Balance Calculator",
    "Rental Income Analysis Calculator",
    "Return on Investment (ROI)",
    "Straight Line Depreciation Calculator",
    "Sum-of-Years Depreciation Calculator",
    "Weighted Average Calculator",
};

constexpr std::string_view kVersionValue = "Version";
constexpr std::string_view kRunTimesValue = "Run times";
// What a version value that was never properly set reads as; it counts as
// the current version.
constexpr std::string_view kUnsetVersion = "-1";
constexpr std::string_view kDataFolderName = "Data";

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void RequireFinite(double value) {
  if (!std::isfinite(value)) {
    throw std::invalid_argument("A setting cannot hold a value that is not a finite number.");
  }
}

}  // namespace

// --- Tables ------------------------------------------------------------------

std::span<const SettingInfo> TStRegIniEx::CachedSettings() {
  return kSettings;
}

const SettingInfo& TStRegIniEx::Info(Setting setting) {
  return kSettings.at(static_cast<std::size_t>(setting));
}

std::span<const std::string_view> TStRegIniEx::CalculatorKeyNames() {
  return kCalculatorKeys;
}

std::string TStRegIniEx::WindowKeyName(std::string_view title, int instance) {
  return std::string(title) + " " + std::to_string(instance);
}

// --- Start-up ------------------------------------------------------------------

TStRegIniEx::TStRegIniEx(SettingsBackend& backend, const SystemFacts& facts)
    : m_backend(backend), m_facts(facts), m_currentKey(kSettingsRootKey) {
  CheckVersion();
  m_runTimes = std::max<std::int32_t>(0, m_backend.ReadInteger(kSettingsRootKey, kRunTimesValue).value_or(0));
  if (m_runTimes == 0) {
    FirstRunSetUp();
  }
  m_cache.reserve(kSettings.size());
  for (const SettingInfo& info : kSettings) {
    m_cache.push_back(ReadStored(info));
  }
}

void TStRegIniEx::CheckVersion() {
  const std::string root(kSettingsRootKey);
  if (!m_backend.ValueExists(root, kVersionValue)) {
    return;  // nothing stored yet, or a store that never had a version: current
  }
  // A version value of another type is as foreign as another version.
  const std::optional<std::string> version = m_backend.ReadString(root, kVersionValue);
  if (version && (*version == kCurrentSettingsVersion || *version == kUnsetVersion)) {
    return;
  }
  m_backend.DeleteKey(root);
  m_backend.CreateKey(root);
  m_backend.WriteString(root, kVersionValue, kCurrentSettingsVersion);
  m_discardedOldSettings = true;
}

std::string TStRegIniEx::FolderForFiles(bool dataSubfolder) const {
  const std::filesystem::path base = m_facts.UserDataFolder();
  if (base.empty()) {
    return {};
  }
  std::error_code error;
  if (dataSubfolder) {
    const std::filesystem::path data = base / kDataFolderName;
    std::filesystem::create_directories(data, error);
    if (std::filesystem::is_directory(data, error)) {
      return data.string();
    }
  }
  std::filesystem::create_directories(base, error);
  return base.string();
}

void TStRegIniEx::FirstRunSetUp() {
  const std::string root(kSettingsRootKey);
  auto isEmpty = [&](std::string_view name) { return m_backend.ReadString(root, name).value_or("").empty(); };
  // Both folders go to the "Data" folder of the user data location when it
  // can be made, else to the location itself.
  if (isEmpty(Info(Setting::DataPath).name)) {
    m_backend.WriteString(root, Info(Setting::DataPath).name, FolderForFiles(true));
  }
  if (isEmpty(Info(Setting::DatabasePath).name)) {
    m_backend.WriteString(root, Info(Setting::DatabasePath).name, FolderForFiles(true));
  }
  if (isEmpty(Info(Setting::UserName).name)) {
    m_backend.WriteString(root, Info(Setting::UserName).name, m_facts.RegisteredOwner());
  }
  if (isEmpty(Info(Setting::Organization).name)) {
    m_backend.WriteString(root, Info(Setting::Organization).name, m_facts.RegisteredOrganization());
  }
  if (isEmpty(Info(Setting::Preparer).name)) {
    m_backend.WriteString(root, Info(Setting::Preparer).name,
                          m_backend.ReadString(root, Info(Setting::UserName).name).value_or(""));
  }
  if (isEmpty(Info(Setting::PreparerCompany).name)) {
    m_backend.WriteString(root, Info(Setting::PreparerCompany).name,
                          m_backend.ReadString(root, Info(Setting::Organization).name).value_or(""));
  }
}

void TStRegIniEx::Shutdown() {
  if (m_shutDown) {
    return;
  }
  m_shutDown = true;
  const std::int32_t next =
      m_runTimes == std::numeric_limits<std::int32_t>::max() ? m_runTimes : m_runTimes + 1;
  m_backend.WriteInteger(kSettingsRootKey, kRunTimesValue, next);
}

std::filesystem::path TStRegIniEx::UserDataFolder() const {
  std::filesystem::path folder = m_facts.UserDataFolder();
  if (!folder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
  }
  return folder;
}

// --- Cached settings -------------------------------------------------------------

std::string TStRegIniEx::LocationKey(SettingLocation location) {
  std::string key(kSettingsRootKey);
  if (location == SettingLocation::Printer) {
    key += '\\';
    key += kPrinterKey;
  }
  return key;
}

TStRegIniEx::Cached TStRegIniEx::DefaultOf(const SettingInfo& info) const {
  switch (info.type) {
    case SettingsValueType::Integer:
      return Cached{std::in_place_index<0>, static_cast<std::int32_t>(info.numberDefault)};
    case SettingsValueType::Boolean:
      return Cached{std::in_place_index<1>, info.numberDefault != 0.0};
    case SettingsValueType::Real:
      return Cached{std::in_place_index<2>, info.numberDefault};
    case SettingsValueType::String:
    case SettingsValueType::None:
      break;
  }
  if (info.id == Setting::DataPath) {
    const std::filesystem::path base = m_facts.UserDataFolder();
    return Cached{std::in_place_index<3>, base.string()};
  }
  if (info.id == Setting::DatabasePath) {
    const std::filesystem::path base = m_facts.UserDataFolder();
    return Cached{std::in_place_index<3>, base.empty() ? std::string() : (base / kDataFolderName).string()};
  }
  return Cached{std::in_place_index<3>, std::string(info.textDefault)};
}

TStRegIniEx::Cached TStRegIniEx::ReadStored(const SettingInfo& info) const {
  const std::string key = LocationKey(info.location);
  switch (info.type) {
    case SettingsValueType::Integer:
      if (auto v = m_backend.ReadInteger(key, info.name)) {
        return Cached{std::in_place_index<0>, *v};
      }
      break;
    case SettingsValueType::Boolean:
      if (auto v = m_backend.ReadBoolean(key, info.name)) {
        return Cached{std::in_place_index<1>, *v};
      }
      break;
    case SettingsValueType::Real:
      if (auto v = m_backend.ReadReal(key, info.name); v && std::isfinite(*v)) {
        return Cached{std::in_place_index<2>, *v};
      }
      break;
    case SettingsValueType::String:
      if (auto v = m_backend.ReadString(key, info.name)) {
        return Cached{std::in_place_index<3>, std::move(*v)};
      }
      break;
    case SettingsValueType::None:
      break;
  }
  return DefaultOf(info);
}

const TStRegIniEx::Cached& TStRegIniEx::CachedValue(Setting setting, SettingsValueType type) const {
  const SettingInfo& info = Info(setting);
  if (info.type != type) {
    throw std::invalid_argument("The setting \"" + std::string(info.name) + "\" has another type.");
  }
  return m_cache[static_cast<std::size_t>(setting)];
}

std::int32_t TStRegIniEx::Integer(Setting setting) const {
  return std::get<0>(CachedValue(setting, SettingsValueType::Integer));
}

bool TStRegIniEx::Boolean(Setting setting) const {
  return std::get<1>(CachedValue(setting, SettingsValueType::Boolean));
}

double TStRegIniEx::Real(Setting setting) const {
  return std::get<2>(CachedValue(setting, SettingsValueType::Real));
}

const std::string& TStRegIniEx::String(Setting setting) const {
  return std::get<3>(CachedValue(setting, SettingsValueType::String));
}

void TStRegIniEx::Store(Setting setting, SettingsValueType type, Cached value) {
  const Cached& cached = CachedValue(setting, type);
  const bool unchanged =
      type == SettingsValueType::Real ? SameBits(std::get<2>(cached), std::get<2>(value)) : cached == value;
  if (unchanged) {
    return;
  }
  const SettingInfo& info = Info(setting);
  const std::string key = LocationKey(info.location);
  switch (type) {
    case SettingsValueType::Integer:
      m_backend.WriteInteger(key, info.name, std::get<0>(value));
      break;
    case SettingsValueType::Boolean:
      m_backend.WriteBoolean(key, info.name, std::get<1>(value));
      break;
    case SettingsValueType::Real:
      m_backend.WriteReal(key, info.name, std::get<2>(value));
      break;
    case SettingsValueType::String:
    case SettingsValueType::None:
      m_backend.WriteString(key, info.name, std::get<3>(value));
      break;
  }
  m_cache[static_cast<std::size_t>(setting)] = std::move(value);
}

void TStRegIniEx::SetInteger(Setting setting, std::int32_t value) {
  Store(setting, SettingsValueType::Integer, Cached{std::in_place_index<0>, value});
}

void TStRegIniEx::SetBoolean(Setting setting, bool value) {
  Store(setting, SettingsValueType::Boolean, Cached{std::in_place_index<1>, value});
}

void TStRegIniEx::SetReal(Setting setting, double value) {
  CachedValue(setting, SettingsValueType::Real);  // type check before the value check
  RequireFinite(value);
  Store(setting, SettingsValueType::Real, Cached{std::in_place_index<2>, value});
}

void TStRegIniEx::SetString(Setting setting, std::string_view value) {
  Store(setting, SettingsValueType::String, Cached{std::in_place_index<3>, std::string(value)});
}

// --- Generic access --------------------------------------------------------------

std::string TStRegIniEx::ResolveKey(std::string_view path) const {
  if (!path.empty() && path.front() == '\\') {
    return settings_path::Join(settings_path::Split(path));
  }
  std::vector<std::string> parts = settings_path::Split(kSettingsRootKey);
  for (std::string& part : settings_path::Split(path)) {
    parts.push_back(std::move(part));
  }
  return settings_path::Join(parts);
}

std::string TStRegIniEx::ChildKey(std::string_view name) const {
  std::vector<std::string> parts = settings_path::Split(m_currentKey);
  for (std::string& part : settings_path::Split(name)) {
    parts.push_back(std::move(part));
  }
  return settings_path::Join(parts);
}

void TStRegIniEx::SetCurrentKey(std::string_view path) {
  m_currentKey = ResolveKey(path);
}

bool TStRegIniEx::KeyExists(std::string_view name) const {
  return m_backend.KeyExists(ChildKey(name));
}

void TStRegIniEx::CreateKey(std::string_view name) {
  const std::string key = ChildKey(name);
  if (!m_backend.KeyExists(key)) {
    m_backend.CreateKey(key);
  }
}

void TStRegIniEx::DeleteKey(std::string_view name) {
  if (settings_path::Split(name).empty()) {
    return;
  }
  m_backend.DeleteKey(ChildKey(name));
}

bool TStRegIniEx::ValueExists(std::string_view name) const {
  return m_backend.ValueExists(m_currentKey, name);
}

std::string TStRegIniEx::ReadString(std::string_view name, std::string_view defaultValue) const {
  if (auto v = m_backend.ReadString(m_currentKey, name)) {
    return std::move(*v);
  }
  return std::string(defaultValue);
}

std::int32_t TStRegIniEx::ReadInteger(std::string_view name, std::int32_t defaultValue) const {
  return m_backend.ReadInteger(m_currentKey, name).value_or(defaultValue);
}

bool TStRegIniEx::ReadBoolean(std::string_view name, bool defaultValue) const {
  return m_backend.ReadBoolean(m_currentKey, name).value_or(defaultValue);
}

double TStRegIniEx::ReadReal(std::string_view name, double defaultValue) const {
  const std::optional<double> v = m_backend.ReadReal(m_currentKey, name);
  return v && std::isfinite(*v) ? *v : defaultValue;
}

DayNumber TStRegIniEx::ReadDate(std::string_view name, DayNumber defaultValue) const {
  const std::optional<std::int32_t> v = m_backend.ReadInteger(m_currentKey, name);
  if (!v || (*v != BadDate && !IsValidDate(*v))) {
    return defaultValue;
  }
  return *v;
}

void TStRegIniEx::WriteString(std::string_view name, std::string_view value) {
  m_backend.WriteString(m_currentKey, name, value);
}

void TStRegIniEx::WriteInteger(std::string_view name, std::int32_t value) {
  m_backend.WriteInteger(m_currentKey, name, value);
}

void TStRegIniEx::WriteBoolean(std::string_view name, bool value) {
  m_backend.WriteBoolean(m_currentKey, name, value);
}

void TStRegIniEx::WriteReal(std::string_view name, double value) {
  RequireFinite(value);
  m_backend.WriteReal(m_currentKey, name, value);
}

void TStRegIniEx::WriteDate(std::string_view name, DayNumber value) {
  m_backend.WriteInteger(m_currentKey, name, value);
}

void TStRegIniEx::CreateCalculatorKeys(std::string_view title) {
  const std::string root(kSettingsRootKey);
  for (const std::string& name : {std::string(title), WindowKeyName(title, 1), WindowKeyName(title, 2)}) {
    const std::string key = root + '\\' + name;
    if (!m_backend.KeyExists(key)) {
      m_backend.CreateKey(key);
    }
  }
}

// --- Window positions --------------------------------------------------------------

void TStRegIniEx::SavePosition(const WindowPosition& position) {
  m_backend.WriteInteger(m_currentKey, "Left", position.Left < 0 ? 1 : position.Left);
  m_backend.WriteInteger(m_currentKey, "Top", position.Top < 0 ? 1 : position.Top);
}

WindowPosition TStRegIniEx::RestorePosition(const WindowPosition& present) const {
  return WindowPosition{ReadInteger("Left", present.Left), ReadInteger("Top", present.Top)};
}

}  // namespace quandrel
