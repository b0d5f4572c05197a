// The shared player row and the rise/fall and tenth-value mark rules.
#include "league/PlayerRow.h"

#include "league/Kyoutuu.h"

#include <iterator>

namespace tenvoll {

namespace {

constexpr std::string_view kPitcherFillers = " * * * * * * *"; // ability columns 13-19

std::string fillers(std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += " *";
    return out;
}

} // namespace

std::vector<std::string> abilityRowFields(bool pitcher, std::string_view ability) {
    std::vector<std::string> fields = splitFields(
        std::string(ability) + (pitcher ? std::string(kPitcherFillers) : std::string()));
    if (fields.size() < row_field::kAbilityValues)
        fields.resize(row_field::kAbilityValues);
    return fields;
}

std::vector<std::string> playerRowFields(bool pitcher, const PlayerRowLines& lines,
                                         std::size_t fillersWithoutStatistics) {
    std::vector<std::string> fields = abilityRowFields(pitcher, lines.ability);
    fields.reserve(row_field::kFirstStatistic + kStatisticsFields + 2);
    std::vector<std::string> aptitude = splitFields(lines.aptitude);
    fields.push_back(aptitude.empty() ? std::string() : aptitude[0]);
    std::string tail = lines.statistics.empty() ? fillers(fillersWithoutStatistics)
                                                : " " + lines.statistics + (pitcher ? "" : " *");
    tail += " " + lines.affiliation;
    std::vector<std::string> rest = splitFields(tail);
    fields.insert(fields.end(), std::make_move_iterator(rest.begin()),
                  std::make_move_iterator(rest.end()));
    return fields;
}

Mark compareMark(long long now, long long before) {
    return now > before ? Mark::Up : (now < before ? Mark::Down : Mark::None);
}

Mark statisticMark(StatisticRule rule, long long value, long long tenthHighest,
                   long long tenthLowest, long long qualifyingLine) {
    if (value == 0)
        return Mark::None;
    switch (rule) {
    case StatisticRule::HighIsGood:
        return value >= tenthHighest ? Mark::Up : (value <= tenthLowest ? Mark::Down : Mark::None);
    case StatisticRule::LowIsGood:
        return value >= tenthHighest ? Mark::Down : (value <= tenthLowest ? Mark::Up : Mark::None);
    case StatisticRule::Qualifying:
        return value >= tenthHighest ? Mark::Up
                                     : (value <= qualifyingLine ? Mark::Down : Mark::None);
    }
    return Mark::None;
}

bool hasTenthValues(const MarkRecord& record) {
    return record.marks() && record.fields.size() >= 5;
}

} // namespace tenvoll
