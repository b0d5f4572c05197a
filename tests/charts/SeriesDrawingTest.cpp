// The series kinds: clipping, the drawing commands of each kind, colour
// coupling, setter limits, data streams and the kind registry.
#include "charts/GraphErrors.h"
#include "charts/XYGraphCore.h"
#include "charts/XYSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

using namespace tenvoll::charts;
using Kind = DrawCommand::Kind;

namespace {

// A graph with fixed axes 0..10 both ways, laid out at 500 x 400.
struct FixedAxes : ::testing::Test {
    TXYGraphCore graph;
    void SetUp() override {
        graph.setClientSize(500, 400);
        graph.XAxis().setMax(10);
        graph.XAxis().setMin(0);
        graph.YAxis().setMax(10);
        graph.YAxis().setMin(0);
    }
    DrawList draw(const TXYGraphSeries& s) {
        graph.layout();
        const_cast<TXYGraphSeries&>(s).setWindow({0, 10, 0, 10});
        DrawList out;
        s.draw(out, graph);
        return out;
    }
    TPoint px(double x, double y) const { return graph.pointToPixel(x, y); }
};

} // namespace

TEST(SeriesClipping, OutcodesCutTheOutsideEnds) {
    const TValueWindow w{0, 10, 0, 10};
    ClipResult r = clipSegment(w, 2, 2, 4, 4, false);
    EXPECT_EQ(r.outcome, ClipResult::Outcome::Inside);
    r = clipSegment(w, 5, 5, 5, 20, false);
    EXPECT_EQ(r.outcome, ClipResult::Outcome::SecondCut);
    EXPECT_EQ(r.y1, 10.0);
    r = clipSegment(w, -5, 5, 5, 5, false);
    EXPECT_EQ(r.outcome, ClipResult::Outcome::Inside);
    EXPECT_TRUE(r.firstCut);
    EXPECT_EQ(r.x0, 0.0);
    r = clipSegment(w, 11, 1, 12, 20, false); // both right of the window
    EXPECT_EQ(r.outcome, ClipResult::Outcome::Rejected);
    r = clipSegment(w, -5, 5, 5, 5, true); // would need cutting
    EXPECT_EQ(r.outcome, ClipResult::Outcome::Rejected);
    r = clipSegment(w, -1, 9.5, 1, 12, false); // passes by the corner outside
    EXPECT_EQ(r.outcome, ClipResult::Outcome::Rejected);
}

TEST_F(FixedAxes, LineAboveTheMaximumBreaksIntoTwoPolylinesCutThere) {
    auto* s = graph.addSeries<TXYLineSeries>();
    for (auto [x, y] : {std::pair{1.0, 5.0}, {3.0, 15.0}, {5.0, 15.0}, {7.0, 5.0}, {9.0, 6.0}})
        s->addPoint(x, y);
    DrawList out = draw(*s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].kind, Kind::Polylines);
    EXPECT_EQ(out[0].pen, s->LinePen());
    EXPECT_EQ(out[0].counts, (std::vector<int>{2, 3}));
    const std::vector<TPoint> expected = {px(1, 5), px(2, 10), px(6, 10), px(7, 5), px(9, 6)};
    EXPECT_EQ(out[0].points, expected);

    s->setDisContinue(true); // the two crossing segments go
    out = draw(*s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].counts, (std::vector<int>{2}));
    EXPECT_EQ(out[0].points, (std::vector<TPoint>{px(7, 5), px(9, 6)}));
}

TEST_F(FixedAxes, SegmentsOutsideOnOneSideAreDropped) {
    auto* s = graph.addSeries<TXYLineSeries>();
    s->addPoint(1, 11);
    s->addPoint(9, 12);
    s->addPoint(5, 5);
    const DrawList out = draw(*s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].points, (std::vector<TPoint>{px(9 - 8.0 / 7, 10), px(5, 5)}));
}

TEST_F(FixedAxes, MarkersOnTheMaximumAreDrawnAndBeyondItNot) {
    auto* s = graph.addSeries<TXYMarkerSeries>();
    s->addPoint(5, 10);
    s->addPoint(5, 10.000001);
    s->addPoint(10, 0);
    DrawList out = draw(*s);
    ASSERT_EQ(out.size(), 2u);
    const TPoint p = px(5, 10);
    // The default diamond, size 10.
    EXPECT_EQ(out[0].kind, Kind::Polygon);
    EXPECT_EQ(out[0].points, (std::vector<TPoint>{
                                 {p.x, p.y - 5}, {p.x - 5, p.y}, {p.x, p.y + 5}, {p.x + 5, p.y}}));
    EXPECT_EQ(out[0].brush.color, s->SeriesColor());
}

