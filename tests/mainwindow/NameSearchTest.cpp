// Name search: gathering over unsigned-players and team files with their
// conversions on the way, and the roster slots of the gathered store.
#include "mainwindow/NameSearch.h"
#include "SearchLeagueFixture.h"
#include "league/LeagueError.h"
#include "league/TeamFile.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

std::string oldBatterLine(const std::string& name, long long term) {
    return "- " + name + " R 3 C C C C C C 4 5 B C D E F 3 4 120 ; 28 S A B ; " + name +
           " テ .300 140 500 150 20 2 30 80 5 50 90 10 5 .500 .380 ; " + std::to_string(term) +
           " ; 旧球団";
}

std::string oldPitcherLine(const std::string& name, long long term) {
    return "P " + name + " R 3 145 4 5 6 7 8 9 10 120 ; 28 S A ; " + name +
           " テ 2.50 25 3 12 8 0 0 150 1 150 15 40 150 60 .600 7.50 ; " + std::to_string(term) +
           " ; 旧球団";
}

// An old-layout team file: both blocks' team values, then `players` player
// lines (16 fielders, 12 pitchers, per block) of term 5.
std::string oldTeamText(int players) {
    std::string s;
    for (const char* block : {"旧一軍", "旧二軍"}) {
        s += "; チーム名 略称 記 球場\n  " + std::string(block) + " 旧 記 球場\n";
        s += "; UNIFORM SYMBOL BGM\n  1 2 3\n";
        s += "; 監督 タ 投 選\n  監督 1 2 3\n";
    }
    for (int i = 0; i < players; ++i) {
        bool pitcherPlace = i % 28 >= 16;
        std::string name = (pitcherPlace ? "旧投" : "旧野") + std::to_string(i);
        s += (pitcherPlace ? oldPitcherLine(name, 5) : oldBatterLine(name, 5)) + "\n";
    }
    return s;
}

} // namespace

TEST(NameSearch, GathersTaggedUnsignedSectionsThenTeamSectionsIgnoringCase) {
    TestLeague lg;
    lg.addUnsigned(3, {batter("Yamada", 2, bat("Yamada", 500, "5"))});
    lg.addUnsigned(4, {batter("他人", 3, bat("他人", 500, "5"))});
    lg.addUnsigned(9, {batter("yamada", 8, bat("yamada", 500, "5"))}); // after the gap
    lg.addTeam("a.txt", {pitcher("YAMADA", 5, pit("YAMADA", 100, 0))});
    lg.addTeam("b.txt", {batter("他人", 5, bat("他人", 500, "1"))});
    lg.addTeam("c.txt", {batter("yamada", 5, bat("yamada", 500, "1"))});

    RecordingReporter rep;
    NameSearchResult r = searchPlayerName(lg.league(), "yamada", rep);
    EXPECT_EQ(tenvoll::test::lines(r.names), "(2)Yamada\nYAMADA\nyamada\n");
    EXPECT_EQ(r.store.value("(2)Yamada", "0002成績"), bat("Yamada", 500, "5"));
    EXPECT_EQ(r.store.value("Team", "0"), "- (2)Yamada");
    EXPECT_EQ(r.store.value("Team", "1"), "- yamada");
    EXPECT_EQ(r.store.value("Team", "16"), "- YAMADA");
    EXPECT_EQ(r.unplaced, 0u);
    EXPECT_EQ(rep.statuses,
              (std::vector<std::string>{
                  lg.unsignedPath(3) + "を検索中", lg.unsignedPath(4) + "を検索中",
                  lg.unsignedPath(5) + "は存在しません。", lg.teamPath("a.txt") + "を検索中",
                  lg.teamPath("b.txt") + "を検索中", lg.teamPath("c.txt") + "を検索中"}));
    EXPECT_EQ(rep.progresses.back(), (std::pair<std::size_t, std::size_t>{5, 5}));

    NameSearchResult none = searchPlayerName(lg.league(), "誰でもない", rep);
    EXPECT_TRUE(none.names.empty());
    EXPECT_EQ(nameNotFoundMessage(kLeagueName), "検索選手を、テスト機構で見つけられませんでした。");
    EXPECT_THROW(searchPlayerName(lg.league(), "", rep), LeagueError);
}

