// Player history rows, marks, summary, clipboard texts and CSV lines, on the
// shared player row (league/PlayerRow.h).
#include "player/PlayerHistory.h"

#include "league/GameRules.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <span>

namespace tenvoll {

namespace {

constexpr std::array<HistoryColumn, kHistoryColumns> kBatterColumns = {{
    {"守", 15},   {"捕", 13},   {"一", 13},   {"二", 13}, {"三", 13},   {"遊", 13}, {"外", 13},
    {"肩", 15},   {"足", 15},   {"眼", 15},   {"実", 15}, {"ス", 15},   {"巧", 15}, {"長", 15},
    {"指数", 25}, {"齢", 25},   {"打率", 25}, {"試", 29}, {"打", 34},   {"安", 29}, {"２", 25},
    {"３", 15},   {"本", 25},   {"点", 25},   {"犠", 20}, {"四", 25},   {"振", 29}, {"盗", 20},
    {"失", 20},   {"長打", 25}, {"出塁", 25}, {"", 1},    {"所属", 80}, {"期", 15},
}};

constexpr std::array<HistoryColumn, kHistoryColumns> kPitcherColumns = {{
    {"守", 15}, {"球速", 26}, {"切", 15},   {"制", 15},   {"安", 15},   {"球", 15}, {"技", 15},
    {"ス", 15}, {"回", 15},   {"指数", 26}, {"", 1},      {"", 1},      {"", 1},    {"", 1},
    {"", 1},    {"齢", 20},   {"防率", 26}, {"試", 25},   {"完", 25},   {"勝", 25}, {"負", 25},
    {"Ｓ", 25}, {"Ｐ", 25},   {"回", 29},   {"ア", 25},   {"被安", 29}, {"本", 25}, {"四", 29},
    {"振", 29}, {"点", 29},   {"勝率", 26}, {"三振", 26}, {"所属", 80}, {"期", 15},
}};

namespace col = history_column;

// Values left out of a row: name, the two short values, 信頼 and 対左 (shown in
// the labels instead) and the two identification fields of the statistics.
constexpr std::array<std::size_t, 7> kDroppedValues = {
    1, 2, 3, 17, 18, row_field::kFirstStatistic - 2, row_field::kFirstStatistic - 1};

// Shown or compared only: clamped, so that the summary's arithmetic cannot overflow.
long long wholeNumber(std::string_view text) {
    return clampedNumber(parseInteger(text).value_or(0));
}

std::string valueAt(const std::vector<std::string>& v, std::size_t i) {
    return i < v.size() ? v[i] : std::string();
}

HistoryRow buildRow(const PlayerRecord& p, long long term, const std::string& statistics) {
    const std::vector<std::string> values =
        playerRowFields(p.isPitcher(),
                        {p.termValue(term, kAbility), p.termValue(term, kAptitude), statistics,
                         p.termValue(term, kAffiliation)},
                        kStatisticsFields);

    HistoryRow row;
    std::size_t column = 0;
    for (std::size_t i = 0; i < values.size() && column < col::kTerm; ++i) {
        if (std::find(kDroppedValues.begin(), kDroppedValues.end(), i) != kDroppedValues.end())
            continue;
        row[column++].text = values[i];
    }
    row[col::kTerm].text = std::to_string(term);
    return row;
}

// Ability columns compared with the term before, and how.
struct AbilityComparison {
    int first, last;
    bool byGrade;
};

void markAbilities(std::vector<HistoryRow>& rows, bool pitcher) {
    static constexpr AbilityComparison batter[] = {
        {col::kBatterFirstGraded, col::kBatterLastGraded, true},
        {col::kBatterIndex, col::kBatterIndex, false}};
    static constexpr AbilityComparison pitcherColumns[] = {
        {col::kPitcherFirstGraded, col::kPitcherLastGraded, true},
        {col::kPitcherSpeed, col::kPitcherSpeed, false},
        {col::kPitcherRecovery, col::kPitcherRecovery, false}};
    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        for (const auto& cmp : pitcher ? std::span<const AbilityComparison>(pitcherColumns)
                                       : std::span<const AbilityComparison>(batter)) {
            for (int c = cmp.first; c <= cmp.last; ++c) {
                const std::string& now = rows[r][static_cast<std::size_t>(c)].text;
                const std::string& before = rows[r + 1][static_cast<std::size_t>(c)].text;
                long long a = cmp.byGrade ? gradeRank(now) : wholeNumber(now);
                long long b = cmp.byGrade ? gradeRank(before) : wholeNumber(before);
                rows[r][static_cast<std::size_t>(c)].mark = compareMark(a, b);
            }
        }
    }
}

struct StatisticColumn {
    int key; // position in a "seiseki.ini" section
    int column;
    StatisticRule rule;
};

// Batters take the key positions 15-29, pitchers 0-14 (their "ア" is skipped).
std::vector<StatisticColumn> statisticColumns(bool pitcher) {
    constexpr int kFirstBatterKey = 15;
    constexpr int kStatisticKeys = 15;
    std::vector<StatisticColumn> columns;
    for (int i = 0; i < kStatisticKeys; ++i) {
        int column = col::kFirstStatistic + i;
        if (pitcher && column >= col::kPitcherOuts)
            ++column;
        StatisticRule rule = StatisticRule::HighIsGood;
        if (pitcher) {
            if (column == col::kFirstStatistic || column == col::kPitcherLosses ||
                column == col::kPitcherHits || column == col::kPitcherHomeRuns ||
                column == col::kPitcherWalks || column == col::kPitcherEarnedRuns)
                rule = StatisticRule::LowIsGood;
            else if (column == col::kPitcherInnings)
                rule = StatisticRule::Qualifying;
        } else {
            if (column == col::kBatterStrikeouts || column == col::kBatterErrors)
                rule = StatisticRule::LowIsGood;
            else if (column == col::kBatterAtBats)
                rule = StatisticRule::Qualifying;
        }
        columns.push_back({pitcher ? i : kFirstBatterKey + i, column, rule});
    }
    return columns;
}

void markStatistics(std::vector<HistoryRow>& rows, bool pitcher, const StatsMarksFile& marks) {
    const std::vector<StatisticColumn> columns = statisticColumns(pitcher);
    for (HistoryRow& row : rows) {
        const IniSection* section = marks.sectionForTerm(row[col::kTerm].text);
        if (!section || section->keys().empty() || row[col::kFirstStatistic].text == "*")
            continue;
        const long long games = StatsMarksFile::games(*section, 0);
        const long long qualifyingLine = pitcher ? games : qualifyingAtBats(games);
        for (const StatisticColumn& r : columns) {
            MarkRecord v = StatsMarksFile::recordAt(*section, static_cast<std::size_t>(r.key));
            if (!hasTenthValues(v))
                continue;
            HistoryCell& cell = row[static_cast<std::size_t>(r.column)];
            long long x = parseWithoutPoints(cell.text).value_or(0);
            cell.mark = statisticMark(r.rule, x, v.number(3), v.number(4), qualifyingLine);
        }
    }
}

std::string rightAligned(std::string_view text, std::size_t width) {
    return padToWidth(text, width, false);
}

} // namespace

