// Table model of the player detail grid: per cell the text and the mark
// (+1, -1, 0, or 9 for the career row); headers by player kind.
#pragma once

#include "player/PlayerHistory.h"

#include <QAbstractTableModel>

namespace tenvoll {

class HistoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MarkRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setHistory(bool pitcher, std::vector<HistoryRow> rows);
    bool pitcher() const { return pitcher_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool pitcher_ = false;
    std::vector<HistoryRow> rows_;
};

} // namespace tenvoll
