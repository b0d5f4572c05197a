// Axis arithmetic: automatic scaling, ticks, label texts, pixel mapping and
// the setters' rules and error messages.
#include "charts/GraphErrors.h"
#include "charts/XYGraphCore.h"
#include "charts/XYSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tenvoll::charts;

namespace {

std::vector<double> values(const TGraphValueList& list) {
    std::vector<double> v;
    for (int i = 0; i < list.count(); ++i)
        v.push_back(list[i]);
    return v;
}

// A wide graph holding one line through the given Y values at X = 0, 1, ...
struct GraphWithData : ::testing::Test {
    TXYGraphCore graph;
    TXYLineSeries* line = graph.addSeries<TXYLineSeries>("line");
    void SetUp() override { graph.setClientSize(1000, 800); }
    void points(std::initializer_list<std::pair<double, double>> xy) {
        for (auto [x, y] : xy)
            line->addPoint(x, y);
        graph.layout();
    }
};

} // namespace

TEST_F(GraphWithData, ScalesZeroToSevenPointThreeOnTenthsOfTheStep) {
    points({{0, 0}, {7.3, 1}});
    const TGraphAxis& x = graph.XAxis();
    EXPECT_EQ(x.tickTarget(), 6);
    EXPECT_DOUBLE_EQ(x.TickStep(), 2.0);
    EXPECT_DOUBLE_EQ(x.Origin(), 0.0);
    EXPECT_NEAR(x.Max(), 7.4, 1e-12);
    EXPECT_DOUBLE_EQ(x.Min(), 0.0);
    const std::vector<double> majors = values(x.majorTicks());
    ASSERT_EQ(majors.size(), 4u);
    EXPECT_NEAR(majors[3], 6.0, 1e-12);
    EXPECT_EQ(x.subTicks().count(), 15); // 0.4 apart between the major ticks, up to 7.2
}

TEST_F(GraphWithData, EqualValuesWidenByOneEachWay) {
    points({{5, 5}, {5, 5}});
    EXPECT_DOUBLE_EQ(graph.YAxis().Min(), 4.0);
    EXPECT_DOUBLE_EQ(graph.YAxis().Max(), 6.0);
    EXPECT_DOUBLE_EQ(graph.YAxis().TickStep(), 0.5);
}

TEST_F(GraphWithData, NegativeDataCrossAtTheStepBelowTheMaximum) {
    points({{-23, -3}, {-7, -1}});
    const TGraphAxis& x = graph.XAxis();
    EXPECT_DOUBLE_EQ(x.TickStep(), 5.0);
    EXPECT_DOUBLE_EQ(x.Origin(), -5.0);
    EXPECT_DOUBLE_EQ(x.Max(), -5.0);
    EXPECT_NEAR(x.Min(), -23.0, 1e-12);
}

TEST_F(GraphWithData, LogAxisSpansWholeDecadesWithOneAndFivePerDecade) {
    points({{1, 1}, {2, 1000}});
    TGraphAxis& y = graph.YAxis();
    y.setMin(1);
    y.setAxisScale(TAxisScale::asLog);
    y.setAutoMin(true);
    graph.layout();
    EXPECT_DOUBLE_EQ(y.Min(), 1.0);
    EXPECT_DOUBLE_EQ(y.Max(), 1000.0);
    EXPECT_DOUBLE_EQ(y.decades(), 3.0);
    EXPECT_EQ(values(y.majorTicks()), (std::vector<double>{1, 5, 10, 50, 100, 500, 1000}));
    // Sub ticks at 2, 3, 1.5, 7, 4 and 6 times each power inside the range.
    EXPECT_EQ(y.subTicks().count(), 18);
    EXPECT_EQ(y.labelText(500), "500");

    // Values map by their logarithm; zero or less cannot be mapped.
    const int p1 = y.valueToPixel(1), p10 = y.valueToPixel(10), p100 = y.valueToPixel(100);
    EXPECT_NEAR(p1 - p10, p10 - p100, 1);
    EXPECT_NEAR(y.pixelToValue(p10), 10.0, 0.2);
    try {
        y.valueToPixel(0);
        FAIL();
    } catch (const EXYGraphAxisError& e) {
        EXPECT_STREQ(e.what(), "対数目盛で値がゼロ以下です");
    }
}

