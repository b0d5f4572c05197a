// Cell text, mark and alignment of the grid models.
#include "windowkit/MarkedCellModel.h"

#include "windowkit/QtText.h"

namespace tenvoll {

QVariant MarkedCellModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return qs(cellAt(index.row(), index.column()).text);
    case MarkRole:
        return static_cast<int>(cellAt(index.row(), index.column()).mark);
    case Qt::TextAlignmentRole:
        switch (alignment(index.column())) {
        case CellAlign::Left:
            return int(Qt::AlignLeft | Qt::AlignTop);
        case CellAlign::Center:
            return int(Qt::AlignHCenter | Qt::AlignTop);
        case CellAlign::Right:
            return int(Qt::AlignRight | Qt::AlignTop);
        }
        return {};
    default:
        return {};
    }
}

QVariant MarkedCellModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return caption(section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

} // namespace tenvoll
