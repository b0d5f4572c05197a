// The window "チーム編成": gathers the user's input for LeagueOrganisation and
// shows its results and messages.
#include "termupdate/Unit3.h"

#include "league/LeagueError.h"
#include "league/Paths.h"
#include "windowkit/KeyboardAccess.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tenvoll {

namespace {

QString countText(std::size_t count, bool withLineBreak) {
    return QStringLiteral("チーム数") + (withLineBreak ? QStringLiteral("\n") : QString()) +
           QString::number(count);
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& objectName) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false); // Enter in an edit field must not press a button
    return b;
}

} // namespace

TForm3::TForm3(ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state), organisation_(state.programFolder()) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("チーム編成"));

    leagueBox_ = new QComboBox(this);
    leagueBox_->setObjectName(QStringLiteral("LeagueBox"));
    leagueBox_->setEditable(true);
    leagueBox_->setInsertPolicy(QComboBox::NoInsert);
    leagueBox_->setCompleter(nullptr);
    leagueBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    leagueBox_->setMinimumContentsLength(16);
    leagueBox_->installEventFilter(this);
    leagueBox_->lineEdit()->installEventFilter(this);
    connect(leagueBox_, &QComboBox::textActivated, this, &TForm3::leagueChosen);

    countLabel_ = new QLabel(QStringLiteral("チーム数"), this);
    countLabel_->setObjectName(QStringLiteral("CountLabel"));
    entryList_ = new QListWidget(this);
    entryList_->setObjectName(QStringLiteral("EntryList"));
    entryList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    entryList_->setTextElideMode(Qt::ElideRight);
    entryList_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
    entryList_->installEventFilter(this);
    connect(entryList_, &QListWidget::currentRowChanged, this, &TForm3::showEntry);
    connect(entryList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showEntry(entryList_->row(item)); });

    firstTeamEdit_ = new QLineEdit(this);
    firstTeamEdit_->setObjectName(QStringLiteral("FirstTeamEdit"));
    farmTeamEdit_ = new QLineEdit(this);
    farmTeamEdit_->setObjectName(QStringLiteral("FarmTeamEdit"));
    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("FileEdit"));
    fileEdit_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 30);
    QPushButton* chooseButton =
        button(this, QStringLiteral("選択(&F)..."), QStringLiteral("ChooseButton"));
    connect(chooseButton, &QPushButton::clicked, this, &TForm3::chooseTeamFile);

    QPushButton* addButton =
        button(this, QStringLiteral("新規項目の作成(&N)"), QStringLiteral("AddButton"));
    QPushButton* replaceButton =
        button(this, QStringLiteral("情報の更新(&U)"), QStringLiteral("ReplaceButton"));
    QPushButton* deleteButton =
        button(this, QStringLiteral("項目を削除(&D)"), QStringLiteral("DeleteButton"));
    QPushButton* bulkButton =
        button(this, QStringLiteral("一括登録(&R)"), QStringLiteral("RegisterFolderButton"));
    QPushButton* saveButton =
        button(this, QStringLiteral("更新して閉じる(&S)"), QStringLiteral("SaveButton"));
    QPushButton* cancelButton =
        button(this, QStringLiteral("&Cancel"), QStringLiteral("CancelButton"));
    connect(addButton, &QPushButton::clicked, this, &TForm3::addEntry);
    connect(replaceButton, &QPushButton::clicked, this, &TForm3::replaceEntry);
    connect(deleteButton, &QPushButton::clicked, this, &TForm3::deleteEntry);
    connect(bulkButton, &QPushButton::clicked, this, &TForm3::registerFolder);
    connect(saveButton, &QPushButton::clicked, this, &TForm3::saveAndClose);
    clickOnSave(this, saveButton);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    auto* leagueRow = new QHBoxLayout;
    auto* leagueLabel = new QLabel(QStringLiteral("機構名"), this);
    leagueLabel->setBuddy(leagueBox_);
    leagueRow->addWidget(leagueLabel);
    leagueRow->addWidget(leagueBox_, 1);
    left->addLayout(leagueRow);
    left->addWidget(countLabel_);
    left->addWidget(entryList_, 1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("球団名"), firstTeamEdit_);
    form->addRow(QStringLiteral("ファーム球団名"), farmTeamEdit_);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileEdit_, 1);
    fileRow->addWidget(chooseButton);
    form->addRow(QStringLiteral("ファイル名"), fileRow);

    auto* buttons = new QGridLayout;
    buttons->addWidget(addButton, 0, 0);
    buttons->addWidget(replaceButton, 0, 1);
    buttons->addWidget(deleteButton, 1, 0);
    buttons->addWidget(bulkButton, 1, 1);
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(saveButton);
    closing->addWidget(cancelButton);

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addLayout(buttons);
    right->addStretch(1);
    right->addLayout(closing);

    auto* outer = new QHBoxLayout(this);
    outer->addLayout(left, 3);
    outer->addLayout(right, 2);

    setTabOrder(leagueBox_, entryList_);
    setTabOrder(entryList_, firstTeamEdit_);
    setTabOrder(firstTeamEdit_, farmTeamEdit_);
    setTabOrder(farmTeamEdit_, fileEdit_);
    setTabOrder(fileEdit_, chooseButton);
    setTabOrder(chooseButton, addButton);
    setTabOrder(addButton, replaceButton);
    setTabOrder(replaceButton, deleteButton);
    setTabOrder(deleteButton, bulkButton);
    setTabOrder(bulkButton, saveButton);
    setTabOrder(saveButton, cancelButton);
    resize(980, 440);
}

