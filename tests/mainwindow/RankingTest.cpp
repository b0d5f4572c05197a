// Ranking over a hand-made league: limit and ties across files, pitcher
// innings, career entries, term tags, kind filter, restriction, ordering.
#include "mainwindow/Ranking.h"
#include "SearchLeagueFixture.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"

#include <gtest/gtest.h>

#include <set>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

constexpr int kHomeRuns = 6;     // 野手_本塁打, column 8
constexpr int kInnings = 22;     // 投手_投球回数, column 9
constexpr int kPitcherHits = 23; // 投手_被安打, column 10

RankingOptions options(int item, bool restricted = false,
                       RankingOrder order = RankingOrder::Descending) {
    RankingOptions o;
    o.item = item;
    o.restricted = restricted;
    o.order = order;
    return o;
}

// Name, sorted value and term of every row, one row a line.
std::string listing(const RankingResult& r) {
    std::string out;
    for (const auto& row : r.rows)
        out += row[0] + " " + row[static_cast<std::size_t>(r.sortColumn)] + " " + row[17] + "\n";
    return out;
}

} // namespace

TEST(Ranking, KeepsEveryEntryTiedWithTheHundredthAcrossFiles) {
    TestLeague lg;
    lg.writeMarks("150");
    // 120 qualifying batters in six files (two unsigned-players files, then four
    // team files); places 100-103 share 50 home runs. The first five files fill
    // the list to 100 with one 50 last, so the sixth meets the cut-off: its best
    // player and its two ties must still come in.
    auto homeRuns = [](int i) { return i < 99 ? 200 - i : i < 103 ? 50 : 40 - (i - 103); };
    auto fileOf = [](int i) { return i == 0 || i > 100 ? 5 : i == 100 ? 0 : i % 5; };
    std::vector<std::vector<TestPlayer>> files(6);
    for (int i = 0; i < 120; ++i)
        files[fileOf(i)].push_back(
            batter("選手" + std::to_string(i), 3,
                   bat("選手" + std::to_string(i), 500, std::to_string(homeRuns(i)))));
    // Short of 465 at-bats: never listed, however many home runs.
    files[5].push_back(batter("不足", 3, bat("不足", 464, "999")));
    lg.addUnsigned(5, files[0]);
    lg.addUnsigned(6, files[1]);
    for (int f = 2; f < 6; ++f)
        lg.addTeam("team" + std::to_string(f) + ".txt", files[f]);

    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kHomeRuns, true), rep);

    auto tagged = [&](int i) {
        std::string tag = fileOf(i) == 0 ? "(4)" : fileOf(i) == 1 ? "(5)" : "";
        return tag + "選手" + std::to_string(i);
    };
    std::vector<int> order;
    for (int i = 0; i < 99; ++i)
        order.push_back(i);
    for (int i : {100, 99, 101, 102}) // ties keep file order
        order.push_back(i);
    std::string expected;
    for (int i : order)
        expected += tagged(i) + " " + std::to_string(homeRuns(i)) + " 0003期\n";
    EXPECT_EQ(listing(r), expected);
    EXPECT_EQ(r.rows.size(), 103u);
    EXPECT_EQ(r.ruleNote, "規定: 465打数以上 (150試合×3.1)");
    EXPECT_FALSE(r.defaultGames);

    // The gathered sections are exactly those of the listed entries, in file order.
    std::vector<std::string> sections;
    for (int f = 0; f < 6; ++f)
        for (const TestPlayer& p : files[f]) {
            int i = p.name == "不足" ? -1 : std::stoi(p.name.substr(std::string("選手").size()));
            if (std::find(order.begin(), order.end(), i) != order.end())
                sections.push_back(tagged(i));
        }
    EXPECT_EQ(tenvoll::test::lines(r.players.sectionNames()), tenvoll::test::lines(sections));
    EXPECT_EQ(r.players.value("(4)選手100", "0003成績"), bat("選手100", 500, "50"));
    EXPECT_TRUE(rep.messages.empty());
}

