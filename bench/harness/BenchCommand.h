#pragma once
// quillo-bench [--runs N] [--runner PATH] [--filter TEXT] [BENCH_DIR]: times every benchmark
// through quillo-run and the JavaScript peers found on PATH (duk, node) and prints the table.

#include <iosfwd>
#include <string>
#include <vector>

namespace quillo::bench {

int runBenchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quillo::bench
