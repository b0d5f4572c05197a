// The main window: start-up, menus, pane opening and navigation, opening the
// other windows, shutdown.
#include "mainwindow/Unit1.h"

#include "charts/Unit8.h"
#include "export/Unit5.h"
#include "export/Unit6.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/TextCompare.h"
#include "mainwindow/EngineVersion.h"
#include "mainwindow/PaneCsv.h"
#include "mainwindow/SearchMode.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit7.h"
#include "player/Unit2.h"
#include "termupdate/BackupsWindow.h"
#include "termupdate/Unit3.h"
#include "termupdate/Unit4.h"
#include "windowkit/AboutText.h"
#include "windowkit/CsvSaving.h"
#include "windowkit/QtText.h"
#include "windowkit/ToolWindowHooks.h"
#include "windowkit/UserDialogs.h"

#include <QActionGroup>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>
#include <set>

namespace tenvoll {

namespace {

QString menuCaption(const std::string& path) {
    return mnemonicSafe(qs(path));
}

std::string captionPath(const QAction* action) {
    QString text = action->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return ss(text);
}

} // namespace

QUrl manualUrl() {
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        appDir + QStringLiteral("/../manual/index.html"),
        appDir + QStringLiteral("/manual/index.html"),
        appDir + QStringLiteral("/../share/tenvoll/manual/index.html"),
        QStringLiteral(TENVOLL_MANUAL_SOURCE),
    };
    for (const QString& c : candidates)
        if (QFileInfo::exists(c))
            return QUrl::fromLocalFile(QFileInfo(c).canonicalFilePath());
    return QUrl::fromLocalFile(candidates[3]);
}

TForm1::TForm1(std::string programFolder, QWidget* parent)
    : QMainWindow(parent), state_(new ProgramState(std::move(programFolder), this)) {
    setObjectName(QStringLiteral("TForm1"));

    // Panes with their grids and summaries.
    auto* central = new QWidget(this);
    auto* outer = new QHBoxLayout(central);
    outer->setContentsMargins(2, 2, 2, 2);
    auto* layout = new QVBoxLayout;
    layout->setSpacing(2);
    topPane_ = new RosterPane(PaneSide::Top, state_->colours(), central);
    bottomPane_ = new RosterPane(PaneSide::Bottom, state_->colours(), central);
    layout->addWidget(topPane_);
    layout->addWidget(bottomPane_);
    outer->addLayout(layout, 1);
    setCentralWidget(central);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("SearchProgress"));
    progress_->setMaximumWidth(160);
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);
    search_ = new SearchMode(*state_, *this, *topPane_, *progress_);
    outer->addWidget(search_->panel());
    connect(search_, &SearchMode::playerDetailRequested, this, [this] { showPlayerDetail(true); });

    for (RosterPane* p : {topPane_, bottomPane_}) {
        const PaneSide side = p->side();
        connect(
            p, &RosterPane::playerChosen, this,
            [this](PaneSide s, GridKind, const QString& name) { StringGridAllDblClick(s, name); });
        connect(p->changeTeamAction(), &QAction::triggered, this,
                [this, side] { chooseTeamFile(side); });
        connect(p->nextTeamAction(), &QAction::triggered, this,
                [this, side] { stepTeam(side, Step::Next); });
        connect(p->previousTeamAction(), &QAction::triggered, this,
                [this, side] { stepTeam(side, Step::Previous); });
        connect(p->sameTeamAction(), &QAction::triggered, this,
                [this, side] { showSameTeam(side); });
        connect(p->csvAction(), &QAction::triggered, this, [this, side] { exportPaneCsv(side); });
    }
    connect(topPane_->chartAction(), &QAction::triggered, this, &TForm1::openTermChart);

    // Settings: a missing file reads as an empty one.
    try {
        state_->setSettings(Settings::loadFrom(state_->programFolder()));
    } catch (const LeagueError& e) {
        state_->setSettingsReadable(false);
        dialogs().warning(
            this,
            QStringLiteral(
                "設定ファイルを読み込めませんでした。この設定ファイルは終了時にも書き換えません。"),
            qs(e.fullText()));
    }
    state_->setLeagueName(state_->settings().leagueName());
    setWindowTitle(qs(state_->leagueName()));
    state_->setColours(state_->settings().colours());

    connect(state_, &ProgramState::coloursChanged, this, &TForm1::repaintGrids);
    connect(state_, &ProgramState::paneReloadRequested, this, &TForm1::reloadPanes);

    buildMenus();
    buildTeamMenus();
    connect(state_, &ProgramState::openingOrderOpenChanged, this, &TForm1::openingOrderChanged);
    connect(state_, &ProgramState::playerDetailRequested, this,
            [this] { showPlayerDetail(false); });
    resume();
}

