// The graph as a whole: palette, data extents, layout, paint order and zoom.
#include "charts/GraphErrors.h"
#include "charts/XYGraphCore.h"
#include "charts/XYSeries.h"

#include <gtest/gtest.h>

using namespace tenvoll::charts;
using Kind = DrawCommand::Kind;

TEST(GraphLayout, SeriesWithoutColourTakeTheFirstUnusedPaletteColour) {
    TXYGraphCore graph;
    auto* a = graph.addSeries<TXYLineSeries>();
    auto* b = graph.addSeries<TXYMarkerSeries>();
    EXPECT_EQ(a->SeriesColor(), 0xFF0000);
    EXPECT_EQ(b->SeriesColor(), 0x008000);
    EXPECT_EQ(b->LinePen().color, 0x008000);
    EXPECT_EQ(b->Marker().Brush.color, 0x008000);
    for (int i = 2; i < 16; ++i)
        graph.addSeries<TXYLineSeries>();
    EXPECT_EQ(graph.series(15)->SeriesColor(), 0x808080);
    // All used once: the first used exactly once, after a second red the second green.
    b->setSeriesColor(0xFF0000);
    EXPECT_EQ(graph.nextDefaultColor(), 0x008000);
    a->setSeriesColor(0x123456);
    EXPECT_EQ(graph.nextDefaultColor(), 0x008000);
}

TEST(GraphLayout, ExtentsCountOnlyActiveSeriesWithPoints) {
    TXYGraphCore graph;
    graph.YAxis().setMax(50);
    EXPECT_EQ(graph.dataMax(false), 50.0); // no series: the axis' own limits
    auto* a = graph.addSeries<TXYLineSeries>();
    auto* b = graph.addSeries<TXYLineSeries>();
    graph.addSeries<TXYLineSeries>(); // empty
    a->addPoint(1, 10);
    b->addPoint(-4, 30);
    EXPECT_EQ(graph.dataMin(true), -4.0);
    EXPECT_EQ(graph.dataMax(false), 30.0);
    b->setActive(false);
    EXPECT_EQ(graph.dataMin(true), 1.0);
    EXPECT_EQ(graph.dataMax(false), 10.0);
}

TEST(GraphLayout, SeriesLeaveTheirGraphAndDieWithIt) {
    auto graph = std::make_unique<TXYGraphCore>();
    int repaints = 0;
    graph->OnChange = [&] { ++repaints; };
    auto* a = graph->addSeries<TXYLineSeries>("a");
    auto* b = graph->addSeries<TXYLineSeries>("b");
    int added = -1;
    a->OnAfterAdd = [&](TXYGraphSeries&, int index) { added = index; };
    a->addPoint(1, 1);
    a->addPoint(2, 2);
    EXPECT_EQ(added, 1);
    EXPECT_GT(repaints, 0);
    delete b;
    EXPECT_EQ(graph->seriesCount(), 1);
    a->setParentGraph(nullptr);
    EXPECT_EQ(graph->seriesCount(), 0);
    std::unique_ptr<TXYGraphSeries> own(a);
    a->setParentGraph(graph.get());
    own.release();
    graph.reset(); // destroys `a`; sanitizers would catch a double delete
}

TEST(GraphLayout, LabelsOfTheCrossingAxisFitInsideTheControl) {
    TXYGraphCore graph;
    graph.setClientSize(400, 300);
    graph.setTitle({"一行目", "二行目"});
    auto* s = graph.addSeries<TXYLineSeries>();
    s->addPoint(0, 0);
    s->addPoint(100, 250);
    graph.layout();
    const TGraphAxis& x = graph.XAxis();
    const TGraphAxis& y = graph.YAxis();
    // Two title lines make the band above the plot.
    EXPECT_EQ(graph.titleBandHeight(), 2 * 19);
    EXPECT_GE(y.lineEnd(), graph.titleBandHeight());
    // The horizontal axis crosses at 0, the bottom: its labels fit below it.
    const int crossY = y.valueToPixel(y.Origin());
    EXPECT_LE(crossY + x.LabelSpace() + x.largestLabelExtent().cy, 300);
    // The vertical axis crosses at 0, the left: its labels fit left of it.
    const int crossX = x.valueToPixel(x.Origin());
    EXPECT_GE(crossX - y.LabelSpace() - y.largestLabelExtent().cx, 0);
    const TRect plot = graph.plotRect();
    EXPECT_EQ(plot.left, x.pixelStart());
    EXPECT_EQ(plot.bottom - 1, y.pixelStart());
}

