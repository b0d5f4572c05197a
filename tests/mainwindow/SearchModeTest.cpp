// Search mode of the main window on a small sample league: the panel's rules,
// a ranking into the list, sorting, the CSV, the player detail opened modally,
// the name search into the Top pane, and the panes restored afterwards.
#include "mainwindow/SearchMode.h"
#include "league/IniStore.h"
#include "mainwindow/RankingTableModel.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit1.h"
#include "player/Unit2.h"
#include "support/CheckedModelTester.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "tools/sample-league/SampleLeague.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class SearchModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        summary = sample::writeSampleLeague(folder.path(), {4, 6, 56, 3});
        main = std::make_unique<TForm1>(folder.path());
        main->show();
        main->findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    }
    SearchPanel* panel() { return main->search().panel(); }
    RankingTableModel* list() { return main->search().rankingModel(); }
    QTableView* listView() { return main->search().rankingList(); }
    // "検索開始", clicked.
    void startSearch() { QTest::mouseClick(panel()->startButton(), Qt::LeftButton); }
    void clickColumn(int column) {
        QHeaderView* header = listView()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
    }
    QString cell(int row, int column) {
        return list()->data(list()->index(row, column), Qt::DisplayRole).toString();
    }
    QString topName(GridKind kind, int row) {
        RosterTableModel* m = main->pane(PaneSide::Top)->model(kind);
        return m->data(m->index(row, 1), Qt::DisplayRole).toString();
    }

    TempFolder folder;
    RecordingDialogs dialogs;
    sample::SampleSummary summary;
    std::unique_ptr<TForm1> main;
};

} // namespace

TEST_F(SearchModeTest, PanelShowsWithTheRankingTabOnlyAndRulesOfItsControls) {
    RosterPane* top = main->pane(PaneSide::Top);
    EXPECT_TRUE(panel()->isVisibleTo(main.get()));
    EXPECT_FALSE(top->isTabShown(PaneTab::Batters));
    EXPECT_TRUE(top->isTabShown(PaneTab::Ranking));
    EXPECT_FALSE(top->nextTeamAction()->isEnabled());
    EXPECT_TRUE(top->chartAction()->isEnabled());

    panel()->careerBox()->setChecked(true);
    EXPECT_FALSE(panel()->findChild<QGroupBox*>(QStringLiteral("RadioGroup3"))->isEnabled());
    panel()->nameSearchBox()->setChecked(true);
    EXPECT_FALSE(panel()->careerBox()->isChecked());
    EXPECT_FALSE(panel()->findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->isEnabled());
    EXPECT_TRUE(top->isTabShown(PaneTab::Batters));
    EXPECT_TRUE(top->isTabShown(PaneTab::Pitchers));
    EXPECT_FALSE(top->isTabShown(PaneTab::Ranking));
    panel()->nameSearchBox()->setChecked(false);
    EXPECT_TRUE(panel()->findChild<QGroupBox*>(QStringLiteral("RadioGroup3"))->isEnabled());
    EXPECT_TRUE(panel()->findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->isEnabled());
    EXPECT_TRUE(top->isTabShown(PaneTab::Ranking));
    EXPECT_FALSE(top->isTabShown(PaneTab::Batters));
}

TEST_F(SearchModeTest, RankingFillsTheListBestFirstAndSortsByColumn) {
    panel()->restrictionGroup()->button(0)->click(); // 制限なし: every line counts
    startSearch();
    ASSERT_GT(list()->rowCount(), 0);
    tenvoll::test::CheckedModelTester tester(list());
    EXPECT_EQ(list()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("打率"));
    EXPECT_EQ(list()->headerData(17, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("期別"));
    EXPECT_GE(rankingValue(cell(0, 2).toStdString()),
              rankingValue(cell(list()->rowCount() - 1, 2).toStdString()));
    EXPECT_TRUE(main->search().ruleNote().isEmpty());
    EXPECT_TRUE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Ranking));
    EXPECT_FALSE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Batters));

    // Column click: ascending now, because "昇順" was chosen last.
    panel()->orderGroup()->button(0)->click();
    clickColumn(3);
    EXPECT_LE(cell(0, 3).toLongLong(), cell(list()->rowCount() - 1, 3).toLongLong());

    listView()->selectRow(2);
    EXPECT_TRUE(main->statusBar()->currentMessage().startsWith(
        QStringLiteral("3/%1 野手_打率").arg(list()->rowCount())));
}

