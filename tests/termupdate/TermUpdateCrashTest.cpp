// A term update cut off after k of its renames (as kill -9 or a power loss
// would), for every k, then recovered: every file of the program folder must
// be byte-identical to before the run (or to after it, once the run had marked
// itself complete). Also: the recovery at the start of a batch command, and a
// second writer refused while another process holds the league.
#include "SmallLeague.h"

#include "app/batch/BatchCommand.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/Recovery.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

// The children: one holds the program folder args[0] (a window's update)
// until told to let go; one stages two files and dies before its commit.
int holdLeague(ChildChannel& channel) {
    FolderLock lock = FolderLock::acquire(channel.args().at(0), FolderLock::Mode::Exclusive);
    channel.answer("held");
    channel.waitForFinish();
    return 0;
}
const ChildRole holdLeagueRole("hold-league", holdLeague);

int dieWhileStaging(ChildChannel& channel) {
    const std::string& folder = channel.args().at(0);
    FileTransaction t; // never committed: the process dies with its temporaries
    t.stageText(folder + "/league/reds.txt", "途中");
    t.stageText(folder + "/temp/0004期一軍成績.txt", "途中");
    std::_Exit(0);
}
const ChildRole dieWhileStagingRole("die-while-staging", dieWhileStaging);

int renamesOfASuccessfulRun() {
    SmallLeague league;
    RecordingReporter reporter;
    WriteFaults::reset();
    runTermUpdate(league.input(5), reporter);
    int renames = WriteFaults::renamesSoFar();
    WriteFaults::reset();
    return renames;
}

// Runs the update of `league` and cuts it off after k renames.
void crashAfter(SmallLeague& league, int k) {
    RecordingReporter reporter;
    WriteFaults::reset();
    WriteFaults::crashAfterRenames(k);
    EXPECT_THROW(runTermUpdate(league.input(5), reporter), SimulatedCrash);
    WriteFaults::reset();
}

std::string journalOf(const SmallLeague& league) {
    return league.path("league/" + std::string(kJournalFileName));
}

// The files a successful run leaves, without the scratch files it deletes
// after its commit (a cut-off run leaves them).
std::vector<std::pair<std::string, std::string>> leagueFiles(const SmallLeague& league) {
    return snapshotFolder(league.path("league"));
}

} // namespace

TEST(TermUpdateCrash, RecoveryAfterEveryRenamePutsTheLeagueBackByteForByte) {
    const int renames = renamesOfASuccessfulRun();
    ASSERT_EQ(renames, 11); // with the manifest and the kept scratch file
    for (int k = 0; k <= renames; ++k) {
        SCOPED_TRACE(k);
        SmallLeague league;
        auto before = snapshotFolder(league.programFolder());
        auto folders = foldersBelow(league.programFolder());
        crashAfter(league, k);
        ASSERT_TRUE(std::filesystem::exists(platform::fsPath(journalOf(league))));
        if (k > 0 && k < renames) { // half updated, as the crash left it
            EXPECT_NE(snapshotFolder(league.programFolder()), before);
        }

        std::vector<RecoveryOutcome> outcomes =
            recoverInterruptedOperations(league.programFolder());
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].problems.empty());
        EXPECT_EQ(outcomes[0].operation, "最新データの追加 (5期)");
        EXPECT_NE(recoveryMessage(outcomes).find("実行前の状態に戻しました"), std::string::npos);
        EXPECT_EQ(snapshotFolder(league.programFolder()), before);
        EXPECT_EQ(foldersBelow(league.programFolder()), folders);
        // Recovered, the update runs as if nothing had happened.
        RecordingReporter reporter;
        runTermUpdate(league.input(5), reporter);
        EXPECT_EQ(readBytes(league.path("league/reds.txt")),
                  readBytes(league.expected("league/reds.txt")));
    }
}

TEST(TermUpdateCrash, ACrashAfterTheLastStepKeepsTheNewTerm) {
    SmallLeague done;
    RecordingReporter reporter;
    runTermUpdate(done.input(5), reporter);

    SmallLeague league;
    crashAfter(league, renamesOfASuccessfulRun() + 1);
    std::vector<RecoveryOutcome> outcomes = recoverInterruptedOperations(league.programFolder());
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].wasComplete);
    EXPECT_EQ(leagueFiles(league).size(), leagueFiles(done).size());
    EXPECT_EQ(readBytes(league.path("league/reds.txt")), readBytes(done.path("league/reds.txt")));
    EXPECT_EQ(readBytes(league.path("league/blues.txt")), readBytes(done.path("league/blues.txt")));
    EXPECT_FALSE(std::filesystem::exists(platform::fsPath(journalOf(league))));
}

TEST(TermUpdateCrash, BatchCommandsRecoverFirstAndRecoverOnDemand) {
    SmallLeague league;
    auto before = snapshotFolder(league.programFolder());
    crashAfter(league, 4);

    std::ostringstream out, err;
    EXPECT_EQ(
        batch::runBatch({"--program-folder", league.programFolder(), "find", "赤井"}, out, err), 0);
    EXPECT_NE(err.str().find("途中で終了していました"), std::string::npos) << err.str();
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);

    crashAfter(league, 2);
    std::ostringstream out2, err2;
    EXPECT_EQ(batch::runBatch({"--program-folder", league.programFolder(), "recover"}, out2, err2),
              0);
    EXPECT_NE(out2.str().find("実行前の状態に戻しました"), std::string::npos);
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    std::ostringstream out3, err3;
    batch::runBatch({"--program-folder", league.programFolder(), "recover"}, out3, err3);
    EXPECT_EQ(out3.str(), "途中で終了した操作はありませんでした。\n");
}

// Another process holds the league (a window's update): the batch update is
// refused at once with exit status 1 and changes nothing.
TEST(TermUpdateCrash, SecondWriterIsRefusedAtOnce) {
    SmallLeague league;
    auto before = snapshotFolder(league.programFolder());
    auto other = std::make_unique<ChildProcess>("hold-league",
                                                std::vector<std::string>{league.programFolder()});
    ASSERT_EQ(other->answer(), "held");

    std::ostringstream out, err;
    EXPECT_EQ(
        batch::runBatch({"--program-folder", league.programFolder(), "term-update", "--term", "5"},
                        out, err),
        1);
    EXPECT_NE(err.str().find("他の操作がリーグのファイルを更新中です。"), std::string::npos)
        << err.str();
    RecordingReporter reporter;
    EXPECT_THROW(runTermUpdate(league.input(5), reporter), LeagueError);
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);

    other.reset();
    runTermUpdate(league.input(5), reporter); // free again
}

// Killed while staging, before its journal: the league files are untouched,
// and the temporary files of the dead writer are removed at the next start.
TEST(TermUpdateCrash, TemporaryFilesOfADeadWriterAreRemoved) {
    SmallLeague league;
    auto before = snapshotFolder(league.programFolder());
    {
        ChildProcess writer("die-while-staging", {league.programFolder()});
        EXPECT_EQ(writer.wait(), 0);
    }
    EXPECT_EQ(snapshotFolder(league.programFolder()).size(), before.size() + 2);
    test::writeBytes(league.path("league/.reds.txt.123.x.tmp"), "not ours");
    EXPECT_TRUE(recoverInterruptedOperations(league.programFolder()).empty());
    std::filesystem::remove(platform::fsPath(league.path("league/.reds.txt.123.x.tmp")));
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
}