TEST_F(GraphWithData, TickCountOutsideItsRangeAndSubTicksOnALogAxisAreIgnored) {
    points({{1, 1}, {2, 100}});
    TGraphAxis& y = graph.YAxis();
    y.setTicksCount(30);
    y.setTicksCount(0);
    EXPECT_EQ(y.TicksCount(), 6);
    y.setTicksCount(29);
    EXPECT_EQ(y.TicksCount(), 29);
    y.setSubTicksCount(20);
    EXPECT_EQ(y.SubTicksCount(), 5);
    y.setMin(1);
    y.setAxisScale(TAxisScale::asLog);
    y.setSubTicksCount(3);
    EXPECT_EQ(y.SubTicksCount(), 5);
}

TEST(GraphAxis, PiLabelsUseThePiSymbol) {
    TXYGraphCore graph;
    TGraphAxis& x = graph.XAxis();
    x.setAxisScale(TAxisScale::asPi);
    EXPECT_EQ(x.labelText(std::numbers::pi), "Pi");
    EXPECT_EQ(x.labelText(-std::numbers::pi), "-Pi");
    EXPECT_EQ(x.labelText(2 * std::numbers::pi), "2Pi");
    EXPECT_EQ(x.labelText(0.5 * std::numbers::pi), "0.5Pi");
    EXPECT_EQ(x.labelText(1e-12), "0");
    graph.setPiSymbol("π");
    EXPECT_EQ(x.labelText(-std::numbers::pi), "-π");
    // Steps are 1, 2, 5 or 10 times a power of ten of pi, never 2.5.
    graph.setClientSize(1000, 800);
    x.setMin(0);
    x.setMax(7 * std::numbers::pi);
    graph.layout();
    EXPECT_DOUBLE_EQ(x.TickStep() / std::numbers::pi, 2.0);
    x.setMax(14 * std::numbers::pi);
    graph.layout();
    EXPECT_DOUBLE_EQ(x.TickStep() / std::numbers::pi, 5.0);
}

TEST(GraphAxis, LabelTextsInGeneralPercentAndFixedForms) {
    TXYGraphCore graph;
    TGraphAxis& y = graph.YAxis();
    EXPECT_EQ(y.labelText(0.1 + 0.2), "0.3");
    EXPECT_EQ(y.labelText(-1e-11), "0");
    EXPECT_EQ(y.labelText(1234567), "1234567");
    EXPECT_EQ(y.labelText(1.5e-7), "1.5E-7");
    y.setLabelDecimal(2);
    EXPECT_FALSE(y.AutoDecimal());
    EXPECT_EQ(y.labelText(3), "3.00");
    EXPECT_EQ(y.labelText(-0.001), "0.00");
    y.setLabelDecimal(12); // above 9: ignored
    EXPECT_EQ(y.LabelDecimal(), 2);
    y.setAutoDecimal(true);
    EXPECT_EQ(y.LabelDecimal(), 0);
    // Percent axis values are fractions.
    y.setAxisScale(TAxisScale::asPercent);
    EXPECT_EQ(y.labelText(0.25), "25%");
    EXPECT_EQ(y.labelText(1), "100%");
}

TEST_F(GraphWithData, FixedDecimalsGetStepsTheyCanShow) {
    // 0..13 wants a step of 2.5; with no decimals every label would lie.
    points({{0, 0}, {13, 1}});
    EXPECT_DOUBLE_EQ(graph.XAxis().TickStep(), 2.5);
    graph.XAxis().setLabelDecimal(0);
    graph.layout();
    EXPECT_DOUBLE_EQ(graph.XAxis().TickStep(), 5.0);
    // A span below one still steps by whole numbers.
    TGraphAxis& y = graph.YAxis();
    y.setLabelDecimal(0);
    graph.layout();
    EXPECT_DOUBLE_EQ(y.TickStep(), 1.0);
}