TEST(MarkerShapes, GeometryAroundTheCentre) {
    TGraphMarker m;
    m.Size = 7; // h = 3
    auto shape = [&](TMarkerShape s) {
        m.Shape = s;
        return markerCommand(m, 100, 50);
    };
    DrawCommand c = shape(TMarkerShape::msPlus);
    EXPECT_EQ(c.kind, Kind::Segments);
    EXPECT_EQ(c.points, (std::vector<TPoint>{{100, 47}, {100, 54}, {97, 50}, {104, 50}}));
    EXPECT_EQ(shape(TMarkerShape::msStar).points.size(), 8u);
    c = shape(TMarkerShape::msSquare);
    EXPECT_EQ(c.kind, Kind::Rectangle);
    EXPECT_EQ(c.rect, (TRect{97, 47, 104, 54}));
    EXPECT_EQ(shape(TMarkerShape::msCircle).kind, Kind::Ellipse);
    c = shape(TMarkerShape::msTriangleUp);
    EXPECT_EQ(c.points, (std::vector<TPoint>{{100, 47}, {97, 53}, {104, 53}}));
    c = shape(TMarkerShape::msDiamond);
    EXPECT_EQ(c.points, (std::vector<TPoint>{{100, 47}, {97, 50}, {101, 54}, {104, 51}}));
    m.Brush.color = 0x00FF00;
    c = shape(TMarkerShape::msPoint);
    EXPECT_EQ(c.kind, Kind::Pixel);
    EXPECT_EQ(c.color, 0x00FF00);
}

TEST_F(FixedAxes, ArrowHeadsOpenBackwardsFromTheTip) {
    auto* s = graph.addSeries<TXYArrowSeries>();
    s->addArrow(1, 5, 4, 5);   // to the right
    s->addArrow(5, 1, 5, 4);   // straight up
    s->addArrow(6, 6, 6, 12);  // cut at the top: no head
    s->addArrow(11, 1, 12, 2); // outside: nothing
    DrawList out = draw(*s);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].kind, Kind::Segments);
    EXPECT_EQ(out[0].points.size(), 6u);
    EXPECT_EQ(out[0].points[5], px(6, 10));
    const TPoint right = px(4, 5), up = px(5, 4);
    EXPECT_EQ(out[1].counts, (std::vector<int>{3, 3}));
    EXPECT_EQ(out[1].points, (std::vector<TPoint>{{right.x - 3, right.y - 2},
                                                  right,
                                                  {right.x - 3, right.y + 2},
                                                  {up.x - 2, up.y + 3},
                                                  up,
                                                  {up.x + 2, up.y + 3}}));
    // Extents take in the ends.
    EXPECT_EQ(s->extents().xMax, 12.0);
    EXPECT_EQ(s->extents().yMax, 12.0);
    s->setArrowSize(-1);
    EXPECT_EQ(s->ArrowSize(), 3);
}

TEST_F(FixedAxes, BubblesScaleToTheLargestSizeAndSkipTheRest) {
    auto* s = graph.addSeries<TXYBubbleSeries>();
    s->addBubble(2, 2, 0);
    s->addBubble(5, 5, -1);
    EXPECT_TRUE(draw(*s).empty()); // no positive size: nothing at all
    s->addBubble(8, 8, 4);
    s->addBubble(3, 7, 1);
    DrawList out = draw(*s);
    ASSERT_EQ(out.size(), 2u);
    const int R = TXYBubbleSeries::maxRadius(graph, 10);
    EXPECT_GT(R, 40); // a tenth of the graph's width
    EXPECT_LE(R, 50);
    const TPoint p = px(8, 8);
    EXPECT_EQ(out[0].kind, Kind::Ellipse);
    EXPECT_EQ(out[0].rect, (TRect{p.x - R, p.y - R, p.x + R, p.y + R}));
    EXPECT_EQ(out[1].rect.width(), 2 * static_cast<int>(std::lround(R / 4.0)));
    s->setBrush({0x112233, TBrushStyle::bsSolid});
    EXPECT_EQ(s->SeriesColor(), 0x112233);
    s->setMaxSizeRate(0);
    EXPECT_EQ(s->MaxSizeRate(), 10);
}

TEST_F(FixedAxes, ErrorBarCutAtTheMaximumHasNoCapThere) {
    auto* s = graph.addSeries<TXYErrorBarSeries>();
    s->setJoined(false);
    s->addErrorBar(3, 5, 1, 1);
    s->addErrorBar(6, 9, 2, 3); // upper end 12: cut at 10
    s->addErrorBar(8, 1, 0, 0.5);
    DrawList out = draw(*s);
    ASSERT_EQ(out.size(), 3u);
    const TPoint lo = px(3, 4), up = px(3, 6);
    EXPECT_EQ(out[0].points,
              (std::vector<TPoint>{
                  lo, up, {lo.x - 4, lo.y}, {lo.x + 4, lo.y}, {up.x - 4, up.y}, {up.x + 4, up.y}}));
    const TPoint cutLo = px(6, 7), cut = px(6, 10);
    EXPECT_EQ(out[1].points,
              (std::vector<TPoint>{cutLo, cut, {cutLo.x - 4, cutLo.y}, {cutLo.x + 4, cutLo.y}}));
    EXPECT_EQ(out[2].points.size(), 4u); // no lower error: the upper cap only
    // Extents reach every bar's ends.
    EXPECT_EQ(s->extents().yMax, 12.0);
    EXPECT_EQ(s->extents().yMin, 1.0);
    s->addErrorBar(2, 3, 4, 0);
    EXPECT_EQ(s->extents().yMin, -1.0);

    // Cap size: negative refused; zero hides the caps and can be undone.
    s->setBarSize(-2);
    EXPECT_EQ(s->BarSize(), 8);
    s->setBarSize(0);
    s->setBarSize(6);
    EXPECT_EQ(s->BarSize(), 6);
}

