#include "core/business/net_worth_equation.h"

#include <span>

#include "core/business/money_sum.h"

namespace quandrel {
namespace {

static_assert(net_worth::kLiquid.first == net_worth::kRetirement.first + net_worth::kRetirement.count &&
                  net_worth::kInvestment.first == net_worth::kLiquid.first + net_worth::kLiquid.count &&
                  net_worth::kPersonal.first == net_worth::kInvestment.first + net_worth::kInvestment.count &&
                  net_worth::kShortTerm.first == net_worth::kPersonal.first + net_worth::kPersonal.count &&
                  net_worth::kLongTerm.first == net_worth::kShortTerm.first + net_worth::kShortTerm.count &&
                  net_worth::kAmountCount == net_worth::kLongTerm.first + net_worth::kLongTerm.count,
              "the net-worth groups follow each other and cover every amount");

Currency GroupSum(const TNetWorthAmounts& amounts, net_worth::Group group) {
  return BusinessMoneySum(std::span<const double>(amounts).subspan(group.first, group.count));
}

}  // namespace

void TequNetWorth::Calculate(const TNetWorthAmounts& amounts) {
  const Currency retirement = GroupSum(amounts, net_worth::kRetirement);
  const Currency liquid = GroupSum(amounts, net_worth::kLiquid);
  const Currency investment = GroupSum(amounts, net_worth::kInvestment);
  const Currency personal = GroupSum(amounts, net_worth::kPersonal);
  const Currency shortTerm = GroupSum(amounts, net_worth::kShortTerm);
  const Currency longTerm = GroupSum(amounts, net_worth::kLongTerm);

  Currency assets;
  for (const Currency total : {retirement, liquid, investment, personal}) {
    assets = AddBusinessMoney(assets, total);
  }
  const Currency liabilities = AddBusinessMoney(shortTerm, longTerm);
  const Currency netWorth = SubtractBusinessMoney(assets, liabilities);

  RetirementTotal = retirement.ToDouble();
  LiquidTotal = liquid.ToDouble();
  InvestmentTotal = investment.ToDouble();
  PersonalTotal = personal.ToDouble();
  TotalAssets = assets.ToDouble();
  ShortTermTotal = shortTerm.ToDouble();
  LongTermTotal = longTerm.ToDouble();
  TotalLiabilities = liabilities.ToDouble();
  NetWorth = netWorth.ToDouble();
}

}  // namespace quandrel
