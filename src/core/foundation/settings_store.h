#pragma once

// The settings store: the one process-wide object through which the program
// reads and writes its persistent settings. Construction runs the start-up
// sequence (settings version check, first-run set-up) and caches every
// global setting; each cached setting has a getter and a setter named by its
// role, and a setter writes only when the value changes. Calculators use the
// generic operations, relative to the current key, for their own keys (last
// calculation, local defaults, window positions).
//
// Key paths given to SetCurrentKey, CreateKey and DeleteKey are relative to
// the program's root key, SettingsRootKey(); a path that starts with '\' is
// taken from the top of the user's hive instead.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/foundation/global_types.h"
#include "core/foundation/settings_backend.h"
#include "core/foundation/system_facts.h"

namespace quandrel {

inline constexpr std::string_view kSettingsRootKey = "Software\\Brackwell\\Quandrel! v5.7";
inline constexpr std::string_view kSettingsParentKey = "Software\\Brackwell";
inline constexpr std::string_view kPrinterKey = "Printer";
inline constexpr std::string_view kCurrentSettingsVersion = "5.7f";

// A window's top-left corner in pixels, as saved under its key.
struct WindowPosition {
  int Left = 0;
  int Top = 0;
  friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

// Every cached setting, by role.
enum class Setting : std::uint8_t {
  DataPath,
  DatabasePath,
  UserName,
  Organization,
  Preparer,
  PreparerCompany,
  ShowHints,
  ShowButtonHints,
  ShowToolbarHints,
  SavePositions,
  RestorePositions,
  ColorBackground,
  NpvTabCellToCell,
  IrrTabCellToCell,
  GrossProfitTabCellToCell,
  PurchasePowerTabCellToCell,
  WeightedAverageTabCellToCell,
  ShowTips,
  DefaultAnnualRate,
  DefaultPoints,
  DefaultPointsAre,
  DefaultPaymentPeriod,
  DefaultCompounding,
  DefaultPaymentMethod,
  DefaultAmortizingMethod,
  DefaultOddDaysPaidWhen,
  DefaultOddDaysCalculation,
  DefaultShortPeriodPaidHow,
  DefaultShortPeriodCalculation,
  DefaultRateBasis,
  DefaultDaysPerYear,
  DefaultLoanAccelerationMethod,
  DefaultApplyUSRule,
  DefaultAccelerationPercentage,
  DefaultPricePerUnits,
  DefaultStartingDate,
  DefaultTwiceMonthlyDays,
  DefaultBusinessUse,
  DefaultDepreciationMethod,
  DefaultIRSConvention,
  DefaultTaxEffect,
  DefaultInterestPointsDeductibility,
  DefaultDiscountRate,
  DefaultFirstInterestRate,
  DefaultSecondInterestRate,
  DefaultInflationRate,
  DefaultMarginalTaxRate,
  DefaultPurchasePrice,
  DefaultLoanAmount,
  FixedIncomePage,
  FixedIncomeRateBasis,
  Reserved,
  AccountFirstName,
  AccountInitial,
  AccountLastName,
  AccountBusiness,
  AccountAddress1,
  AccountAddress2,
  AccountCity,
  AccountState,
  AccountZip,
  AccountCountry,
  AccountPhone1,
  AccountPhone2,
  AccountExtension,
  LoanBlockNo,
  LoanLotNo,
  LoanPropertyAddress,
  LoanCity,
  LoanState,
  LoanZip,
  LoanCountry,
  LoanCollateral,
  LoanOtherCollateral,
  Creditor,
  CreditorLoanOfficer,
  CreditorAddress1,
  CreditorAddress2,
  CreditorCity,
  CreditorState,
  CreditorZip,
  CreditorCountry,
  CreditorPhone1,
  CreditorPhone2,
  CreditorExtension,
  SelectedPrinter,
  PaperWidth,
  PrinterFontName,
  PrinterFontSize,
  PrinterFontBold,
  PrinterFontItalic,
  PrinterFontUnderline,
  PrinterFontStrikeOut
};

enum class SettingLocation : std::uint8_t { Root, Printer };

struct SettingInfo {
  Setting id;
  std::string_view name;  // the value name, exactly as stored
  SettingLocation location;
  SettingsValueType type;
  double numberDefault;          // integers, booleans (0 or 1) and reals
  std::string_view textDefault;  // strings ("Data" and "Database" default to folders, see DataPath)
};

class TStRegIniEx {
 public:
  // Runs the start-up sequence against the backend and leaves the root key
  // current. Both references must outlive the store.
  TStRegIniEx(SettingsBackend& backend, const SystemFacts& facts);
  TStRegIniEx(const TStRegIniEx&) = delete;
  TStRegIniEx& operator=(const TStRegIniEx&) = delete;
  ~TStRegIniEx() = default;

