// A small two-league program folder for the export tests (fixture
// "export_league"): 赤組 with first-team and farm players, 青組 with
// first-team players only and missing or empty header values, and two teams
// of 西リーグ whose files do not exist.
#pragma once

#include "export/ExportTeamList.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace tenvoll::test {

class ExportLeague : public ::testing::Test {
protected:
    void SetUp() override { copyFixtureFolder("export_league", folder.path()); }

    // The list as the window fills it from the settings file.
    ExportTeamList teamList() const;
    // Registry rows (in registry order) of the fixture's teams.
    static constexpr std::size_t kRed = 0, kBlue = 1, kGreen = 2, kWhite = 3;

    // The next-season copy made the way the opening-order window makes it.
    void makeNextSeasonCopy(std::string_view teamFile) const;
    // The bytes the export writes for the list's slots.
    std::string exportBytes(const ExportTeamList& list) const;
    static std::string expected(std::string_view name);

    TempFolder folder;
};

} // namespace tenvoll::test
