#pragma once

namespace quandrel {

class TCalculatorLauncher;

// Registers the finance calculators' windows with the launcher.
void RegisterFinanceCalculators(TCalculatorLauncher& launcher);

}  // namespace quandrel
