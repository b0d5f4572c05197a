// Input that exists but cannot be read stops a command with a message naming
// it, exit 1 and nothing written: it is never taken for an empty folder.
#include "SmallLeague.h"

#include "league/FileAccess.h"

#include "support/BatchRun.h"

#include <gtest/gtest.h>

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
