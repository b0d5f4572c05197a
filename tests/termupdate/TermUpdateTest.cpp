// The term update end to end on the small two-team league: whole output files
// against hand-made expectations, repeated runs, the first term, long rosters,
// and inputs the run must refuse without touching a file.
#include "SmallLeague.h"

#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/TextCodec.h"
#include "termupdate/TermUpdate.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

// Keys of a section of a team file as written.
IniStore loadStore(const std::string& path) {
    return IniStore::parse(readCp932(path));
}

} // namespace

TEST(TermUpdate, RebuildsTheLeagueFromTheGameFiles) {
    SmallLeague league;
    const std::string oldReds = readBytes(league.path("league/reds.txt"));
    const std::string oldBlues = readBytes(league.path("league/blues.txt"));
    const std::string oldMarks = readBytes(league.path("league/seiseki.ini"));
    RecordingReporter reporter;

    TermUpdateResult result = runTermUpdate(league.input(5), reporter);

    // Rosters, moves, newcomers, statistics and totals (see the expected files):
    // 青山 moves to レッズ, 赤井 keeps 新規 3 and his first line, 赤星's batting
    // line and 赤松's farm line are not stored, 緑川 (known from no file) gets a
    // section without 新規, empty slots have no section.
    for (const char* file : {"league/reds.txt", "league/blues.txt", "temp/0004期一軍成績.txt",
                             "league/データ/0004期未契約選手.txt"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(readCp932(league.path(file)), readCp932(league.expected(file)));
        EXPECT_EQ(readBytes(league.path(file)), readBytes(league.expected(file)));
    }
    EXPECT_EQ(result.unsignedPlayers, 2u);

    // Statistics marks of term 4: Top10 holds the section, seiseki.ini has it in front.
    std::string top10 = readBytes(league.path("temp/Top10.txt"));
    EXPECT_TRUE(top10.starts_with("[4]\r\n"));
    EXPECT_NE(readCp932(league.path("temp/Top10.txt")).find("防御率=250,300,2500,0,0,2\n"),
              std::string::npos);
    EXPECT_EQ(readBytes(league.path("league/seiseki.ini")), top10 + oldMarks);

    // The replaced files are kept as they were; the scratch file goes after success.
    const std::string backup = league.path("league/バックアップ/0005期更新前");
    EXPECT_EQ(result.backupFolder, backup);
    EXPECT_EQ(readBytes(backup + "/reds.txt"), oldReds);
    EXPECT_EQ(readBytes(backup + "/blues.txt"), oldBlues);
    EXPECT_EQ(readBytes(backup + "/seiseki.ini"), oldMarks);
    EXPECT_FALSE(std::filesystem::exists(platform::fsPath(backup + "/データ")));
    EXPECT_FALSE(std::filesystem::exists(platform::fsPath(league.path("temp/新人.txt"))));

    // The window's status texts, in order.
    std::vector<std::string> expected = {"準備中.",
                                         "準備中..",
                                         "選手一覧作成",
                                         "選手一覧確認終了",
                                         "成績処理中",
                                         "成績処理終了",
                                         "レッズを処理中",
                                         "レッズ終了、レッズ二軍を処理中",
                                         "ブルーズを処理中",
                                         "Top10の成績確認",
                                         "処理が終了しました。",
                                         "終了"};
    auto from = reporter.statuses.begin();
    for (const auto& text : expected) {
        from = std::find(from, reporter.statuses.end(), text);
        ASSERT_NE(from, reporter.statuses.end()) << text;
    }
    EXPECT_EQ(reporter.statuses.back(), "終了");
    EXPECT_EQ(reporter.lastDone, reporter.lastTotal);
}

TEST(TermUpdate, SecondRunForTheSameTermKeepsTheUnsignedPlayers) {
    SmallLeague league;
    RecordingReporter reporter;
    runTermUpdate(league.input(5), reporter);
    const std::string unsignedFile = league.path("league/データ/0004期未契約選手.txt");
    const std::string firstUnsigned = readBytes(unsignedFile);
    const std::string firstTop10 = readBytes(league.path("temp/Top10.txt"));

    TermUpdateInput again = league.input(5);
    again.again = true; // the newest term once more, as confirmed
    TermUpdateResult second = runTermUpdate(again, reporter);

    // 赤坂 is in no team file any more: only the existing unsigned file keeps him.
    IniStore unsignedPlayers = loadStore(unsignedFile);
    EXPECT_EQ(unsignedPlayers.sectionNames(), (std::vector<std::string>{"新田", "赤坂"}));
    EXPECT_EQ(unsignedPlayers.value("赤坂", "0004能力"), "5 赤坂旧能力4 ");
    // The team files come out the same; the earlier state is in a second backup.
    EXPECT_EQ(readBytes(league.path("league/reds.txt")),
              readBytes(league.expected("league/reds.txt")));
    EXPECT_EQ(second.backupFolder, league.path("league/バックアップ/0005期更新前(2)"));
    EXPECT_EQ(readBytes(second.backupFolder + "/データ/0004期未契約選手.txt"), firstUnsigned);
    // Two sections of term 4, the newer first, the older bytes unchanged behind them.
    std::string marks = readBytes(league.path("league/seiseki.ini"));
    EXPECT_TRUE(marks.starts_with(firstTop10 + firstTop10 + "[3]\r\n"));
}

TEST(TermUpdate, FirstTermWritesTermZeroKeys) {
    SmallLeague league;
    // A league that has not reached term 1 yet.
    for (const char* file : {"league/reds.txt", "league/blues.txt"}) {
        IniStore team = loadStore(league.path(file));
        for (std::size_t i = 0; i < team.sectionCount(); ++i)
            if (team.sectionAt(i).has("最終"))
                team.sectionAt(i).set("最終", "0");
        team.save(league.path(file));
    }
    RecordingReporter reporter;
    runTermUpdate(league.input(1), reporter);

    IniStore reds = loadStore(league.path("league/reds.txt"));
    EXPECT_EQ(reds.value("赤井", "0000所属"), "レッズ");
    EXPECT_EQ(reds.value("赤井", "最終"), "1");
    EXPECT_TRUE(reds.section("赤井")->has("0001能力"));
    EXPECT_TRUE(std::filesystem::exists(platform::fsPath(league.path("temp/0000期一軍成績.txt"))));
    IniStore unsignedPlayers = loadStore(league.path("league/データ/0000期未契約選手.txt"));
    EXPECT_EQ(unsignedPlayers.value("新田", "新規"), "0");
    EXPECT_TRUE(readBytes(league.path("temp/Top10.txt")).starts_with("[0]\r\n"));
}

TEST(TermUpdate, PlayersBeyondTheLastSlotBecomeUnsigned) {
    SmallLeague league;
    // レッズ lists 30 first-team players and 30 farm players: the 29th and 30th of
    // each team have no slot in the team file.
    std::string growth = ";\n  レッズ  レ  赤  赤球場\n\n;\n  赤  R  曲1\n\n;\n  赤監督  4\n";
    for (int i = 1; i <= 30; ++i)
        growth += "7 一軍" + std::to_string(i) + " 右 普 E E E E E C C 3 3 3 3 3 5 3 3 100 | 20\n";
    growth += ";\n  レッズ二軍  レ二  赤  二軍球場\n\n;\n  赤  R  曲2\n\n;\n  赤二監督  3\n";
    for (int i = 1; i <= 30; ++i)
        growth += "P 二軍" + std::to_string(i) + " 右 速 140 3 3 3 3 3 3 4 200 | 20\n";
    writeCp932(league.path("temp/seichou/1_reds.txt"), growth);
    RecordingReporter reporter;
    runTermUpdate(league.input(5), reporter);

    IniStore reds = loadStore(league.path("league/reds.txt"));
    EXPECT_EQ(reds.value("Team", "27"), "7 一軍28");
    EXPECT_EQ(reds.value("Team", "28"), "P 二軍1");
    EXPECT_EQ(reds.value("Team", "55"), "P 二軍28");
    EXPECT_TRUE(reds.hasSection("一軍28"));
    EXPECT_TRUE(reds.hasSection("二軍28"));
    IniStore unsignedPlayers = loadStore(league.path("league/データ/0004期未契約選手.txt"));
    for (const char* name : {"一軍29", "一軍30", "二軍29", "二軍30", "赤井", "赤星"}) {
        EXPECT_FALSE(reds.hasSection(name)) << name;
        EXPECT_TRUE(unsignedPlayers.hasSection(name)) << name;
    }
    EXPECT_EQ(unsignedPlayers.value("一軍29", "0004所属"), "レッズ");
}

TEST(TermUpdate, ReplacesAGameTextTeamFileInitialisedForTheTermPlayed) {
    SmallLeague league;
    // ブルーズ's file is still game text, initialised for term 4 by the data check.
    writeCp932(
        league.path("league/blues.txt"),
        "  ブルーズ  ブ  青  青球場 ; ; 4 ;\n7 青山 左 長 E E B E E E C 3 3 4 3 3 15 3 3 240 "
        "; 29 3 3 3 3 3 3 3 ; ; 4 ;\n");
    RecordingReporter reporter;
    runTermUpdate(league.input(5), reporter);

    IniStore blues = loadStore(league.path("league/blues.txt"));
    EXPECT_EQ(blues.value("Team", "3"), "P 青木");
    // Players known only from that file enter through the growth files alone.
    EXPECT_FALSE(blues.section("青木")->has("新規"));
    EXPECT_EQ(blues.value("青木", "0004所属"), "ブルーズ");
}

// Inputs the run refuses: the message names the file and line where there is
// one, and not a byte of the program folder changes.
struct RefusedCase {
    const char* name;
    void (*spoil)(SmallLeague&, TermUpdateInput&);
    const char* messagePart;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class TermUpdateRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(TermUpdateRefuses, WithoutChangingAFile) {
    SmallLeague league;
    TermUpdateInput input = league.input(5);
    GetParam().spoil(league, input);
    auto before = snapshotFolder(league.programFolder());
    auto foldersBefore = foldersBelow(league.programFolder());
    RecordingReporter reporter;
    try {
        runTermUpdate(input, reporter);
        FAIL() << "the run did not stop";
    } catch (const LeagueError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().messagePart), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("ファイルは変更されていません"), std::string::npos);
    }
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    EXPECT_EQ(foldersBelow(league.programFolder()), foldersBefore);
}

