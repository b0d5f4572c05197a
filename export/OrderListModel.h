// One of the opening-order window's three player lists as an item model: the
// columns "名前", "守備", "順序", "チーム名", the batter or pitcher icon, the
// row colours of the highlight settings, and drag and drop of rows. Every row
// can be dragged; only the order list takes drops, and only onto a row: the
// model then announces the drop and the window lets the opening order apply it.
#pragma once

#include "export/OpeningOrder.h"
#include "league/Settings.h"

#include <QAbstractTableModel>
#include <QIcon>

namespace tenvoll {

class OrderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, PositionColumn, LabelColumn, OriginColumn, ColumnCount };
    static constexpr const char* kMimeType = "application/x-tenvoll-order-row";

    OrderListModel(const OpeningOrder& order, OrderList list, const HighlightColours& colours,
                   QObject* parent = nullptr);

    OrderList list() const { return list_; }
    // Shows the opening order's rows as they are now.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

signals:
    void rowDropped(tenvoll::OrderList source, int sourceRow, int targetRow);

private:
    const std::vector<OrderRow>& rows() const { return order_.rows(list_); }

    const OpeningOrder& order_;
    OrderList list_;
    const HighlightColours& colours_;
    int shownRows_ = 0;
    QIcon batterIcon_;
    QIcon pitcherIcon_;
};

} // namespace tenvoll
