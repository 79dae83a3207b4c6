#pragma once
// Runs a program to completion with standard input from /dev/null and measures its wall time.

#include <string>
#include <vector>

namespace quillo::bench {

struct Command {
    std::string program;
    std::vector<std::string> args;
};

struct RunResult {
    bool ok = false;       // started and exited with status 0
    double seconds = 0;    // wall time from start to exit
    std::string output;    // standard output
    std::string problem;   // why it failed: exit status, signal, or start failure
};

RunResult runOnce(const Command& command);

// True when `program` names an executable, directly or through PATH; `found` gets its path.
bool findProgram(const std::string& program, std::string& found);

} // namespace quillo::bench
