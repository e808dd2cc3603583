#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "business_test_support.h"
#include "core/business/gross_profit_equation.h"
#include "core/business/weighted_average_equation.h"

namespace quandrel {
namespace {

using testing::BusinessErrorCode;

TBusinessItem Item(std::int32_t quantity, double unitCost, double unitSale) {
  TBusinessItem item;
  item.Quantity = quantity;
  item.UnitCost = unitCost;
  item.UnitSale = unitSale;
  // Marks totals the walk must not touch.
  item.ItemCost = -1;
  item.ItemSale = -1;
  return item;
}

TEST(TequGrossProfit, TotalsTheItemsBeforeTheFirstZeroQuantity) {
  std::vector<TBusinessItem> items = {Item(10, 2.5, 4), Item(5, 10, 12), Item(0, 7, 9), Item(3, 1, 1)};
  TequGrossProfit profit;
  profit.Calculate(items);
  EXPECT_EQ(items[0].ItemCost, 25);
  EXPECT_EQ(items[0].ItemSale, 40);
  EXPECT_EQ(items[1].ItemCost, 50);
  EXPECT_EQ(items[1].ItemSale, 60);
  // The stopping item gets its own totals, 0 x its prices; later items are left alone.
  EXPECT_EQ(items[2].ItemCost, 0);
  EXPECT_EQ(items[2].ItemSale, 0);
  EXPECT_EQ(items[3].ItemCost, -1);
  EXPECT_EQ(items[3].ItemSale, -1);

  EXPECT_EQ(profit.TotalCost, 75);
  EXPECT_EQ(profit.TotalSale, 100);
  EXPECT_EQ(profit.GrossProfit, 25);
  EXPECT_EQ(profit.TotalQuantity, 15);
  EXPECT_DOUBLE_EQ(profit.MarginPct, 25);           // 25 / 100
  EXPECT_DOUBLE_EQ(profit.ReturnPct, 100.0 / 3.0);  // 25 / 75
}

TEST(TequGrossProfit, PercentagesOfAZeroBaseAreZero) {
  struct Case {
    std::vector<TBusinessItem> items;
    double margin;
    double returnPct;
  };
  const Case cases[] = {
      {{Item(4, 0, 5), Item(2, 0, 1)}, 100, 0},  // no cost: profit is all of the sales
      {{Item(3, 2, 0)}, 0, -100},                // no sales
      {{Item(0, 2, 3)}, 0, 0},                   // nothing counted
      {{}, 0, 0},
  };
  for (Case c : cases) {
    TequGrossProfit profit;
    profit.Calculate(c.items);
    EXPECT_DOUBLE_EQ(profit.MarginPct, c.margin);
    EXPECT_DOUBLE_EQ(profit.ReturnPct, c.returnPct);
  }
}

TEST(TequGrossProfit, ValuesBeyondRangeAreRefusedBeforeAnythingIsWritten) {
  TequGrossProfit profit;
  std::vector<TBusinessItem> good = {Item(2, 3, 4)};
  profit.Calculate(good);

  const std::int32_t most = std::numeric_limits<std::int32_t>::max();
  std::vector<TBusinessItem> tooMany = {Item(most, 1, 1), Item(most, 1, 1)};
  EXPECT_EQ(BusinessErrorCode([&] { profit.Calculate(tooMany); }), 608);
  EXPECT_EQ(tooMany[0].ItemCost, -1);

  std::vector<TBusinessItem> notANumber = {Item(1, 1, 1),
                                           Item(1, std::numeric_limits<double>::quiet_NaN(), 1)};
  EXPECT_EQ(BusinessErrorCode([&] { profit.Calculate(notANumber); }), 608);
  EXPECT_EQ(notANumber[0].ItemCost, -1);

  std::vector<TBusinessItem> overflow = {Item(most, 1e308, 1)};
  EXPECT_EQ(BusinessErrorCode([&] { profit.Calculate(overflow); }), 608);

  EXPECT_EQ(profit.TotalCost, 6);
  EXPECT_EQ(profit.TotalSale, 8);
  EXPECT_EQ(profit.TotalQuantity, 2);
}

TEST(TequWtAvg, AveragesWeightedByQuantity) {
  const std::vector<TBusinessItem> items = {Item(10, 2, 3), Item(30, 4, 5), Item(0, 1, 1), Item(7, 0.5, 9)};
  TequWtAvg average;
  average.Calculate(items);
  EXPECT_EQ(average.TotalCost, 140);  // 20 + 120
  EXPECT_EQ(average.TotalSale, 180);  // 30 + 150
  EXPECT_DOUBLE_EQ(average.AvgCost, 3.5);
  EXPECT_DOUBLE_EQ(average.AvgSale, 4.5);
  EXPECT_EQ(average.LowestCost, 2);
  EXPECT_EQ(average.LowestSale, 3);
  EXPECT_EQ(average.HighestCost, 4);
  EXPECT_EQ(average.HighestSale, 5);
}

TEST(TequWtAvg, EmptyFirstRowKeepsItsUnitValuesAsLowest) {
  const std::vector<TBusinessItem> items = {Item(0, 6, 8), Item(5, 1, 1)};
  TequWtAvg average;
  average.Calculate(items);
  EXPECT_EQ(average.TotalCost, 0);
  EXPECT_EQ(average.TotalSale, 0);
  EXPECT_EQ(average.AvgCost, 0);
  EXPECT_EQ(average.AvgSale, 0);
  EXPECT_EQ(average.LowestCost, 6);
  EXPECT_EQ(average.LowestSale, 8);
  EXPECT_EQ(average.HighestCost, 0);
  EXPECT_EQ(average.HighestSale, 0);
}

TEST(TequWtAvg, QuantitiesSummingBelowOneGiveNoAverage) {
  // A return (negative quantity) cancels the purchase: no division by 0.
  const std::vector<TBusinessItem> items = {Item(3, 2, 5), Item(-3, 2, 5)};
  TequWtAvg average;
  average.Calculate(items);
  EXPECT_EQ(average.TotalCost, 0);
  EXPECT_EQ(average.AvgCost, 0);
  EXPECT_EQ(average.AvgSale, 0);

  TequWtAvg empty;
  empty.Calculate({});
  EXPECT_EQ(empty.LowestCost, 0);
  EXPECT_EQ(empty.AvgSale, 0);

  const std::vector<TBusinessItem> bad = {Item(1, std::numeric_limits<double>::infinity(), 1)};
  average.Calculate(std::vector<TBusinessItem>{Item(2, 1, 3)});
  EXPECT_EQ(BusinessErrorCode([&] { average.Calculate(bad); }), 608);
  EXPECT_EQ(average.TotalSale, 6);
}

}  // namespace
}  // namespace quandrel
