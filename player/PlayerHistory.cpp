// Player history rows, marks, summary, clipboard texts and CSV lines.
#include "player/PlayerHistory.h"

#include "league/Kyoutuu.h"
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

constexpr std::string_view kPitcherFillers = " * * * * * * *";
constexpr std::string_view kNoStatistics = " * * * * * * * * * * * * * * * * * *";
constexpr std::size_t kAbilityValues = 20;
// Values left out of a row: name, the two short values, 信頼 and 対左 (shown in
// the labels instead) and the two identification fields of the statistics.
constexpr std::array<std::size_t, 7> kDroppedValues = {1, 2, 3, 17, 18, 21, 22};

long long wholeNumber(std::string_view text) {
    return parseInteger(text).value_or(0);
}

std::string valueAt(const std::vector<std::string>& v, std::size_t i) {
    return i < v.size() ? v[i] : std::string();
}

HistoryRow buildRow(const PlayerRecord& p, long long term, const std::string& statistics) {
    const bool pitcher = p.isPitcher();
    // The ability part is kept at 20 values and the age at one, so that a term
    // with an empty ability or aptitude line cannot shift the later columns.
    std::vector<std::string> values =
        splitFields(p.termValue(term, kAbility) + (pitcher ? std::string(kPitcherFillers) : ""));
    if (values.size() < kAbilityValues)
        values.resize(kAbilityValues);
    values.push_back(valueAt(splitFields(p.termValue(term, kAptitude)), 0));
    std::string tail =
        statistics.empty() ? std::string(kNoStatistics) : " " + statistics + (pitcher ? "" : " *");
    tail += " " + p.termValue(term, kAffiliation);
    for (auto& v : splitFields(tail))
        values.push_back(std::move(v));

    HistoryRow row;
    std::size_t column = 0;
    for (std::size_t i = 0; i < values.size() && column < 33; ++i) {
        if (std::find(kDroppedValues.begin(), kDroppedValues.end(), i) != kDroppedValues.end())
            continue;
        row[column++].text = values[i];
    }
    row[33].text = std::to_string(term);
    return row;
}

// Ability columns compared with the term before, and how.
struct AbilityComparison {
    int first, last;
    bool byGrade;
};

void markAbilities(std::vector<HistoryRow>& rows, bool pitcher) {
    static constexpr AbilityComparison batter[] = {{1, 13, true}, {14, 14, false}};
    static constexpr AbilityComparison pitcherColumns[] = {
        {2, 7, true}, {1, 1, false}, {8, 8, false}};
    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        for (const auto& cmp : pitcher ? std::span<const AbilityComparison>(pitcherColumns)
                                       : std::span<const AbilityComparison>(batter)) {
            for (int c = cmp.first; c <= cmp.last; ++c) {
                const std::string& now = rows[r][static_cast<std::size_t>(c)].text;
                const std::string& before = rows[r + 1][static_cast<std::size_t>(c)].text;
                long long a = cmp.byGrade ? gradeRank(now) : wholeNumber(now);
                long long b = cmp.byGrade ? gradeRank(before) : wholeNumber(before);
                rows[r][static_cast<std::size_t>(c)].mark = a > b ? 1 : (a < b ? -1 : 0);
            }
        }
    }
}

enum class Rule { HighIsGood, LowIsGood, Qualifying };

struct StatisticRule {
    int key;
    int column;
    Rule rule;
};

std::vector<StatisticRule> statisticRules(bool pitcher) {
    std::vector<StatisticRule> rules;
    if (pitcher) {
        for (int i = 0; i <= 14; ++i) {
            int column = i <= 7 ? i + 16 : i + 17;
            Rule rule = Rule::HighIsGood;
            if (i == 0 || i == 4 || i == 8 || i == 9 || i == 10 || i == 12)
                rule = Rule::LowIsGood;
            else if (i == 7)
                rule = Rule::Qualifying;
            rules.push_back({i, column, rule});
        }
    } else {
        for (int i = 15; i <= 29; ++i) {
            Rule rule = Rule::HighIsGood;
            if (i == 25 || i == 27)
                rule = Rule::LowIsGood;
            else if (i == 17)
                rule = Rule::Qualifying;
            rules.push_back({i, i + 1, rule});
        }
    }
    return rules;
}

int statisticMark(Rule rule, long long x, long long high, long long low, long long threshold) {
    if (x == 0)
        return 0;
    switch (rule) {
    case Rule::HighIsGood:
        return x >= high ? 1 : (x <= low ? -1 : 0);
    case Rule::LowIsGood:
        return x >= high ? -1 : (x <= low ? 1 : 0);
    case Rule::Qualifying:
        return x >= high ? 1 : (x <= threshold ? -1 : 0);
    }
    return 0;
}

