// tenvoll-batch report and history --chart on fixtures/main-window.
#include "app/batch/QtChartDrawing.h"
#include "league/Platform.h"
#include "support/BatchRun.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>

using tenvoll::test::runBatchIn;
using tenvoll::test::TempFolder;

namespace {

class ReportBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        tenvoll::test::copyFixtureFolder("main-window", program.path());
        tenvoll::batch::installQtChartDrawing(); // as the drawing helper draws
    }
    TempFolder program;
    TempFolder out;
};

} // namespace

TEST_F(ReportBatchTest, ReportWritesTheEnginesPagesAndRefusesTheLeagueFolder) {
    const auto run = runBatchIn(program.path(), {"report", out.file("site")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Webページ出力終了！ 52ファイル"), std::string::npos) << run.err;
    EXPECT_EQ(tenvoll::test::readBytes(out.file("site/index.html")),
              tenvoll::test::readBytes(tenvoll::test::fixture("report-expected/index.html")));

    const auto refused = runBatchIn(program.path(), {"report", program.file("リーグ/web")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("機構のフォルダの中"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(tenvoll::platform::fsPath(program.file("リーグ/web"))));
}

TEST_F(ReportBatchTest, HistoryChartAsPngOrSvgWithOneOrTwoItems) {
    const std::string png = out.file("chart.png");
    const auto run =
        runBatchIn(program.path(), {"history", "山田ソ太郎", "--team", "\\リーグ\\東京.txt",
                                    "--chart", png, "--item", "成績:打率", "--item", "指数"});
    EXPECT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(640, 360));
    EXPECT_TRUE(run.out.empty()); // the chart alone: no CSV lines

    const std::string svg = out.file("chart.svg");
    EXPECT_EQ(runBatchIn(program.path(),
                         {"history", "山田ソ太郎", "--team", "\\リーグ\\東京.txt", "--chart", svg})
                  .status,
              0);
    const std::string text = tenvoll::test::readBytes(svg);
    EXPECT_NE(text.find("山田ソ太郎  能力:指数"), std::string::npos);

    const auto unknown =
        runBatchIn(program.path(), {"history", "山田ソ太郎", "--team", "\\リーグ\\東京.txt",
                                    "--chart", svg, "--item", "成績:防率"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown --item"), std::string::npos);
}
