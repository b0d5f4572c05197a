// Ranking list model.
#include "mainwindow/RankingTableModel.h"

#include "league/GridCells.h"
#include "league/TextCompare.h"
#include "windowkit/QtText.h"

namespace tenvoll {

void RankingTableModel::setRanking(const RankingRow& captions, std::vector<RankingRow> rows) {
    beginResetModel();
    captions_ = captions;
    rows_ = std::move(rows);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(kRankingColumnCount) - 1);
}

void RankingTableModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void RankingTableModel::sortBy(int column, RankingOrder order) {
    emit layoutAboutToBeChanged();
    sortRankingRows(rows_, column, order);
    emit layoutChanged();
}

void RankingTableModel::setSearchText(const QString& text) {
    std::string t = ss(text);
    if (t == searchText_)
        return;
    searchText_ = std::move(t);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {MarkRole});
}

int RankingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RankingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kRankingColumnCount);
}

QVariant RankingTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RankingRow& row = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return qs(row[column]);
    case MarkRole: {
        const std::string& key = column == 0 ? row[0] : row[1];
        const bool found = !searchText_.empty() && equalsIgnoreCase(key, searchText_);
        return static_cast<int>(found ? Mark::Up : Mark::None);
    }
    case Qt::TextAlignmentRole:
        if (column == 0 || column == 1 || column == 17)
            return int(Qt::AlignLeft | Qt::AlignTop);
        return int(Qt::AlignRight | Qt::AlignTop);
    default:
        return {};
    }
}

QVariant RankingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(kRankingColumnCount))
        return {};
    if (role == Qt::DisplayRole)
        return qs(captions_[static_cast<std::size_t>(section)]);
    return {};
}

} // namespace tenvoll
