// What a roster pane shows, computed without any window: the four roster grids
// (first-team batters and pitchers, farm batters and pitchers) of a team file
// at its latest term, each cell with its text and mark, the league statistics
// marks, the team summary and the comparison of a team file with its
// next-season copy. The row values and the mark rules come from
// league/PlayerRow.h, shared with the player history.
#pragma once

#include "league/GridCells.h"
#include "league/IniStore.h"
#include "league/StatsMarksFile.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

enum class GridKind { Batters, Pitchers, FarmBatters, FarmPitchers };
inline constexpr std::array<GridKind, 4> kGridKinds = {
    GridKind::Batters, GridKind::Pitchers, GridKind::FarmBatters, GridKind::FarmPitchers};
inline constexpr int kRosterColumns = 37;

// Named columns of the roster grids; "Batter"/"Pitcher" where the two kinds differ.
namespace roster_column {
inline constexpr int kPosition = 0;
inline constexpr int kName = 1;
inline constexpr int kLastLeftAligned = 3; // 席 (投) and タ
inline constexpr int kFirstCompared = 4;   // abilities marked against the term before: 4-19
inline constexpr int kLastCompared = 19;
inline constexpr int kAge = 20;
inline constexpr int kFirstStatistic = 21;
inline constexpr int kBatterAtBats = 23;
inline constexpr int kBatterRunsBattedIn = 28;
inline constexpr int kBatterStrikeouts = 31;
inline constexpr int kBatterErrors = 33;
inline constexpr int kBatterLastStatistic = 35;
inline constexpr int kPitcherEra = 21;
inline constexpr int kPitcherLosses = 25;
inline constexpr int kPitcherInnings = 28;
inline constexpr int kPitcherOuts = 29; // "ア": never marked
inline constexpr int kPitcherEarnedRuns = 34;
} // namespace roster_column

struct ColumnSpec {
    std::string_view header;
    int width; // pixels at 96 dpi
};

bool isPitcherGrid(GridKind kind);
// Tab caption of a grid: "打者", "投手", "2軍打者", "2軍投手".
std::string_view gridCaption(GridKind kind);
int gridRowCount(GridKind kind);  // 16 or 12
int gridFirstSlot(GridKind kind); // 0, 16, 28, 44
const std::array<ColumnSpec, kRosterColumns>& rosterColumns(GridKind kind);
// Alignment of a data cell (the header row is always centred).
CellAlign rosterCellAlign(int column);

using RosterRow = std::array<Cell, kRosterColumns>;

struct RosterGrid {
    GridKind kind = GridKind::Batters;
    std::vector<RosterRow> rows; // data rows only (the header is rosterColumns())
};

struct PaneContent {
    std::array<RosterGrid, 4> grids;
    RosterGrid& grid(GridKind kind) { return grids[static_cast<std::size_t>(kind)]; }
    const RosterGrid& grid(GridKind kind) const { return grids[static_cast<std::size_t>(kind)]; }
};

// Four grids of empty cells.
PaneContent emptyPane();

// Fills the grids from the team's 56 slots: abilities and age of the latest
// term, statistics of the term before, ability marks against the term before.
PaneContent fillPane(const IniStore& team);

// Marks league-leading and trailing statistics against the section of the
// highest term of "seiseki.ini".
void markStatistics(PaneContent& pane, const StatsMarksFile& marks);

// The six rows of the team summary: caption, average age, runs batted in, earned runs.
struct SummaryRow {
    std::string caption;
    std::string averageAge;
    std::string runsBattedIn;
    std::string earnedRuns;
};
std::array<SummaryRow, 6> teamSummary(const PaneContent& pane);

// A team file and its next-season copy shown together: true when both paths
// are set, differ, name the same file apart from the extension.
bool isSameTeamPair(std::string_view topPath, std::string_view bottomPath);
// Marks the name cells of the players of `pane` that `other` does not hold:
// Up when this pane shows the next-season copy (".tvl"), otherwise Down.
void markPlayersMissingFrom(PaneContent& pane, std::string_view panePath, const IniStore& other);

} // namespace tenvoll
