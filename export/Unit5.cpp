// League export window.
#include "export/Unit5.h"

#include "export/ExportTeamModel.h"
#include "export/LeagueExport.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/OutputTarget.h"
#include "league/Settings.h"
#include "windowkit/KeyboardAccess.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/TimedStatusBar.h"
#include "windowkit/UserDialogs.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tenvoll {

namespace {

constexpr int kStatusMilliseconds = 1000;
constexpr const char* kSlotCaptions[kExportSlotCount] = {"１番目", "２番目", "３番目",
                                                         "４番目", "５番目", "６番目"};
constexpr int kCellPadding = 16;
constexpr int kMaxWindowWidth = 1300;

} // namespace

ExportSort& TForm5::sharedSort() {
    static ExportSort sort;
    return sort;
}

TForm5::TForm5(ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state), list_(state.programFolder(), {}) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("リーグデータエクスポート"));

    model_ = new ExportTeamModel(list_, state_.colours(), this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ListView1"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setShowGrid(true);
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideRight);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionsClickable(true);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this, &TForm5::showPopupMenu);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm5::columnClicked);
    // Shift+F10 opens the pop-up menu as the menu key does.
    auto* menuKey = new QAction(table_);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        const QModelIndex current = table_->currentIndex();
        showPopupMenu(current.isValid() ? table_->visualRect(current).center() : QPoint());
    });
    buildPopupMenu();

    exportButton_ = new QPushButton(QStringLiteral("エクスポート(&E)"), this);
    exportButton_->setObjectName(QStringLiteral("ExportButton"));
    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* b : {exportButton_, cancelButton_})
        b->setAutoDefault(false);
    connect(exportButton_, &QPushButton::clicked, this, &TForm5::runExport);
    clickOnSave(this, exportButton_);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton_);
    buttons->addWidget(cancelButton_);

    statusBar_ = new TimedStatusBar(kStatusMilliseconds, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    layout->addWidget(statusBar_);
    resize(900, 460);
}

TForm5::~TForm5() = default;

bool TForm5::prepare() {
    try {
        FolderLock lock = FolderLock::acquire(state_.programFolder(), FolderLock::Mode::Shared);
        // The organisation editor may have changed the registry: read the file afresh.
        Settings current(state_.programFolder());
        current.load();
        settings_ = current.ini();
    } catch (const LeagueError& e) {
        dialogs().warning(this, QStringLiteral("設定ファイルを読めませんでした。"),
                          qs(e.fullText()));
        return false;
    }
    model_->resetWith(
        [this] { list_ = ExportTeamList(state_.programFolder(), exportRegistryRows(settings_)); });
    if (model_->rowCount() > 0)
        table_->setCurrentIndex(model_->index(0, 0));
    fitColumns();
    return true;
}

void TForm5::buildPopupMenu() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    const struct {
        const char* caption;
        bool latest;
    } kinds[] = {{"前期データで出力", false}, {"最新データで出力", true}};
    for (const auto& kind : kinds) {
        QMenu* sub = popup_->addMenu(QString::fromUtf8(kind.caption));
        sub->setObjectName(kind.latest ? QStringLiteral("LatestMenu")
                                       : QStringLiteral("PreviousMenu"));
        for (int n = 1; n <= kExportSlotCount; ++n) {
            QAction* a = sub->addAction(QString::fromUtf8(kSlotCaptions[n - 1]));
            a->setObjectName(
                QStringLiteral("%1Slot%2")
                    .arg(kind.latest ? QStringLiteral("Latest") : QStringLiteral("Previous"))
                    .arg(n));
            const bool latest = kind.latest;
            connect(a, &QAction::triggered, this, [this, n, latest] { assignSelected(n, latest); });
        }
    }
}

void TForm5::showPopupMenu(const QPoint& position) {
    if (!table_->selectionModel()->hasSelection())
        return;
    popup_->popup(table_->viewport()->mapToGlobal(position));
}

void TForm5::assignSelected(int slotNumber, bool latest) {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const std::size_t row = std::size_t(rows.constFirst().row());
    if (latest) {
        const std::string missing = list_.assignLatest(row, slotNumber);
        if (!missing.empty())
            showStatus(qs(missing));
    } else {
        list_.assignPrevious(row, slotNumber);
    }
    model_->labelsChanged();
    fitColumns();
    statusBar_->restartClearTime();
}

void TForm5::assignRow(int row, int slotNumber, bool latest) {
    table_->selectRow(row);
    assignSelected(slotNumber, latest);
}

void TForm5::columnClicked(int column) {
    model_->reorder([&] { list_.clickColumn(column, sharedSort()); });
    showSortIndicator();
}

void TForm5::showSortIndicator() {
    const ExportSort& sort = sharedSort();
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(sort.column, sort.descending ? Qt::DescendingOrder
                                                                              : Qt::AscendingOrder);
}

void TForm5::runExport() {
    model_->reorder([&] { list_.sortForExport(sharedSort()); });
    showSortIndicator();
    const bool anyAssigned = std::any_of(list_.exportSlots().begin(), list_.exportSlots().end(),
                                         [](const ExportSlot& s) { return s.assigned(); });
    if (!anyAssigned) {
        dialogs().message(this, qs(kNoSlotMessage));
        reject();
        return;
    }
    const QString failed = QStringLiteral("データのエクスポートに失敗しました！");
    LeagueExportFile file;
    try {
        file = buildLeagueExport(state_.programFolder(), list_.exportSlots());
    } catch (const LeagueError& e) {
        dialogs().warning(this, failed, qs(e.fullText()));
        return;
    }
    if (file.exportedSlots == 0) {
        dialogs().warning(this, qs(nothingFoundMessage(file)));
        return;
    }
    const auto chosen = dialogs().saveFileName(
        this, QString(), QStringLiteral("txt"),
        {FileFilter{QStringLiteral("出力データ(TXT)"), QStringLiteral("*.txt")}});
    if (!chosen) {
        dialogs().message(this, qs(kExportNotSavedMessage));
        return;
    }
    try {
        const std::string path = ss(QDir::toNativeSeparators(*chosen));
        checkOutputTarget(state_.programFolder(), path);
        writeLeagueExport(path, file);
    } catch (const LeagueError& e) {
        dialogs().warning(this, failed, qs(e.fullText()));
        return;
    }
    dialogs().message(this, qs(exportDoneMessage(file)));
}

void TForm5::showStatus(const QString& text) {
    statusBar_->showText(text);
}

QString TForm5::statusText() const {
    return statusBar_->text();
}

void TForm5::fitColumns() {
    // Every cell whole where the screen allows; the path column takes the rest.
    QHeaderView* header = table_->horizontalHeader();
    int total = 0;
    for (int c = 0; c < kExportColumnCount; ++c) {
        table_->resizeColumnToContents(c);
        header->resizeSection(c, header->sectionSize(c) + kCellPadding);
        total += header->sectionSize(c);
    }
    const int wanted = std::min(kMaxWindowWidth, total + 40);
    if (width() < wanted)
        resize(wanted, height());
}

} // namespace tenvoll
