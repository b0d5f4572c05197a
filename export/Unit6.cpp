// Opening-order window.
#include "export/Unit6.h"

#include "export/OpeningOrderSlots.h"
#include "export/OrderListModel.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "windowkit/KeyboardAccess.h"
#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/TimedStatusBar.h"
#include "windowkit/UserDialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace tenvoll {

namespace {

constexpr int kStatusMilliseconds = 5000;
// A player line of the game's team text is about this long.
constexpr int kPlayerLineCharacters = 100;
constexpr int kReportPage = 0;
constexpr int kIconPage = 1;
constexpr int kCaptionRow = 0;
constexpr OrderList kLists[] = {OrderList::Order, OrderList::Other, OrderList::Unsigned};
const char* const kListNames[] = {"OrderList", "OtherTeamList", "UnsignedList"};

QString listName(OrderList list) {
    return QString::fromLatin1(kListNames[static_cast<int>(list)]);
}

} // namespace

TForm6::TForm6(ProgramState& state, QWidget* parent)
    : QDialog(parent), state_(state), stateGuard_(&state), order_(state.programFolder()) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(qs(kOpeningOrderTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    state_.setOpeningOrderOpen(true);

    teamBox_ = new QComboBox(this);
    teamBox_->setObjectName(QStringLiteral("OrderingTeamBox"));
    otherTeamBox_ = new QComboBox(this);
    otherTeamBox_->setObjectName(QStringLiteral("OtherTeamBox"));
    connect(teamBox_, &QComboBox::activated, this, &TForm6::chooseOrderingTeam);
    connect(otherTeamBox_, &QComboBox::activated, this, &TForm6::chooseOtherTeam);

    auto* listsRow = new QHBoxLayout;
    listsRow->addWidget(buildList(OrderList::Order, QStringLiteral("来期オーダー"), teamBox_), 1);
    listsRow->addWidget(buildList(OrderList::Other, QStringLiteral("他チーム選手"), otherTeamBox_),
                        1);
    listsRow->addWidget(buildList(OrderList::Unsigned, QStringLiteral("未契約選手"), nullptr), 1);
    buildMenus();
    connect(widgets(OrderList::Order).report->selectionModel(),
            &QItemSelectionModel::selectionChanged, this, &TForm6::updatePositionActions);

    toolBox_ = new QComboBox(this);
    toolBox_->setObjectName(QStringLiteral("ToolBox"));
    for (ToolVariant v : kToolVariants)
        toolBox_->addItem(qs(toolVariantText(v)));
    toolBox_->setCurrentIndex(-1);
    toolBox_->setEnabled(false);
    writeButton_ = new QPushButton(QStringLiteral("来期オーダ作成(&W)"), this);
    writeButton_->setObjectName(QStringLiteral("WriteButton"));
    cancelButton_ = new QPushButton(QStringLiteral("&cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* b : {writeButton_, cancelButton_})
        b->setAutoDefault(false);
    writeButton_->setEnabled(false); // until a team is chosen
    connect(writeButton_, &QPushButton::clicked, this, &TForm6::writeOrder);
    clickOnSave(this, writeButton_);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* side = new QVBoxLayout;
    auto* toolRow = new QHBoxLayout;
    toolRow->addWidget(new QLabel(QStringLiteral("利用ツール"), this));
    toolRow->addWidget(toolBox_, 1);
    side->addLayout(toolRow);
    side->addStretch(1);
    side->addWidget(writeButton_);
    side->addWidget(cancelButton_);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(buildManagerGrid(), 1);
    bottomRow->addLayout(side);

    statusBar_ = new TimedStatusBar(kStatusMilliseconds, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listsRow, 1);
    layout->addLayout(bottomRow);
    layout->addWidget(statusBar_);

    connect(&state_, &ProgramState::coloursChanged, this, [this] { refreshLists(); });
    fillTeamBoxes();
    resize(1280, 700);
}

TForm6::~TForm6() {
    lendStoresBack();
    // The list models read the opening order, a member: the views go first.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* TForm6::buildList(OrderList list, const QString& caption, QComboBox* teamBox) {
    ListWidgets& w = widgets(list);
    auto* group = new QGroupBox(caption, this);
    group->setObjectName(listName(list) + QStringLiteral("Group"));
    w.model = new OrderListModel(order_, list, state_.colours(), this);
    if (list == OrderList::Order)
        connect(
            w.model, &OrderListModel::rowDropped, this,
            [this](OrderList source, int sourceRow, int targetRow) {
                dropRow(source, sourceRow, targetRow);
            },
            Qt::QueuedConnection);

    w.report = new QTreeView(group);
    w.report->setObjectName(listName(list));
    w.report->setRootIsDecorated(false);
    w.report->setItemsExpandable(false);
    w.report->setUniformRowHeights(true);
    w.report->setAllColumnsShowFocus(true);
    w.report->setTextElideMode(Qt::ElideRight);
    w.report->setModel(w.model);
    w.icons = new QListView(group);
    w.icons->setObjectName(listName(list) + QStringLiteral("Icons"));
    w.icons->setModel(w.model);
    w.icons->setSelectionModel(w.report->selectionModel());
    w.icons->setViewMode(QListView::ListMode);
    w.icons->setFlow(QListView::TopToBottom);
    w.icons->setWrapping(true);
    w.icons->setResizeMode(QListView::Adjust);
    w.icons->setMovement(QListView::Static);

    const QFontMetrics metrics(w.report->font());
    const int iconRoom = w.report->iconSize().isValid() ? w.report->iconSize().width() : 16;
    // Small icons, and cells wide enough for an eight-character name.
    w.icons->setIconSize(QSize(16, 16));
    w.icons->setGridSize(
        QSize(metrics.horizontalAdvance(QStringLiteral("長い名前の選手名")) + 16 + 16,
              std::max(metrics.height(), 16) + 6));
    QHeaderView* header = w.report->header();
    header->setStretchLastSection(true);
    header->resizeSection(OrderListModel::NameColumn,
                          metrics.horizontalAdvance(QStringLiteral("長い名前の選手名")) +
                              std::max(iconRoom, 16) + 16);
    for (int column : {int(OrderListModel::PositionColumn), int(OrderListModel::LabelColumn)})
        header->resizeSection(column, std::max(metrics.horizontalAdvance(QStringLiteral("守備")),
                                               metrics.horizontalAdvance(QStringLiteral("代7"))) +
                                          16);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(w.report), static_cast<QAbstractItemView*>(w.icons)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(true);
        view->setAcceptDrops(list == OrderList::Order);
        view->setDropIndicatorShown(list == OrderList::Order);
        view->setDragDropOverwriteMode(true);
        view->setDragDropMode(list == OrderList::Order ? QAbstractItemView::DragDrop
                                                       : QAbstractItemView::DragOnly);
        view->setDefaultDropAction(Qt::CopyAction);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this, list](const QModelIndex& index) { rowChosen(list, index.row()); });
        connect(view, &QWidget::customContextMenuRequested, this, [this, list, view](QPoint at) {
            updatePositionActions();
            widgets(list).menu->popup(view->viewport()->mapToGlobal(at));
        });
    }

    w.stack = new QStackedWidget(group);
    w.stack->insertWidget(kReportPage, w.report);
    w.stack->insertWidget(kIconPage, w.icons);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    if (teamBox)
        layout->addWidget(teamBox);
    layout->addWidget(w.stack, 1);
    return group;
}

