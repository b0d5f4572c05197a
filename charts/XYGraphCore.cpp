// The XY graph without a toolkit: layout, paint order, zoom and palette.
#include "charts/XYGraphCore.h"

#include "charts/GraphErrors.h"
#include "charts/XYSeries.h"

#include <algorithm>
#include <cmath>

namespace tenvoll::charts {

TSize FixedTextMeasurer::textExtent(const TFont& font, const std::string& text) const {
    // Counts characters of the UTF-8 text; wide (multi-byte) ones count double.
    int units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        units += len == 1 ? 1 : 2;
        i += static_cast<std::size_t>(len);
    }
    const int h = font.pixelHeight();
    return {units * (h * 6 / 10), h + h / 5};
}

TXYGraphCore::TXYGraphCore() : xAxis_(*this, true), yAxis_(*this, false) {}

TXYGraphCore::~TXYGraphCore() {
    OnChange = nullptr;
    while (!series_.empty())
        delete series_.back(); // its destructor unlinks it
}

void TXYGraphCore::changed() {
    if (OnChange && !inLayout_)
        OnChange();
}

// ---- properties ----

void TXYGraphCore::setAllowZoom(bool on) {
    allowZoom_ = on;
    changed();
}
void TXYGraphCore::setAutoAspectRatio(bool on) {
    autoAspectRatio_ = on;
    changed();
}
void TXYGraphCore::setAxesFront(bool on) {
    axesFront_ = on;
    changed();
}
void TXYGraphCore::setBackColor(TColor color) {
    backColor_ = color;
    changed();
}
void TXYGraphCore::setColor(TColor color) {
    color_ = color;
    changed();
}
void TXYGraphCore::setGridPen(const TPen& pen) {
    gridPen_ = pen;
    changed();
}
void TXYGraphCore::setGridStyle(TGraphGridStyle style) {
    gridStyle_ = style;
    if (style == TGraphGridStyle::gsNone)
        subGrid_ = false;
    changed();
}
void TXYGraphCore::setSubGrid(bool on) {
    if (on && gridStyle_ == TGraphGridStyle::gsNone)
        return;
    subGrid_ = on;
    changed();
}
void TXYGraphCore::setPiSymbol(const std::string& symbol) {
    piSymbol_ = symbol;
    changed();
}
void TXYGraphCore::setSubGridPen(const TPen& pen) {
    subGridPen_ = pen;
    changed();
}
void TXYGraphCore::setTitle(const std::vector<std::string>& lines) {
    title_ = lines;
    changed();
}
void TXYGraphCore::setTitleFont(const TFont& font) {
    titleFont_ = font;
    changed();
}
void TXYGraphCore::setTitleAlignment(TTitleAlignment alignment) {
    titleAlignment_ = alignment;
    changed();
}

// ---- series ----

void TXYGraphCore::attachSeries(TXYGraphSeries* series) {
    series_.push_back(series);
}

void TXYGraphCore::detachSeries(TXYGraphSeries* series) {
    series_.erase(std::remove(series_.begin(), series_.end(), series), series_.end());
}

TColor TXYGraphCore::nextDefaultColor() const {
    for (std::size_t uses = 0;; ++uses)
        for (TColor color : kDefaultPalette) {
            const auto n = static_cast<std::size_t>(
                std::count_if(series_.begin(), series_.end(),
                              [&](const TXYGraphSeries* s) { return s->SeriesColor() == color; }));
            if (n == uses)
                return color;
        }
}

bool TXYGraphCore::hasDrawableSeries() const {
    return std::any_of(series_.begin(), series_.end(),
                       [](const TXYGraphSeries* s) { return s->Active() && s->pointCount() > 0; });
}

std::optional<TExtents> TXYGraphCore::drawableExtents() const {
    std::optional<TExtents> all;
    for (const TXYGraphSeries* s : series_) {
        if (!s->Active() || s->pointCount() == 0)
            continue;
        const TExtents e = s->extents();
        if (!all) {
            all = e;
            continue;
        }
        all->xMin = std::min(all->xMin, e.xMin);
        all->xMax = std::max(all->xMax, e.xMax);
        all->yMin = std::min(all->yMin, e.yMin);
        all->yMax = std::max(all->yMax, e.yMax);
    }
    return all;
}

