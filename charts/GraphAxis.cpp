// One axis of the XY graph.
#include "charts/GraphAxis.h"

#include "charts/GraphErrors.h"
#include "charts/XYGraphCore.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>

namespace tenvoll::charts {

namespace {

constexpr double kMinRange = 1e-8;
constexpr double kZero = 1e-10;
// Mantissas of log ticks, best labels first.
constexpr double kMantissa[15] = {1, 5, 2, 3, 1.5, 7, 4, 6, 1.2, 8, 9, 1.3, 2.5, 1.1, 1.4};
// More ticks than this would come only from a step far too small for the data.
constexpr double kMaxTickSteps = 10000;

[[noreturn]] void axisError(const char* message) {
    throw EXYGraphAxisError(message);
}

// Number text with 14 significant digits, trailing zeros dropped; scientific
// for very large or very small magnitudes.
std::string formatGeneral(double v) {
    if (v == 0.0)
        return "0";
    // to_chars writes what printf's "%.13e" and "%.*f" write, without the locale
    // and format parsing: a chart lays out its labels many times per paint.
    char buf[400];
    char* end = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::scientific, 13).ptr;
    *end = '\0';
    const char* e = std::strchr(buf, 'e');
    const int exponent = e ? std::atoi(e + 1) : 0;
    if (exponent < 14 && std::fabs(v) >= 1e-5) {
        end = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::fixed,
                            std::max(0, 13 - exponent))
                  .ptr;
        std::string s(buf, end);
        if (s.find('.') != std::string::npos) {
            while (s.back() == '0')
                s.pop_back();
            if (s.back() == '.')
                s.pop_back();
        }
        return s == "-0" ? "0" : s;
    }
    std::string mantissa(buf, e ? static_cast<std::size_t>(e - buf) : std::strlen(buf));
    while (mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return mantissa + "E" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
}

std::string formatFixed(double v, int digits) {
    char buf[512];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, digits < 0 ? 6 : digits);
    std::string s = written.ec == std::errc() ? std::string(buf, written.ptr) : std::to_string(v);
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

} // namespace

TGraphAxis::TGraphAxis(TXYGraphCore& graph, bool horizontal)
    : graph_(graph), horizontal_(horizontal) {
    titleFont_ = labelFont_;
    buildTicks();
}

void TGraphAxis::changed() {
    if (loading_)
        return;
    recompute();
    graph_.changed();
}

void TGraphAxis::recompute() {
    autoScale();
}

// ---- setters ----

void TGraphAxis::setAutoDecimal(bool on) {
    autoDecimal_ = on;
    if (on)
        labelDecimal_ = 0;
    changed();
}

void TGraphAxis::setAutoMax(bool on) {
    if (on == autoMax_)
        return;
    autoMax_ = on;
    if (on)
        changed();
}

void TGraphAxis::setAutoMin(bool on) {
    if (on == autoMin_)
        return;
    autoMin_ = on;
    if (on)
        changed();
}

void TGraphAxis::setAutoOrigin(bool on) {
    if (on == autoOrigin_)
        return;
    autoOrigin_ = on;
    if (autoStep_)
        changed();
}

void TGraphAxis::setAutoStep(bool on) {
    if (on == autoStep_)
        return;
    autoStep_ = on;
    if (on)
        changed();
}

void TGraphAxis::setAxisPen(const TPen& pen) {
    axisPen_ = pen;
    changed();
}

void TGraphAxis::setAxisScale(TAxisScale scale) {
    if (scale == axisScale_)
        return;
    if (scale == TAxisScale::asLog && (min_ <= 0 || graph_.dataMin(horizontal_) <= 0))
        axisError("最小値がゼロ以下のため、対数目盛にできません");
    axisScale_ = scale;
    if (min_ > 0)
        decades_ = std::log10(max_ / min_);
    changed();
}

void TGraphAxis::setAxisTitleLoc(TAxisTitleLoc loc) {
    titleLoc_ = loc;
    changed();
}

void TGraphAxis::setExtraLen(int pixels) {
    extraLen_ = pixels;
    changed();
}

void TGraphAxis::setInverted(bool on) {
    inverted_ = on;
    changed();
}

void TGraphAxis::setLabelDecimal(int digits) {
    if (digits < 0)
        axisError("負の値は無効です");
    if (digits > 9)
        return;
    labelDecimal_ = digits;
    autoDecimal_ = false;
    changed();
}

void TGraphAxis::setLabelFont(const TFont& font) {
    labelFont_ = font;
    changed();
}

