#pragma once

// TequNetWorth: the asset and liability totals of the net worth calculator.

#include <array>
#include <cstddef>

namespace quandrel {

// The 35 net-worth amounts in the order of the net worth window, group after
// group.
namespace net_worth {
struct Group {
  std::size_t first;
  std::size_t count;
};
// IRAs, Keogh accounts, employer pensions, profit sharing plans, other
// retirement assets.
inline constexpr Group kRetirement{0, 5};
// Cash on hand, checking balance, savings account, short term deposits, cash
// value of life insurance, other liquid assets.
inline constexpr Group kLiquid{5, 6};
// US savings bonds, term deposits, stocks and bonds, mutual funds, real
// estate, loans receivable, mortgages receivable, business interests, other
// investment assets.
inline constexpr Group kInvestment{11, 9};
// Principal residence, vacation property, furnishings, art and collectables,
// automobiles, other personal property.
inline constexpr Group kPersonal{20, 6};
// Credit cards due, other charges due, short term loans, taxes payable, other
// short term obligations.
inline constexpr Group kShortTerm{26, 5};
// Residential mortgages, investment loans, personal asset loans, other long
// term obligations.
inline constexpr Group kLongTerm{31, 4};

inline constexpr std::size_t kAmountCount = 35;
}  // namespace net_worth

using TNetWorthAmounts = std::array<double, net_worth::kAmountCount>;

class TequNetWorth {
 public:
  double RetirementTotal = 0;
  double LiquidTotal = 0;
  double InvestmentTotal = 0;
  double PersonalTotal = 0;
  double TotalAssets = 0;
  double ShortTermTotal = 0;
  double LongTermTotal = 0;
  double TotalLiabilities = 0;
  double NetWorth = 0;

  // Sets the nine results, exact on the four-decimal scale. An amount that is
  // not finite or a total too large to hold raises 608 and leaves the previous
  // results.
  void Calculate(const TNetWorthAmounts& amounts);
};

}  // namespace quandrel
