// Data series of the XY graph and their drawing.
#include "charts/XYSeries.h"

#include "charts/GraphErrors.h"
#include "charts/XYGraphCore.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <numbers>

namespace tenvoll::charts {

namespace {

int outcode(const TValueWindow& w, double x, double y) {
    int code = 0;
    if (x < w.xMin)
        code |= 1;
    if (x > w.xMax)
        code |= 2;
    if (y < w.yMin)
        code |= 4;
    if (y > w.yMax)
        code |= 8;
    return code;
}

DrawCommand segments(const TPen& pen) {
    DrawCommand c;
    c.kind = DrawCommand::Kind::Segments;
    c.pen = pen;
    c.brush.style = TBrushStyle::bsClear;
    return c;
}

// Reads lists that must all hold the same number of points; the series is
// changed only when every list was read.
void readAligned(std::istream& in, std::vector<TGraphValueList*> lists) {
    std::vector<TGraphValueList> read(lists.size());
    for (auto& list : read)
        list.readFrom(in);
    for (const auto& list : read)
        if (list.count() != read.front().count())
            throw EXYGraphError("データの読み込みに失敗しました (点の数がそろっていません)");
    for (std::size_t i = 0; i < lists.size(); ++i)
        *lists[i] = read[i];
}

double uniform(std::mt19937& random, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
}

} // namespace

ClipResult clipSegment(const TValueWindow& w, double x0, double y0, double x1, double y1,
                       bool rejectCut) {
    ClipResult r;
    int c0 = outcode(w, x0, y0);
    int c1 = outcode(w, x1, y1);
    bool secondCut = false;
    for (int round = 0;; ++round) {
        if ((c0 | c1) == 0)
            break;
        if ((c0 & c1) != 0 || rejectCut || round > 8)
            return r;
        const int c = c0 != 0 ? c0 : c1;
        double x, y;
        if (c & 8) {
            x = x0 + (x1 - x0) * (w.yMax - y0) / (y1 - y0);
            y = w.yMax;
        } else if (c & 4) {
            x = x0 + (x1 - x0) * (w.yMin - y0) / (y1 - y0);
            y = w.yMin;
        } else if (c & 2) {
            y = y0 + (y1 - y0) * (w.xMax - x0) / (x1 - x0);
            x = w.xMax;
        } else {
            y = y0 + (y1 - y0) * (w.xMin - x0) / (x1 - x0);
            x = w.xMin;
        }
        if (c == c0) {
            x0 = x;
            y0 = y;
            c0 = outcode(w, x0, y0);
            r.firstCut = true;
        } else {
            x1 = x;
            y1 = y;
            c1 = outcode(w, x1, y1);
            secondCut = true;
        }
    }
    r.outcome = secondCut ? ClipResult::Outcome::SecondCut : ClipResult::Outcome::Inside;
    r.x0 = x0;
    r.y0 = y0;
    r.x1 = x1;
    r.y1 = y1;
    return r;
}

// ---- base series ----

TXYGraphSeries::TXYGraphSeries(std::string name) : name_(std::move(name)) {}

TXYGraphSeries::~TXYGraphSeries() {
    setParentGraph(nullptr);
}

void TXYGraphSeries::setParentGraph(TXYGraphCore* graph) {
    if (graph == graph_)
        return;
    if (graph_) {
        TXYGraphCore* old = graph_;
        graph_ = nullptr;
        old->detachSeries(this);
        old->changed();
    }
    graph_ = graph;
    if (graph_) {
        graph_->attachSeries(this);
        if (color_ == kNoColor)
            setSeriesColor(graph_->nextDefaultColor());
        graph_->changed();
    }
}

void TXYGraphSeries::setSeriesColor(TColor color) {
    color_ = color;
    changed();
}

void TXYGraphSeries::setActive(bool on) {
    active_ = on;
    changed();
}

void TXYGraphSeries::changed() const {
    if (graph_)
        graph_->changed();
}

int TXYGraphSeries::appendPoint(double x, double y) {
    xs_.add(x);
    return ys_.add(y);
}

void TXYGraphSeries::pointAdded(int index) {
    if (OnAfterAdd)
        OnAfterAdd(*this, index);
    changed();
}

int TXYGraphSeries::addPoint(double x, double y) {
    const int index = appendPoint(x, y);
    pointAdded(index);
    return index;
}

void TXYGraphSeries::deletePoint(int index) {
    xs_.remove(index);
    ys_.remove(index);
    changed();
}

void TXYGraphSeries::clear() {
    xs_.clear();
    ys_.clear();
    changed();
}

TExtents TXYGraphSeries::extents() const {
    return {xs_.minValue(), xs_.maxValue(), ys_.minValue(), ys_.maxValue()};
}

void TXYGraphSeries::draw(DrawList&, const TXYGraphCore&) const {}

void TXYGraphSeries::writeData(std::ostream& out) const {
    xs_.writeTo(out);
    ys_.writeTo(out);
}

void TXYGraphSeries::readData(std::istream& in) {
    readAligned(in, {&xs_, &ys_});
    changed();
}

void TXYGraphSeries::addSamplePoint(double x, double y, double, std::mt19937&) {
    appendPoint(x, y);
}

void TXYGraphSeries::generateSamplePoints(std::mt19937& random) {
    if (!graph_)
        throw EXYGraphSeriesError(name_ + " は親グラフを持っていません");
    const TGraphAxis& xa = graph_->XAxis();
    const TGraphAxis& ya = graph_->YAxis();
    const double yRange = ya.Max() - ya.Min();
    const double mid = (ya.Max() + ya.Min()) / 2;
    clear();
    constexpr int kSamples = 10;
    for (int i = 0; i < kSamples; ++i) {
        const double x = xa.Min() + i * (xa.Max() - xa.Min()) / (kSamples - 1);
        const double wave = std::sin(2 * std::numbers::pi * i / (kSamples - 1));
        const double y = mid + yRange * (0.3 * wave + uniform(random, -0.05, 0.05));
        addSamplePoint(x, y, yRange, random);
    }
    changed();
}

// ---- line ----

void TXYLineSeries::setLinePen(const TPen& pen) {
    linePen_ = pen;
    TXYGraphSeries::setSeriesColor(pen.color);
}

void TXYLineSeries::setSeriesColor(TColor color) {
    linePen_.color = color;
    TXYGraphSeries::setSeriesColor(color);
}

void TXYLineSeries::setDisContinue(bool on) {
    disContinue_ = on;
    changed();
}

void TXYLineSeries::linePolylines(const TXYGraphCore& graph, std::vector<TPoint>& points,
                                  std::vector<int>& counts) const {
    bool open = false; // the last polyline ends, uncut, at the previous point
    for (int i = 1; i < pointCount(); ++i) {
        const ClipResult r =
            clipSegment(window(), xs_[i - 1], ys_[i - 1], xs_[i], ys_[i], disContinue_);
        if (r.outcome == ClipResult::Outcome::Rejected) {
            open = false;
            continue;
        }
        if (!open || r.firstCut) {
            points.push_back(graph.pointToPixel(r.x0, r.y0));
            counts.push_back(1);
        }
        points.push_back(graph.pointToPixel(r.x1, r.y1));
        ++counts.back();
        open = r.outcome == ClipResult::Outcome::Inside;
    }
}

void TXYLineSeries::drawLine(DrawList& out, const TXYGraphCore& graph) const {
    DrawCommand c;
    c.kind = DrawCommand::Kind::Polylines;
    c.pen = linePen_;
    c.brush.style = TBrushStyle::bsClear;
    linePolylines(graph, c.points, c.counts);
    if (!c.counts.empty())
        out.push_back(std::move(c));
}

void TXYLineSeries::draw(DrawList& out, const TXYGraphCore& graph) const {
    drawLine(out, graph);
}

// ---- marker ----

DrawCommand markerCommand(const TGraphMarker& marker, int x, int y) {
    const int s = marker.Size;
    const int h = s / 2;
    DrawCommand c = segments(marker.Pen);
    c.brush = marker.Brush;
    auto plus = [&] {
        c.points.insert(c.points.end(), {{x, y - h}, {x, y - h + s}, {x - h, y}, {x - h + s, y}});
    };
    auto times = [&] {
        c.points.insert(
            c.points.end(),
            {{x - h, y - h}, {x - h + s, y - h + s}, {x - h, y - h + s}, {x - h + s, y - h}});
    };
    switch (marker.Shape) {
    case TMarkerShape::msPlus:
        plus();
        break;
    case TMarkerShape::msTimes:
        times();
        break;
    case TMarkerShape::msStar:
        plus();
        times();
        break;
    case TMarkerShape::msSquare:
        c.kind = DrawCommand::Kind::Rectangle;
        c.rect = {x - h, y - h, x - h + s, y - h + s};
        break;
    case TMarkerShape::msCircle:
        c.kind = DrawCommand::Kind::Ellipse;
        c.rect = {x - h, y - h, x - h + s, y - h + s};
        break;
    case TMarkerShape::msPoint:
        c.kind = DrawCommand::Kind::Pixel;
        c.color = marker.Brush.color;
        c.points = {{x, y}};
        break;
    case TMarkerShape::msTriangleUp:
        c.kind = DrawCommand::Kind::Polygon;
        c.points = {{x, y - h}, {x - h, y + h}, {x + s - h, y + h}};
        break;
    case TMarkerShape::msTriangleDown:
        c.kind = DrawCommand::Kind::Polygon;
        c.points = {{x, y + h}, {x - h, y - h}, {x + s - h, y - h}};
        break;
    case TMarkerShape::msDiamond:
        c.kind = DrawCommand::Kind::Polygon;
        c.points = {{x, y - h}, {x - h, y}, {x + s - 2 * h, y + s - h}, {x + s - h, y + s - 2 * h}};
        break;
    }
    return c;
}

void TXYMarkerSeries::setMarker(const TGraphMarker& marker) {
    marker_ = marker;
    changed();
}

void TXYMarkerSeries::setSeriesColor(TColor color) {
    marker_.Brush.color = color;
    TXYLineSeries::setSeriesColor(color);
}

void TXYMarkerSeries::setJoined(bool on) {
    joined_ = on;
    changed();
}

void TXYMarkerSeries::draw(DrawList& out, const TXYGraphCore& graph) const {
    if (joined_)
        drawLine(out, graph);
    if (!marker_.Visible)
        return;
    const TValueWindow& w = window();
    for (int i = 0; i < pointCount(); ++i) {
        const double x = xs_[i], y = ys_[i];
        if (x < w.xMin || x > w.xMax || y < w.yMin || y > w.yMax)
            continue;
        const TPoint p = graph.pointToPixel(x, y);
        out.push_back(markerCommand(marker_, p.x, p.y));
    }
}

// ---- arrow ----

void TXYArrowSeries::setArrowSize(int pixels) {
    if (pixels < 0)
        return;
    arrowSize_ = pixels;
    changed();
}

int TXYArrowSeries::addArrow(double x, double y, double endX, double endY) {
    endXs_.add(endX);
    endYs_.add(endY);
    const int index = appendPoint(x, y);
    pointAdded(index);
    return index;
}

void TXYArrowSeries::deletePoint(int index) {
    endXs_.remove(index);
    endYs_.remove(index);
    TXYLineSeries::deletePoint(index);
}

void TXYArrowSeries::clear() {
    endXs_.clear();
    endYs_.clear();
    TXYLineSeries::clear();
}

TExtents TXYArrowSeries::extents() const {
    TExtents e = TXYLineSeries::extents();
    e.xMin = std::min(e.xMin, endXs_.minValue());
    e.xMax = std::max(e.xMax, endXs_.maxValue());
    e.yMin = std::min(e.yMin, endYs_.minValue());
    e.yMax = std::max(e.yMax, endYs_.maxValue());
    return e;
}

void TXYArrowSeries::draw(DrawList& out, const TXYGraphCore& graph) const {
    DrawCommand shafts = segments(linePen_);
    DrawCommand heads;
    heads.kind = DrawCommand::Kind::Polylines;
    heads.pen = linePen_;
    heads.brush.style = TBrushStyle::bsClear;
    for (int i = 0; i < pointCount(); ++i) {
        const ClipResult r =
            clipSegment(window(), xs_[i], ys_[i], endXs_[i], endYs_[i], disContinue_);
        if (r.outcome == ClipResult::Outcome::Rejected)
            continue;
        const TPoint from = graph.pointToPixel(r.x0, r.y0);
        const TPoint tip = graph.pointToPixel(r.x1, r.y1);
        shafts.points.push_back(from);
        shafts.points.push_back(tip);
        if (r.outcome != ClipResult::Outcome::Inside)
            continue;
        double phi;
        if (tip.x == from.x)
            phi = tip.y < from.y ? 90.0 : 270.0;
        else
            phi = std::atan2(from.y - tip.y, tip.x - from.x) * 180.0 / std::numbers::pi;
        // Offsets are snapped before rounding so that both wings round alike
        // (1.4999999 and -1.5000001 are both halves).
        auto offset = [](double v) {
            return static_cast<int>(std::lround(std::round(v * 1e9) / 1e9));
        };
        auto wing = [&](double degrees) {
            const double a = (phi + degrees) * std::numbers::pi / 180.0;
            return TPoint{tip.x + offset(arrowSize_ * std::cos(a)),
                          tip.y + offset(-arrowSize_ * std::sin(a))};
        };
        heads.points.insert(heads.points.end(), {wing(150), tip, wing(210)});
        heads.counts.push_back(3);
    }
    if (!shafts.points.empty())
        out.push_back(std::move(shafts));
    if (!heads.points.empty())
        out.push_back(std::move(heads));
}

void TXYArrowSeries::writeData(std::ostream& out) const {
    TXYLineSeries::writeData(out);
    endXs_.writeTo(out);
    endYs_.writeTo(out);
}

void TXYArrowSeries::readData(std::istream& in) {
    readAligned(in, {&xs_, &ys_, &endXs_, &endYs_});
    changed();
}

void TXYArrowSeries::addSamplePoint(double x, double y, double yRange, std::mt19937& random) {
    endXs_.add(x + uniform(random, -0.1, 0.1) * yRange);
    endYs_.add(y + uniform(random, -0.25, 0.25) * yRange);
    appendPoint(x, y);
}

// ---- bubble ----

void TXYBubbleSeries::setBrush(const TBrush& brush) {
    brush_ = brush;
    TXYGraphSeries::setSeriesColor(brush.color);
}

void TXYBubbleSeries::setPen(const TPen& pen) {
    pen_ = pen;
    changed();
}

void TXYBubbleSeries::setSeriesColor(TColor color) {
    brush_.color = color;
    TXYGraphSeries::setSeriesColor(color);
}

void TXYBubbleSeries::setMaxSizeRate(int percent) {
    if (percent <= 0)
        return;
    maxSizeRate_ = percent;
    changed();
}

int TXYBubbleSeries::addBubble(double x, double y, double size) {
    sizes_.add(size);
    const int index = appendPoint(x, y);
    pointAdded(index);
    return index;
}

void TXYBubbleSeries::deletePoint(int index) {
    sizes_.remove(index);
    TXYGraphSeries::deletePoint(index);
}

void TXYBubbleSeries::clear() {
    sizes_.clear();
    TXYGraphSeries::clear();
}

int TXYBubbleSeries::maxRadius(const TXYGraphCore& graph, int maxSizeRate) {
    const TGraphAxis& x = graph.XAxis();
    int xWidth = x.layoutRect().width();
    if (x.AxisTitleLoc() == TAxisTitleLoc::tlHead || x.AxisTitleLoc() == TAxisTitleLoc::tlFoot)
        xWidth = std::max(xWidth, x.titleExtent().cx / 2);
    const int width = std::min(graph.YAxis().layoutRect().width(), xWidth);
    return maxSizeRate * width / 100;
}

void TXYBubbleSeries::draw(DrawList& out, const TXYGraphCore& graph) const {
    if (sizes_.count() == 0 || !(sizes_.maxValue() > 0))
        return;
    const double largest = sizes_.maxValue();
    const int radiusMax = maxRadius(graph, maxSizeRate_);
    for (int i = 0; i < pointCount(); ++i) {
        const double v = sizes_[i];
        if (!(v > 0))
            continue;
        TPoint p;
        try {
            p = graph.pointToPixel(xs_[i], ys_[i]);
        } catch (const EXYGraphAxisError&) {
            continue; // a value a log axis cannot show
        }
        const int r = static_cast<int>(std::lround(v * radiusMax / largest));
        DrawCommand c;
        c.kind = DrawCommand::Kind::Ellipse;
        c.pen = pen_;
        c.brush = brush_;
        c.rect = {p.x - r, p.y - r, p.x + r, p.y + r};
        out.push_back(std::move(c));
    }
}

void TXYBubbleSeries::writeData(std::ostream& out) const {
    TXYGraphSeries::writeData(out);
    sizes_.writeTo(out);
}

void TXYBubbleSeries::readData(std::istream& in) {
    readAligned(in, {&xs_, &ys_, &sizes_});
    changed();
}

void TXYBubbleSeries::addSamplePoint(double x, double y, double yRange, std::mt19937& random) {
    sizes_.add(uniform(random, 0.0, 0.25) * yRange);
    appendPoint(x, y);
}

// ---- error bar ----

void TXYErrorBarSeries::setJoined(bool on) {
    joined_ = on;
    changed();
}

// Negative sizes are refused; 0 (no caps) can be changed back later.
void TXYErrorBarSeries::setBarSize(int pixels) {
    if (pixels < 0)
        return;
    barSize_ = pixels;
    changed();
}

void TXYErrorBarSeries::setPen(const TPen& pen) {
    pen_ = pen;
    changed();
}

int TXYErrorBarSeries::addErrorBar(double x, double y, double lowerError, double upperError) {
    lowers_.add(lowerError);
    uppers_.add(upperError);
    const int index = appendPoint(x, y);
    pointAdded(index);
    return index;
}

void TXYErrorBarSeries::deletePoint(int index) {
    lowers_.remove(index);
    uppers_.remove(index);
    TXYLineSeries::deletePoint(index);
}

void TXYErrorBarSeries::clear() {
    lowers_.clear();
    uppers_.clear();
    TXYLineSeries::clear();
}

// Every bar lies inside the extents, so automatic limits never cut one.
TExtents TXYErrorBarSeries::extents() const {
    TExtents e = TXYLineSeries::extents();
    for (int i = 0; i < pointCount(); ++i) {
        e.yMax = std::max(e.yMax, ys_[i] + std::max(0.0, uppers_[i]));
        e.yMin = std::min(e.yMin, ys_[i] - std::max(0.0, lowers_[i]));
    }
    return e;
}

void TXYErrorBarSeries::draw(DrawList& out, const TXYGraphCore& graph) const {
    if (joined_)
        drawLine(out, graph);
    const int half = barSize_ / 2;
    for (int i = 0; i < pointCount(); ++i) {
        const double x = xs_[i], y = ys_[i];
        const double lower = lowers_[i] > 0 ? y - lowers_[i] : y;
        const double upper = uppers_[i] > 0 ? y + uppers_[i] : y;
        const ClipResult r = clipSegment(window(), x, lower, x, upper, disContinue_);
        if (r.outcome == ClipResult::Outcome::Rejected)
            continue;
        const TPoint lo = graph.pointToPixel(r.x0, r.y0);
        const TPoint up = graph.pointToPixel(r.x1, r.y1);
        DrawCommand c = segments(pen_);
        c.points = {lo, up};
        // A cap marks the true end of an error; a bar cut at the window has none there.
        if (lowers_[i] > 0 && !r.firstCut)
            c.points.insert(c.points.end(), {{lo.x - half, lo.y}, {lo.x - half + barSize_, lo.y}});
        if (uppers_[i] > 0 && r.outcome == ClipResult::Outcome::Inside)
            c.points.insert(c.points.end(), {{up.x - half, up.y}, {up.x - half + barSize_, up.y}});
        out.push_back(std::move(c));
    }
}

void TXYErrorBarSeries::writeData(std::ostream& out) const {
    TXYLineSeries::writeData(out);
    lowers_.writeTo(out);
    uppers_.writeTo(out);
}

void TXYErrorBarSeries::readData(std::istream& in) {
    readAligned(in, {&xs_, &ys_, &lowers_, &uppers_});
    changed();
}

void TXYErrorBarSeries::addSamplePoint(double x, double y, double yRange, std::mt19937& random) {
    lowers_.add(uniform(random, 0.0, 0.1) * yRange);
    uppers_.add(uniform(random, 0.0, 0.1) * yRange);
    appendPoint(x, y);
}

// ---- kinds ----

namespace {
template <typename S> std::unique_ptr<TXYGraphSeries> make(const std::string& name) {
    return std::make_unique<S>(name);
}
} // namespace

const std::vector<SeriesKind>& seriesKinds() {
    static const std::vector<SeriesKind> kinds = {
        {"折れ線", &make<TXYLineSeries>},         {"散布図", &make<TXYMarkerSeries>},
        {"矢印", &make<TXYArrowSeries>},          {"泡", &make<TXYBubbleSeries>},
        {"エラーバー", &make<TXYErrorBarSeries>},
    };
    return kinds;
}

std::unique_ptr<TXYGraphSeries> createSeries(const std::string& kindName,
                                             const std::string& seriesName) {
    for (const auto& kind : seriesKinds())
        if (kind.name == kindName)
            return kind.create(seriesName);
    return nullptr;
}

} // namespace tenvoll::charts
