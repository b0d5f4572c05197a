// The graph gallery: sample graphs of every series kind and axis scale.
#include "charts/GraphGallery.h"

#include "charts/ChartRender.h"
#include "charts/GraphErrors.h"
#include "charts/XYGraph.h"

#include <QDir>

#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>

namespace tenvoll::charts {

namespace {

constexpr QSize kPictureSize(640, 420);

void titled(TXYGraph& g, const std::string& title, const std::string& xTitle,
            const std::string& yTitle) {
    TXYGraphCore& c = g.graph();
    c.setTitle({title});
    TFont font;
    font.size = 14;
    font.bold = true;
    c.setTitleFont(font);
    c.setTitleAlignment(TTitleAlignment::taCenter);
    c.setColor(0xF4F4F4);
    c.setGridStyle(TGraphGridStyle::gsBoth);
    c.setGridPen({0xC8C8C8, 1, TPenStyle::psDot});
    g.XAxis().setTitle(xTitle);
    g.YAxis().setTitle(yTitle);
    // Where the axes cross only the vertical axis labels the value, so the two
    // labels do not meet in the corner.
    g.XAxis().setLabelsOnAxis(false);
}

void lineGraph(TXYGraph& g) {
    titled(g, "折れ線", "X", "Y");
    auto* wave = g.addSeries<TXYLineSeries>("波");
    auto* rise = g.addSeries<TXYLineSeries>("増加");
    for (int i = 0; i <= 40; ++i) {
        const double x = i * 0.25;
        wave->addPoint(x, 3 + 2.5 * std::sin(x));
        rise->addPoint(x, 0.6 * x - 0.5);
    }
    rise->setLinePen({0x0000FF, 2, TPenStyle::psSolid});
}

void markerGraph(TXYGraph& g) {
    titled(g, "散布図", "X", "Y");
    const TMarkerShape shapes[] = {TMarkerShape::msPlus,         TMarkerShape::msTimes,
                                   TMarkerShape::msSquare,       TMarkerShape::msCircle,
                                   TMarkerShape::msStar,         TMarkerShape::msTriangleUp,
                                   TMarkerShape::msTriangleDown, TMarkerShape::msDiamond};
    int row = 0;
    for (TMarkerShape shape : shapes) {
        auto* s = g.addSeries<TXYMarkerSeries>();
        TGraphMarker m = s->Marker();
        m.Shape = shape;
        s->setMarker(m);
        s->setJoined(row == 7);
        for (int i = 1; i <= 9; ++i)
            s->addPoint(i, row + 1 + 0.3 * std::sin(i + row));
        ++row;
    }
    g.XAxis().setMax(10); // room for the markers of the last column and the top row
    g.YAxis().setMax(9);
}

void arrowGraph(TXYGraph& g) {
    titled(g, "矢印", "X", "Y");
    auto* s = g.addSeries<TXYArrowSeries>("流れ");
    s->setArrowSize(7);
    for (int i = -3; i <= 3; ++i)
        for (int j = -3; j <= 3; ++j) {
            if (i == 0 && j == 0)
                continue;
            // A swirl around the centre.
            s->addArrow(i, j, i - 0.25 * j, j + 0.25 * i);
        }
}

void bubbleGraph(TXYGraph& g) {
    titled(g, "泡", "X", "Y");
    auto* s = g.addSeries<TXYBubbleSeries>("大きさ");
    s->setBrush({0x66AADD, TBrushStyle::bsSolid});
    const double points[][3] = {{1, 2, 1}, {2, 5, 3},   {3, 3, 2}, {4, 7, 5},  {5, 4, 1.5},
                                {6, 6, 4}, {7, 2.5, 2}, {8, 8, 6}, {9, 5, 2.5}};
    for (const auto& p : points)
        s->addBubble(p[0], p[1], p[2]);
    // Bubbles are drawn around their points: leave room at the edges.
    g.XAxis().setMax(10);
    g.YAxis().setMax(10);
    g.YAxis().setMin(0);
}

void errorBarGraph(TXYGraph& g) {
    titled(g, "エラーバー", "期", "平均");
    auto* s = g.addSeries<TXYErrorBarSeries>("平均");
    const double values[] = {3.2, 4.1, 3.8, 5.0, 5.6, 4.9, 6.2, 6.8};
    for (int i = 0; i < 8; ++i)
        s->addErrorBar(i + 1, values[i], 0.4 + 0.1 * (i % 3), 0.5 + 0.15 * (i % 2));
    g.XAxis().setMax(9);
}

void piGraph(TXYGraph& g) {
    titled(g, "π 目盛", "角度", "sin");
    g.XAxis().setAxisScale(TAxisScale::asPi);
    auto* s = g.addSeries<TXYLineSeries>("sin");
    auto* c = g.addSeries<TXYLineSeries>("cos");
    for (int i = -40; i <= 80; ++i) {
        const double x = i * std::numbers::pi / 40;
        s->addPoint(x, std::sin(x));
        c->addPoint(x, std::cos(x));
    }
}

void percentGraph(TXYGraph& g) {
    titled(g, "パーセント目盛", "期", "勝率");
    g.YAxis().setAxisScale(TAxisScale::asPercent);
    // The vertical title turned upright beside the labels.
    g.YAxis().setAxisTitleLoc(TAxisTitleLoc::tlSide);
    g.YAxis().setTitleAngle(90);
    auto* s = g.addSeries<TXYMarkerSeries>("勝率");
    s->setJoined(true);
    const double rates[] = {0.425, 0.480, 0.553, 0.612, 0.587, 0.501, 0.479, 0.634};
    for (int i = 0; i < 8; ++i)
        s->addPoint(i + 1, rates[i]);
    g.XAxis().setMax(9);
    g.YAxis().setMax(0.7);
}

void logGraph(TXYGraph& g) {
    titled(g, "対数目盛", "X", "X の 3 乗");
    auto* s = g.addSeries<TXYMarkerSeries>("3 乗");
    s->setJoined(true);
    TGraphMarker m = s->Marker();
    m.Shape = TMarkerShape::msCircle;
    m.Size = 7;
    s->setMarker(m);
    for (int i = 1; i <= 10; ++i)
        s->addPoint(i, static_cast<double>(i) * i * i);
    g.YAxis().setMin(1);
    g.YAxis().setAxisScale(TAxisScale::asLog);
    g.YAxis().setAutoMin(true);
}

void invertedGraph(TXYGraph& g) {
    titled(g, "逆向きの軸 (順位)", "期", "順位");
    g.YAxis().setInverted(true);
    g.YAxis().setAxisTitleLoc(TAxisTitleLoc::tlFoot);
    auto* s = g.addSeries<TXYMarkerSeries>("順位");
    s->setJoined(true);
    const double ranks[] = {6, 4, 5, 2, 1, 3, 2, 1};
    for (int i = 0; i < 8; ++i)
        s->addPoint(i + 1, ranks[i]);
    // Half a rank of room at both ends; the term axis crosses at the top.
    g.XAxis().setMax(9);
    g.YAxis().setMin(0.5);
    g.YAxis().setMax(6.5);
}

void zoomedGraph(TXYGraph& g) {
    lineGraph(g);
    g.graph().setTitle({"拡大 (X 2〜6)"});
    // Lay out at the picture's size, then zoom into a band as the mouse would.
    g.resize(kPictureSize);
    g.graph().setClientSize(kPictureSize.width(), kPictureSize.height());
    g.graph().layout();
    const TPoint a = g.graph().pointToPixel(2, 5.8);
    const TPoint b = g.graph().pointToPixel(6, 0.5);
    g.graph().zoomBand(a.x, a.y, b.x, b.y);
}

void termGraph(TXYGraph& g) {
    // The chart window's look: ranked players per term.
    TXYGraphCore& c = g.graph();
    c.setTitle({"期別の選手数"});
    TFont big;
    big.pixelSize = 16;
    c.setTitleFont(big);
    c.setTitleAlignment(TTitleAlignment::taRightJustify);
    c.setGridStyle(TGraphGridStyle::gsBoth);
    c.setGridPen({clGray, 1, TPenStyle::psDot});
    c.setSubGrid(true);
    c.setSubGridPen({0xE0E0E0, 1, TPenStyle::psSolid});
    c.setAllowZoom(false);
    for (TGraphAxis* axis : {&g.XAxis(), &g.YAxis()}) {
        axis->setLabelFont(big);
        axis->setTitleFont(big);
        axis->setLabelDecimal(0);
        axis->setLabelsOnAxis(false);
    }
    g.XAxis().setTitle("期別");
    g.YAxis().setTitle("人数");
    auto* line = g.addSeries<TXYLineSeries>("Series1");
    g.addSeries<TXYMarkerSeries>("Series2");
    const int counts[][2] = {{1, 8}, {2, 12}, {3, 15}, {4, 9}, {5, 21}, {6, 18}, {7, 17}};
    for (const auto& p : counts)
        line->addPoint(p[0], p[1]);
}

struct Picture {
    const char* name;
    void (*build)(TXYGraph&);
};

const Picture kPictures[] = {
    {"series-line", &lineGraph},
    {"series-marker", &markerGraph},
    {"series-arrow", &arrowGraph},
    {"series-bubble", &bubbleGraph},
    {"series-errorbar", &errorBarGraph},
    {"axis-linear", &termGraph},
    {"axis-pi", &piGraph},
    {"axis-percent", &percentGraph},
    {"axis-log", &logGraph},
    {"axis-inverted", &invertedGraph},
    {"zoomed", &zoomedGraph},
};

} // namespace

std::vector<std::string> galleryPictureNames() {
    std::vector<std::string> names;
    for (const Picture& p : kPictures)
        names.emplace_back(p.name);
    return names;
}

bool writeGraphGallery(const std::string& folder, std::ostream& out, std::ostream& err) {
    ensureGuiApplication();
    const QString dir = QString::fromStdString(folder);
    if (!QDir().mkpath(dir)) {
        err << "フォルダを作成できません: " << folder << "\n";
        return false;
    }
    for (const Picture& p : kPictures) {
        TXYGraph graph;
        graph.resize(kPictureSize);
        try {
            p.build(graph);
        } catch (const EXYGraphError& e) {
            err << p.name << ": " << e.what() << "\n";
            return false;
        }
        const QString path = QDir(dir).filePath(QString::fromUtf8(p.name) + QStringLiteral(".png"));
        QString error;
        if (!renderGraphToPng(graph, path, kPictureSize, &error)) {
            err << error.toStdString() << "\n";
            return false;
        }
        out << path.toStdString() << "\n";
    }
    return true;
}

} // namespace tenvoll::charts
