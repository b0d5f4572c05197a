// Player history engine on fixtures/player-detail: rows, marks, summary,
// clipboard texts and the CSV file.
#include "player/PlayerHistory.h"
#include "league/IniStore.h"
#include "league/TextCodec.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::fixture;

namespace {

struct Fixture {
    IniStore team = IniStore::load(fixture("player-detail/team.txt"));
    std::optional<StatsMarksFile> marks = StatsMarksFile::loadFromFolder(fixture("player-detail"));
    PlayerHistory history(std::string_view name, bool withMarks = true) {
        return buildPlayerHistory(*team.section(name), name, withMarks ? &*marks : nullptr);
    }
};

std::vector<std::string> rowTexts(const HistoryRow& row) {
    std::vector<std::string> out;
    for (const auto& c : row)
        out.push_back(c.text);
    return out;
}

std::vector<int> rowMarks(const HistoryRow& row, int from, int to) {
    std::vector<int> out;
    for (int c = from; c <= to; ++c)
        out.push_back(static_cast<int>(row[static_cast<std::size_t>(c)].mark));
    return out;
}

} // namespace

TEST(PlayerHistory, BatterRowsLatestFirstWithCareerTotals) {
    Fixture f;
    PlayerHistory h = f.history("打者ソ");
    EXPECT_FALSE(h.pitcher);
    EXPECT_EQ(h.title, "打者ソ 右 普");
    EXPECT_EQ(h.abilityLabel, "信頼 対左  B C");
    EXPECT_EQ(h.aptitudeHeader, "【Sp】【Pw】【Se】【Ph】【Me】"); // "mirel" in any case
    EXPECT_EQ(h.aptitudeValues, " S     A     B     C     D");
    ASSERT_EQ(h.rows.size(), 3u);
    EXPECT_EQ(rowTexts(h.rows[0]),
              (std::vector<std::string>{"3",   "B",    "D",    "E",   "D",        "D",   "D",
                                        "B",   "C",    "C",    "C",   "C",        "C",   "12",
                                        "265", "25",   ".300", "250", "800",      "240", "40",
                                        "5",   "30",   "120",  "10",  "90",       "150", "20",
                                        "12",  ".461", ".371", "*",   "通算成績", "5"}));
    EXPECT_EQ(rowTexts(h.rows[1])[32], "詳細テスト");
    EXPECT_EQ(rowTexts(h.rows[1])[16], ".300");
    // A term without statistics: fillers in 16-31, not counted as a first-team year.
    std::vector<std::string> oldest = rowTexts(h.rows[2]);
    EXPECT_EQ(oldest[0], "5");
    EXPECT_EQ(oldest[15], "23");
    for (int c = 16; c <= 31; ++c)
        EXPECT_EQ(oldest[static_cast<std::size_t>(c)], "*") << c;
    EXPECT_EQ(oldest[33], "3");
}