double TXYGraphCore::dataMin(bool horizontal) const {
    const std::optional<TExtents> e = drawableExtents();
    if (!e)
        return (horizontal ? xAxis_ : yAxis_).Min();
    return horizontal ? e->xMin : e->yMin;
}

double TXYGraphCore::dataMax(bool horizontal) const {
    const std::optional<TExtents> e = drawableExtents();
    if (!e)
        return (horizontal ? xAxis_ : yAxis_).Max();
    return horizontal ? e->xMax : e->yMax;
}

// ---- layout ----

void TXYGraphCore::setTextMeasurer(const TextMeasurer* measurer) {
    measurer_ = measurer ? measurer : &fixedMeasurer_;
}

void TXYGraphCore::setClientSize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
}

int TXYGraphCore::titleBandHeight() const {
    int band = 0;
    for (const std::string& line : title_)
        band += measurer_->textExtent(titleFont_, line.empty() ? std::string(" ") : line).cy;
    return band;
}

TRect TXYGraphCore::plotRect() const {
    return {xAxis_.pixelStart(), yAxis_.pixelEnd(), xAxis_.pixelEnd() + 1, yAxis_.pixelStart() + 1};
}

TPoint TXYGraphCore::pointToPixel(double x, double y) const {
    return {xAxis_.valueToPixel(x), yAxis_.valueToPixel(y)};
}

namespace {

// Fraction of the axis' value range at which its crossing point lies.
double originFraction(const TGraphAxis& axis) {
    double f;
    if (axis.AxisScale() == TAxisScale::asLog)
        f = axis.decades() > 0 ? std::log10(axis.Origin() / axis.Min()) / axis.decades() : 0;
    else
        f = (axis.Origin() - axis.Min()) / axis.range();
    return axis.Inverted() ? 1 - f : f;
}

// Half of a head or foot title's extent across the crossing axis.
int halfEndTitle(const TGraphAxis& crossing) {
    if (!crossing.Visible() || crossing.Title().empty())
        return 0;
    const TAxisTitleLoc loc = crossing.AxisTitleLoc();
    if (loc != TAxisTitleLoc::tlHead && loc != TAxisTitleLoc::tlFoot)
        return 0;
    const TSize t = crossing.titleExtent();
    return (crossing.horizontal() ? t.cy : t.cx) / 2;
}

} // namespace

// Moves the near edge of `rect` inward until the crossing axis' labels and
// title fit between the edge and the crossing point; likewise a head or foot
// title of the crossing axis at the far side.
void TXYGraphCore::roomForCrossing(TGraphAxis& axis, const TGraphAxis& crossing, TRect& rect,
                                   const TRect&) {
    const bool h = axis.horizontal();
    const int band = std::max(crossing.labelBand(), halfEndTitle(crossing));
    const int cross = axis.valueToPixel(axis.Origin());
    const int edge = h ? rect.left : rect.bottom - 1;
    const int distance = h ? cross - edge : edge - cross;
    if (distance < band) {
        const int target = h ? edge + band : edge - band;
        const int start = axis.pixelStart();
        const int end = axis.pixelEnd();
        const double f = originFraction(axis);
        const bool beyond = h ? target >= end : target <= end;
        int shift;
        if (beyond || f >= 1) {
            shift = h ? start - edge : edge - start;
        } else {
            const double s = (target - end * f) / (1 - f);
            shift = static_cast<int>(std::lround(h ? s - start : start - s));
        }
        if (shift > 0) {
            (h ? rect.left : rect.bottom) += h ? shift : -shift;
            axis.layout(rect);
        }
    }
    // Far side: a head or foot title of the crossing axis, centred on its line.
    const int farBand = halfEndTitle(crossing);
    const int crossNow = axis.valueToPixel(axis.Origin());
    const int farEdge = h ? rect.right - 1 : rect.top;
    const int farDistance = h ? farEdge - crossNow : crossNow - farEdge;
    if (farDistance < farBand) {
        (h ? rect.right : rect.top) += h ? -(farBand - farDistance) : farBand - farDistance;
        axis.layout(rect);
    }
}

