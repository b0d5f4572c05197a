// One axis of the XY graph: its properties and setter rules, range and step
// validation, automatic scaling, linear and logarithmic ticks, label texts,
// value <-> pixel mapping and its layout in the rectangle the graph gives it.
#pragma once

#include "charts/GraphLists.h"
#include "charts/GraphTypes.h"

#include <string>

namespace tenvoll::charts {

class TXYGraphCore;

enum class TAxisScale { asNormal, asPi, asPercent, asLog };
enum class TAxisTitleLoc { tlHead, tlFoot, tlSide, tlFixed };

class TGraphAxis {
public:
    TGraphAxis(TXYGraphCore& graph, bool horizontal);

    bool horizontal() const { return horizontal_; }

    // Properties.
    bool AutoDecimal() const { return autoDecimal_; }
    void setAutoDecimal(bool on);
    bool AutoMax() const { return autoMax_; }
    void setAutoMax(bool on);
    bool AutoMin() const { return autoMin_; }
    void setAutoMin(bool on);
    bool AutoOrigin() const { return autoOrigin_; }
    void setAutoOrigin(bool on);
    bool AutoStep() const { return autoStep_; }
    void setAutoStep(bool on);
    const TPen& AxisPen() const { return axisPen_; }
    void setAxisPen(const TPen& pen);
    TAxisScale AxisScale() const { return axisScale_; }
    void setAxisScale(TAxisScale scale);
    TAxisTitleLoc AxisTitleLoc() const { return titleLoc_; }
    void setAxisTitleLoc(TAxisTitleLoc loc);
    int ExtraLen() const { return extraLen_; }
    void setExtraLen(int pixels);
    bool Inverted() const { return inverted_; }
    void setInverted(bool on);
    int LabelDecimal() const { return labelDecimal_; }
    void setLabelDecimal(int digits);
    const TFont& LabelFont() const { return labelFont_; }
    void setLabelFont(const TFont& font);
    bool Labels() const { return labels_; }
    void setLabels(bool on);
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void setLabelsOnAxis(bool on);
    int LabelSpace() const { return labelSpace_; }
    void setLabelSpace(int pixels);
    double Max() const { return max_; }
    void setMax(double value);
    double Min() const { return min_; }
    void setMin(double value);
    double Origin() const { return origin_; }
    void setOrigin(double value);
    int SubTickLen() const { return subTickLen_; }
    void setSubTickLen(int pixels);
    int SubTicksCount() const { return subTicksCount_; }
    void setSubTicksCount(int count);
    const std::string& Title() const { return title_; }
    void setTitle(const std::string& title);
    int TitleAngle() const { return titleAngle_; }
    void setTitleAngle(int degrees);
    const TFont& TitleFont() const { return titleFont_; }
    void setTitleFont(const TFont& font);
    int TickLen() const { return tickLen_; }
    void setTickLen(int pixels);
    bool Ticks() const { return ticks_; }
    void setTicks(bool on);
    int TicksCount() const { return ticksCount_; }
    void setTicksCount(int count);
    double TickStep() const { return tickStep_; }
    void setTickStep(double step);
    bool Visible() const { return visible_; }
    void setVisible(bool on);

    // Sets both limits at once (zoom), turning AutoMin and AutoMax as given.
    void setRange(double min, double max, bool autoMin, bool autoMax);

    // Arithmetic.
    double niceStep(double span) const;
    double autoOrigin(double step, double lo, double hi) const;
    void autoScale();
    std::string labelText(double value) const;
    int valueToPixel(double value) const;
    double pixelToValue(int pixel) const;

    // Layout in `rect` (start/end of the value range, axis line ends).
    void layout(const TRect& rect);
    const TRect& layoutRect() const { return rect_; }
    int pixelStart() const { return start_; }
    int pixelEnd() const { return end_; }
    int pixelLength() const { return length_; }
    int lineStart() const { return lineStart_; }
    int lineEnd() const { return lineEnd_; }
    double range() const { return range_; }
    double decades() const { return decades_; }
    int tickTarget() const { return tickTarget_; }
    const TGraphValueList& majorTicks() const { return majorTicks_; }
    const TGraphValueList& subTicks() const { return subTicks_; }
    const TGraphValueList& labelValues() const { return labelValues_; }

    // Text extents in the current fonts.
    TSize labelExtent(double value) const;
    TSize largestLabelExtent() const;
    // The title's extent with width and height swapped for 90/270 degrees.
    TSize titleExtent() const;
    // Room the labels and a side title take beside the axis line.
    int labelBand() const;

    // The bare property store, used when reading from a stream.
    void setLoading(bool loading) { loading_ = loading; }
    // Range checks after loading.
    void validateAfterLoading();

private:
    void validateRange(double max, double min);
    void validateStep(double step) const;
    void buildTicks();
    void buildLinearTicks();
    void buildLogTicks();
    void addTick(TGraphValueList& list, double value) const;
    void changed();
    void recompute();
    // Places the value range in the rectangle along the axis.
    void placeEnds(int nearReserve, int farReserve);

    TXYGraphCore& graph_;
    bool horizontal_;

    bool autoDecimal_ = true;
    bool autoMax_ = true;
    bool autoMin_ = true;
    bool autoOrigin_ = true;
    bool autoStep_ = true;
    TPen axisPen_;
    TAxisScale axisScale_ = TAxisScale::asNormal;
    TAxisTitleLoc titleLoc_ = TAxisTitleLoc::tlHead;
    int extraLen_ = 5;
    bool inverted_ = false;
    int labelDecimal_ = 0;
    TFont labelFont_;
    bool labels_ = true;
    bool labelsOnAxis_ = true;
    int labelSpace_ = 4;
    double max_ = 10.0;
    double min_ = 0.0;
    double origin_ = 0.0;
    int subTickLen_ = 3;
    int subTicksCount_ = 5;
    std::string title_;
    int titleAngle_ = 0;
    TFont titleFont_;
    int tickLen_ = 5;
    bool ticks_ = true;
    int ticksCount_ = 6;
    double tickStep_ = 2.0;
    bool visible_ = true;

    bool loading_ = false;
    TRect rect_;
    int start_ = 0;
    int end_ = 0;
    int length_ = 0;
    int lineStart_ = 0;
    int lineEnd_ = 0;
    double range_ = 10.0;
    double decades_ = 0.0;
    int tickTarget_ = 6;
    TGraphValueList majorTicks_;
    TGraphValueList subTicks_;
    TGraphValueList labelValues_;
};

} // namespace tenvoll::charts
