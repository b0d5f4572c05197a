// Search mode: the ranking page, the panel's searches and their results.
#include "mainwindow/SearchMode.h"

#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "mainwindow/NameSearch.h"
#include "mainwindow/RankingCsv.h"
#include "mainwindow/RankingTableModel.h"
#include "mainwindow/RosterPane.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/SearchPanel.h"
#include "windowkit/CsvSaving.h"
#include "windowkit/GridView.h"
#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/QtProgressReporter.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tenvoll {

namespace {

// Widths at 96 dpi of the ranking list's name, short team and term columns;
// the statistics columns take the rest.
constexpr int kNameColumnWidth = 100;
constexpr int kTeamColumnWidth = 34;
constexpr int kStatisticColumnWidth = 31;
constexpr int kTermColumnWidth = 62;

} // namespace

SearchMode::SearchMode(ProgramState& state, QMainWindow& window, RosterPane& topPane,
                       QProgressBar& progress)
    : QObject(&window), state_(state), window_(window), topPane_(topPane), progress_(progress) {
    panel_ = new SearchPanel(&window);
    panel_->hide();
    buildRankingPage();
}

void SearchMode::buildRankingPage() {
    QWidget* page = topPane_.rankingPage();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    ruleNote_ = new QLabel(page);
    ruleNote_->setObjectName(QStringLiteral("RuleNote"));
    layout->addWidget(ruleNote_);
    rankingModel_ = new RankingTableModel(this);
    auto* grid = new GridView(page);
    ListViewSeiseki = grid;
    ListViewSeiseki->setObjectName(QStringLiteral("ListViewSeiseki"));
    ListViewSeiseki->setModel(rankingModel_);
    ListViewSeiseki->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListViewSeiseki->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListViewSeiseki->setItemDelegate(
        new MarkedCellDelegate(state_.colours(), RankingTableModel::MarkRole, this));
    std::vector<int> widths(kRankingColumnCount, kStatisticColumnWidth);
    widths.front() = kNameColumnWidth;
    widths[1] = kTeamColumnWidth;
    widths.back() = kTermColumnWidth;
    grid->setColumnWidths96(widths);
    grid->setUserResizable(true);
    ListViewSeiseki->horizontalHeader()->setSectionsClickable(true);
    ListViewSeiseki->horizontalHeader()->setSortIndicatorShown(true);
    ListViewSeiseki->horizontalHeader()->setSortIndicator(-1, Qt::DescendingOrder);
    layout->addWidget(ListViewSeiseki, 1);

    connect(ListViewSeiseki->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &SearchMode::ListViewSeisekiCompare);
    connect(grid, &GridView::rowChosen, this, &SearchMode::rankingRowChosen);
    // The ranking list is the Top pane's page: it offers the Top pane's pop-up menu.
    ListViewSeiseki->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListViewSeiseki, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        topPane_.popupMenu()->popup(ListViewSeiseki->viewport()->mapToGlobal(at));
    });
    connect(ListViewSeiseki, &QTableView::clicked, this, [this](const QModelIndex& index) {
        panel_->setSearchText(
            rankingModel_->data(rankingModel_->index(index.row(), 0), Qt::DisplayRole).toString());
    });
    connect(ListViewSeiseki->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                showStatus(
                    QStringLiteral("%1/%2 %3")
                        .arg(current.row() + 1)
                        .arg(rankingModel_->rowCount())
                        .arg(qs(rankingItems()[static_cast<std::size_t>(rankingOptions_.item)])));
            });
    connect(panel_, &SearchPanel::searchRequested, this, &SearchMode::Button3Click);
    connect(panel_, &SearchPanel::orderChosen, this, [this](RankingOrder o) { sortOrder_ = o; });
    // Another statistic is ranked by its own column again.
    connect(panel_->itemGroup(), &QButtonGroup::idClicked, this,
            [this] { chosenSortColumn_.reset(); });
    connect(panel_, &SearchPanel::searchTextEdited, rankingModel_,
            &RankingTableModel::setSearchText);
    connect(panel_, &SearchPanel::nameSearchToggled, this, [this](bool on) { showSearchTabs(on); });
}

QString SearchMode::ruleNote() const {
    return ruleNote_->text();
}

void SearchMode::showStatus(const QString& text) {
    window_.statusBar()->showMessage(text);
}