const std::array<HistoryColumn, kHistoryColumns>& historyColumns(bool pitcher) {
    return pitcher ? kPitcherColumns : kBatterColumns;
}

CellAlign historyCellAlign(int column) {
    if (column <= col::kAge)
        return CellAlign::Center;
    if (column == col::kAffiliation)
        return CellAlign::Left;
    return CellAlign::Right;
}

PlayerHistory buildPlayerHistory(const IniSection& section, std::string_view shownName,
                                 const StatsMarksFile* marks) {
    PlayerRecord p(section);
    PlayerHistory h;
    h.pitcher = p.isPitcher();
    const long long last = p.lastTerm();
    const std::vector<std::string> a = splitFields(p.termValue(last, kAbility));

    if (parseToolVariant(section.value(kToolKey)) == ToolVariant::Mirel) {
        std::vector<std::string> apt = splitFields(p.termValue(last, kAptitude));
        h.aptitudeHeader = "【Sp】【Pw】【Se】【Ph】【Me】";
        h.aptitudeValues = " " + valueAt(apt, 1);
        for (std::size_t i = 2; i <= 5; ++i)
            h.aptitudeValues += "     " + valueAt(apt, i);
    } else {
        h.aptitudeHeader = " ";
        h.aptitudeValues = " ";
    }
    if (!h.pitcher)
        h.abilityLabel = "信頼 対左  " + valueAt(a, 17) + " " + valueAt(a, 18);
    h.title = std::string(shownName) + " " + valueAt(a, 2) + " " + valueAt(a, 3);

    const long long first = std::max(p.firstTerm(), last - kMaxTermSpan);
    for (long long t = last; t >= first; --t) {
        // The latest row shows the career totals and, without an affiliation, says so.
        const bool careerRow = t == last;
        HistoryRow row =
            buildRow(p, t, careerRow ? section.value(kCareer) : p.termValue(t, kStats));
        if (careerRow && row[col::kAffiliation].text.empty())
            row[col::kAffiliation].text = "通算成績";
        h.rows.push_back(std::move(row));
    }

    markAbilities(h.rows, h.pitcher);
    if (marks)
        markStatistics(h.rows, h.pitcher, *marks);
    // A batter's term without statistics keeps its age and statistics plain.
    for (HistoryRow& row : h.rows)
        if (!h.pitcher && row[col::kFirstStatistic].text == "*")
            for (int c = col::kAge; c <= col::kBatterSlugging; ++c)
                row[static_cast<std::size_t>(c)].mark = Mark::None;
    if (!h.rows.empty())
        for (int c = col::kFirstStatistic; c <= col::kAffiliation; ++c)
            h.rows[0][static_cast<std::size_t>(c)].mark = Mark::Career;
    h.summary = careerSummary(h.rows);
    return h;
}

