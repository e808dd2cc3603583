// quandrel-cli: the calculators headless, for scripts and batch work. The
// runner itself is in the core (core/cli/cli_runner.h); this program only
// hands it the arguments and writes what it answers.

#include <cstdio>
#include <string>
#include <vector>

#include "core/cli/cli_runner.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.emplace_back(argv[i]);
  }
  const quandrel::CliOutcome outcome = quandrel::RunCommandLine(args);
  std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
  std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
  if (std::fflush(stdout) != 0) {
    return quandrel::kExitCalculationError;
  }
  return outcome.exitCode;
}
