// tenvoll-batch data-check, term-update and stats-marks: exit codes and what
// they print, on the small league.
#include "SmallLeague.h"

#include "app/batch/BatchCommand.h"
#include "league/IniStore.h"
#include "league/TextCodec.h"

#include "support/BatchRun.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::BatchRun;
using namespace tenvoll::test;

namespace {

BatchRun runCommand(const SmallLeague& league, std::vector<std::string> args) {
    return test::runBatchIn(league.programFolder(), std::move(args));
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(TermUpdateBatch, DataCheckAndTermUpdateSucceed) {
    SmallLeague league;
    BatchRun check = runCommand(league, {"data-check", "--term", "5"});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_TRUE(has(check.out, "チェック終了\n"));

    BatchRun update = runCommand(league, {"term-update", "--term", "5", "--tool", "Mirel"});
    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_TRUE(has(update.out, "レッズを処理中\n"));
    EXPECT_TRUE(has(update.out, "終了\nバックアップ: "));
    IniStore reds = IniStore::parse(readCp932(league.path("league/reds.txt")));
    EXPECT_EQ(reds.value("Team", "ツール"), "Mirel");
}

TEST(TermUpdateBatch, FailuresExitWithOneAndChangeNothing) {
    SmallLeague league;
    writeCp932(league.path("temp/seichou/3_extra.txt"), "  レッズ\n");
    auto before = snapshotFolder(league.programFolder());
    BatchRun update = runCommand(league, {"term-update", "--term", "5"});
    EXPECT_EQ(update.status, 1);
    EXPECT_TRUE(has(update.err, "レッズ関係のエラーがあります。\n"));
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);

    BatchRun marks = runCommand(league, {"stats-marks", "\\temp\\ない.txt", "--term", "5"});
    EXPECT_EQ(marks.status, 1);
    EXPECT_TRUE(has(marks.err, "ファイルが存在しません！"));
}

// The data check and the update are one commit: a team file the check would
// initialise stays as it was when the update is then refused, and after a
// run the backup holds it as it was before either step.
TEST(TermUpdateBatch, TheDataCheckAndTheUpdateAreOneCommit) {
    SmallLeague league;
    const char* gameText =
        "  ブルーズ  ブ  青  青球場\n7 青山 左 長 E E B E E E C 3 3 4 3 3 15 3 3 240 ; 29 3\n";
    writeCp932(league.path("league/blues.txt"), gameText);
    const std::string original = readBytes(league.path("league/blues.txt"));
    auto before = snapshotFolder(league.programFolder());
    BatchRun refused = runCommand(league, {"term-update", "--term", "3"}); // below the newest
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(has(refused.err, "ファイルは変更されていません")) << refused.err;
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);

    BatchRun update = runCommand(league, {"term-update", "--term", "5"});
    EXPECT_EQ(update.status, 0) << update.err;
    EXPECT_TRUE(has(update.out, "このファイルは初期化されていません。")) << update.out;
    EXPECT_EQ(readBytes(league.path("league/バックアップ/0005期更新前/blues.txt")), original);
    EXPECT_TRUE(IniStore::parse(readCp932(league.path("league/blues.txt"))).hasSection("Team"));
}

TEST(TermUpdateBatch, UsageErrorsExitWithTwo) {
    SmallLeague league;
    EXPECT_EQ(runCommand(league, {"term-update"}).status, 2);
    EXPECT_EQ(runCommand(league, {"term-update", "--term", "0"}).status, 2);
    EXPECT_EQ(runCommand(league, {"term-update", "--term", "5", "--tool", "他"}).status, 2);
    EXPECT_EQ(runCommand(league, {"data-check", "--term", "5", "--games", "0"}).status, 2);
    EXPECT_EQ(runCommand(league, {"stats-marks", "--term", "5"}).status, 2);
}

TEST(TermUpdateBatch, StatsMarksOfOneFile) {
    SmallLeague league;
    writeBytes(league.path("temp/0004期一軍成績.txt"),
               readBytes(fixture("stats_marks_hand_worked/0004期一軍成績.txt")));
    std::string oldMarks = readBytes(league.path("league/seiseki.ini"));
    BatchRun marks = runCommand(
        league, {"stats-marks", "\\temp\\0004期一軍成績.txt", "--term", "5", "--games", "150"});
    EXPECT_EQ(marks.status, 0) << marks.err;
    EXPECT_TRUE(has(marks.out, "処理が終了しました。\n"));
    std::string top10 = readBytes(fixture("stats_marks_hand_worked/Top10.txt"));
    EXPECT_EQ(readBytes(league.path("temp/Top10.txt")), top10);
    EXPECT_EQ(readBytes(league.path("league/seiseki.ini")), top10 + oldMarks);
}

// The league's newest term again needs --again; an older term is refused.
TEST(TermUpdateBatch, NewestTermNeedsAgainAndOlderTermsAreRefused) {
    SmallLeague league;
    ASSERT_EQ(runCommand(league, {"term-update", "--term", "5"}).status, 0);
    auto after = snapshotFolder(league.programFolder());
    BatchRun same = runCommand(league, {"term-update", "--term", "5"});
    EXPECT_EQ(same.status, 1);
    EXPECT_TRUE(has(same.err, "5期のデータはすでに追加されています。")) << same.err;
    BatchRun older = runCommand(league, {"term-update", "--term", "3"});
    EXPECT_EQ(older.status, 1);
    EXPECT_TRUE(has(older.err, "3期はリーグの最新の期 (5期) より前です。")) << older.err;
    EXPECT_EQ(snapshotFolder(league.programFolder()), after);
    EXPECT_EQ(runCommand(league, {"term-update", "--term", "5", "--again"}).status, 0);
}

// An empty statistics file, one without statistics lines, one whose last line
// was cut off, or one with a value no season reaches (whose squares would
// overflow) is refused; neither Top10.txt nor seiseki.ini changes.
TEST(TermUpdateBatch, StatsMarksRefuseEmptyAndCutFiles) {
    const std::string whole = readBytes(fixture("stats_marks_hand_worked/0004期一軍成績.txt"));
    const std::string cut = whole.substr(0, whole.find("\r\n", whole.size() / 2) + 20);
    const std::string huge = whole + encodeCp932("甲 チ .300 140 500 100000000000000000 1 1 1 1 "
                                                 "1 1 1 1 1 .5 .5\r\n",
                                                 "");
    for (const std::string& bytes : {std::string(), std::string("打率 試合\r\n"), cut, huge}) {
        SmallLeague league;
        writeBytes(league.path("temp/0004期一軍成績.txt"), bytes);
        auto before = snapshotFolder(league.programFolder());
        BatchRun marks =
            runCommand(league, {"stats-marks", "\\temp\\0004期一軍成績.txt", "--term", "5"});
        EXPECT_EQ(marks.status, 1) << bytes;
        EXPECT_TRUE(has(marks.err, "0004期一軍成績.txt")) << marks.err;
        EXPECT_TRUE(has(marks.err, "Top10の成績")) << marks.err;
        EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    }
}
