// The export window's team list as a table: the five columns of every
// registered team, assigned rows in the UP highlight colours.
#pragma once

#include "export/ExportTeamList.h"
#include "league/Settings.h"

#include <QAbstractTableModel>

#include <functional>

namespace tenvoll {

class ExportTeamModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Neither the list nor the colours are owned; both outlive the model.
    ExportTeamModel(const ExportTeamList& list, const HighlightColours& colours,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Replaces the whole list through `change`.
    void resetWith(const std::function<void()>& change);
    // The labels changed (rows kept their places).
    void labelsChanged();
    // Reorders the rows through `sortRows`, keeping the view's selection on
    // the same teams.
    void reorder(const std::function<void()>& sortRows);

private:
    const ExportTeamList& list_;
    const HighlightColours& colours_;
};

} // namespace tenvoll
