// Draws a grid cell in the highlight colours of its mark (league/GridCells.h,
// the model's int value of it under `markRole`): Up the UP pair, Down the DOWN
// pair, Career the inactive-caption pair, None the normal colours; the text 2
// pixels in from the left and top edges.
#pragma once

#include "league/GridCells.h"
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