TEST(PlayerHistory, BatterMarksAgainstTheTermBeforeAndTheLeague) {
    Fixture f;
    PlayerHistory h = f.history("打者ソ");
    EXPECT_EQ(rowMarks(h.rows[0], 1, 15),
              (std::vector<int>{1, 0, -1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, -1, 0}));
    EXPECT_EQ(rowMarks(h.rows[0], 16, 33),
              (std::vector<int>{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0}));
    EXPECT_EQ(rowMarks(h.rows[1], 1, 14),
              (std::vector<int>{1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 1, 1}));
    // Average at the tenth-highest, 500 at-bats above it, 5 errors at the tenth-lowest.
    EXPECT_EQ(rowMarks(h.rows[1], 16, 30),
              (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(rowMarks(h.rows[2], 0, 33), std::vector<int>(34, 0));

    PlayerHistory plain = f.history("打者ソ", false);
    EXPECT_EQ(rowMarks(plain.rows[1], 16, 30), std::vector<int>(15, 0));
}

TEST(PlayerHistory, PitcherRowsMarksAndInningsRoundedInTheSummary) {
    Fixture f;
    PlayerHistory h = f.history("投手表");
    EXPECT_TRUE(h.pitcher);
    EXPECT_EQ(h.aptitudeHeader, " "); // no "ツール"
    EXPECT_EQ(h.aptitudeValues, " ");
    EXPECT_EQ(h.abilityLabel, "");
    EXPECT_EQ(rowTexts(h.rows[0]),
              (std::vector<std::string>{"P",  "138", "B",    "C",     "D",        "C", "C",
                                        "C",  "6",   "310",  "*",     "*",        "*", "*",
                                        "*",  "31",  "2.53", "30",    "2",        "8", "4",
                                        "1",  "3",   "10",   "2",     "9",        "1", "5",
                                        "12", "3",   ".667", "10.13", "通算成績", "5"}));
    EXPECT_EQ(rowMarks(h.rows[0], 1, 9), (std::vector<int>{-1, 1, 0, -1, 0, 0, 0, 1, 0}));
    // Term 4 against the league: ERA and walks read "low is good", innings below the games fall.
    EXPECT_EQ(rowMarks(h.rows[1], 16, 31),
              (std::vector<int>{-1, 0, 1, 0, 1, -1, 0, -1, 0, 1, 1, 1, -1, 1, 0, 1}));
    EXPECT_EQ(h.summary, "プロ通算：  2年目, 一軍在籍：  1年, 通算：   30試合出場\r\n"
                         "   11イニング,   8勝,   4敗,   3SP,   5与四球,  12奪三振,\r\n"
                         "通算防御率 2.53\r\n");
}

TEST(PlayerHistory, BatterSummaryAndSingleTermPlayer) {
    Fixture f;
    EXPECT_EQ(f.history("打者ソ").summary,
              "プロ通算：  3年目, 一軍在籍：  1年, 通算：  250試合出場\r\n"
              "  800打数,  240安打,  30本,  120打点,  150三振,   20盗塁,\r\n"
              "通算打率　 .300\r\n");

    PlayerHistory single = f.history("一期能");
    ASSERT_EQ(single.rows.size(), 1u);
    EXPECT_EQ(single.aptitudeHeader, " "); // "標準"
    EXPECT_EQ(rowMarks(single.rows[0], 1, 15), std::vector<int>(15, 0));
    EXPECT_EQ(single.rows[0][16].text, "*");
    EXPECT_EQ(single.rows[0][32].text, "通算成績");
    // No statistics anywhere: no batting-average line, and no error either.
    EXPECT_EQ(single.summary, "プロ通算：  1年目, 一軍在籍： -1年, 通算：    *試合出場\r\n"
                              "    *打数,    *安打,   *本,    *打点,    *三振,    *盗塁,\r\n");
}

TEST(PlayerHistory, NonNumericValuesCountAsZeroAndTheHistoryStaysWhole) {
    IniStore team =
        IniStore::parse("[乱]\r\n新規=1\r\n最終=2\r\n投手=1\r\n通算成績=乱 詳 x 1 0 0 0 0 0 九 二 "
                        "0 0 0 0 0 .0 0 \r\n"
                        "0001能力=P 乱 右 本 速い B B B B B B ? 10 \r\n0001資質=20 \r\n"
                        "0002能力=P 乱 右 本 140 A B B B B B 5 12 \r\n0002資質=21 \r\n");
    PlayerHistory h = buildPlayerHistory(*team.section("乱"), "乱", nullptr);
    ASSERT_EQ(h.rows.size(), 2u);
    EXPECT_EQ(h.rows[0][1].mark, Mark::Up); // 140 against "速い" counted as 0
    EXPECT_EQ(h.rows[0][8].mark, Mark::Up);
    EXPECT_EQ(h.rows[1][33].text, "1");
    EXPECT_NE(h.summary.find("    0イニング"), std::string::npos);
}

// Damaged career innings are clamped to 10^9 for the summary instead of
// overflowing when counted in thirds.
TEST(PlayerHistory, SummaryClampsDamagedInnings) {
    IniStore team = IniStore::parse(
        "[乱]\r\n新規=1\r\n最終=1\r\n投手=1\r\n通算成績=乱 詳 1.00 1 0 0 0 0 0 "
        "9223372036854775807 2 0 0 0 0 0 .0 0 \r\n0001能力=P 乱 右 本 140 A B B B B B 5 12 \r\n");
    PlayerHistory h = buildPlayerHistory(*team.section("乱"), "乱", nullptr);
    EXPECT_NE(h.summary.find("1000000001イニング"), std::string::npos) << h.summary;
}

TEST(PlayerHistory, ClipboardTextsAndTheirErrorCodes) {
    Fixture f;
    const IniSection* batter = f.team.section("打者ソ");
    EXPECT_EQ(copiedPlayerData(batter, "4", StoreSide::Top),
              batter->value("0004能力") + " ; 24 A B C D E F G ");
    EXPECT_EQ(copiedStatistics(batter, "5", true, StoreSide::Top), batter->value("通算成績"));
    EXPECT_EQ(copiedStatistics(batter, "4", false, StoreSide::Bottom), batter->value("0004成績"));

    IniStore sparse = IniStore::parse("[疎]\r\n0004資質=20 \r\n");
    const IniSection* s = sparse.section("疎");
    EXPECT_EQ(copiedPlayerData(s, "4", StoreSide::Top), "Error111 ; 20 ");
    EXPECT_EQ(copiedPlayerData(s, "3", StoreSide::Top), "Error111 ; Error112");
    EXPECT_EQ(copiedPlayerData(s, "3", StoreSide::Bottom), "Error113 ; Error114");
    EXPECT_EQ(copiedStatistics(s, "4", false, StoreSide::Top), "Error115");
    EXPECT_EQ(copiedStatistics(s, "4", false, StoreSide::Bottom), "Error116");
    EXPECT_EQ(copiedStatistics(s, "4", true, StoreSide::Top), "Error117");
    EXPECT_EQ(copiedStatistics(s, "4", true, StoreSide::Bottom), "Error118");
}

TEST(PlayerHistory, CsvFileByteForByte) {
    Fixture f;
    PlayerHistory h = f.history("打者ソ");
    EXPECT_EQ(encodeCp932(joinCrlf(playerHistoryCsv(h, "打者ソ")), "csv"),
              tenvoll::test::readBytes(fixture("player-detail/打者ソ.csv")));
}
