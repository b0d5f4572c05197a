// Roster CSV of a pane: every grid row with 73 fields, marks as △/▼, empty
// rows kept, the team name first; and the menu's behaviour per tab.
#include "mainwindow/PaneCsv.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/TextCodec.h"
#include "mainwindow/PaneLoader.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::fixture;

TEST(PaneCsv, RosterLinesByteForByte) {
    PaneLoad load = loadPane(fixture("main-window/リーグ/東京.txt"), true);
    std::vector<std::string> lines = rosterCsvLines(load.teamName, load.content);
    ASSERT_EQ(lines.size(), 1u + 4u + 16u + 12u + 16u + 12u);
    EXPECT_EQ(lines[0], "東京ボルタナ");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        // Count fields by the separators: "," never occurs inside a cell.
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ',') + 1, 73) << i;
    }
    EXPECT_EQ(lines[4 + 16 + 12 + 16 + 12], std::string(72, ','));
    EXPECT_EQ(encodeCp932(joinCrlf(lines), "csv"),
              tenvoll::test::readBytes(fixture("main-window/東京ボルタナ.csv")));
}
