// Player detail window.
#include "player/Unit2.h"

#include "charts/CareerChart.h"
#include "charts/XYGraph.h"
#include "player/CareerChartData.h"
#include "player/HistoryTableModel.h"
#include "windowkit/CsvSaving.h"
#include "windowkit/GridView.h"
#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"
#include "windowkit/WindowMemory.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tenvoll {

TForm2::TForm2(ProgramState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("個人データ"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    // Full-width characters take exactly two columns in a CJK monospace font, so
    // the aptitude header and its values line up as the game's text does.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans Mono CJK JP")))
        fixed = QFont(QStringLiteral("Noto Sans Mono CJK JP"), fixed.pointSize());
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {Label4, Label2}) {
        l->setFont(fixed);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setTextFormat(Qt::PlainText);
    }
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFont(fixed);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFixedHeight(QFontMetrics(fixed).lineSpacing() * 3 + 2 * Memo1->frameWidth() +
                          2 * static_cast<int>(Memo1->document()->documentMargin()) + 4);

    model_ = new HistoryTableModel(this);
    StringGrid1 = new GridView;
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(model_);
    StringGrid1->setItemDelegate(
        new MarkedCellDelegate(state_.colours(), HistoryTableModel::MarkRole, this));
    gridArea_ = new QScrollArea(this);
    gridArea_->setWidget(StringGrid1);
    gridArea_->setFrameShape(QFrame::NoFrame);
    gridArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // The window fits each player's history: only its place is remembered.
    rememberPositionOnly(this);
    Button1 = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button3 = new QPushButton(QStringLiteral("他チームデータ"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button1->setAutoDefault(false);
    Button3->setAutoDefault(false);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(PopupMenu1->addAction(QStringLiteral("個人データをクリップボードへ")),
            &QAction::triggered, this, &TForm2::copyPlayerData);
    connect(PopupMenu1->addAction(QStringLiteral("個人成績をクリップボードへ")),
            &QAction::triggered, this, &TForm2::copyStatistics);
    PopupMenu1->addSeparator();
    QAction* csv = PopupMenu1->addAction(QStringLiteral("CSVファイル作成"));
    csv->setObjectName(QStringLiteral("CsvAction"));
    csv->setShortcut(QKeySequence::Save);
    addAction(csv); // Ctrl+S anywhere in the window
    connect(csv, &QAction::triggered, this, &TForm2::saveCsv);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at));
    });
    connect(StringGrid1, &GridView::rowChosen, this, [this](int) { copyPlayerData(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);

    auto* head = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->addWidget(Label1);
    titles->addWidget(Label3);
    head->addLayout(titles, 1);
    auto* aptitudes = new QVBoxLayout;
    aptitudes->addWidget(Label4);
    aptitudes->addWidget(Label2);
    head->addLayout(aptitudes);
    // The career chart: one item, optionally a second, over the terms.
    ChartItem1 = new QComboBox(this);
    ChartItem1->setObjectName(QStringLiteral("ChartItem1"));
    ChartItem2 = new QComboBox(this);
    ChartItem2->setObjectName(QStringLiteral("ChartItem2"));
    for (QComboBox* box : {ChartItem1, ChartItem2}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { redrawChart(); });
    }
    CareerGraph = new charts::TXYGraph(this);
    CareerGraph->setObjectName(QStringLiteral("CareerGraph"));
    CareerGraph->setMinimumHeight(240);
    CareerGraph->graph().setAllowZoom(true);
    auto* chartChoice = new QHBoxLayout;
    auto* chartLabel = new QLabel(QStringLiteral("推移のグラフ:"), this);
    chartLabel->setObjectName(QStringLiteral("ChartLabel"));
    auto* secondLabel = new QLabel(QStringLiteral("比較:"), this);
    secondLabel->setObjectName(QStringLiteral("SecondChartLabel"));
    chartChoice->addWidget(chartLabel);
    chartChoice->addWidget(ChartItem1);
    chartChoice->addWidget(secondLabel);
    chartChoice->addWidget(ChartItem2);
    chartChoice->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Memo1);
    layout->addWidget(gridArea_, 1);
    layout->addLayout(chartChoice);
    layout->addWidget(CareerGraph);
    layout->addLayout(buttons);

    connect(&state_, &ProgramState::storeReloaded, this, [this] {
        if (isVisible())
            refill();
    });
    connect(&state_, &ProgramState::coloursChanged, this,
            [this] { StringGrid1->viewport()->update(); });
}

bool TForm2::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        refill();
    return QDialog::event(event);
}

const IniSection* TForm2::shownSection(StoreSide& side) const {
    const ProgramState::PaneState& top = state_.pane(PaneSide::Top);
    const ProgramState::PaneState& bottom = state_.pane(PaneSide::Bottom);
    return shownPlayerSection(state_.shownPlayer(), top.selected, top.store, bottom.selected,
                              bottom.store, side);
}

