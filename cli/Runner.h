#pragma once
// quillo-run from arguments to exit status.

#include "cli/CommandLine.h"

#include <iosfwd>
#include <vector>

namespace quillo::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitScriptError = 1;
constexpr int kExitUsage = 2;

// Reads every file, then runs them in order in one script control, each as one AddCode;
// stops at the first file that fails.
int runScripts(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

// Parses the arguments (without the program name), prints help, version or a usage error,
// or runs the scripts.
int runCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace quillo::cli
