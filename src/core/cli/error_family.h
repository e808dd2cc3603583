#pragma once

// The class name of a numbered error's family ("EFinanceException"), for
// output that names it beside the code: some codes stand in two families.

#include <exception>
#include <string>

namespace quandrel {

// The family's class name without its namespace; empty for an exception
// that is not a numbered error.
std::string ErrorFamilyName(const std::exception& error);

}  // namespace quandrel