TForm1::~TForm1() = default;

bool TForm1::statisticsCheckEnabled() const {
    return statisticsCheckAction_->isChecked();
}

bool TForm1::searchMode() const {
    return searchAction_->isChecked();
}

void TForm1::setSearchMode(bool on) {
    search_->setActive(on);
}

void TForm1::findPlayerName() {
    if (!searchAction_->isEnabled() || !searchMenu_->menuAction()->isEnabled())
        return;
    searchAction_->setChecked(true);
    search_->focusNameSearch();
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu_->setObjectName(QStringLiteral("FileMenu"));
    QAction* resumeAction = fileMenu_->addAction(QStringLiteral("レジューム"));
    resumeAction->setObjectName(QStringLiteral("ResumeAction"));
    connect(resumeAction, &QAction::triggered, this, &TForm1::resume);
    topTeamMenu_ = fileMenu_->addMenu(QStringLiteral("閲覧チーム(Top)"));
    topTeamMenu_->setObjectName(QStringLiteral("TopTeamMenu"));
    bottomTeamMenu_ = fileMenu_->addMenu(QStringLiteral("閲覧チーム(Bottom)"));
    bottomTeamMenu_->setObjectName(QStringLiteral("BottomTeamMenu"));
    fileMenu_->addAction(QStringLiteral("CSVエクスポート"))->setEnabled(false);
    fileMenu_->addAction(QStringLiteral("データマージ"))->setEnabled(false);
    QAction* exitAction = fileMenu_->addAction(QStringLiteral("終了"));
    exitAction->setObjectName(QStringLiteral("ExitAction"));
    connect(exitAction, &QAction::triggered, this, &TForm1::exitProgram);

    searchMenu_ = bar->addMenu(QStringLiteral("検索(&S)"));
    searchAction_ = searchMenu_->addAction(QStringLiteral("全選手検索"));
    searchAction_->setObjectName(QStringLiteral("SearchAction"));
    searchAction_->setCheckable(true);
    connect(searchAction_, &QAction::toggled, this, &TForm1::setSearchMode);
    QAction* findName = searchMenu_->addAction(QStringLiteral("選手名で検索"));
    findName->setObjectName(QStringLiteral("FindNameAction"));
    findName->setShortcut(QKeySequence::Find);
    connect(findName, &QAction::triggered, this, &TForm1::findPlayerName);

    toolMenu_ = bar->addMenu(QStringLiteral("ツール(&T)"));
    QAction* openingOrderAction = toolMenu_->addAction(QStringLiteral("開幕オーダー選出"));
    openingOrderAction->setObjectName(QStringLiteral("OpeningOrderAction"));
    connect(openingOrderAction, &QAction::triggered, this, &TForm1::openOpeningOrder);
    QAction* exportAction = toolMenu_->addAction(QStringLiteral("リーグデータ出力"));
    exportAction->setObjectName(QStringLiteral("LeagueExportAction"));
    connect(exportAction, &QAction::triggered, this, &TForm1::openLeagueExport);
    QAction* reportAction = toolMenu_->addAction(QStringLiteral("Webページ出力…"));
    reportAction->setObjectName(QStringLiteral("ReportAction"));
    connect(reportAction, &QAction::triggered, this, [this] {
        if (ToolWindowOpener open = reportWindowOpener())
            open(*state_, this);
    });
    termUpdateAction_ = toolMenu_->addAction(QStringLiteral("最新データの追加"));
    termUpdateAction_->setObjectName(QStringLiteral("TermUpdateAction"));
    connect(termUpdateAction_, &QAction::triggered, this, &TForm1::openTermUpdate);
    QAction* undoAction = toolMenu_->addAction(QStringLiteral("直前の期更新を取り消す…"));
    undoAction->setObjectName(QStringLiteral("UndoTermUpdateAction"));
    connect(undoAction, &QAction::triggered, this, &TForm1::undoTermUpdate);
    QAction* backupsAction = toolMenu_->addAction(QStringLiteral("バックアップ一覧…"));
    backupsAction->setObjectName(QStringLiteral("BackupsAction"));
    connect(backupsAction, &QAction::triggered, this, &TForm1::openBackups);
    QAction* editorAction = toolMenu_->addAction(QStringLiteral("チーム編成エディタ"));
    editorAction->setObjectName(QStringLiteral("LeagueEditorAction"));
    connect(editorAction, &QAction::triggered, this, &TForm1::openOrganisationEditor);
    connect(state_, &ProgramState::quitRequested, this, &TForm1::quitWithLeague);

    optionMenu_ = bar->addMenu(QStringLiteral("Option(&O)"));
    QAction* colourAction = optionMenu_->addAction(QStringLiteral("設定"));
    colourAction->setObjectName(QStringLiteral("ColourSettingsAction"));
    connect(colourAction, &QAction::triggered, this, &TForm1::openColourSettings);
    statisticsCheckAction_ = optionMenu_->addAction(QStringLiteral("成績のチェック"));
    statisticsCheckAction_->setObjectName(QStringLiteral("StatisticsCheckAction"));
    statisticsCheckAction_->setCheckable(true);
    statisticsCheckAction_->setChecked(true);
    connect(statisticsCheckAction_, &QAction::toggled, state_, &ProgramState::setStatisticsCheck);

    QMenu* help = bar->addMenu(QStringLiteral("Help(&H)"));
    connect(help->addAction(QStringLiteral("ヘルプ")), &QAction::triggered, this,
            &TForm1::showHelp);
    connect(help->addAction(QStringLiteral("オンラインヘルプ")), &QAction::triggered, this,
            &TForm1::showOnlineHelp);
    QAction* version = help->addAction(QStringLiteral("バージョン情報"));
    version->setObjectName(QStringLiteral("VersionAction"));
    connect(version, &QAction::triggered, this, &TForm1::showVersion);
}

