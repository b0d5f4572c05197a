// The folder lock between processes (a second process of the test program
// stands for the batch tool or a second window) and inside one process.
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "support/ChildProcess.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace tenvoll;
using Mode = FolderLock::Mode;

namespace {

// The child: holds the lock of folder args[0] in mode args[1] until told to let go.
int holdLock(test::ChildChannel& channel) {
    const Mode mode = channel.args().at(1) == "exclusive" ? Mode::Exclusive : Mode::Shared;
    try {
        FolderLock lock = FolderLock::acquire(channel.args().at(0), mode, 0);
        channel.answer("held");
        channel.waitForFinish();
    } catch (const LeagueError&) {
        channel.answer("refused");
    }
    return 0;
}
const test::ChildRole holdLockRole("hold-lock", holdLock);

// Another process that holds the lock in `mode` until it goes.
class OtherProcess {
public:
    OtherProcess(const std::string& folder, Mode mode)
        : child_("hold-lock", {folder, mode == Mode::Exclusive ? "exclusive" : "shared"}),
          held_(child_.answer() == "held") {}
    bool held() const { return held_; }

private:
    test::ChildProcess child_;
    bool held_;
};

bool refused(const std::string& folder, Mode mode, int waitMs = 0) {
    try {
        FolderLock::acquire(folder, mode, waitMs);
        return false;
    } catch (const LeagueError& e) {
        EXPECT_NE(std::string(e.what()).find("他の操作がリーグのファイルを更新中です。"),
                  std::string::npos);
        return true;
    }
}

} // namespace

TEST(FolderLock, AWriterInAnotherProcessRefusesEveryoneElse) {
    test::TempFolder dir;
    OtherProcess writer(dir.path(), Mode::Exclusive);
    ASSERT_TRUE(writer.held());
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(refused(dir.path(), Mode::Exclusive, 5000)); // a writer is refused at once
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(refused(dir.path(), Mode::Shared, 50));      // a reader waits, then gives up
    EXPECT_TRUE(refused(dir.path() + "/", Mode::Exclusive)); // another spelling of the folder
}

TEST(FolderLock, ReadersShareAndKeepWritersOut) {
    test::TempFolder dir;
    OtherProcess reader(dir.path(), Mode::Shared);
    ASSERT_TRUE(reader.held());
    FolderLock mine = FolderLock::acquire(dir.path(), Mode::Shared);
    EXPECT_TRUE(mine.held());
    OtherProcess writer(dir.path(), Mode::Exclusive);
    EXPECT_FALSE(writer.held());
}

TEST(FolderLock, NestsInsideOneProcessAndIsFreeAfterRelease) {
    test::TempFolder dir;
    {
        FolderLock writer = FolderLock::acquire(dir.path(), Mode::Exclusive);
        FolderLock reader = FolderLock::acquire(dir.path(), Mode::Shared);   // a writer reads
        FolderLock again = FolderLock::acquire(dir.path(), Mode::Exclusive); // and nests
        reader.release();
        again.release();
        OtherProcess other(dir.path(), Mode::Shared);
        EXPECT_FALSE(other.held()); // still held by `writer`
    }
    {
        FolderLock reader = FolderLock::acquire(dir.path(), Mode::Shared);
        EXPECT_TRUE(refused(dir.path(), Mode::Exclusive)); // no upgrade from reading
        FolderLock moved = std::move(reader);
        EXPECT_FALSE(reader.held());
        EXPECT_TRUE(moved.held());
    }
    OtherProcess other(dir.path(), Mode::Exclusive);
    EXPECT_TRUE(other.held());
}
