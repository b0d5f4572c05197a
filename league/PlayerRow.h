// One player's row of one term as both the roster grids (mainwindow/RosterRows)
// and the player history (player/PlayerHistory) build it, and the marks both
// apply: a rise or fall against the term before, and the tenth-value rule of
// the league's statistics marks ("seiseki.ini"). Which columns show which
// values, and which rule a statistic follows, stays with each grid.
#pragma once

#include "league/GameRules.h"
#include "league/GridCells.h"
#include "league/StatsMarksFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tenvoll {

// Where the values of a row stand. The ability part is kept at 20 values and
// the age at one, so that a term with an empty ability or aptitude line cannot
// shift the statistics.
namespace row_field {
inline constexpr std::size_t kAbilityValues = 20;  // 0-19: the ability line (pitchers: + fillers)
inline constexpr std::size_t kAge = 20;            // field 0 of the aptitude line
inline constexpr std::size_t kFirstStatistic = 23; // after the two identification fields
} // namespace row_field

// Fields of the statistics part of a row (a pitcher's line, a batter's and one
// "*"); so many "*" stand for a missing line.
inline constexpr std::size_t kStatisticsFields = kPitcherStatisticsFields;

struct PlayerRowLines {
    std::string ability;
    std::string aptitude;
    std::string statistics; // empty: no statistics for the term
    std::string affiliation;
};

// The values of a row: the ability line (a pitcher's followed by seven "*"),
// padded to 20; the age; the statistics line (a batter's followed by one "*")
// or `fillersWithoutStatistics` "*" when it is empty; the affiliation.
std::vector<std::string> playerRowFields(bool pitcher, const PlayerRowLines& lines,
                                         std::size_t fillersWithoutStatistics);
// The first part of those values alone: the ability line (a pitcher's followed
// by seven "*"), padded to 20.
std::vector<std::string> abilityRowFields(bool pitcher, std::string_view ability);

// Up when `now` is greater than `before`, Down when smaller, None when equal.
Mark compareMark(long long now, long long before);

enum class StatisticRule {
    HighIsGood,
    LowIsGood, // strikeouts, errors, earned-run average, losses, ...
    Qualifying // at-bats and innings: at or below the qualifying line falls
};

// The tenth-value rule: a value of 0 is never marked; at or above the
// tenth-highest value is Up (Down for LowIsGood); otherwise at or below the
// tenth-lowest value (the qualifying line for Qualifying) is Down (Up for LowIsGood).
Mark statisticMark(StatisticRule rule, long long value, long long tenthHighest,
                   long long tenthLowest, long long qualifyingLine);

// A marks record marks only when it is marked at all and has its tenth values.
bool hasTenthValues(const MarkRecord& record);

} // namespace tenvoll
