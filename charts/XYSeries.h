// Data series of the XY graph: the points and the graph link, the segment
// clipper, and the five kinds (line, marker, arrow, bubble, error bar) with
// the drawing commands each produces.
#pragma once

#include "charts/GraphLists.h"
#include "charts/GraphTypes.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tenvoll::charts {

class TXYGraphCore;

// The visible window in data values.
struct TValueWindow {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

struct TExtents {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// Cohen–Sutherland clipping of the segment (x0, y0)-(x1, y1) against the window.
struct ClipResult {
    enum class Outcome { Rejected, Inside, SecondCut };
    Outcome outcome = Outcome::Rejected;
    bool firstCut = false;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
ClipResult clipSegment(const TValueWindow& w, double x0, double y0, double x1, double y1,
                       bool rejectCut);

class TXYGraphSeries {
public:
    explicit TXYGraphSeries(std::string name = {});
    virtual ~TXYGraphSeries(); // leaves its graph first
    TXYGraphSeries(const TXYGraphSeries&) = delete;
    TXYGraphSeries& operator=(const TXYGraphSeries&) = delete;

    const std::string& Name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }
    TXYGraphCore* ParentGraph() const { return graph_; }
    // Joins `graph` (which then owns the series) or, with nullptr, leaves it.
    void setParentGraph(TXYGraphCore* graph);
    TColor SeriesColor() const { return color_; }
    virtual void setSeriesColor(TColor color);
    bool Active() const { return active_; }
    void setActive(bool on);
    std::function<void(TXYGraphSeries&, int)> OnAfterAdd;

    int addPoint(double x, double y);
    virtual void deletePoint(int index);
    virtual void clear();
    int pointCount() const { return xs_.count(); }
    double xValue(int index) const { return xs_[index]; }
    double yValue(int index) const { return ys_[index]; }

    virtual TExtents extents() const;
    void setWindow(const TValueWindow& window) { window_ = window; }
    const TValueWindow& window() const { return window_; }
    virtual void draw(DrawList& out, const TXYGraphCore& graph) const;

    virtual void writeData(std::ostream& out) const;
    virtual void readData(std::istream& in);

