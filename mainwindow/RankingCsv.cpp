// Ranking CSV lines, proposed file name and the atomic write.
#include "mainwindow/RankingCsv.h"

#include "mainwindow/PaneCsv.h"

#include "league/FileAccess.h"
#include "league/TextCodec.h"

namespace tenvoll {

namespace {

std::string joinComma(const RankingRow& cells) {
    std::string line = cells[0];
    for (std::size_t i = 1; i < cells.size(); ++i) {
        line += ',';
        line += cells[i];
    }
    return line;
}

} // namespace

RankingCsvHeading rankingCsvHeading(const RankingOptions& options) {
    return {std::string(rankingItems().at(static_cast<std::size_t>(options.item))),
            std::string(restrictionText(options.restricted)),
            std::string(orderText(options.order))};
}

std::vector<std::string> rankingCsvLines(const RankingCsvHeading& heading,
                                         const RankingRow& captions,
                                         const std::vector<RankingRow>& rows) {
    std::vector<std::string> lines;
    lines.reserve(rows.size() + 2);
    lines.push_back(heading.item + "," + heading.restriction + "," + heading.order);
    lines.push_back(joinComma(captions));
    for (const RankingRow& row : rows)
        lines.push_back(joinComma(row));
    return lines;
}

std::string rankingCsvFileName(const RankingCsvHeading& heading) {
    return heading.item + "を" + heading.restriction + "で" + heading.order;
}

void writeRankingCsv(const std::string& programFolder, const std::string& path,
                     const std::vector<std::string>& lines) {
    writeCsvLines(programFolder, path, lines);
}

} // namespace tenvoll