void TForm6::buildMenus() {
    for (OrderList list : kLists) {
        QMenu*& menu = widgets(list).menu;
        menu = new QMenu(this);
        menu->setObjectName(listName(list) + QStringLiteral("Menu"));
        if (list == OrderList::Order) {
            for (const PositionEntry& entry : kPositionEntries) {
                QAction* a = menu->addAction(qs(entry.caption));
                const std::string_view code = entry.code;
                connect(a, &QAction::triggered, this, [this, code] { setSelectedPosition(code); });
                positionActions_.push_back(a);
            }
            menu->addSeparator();
        } else if (list == OrderList::Unsigned) {
            connect(menu->addAction(QStringLiteral("新人選手を追加")), &QAction::triggered, this,
                    [this] { enterNewcomer(NewcomerKind::Rookie); });
            connect(menu->addAction(QStringLiteral("新外国人選手を追加")), &QAction::triggered,
                    this, [this] { enterNewcomer(NewcomerKind::Foreign); });
            menu->addSeparator();
        }
        connect(menu->addAction(QStringLiteral("表示モード切替")), &QAction::triggered, this,
                [this, list] { toggleViewMode(list); });
    }
    updatePositionActions();
}

QWidget* TForm6::buildManagerGrid() {
    managerGrid_ = new QTableWidget(kManagerRows + 1, kManagerColumns, this);
    managerGrid_->setObjectName(QStringLiteral("ManagerGrid"));
    managerGrid_->horizontalHeader()->hide();
    managerGrid_->verticalHeader()->hide();
    managerGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    managerGrid_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                  QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::AnyKeyPressed);
    managerGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 0; c < kManagerColumns; ++c) {
        auto* caption = new QTableWidgetItem(qs(kManagerCaptions[c]));
        caption->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        caption->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        managerGrid_->setItem(kCaptionRow, c, caption);
        for (int r = 1; r <= kManagerRows; ++r) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            managerGrid_->setItem(r, c, item);
        }
    }
    connect(managerGrid_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { managerCellEdited(item->row(), item->column()); });
    connect(managerGrid_, &QTableWidget::currentCellChanged, this, [this](int, int column) {
        if (column >= 0 && column < kManagerColumns)
            showStatus(qs(kManagerCaptions[column]));
    });
    // Enter outside an editor checks the grid.
    connect(managerGrid_, &QTableWidget::activated, this, &TForm6::checkManagerGrid);
    managerGrid_->setEnabled(false);

    managerGrid_->resizeColumnsToContents();
    const QFontMetrics metrics(managerGrid_->font());
    managerGrid_->setColumnWidth(
        0, std::max(managerGrid_->columnWidth(0),
                    metrics.horizontalAdvance(QStringLiteral("長い名前の監督名")) + 12));
    int height = 2 * managerGrid_->frameWidth();
    for (int r = 0; r <= kManagerRows; ++r)
        height += managerGrid_->rowHeight(r);
    int width = 2 * managerGrid_->frameWidth();
    for (int c = 0; c < kManagerColumns; ++c)
        width += managerGrid_->columnWidth(c);
    managerGrid_->setFixedHeight(height + 2);
    managerGrid_->setMinimumWidth(width + 2);
    managerGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return managerGrid_;
}

