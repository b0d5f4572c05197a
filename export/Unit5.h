// TForm5, the window "リーグデータエクスポート": the teams of every registered
// league, their assignment to the six export slots through the list's pop-up
// menu, and "エクスポート", which writes the chosen teams into one file in the
// game's team text layout. Opened modally from "リーグデータ出力".
#pragma once

#include "export/ExportTeamList.h"
#include "league/IniStore.h"

#include <QDialog>

class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;

namespace tenvoll {

class ExportTeamModel;
class ProgramState;
class TimedStatusBar;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(ProgramState& state, QWidget* parent = nullptr);
    ~TForm5() override;

    // Reads the league registry and fills the list; false (after a message)
    // when the settings file cannot be read.
    bool prepare();

    // The pop-up menu's "前期データで出力" / "最新データで出力" ▸ "N番目" on the
    // selected row; nothing without a selection.
    void assignSelected(int slotNumber, bool latest);
    // Selects a row (in the list's current order) and assigns it.
    void assignRow(int row, int slotNumber, bool latest);
    // A click on a column header.
    void columnClicked(int column);
    // "エクスポート".
    void runExport();

    // The column sort survives the window for the program's run.
    static ExportSort& sharedSort();

    const ExportTeamList& list() const { return list_; }
    QTableView* table() const { return table_; }
    ExportTeamModel* model() const { return model_; }
    QMenu* popupMenu() const { return popup_; }
    QPushButton* exportButton() const { return exportButton_; }
    QString statusText() const;

private:
    void buildPopupMenu();
    void showPopupMenu(const QPoint& position);
    void showStatus(const QString& text);
    void fitColumns();
    void showSortIndicator();

    ProgramState& state_;
    IniStore settings_;
    ExportTeamList list_;
    ExportTeamModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QMenu* popup_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    TimedStatusBar* statusBar_ = nullptr;
};

} // namespace tenvoll