TEST(GraphLayout, AutoAspectRatioMatchesThePlotToTheRanges) {
    TXYGraphCore graph;
    graph.setClientSize(600, 400);
    auto* s = graph.addSeries<TXYLineSeries>();
    s->addPoint(0, 0);
    s->addPoint(10, 10);
    graph.setAutoAspectRatio(true);
    graph.layout();
    const double ranges = graph.XAxis().range() / graph.YAxis().range();
    const double plot =
        static_cast<double>(graph.XAxis().pixelLength()) / graph.YAxis().pixelLength();
    EXPECT_NEAR(plot, ranges, 0.03);
}

TEST(GraphLayout, PaintsBackgroundTitleGridAxesThenSeries) {
    TXYGraphCore graph;
    graph.setClientSize(400, 300);
    graph.setTitle({"右寄せ"});
    graph.setTitleAlignment(TTitleAlignment::taRightJustify);
    graph.setGridStyle(TGraphGridStyle::gsBoth);
    auto* s = graph.addSeries<TXYLineSeries>();
    s->addPoint(0, 0);
    s->addPoint(5, 5);
    int afterDraw = 0;
    graph.OnAfterDraw = [&](DrawList&) { ++afterDraw; };
    DrawList list = graph.paint();
    ASSERT_GE(list.size(), 6u);
    EXPECT_EQ(list[0].kind, Kind::FillRect);
    EXPECT_EQ(list[0].rect, (TRect{0, 0, 400, 300}));
    EXPECT_EQ(list[1].brush.color, clWhite);
    EXPECT_EQ(list[1].rect, graph.plotRect());
    EXPECT_EQ(list[2].kind, Kind::Text);
    EXPECT_EQ(list[2].text, "右寄せ");
    EXPECT_EQ(list[2].points[0].x, 400 - 3 * 2 * 9); // three wide characters
    EXPECT_EQ(list[3].pen, graph.GridPen());
    const auto clip = std::find_if(list.begin(), list.end(),
                                   [](const DrawCommand& c) { return c.kind == Kind::Clip; });
    ASSERT_NE(clip, list.end());
    EXPECT_EQ(clip->rect, graph.plotRect());
    EXPECT_EQ((clip + 1)->kind, Kind::Polylines);
    EXPECT_EQ(list.back().kind, Kind::NoClip);
    EXPECT_EQ(afterDraw, 1);

    graph.setAxesFront(true);
    list = graph.paint();
    EXPECT_EQ(list[3].kind, Kind::Clip);
    EXPECT_EQ(list.back().kind, Kind::Text); // the last axis label comes last

    graph.setGridStyle(TGraphGridStyle::gsNone);
    graph.setSubGrid(true);
    EXPECT_FALSE(graph.SubGrid());
}