TEST(Ranking, SectionsOfEntriesPushedOutByLaterFilesAreDropped) {
    TestLeague lg;
    std::vector<TestPlayer> weak, strong;
    for (int i = 0; i < 100; ++i) {
        weak.push_back(batter("弱" + std::to_string(i), 3,
                              bat("弱" + std::to_string(i), 500, std::to_string(i))));
        strong.push_back(batter("強" + std::to_string(i), 3,
                                bat("強" + std::to_string(i), 500, std::to_string(100 + i))));
    }
    lg.addUnsigned(1, weak);
    lg.addTeam("a.txt", strong);
    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kHomeRuns), rep);
    ASSERT_EQ(r.rows.size(), 100u);
    EXPECT_EQ(r.rows.back()[0], "強0");
    EXPECT_EQ(r.players.sectionCount(), 100u);
    EXPECT_FALSE(r.players.hasSection("(0)弱99"));
}

TEST(Ranking, PitcherInningsMergeOutsAndShiftLaterColumns) {
    TestLeague lg;
    lg.addTeam("a.txt", {pitcher("甲", 3, pit("甲", 100, 4)), pitcher("乙", 3, pit("乙", 101, 0)),
                         pitcher("丙", 3, pit("丙", 101, 2)), pitcher("丁", 3, pit("丁", 102, 0))});
    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kInnings), rep);

    EXPECT_EQ(listing(r), "丁 102.0 0003期\n丙 101.7 0003期\n甲 101.3 0003期\n乙 101.0 0003期\n");
    RankingRow expected = {"甲",    "テ",  "2.50", "25", "3",   "12", "8",    "0",    "0",
                           "101.3", "150", "15",   "40", "150", "60", ".600", "7.50", "0003期"};
    EXPECT_EQ(r.rows[2], expected);
    EXPECT_EQ(rankingValue(r.rows[2][9]), 1013);
    EXPECT_EQ(r.captions[9], "回");
    EXPECT_EQ(r.captions[10], "被安");

    // Statistics after the outs are ranked from the column they moved to.
    EXPECT_EQ(rankingSortColumn(kPitcherHits), 10);
    RankingResult hits = runRanking(lg.league(), options(kPitcherHits), rep);
    EXPECT_EQ(hits.rows[0][10], "150");
}

TEST(Ranking, CareerModeGivesOneEntryPerPlayer) {
    TestLeague lg;
    lg.writeMarks("150");
    TestPlayer many{
        "多期",
        "0",
        1,
        3,
        {{1, bat("多期", 500, "10")}, {2, bat("多期", 500, "20")}, {3, bat("多期", 500, "30")}},
        bat("多期", 1500, "60"),
        {}};
    TestPlayer noCareer{"空", "0", 1, 1, {{1, bat("空", 500, "90")}}, "", {}};
    TestPlayer retired{"引退", "0", 1, 1, {{1, bat("引退", 500, "40")}}, bat("引退", 500, "40"),
                       {}};
    // Career innings 149 and 6 outs are 151 innings: enough for 150 games.
    TestPlayer arm{"投", "1", 1, 2, {}, pit("投", 149, 6), {}};
    lg.addUnsigned(2, {retired});
    lg.addTeam("a.txt", {many, noCareer, arm});

    RecordingReporter rep;
    RankingOptions o = options(kHomeRuns, true);
    o.career = true;
    RankingResult r = runRanking(lg.league(), o, rep);
    EXPECT_EQ(listing(r), "多期 60 通算\n(1)引退 40 通算\n");

    o.item = kInnings;
    RankingResult p = runRanking(lg.league(), o, rep);
    EXPECT_EQ(listing(p), "投 151.0 通算\n");
    EXPECT_EQ(p.ruleNote, "規定: 150投球回以上");
}