void TGraphAxis::setLabels(bool on) {
    labels_ = on;
    changed();
}

void TGraphAxis::setLabelsOnAxis(bool on) {
    labelsOnAxis_ = on;
    changed();
}

void TGraphAxis::setLabelSpace(int pixels) {
    labelSpace_ = pixels;
    changed();
}

// A failed limit leaves the axis as it was (value and automatic flag).
void TGraphAxis::setMax(double value) {
    if (value == max_ && !autoMax_)
        return;
    const double oldMax = max_;
    const bool oldAuto = autoMax_;
    max_ = value;
    autoMax_ = false;
    try {
        if (!loading_)
            validateRange(value, min_);
    } catch (const EXYGraphAxisError&) {
        max_ = oldMax;
        autoMax_ = oldAuto;
        throw;
    }
    changed();
}

void TGraphAxis::setMin(double value) {
    if (value == min_ && !autoMin_)
        return;
    const double oldMin = min_;
    const bool oldAuto = autoMin_;
    min_ = value;
    autoMin_ = false;
    try {
        if (!loading_)
            validateRange(max_, value);
    } catch (const EXYGraphAxisError&) {
        min_ = oldMin;
        autoMin_ = oldAuto;
        throw;
    }
    changed();
}

void TGraphAxis::setRange(double min, double max, bool autoMin, bool autoMax) {
    const double oldMin = min_, oldMax = max_;
    try {
        validateRange(max, min);
    } catch (const EXYGraphAxisError&) {
        min_ = oldMin;
        max_ = oldMax;
        throw;
    }
    autoMin_ = autoMin;
    autoMax_ = autoMax;
    changed();
}

void TGraphAxis::setOrigin(double value) {
    if (value < min_)
        axisError("軸の交点の値が最小値以下です");
    if (value > max_)
        axisError("軸の交点の値が最大値を超えています");
    origin_ = value;
    autoOrigin_ = false;
    changed();
}

void TGraphAxis::setSubTickLen(int pixels) {
    subTickLen_ = pixels;
    changed();
}

void TGraphAxis::setSubTicksCount(int count) {
    if (count < 1 || count > 19 || axisScale_ == TAxisScale::asLog)
        return;
    subTicksCount_ = count;
    changed();
}

void TGraphAxis::setTitle(const std::string& title) {
    title_ = title;
    changed();
}

void TGraphAxis::setTitleAngle(int degrees) {
    const int angle = ((degrees % 360) + 360) % 360;
    titleAngle_ = angle / 90 * 90;
    titleFont_.orientation = degrees * 10;
    changed();
}

void TGraphAxis::setTitleFont(const TFont& font) {
    const int orientation = titleFont_.orientation;
    titleFont_ = font;
    titleFont_.orientation = orientation;
    changed();
}

void TGraphAxis::setTickLen(int pixels) {
    tickLen_ = pixels;
    changed();
}

void TGraphAxis::setTicks(bool on) {
    ticks_ = on;
    changed();
}

void TGraphAxis::setTicksCount(int count) {
    if (count < 1 || count > 29)
        return;
    ticksCount_ = count;
    tickTarget_ = count;
    changed();
}

void TGraphAxis::setTickStep(double step) {
    const bool oldAuto = autoStep_;
    autoStep_ = false;
    try {
        validateStep(step);
    } catch (const EXYGraphAxisError&) {
        autoStep_ = oldAuto;
        throw;
    }
    tickStep_ = step;
    changed();
}

void TGraphAxis::setVisible(bool on) {
    visible_ = on;
    changed();
}

// ---- validation ----

void TGraphAxis::validateRange(double max, double min) {
    if (!(min < max))
        axisError("軸の範囲を超えています");
    if (axisScale_ == TAxisScale::asLog && min <= 0)
        axisError("対数目盛では軸の範囲はゼロより大きくないといけません");
    min_ = min;
    max_ = max;
    range_ = max - min;
    if (range_ < kMinRange) {
        range_ = kMinRange;
        max_ = min_ + kMinRange;
    }
    origin_ = std::clamp(origin_, min_, max_);
    if (min_ > 0)
        decades_ = std::log10(max_ / min_);
}

void TGraphAxis::validateStep(double step) const {
    if (step <= 0)
        axisError("目盛間隔はゼロ以下に設定できません");
    if (step > range_)
        axisError("目盛間隔が軸の範囲を超えています");
    if (range_ / step > 30)
        axisError("目盛間隔が小さすぎます");
}

