// Term update window.
#include "termupdate/Unit4.h"

#include "league/FileAccess.h"
#include "league/GameRules.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "termupdate/BackupsWindow.h"
#include "termupdate/Dcheck.h"
#include "termupdate/FileDropTargets.h"
#include "termupdate/StatsMarks.h"
#include "termupdate/TermInputs.h"
#include "termupdate/TermUpdate.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtProgressReporter.h"
#include "windowkit/QtText.h"
#include "windowkit/TimedStatusBar.h"
#include "windowkit/UserDialogs.h"

#include <QApplication>

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace tenvoll {

namespace {
constexpr int kStatusMilliseconds = 5000;
const char* const kListCaptions[3] = {"追加対象ファイル【成長】", "追加対象ファイル【成績】",
                                      "新規加入選手ファイル【一期前】"};
const char* const kListNames[3] = {"GrowthList", "StatisticsList", "NewPlayerList"};
} // namespace

TForm4::TForm4(ProgramState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("最新データの追加"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* heading = new QLabel(QStringLiteral("最新データ"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    termBox_ = new QSpinBox(this);
    termBox_->setObjectName(QStringLiteral("TermBox"));
    termBox_->setRange(0, 999);
    termBox_->setValue(0);
    auto* termRow = new QHBoxLayout;
    termRow->addWidget(heading);
    termRow->addWidget(termBox_);
    termRow->addWidget(new QLabel(QStringLiteral("期"), this));
    termRow->addStretch(1);

    teamLabel_ = new QLabel(QStringLiteral("チーム名"), this);
    teamList_ = new QListWidget(this);
    teamList_->setObjectName(QStringLiteral("TeamNameList"));
    teamList_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* teams = new QVBoxLayout;
    teams->addWidget(teamLabel_);
    teams->addWidget(teamList_, 1);

    auto* menu = new QMenu(this);
    QAction* deleteAction = menu->addAction(QStringLiteral("ファイルを削除"));
    deleteAction->setObjectName(QStringLiteral("DeleteFilesAction"));
    connect(deleteAction, &QAction::triggered, this, &TForm4::deleteSelectedFiles);
    auto* lists = new QGridLayout;
    for (WorkingList list : kWorkingLists) {
        const int i = static_cast<int>(list);
        lists_[static_cast<std::size_t>(i)] = new FileDropList(this);
        FileDropList* l = lists_[static_cast<std::size_t>(i)];
        l->setObjectName(QString::fromLatin1(kListNames[i]));
        l->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(l, &QWidget::customContextMenuRequested, this,
                [menu, l](const QPoint& at) { menu->popup(l->viewport()->mapToGlobal(at)); });
        connect(l, &FileDropList::filesDropped, this,
                [this, list](const QStringList& paths) { dropOnList(list, paths); });
        connect(l, &QListWidget::itemClicked, this,
                [this, list] { showStatus(qs(listHint(list))); });
        lists->addWidget(new QLabel(QString::fromUtf8(kListCaptions[i]), this), 0, i);
        lists->addWidget(l, 1, i);
    }

    toolBox_ = new QComboBox(this);
    toolBox_->setObjectName(QStringLiteral("ToolBox"));
    for (ToolVariant v : kToolVariants)
        toolBox_->addItem(qs(toolVariantText(v)));
    toolBox_->setCurrentIndex(-1);
    auto* toolRow = new QHBoxLayout;
    toolRow->addWidget(new QLabel(QStringLiteral("利用ツール"), this));
    toolRow->addWidget(toolBox_);
    toolRow->addStretch(1);

    auto* gamesGroup = new QGroupBox(this);
    gamesBox_ = new QSpinBox(gamesGroup);
    gamesBox_->setObjectName(QStringLiteral("GamesBox"));
    gamesBox_->setRange(static_cast<int>(kMinGames), static_cast<int>(kMaxGames));
    gamesBox_->setValue(static_cast<int>(kDefaultGames));
    gamesPanel_ = new FileDropPanel(QStringLiteral("試合数"), gamesGroup);
    gamesPanel_->setObjectName(QStringLiteral("GamesPanel"));
    gamesPanel_->setToolTip(
        QStringLiteral("一軍成績ファイルをここにドロップすると、その期の成績の基準を計算します。"));
    connect(gamesPanel_, &FileDropPanel::filesDropped, this, &TForm4::dropOnGamesPanel);
    auto* gamesLayout = new QHBoxLayout(gamesGroup);
    gamesLayout->addWidget(gamesPanel_);
    gamesLayout->addWidget(gamesBox_);

    runButton_ = new QPushButton(QStringLiteral("実行(&R)"), this);
    runButton_->setObjectName(QStringLiteral("Button1"));
    runButton_->setEnabled(false);
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    checkButton_ = new QPushButton(QStringLiteral("データチェック(&D)"), this);
    checkButton_->setObjectName(QStringLiteral("Button5"));
    undoButton_ = new QPushButton(QStringLiteral("直前の期更新を取り消す(&U)…"), this);
    undoButton_->setObjectName(QStringLiteral("UndoButton"));
    backupsButton_ = new QPushButton(QStringLiteral("バックアップ一覧(&B)…"), this);
    backupsButton_->setObjectName(QStringLiteral("BackupsButton"));
    for (QPushButton* b : {runButton_, cancelButton_, checkButton_, undoButton_, backupsButton_})
        b->setAutoDefault(false);
    connect(undoButton_, &QPushButton::clicked, this, &TForm4::undoLastUpdate);
    connect(backupsButton_, &QPushButton::clicked, this, &TForm4::openBackups);
    connect(runButton_, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(checkButton_, &QPushButton::clicked, this, &TForm4::Button5Click);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(toolRow);
    buttons->addWidget(gamesGroup);
    buttons->addStretch(1);
    buttons->addWidget(checkButton_);
    buttons->addWidget(runButton_);
    buttons->addWidget(cancelButton_);

    statusBar_ = new TimedStatusBar(kStatusMilliseconds, this);
    progress_ = new QProgressBar(this);
    progress_->setMaximumWidth(200);
    progress_->hide();
    statusBar_->addPermanentWidget(progress_);

    auto* body = new QHBoxLayout;
    body->addLayout(teams, 1);
    body->addLayout(lists, 3);
    auto* backupRow = new QHBoxLayout;
    backupRow->addStretch(1);
    backupRow->addWidget(backupsButton_);
    backupRow->addWidget(undoButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(termRow);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    layout->addLayout(backupRow);
    layout->addWidget(statusBar_);
    resize(900, 480);
}

bool TForm4::prepare() {
    QtProgressReporter reporter = windowReporter();
    try {
        setup_ = openTermUpdate(state_.programFolder(), reporter);
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return false;
    }
    if (setup_.closeWindow)
        return false;
    teamList_->clear();
    for (const auto& name : setup_.teamNames)
        teamList_->addItem(qs(name));
    teamList_->setToolTip(qs(setup_.leagueFolder));
    teamLabel_->setText(qs(teamCountLabel(setup_.teamNames.size())));
    toolBox_->setCurrentIndex(setup_.tool ? toolBox_->findText(qs(toolVariantText(*setup_.tool)))
                                          : -1);
    for (WorkingList list : kWorkingLists) {
        QListWidget* l = fileList(list);
        l->clear();
        for (const auto& name : setup_.fileNames[static_cast<std::size_t>(list)])
            l->addItem(qs(name));
    }
    prepared_ = true;
    proposeNextTerm();
    return true;
}

void TForm4::refreshFileLists() {
    if (!prepared_)
        return;
    for (WorkingList list : kWorkingLists) {
        QListWidget* l = fileList(list);
        QStringList selected;
        for (const QListWidgetItem* item : l->selectedItems())
            selected << item->text();
        const QString current = l->currentItem() ? l->currentItem()->text() : QString();
        l->clear();
        for (const auto& name : workingFileNames(state_.programFolder(), list)) {
            auto* item = new QListWidgetItem(qs(name), l);
            item->setSelected(selected.contains(item->text()));
            if (item->text() == current)
                l->setCurrentItem(item, QItemSelectionModel::NoUpdate);
        }
    }
}

void TForm4::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Back from the file manager: what was added or deleted there shows.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshFileLists();
}

QListWidget* TForm4::fileList(WorkingList list) const {
    return lists_[static_cast<std::size_t>(list)];
}

QtProgressReporter TForm4::windowReporter() {
    return QtProgressReporter(
        this, [this](const QString& text) { statusBar_->setText(text); }, progress_,
        QtProgressReporter::Messages::Every);
}

QString TForm4::statusText() const {
    return statusBar_->text();
}

void TForm4::showStatus(const QString& text) {
    statusBar_->setText(text);
    startStatusTimer();
}

void TForm4::startStatusTimer() {
    statusBar_->restartClearTime();
}

std::vector<std::string> TForm4::listedPaths(WorkingList list) const {
    std::vector<std::string> names;
    QListWidget* l = fileList(list);
    for (int i = 0; i < l->count(); ++i)
        names.push_back(ss(l->item(i)->text()));
    return workingFilePaths(state_.programFolder(), list, names);
}

void TForm4::dropOnList(WorkingList list, const QStringList& paths) {
    for (const QString& path : paths) {
        try {
            const std::string source = ss(QDir::toNativeSeparators(path));
            statusBar_->setText(qs(addToWorkingFolder(state_.programFolder(), list, source)));
            fileList(list)->addItem(qs(fileNameOf(source)));
        } catch (const LeagueError& e) {
            dialogs().warning(this, qs(e.what()), qs(e.detail()));
        }
    }
    startStatusTimer();
}

void TForm4::dropOnGamesPanel(const QStringList& paths) {
    if (paths.size() != 1) {
        showStatus(qs(kOneFileAtATime));
        return;
    }
    QtProgressReporter reporter = windowReporter();
    StatsMarksInput input{state_.programFolder(), setup_.leagueFolder,
                          ss(QDir::toNativeSeparators(paths.front())), termBox_->value(),
                          gamesBox_->value()};
    try {
        checkNewTerm(input.newTerm);
        runStatsMarks(input, reporter);
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
    }
    startStatusTimer();
}

void TForm4::deleteSelectedFiles() {
    for (WorkingList list : kWorkingLists) {
        QListWidget* l = fileList(list);
        for (int i = l->count() - 1; i >= 0; --i) {
            QListWidgetItem* item = l->item(i);
            if (!item->isSelected())
                continue;
            DeleteOutcome outcome =
                deleteFromWorkingFolder(state_.programFolder(), list, ss(item->text()));
            statusBar_->setText(qs(outcome.status));
            if (outcome.deleted)
                delete l->takeItem(i);
        }
    }
    startStatusTimer();
}

void TForm4::setBusy(bool busy) {
    for (QWidget* w : findChildren<QWidget*>())
        if (w != statusBar_ && w != progress_ && w->parent() == this)
            w->setEnabled(!busy);
    runButton_->setEnabled(!busy && checkPassed_);
    progress_->setVisible(busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TForm4::Button5Click() {
    // The check reads the growth files the folder holds, so the lists show them.
    refreshFileLists();
    QtProgressReporter reporter = windowReporter();
    // Only checks: the files it would initialise are written by "実行", which
    // runs the check again inside the update's one commit.
    DataCheckInput input{state_.programFolder(),
                         setup_.leagueName,
                         termBox_->value(),
                         setup_.teamNames,
                         listedPaths(WorkingList::Growth),
                         false};
    checkPassed_ = false;
    setBusy(true);
    DataCheckResult result;
    try {
        result = runDataCheck(input, reporter);
    } catch (const LeagueError& e) {
        setBusy(false);
        // The status of an earlier step does not stay beside the error.
        statusBar_->setText(qs(e.what()));
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return;
    }
    if (!result.uncoveredTeam.empty())
        statusBar_->setText(qs(result.uncoveredTeam + "関係のエラーがあります。"));
    else if (!result.passed && !result.duplicatePair.empty())
        statusBar_->setText(qs(result.duplicatePair + "同一チーム名があります。"));
    checkPassed_ = result.passed;
    setBusy(false);
    startStatusTimer();
}

void TForm4::proposeNextTerm() {
    // The term after the league's newest; a league without players starts at 1.
    // A league that cannot be read keeps the box as it is: the run reports it.
    try {
        const std::optional<long long> newest =
            newestLeagueTerm(state_.programFolder(), setup_.leagueName);
        const long long next = newest ? *newest + 1 : 1;
        termBox_->setValue(static_cast<int>(std::clamp<long long>(next, 1, kMaxTerm)));
    } catch (const LeagueError&) {
    }
}

bool TForm4::confirmTerm(TermUpdateInput& input) {
    std::optional<long long> newest;
    try {
        newest = newestLeagueTerm(input.programFolder, input.leagueName);
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return false;
    }
    if (!newest || input.newTerm > *newest)
        return true;
    const QString unchanged = QStringLiteral("中止しました。ファイルは変更されていません。");
    if (input.newTerm < *newest) {
        statusBar_->setText(unchanged);
        dialogs().warning(this, qs(termBelowNewestMessage(input.newTerm, *newest)));
        return false;
    }
    input.again = dialogs().question(
        this, QStringLiteral("%1期のデータはすでに追加されています。もう一度追加しますか？")
                  .arg(input.newTerm));
    if (!input.again)
        statusBar_->setText(unchanged);
    return input.again;
}

void TForm4::Button1Click() {
    QtProgressReporter reporter = windowReporter();
    TermUpdateInput input;
    input.programFolder = state_.programFolder();
    input.leagueName = setup_.leagueName;
    input.newTerm = termBox_->value();
    input.tool = parseToolVariant(ss(toolBox_->currentText()));
    input.games = gamesBox_->value();
    input.growthFiles = listedPaths(WorkingList::Growth);
    input.statisticsFiles = listedPaths(WorkingList::Statistics);
    input.newPlayerFiles = listedPaths(WorkingList::NewPlayers);
    input.dataCheck = true;
    input.teamNames = setup_.teamNames;
    if (!confirmTerm(input))
        return;
    setBusy(true);
    try {
        TermUpdateResult result = runTermUpdate(input, reporter);
        setBusy(false);
        QString done = QStringLiteral("%1期のデータを追加しました。").arg(input.newTerm);
        QString detail;
        if (!result.backupFolder.empty())
            // The folder on a line of its own, so that the message's wrapping
            // does not break the path inside a name.
            detail = QStringLiteral("置き換える前のファイルは、次のフォルダにあります。\n%1")
                         .arg(QDir::toNativeSeparators(qs(result.backupFolder)));
        dialogs().message(this, done, detail);
    } catch (const TermFilesChangedError& e) {
        setBusy(false);
        statusBar_->setText(QStringLiteral("中止しました。一部のファイルが変更されています。"));
        dialogs().message(this, qs(e.what()), qs(e.detail()));
    } catch (const LeagueError& e) {
        setBusy(false);
        statusBar_->setText(QStringLiteral("中止しました。ファイルは変更されていません。"));
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
    }
    startStatusTimer();
}

void TForm4::undoLastUpdate() {
    if (confirmAndReverseTermUpdate(this, state_, UndoAction::Undo))
        showStatus(QStringLiteral("直前の期更新を取り消しました。"));
}

void TForm4::openBackups() {
    BackupsWindow window(state_, this);
    if (window.refresh())
        window.exec();
}

} // namespace tenvoll