TEST(Ranking, UnsignedFilesComeFirstTaggedAndRenamedWithValuesUntouched) {
    TestLeague lg;
    TestPlayer yamada = batter("山田", 11, bat("山田", 500, "30"));
    yamada.extraLines = "0011所属=[旧]球団\n";
    lg.addUnsigned(12, {yamada});
    lg.addUnsigned(13, {batter("田中", 12, bat("田中", 500, "20"))});
    // After the gap at 14: never read.
    lg.addUnsigned(15, {batter("遠く", 14, bat("遠く", 500, "99"))});
    lg.addTeam("a.txt", {batter("佐藤", 12, bat("佐藤", 500, "25"))});

    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kHomeRuns), rep);
    EXPECT_EQ(listing(r), "(11)山田 30 0011期\n佐藤 25 0012期\n(12)田中 20 0012期\n");
    EXPECT_EQ(tenvoll::test::lines(r.players.sectionNames()), "(11)山田\n(12)田中\n佐藤\n");
    EXPECT_EQ(r.players.value("(11)山田", "0011所属"), "[旧]球団");
    EXPECT_EQ(r.players.value("(11)山田", "0011成績"), bat("山田", 500, "30"));

    EXPECT_EQ(rep.statuses, (std::vector<std::string>{lg.unsignedPath(12) + "を検索中",
                                                      lg.unsignedPath(13) + "を検索中",
                                                      lg.teamPath("a.txt") + "を検索中"}));
    EXPECT_EQ(rep.progresses.front(), (std::pair<std::size_t, std::size_t>{0, 3}));
    EXPECT_EQ(rep.progresses.back(), (std::pair<std::size_t, std::size_t>{3, 3}));

    RankingOptions active = options(kHomeRuns);
    active.players = RankingPlayers::Active;
    EXPECT_EQ(listing(runRanking(lg.league(), active, rep)), "佐藤 25 0012期\n");
    RankingOptions retired = options(kHomeRuns);
    retired.players = RankingPlayers::Retired;
    EXPECT_EQ(listing(runRanking(lg.league(), retired, rep)),
              "(11)山田 30 0011期\n(12)田中 20 0012期\n");
}

TEST(Ranking, SectionWithoutPitcherFlagIsFoundByNeitherKind) {
    TestLeague lg;
    TestPlayer unknown = batter("不明", 3, bat("不明", 500, "99"));
    unknown.pitcherFlag = "";
    TestPlayer garbled = pitcher("化け", 3, pit("化け", 300, 0));
    garbled.pitcherFlag = "はい";
    lg.addTeam("a.txt", {unknown, garbled, batter("打者", 3, bat("打者", 500, "1")),
                         pitcher("投手", 3, pit("投手", 100, 0))});
    RecordingReporter rep;
    EXPECT_EQ(listing(runRanking(lg.league(), options(kHomeRuns), rep)), "打者 1 0003期\n");
    EXPECT_EQ(listing(runRanking(lg.league(), options(kInnings), rep)), "投手 100.0 0003期\n");
}

TEST(Ranking, RestrictionTakesGamesFromTheFirstSectionOfTheMarks) {
    TestLeague lg;
    lg.addTeam("a.txt",
               {batter("足りない", 3, bat("足りない", 443, "9")),
                batter("ぎりぎり", 3, bat("ぎりぎり", 444, "8")),
                batter("十分", 3, bat("十分", 465, "7")), pitcher("短い", 3, pit("短い", 149, 2)),
                pitcher("長い", 3, pit("長い", 150, 0))});
    RecordingReporter rep;

    lg.writeMarks("150");
    RankingResult r150 = runRanking(lg.league(), options(kHomeRuns, true), rep);
    EXPECT_EQ(listing(r150), "十分 7 0003期\n");
    EXPECT_EQ(r150.ruleNote, "規定: 465打数以上 (150試合×3.1)");
    RankingResult innings = runRanking(lg.league(), options(kInnings, true), rep);
    EXPECT_EQ(listing(innings), "長い 150.0 0003期\n");
    EXPECT_EQ(innings.ruleNote, "規定: 150投球回以上");

    lg.writeMarks("143");
    RankingResult r143 = runRanking(lg.league(), options(kHomeRuns, true), rep);
    EXPECT_EQ(listing(r143), "ぎりぎり 8 0003期\n十分 7 0003期\n");
    EXPECT_EQ(r143.ruleNote, "規定: 444打数以上 (143試合×3.1)");

    // Games that are no whole number restrict nothing, and the note says why.
    lg.writeMarks("不明");
    RankingResult odd = runRanking(lg.league(), options(kHomeRuns, true), rep);
    EXPECT_EQ(odd.rows.size(), 3u);
    EXPECT_EQ(odd.ruleNote, "規定: なし (seiseki.iniの試合数「不明」が整数ではありません)");

    RankingResult open = runRanking(lg.league(), options(kHomeRuns, false), rep);
    EXPECT_EQ(open.rows.size(), 3u);
    EXPECT_EQ(open.ruleNote, "");

    // A marks file that cannot be read stops a restricted ranking only.
    writeBytes(lg.dir.file("league/seiseki.ini"), "[12]\r\n\xFF\xFE\r\n");
    EXPECT_THROW(runRanking(lg.league(), options(kHomeRuns, true), rep), LeagueError);
    EXPECT_EQ(runRanking(lg.league(), options(kHomeRuns, false), rep).rows.size(), 3u);
    EXPECT_TRUE(rep.messages.empty());
}

