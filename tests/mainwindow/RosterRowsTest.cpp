// Pane engine: rows, ability marks, statistics marks, summary, comparison and
// navigation, on the hand-made league of fixtures/main-window.
#include "mainwindow/RosterRows.h"
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "mainwindow/PaneLoader.h"
#include "mainwindow/PaneNavigation.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace tenvoll;
using tenvoll::test::fixture;

namespace {

std::string leagueFile(std::string_view name) {
    return fixture("main-window/リーグ/" + std::string(name));
}

std::vector<std::string> texts(const RosterRow& row, int from, int to) {
    std::vector<std::string> out;
    for (int c = from; c <= to; ++c)
        out.push_back(row[static_cast<std::size_t>(c)].text);
    return out;
}

std::vector<int> marks(const RosterRow& row, int from, int to) {
    std::vector<int> out;
    for (int c = from; c <= to; ++c)
        out.push_back(static_cast<int>(row[static_cast<std::size_t>(c)].mark));
    return out;
}

PaneContent tokyo() {
    return fillPane(IniStore::load(leagueFile("東京.txt")));
}

} // namespace

TEST(RosterRows, BatterRowShowsLatestAbilitiesAndPreviousStatistics) {
    const PaneContent pane = tokyo();
    const RosterRow& row = pane.grid(GridKind::Batters).rows[0];
    EXPECT_EQ(texts(row, 0, 36),
              (std::vector<std::string>{
                  "5",  "山田ソ太郎", "右",  "普",  "B",    "C",    "D",  "E",  "E",  "C",
                  "C",  "B",          "A",   "B",   "C",    "D",    "15", "B",  "C",  "340",
                  "28", ".312",       "130", "465", "145",  "25",   "3",  "20", "80", "5",
                  "50", "90",         "10",  "5",   ".510", ".380", "*"}));
    // C->B rises, B->C falls, 12->15 rises, index 345->340 falls; equal grades stay plain.
    EXPECT_EQ(marks(row, 0, 20),
              (std::vector<int>{0, 0, 0, 0, 1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0}));
}

TEST(RosterRows, RookieWithoutPreviousTermShowsFillersAndNoMarks) {
    const PaneContent pane = tokyo();
    const RosterRow& row = pane.grid(GridKind::Batters).rows[1];
    EXPECT_EQ(row[1].text, "新人表介");
    EXPECT_EQ(row[20].text, "22");
    for (int c = 21; c <= 35; ++c)
        EXPECT_EQ(row[static_cast<std::size_t>(c)].text, "*") << c;
    for (int c = 0; c < kRosterColumns; ++c)
        EXPECT_EQ(row[static_cast<std::size_t>(c)].mark, Mark::None) << c;
}

TEST(RosterRows, EmptyAptitudeKeepsStatisticsUnderTheirHeaders) {
    const PaneContent pane = tokyo();
    const RosterRow& row = pane.grid(GridKind::Batters).rows[2];
    EXPECT_EQ(row[19].text, "200");
    EXPECT_EQ(row[20].text, "");
    EXPECT_EQ(row[21].text, ".250");
    EXPECT_EQ(row[35].text, ".300");
}

TEST(RosterRows, PitcherRowHasFillersBeforeAgeAndEighteenStatistics) {
    const PaneContent pane = tokyo();
    const RosterRow& row = pane.grid(GridKind::Pitchers).rows[0];
    EXPECT_EQ(texts(row, 0, 36),
              (std::vector<std::string>{"P",  "投手能一", "右", "本",   "150", "A",    "B",   "C",
                                        "D",  "E",        "S",  "5",    "500", "*",    "*",   "*",
                                        "*",  "*",        "*",  "*",    "30",  "2.50", "25",  "3",
                                        "12", "5",        "0",  "0",    "180", "2",    "150", "12",
                                        "40", "160",      "50", ".706", "8.00"}));
    EXPECT_EQ(marks(row, 4, 13), (std::vector<int>{1, 1, 0, 0, 0, 0, 0, 0, 1, 0}));
}

