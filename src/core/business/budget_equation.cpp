#include "core/business/budget_equation.h"

#include <span>

#include "core/business/money_sum.h"

namespace quandrel {
namespace {

static_assert(budget::kShelter.first == budget::kIncome.first + budget::kIncome.count &&
                  budget::kTransportation.first == budget::kShelter.first + budget::kShelter.count &&
                  budget::kHealth.first == budget::kTransportation.first + budget::kTransportation.count &&
                  budget::kFoodClothing.first == budget::kHealth.first + budget::kHealth.count &&
                  budget::kRecreation.first == budget::kFoodClothing.first + budget::kFoodClothing.count &&
                  budget::kOtherExpenses.first == budget::kRecreation.first + budget::kRecreation.count &&
                  budget::kAmountCount == budget::kOtherExpenses.first + budget::kOtherExpenses.count,
              "the budget groups follow each other and cover every amount");
static_assert(budget::kLoanAdvances == budget::kIncome.first + budget::kIncome.count - 1 &&
              budget::kSavings == budget::kAmountCount - 1);

Currency GroupSum(const TBudgetAmounts& amounts, budget::Group group) {
  return BusinessMoneySum(std::span<const double>(amounts).subspan(group.first, group.count));
}

}  // namespace

void TequBudget::Calculate(const TBudgetAmounts& amounts) {
  const Currency income = GroupSum(amounts, budget::kIncome);
  const Currency shelter = GroupSum(amounts, budget::kShelter);
  const Currency transportation = GroupSum(amounts, budget::kTransportation);
  const Currency health = GroupSum(amounts, budget::kHealth);
  const Currency foodClothing = GroupSum(amounts, budget::kFoodClothing);
  const Currency recreation = GroupSum(amounts, budget::kRecreation);
  const Currency other = GroupSum(amounts, budget::kOtherExpenses);
  const Currency loanAdvances = BusinessMoney(amounts[budget::kLoanAdvances]);
  const Currency savings = BusinessMoney(amounts[budget::kSavings]);

  Currency expenses;
  for (const Currency total : {shelter, transportation, health, foodClothing, recreation, other}) {
    expenses = AddBusinessMoney(expenses, total);
  }
  const Currency incomeLessLoanAdvances = SubtractBusinessMoney(income, loanAdvances);
  const Currency otherLessSavings = SubtractBusinessMoney(other, savings);
  const Currency expensesLessSavings = SubtractBusinessMoney(expenses, savings);
  const Currency surplus = SubtractBusinessMoney(income, expenses);

  TotalIncome = income.ToDouble();
  IncomeLessLoanAdvances = incomeLessLoanAdvances.ToDouble();
  ShelterTotal = shelter.ToDouble();
  TransportationTotal = transportation.ToDouble();
  HealthTotal = health.ToDouble();
  FoodClothingTotal = foodClothing.ToDouble();
  RecreationTotal = recreation.ToDouble();
  OtherExpensesTotal = other.ToDouble();
  OtherLessSavings = otherLessSavings.ToDouble();
  TotalExpenses = expenses.ToDouble();
  ExpensesLessSavings = expensesLessSavings.ToDouble();
  SurplusDeficit = surplus.ToDouble();
}

}  // namespace quandrel