void SearchMode::setActive(bool on) {
    state_.setSearchMode(on);
    if (on)
        sizeBeforeSearch_ = window_.size();
    panel_->setVisible(on);
    for (QAction* a :
         {topPane_.nextTeamAction(), topPane_.previousTeamAction(), topPane_.sameTeamAction()})
        a->setEnabled(!on);
    updateChartAction();
    if (on) {
        // The Top pane shows search results from now on, not its team.
        topPane_.setHeading(QStringLiteral("全選手検索"));
        showSearchTabs(panel_->nameSearch());
        return;
    }
    // Leaving search mode: the Top store held search results; both panes reload their files.
    for (PaneTab tab : {PaneTab::Batters, PaneTab::Pitchers, PaneTab::FarmBatters,
                        PaneTab::FarmPitchers, PaneTab::Team})
        topPane_.setTabShown(tab, true);
    topPane_.setTabShown(PaneTab::Ranking, false);
    topPane_.setCurrentTab(PaneTab::Batters);
    rankingModel_->clear();
    ruleNote_->clear();
    window_.statusBar()->clearMessage();
    state_.requestPaneReload();
    // The panel's strip goes with the panel.
    if (!window_.isMaximized() && !window_.isFullScreen() && sizeBeforeSearch_.isValid()) {
        window_.centralWidget()->layout()->activate();
        window_.layout()->activate();
        window_.resize(sizeBeforeSearch_);
    }
}

void SearchMode::focusNameSearch() {
    panel_->nameSearchBox()->setChecked(true);
    QComboBox* box = panel_->searchTextBox();
    box->setFocus(Qt::ShortcutFocusReason);
    if (QLineEdit* edit = box->lineEdit())
        edit->selectAll();
}

void SearchMode::showSearchTabs(bool nameSearch) {
    for (PaneTab tab : {PaneTab::Batters, PaneTab::Pitchers})
        topPane_.setTabShown(tab, nameSearch);
    for (PaneTab tab : {PaneTab::FarmBatters, PaneTab::FarmPitchers, PaneTab::Team})
        topPane_.setTabShown(tab, false);
    topPane_.setTabShown(PaneTab::Ranking, !nameSearch);
    topPane_.setCurrentTab(nameSearch ? PaneTab::Batters : PaneTab::Ranking);
}

void SearchMode::Button3Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    panel_->startButton()->setEnabled(false);
    const bool nameSearch = panel_->nameSearch();
    // The Top store receives the search's sections; the Bottom pane keeps its
    // team (the engines need no scratch store), so it stays usable meanwhile.
    state_.clearPaneStore(PaneSide::Top);
    showSearchTabs(nameSearch);
    panel_->rememberSearchText();
    // Each message is shown once per search.
    QtProgressReporter reporter(
        &window_, [this](const QString& text) { showStatus(text); }, &progress_,
        QtProgressReporter::Messages::EachOnce);
    progress_.reset();
    progress_.show();
    try {
        if (nameSearch)
            runNameSearch(reporter);
        else
            runRankingSearch(reporter);
    } catch (const LeagueError& e) {
        dialogs().warning(&window_, qs(e.what()), qs(e.detail()));
    }
    finishSearchTabs(nameSearch);
    updateChartAction();
    progress_.hide();
    window_.statusBar()->clearMessage();
    panel_->startButton()->setEnabled(true);
    QApplication::restoreOverrideCursor();
}

void SearchMode::runNameSearch(SearchReporter& reporter) {
    topPane_.clearGrids();
    topPane_.setHeading(QStringLiteral("選手名検索「%1」").arg(panel_->searchText()));
    state_.setRanking({});
    FolderLock lock = FolderLock::acquire(state_.programFolder(), FolderLock::Mode::Shared);
    const SearchLeague league =
        searchLeague(Settings::loadFrom(state_.programFolder()), state_.leagueName());
    NameSearchResult result = searchPlayerName(league, ss(panel_->searchText()), reporter);
    lock.release();
    state_.setPaneStore(PaneSide::Top, std::move(result.store));
    std::vector<UserMessage> messages;
    topPane_.showContent(filledPane(state_.pane(PaneSide::Top).store, league.folder,
                                    state_.statisticsCheck(), messages));
    showUserMessages(&window_, messages);
    if (result.names.empty())
        dialogs().message(&window_, qs(nameNotFoundMessage(state_.leagueName())));
}

