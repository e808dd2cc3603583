#include "core/advisors/break_even_equation.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "core/advisors/advisor_exception.h"

namespace quandrel::advisor {
namespace {

Currency Money(Extended value) {
  try {
    return Currency::FromExtended(value);
  } catch (const std::range_error&) {
    RaiseAdvisorError(advisor_error::kOutOfRange);
  }
}

Currency Add(Currency a, Currency b) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const std::int64_t x = a.Units();
  const std::int64_t y = b.Units();
  if ((y > 0 && x > kMax - y) || (y < 0 && x < kMin - y)) {
    RaiseAdvisorError(advisor_error::kOutOfRange);
  }
  return Currency::FromUnits(x + y);
}

Currency Subtract(Currency a, Currency b) {
  if (b.Units() == std::numeric_limits<std::int64_t>::min()) {
    RaiseAdvisorError(advisor_error::kOutOfRange);
  }
  return Add(a, -b);
}

float Percent(Extended part, Currency sales) {
  return static_cast<float>(part * 100 / sales.ToExtended());
}

}  // namespace

Currency TadvBreakEven::SumToFirstZero(std::span<const double> amounts) {
  Currency sum;
  for (const double amount : amounts) {
    if (amount == 0) {
      break;
    }
    sum = Add(sum, Money(amount));
  }
  return sum;
}

void TadvBreakEven::Calculate(std::span<const double> fixedCosts, std::span<const double> variableCosts,
                              std::span<const double> componentCosts, Currency sellingPrice) {
  const Currency fixed = SumToFirstZero(fixedCosts);
  const Currency variable = SumToFirstZero(variableCosts);
  const Currency component = SumToFirstZero(componentCosts);
  if (component > sellingPrice) {
    RaiseAdvisorError(advisor_error::kPriceNotAboveComponents);
  }
  const Currency costs = Add(fixed, variable);
  const Currency margin = Subtract(sellingPrice, component);
  double units = 0;
  Currency sales;
  float fixedPct = 0;
  float variablePct = 0;
  float componentPct = 0;
  if (margin == Currency()) {
    // Each unit sold brings in exactly its own components: the costs of the
    // period are never covered.
    if (costs != Currency()) {
      RaiseAdvisorError(advisor_error::kPriceNotAboveComponents);
    }
  } else {
    units = static_cast<double>(costs.ToExtended() / margin.ToExtended());
    sales = Money(sellingPrice.ToExtended() * static_cast<Extended>(units));
    if (sales != Currency()) {
      fixedPct = Percent(fixed.ToExtended(), sales);
      variablePct = Percent(variable.ToExtended(), sales);
      componentPct = Percent(static_cast<Extended>(units) * component.ToExtended(), sales);
      if (!std::isfinite(fixedPct) || !std::isfinite(variablePct) || !std::isfinite(componentPct)) {
        RaiseAdvisorError(advisor_error::kOutOfRange);
      }
    }
  }

  FixedCosts = fixed;
  VariableCosts = variable;
  UnitComponentCost = component;
  BreakEvenUnits = units;
  BreakEvenSales = sales;
  FixedPct = fixedPct;
  VariablePct = variablePct;
  ComponentPct = componentPct;
}

}  // namespace quandrel::advisor
