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

// A writer killed before its journal: it made its backup folder and staged a
// team file registered outside the league folder.
int dieBeforeJournal(ChildChannel& channel) {
    const std::string& folder = channel.args().at(0);
    std::filesystem::create_directories(
        platform::fsPath(folder + "/league/バックアップ/0005期更新前/sub"));
    FileTransaction t; // never committed: the process dies with its temporary
    t.stageText(folder + "/elsewhere/blues.txt", "途中");
    std::_Exit(0);
}
const ChildRole dieBeforeJournalRole("die-before-journal", dieBeforeJournal);

// A term update killed once every output is written to its temporary file,
// before the backups and the journal.
int dieAfterStagingOutputs(ChildChannel& channel) {
    struct DieWhenSaving : RecordingReporter {
        void status(const std::string& text) override {
            if (text == "ファイルを保存中")
                std::_Exit(0);
        }
    } reporter;
    runTermUpdate(SmallLeague::inputFor(channel.args().at(0), 5), reporter);
    return 1;
}
const ChildRole dieAfterStagingOutputsRole("die-after-staging-outputs", dieAfterStagingOutputs);

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
// The league folder's files, with the time line of each update's manifest
// blanked: two runs a second apart write the same files otherwise.
std::vector<std::pair<std::string, std::string>> leagueFiles(const SmallLeague& league) {
    auto files = snapshotFolder(league.path("league"));
    const std::string timeKey = "\r\n\x93\xFA\x8E\x9E="; // 日時 in cp932
    for (auto& [name, bytes] : files) {
        if (!name.ends_with("目録.ini"))
            continue;
        std::size_t at = bytes.find(timeKey);
        if (at == std::string::npos)
            continue;
        at += timeKey.size();
        bytes.erase(at, bytes.find("\r\n", at) - at);
    }
    return files;
}