void TXYGraphCore::layoutAxes(const TRect& yRect, const TRect& xRect) {
    TRect y = yRect, x = xRect;
    yAxis_.layout(y);
    xAxis_.layout(x);
    roomForCrossing(yAxis_, xAxis_, y, x);
    roomForCrossing(xAxis_, yAxis_, x, y);
}

void TXYGraphCore::layout() {
    inLayout_ = true;
    const TRect client{0, titleBandHeight(), width_, height_};
    TRect yRect = client, xRect = client;
    if (xAxis_.AxisTitleLoc() == TAxisTitleLoc::tlFixed && !xAxis_.Title().empty())
        yRect.bottom -= xAxis_.titleExtent().cy + xAxis_.LabelSpace();
    if (yAxis_.AxisTitleLoc() == TAxisTitleLoc::tlFixed && !yAxis_.Title().empty())
        xRect.left += yAxis_.titleExtent().cx;
    layoutAxes(yRect, xRect);
    if (autoAspectRatio_) {
        const double r = xAxis_.range() / yAxis_.range();
        const int w = xAxis_.pixelLength(), h = yAxis_.pixelLength();
        const double p = h == 0 ? 1000.0 : static_cast<double>(w) / h;
        if (r > p) {
            const int d = (h - static_cast<int>(std::lround(w / r))) / 2;
            yRect.top += d;
            yRect.bottom -= d;
        } else {
            const int d = (w - static_cast<int>(std::lround(r * h))) / 2;
            xRect.left += d;
            xRect.right -= d;
        }
        layoutAxes(yRect, xRect);
    }
    inLayout_ = false;
}

// ---- drawing ----

namespace {

DrawCommand fill(const TRect& rect, TColor color) {
    DrawCommand c;
    c.kind = DrawCommand::Kind::FillRect;
    c.rect = rect;
    c.brush = {color, TBrushStyle::bsSolid};
    return c;
}

// Text whose bounding box (after turning by `angle`) has its top-left at (x, y).
DrawCommand textInBox(const std::string& text, const TFont& font, int angle, TSize upright, int x,
                      int y) {
    DrawCommand c;
    c.kind = DrawCommand::Kind::Text;
    c.text = text;
    c.font = font;
    switch (angle) {
    case 90:
        c.points = {{x, y + upright.cx}};
        break;
    case 180:
        c.points = {{x + upright.cx, y + upright.cy}};
        break;
    case 270:
        c.points = {{x + upright.cy, y}};
        break;
    default:
        c.points = {{x, y}};
    }
    return c;
}

} // namespace

void TXYGraphCore::drawTitle(DrawList& out) const {
    int y = 0;
    for (const std::string& line : title_) {
        const TSize s = measurer_->textExtent(titleFont_, line.empty() ? std::string(" ") : line);
        int x = 0;
        if (titleAlignment_ == TTitleAlignment::taRightJustify)
            x = width_ - s.cx;
        else if (titleAlignment_ == TTitleAlignment::taCenter)
            x = (width_ - s.cx) / 2;
        if (!line.empty())
            out.push_back(textInBox(line, titleFont_, 0, s, x, y));
        y += s.cy;
    }
}

void TXYGraphCore::drawGrid(DrawList& out) const {
    const bool across =
        gridStyle_ == TGraphGridStyle::gsHorizontal || gridStyle_ == TGraphGridStyle::gsBoth;
    const bool down =
        gridStyle_ == TGraphGridStyle::gsVertical || gridStyle_ == TGraphGridStyle::gsBoth;
    DrawCommand sub;
    sub.kind = DrawCommand::Kind::Segments;
    sub.pen = subGridPen_;
    sub.brush.style = TBrushStyle::bsClear;
    DrawCommand major = sub;
    major.pen = gridPen_;
    if (across) {
        for (int i = 0; subGrid_ && i < yAxis_.subTicks().count(); ++i) {
            const int py = yAxis_.valueToPixel(yAxis_.subTicks()[i]);
            sub.points.insert(sub.points.end(),
                              {{xAxis_.pixelStart(), py}, {xAxis_.pixelEnd(), py}});
        }
        for (int i = 0; i < yAxis_.majorTicks().count(); ++i) {
            const int py = yAxis_.valueToPixel(yAxis_.majorTicks()[i]);
            major.points.insert(major.points.end(),
                                {{xAxis_.lineStart(), py}, {xAxis_.lineEnd(), py}});
        }
    }
    if (down) {
        for (int i = 0; subGrid_ && i < xAxis_.subTicks().count(); ++i) {
            const int px = xAxis_.valueToPixel(xAxis_.subTicks()[i]);
            sub.points.insert(sub.points.end(),
                              {{px, yAxis_.pixelStart()}, {px, yAxis_.pixelEnd()}});
        }
        for (int i = 0; i < xAxis_.majorTicks().count(); ++i) {
            const int px = xAxis_.valueToPixel(xAxis_.majorTicks()[i]);
            major.points.insert(major.points.end(),
                                {{px, yAxis_.lineStart()}, {px, yAxis_.lineEnd()}});
        }
    }
    if (!sub.points.empty())
        out.push_back(std::move(sub));
    if (!major.points.empty())
        out.push_back(std::move(major));
}