    // Ten sample points over the graph's X range (a noisy wave).
    void generateSamplePoints(std::mt19937& random);

protected:
    // Appends a sample point with the kind's extra values.
    virtual void addSamplePoint(double x, double y, double yRange, std::mt19937& random);
    int appendPoint(double x, double y); // without event or repaint
    void pointAdded(int index);
    void changed() const;
    TGraphValueList xs_;
    TGraphValueList ys_;

private:
    std::string name_;
    TXYGraphCore* graph_ = nullptr;
    TColor color_ = kNoColor;
    bool active_ = true;
    TValueWindow window_;
};

class TXYLineSeries : public TXYGraphSeries {
public:
    using TXYGraphSeries::TXYGraphSeries;
    const TPen& LinePen() const { return linePen_; }
    void setLinePen(const TPen& pen);
    void setSeriesColor(TColor color) override;
    bool DisContinue() const { return disContinue_; }
    void setDisContinue(bool on);
    void draw(DrawList& out, const TXYGraphCore& graph) const override;
    // The polylines of the line through the points, in pixels.
    void linePolylines(const TXYGraphCore& graph, std::vector<TPoint>& points,
                       std::vector<int>& counts) const;

protected:
    void drawLine(DrawList& out, const TXYGraphCore& graph) const;
    TPen linePen_;
    bool disContinue_ = false;
};

enum class TMarkerShape {
    msPlus,
    msTimes,
    msSquare,
    msCircle,
    msPoint,
    msStar,
    msTriangleUp,
    msTriangleDown,
    msDiamond
};

struct TGraphMarker {
    TPen Pen;
    TBrush Brush;
    int Size = 10;
    TMarkerShape Shape = TMarkerShape::msDiamond;
    bool Visible = true;
};

// The drawing command of one marker centred on (x, y).
DrawCommand markerCommand(const TGraphMarker& marker, int x, int y);

class TXYMarkerSeries : public TXYLineSeries {
public:
    using TXYLineSeries::TXYLineSeries;
    const TGraphMarker& Marker() const { return marker_; }
    void setMarker(const TGraphMarker& marker);
    void setSeriesColor(TColor color) override;
    bool Joined() const { return joined_; }
    void setJoined(bool on);
    void draw(DrawList& out, const TXYGraphCore& graph) const override;

private:
    TGraphMarker marker_;
    bool joined_ = false;
};

class TXYArrowSeries : public TXYLineSeries {
public:
    using TXYLineSeries::TXYLineSeries;
    int ArrowSize() const { return arrowSize_; }
    void setArrowSize(int pixels);
    int addArrow(double x, double y, double endX, double endY);
    double endX(int index) const { return endXs_[index]; }
    double endY(int index) const { return endYs_[index]; }
    void deletePoint(int index) override;
    void clear() override;
    TExtents extents() const override;
    void draw(DrawList& out, const TXYGraphCore& graph) const override;
    void writeData(std::ostream& out) const override;
    void readData(std::istream& in) override;

protected:
    void addSamplePoint(double x, double y, double yRange, std::mt19937& random) override;

private:
    int arrowSize_ = 3;
    TGraphValueList endXs_;
    TGraphValueList endYs_;
};

class TXYBubbleSeries : public TXYGraphSeries {
public:
    using TXYGraphSeries::TXYGraphSeries;
    const TBrush& Brush() const { return brush_; }
    void setBrush(const TBrush& brush);
    const TPen& Pen() const { return pen_; }
    void setPen(const TPen& pen);
    void setSeriesColor(TColor color) override;
    int MaxSizeRate() const { return maxSizeRate_; }
    void setMaxSizeRate(int percent);
    int addBubble(double x, double y, double size);
    double sizeValue(int index) const { return sizes_[index]; }
    void deletePoint(int index) override;
    void clear() override;
    void draw(DrawList& out, const TXYGraphCore& graph) const override;
    void writeData(std::ostream& out) const override;
    void readData(std::istream& in) override;
    // The radius of the largest bubble in pixels.
    static int maxRadius(const TXYGraphCore& graph, int maxSizeRate);

protected:
    void addSamplePoint(double x, double y, double yRange, std::mt19937& random) override;

private:
    TBrush brush_;
    TPen pen_;
    int maxSizeRate_ = 10;
    TGraphValueList sizes_;
};

class TXYErrorBarSeries : public TXYLineSeries {
public:
    using TXYLineSeries::TXYLineSeries;
    bool Joined() const { return joined_; }
    void setJoined(bool on);
    int BarSize() const { return barSize_; }
    void setBarSize(int pixels);
    const TPen& Pen() const { return pen_; }
    void setPen(const TPen& pen);
    int addErrorBar(double x, double y, double lowerError, double upperError);
    double lowerError(int index) const { return lowers_[index]; }
    double upperError(int index) const { return uppers_[index]; }
    void deletePoint(int index) override;
    void clear() override;
    TExtents extents() const override;
    void draw(DrawList& out, const TXYGraphCore& graph) const override;
    void writeData(std::ostream& out) const override;
    void readData(std::istream& in) override;

protected:
    void addSamplePoint(double x, double y, double yRange, std::mt19937& random) override;

private:
    bool joined_ = true;
    int barSize_ = 8;
    TPen pen_;
    TGraphValueList lowers_;
    TGraphValueList uppers_;
};

// Kind name shown to users -> a new series of that kind.
struct SeriesKind {
    std::string name;
    std::unique_ptr<TXYGraphSeries> (*create)(const std::string& seriesName);
};
const std::vector<SeriesKind>& seriesKinds();
// nullptr for an unknown kind name.
std::unique_ptr<TXYGraphSeries> createSeries(const std::string& kindName,
                                             const std::string& seriesName = {});

} // namespace tenvoll::charts
