// Roster pane widgets and pop-up menu.
#include "mainwindow/RosterPane.h"

#include "mainwindow/RosterTableModel.h"
#include "windowkit/GridView.h"
#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tenvoll {

namespace {

QString sideName(PaneSide side) {
    return side == PaneSide::Top ? QStringLiteral("Top") : QStringLiteral("Bottom");
}

QWidget* topLeftPage(QWidget* content) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(content, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    return page;
}

} // namespace

RosterPane::RosterPane(PaneSide side, const HighlightColours& colours, QWidget* parent)
    : QWidget(parent), side_(side) {
    setObjectName(sideName(side) + QStringLiteral("Pane"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(sideName(side) + QStringLiteral("Tabs"));
    tabs_->setTabPosition(QTabWidget::West);
    tabs_->setDocumentMode(true);

    auto* delegate = new MarkedCellDelegate(colours, RosterTableModel::MarkRole, this);
    for (GridKind kind : kGridKinds) {
        auto i = static_cast<std::size_t>(kind);
        models_[i] = new RosterTableModel(kind, this);
        grids_[i] = new GridView;
        grids_[i]->setObjectName(sideName(side) + QStringLiteral("Grid") + QString::number(i));
        grids_[i]->setModel(models_[i]);
        grids_[i]->setItemDelegate(delegate);
        std::vector<int> widths;
        for (const auto& c : rosterColumns(kind))
            widths.push_back(c.width);
        grids_[i]->setColumnWidths96(widths);
        grids_[i]->setLeastColumnWidth(
            1, std::max(grids_[i]->columnWidth(1), grids_[i]->nameColumnWidth()));
        grids_[i]->fitToContents();
        grids_[i]->setUserResizable(true);
        connect(grids_[i], &GridView::rowChosen, this, [this, kind](int row) {
            QString name =
                model(kind)->data(model(kind)->index(row, 1), Qt::DisplayRole).toString();
            emit playerChosen(side_, kind, name);
        });
        pages_[i] = topLeftPage(grids_[i]);
        tabs_->addTab(pages_[i], qs(gridCaption(kind)));
    }

    summary_ = new QTreeWidget;
    summary_->setObjectName(sideName(side) + QStringLiteral("Summary"));
    summary_->setRootIsDecorated(false);
    summary_->setColumnCount(4);
    summary_->setHeaderLabels({QStringLiteral("＼"), QStringLiteral("平均年齢"),
                               QStringLiteral("打点"), QStringLiteral("自責点")});
    const QString captions[6] = {QStringLiteral("チーム全体"), QString(),
                                 QStringLiteral("一軍打者"),   QStringLiteral("一軍投手"),
                                 QStringLiteral("二軍打者"),   QStringLiteral("二軍投手")};
    for (const QString& caption : captions)
        summary_->addTopLevelItem(new QTreeWidgetItem(QStringList{caption}));
    for (int c = 1; c < 4; ++c)
        summary_->headerItem()->setTextAlignment(c, Qt::AlignRight);
    summary_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary_->header()->setStretchLastSection(false);
    pages_[4] = summary_;
    tabs_->addTab(summary_, QStringLiteral("チーム"));

    if (side == PaneSide::Top) {
        rankingPage_ = new QWidget;
        rankingPage_->setObjectName(QStringLiteral("RankingPage"));
        pages_[5] = rankingPage_;
        tabs_->addTab(rankingPage_, QStringLiteral("成績表示"));
        tabs_->setTabVisible(tabIndex(PaneTab::Ranking), false);
    }

    heading_ = new QLabel(this);
    heading_->setObjectName(sideName(side) + QStringLiteral("Heading"));
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    heading_->setTextFormat(Qt::PlainText);
    heading_->setContentsMargins(4, 0, 4, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(heading_);
    layout->addWidget(tabs_);

    buildPopupMenu();
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(mapToGlobal(at)); });
    for (GridView* g : grids_) {
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, this,
                [this, g](const QPoint& at) { popup_->popup(g->viewport()->mapToGlobal(at)); });
    }
}