TEST(Ranking, WithoutMarksFileUsesOneHundredFiftyGamesAndSaysSo) {
    TestLeague lg;
    lg.addUnsigned(1, {batter("古参", 0, bat("古参", 470, "5"))});
    lg.addTeam("a.txt", {batter("新人", 3, bat("新人", 464, "9")),
                         batter("主砲", 3, bat("主砲", 465, "7"))});
    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kHomeRuns, true), rep);
    EXPECT_EQ(listing(r), "主砲 7 0003期\n(0)古参 5 0000期\n");
    EXPECT_TRUE(r.defaultGames);
    EXPECT_EQ(r.ruleNote,
              "規定: 465打数以上 (150試合×3.1) ※seiseki.iniが見つからないため150試合として計算");
    // The message box of the missing file, once per ranked file.
    EXPECT_EQ(rep.messages, (std::vector<std::string>{"ファイルが見つかりません。",
                                                      "ファイルが見つかりません。"}));
}

TEST(Ranking, ValuesThatAreNoNumberSortAsZero) {
    TestLeague lg;
    // A number too big for 64 bits is no number either (it must not wrap around).
    lg.addTeam("a.txt",
               {batter("三", 3, bat("三", 500, "3")), batter("横棒", 3, bat("横棒", 500, "-")),
                batter("巨大", 3, bat("巨大", 500, "20000000000000000000")),
                batter("零", 3, bat("零", 500, "0")), batter("一", 3, bat("一", 500, "1"))});
    RecordingReporter rep;
    EXPECT_EQ(listing(runRanking(lg.league(), options(kHomeRuns), rep)),
              "三 3 0003期\n一 1 0003期\n横棒 - 0003期\n巨大 20000000000000000000 0003期\n"
              "零 0 0003期\n");
    EXPECT_EQ(
        listing(runRanking(lg.league(), options(kHomeRuns, false, RankingOrder::Ascending), rep)),
        "横棒 - 0003期\n巨大 20000000000000000000 0003期\n零 0 0003期\n一 1 0003期\n三 3 0003期\n");
}

TEST(Ranking, ColumnSortComparesTextInShiftJisOrderAndNumbersWithoutPoints) {
    auto row = [](std::string name, std::string average, std::string term) {
        RankingRow r;
        r[0] = std::move(name);
        r[2] = std::move(average);
        r[17] = std::move(term);
        return r;
    };
    std::vector<RankingRow> rows = {row("山田", ".300", "0003期"), row("阿部", "1.000", "0001期"),
                                    row("ｂ", ".-", "通算"), row("Ａ", ".300", "0002期")};
    auto names = [&] {
        std::string s;
        for (const auto& r : rows)
            s += r[0] + " ";
        return s;
    };
    // JIS order puts 阿 (0x88A2) before 山 (0x8E52), unlike Unicode; case is ignored.
    sortRankingRows(rows, 0, RankingOrder::Ascending);
    EXPECT_EQ(names(), "Ａ ｂ 阿部 山田 ");
    sortRankingRows(rows, 2, RankingOrder::Descending);
    EXPECT_EQ(names(), "阿部 Ａ 山田 ｂ ");
    sortRankingRows(rows, 17, RankingOrder::Descending);
    EXPECT_EQ(names(), "ｂ 山田 Ａ 阿部 ");
}

