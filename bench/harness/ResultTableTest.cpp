// The benchmark table's twin columns and how benchmarks find their JavaScript twins.
#include "bench/harness/BenchSuite.h"
#include "bench/harness/ResultTable.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillo::bench {
namespace {

namespace fs = std::filesystem;

// The table's cells, row by row (header first, the rule line skipped).
std::vector<std::vector<std::string>> cellsOf(const std::string& table)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find_first_not_of('-') == std::string::npos)
            continue;
        std::vector<std::string> cells;
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            if (word == "ms" || word == "s") // "12.0 ms" is one cell
                cells.back() += " " + word;
            else
                cells.push_back(word);
        }
        rows.push_back(cells);
    }
    return rows;
}

Row row(const std::string& name, double ours, std::optional<double> twin, std::vector<Cell> peers = {})
{
    Row r{name, Cell{ours, {}}, std::nullopt, std::move(peers)};
    if (twin)
        r.twin = Cell{*twin, {}};
    return r;
}

struct TwinCase {
    const char* name;
    std::vector<Row> rows;
    std::vector<std::vector<std::string>> expected;
};

class TwinColumns : public ::testing::TestWithParam<TwinCase> {};

TEST_P(TwinColumns, ShowTheTwinAndOursOverIt)
{
    std::ostringstream out;
    printTable(out, {"duk"}, GetParam().rows);
    EXPECT_EQ(cellsOf(out.str()), GetParam().expected) << GetParam().name << "\n" << out.str();
}

INSTANTIATE_TEST_SUITE_P(Table, TwinColumns, ::testing::Values(
    TwinCase{"twin rows and a row without one",
             {row("vbscript/fib", 0.030, 0.020, {Cell{0.060, {}}}), row("jscript/fib", 0.020, std::nullopt, {Cell{0.050, {}}})},
             {{"benchmark", "quillo-run", "js", "twin", "vbs/js", "duk", "duk/ours"},
              {"vbscript/fib", "30.0 ms", "20.0 ms", "1.50x", "60.0 ms", "2.00x"},
              {"jscript/fib", "20.0 ms", "-", "-", "50.0 ms", "2.50x"}}},
    TwinCase{"a failed twin has no ratio",
             {Row{"vbscript/a", Cell{0.010, {}}, Cell{std::nullopt, "failed"}, {Cell{}}}},
             {{"benchmark", "quillo-run", "js", "twin", "vbs/js", "duk", "duk/ours"},
              {"vbscript/a", "10.0 ms", "-", "(failed)", "-", "-", "-"}}},
    TwinCase{"no twins, no twin columns",
             {row("jscript/x", 2.0, std::nullopt, {Cell{1.0, {}}})},
             {{"benchmark", "quillo-run", "duk", "duk/ours"}, {"jscript/x", "2.000 s", "1.000 s", "0.50x"}}}));

TEST(FindBenchmarks, PairsEachVBScriptBenchmarkWithItsTwin)
{
    fs::path dir = fs::temp_directory_path() / ("quillo-bench-test-" + std::to_string(::getpid()));
    fs::create_directories(dir / "vbscript");
    fs::create_directories(dir / "jscript");
    for (const char* file : {"vbscript/a.vbs", "vbscript/a.js", "vbscript/b.vbs", "jscript/c.js"})
        std::ofstream(dir / file) << "x\n";
    std::vector<Benchmark> found = findBenchmarks(dir.string());
    fs::remove_all(dir);
    ASSERT_EQ(found.size(), 3u);
    struct Expect {
        const char* name;
        bool twin;
        bool peer;
    } expected[] = {{"vbscript/a", true, true}, {"vbscript/b", false, false}, {"jscript/c", false, true}};
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].name, expected[i].name);
        EXPECT_EQ(!found[i].twinScript.empty(), expected[i].twin) << found[i].name;
        EXPECT_EQ(!found[i].peerScript.empty(), expected[i].peer) << found[i].name;
    }
    EXPECT_EQ(fs::path(found[0].twinScript).filename(), "a.js");
}

} // namespace
} // namespace quillo::bench