TEST(NameSearch, ConvertsAnOldThreeDigitUnsignedFileAndKeepsIt) {
    TestLeague lg;
    std::string old = lg.dir.file("league/データ/007期未契約選手.txt");
    writeCp932(old, oldBatterLine("鈴木", 6) +
                        "\n- 未登録 R 3 C C C C C C 4 5 B C D E F 3 4 120 ; 1 ; x ; 6\n");
    std::string oldBytes = readBytes(old);
    lg.addTeam("a.txt", {batter("鈴木", 7, bat("鈴木", 500, "5"))});

    RecordingReporter rep;
    NameSearchResult r = searchPlayerName(lg.league(), "鈴木", rep);
    EXPECT_EQ(tenvoll::test::lines(r.names), "(6)鈴木\n鈴木\n");
    EXPECT_EQ(r.store.value("(6)鈴木", "0006所属"), "旧球団");
    EXPECT_EQ(rep.statuses,
              (std::vector<std::string>{
                  "\\データ\\007期未契約選手.txtは旧形式の未契約選手ファイルです。変換中！",
                  old + "を変換しました。", lg.unsignedPath(7) + "を検索中",
                  lg.unsignedPath(8) + "は存在しません。", lg.teamPath("a.txt") + "を検索中"}));
    EXPECT_EQ(readBytes(old), oldBytes);
    IniStore converted = IniStore::load(lg.unsignedPath(7));
    EXPECT_EQ(converted.value("Team", "ツール"), "Mirel");
    EXPECT_FALSE(converted.hasSection("未登録"));
}

TEST(NameSearch, ConvertsAnOldTeamFileInPlaceOrLeavesABadOneAlone) {
    TestLeague lg;
    lg.registerTeam("old.txt");
    writeCp932(lg.teamPath("old.txt"), oldTeamText(56));
    lg.registerTeam("short.txt");
    writeCp932(lg.teamPath("short.txt"), oldTeamText(10));
    std::string shortBytes = readBytes(lg.teamPath("short.txt"));

    RecordingReporter rep;
    NameSearchResult r = searchPlayerName(lg.league(), "旧投20", rep);
    EXPECT_EQ(tenvoll::test::lines(r.names), "旧投20\n");
    EXPECT_EQ(r.store.value("Team", "16"), "- 旧投20");
    EXPECT_EQ(rep.statuses,
              (std::vector<std::string>{
                  lg.teamPath("old.txt") + "は旧形式のファイルです。変換中！",
                  lg.teamPath("old.txt") + "を変換しました。", lg.teamPath("old.txt") + "を検索中",
                  lg.teamPath("short.txt") + "は旧形式のファイルです。変換中！",
                  lg.teamPath("short.txt") + "の変換Error"}));
    EXPECT_EQ(rep.messages, (std::vector<std::string>{"ファイル変換Error"}));
    IniStore converted = IniStore::load(lg.teamPath("old.txt"));
    EXPECT_EQ(converted.value("Team", "20"), "P 旧投20");
    EXPECT_EQ(converted.value("旧投20", "新規"), "5");
    EXPECT_EQ(readBytes(lg.teamPath("short.txt")), shortBytes);
}

TEST(NameSearch, RosterSlotsNeverOverwriteOneAnother) {
    IniStore store;
    for (int i = 0; i < 17; ++i)
        store.appendSection("野" + std::to_string(i)).set("投手", "0");
    store.appendSection("旗なし"); // no "投手": not a pitcher here
    for (int i = 0; i < 25; ++i)
        store.appendSection("投" + std::to_string(i)).set("投手", "1");

    EXPECT_EQ(assignSearchRoster(store), 1u); // the 25th pitcher
    EXPECT_EQ(store.value("Team", "0"), "- 野0");
    EXPECT_EQ(store.value("Team", "15"), "- 野15");
    EXPECT_EQ(store.value("Team", "28"), "- 野16");
    EXPECT_EQ(store.value("Team", "29"), "- 旗なし");
    EXPECT_EQ(store.value("Team", "16"), "- 投0");
    EXPECT_EQ(store.value("Team", "27"), "- 投11");
    EXPECT_EQ(store.value("Team", "44"), "- 投12");
    EXPECT_EQ(store.value("Team", "55"), "- 投23");
    EXPECT_EQ(store.section("Team")->keys().size(), 42u);
}
