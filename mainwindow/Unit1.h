// TForm1, the main window: two roster panes (Top and Bottom), the menus that
// open every other window, and the owner of the program state
// (windowkit/ProgramState.h) that the other windows receive instead of it.
#pragma once

#include "league/IniStore.h"
#include "league/Settings.h"
#include "mainwindow/PaneLoader.h"
#include "mainwindow/PaneNavigation.h"
#include "mainwindow/RosterPane.h"
#include "windowkit/ProgramState.h"

#include <QMainWindow>
#include <QPointer>

#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QProgressBar;

namespace tenvoll {

class SearchMode;
class TForm2;
class TForm6;
class TForm8;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder`: the current directory when the program starts.
    explicit TForm1(std::string programFolder, QWidget* parent = nullptr);
    ~TForm1() override;

    // ---- program-wide state: owned here, handed to every other window ----
    ProgramState& state() const { return *state_; }
    RosterPane* pane(PaneSide side) const { return side == PaneSide::Top ? topPane_ : bottomPane_; }
    bool statisticsCheckEnabled() const;
    bool searchMode() const;

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
    // "直前の期更新を取り消す…" and "バックアップ一覧…", then both panes reloaded.
    void undoTermUpdate();
    void openBackups();
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
    // "グラフ表示" ▸ "期別": the chart window over the ranking list (not modal).
    void openTermChart();
    TForm8* chartWindow() const;
    // "CSVファイル作成" of a pane's pop-up menu, by the tab on show.
    void exportPaneCsv(PaneSide side);

    // "全選手検索": the search mode with its panel and ranking list.
    void setSearchMode(bool on);
    // Ctrl+F: search mode on, "選手名検索" checked, the search text selected for typing.
    void findPlayerName();
    SearchMode& search() const { return *search_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildTeamMenus();
    void fillTeamMenu(PaneSide side, const std::vector<std::string>& paths);
    void checkTeamMenuItem(PaneSide side, const std::string& fullPath);
    void runPaneComparison();
    // While the opening-order window is open the menus and the panes' team
    // changes are off; when it closes the panes show their own files again.
    void openingOrderChanged(bool open);
    // Records the panes' files, the league and the colours in the settings
    // file (reported when it fails).
    bool writeSettings();
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
    SearchMode* search_ = nullptr;
    QPointer<TForm2> playerDetail_;
    QPointer<TForm6> openingOrder_;
    QPointer<TForm8> chartWindow_;
};

// The address of the program's manual (the online help).
QUrl manualUrl();

} // namespace tenvoll