bool TForm3::prepare() {
    entryList_->clear();
    try {
        auto ask = [this](const std::string& preset) -> std::optional<std::string> {
            std::optional<QString> answer = dialogs().inputText(this, qs(kLeagueNamePromptTitle),
                                                                qs(kLeagueNamePrompt), qs(preset));
            if (!answer)
                return std::nullopt;
            return ss(answer->trimmed());
        };
        organisation_.load(state_.leagueName(), state_.pane(PaneSide::Top).path,
                           state_.pane(PaneSide::Bottom).path, ask);
    } catch (const LeagueError& e) {
        dialogs().warning(
            this,
            QStringLiteral("設定ファイル「%1」を読み書きできないため、チーム編成を開けません。")
                .arg(qs(organisation_.settingsPath())),
            qs(e.fullText()));
        return false;
    }
    // The program records the league at close; the editor's league is now current.
    state_.setLeagueName(organisation_.currentLeague());
    fillLeagueBox();
    fillEntryList();
    if (organisation_.loadedCount() != 0)
        setCount(true);
    selectCurrentLeague();
    return true;
}

void TForm3::fillLeagueBox() {
    leagueBox_->clear();
    for (const std::string& league : organisation_.leagues())
        leagueBox_->addItem(qs(league));
}

void TForm3::selectCurrentLeague() {
    const QString current = qs(organisation_.currentLeague());
    int index = leagueBox_->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
    leagueBox_->setCurrentIndex(index);
    if (index < 0)
        leagueBox_->setEditText(current);
}

void TForm3::fillEntryList() {
    QSignalBlocker block(entryList_);
    entryList_->clear();
    for (const std::string& text : organisation_.entries())
        appendEntryItem(text);
}

void TForm3::appendEntryItem(const std::string& text) {
    // A text too long for the list is elided; the tooltip shows it whole.
    auto* item = new QListWidgetItem(qs(text), entryList_);
    item->setToolTip(item->text());
}

void TForm3::setCount(bool withLineBreak) {
    countLabel_->setText(countText(organisation_.entries().size(), withLineBreak));
}

void TForm3::showEntry(int row) {
    if (row < 0 || row >= entryList_->count())
        return;
    firstTeamEdit_->clear();
    farmTeamEdit_->clear();
    fileEdit_->clear();
    EntryFields fields = entryFieldsOf(ss(entryList_->item(row)->text()));
    firstTeamEdit_->setText(qs(fields.firstTeam));
    farmTeamEdit_->setText(qs(fields.farmTeam));
    fileEdit_->setText(qs(fields.path));
}

EntryFields TForm3::editedFields() const {
    return {ss(firstTeamEdit_->text()), ss(farmTeamEdit_->text()), ss(fileEdit_->text())};
}

void TForm3::showRefusal(EntryRefusal refusal, const QString& detail) {
    const std::string text = refusalMessage(refusal);
    if (!text.empty())
        dialogs().warning(this, qs(text), detail);
}

void TForm3::addEntry() {
    EntryRefusal refusal = organisation_.addEntry(editedFields());
    if (refusal != EntryRefusal::None) {
        showRefusal(refusal);
        return;
    }
    appendEntryItem(organisation_.entries().back());
    setCount();
    entryList_->setCurrentRow(entryList_->count() - 1);
}

void TForm3::replaceEntry() {
    const int row = entryList_->currentRow();
    if (row < 0 || !entryList_->item(row)->isSelected())
        return;
    EntryRefusal refusal =
        organisation_.replaceEntry(static_cast<std::size_t>(row), editedFields());
    if (refusal != EntryRefusal::None) {
        showRefusal(refusal);
        return;
    }
    QListWidgetItem* item = entryList_->item(row);
    item->setText(qs(organisation_.entries()[static_cast<std::size_t>(row)]));
    item->setToolTip(item->text());
    setCount();
}

void TForm3::deleteEntry() {
    if (entryList_->count() > 0) {
        const int row = entryList_->currentRow();
        if (row < 0 || !entryList_->item(row)->isSelected())
            return;
        organisation_.removeEntry(static_cast<std::size_t>(row));
        delete entryList_->takeItem(row);
        setCount();
        return;
    }
    // An empty list: the current league itself is deleted.
    bool deleted = false;
    try {
        deleted = organisation_.deleteCurrentLeague();
    } catch (const LeagueError& e) {
        showWriteFailure(e);
        return;
    }
    if (!deleted) {
        dialogs().warning(this, qs(kLastLeagueMessage));
        return;
    }
    fillLeagueBox();
    leagueBox_->setCurrentIndex(0);
    dialogs().message(this, qs(kLeagueDeletedMessage));
    endProgram();
}

