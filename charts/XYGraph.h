// TXYGraph: the XY graph as a Qt widget. The core lays out and computes the
// drawing commands; the widget replays them into one off-screen image per
// paint and turns a dragged band into zoom or undo zoom.
#pragma once

#include "charts/XYGraphCore.h"
#include "charts/XYSeries.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>

class QRubberBand;
class QPainter;

namespace tenvoll::charts {

// The widget's text metrics: the same fonts the painter draws with.
class QtTextMeasurer : public TextMeasurer {
public:
    TSize textExtent(const TFont& font, const std::string& text) const override;
};

// The toolkit font for a graph font; "Arial" falls back to the platform's sans-serif face.
QFont toQFont(const TFont& font);
// Replays drawing commands with `painter`.
void replay(QPainter& painter, const DrawList& commands);

class TXYGraph : public QWidget {
    Q_OBJECT
public:
    explicit TXYGraph(QWidget* parent = nullptr);
    ~TXYGraph() override;

    TXYGraphCore& graph() { return core_; }
    TGraphAxis& XAxis() { return core_.XAxis(); }
    TGraphAxis& YAxis() { return core_.YAxis(); }
    template <typename S> S* addSeries(const std::string& name = {}) {
        return core_.addSeries<S>(name);
    }

    // The picture one paint shows, at the widget's size.
    QImage renderImage(qreal devicePixelRatio = 1.0);
    QSize sizeHint() const override { return {300, 200}; }

signals:
    void zoomed();
    void zoomUndone();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPoint confined(QPoint p) const;

    QtTextMeasurer measurer_;
    TXYGraphCore core_;
    QRubberBand* band_ = nullptr;
    QPoint bandOrigin_;
    bool dragging_ = false;
};

} // namespace tenvoll::charts
