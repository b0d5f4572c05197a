// Setting up the term spread chart.
#include "charts/TermSpreadChart.h"

#include "charts/XYGraph.h"

namespace tenvoll::charts {

namespace {

constexpr TColor kLightGray = 0xE4E4E4;
// Wide enough to follow the line across the grid.
constexpr int kLineWidth = 2;

TFont arial16() {
    TFont font;
    font.name = "Arial";
    font.pixelSize = 16;
    font.color = clBlack;
    return font;
}

// Axis title, 0 decimals, Arial 16 px labels not repeated at the crossing.
void setUpAxis(TGraphAxis& axis, const std::string& title) {
    axis.setTitle(title);
    axis.setLabelDecimal(0);
    axis.setLabelFont(arial16());
    axis.setTitleFont(arial16());
    axis.setLabelsOnAxis(false);
}

// The limits are only starting values: the axes scale to the data again.
void scaleToData(TGraphAxis& axis) {
    axis.setAutoMin(true);
    axis.setAutoMax(true);
    axis.setAutoStep(true);
    axis.setAutoOrigin(true);
}

} // namespace

TermSpreadSeries setUpTermSpreadGraph(TXYGraph& graph) {
    TXYGraphCore& core = graph.graph();
    core.setTitle({"期別の選手数"});
    core.setTitleFont(arial16());
    core.setTitleAlignment(TTitleAlignment::taRightJustify);
    core.setBackColor(clWhite);
    core.setGridStyle(TGraphGridStyle::gsBoth);
    core.setGridPen({clGray, 1, TPenStyle::psDot});
    core.setSubGrid(true);
    // A light sub-grid, so the dotted grid of the labelled values stands out.
    core.setSubGridPen({kLightGray, 1, TPenStyle::psSolid});
    core.setAllowZoom(false);
    core.setPiSymbol("Pi");

    TGraphAxis& x = graph.XAxis();
    setUpAxis(x, "期別");
    x.setMax(8.4);
    x.setTickStep(2);
    scaleToData(x);

    TGraphAxis& y = graph.YAxis();
    setUpAxis(y, "人数");
    y.setMin(4.5);
    y.setMax(6.8);
    y.setOrigin(4.5);
    y.setTickStep(0.5);
    scaleToData(y);
    // Counts are read from zero: a term with few entries must not look like none.
    y.setMin(0);

    TermSpreadSeries series;
    series.Series1 = graph.addSeries<TXYLineSeries>("Series1");
    series.Series1->setSeriesColor(clRed);
    series.Series1->setLinePen({clRed, kLineWidth, TPenStyle::psSolid});
    series.Series1->setDisContinue(false);

    series.Series2 = graph.addSeries<TXYMarkerSeries>("Series2");
    series.Series2->setSeriesColor(clGreen);
    TGraphMarker marker = series.Series2->Marker();
    marker.Pen = {clGreen, 1, TPenStyle::psSolid};
    marker.Brush = {clGreen, TBrushStyle::bsSolid};
    series.Series2->setMarker(marker);
    series.Series2->setLinePen({clGreen, 1, TPenStyle::psSolid});
    series.Series2->setJoined(false);
    return series;
}

void showTermSpread(TXYLineSeries& line, const TermSpread& spread) {
    line.clear();
    for (const TermPoint& p : spread.points)
        line.addPoint(p.x, p.y);
}

} // namespace tenvoll::charts
