// Filling and marking the roster grids of a pane, on the shared player row
// (league/PlayerRow.h).
#include "mainwindow/RosterRows.h"

#include "league/PlayerRow.h"

#include "league/GameRules.h"
#include "league/Kyoutuu.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"

namespace tenvoll {

namespace {

constexpr std::array<ColumnSpec, kRosterColumns> kBatterColumns = {{
    {"守", 15},   {"  名   前", 70}, {"席", 20}, {"タ", 20}, {"捕", 15}, {"一", 15},   {"二", 15},
    {"三", 15},   {"遊", 15},        {"外", 15}, {"肩", 20}, {"足", 20}, {"眼", 20},   {"実", 20},
    {"ス", 20},   {"巧", 20},        {"長", 20}, {"信", 15}, {"対", 15}, {"指数", 25}, {"齢", 20},
    {"打率", 25}, {"試", 20},        {"打", 20}, {"安", 20}, {"２", 15}, {"３", 15},   {"本", 15},
    {"点", 20},   {"犠", 15},        {"四", 15}, {"振", 20}, {"盗", 15}, {"失", 15},   {"長打", 25},
    {"出塁", 25}, {"", 2},
}};

constexpr std::array<ColumnSpec, kRosterColumns> kPitcherColumns = {{
    {"守", 15},   {"  名   前", 70}, {"投", 20}, {"タ", 20},   {"球速", 29}, {"切", 15},
    {"制", 15},   {"安", 15},        {"球", 15}, {"技", 15},   {"ス", 15},   {"回復", 27},
    {"指数", 26}, {"", 10},          {"", 10},   {"", 10},     {"", 10},     {"", 10},
    {"", 10},     {"", 10},          {"齢", 20}, {"防率", 25}, {"試", 15},   {"完", 15},
    {"勝", 15},   {"負", 15},        {"Ｓ", 15}, {"Ｐ", 15},   {"回", 20},   {"ア", 20},
    {"被安", 25}, {"本", 20},        {"四", 25}, {"振", 25},   {"点", 25},   {"勝率", 25},
    {"三振", 25},
}};

// Fillers for an empty statistics line: the batters' grid has one fewer, so
// that the affiliation of a batter without statistics lands in the last column.
constexpr std::size_t kBatterFillersWithoutStatistics = kBatterStatisticsFields;

namespace col = roster_column;

// The row value shown in a column: up to the age the columns follow the
// values; after it they skip the two identification fields of the statistics.
std::size_t fieldIndex(int column) {
    return column <= col::kAge ? static_cast<std::size_t>(column)
                               : row_field::kFirstStatistic +
                                     static_cast<std::size_t>(column - col::kFirstStatistic);
}

// The values of the latest term's row: abilities and age of the latest
// term's lines, statistics and affiliation of the term before it.
std::vector<std::string> rowFields(const PlayerRecord& p, bool pitcher,
                                   const std::string& abilityLine, long long term) {
    return playerRowFields(pitcher,
                           {abilityLine, p.termValue(term, kAptitude),
                            p.termValue(term - 1, kStats), p.termValue(term - 1, kAffiliation)},
                           pitcher ? kStatisticsFields : kBatterFillersWithoutStatistics);
}

RosterRow buildRow(const RosterSlot& slot, const IniSection* section) {
    RosterRow row;
    IniSection empty(slot.name);
    PlayerRecord player(section ? *section : empty);
    const long long last = player.lastTerm();
    const bool pitcher = player.isPitcher();
    const std::string latestAbility = player.termValue(last, kAbility);
    const std::string previousAbility = player.termValue(last - 1, kAbility);
    std::vector<std::string> current = rowFields(player, pitcher, latestAbility, last);

    // The abilities are marked against the term before's ability line; without
    // one, or with the same line, every mark stays None.
    if (!previousAbility.empty() && previousAbility != latestAbility) {
        const std::vector<std::string> before = abilityRowFields(pitcher, previousAbility);
        auto rank = [](const std::vector<std::string>& f, std::size_t index) {
            return gradeRank(index < f.size() ? std::string_view(f[index]) : std::string_view());
        };
        for (int c = col::kFirstCompared; c <= col::kLastCompared; ++c) {
            const std::size_t index = fieldIndex(c);
            row[static_cast<std::size_t>(c)].mark =
                compareMark(rank(current, index), rank(before, index));
        }
    }
    row[col::kPosition].text = slot.position;
    row[col::kName].text = slot.name;
    for (int c = col::kName + 1; c < kRosterColumns; ++c)
        if (const std::size_t index = fieldIndex(c); index < current.size())
            row[static_cast<std::size_t>(c)].text = std::move(current[index]);
    return row;
}

StatisticRule ruleFor(bool pitcherGrid, int column) {
    if (pitcherGrid) {
        if (column == col::kPitcherInnings)
            return StatisticRule::Qualifying;
        if (column == col::kPitcherEra || column == col::kPitcherLosses)
            return StatisticRule::LowIsGood;
        return StatisticRule::HighIsGood;
    }
    if (column == col::kBatterAtBats)
        return StatisticRule::Qualifying;
    if (column == col::kBatterStrikeouts || column == col::kBatterErrors)
        return StatisticRule::LowIsGood;
    return StatisticRule::HighIsGood;
}

// Key position in "seiseki.ini" of a statistics column, or -1 for a column
// never marked: batters take positions 15-29, pitchers 0-14 ("ア" skipped).
int keyPosition(bool pitcherGrid, int column) {
    constexpr int kFirstBatterKey = 15;
    if (column < col::kFirstStatistic)
        return -1;
    const int statistic = column - col::kFirstStatistic;
    if (!pitcherGrid)
        return column <= col::kBatterLastStatistic ? kFirstBatterKey + statistic : -1;
    if (column < col::kPitcherOuts)
        return statistic;
    if (column > col::kPitcherOuts)
        return statistic - 1;
    return -1;
}

// Average over a fixed number of rows, two decimals rounded half up, no trailing zeros.
std::string averageText(long long sum, long long rows) {
    long long hundredths =
        sum >= 0 ? (sum * 200 + rows) / (2 * rows) : -((-sum * 200 + rows) / (2 * rows));
    std::string text = ratioTwoDecimals(hundredths, 100);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// Summed for the summary rows only: clamped, so that no sum can overflow.
long long cellNumber(const Cell& c) {
    return clampedNumber(parseInteger(c.text).value_or(0));
}

} // namespace

bool isPitcherGrid(GridKind kind) {
    return kind == GridKind::Pitchers || kind == GridKind::FarmPitchers;
}

std::string_view gridCaption(GridKind kind) {
    switch (kind) {
    case GridKind::Batters:
        return "打者";
    case GridKind::Pitchers:
        return "投手";
    case GridKind::FarmBatters:
        return "2軍打者";
    case GridKind::FarmPitchers:
        return "2軍投手";
    }
    return {};
}

int gridRowCount(GridKind kind) {
    return isPitcherGrid(kind) ? kPitcherSlotsPerTeam : kBatterSlotsPerTeam;
}

int gridFirstSlot(GridKind kind) {
    switch (kind) {
    case GridKind::Batters:
        return 0;
    case GridKind::Pitchers:
        return kBatterSlotsPerTeam;
    case GridKind::FarmBatters:
        return kFarmFirstSlot;
    case GridKind::FarmPitchers:
        return kFarmFirstSlot + kBatterSlotsPerTeam;
    }
    return 0;
}

const std::array<ColumnSpec, kRosterColumns>& rosterColumns(GridKind kind) {
    return isPitcherGrid(kind) ? kPitcherColumns : kBatterColumns;
}

CellAlign rosterCellAlign(int column) {
    if (column == col::kPosition)
        return CellAlign::Center;
    if (column <= col::kLastLeftAligned)
        return CellAlign::Left;
    if (column <= col::kAge)
        return CellAlign::Center;
    return CellAlign::Right;
}

PaneContent emptyPane() {
    PaneContent pane;
    for (GridKind kind : kGridKinds) {
        RosterGrid& g = pane.grid(kind);
        g.kind = kind;
        g.rows.assign(static_cast<std::size_t>(gridRowCount(kind)), RosterRow{});
    }
    return pane;
}

PaneContent fillPane(const IniStore& team) {
    PaneContent pane = emptyPane();
    for (GridKind kind : kGridKinds) {
        RosterGrid& g = pane.grid(kind);
        for (int r = 0; r < gridRowCount(kind); ++r) {
            auto slot = rosterSlot(team, gridFirstSlot(kind) + r);
            if (slot)
                g.rows[static_cast<std::size_t>(r)] = buildRow(*slot, team.section(slot->name));
        }
    }
    return pane;
}

void markStatistics(PaneContent& pane, const StatsMarksFile& marks) {
    const IniSection* section = marks.highestTermSection();
    if (!section)
        return;
    const long long games = StatsMarksFile::games(*section, 0);
    std::array<MarkRecord, 30> records;
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = StatsMarksFile::recordAt(*section, i);

    for (RosterGrid& g : pane.grids) {
        const bool pitcherGrid = isPitcherGrid(g.kind);
        for (RosterRow& row : g.rows) {
            for (int c = col::kFirstStatistic; c < kRosterColumns; ++c) {
                int position = keyPosition(pitcherGrid, c);
                Cell& cell = row[static_cast<std::size_t>(c)];
                if (position < 0 || cell.text == "0" || cell.text == "*")
                    continue;
                const MarkRecord& t = records[static_cast<std::size_t>(position)];
                // A record without its tenth values marks nothing.
                if (!hasTenthValues(t))
                    continue;
                auto v = parseWithoutPoints(cell.text);
                if (!v)
                    continue;
                // The qualifying line of both grids is the number of games.
                cell.mark =
                    statisticMark(ruleFor(pitcherGrid, c), *v, t.number(3), t.number(4), games);
            }
        }
    }
}

std::array<SummaryRow, 6> teamSummary(const PaneContent& pane) {
    auto sumColumn = [&](GridKind kind, int column) {
        long long sum = 0;
        for (const RosterRow& row : pane.grid(kind).rows)
            sum += cellNumber(row[static_cast<std::size_t>(column)]);
        return sum;
    };
    const long long ages[4] = {
        sumColumn(GridKind::Batters, col::kAge), sumColumn(GridKind::Pitchers, col::kAge),
        sumColumn(GridKind::FarmBatters, col::kAge), sumColumn(GridKind::FarmPitchers, col::kAge)};
    const long long rbi = sumColumn(GridKind::Batters, col::kBatterRunsBattedIn);
    const long long farmRbi = sumColumn(GridKind::FarmBatters, col::kBatterRunsBattedIn);
    const long long er = sumColumn(GridKind::Pitchers, col::kPitcherEarnedRuns);
    const long long farmEr = sumColumn(GridKind::FarmPitchers, col::kPitcherEarnedRuns);
    return {{
        {"チーム全体", averageText(ages[0] + ages[1] + ages[2] + ages[3], kSlotCount),
         std::to_string(rbi + farmRbi), std::to_string(er + farmEr)},
        {"", "", "", ""},
        {"一軍打者", averageText(ages[0], kBatterSlotsPerTeam), std::to_string(rbi), ""},
        {"一軍投手", averageText(ages[1], kPitcherSlotsPerTeam), "", std::to_string(er)},
        {"二軍打者", averageText(ages[2], kBatterSlotsPerTeam), std::to_string(farmRbi), ""},
        {"二軍投手", averageText(ages[3], kPitcherSlotsPerTeam), "", std::to_string(farmEr)},
    }};
}

bool isSameTeamPair(std::string_view topPath, std::string_view bottomPath) {
    if (topPath.empty() || bottomPath.empty() || equalsIgnoreCase(topPath, bottomPath))
        return false;
    return equalsIgnoreCase(withoutExtension(topPath), withoutExtension(bottomPath)) &&
           !equalsIgnoreCase(fileNameOf(topPath), fileNameOf(bottomPath));
}

void markPlayersMissingFrom(PaneContent& pane, std::string_view panePath, const IniStore& other) {
    const Mark mark = equalsIgnoreCase(extensionOf(panePath), ".tvl") ? Mark::Up : Mark::Down;
    for (RosterGrid& g : pane.grids)
        for (RosterRow& row : g.rows) {
            Cell& name = row[col::kName];
            if (!name.text.empty() && !other.hasSection(name.text))
                name.mark = mark;
        }
}

} // namespace tenvoll