std::string careerSummary(const std::vector<HistoryRow>& rows) {
    if (rows.empty())
        return {};
    const HistoryRow& career = rows[0];
    auto cell = [&](int c) -> const std::string& {
        return career[static_cast<std::size_t>(c)].text;
    };
    const long long n = static_cast<long long>(rows.size());
    long long m = -1;
    for (const HistoryRow& r : rows)
        if (r[col::kFirstStatistic].text != "*")
            ++m;
    std::string out = "プロ通算：" + rightAligned(std::to_string(n), 3) + "年目, " + "一軍在籍：" +
                      rightAligned(std::to_string(m), 3) + "年, " + "通算：" +
                      rightAligned(cell(col::kGames), 5) + "試合出場\r\n";
    if (!isPitcherCode(cell(col::kPosition))) {
        out += rightAligned(cell(col::kBatterAtBats), 5) + "打数," +
               rightAligned(cell(col::kBatterHits), 5) + "安打," +
               rightAligned(cell(col::kBatterHomeRuns), 4) + "本," +
               rightAligned(cell(col::kBatterRunsBattedIn), 5) + "打点," +
               rightAligned(cell(col::kBatterStrikeouts), 5) + "三振," +
               rightAligned(cell(col::kBatterSteals), 5) + "盗塁,\r\n";
        if (wholeNumber(cell(col::kBatterAtBats)) != 0)
            out += "通算打率　 " + cell(col::kFirstStatistic) + "\r\n";
    } else {
        const long long thirds =
            wholeNumber(cell(col::kPitcherInnings)) * 3 + wholeNumber(cell(col::kPitcherOuts));
        const long long innings = thirds >= 0 ? (thirds + 1) / 3 : -((-thirds + 1) / 3);
        out += rightAligned(std::to_string(innings), 5) + "イニング," +
               rightAligned(cell(col::kPitcherWins), 4) + "勝," +
               rightAligned(cell(col::kPitcherLosses), 4) + "敗," +
               rightAligned(cell(col::kPitcherSavePoints), 4) + "SP," +
               rightAligned(cell(col::kPitcherWalks), 4) + "与四球," +
               rightAligned(cell(col::kPitcherStrikeouts), 4) + "奪三振,\r\n";
        if (thirds != 0)
            out += "通算防御率 " + cell(col::kFirstStatistic) + "\r\n";
    }
    return out;
}

