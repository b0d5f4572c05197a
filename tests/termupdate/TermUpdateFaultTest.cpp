// Fault injection: the k-th write or the k-th rename of a term update fails,
// for every k the run has; the program folder must come out byte-identical,
// with no temporary file and no new folder left behind.
#include "SmallLeague.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"

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
    // team files, statistics, unsigned, Top10, seiseki.ini and three backups
    ASSERT_EQ(counts.writes, 9);
    ASSERT_EQ(counts.renames, counts.writes);
    for (int k = 1; k <= counts.writes; ++k)
        expectUnchangedAfterFault(WriteFaults::failWrite, k);
    for (int k = 1; k <= counts.renames; ++k)
        expectUnchangedAfterFault(WriteFaults::failRename, k);
}
