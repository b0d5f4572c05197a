// The main window's search mode ("全選手検索"): the search panel beside the
// panes, the ranking list "成績表示" on the Top pane's ranking page, and the
// runs of the league-wide ranking and the name search, which leave the found
// players' sections in the Top store for the player detail window.
#pragma once

#include "mainwindow/Ranking.h"
#include "windowkit/ProgramState.h"

#include <QObject>
#include <QSize>

#include <optional>

class QLabel;
class QMainWindow;
class QProgressBar;
class QTableView;

namespace tenvoll {

class RankingTableModel;
class RosterPane;
class SearchPanel;

class SearchMode : public QObject {
    Q_OBJECT
public:
    // Builds the search panel (shown while the mode is on; the main window
    // places it beside the panes) and the ranking page of `topPane`.
    SearchMode(ProgramState& state, QMainWindow& window, RosterPane& topPane,
               QProgressBar& progress);

    // Turns the mode on or off: the panel, the Top pane's tabs and team
    // changes; leaving gives the window its width back and the panes reload.
    void setActive(bool on);

    // Checks "選手名検索" and puts the keyboard in the search text, selected.
    void focusNameSearch();
    // "検索開始": a ranking, or a name search when "選手名検索" is checked.
    void Button3Click();
    // Column click on the ranking list: re-sorts in the current direction.
    void ListViewSeisekiCompare(int column);
    // Enter or a double click on a ranking row: the player detail window, modal.
    void rankingRowChosen(int row);
    // "CSVファイル作成" on the ranking page.
    void exportRankingCsv();

    SearchPanel* panel() const { return panel_; }
    RankingTableModel* rankingModel() const { return rankingModel_; }
    QTableView* rankingList() const { return ListViewSeiseki; }
    QString ruleNote() const;

signals:
    // A ranking row was chosen: the main window shows the detail window, modal.
    void playerDetailRequested();

private:
    void buildRankingPage();
    void runNameSearch(SearchReporter& reporter);
    void runRankingSearch(SearchReporter& reporter);
    void showSearchTabs(bool nameSearch);
    void finishSearchTabs(bool nameSearch);
    // "グラフ表示" ▸ "期別": offered in search mode unless the list holds career
    // totals, which belong to no term.
    void updateChartAction();
    void showStatus(const QString& text);
    void showSortIndicator(int column);

    ProgramState& state_;
    QMainWindow& window_;
    RosterPane& topPane_;
    QProgressBar& progress_;
    SearchPanel* panel_ = nullptr;
    QTableView* ListViewSeiseki = nullptr;
    RankingTableModel* rankingModel_ = nullptr;
    QLabel* ruleNote_ = nullptr;
    RankingOptions rankingOptions_;
    RankingOrder sortOrder_ = RankingOrder::Descending;
    // The column the user last sorted the list by; kept until another statistic is chosen.
    std::optional<int> chosenSortColumn_;
    // The window's size before the search panel widened it: given back on leaving.
    QSize sizeBeforeSearch_;
};

} // namespace tenvoll
