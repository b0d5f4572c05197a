// One roster pane of the main window: tabs on the left for the four roster
// grids, the team summary and (Top pane only) the ranking list, plus the
// pane's pop-up menu. It shows what the pane engine computed; the main window
// decides what to load.
#pragma once

#include "league/Settings.h"
#include "mainwindow/PaneLoader.h"
#include "mainwindow/RosterRows.h"
#include "windowkit/ProgramState.h"

#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QTreeWidget;

namespace tenvoll {

class GridView;
class RosterTableModel;

enum class PaneTab { Batters, Pitchers, FarmBatters, FarmPitchers, Team, Ranking };

class RosterPane : public QWidget {
    Q_OBJECT
public:
    RosterPane(PaneSide side, const HighlightColours& colours, QWidget* parent = nullptr);

    PaneSide side() const { return side_; }
    // Empties every roster cell and mark; the summary stays.
    void clearGrids();
    void showContent(PaneContent content);
    PaneContent content() const;
    void showSummary(const std::array<SummaryRow, 6>& rows, const QString& teamName);
    // The team's name: above the tabs, as tooltip and as the pop-up menu's title.
    void setTeamName(const QString& name);
    // The line above the tabs (the team's name; emptied with the grids).
    void setHeading(const QString& text);
    QString heading() const;
    void repaintGrids();

    QTabWidget* tabs() const { return tabs_; }
    GridView* grid(GridKind kind) const { return grids_[static_cast<std::size_t>(kind)]; }
    RosterTableModel* model(GridKind kind) const { return models_[static_cast<std::size_t>(kind)]; }
    QTreeWidget* summary() const { return summary_; }
    // The Top pane's ranking page (hidden until a ranking fills it); null for Bottom.
    QWidget* rankingPage() const { return rankingPage_; }
    PaneTab currentTab() const;
    void setTabShown(PaneTab tab, bool shown);
    bool isTabShown(PaneTab tab) const;
    void setCurrentTab(PaneTab tab);

    QMenu* popupMenu() const { return popup_; }
    QAction* titleAction() const { return titleAction_; }
    QAction* changeTeamAction() const { return changeTeamAction_; }
    QAction* nextTeamAction() const { return nextTeamAction_; }
    QAction* previousTeamAction() const { return previousTeamAction_; }
    QAction* sameTeamAction() const { return sameTeamAction_; }
    QAction* csvAction() const { return csvAction_; }
    QAction* chartAction() const { return chartAction_; } // Top pane only

signals:
    // Enter or a double click on a roster row; `name` is the row's name cell.
    void playerChosen(PaneSide side, GridKind kind, const QString& name);

private:
    void buildPopupMenu();
    int tabIndex(PaneTab tab) const;

    PaneSide side_;
    QLabel* heading_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<GridView*, 4> grids_{};
    std::array<RosterTableModel*, 4> models_{};
    QTreeWidget* summary_ = nullptr;
    QWidget* rankingPage_ = nullptr;
    std::array<QWidget*, 6> pages_{};

    QMenu* popup_ = nullptr;
    QAction* titleAction_ = nullptr;
    QAction* changeTeamAction_ = nullptr;
    QAction* nextTeamAction_ = nullptr;
    QAction* previousTeamAction_ = nullptr;
    QAction* sameTeamAction_ = nullptr;
    QAction* csvAction_ = nullptr;
    QAction* chartAction_ = nullptr;
};

// Shows the messages of a pane load, one message box each.
void showUserMessages(QWidget* parent, const std::vector<UserMessage>& messages);

} // namespace tenvoll