void cutGrowthAfterTeamName(SmallLeague& l, TermUpdateInput&) {
    writeCp932(l.path("temp/seichou/2_blues.txt"),
               ";\n;\n  ブルーズ  ブ  青  青球場\n\n;\n  青  B\n");
}
void emptyStatisticsLine(SmallLeague& l, TermUpdateInput&) {
    writeCp932(l.path("temp/seiseki/pitching.txt"),
               "赤星 レ 2.50 25 3 12 8 0 0 180 1/3 160 15 50 150 50 .600 7.49\n\n");
}
void countThatIsNoNumber(SmallLeague& l, TermUpdateInput&) {
    writeCp932(l.path("temp/seiseki/batting.txt"),
               "打率\n赤井 レ .310 140 480 百 25 2 20 80 3 50 90 12 4 .520 .375\n");
}
// 10^17 at-bats: no season of the game comes near; the marks would wrap.
void statisticBeyondTheGame(SmallLeague& l, TermUpdateInput&) {
    writeCp932(l.path("temp/seiseki/batting.txt"),
               "打率\n赤井 レ .310 140 100000000000000000 150 25 2 20 80 3 50 90 12 4 .520 .375\n");
}
void shortLineOfAPitcher(SmallLeague& l, TermUpdateInput&) {
    writeCp932(l.path("temp/seiseki/pitching.txt"), "赤星 レ\n");
}
void missingGrowthFile(SmallLeague& l, TermUpdateInput& in) {
    in.growthFiles.push_back(l.path("temp/seichou/消えた.txt"));
}
void teamWithoutGrowthFile(SmallLeague&, TermUpdateInput& in) {
    in.growthFiles.pop_back();
}
void olderFormTeamFileWithHistory(SmallLeague& l, TermUpdateInput&) {
    writeCp932(
        l.path("league/blues.txt"),
        "7 青山 左 長 E E B E E E C 3 3 4 3 3 15 3 3 240 | 29 ; 3 3 ; 成績 ; 2 ; ブルーズ\n");
}
void missingTeamFile(SmallLeague& l, TermUpdateInput&) {
    std::filesystem::remove(platform::fsPath(l.path("league/blues.txt")));
}
void sameFileForTwoTeams(SmallLeague& l, TermUpdateInput&) {
    std::string ini = readCp932(l.path("Tenvoll.ini"));
    const std::string entry = "ブルーズ二軍,\\league\\blues.txt";
    ini.replace(ini.find(entry), entry.size(), "ブルーズ二軍,\\league\\reds.txt");
    writeCp932(l.path("Tenvoll.ini"), ini);
}
void termZero(SmallLeague&, TermUpdateInput& in) {
    in.newTerm = 0;
}
void noTool(SmallLeague&, TermUpdateInput& in) {
    in.tool.reset();
}
void playerBeforeAnyTeam(SmallLeague& l, TermUpdateInput&) {
    std::string g = readCp932(l.path("temp/seichou/1_reds.txt"));
    writeCp932(l.path("temp/seichou/1_reds.txt"), "P 迷子 右 速 140 3 3 3 3 3 3 4 200 | 20\n" + g);
}

