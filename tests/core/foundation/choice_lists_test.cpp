#include "core/foundation/choice_lists.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quandrel {
namespace {

std::vector<std::string> Texts(ChoiceList list) {
  std::vector<std::string> out;
  for (std::string_view t : ListTexts(list)) {
    out.emplace_back(t);
  }
  return out;
}

TEST(ChoiceLists, ListsHoldTheirTextsInPositionOrder) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Texts(ChoiceList::CompoundingPeriods),
            (V{"Continuous", "Daily", "Weekly", "BiWeekly", "Twice Monthly", "Every 4 Weeks", "Monthly",
               "BiMonthly", "Quarterly", "Semiannually", "Annually", "Simple"}));
  EXPECT_EQ(Texts(ChoiceList::RateBases),
            (V{"Ordinary", "Ordinary/365", "Ordinary/360", "Actual/360", "Actual/365", "Actual/Actual"}));
  EXPECT_EQ(Texts(ChoiceList::BondDayCountBases),
            (V{"30/360 NASD", "Act/360", "Act/365", "Act/Act", "30/360 European", "Old European"}));
  EXPECT_EQ(Texts(ChoiceList::AmortizingMethods),
            (V{"Normal", "Canadian", "Fixed Principal", "Interest Only", "No Interest", "Rule of 78's"}));
  EXPECT_EQ(Texts(ChoiceList::OddDaysCalculations),
            (V{"No Odd Interest", "Prorated", "Simple 360", "Simple 365", "Compound 360", "Compound 365"}));
  EXPECT_EQ(Texts(ChoiceList::TwiceMonthlyDays),
            (V{"1st & 15th", "1st & 16th", "15th & Last Day", "1st & 3rd Mon.", "1st & 3rd Tues.",
               "1st & 3rd Wed.", "1st & 3rd Thurs.", "1st & 3rd Fri.", "2nd & 4th Mon.", "2nd & 4th Tues.",
               "2nd & 4th Wed.", "2nd & 4th Thurs.", "2nd & 4th Fri."}));
  EXPECT_EQ(Texts(ChoiceList::FontStyleNames), (V{"fsBold", "fsItalic", "fsUnderline", "fsStrike Out"}));
  EXPECT_EQ(Texts(ChoiceList::YearLengths365First), (V{"365", "360"}));
  EXPECT_EQ(Texts(ChoiceList::YearLengths360First), (V{"360", "365"}));
  EXPECT_EQ(Texts(ChoiceList::MonthNamesLong).at(8), "September");
  EXPECT_EQ(Texts(ChoiceList::MonthNamesShort).at(8), "Sep");
}

TEST(ChoiceLists, EveryListHasItsLengthAndADistinctName) {
  const std::vector<std::pair<ChoiceList, std::size_t>> lengths = {
      {ChoiceList::CompoundingPeriods, 12},
      {ChoiceList::PaymentPeriods, 10},
      {ChoiceList::CouponFrequencies, 5},
      {ChoiceList::RateBases, 6},
      {ChoiceList::BondDayCountBases, 6},
      {ChoiceList::YearLengths365First, 2},
      {ChoiceList::YearLengths360First, 2},
      {ChoiceList::AmortizingMethods, 6},
      {ChoiceList::PaymentTimings, 2},
      {ChoiceList::StartingDateRules, 4},
      {ChoiceList::DepreciationMethods, 3},
      {ChoiceList::IRSConventions, 3},
      {ChoiceList::FirstAmortizeLast, 3},
      {ChoiceList::PointsTimings2, 2},
      {ChoiceList::PointsTimings, 3},
      {ChoiceList::Deductibility, 2},
      {ChoiceList::LoanAccelerationMethods, 3},
      {ChoiceList::OddDaysPaidWhen, 4},
      {ChoiceList::OddDaysCalculations, 6},
      {ChoiceList::ShortPeriodPaidHow, 3},
      {ChoiceList::ShortPeriodCalculations, 3},
      {ChoiceList::RentalPaymentTypes, 3},
      {ChoiceList::TaxEffects, 3},
      {ChoiceList::PaymentAdjustments, 3},
      {ChoiceList::IgnoreAdjust, 2},
      {ChoiceList::TwiceMonthlyDays, 13},
      {ChoiceList::WeekendAdjustments, 4},
      {ChoiceList::NoYes, 2},
      {ChoiceList::FalseTrue, 2},
      {ChoiceList::AccountSortKeys, 4},
      {ChoiceList::Comparisons, 3},
      {ChoiceList::FontStyleNames, 4},
      {ChoiceList::MonthNamesShort, 12},
      {ChoiceList::MonthNamesLong, 12},
  };
  ASSERT_EQ(lengths.size(), AllChoiceLists().size());
  std::set<std::string_view> names;
  for (const auto& [list, length] : lengths) {
    EXPECT_EQ(ListTexts(list).size(), length) << ChoiceListName(list);
    names.insert(ChoiceListName(list));
  }
  EXPECT_EQ(names.size(), lengths.size());
}