TEST(Ranking, UnreadableFileIsReportedAndTheOthersStillRanked) {
    TestLeague lg;
    lg.writeMarks("150");
    lg.addTeam("a.txt", {batter("残る", 3, bat("残る", 500, "5"))});
    lg.registerTeam("broken.txt");
    writeBytes(lg.teamPath("broken.txt"), "[Team]\r\n\xFF\xFE\xFF\r\n");
    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kHomeRuns), rep);
    EXPECT_EQ(listing(r), "残る 5 0003期\n");
    EXPECT_EQ(r.unreadFiles, (std::vector<std::string>{lg.teamPath("broken.txt")}));
    ASSERT_EQ(rep.messages.size(), 1u);
    EXPECT_NE(rep.messages[0].find("broken.txt"), std::string::npos);
}

TEST(Ranking, LeagueWithoutFolderIsRefused) {
    TestLeague lg; // no Tenvoll.ini at all
    RecordingReporter rep;
    try {
        runRanking(lg.league(), options(kHomeRuns), rep);
        FAIL() << "expected LeagueError";
    } catch (const LeagueError& e) {
        EXPECT_STREQ(e.what(),
                     "検索対象フォルダがありません。最終閲覧チームの機構が検索対象となります。");
    }
}

TEST(Ranking, TermSpansAreReadFromTheKeysThatExist) {
    TestLeague lg;
    // No "最終": terms up to 9999; an absurd "新規" costs nothing.
    TestPlayer open{"開",
                    "0",
                    -2000000000,
                    std::nullopt,
                    {{4, bat("開", 500, "4")}, {9999, bat("開", 500, "9")}},
                    {},
                    {}};
    TestPlayer reversed{"逆", "0", 5, 2, {{3, bat("逆", 500, "99")}}, {}, {}};
    TestPlayer inside{"内", "0", 2, 3, {{1, bat("内", 500, "98")}, {3, bat("内", 500, "3")}},
                      {},   {}};
    lg.addTeam("a.txt", {open, reversed, inside});
    RecordingReporter rep;
    EXPECT_EQ(listing(runRanking(lg.league(), options(kHomeRuns), rep)),
              "開 9 9999期\n開 4 0004期\n内 3 0003期\n");
}

// A player section is read key by key as the store reads it, wherever its keys
// stand: "投手" after the statistics, the first of two keys counts, a key with
// blanks around it is a key, a commented or "="-less line is none, any line end
// ends a line, and a "[" inside a value starts no section.
TEST(Ranking, SectionsAreReadByTheLineRulesOfTheStore) {
    TestLeague lg;
    lg.addTeam("a.txt", {});
    const std::string text =
        "[Team]\r\n投手=0\r\n0003成績=" + bat("チーム", 500, "90") +
        "\r\n"
        "[後]\r\n0003成績=" +
        bat("後", 500, "80") + "\r\n最終=3\r\n新規=3\r\n投手=0\r\n" +
        "[二重]\n投手=1\n投手=0\n0003成績=" + bat("二重", 500, "70") + "\n" +
        "[空白]\r  0003成績  = " + bat("空白", 500, "60") + "\r投手 =0\r新規=3\r新規=4\r" +
        "0002成績=" + bat("空白", 500, "59") + "\r" +
        "[注記]\r\n;0003成績=" + bat("注記", 500, "50") + "\r\n0003成績\r\n投手=0\r\n" +
        "0003成績=" + bat("注記", 500, "5") + "\r\n0003成績=" + bat("注記", 500, "55") +
        "\r\n値=[偽]\r\n  [偽] x\r\n0004成績=" + bat("注記", 500, "4") + "\r\n";
    writeCp932(lg.teamPath("a.txt"), text);
    RecordingReporter rep;
    RankingResult r = runRanking(lg.league(), options(kHomeRuns), rep);
    EXPECT_EQ(listing(r), "後 80 0003期\n空白 60 0003期\n注記 5 0003期\n注記 4 0004期\n");
    EXPECT_EQ(r.players.sectionNames(), (std::vector<std::string>{"後", "空白", "注記"}));
    EXPECT_EQ(r.players.value("注記", "値"), "[偽]");
}