void TForm1::buildTeamMenus() {
    std::vector<std::string> paths = state_->settings().teamMenuPaths(state_->leagueName());
    fillTeamMenu(PaneSide::Top, paths);
    fillTeamMenu(PaneSide::Bottom, paths);
}

void TForm1::fillTeamMenu(PaneSide side, const std::vector<std::string>& paths) {
    QMenu* menu = teamMenu(side);
    QActionGroup*& group = side == PaneSide::Top ? topTeamGroup_ : bottomTeamGroup_;
    menu->clear();
    delete group;
    group = new QActionGroup(this);
    group->setExclusive(true);
    for (const std::string& path : paths) {
        QAction* a = menu->addAction(menuCaption(path));
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, side, a] {
            std::string full = joinProgramFolder(state_->programFolder(), captionPath(a));
            state_->setPanePath(side, full);
            openTeam(side, full);
        });
    }
}

void TForm1::checkTeamMenuItem(PaneSide side, const std::string& fullPath) {
    const std::string stored = toStoredPath(state_->programFolder(), fullPath);
    for (QAction* a : teamMenu(side)->actions())
        if (equalsIgnoreCase(replaceAll(captionPath(a), "/", "\\"), replaceAll(stored, "/", "\\")))
            a->setChecked(true);
}

void TForm1::openTeam(PaneSide side, const std::string& fullPath) {
    RosterPane* view = pane(side);
    view->clearGrids();
    state_->setPanePath(side, fullPath);

    PaneLoad load;
    try {
        FolderLock lock = FolderLock::acquire(state_->programFolder(), FolderLock::Mode::Shared);
        load = loadPane(fullPath, statisticsCheckEnabled());
    } catch (const LeagueError& e) {
        load.messages.push_back({e.what(), e.detail()});
    }
    if (!load.folder.empty())
        state_->setLeagueFolder(load.folder);
    showUserMessages(this, load.messages);
    if (!load.loaded)
        return;

    const QString name = qs(load.teamName);
    view->setTeamName(name);
    // Both panes may show one team: the side tells the two submenus apart.
    teamMenu(side)->setTitle(
        (side == PaneSide::Top ? QStringLiteral("上: ") : QStringLiteral("下: ")) +
        mnemonicSafe(name));
    checkTeamMenuItem(side, fullPath);
    const std::string firstName = load.content.grid(GridKind::Batters).rows.front()[1].text;
    view->showContent(std::move(load.content));
    view->showSummary(load.summary, name);

    const std::string& selected = state_->pane(side).selected;
    if (!selected.empty() && selected == state_->shownPlayer())
        state_->setShownPlayer(firstName);
    state_->selectPlayer(side, firstName);

    state_->setPaneTeamName(side, load.teamName);
    state_->setPaneStore(side, std::move(load.store));
    runPaneComparison();
}

