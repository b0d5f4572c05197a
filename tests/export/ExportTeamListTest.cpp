// The export team list: rows of every league, one label per slot, the
// latest-data check and the column sort with its shared direction.
#include "ExportLeague.h"

#include "export/ExportTeamList.h"

using namespace tenvoll;
using tenvoll::test::ExportLeague;

namespace {

std::vector<std::string> column(const ExportTeamList& list, int c) {
    std::vector<std::string> out;
    for (const ExportRow& r : list.rows())
        out.push_back(r.cell(c));
    return out;
}

} // namespace

TEST_F(ExportLeague, RowsOfEveryLeagueInRegistryOrder) {
    const ExportTeamList list = teamList();
    // "Main" is no league; the empty entry is skipped; a fourth field is not used.
    EXPECT_EQ(column(list, kExportLeagueColumn),
              (std::vector<std::string>{"東リーグ", "東リーグ", "西リーグ", "西リーグ"}));
    EXPECT_EQ(column(list, kExportLabelColumn), (std::vector<std::string>(4, "未")));
    EXPECT_EQ(column(list, kExportFirstColumn),
              (std::vector<std::string>{"赤組", "青組", "緑組", "白組"}));
    EXPECT_EQ(column(list, kExportFarmColumn),
              (std::vector<std::string>{"赤組二軍", "青組二軍", "緑組二軍", "白組二軍"}));
    EXPECT_EQ(column(list, kExportPathColumn),
              (std::vector<std::string>{"\\東\\赤組.txt", "\\東\\青組.txt", "\\西\\緑組.txt",
                                        "\\西\\白組.txt"}));
    for (const ExportSlot& s : list.exportSlots())
        EXPECT_FALSE(s.assigned());
}

TEST_F(ExportLeague, EachSlotLabelShowsOnOneRowOnly) {
    makeNextSeasonCopy("東/青組.txt");
    ExportTeamList list = teamList();
    list.assignPrevious(kRed, 2);
    list.assignPrevious(kGreen, 4);
    // 青組 takes slot 2 with latest data: 赤組's label returns to "未".
    EXPECT_EQ(list.assignLatest(kBlue, 2), "");
    EXPECT_EQ(column(list, kExportLabelColumn),
              (std::vector<std::string>{"未", "最新データ2番目", "前期データ4番目", "未"}));
    EXPECT_EQ(list.slot(2).path, "\\東\\青組.txt");
    EXPECT_TRUE(list.slot(2).latest);
    EXPECT_EQ(list.slot(2).teamName, "青組");

    EXPECT_EQ(labelSlotPart("最新データ2番目"), "2番目");
    EXPECT_EQ(labelSlotPart("前期データ2番目"), "2番目");
    EXPECT_EQ(labelSlotPart("未"), "未");
}

TEST_F(ExportLeague, LatestDataNeedsTheNextSeasonCopy) {
    ExportTeamList list = teamList();
    list.assignPrevious(kBlue, 5);
    list.assignPrevious(kRed, 1);
    // No "赤組.tvl": nothing changes, the status names the team.
    EXPECT_EQ(list.assignLatest(kRed, 5), "赤組の開幕データはありませんでした");
    EXPECT_EQ(list.rows()[kRed].label, "前期データ1番目");
    EXPECT_EQ(list.rows()[kBlue].label, "前期データ5番目");
    EXPECT_EQ(list.slot(5).path, "\\東\\青組.txt");
    EXPECT_FALSE(list.slot(5).latest);

    // A copy whose name differs only in letter case counts (files from Windows).
    test::writeBytes(folder.file("東/赤組.TVL"), "[Team]\r\n");
    EXPECT_EQ(list.assignLatest(kRed, 5), "");
    EXPECT_EQ(list.slot(5).path, "\\東\\赤組.txt");
}

TEST(ExportTeamListSort, OneDirectionSharedByAllColumns) {
    auto row = [](std::string league, std::string first, std::size_t id) {
        return ExportRow{std::move(league), "未", std::move(first), "", "", id};
    };
    ExportTeamList list("/none", {row("b", "Ｚ", 0), row("A", "x", 1), row("c", "Y", 2)});
    ExportSort sort;
    // The first click sorts ascending, ignoring letter case.
    list.clickColumn(kExportLeagueColumn, sort);
    EXPECT_EQ(column(list, kExportLeagueColumn), (std::vector<std::string>{"A", "b", "c"}));
    // A click on another column flips the same flag: descending.
    list.clickColumn(kExportFirstColumn, sort);
    EXPECT_EQ(column(list, kExportFirstColumn), (std::vector<std::string>{"Ｚ", "Y", "x"}));
    EXPECT_TRUE(sort.descending);
    EXPECT_EQ(sort.column, kExportFirstColumn);

    // The export sorts ascending by label: assigned rows first.
    list.assignPrevious(2, 6);
    list.sortForExport(sort);
    EXPECT_FALSE(sort.descending);
    EXPECT_EQ(column(list, kExportLabelColumn),
              (std::vector<std::string>{"前期データ6番目", "未", "未"}));
}

TEST(ExportTeamListSort, FindsAStoredPathWithEitherSlash) {
    ExportTeamList list("/none", {ExportRow{"L", "未", "甲", "乙", "\\L\\Team1.txt", 0}});
    EXPECT_EQ(list.findPath("\\l\\team1.TXT"), 0);
    EXPECT_EQ(list.findPath("/L/Team1.txt"), 0);
    EXPECT_EQ(list.findPath("\\L\\Team2.txt"), -1);
}
