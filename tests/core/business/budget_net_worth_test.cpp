#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "business_test_support.h"
#include "core/business/budget_equation.h"
#include "core/business/net_worth_equation.h"

namespace quandrel {
namespace {

using testing::BusinessErrorCode;

TEST(TequBudget, SavingsCountAsAnExpenseButNotInTheLessSavingsTotals) {
  TBudgetAmounts amounts{};
  amounts[budget::kSalaries] = 1000;
  amounts[budget::kSavings] = 500;
  TequBudget budget;
  budget.Calculate(amounts);
  EXPECT_EQ(budget.TotalIncome, 1000);
  EXPECT_EQ(budget.IncomeLessLoanAdvances, 1000);
  EXPECT_EQ(budget.OtherExpensesTotal, 500);
  EXPECT_EQ(budget.OtherLessSavings, 0);
  EXPECT_EQ(budget.TotalExpenses, 500);
  EXPECT_EQ(budget.ExpensesLessSavings, 0);
  EXPECT_EQ(budget.SurplusDeficit, 500);
}

TEST(TequBudget, EveryGroupTotalsItsOwnAmounts) {
  // Amount k (in window order) is k + 1, so each group total is a sum of
  // consecutive whole numbers.
  TBudgetAmounts amounts{};
  for (std::size_t k = 0; k < amounts.size(); ++k) {
    amounts[k] = static_cast<double>(k + 1);
  }
  TequBudget budget;
  budget.Calculate(amounts);
  EXPECT_EQ(budget.TotalIncome, 21);             // 1..6
  EXPECT_EQ(budget.IncomeLessLoanAdvances, 15);  // less the loan advances, 6
  EXPECT_EQ(budget.ShelterTotal, 70);            // 7..13
  EXPECT_EQ(budget.TransportationTotal, 80);     // 14..18
  EXPECT_EQ(budget.HealthTotal, 82);             // 19..22
  EXPECT_EQ(budget.FoodClothingTotal, 72);       // 23..25
  EXPECT_EQ(budget.RecreationTotal, 171);        // 26..31
  EXPECT_EQ(budget.OtherExpensesTotal, 207);     // 32..37
  EXPECT_EQ(budget.OtherLessSavings, 170);       // less the savings, 37
  EXPECT_EQ(budget.TotalExpenses, 682);
  EXPECT_EQ(budget.ExpensesLessSavings, 645);
  EXPECT_EQ(budget.SurplusDeficit, -661);
}

TEST(TequBudget, SumsAreExactOnTheFourDecimalScale) {
  TBudgetAmounts amounts{};
  amounts[0] = 0.1;
  amounts[1] = 0.2;
  amounts[2] = 1.23456;   // 1.2346
  amounts[3] = -0.00004;  // 0
  TequBudget budget;
  budget.Calculate(amounts);
  // In binary reals 0.1 + 0.2 is 0.30000000000000004.
  EXPECT_EQ(budget.TotalIncome, 1.5346);
}

TEST(TequBudget, AnAmountThatIsNotMoneyIsRefusedAndTheResultsStay) {
  TBudgetAmounts amounts{};
  amounts[budget::kSalaries] = 100;
  TequBudget budget;
  budget.Calculate(amounts);
  for (const double bad :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
    TBudgetAmounts badAmounts{};
    badAmounts[20] = bad;
    EXPECT_EQ(BusinessErrorCode([&] { budget.Calculate(badAmounts); }), 608) << bad;
    EXPECT_EQ(budget.TotalIncome, 100);
    EXPECT_EQ(budget.SurplusDeficit, 100);
  }
  // Each amount fits, their sum does not.
  TBudgetAmounts large{};
  large[6] = 9.0e14;
  large[7] = 9.0e14;
  EXPECT_EQ(BusinessErrorCode([&] { budget.Calculate(large); }), 608);
}

TEST(TequNetWorth, GroupsAssetsAndLiabilities) {
  TNetWorthAmounts amounts{};
  for (std::size_t k = 0; k < amounts.size(); ++k) {
    amounts[k] = static_cast<double>(k + 1);
  }
  TequNetWorth worth;
  worth.Calculate(amounts);
  EXPECT_EQ(worth.RetirementTotal, 15);   // 1..5
  EXPECT_EQ(worth.LiquidTotal, 51);       // 6..11
  EXPECT_EQ(worth.InvestmentTotal, 144);  // 12..20
  EXPECT_EQ(worth.PersonalTotal, 141);    // 21..26
  EXPECT_EQ(worth.TotalAssets, 351);
  EXPECT_EQ(worth.ShortTermTotal, 145);  // 27..31
  EXPECT_EQ(worth.LongTermTotal, 134);   // 32..35
  EXPECT_EQ(worth.TotalLiabilities, 279);
  EXPECT_EQ(worth.NetWorth, 72);
}

TEST(TequNetWorth, LiabilitiesAboveAssetsGiveANegativeWorthAndBadAmountsAreRefused) {
  TNetWorthAmounts amounts{};
  amounts[net_worth::kPersonal.first] = 250000.10;  // principal residence
  amounts[net_worth::kLongTerm.first] = 300000.20;  // residential mortgage
  TequNetWorth worth;
  worth.Calculate(amounts);
  EXPECT_EQ(worth.TotalAssets, 250000.10);
  EXPECT_EQ(worth.TotalLiabilities, 300000.20);
  EXPECT_EQ(worth.NetWorth, -50000.10);

  amounts[0] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(BusinessErrorCode([&] { worth.Calculate(amounts); }), 608);
  EXPECT_EQ(worth.NetWorth, -50000.10);
}

}  // namespace
}  // namespace quandrel
