// TForm2, the window "個人データ": one player's whole history, rebuilt from the
// program state's team stores every time the window becomes active or a store
// is reloaded. Not modal from a roster pane, modal from the ranking list; at
// most one exists. The rows come from player/PlayerHistory.h.
#pragma once

#include "player/PlayerHistory.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace tenvoll {

namespace charts {
class TXYGraph;
}
class GridView;
class HistoryTableModel;
class ProgramState;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(ProgramState& state, QWidget* parent = nullptr);

    // Rebuilds everything the window shows from the program state.
    void refill();
    // Shows the player of the other pane.
    void Button3Click();
    // Clipboard and CSV commands of the grid's pop-up menu, on the selected row.
    void copyPlayerData();
    void copyStatistics();
    void saveCsv();

    const PlayerHistory& history() const { return history_; }
    // The career chart below the grid and its two item choices ("なし" first in the second).
    charts::TXYGraph* careerGraph() const { return CareerGraph; }
    QComboBox* chartItem() const { return ChartItem1; }
    QComboBox* secondChartItem() const { return ChartItem2; }
    GridView* grid() const { return StringGrid1; }
    HistoryTableModel* model() const { return model_; }

protected:
    bool event(QEvent* event) override;

private:
    const IniSection* shownSection(StoreSide& side) const;
    int selectedRow() const;
    void fitGridHeight();
    // Item lists of the player's kind, keeping the choices when the kind stays.
    void fillChartItems(bool pitcher);
    void redrawChart();

    ProgramState& state_;
    PlayerHistory history_;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    GridView* StringGrid1 = nullptr;
    QScrollArea* gridArea_ = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    HistoryTableModel* model_ = nullptr;
    QComboBox* ChartItem1 = nullptr;
    QComboBox* ChartItem2 = nullptr;
    charts::TXYGraph* CareerGraph = nullptr;
    std::optional<bool> chartPitcher_;
};

} // namespace tenvoll
