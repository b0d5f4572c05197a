// Model of the ranking list "成績表示": 18 columns with per-search captions, and
// a highlight mark for the entries of the searched name (name column) or of
// the searched team abbreviation (value columns).
#pragma once

#include "mainwindow/Ranking.h"

#include <QAbstractTableModel>

namespace tenvoll {

class RankingTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MarkRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setRanking(const RankingRow& captions, std::vector<RankingRow> rows);
    void clear();
    const std::vector<RankingRow>& rows() const { return rows_; }
    const RankingRow& captions() const { return captions_; }
    // Re-sorts by a column with the ranking's comparison.
    void sortBy(int column, RankingOrder order);
    // Entries whose name (or, for the value cells, whose "略") equals this text are highlighted.
    void setSearchText(const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    RankingRow captions_{};
    std::vector<RankingRow> rows_;
    std::string searchText_;
};

} // namespace tenvoll
