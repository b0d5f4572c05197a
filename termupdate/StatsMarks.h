// Statistics marks of one term: from a first-team statistics file, for each of
// the 30 keys of seiseki.ini, the best value, mean, population variance,
// tenth-highest and tenth-lowest values and the number of qualifying players.
// The section goes to "\temp\Top10.txt" and, when the league has one, in front
// of the old content of seiseki.ini (whose bytes stay exactly as they were).
// The at-bats qualification rule is qualifyingAtBats (league/StatsMarksFile.h).
#pragma once

#include "league/GameRules.h"
#include "termupdate/Reporter.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

class FileTransaction;

inline constexpr std::string_view kTop10Path = "\\temp\\Top10.txt";
inline constexpr std::string_view kStatsFileMarker = "期一軍成績.txt";

// "[" + term + "]" and the 30 key lines. `lines` are the file's lines; lines of
// 18 fields are pitching lines, of 17 batting lines, others are ignored.
// Throws LeagueError naming `fileForMessages` and the line when a line's
// qualification field (innings or at-bats) is not a whole number.
std::vector<std::string> statsMarksSection(const std::vector<std::string>& lines,
                                           long long playedTerm, long long games,
                                           const std::string& fileForMessages);

// The files one computation writes.
struct StatsMarksFiles {
    std::string top10Path;
    std::string top10Text; // UTF-8 with CR LF, written as cp932
    std::string seisekiPath;
    bool seisekiExists = false;
    std::string seisekiBytes; // the new bytes: the section, then the old bytes unchanged
};
// Reads the league's seiseki.ini (when it exists) and prepares both files.
StatsMarksFiles statsMarksFiles(const std::vector<std::string>& section,
                                const std::string& programFolder, const std::string& leagueFolder);
// The bytes of a file whose old content `oldBytes` gets the section in front,
// encoded like the old content (cp932 unless the file is UTF-8).
std::string prependSection(std::string_view oldBytes, const std::vector<std::string>& section,
                           const std::string& pathForMessages);
void stageStatsMarks(FileTransaction& transaction, const StatsMarksFiles& files);

struct StatsMarksInput {
    std::string programFolder;
    std::string leagueFolder;        // where seiseki.ini lives; empty for none
    std::string file;                // the statistics file, full path
    long long newTerm = 0;           // S: the section is named by S − 1
    long long games = kDefaultGames; // G
};

// Computes the marks of one file and writes both files together. Returns the
// section. Throws LeagueError; nothing is written then.
std::vector<std::string> runStatsMarks(const StatsMarksInput& input, TermUpdateReporter& reporter);

// Status texts.
inline constexpr std::string_view kWrongFileKind = "ファイル形式が異なります！";
inline constexpr std::string_view kMarksDone = "処理が終了しました。";
// The status while computing: the file's path when it is named like a
// first-team statistics file, otherwise the warning above.
std::string statsMarksStatus(const std::string& file);

} // namespace tenvoll