TEST(RosterRows, MissingSlotsLeaveEmptyRows) {
    PaneContent pane = tokyo();
    EXPECT_EQ(pane.grid(GridKind::Batters).rows.size(), 16u);
    EXPECT_EQ(pane.grid(GridKind::Pitchers).rows.size(), 12u);
    for (const Cell& c : pane.grid(GridKind::Batters).rows[3])
        EXPECT_TRUE(c.text.empty());
    EXPECT_EQ(pane.grid(GridKind::FarmBatters).rows[0][1].text, "二軍捕手");
    EXPECT_EQ(pane.grid(GridKind::FarmPitchers).rows[0][1].text, "二軍投手");
}

TEST(RosterRows, StatisticsMarksFollowTheNewestTermsTenthValues) {
    PaneContent pane = tokyo();
    auto marksFile = StatsMarksFile::loadFromFolder(fixture("main-window/リーグ"));
    ASSERT_TRUE(marksFile);
    markStatistics(pane, *marksFile);

    // Average, slugging and on-base at or above the tenth-highest, at-bats above it.
    EXPECT_EQ(marks(pane.grid(GridKind::Batters).rows[0], 21, 35),
              (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
    // At the tenth-lowest: plain statistics fall, strikeouts and errors rise;
    // 300 at-bats are below the tenth-highest but above the 143 games: plain.
    EXPECT_EQ(marks(pane.grid(GridKind::Batters).rows[2], 21, 35),
              (std::vector<int>{-1, 0, 0, 0, -1, -1, -1, -1, -1, -1, 1, -1, 1, -1, -1}));
    // Wins, innings, strikeouts and winning percentage lead; "0" cells and "ア" stay plain.
    EXPECT_EQ(marks(pane.grid(GridKind::Pitchers).rows[0], 21, 36),
              (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0}));
    // Fillers are never marked.
    EXPECT_EQ(marks(pane.grid(GridKind::Batters).rows[1], 21, 35), std::vector<int>(15, 0));
}

// Panes share one reading of "seiseki.ini" until the file is replaced (as the
// program saves it), rewritten at another time, or removed; a file that cannot
// be read is never kept.
TEST(RosterRows, StatisticsFileIsKeptWhileUnchanged) {
    namespace fs = std::filesystem;
    test::TempFolder folder;
    const std::string path = folder.file(std::string(kStatsMarksFileName));
    auto newest = [&] {
        return StatsMarksFile::loadKept(folder.path())->highestTermSection()->name();
    };
    test::writeCp932(path, "[3]\n防御率=0\n[4]\n防御率=0\n");
    const auto first = StatsMarksFile::loadKept(folder.path());
    EXPECT_EQ(first->highestTermSection()->name(), "4");
    EXPECT_EQ(StatsMarksFile::loadKept(folder.path()), first);

    writeTextFileAtomic(path, "[5]\r\n防御率=0\r\n");
    EXPECT_NE(StatsMarksFile::loadKept(folder.path()), first);
    EXPECT_EQ(newest(), "5");

    // The same size written in place: told apart by its modification time.
    test::writeCp932(path, "[6]\n防御率=0\n");
    fs::last_write_time(platform::fsPath(path),
                        fs::last_write_time(platform::fsPath(path)) + std::chrono::seconds(5));
    EXPECT_EQ(newest(), "6");

    test::writeBytes(path, "[7]\r\n\x81\r\n"); // a lead byte without its trail byte
    EXPECT_THROW(StatsMarksFile::loadKept(folder.path()), LeagueError);
    EXPECT_THROW(StatsMarksFile::loadKept(folder.path()), LeagueError);

    fs::remove(platform::fsPath(path));
    EXPECT_EQ(StatsMarksFile::loadKept(folder.path()), nullptr);
    EXPECT_EQ(StatsMarksFile::loadKept(""), nullptr);
}

TEST(RosterRows, QualifyingColumnsFallAtOrBelowTheGames) {
    IniStore team = IniStore::parse("[Team]\r\n0=5 少打者\r\n16=P 少投手\r\n"
                                    "[少打者]\r\n最終=1\r\n投手=0\r\n0000成績=少打者 東 .200 20 "
                                    "143 20 1 1 1 1 1 1 1 1 1 .300 .300 \r\n"
                                    "[少投手]\r\n最終=1\r\n投手=1\r\n0000成績=少投手 東 3.00 10 0 "
                                    "1 1 0 0 143 0 50 5 10 20 30 .500 5.00 \r\n");
    IniStore seiseki = IniStore::parse("[0]\r\n防御率=1,1,1,1,1,1\r\n試合数(投手)=0\r\n完投="
                                       "0\r\n勝ち数=0\r\n負け数=0\r\nセーブ=0\r\n"
                                       "セーブ数=0\r\n投球回数=200,100,10,170,60,40\r\n被安打="
                                       "0\r\n被本塁打=0\r\n四死球=0\r\n奪三振=0\r\n"
                                       "自責点=0\r\n勝率=0\r\n三振率=0\r\n打率=0\r\n試合数(打者)="
                                       "143,1,1,1,1,1\r\n打数=550,1,1,450,10,60\r\n");
    PaneContent pane = fillPane(team);
    markStatistics(pane, StatsMarksFile(std::move(seiseki)));
    EXPECT_EQ(pane.grid(GridKind::Batters).rows[0][23].mark, Mark::Down);
    EXPECT_EQ(pane.grid(GridKind::Pitchers).rows[0][28].mark, Mark::Down);
    // Records of "0" mark nothing.
    EXPECT_EQ(pane.grid(GridKind::Batters).rows[0][21].mark, Mark::None);
}

TEST(RosterRows, SummaryDividesByTheFixedRowCounts) {
    auto rows = teamSummary(tokyo());
    auto row = [&](int i) {
        const SummaryRow& r = rows[static_cast<std::size_t>(i)];
        return std::vector<std::string>{r.caption, r.averageAge, r.runsBattedIn, r.earnedRuns};
    };
    // Ages 28 + 22 + (empty) over 16, 30 over 12, 20 over 16, 19 over 12, 119 over 56.
    EXPECT_EQ(row(0), (std::vector<std::string>{"チーム全体", "2.13", "110", "50"}));
    EXPECT_EQ(row(1), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(row(2), (std::vector<std::string>{"一軍打者", "3.13", "110", ""}));
    EXPECT_EQ(row(3), (std::vector<std::string>{"一軍投手", "2.5", "", "50"}));
    EXPECT_EQ(row(4), (std::vector<std::string>{"二軍打者", "1.25", "0", ""}));
    EXPECT_EQ(row(5), (std::vector<std::string>{"二軍投手", "1.58", "", "0"}));
}

// A damaged age is clamped to 10^9 before it is summed: the averages stay
// what that value gives instead of wrapping around.
TEST(RosterRows, SummaryOfADamagedAgeIsClampedNotWrapped) {
    PaneContent pane = tokyo();
    pane.grid(GridKind::Batters).rows[0][static_cast<std::size_t>(roster_column::kAge)].text =
        "9223372036854775807";
    auto rows = teamSummary(pane);
    // (10^9 + 22) / 16 and (10^9 + 22 + 30 + 20 + 19) / 56.
    EXPECT_EQ(rows[2].averageAge, "62500001.38");
    EXPECT_EQ(rows[0].averageAge, "17857144.48");
}

TEST(RosterRows, TeamFileAndNextSeasonCopyMarkTheirDifferences) {
    const std::string txt = leagueFile("東京.txt"), tvl = leagueFile("東京.tvl");
    EXPECT_TRUE(isSameTeamPair(txt, tvl));
    EXPECT_FALSE(isSameTeamPair(txt, txt));
    EXPECT_FALSE(isSameTeamPair(txt, leagueFile("大阪.txt")));
    EXPECT_FALSE(isSameTeamPair("", tvl));

    IniStore topStore = IniStore::load(txt), bottomStore = IniStore::load(tvl);
    PaneContent top = fillPane(topStore), bottom = fillPane(bottomStore);
    comparePanes(top, txt, topStore, bottom, tvl, bottomStore);
    EXPECT_EQ(top.grid(GridKind::Batters).rows[1][1].mark, Mark::Down);  // left the team
    EXPECT_EQ(bottom.grid(GridKind::Batters).rows[1][1].mark, Mark::Up); // new in the copy
    EXPECT_EQ(top.grid(GridKind::Batters).rows[0][1].mark, Mark::None);
    EXPECT_EQ(top.grid(GridKind::Batters).rows[3][1].mark, Mark::None); // empty row
}

TEST(PaneLoader, MissingAndOldLayoutFiles) {
    PaneLoad missing = loadPane(leagueFile("ない.txt"), true);
    EXPECT_FALSE(missing.loaded);
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0].text, "ファイルが存在しません！");

    tenvoll::test::TempFolder folder;
    tenvoll::test::writeCp932(
        folder.file("old.txt"),
        "5 旧選手 右 普 C C C C C C C C C C C C 1 C C 100 ; 25 ; ; 3 ; 東京\n");
    const std::string before = tenvoll::test::readBytes(folder.file("old.txt"));
    PaneLoad old = loadPane(folder.file("old.txt"), false);
    EXPECT_FALSE(old.loaded);
    ASSERT_EQ(old.messages.size(), 2u);
    EXPECT_EQ(old.messages[0].text, "旧形式のファイルです。");
    EXPECT_EQ(old.messages[1].text, "ファイル変換Error");
    EXPECT_EQ(tenvoll::test::readBytes(folder.file("old.txt")), before);
}

