#pragma once

// TequBudget: the monthly income and expense totals of the budget
// calculator.

#include <array>
#include <cstddef>

namespace quandrel {

// The 37 budget amounts in the order of the budget window, group after group.
namespace budget {
// A group: its first position in the amounts and its number of amounts.
struct Group {
  std::size_t first;
  std::size_t count;
};
// Salaries, pensions and allowances, interest income, real estate income,
// other income, loan advances.
inline constexpr Group kIncome{0, 6};
// Mortgage or rent payments, property taxes, house insurance, electric gas
// and water, telephone, home maintenance, furniture and appliances.
inline constexpr Group kShelter{6, 7};
// Car payments, gas and oil, car insurance and licence, car repairs and
// maintenance, buses taxis and parking.
inline constexpr Group kTransportation{13, 5};
// Medicines and glasses, doctor and dentist fees, personal grooming, health
// insurance.
inline constexpr Group kHealth{18, 4};
// Groceries, restaurant meals, clothes and laundry.
inline constexpr Group kFoodClothing{22, 3};
// Vacations and travel, clubs and membership fees, movies shows and events,
// entertaining, education and books, babysitting and child care.
inline constexpr Group kRecreation{25, 6};
// Life insurance, loan payments, charitable gifts, liquor and cigarettes,
// miscellaneous, savings and IRAs.
inline constexpr Group kOtherExpenses{31, 6};

inline constexpr std::size_t kAmountCount = 37;
inline constexpr std::size_t kSalaries = 0;
inline constexpr std::size_t kLoanAdvances = 5;
inline constexpr std::size_t kSavings = 36;
}  // namespace budget

using TBudgetAmounts = std::array<double, budget::kAmountCount>;

class TequBudget {
 public:
  double TotalIncome = 0;
  double IncomeLessLoanAdvances = 0;
  double ShelterTotal = 0;
  double TransportationTotal = 0;
  double HealthTotal = 0;
  double FoodClothingTotal = 0;
  double RecreationTotal = 0;
  double OtherExpensesTotal = 0;
  double OtherLessSavings = 0;
  double TotalExpenses = 0;
  double ExpensesLessSavings = 0;
  double SurplusDeficit = 0;

  // Sets the twelve results. Every amount is taken on the four-decimal scale
  // and every sum is exact on it. An amount that is not finite or a total too
  // large to hold raises 608 and leaves the previous results.
  void Calculate(const TBudgetAmounts& amounts);
};

}  // namespace quandrel
