// Fault injection: the k-th write or the k-th rename of a term update fails,
// for every k the run has; the program folder must come out byte-identical,
// with no temporary file and no new folder left behind.
#include "SmallLeague.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/Recovery.h"
#include "support/BatchRun.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

struct Counts {
    int writes = 0;
    int renames = 0;
};

Counts countsOfASuccessfulRun() {
    SmallLeague league;
    TermUpdateInput input = league.input(5);
    RecordingReporter reporter;
    WriteFaults::reset();
    runTermUpdate(input, reporter);
    Counts c{WriteFaults::writesSoFar(), WriteFaults::renamesSoFar()};
    WriteFaults::reset();
    return c;
}

void expectUnchangedAfterFault(void (*arm)(int), int k) {
    SCOPED_TRACE(k);
    SmallLeague league;
    TermUpdateInput input = league.input(5);
    auto before = snapshotFolder(league.programFolder());
    auto folders = foldersBelow(league.programFolder());
    RecordingReporter reporter;
    WriteFaults::reset();
    arm(k);
    EXPECT_THROW(runTermUpdate(input, reporter), LeagueError);
    WriteFaults::reset();
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    EXPECT_EQ(foldersBelow(league.programFolder()), folders);
}

} // namespace

TEST(TermUpdateFaults, AnyFailedWriteOrRenameLeavesTheLeagueAsItWas) {
    Counts counts = countsOfASuccessfulRun();
    // team files, statistics, unsigned, Top10, seiseki.ini, three backups, the
    // kept scratch file and the manifest
    ASSERT_EQ(counts.writes, 11);
    ASSERT_EQ(counts.renames, counts.writes);
    for (int k = 1; k <= counts.writes; ++k)
        expectUnchangedAfterFault(WriteFaults::failWrite, k);
    for (int k = 1; k <= counts.renames; ++k)
        expectUnchangedAfterFault(WriteFaults::failRename, k);
}

// A refusal once most outputs are written (seiseki.ini unreadable, the last
// input) removes their temporary files and the folder made for one of them.
TEST(TermUpdateFaults, ARefusalAfterTheFirstOutputsRemovesTheirFilesAndFolders) {
    SmallLeague league;
    std::filesystem::remove_all(platform::fsPath(league.path("league/データ")));
    auto before = snapshotFolder(league.programFolder());
    auto folders = foldersBelow(league.programFolder());
    ReadFaults::deny(league.path("league/seiseki.ini"));
    RecordingReporter reporter;
    EXPECT_THROW(runTermUpdate(league.input(5), reporter), LeagueError);
    ReadFaults::reset();
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    EXPECT_EQ(foldersBelow(league.programFolder()), folders);
}

// The last rename fails and so does putting the first replaced file back: the
// message must not claim that nothing changed; it names the file and where its
// old content is, and the journal left behind lets recovery finish the job.
TEST(TermUpdateFaults, AFailedRollbackIsReportedAndRecoveredLater) {
    SmallLeague league;
    auto before = snapshotFolder(league.programFolder());
    RecordingReporter reporter;
    WriteFaults::reset();
    WriteFaults::failRename(11);
    WriteFaults::failRestore(1);
    try {
        runTermUpdate(league.input(5), reporter);
        FAIL() << "no error";
    } catch (const LeagueError& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.find("ファイルは変更されていません"), std::string::npos) << text;
        EXPECT_NE(text.find("元に戻せませんでした"), std::string::npos) << text;
        EXPECT_NE(text.find("元のファイル: "), std::string::npos) << text;
        EXPECT_NE(text.find("バックアップ"), std::string::npos) << text;
    }
    WriteFaults::reset();
    EXPECT_NE(snapshotFolder(league.programFolder()), before);
    std::vector<RecoveryOutcome> outcomes = recoverInterruptedOperations(league.programFolder());
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].problems.empty()) << recoveryMessage(outcomes);
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
}

// Every folder flush of a run failing in turn: the batch exits 1, and either
// the league is as it was or (only when every file was already replaced) the
// message says the files were written.
TEST(TermUpdateFaults, AFailedFolderFlushFailsTheRun) {
    int flushes = 0;
    {
        SmallLeague league;
        WriteFaults::reset();
        RecordingReporter reporter;
        runTermUpdate(league.input(5), reporter);
        flushes = WriteFaults::folderSyncsSoFar();
        WriteFaults::reset();
    }
    ASSERT_GT(flushes, 5);
    for (int n = 1; n <= flushes; ++n) {
        SCOPED_TRACE(n);
        SmallLeague league;
        auto before = snapshotFolder(league.programFolder());
        WriteFaults::reset();
        WriteFaults::failFolderSync(n);
        BatchRun run = runBatchIn(league.programFolder(), {"term-update", "--term", "5"});
        WriteFaults::reset();
        EXPECT_EQ(run.status, 1) << run.out;
        if (snapshotFolder(league.programFolder()) == before) {
            EXPECT_NE(run.err.find("ファイルは変更されていません"), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err.find("ファイルは変更されていません"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find("書き込みを確かめられませんでした"), std::string::npos)
                << run.err;
            EXPECT_EQ(readBytes(league.path("league/reds.txt")),
                      readBytes(league.expected("league/reds.txt")));
        }
    }
}