  // The table of cached settings, in the order of Setting.
  static std::span<const SettingInfo> CachedSettings();
  static const SettingInfo& Info(Setting setting);
  // The keys of the calculators' last calculations and local defaults.
  static std::span<const std::string_view> CalculatorKeyNames();
  // The key of a calculator window: its title, a space and the instance number.
  static std::string WindowKeyName(std::string_view title, int instance);

  // --- Generic access, relative to the current key -------------------------
  void SetCurrentKey(std::string_view path);
  // The full path of the current key from the top of the hive.
  const std::string& CurrentKey() const { return m_currentKey; }

  bool KeyExists(std::string_view name) const;
  void CreateKey(std::string_view name);
  // Removes the named subkey of the current key with everything under it. An
  // empty name removes nothing.
  void DeleteKey(std::string_view name);
  bool ValueExists(std::string_view name) const;

  std::string ReadString(std::string_view name, std::string_view defaultValue) const;
  std::int32_t ReadInteger(std::string_view name, std::int32_t defaultValue) const;
  bool ReadBoolean(std::string_view name, bool defaultValue) const;
  // A stored real that is not finite (a damaged store) reads as the default.
  double ReadReal(std::string_view name, double defaultValue) const;
  // Day numbers; a stored number that is neither a valid day nor BadDate
  // reads as the default.
  DayNumber ReadDate(std::string_view name, DayNumber defaultValue) const;

  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, std::int32_t value);
  void WriteBoolean(std::string_view name, bool value);
  // Throws std::invalid_argument for a value that is not finite.
  void WriteReal(std::string_view name, double value);
  void WriteDate(std::string_view name, DayNumber value);

  // Creates the key of a calculator and the keys of its two windows when
  // they are missing.
  void CreateCalculatorKeys(std::string_view title);

  // --- Window positions, under the current key -------------------------------
  // Writes Left and Top, each raised to 1 first when negative.
  void SavePosition(const WindowPosition& position);
  // Left and Top as stored, each defaulting to the present coordinate.
  WindowPosition RestorePosition(const WindowPosition& present) const;

  // --- Start-up facts ------------------------------------------------------
  // "Run times" as read at start-up: 0 on the first run.
  std::int32_t RunTimes() const { return m_runTimes; }
  bool IsFirstRun() const { return m_runTimes == 0; }
  // True when start-up found settings of another version and discarded them.
  bool DiscardedOldSettings() const { return m_discardedOldSettings; }
  // The per-user folder in place of the program's folder (last calculations
  // and other files of the user), created when missing.
  std::filesystem::path UserDataFolder() const;

  // Ends the run: writes "Run times" as its start-up value plus 1. Only the
  // first call writes.
  void Shutdown();

  // --- Cached settings -------------------------------------------------------
  // Generic access by role; the type must be the setting's own (otherwise
  // std::invalid_argument). Setters write only when the value changes (reals
  // compared bit for bit) and change the cached value only once the write
  // succeeded; they never change the current key.
  std::int32_t Integer(Setting setting) const;
  bool Boolean(Setting setting) const;
  double Real(Setting setting) const;
  const std::string& String(Setting setting) const;
  void SetInteger(Setting setting, std::int32_t value);
  void SetBoolean(Setting setting, bool value);
  // Throws std::invalid_argument for a value that is not finite.
  void SetReal(Setting setting, double value);
  void SetString(Setting setting, std::string_view value);