void SearchMode::runRankingSearch(SearchReporter& reporter) {
    rankingModel_->clear();
    state_.setRanking({});
    ruleNote_->clear();
    const SearchLeague league =
        searchLeague(Settings::loadFrom(state_.programFolder()), state_.leagueName());
    rankingOptions_ = panel_->options();
    sortOrder_ = rankingOptions_.order;
    topPane_.setHeading(QStringLiteral("全選手検索「%1」").arg(panel_->itemText()));
    ListViewSeiseki->hide();
    if (!league.folder.empty())
        state_.setLeagueFolder(league.folder);
    RankingResult result;
    try {
        FolderLock lock = FolderLock::acquire(state_.programFolder(), FolderLock::Mode::Shared);
        result = runRanking(league, rankingOptions_, reporter);
    } catch (...) {
        ListViewSeiseki->show();
        throw;
    }
    ListViewSeiseki->show();
    ListViewSeiseki->setToolTip(panel_->itemText());
    state_.setRanking({result.captions, result.rows, rankingOptions_.career, rankingOptions_.item});
    // A column the user sorted by stays the list's order for later searches.
    // The rows are ordered, marked and given their sort arrow before the list
    // takes them, so that its columns are measured once, not per step.
    if (chosenSortColumn_)
        sortRankingRows(result.rows, *chosenSortColumn_, sortOrder_);
    showSortIndicator(chosenSortColumn_.value_or(result.sortColumn));
    rankingModel_->setSearchText(panel_->searchText());
    rankingModel_->setRanking(result.captions, std::move(result.rows));
    ruleNote_->setText(qs(result.ruleNote));
    state_.setPaneStore(PaneSide::Top, std::move(result.players));
}

void SearchMode::finishSearchTabs(bool nameSearch) {
    // The grids keep only their filled rows; empty ones are not offered.
    int mostRows = -1;
    PaneTab fullest = PaneTab::Batters;
    const PaneTab current = topPane_.currentTab();
    for (GridKind kind : kGridKinds) {
        RosterTableModel* m = topPane_.model(kind);
        int filled = 0;
        for (int r = 0; r < m->rowCount(); ++r)
            if (!m->data(m->index(r, 1), Qt::DisplayRole).toString().isEmpty())
                filled = r + 1;
        m->setRowCount(filled);
        topPane_.grid(kind)->fitToContents();
        const auto tab = static_cast<PaneTab>(kind);
        topPane_.setTabShown(tab, nameSearch && filled > 0);
        if (filled > mostRows || (filled == mostRows && tab == current)) {
            mostRows = filled;
            fullest = tab;
        }
    }
    if (nameSearch) {
        // Without hits the empty batters' grid still shows under its tab.
        if (mostRows == 0) {
            fullest = PaneTab::Batters;
            topPane_.setTabShown(fullest, true);
        }
        topPane_.setCurrentTab(fullest);
    } else {
        topPane_.setTabShown(PaneTab::Ranking, true);
        topPane_.setCurrentTab(PaneTab::Ranking);
    }
}

void SearchMode::updateChartAction() {
    QAction* chart = topPane_.chartAction();
    const bool career = state_.ranking().career && rankingModel_->rowCount() > 0;
    chart->setEnabled(state_.searchMode() && !career);
    chart->setToolTip(career ? QStringLiteral("通算成績の一覧は期ごとに分けられないため、"
                                              "期別のグラフにはできません。")
                             : QString());
}

void SearchMode::ListViewSeisekiCompare(int column) {
    chosenSortColumn_ = column;
    showSortIndicator(column);
    // The new order refits the columns, with the arrow's caption already in place.
    rankingModel_->sortBy(column, sortOrder_);
}

void SearchMode::showSortIndicator(int column) {
    ListViewSeiseki->horizontalHeader()->setSortIndicator(
        column, sortOrder_ == RankingOrder::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void SearchMode::rankingRowChosen(int row) {
    const QString name =
        rankingModel_->data(rankingModel_->index(row, 0), Qt::DisplayRole).toString();
    if (name.isEmpty())
        return;
    panel_->setSearchText(name);
    state_.selectPlayer(PaneSide::Top, ss(name));
    state_.setShownPlayer(ss(name));
    state_.setLeagueFolder(paneLeagueFolder(state_.pane(PaneSide::Top).path));
    emit playerDetailRequested();
}

void SearchMode::exportRankingCsv() {
    const RankingCsvHeading heading = rankingCsvHeading(panel_->options());
    saveCsvFile(&window_, state_.programFolder(), qs(rankingCsvFileName(heading)),
                rankingCsvLines(heading, rankingModel_->captions(), rankingModel_->rows()));
}

} // namespace tenvoll
