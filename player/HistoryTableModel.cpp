// Player history model.
#include "player/HistoryTableModel.h"

#include "mainwindow/QtText.h"

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

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kHistoryColumns)
        return {};
    const HistoryCell& cell =
        rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return qs(cell.text);
    case MarkRole:
        return cell.mark;
    case Qt::TextAlignmentRole:
        switch (historyCellAlign(index.column())) {
        case HistoryAlign::Left:
            return int(Qt::AlignLeft | Qt::AlignTop);
        case HistoryAlign::Center:
            return int(Qt::AlignHCenter | Qt::AlignTop);
        case HistoryAlign::Right:
            return int(Qt::AlignRight | Qt::AlignTop);
        }
        return {};
    default:
        return {};
    }
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kHistoryColumns)
        return {};
    if (role == Qt::DisplayRole)
        return qs(historyColumns(pitcher_)[static_cast<std::size_t>(section)].header);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

} // namespace tenvoll
