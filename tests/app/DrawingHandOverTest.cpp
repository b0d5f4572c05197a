// Which command lines tenvoll-batch hands to its drawing helper: those that
// draw a PNG, whole and before anything runs; the others run in-process.
#include "app/batch/BatchCommand.h"
#include "app/batch/ChartDrawing.h"
#include "support/BatchRun.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

constexpr int kHelperStatus = 7;
std::vector<std::vector<std::string>> handedOver;

int recordHandOver(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    handedOver.push_back(args);
    err << "(helper)";
    return kHelperStatus;
}

class DrawingHandOver : public ::testing::Test {
protected:
    void SetUp() override {
        handedOver.clear();
        batch::setDrawingHandOver(&recordHandOver);
    }
    void TearDown() override { batch::setDrawingHandOver(nullptr); }
    bool handsOver(std::vector<std::string> args) {
        handedOver.clear();
        test::runBatchIn(dir.path(), std::move(args));
        return !handedOver.empty();
    }
    TempFolder dir;
};

} // namespace

TEST_F(DrawingHandOver, TheWholeCommandLineOfADrawingCommandGoesToTheHelper) {
    const auto run = test::runBatchIn(dir.path(), {"graph-demo", "out"});
    EXPECT_EQ(run.status, kHelperStatus);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "(helper)"); // nothing of its own, not even a recovery
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_EQ(handedOver[0],
              (std::vector<std::string>{"--program-folder", dir.path(), "graph-demo", "out"}));
}

TEST_F(DrawingHandOver, OnlyAPngChartIsHandedOver) {
    EXPECT_TRUE(handsOver({"ranking", "--stat", "0", "--chart", "x.png"}));
    EXPECT_TRUE(handsOver({"ranking", "--stat", "0", "--chart=x.png", "--career"}));
    EXPECT_TRUE(handsOver({"history", "甲", "--team", "t.txt", "--chart", "x.png"}));
    EXPECT_FALSE(handsOver({"history", "甲", "--team", "t.txt", "--chart", "x.svg"}));
    EXPECT_FALSE(handsOver({"history", "甲", "--team", "t.txt", "--chart", "X.SVG"}));
    EXPECT_FALSE(handsOver({"ranking", "--stat", "0"}));
    // "--chart" as the value of another option draws nothing.
    EXPECT_FALSE(handsOver({"ranking", "--stat", "0", "--csv", "--chart"}));
    // Usage errors and --help are answered here.
    EXPECT_FALSE(handsOver({"ranking", "--stat", "0", "--bogus", "--chart", "x.png"}));
    EXPECT_FALSE(handsOver({"graph-demo", "--help"}));
    EXPECT_FALSE(handsOver({"--version"}));
}

TEST_F(DrawingHandOver, WithoutHelperOrDrawingTheCommandSaysTheBuildCannotDraw) {
    batch::setDrawingHandOver(nullptr);
    const auto run = test::runBatchIn(dir.path(), {"graph-demo", dir.file("out")});
    EXPECT_EQ(run.status, batch::kFailure);
    EXPECT_NE(run.err.find("グラフの描画がありません"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
}
