// Ranking CSV: heading lines, rows as listed, the proposed name, the bytes on disk.
#include "mainwindow/RankingCsv.h"
#include "league/TextCodec.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

TEST(RankingCsv, WritesHeadingCaptionsAndRowsAsShiftJisWithCrLf) {
    RankingOptions o;
    o.item = 22;
    o.restricted = false;
    o.order = RankingOrder::Ascending;
    RankingCsvHeading heading = rankingCsvHeading(o);
    EXPECT_EQ(rankingCsvFileName(heading), "投手_投球回数を制限なしで昇順");

    RankingRow row = {"(11)甲", "テ",  "2.50", "25", "3",   "12", "8",    "0",    "0",
                      "101.3",  "150", "15",   "40", "150", "60", ".600", "7.50", "0011期"};
    TempFolder dir;
    std::string path = dir.file("out.csv");
    writeBytes(path, "old content that is longer than the new one, to be replaced whole");
    writeRankingCsv(dir.path(), path, rankingCsvLines(heading, rankingCaptions(o.item), {row}));

    std::string expected =
        "投手_投球回数,制限なし,昇順\r\n"
        "名前,略,防率,試,完,勝,負,Ｓ,Ｐ,回,被安,本,四,振,点,勝率,三振,期別\r\n"
        "(11)甲,テ,2.50,25,3,12,8,0,0,101.3,150,15,40,150,60,.600,7.50,0011期\r\n";
    EXPECT_EQ(readBytes(path), encodeCp932(expected, path));
}

TEST(RankingCsv, EmptyListStillHasItsTwoHeadingLines) {
    RankingOptions o; // 野手_打率, restricted, descending
    std::vector<std::string> lines = rankingCsvLines(rankingCsvHeading(o), rankingCaptions(0), {});
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "野手_打率,打席数、投球回数で制限,降順",
                         "名前,略,打率,試,打,安,２,３,本,点,犠,四,振,盗,失,長打,出塁,期別"}));
    EXPECT_EQ(rankingCsvFileName(rankingCsvHeading(o)), "野手_打率を打席数、投球回数で制限で降順");
}
