// The window "バックアップ一覧": the league's backup folders newest first —
// folder, term, time, number of files, kind and whether it can be undone —
// with "フォルダを開く" (the file manager), "直前の期更新を取り消す…" and
// "取り消しをやり直す…". Also the confirmation and run of an undo or redo that
// the main menu and the term-update window use.
#pragma once

#include "termupdate/TermUndo.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace tenvoll {

class ProgramState;

// Shows what the undo (or redo) would do and asks; on yes runs it and reports.
// Refusals and failures are shown as messages. True when the league's files
// were changed (the panes need reloading).
bool confirmAndReverseTermUpdate(QWidget* parent, ProgramState& state, UndoAction action);

class BackupsWindow : public QDialog {
    Q_OBJECT
public:
    explicit BackupsWindow(ProgramState& state, QWidget* parent = nullptr);

    // Reads the backup folders again; false (the reason shown) when the
    // league's folder cannot be read.
    bool refresh();
    void openSelectedFolder();
    void reverse(UndoAction action);

    QTreeWidget* list() const { return list_; }
    // True once an undo or redo changed the league's files.
    bool changedLeague() const { return changed_; }

private:
    void updateButtons();

    ProgramState& state_;
    BackupList backups_;
    QTreeWidget* list_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QPushButton* redoButton_ = nullptr;
    bool changed_ = false;
};

} // namespace tenvoll