void TGraphAxis::validateAfterLoading() {
    loading_ = false;
    validateRange(max_, min_);
    setTitleAngle(titleAngle_);
}

// ---- scaling ----

double TGraphAxis::niceStep(double span) const {
    const bool pi = axisScale_ == TAxisScale::asPi;
    const double s = pi ? span / std::numbers::pi : span;
    const double a = s / std::max(1, tickTarget_);
    if (!(a > 0) || !std::isfinite(a))
        return pi ? std::numbers::pi : 1.0;
    double p = std::pow(10.0, std::floor(std::log10(a)));
    double m = a / p;
    while (m >= 10) {
        m /= 10;
        p *= 10;
    }
    while (m < 1) {
        m *= 10;
        p /= 10;
    }
    constexpr double tol = 1e-9;
    double step;
    if (m <= 1 + tol)
        step = p;
    else if (m <= 2 + tol)
        step = 2 * p;
    else if (pi || m > 2.5 + tol)
        step = m <= 5 + tol ? 5 * p : 10 * p;
    else
        step = 2.5 * p;
    if (!autoDecimal_) {
        // Every tick must be a value the fixed decimals can show exactly.
        const double unit =
            std::pow(10.0, -labelDecimal_) / (axisScale_ == TAxisScale::asPercent ? 100.0 : 1.0);
        if (step < unit * (1 - tol))
            step = unit;
        else if (std::fabs(step - 2.5 * p) < p * tol && p < 10 * unit * (1 - tol))
            step = 5 * p;
    }
    return pi ? step * std::numbers::pi : step;
}

double TGraphAxis::autoOrigin(double step, double lo, double hi) const {
    if (step == 0)
        return lo;
    if (hi >= 0 && lo <= 0)
        return 0;
    if (lo > 0 && autoMin_)
        return step * std::floor(lo / step);
    if (hi < 0 && autoMax_)
        return step * std::ceil(hi / step);
    return lo;
}

void TGraphAxis::autoScale() {
    const bool fromData = graph_.seriesCount() > 0;
    double hi = autoMax_ && fromData ? graph_.dataMax(horizontal_) : max_;
    double lo = autoMin_ && fromData ? graph_.dataMin(horizontal_) : min_;
    if (hi - lo < kMinRange) {
        lo -= 1;
        hi += 1;
    }
    if (axisScale_ == TAxisScale::asLog) {
        // Non-positive data cannot set a log limit; the limit stays.
        double newMax = max_, newMin = min_;
        if (autoMax_ && hi > 0)
            newMax = std::pow(10.0, std::ceil(std::log10(hi)));
        if (autoMin_ && lo > 0)
            newMin = std::pow(10.0, std::floor(std::log10(lo)));
        if (newMin < newMax && newMin > 0)
            validateRange(newMax, newMin);
        if (autoOrigin_)
            origin_ = min_;
        buildTicks();
        return;
    }
    const double t = autoStep_ ? niceStep(hi - lo) : tickStep_;
    if (autoOrigin_)
        origin_ = autoOrigin(t, lo, hi);
    double newMax = max_, newMin = min_;
    const double tenth = t / 10;
    const double tol = t * 1e-9;
    if (autoMax_) {
        const double base =
            origin_ <= hi ? origin_ + t * std::floor((hi - origin_) / t + 1e-9) : origin_;
        int k = 0;
        while (base + k * tenth < hi - tol)
            ++k;
        newMax = base + k * tenth;
    }
    if (autoMin_) {
        const double base =
            origin_ >= lo ? origin_ - t * std::floor((origin_ - lo) / t + 1e-9) : origin_;
        int k = 0;
        while (base - k * tenth > lo + tol)
            ++k;
        newMin = base - k * tenth;
    }
    if (newMin < newMax)
        validateRange(newMax, newMin);
    if (autoStep_)
        tickStep_ = niceStep(max_ - min_);
    buildTicks();
}

// ---- ticks ----

void TGraphAxis::addTick(TGraphValueList& list, double value) const {
    const double eps = axisScale_ == TAxisScale::asLog ? max_ * 1e-9 : range_ * 1e-9;
    if (value < min_ - eps || value > max_ + eps)
        return;
    value = std::clamp(value, min_, max_);
    if (!list.contains(value))
        list.add(value);
}

void TGraphAxis::buildTicks() {
    majorTicks_.clear();
    subTicks_.clear();
    if (axisScale_ == TAxisScale::asLog && min_ > 0)
        buildLogTicks();
    else
        buildLinearTicks();
    labelValues_.clear();
    for (int i = 0; i < majorTicks_.count(); ++i)
        labelValues_.add(majorTicks_[i]);
}