// "[Team]" damaged: the players' sections are still there and must not be lost.
void damagedTeamLine(SmallLeague& l, TermUpdateInput&) {
    std::string blues = readCp932(l.path("league/blues.txt"));
    blues.replace(blues.find("[Team]"), 6, "[Te am");
    writeCp932(l.path("league/blues.txt"), blues);
}
void teamSectionMissing(SmallLeague& l, TermUpdateInput&) {
    std::string blues = readCp932(l.path("league/blues.txt"));
    writeCp932(l.path("league/blues.txt"), blues.substr(blues.find("[青山]")));
}
// Every "[…]" line gone: what is left are the team's and the players' keys.
void sectionLinesStripped(SmallLeague& l, TermUpdateInput&) {
    std::string kept;
    for (const std::string& line : splitLines(readCp932(l.path("league/blues.txt"))))
        if (!line.starts_with("["))
            kept += line + "\n";
    writeCp932(l.path("league/blues.txt"), kept);
}
void termBelowNewest(SmallLeague&, TermUpdateInput& in) {
    in.newTerm = 3;
}
void newestTermWithoutAgain(SmallLeague&, TermUpdateInput& in) {
    in.newTerm = 4;
}
// A second spelling of reds.txt, through "..", for the farm team's entry.
void sameFileThroughDots(SmallLeague& l, TermUpdateInput&) {
    std::string ini = readCp932(l.path("Tenvoll.ini"));
    const std::string entry = "ブルーズ二軍,\\league\\blues.txt";
    ini.replace(ini.find(entry), entry.size(), "ブルーズ二軍,\\league\\データ\\..\\REDS.txt");
    writeCp932(l.path("Tenvoll.ini"), ini);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TermUpdateRefuses,
    ::testing::Values(
        RefusedCase{"HeaderWithoutManagerLine", cutGrowthAfterTeamName, "2_blues.txt の 3 行目"},
        RefusedCase{"EmptyStatisticsLine", emptyStatisticsLine, "pitching.txt の 2 行目"},
        RefusedCase{"CountThatIsNoNumber", countThatIsNoNumber, "batting.txt の 2 行目"},
        RefusedCase{"StatisticBeyondTheGame", statisticBeyondTheGame, "batting.txt の 2 行目"},
        RefusedCase{"ShortLineOfAPitcher", shortLineOfAPitcher, "pitching.txt の 1 行目"},
        RefusedCase{"UnreadableListFile", missingGrowthFile, "消えた.txt"},
        RefusedCase{"TeamMissingFromTheGrowthFiles", teamWithoutGrowthFile, "ブルーズ"},
        RefusedCase{"OlderFormFileWithHistory", olderFormTeamFileWithHistory,
                    "blues.txt の 1 行目"},
        RefusedCase{"MissingTeamFile", missingTeamFile, "blues.txt"},
        RefusedCase{"OneFileForTwoTeams", sameFileForTwoTeams, "reds.txt"},
        RefusedCase{"TermZero", termZero, "期は1から"},
        RefusedCase{"NoTool", noTool, "利用ツールを選択してください。"},
        RefusedCase{"PlayerBeforeAnyTeam", playerBeforeAnyTeam, "1_reds.txt の 1 行目"},
        RefusedCase{"DamagedTeamLine", damagedTeamLine, "blues.txt に選手のセクションがあります"},
        RefusedCase{"TeamSectionMissing", teamSectionMissing, "blues.txt に選手のセクション"},
        RefusedCase{"SectionLinesStripped", sectionLinesStripped,
                    "blues.txt はチームファイルの項目 (キー=値) の行だけ"},
        RefusedCase{"TermBelowTheNewest", termBelowNewest, "最新の期 (4期) より前"},
        RefusedCase{"NewestTermWithoutAgain", newestTermWithoutAgain, "すでに追加されています"},
        RefusedCase{"SameFileThroughDots", sameFileThroughDots, "二つのチームに登録"}),
    [](const auto& info) { return std::string(info.param.name); });

