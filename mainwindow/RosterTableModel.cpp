// Roster grid model.
#include "mainwindow/RosterTableModel.h"

#include "windowkit/QtText.h"

namespace tenvoll {

RosterTableModel::RosterTableModel(GridKind kind, QObject* parent) : MarkedCellModel(parent) {
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

const Cell& RosterTableModel::cellAt(int row, int column) const {
    return grid_.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QString RosterTableModel::caption(int column) const {
    return qs(rosterColumns(grid_.kind)[static_cast<std::size_t>(column)].header);
}

} // namespace tenvoll