void TGraphAxis::buildLinearTicks() {
    const double step = tickStep_;
    if (!(step > 0) || range_ / step > kMaxTickSteps)
        return;
    const double sub = step / subTicksCount_;
    const double eps = step / 1000;
    double c0 = autoOrigin_ ? std::ceil(min_ / step - 0.05) * step : origin_;
    while (min_ + eps < c0)
        c0 -= step;
    for (int i = 0;; ++i) {
        double c = c0 + i * step;
        if (!(c < max_ + eps))
            break;
        if (std::fabs(c) < eps * 1e-3)
            c = 0;
        if (c > min_ - eps)
            addTick(majorTicks_, c);
        for (int k = 1; k < subTicksCount_; ++k) {
            const double v = c + k * sub;
            if (v > min_ && v < max_)
                addTick(subTicks_, v);
        }
    }
}

void TGraphAxis::buildLogTicks() {
    const int a = static_cast<int>(std::floor(std::log10(min_) + 1e-12));
    int b = static_cast<int>(std::floor(std::log10(max_) + 1e-12));
    if (a == b)
        ++b;
    const int decades = b - a;
    const int target = std::max(1, tickTarget_);
    int n = target / decades;
    if (n <= 0) {
        const int every = (decades + target - 1) / target;
        for (int x = a; x <= b; x += every) {
            addTick(majorTicks_, std::pow(10.0, x));
            for (int j = 1; j < every; ++j)
                addTick(subTicks_, std::pow(10.0, x - j));
            for (int k = 1; k <= std::min(subTicksCount_ - 1, 14); ++k)
                addTick(subTicks_, std::pow(10.0, x - 1) * kMantissa[k]);
        }
    } else {
        n = std::min(n, 14);
        for (int x = a; x <= b; ++x) {
            for (int k = 0; k < n; ++k)
                addTick(majorTicks_, std::pow(10.0, x) * kMantissa[k]);
            for (int k = n; k <= std::min(n + subTicksCount_, 14); ++k)
                addTick(subTicks_, std::pow(10.0, x - 1) * kMantissa[k]);
        }
    }
    majorTicks_.sort();
    subTicks_.sort();
}

// ---- texts and mapping ----

std::string TGraphAxis::labelText(double value) const {
    double v = value;
    if (axisScale_ == TAxisScale::asPi)
        v /= std::numbers::pi;
    else if (axisScale_ == TAxisScale::asPercent)
        v *= 100; // a fraction shown in percent: 0.25 is "25%"
    if (std::fabs(v) < kZero)
        v = 0;
    std::string text = autoDecimal_ ? formatGeneral(v) : formatFixed(v, labelDecimal_);
    if (axisScale_ == TAxisScale::asPi) {
        const std::string& pi = graph_.PiSymbol();
        if (v == 0)
            return "0";
        if (!pi.empty() && text == "1")
            return pi;
        if (!pi.empty() && text == "-1")
            return "-" + pi;
        return text + pi;
    }
    if (axisScale_ == TAxisScale::asPercent)
        return text + "%";
    return text;
}

int TGraphAxis::valueToPixel(double value) const {
    double f;
    if (axisScale_ == TAxisScale::asLog) {
        if (value <= 0)
            axisError("対数目盛で値がゼロ以下です");
        f = decades_ > 0
                ? (inverted_ ? std::log10(max_ / value) : std::log10(value / min_)) / decades_
                : 0.0;
    } else {
        f = inverted_ ? (max_ - value) / range_ : (value - min_) / range_;
    }
    if (f > 2147483647.0)
        f = 2;
    else if (f < -2147483647.0)
        f = -2;
    // Far-off values stay far off without overflowing the pixel type.
    const double offset = std::clamp(std::round(length_ * f), -1e7, 1e7);
    const int off = static_cast<int>(offset);
    return horizontal_ ? start_ + off : start_ - off;
}

double TGraphAxis::pixelToValue(int pixel) const {
    const int offset = horizontal_ ? pixel - start_ : start_ - pixel;
    if (offset < 0 || offset > length_)
        axisError("引数が軸の範囲を超えています。");
    const double f = length_ > 0 ? static_cast<double>(offset) / length_ : 0.0;
    if (axisScale_ == TAxisScale::asLog) {
        const double p = std::pow(10.0, f * decades_);
        return inverted_ ? max_ / p : min_ * p;
    }
    return inverted_ ? max_ - f * range_ : min_ + f * range_;
}

// ---- extents and layout ----

