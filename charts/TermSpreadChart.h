// The chart of a ranking list's spread over the terms, as the chart window
// shows it and tenvoll-batch draws it: one function sets the graph up, one
// puts the points in, so the window and the picture file look the same.
#pragma once

#include "charts/TermSpread.h"
#include "charts/XYSeries.h"

#include <QSize>

namespace tenvoll::charts {

class TXYGraph;

// The chart's size when it is first shown, and the size of the batch picture.
inline constexpr QSize kTermSpreadChartSize(640, 440);

struct TermSpreadSeries {
    TXYLineSeries* Series1 = nullptr;   // the counts per term (red line)
    TXYMarkerSeries* Series2 = nullptr; // green markers, left without points
};

// Titles, fonts, axes, grid and the two series of the chart.
TermSpreadSeries setUpTermSpreadGraph(TXYGraph& graph);
// Replaces the line's points with the spread's.
void showTermSpread(TXYLineSeries& line, const TermSpread& spread);

} // namespace tenvoll::charts
