// CSV of the ranking list: the three search choices, the 18 column captions,
// then one line per row as the list shows it. Fields are joined by "," without
// quoting (no cell the list shows holds a comma); Shift-JIS, CR LF.
#pragma once

#include "mainwindow/Ranking.h"

#include <string>
#include <vector>

namespace tenvoll {

// The selected texts of "対象成績", "規定数での制限" and "並べ替え".
struct RankingCsvHeading {
    std::string item;
    std::string restriction;
    std::string order;
};

RankingCsvHeading rankingCsvHeading(const RankingOptions& options);

// The lines of the file; a list without rows still has its two heading lines.
std::vector<std::string> rankingCsvLines(const RankingCsvHeading& heading,
                                         const RankingRow& captions,
                                         const std::vector<RankingRow>& rows);

// The file name the save dialog proposes, e.g. "野手_打率を制限なしで昇順".
std::string rankingCsvFileName(const RankingCsvHeading& heading);

// Writes the lines (cp932, CR LF after every line) atomically, replacing an
// existing file. Throws LeagueError and leaves the old file as it was.
// A path naming a league file is refused (checkOutputTarget).
void writeRankingCsv(const std::string& programFolder, const std::string& path,
                     const std::vector<std::string>& lines);

} // namespace tenvoll
