// Statistics marks: a file worked by hand (qualification with G = 150, points
// removed, halves to even, tenth values), keys with few or no values, the
// text-level prepend to seiseki.ini, and refusal of a bad qualification field.
#include "SmallLeague.h"
#include "league/Platform.h"
#include "league/StatsMarksFile.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Recovery.h"
#include "termupdate/StatsMarks.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

class StatsMarksRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(platform::fsPath(folder.file("league")));
    }

    StatsMarksInput input(const std::string& file, long long term) const {
        return {folder.path(), folder.file("league"), file, term, 150};
    }
    std::string handWorked() const {
        std::string file = folder.file("temp/0004期一軍成績.txt");
        writeBytes(file, readBytes(fixture("stats_marks_hand_worked/0004期一軍成績.txt")));
        return file;
    }

    TempFolder folder;
    RecordingReporter reporter;
};

} // namespace

TEST_F(StatsMarksRun, HandWorkedFile) {
    std::string file = handWorked();
    runStatsMarks(input(file, 5), reporter);

    // 打率 needs 465 at-bats (150 × 3.1): 打者07 with 465 counts, 打者08 with 464 not.
    EXPECT_EQ(readBytes(folder.file("temp/Top10.txt")),
              readBytes(fixture("stats_marks_hand_worked/Top10.txt")));
    // Without a seiseki.ini the section lives in Top10.txt alone.
    EXPECT_FALSE(std::filesystem::exists(platform::fsPath(folder.file("league/seiseki.ini"))));
    EXPECT_EQ(reporter.statuses, (std::vector<std::string>{file, "処理が終了しました。"}));
}

TEST_F(StatsMarksRun, KeysWithFewOrNoValuesWriteZeros) {
    std::string file = folder.file("temp/stats.txt");
    writeCp932(file, "一人 赤 .300 10 20 6 1 0 2 3 0 1 4 0 0 .550 .333\n");
    runStatsMarks(input(file, 8), reporter);

    std::string top10 = readCp932(folder.file("temp/Top10.txt"));
    EXPECT_TRUE(top10.starts_with("[7]\n防御率=0,0,0,0,0,0\n試合数(投手)=0,0,0,0,0,0\n"));
    EXPECT_NE(top10.find("\n打率=0,0,0,0,0,0\n試合数(打者)=10,10,0,0,0,1\n"), std::string::npos);
    EXPECT_NE(top10.find("\n出塁率=0,0,0,0,0,0\n"), std::string::npos);
    EXPECT_EQ(reporter.statuses.front(), "ファイル形式が異なります！");
}

TEST_F(StatsMarksRun, PrependsNewestFirstKeepingTheOldBytes) {
    // Old content with a comment and without a final line break stays as it is.
    const std::string oldBytes = "[3]\r\n;memo\r\n\x91\xc5\x97\xa6=300,1";
    writeBytes(folder.file("league/seiseki.ini"), oldBytes);
    std::string file = handWorked();
    runStatsMarks(input(file, 5), reporter);
    std::string first = readBytes(folder.file("temp/Top10.txt"));
    runStatsMarks(input(file, 6), reporter);
    std::string second = readBytes(folder.file("temp/Top10.txt"));

    EXPECT_TRUE(second.starts_with("[5]\r\n"));
    EXPECT_EQ(readBytes(folder.file("league/seiseki.ini")), second + first + oldBytes);
}

TEST_F(StatsMarksRun, AUtf8FileGetsAUtf8Section) {
    const std::string old = "\xEF\xBB\xBF[3]\r\n打率=300,1\r\n";
    std::string bytes = prependSection(old, {"[4]", "打率=0,0,0,0,0,0"}, "seiseki.ini");
    EXPECT_EQ(bytes, "\xEF\xBB\xBF[4]\r\n打率=0,0,0,0,0,0\r\n[3]\r\n打率=300,1\r\n");
}

TEST_F(StatsMarksRun, QualificationFieldThatIsNoNumberStopsBeforeWriting) {
    writeBytes(folder.file("league/seiseki.ini"), "[3]\r\n");
    writeCp932(folder.file("temp/Top10.txt"), "[3]\n");
    std::string file = folder.file("temp/0004期一軍成績.txt");
    writeCp932(file, "打者 赤 .300 100 500 50 10 2 1 40 3 20 30 5 4 .450 .350\n"
                     "投手 赤 2.50 25 2 10 5 0 0 百五十 0 100 10 30 100 40 .667 6.00\n");
    auto before = snapshotFolder(folder.path());
    try {
        runStatsMarks(input(file, 5), reporter);
        FAIL() << "no error";
    } catch (const LeagueError& e) {
        EXPECT_NE(std::string(e.what()).find("0004期一軍成績.txt の 2 行目"), std::string::npos);
    }
    EXPECT_EQ(snapshotFolder(folder.path()), before);
}

TEST(StatsMarksNumbers, QualifyingAtBatsRoundDown) {
    EXPECT_EQ(qualifyingAtBats(150), 465);
    EXPECT_EQ(qualifyingAtBats(144), 446); // 446.4
    EXPECT_EQ(qualifyingAtBats(1), 3);
}

// Top10.txt and seiseki.ini are one journalled commit: cut off between them,
// recovery brings both back as they were.
TEST_F(StatsMarksRun, BothFilesAreOneJournalledCommit) {
    const std::string seiseki = folder.file("league/seiseki.ini");
    writeBytes(seiseki, "[3]\r\n");
    writeBytes(folder.file("temp/Top10.txt"), "old");
    const std::string file = handWorked();
    auto before = snapshotFolder(folder.path());
    WriteFaults::reset();
    WriteFaults::crashAfterRenames(1);
    EXPECT_THROW(runStatsMarks(input(file, 5), reporter), SimulatedCrash);
    WriteFaults::reset();
    EXPECT_NE(snapshotFolder(folder.path()), before);
    RecoveryOutcome outcome = recoverJournal(folder.file(kJournalFileName));
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_EQ(snapshotFolder(folder.path()), before);
}