void TForm1::runPaneComparison() {
    if (!isSameTeamPair(state_->pane(PaneSide::Top).path, state_->pane(PaneSide::Bottom).path))
        return;
    PaneContent topContent = topPane_->content();
    PaneContent bottomContent = bottomPane_->content();
    comparePanes(topContent, state_->pane(PaneSide::Top).path, state_->pane(PaneSide::Top).store,
                 bottomContent, state_->pane(PaneSide::Bottom).path,
                 state_->pane(PaneSide::Bottom).store);
    topPane_->showContent(std::move(topContent));
    bottomPane_->showContent(std::move(bottomContent));
}

void TForm1::resume() {
    for (PaneSide side : {PaneSide::Top, PaneSide::Bottom}) {
        const std::string stored =
            side == PaneSide::Top ? state_->settings().team1() : state_->settings().team2();
        const std::string full = state_->settings().fullPath(stored);
        if (full.empty())
            continue;
        openTeam(side, full);
    }
    runPaneComparison();
}

void TForm1::chooseTeamFile(PaneSide side) {
    pane(side)->clearGrids();
    const std::string current = state_->pane(side).path;
    const QString folder = qs(current.empty() ? state_->programFolder() : folderOf(current));
    auto chosen = dialogs().openFileName(
        this, folder,
        {{QStringLiteral("チームファイル (*.txt) テキスト形式"), QStringLiteral("*.txt")},
         {QStringLiteral("来期用ファイル (*.tvl) テキスト形式"), QStringLiteral("*.tvl")}});
    if (!chosen)
        return;
    openTeam(side, ss(QDir::toNativeSeparators(*chosen)));
}

void TForm1::stepTeam(PaneSide side, Step step) {
    std::optional<std::string> path;
    try {
        path = steppedTeamPath(Settings::loadFrom(state_->programFolder()), state_->leagueName(),
                               state_->pane(side).teamName, step);
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return;
    }
    if (path)
        openTeam(side, *path);
}

void TForm1::showSameTeam(PaneSide target) {
    const PaneSide source = target == PaneSide::Top ? PaneSide::Bottom : PaneSide::Top;
    SameTeamChoice choice =
        sameTeamInOtherForm(state_->pane(target).path, state_->pane(source).path);
    if (!choice.message.empty())
        dialogs().message(this, qs(choice.message));
    if (!choice.reload)
        return;
    if (choice.path.empty()) {
        pane(target)->clearGrids();
        state_->setPanePath(target, {});
        return;
    }
    openTeam(target, choice.path);
}

bool TForm1::writeSettings() {
    if (!state_->settingsReadable())
        return false;
    const std::string& folder = state_->programFolder();
    try {
        state_->setSettings(
            saveSession(folder, {toStoredPath(folder, state_->pane(PaneSide::Top).path),
                                 toStoredPath(folder, state_->pane(PaneSide::Bottom).path),
                                 state_->leagueName(), state_->colours()}));
        return true;
    } catch (const LeagueError& e) {
        dialogs().critical(this, QStringLiteral("設定ファイルを保存できませんでした。"),
                           qs(e.fullText()));
        return false;
    }
}

void TForm1::exitProgram() {
    // Closing writes the settings, once.
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    writeSettings();
    event->accept();
}

void TForm1::openColourSettings() {
    TForm7 window(*state_, this);
    window.exec();
    repaintGrids();
}

void TForm1::openLeagueExport() {
    TForm5 window(*state_, this);
    if (window.prepare())
        window.exec();
}

void TForm1::openTermUpdate() {
    {
        TForm4 window(*state_, this);
        if (window.prepare())
            window.exec();
    }
    // The run may have rewritten both panes' files.
    reloadPanes();
}

void TForm1::undoTermUpdate() {
    if (confirmAndReverseTermUpdate(this, *state_, UndoAction::Undo))
        reloadPanes();
}

void TForm1::openBackups() {
    bool changed = false;
    {
        BackupsWindow window(*state_, this);
        if (window.refresh())
            window.exec();
        changed = window.changedLeague();
    }
    if (changed)
        reloadPanes();
}

void TForm1::openOrganisationEditor() {
    const std::string leagueBefore = state_->leagueName();
    bool saved = false;
    {
        TForm3 window(*state_, this);
        if (window.prepare())
            saved = window.exec() == QDialog::Accepted;
    }
    // The editor may have saved the registry, or named a league missing from
    // the file when it opened: caption and team menus follow.
    if (!saved && state_->leagueName() == leagueBefore)
        return;
    setWindowTitle(qs(state_->leagueName()));
    try {
        state_->setSettings(Settings::loadFrom(state_->programFolder()));
        buildTeamMenus();
        for (PaneSide side : {PaneSide::Top, PaneSide::Bottom})
            checkTeamMenuItem(side, state_->pane(side).path);
    } catch (const LeagueError&) {
        // The menus keep what they showed; the file is reported when it is next read.
    }
}

