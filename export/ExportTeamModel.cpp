// Export team list model.
#include "export/ExportTeamModel.h"

#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/QtText.h"

#include <unordered_map>

namespace tenvoll {

namespace {
constexpr const char* kCaptions[kExportColumnCount] = {"機構名", "エクスポート形式", "一軍チーム名",
                                                       "二軍チーム名", "ファイルパス"};
}

ExportTeamModel::ExportTeamModel(const ExportTeamList& list, const HighlightColours& colours,
                                 QObject* parent)
    : QAbstractTableModel(parent), list_(list), colours_(colours) {}

int ExportTeamModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

int ExportTeamModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kExportColumnCount;
}

QVariant ExportTeamModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kExportColumnCount)
        return {};
    const ExportRow& row = list_.rows()[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return qs(row.cell(index.column()));
    case Qt::BackgroundRole:
        return row.assigned() ? QVariant(toQColor(colours_.upBackground)) : QVariant();
    case Qt::ForegroundRole:
        return row.assigned() ? QVariant(toQColor(colours_.upText)) : QVariant();
    default:
        return {};
    }
}

QVariant ExportTeamModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kExportColumnCount)
        return {};
    return QString::fromUtf8(kCaptions[section]);
}

void ExportTeamModel::resetWith(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
}

void ExportTeamModel::labelsChanged() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kExportColumnCount - 1));
}

void ExportTeamModel::reorder(const std::function<void()>& sortRows) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> ids;
    for (const QModelIndex& i : before)
        ids.push_back(list_.rows()[std::size_t(i.row())].id);
    sortRows();
    std::unordered_map<std::size_t, int> rowOf;
    for (std::size_t r = 0; r < list_.rows().size(); ++r)
        rowOf[list_.rows()[r].id] = static_cast<int>(r);
    QModelIndexList after;
    for (qsizetype k = 0; k < before.size(); ++k)
        after << index(rowOf[ids[std::size_t(k)]], before[k].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace tenvoll