// A team file reached through ".." lies outside the league and the program
// folder: its backup still lands inside the backup folder, at a place of its
// own even when a league file of that name is backed up too.
TEST(TermUpdate, BackupsOfFilesOutsideTheLeagueStayInsideTheBackupFolder) {
    SmallLeague league;
    TempFolder outside;
    const std::string name = platform::pathText(platform::fsPath(outside.path()).filename());
    std::filesystem::create_directories(platform::fsPath(outside.file("a")));
    std::filesystem::copy_file(platform::fsPath(league.path("league/blues.txt")),
                               platform::fsPath(outside.file("a/blues.txt")));
    std::string ini = readCp932(league.path("Tenvoll.ini"));
    const std::string entry = "ブルーズ二軍,\\league\\blues.txt";
    ini.replace(ini.find(entry), entry.size(), "ブルーズ二軍,\\..\\" + name + "\\a\\blues.txt");
    writeCp932(league.path("Tenvoll.ini"), ini);
    const std::string original = readBytes(outside.file("a/blues.txt"));

    RecordingReporter reporter;
    TermUpdateResult result = runTermUpdate(league.input(5), reporter);
    EXPECT_EQ(readBytes(result.backupFolder + "/その他/blues.txt"), original);
    EXPECT_EQ(readBytes(result.backupFolder + "/reds.txt"),
              readBytes(fixture("termupdate_small_league/league/reds.txt")));
    for (const auto& e :
         std::filesystem::recursive_directory_iterator(platform::fsPath(outside.path())))
        EXPECT_NE(platform::pathText(e.path().filename()), "バックアップ");
}
