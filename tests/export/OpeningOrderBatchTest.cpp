// tenvoll-batch opening-order: steps in the order given, status texts on
// stdout, a refused step on stderr with exit 1 and nothing written after it.
#include "OrderLeague.h"
#include "app/batch/BatchCommand.h"
#include "export/OpeningOrder.h"
#include "league/IniStore.h"
#include "support/BatchRun.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::BatchRun;
using tenvoll::test::TempFolder;

namespace {

class OpeningOrderBatch : public ::testing::Test {
protected:
    BatchRun run(std::vector<std::string> args) {
        args.insert(args.begin(), "opening-order");
        return test::runBatchIn(dir.path(), std::move(args));
    }
    bool contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TempFolder dir;
    test::OrderLeague league{dir.path()};
};

const std::string kRookie = "P 新人 右 中 147 E D C 4 D C 4 298 18 B B D E B D C";

} // namespace

TEST_F(OpeningOrderBatch, StepsRunInOrderAndPrintTheWindowsStatusTexts) {
    BatchRun r = run({"--team", "0", "--other", "1", "--swap", "17:26", "--take", "16:20",
                      "--rookie", kRookie, "--place", "新人:21", "--position", "9:D", "--manager",
                      "1:,1,3,0,0,0,0,0,0,0", "--write", "--list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string statuses = std::string(kCopyCreatedMessage) + "\n" + kRookie + "\n" +
                                 std::string(kAttributeRangeStatus) + "\n" +
                                 std::string(kPositionsNgStatus) + "\n";
    ASSERT_TRUE(r.out.starts_with(statuses)) << r.out;
    const std::string list = r.out.substr(statuses.size());
    for (const char* line :
         {"0\t1番\t甲0\t2\t新規加入\n", "9\t代1\t甲9\tD\t甲\n", "17\t先2\t甲26\tP\t甲\n",
          "26\t抑1\t甲17\tP\t甲\n", "20\t先5\t乙16\tP\t乙\n", "21\t先6\t新人\tP\t新人\n",
          "55\t抑2\t甲55\tP\t甲\n-1\t先5\t甲20\tP\t甲\n-1\t先6\t甲21\tP\t甲\n"})
        EXPECT_TRUE(contains(list, line)) << line;
    EXPECT_TRUE(list.ends_with("-1\t先6\t甲21\tP\t甲\n"));

    IniStore copy = IniStore::load(league.copyFile);
    EXPECT_EQ(copy.value("Team", "21"), "P 新人");
    EXPECT_EQ(copy.value("Team", "1軍監督"), "  監督甲           +1  0  0  0  0  0  0  0  0 ");
    EXPECT_FALSE(copy.hasSection("甲20"));
    EXPECT_TRUE(copy.hasSection("乙16"));
}

TEST_F(OpeningOrderBatch, ARefusedStepEndsTheRunBeforeTheWrite) {
    ASSERT_EQ(run({"--team", "0"}).status, 0);
    const auto before = test::snapshotFolder(dir.path());

    BatchRun mixed = run({"--team", "0", "--swap", "0:1", "--swap", "20:3", "--write"});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.err, std::string(kDropTypeStatus) + "\n");
    BatchRun pitcher = run({"--team", "0", "--position", "16:2", "--write"});
    EXPECT_EQ(pitcher.status, 1);
    EXPECT_EQ(pitcher.err, std::string(kPitcherPositionStatus) + "\n");
    BatchRun line = run({"--team", "0", "--foreign", "2 外人 右", "--write"});
    EXPECT_EQ(line.status, 1);
    EXPECT_EQ(line.err, std::string(kUnsuitableLineStatus) + "\n");
    BatchRun clash =
        run({"--team", "0", "--rookie", "P 甲3 右 中 147 E D C 4 D C 4 298", "--write"});
    EXPECT_EQ(clash.status, 1);
    EXPECT_TRUE(contains(clash.err, "甲3")) << clash.err;
    BatchRun nobody = run({"--team", "0", "--place", "誰か:3", "--write"});
    EXPECT_EQ(nobody.status, 1);
    EXPECT_TRUE(contains(nobody.err, "誰か")) << nobody.err;
    EXPECT_EQ(run({"--team", "5"}).status, 1);

    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST_F(OpeningOrderBatch, UsageErrorsExitWithTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--swap", "1:2"},
             {"--team", "0", "--take", "1:2"},
             {"--team", "0", "--swap", "1:56"},
             {"--team", "0", "--swap", "12"},
             {"--team", "0", "--position", "3:P"},
             {"--team", "0", "--manager", "3:a,0,0,0,0,0,0,0,0,0"},
             {"--team", "0", "--manager", "1:a,0,0"},
             {"--team", "0", "--bogus"},
         }) {
        BatchRun r = run(args);
        EXPECT_EQ(r.status, 2) << args.back();
    }
    EXPECT_FALSE(test::snapshotFolder(dir.path()).empty());
}
