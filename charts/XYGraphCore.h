// The XY graph without a toolkit: two axes, title, grid, palette, series
// list, layout, zoom state and the drawing commands of one paint.
#pragma once

#include "charts/GraphAxis.h"
#include "charts/GraphTypes.h"
#include "charts/XYSeries.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tenvoll::charts {

class TXYGraphSeries;

enum class TGraphGridStyle { gsNone, gsHorizontal, gsVertical, gsBoth };
enum class TTitleAlignment { taLeftJustify, taRightJustify, taCenter };

// The default series colours, in the order they are handed out.
inline constexpr std::array<TColor, 16> kDefaultPalette = {
    0xFF0000, 0x008000, 0x0000FF, 0xFF00FF, 0x008080, 0x000080, 0x800000, 0x00FF00,
    0x808000, 0x800080, 0xC0C0C0, 0x00FFFF, 0x000000, 0xFFFF00, 0xFFFFFF, 0x808080};

class TXYGraphCore {
public:
    TXYGraphCore();
    ~TXYGraphCore(); // destroys the series still linked
    TXYGraphCore(const TXYGraphCore&) = delete;
    TXYGraphCore& operator=(const TXYGraphCore&) = delete;

    TGraphAxis& XAxis() { return xAxis_; }
    TGraphAxis& YAxis() { return yAxis_; }
    const TGraphAxis& XAxis() const { return xAxis_; }
    const TGraphAxis& YAxis() const { return yAxis_; }

    bool AllowZoom() const { return allowZoom_; }
    void setAllowZoom(bool on);
    bool AutoAspectRatio() const { return autoAspectRatio_; }
    void setAutoAspectRatio(bool on);
    bool AxesFront() const { return axesFront_; }
    void setAxesFront(bool on);
    TColor BackColor() const { return backColor_; }
    void setBackColor(TColor color);
    TColor Color() const { return color_; }
    void setColor(TColor color);
    const TPen& GridPen() const { return gridPen_; }
    void setGridPen(const TPen& pen);
    TGraphGridStyle GridStyle() const { return gridStyle_; }
    void setGridStyle(TGraphGridStyle style);
    bool SubGrid() const { return subGrid_; }
    void setSubGrid(bool on);
    const std::string& PiSymbol() const { return piSymbol_; }
    void setPiSymbol(const std::string& symbol);
    const TPen& SubGridPen() const { return subGridPen_; }
    void setSubGridPen(const TPen& pen);
    const std::vector<std::string>& Title() const { return title_; }
    void setTitle(const std::vector<std::string>& lines);
    const TFont& TitleFont() const { return titleFont_; }
    void setTitleFont(const TFont& font);
    TTitleAlignment TitleAlignment() const { return titleAlignment_; }
    void setTitleAlignment(TTitleAlignment alignment);

    // Notifications: a change to repaint for, after drawing, zoom and undo.
    std::function<void()> OnChange;
    std::function<void(DrawList&)> OnAfterDraw;
    std::function<void()> OnZoom;
    std::function<void()> OnUndoZoom;

    // Series.
    int seriesCount() const { return static_cast<int>(series_.size()); }
    TXYGraphSeries* series(int index) const { return series_.at(static_cast<std::size_t>(index)); }
    // Creates a series of kind S linked to this graph (which then owns it).
    template <typename S> S* addSeries(const std::string& name = {}) {
        auto* s = new S(name);
        s->setParentGraph(this);
        return s;
    }
    TColor nextDefaultColor() const;
    bool hasDrawableSeries() const;
    // Data extents of one axis over the active series holding points.
    // The extents of the active series with points together; nothing when none.
    std::optional<TExtents> drawableExtents() const;
    double dataMin(bool horizontal) const;
    double dataMax(bool horizontal) const;

    // Layout and drawing.
    void setTextMeasurer(const TextMeasurer* measurer);
    const TextMeasurer& measurer() const { return *measurer_; }
    void setClientSize(int width, int height);
    TSize clientSize() const { return {width_, height_}; }
    void layout();
    TRect plotRect() const;
    int titleBandHeight() const;
    TPoint pointToPixel(double x, double y) const;
    DrawList paint();

    // Zoom by a band dragged from (x0, y0) to (x1, y1).
    void zoomBand(int x0, int y0, int x1, int y1);
    void zoomTo(const TRect& band);
    void undoZoom();
    bool zoomed() const { return zoomed_; }

    // Called by axes and series on every change.
    void changed();
    // Series link bookkeeping (used by TXYGraphSeries::setParentGraph).
    void attachSeries(TXYGraphSeries* series);
    void detachSeries(TXYGraphSeries* series);

private:
    void layoutAxes(const TRect& yRect, const TRect& xRect);
    void roomForCrossing(TGraphAxis& axis, const TGraphAxis& crossing, TRect& rect,
                         const TRect& otherRect);
    void drawTitle(DrawList& out) const;
    void drawGrid(DrawList& out) const;
    void drawAxis(DrawList& out, const TGraphAxis& axis) const;
    void drawSeries(DrawList& out);

    TGraphAxis xAxis_;
    TGraphAxis yAxis_;
    bool allowZoom_ = true;
    bool autoAspectRatio_ = false;
    bool axesFront_ = false;
    TColor backColor_ = clWhite;
    TColor color_ = 0xF0F0F0;
    TPen gridPen_{clGray, 1, TPenStyle::psSolid};
    TGraphGridStyle gridStyle_ = TGraphGridStyle::gsNone;
    bool subGrid_ = false;
    std::string piSymbol_ = "Pi";
    TPen subGridPen_{clGray, 1, TPenStyle::psSolid};
    std::vector<std::string> title_;
    TFont titleFont_;
    TTitleAlignment titleAlignment_ = TTitleAlignment::taLeftJustify;

    std::vector<TXYGraphSeries*> series_;
    FixedTextMeasurer fixedMeasurer_;
    const TextMeasurer* measurer_ = &fixedMeasurer_;
    int width_ = 300;
    int height_ = 200;
    bool inLayout_ = false;

    bool zoomed_ = false;
    struct SavedRange {
        double min, max;
        bool autoMin, autoMax;
    };
    SavedRange savedX_{};
    SavedRange savedY_{};
};

} // namespace tenvoll::charts
