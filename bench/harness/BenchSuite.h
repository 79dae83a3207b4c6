#pragma once
// The benchmarks under bench/: bench/vbscript/NAME.vbs (with an optional JavaScript twin
// NAME.js beside it, the same algorithm for the JavaScript peers and for our own JScript
// engine) and bench/jscript/NAME.js (run as is by quillo-run and by the peers).

#include "bench/harness/ProcessTimer.h"

#include <optional>
#include <string>
#include <vector>

namespace quillo::bench {

struct Benchmark {
    std::string name;          // "vbscript/loop-sum"
    std::string script;        // what quillo-run runs
    std::string peerScript;    // what the peers run; empty when there is none
    std::string twinScript;    // a VBScript benchmark's JavaScript twin, for quillo-run too
};

std::vector<Benchmark> findBenchmarks(const std::string& benchDir);

struct Timing {
    bool ok = false;
    double median = 0;      // seconds
    std::string output;     // of the first run
    std::string problem;
};

// Runs `command` `runs` times; the median of the wall times. Stops at the first failure.
Timing measure(const Command& command, int runs);

double median(std::vector<double> values);

} // namespace quillo::bench