void TForm3::chooseTeamFile() {
    std::optional<QString> file = dialogs().openFileName(
        this, qs(state_.programFolder()),
        {FileFilter{QStringLiteral("テキストファイル (*.txt)"), QStringLiteral("*.txt")}});
    if (!file)
        return;
    TeamFileCheck check;
    try {
        check = checkTeamFile(state_.programFolder(), ss(*file));
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return;
    }
    if (!check.fields) {
        dialogs().warning(this, qs(check.message), qs(check.detail));
        return;
    }
    firstTeamEdit_->setText(qs(check.fields->firstTeam));
    farmTeamEdit_->setText(qs(check.fields->farmTeam));
    fileEdit_->setText(qs(check.fields->path));
}

void TForm3::registerFolder() {
    std::optional<QString> folder =
        dialogs().folderName(this, QStringLiteral("一括登録するフォルダを入力してください。"),
                             qs(state_.programFolder()));
    if (!folder)
        return;
    std::vector<BulkOutcome> outcomes;
    const std::size_t before = organisation_.entries().size();
    try {
        outcomes = organisation_.registerFolder(ss(*folder));
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
    }
    // Entries appear one by one, each refused file with its message, as the add
    // button would show them; entries added before a failure stay listed too.
    const auto& entries = organisation_.entries();
    std::size_t next = before;
    for (const BulkOutcome& outcome : outcomes) {
        if (outcome.added && next < entries.size()) {
            appendEntryItem(entries[next++]);
            setCount();
            entryList_->setCurrentRow(entryList_->count() - 1);
        } else if (!outcome.message.empty()) {
            dialogs().warning(this, qs(outcome.message), qs(outcome.fileName));
        }
    }
    while (next < entries.size()) {
        appendEntryItem(entries[next++]);
        setCount();
        entryList_->setCurrentRow(entryList_->count() - 1);
    }
}

void TForm3::saveAndClose() {
    try {
        organisation_.saveEntries();
    } catch (const LeagueError& e) {
        showWriteFailure(e);
        return;
    }
    accept();
}

void TForm3::showWriteFailure(const LeagueError& error) {
    dialogs().critical(
        this,
        QStringLiteral("設定ファイル「%1」に書き込めませんでした。\n"
                       "設定ファイルは変更していません。チームの一覧はそのまま残っています。")
            .arg(qs(organisation_.settingsPath())),
        qs(error.fullText()));
}

void TForm3::leagueChosen(const QString& name) {
    changeLeague(name);
}

void TForm3::leagueTyped(const QString& typed) {
    const QString name = typed.trimmed();
    if (!LeagueOrganisation::validLeagueName(ss(name))) {
        dialogs().warning(this, qs(kBadLeagueNameMessage), name);
        return;
    }
    // The typed name joins the selector's items, at its place in the order.
    int at = 0;
    while (at < leagueBox_->count() &&
           QString::compare(leagueBox_->itemText(at), name, Qt::CaseInsensitive) <= 0)
        ++at;
    leagueBox_->insertItem(at, name);
    leagueBox_->setCurrentIndex(at);
    changeLeague(name);
}

void TForm3::changeLeague(const QString& name) {
    if (ss(name) == organisation_.currentLeague())
        return;
    LeagueChange change = LeagueChange::Unchanged;
    try {
        change = organisation_.changeLeague(ss(name));
    } catch (const LeagueError& e) {
        showWriteFailure(e);
        selectCurrentLeague();
        return;
    }
    dialogs().message(this, qs(kLeagueChangingMessage));
    entryList_->clear();
    firstTeamEdit_->clear();
    farmTeamEdit_->clear();
    fileEdit_->clear();
    dialogs().message(
        this, qs(change == LeagueChange::Created ? kNewLeagueMessage : kLeagueChangedMessage));
    endProgram();
}

void TForm3::endProgram() {
    // The window closes first; the main window then closes the way "終了" does.
    done(QDialog::Accepted);
    state_.requestQuit(organisation_.currentLeague());
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == entryList_ && event->type() == QEvent::FocusIn) {
        setCount();
        return false;
    }
    if (watched != leagueBox_ && watched != leagueBox_->lineEdit())
        return QDialog::eventFilter(watched, event);
    // The mouse wheel and the arrow keys would choose another league at once
    // and end the program: they only open the list.
    if (event->type() == QEvent::Wheel)
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & Qt::AltModifier);
        if (plain && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                      key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
            leagueBox_->showPopup();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            leagueTyped(leagueBox_->currentText());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tenvoll
