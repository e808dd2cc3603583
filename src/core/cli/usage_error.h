#pragma once

// Bad use of the command-line runner: an unknown command, calculator or
// label, or a value that does not parse. what() says which and why; the
// runner ends with exit status 2.

#include <stdexcept>
#include <string>

namespace quandrel {

class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quandrel
