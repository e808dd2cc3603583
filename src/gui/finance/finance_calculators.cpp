#include "gui/finance/finance_calculators.h"

#include "gui/shell/calculator_launcher.h"

namespace quandrel {

void RegisterFinanceCalculators(TCalculatorLauncher&) {}

}  // namespace quandrel
