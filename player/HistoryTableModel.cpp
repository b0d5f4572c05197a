// Player history model.
#include "player/HistoryTableModel.h"

#include "windowkit/QtText.h"

namespace tenvoll {

void HistoryTableModel::setHistory(bool pitcher, std::vector<HistoryRow> rows) {
    beginResetModel();
    pitcher_ = pitcher;
    rows_ = std::move(rows);
    endResetModel();
}

int HistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHistoryColumns;
}

const Cell& HistoryTableModel::cellAt(int row, int column) const {
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QString HistoryTableModel::caption(int column) const {
    return qs(historyColumns(pitcher_)[static_cast<std::size_t>(column)].header);
}

} // namespace tenvoll
