// Settings file: defaults, stored paths, the league registry and its menus,
// and the colour values.
#include "league/Settings.h"
#include "league/Colours.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

Settings loaded(const TempFolder& dir, std::string_view text) {
    test::writeCp932(dir.file("Tenvoll.ini"), text);
    Settings s(dir.path());
    s.load();
    return s;
}

bool operator==(const HighlightColours& a, const HighlightColours& b) {
    return a.upBackground == b.upBackground && a.upText == b.upText &&
           a.downBackground == b.downBackground && a.downText == b.downText;
}

} // namespace

TEST(Settings, MissingFileGivesTheDefaults) {
    TempFolder dir;
    Settings s(dir.path());
    s.load();
    EXPECT_EQ(s.team1(), "");
    EXPECT_EQ(s.fullPath(s.team1()), "");
    EXPECT_EQ(s.leagueName(), "ボルタナ選手名鑑");
    EXPECT_TRUE(s.colours() == HighlightColours{});
    EXPECT_EQ(s.colours().upBackground, 0x0000FFu);
    EXPECT_TRUE(s.teamMenuPaths(s.leagueName()).empty());
    EXPECT_TRUE(s.entries(s.leagueName()).empty());
    EXPECT_EQ(s.leagueFolder(s.leagueName()), "");
}

TEST(Settings, TeamPathsRelativeOrWithADrive) {
    TempFolder dir;
    Settings s = loaded(dir, "[Main]\nTeam1=\\L\\a.txt\nTeam2=/elsewhere/b.txt\n機構名=L\n");
    EXPECT_EQ(s.fullPath(s.team1()), dir.file("L/a.txt"));
    EXPECT_EQ(s.fullPath(s.team2()), test::native("/elsewhere/b.txt"));
    EXPECT_EQ(s.leagueName(), "L");
}

// Menu entries run from "チーム数" − 1 down to 0 and end in ascending order;
// entries of two fields or fewer are left out, and a key past the count (left
// by a shorter list) is not offered.
TEST(Settings, RegistryEntriesAndMenus) {
    TempFolder dir;
    Settings s = loaded(dir, "[L]\n機構名=\nチーム数=2\n"
                             "チーム名0=一軍A,二軍A,\\L\\a.txt\n"
                             "チーム名1=一軍B,二軍B\n"
                             "チーム名2=一軍C,二軍C,\\L\\c.txt\n"
                             "[Zero]\nチーム数=0\nチーム名0=一軍,二軍,\\Z\\z.txt\n"
                             "[Broken]\nチーム数=999999999999\nチーム名3=x,y,\\B\\b.txt\n");
    EXPECT_EQ(s.teamMenuPaths("l"), (std::vector<std::string>{"\\L\\a.txt"}));
    auto entries = s.entries("L");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].firstTeam, "一軍A");
    EXPECT_EQ(entries[0].farmTeam, "二軍A");
    EXPECT_EQ(entries[0].path, "\\L\\a.txt");
    EXPECT_EQ(s.leagueFolder("L"), dir.file("L"));

    EXPECT_EQ(s.teamMenuPaths("Zero"), (std::vector<std::string>{"\\Z\\z.txt"}));
    EXPECT_TRUE(s.entries("Zero").empty());

    // A damaged count must not stall the program.
    EXPECT_EQ(s.teamMenuPaths("Broken"), (std::vector<std::string>{"\\B\\b.txt"}));
    EXPECT_EQ(s.entries("Broken").size(), 1u);
}

TEST(Settings, ColoursByNameOrNumber) {
    struct Case {
        std::string text;
        std::optional<ColourValue> value;
    };
    const Case cases[] = {
        {"clRed", 0x0000FF},         {"CLRED", 0x0000FF},     {"clBlue", 0xFF0000},
        {"clSkyBlue", 0xF0CAA6},     {"$00FF8000", 0xFF8000}, {"$0000ff", 0x0000FF},
        {"255", 0x0000FF},           {"16777215", 0xFFFFFF},  {"16777216", std::nullopt},
        {"$80000005", std::nullopt}, {"-1", std::nullopt},    {"clNoSuchColour", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseColour(c.text), c.value) << c.text;
    EXPECT_EQ(colourText(0x0000FF), "clRed");
    EXPECT_EQ(colourText(0x123456), "$00123456");
    EXPECT_EQ(colourText(0xC0DCC0), "$00C0DCC0");

    TempFolder dir;
    Settings s = loaded(dir, "[Main]\nUp背景色=clLime\nUpフォント色=$00FF8000\n"
                             "Down背景色=255\nDownフォント色=clNoSuchColour\n");
    HighlightColours c = s.colours();
    EXPECT_EQ(c.upBackground, 0x00FF00u);
    EXPECT_EQ(c.upText, 0xFF8000u);
    EXPECT_EQ(c.downBackground, 0x0000FFu);
    EXPECT_EQ(c.downText, 0xFFFFFFu); // unreadable: the default
}

TEST(Settings, SavesMainValuesAndKeepsTheRest) {
    TempFolder dir;
    Settings s = loaded(dir, "[Main]\nTeam1=old\n[L]\nチーム数=1\n");
    s.setMain("\\L\\a.txt", "\\L\\b.txt", "L");
    s.setColours({0x00FF00, 0x123456, 0xFF0000, 0xFFFFFF});
    s.save();
    EXPECT_EQ(
        test::readCp932(dir.file("Tenvoll.ini")),
        "[Main]\nTeam1=\\L\\a.txt\nTeam2=\\L\\b.txt\n機構名=L\nUp背景色=clLime\n"
        "Upフォント色=$00123456\nDown背景色=clBlue\nDownフォント色=clWhite\n[L]\nチーム数=1\n");
    Settings again(dir.path());
    again.load();
    EXPECT_TRUE(again.colours() == s.colours());
}
