// Search mode of the main window on a small sample league: the panel's rules,
// a ranking into the list, sorting, the CSV, the player detail opened modally,
// the name search into the Top pane, and the panes restored afterwards.
#include "league/IniStore.h"
#include "mainwindow/RankingTableModel.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit1.h"
#include "player/Unit2.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "tools/sample-league/SampleLeague.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QStatusBar>
#include <QTableView>
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
        main->findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(true);
    }
    SearchPanel* panel() { return main->searchPanel(); }
    RankingTableModel* list() { return main->rankingModel(); }
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
    main->Button3Click();
    ASSERT_GT(list()->rowCount(), 0);
    QAbstractItemModelTester tester(list(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(list()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("打率"));
    EXPECT_EQ(list()->headerData(17, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("期別"));
    EXPECT_GE(rankingValue(cell(0, 2).toStdString()),
              rankingValue(cell(list()->rowCount() - 1, 2).toStdString()));
    EXPECT_TRUE(main->ruleNote().isEmpty());
    EXPECT_TRUE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Ranking));
    EXPECT_FALSE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Batters));

    // Column click: ascending now, because "昇順" was chosen last.
    panel()->orderGroup()->button(0)->click();
    main->ListViewSeisekiCompare(3);
    EXPECT_LE(cell(0, 3).toLongLong(), cell(list()->rowCount() - 1, 3).toLongLong());

    main->rankingList()->selectRow(2);
    EXPECT_TRUE(main->statusBar()->currentMessage().startsWith(
        QStringLiteral("3/%1 野手_打率").arg(list()->rowCount())));
}

TEST_F(SearchModeTest, RestrictedRankingSaysTheRuleAndSavesItsCsv) {
    main->Button3Click();
    EXPECT_TRUE(main->ruleNote().startsWith(QStringLiteral("規定: ")));
    const std::string out = folder.file("rank.csv");
    dialogs.fileAnswers.enqueue(QString::fromStdString(out));
    main->exportPaneCsv(PaneSide::Top);
    EXPECT_EQ(dialogs.proposedSaveNames.last(),
              QStringLiteral("野手_打率を打席数、投球回数で制限で降順"));
    const std::string csv = tenvoll::test::readCp932(out);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "野手_打率,打席数、投球回数で制限,降順");
    EXPECT_EQ(static_cast<int>(std::count(csv.begin(), csv.end(), '\n')), 2 + list()->rowCount());
}

TEST_F(SearchModeTest, ChosenRowOpensTheDetailModallyFromTheGatheredSections) {
    panel()->restrictionGroup()->button(0)->click();
    main->Button3Click();
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
    main->rankingRowChosen(0);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(main->state().shownPlayer(), name);
    EXPECT_TRUE(main->state().pane(PaneSide::Top).store.hasSection(name));
    EXPECT_EQ(panel()->searchText().toStdString(), name);
}

TEST_F(SearchModeTest, NameSearchFillsTheTopPaneAndLeavingRestoresIt) {
    const QString original = topName(GridKind::Batters, 0);
    IniStore team = IniStore::load(summary.teamFiles[1]);
    const std::string someone = team.value("Team", "3").substr(2);

    panel()->nameSearchBox()->setChecked(true);
    panel()->setSearchText(QString::fromStdString(someone));
    main->Button3Click();
    EXPECT_EQ(topName(GridKind::Batters, 0).toStdString(), someone);
    EXPECT_EQ(main->pane(PaneSide::Top)->model(GridKind::Batters)->rowCount(), 1);
    EXPECT_EQ(panel()->searchTextBox()->itemText(0).toStdString(), someone);

    panel()->setSearchText(QStringLiteral("誰でもない"));
    main->Button3Click();
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("検索選手を、サンプルリーグで見つけられませんでした。"));

    panel()->setSearchText(QString());
    main->Button3Click();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("選手名を入力してください。"));

    main->findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(false);
    EXPECT_FALSE(panel()->isVisibleTo(main.get()));
    EXPECT_EQ(topName(GridKind::Batters, 0), original);
    EXPECT_EQ(main->pane(PaneSide::Top)->model(GridKind::Batters)->rowCount(), 16);
    EXPECT_TRUE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Batters));
    EXPECT_FALSE(main->pane(PaneSide::Top)->isTabShown(PaneTab::Ranking));
}
