// Atomic saves and multi-file transactions: a failed write or rename leaves
// every file as it was and no temporary file behind.
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/Journal.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/Recovery.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

class FileAccess : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFaults::reset();
        test::writeBytes(dir.file("a.txt"), "old a");
        test::writeBytes(dir.file("b.txt"), "old b");
        before = test::snapshotFolder(dir.path());
    }
    void TearDown() override { WriteFaults::reset(); }

    TempFolder dir;
    Snapshot before;
};

} // namespace

TEST_F(FileAccess, AtomicSaveReplacesTheFile) {
    writeTextFileAtomic(dir.file("a.txt"), "表\r\n");
    EXPECT_EQ(test::readBytes(dir.file("a.txt")), "\x95\x5C\r\n");
    EXPECT_EQ(test::snapshotFolder(dir.path()).size(), 2u);
    EXPECT_EQ(WriteFaults::writesSoFar(), 1);
    EXPECT_EQ(WriteFaults::renamesSoFar(), 1);
}

// The system's reason is explained in Japanese inside the message.
TEST_F(FileAccess, FailureGivesTheCauseInJapanese) {
    try {
        readFileBytes(dir.file("無い.txt"));
        FAIL() << "a missing file was read";
    } catch (const LeagueError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("(ファイルまたはフォルダがありません)"), std::string::npos) << text;
        EXPECT_EQ(text.find("No such"), std::string::npos) << text;
    }
}

// A file another program holds open cannot be replaced on Windows: after a
// moment of retries the save fails in Japanese, naming the file, and the old
// file and the folder are as they were.
TEST_F(FileAccess, FileHeldByAnotherProgramIsNamedAndKept) {
    if (!test::holdExclusively(dir.file("a.txt")))
        GTEST_SKIP() << "no exclusive holds on this system";
    try {
        writeTextFileAtomic(dir.file("a.txt"), "new");
        test::releaseHolds();
        FAIL() << "a held file was replaced";
    } catch (const LeagueError& e) {
        test::releaseHolds();
        const std::string text = e.what();
        EXPECT_NE(text.find("ほかのプログラムが使用中です"), std::string::npos) << text;
        EXPECT_NE(text.find(dir.file("a.txt")), std::string::npos) << text;
    }
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST_F(FileAccess, FailedWriteOrRenameKeepsTheOldFile) {
    WriteFaults::failWrite(1);
    EXPECT_THROW(writeTextFileAtomic(dir.file("a.txt"), "new"), LeagueError);
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);

    WriteFaults::reset();
    WriteFaults::failRename(1);
    EXPECT_THROW(IniStore::parse("[A]\r\nk=1\r\n").save(dir.file("a.txt")), LeagueError);
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);

    WriteFaults::reset();
    WriteFaults::failWrite(1);
    try {
        writeBytesAtomic(dir.file("new.txt"), "x");
        FAIL() << "no error";
    } catch (const LeagueError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.file("new.txt")), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST_F(FileAccess, TransactionWritesAllOrNothing) {
    {
        WriteFaults::failWrite(3); // while staging: nothing renamed yet
        FileTransaction t;
        t.stageText(dir.file("a.txt"), "new a");
        t.stageText(dir.file("b.txt"), "new b");
        EXPECT_THROW(t.stageText(dir.file("c.txt"), "new c"), LeagueError);
    }
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);

    // The third rename fails: the two files already replaced get their old
    // content back, the new file goes away.
    WriteFaults::reset();
    WriteFaults::failRename(3);
    {
        FileTransaction t;
        t.stageText(dir.file("a.txt"), "new a");
        t.stageText(dir.file("c.txt"), "new c");
        t.stageText(dir.file("b.txt"), "new b");
        EXPECT_THROW(t.commit(), LeagueError);
    }
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);

    WriteFaults::reset();
    FileTransaction t;
    t.stageText(dir.file("a.txt"), "new a");
    t.stageText(dir.file("c.txt"), "new c");
    t.commit();
    EXPECT_EQ(test::snapshotFolder(dir.path()),
              (Snapshot{{"a.txt", "new a"}, {"b.txt", "old b"}, {"c.txt", "new c"}}));
}