TEST_F(SearchModeTest, TheColumnSortedByStaysTheListsOrderUntilAnotherStatistic) {
    QHeaderView* header = listView()->horizontalHeader();
    panel()->restrictionGroup()->button(0)->click();
    startSearch();
    EXPECT_EQ(header->sortIndicatorSection(), 2); // the ranked statistic's column
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    clickColumn(5);
    EXPECT_EQ(header->sortIndicatorSection(), 5);
    EXPECT_GE(listView()->columnWidth(5), header->sectionSizeHint(5)); // caption and arrow
    startSearch(); // the same statistic once more: still by the chosen column
    EXPECT_EQ(header->sortIndicatorSection(), 5);
    EXPECT_GE(listView()->columnWidth(5), header->sectionSizeHint(5));
    for (int r = 1; r < list()->rowCount(); ++r)
        ASSERT_GE(rankingValue(cell(r - 1, 5).toStdString()),
                  rankingValue(cell(r, 5).toStdString()))
            << r;

    panel()->itemGroup()->button(6)->click(); // 野手_本塁打, column 8
    startSearch();
    EXPECT_EQ(header->sortIndicatorSection(), 8);
    EXPECT_GE(listView()->columnWidth(8), header->sectionSizeHint(8));
    EXPECT_GE(rankingValue(cell(0, 8).toStdString()),
              rankingValue(cell(list()->rowCount() - 1, 8).toStdString()));
}

TEST_F(SearchModeTest, RestrictedRankingSaysTheRuleAndSavesItsCsv) {
    startSearch();
    EXPECT_TRUE(main->search().ruleNote().startsWith(QStringLiteral("規定: ")));
    const std::string out = folder.file("rank.csv");
    dialogs.fileAnswers.enqueue(QString::fromStdString(out));
    main->pane(PaneSide::Top)->csvAction()->trigger();
    EXPECT_EQ(dialogs.proposedSaveNames.last(),
              QStringLiteral("野手_打率を打席数、投球回数で制限で降順"));
    const std::string csv = tenvoll::test::readCp932(out);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "野手_打率,打席数、投球回数で制限,降順");
    EXPECT_EQ(static_cast<int>(std::count(csv.begin(), csv.end(), '\n')), 2 + list()->rowCount());
}

TEST_F(SearchModeTest, ChosenRowOpensTheDetailModallyFromTheGatheredSections) {
    panel()->restrictionGroup()->button(0)->click();
    startSearch();
    ASSERT_GT(list()->rowCount(), 0);
    const std::string name = cell(0, 0).toStdString();
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        if (TForm2* d = main->playerDetailWindow()) {
            wasModal = d->isModal();
            EXPECT_FALSE(d->history().rows.empty());
            d->close();
        }
    });
    listView()->setCurrentIndex(list()->index(0, 0));
    QTest::keyClick(listView(), Qt::Key_Return);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(main->state().shownPlayer(), name);
    EXPECT_TRUE(main->state().pane(PaneSide::Top).store.hasSection(name));
    EXPECT_EQ(panel()->searchText().toStdString(), name);
}

