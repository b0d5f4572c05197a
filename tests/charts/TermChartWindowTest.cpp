// The chart window "分析" offscreen: when it opens, that it follows the ranking
// list each time it becomes active, saving its picture, and the main window's
// menu entry with the batch tool drawing the same picture.
#include "app/batch/BatchCommand.h"
#include "app/batch/QtChartDrawing.h"
#include "charts/TermSpreadChart.h"
#include "charts/Unit8.h"
#include "charts/XYGraph.h"
#include "mainwindow/SearchMode.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit1.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "tools/sample-league/SampleLeague.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

using namespace tenvoll;
using tenvoll::charts::TermPoint;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

ProgramState::RankingList listOf(const std::vector<std::string>& terms, bool career = false) {
    ProgramState::RankingList list;
    list.career = career;
    for (const std::string& term : terms) {
        RankingRow row{};
        row[0] = "選手";
        row.back() = term;
        list.rows.push_back(row);
    }
    return list;
}

std::vector<TermPoint> linePoints(const TForm8& w) {
    std::vector<TermPoint> points;
    for (int i = 0; i < w.series1()->pointCount(); ++i)
        points.push_back({w.series1()->xValue(i), w.series1()->yValue(i)});
    return points;
}

void activate(QWidget* w) {
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(w, &event);
}

// Lets a window closed with WA_DeleteOnClose be deleted.
void deletePending() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct TermChartWindow : ::testing::Test {
    TempFolder folder;
    RecordingDialogs dialogs;
    ProgramState state{folder.path()};
    QPointer<TForm8> window;
    ~TermChartWindow() override { delete window.data(); }
};

} // namespace

TEST_F(TermChartWindow, EmptyListOrCareerRankingOpensNothing) {
    EXPECT_EQ(openTermChart(state, window, nullptr), nullptr);
    state.setRanking(listOf({"通算", "通算"}, true));
    EXPECT_EQ(openTermChart(state, window, nullptr), nullptr);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(TermChartWindow, OpensOnceShowsTheCountsAndIsCreatedAnewAfterClosing) {
    state.setRanking(listOf({"0005期", "0003期", "0005期"}));
    TForm8* w = openTermChart(state, window, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("分析"));
    EXPECT_EQ(linePoints(*w), (std::vector<TermPoint>{{3, 1}, {5, 2}}));
    EXPECT_EQ(w->series2()->pointCount(), 0);

    // Opened again while open: the same window, with the list of now.
    state.setRanking(listOf({"0007期"}));
    EXPECT_EQ(openTermChart(state, window, nullptr), w);
    EXPECT_EQ(linePoints(*w), (std::vector<TermPoint>{{7, 1}}));

    // "閉じる" discards it; the next opening makes a new one.
    auto* close = w->findChild<QAction*>(QStringLiteral("CloseAction"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("閉じる"));
    close->trigger();
    deletePending();
    EXPECT_TRUE(window.isNull());
    EXPECT_NE(openTermChart(state, window, nullptr), nullptr);
}

TEST_F(TermChartWindow, FollowsANewSearchWhenActivated) {
    state.setRanking(listOf({"0003期", "0003期", "0004期"}));
    TForm8* w = openTermChart(state, window, nullptr);
    ASSERT_NE(w, nullptr);

    state.setRanking(listOf({"0010期", "0011期", "0010期", "0010期"}));
    activate(w);
    EXPECT_EQ(linePoints(*w), (std::vector<TermPoint>{{10, 3}, {11, 1}}));
    // The count axis starts at zero whatever the smallest count is.
    EXPECT_EQ(w->graph()->YAxis().Min(), 0);
    EXPECT_GE(w->graph()->YAxis().Max(), 3);

    // A name search empties the list: the open window then shows no line.
    state.setRanking({});
    activate(w);
    EXPECT_EQ(w->series1()->pointCount(), 0);
}

TEST_F(TermChartWindow, SavesThePictureAsPngAndTellsWhenItCannot) {
    state.setRanking(listOf({"0001期", "0002期", "0002期"}));
    TForm8* w = openTermChart(state, window, nullptr);
    ASSERT_NE(w, nullptr);
    auto* save = w->findChild<QAction*>(QStringLiteral("SaveImageAction"));
    ASSERT_NE(save, nullptr);

    const QString path = QString::fromStdString(folder.file("chart.png"));
    dialogs.fileAnswers.enqueue(path);
    save->trigger();
    const QImage saved(path);
    EXPECT_EQ(saved.size(), w->graph()->size());
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Cancelled: nothing; an unwritable place: a message and no file.
    save->trigger();
    const QString bad = QString::fromStdString(folder.file("no/such/folder/chart.png"));
    dialogs.fileAnswers.enqueue(bad);
    save->trigger();
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("画像ファイルを保存できませんでした。")});
    EXPECT_FALSE(QFileInfo::exists(bad));
}