TEST(PaneNavigation, StepsWrapAroundTheRegistry) {
    Settings settings(fixture("main-window"));
    settings.load();
    auto path = [&](std::string_view team, Step step) {
        return fileNameOf(steppedTeamPath(settings, "テストリーグ", team, step).value_or(""));
    };
    EXPECT_EQ(path("東京ボルタナ", Step::Next), "大阪.txt");
    EXPECT_EQ(path("福岡ホークス", Step::Next), "東京.txt");
    EXPECT_EQ(path("東京ボルタナ", Step::Previous), "福岡.txt");
    EXPECT_EQ(path("大阪ファイターズ", Step::Previous), "東京.txt");
    // An unknown team steps as if it were entry 0.
    EXPECT_EQ(path("どこか", Step::Next), "大阪.txt");
    EXPECT_FALSE(steppedTeamPath(settings, "ないリーグ", "東京ボルタナ", Step::Next));
}

TEST(PaneNavigation, SameTeamInTheOtherForm) {
    const std::string txt = leagueFile("東京.txt"), tvl = leagueFile("東京.tvl"),
                      osaka = leagueFile("大阪.txt");
    EXPECT_EQ(sameTeamInOtherForm(txt, txt).message, "すでに同じチームが閲覧されています。");
    // Target shows a team file: the source's next-season copy when it exists, else its team file.
    EXPECT_EQ(sameTeamInOtherForm(osaka, txt).path, tvl);
    EXPECT_EQ(sameTeamInOtherForm(txt, osaka).path, osaka);
    EXPECT_EQ(sameTeamInOtherForm(tvl, osaka).path, osaka);
    SameTeamChoice none = sameTeamInOtherForm("", txt);
    EXPECT_EQ(none.message, "対象ファイルがありませんでした。");
    EXPECT_TRUE(none.path.empty());
    EXPECT_EQ(sameTeamInOtherForm("/x/team.csv", txt).message, "error#11");
    EXPECT_FALSE(sameTeamInOtherForm("", "").reload);
}
