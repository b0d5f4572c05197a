// The backup list window and the undo/redo confirmation.
#include "termupdate/BackupsWindow.h"

#include "league/LeagueError.h"
#include "league/Settings.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QApplication>

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace tenvoll {

namespace {

// The program's current league; the settings file's when none is set yet.
std::string leagueOf(const ProgramState& state) {
    if (!state.leagueName().empty())
        return state.leagueName();
    return Settings::loadFrom(state.programFolder()).leagueName();
}

QString fileLines(const UndoPreview& p) {
    QStringList lines;
    for (const auto& f : p.files) {
        const char* what = f.change == UndoChange::Remove   ? "削除: "
                           : f.change == UndoChange::Create ? "復元 (作成): "
                                                            : "復元: ";
        lines << qs(what) + qs(f.storedPath);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

bool confirmAndReverseTermUpdate(QWidget* parent, ProgramState& state, UndoAction action) {
    const bool undo = action == UndoAction::Undo;
    UndoPreview preview;
    std::string league;
    try {
        league = leagueOf(state);
        preview = previewUndo(state.programFolder(), league, action);
    } catch (const LeagueError& e) {
        dialogs().warning(parent, qs(e.what()), qs(e.detail()));
        return false;
    }
    const QString question =
        undo ? QStringLiteral("%1期の期更新 (%2) を取り消し、%1期を追加する前の状態に戻しますか？\n"
                              "今のファイルはバックアップに残し、あとでやり直せます。")
                   .arg(preview.term)
                   .arg(qs(preview.when))
             : QStringLiteral("%1期の期更新 (%2) の取り消しをやり直し、%1期を追加した状態に"
                              "戻しますか？")
                   .arg(preview.term)
                   .arg(qs(preview.when));
    const QStringList options = {undo ? QStringLiteral("取り消す") : QStringLiteral("やり直す"),
                                 QStringLiteral("キャンセル")};
    // Both answers rewrite the league's files: Enter cancels.
    if (dialogs().choice(parent, question, fileLines(preview), options, int(options.size()) - 1) !=
        0)
        return false;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        UndoPreview done = runUndo(state.programFolder(), league, action);
        QApplication::restoreOverrideCursor();
        QString detail;
        if (!done.keptFolder.empty())
            detail = QStringLiteral("取り消す前のファイルは、次のフォルダにあります。\n%1")
                         .arg(QDir::toNativeSeparators(qs(done.keptFolder)));
        dialogs().message(
            parent,
            undo ? QStringLiteral("%1期の期更新を取り消しました。").arg(done.term)
                 : QStringLiteral("%1期の期更新の取り消しをやり直しました。").arg(done.term),
            detail);
        return true;
    } catch (const LeagueError& e) {
        QApplication::restoreOverrideCursor();
        dialogs().warning(parent, qs(e.what()), qs(e.detail()));
        return false;
    }
}

BackupsWindow::BackupsWindow(ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("TFormBackups"));
    setWindowTitle(QStringLiteral("バックアップ一覧"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("BackupList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("フォルダ"), QStringLiteral("期"),
                            QStringLiteral("日時"), QStringLiteral("ファイル数"),
                            QStringLiteral("種類"), QStringLiteral("状態")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(list_, &QTreeWidget::currentItemChanged, this, &BackupsWindow::updateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &BackupsWindow::openSelectedFolder);

    openButton_ = new QPushButton(QStringLiteral("フォルダを開く(&O)"), this);
    openButton_->setObjectName(QStringLiteral("OpenFolderButton"));
    undoButton_ = new QPushButton(QStringLiteral("直前の期更新を取り消す(&Z)…"), this);
    undoButton_->setObjectName(QStringLiteral("UndoButton"));
    redoButton_ = new QPushButton(QStringLiteral("取り消しをやり直す(&Y)…"), this);
    redoButton_->setObjectName(QStringLiteral("RedoButton"));
    auto* closeButton = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* b : {openButton_, undoButton_, redoButton_, closeButton})
        b->setAutoDefault(false);
    connect(openButton_, &QPushButton::clicked, this, &BackupsWindow::openSelectedFolder);
    connect(undoButton_, &QPushButton::clicked, this, [this] { reverse(UndoAction::Undo); });
    connect(redoButton_, &QPushButton::clicked, this, [this] { reverse(UndoAction::Redo); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton_);
    buttons->addStretch(1);
    buttons->addWidget(undoButton_);
    buttons->addWidget(redoButton_);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(760, 360);
}

bool BackupsWindow::refresh() {
    try {
        backups_ = listBackups(state_.programFolder(), leagueOf(state_));
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return false;
    }
    list_->clear();
    for (std::size_t i = 0; i < backups_.entries.size(); ++i) {
        const BackupEntry& e = backups_.entries[i];
        auto* item = new QTreeWidgetItem(
            list_,
            {qs(e.name), e.term >= 0 ? QString::number(e.term) : QStringLiteral("?"), qs(e.when),
             QString::number(e.fileCount), qs(backupKindText(e)), qs(backupStateText(e))});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (!e.problem.empty())
            item->setToolTip(5, qs(e.problem));
    }
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    updateButtons();
    return true;
}

void BackupsWindow::updateButtons() {
    auto can = [&](bool BackupEntry::*flag) {
        return std::any_of(backups_.entries.begin(), backups_.entries.end(),
                           [&](const BackupEntry& e) { return e.*flag; });
    };
    openButton_->setEnabled(list_->currentItem() != nullptr);
    undoButton_->setEnabled(can(&BackupEntry::undoable));
    redoButton_->setEnabled(can(&BackupEntry::redoable));
}

void BackupsWindow::openSelectedFolder() {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr)
        return;
    const auto i = static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt());
    if (i >= backups_.entries.size())
        return;
    const QString folder = qs(backups_.entries[i].folder);
    if (!dialogs().openExternally(QUrl::fromLocalFile(folder)))
        dialogs().warning(this, QStringLiteral("フォルダを開けませんでした。"),
                          QDir::toNativeSeparators(folder));
}

void BackupsWindow::reverse(UndoAction action) {
    if (confirmAndReverseTermUpdate(this, state_, action))
        changed_ = true;
    refresh();
}

} // namespace tenvoll
