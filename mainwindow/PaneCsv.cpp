// Roster CSV lines.
#include "mainwindow/PaneCsv.h"

namespace tenvoll {

std::vector<std::string> rosterCsvLines(std::string_view teamName, const PaneContent& pane) {
    std::vector<std::string> lines{std::string(teamName)};
    for (GridKind kind : kGridKinds) {
        const auto& columns = rosterColumns(kind);
        std::string header(columns[0].header);
        for (int c = 1; c < kRosterColumns; ++c)
            header += markedCsvField(Mark::None, columns[static_cast<std::size_t>(c)].header);
        lines.push_back(std::move(header));
        for (const RosterRow& row : pane.grid(kind).rows) {
            std::string line = row[0].text;
            for (int c = 1; c < kRosterColumns; ++c)
                line += markedCsvField(row[static_cast<std::size_t>(c)].mark,
                                       row[static_cast<std::size_t>(c)].text);
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace tenvoll