void TForm1::quitWithLeague(const QString& leagueName) {
    state_->setLeagueName(ss(leagueName));
    close();
}

void TForm1::openOpeningOrder() {
    if (!openingOrder_) {
        openingOrder_ = new TForm6(*state_, this);
        openingOrder_->setAttribute(Qt::WA_DeleteOnClose);
    }
    openingOrder_->show();
    openingOrder_->raise();
    openingOrder_->activateWindow();
}

TForm6* TForm1::openingOrderWindow() const {
    return openingOrder_.data();
}

void TForm1::openingOrderChanged(bool open) {
    for (QMenu* menu : {fileMenu_, searchMenu_, toolMenu_, optionMenu_})
        menu->menuAction()->setEnabled(!open);
    // The stores are lent to the window: no pane may load another file meanwhile.
    for (RosterPane* p : {topPane_, bottomPane_}) {
        const bool searching = p == topPane_ && searchMode();
        p->changeTeamAction()->setEnabled(!open);
        for (QAction* a : {p->nextTeamAction(), p->previousTeamAction(), p->sameTeamAction()})
            a->setEnabled(!open && !searching);
    }
    if (open)
        return;
    for (PaneSide side : {PaneSide::Top, PaneSide::Bottom})
        if (state_->pane(side).path.empty())
            state_->clearPaneStore(side);
    reloadPanes();
}

void TForm1::reloadPanes() {
    for (PaneSide side : {PaneSide::Top, PaneSide::Bottom})
        if (!state_->pane(side).path.empty())
            openTeam(side, state_->pane(side).path);
}

void TForm1::repaintGrids() {
    topPane_->repaintGrids();
    bottomPane_->repaintGrids();
}

void TForm1::showHelp() {
    const std::string chm = joinProgramFolder(state_->programFolder(), "\\tenvoll.chm");
    if (fileExists(chm)) {
        dialogs().openExternally(QUrl::fromLocalFile(qs(resolvePath(chm))));
        return;
    }
    // Yes only opens the manual in the browser.
    if (dialogs().question(
            this, QStringLiteral("HELPファイルが見つかりません。オンラインヘルプを開きます。"),
            DefaultAnswer::Yes))
        showOnlineHelp();
}

void TForm1::showOnlineHelp() {
    const QUrl manual = manualUrl();
    if (!dialogs().openExternally(manual))
        dialogs().message(this,
                          QStringLiteral("マニュアルを開くプログラムが見つかりませんでした。"
                                         "マニュアルは次の場所にあります。"),
                          QDir::toNativeSeparators(manual.toLocalFile()));
}

void TForm1::showVersion() {
    dialogs().about(this, qs(versionText()), aboutDetail(manualUrl().toLocalFile()));
}

void TForm1::StringGridAllDblClick(PaneSide side, const QString& name) {
    if (state_->openingOrderOpen() || name.isEmpty() || name == QStringLiteral("*"))
        return;
    state_->selectPlayer(side, ss(name));
    state_->setShownPlayer(ss(name));
    state_->setLeagueFolder(paneLeagueFolder(state_->pane(side).path));
    showPlayerDetail(false);
}

void TForm1::openTermChart() {
    tenvoll::openTermChart(*state_, chartWindow_, this);
}

TForm8* TForm1::chartWindow() const {
    return chartWindow_.data();
}

TForm2* TForm1::playerDetailWindow() const {
    return playerDetail_.data();
}

void TForm1::showPlayerDetail(bool modal) {
    if (!playerDetail_) {
        playerDetail_ = new TForm2(*state_, this);
        playerDetail_->setAttribute(Qt::WA_DeleteOnClose);
    }
    playerDetail_->refill();
    if (modal) {
        playerDetail_->exec();
        return;
    }
    playerDetail_->setModal(false);
    playerDetail_->show();
    playerDetail_->raise();
    playerDetail_->activateWindow();
}

void TForm1::exportPaneCsv(PaneSide side) {
    RosterPane* view = pane(side);
    switch (view->currentTab()) {
    case PaneTab::Team:
        dialogs().message(this, side == PaneSide::Top
                                    ? QStringLiteral("この機能は利用できません")
                                    : QStringLiteral("まだこの機能は利用できません"));
        return;
    case PaneTab::Ranking:
        search_->exportRankingCsv();
        return;
    default:
        break;
    }
    const std::string& name = state_->pane(side).teamName;
    saveCsvFile(this, state_->programFolder(), qs(name), rosterCsvLines(name, view->content()));
}

} // namespace tenvoll
