// Input that exists but cannot be read stops a command with a message naming
// it, exit 1 and nothing written: it is never taken for an empty folder.
#include "SmallLeague.h"

#include "league/FileAccess.h"

#include "support/BatchRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class UnreadableInput : public ::testing::Test {
protected:
    void TearDown() override { ReadFaults::reset(); }
    SmallLeague league;
};

} // namespace

TEST_F(UnreadableInput, StopsTheTermUpdateAndTheFolderRegistration) {
    struct Case {
        std::string denied; // below the program folder
        std::vector<std::string> command;
    };
    const std::vector<Case> cases = {
        {"temp/seiseki", {"term-update", "--term", "5"}},
        {"temp/shinjin", {"term-update", "--term", "5"}},
        {"temp/seiseki/batting.txt", {"term-update", "--term", "5"}},
        {"temp/shinjin/prev.txt", {"term-update", "--term", "5"}},
        {"temp/seichou", {"data-check", "--term", "5"}},
        {"league", {"league", "register-folder", "\\league"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.denied);
        auto before = snapshotFolder(league.programFolder());
        ReadFaults::deny(league.path(c.denied));
        BatchRun run = runBatchIn(league.programFolder(), c.command);
        ReadFaults::reset();
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_TRUE(has(run.err, "を読み込めませんでした")) << run.err;
        EXPECT_TRUE(has(run.err, c.denied.substr(c.denied.rfind('/') + 1))) << run.err;
        EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    }
}

#ifndef _WIN32
// A FIFO, a device or a looping link in place of a league file is refused at
// once with a message naming it (never a hang while the lock is held), and is
// neither taken for a missing file nor written over.
TEST_F(UnreadableInput, NonRegularLeagueFilesAreRefusedAndLeftInPlace) {
    namespace fs = std::filesystem;
    using Make = void (*)(const std::string&);
    const std::vector<std::pair<const char*, Make>> kinds = {
        {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
        {"loop", [](const std::string& p) { fs::create_symlink(fs::path(p).filename(), p); }},
    };
    struct Case {
        std::string file; // below the program folder
        std::vector<std::string> command;
    };
    const std::vector<Case> cases = {
        {"league/blues.txt", {"data-check", "--term", "5"}},
        {"league/blues.txt", {"term-update", "--term", "5"}},
        {"league/seiseki.ini", {"term-update", "--term", "5"}},
        {"league/データ/0004期未契約選手.txt", {"term-update", "--term", "5"}},
        {"Tenvoll.ini", {"term-update", "--term", "5"}},
        {"Tenvoll.ini", {"league", "add", "新", "新二軍", "\\league\\new.txt"}},
    };
    for (const auto& [kind, make] : kinds)
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind) + " " + c.file + " " + c.command[0]);
            SmallLeague fresh;
            const std::string path = fresh.path(c.file);
            fs::create_directories(fs::path(path).parent_path());
            fs::remove(path);
            make(path);
            const fs::file_status before = fs::symlink_status(path);
            BatchRun run = runBatchIn(fresh.programFolder(), c.command);
            EXPECT_EQ(run.status, 1) << run.out;
            EXPECT_TRUE(has(run.err, fs::path(c.file).filename().string())) << run.err;
            EXPECT_EQ(fs::symlink_status(path).type(), before.type());
            EXPECT_FALSE(fs::exists(fresh.path("league/バックアップ")));
        }
}
#endif