void TForm6::fillTeamBoxes() {
    Settings settings(state_.programFolder());
    try {
        settings.load();
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
    }
    teams_ = orderTeams(settings, state_.leagueName());
    for (QComboBox* box : {teamBox_, otherTeamBox_}) {
        box->clear();
        for (const OrderTeam& team : teams_)
            box->addItem(qs(team.entry.firstTeam));
        box->setCurrentIndex(-1);
    }
}

void TForm6::chooseOrderingTeam(int entry) {
    if (entry < 0 || entry >= static_cast<int>(teams_.size()))
        return;
    OpeningOrder::LoadResult loaded;
    try {
        loaded = order_.loadOrderingTeam(teams_[static_cast<std::size_t>(entry)].entry);
    } catch (const LeagueError& e) {
        teamBox_->setCurrentIndex(orderingEntry_);
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return;
    }
    orderingEntry_ = entry;
    teamBox_->setCurrentIndex(entry);
    setWindowTitle(qs(order_.title()));
    const std::optional<ToolVariant> tool = order_.tool();
    toolBox_->setCurrentIndex(tool ? toolBox_->findText(qs(toolVariantText(*tool))) : -1);
    managerGrid_->setEnabled(true);
    writeButton_->setEnabled(true);
    showManagers();
    refreshLists();
    publishStore(PaneSide::Top);
    if (!loaded.message.empty()) {
        showStatus(qs(loaded.message));
        dialogs().message(this, qs(loaded.message));
    }
}

void TForm6::chooseOtherTeam(int entry) {
    if (entry < 0 || entry >= static_cast<int>(teams_.size()))
        return;
    try {
        order_.loadOtherTeam(teams_[static_cast<std::size_t>(entry)].entry);
    } catch (const LeagueError& e) {
        otherTeamBox_->setCurrentIndex(otherEntry_);
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return;
    }
    otherEntry_ = entry;
    otherTeamBox_->setCurrentIndex(entry);
    refreshLists();
    publishStore(PaneSide::Bottom);
}

void TForm6::publishStore(PaneSide side) {
    state_.setPaneStore(side, side == PaneSide::Top ? order_.orderingStore() : order_.otherStore());
}

void TForm6::refreshLists() {
    for (const ListWidgets& w : lists_)
        w.model->refresh();
}

void TForm6::dropRow(OrderList source, int sourceRow, int targetRow) {
    const OrderOutcome outcome = order_.drop(source, sourceRow, targetRow);
    if (!outcome.status.empty())
        showStatus(qs(outcome.status));
    refreshLists();
    if (outcome.accepted) {
        publishStore(PaneSide::Top);
        publishStore(PaneSide::Bottom);
    }
}

