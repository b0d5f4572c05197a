// TForm3, the window "チーム編成": the league selector, the current league's
// team entries with their three edit fields, and the buttons that add,
// replace, delete, fill from a team file, register a folder, save or cancel.
// The registry edits are done by LeagueOrganisation; changing or deleting the
// current league asks the main window (through the program state) to end the
// program, recording the new league.
#pragma once

#include "termupdate/LeagueOrganisation.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tenvoll {

class LeagueError;
class ProgramState;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(ProgramState& state, QWidget* parent = nullptr);

    // The load: leagues, current league (asked for when it is not in the
    // settings file) and its entries. False when the settings file cannot be
    // read or written (the reason has been shown); the window is then not shown.
    bool prepare();

    // Entry list: the selected entry into the edit fields.
    void showEntry(int row);
    void addEntry();       // "新規項目の作成"
    void replaceEntry();   // "情報の更新"
    void deleteEntry();    // "項目を削除"
    void chooseTeamFile(); // "選択..."
    void registerFolder(); // "一括登録"
    void saveAndClose();   // "更新して閉じる"
    // League selector: an item chosen, or Enter with the typed name.
    void leagueChosen(const QString& name);
    void leagueTyped(const QString& name);

    QComboBox* leagueBox() const { return leagueBox_; }
    QLabel* countLabel() const { return countLabel_; }
    QListWidget* entryList() const { return entryList_; }
    QLineEdit* firstTeamEdit() const { return firstTeamEdit_; }
    QLineEdit* farmTeamEdit() const { return farmTeamEdit_; }
    QLineEdit* fileEdit() const { return fileEdit_; }
    const LeagueOrganisation& organisation() const { return organisation_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryFields editedFields() const;
    void showRefusal(EntryRefusal refusal, const QString& detail = {});
    void fillEntryList();
    void appendEntryItem(const std::string& text);
    void fillLeagueBox();
    void selectCurrentLeague();
    void setCount(bool withLineBreak = false);
    void changeLeague(const QString& name);
    // Ends the program after a league change or deletion.
    void endProgram();
    void showWriteFailure(const LeagueError& error);

    ProgramState& state_;
    LeagueOrganisation organisation_;

    QComboBox* leagueBox_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QListWidget* entryList_ = nullptr;
    QLineEdit* firstTeamEdit_ = nullptr;
    QLineEdit* farmTeamEdit_ = nullptr;
    QLineEdit* fileEdit_ = nullptr;
};

} // namespace tenvoll
