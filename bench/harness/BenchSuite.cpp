#include "bench/harness/BenchSuite.h"

#include <algorithm>
#include <filesystem>

namespace quillo::bench {

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> filesWithExtension(const fs::path& dir, const std::string& extension)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<Benchmark> findBenchmarks(const std::string& benchDir)
{
    std::vector<Benchmark> benchmarks;
    const fs::path root(benchDir);
    for (const fs::path& script : filesWithExtension(root / "vbscript", ".vbs")) {
        fs::path twin = script;
        twin.replace_extension(".js");
        const std::string twinScript = fs::exists(twin) ? twin.string() : std::string();
        benchmarks.push_back({"vbscript/" + script.stem().string(), script.string(), twinScript, twinScript});
    }
    for (const fs::path& script : filesWithExtension(root / "jscript", ".js"))
        benchmarks.push_back({"jscript/" + script.stem().string(), script.string(), script.string(), {}});
    return benchmarks;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

Timing measure(const Command& command, int runs)
{
    Timing timing;
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        RunResult run = runOnce(command);
        if (!run.ok) {
            timing.problem = run.problem;
            return timing;
        }
        if (i == 0)
            timing.output = std::move(run.output);
        seconds.push_back(run.seconds);
    }
    timing.ok = true;
    timing.median = median(seconds);
    return timing;
}

} // namespace quillo::bench