void RosterPane::buildPopupMenu() {
    const bool top = side_ == PaneSide::Top;
    popup_ = new QMenu(this);
    popup_->setObjectName(sideName(side_) + QStringLiteral("PopupMenu"));
    titleAction_ = popup_->addAction(sideName(side_) + QStringLiteral("チーム名"));
    titleAction_->setEnabled(false);
    popup_->setDefaultAction(titleAction_);
    changeTeamAction_ = popup_->addAction(QStringLiteral("閲覧チーム変更"));
    nextTeamAction_ = popup_->addAction(QStringLiteral("次のチームへ"));
    previousTeamAction_ = popup_->addAction(QStringLiteral("前のチームへ"));
    sameTeamAction_ = popup_->addAction(top ? QStringLiteral("同一チームを表示(Bottom基準)")
                                            : QStringLiteral("同一チームを表示(Top基準)"));
    csvAction_ = popup_->addAction(QStringLiteral("CSVファイル作成"));
    if (top) {
        QMenu* chart = popup_->addMenu(QStringLiteral("グラフ表示"));
        chart->setObjectName(QStringLiteral("ChartMenu"));
        chart->setToolTipsVisible(true); // a disabled entry says why
        chartAction_ = chart->addAction(QStringLiteral("期別"));
        chartAction_->setEnabled(false);
    }
}

int RosterPane::tabIndex(PaneTab tab) const {
    QWidget* page = pages_[static_cast<std::size_t>(tab)];
    return page ? tabs_->indexOf(page) : -1;
}

void RosterPane::clearGrids() {
    heading_->clear();
    showContent(emptyPane());
}

void RosterPane::showContent(PaneContent content) {
    for (GridKind kind : kGridKinds)
        model(kind)->setGrid(std::move(content.grid(kind)));
}

PaneContent RosterPane::content() const {
    PaneContent c;
    for (GridKind kind : kGridKinds)
        c.grid(kind) = model(kind)->grid();
    return c;
}

void RosterPane::showSummary(const std::array<SummaryRow, 6>& rows, const QString& teamName) {
    for (int r = 0; r < 6; ++r) {
        QTreeWidgetItem* item = summary_->topLevelItem(r);
        const SummaryRow& row = rows[static_cast<std::size_t>(r)];
        item->setText(0, qs(row.caption));
        item->setText(1, qs(row.averageAge));
        item->setText(2, qs(row.runsBattedIn));
        item->setText(3, qs(row.earnedRuns));
        for (int c = 1; c < 4; ++c)
            item->setTextAlignment(c, Qt::AlignRight);
    }
    summary_->headerItem()->setText(0, teamName);
}

void RosterPane::setTeamName(const QString& name) {
    setToolTip(name);
    titleAction_->setText(mnemonicSafe(name));
    setHeading(name);
}

void RosterPane::setHeading(const QString& text) {
    heading_->setText(text);
}

QString RosterPane::heading() const {
    return heading_->text();
}

void RosterPane::repaintGrids() {
    for (GridView* g : grids_)
        g->viewport()->update();
}

PaneTab RosterPane::currentTab() const {
    QWidget* page = tabs_->currentWidget();
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i] && pages_[i] == page)
            return static_cast<PaneTab>(i);
    return PaneTab::Batters;
}

void RosterPane::setTabShown(PaneTab tab, bool shown) {
    int i = tabIndex(tab);
    if (i >= 0)
        tabs_->setTabVisible(i, shown);
}

bool RosterPane::isTabShown(PaneTab tab) const {
    int i = tabIndex(tab);
    return i >= 0 && tabs_->isTabVisible(i);
}

void RosterPane::setCurrentTab(PaneTab tab) {
    int i = tabIndex(tab);
    if (i >= 0)
        tabs_->setCurrentIndex(i);
}

void showUserMessages(QWidget* parent, const std::vector<UserMessage>& messages) {
    for (const auto& m : messages)
        dialogs().message(parent, qs(m.text), qs(m.detail),
                          m.problem ? MessageKind::Warning : MessageKind::Information);
}

} // namespace tenvoll
