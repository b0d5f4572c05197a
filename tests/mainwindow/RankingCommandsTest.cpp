// tenvoll-batch ranking and find: printed rows, the CSV file and exit codes.
#include "SearchLeagueFixture.h"
#include "app/batch/BatchCommand.h"
#include "league/TextCodec.h"

#include "support/BatchRun.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

BatchRun runIn(const TestLeague& lg, std::vector<std::string> args) {
    return test::runBatchIn(lg.programFolder(), std::move(args));
}

void fill(TestLeague& lg) {
    lg.writeMarks("150");
    lg.addUnsigned(2, {batter("古参", 1, bat("古参", 470, "12"))});
    lg.addTeam("a.txt",
               {batter("主砲", 3, bat("主砲", 500, "40")), batter("控え", 3, bat("控え", 100, "2")),
                pitcher("主砲", 3, pit("主砲", 10, 0))});
}

} // namespace

TEST(RankingCommands, RankingPrintsRowsAndWritesTheCsv) {
    TestLeague lg;
    fill(lg);
    BatchRun r = runIn(lg, {"ranking", "--stat", "野手_本塁打", "--csv", lg.dir.file("out.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "主砲\tテ\t.300\t140\t500\t150\t20\t2\t40\t80\t5\t50\t90\t10\t5\t.500\t.380\t0003期\n"
        "(1)古参\tテ\t.300\t140\t470\t150\t20\t2\t12\t80\t5\t50\t90\t10\t5\t.500\t.380\t0001期\n");
    EXPECT_NE(r.err.find("規定: 465打数以上 (150試合×3.1)"), std::string::npos);
    std::string csv = readCp932(lg.dir.file("out.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "野手_本塁打,打席数、投球回数で制限,降順");

    // The item by its index, every option spelled out.
    BatchRun asc = runIn(
        lg, {"ranking", "--stat", "6", "--limit", "none", "--order", "asc", "--players", "active"});
    ASSERT_EQ(asc.status, 0) << asc.err;
    EXPECT_EQ(asc.out.substr(0, asc.out.find('\t')), "控え");
    EXPECT_EQ(std::count(asc.out.begin(), asc.out.end(), '\n'), 2);

    BatchRun career = runIn(lg, {"ranking", "--stat=6", "--career", "--players", "retired"});
    EXPECT_EQ(career.status, 0);
    EXPECT_EQ(career.out, "");
}

TEST(RankingCommands, ExitCodesTellUsageErrorsFromFailures) {
    TestLeague lg;
    EXPECT_EQ(runIn(lg, {"ranking"}).status, 2);
    EXPECT_EQ(runIn(lg, {"ranking", "--stat", "野手_本塁"}).status, 2);
    EXPECT_EQ(runIn(lg, {"ranking", "--stat", "30"}).status, 2);
    EXPECT_EQ(runIn(lg, {"ranking", "--stat", "1", "--order", "up"}).status, 2);
    EXPECT_EQ(runIn(lg, {"find"}).status, 2);
    EXPECT_EQ(runIn(lg, {"find", ""}).status, 2);

    // No league registered: nothing to search.
    BatchRun none = runIn(lg, {"ranking", "--stat", "0"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("検索対象フォルダがありません。"), std::string::npos);

    fill(lg);
    BatchRun csvFails =
        runIn(lg, {"ranking", "--stat", "0", "--csv", lg.dir.file("no/such/dir/x.csv")});
    EXPECT_EQ(csvFails.status, 1);
}

TEST(RankingCommands, FindPrintsTheGatheredSections) {
    TestLeague lg;
    fill(lg);
    BatchRun found = runIn(lg, {"find", "主砲"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, "主砲\n");
    BatchRun old = runIn(lg, {"find", "古参"});
    EXPECT_EQ(old.out, "(1)古参\n");
    BatchRun missing = runIn(lg, {"find", "無名"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("検索選手を、テスト機構で見つけられませんでした。"),
              std::string::npos);
}
