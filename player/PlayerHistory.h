// One player's whole history as the detail window shows it, computed without
// any window: title and labels, one grid row per term from the latest down
// (the latest row carrying the career totals), ability and statistics marks,
// the three-line career summary, the clipboard texts and the CSV lines. The
// row values and the mark rules come from league/PlayerRow.h, shared with
// the roster grids.
#pragma once

#include "league/GridCells.h"
#include "league/IniStore.h"
#include "league/PlayerRow.h"
#include "league/StatsMarksFile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr int kHistoryColumns = 34;

// Named columns of the history grid; "Batter"/"Pitcher" where the kinds differ.
namespace history_column {
inline constexpr int kPosition = 0;
inline constexpr int kBatterFirstGraded = 1; // 捕 .. 長: compared by grade
inline constexpr int kBatterLastGraded = 13;
inline constexpr int kBatterIndex = 14;
inline constexpr int kPitcherSpeed = 1;
inline constexpr int kPitcherFirstGraded = 2; // 切 .. ス: compared by grade
inline constexpr int kPitcherLastGraded = 7;
inline constexpr int kPitcherRecovery = 8;
inline constexpr int kAge = 15;            // the last centred column
inline constexpr int kFirstStatistic = 16; // 打率 / 防率
inline constexpr int kGames = 17;
inline constexpr int kBatterAtBats = 18;
inline constexpr int kBatterHits = 19;
inline constexpr int kBatterHomeRuns = 22;
inline constexpr int kBatterRunsBattedIn = 23;
inline constexpr int kBatterStrikeouts = 26;
inline constexpr int kBatterSteals = 27;
inline constexpr int kBatterErrors = 28;
inline constexpr int kBatterSlugging = 29;
inline constexpr int kPitcherWins = 19;
inline constexpr int kPitcherLosses = 20;
inline constexpr int kPitcherSavePoints = 22;
inline constexpr int kPitcherInnings = 23;
inline constexpr int kPitcherOuts = 24; // thirds of an inning beyond the innings; never marked
inline constexpr int kPitcherHits = 25;
inline constexpr int kPitcherHomeRuns = 26;
inline constexpr int kPitcherWalks = 27;
inline constexpr int kPitcherStrikeouts = 28;
inline constexpr int kPitcherEarnedRuns = 29;
inline constexpr int kLastStatistic = 31;
inline constexpr int kAffiliation = 32;
inline constexpr int kTerm = 33;
} // namespace history_column

struct HistoryColumn {
    std::string_view header;
    int width; // pixels at 96 dpi
};
const std::array<HistoryColumn, kHistoryColumns>& historyColumns(bool pitcher);

CellAlign historyCellAlign(int column);

using HistoryCell = Cell;
using HistoryRow = std::array<Cell, kHistoryColumns>;

struct PlayerHistory {
    bool pitcher = true;
    std::string title;          // shown player, the two short ability values
    std::string abilityLabel;   // "信頼 対左  " and two values (batters)
    std::string aptitudeHeader; // "【Sp】【Pw】【Se】【Ph】【Me】" or " "
    std::string aptitudeValues;
    std::vector<HistoryRow> rows; // data rows, latest term first
    std::string summary;          // career summary, lines ending in CR LF
};

// Builds the history of a player section. `marks` is the league's
// "seiseki.ini" when statistics are to be marked, otherwise null.
PlayerHistory buildPlayerHistory(const IniSection& player, std::string_view shownName,
                                 const StatsMarksFile* marks);

// The career summary of the grid rows (the first row carries the career totals).
std::string careerSummary(const std::vector<HistoryRow>& rows);

// Which team store the player was read from: it decides the error codes.
enum class StoreSide { Top, Bottom };

// The section of the shown player: looked up in the Top store when the shown
// player is the Top selection, else in the Bottom store when it is the Bottom
// selection; null when it matches neither (or has no section). `side` tells
// which store was used.
const IniSection* shownPlayerSection(std::string_view shown, std::string_view topSelection,
                                     const IniStore& topStore, std::string_view bottomSelection,
                                     const IniStore& bottomStore, StoreSide& side);

// The league's statistics marks for the history of a player chosen from a
// team file in `leagueFolder`; none when the check is off or the file is
// missing or unreadable (that only loses the colouring).
std::optional<StatsMarksFile> historyMarks(const std::string& leagueFolder, bool statisticsCheck);

// The index of the first row whose term cell is `term`; none when no row has it.
std::optional<std::size_t> historyRowOfTerm(const std::vector<HistoryRow>& rows,
                                            std::string_view term);

// What the two clipboard commands copy for row `row` of the history.
std::string copiedRowPlayerData(const PlayerHistory& history, std::size_t row,
                                const IniSection* player, StoreSide side);
std::string copiedRowStatistics(const PlayerHistory& history, std::size_t row,
                                const IniSection* player, StoreSide side);

// "能力 ; 資質" of the row's term, "Error111".."Error114" for a missing key.
std::string copiedPlayerData(const IniSection* player, const std::string& termCell, StoreSide side);
// The career totals for the first row, the term's statistics otherwise,
// "Error115".."Error118" for a missing key.
std::string copiedStatistics(const IniSection* player, const std::string& termCell, bool firstRow,
                             StoreSide side);

// The CSV file of the window: title, labels, summary and every grid row with marks.
std::vector<std::string> playerHistoryCsv(const PlayerHistory& history, std::string_view shownName);

} // namespace tenvoll
