#pragma once

// The fixed choice lists every calculator offers, and their numeric companion
// tables. A choice is held, stored and passed as its zero-based position in
// its list; the texts are what the user sees, in this order.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quandrel {

enum class ChoiceList : std::uint8_t {
  CompoundingPeriods,
  PaymentPeriods,
  CouponFrequencies,
  RateBases,
  BondDayCountBases,
  YearLengths365First,
  YearLengths360First,
  AmortizingMethods,
  PaymentTimings,
  StartingDateRules,
  DepreciationMethods,
  IRSConventions,
  FirstAmortizeLast,
  PointsTimings2,
  PointsTimings,
  Deductibility,
  LoanAccelerationMethods,
  OddDaysPaidWhen,
  OddDaysCalculations,
  ShortPeriodPaidHow,
  ShortPeriodCalculations,
  RentalPaymentTypes,
  TaxEffects,
  PaymentAdjustments,
  IgnoreAdjust,
  TwiceMonthlyDays,
  WeekendAdjustments,
  NoYes,
  FalseTrue,
  AccountSortKeys,
  Comparisons,
  FontStyleNames,
  MonthNamesShort,
  MonthNamesLong,
};

// Every list, for code that walks them all (settings, the command-line runner).
std::span<const ChoiceList> AllChoiceLists();

// The list's name as the code spells it ("CompoundingPeriods").
std::string_view ChoiceListName(ChoiceList list);

// The ordered display texts of a list.
std::span<const std::string_view> ListTexts(ChoiceList list);

// A contiguous slice of a list (first .. first + count - 1), as some windows
// show only part of one. Throws std::out_of_range when the slice leaves the list.
std::span<const std::string_view> ListSlice(ChoiceList list, std::size_t first, std::size_t count);

// The text at a position, or an empty view when the position lies outside the
// list (a stored position is never clamped when it is read back).
std::string_view ChoiceText(ChoiceList list, std::int64_t position);

// Compounding positions: the same frequency has payment position c - 1.
namespace compounding {
inline constexpr int Continuous = 0;
inline constexpr int Daily = 1;
inline constexpr int Weekly = 2;
inline constexpr int BiWeekly = 3;
inline constexpr int TwiceMonthly = 4;
inline constexpr int Every4Weeks = 5;
inline constexpr int Monthly = 6;
inline constexpr int BiMonthly = 7;
inline constexpr int Quarterly = 8;
inline constexpr int Semiannually = 9;
inline constexpr int Annually = 10;
inline constexpr int Simple = 11;
}  // namespace compounding

// Rate-basis positions.
namespace ratebasis {
inline constexpr int Ordinary = 0;
inline constexpr int Ordinary365 = 1;
inline constexpr int Ordinary360 = 2;
inline constexpr int Actual360 = 3;
inline constexpr int Actual365 = 4;
inline constexpr int ActualActual = 5;
}  // namespace ratebasis

// Companion tables. Each lookup throws std::out_of_range for a position
// outside its table, so a damaged stored position can never index past it.

// Compounding periods per year for compounding positions 0..11: -1 marks
// continuous compounding and 0 simple interest; test for both before dividing.
int PeriodsPerYear(int compoundingPosition);
// Payments per year and days per payment period for payment positions 0..9.
int PaymentsPerYear(int paymentPosition);
int DaysPerPaymentPeriod(int paymentPosition);
// Months per coupon period and coupons per year, for compounding positions
// 6..10 (a CouponFrequencies position plus 6).
int MonthsPerCoupon(int couponPosition);
int CouponsPerYear(int couponPosition);
// Year length by rate basis 0..4 (Actual/Actual takes the calendar year).
int YearLength(int rateBasisPosition);
// Year length by BondDayCountBases position 0..5.
int BondYearLength(int bondBasisPosition);
// Year length by YearLengths360First position 0..1 ("360", "365").
int YearLength360First(int position);
// Declining-balance percent by DepreciationMethods position 0..1.
int DecliningBalancePercent(int methodPosition);

// A caption without its first "&" (the accelerator mark): the label that
// clipboard text and reports print.
std::string StripAccelerator(std::string_view caption);

}  // namespace quandrel
