// Drawing commands written as SVG elements, one element per command.
#include "charts/SvgRender.h"

#include <charconv>

namespace tenvoll::charts {

namespace {

std::string colour(TColor c) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out = "#000000";
    const auto v = static_cast<unsigned>(c) & 0xFFFFFFu;
    for (int i = 0; i < 6; ++i)
        out[static_cast<std::size_t>(6 - i)] = digits[(v >> (4 * i)) & 0xF];
    return out;
}

void escapeInto(std::string& out, const std::string& text) {
    for (char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                out += ' ';
            else
                out += c;
        }
    }
}

std::string stroke(const TPen& pen) {
    if (pen.style == TPenStyle::psClear)
        return " stroke=\"none\"";
    std::string s = " stroke=\"" + colour(pen.color) + "\" stroke-width=\"" +
                    std::to_string(pen.width < 1 ? 1 : pen.width) + "\"";
    switch (pen.style) {
    case TPenStyle::psDash:
        s += " stroke-dasharray=\"6 3\"";
        break;
    case TPenStyle::psDot:
        s += " stroke-dasharray=\"1 2\"";
        break;
    case TPenStyle::psDashDot:
        s += " stroke-dasharray=\"6 2 1 2\"";
        break;
    default:
        break;
    }
    return s;
}

std::string fill(const TBrush& brush) {
    return brush.style == TBrushStyle::bsClear ? " fill=\"none\""
                                               : " fill=\"" + colour(brush.color) + "\"";
}

std::string number(int v) {
    return std::to_string(v);
}

// Lines of one pixel width sit on pixel centres, as the widget draws them.
std::string half(int v) {
    return std::to_string(v) + ".5";
}

// `value` / 10 with one decimal.
std::string tenths(int value) {
    const int whole = value / 10, rest = value % 10;
    return (value < 0 && whole == 0 ? "-" : "") + std::to_string(whole) + "." +
           std::to_string(rest < 0 ? -rest : rest);
}

// `twice` / 2, written with ".5" when odd.
std::string halves(int twice) {
    const int whole = twice / 2;
    const bool odd = twice % 2 != 0;
    if (odd && twice < 0 && whole == 0)
        return "-0.5";
    return std::to_string(whole) + (odd ? ".5" : "");
}

// The hot paths (polylines, grid and tick segments) append in place.
void appendHalf(std::string& out, int v) {
    char buffer[16];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    out.append(buffer, end);
    out += ".5";
}

std::string pointList(const std::vector<TPoint>& points, std::size_t from, std::size_t count) {
    std::string s;
    s.reserve(count * 14);
    for (std::size_t i = from; i < from + count && i < points.size(); ++i) {
        if (i != from)
            s += ' ';
        appendHalf(s, points[i].x);
        s += ',';
        appendHalf(s, points[i].y);
    }
    return s;
}

} // namespace

std::string drawListToSvg(const DrawList& commands, int width, int height) {
    std::string out;
    out.reserve(16384);
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width) + "\" height=\"" +
           number(height) + "\" viewBox=\"0 0 " + number(width) + " " + number(height) + "\">\n";
    int clips = 0;
    bool clipped = false;
    auto endClip = [&] {
        if (clipped)
            out += "</g>\n";
        clipped = false;
    };
    for (const DrawCommand& c : commands) {
        using Kind = DrawCommand::Kind;
        const TRect& r = c.rect;
        switch (c.kind) {
        case Kind::FillRect:
            out += "<rect x=\"" + number(r.left) + "\" y=\"" + number(r.top) + "\" width=\"" +
                   number(r.width()) + "\" height=\"" + number(r.height()) + "\"" + fill(c.brush) +
                   "/>\n";
            break;
        case Kind::Rectangle:
            out += "<rect x=\"" + half(r.left) + "\" y=\"" + half(r.top) + "\" width=\"" +
                   number(r.width() - 1) + "\" height=\"" + number(r.height() - 1) + "\"" +
                   fill(c.brush) + stroke(c.pen) + "/>\n";
            break;
        case Kind::Ellipse:
            out += "<ellipse cx=\"" + halves(r.left + r.right) + "\" cy=\"" +
                   halves(r.top + r.bottom) + "\" rx=\"" + halves(r.width()) + "\" ry=\"" +
                   halves(r.height()) + "\"" + fill(c.brush) + stroke(c.pen) + "/>\n";
            break;
        case Kind::Polylines: {
            std::size_t from = 0;
            for (int count : c.counts) {
                const auto n = static_cast<std::size_t>(count < 0 ? 0 : count);
                if (n >= 2)
                    out += "<polyline points=\"" + pointList(c.points, from, n) +
                           "\" fill=\"none\"" + stroke(c.pen) + "/>\n";
                from += n;
            }
            break;
        }
        case Kind::Segments:
            if (c.points.size() >= 2) {
                out += "<path d=\"";
                for (std::size_t i = 0; i + 1 < c.points.size(); i += 2) {
                    out += 'M';
                    appendHalf(out, c.points[i].x);
                    out += ' ';
                    appendHalf(out, c.points[i].y);
                    out += 'L';
                    appendHalf(out, c.points[i + 1].x);
                    out += ' ';
                    appendHalf(out, c.points[i + 1].y);
                }
                out += "\" fill=\"none\"" + stroke(c.pen) + "/>\n";
            }
            break;
        case Kind::Polygon:
            out += "<polygon points=\"" + pointList(c.points, 0, c.points.size()) + "\"" +
                   fill(c.brush) + stroke(c.pen) + "/>\n";
            break;
        case Kind::Pixel:
            if (!c.points.empty())
                out += "<rect x=\"" + number(c.points[0].x) + "\" y=\"" + number(c.points[0].y) +
                       "\" width=\"1\" height=\"1\" fill=\"" + colour(c.color) + "\"/>\n";
            break;
        case Kind::Text: {
            if (c.points.empty())
                break;
            const int h = c.font.pixelHeight();
            const TPoint at = c.points[0];
            out += "<text x=\"" + number(at.x) + "\" y=\"" + number(at.y + h * 4 / 5) +
                   "\" font-family=\"Arial, sans-serif\" font-size=\"" + number(h) + "px\"" +
                   (c.font.bold ? " font-weight=\"bold\"" : "") + " fill=\"" +
                   colour(c.font.color) + "\"";
            if (c.font.orientation != 0)
                out += " transform=\"rotate(" + tenths(-c.font.orientation) + " " + number(at.x) +
                       " " + number(at.y) + ")\"";
            out += ">";
            escapeInto(out, c.text);
            out += "</text>\n";
            break;
        }
        case Kind::Clip:
            endClip();
            ++clips;
            out += "<clipPath id=\"c" + number(clips) + "\"><rect x=\"" + number(r.left) +
                   "\" y=\"" + number(r.top) + "\" width=\"" + number(r.width()) + "\" height=\"" +
                   number(r.height()) + "\"/></clipPath>\n<g clip-path=\"url(#c" + number(clips) +
                   ")\">\n";
            clipped = true;
            break;
        case Kind::NoClip:
            endClip();
            break;
        }
    }
    endClip();
    out += "</svg>\n";
    return out;
}

std::string renderGraphToSvg(TXYGraphCore& graph, int width, int height) {
    graph.setClientSize(width, height);
    return drawListToSvg(graph.paint(), width, height); // paint() lays the graph out
}

} // namespace tenvoll::charts