void TXYGraphCore::drawAxis(DrawList& out, const TGraphAxis& axis) const {
    if (!axis.Visible())
        return;
    const bool h = axis.horizontal();
    const TGraphAxis& other = h ? yAxis_ : xAxis_;
    const int cross = other.valueToPixel(other.Origin());

    DrawCommand lines;
    lines.kind = DrawCommand::Kind::Segments;
    lines.pen = axis.AxisPen();
    lines.brush.style = TBrushStyle::bsClear;
    auto segment = [&](int along0, int across0, int along1, int across1) {
        if (h)
            lines.points.insert(lines.points.end(), {{along0, across0}, {along1, across1}});
        else
            lines.points.insert(lines.points.end(), {{across0, along0}, {across1, along1}});
    };
    segment(axis.lineStart(), cross, axis.lineEnd(), cross);
    if (axis.Ticks()) {
        // Into the plot: up from the horizontal axis, right from the vertical one.
        const int dir = h ? -1 : 1;
        for (int i = 0; i < axis.majorTicks().count(); ++i) {
            const int p = axis.valueToPixel(axis.majorTicks()[i]);
            segment(p, cross, p, cross + dir * axis.TickLen());
        }
        for (int i = 0; i < axis.subTicks().count(); ++i) {
            const int p = axis.valueToPixel(axis.subTicks()[i]);
            segment(p, cross, p, cross + dir * axis.SubTickLen());
        }
    }
    out.push_back(std::move(lines));

    int labelAcross = 0; // extent of the labels away from the line
    if (axis.Labels()) {
        for (int i = 0; i < axis.labelValues().count(); ++i) {
            const double v = axis.labelValues()[i];
            if (!axis.LabelsOnAxis() && std::fabs(v - axis.Origin()) < 1e-10)
                continue;
            const std::string text = axis.labelText(v);
            const TSize s = measurer_->textExtent(axis.LabelFont(), text);
            const int p = axis.valueToPixel(v);
            if (h) {
                out.push_back(textInBox(text, axis.LabelFont(), 0, s, p - s.cx / 2,
                                        cross + axis.LabelSpace()));
                labelAcross = std::max(labelAcross, s.cy);
            } else {
                out.push_back(textInBox(text, axis.LabelFont(), 0, s,
                                        cross - axis.LabelSpace() - s.cx, p - s.cy / 2));
                labelAcross = std::max(labelAcross, s.cx);
            }
        }
    }

    if (axis.Title().empty())
        return;
    TFont upright = axis.TitleFont();
    upright.orientation = 0;
    const TSize u = measurer_->textExtent(upright, axis.Title());
    const TSize t = axis.titleExtent();
    const TRect& r = axis.layoutRect();
    const int twoThirds = h ? axis.pixelStart() + axis.pixelLength() * 2 / 3
                            : axis.pixelStart() - axis.pixelLength() * 2 / 3;
    const int beside = axis.LabelSpace() + (axis.Labels() ? labelAcross + axis.LabelSpace() : 0);
    int x = 0, y = 0;
    switch (axis.AxisTitleLoc()) {
    case TAxisTitleLoc::tlHead:
        x = h ? r.right - t.cx : cross - t.cx / 2;
        y = h ? cross - t.cy / 2 : r.top;
        break;
    case TAxisTitleLoc::tlFoot:
        x = h ? axis.lineStart() - axis.LabelSpace() - t.cx : cross - t.cx / 2;
        y = h ? cross - t.cy / 2 : r.bottom - t.cy;
        break;
    case TAxisTitleLoc::tlSide:
        x = h ? twoThirds - t.cx / 2 : cross - beside - t.cx;
        y = h ? cross + beside : twoThirds - t.cy / 2;
        break;
    case TAxisTitleLoc::tlFixed:
        x = h ? twoThirds - t.cx / 2 : 0;
        y = h ? height_ - t.cy : twoThirds - t.cy / 2;
        break;
    }
    out.push_back(textInBox(axis.Title(), axis.TitleFont(), axis.TitleAngle(), u, x, y));
}