// Files copied or written in pieces are staged like the others; a source that
// cannot be read leaves no temporary file; files staged last can be renamed
// first (a failed rename then stops before the earlier ones are touched).
TEST_F(FileAccess, CopiesPiecesAndRenameOrderAreStagedLikeAnyFile) {
    const std::string big(3 * kCopyBlockBytes + 5, 'x');
    test::writeBytes(dir.file("big.txt"), big);
    {
        FileTransaction t;
        EXPECT_THROW(t.stageCopy(dir.file("missing.txt"), dir.file("a.txt")), LeagueError);
        EXPECT_EQ(t.stagedCount(), 0u);
    }
    before = test::snapshotFolder(dir.path());
    {
        FileTransaction t;
        t.stageText(dir.file("a.txt"), "new a");
        std::string seen;
        t.stageCopy(dir.file("big.txt"), dir.file("copy.txt"),
                    [&](std::string_view piece) { seen += piece; });
        t.stageWith(dir.file("b.txt"), [](const FileTransaction::ByteWriter& write) {
            write("new ");
            write("b");
        });
        EXPECT_EQ(seen, big);
        t.renameFirstFrom(1);
        ASSERT_EQ(t.targets().size(), 3u);
        EXPECT_TRUE(t.targets()[0].ends_with("copy.txt"));
        EXPECT_TRUE(t.targets()[2].ends_with("a.txt"));
        WriteFaults::failRename(2); // b.txt: copy.txt goes again, a.txt was never touched
        EXPECT_THROW(t.commit(), LeagueError);
    }
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
    WriteFaults::reset();
    FileTransaction t;
    t.stageCopy(dir.file("big.txt"), dir.file("copy.txt"));
    t.stageWith(dir.file("b.txt"),
                [](const FileTransaction::ByteWriter& write) { write("new b"); });
    t.commit();
    EXPECT_EQ(test::readBytes(dir.file("copy.txt")), big);
    EXPECT_EQ(test::readBytes(dir.file("b.txt")), "new b");
}