std::string copiedPlayerData(const IniSection* player, const std::string& termCell,
                             StoreSide side) {
    const bool top = side == StoreSide::Top;
    auto term = parseInteger(termCell);
    auto read = [&](std::string_view what, const char* missing) {
        const std::string_view* v = (player && term) ? player->find(termKey(*term, what)) : nullptr;
        return std::string(v ? *v : std::string_view(missing));
    };
    return read(kAbility, top ? "Error111" : "Error113") + " ; " +
           read(kAptitude, top ? "Error112" : "Error114");
}

std::string copiedStatistics(const IniSection* player, const std::string& termCell, bool firstRow,
                             StoreSide side) {
    const bool top = side == StoreSide::Top;
    if (firstRow) {
        const std::string_view* v = player ? player->find(kCareer) : nullptr;
        return std::string(v ? *v : std::string_view(top ? "Error117" : "Error118"));
    }
    auto term = parseInteger(termCell);
    const std::string_view* v = (player && term) ? player->find(termKey(*term, kStats)) : nullptr;
    return std::string(v ? *v : std::string_view(top ? "Error115" : "Error116"));
}

const IniSection* shownPlayerSection(std::string_view shown, std::string_view topSelection,
                                     const IniStore& topStore, std::string_view bottomSelection,
                                     const IniStore& bottomStore, StoreSide& side) {
    if (shown == topSelection) {
        side = StoreSide::Top;
        return topStore.section(shown);
    }
    if (shown == bottomSelection) {
        side = StoreSide::Bottom;
        return bottomStore.section(shown);
    }
    return nullptr;
}

std::optional<StatsMarksFile> historyMarks(const std::string& leagueFolder, bool statisticsCheck) {
    if (!statisticsCheck)
        return std::nullopt;
    try {
        return StatsMarksFile::loadFromFolder(leagueFolder);
    } catch (const LeagueError&) {
        return std::nullopt;
    }
}

std::optional<std::size_t> historyRowOfTerm(const std::vector<HistoryRow>& rows,
                                            std::string_view term) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r][history_column::kTerm].text == term)
            return r;
    return std::nullopt;
}

std::string copiedRowPlayerData(const PlayerHistory& history, std::size_t row,
                                const IniSection* player, StoreSide side) {
    return copiedPlayerData(player, history.rows.at(row)[history_column::kTerm].text, side);
}

std::string copiedRowStatistics(const PlayerHistory& history, std::size_t row,
                                const IniSection* player, StoreSide side) {
    return copiedStatistics(player, history.rows.at(row)[history_column::kTerm].text, row == 0,
                            side);
}

std::vector<std::string> playerHistoryCsv(const PlayerHistory& h, std::string_view shownName) {
    std::vector<std::string> lines;
    lines.push_back(std::string(shownName) + ",," + removeAllIgnoreCase(h.title, shownName));
    lines.push_back("信頼　対左,," + h.abilityLabel);
    lines.push_back(h.aptitudeValues);
    std::size_t start = 0;
    while (start < h.summary.size()) {
        std::size_t end = h.summary.find("\r\n", start);
        if (end == std::string::npos)
            end = h.summary.size();
        lines.push_back(replaceAll(h.summary.substr(start, end - start), ",", ""));
        start = end + 2;
    }
    auto rowLine = [](auto cellText, auto cellMark) {
        std::string line = cellText(0);
        for (int c = 1; c < kHistoryColumns; ++c)
            line += markedCsvField(cellMark(c), cellText(c));
        return line;
    };
    const auto& columns = historyColumns(h.pitcher);
    lines.push_back(
        rowLine([&](int c) { return std::string(columns[static_cast<std::size_t>(c)].header); },
                [](int) { return Mark::None; }));
    for (const HistoryRow& row : h.rows)
        lines.push_back(rowLine([&](int c) { return row[static_cast<std::size_t>(c)].text; },
                                [&](int c) { return row[static_cast<std::size_t>(c)].mark; }));
    return lines;
}

} // namespace tenvoll
