// TForm2, the window "個人データ": one player's whole history, rebuilt from the
// program state's team stores every time the window becomes active or a store
// is reloaded. Not modal from a roster pane, modal from the ranking list; at
// most one exists. The rows come from player/PlayerHistory.h.
#pragma once

#include "player/PlayerHistory.h"

#include <QDialog>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace tenvoll {

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
    GridView* grid() const { return StringGrid1; }
    HistoryTableModel* model() const { return model_; }

protected:
    bool event(QEvent* event) override;

private:
    const IniSection* shownSection(StoreSide& side) const;
    int selectedRow() const;
    void fitGridHeight();

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
};

} // namespace tenvoll
