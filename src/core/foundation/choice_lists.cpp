#include "core/foundation/choice_lists.h"

#include <array>
#include <stdexcept>
#include <string>

namespace quandrel {
namespace {

using Texts = std::span<const std::string_view>;

constexpr std::string_view kCompoundingPeriods[] = {"Continuous",    "Daily",         "Weekly",   "BiWeekly",
                                                    "Twice Monthly", "Every 4 Weeks", "Monthly",  "BiMonthly",
                                                    "Quarterly",     "Semiannually",  "Annually", "Simple"};
constexpr std::string_view kPaymentPeriods[] = {"Daily",         "Weekly",  "BiWeekly",  "Twice Monthly",
                                                "Every 4 Weeks", "Monthly", "BiMonthly", "Quarterly",
                                                "Semiannually",  "Annually"};
constexpr std::string_view kCouponFrequencies[] = {"Monthly", "BiMonthly", "Quarterly", "Semiannually",
                                                   "Annually"};
constexpr std::string_view kRateBases[] = {"Ordinary",   "Ordinary/365", "Ordinary/360",
                                           "Actual/360", "Actual/365",   "Actual/Actual"};
constexpr std::string_view kBondDayCountBases[] = {"30/360 NASD", "Act/360",         "Act/365",
                                                   "Act/Act",     "30/360 European", "Old European"};
constexpr std::string_view kYearLengths365First[] = {"365", "360"};
constexpr std::string_view kYearLengths360First[] = {"360", "365"};
constexpr std::string_view kAmortizingMethods[] = {"Normal",        "Canadian",    "Fixed Principal",
                                                   "Interest Only", "No Interest", "Rule of 78's"};
constexpr std::string_view kPaymentTimings[] = {"Arrears", "Advance"};
constexpr std::string_view kStartingDateRules[] = {"Today", "Last entered date", "First this month",
                                                   "First next month"};
constexpr std::string_view kDepreciationMethods[] = {"150% DB", "200% DB", "Straight Line"};
constexpr std::string_view kIRSConventions[] = {"Half Year", "Mid Quarter", "Mid Month"};
constexpr std::string_view kFirstAmortizeLast[] = {"First", "Amortize", "Last"};
constexpr std::string_view kPointsTimings2[] = {"With First", "Amortized"};
constexpr std::string_view kPointsTimings[] = {"With Origination", "With First", "Amortized"};
constexpr std::string_view kDeductibility[] = {"Deductible", "Not Deductible"};
constexpr std::string_view kLoanAccelerationMethods[] = {"No Acceleration", "Half Monthly",
                                                         "Prepaid Principal"};
constexpr std::string_view kOddDaysPaidWhen[] = {"None", "With Origination", "With First", "Amortized"};
constexpr std::string_view kOddDaysCalculations[] = {"No Odd Interest", "Prorated",     "Simple 360",
                                                     "Simple 365",      "Compound 360", "Compound 365"};
constexpr std::string_view kShortPeriodPaidHow[] = {"No Reduction", "Reduce First", "Reduce All"};
constexpr std::string_view kShortPeriodCalculations[] = {"Prorated", "Simple 360", "Simple 365"};
constexpr std::string_view kRentalPaymentTypes[] = {"Normal", "Fixed", "Interest Only"};
constexpr std::string_view kTaxEffects[] = {"All Advantages", "Not Considered", "No Depreciation"};
constexpr std::string_view kPaymentAdjustments[] = {"No Adjustment", "Increase Payment", "Reduce Interest"};
constexpr std::string_view kIgnoreAdjust[] = {"Ignore", "Adjust"};
constexpr std::string_view kTwiceMonthlyDays[] = {
    "1st & 15th",     "1st & 16th",       "15th & Last Day", "1st & 3rd Mon.", "1st & 3rd Tues.",
    "1st & 3rd Wed.", "1st & 3rd Thurs.", "1st & 3rd Fri.",  "2nd & 4th Mon.", "2nd & 4th Tues.",
    "2nd & 4th Wed.", "2nd & 4th Thurs.", "2nd & 4th Fri."};
constexpr std::string_view kWeekendAdjustments[] = {"No Adjustment", "Closest Day", "Force Friday",
                                                    "Force Monday"};
constexpr std::string_view kNoYes[] = {"No", "Yes"};
constexpr std::string_view kFalseTrue[] = {"False", "True"};
constexpr std::string_view kAccountSortKeys[] = {"Account No", "Last Name", "First Name", "Loan No"};
constexpr std::string_view kComparisons[] = {"=", ">", "<"};
constexpr std::string_view kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrike Out"};
constexpr std::string_view kMonthNamesShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::string_view kMonthNamesLong[] = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};

struct ListEntry {
  ChoiceList list;
  std::string_view name;
  Texts texts;
};

constexpr ListEntry kLists[] = {
    {ChoiceList::CompoundingPeriods, "CompoundingPeriods", kCompoundingPeriods},
    {ChoiceList::PaymentPeriods, "PaymentPeriods", kPaymentPeriods},
    {ChoiceList::CouponFrequencies, "CouponFrequencies", kCouponFrequencies},
    {ChoiceList::RateBases, "RateBases", kRateBases},
    {ChoiceList::BondDayCountBases, "BondDayCountBases", kBondDayCountBases},
    {ChoiceList::YearLengths365First, "YearLengths365First", kYearLengths365First},
    {ChoiceList::YearLengths360First, "YearLengths360First", kYearLengths360First},
    {ChoiceList::AmortizingMethods, "AmortizingMethods", kAmortizingMethods},
    {ChoiceList::PaymentTimings, "PaymentTimings", kPaymentTimings},
    {ChoiceList::StartingDateRules, "StartingDateRules", kStartingDateRules},
    {ChoiceList::DepreciationMethods, "DepreciationMethods", kDepreciationMethods},
    {ChoiceList::IRSConventions, "IRSConventions", kIRSConventions},
    {ChoiceList::FirstAmortizeLast, "FirstAmortizeLast", kFirstAmortizeLast},
    {ChoiceList::PointsTimings2, "PointsTimings2", kPointsTimings2},
    {ChoiceList::PointsTimings, "PointsTimings", kPointsTimings},
    {ChoiceList::Deductibility, "Deductibility", kDeductibility},
    {ChoiceList::LoanAccelerationMethods, "LoanAccelerationMethods", kLoanAccelerationMethods},
    {ChoiceList::OddDaysPaidWhen, "OddDaysPaidWhen", kOddDaysPaidWhen},
    {ChoiceList::OddDaysCalculations, "OddDaysCalculations", kOddDaysCalculations},
    {ChoiceList::ShortPeriodPaidHow, "ShortPeriodPaidHow", kShortPeriodPaidHow},
    {ChoiceList::ShortPeriodCalculations, "ShortPeriodCalculations", kShortPeriodCalculations},
    {ChoiceList::RentalPaymentTypes, "RentalPaymentTypes", kRentalPaymentTypes},
    {ChoiceList::TaxEffects, "TaxEffects", kTaxEffects},
    {ChoiceList::PaymentAdjustments, "PaymentAdjustments", kPaymentAdjustments},
    {ChoiceList::IgnoreAdjust, "IgnoreAdjust", kIgnoreAdjust},
    {ChoiceList::TwiceMonthlyDays, "TwiceMonthlyDays", kTwiceMonthlyDays},
    {ChoiceList::WeekendAdjustments, "WeekendAdjustments", kWeekendAdjustments},
    {ChoiceList::NoYes, "NoYes", kNoYes},
    {ChoiceList::FalseTrue, "FalseTrue", kFalseTrue},
    {ChoiceList::AccountSortKeys, "AccountSortKeys", kAccountSortKeys},
    {ChoiceList::Comparisons, "Comparisons", kComparisons},
    {ChoiceList::FontStyleNames, "FontStyleNames", kFontStyleNames},
    {ChoiceList::MonthNamesShort, "MonthNamesShort", kMonthNamesShort},
    {ChoiceList::MonthNamesLong, "MonthNamesLong", kMonthNamesLong},
};

constexpr std::array<ChoiceList, std::size(kLists)> MakeAllLists() {
  std::array<ChoiceList, std::size(kLists)> all{};
  for (std::size_t i = 0; i < all.size(); ++i) {
    all[i] = kLists[i].list;
  }
  return all;
}
constexpr auto kAllLists = MakeAllLists();

// The table is indexed by the enumeration; keep the two in step.
constexpr bool ListsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(kLists); ++i) {
    if (static_cast<std::size_t>(kLists[i].list) != i) {
      return false;
    }
  }
  return true;
}
static_assert(ListsInEnumOrder());
static_assert(std::size(kLists) == static_cast<std::size_t>(ChoiceList::MonthNamesLong) + 1);