int TForm6::selectedOrderRow() const {
    const QModelIndexList rows = widgets(OrderList::Order).report->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TForm6::updatePositionActions() {
    const bool selected = selectedOrderRow() >= 0;
    for (QAction* a : positionActions_)
        a->setEnabled(selected);
}

void TForm6::setSelectedPosition(std::string_view code) {
    const int row = selectedOrderRow();
    if (row < 0)
        return;
    const OrderOutcome outcome = order_.setPosition(row, code);
    if (!outcome.status.empty())
        showStatus(qs(outcome.status));
    refreshLists();
    if (outcome.accepted)
        publishStore(PaneSide::Top);
}

void TForm6::enterNewcomer(NewcomerKind kind) {
    const OrderOutcome allowed = order_.canEnterNewcomer();
    if (!allowed.accepted) {
        showStatus(qs(allowed.status));
        return;
    }
    const NewcomerTexts& texts = newcomerTexts(kind);
    const std::optional<QString> line = dialogs().inputText(this, qs(texts.title), qs(texts.prompt),
                                                            QString(), kPlayerLineCharacters);
    if (!line || line->trimmed().isEmpty())
        return;
    const OrderOutcome outcome = order_.addNewcomer(kind, ss(*line));
    if (!outcome.status.empty())
        showStatus(qs(outcome.status));
    refreshLists();
    if (outcome.accepted)
        publishStore(PaneSide::Top);
}

void TForm6::showManagers() {
    fillingManagers_ = true;
    const HighlightColours& colours = state_.colours();
    for (int r = 0; r < kManagerRows; ++r) {
        for (int c = 0; c < kManagerColumns; ++c) {
            QTableWidgetItem* item = managerGrid_->item(r + 1, c);
            item->setText(qs(order_.managers().cell(r, c)));
            if (order_.managers().invalid(r, c)) {
                item->setBackground(toQColor(colours.downBackground));
                item->setForeground(toQColor(colours.downText));
            } else {
                item->setData(Qt::BackgroundRole, QVariant());
                item->setData(Qt::ForegroundRole, QVariant());
            }
        }
    }
    fillingManagers_ = false;
}

void TForm6::managerCellEdited(int row, int column) {
    if (fillingManagers_ || row == kCaptionRow)
        return;
    order_.managers().setCell(row - 1, column, ss(managerGrid_->item(row, column)->text()));
    checkManagerGrid();
}

void TForm6::checkManagerGrid() {
    const OrderOutcome outcome = order_.checkManagers();
    if (!outcome.accepted)
        return;
    if (!outcome.status.empty())
        showStatus(qs(outcome.status));
    showManagers();
}

void TForm6::writeOrder() {
    OrderOutcome outcome;
    try {
        outcome = order_.write();
    } catch (const LeagueError& e) {
        dialogs().warning(this, qs(e.what()), qs(e.detail()));
        return;
    }
    if (!outcome.accepted)
        return;
    showStatus(qs(outcome.status));
    cancelButton_->setFocus();
    publishStore(PaneSide::Top);
}

void TForm6::rowChosen(OrderList list, int row) {
    if (list == OrderList::Unsigned) {
        showStatus(qs(kUnsignedDetailStatus));
        return;
    }
    const auto& rows = order_.rows(list);
    if (row < 0 || row >= static_cast<int>(rows.size()) ||
        rows[static_cast<std::size_t>(row)].name.empty())
        return;
    const std::string& name = rows[static_cast<std::size_t>(row)].name;
    const PaneSide side = list == OrderList::Order ? PaneSide::Top : PaneSide::Bottom;
    state_.selectPlayer(side, name);
    state_.setShownPlayer(name);
    state_.setLeagueFolder(
        folderOf(list == OrderList::Order ? order_.copyPath() : order_.otherPath()));
    state_.requestPlayerDetail();
}

void TForm6::toggleViewMode(OrderList list) {
    QStackedWidget* stack = widgets(list).stack;
    stack->setCurrentIndex(stack->currentIndex() == kReportPage ? kIconPage : kReportPage);
}

bool TForm6::showsReport(OrderList list) const {
    return widgets(list).stack->currentIndex() == kReportPage;
}

void TForm6::showStatus(const QString& text) {
    statusBar_->showText(text);
}

QString TForm6::statusText() const {
    return statusBar_->text();
}

OrderListModel* TForm6::model(OrderList list) const {
    return widgets(list).model;
}

QTreeView* TForm6::reportView(OrderList list) const {
    return widgets(list).report;
}

QListView* TForm6::iconView(OrderList list) const {
    return widgets(list).icons;
}

QMenu* TForm6::popupMenu(OrderList list) const {
    return widgets(list).menu;
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (OrderList list : kLists) {
                const ListWidgets& w = widgets(list);
                if (watched == w.report || watched == w.icons) {
                    const QModelIndex current = w.report->selectionModel()->currentIndex();
                    if (current.isValid())
                        rowChosen(list, current.row());
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm6::done(int result) {
    lendStoresBack();
    QDialog::done(result);
}

void TForm6::lendStoresBack() {
    if (!open_)
        return;
    open_ = false;
    // The main window may already be going away (its state with it).
    if (stateGuard_)
        state_.setOpeningOrderOpen(false);
}

} // namespace tenvoll
