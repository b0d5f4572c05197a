// Setting up the career chart.
#include "charts/CareerChart.h"

#include "charts/XYSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tenvoll::charts {

namespace {

constexpr TColor kFirstSeriesColour = 0xC00000;  // dark red
constexpr TColor kSecondSeriesColour = 0x0050C0; // blue
constexpr TColor kTeamChangeColour = 0x008000;   // green
constexpr TColor kLightGray = 0xE4E4E4;

TFont chartFont(int pixels) {
    TFont font;
    font.name = "Arial";
    font.pixelSize = pixels;
    font.color = clBlack;
    return font;
}

std::string termRange(const TeamSpell& spell) {
    if (spell.firstTerm == spell.lastTerm)
        return std::to_string(spell.firstTerm) + "期";
    return std::to_string(spell.firstTerm) + "–" + std::to_string(spell.lastTerm) + "期";
}

// The value of a series at a term, for placing a team-change marker on its line.
std::optional<double> valueAt(const CareerChartSeries& s, long long term) {
    for (const auto& [t, v] : s.points)
        if (t == term)
            return v;
    return std::nullopt;
}

} // namespace

std::vector<std::string> careerChartTitle(const CareerChartData& data) {
    std::string first = data.player;
    for (std::size_t i = 0; i < data.series.size(); ++i)
        first += (i ? " / " : "  ") + data.series[i].label;
    std::vector<std::string> lines{first};
    std::string teams;
    for (const TeamSpell& spell : data.teams)
        teams += (teams.empty() ? "" : " → ") + spell.team + " (" + termRange(spell) + ")";
    if (!teams.empty())
        lines.push_back(teams);
    return lines;
}

void setUpCareerGraph(TXYGraphCore& graph, const CareerChartData& data) {
    while (graph.seriesCount() > 0)
        delete graph.series(0);
    graph.setTitle(careerChartTitle(data));
    graph.setTitleFont(chartFont(13));
    graph.setTitleAlignment(TTitleAlignment::taLeftJustify);
    graph.setBackColor(clWhite);
    graph.setGridStyle(TGraphGridStyle::gsBoth);
    graph.setGridPen({clGray, 1, TPenStyle::psDot});
    graph.setSubGrid(false);
    graph.setSubGridPen({kLightGray, 1, TPenStyle::psSolid});

    TGraphAxis& x = graph.XAxis();
    x.setTitle("期");
    x.setLabelDecimal(0);
    x.setAutoDecimal(false);
    x.setLabelFont(chartFont(12));
    x.setTitleFont(chartFont(12));
    x.setLabelsOnAxis(true);

    // The items are named in the title; the vertical axis carries only values.
    TGraphAxis& y = graph.YAxis();
    y.setTitle("");
    y.setLabelFont(chartFont(12));
    y.setTitleFont(chartFont(12));
    y.setLabelsOnAxis(true);
    y.setAutoDecimal(true);
    y.setAutoStep(true);

    // Whole terms on the horizontal axis, one before the first and one after
    // the last, so that no point sits on the frame; the values get a margin too.
    std::optional<long long> firstTerm, lastTerm;
    std::optional<double> low, high;
    for (const CareerChartSeries& series : data.series)
        for (const auto& [term, value] : series.points) {
            firstTerm = std::min(firstTerm.value_or(term), term);
            lastTerm = std::max(lastTerm.value_or(term), term);
            low = std::min(low.value_or(value), value);
            high = std::max(high.value_or(value), value);
        }
    if (firstTerm) {
        const long long span = *lastTerm - *firstTerm + 2;
        const long long step = span <= 12    ? 1
                               : span <= 24  ? 2
                               : span <= 60  ? 5
                               : span <= 120 ? 10
                                             : 50;
        const long long from =
            (*firstTerm - 1) / step * step - ((*firstTerm - 1) % step < 0 ? step : 0);
        x.setRange(static_cast<double>(from), static_cast<double>(*lastTerm + 1), false, false);
        x.setAutoStep(false);
        x.setTickStep(static_cast<double>(step));
        x.setAutoOrigin(false);
        x.setOrigin(static_cast<double>(from));
        // A round step of about a fifth of the values' span, and limits on it.
        const double valueSpan = *high > *low ? *high - *low : std::max(1.0, std::abs(*high) * 0.2);
        const double magnitude = std::pow(10.0, std::floor(std::log10(valueSpan / 5)));
        double yStep = magnitude;
        for (double m : {1.0, 2.0, 5.0, 10.0})
            if (valueSpan / (m * magnitude) <= 6) {
                yStep = m * magnitude;
                break;
            }
        // Whole values (grades, counts, abilities) get whole steps.
        bool whole = true;
        for (const CareerChartSeries& series : data.series)
            for (const auto& point : series.points)
                whole = whole && point.second == std::floor(point.second);
        if (whole)
            yStep = std::max(yStep, 1.0);
        const double bottom = std::floor((*low - yStep / 2) / yStep) * yStep;
        const double top = std::ceil((*high + yStep / 2) / yStep) * yStep;
        y.setRange(bottom, top, false, false);
        y.setAutoStep(false);
        y.setTickStep(yStep);
        y.setAutoOrigin(false);
        y.setOrigin(bottom);
    } else {
        x.setAutoMin(true);
        x.setAutoMax(true);
        x.setAutoStep(true);
        x.setAutoOrigin(true);
        y.setAutoMin(true);
        y.setAutoMax(true);
        y.setAutoOrigin(true);
    }

    static constexpr TColor colours[] = {kFirstSeriesColour, kSecondSeriesColour};
    static constexpr TMarkerShape shapes[] = {TMarkerShape::msCircle, TMarkerShape::msSquare};
    for (std::size_t i = 0; i < data.series.size() && i < 2; ++i) {
        auto* line = graph.addSeries<TXYMarkerSeries>(data.series[i].label);
        line->setSeriesColor(colours[i]);
        line->setLinePen({colours[i], 2, TPenStyle::psSolid});
        TGraphMarker marker = line->Marker();
        marker.Shape = shapes[i];
        marker.Size = 7;
        marker.Pen = {colours[i], 1, TPenStyle::psSolid};
        marker.Brush = {colours[i], TBrushStyle::bsSolid};
        line->setMarker(marker);
        line->setJoined(true);
        for (const auto& [term, value] : data.series[i].points)
            line->addPoint(static_cast<double>(term), value);
    }

    // The first term with a new team, marked on the first series' line.
    if (data.teams.size() > 1 && !data.series.empty()) {
        auto* changes = graph.addSeries<TXYMarkerSeries>("所属変更");
        changes->setSeriesColor(kTeamChangeColour);
        TGraphMarker marker = changes->Marker();
        marker.Shape = TMarkerShape::msTriangleDown;
        marker.Size = 13;
        marker.Pen = {kTeamChangeColour, 2, TPenStyle::psSolid};
        marker.Brush = {kTeamChangeColour, TBrushStyle::bsClear};
        changes->setMarker(marker);
        changes->setJoined(false);
        for (std::size_t i = 1; i < data.teams.size(); ++i) {
            const long long term = data.teams[i].firstTerm;
            if (auto v = valueAt(data.series.front(), term))
                changes->addPoint(static_cast<double>(term), *v);
        }
    }
}

} // namespace tenvoll::charts