// Enter in the search text puts it into the history as the button does.
TEST_F(SearchModeTest, EnterAddsTheSearchTextToItsHistory) {
    QComboBox* box = panel()->searchTextBox();
    panel()->setSearchText(QStringLiteral("山田"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    panel()->setSearchText(QStringLiteral("鈴木"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Enter);
    panel()->setSearchText(QStringLiteral("山田"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("山田"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("鈴木"));
}

// The search panel widens the window; leaving search mode gives the width back.
TEST(SearchModeWidth, LeavingSearchModeGivesTheWindowItsWidthBack) {
    TempFolder folder;
    RecordingDialogs dialogs;
    sample::writeSampleLeague(folder.path(), {4, 2, 56, 3});
    TForm1 main(folder.path());
    main.show();
    QApplication::processEvents();
    const int before = main.width();
    main.findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    QApplication::processEvents();
    ASSERT_GT(main.width(), before);
    main.findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(main.width(), before);
}

TEST_F(SearchModeTest, NameSearchFillsTheTopPaneAndLeavingRestoresIt) {
    const QString original = topName(GridKind::Batters, 0);
    IniStore team = IniStore::load(summary.teamFiles[1]);
    const std::string someone = team.value("Team", "3").substr(2);

    panel()->nameSearchBox()->setChecked(true);
    panel()->setSearchText(QString::fromStdString(someone));
    startSearch();
    EXPECT_EQ(topName(GridKind::Batters, 0).toStdString(), someone);
    EXPECT_EQ(main->pane(PaneSide::Top)->model(GridKind::Batters)->rowCount(), 1);
    EXPECT_EQ(panel()->searchTextBox()->itemText(0).toStdString(), someone);

    panel()->setSearchText(QStringLiteral("誰でもない"));
    startSearch();
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("検索選手を、サンプルリーグで見つけられませんでした。"));
    // No hits: the empty batters' grid keeps its tab instead of a bare header.
    EXPECT_TRUE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Batters));
    EXPECT_EQ(main->pane(PaneSide::Top)->currentTab(), PaneTab::Batters);

    panel()->setSearchText(QString());
    startSearch();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("選手名を入力してください。"));

    main->findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    EXPECT_FALSE(panel()->isVisibleTo(main.get()));
    EXPECT_EQ(topName(GridKind::Batters, 0), original);
    EXPECT_EQ(main->pane(PaneSide::Top)->model(GridKind::Batters)->rowCount(), 16);
    EXPECT_TRUE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Batters));
    EXPECT_FALSE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Ranking));
}

// After a ranking row put its name into the box, switching to the name search
// and typing a name replaces that text instead of appending to it.
TEST_F(SearchModeTest, TypedNameReplacesTheTextOfTheChosenRankingRow) {
    panel()->restrictionGroup()->button(0)->click();
    startSearch();
    ASSERT_GT(list()->rowCount(), 1);
    const QRect row = listView()->visualRect(list()->index(1, 0));
    QTest::mouseClick(listView()->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_FALSE(panel()->searchText().isEmpty());
    const QString wanted = cell(0, 0);

    QTest::mouseClick(panel()->nameSearchBox(), Qt::LeftButton);
    ASSERT_TRUE(panel()->nameSearchBox()->isChecked());
    QApplication::processEvents();
    for (QChar c : wanted) // typed one character at a time, as a keyboard does
        QTest::sendKeyEvent(QTest::Click, panel()->searchTextBox()->lineEdit(), Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
    EXPECT_EQ(panel()->searchText(), wanted);
    startSearch();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(topName(GridKind::Batters, 0), wanted);

    // Tabbing or clicking into the box selects its text as well.
    panel()->searchTextBox()->clearFocus();
    panel()->searchTextBox()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(panel()->searchTextBox()->lineEdit()->selectedText(), wanted);
}

// Career totals belong to no term: "期別" is offered only for term rankings,
// and its tooltip says why it is not.
TEST_F(SearchModeTest, TermChartIsOffWithCareerTotalsAndSaysWhy) {
    QAction* chart = main->pane(PaneSide::Top)->chartAction();
    QTest::mouseClick(panel()->careerBox(), Qt::LeftButton);
    startSearch();
    ASSERT_GT(list()->rowCount(), 0);
    EXPECT_EQ(cell(0, 17), QStringLiteral("通算"));
    EXPECT_FALSE(chart->isEnabled());
    EXPECT_TRUE(chart->toolTip().contains(QStringLiteral("通算成績")));
    EXPECT_TRUE(main->pane(PaneSide::Top)
                    ->popupMenu()
                    ->findChild<QMenu*>(QStringLiteral("ChartMenu"))
                    ->toolTipsVisible());

    QTest::mouseClick(panel()->careerBox(), Qt::LeftButton);
    startSearch();
    EXPECT_TRUE(chart->isEnabled());
    EXPECT_TRUE(chart->toolTip().isEmpty() || chart->toolTip() == chart->text());
}
