// Plain drawing vocabulary of the XY graph: colours, pens, brushes, fonts,
// pixel geometry, the drawing commands the graph core produces and the text
// measurer it lays out with. No toolkit types: a painter replays the commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tenvoll::charts {

// 0x00RRGGBB; kNoColor marks an unset series colour.
using TColor = std::int32_t;
inline constexpr TColor kNoColor = -1;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clRed = 0xFF0000;
inline constexpr TColor clGreen = 0x008000;

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor color = clBlack;
    int width = 1;
    TPenStyle style = TPenStyle::psSolid;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor color = clWhite;
    TBrushStyle style = TBrushStyle::bsSolid;
    bool operator==(const TBrush&) const = default;
};

struct TFont {
    std::string name = "Arial";
    int size = 12;     // points (used when pixelSize is 0)
    int pixelSize = 0; // pixels, overrides size
    TColor color = clBlack;
    bool bold = false;
    int orientation = 0; // tenths of a degree, counter-clockwise
    // Character height in pixels at 96 dots per inch.
    int pixelHeight() const { return pixelSize > 0 ? pixelSize : (size * 96 + 36) / 72; }
    bool operator==(const TFont&) const = default;
};

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// Left/top inclusive, right/bottom exclusive, as a toolkit rectangle.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const TRect&) const = default;
};

// One drawing operation. Which fields matter depends on the kind.
struct DrawCommand {
    enum class Kind {
        FillRect,  // rect filled with brush, no outline
        Rectangle, // rect outlined with pen, filled with brush
        Ellipse,   // ellipse in rect, pen and brush
        Polylines, // points split by counts into open polylines, pen
        Segments,  // points taken in pairs as separate lines, pen
        Polygon,   // closed filled polygon, pen and brush
        Pixel,     // one pixel at points[0] in color
        Text,      // text with its top-left (before rotation) at points[0], font
        Clip,      // clip later commands to rect
        NoClip     // drop the clip
    };
    Kind kind = Kind::FillRect;
    TPen pen;
    TBrush brush;
    TColor color = clBlack;
    TRect rect;
    std::vector<TPoint> points;
    std::vector<int> counts;
    std::string text;
    TFont font;
};

using DrawList = std::vector<DrawCommand>;

// Measures text in a font; the widget supplies the toolkit's metrics.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual TSize textExtent(const TFont& font, const std::string& text) const = 0;
};

// Fallback metrics without a toolkit: fixed advance per character.
class FixedTextMeasurer : public TextMeasurer {
public:
    TSize textExtent(const TFont& font, const std::string& text) const override;
};

} // namespace tenvoll::charts
