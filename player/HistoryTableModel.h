// Table model of the player detail grid: one row per term with its marks
// (9 for the career row); captions by player kind.
#pragma once

#include "player/PlayerHistory.h"
#include "windowkit/MarkedCellModel.h"

namespace tenvoll {

class HistoryTableModel : public MarkedCellModel {
    Q_OBJECT
public:
    using MarkedCellModel::MarkedCellModel;

    void setHistory(bool pitcher, std::vector<HistoryRow> rows);
    bool pitcher() const { return pitcher_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;

protected:
    const Cell& cellAt(int row, int column) const override;
    CellAlign alignment(int column) const override { return historyCellAlign(column); }
    QString caption(int column) const override;

private:
    bool pitcher_ = false;
    std::vector<HistoryRow> rows_;
};

} // namespace tenvoll