// A line starting with a digit or "-" counts only as "TTTT成績" with the term
// written as the game writes it, blanks or a tab before its "="; every other
// key of a term is passed over, whatever its value, with any line end.
TEST(Ranking, OnlyStatisticsKeysOfWellWrittenTermsAreCandidates) {
    TestLeague lg;
    lg.addTeam("a.txt", {});
    const std::string text =
        "[Team]\r\n[選]\r\n新規=-5\r\n最終=20000\r\n投手=0\r\n0003能力=" + bat("選", 500, "99") +
        "\n00003成績=" + bat("選", 500, "98") + "\r-0000成績=" + bat("選", 500, "97") +
        "\r\n0003成績x=" + bat("選", 500, "96") + "\r\n0003 成績=" + bat("選", 500, "95") +
        "\r\r\n0003成績\t=" + bat("選", 500, "30") + "\n-0002成績 =" + bat("選", 500, "20") +
        "\r12345成績=" + bat("選", 500, "10") + "\r\n";
    writeCp932(lg.teamPath("a.txt"), text);
    RecordingReporter rep;
    EXPECT_EQ(listing(runRanking(lg.league(), options(kHomeRuns), rep)),
              "選 30 0003期\n選 20 -0002期\n選 10 12345期\n");
}

// Rankings run together read every file once and give each ranking what it
// gives alone: rows, gathered sections and unread files; the term option keeps
// the single terms of one term.
TEST(Rankings, TogetherGiveWhatEachGivesAloneAndTheTermOptionKeepsOneTerm) {
    TestLeague lg;
    lg.writeMarks("150");
    std::vector<TestPlayer> team;
    for (int i = 0; i < 130; ++i) {
        TestPlayer b = batter("打" + std::to_string(i), 3,
                              bat("打" + std::to_string(i), 470 + i % 7, std::to_string(i % 40)));
        b.last = 4;
        b.stats.push_back({4, bat("打" + std::to_string(i), 480, std::to_string(60 - i % 50))});
        b.career = bat("打" + std::to_string(i), 950, std::to_string(i % 40 + 60 - i % 50));
        team.push_back(b);
        team.push_back(pitcher("投" + std::to_string(i), 4,
                               pit("投" + std::to_string(i), 150 + i % 30, i % 3)));
    }
    lg.addTeam("a.txt", team);
    lg.addUnsigned(4, {batter("引退", 3, bat("引退", 500, "45"))});
    lg.registerTeam("missing.txt");

    std::vector<RankingOptions> all;
    for (int item : {kHomeRuns, kInnings, kPitcherHits})
        for (int mode = 0; mode < 3; ++mode) {
            RankingOptions o =
                options(item, true,
                        item == kPitcherHits ? RankingOrder::Ascending : RankingOrder::Descending);
            o.career = mode == 2;
            if (mode == 0)
                o.term = 4;
            all.push_back(o);
        }
    RecordingReporter together;
    const std::vector<RankingResult> results = runRankings(lg.league(), all, together);
    ASSERT_EQ(results.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        RecordingReporter alone;
        const RankingResult one = runRanking(lg.league(), all[i], alone);
        EXPECT_EQ(results[i].rows, one.rows) << i;
        EXPECT_EQ(results[i].players.serialize(), one.players.serialize()) << i;
        EXPECT_EQ(results[i].ruleNote, one.ruleNote) << i;
        EXPECT_EQ(results[i].unreadFiles, one.unreadFiles) << i;
    }
    // The term ranking holds term 4 alone; the single-term ranking both terms.
    for (const RankingRow& row : results[0].rows)
        EXPECT_EQ(row[17], "0004期");
    EXPECT_GE(results[0].rows.size(), 100u);
    std::set<std::string> terms;
    for (const RankingRow& row : results[1].rows)
        terms.insert(row[17]);
    EXPECT_EQ(terms, (std::set<std::string>{"0003期", "0004期"}));
    // Each file was read once: one status per file.
    EXPECT_EQ(together.statuses.size(), 2u);
}
