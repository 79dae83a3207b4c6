#pragma once
// The benchmark table: one row per benchmark, our median, then each peer's median and the
// ratio peer/ours (above 1 means we are faster). When some row has a JavaScript twin run
// by quillo-run, two columns follow ours: the twin's median and ours/twin ("vbs/js").

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quillo::bench {

struct Cell {
    std::optional<double> seconds; // empty when the run failed or did not happen
    std::string note;              // "failed", "no script", "output differs"
};

struct Row {
    std::string name;
    Cell ours;
    std::optional<Cell> twin; // quillo-run on the benchmark's JavaScript twin
    std::vector<Cell> peers; // in the order of the table's peer names
};

void printTable(std::ostream& out, const std::vector<std::string>& peerNames, const std::vector<Row>& rows);

// "12.3 ms", "1.234 s".
std::string formatSeconds(double seconds);
// peer / ours as "2.50x"; "-" when either is missing or ours is zero.
std::string formatRatio(const Cell& peer, const Cell& ours);

} // namespace quillo::bench