const ListEntry& Entry(ChoiceList list) {
  const auto index = static_cast<std::size_t>(list);
  if (index >= std::size(kLists)) {
    throw std::out_of_range("Unknown choice list.");
  }
  return kLists[index];
}

template <std::size_t N>
int Lookup(const int (&table)[N], int position, int first, const char* what) {
  const int index = position - first;
  if (index < 0 || static_cast<std::size_t>(index) >= N) {
    throw std::out_of_range(std::string(what) + " position " + std::to_string(position) +
                            " is out of range.");
  }
  return table[index];
}

constexpr int kPeriodsPerYear[] = {-1, 365, 52, 26, 24, 13, 12, 6, 4, 2, 1, 0};
constexpr int kPaymentsPerYear[] = {365, 52, 26, 24, 13, 12, 6, 4, 2, 1};
constexpr int kDaysPerPaymentPeriod[] = {1, 7, 14, 15, 28, 30, 60, 90, 180, 360};
constexpr int kMonthsPerCoupon[] = {1, 2, 3, 6, 12};
constexpr int kCouponsPerYear[] = {12, 6, 4, 2, 1};
constexpr int kYearLengthByRateBasis[] = {360, 365, 360, 360, 365};
constexpr int kYearLengthByBondBasis[] = {360, 360, 365, 365, 360, 360};
constexpr int kYearLength360First[] = {360, 365};
constexpr int kDecliningBalancePercent[] = {150, 200};

}  // namespace

