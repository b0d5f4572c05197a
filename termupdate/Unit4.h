// TForm4, the window "最新データの追加": the term spin box, the league's team
// names, the three working-folder file lists that take dropped files, the tool
// selector, the games spin box with its drop panel for the statistics marks,
// "データチェック" (Button5Click) and "実行" (Button1Click). The engines do the
// work; the window gathers the input and shows status and progress. It
// receives the program state (windowkit/ProgramState.h) for the program folder.
#pragma once

#include "termupdate/TermUpdate.h"
#include "termupdate/TermUpdateSetup.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tenvoll {

class FileDropList;
class FileDropPanel;
class ProgramState;
class TimedStatusBar;
class QtProgressReporter;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    // The program folder comes from `state`.
    explicit TForm4(ProgramState& state, QWidget* parent = nullptr);

    // The opening steps; false when the window must close at once (the reason
    // has been shown).
    bool prepare();

    void Button5Click(); // データチェック
    void Button1Click(); // 実行
    // Files dropped on a list or on the "試合数" panel.
    void dropOnList(WorkingList list, const QStringList& paths);
    void dropOnGamesPanel(const QStringList& paths);
    // "ファイルを削除" of the selected entries of every list.
    void deleteSelectedFiles();
    void showStatus(const QString& text);
    // "直前の期更新を取り消す…" and "バックアップ一覧…".
    void undoLastUpdate();
    void openBackups();

    QSpinBox* termBox() const { return termBox_; }
    QSpinBox* gamesBox() const { return gamesBox_; }
    QComboBox* toolBox() const { return toolBox_; }
    QListWidget* teamList() const { return teamList_; }
    QListWidget* fileList(WorkingList list) const;
    QPushButton* runButton() const { return runButton_; }
    QString statusText() const;
    // Lists the files the working folders hold now (files may be added or
    // removed outside the program); selected names stay selected.
    void refreshFileLists();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets the term box to the term after the league's newest.
    void proposeNextTerm();
    // Refuses a term below the league's newest term and asks before adding the
    // newest term once more (sets input.again); false when the run is not to start.
    bool confirmTerm(TermUpdateInput& input);
    // Status, progress and messages of the engines, drawn in this window.
    QtProgressReporter windowReporter();
    std::vector<std::string> listedPaths(WorkingList list) const;
    void startStatusTimer();
    void setBusy(bool busy);

    ProgramState& state_;
    TermUpdateSetup setup_;

    QSpinBox* termBox_ = nullptr;
    QSpinBox* gamesBox_ = nullptr;
    QComboBox* toolBox_ = nullptr;
    QLabel* teamLabel_ = nullptr;
    QListWidget* teamList_ = nullptr;
    std::array<FileDropList*, 3> lists_{};
    FileDropPanel* gamesPanel_ = nullptr;
    QPushButton* runButton_ = nullptr;
    // "実行" is offered only after a data check that reached its end.
    bool checkPassed_ = false;
    bool prepared_ = false; // the working folders exist and are listed
    QPushButton* cancelButton_ = nullptr;
    QPushButton* checkButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QPushButton* backupsButton_ = nullptr;
    TimedStatusBar* statusBar_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

} // namespace tenvoll
