// Base of the grid models whose cells carry a text and a mark: one place maps
// a cell to its display text, its mark (MarkRole, drawn by MarkedCellDelegate)
// and its alignment; the subclasses say where the cells and captions are.
#pragma once

#include "league/GridCells.h"

#include <QAbstractTableModel>

namespace tenvoll {

class MarkedCellModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MarkRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    // Valid row and column only.
    virtual const Cell& cellAt(int row, int column) const = 0;
    virtual CellAlign alignment(int column) const = 0;
    virtual QString caption(int column) const = 0;
};

} // namespace tenvoll