TEST_F(GraphWithData, FailedSettersReportAndKeepTheirValue) {
    points({{0, -1}, {10, 5}});
    TGraphAxis& x = graph.XAxis();
    auto expectError = [](auto&& call, const char* message) {
        try {
            call();
            ADD_FAILURE() << "no error for " << message;
        } catch (const EXYGraphAxisError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    };
    const double origin = x.Origin();
    expectError([&] { x.setOrigin(-1); }, "軸の交点の値が最小値以下です");
    expectError([&] { x.setOrigin(11); }, "軸の交点の値が最大値を超えています");
    EXPECT_EQ(x.Origin(), origin);
    EXPECT_TRUE(x.AutoOrigin());

    const double step = x.TickStep();
    expectError([&] { x.setTickStep(0); }, "目盛間隔はゼロ以下に設定できません");
    expectError([&] { x.setTickStep(11); }, "目盛間隔が軸の範囲を超えています");
    expectError([&] { x.setTickStep(0.3); }, "目盛間隔が小さすぎます");
    EXPECT_EQ(x.TickStep(), step);
    EXPECT_TRUE(x.AutoStep());

    expectError([&] { x.setAxisScale(TAxisScale::asLog); },
                "最小値がゼロ以下のため、対数目盛にできません");
    EXPECT_EQ(x.AxisScale(), TAxisScale::asNormal);
    expectError([&] { x.setLabelDecimal(-1); }, "負の値は無効です");
    EXPECT_TRUE(x.AutoDecimal());

    expectError([&] { x.setMin(10); }, "軸の範囲を超えています");
    expectError([&] { x.setMax(-3); }, "軸の範囲を超えています");
    EXPECT_EQ(x.Min(), 0.0);
    EXPECT_EQ(x.Max(), 10.0);
    EXPECT_TRUE(x.AutoMin());
    EXPECT_TRUE(x.AutoMax());

    // Data above zero allow a log scale once the minimum is positive; then
    // the minimum may not go to zero.
    TGraphAxis& y = graph.YAxis();
    line->clear();
    line->addPoint(1, 2);
    line->addPoint(2, 300);
    y.setMin(1);
    y.setAxisScale(TAxisScale::asLog);
    expectError([&] { y.setMin(0); }, "対数目盛では軸の範囲はゼロより大きくないといけません");
    EXPECT_EQ(y.Min(), 1.0);

    // A pixel off the axis cannot be read back.
    graph.layout();
    expectError([&] { x.pixelToValue(x.pixelEnd() + 1); }, "引数が軸の範囲を超えています。");
}

TEST_F(GraphWithData, TitleAngleIsStoredInQuarterTurns) {
    TGraphAxis& y = graph.YAxis();
    y.setTitleAngle(-90);
    EXPECT_EQ(y.TitleAngle(), 270);
    EXPECT_EQ(y.TitleFont().orientation, -900);
    y.setTitleAngle(100);
    EXPECT_EQ(y.TitleAngle(), 90);
    y.setTitle("人数");
    const TSize t = y.titleExtent();
    EXPECT_GT(t.cy, t.cx); // turned upright: width and height swap
}

TEST_F(GraphWithData, PixelsMapBothWaysAndInvertedAxesRunBackwards) {
    points({{0, 0}, {10, 10}});
    TGraphAxis& x = graph.XAxis();
    TGraphAxis& y = graph.YAxis();
    EXPECT_EQ(x.valueToPixel(0), x.pixelStart());
    EXPECT_EQ(x.valueToPixel(10), x.pixelEnd());
    EXPECT_EQ(y.valueToPixel(10), y.pixelEnd());
    EXPECT_LT(y.pixelEnd(), y.pixelStart()); // the vertical axis grows upwards
    for (int p : {x.pixelStart(), x.pixelStart() + 37, x.pixelEnd()})
        EXPECT_EQ(x.valueToPixel(x.pixelToValue(p)), p);
    y.setInverted(true);
    graph.layout();
    EXPECT_EQ(y.valueToPixel(10), y.pixelStart());
    EXPECT_NEAR(y.pixelToValue(y.pixelStart()), 10.0, 1e-12);
}

TEST(GraphAxis, NarrowAxisLowersItsTickTarget) {
    TXYGraphCore graph;
    TXYLineSeries* line = graph.addSeries<TXYLineSeries>();
    line->addPoint(0, 0);
    line->addPoint(123456, 1);
    graph.setClientSize(200, 300);
    graph.layout();
    const TGraphAxis& x = graph.XAxis();
    EXPECT_LT(x.tickTarget(), 6);
    const TSize big = x.largestLabelExtent();
    EXPECT_GE(x.pixelLength(), 1.5 * big.cx * x.tickTarget());
}
