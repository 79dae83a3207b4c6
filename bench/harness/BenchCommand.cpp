#include "bench/harness/BenchCommand.h"

#include "bench/harness/BenchSuite.h"
#include "bench/harness/ResultTable.h"

#include <charconv>
#include <filesystem>
#include <ostream>

namespace quillo::bench {

namespace {

constexpr int kDefaultRuns = 5;

struct Peer {
    std::string name;
    std::string program;
};

// quillo-run beside this program.
std::string defaultRunner()
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("quillo-run") : (self.parent_path() / "quillo-run").string();
}

std::vector<Peer> findPeers()
{
    std::vector<Peer> peers;
    for (const char* name : {"duk", "node"}) {
        std::string path;
        if (findProgram(name, path))
            peers.push_back({name, path});
    }
    return peers;
}

Cell cellFor(const Timing& timing)
{
    Cell cell;
    if (timing.ok)
        cell.seconds = timing.median;
    else
        cell.note = "failed";
    return cell;
}

} // namespace

int runBenchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    int runs = kDefaultRuns;
    std::string runner = defaultRunner();
    std::string filter;
    std::string benchDir = QUILLO_BENCH_DIR;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--runs" && hasValue) {
            const std::string& value = args[++i];
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), runs);
            if (ec != std::errc() || end != value.data() + value.size() || runs < 1) {
                err << "quillo-bench: --runs needs a positive number\n";
                return 2;
            }
        } else if (arg == "--runner" && hasValue) {
            runner = args[++i];
        } else if (arg == "--filter" && hasValue) {
            filter = args[++i];
        } else if (arg == "--help") {
            out << "Usage: quillo-bench [--runs N] [--runner PATH] [--filter TEXT] [BENCH_DIR]\n"
                   "Times each benchmark N times (default 5) through quillo-run and the JavaScript\n"
                   "peers on PATH (duk, node) and prints the medians and the ratios peer/ours.\n"
                   "A VBScript benchmark's JavaScript twin also runs through quillo-run: the\n"
                   "columns js twin and vbs/js (VBScript time over JScript time).\n";
            return 0;
        } else if (!arg.empty() && arg[0] != '-') {
            benchDir = arg;
        } else {
            err << "quillo-bench: bad argument '" << arg << "' (try --help)\n";
            return 2;
        }
    }

    std::vector<Benchmark> benchmarks = findBenchmarks(benchDir);
    if (benchmarks.empty()) {
        err << "quillo-bench: no benchmarks in " << benchDir << '\n';
        return 2;
    }
    const std::vector<Peer> peers = findPeers();
    std::vector<std::string> peerNames;
    for (const Peer& peer : peers)
        peerNames.push_back(peer.name);

    out << "quillo-bench: median of " << runs << " runs; ratio above 1 means quillo-run is faster\n";
    std::vector<Row> rows;
    std::vector<std::string> problems;
    for (const Benchmark& benchmark : benchmarks) {
        if (!filter.empty() && benchmark.name.find(filter) == std::string::npos)
            continue;
        Row row;
        row.name = benchmark.name;
        const Timing ours = measure({runner, {benchmark.script}}, runs);
        row.ours = cellFor(ours);
        if (!ours.ok)
            problems.push_back(benchmark.name + " (quillo-run): " + ours.problem);
        if (!benchmark.twinScript.empty()) {
            const Timing twin = measure({runner, {benchmark.twinScript}}, runs);
            row.twin = cellFor(twin);
            if (!twin.ok)
                problems.push_back(benchmark.name + " (quillo-run, js twin): " + twin.problem);
            else if (ours.ok && twin.output != ours.output)
                row.twin->note = "output differs";
        }
        for (const Peer& peer : peers) {
            if (benchmark.peerScript.empty()) {
                row.peers.push_back({std::nullopt, "no script"});
                continue;
            }
            const Timing theirs = measure({peer.program, {benchmark.peerScript}}, runs);
            Cell cell = cellFor(theirs);
            if (!theirs.ok)
                problems.push_back(benchmark.name + " (" + peer.name + "): " + theirs.problem);
            else if (ours.ok && theirs.output != ours.output)
                cell.note = "output differs";
            row.peers.push_back(cell);
        }
        rows.push_back(std::move(row));
    }
    printTable(out, peerNames, rows);
    for (const std::string& problem : problems)
        out << "  " << problem << '\n';
    return 0;
}

} // namespace quillo::bench