TSize TGraphAxis::labelExtent(double value) const {
    return graph_.measurer().textExtent(labelFont_, labelText(value));
}

TSize TGraphAxis::largestLabelExtent() const {
    TSize big;
    for (int i = 0; i < labelValues_.count(); ++i) {
        const TSize s = labelExtent(labelValues_[i]);
        big.cx = std::max(big.cx, s.cx);
        big.cy = std::max(big.cy, s.cy);
    }
    return big;
}

TSize TGraphAxis::titleExtent() const {
    if (title_.empty())
        return {};
    TFont upright = titleFont_;
    upright.orientation = 0;
    const TSize s = graph_.measurer().textExtent(upright, title_);
    return titleAngle_ == 90 || titleAngle_ == 270 ? TSize{s.cy, s.cx} : s;
}

int TGraphAxis::labelBand() const {
    if (!visible_)
        return 0;
    int band = 0;
    if (labels_) {
        const TSize big = largestLabelExtent();
        band = labelSpace_ + (horizontal_ ? big.cy : big.cx);
    }
    if (titleLoc_ == TAxisTitleLoc::tlSide && !title_.empty()) {
        const TSize t = titleExtent();
        band += labelSpace_ + (horizontal_ ? t.cy : t.cx);
    }
    return band;
}

void TGraphAxis::placeEnds(int nearReserve, int farReserve) {
    if (horizontal_) {
        start_ = rect_.left + nearReserve;
        end_ = std::max(start_, rect_.right - 1 - farReserve);
        length_ = end_ - start_;
        lineStart_ = start_ - extraLen_;
        lineEnd_ = end_ + extraLen_;
    } else {
        start_ = rect_.bottom - 1 - nearReserve;
        end_ = std::min(start_, rect_.top + farReserve);
        length_ = start_ - end_;
        lineStart_ = start_ + extraLen_;
        lineEnd_ = end_ - extraLen_;
    }
}

void TGraphAxis::layout(const TRect& rect) {
    rect_ = rect;
    const int extent = horizontal_ ? rect.width() : rect.height();
    const int most = extent / 3;
    const bool titled = visible_ && !title_.empty();
    const TSize t = titleExtent();
    // The title's extent along the axis and the gap between it and the axis end.
    const int titleAlong = (horizontal_ ? t.cx : t.cy) + labelSpace_;
    const int headTitle = titled && titleLoc_ == TAxisTitleLoc::tlHead ? titleAlong : 0;
    const int footTitle = titled && titleLoc_ == TAxisTitleLoc::tlFoot ? titleAlong : 0;
    const int farReserve = std::min(most, extraLen_ + headTitle);
    const int nearReserve = std::min(most, extraLen_ + footTitle);
    placeEnds(nearReserve, farReserve);

    tickTarget_ = ticksCount_;
    autoScale();
    while (autoStep_ && tickTarget_ > 1) {
        const TSize big = largestLabelExtent();
        const int need = horizontal_ ? big.cx : big.cy;
        if (!(length_ < 1.5 * need * tickTarget_))
            break;
        --tickTarget_;
        autoScale();
    }

    // Pull an end in when its outermost label would stick out of the rectangle
    // or into an end title (labels keep a small margin from the edge).
    if (!(visible_ && labels_) || labelValues_.count() == 0)
        return;
    constexpr int kMargin = 2;
    const int nearLimit =
        horizontal_ ? rect.left + footTitle + kMargin : rect.bottom - 1 - footTitle - kMargin;
    const int farLimit =
        horizontal_ ? rect.right - 1 - headTitle - kMargin : rect.top + headTitle + kMargin;
    int nearPull = 0, farPull = 0;
    for (int i : {0, labelValues_.count() - 1}) {
        const double v = labelValues_[i];
        const TSize s = labelExtent(v);
        const int half = (horizontal_ ? s.cx : s.cy) / 2;
        const int p = valueToPixel(v);
        if (horizontal_) {
            nearPull = std::max(nearPull, nearLimit - (p - half));
            farPull = std::max(farPull, (p + half) - farLimit);
        } else {
            nearPull = std::max(nearPull, (p + half) - nearLimit);
            farPull = std::max(farPull, farLimit - (p - half));
        }
    }
    const int limit = length_ / 3;
    nearPull = std::clamp(nearPull, 0, limit);
    farPull = std::clamp(farPull, 0, limit);
    if (nearPull > 0 || farPull > 0)
        placeEnds(nearReserve + nearPull, farReserve + farPull);
}

} // namespace tenvoll::charts
