#include "bench/harness/ResultTable.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace quillo::bench {

namespace {

std::string cellText(const Cell& cell)
{
    std::string text = cell.seconds ? formatSeconds(*cell.seconds) : std::string("-");
    if (!cell.note.empty())
        text += " (" + cell.note + ")";
    return text;
}

} // namespace

std::string formatSeconds(double seconds)
{
    char buffer[32];
    if (seconds < 1)
        std::snprintf(buffer, sizeof buffer, "%.1f ms", seconds * 1000);
    else
        std::snprintf(buffer, sizeof buffer, "%.3f s", seconds);
    return buffer;
}

std::string formatRatio(const Cell& peer, const Cell& ours)
{
    if (!peer.seconds || !ours.seconds || *ours.seconds <= 0)
        return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2fx", *peer.seconds / *ours.seconds);
    return buffer;
}

void printTable(std::ostream& out, const std::vector<std::string>& peerNames, const std::vector<Row>& rows)
{
    const bool twins = std::any_of(rows.begin(), rows.end(), [](const Row& row) { return row.twin.has_value(); });
    std::vector<std::string> header{"benchmark", "quillo-run"};
    if (twins) {
        header.push_back("js twin");
        header.push_back("vbs/js");
    }
    for (const std::string& peer : peerNames) {
        header.push_back(peer);
        header.push_back(peer + "/ours");
    }
    std::vector<std::vector<std::string>> lines{header};
    for (const Row& row : rows) {
        std::vector<std::string> line{row.name, cellText(row.ours)};
        if (twins) {
            line.push_back(row.twin ? cellText(*row.twin) : "-");
            line.push_back(row.twin ? formatRatio(row.ours, *row.twin) : "-");
        }
        for (size_t i = 0; i < peerNames.size(); ++i) {
            const Cell peer = i < row.peers.size() ? row.peers[i] : Cell{};
            line.push_back(cellText(peer));
            line.push_back(formatRatio(peer, row.ours));
        }
        lines.push_back(std::move(line));
    }
    std::vector<size_t> widths(header.size(), 0);
    for (const auto& line : lines) {
        for (size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].size());
    }
    for (size_t l = 0; l < lines.size(); ++l) {
        std::string text;
        for (size_t c = 0; c < lines[l].size(); ++c) {
            const std::string& cell = lines[l][c];
            const std::string pad(widths[c] - cell.size(), ' ');
            text += c == 0 ? cell + pad : "  " + pad + cell; // names left, numbers right
        }
        out << text << '\n';
        if (l == 0) {
            size_t total = 0;
            for (size_t w : widths)
                total += w + 2;
            out << std::string(total - 2, '-') << '\n';
        }
    }
}

} // namespace quillo::bench
