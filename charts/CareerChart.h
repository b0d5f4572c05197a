// A player's career as a chart: one or two series of values over the terms and
// the terms in which the player changed teams, set up on the graph core so the
// detail window, the web pages and the picture files draw the same chart.
#pragma once

#include "charts/XYGraphCore.h"

#include <string>
#include <vector>

namespace tenvoll::charts {

struct CareerChartSeries {
    std::string label;                                // "打率", "ミート", ...
    std::vector<std::pair<long long, double>> points; // (term, value), term order
};

// A run of terms spent with one team.
struct TeamSpell {
    long long firstTerm = 0;
    long long lastTerm = 0;
    std::string team;
};

struct CareerChartData {
    std::string player;
    std::vector<CareerChartSeries> series; // one or two
    std::vector<TeamSpell> teams;          // in term order
};

// The size of the chart in the web pages and the batch picture.
inline constexpr int kCareerChartWidth = 640;
inline constexpr int kCareerChartHeight = 360;

// Titles, axes, grid and series of the chart; the series are linked to
// `graph`, which owns them. Clears any series the graph held.
void setUpCareerGraph(TXYGraphCore& graph, const CareerChartData& data);

// The title's lines: the player and the items, then the teams with their terms.
std::vector<std::string> careerChartTitle(const CareerChartData& data);

} // namespace tenvoll::charts
