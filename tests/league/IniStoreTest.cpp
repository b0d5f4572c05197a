// INI store: file order, case-insensitive names, duplicates, malformed lines.
#include "league/IniStore.h"

#include <gtest/gtest.h>

using namespace tenvoll;

TEST(IniStore, KeepsOrderAndFindsNamesIgnoringCase) {
    IniStore ini = IniStore::parse("[Main]\r\nTeam1=\\a.txt\r\n[ｂｉｇ]\r\nKey=1\r\n");
    EXPECT_EQ(ini.value("main", "TEAM1"), "\\a.txt");
    EXPECT_EQ(ini.value("ＢＩＧ", "key"), "1");
    EXPECT_EQ(ini.serialize(), "[Main]\r\nTeam1=\\a.txt\r\n[ｂｉｇ]\r\nKey=1\r\n");
}
