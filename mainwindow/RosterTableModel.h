// Table model of one roster grid: the cells computed by the pane engine; the
// header row is the grid's column captions.
#pragma once

#include "mainwindow/RosterRows.h"
#include "windowkit/MarkedCellModel.h"

namespace tenvoll {

class RosterTableModel : public MarkedCellModel {
    Q_OBJECT
public:
    explicit RosterTableModel(GridKind kind, QObject* parent = nullptr);

    GridKind kind() const { return grid_.kind; }
    const RosterGrid& grid() const { return grid_; }
    void setGrid(RosterGrid grid);
    // Keeps only the first `rows` rows (the name search shows just its finds).
    void setRowCount(int rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;

protected:
    const Cell& cellAt(int row, int column) const override;
    CellAlign alignment(int column) const override { return rosterCellAlign(column); }
    QString caption(int column) const override;

private:
    RosterGrid grid_;
};

} // namespace tenvoll