TEST(ChoiceLists, CompoundingAndPaymentListsNameTheSameFrequencies) {
  const auto compounding = ListTexts(ChoiceList::CompoundingPeriods);
  const auto payment = ListTexts(ChoiceList::PaymentPeriods);
  for (std::size_t p = 0; p < payment.size(); ++p) {
    EXPECT_EQ(payment[p], compounding[p + 1]);
    EXPECT_EQ(PaymentsPerYear(static_cast<int>(p)), PeriodsPerYear(static_cast<int>(p) + 1));
  }
  const auto coupons = ListTexts(ChoiceList::CouponFrequencies);
  for (std::size_t k = 0; k < coupons.size(); ++k) {
    EXPECT_EQ(coupons[k], compounding[k + 6]);
  }
}

TEST(ChoiceLists, SlicesAndPositionsOutsideAList) {
  const auto slice = ListSlice(ChoiceList::RateBases, 3, 2);
  ASSERT_EQ(slice.size(), 2u);
  EXPECT_EQ(slice[0], "Actual/360");
  EXPECT_EQ(slice[1], "Actual/365");
  EXPECT_THROW(ListSlice(ChoiceList::RateBases, 5, 2), std::out_of_range);
  EXPECT_THROW(ListSlice(ChoiceList::RateBases, 7, 0), std::out_of_range);
  // A stored position is kept as it was; it simply has no text.
  EXPECT_EQ(ChoiceText(ChoiceList::NoYes, 1), "Yes");
  EXPECT_EQ(ChoiceText(ChoiceList::NoYes, 2), "");
  EXPECT_EQ(ChoiceText(ChoiceList::NoYes, -1), "");
}

TEST(ChoiceLists, CompanionTables) {
  const int periods[] = {-1, 365, 52, 26, 24, 13, 12, 6, 4, 2, 1, 0};
  for (int c = 0; c < 12; ++c) {
    EXPECT_EQ(PeriodsPerYear(c), periods[c]) << c;
  }
  const int days[] = {1, 7, 14, 15, 28, 30, 60, 90, 180, 360};
  for (int p = 0; p < 10; ++p) {
    EXPECT_EQ(DaysPerPaymentPeriod(p), days[p]) << p;
  }
  const int months[] = {1, 2, 3, 6, 12};
  const int coupons[] = {12, 6, 4, 2, 1};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(MonthsPerCoupon(k + 6), months[k]);
    EXPECT_EQ(CouponsPerYear(k + 6), coupons[k]);
  }
  const int rateYears[] = {360, 365, 360, 360, 365};
  for (int b = 0; b < 5; ++b) {
    EXPECT_EQ(YearLength(b), rateYears[b]);
  }
  const int bondYears[] = {360, 360, 365, 365, 360, 360};
  for (int b = 0; b < 6; ++b) {
    EXPECT_EQ(BondYearLength(b), bondYears[b]);
  }
  EXPECT_EQ(YearLength360First(0), 360);
  EXPECT_EQ(YearLength360First(1), 365);
  EXPECT_EQ(DecliningBalancePercent(0), 150);
  EXPECT_EQ(DecliningBalancePercent(1), 200);
}

TEST(ChoiceLists, LookupsRefusePositionsOutsideTheirTables) {
  EXPECT_THROW(PeriodsPerYear(12), std::out_of_range);
  EXPECT_THROW(PeriodsPerYear(-1), std::out_of_range);
  EXPECT_THROW(PaymentsPerYear(10), std::out_of_range);
  EXPECT_THROW(DaysPerPaymentPeriod(-1), std::out_of_range);
  EXPECT_THROW(MonthsPerCoupon(5), std::out_of_range);
  EXPECT_THROW(CouponsPerYear(11), std::out_of_range);
  EXPECT_THROW(YearLength(5), std::out_of_range);  // Actual/Actual takes the calendar year
  EXPECT_THROW(BondYearLength(6), std::out_of_range);
  EXPECT_THROW(DecliningBalancePercent(2), std::out_of_range);  // straight line has none
}

TEST(StripAccelerator, RemovesOnlyTheFirstAmpersand) {
  EXPECT_EQ(StripAccelerator("I&nterest && Points are?:"), "Interest && Points are?:");
  EXPECT_EQ(StripAccelerator("&Nominal Annual Rate? (%):"), "Nominal Annual Rate? (%):");
  EXPECT_EQ(StripAccelerator("Daily Rate at this Compounding:"), "Daily Rate at this Compounding:");
  EXPECT_EQ(StripAccelerator(""), "");
  EXPECT_EQ(StripAccelerator("&"), "");
}

}  // namespace
}  // namespace quandrel