TEST_F(FileAccess, UncommittedTransactionLeavesNothing) {
    {
        FileTransaction t;
        t.stageText(dir.file("a.txt"), "new a");
        EXPECT_EQ(t.stagedCount(), 1u);
    }
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST_F(FileAccess, ListsCopiesAndRemoves) {
    test::writeBytes(dir.file(".a.txt.123.1.tmp"), "temporary");
    test::writeBytes(dir.file("sub/x.txt"), "x");
    EXPECT_EQ(listFileNames(dir.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
    copyFileReplacing(dir.file("a.txt"), dir.file("b.txt"));
    EXPECT_EQ(test::readBytes(dir.file("b.txt")), "old a");
    EXPECT_TRUE(removeFile(dir.file("A.TXT")));
    EXPECT_FALSE(removeFile(dir.file("a.txt")));
    EXPECT_THROW(readFileBytes(dir.file("a.txt")), LeagueError);
    createFolders(dir.file("d/e/f"));
    EXPECT_TRUE(folderExists(dir.file("d/e/f")));
}

// A flush that fails stops the save before its rename (a rename of data not yet
// on disk could leave an empty file after a power loss), and the descriptor of
// the temporary file is closed all the same.
TEST_F(FileAccess, FailedFlushKeepsTheOldFileAndClosesTheFile) {
    const long open = test::openFileCount();
    WriteFaults::failSync(1);
    EXPECT_THROW(writeTextFileAtomic(dir.file("a.txt"), "new"), LeagueError);
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
    EXPECT_EQ(test::openFileCount(), open);
    EXPECT_EQ(WriteFaults::renamesSoFar(), 0);
}

// Only regular files are read, up to a size limit: a FIFO would block and a
// device (a link to /dev/zero, Windows' NUL) read without end.
TEST_F(FileAccess, ReadsRegularFilesOnly) {
#ifdef _WIN32
    EXPECT_THROW(readTextFile("NUL"), LeagueError);
#else
    ASSERT_EQ(::mkfifo(dir.file("fifo.txt").c_str(), 0600), 0);
    EXPECT_THROW(readFileBytes(dir.file("fifo.txt")), LeagueError);
    std::filesystem::create_symlink("/dev/zero", dir.file("zero.txt"));
    EXPECT_THROW(readTextFile(dir.file("zero.txt")), LeagueError);
#endif
    EXPECT_THROW(readFileBytes(dir.path()), LeagueError);
}

// Two spellings of one file ("..", letter case, a link) have one identity.
TEST_F(FileAccess, FileIdentityOfOtherSpellings) {
    std::filesystem::create_directory(platform::fsPath(dir.file("sub")));
    // Symbolic links need a privilege on Windows; a hard link is a second name too.
#ifdef _WIN32
    std::filesystem::create_hard_link(platform::fsPath(dir.file("a.txt")),
                                      platform::fsPath(dir.file("link.txt")));
#else
    std::filesystem::create_symlink(dir.file("a.txt"), dir.file("link.txt"));
#endif
    const std::string a = fileIdentity(dir.file("a.txt"));
    EXPECT_EQ(fileIdentity(dir.file("sub/../a.txt")), a);
    EXPECT_EQ(fileIdentity(dir.file("sub/../A.TXT")), a);
    EXPECT_EQ(fileIdentity(dir.file("link.txt")), a);
    EXPECT_NE(fileIdentity(dir.file("b.txt")), a);
    EXPECT_EQ(fileIdentity(dir.file("sub/../new.txt")), fileIdentity(dir.file("NEW.txt")));
}

// A journalled commit cut off after k renames, for every k, then recovered:
// the folder is byte-identical to before; cut off after its completion mark,
// it is the new state.
TEST_F(FileAccess, JournalledCommitRecoversAfterEveryRename) {
    auto stageAll = [&](FileTransaction& t) {
        t.useJournal(dir.path(), "テスト");
        std::filesystem::create_directory(platform::fsPath(dir.file("new")));
        t.noteCreatedFolder(dir.file("new"));
        t.stageBytes(dir.file("a.txt"), "new a");
        t.stageBytes(dir.file("new/c.txt"), "new c");
        t.stageBytes(dir.file("b.txt"), "new b");
    };
    for (int k = 0; k <= 4; ++k) {
        SCOPED_TRACE(k);
        WriteFaults::reset();
        WriteFaults::crashAfterRenames(k);
        {
            FileTransaction t;
            stageAll(t);
            EXPECT_THROW(t.commit(), SimulatedCrash);
        }
        const std::string journal = dir.file(kJournalFileName);
        ASSERT_TRUE(std::filesystem::exists(platform::fsPath(journal)));
        RecoveryOutcome outcome = recoverJournal(journal);
        EXPECT_TRUE(outcome.problems.empty())
            << (outcome.problems.empty() ? "" : outcome.problems[0]);
        EXPECT_FALSE(std::filesystem::exists(platform::fsPath(journal)));
        if (k <= 3) {
            EXPECT_EQ(test::snapshotFolder(dir.path()), before);
            EXPECT_FALSE(std::filesystem::exists(platform::fsPath(dir.file("new"))));
            EXPECT_EQ(outcome.restored.size(), static_cast<std::size_t>(k == 3 ? 2 : k > 0));
        } else {
            EXPECT_TRUE(outcome.wasComplete);
            EXPECT_EQ(test::readBytes(dir.file("b.txt")), "new b");
            EXPECT_EQ(test::snapshotFolder(dir.path()).size(), 3u);
            std::filesystem::remove_all(platform::fsPath(dir.file("new")));
            test::writeBytes(dir.file("a.txt"), "old a");
            test::writeBytes(dir.file("b.txt"), "old b");
        }
    }
    // Uninterrupted, no journal or kept file stays behind.
    WriteFaults::reset();
    FileTransaction t;
    stageAll(t);
    t.commit();
    EXPECT_EQ(test::snapshotFolder(dir.path()).size(), 3u);
}

// A failed flush of a folder is a failure, wherever it comes: up to the
// completion mark the commit is undone (the folder as before, nothing left
// behind); in the clean-up after it the files are new and the error says so.
// A journal of another operation refuses the commit.
TEST_F(FileAccess, FailedFolderFlushIsAFailure) {
    auto commit = [&] {
        FileTransaction t;
        t.useJournal(dir.path(), "テスト");
        t.stageBytes(dir.file("a.txt"), "new a");
        t.stageBytes(dir.file("b.txt"), "new b");
        t.commit();
    };
    commit();
    const int flushes = WriteFaults::folderSyncsSoFar();
    ASSERT_GE(flushes, 5);
    const Snapshot after = test::snapshotFolder(dir.path());
    for (int n = 1; n <= flushes; ++n) {
        SCOPED_TRACE(n);
        test::writeBytes(dir.file("a.txt"), "old a");
        test::writeBytes(dir.file("b.txt"), "old b");
        WriteFaults::reset();
        WriteFaults::failFolderSync(n);
        try {
            commit();
            ADD_FAILURE() << "no error";
        } catch (const UnflushedCommitError&) {
            EXPECT_EQ(test::snapshotFolder(dir.path()), after);
        } catch (const LeagueError& e) {
            EXPECT_NE(std::string(e.what()).find("ディスク"), std::string::npos) << e.what();
            EXPECT_EQ(test::snapshotFolder(dir.path()), before);
        }
    }
    WriteFaults::reset();
    WriteFaults::failFolderSync(1);
    EXPECT_THROW(writeBytesAtomic(dir.file("c.txt"), "c"), UnflushedCommitError);

    WriteFaults::reset();
    std::filesystem::remove(dir.file("c.txt"));
    test::writeBytes(dir.file("a.txt"), "old a");
    test::writeBytes(dir.file(kJournalFileName), "another operation's");
    EXPECT_THROW(commit(), LeagueError);
    EXPECT_EQ(test::readBytes(dir.file("a.txt")), "old a");
    EXPECT_EQ(test::readBytes(dir.file(kJournalFileName)), "another operation's");
}

// A file reached through a link is written through: the link stays a link,
// its target gets the content, alone and in a journalled commit.
TEST_F(FileAccess, WritingALinkedFileWritesItsTarget) {
    std::filesystem::create_directory(dir.file("real"));
    test::writeBytes(dir.file("real/t.txt"), "old");
    std::error_code noLink;
    std::filesystem::create_symlink(dir.file("real/t.txt"), dir.file("link.txt"), noLink);
    if (noLink)
        GTEST_SKIP() << "no symbolic links for this user: " << noLink.message();
    writeBytesAtomic(dir.file("link.txt"), "one");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(test::readBytes(dir.file("real/t.txt")), "one");

    FileTransaction t;
    t.useJournal(dir.path(), "テスト");
    t.stageBytes(dir.file("link.txt"), "two");
    t.stageBytes(dir.file("a.txt"), "new a");
    t.commit();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(test::readBytes(dir.file("real/t.txt")), "two");
}

TEST(Journal, DamagedOrCutJournalIsNotTakenForOne) {
    Journal j;
    j.operation = "x";
    j.entries.push_back({"/a", "/.a.tmp", ""});
    std::string text = journalText(j);
    ASSERT_TRUE(parseJournal(text));
    EXPECT_EQ(parseJournal(text)->entries.size(), 1u);
    EXPECT_FALSE(parseJournal(text.substr(0, text.size() - 4))); // cut before "end"
    EXPECT_FALSE(parseJournal("garbage\n"));
    j.entries[0].target = "/a\tb";
    EXPECT_THROW(journalText(j), LeagueError);
}