TEST(TermChartFromMainWindow, MenuEntryInSearchModeAndTheBatchDrawsTheSamePicture) {
    TempFolder folder;
    RecordingDialogs dialogs;
    const auto league = sample::writeSampleLeague(folder.path(), {4, 6, 56, 3});
    TForm1 main(folder.path());
    QAction* chart = main.pane(PaneSide::Top)->chartAction();
    EXPECT_FALSE(chart->isEnabled());
    main.findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    EXPECT_TRUE(chart->isEnabled());

    // Before any ranking the list is empty: nothing opens.
    chart->trigger();
    EXPECT_EQ(main.chartWindow(), nullptr);

    main.search().panel()->startButton()->click();
    const std::size_t rows = main.state().ranking().rows.size();
    ASSERT_GT(rows, 0u);
    chart->trigger();
    TForm8* w = main.chartWindow();
    ASSERT_NE(w, nullptr);
    const auto points = linePoints(*w);
    EXPECT_EQ(std::accumulate(points.begin(), points.end(), 0.0,
                              [](double s, const TermPoint& p) { return s + p.y; }),
              static_cast<double>(rows));

    // The same ranking through the batch tool (drawing as its helper does)
    // gives the window's picture.
    batch::installQtChartDrawing();
    const std::string png = folder.file("batch.png");
    std::ostringstream out, err;
    ASSERT_EQ(batch::runBatch(
                  {"--program-folder", folder.path(), "ranking", "--stat", "0", "--chart", png},
                  out, err),
              0)
        << err.str();
    w->graph()->resize(charts::kTermSpreadChartSize);
    const QImage shown = w->graph()->renderImage().convertToFormat(QImage::Format_RGB32);
    const QImage written =
        QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(written.size(), charts::kTermSpreadChartSize);
    EXPECT_TRUE(written == shown);

    // Neither the batch nor the window's save puts a picture over a team file.
    const std::string teamFile = league.teamFiles[0];
    const std::string teamBytes = test::readBytes(teamFile);
    err.str({});
    EXPECT_EQ(batch::runBatch({"--program-folder", folder.path(), "ranking", "--stat", "0",
                               "--chart", teamFile},
                              out, err),
              1);
    EXPECT_NE(err.str().find("リーグのファイルには出力できません"), std::string::npos);
    dialogs.fileAnswers.enqueue(QString::fromStdString(teamFile));
    w->findChild<QAction*>(QStringLiteral("SaveImageAction"))->trigger();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("画像ファイルを保存できませんでした。"));
    EXPECT_EQ(test::readBytes(teamFile), teamBytes);

    // A career ranking cannot be charted; an empty list writes no file.
    EXPECT_EQ(batch::runBatch({"--program-folder", folder.path(), "ranking", "--stat", "0",
                               "--career", "--chart", folder.file("career.png")},
                              out, err),
              2);
    // No season reaches 9999 games' worth of at-bats.
    test::writeCp932(league.leagueFolder + "/seiseki.ini", "[9]\n試合数(打者)=9999,1\n");
    const std::string none = folder.file("none.png");
    EXPECT_EQ(batch::runBatch(
                  {"--program-folder", folder.path(), "ranking", "--stat", "0", "--chart", none},
                  out, err),
              1);
    EXPECT_NE(err.str().find("順位表が空なので、グラフは書き出しませんでした。"),
              std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(none)));
}

// "分析" opens centred on the main window, not at the screen's corner.
TEST(TermChartFromMainWindow, OpensCentredOnTheMainWindow) {
    TempFolder folder;
    RecordingDialogs dialogs;
    sample::writeSampleLeague(folder.path(), {4, 3, 56, 3});
    TForm1 main(folder.path());
    main.findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    main.show();
    QApplication::processEvents();
    const QRect screen = main.screen()->availableGeometry();
    const QSize size = main.frameGeometry().size();
    // Wherever the main window stands, the chart comes up over its middle.
    main.move(screen.center() - QPoint(size.width() / 2, size.height() / 2) + QPoint(40, 30));
    QApplication::processEvents();
    main.search().panel()->startButton()->click();
    main.pane(PaneSide::Top)->chartAction()->trigger();
    TForm8* w = main.chartWindow();
    ASSERT_NE(w, nullptr);
    QApplication::processEvents();
    const QPoint offset = w->frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4)
        << offset.x() << "," << offset.y() << " main " << main.frameGeometry().x() << ","
        << main.frameGeometry().y() << " " << size.width() << "x" << size.height() << " screen "
        << screen.width() << "x" << screen.height();
}
