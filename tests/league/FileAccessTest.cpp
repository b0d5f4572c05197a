// Atomic saves and multi-file transactions: a failed write or rename leaves
// every file as it was and no temporary file behind.
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

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