std::span<const ChoiceList> AllChoiceLists() {
  return kAllLists;
}

std::string_view ChoiceListName(ChoiceList list) {
  return Entry(list).name;
}

std::span<const std::string_view> ListTexts(ChoiceList list) {
  return Entry(list).texts;
}

std::span<const std::string_view> ListSlice(ChoiceList list, std::size_t first, std::size_t count) {
  const Texts texts = ListTexts(list);
  if (first > texts.size() || count > texts.size() - first) {
    throw std::out_of_range("Choice list slice is out of range.");
  }
  return texts.subspan(first, count);
}

std::string_view ChoiceText(ChoiceList list, std::int64_t position) {
  const Texts texts = ListTexts(list);
  if (position < 0 || static_cast<std::uint64_t>(position) >= texts.size()) {
    return {};
  }
  return texts[static_cast<std::size_t>(position)];
}

int PeriodsPerYear(int compoundingPosition) {
  return Lookup(kPeriodsPerYear, compoundingPosition, 0, "Compounding period");
}
int PaymentsPerYear(int paymentPosition) {
  return Lookup(kPaymentsPerYear, paymentPosition, 0, "Payment period");
}
int DaysPerPaymentPeriod(int paymentPosition) {
  return Lookup(kDaysPerPaymentPeriod, paymentPosition, 0, "Payment period");
}
int MonthsPerCoupon(int couponPosition) {
  return Lookup(kMonthsPerCoupon, couponPosition, compounding::Monthly, "Coupon frequency");
}
int CouponsPerYear(int couponPosition) {
  return Lookup(kCouponsPerYear, couponPosition, compounding::Monthly, "Coupon frequency");
}
int YearLength(int rateBasisPosition) {
  return Lookup(kYearLengthByRateBasis, rateBasisPosition, 0, "Rate basis");
}
int BondYearLength(int bondBasisPosition) {
  return Lookup(kYearLengthByBondBasis, bondBasisPosition, 0, "Bond day-count basis");
}
int YearLength360First(int position) {
  return Lookup(kYearLength360First, position, 0, "Year length");
}
int DecliningBalancePercent(int methodPosition) {
  return Lookup(kDecliningBalancePercent, methodPosition, 0, "Depreciation method");
}

std::string StripAccelerator(std::string_view caption) {
  std::string result(caption);
  if (const auto at = result.find('&'); at != std::string::npos) {
    result.erase(at, 1);
  }
  return result;
}

}  // namespace quandrel