void markStatistics(std::vector<HistoryRow>& rows, bool pitcher, const StatsMarksFile& marks) {
    const std::vector<StatisticRule> rules = statisticRules(pitcher);
    for (HistoryRow& row : rows) {
        const IniSection* section = marks.sectionForTerm(row[33].text);
        if (!section || section->keys().empty() || row[16].text == "*")
            continue;
        const long long games = StatsMarksFile::games(*section, 0);
        const long long threshold = pitcher ? games : games * 31 / 10;
        for (const StatisticRule& r : rules) {
            MarkRecord v = StatsMarksFile::recordAt(*section, static_cast<std::size_t>(r.key));
            // A record without its tenth values marks nothing.
            if (!v.marks() || v.fields.size() < 5)
                continue;
            HistoryCell& cell = row[static_cast<std::size_t>(r.column)];
            long long x = parseWithoutPoints(cell.text).value_or(0);
            cell.mark = statisticMark(r.rule, x, v.number(3), v.number(4), threshold);
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
    if (column <= 15)
        return CellAlign::Center;
    if (column == 32)
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

    if (equalsIgnoreCase(section.value(kTool), "Mirel")) {
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
        if (careerRow && row[32].text.empty())
            row[32].text = "通算成績";
        h.rows.push_back(std::move(row));
    }

    markAbilities(h.rows, h.pitcher);
    if (marks)
        markStatistics(h.rows, h.pitcher, *marks);
    for (HistoryRow& row : h.rows)
        if (!h.pitcher && row[16].text == "*")
            for (int c = 15; c <= 29; ++c)
                row[static_cast<std::size_t>(c)].mark = 0;
    if (!h.rows.empty())
        for (int c = 16; c <= 32; ++c)
            h.rows[0][static_cast<std::size_t>(c)].mark = kCareerMark;
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
        if (r[16].text != "*")
            ++m;
    std::string out = "プロ通算：" + rightAligned(std::to_string(n), 3) + "年目, " + "一軍在籍：" +
                      rightAligned(std::to_string(m), 3) + "年, " + "通算：" +
                      rightAligned(cell(17), 5) + "試合出場\r\n";
    if (cell(0) != "P") {
        out += rightAligned(cell(18), 5) + "打数," + rightAligned(cell(19), 5) + "安打," +
               rightAligned(cell(22), 4) + "本," + rightAligned(cell(23), 5) + "打点," +
               rightAligned(cell(26), 5) + "三振," + rightAligned(cell(27), 5) + "盗塁,\r\n";
        if (wholeNumber(cell(18)) != 0)
            out += "通算打率　 " + cell(16) + "\r\n";
    } else {
        const long long thirds = wholeNumber(cell(23)) * 3 + wholeNumber(cell(24));
        const long long innings = thirds >= 0 ? (thirds + 1) / 3 : -((-thirds + 1) / 3);
        out += rightAligned(std::to_string(innings), 5) + "イニング," + rightAligned(cell(19), 4) +
               "勝," + rightAligned(cell(20), 4) + "敗," + rightAligned(cell(22), 4) + "SP," +
               rightAligned(cell(27), 4) + "与四球," + rightAligned(cell(28), 4) + "奪三振,\r\n";
        if (thirds != 0)
            out += "通算防御率 " + cell(16) + "\r\n";
    }
    return out;
}

std::string copiedPlayerData(const IniSection* player, const std::string& termCell,
                             StoreSide side) {
    const bool top = side == StoreSide::Top;
    auto term = parseInteger(termCell);
    auto read = [&](std::string_view what, const char* missing) {
        const std::string* v = (player && term) ? player->find(termKey(*term, what)) : nullptr;
        return v ? *v : std::string(missing);
    };
    return read(kAbility, top ? "Error111" : "Error113") + " ; " +
           read(kAptitude, top ? "Error112" : "Error114");
}

std::string copiedStatistics(const IniSection* player, const std::string& termCell, bool firstRow,
                             StoreSide side) {
    const bool top = side == StoreSide::Top;
    if (firstRow) {
        const std::string* v = player ? player->find(kCareer) : nullptr;
        return v ? *v : std::string(top ? "Error117" : "Error118");
    }
    auto term = parseInteger(termCell);
    const std::string* v = (player && term) ? player->find(termKey(*term, kStats)) : nullptr;
    return v ? *v : std::string(top ? "Error115" : "Error116");
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
        for (int c = 1; c < kHistoryColumns; ++c) {
            int mark = cellMark(c);
            line += mark == -1 ? ",▼," : (mark == 1 ? ",△," : ",,");
            line += cellText(c);
        }
        return line;
    };
    const auto& columns = historyColumns(h.pitcher);
    lines.push_back(
        rowLine([&](int c) { return std::string(columns[static_cast<std::size_t>(c)].header); },
                [](int) { return 0; }));
    for (const HistoryRow& row : h.rows)
        lines.push_back(rowLine([&](int c) { return row[static_cast<std::size_t>(c)].text; },
                                [&](int c) { return row[static_cast<std::size_t>(c)].mark; }));
    return lines;
}

} // namespace tenvoll
