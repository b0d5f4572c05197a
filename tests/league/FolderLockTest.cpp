// The folder lock between processes (a forked child stands for the batch tool
// or a second window) and inside one process.
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>

#include <sys/wait.h>
#include <unistd.h>

using namespace tenvoll;
using Mode = FolderLock::Mode;

namespace {

// A child process that holds the lock in `mode` until told to let go.
class OtherProcess {
public:
    OtherProcess(const std::string& folder, Mode mode) {
        if (::pipe(ready_) != 0 || ::pipe(finish_) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            char c = 0;
            try {
                FolderLock lock = FolderLock::acquire(folder, mode, 0);
                c = 1;
                (void)!::write(ready_[1], &c, 1);
                (void)!::read(finish_[0], &c, 1);
            } catch (const LeagueError&) {
                (void)!::write(ready_[1], &c, 1);
            }
            ::_exit(0);
        }
        char c = 0;
        held_ = ::read(ready_[0], &c, 1) == 1 && c == 1;
    }
    ~OtherProcess() {
        char c = 1;
        (void)!::write(finish_[1], &c, 1);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        for (int fd : {ready_[0], ready_[1], finish_[0], finish_[1]})
            ::close(fd);
    }
    bool held() const { return held_; }

private:
    int ready_[2]{}, finish_[2]{};
    pid_t pid_ = -1;
    bool held_ = false;
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
