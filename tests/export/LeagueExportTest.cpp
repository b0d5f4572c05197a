// The export file as the game reads it, compared whole with hand-written
// expected files: slot order with gaps, first teams before farm teams, the
// roster entry's position, missing data and header values, latest against
// previous-term data, and teams whose file has gone.
#include "ExportLeague.h"

#include "export/LeagueExport.h"
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/OutputTarget.h"
#include "league/Paths.h"

using namespace tenvoll;
using tenvoll::test::ExportLeague;

TEST_F(ExportLeague, FirstTeamsInSlotOrderThenFarmTeams) {
    // Slot 3 is filled first and slot 2 stays empty: the file follows slot numbers.
    ExportTeamList list = teamList();
    list.assignPrevious(kBlue, 3);
    list.assignPrevious(kRed, 1);
    // 赤組: entry positions replace the stored ones, a player without last-term
    // data ("最終" 0 looks up term -1) and a player without a section get
    // "データなし"; 青組: only first-team entries, an empty and a missing header
    // value, so its farm block has no player lines.
    EXPECT_EQ(exportBytes(list), expected("slots-1-and-3-previous.txt"));
}

TEST_F(ExportLeague, LatestDataComesFromTheNextSeasonCopy) {
    makeNextSeasonCopy("東/赤組.txt");
    // The team file itself must not be read for latest data.
    IniStore team = IniStore::load(folder.file("東/赤組.txt"));
    team.removeSectionsIf([](const IniSection& s) { return s.name() != "Team"; });
    team.save(folder.file("東/赤組.txt"));

    ExportTeamList list = teamList();
    EXPECT_EQ(list.assignLatest(kRed, 2), "");
    EXPECT_EQ(exportBytes(list), expected("slot-2-latest.txt"));
}

TEST_F(ExportLeague, TheLastAssignmentOfASlotDecidesItsTeamAndData) {
    makeNextSeasonCopy("東/赤組.txt");
    ExportTeamList list = teamList();
    // Latest, then previous on the same slot: previous-term data.
    list.assignLatest(kRed, 1);
    list.assignPrevious(kRed, 1);
    // 緑組 into slot 3, then 青組 into slot 3: only 青組 stays there.
    list.assignPrevious(kGreen, 3);
    list.assignPrevious(kBlue, 3);
    EXPECT_EQ(list.rows()[kGreen].label, "未");
    EXPECT_EQ(list.rows()[kRed].label, "前期データ1番目");
    EXPECT_EQ(list.rows()[kBlue].label, "前期データ3番目");
    EXPECT_EQ(exportBytes(list), expected("slots-1-and-3-previous.txt"));
}

TEST_F(ExportLeague, OneTeamInTwoSlotsIsWrittenTwice) {
    ExportTeamList list = teamList();
    list.assignPrevious(kRed, 1);
    list.assignPrevious(kRed, 3);
    // The label moves to slot 3; slot 1 still holds the team.
    EXPECT_EQ(list.rows()[kRed].label, "前期データ3番目");
    EXPECT_EQ(list.slot(1).path, "\\東\\赤組.txt");
    EXPECT_EQ(list.slot(3).path, "\\東\\赤組.txt");
    LeagueExportFile file = buildLeagueExport(folder.path(), list.exportSlots());
    EXPECT_EQ(std::count(file.lines.begin(), file.lines.end(), "  赤組 赤 ◆ 赤球場"), 2);
    EXPECT_EQ(std::count(file.lines.begin(), file.lines.end(), "  赤組二軍 赤二 ◇ 赤第二球場"), 2);
}

TEST_F(ExportLeague, TeamsWhoseFileHasGoneAreLeftOutAndNamed) {
    makeNextSeasonCopy("東/青組.txt");
    ExportTeamList list = teamList();
    list.assignPrevious(kGreen, 2); // registered, but its file does not exist
    list.assignPrevious(kRed, 1);
    EXPECT_EQ(list.assignLatest(kBlue, 3), "");
    // The next-season copy disappears after the assignment.
    ASSERT_TRUE(removeFile(folder.file("東/青組.tvl")));

    LeagueExportFile file = buildLeagueExport(folder.path(), list.exportSlots());
    EXPECT_EQ(file.assignedSlots, 3);
    EXPECT_EQ(file.exportedSlots, 1);
    EXPECT_EQ(file.leftOut, (std::vector<std::string>{"緑組", "青組"}));
    EXPECT_EQ(exportDoneMessage(file),
              "データエクスポート終了！\nファイルが見つからなかったため出力されなかったチーム: "
              "緑組、青組");
    EXPECT_EQ(file.lines.front(),
              ";--------------------------------------------------------------------");
    EXPECT_EQ(std::count(file.lines.begin(), file.lines.end(), file.lines.front()), 2);

    ExportTeamList none = teamList();
    none.assignPrevious(kWhite, 6);
    LeagueExportFile nothing = buildLeagueExport(folder.path(), none.exportSlots());
    EXPECT_EQ(nothing.exportedSlots, 0);
    EXPECT_TRUE(nothing.lines.empty());
    EXPECT_EQ(exportDoneMessage(LeagueExportFile{}), "データエクスポート終了！");
}

TEST_F(ExportLeague, AnUnreadableTeamFileStopsTheExport) {
    test::writeBytes(folder.file("東/赤組.txt"), "[Team]\r\n1軍チーム名=\x82\r\n");
    ExportTeamList list = teamList();
    list.assignPrevious(kRed, 1);
    EXPECT_THROW(buildLeagueExport(folder.path(), list.exportSlots()), LeagueError);
}

TEST_F(ExportLeague, NeverWritesOverTheLeaguesFiles) {
    const IniStore settings = IniStore::load(folder.file("Tenvoll.ini"));
    for (const char* file : {"東/赤組.txt", "東/青組.TVL", "西/緑組.txt", "tenvoll.ini"})
        EXPECT_THROW(checkOutputTarget(folder.path(), settings, folder.file(file)), LeagueError)
            << file;
    EXPECT_NO_THROW(checkOutputTarget(folder.path(), settings, folder.file("東/出力.txt")));
    EXPECT_NO_THROW(checkOutputTarget(folder.path(), settings, folder.file("出力.txt")));
}

TEST(ExportPlayerLine, PositionOfTheEntryAndDataOfTheChosenTerm) {
    const IniStore store = IniStore::parse("[甲]\r\n最終=3\r\n0002能力=8 甲 右 \r\n"
                                           "0002資質=20 A \r\n0003能力=7 甲 左 \r\n"
                                           "[乙]\r\n最終=x\r\n0000能力=P 乙 \r\n");
    const std::pair<std::string, std::string> cases[] = {
        {"9 甲", "9 甲 右  ; 20 A "},
        {"9,甲,余分", "9 甲 右  ; 20 A "},
        {"D  甲", "D 甲 右  ; 20 A "},
        {"P 乙", "Pータなし ; データなし"}, // "最終" unreadable: 0, so term -1
        {"- 丙", "-ータなし ; データなし"},
        {"甲", ""},
        {"", ""},
    };
    for (const auto& [entry, line] : cases)
        EXPECT_EQ(exportPlayerLine(store, entry, false), line) << entry;
    EXPECT_EQ(exportPlayerLine(store, "2 甲", true), "2 甲 左  ; データなし");
}