// Puts the test's folders on a memory file system where there is one: the
// matrix below runs a few hundred updates and recoveries, and every one of
// them waits for its flushes on a disk.
class FoldersInMemory {
public:
    FoldersInMemory() {
#ifndef _WIN32
        const char* old = std::getenv("TMPDIR");
        if (old)
            old_ = old;
        had_ = old != nullptr;
        std::error_code ec;
        if (std::filesystem::is_directory("/dev/shm", ec))
            ::setenv("TMPDIR", "/dev/shm", 1);
#endif
    }
    ~FoldersInMemory() {
#ifndef _WIN32
        if (had_)
            ::setenv("TMPDIR", old_.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
#endif
    }

private:
    std::string old_;
    bool had_ = false;
};

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

// The outputs are written while the run still builds the others: killed then,
// it leaves one temporary file per output, which the next start removes.
TEST(TermUpdateCrash, OutputsOfARunKilledBeforeItsBackupsAreRemoved) {
    SmallLeague league;
    auto before = snapshotFolder(league.programFolder());
    auto folders = foldersBelow(league.programFolder());
    {
        ChildProcess writer("die-after-staging-outputs", {league.programFolder()});
        EXPECT_EQ(writer.wait(), 0);
    }
    // The statistics, two team files, the unsigned players, Top10.txt, seiseki.ini.
    EXPECT_EQ(snapshotFolder(league.programFolder()).size(), before.size() + 6);
    EXPECT_TRUE(recoverInterruptedOperations(league.programFolder()).empty());
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    // The folder made for the unsigned players' file stays, empty: nothing
    // tells it from one the user made, and the next run uses it.
    std::vector<std::string> after = foldersBelow(league.programFolder());
    std::erase(after, std::string("league/データ"));
    EXPECT_EQ(after, folders);
    RecordingReporter reporter;
    EXPECT_NO_THROW(runTermUpdate(league.input(5), reporter));
}

// Cut off after k renames (k = renames + 1: after its completion mark), then
// the recovery fails at its j-th step (a rename, a removal or a flush), for
// every k and j: the failed recovery keeps what it still needs, and the next
// one gives the league of before the run (or of after it) byte for byte.
TEST(TermUpdateCrash, ARecoveryFailingAtAnyStepIsFinishedByTheNextOne) {
#ifdef _WIN32
    // A few hundred updates that each wait for their flushes on a disk take
    // many minutes there; the recovery's logic is the same on both systems.
    GTEST_SKIP() << "the matrix runs where a memory file system keeps it short";
#endif
    FoldersInMemory memory;
    const int renames = renamesOfASuccessfulRun();
    SmallLeague done;
    RecordingReporter reporter;
    runTermUpdate(done.input(5), reporter);
    for (int k = 0; k <= renames + 1; ++k) {
        int steps = 0;
        {
            SmallLeague league;
            crashAfter(league, k);
            recoverInterruptedOperations(league.programFolder());
            steps = WriteFaults::recoveryStepsSoFar();
            WriteFaults::reset();
        }
        ASSERT_GT(steps, 2);
        for (int j = 1; j <= steps; ++j) {
            SCOPED_TRACE(testing::Message() << "k " << k << ", j " << j);
            SmallLeague league;
            auto before = snapshotFolder(league.programFolder());
            auto folders = foldersBelow(league.programFolder());
            crashAfter(league, k);
            WriteFaults::failRecoveryStep(j);
            std::vector<RecoveryOutcome> failed =
                recoverInterruptedOperations(league.programFolder());
            WriteFaults::reset();
            ASSERT_TRUE(recoveryFailed(failed));
            if (j < steps) { // the last step flushes the journal's removal
                EXPECT_TRUE(std::filesystem::exists(journalOf(league)));
                EXPECT_NE(recoveryMessage(failed).find("続きから元に戻します"), std::string::npos);
            }

            EXPECT_FALSE(recoveryFailed(recoverInterruptedOperations(league.programFolder())));
            if (k <= renames) {
                EXPECT_EQ(snapshotFolder(league.programFolder()), before);
                EXPECT_EQ(foldersBelow(league.programFolder()), folders);
            } else {
                EXPECT_EQ(leagueFiles(league), leagueFiles(done));
            }
            EXPECT_FALSE(std::filesystem::exists(journalOf(league)));
        }
    }
}

// A journal whose end is cut off (renames may have run) or a settings file
// that cannot be read: recovery touches nothing, says so, and exits 1; once
// the cause is gone it puts the league back.
TEST(TermUpdateCrash, AnUnreadableJournalOrSettingsFileStopsTheRecovery) {
    SmallLeague league;
    auto before = snapshotFolder(league.programFolder());
    crashAfter(league, 5);
    const std::string journal = readBytes(journalOf(league));
    const std::string settings = readBytes(league.path("Tenvoll.ini"));
    auto expectUntouched = [&] {
        auto crashed = snapshotFolder(league.programFolder());
        std::vector<RecoveryOutcome> outcomes =
            recoverInterruptedOperations(league.programFolder());
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].untouched);
        EXPECT_NE(recoveryMessage(outcomes).find("何も変更していません"), std::string::npos);
        std::ostringstream out, err;
        EXPECT_EQ(
            batch::runBatch({"--program-folder", league.programFolder(), "recover"}, out, err), 1);
        EXPECT_EQ(snapshotFolder(league.programFolder()), crashed);
    };
    test::writeBytes(journalOf(league), journal.substr(0, journal.size() - 4)); // "end" cut off
    expectUntouched();
    test::writeBytes(journalOf(league), journal);
    test::writeBytes(league.path("Tenvoll.ini"), settings + "\x81");
    expectUntouched();
    test::writeBytes(league.path("Tenvoll.ini"), settings);
    EXPECT_FALSE(recoveryFailed(recoverInterruptedOperations(league.programFolder())));
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
}

// Leftovers of writers killed before their journal: temporary files beside a
// team file registered outside the league folder, and the empty backup folder
// of a run that had only created it, are removed at the next start.
TEST(TermUpdateCrash, LeftoversOutsideTheLeagueFolderAndEmptyBackupFoldersAreRemoved) {
    SmallLeague league;
    std::filesystem::create_directories(league.path("elsewhere"));
    std::filesystem::rename(league.path("league/blues.txt"), league.path("elsewhere/blues.txt"));
    std::string ini = readCp932(league.path("Tenvoll.ini"));
    for (std::size_t at; (at = ini.find("\\league\\blues.txt")) != std::string::npos;)
        ini.replace(at, std::string("\\league\\blues.txt").size(), "\\elsewhere\\blues.txt");
    writeCp932(league.path("Tenvoll.ini"), ini);
    auto before = snapshotFolder(league.programFolder());
    auto folders = foldersBelow(league.programFolder());
    {
        ChildProcess writer("die-before-journal", {league.programFolder()});
        EXPECT_EQ(writer.wait(), 0);
    }
    ASSERT_EQ(snapshotFolder(league.programFolder()).size(), before.size() + 1);
    EXPECT_TRUE(recoverInterruptedOperations(league.programFolder()).empty());
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    EXPECT_EQ(foldersBelow(league.programFolder()), folders);
}
