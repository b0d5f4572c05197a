// Roster grid model.
#include "mainwindow/RosterTableModel.h"

#include "mainwindow/QtText.h"

namespace tenvoll {

RosterTableModel::RosterTableModel(GridKind kind, QObject* parent) : QAbstractTableModel(parent) {
    grid_ = emptyPane().grid(kind);
}

void RosterTableModel::setGrid(RosterGrid grid) {
    beginResetModel();
    grid_ = std::move(grid);
    endResetModel();
}

void RosterTableModel::setRowCount(int rows) {
    if (rows < 0 || rows >= rowCount())
        return;
    beginRemoveRows({}, rows, rowCount() - 1);
    grid_.rows.resize(static_cast<std::size_t>(rows));
    endRemoveRows();
}

int RosterTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.rows.size());
}

int RosterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRosterColumns;
}

QVariant RosterTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kRosterColumns)
        return {};
    const Cell& cell =
        grid_.rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return qs(cell.text);
    case MarkRole:
        return cell.mark;
    case Qt::TextAlignmentRole:
        switch (rosterCellAlign(index.column())) {
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

QVariant RosterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kRosterColumns)
        return {};
    if (role == Qt::DisplayRole)
        return qs(rosterColumns(grid_.kind)[static_cast<std::size_t>(section)].header);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

} // namespace tenvoll