void TForm2::refill() {
    const std::string& shown = state_.shownPlayer();
    const std::string& topSelection = state_.pane(PaneSide::Top).selected;
    const std::string& bottomSelection = state_.pane(PaneSide::Bottom).selected;
    Button3->setVisible(!state_.searchMode() && !state_.openingOrderOpen());
    QString other = qs(shown == topSelection ? bottomSelection : topSelection);
    other.replace(QLatin1Char('&'), QStringLiteral("&&"));
    Button3->setText(other + QStringLiteral("を表示(&O)"));

    StoreSide side = StoreSide::Top;
    const IniSection* section = shownSection(side);
    if (!section) {
        // A player that matches neither pane leaves the grid as it was.
        Memo1->setPlainText(qs(careerSummary(history_.rows))
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                .trimmed());
        return;
    }
    const std::optional<StatsMarksFile> marks =
        historyMarks(state_.leagueFolder(), state_.statisticsCheck());
    history_ = buildPlayerHistory(*section, shown, marks ? &*marks : nullptr);

    Label1->setText(qs(history_.title));
    Label3->setText(qs(history_.abilityLabel));
    Label4->setText(qs(history_.aptitudeHeader));
    Label2->setText(qs(history_.aptitudeValues));
    QString summary = qs(history_.summary);
    summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (summary.endsWith(QLatin1Char('\n')))
        summary.chop(1);
    Memo1->setPlainText(summary);

    model_->setHistory(history_.pitcher, history_.rows);
    std::vector<int> widths;
    for (const auto& c : historyColumns(history_.pitcher))
        widths.push_back(c.width);
    StringGrid1->setColumnWidths96(widths);
    fillChartItems(history_.pitcher);
    redrawChart();
    fitGridHeight();
}

void TForm2::fillChartItems(bool pitcher) {
    if (chartPitcher_ == pitcher)
        return;
    chartPitcher_ = pitcher;
    const QSignalBlocker block1(ChartItem1);
    const QSignalBlocker block2(ChartItem2);
    ChartItem1->clear();
    ChartItem2->clear();
    ChartItem2->addItem(QStringLiteral("なし"));
    for (const CareerItem& item : careerItems(pitcher)) {
        ChartItem1->addItem(qs(item.label));
        ChartItem2->addItem(qs(item.label));
    }
    ChartItem1->setCurrentIndex(static_cast<int>(defaultCareerItem(pitcher)));
    ChartItem2->setCurrentIndex(0);
}

void TForm2::redrawChart() {
    StoreSide side = StoreSide::Top;
    const IniSection* section = shownSection(side);
    if (!section || ChartItem1->currentIndex() < 0)
        return;
    std::vector<std::size_t> items{static_cast<std::size_t>(ChartItem1->currentIndex())};
    if (ChartItem2->currentIndex() > 0)
        items.push_back(static_cast<std::size_t>(ChartItem2->currentIndex() - 1));
    charts::setUpCareerGraph(CareerGraph->graph(),
                             careerChartData(*section, state_.shownPlayer(), items));
    CareerGraph->update();
}

void TForm2::fitGridHeight() {
    StringGrid1->fitToContents();
    // The window grows with the rows; beyond the screen the grid scrolls.
    const int width = StringGrid1->width() + gridArea_->verticalScrollBar()->sizeHint().width();
    gridArea_->setMinimumWidth(width);
    int available = 600;
    if (QScreen* s = screen())
        available = s->availableGeometry().height() - 260 - CareerGraph->minimumHeight();
    const int gridHeight = std::min(StringGrid1->height(), std::max(available, 120));
    gridArea_->setMinimumHeight(gridHeight);
    // A player with fewer terms makes the window shorter again.
    gridArea_->setMaximumHeight(StringGrid1->height());
    if (layout())
        layout()->activate();
    adjustSize();
}

int TForm2::selectedRow() const {
    QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void TForm2::Button3Click() {
    const std::string topSelection = state_.pane(PaneSide::Top).selected;
    const std::string bottomSelection = state_.pane(PaneSide::Bottom).selected;
    if (topSelection.empty() || bottomSelection.empty())
        return;
    state_.setShownPlayer(state_.shownPlayer() == topSelection ? bottomSelection : topSelection);
    refill();
}

void TForm2::copyPlayerData() {
    if (history_.rows.empty())
        return;
    dialogs().message(this, QStringLiteral("選手のデータをクリップボードにコピーしました。"));
    StoreSide side = StoreSide::Top;
    const IniSection* section = shownSection(side);
    QApplication::clipboard()->setText(
        qs(copiedRowPlayerData(history_, static_cast<std::size_t>(selectedRow()), section, side)));
}

void TForm2::copyStatistics() {
    if (history_.rows.empty())
        return;
    dialogs().message(this, QStringLiteral("選手の成績をクリップボードにコピーしました。"));
    StoreSide side = StoreSide::Top;
    const IniSection* section = shownSection(side);
    QApplication::clipboard()->setText(
        qs(copiedRowStatistics(history_, static_cast<std::size_t>(selectedRow()), section, side)));
}

void TForm2::saveCsv() {
    saveCsvFile(this, state_.programFolder(), qs(state_.shownPlayer()),
                playerHistoryCsv(history_, state_.shownPlayer()));
}

} // namespace tenvoll
