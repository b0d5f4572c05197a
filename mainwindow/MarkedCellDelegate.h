// Draws a grid cell in the highlight colours of its mark: +1 the UP pair,
// -1 the DOWN pair, 9 the inactive-caption pair (career rows), 0 the normal
// colours; the text 2 pixels in from the left and top edges.
#pragma once

#include "league/Settings.h"

#include <QStyledItemDelegate>

namespace tenvoll {

class MarkedCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `colours` is held by the main window and read at every paint.
    MarkedCellDelegate(const HighlightColours& colours, int markRole, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const HighlightColours& colours_;
    int markRole_;
};

QColor toQColor(ColourValue value);
ColourValue fromQColor(const QColor& colour);

} // namespace tenvoll