TEST(SeriesColours, LinePenAndSeriesColourFollowEachOther) {
    TXYLineSeries line;
    line.setSeriesColor(0x0000FF);
    EXPECT_EQ(line.LinePen().color, 0x0000FF);
    line.setLinePen({0x00FF00, 2, TPenStyle::psDash});
    EXPECT_EQ(line.SeriesColor(), 0x00FF00);
    TXYGraphCore graph;
    line.setParentGraph(&graph); // has a colour: keeps it
    EXPECT_EQ(line.SeriesColor(), 0x00FF00);
    line.setParentGraph(nullptr);
}

TEST(SeriesData, StreamsWriteAndReadBackUnchanged) {
    TXYErrorBarSeries bars("bars");
    bars.addErrorBar(1, 2, 0.5, 0.25);
    bars.addErrorBar(3, -4, 1, 2);
    std::ostringstream out;
    bars.writeData(out);
    const std::string bytes = out.str();
    ASSERT_EQ(bytes.size(), 4u * (4 + 2 * 8));
    // X, Y, then lower errors, then upper errors.
    double lower0 = 0;
    std::memcpy(&lower0, bytes.data() + 2 * 20 + 4, 8);
    EXPECT_EQ(lower0, 0.5);

    TXYErrorBarSeries back;
    std::istringstream in(bytes);
    back.readData(in);
    ASSERT_EQ(back.pointCount(), 2);
    EXPECT_EQ(back.yValue(1), -4.0);
    EXPECT_EQ(back.lowerError(1), 1.0);
    EXPECT_EQ(back.upperError(0), 0.25);
    std::ostringstream again;
    back.writeData(again);
    EXPECT_EQ(again.str(), bytes);

    // Lists of different lengths are refused and change nothing.
    TXYBubbleSeries bubbles;
    bubbles.addBubble(1, 1, 1);
    std::string shortSizes =
        bytes.substr(0, 40) + std::string("\x01\x00\x00\x00", 4) + bytes.substr(44, 8);
    std::istringstream bad(shortSizes);
    EXPECT_THROW(bubbles.readData(bad), EXYGraphError);
    EXPECT_EQ(bubbles.pointCount(), 1);
}

TEST(SeriesData, DeletingAPointDeletesItFromEveryList) {
    TXYArrowSeries s;
    s.addArrow(1, 2, 3, 4);
    s.addArrow(5, 6, 7, 8);
    s.deletePoint(0);
    ASSERT_EQ(s.pointCount(), 1);
    EXPECT_EQ(s.endX(0), 7.0);
    try {
        s.deletePoint(3);
        FAIL();
    } catch (const EXYGraphError& e) {
        EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (3)");
    }
    s.clear();
    EXPECT_EQ(s.pointCount(), 0);
}

TEST(SeriesKinds, KindNamesCreateTheirClasses) {
    EXPECT_NE(dynamic_cast<TXYLineSeries*>(createSeries("折れ線").get()), nullptr);
    EXPECT_NE(dynamic_cast<TXYMarkerSeries*>(createSeries("散布図").get()), nullptr);
    EXPECT_NE(dynamic_cast<TXYArrowSeries*>(createSeries("矢印").get()), nullptr);
    EXPECT_NE(dynamic_cast<TXYBubbleSeries*>(createSeries("泡").get()), nullptr);
    EXPECT_NE(dynamic_cast<TXYErrorBarSeries*>(createSeries("エラーバー").get()), nullptr);
    EXPECT_EQ(createSeries("円"), nullptr);
    EXPECT_EQ(seriesKinds().size(), 5u);
}

TEST(SeriesKinds, SamplePointsNeedAGraph) {
    std::mt19937 random(7);
    TXYBubbleSeries lone("系列1");
    try {
        lone.generateSamplePoints(random);
        FAIL();
    } catch (const EXYGraphSeriesError& e) {
        EXPECT_STREQ(e.what(), "系列1 は親グラフを持っていません");
    }
    TXYGraphCore graph;
    auto* s = graph.addSeries<TXYErrorBarSeries>("見本");
    s->generateSamplePoints(random);
    ASSERT_EQ(s->pointCount(), 10);
    EXPECT_EQ(s->xValue(0), graph.XAxis().Min());
    EXPECT_EQ(s->xValue(9), graph.XAxis().Max());
    for (int i = 0; i < 10; ++i)
        EXPECT_GE(s->lowerError(i), 0.0);
}
