// The graph widget offscreen: its picture, the zoom band and PNG output.
#include "charts/ChartRender.h"
#include "charts/XYGraph.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tenvoll::charts;

namespace {

struct GraphWidget : ::testing::Test {
    TXYGraph graph;
    TXYLineSeries* line = nullptr;
    void SetUp() override {
        graph.resize(400, 300);
        line = graph.addSeries<TXYLineSeries>("Series1");
        line->setLinePen({0xFF0000, 3, TPenStyle::psSolid});
        line->addPoint(0, 0);
        line->addPoint(10, 10);
    }
    QPoint pixel(double x, double y) {
        const TPoint p = graph.graph().pointToPixel(x, y);
        return {p.x, p.y};
    }
};

} // namespace

TEST_F(GraphWidget, PaintsPlotAndSeriesIntoOneImage) {
    graph.graph().setColor(0x202020);
    const QImage image = graph.renderImage();
    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_EQ(image.pixelColor(1, 299), QColor(0x20, 0x20, 0x20)); // outside the plot
    EXPECT_EQ(image.pixelColor(pixel(5, 5)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(pixel(8, 2)), QColor(Qt::white)); // plot background
}

TEST_F(GraphWidget, DraggedBandZoomsAndReverseBandUndoes) {
    graph.show();
    graph.renderImage(); // lays the graph out
    QSignalSpy zoomed(&graph, &TXYGraph::zoomed);
    QSignalSpy undone(&graph, &TXYGraph::zoomUndone);
    const QPoint a = pixel(2, 8), b = pixel(6, 4);

    QTest::mousePress(&graph, Qt::LeftButton, {}, a);
    QTest::mouseMove(&graph, a + QPoint(4, 4));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, a + QPoint(4, 4));
    EXPECT_EQ(zoomed.count(), 0); // five pixels or less: nothing

    QTest::mousePress(&graph, Qt::LeftButton, {}, a);
    QTest::mouseMove(&graph, b);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, b);
    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_NEAR(graph.XAxis().Max(), 6, 0.1);

    graph.renderImage();
    QTest::mousePress(&graph, Qt::LeftButton, {}, b);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, a);
    EXPECT_EQ(undone.count(), 1);
    EXPECT_TRUE(graph.XAxis().AutoMax());
}

TEST_F(GraphWidget, RendersToAPngFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.png"));
    QString error;
    ASSERT_TRUE(renderGraphToPng(graph, path, QSize(320, 200), &error));
    EXPECT_EQ(QImage(path).size(), QSize(320, 200));
    EXPECT_FALSE(renderGraphToPng(graph, dir.filePath(QStringLiteral("no/such/dir/x.png")),
                                  QSize(320, 200), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("画像ファイルを書き込めません")));
}