void TXYGraphCore::drawSeries(DrawList& out) {
    if (!hasDrawableSeries())
        return;
    DrawCommand clip;
    clip.kind = DrawCommand::Kind::Clip;
    clip.rect = plotRect();
    out.push_back(clip);
    const TValueWindow window{xAxis_.Min(), xAxis_.Max(), yAxis_.Min(), yAxis_.Max()};
    for (TXYGraphSeries* s : series_) {
        if (!s->Active() || s->pointCount() == 0)
            continue;
        s->setWindow(window);
        s->draw(out, *this);
    }
    DrawCommand noClip;
    noClip.kind = DrawCommand::Kind::NoClip;
    out.push_back(noClip);
}

DrawList TXYGraphCore::paint() {
    layout();
    DrawList out;
    out.push_back(fill({0, 0, width_, height_}, color_));
    out.push_back(fill(plotRect(), backColor_));
    drawTitle(out);
    if (!axesFront_) {
        drawGrid(out);
        drawAxis(out, xAxis_);
        drawAxis(out, yAxis_);
        drawSeries(out);
    } else {
        drawSeries(out);
        drawGrid(out);
        drawAxis(out, xAxis_);
        drawAxis(out, yAxis_);
    }
    if (OnAfterDraw)
        OnAfterDraw(out);
    return out;
}

// ---- zoom ----

void TXYGraphCore::zoomBand(int x0, int y0, int x1, int y1) {
    if (!allowZoom_)
        return;
    const int dx = x1 - x0, dy = y1 - y0;
    if (dx > 5 && dy > 5)
        zoomTo({x0, y0, x1, y1});
    else if (dx < -5 && dy < -5)
        undoZoom();
}

void TXYGraphCore::zoomTo(const TRect& band) {
    const TRect plot = plotRect();
    const TRect r{std::max(band.left, plot.left), std::max(band.top, plot.top),
                  std::min(band.right, plot.right), std::min(band.bottom, plot.bottom)};
    if (r.empty())
        return;
    const double xa = xAxis_.pixelToValue(r.left), xb = xAxis_.pixelToValue(r.right - 1);
    const double ya = yAxis_.pixelToValue(r.top), yb = yAxis_.pixelToValue(r.bottom - 1);
    if (xa == xb || ya == yb)
        return;
    if (!zoomed_) {
        savedX_ = {xAxis_.Min(), xAxis_.Max(), xAxis_.AutoMin(), xAxis_.AutoMax()};
        savedY_ = {yAxis_.Min(), yAxis_.Max(), yAxis_.AutoMin(), yAxis_.AutoMax()};
    }
    xAxis_.setRange(std::min(xa, xb), std::max(xa, xb), false, false);
    yAxis_.setRange(std::min(ya, yb), std::max(ya, yb), false, false);
    zoomed_ = true;
    if (OnZoom)
        OnZoom();
    changed();
}

void TXYGraphCore::undoZoom() {
    if (!zoomed_)
        return;
    xAxis_.setRange(savedX_.min, savedX_.max, savedX_.autoMin, savedX_.autoMax);
    yAxis_.setRange(savedY_.min, savedY_.max, savedY_.autoMin, savedY_.autoMax);
    zoomed_ = false;
    if (OnUndoZoom)
        OnUndoZoom();
    changed();
}

} // namespace tenvoll::charts
