// Table model of one roster grid: per cell the text and the mark (+1, -1, 0)
// computed by the pane engine; the header row is the grid's column captions.
#pragma once

#include "mainwindow/RosterRows.h"

#include <QAbstractTableModel>

namespace tenvoll {

class RosterTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MarkRole = Qt::UserRole + 1;

    explicit RosterTableModel(GridKind kind, QObject* parent = nullptr);

    GridKind kind() const { return grid_.kind; }
    const RosterGrid& grid() const { return grid_; }
    void setGrid(RosterGrid grid);
    // Keeps only the first `rows` rows (the name search shows just its finds).
    void setRowCount(int rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    RosterGrid grid_;
};

} // namespace tenvoll
