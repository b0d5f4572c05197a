// Round trip through the game's format: the big sample league's teams
// exported with previous-term data and fed to the term update as growth files
// come back with the same rosters and the same ability and aptitude texts.
#include "export/ExportTeamList.h"
#include "export/LeagueExport.h"
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "support/TestFiles.h"
#include "termupdate/TermUpdate.h"
#include "tools/sample-league/SampleLeague.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using tenvoll::test::TempFolder;

TEST(ExportRoundTrip, TermUpdateReadsTheExportedTeamsBack) {
    TempFolder folder;
    const sample::SampleSummary league = sample::writeSampleLeague(folder.path(), {12, 40, 300, 1});
    Settings settings(folder.path());
    settings.load();
    const std::vector<LeagueEntry> entries = settings.entries(league.leagueName);
    ASSERT_EQ(entries.size(), 12u);
    std::vector<IniStore> before;
    for (const std::string& path : league.teamFiles)
        before.push_back(IniStore::load(path));

    // Six teams per file, slots 1 to 6, as the growth files of the next term.
    std::filesystem::remove_all(platform::fsPath(folder.file("temp")));
    TermUpdateInput input{folder.path(),
                          league.leagueName,
                          league.latestTerm + 1,
                          ToolVariant::Standard,
                          kDefaultGames,
                          {},
                          {},
                          {}};
    for (std::size_t file = 0; file < 2; ++file) {
        ExportTeamList list(folder.path(), exportRegistryRows(settings.ini()));
        for (int n = 1; n <= kExportSlotCount; ++n)
            list.assignPrevious(
                std::size_t(list.findPath(entries[file * 6 + std::size_t(n - 1)].path)), n);
        const LeagueExportFile exported = buildLeagueExport(folder.path(), list.exportSlots());
        ASSERT_TRUE(exported.leftOut.empty());
        input.growthFiles.push_back(folder.file("export" + std::to_string(file) + ".txt"));
        writeLeagueExport(input.growthFiles.back(), exported);
    }
    TermUpdateReporter quiet;
    runTermUpdate(input, quiet);

    const std::string newAbility = termKey(input.newTerm, kAbility);
    const std::string newAptitude = termKey(input.newTerm, kAptitude);
    std::size_t players = 0;
    for (std::size_t t = 0; t < before.size(); ++t) {
        const IniStore after = IniStore::load(league.teamFiles[t]);
        for (int k = 0; k < 56; ++k) {
            const std::string entry = before[t].value("Team", std::to_string(k));
            ASSERT_EQ(after.value("Team", std::to_string(k)), entry) << t << " " << k;
            const std::vector<std::string> f = splitFields(entry);
            const IniSection* old = before[t].section(f[1]);
            ASSERT_NE(old, nullptr) << f[1];
            const long long term = old->integer("最終", 0) - 1;
            std::string ability = old->value(termKey(term, kAbility));
            ASSERT_FALSE(ability.empty()) << f[1];
            ability[0] = f[0][0];
            EXPECT_EQ(after.value(f[1], newAbility), ability) << f[1];
            EXPECT_EQ(after.value(f[1], newAptitude), old->value(termKey(term, kAptitude))) << f[1];
            ++players;
        }
    }
    EXPECT_EQ(players, 12u * 56u);
}
