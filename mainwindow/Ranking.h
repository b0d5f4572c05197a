// League-wide ranking of single seasons (or careers) by one of 30 statistics:
// the best 100 entries, ties at the 100th place kept, read file by file from
// the unsigned-players files and the team files of the league. Qt-free; the
// main window shows the rows in its list "成績表示" and keeps the gathered
// player sections in its Top team store for the player detail window.
#pragma once

#include "league/IniStore.h"
#include "league/RankingItems.h"
#include "mainwindow/LeagueSearch.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::size_t kRankingLimit = 100;

enum class RankingOrder { Ascending, Descending };
enum class RankingPlayers { All, Active, Retired };

std::string_view restrictionText(bool restricted); // "制限なし" / "打席数、投球回数で制限"
std::string_view orderText(RankingOrder order);       // "昇順" / "降順"
std::string_view playersText(RankingPlayers players); // "全選手" / "現役選手" / "引退選手"

struct RankingOptions {
    int item = 0;
    bool restricted = true; // at least G innings, or ceil(G × 3.1) at-bats
    RankingOrder order = RankingOrder::Descending;
    RankingPlayers players = RankingPlayers::All;
    bool career = false; // "通算成績": one career line per player
    // Single terms of this term only (the web pages' leaders of a term).
    std::optional<long long> term;
    // Gather the listed players' sections into RankingResult::players (the
    // window's detail view reads them there); the web pages need only the rows.
    bool keepSections = true;
};

struct RankingResult {
    RankingRow captions;
    // At most 100 rows plus those tied with the 100th, best first.
    std::vector<RankingRow> rows;
    // The player sections of the listed entries (names with their term tag),
    // in file order: the window's Top team store after the search.
    IniStore players;
    int sortColumn = 2;
    // The restriction in force, e.g. "規定: 465打数以上 (150試合×3.1)"; empty
    // when the ranking is not restricted.
    std::string ruleNote;
    // No "seiseki.ini" (or no games in it), so the restriction used 150 games.
    bool defaultGames = false;
    // Files that could not be read; each was reported as a message.
    std::vector<std::string> unreadFiles;
};

// Runs the ranking. Throws LeagueError with kNoLeagueFolderMessage when the
// league has no folder, or when the restriction is on and an existing
// "seiseki.ini" cannot be read.
RankingResult runRanking(const SearchLeague& league, const RankingOptions& options,
                         SearchReporter& reporter);

// Several rankings of the same players in one pass over the league's files:
// each file is read and scanned once and its lines split once, and every
// ranking gets the rows runRanking would give it. Throws as runRanking.
// `readTexts` holds the decoded texts of files the caller has read already, by
// path; those files are not read again.
std::vector<RankingResult>
runRankings(const SearchLeague& league, const std::vector<RankingOptions>& options,
            SearchReporter& reporter,
            const std::map<std::string, std::string>* readTexts = nullptr);

// The window's column-click sort, with the ranking's own comparison: columns 0,
// 1 and 17 as text ignoring case (in Shift-JIS order), the others as whole
// numbers after every "." is removed (no number counts as 0). Stable.
void sortRankingRows(std::vector<RankingRow>& rows, int column, RankingOrder order);

// The value a cell is ranked by: ".312" 312, "3.45" 345, "101.3" 1013, "-" 0.
long long rankingValue(std::string_view cell);

} // namespace tenvoll
