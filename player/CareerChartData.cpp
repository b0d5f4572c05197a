// Career chart values from a player section.
#include "player/CareerChartData.h"

#include "league/Kyoutuu.h"
#include "league/PlayerRow.h"
#include "league/TeamFile.h"
#include "player/PlayerHistory.h"

#include <charconv>

namespace tenvoll {

namespace {

std::vector<CareerItem> buildItems(bool pitcher) {
    const auto& columns = historyColumns(pitcher);
    auto header = [&](int column) {
        return std::string(columns[static_cast<std::size_t>(column)].header);
    };
    std::vector<CareerItem> items;
    if (pitcher) {
        // Row fields 4-12: 球速, 切 .. ス (grades), 回 (recovery), 指数; history columns 1-9.
        for (int f = 4; f <= 12; ++f)
            items.push_back({"能力:" + header(f - 3), CareerItem::Source::Row,
                             static_cast<std::size_t>(f), f >= 5 && f <= 10});
    } else {
        // Row fields 4-16: 捕 .. 長 (grades), 19: 指数; history columns 1-14.
        for (int f = 4; f <= 16; ++f)
            items.push_back({"能力:" + header(f - 3), CareerItem::Source::Row,
                             static_cast<std::size_t>(f), true});
        items.push_back(
            {"能力:" + header(history_column::kBatterIndex), CareerItem::Source::Row, 19, false});
    }
    items.push_back({"能力:齢", CareerItem::Source::Row, row_field::kAge, false});
    static constexpr std::string_view aptitudes[] = {"Sp", "Pw", "Se", "Ph", "Me"};
    for (std::size_t i = 0; i < 5; ++i)
        items.push_back(
            {"資質:" + std::string(aptitudes[i]), CareerItem::Source::Aptitude, i + 1, true});
    const int last = pitcher ? history_column::kLastStatistic : history_column::kBatterSlugging + 1;
    for (int c = history_column::kFirstStatistic; c <= last; ++c) {
        if (pitcher && c == history_column::kPitcherOuts)
            continue; // counted into the innings
        const std::size_t field = row_field::kFirstStatistic +
                                  static_cast<std::size_t>(c - history_column::kFirstStatistic);
        const bool innings = pitcher && c == history_column::kPitcherInnings;
        items.push_back({"成績:" + header(c),
                         innings ? CareerItem::Source::Innings : CareerItem::Source::Row, field,
                         false});
    }
    return items;
}

std::optional<double> numberOf(std::string_view text) {
    if (text.empty() || text == "*")
        return std::nullopt;
    double v = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || p != end)
        return std::nullopt;
    return v;
}

std::optional<double> gradeOf(std::string_view text) {
    if (text.empty() || text == "*")
        return std::nullopt;
    return static_cast<double>(gradeRank(text));
}

std::string fieldOf(const std::vector<std::string>& f, std::size_t i) {
    return i < f.size() ? f[i] : std::string();
}

} // namespace

const std::vector<CareerItem>& careerItems(bool pitcher) {
    static const std::vector<CareerItem> batter = buildItems(false);
    static const std::vector<CareerItem> pitcherItems = buildItems(true);
    return pitcher ? pitcherItems : batter;
}

std::optional<std::size_t> careerItemIndex(bool pitcher, std::string_view text) {
    const auto& items = careerItems(pitcher);
    std::optional<std::size_t> byShortName;
    int shortMatches = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].label == text)
            return i;
        if (std::string_view(items[i].label).substr(items[i].label.find(':') + 1) == text) {
            byShortName = i;
            ++shortMatches;
        }
    }
    return shortMatches == 1 ? byShortName : std::nullopt;
}

std::size_t defaultCareerItem(bool pitcher) {
    return *careerItemIndex(pitcher, "能力:指数");
}

charts::CareerChartData careerChartData(const IniSection& section, std::string_view shownName,
                                        const std::vector<std::size_t>& itemIndexes) {
    const PlayerRecord player(section);
    const bool pitcher = player.isPitcher();
    const auto& items = careerItems(pitcher);
    charts::CareerChartData data;
    data.player = std::string(shownName);
    for (std::size_t index : itemIndexes)
        if (index < items.size() && data.series.size() < 2)
            data.series.push_back({items[index].label, {}});

    const long long first = player.firstTerm();
    const long long last = std::min(player.lastTerm(), first + kMaxTermSpan - 1);
    for (long long term = first; term <= last; ++term) {
        const PlayerRowLines lines{
            player.termValue(term, kAbility), player.termValue(term, kAptitude),
            player.termValue(term, kStats), player.termValue(term, kAffiliation)};
        if (lines.ability.empty() && lines.aptitude.empty() && lines.statistics.empty())
            continue; // no data kept for the term
        const std::vector<std::string> row = playerRowFields(pitcher, lines, kStatisticsFields);
        std::vector<std::string> aptitude;
        std::size_t s = 0;
        for (std::size_t index : itemIndexes) {
            if (index >= items.size() || s >= data.series.size())
                continue;
            const CareerItem& item = items[index];
            std::optional<double> value;
            switch (item.source) {
            case CareerItem::Source::Row:
                value = item.graded ? gradeOf(fieldOf(row, item.field))
                                    : numberOf(fieldOf(row, item.field));
                break;
            case CareerItem::Source::Aptitude:
                if (aptitude.empty())
                    aptitude = splitFields(lines.aptitude);
                value = gradeOf(fieldOf(aptitude, item.field));
                break;
            case CareerItem::Source::Innings:
                if (auto whole = numberOf(fieldOf(row, item.field)))
                    value = *whole + numberOf(fieldOf(row, item.field + 1)).value_or(0) / 3.0;
                break;
            }
            if (value)
                data.series[s].points.emplace_back(term, *value);
            ++s;
        }
        if (!lines.affiliation.empty()) {
            if (data.teams.empty() || data.teams.back().team != lines.affiliation)
                data.teams.push_back({term, term, lines.affiliation});
            else
                data.teams.back().lastTerm = term;
        }
    }
    return data;
}

} // namespace tenvoll