TEST(GraphLayout, ZoomByBandAndUndoByReverseBand) {
    TXYGraphCore graph;
    graph.setClientSize(500, 400);
    auto* s = graph.addSeries<TXYLineSeries>();
    s->addPoint(0, 0);
    s->addPoint(10, 10);
    graph.layout();
    int zooms = 0, undos = 0;
    graph.OnZoom = [&] { ++zooms; };
    graph.OnUndoZoom = [&] { ++undos; };
    const TPoint a = graph.pointToPixel(2, 8);
    const TPoint b = graph.pointToPixel(6, 4);

    graph.zoomBand(a.x, a.y, a.x + 5, a.y + 40); // 5 pixels across: nothing
    EXPECT_FALSE(graph.zoomed());
    graph.zoomBand(a.x, a.y, b.x, b.y);
    ASSERT_TRUE(graph.zoomed());
    EXPECT_NEAR(graph.XAxis().Min(), 2, 0.05);
    EXPECT_NEAR(graph.XAxis().Max(), 6, 0.05);
    EXPECT_NEAR(graph.YAxis().Min(), 4, 0.05);
    EXPECT_NEAR(graph.YAxis().Max(), 8, 0.05);
    EXPECT_FALSE(graph.XAxis().AutoMin());

    // Zooming again keeps the first saved ranges.
    graph.layout();
    const TPoint c = graph.pointToPixel(3, 7);
    const TPoint d = graph.pointToPixel(5, 5);
    graph.zoomBand(c.x, c.y, d.x, d.y);
    EXPECT_NEAR(graph.XAxis().Max(), 5, 0.05);
    EXPECT_EQ(zooms, 2);

    graph.zoomBand(d.x, d.y, d.x - 3, d.y - 30); // 3 pixels: nothing
    EXPECT_TRUE(graph.zoomed());
    graph.zoomBand(d.x, d.y, c.x, c.y); // up and left: undo
    EXPECT_FALSE(graph.zoomed());
    EXPECT_EQ(undos, 1);
    EXPECT_TRUE(graph.XAxis().AutoMin());
    EXPECT_TRUE(graph.YAxis().AutoMax());
    EXPECT_EQ(graph.XAxis().Max(), 10.0);

    // A band outside the plot does nothing; zoom can be switched off.
    graph.layout();
    graph.zoomBand(0, 0, 9, 9);
    EXPECT_FALSE(graph.zoomed());
    graph.setAllowZoom(false);
    graph.zoomBand(a.x, a.y, b.x, b.y);
    EXPECT_FALSE(graph.zoomed());
}

TEST(GraphLayout, AxisLabelsSitBesideTheirTicks) {
    TXYGraphCore graph;
    graph.setClientSize(500, 400);
    auto* s = graph.addSeries<TXYLineSeries>();
    s->addPoint(0, 0);
    s->addPoint(10, 10);
    graph.XAxis().setLabelsOnAxis(false);
    graph.YAxis().setTitle("人数");
    graph.YAxis().setAxisTitleLoc(TAxisTitleLoc::tlSide);
    graph.YAxis().setTitleAngle(90);
    const DrawList list = graph.paint();
    const TGraphAxis& x = graph.XAxis();
    const TGraphAxis& y = graph.YAxis();
    const int lineY = y.valueToPixel(0), lineX = x.valueToPixel(0);
    std::vector<std::string> texts;
    for (const DrawCommand& c : list) {
        if (c.kind != Kind::Text)
            continue;
        texts.push_back(c.text);
        const TSize e = graph.measurer().textExtent(c.font, c.text);
        if (c.text == "4" && c.points[0].y > lineY) { // on the horizontal axis
            EXPECT_EQ(c.points[0].x, x.valueToPixel(4) - e.cx / 2);
            EXPECT_EQ(c.points[0].y, lineY + x.LabelSpace());
        }
        if (c.text == "10" && c.points[0].x < lineX) { // on the vertical axis
            EXPECT_EQ(c.points[0].x + e.cx, lineX - y.LabelSpace());
            EXPECT_EQ(c.points[0].y, y.valueToPixel(10) - e.cy / 2);
        }
        if (c.text == "人数") { // turned: the text runs upwards from its origin
            EXPECT_EQ(c.font.orientation, 900);
            EXPECT_LT(c.points[0].x + e.cy, lineX - y.LabelSpace() - 2 * 9);
        }
    }
    // The horizontal axis leaves out its label where the axes cross.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "10"), 2);
    // Major ticks point into the plot: up from the horizontal axis.
    const DrawCommand& xLines = *std::find_if(
        list.begin(), list.end(), [](const DrawCommand& c) { return c.kind == Kind::Segments; });
    EXPECT_EQ(xLines.points[0], (TPoint{x.lineStart(), lineY}));
    EXPECT_EQ(xLines.points[1], (TPoint{x.lineEnd(), lineY}));
    EXPECT_EQ(xLines.points[3], (TPoint{x.pixelStart(), lineY - x.TickLen()}));
}

TEST(GraphLayout, TinyAndEmptyGraphsStillPaint) {
    for (TSize size : {TSize{0, 0}, TSize{12, 9}, TSize{300, 200}}) {
        TXYGraphCore graph;
        graph.setClientSize(size.cx, size.cy);
        graph.setTitle({"題"});
        EXPECT_NO_THROW(graph.paint());
        auto* s = graph.addSeries<TXYMarkerSeries>();
        s->addPoint(1, 1);
        EXPECT_NO_THROW(graph.paint());
    }
}
