// Player list model of the opening-order window.
#include "export/OrderListModel.h"

#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/QtText.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

namespace tenvoll {

namespace {

const char* const kCaptions[OrderListModel::ColumnCount] = {"名前", "守備", "順序", "チーム名"};

// A small rounded badge with one character: "打" for batters, "投" for pitchers.
QIcon badgeIcon(const QString& text, const QColor& fill) {
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 4.0, size / 4.0);
        QFont font = p.font();
        font.setPixelSize(size * 3 / 4);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(pixmap.rect(), Qt::AlignCenter, text);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

OrderListModel::OrderListModel(const OpeningOrder& order, OrderList list,
                               const HighlightColours& colours, QObject* parent)
    : QAbstractTableModel(parent), order_(order), list_(list), colours_(colours),
      shownRows_(static_cast<int>(order.rows(list).size())),
      batterIcon_(badgeIcon(QStringLiteral("打"), QColor(0x2e, 0x7d, 0x32))),
      pitcherIcon_(badgeIcon(QStringLiteral("投"), QColor(0xc6, 0x62, 0x00))) {}

void OrderListModel::refresh() {
    const int now = static_cast<int>(rows().size());
    if (now != shownRows_) {
        beginResetModel();
        shownRows_ = now;
        endResetModel();
        return;
    }
    if (now > 0)
        emit dataChanged(index(0, 0), index(now - 1, ColumnCount - 1));
}

int OrderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int OrderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OrderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows().size()))
        return {};
    const OrderRow& row = rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case NameColumn:
            return qs(row.name);
        case PositionColumn:
            return qs(row.position);
        case LabelColumn:
            return qs(row.label);
        case OriginColumn:
            return qs(row.origin);
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() == NameColumn && !row.name.empty())
            return row.batterIcon ? batterIcon_ : pitcherIcon_;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == PositionColumn || index.column() == LabelColumn)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        const RowHighlight h = order_.highlight(list_, row);
        if (h == RowHighlight::Normal)
            return {};
        const bool up = h == RowHighlight::Up;
        if (role == Qt::BackgroundRole)
            return toQColor(up ? colours_.upBackground : colours_.downBackground);
        return toQColor(up ? colours_.upText : colours_.downText);
    }
    default:
        return {};
    }
}

QVariant OrderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromUtf8(kCaptions[section]);
}

Qt::ItemFlags OrderListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (list_ == OrderList::Order)
        f |= Qt::ItemIsDropEnabled;
    return f;
}

QStringList OrderListModel::mimeTypes() const {
    return {QString::fromLatin1(kMimeType)};
}

QMimeData* OrderListModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty())
        return nullptr;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<qint32>(list_) << static_cast<qint32>(indexes.front().row());
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kMimeType), bytes);
    return data;
}

bool OrderListModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                     const QModelIndex& parent) const {
    return list_ == OrderList::Order && parent.isValid() && data &&
           data->hasFormat(QString::fromLatin1(kMimeType));
}

bool OrderListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                  const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    QDataStream in(data->data(QString::fromLatin1(kMimeType)));
    qint32 source = 0;
    qint32 sourceRow = 0;
    in >> source >> sourceRow;
    if (in.status() != QDataStream::Ok || source < 0 ||
        source > static_cast<qint32>(OrderList::Unsigned))
        return false;
    emit rowDropped(static_cast<OrderList>(source), sourceRow, parent.row());
    return true;
}

} // namespace tenvoll
