// TForm1, the main window: two roster panes (Top and Bottom), the menus that
// open every other window, and the program-wide state the other windows read
// (program folder, league, the two team stores, the chosen players, colours).
#pragma once

#include "league/IniStore.h"
#include "league/Settings.h"
#include "mainwindow/PaneLoader.h"
#include "mainwindow/PaneNavigation.h"
#include "mainwindow/ProgramState.h"
#include "mainwindow/Ranking.h"
#include "mainwindow/RosterPane.h"

#include <QMainWindow>
#include <QPointer>

#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QLabel;
class QProgressBar;
class QTableView;

namespace tenvoll {

class RankingTableModel;
class SearchPanel;
class SearchProgress;
class TForm2;
class TForm6;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder`: the current directory when the program starts.
    explicit TForm1(std::string programFolder, QWidget* parent = nullptr);
    ~TForm1() override;

    using PaneState = ProgramState::PaneState;

    // ---- program-wide state: owned here, handed to every other window ----
    ProgramState& state() const { return *state_; }
    const std::string& programFolder() const { return state_->programFolder(); }
    const std::string& leagueName() const { return state_->leagueName(); }
    const std::string& leagueFolder() const { return state_->leagueFolder(); }
    void setLeagueFolder(std::string folder) { state_->setLeagueFolder(std::move(folder)); }
    PaneState& paneState(PaneSide side) { return state_->pane(side); }
    RosterPane* pane(PaneSide side) const { return side == PaneSide::Top ? topPane_ : bottomPane_; }
    const std::string& shownPlayer() const { return state_->shownPlayer(); }
    void setShownPlayer(std::string name) { state_->setShownPlayer(std::move(name)); }
    HighlightColours& colours() { return state_->editableColours(); }
    bool statisticsCheckEnabled() const;
    bool searchMode() const;
    bool openingOrderOpen() const { return state_->openingOrderOpen(); }

    // ---- operations of the menus ----
    // Shows a file in a pane (menu item, dialog, resume, navigation).
    void openTeam(PaneSide side, const std::string& fullPath);
    void resume();
    void chooseTeamFile(PaneSide side);
    void stepTeam(PaneSide side, Step step);
    void showSameTeam(PaneSide target);
    void exitProgram();
    void openColourSettings();
    // "リーグデータ出力": the league export window, modal.
    void openLeagueExport();
    // "開幕オーダー選出": the opening-order window, not modal, reused while open.
    void openOpeningOrder();
    TForm6* openingOrderWindow() const;
    // "最新データの追加": the term update window, then both panes reloaded.
    void openTermUpdate();
    void reloadPanes();
    // "チーム編成エディタ": the league and team organisation editor.
    void openOrganisationEditor();
    // Ends the program as "終了" does, recording `leagueName` as the current league.
    void quitWithLeague(const QString& leagueName);
    void repaintGrids();
    void showHelp();
    void showOnlineHelp();
    void showVersion();
    // Enter or a double click on a roster row.
    void StringGridAllDblClick(PaneSide side, const QString& name);
    // Shows the player detail window for the shown player (modal from the ranking list).
    void showPlayerDetail(bool modal);
    TForm2* playerDetailWindow() const;
    // "CSVファイル作成" of a pane's pop-up menu, by the tab on show.
    void exportPaneCsv(PaneSide side);

    // ---- search mode ("全選手検索") ----
    void setSearchMode(bool on);
    // "検索開始": a ranking, or a name search when "選手名検索" is checked.
    void Button3Click();
    // Column click on the ranking list: re-sorts in the current direction.
    void ListViewSeisekiCompare(int column);
    // Enter or a double click on a ranking row: the player detail window, modal.
    void rankingRowChosen(int row);
    SearchPanel* searchPanel() const { return searchPanel_; }
    RankingTableModel* rankingModel() const { return rankingModel_; }
    QTableView* rankingList() const { return ListViewSeiseki; }
    QString ruleNote() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildTeamMenus();
    void fillTeamMenu(PaneSide side, const std::vector<std::string>& paths);
    void checkTeamMenuItem(PaneSide side, const std::string& fullPath);
    void showMessages(const std::vector<UserMessage>& messages);
    void runPaneComparison();
    // While the opening-order window is open the menus and the panes' team
    // changes are off; when it closes the panes show their own files again.
    void openingOrderChanged(bool open);
    void exportRankingCsv();
    void buildRankingPage();
    void runNameSearch(SearchProgress& reporter);
    void runRankingSearch(SearchProgress& reporter);
    void showSearchTabs(bool nameSearch);
    void finishSearchTabs(bool nameSearch);
    bool writeSettings(const std::string& team1, const std::string& team2);
    // The settings file as it is now; throws LeagueError.
    Settings settingsOnDisk() const;
    QMenu* teamMenu(PaneSide side) const {
        return side == PaneSide::Top ? topTeamMenu_ : bottomTeamMenu_;
    }

    ProgramState* state_ = nullptr;

    RosterPane* topPane_ = nullptr;
    RosterPane* bottomPane_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* searchMenu_ = nullptr;
    QMenu* toolMenu_ = nullptr;
    QMenu* optionMenu_ = nullptr;
    QMenu* topTeamMenu_ = nullptr;
    QMenu* bottomTeamMenu_ = nullptr;
    QActionGroup* topTeamGroup_ = nullptr;
    QActionGroup* bottomTeamGroup_ = nullptr;
    QAction* searchAction_ = nullptr;
    QAction* statisticsCheckAction_ = nullptr;
    QAction* termUpdateAction_ = nullptr;
    QProgressBar* progress_ = nullptr;
    SearchPanel* searchPanel_ = nullptr;
    QTableView* ListViewSeiseki = nullptr;
    RankingTableModel* rankingModel_ = nullptr;
    QLabel* ruleNote_ = nullptr;
    RankingOptions rankingOptions_;
    RankingOrder sortOrder_ = RankingOrder::Descending;
    QPointer<TForm2> playerDetail_;
    QPointer<TForm6> openingOrder_;
};

// The address of the program's manual (the online help).
QUrl manualUrl();

} // namespace tenvoll