  // "Data" defaults to the user data folder and "Database" to its "Data"
  // subfolder.
  const std::string& DataPath() const { return String(Setting::DataPath); }
  void SetDataPath(std::string_view value) { SetString(Setting::DataPath, value); }
  const std::string& DatabasePath() const { return String(Setting::DatabasePath); }
  void SetDatabasePath(std::string_view value) { SetString(Setting::DatabasePath, value); }
  const std::string& UserName() const { return String(Setting::UserName); }
  void SetUserName(std::string_view value) { SetString(Setting::UserName, value); }
  const std::string& Organization() const { return String(Setting::Organization); }
  void SetOrganization(std::string_view value) { SetString(Setting::Organization, value); }
  const std::string& Preparer() const { return String(Setting::Preparer); }
  void SetPreparer(std::string_view value) { SetString(Setting::Preparer, value); }
  const std::string& PreparerCompany() const { return String(Setting::PreparerCompany); }
  void SetPreparerCompany(std::string_view value) { SetString(Setting::PreparerCompany, value); }
  bool ShowHints() const { return Boolean(Setting::ShowHints); }
  void SetShowHints(bool value) { SetBoolean(Setting::ShowHints, value); }
  bool ShowButtonHints() const { return Boolean(Setting::ShowButtonHints); }
  void SetShowButtonHints(bool value) { SetBoolean(Setting::ShowButtonHints, value); }
  bool ShowToolbarHints() const { return Boolean(Setting::ShowToolbarHints); }
  void SetShowToolbarHints(bool value) { SetBoolean(Setting::ShowToolbarHints, value); }
  bool SavePositions() const { return Boolean(Setting::SavePositions); }
  void SetSavePositions(bool value) { SetBoolean(Setting::SavePositions, value); }
  bool RestorePositions() const { return Boolean(Setting::RestorePositions); }
  void SetRestorePositions(bool value) { SetBoolean(Setting::RestorePositions, value); }
  bool ColorBackground() const { return Boolean(Setting::ColorBackground); }
  void SetColorBackground(bool value) { SetBoolean(Setting::ColorBackground, value); }
  bool NpvTabCellToCell() const { return Boolean(Setting::NpvTabCellToCell); }
  void SetNpvTabCellToCell(bool value) { SetBoolean(Setting::NpvTabCellToCell, value); }
  bool IrrTabCellToCell() const { return Boolean(Setting::IrrTabCellToCell); }
  void SetIrrTabCellToCell(bool value) { SetBoolean(Setting::IrrTabCellToCell, value); }
  bool GrossProfitTabCellToCell() const { return Boolean(Setting::GrossProfitTabCellToCell); }
  void SetGrossProfitTabCellToCell(bool value) { SetBoolean(Setting::GrossProfitTabCellToCell, value); }
  bool PurchasePowerTabCellToCell() const { return Boolean(Setting::PurchasePowerTabCellToCell); }
  void SetPurchasePowerTabCellToCell(bool value) { SetBoolean(Setting::PurchasePowerTabCellToCell, value); }
  bool WeightedAverageTabCellToCell() const { return Boolean(Setting::WeightedAverageTabCellToCell); }
  void SetWeightedAverageTabCellToCell(bool value) {
    SetBoolean(Setting::WeightedAverageTabCellToCell, value);
  }
  bool ShowTips() const { return Boolean(Setting::ShowTips); }
  void SetShowTips(bool value) { SetBoolean(Setting::ShowTips, value); }
  double DefaultAnnualRate() const { return Real(Setting::DefaultAnnualRate); }
  void SetDefaultAnnualRate(double value) { SetReal(Setting::DefaultAnnualRate, value); }
  double DefaultPoints() const { return Real(Setting::DefaultPoints); }
  void SetDefaultPoints(double value) { SetReal(Setting::DefaultPoints, value); }
  std::int32_t DefaultPointsAre() const { return Integer(Setting::DefaultPointsAre); }
  void SetDefaultPointsAre(std::int32_t value) { SetInteger(Setting::DefaultPointsAre, value); }
  std::int32_t DefaultPaymentPeriod() const { return Integer(Setting::DefaultPaymentPeriod); }
  void SetDefaultPaymentPeriod(std::int32_t value) { SetInteger(Setting::DefaultPaymentPeriod, value); }
  std::int32_t DefaultCompounding() const { return Integer(Setting::DefaultCompounding); }
  void SetDefaultCompounding(std::int32_t value) { SetInteger(Setting::DefaultCompounding, value); }
  std::int32_t DefaultPaymentMethod() const { return Integer(Setting::DefaultPaymentMethod); }
  void SetDefaultPaymentMethod(std::int32_t value) { SetInteger(Setting::DefaultPaymentMethod, value); }
  std::int32_t DefaultAmortizingMethod() const { return Integer(Setting::DefaultAmortizingMethod); }
  void SetDefaultAmortizingMethod(std::int32_t value) { SetInteger(Setting::DefaultAmortizingMethod, value); }
  std::int32_t DefaultOddDaysPaidWhen() const { return Integer(Setting::DefaultOddDaysPaidWhen); }
  void SetDefaultOddDaysPaidWhen(std::int32_t value) { SetInteger(Setting::DefaultOddDaysPaidWhen, value); }
  std::int32_t DefaultOddDaysCalculation() const { return Integer(Setting::DefaultOddDaysCalculation); }
  void SetDefaultOddDaysCalculation(std::int32_t value) {
    SetInteger(Setting::DefaultOddDaysCalculation, value);
  }
  std::int32_t DefaultShortPeriodPaidHow() const { return Integer(Setting::DefaultShortPeriodPaidHow); }
  void SetDefaultShortPeriodPaidHow(std::int32_t value) {
    SetInteger(Setting::DefaultShortPeriodPaidHow, value);
  }
  std::int32_t DefaultShortPeriodCalculation() const {
    return Integer(Setting::DefaultShortPeriodCalculation);
  }
  void SetDefaultShortPeriodCalculation(std::int32_t value) {
    SetInteger(Setting::DefaultShortPeriodCalculation, value);
  }
  std::int32_t DefaultRateBasis() const { return Integer(Setting::DefaultRateBasis); }
  void SetDefaultRateBasis(std::int32_t value) { SetInteger(Setting::DefaultRateBasis, value); }
  std::int32_t DefaultDaysPerYear() const { return Integer(Setting::DefaultDaysPerYear); }
  void SetDefaultDaysPerYear(std::int32_t value) { SetInteger(Setting::DefaultDaysPerYear, value); }
  std::int32_t DefaultLoanAccelerationMethod() const {
    return Integer(Setting::DefaultLoanAccelerationMethod);
  }
  void SetDefaultLoanAccelerationMethod(std::int32_t value) {
    SetInteger(Setting::DefaultLoanAccelerationMethod, value);
  }
  std::int32_t DefaultApplyUSRule() const { return Integer(Setting::DefaultApplyUSRule); }
  void SetDefaultApplyUSRule(std::int32_t value) { SetInteger(Setting::DefaultApplyUSRule, value); }
  std::int32_t DefaultAccelerationPercentage() const {
    return Integer(Setting::DefaultAccelerationPercentage);
  }
  void SetDefaultAccelerationPercentage(std::int32_t value) {
    SetInteger(Setting::DefaultAccelerationPercentage, value);
  }
  std::int32_t DefaultPricePerUnits() const { return Integer(Setting::DefaultPricePerUnits); }
  void SetDefaultPricePerUnits(std::int32_t value) { SetInteger(Setting::DefaultPricePerUnits, value); }
  std::int32_t DefaultStartingDate() const { return Integer(Setting::DefaultStartingDate); }
  void SetDefaultStartingDate(std::int32_t value) { SetInteger(Setting::DefaultStartingDate, value); }
  std::int32_t DefaultTwiceMonthlyDays() const { return Integer(Setting::DefaultTwiceMonthlyDays); }
  void SetDefaultTwiceMonthlyDays(std::int32_t value) { SetInteger(Setting::DefaultTwiceMonthlyDays, value); }
  std::int32_t DefaultBusinessUse() const { return Integer(Setting::DefaultBusinessUse); }
  void SetDefaultBusinessUse(std::int32_t value) { SetInteger(Setting::DefaultBusinessUse, value); }
  std::int32_t DefaultDepreciationMethod() const { return Integer(Setting::DefaultDepreciationMethod); }
  void SetDefaultDepreciationMethod(std::int32_t value) {
    SetInteger(Setting::DefaultDepreciationMethod, value);
  }
  std::int32_t DefaultIRSConvention() const { return Integer(Setting::DefaultIRSConvention); }
  void SetDefaultIRSConvention(std::int32_t value) { SetInteger(Setting::DefaultIRSConvention, value); }
  std::int32_t DefaultTaxEffect() const { return Integer(Setting::DefaultTaxEffect); }
  void SetDefaultTaxEffect(std::int32_t value) { SetInteger(Setting::DefaultTaxEffect, value); }
  std::int32_t DefaultInterestPointsDeductibility() const {
    return Integer(Setting::DefaultInterestPointsDeductibility);
  }
  void SetDefaultInterestPointsDeductibility(std::int32_t value) {
    SetInteger(Setting::DefaultInterestPointsDeductibility, value);
  }
  double DefaultDiscountRate() const { return Real(Setting::DefaultDiscountRate); }
  void SetDefaultDiscountRate(double value) { SetReal(Setting::DefaultDiscountRate, value); }
  double DefaultFirstInterestRate() const { return Real(Setting::DefaultFirstInterestRate); }
  void SetDefaultFirstInterestRate(double value) { SetReal(Setting::DefaultFirstInterestRate, value); }
  double DefaultSecondInterestRate() const { return Real(Setting::DefaultSecondInterestRate); }
  void SetDefaultSecondInterestRate(double value) { SetReal(Setting::DefaultSecondInterestRate, value); }
  double DefaultInflationRate() const { return Real(Setting::DefaultInflationRate); }
  void SetDefaultInflationRate(double value) { SetReal(Setting::DefaultInflationRate, value); }
  double DefaultMarginalTaxRate() const { return Real(Setting::DefaultMarginalTaxRate); }
  void SetDefaultMarginalTaxRate(double value) { SetReal(Setting::DefaultMarginalTaxRate, value); }
  double DefaultPurchasePrice() const { return Real(Setting::DefaultPurchasePrice); }
  void SetDefaultPurchasePrice(double value) { SetReal(Setting::DefaultPurchasePrice, value); }
  double DefaultLoanAmount() const { return Real(Setting::DefaultLoanAmount); }
  void SetDefaultLoanAmount(double value) { SetReal(Setting::DefaultLoanAmount, value); }
  std::int32_t FixedIncomePage() const { return Integer(Setting::FixedIncomePage); }
  void SetFixedIncomePage(std::int32_t value) { SetInteger(Setting::FixedIncomePage, value); }
  std::int32_t FixedIncomeRateBasis() const { return Integer(Setting::FixedIncomeRateBasis); }
  void SetFixedIncomeRateBasis(std::int32_t value) { SetInteger(Setting::FixedIncomeRateBasis, value); }
  std::int32_t Reserved() const { return Integer(Setting::Reserved); }
  void SetReserved(std::int32_t value) { SetInteger(Setting::Reserved, value); }
  const std::string& AccountFirstName() const { return String(Setting::AccountFirstName); }
  void SetAccountFirstName(std::string_view value) { SetString(Setting::AccountFirstName, value); }
  const std::string& AccountInitial() const { return String(Setting::AccountInitial); }
  void SetAccountInitial(std::string_view value) { SetString(Setting::AccountInitial, value); }
  const std::string& AccountLastName() const { return String(Setting::AccountLastName); }
  void SetAccountLastName(std::string_view value) { SetString(Setting::AccountLastName, value); }
  const std::string& AccountBusiness() const { return String(Setting::AccountBusiness); }
  void SetAccountBusiness(std::string_view value) { SetString(Setting::AccountBusiness, value); }
  const std::string& AccountAddress1() const { return String(Setting::AccountAddress1); }
  void SetAccountAddress1(std::string_view value) { SetString(Setting::AccountAddress1, value); }
  const std::string& AccountAddress2() const { return String(Setting::AccountAddress2); }
  void SetAccountAddress2(std::string_view value) { SetString(Setting::AccountAddress2, value); }
  const std::string& AccountCity() const { return String(Setting::AccountCity); }
  void SetAccountCity(std::string_view value) { SetString(Setting::AccountCity, value); }
  const std::string& AccountState() const { return String(Setting::AccountState); }
  void SetAccountState(std::string_view value) { SetString(Setting::AccountState, value); }
  const std::string& AccountZip() const { return String(Setting::AccountZip); }
  void SetAccountZip(std::string_view value) { SetString(Setting::AccountZip, value); }
  const std::string& AccountCountry() const { return String(Setting::AccountCountry); }
  void SetAccountCountry(std::string_view value) { SetString(Setting::AccountCountry, value); }
  const std::string& AccountPhone1() const { return String(Setting::AccountPhone1); }
  void SetAccountPhone1(std::string_view value) { SetString(Setting::AccountPhone1, value); }
  const std::string& AccountPhone2() const { return String(Setting::AccountPhone2); }
  void SetAccountPhone2(std::string_view value) { SetString(Setting::AccountPhone2, value); }
  const std::string& AccountExtension() const { return String(Setting::AccountExtension); }
  void SetAccountExtension(std::string_view value) { SetString(Setting::AccountExtension, value); }
  const std::string& LoanBlockNo() const { return String(Setting::LoanBlockNo); }
  void SetLoanBlockNo(std::string_view value) { SetString(Setting::LoanBlockNo, value); }
  const std::string& LoanLotNo() const { return String(Setting::LoanLotNo); }
  void SetLoanLotNo(std::string_view value) { SetString(Setting::LoanLotNo, value); }
  const std::string& LoanPropertyAddress() const { return String(Setting::LoanPropertyAddress); }
  void SetLoanPropertyAddress(std::string_view value) { SetString(Setting::LoanPropertyAddress, value); }
  const std::string& LoanCity() const { return String(Setting::LoanCity); }
  void SetLoanCity(std::string_view value) { SetString(Setting::LoanCity, value); }
  const std::string& LoanState() const { return String(Setting::LoanState); }
  void SetLoanState(std::string_view value) { SetString(Setting::LoanState, value); }
  const std::string& LoanZip() const { return String(Setting::LoanZip); }
  void SetLoanZip(std::string_view value) { SetString(Setting::LoanZip, value); }
  const std::string& LoanCountry() const { return String(Setting::LoanCountry); }
  void SetLoanCountry(std::string_view value) { SetString(Setting::LoanCountry, value); }
  const std::string& LoanCollateral() const { return String(Setting::LoanCollateral); }
  void SetLoanCollateral(std::string_view value) { SetString(Setting::LoanCollateral, value); }
  const std::string& LoanOtherCollateral() const { return String(Setting::LoanOtherCollateral); }
  void SetLoanOtherCollateral(std::string_view value) { SetString(Setting::LoanOtherCollateral, value); }
  const std::string& Creditor() const { return String(Setting::Creditor); }
  void SetCreditor(std::string_view value) { SetString(Setting::Creditor, value); }
  const std::string& CreditorLoanOfficer() const { return String(Setting::CreditorLoanOfficer); }
  void SetCreditorLoanOfficer(std::string_view value) { SetString(Setting::CreditorLoanOfficer, value); }
  const std::string& CreditorAddress1() const { return String(Setting::CreditorAddress1); }
  void SetCreditorAddress1(std::string_view value) { SetString(Setting::CreditorAddress1, value); }
  const std::string& CreditorAddress2() const { return String(Setting::CreditorAddress2); }
  void SetCreditorAddress2(std::string_view value) { SetString(Setting::CreditorAddress2, value); }
  const std::string& CreditorCity() const { return String(Setting::CreditorCity); }
  void SetCreditorCity(std::string_view value) { SetString(Setting::CreditorCity, value); }
  const std::string& CreditorState() const { return String(Setting::CreditorState); }
  void SetCreditorState(std::string_view value) { SetString(Setting::CreditorState, value); }
  const std::string& CreditorZip() const { return String(Setting::CreditorZip); }
  void SetCreditorZip(std::string_view value) { SetString(Setting::CreditorZip, value); }
  const std::string& CreditorCountry() const { return String(Setting::CreditorCountry); }
  void SetCreditorCountry(std::string_view value) { SetString(Setting::CreditorCountry, value); }
  const std::string& CreditorPhone1() const { return String(Setting::CreditorPhone1); }
  void SetCreditorPhone1(std::string_view value) { SetString(Setting::CreditorPhone1, value); }
  const std::string& CreditorPhone2() const { return String(Setting::CreditorPhone2); }
  void SetCreditorPhone2(std::string_view value) { SetString(Setting::CreditorPhone2, value); }
  const std::string& CreditorExtension() const { return String(Setting::CreditorExtension); }
  void SetCreditorExtension(std::string_view value) { SetString(Setting::CreditorExtension, value); }
  const std::string& SelectedPrinter() const { return String(Setting::SelectedPrinter); }
  void SetSelectedPrinter(std::string_view value) { SetString(Setting::SelectedPrinter, value); }
  double PaperWidth() const { return Real(Setting::PaperWidth); }
  void SetPaperWidth(double value) { SetReal(Setting::PaperWidth, value); }
  const std::string& PrinterFontName() const { return String(Setting::PrinterFontName); }
  void SetPrinterFontName(std::string_view value) { SetString(Setting::PrinterFontName, value); }
  std::int32_t PrinterFontSize() const { return Integer(Setting::PrinterFontSize); }
  void SetPrinterFontSize(std::int32_t value) { SetInteger(Setting::PrinterFontSize, value); }
  bool PrinterFontBold() const { return Boolean(Setting::PrinterFontBold); }
  void SetPrinterFontBold(bool value) { SetBoolean(Setting::PrinterFontBold, value); }
  bool PrinterFontItalic() const { return Boolean(Setting::PrinterFontItalic); }
  void SetPrinterFontItalic(bool value) { SetBoolean(Setting::PrinterFontItalic, value); }
  bool PrinterFontUnderline() const { return Boolean(Setting::PrinterFontUnderline); }
  void SetPrinterFontUnderline(bool value) { SetBoolean(Setting::PrinterFontUnderline, value); }
  bool PrinterFontStrikeOut() const { return Boolean(Setting::PrinterFontStrikeOut); }
  void SetPrinterFontStrikeOut(bool value) { SetBoolean(Setting::PrinterFontStrikeOut, value); }

 private:
  using Cached = std::variant<std::int32_t, bool, double, std::string>;

  std::string ResolveKey(std::string_view path) const;
  std::string ChildKey(std::string_view name) const;
  static std::string LocationKey(SettingLocation location);
  const Cached& CachedValue(Setting setting, SettingsValueType type) const;
  Cached DefaultOf(const SettingInfo& info) const;
  Cached ReadStored(const SettingInfo& info) const;
  void Store(Setting setting, SettingsValueType type, Cached value);

  void CheckVersion();
  void FirstRunSetUp();
  std::string FolderForFiles(bool dataSubfolder) const;

  SettingsBackend& m_backend;
  const SystemFacts& m_facts;
  std::string m_currentKey;
  std::int32_t m_runTimes = 0;
  bool m_discardedOldSettings = false;
  bool m_shutDown = false;
  std::vector<Cached> m_cache;
};

}  // namespace quandrel
