// TXYGraph: replays the graph core's drawing commands with QPainter.
#include "charts/XYGraph.h"

#include "charts/GraphErrors.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QRubberBand>

#include <optional>

namespace tenvoll::charts {

namespace {

QColor toQColor(TColor c) {
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

QPen toQPen(const TPen& pen) {
    if (pen.style == TPenStyle::psClear)
        return QPen(Qt::NoPen);
    QPen p(toQColor(pen.color));
    p.setWidth(pen.width <= 1 ? 0 : pen.width);
    switch (pen.style) {
    case TPenStyle::psDash:
        p.setStyle(Qt::DashLine);
        break;
    case TPenStyle::psDot:
        p.setStyle(Qt::DotLine);
        break;
    case TPenStyle::psDashDot:
        p.setStyle(Qt::DashDotLine);
        break;
    default:
        p.setStyle(Qt::SolidLine);
    }
    return p;
}

QBrush toQBrush(const TBrush& brush) {
    if (brush.style == TBrushStyle::bsClear)
        return QBrush(Qt::NoBrush);
    return QBrush(toQColor(brush.color));
}

QPoint toQPoint(const TPoint& p) {
    return {p.x, p.y};
}

// Outline rectangle of a toolkit rectangle whose right and bottom are exclusive.
QRect outlineRect(const TRect& r) {
    return QRect(r.left, r.top, r.width() - 1, r.height() - 1);
}

QString sansSerifFamily() {
    static const QString family = [] {
        if (QFontDatabase::hasFamily(QStringLiteral("Arial")))
            return QStringLiteral("Arial");
        QFont probe;
        probe.setStyleHint(QFont::SansSerif);
        probe.setFamily(QStringLiteral("Sans Serif"));
        return probe.defaultFamily();
    }();
    return family;
}

} // namespace

QFont toQFont(const TFont& font) {
    QFont f;
    const QString name = QString::fromStdString(font.name);
    f.setStyleHint(QFont::SansSerif);
    f.setFamily(name == QStringLiteral("Arial") ? sansSerifFamily() : name);
    f.setPixelSize(std::max(1, font.pixelHeight()));
    f.setBold(font.bold);
    return f;
}

TSize QtTextMeasurer::textExtent(const TFont& font, const std::string& text) const {
    const QFontMetrics m(toQFont(font));
    return {m.horizontalAdvance(QString::fromStdString(text)), m.height()};
}

void replay(QPainter& painter, const DrawList& commands) {
    using Kind = DrawCommand::Kind;
    QVector<QPoint> points;
    // Pens and brushes repeat from command to command (one per marker):
    // hand them to the painter only when they change.
    std::optional<TPen> pen;
    std::optional<TBrush> brush;
    auto usePen = [&](const TPen& p) {
        if (pen != p) {
            painter.setPen(toQPen(p));
            pen = p;
        }
    };
    auto useBrush = [&](const TBrush& b) {
        if (brush != b) {
            painter.setBrush(toQBrush(b));
            brush = b;
        }
    };
    for (const DrawCommand& c : commands) {
        points.resize(static_cast<qsizetype>(c.points.size()));
        for (std::size_t i = 0; i < c.points.size(); ++i)
            points[static_cast<qsizetype>(i)] = toQPoint(c.points[i]);
        switch (c.kind) {
        case Kind::FillRect:
            painter.fillRect(QRect(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()),
                             toQBrush(c.brush));
            break;
        case Kind::Rectangle:
            usePen(c.pen);
            useBrush(c.brush);
            painter.drawRect(outlineRect(c.rect));
            break;
        case Kind::Ellipse:
            usePen(c.pen);
            useBrush(c.brush);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawEllipse(outlineRect(c.rect));
            painter.setRenderHint(QPainter::Antialiasing, false);
            break;
        case Kind::Polylines: {
            usePen(c.pen);
            int at = 0;
            for (int n : c.counts) {
                painter.drawPolyline(points.constData() + at, n);
                at += n;
            }
            break;
        }
        case Kind::Segments:
            usePen(c.pen);
            painter.drawLines(points.constData(), static_cast<int>(points.size() / 2));
            break;
        case Kind::Polygon:
            usePen(c.pen);
            useBrush(c.brush);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawPolygon(points.constData(), static_cast<int>(points.size()));
            painter.setRenderHint(QPainter::Antialiasing, false);
            break;
        case Kind::Pixel:
            usePen({c.color, 1, TPenStyle::psSolid});
            painter.drawPoint(points.value(0));
            break;
        case Kind::Text: {
            const QFont font = toQFont(c.font);
            painter.setFont(font);
            usePen({c.font.color, 1, TPenStyle::psSolid});
            painter.save();
            painter.translate(points.value(0));
            if (c.font.orientation != 0)
                painter.rotate(-c.font.orientation / 10.0);
            painter.drawText(QPoint(0, QFontMetrics(font).ascent()),
                             QString::fromStdString(c.text));
            painter.restore();
            break;
        }
        case Kind::Clip:
            painter.setClipRect(QRect(c.rect.left, c.rect.top, c.rect.width(), c.rect.height()));
            break;
        case Kind::NoClip:
            painter.setClipping(false);
            break;
        }
    }
}

TXYGraph::TXYGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("xyGraph"));
    core_.setTextMeasurer(&measurer_);
    // Outside the plot the graph takes its parent's colour.
    const QColor window = palette().color(QPalette::Window);
    core_.setColor((window.red() << 16) | (window.green() << 8) | window.blue());
    core_.OnChange = [this] { update(); };
    core_.OnZoom = [this] { emit zoomed(); };
    core_.OnUndoZoom = [this] { emit zoomUndone(); };
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    resize(300, 200);
}

TXYGraph::~TXYGraph() {
    core_.OnChange = nullptr;
    core_.OnZoom = nullptr;
    core_.OnUndoZoom = nullptr;
}

QImage TXYGraph::renderImage(qreal devicePixelRatio) {
    core_.setClientSize(width(), height());
    const DrawList commands = core_.paint();
    QImage image(size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    replay(painter, commands);
    return image;
}

void TXYGraph::paintEvent(QPaintEvent*) {
    const QImage image = renderImage(devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

QPoint TXYGraph::confined(QPoint p) const {
    return {std::clamp(p.x(), 0, std::max(0, width() - 1)),
            std::clamp(p.y(), 0, std::max(0, height() - 1))};
}

void TXYGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !core_.AllowZoom() ||
        !rect().contains(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    bandOrigin_ = event->position().toPoint();
    if (!band_)
        band_ = new QRubberBand(QRubberBand::Rectangle, this);
    band_->setGeometry(QRect(bandOrigin_, QSize()));
    band_->show();
}

void TXYGraph::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    band_->setGeometry(QRect(bandOrigin_, confined(event->position().toPoint())).normalized());
}

void TXYGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    band_->hide();
    const QPoint end = confined(event->position().toPoint());
    try {
        core_.zoomBand(bandOrigin_.x(), bandOrigin_.y(), end.x(), end.y());
    } catch (const EXYGraphError&) {
        // A band the axes cannot take (too narrow to hold a range) changes nothing.
    }
}

void TXYGraph::keyPressEvent(QKeyEvent* event) {
    // Escape drops a band being dragged.
    if (event->key() == Qt::Key_Escape && dragging_) {
        dragging_ = false;
        band_->hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tenvoll::charts
