#pragma once

// The command-line runner: every calculator of the model catalog headless.
//
//   list                                 the calculators, one per line
//   fields "<calculator>"                its fields, options, lists and pages
//   calc "<calculator>" LABEL=VALUE...   set the inputs, run one Calc, print
//                                        the copy text, or JSON with --json
//   show FILE                            a data file's calculation (--json, --csv)
//
// Each run starts fresh: the settings live in memory (nothing is read from
// or written to the user's settings), the records hold the publisher's
// values, Today() is the system date unless --today fixes it, and the locale
// facts are the United States' unless --locale names others.

#include <span>
#include <string>
#include <string_view>

namespace quandrel {

inline constexpr int kExitSuccess = 0;
// The calculation raised a numbered error, or a data file could not be read.
inline constexpr int kExitCalculationError = 1;
// Bad usage: an unknown command, calculator, label or option, or a value
// that does not parse.
inline constexpr int kExitUsage = 2;

struct CliOutcome {
  int exitCode = kExitSuccess;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs one command; `args` are the words after the program name. Never
// throws: every failure becomes a message and an exit status.
CliOutcome RunCommandLine(std::span<const std::string> args);

// The text of --help.
std::string HelpText();

}  // namespace quandrel
