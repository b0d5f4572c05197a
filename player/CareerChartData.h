// The chartable items of a player's history (abilities, aptitude grades,
// statistics) and their values term by term, read from the player section
// with the same row helper the history grid and the roster panes use.
#pragma once

#include "charts/CareerChart.h"
#include "league/IniStore.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct CareerItem {
    std::string label; // "能力:指数", "資質:Sp", "成績:打率"
    enum class Source { Row, Aptitude, Innings } source = Source::Row;
    std::size_t field = 0; // in the row fields, or in the aptitude line
    bool graded = false;   // "S".."E" read as 6..1
};

// The items of a batter or a pitcher, abilities first, then aptitudes, then statistics.
const std::vector<CareerItem>& careerItems(bool pitcher);
// The index of an item by its label, or by the part after ":" when only one
// item has it; none otherwise.
std::optional<std::size_t> careerItemIndex(bool pitcher, std::string_view text);
// The item the chart shows first: the ability index.
std::size_t defaultCareerItem(bool pitcher);

// The chart of `items` (indexes into careerItems, one or two) for a player section.
charts::CareerChartData careerChartData(const IniSection& player, std::string_view shownName,
                                        const std::vector<std::size_t>& items);

} // namespace tenvoll
