// The league registry editor's engine: entries written and read back by the
// registry's readers, the team-file check, bulk registration, the load steps,
// league change and deletion, and what a save leaves in the settings file.
#include "termupdate/LeagueOrganisation.h"
#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

const std::string kRegistry = lines({
    "[Main]",
    "Team1=\\A\\reds.txt",
    "Team2=\\A\\blues.txt",
    "機構名=Aリーグ",
    "Up背景色=clRed",
    "[Aリーグ]",
    "機構名=",
    "チーム数=3",
    "チーム名0=レッズ,レッズ二軍,\\A\\reds.txt",
    "チーム名1=ブルーズ,ブルーズ二軍,\\A\\blues.txt",
    "チーム名2=グリーンズ,グリーンズ二軍,\\A\\greens.txt",
    "ツール=Mirel",
    "[Bリーグ]",
    "機構名=",
    "チーム数=0",
});

void writeTeamFile(const std::string& path, const std::string& first, const std::string& farm) {
    writeCp932(path, lines({"[Team]", "1軍チーム名=" + first + " 略 M 球場",
                            "2軍チーム名=" + farm + " 略 M 球場", "[選手]", "新規=0"}));
}

class LeagueOrganisationTest : public ::testing::Test {
protected:
    void SetUp() override { writeCp932(settingsPath(), kRegistry); }
    std::string settingsPath() const { return folder.file("Tenvoll.ini"); }
    std::string settingsText() const { return readCp932(settingsPath()); }
    LeagueOrganisation loaded(const std::string& league = "Aリーグ") {
        LeagueOrganisation o(folder.path());
        o.load(league, "", "", nullptr);
        return o;
    }
    TempFolder folder;
};

} // namespace

TEST_F(LeagueOrganisationTest, EntriesReadBackUnchangedByTheRegistryReaders) {
    TempFolder outside;
    const std::vector<EntryFields> cases = {
        {"レッズ", "レッズ二軍", "\\My Teams\\a.txt"},               // blank in the path
        {"A,B", "C\"D\"", "\\x.txt"},                                // comma and quotes in names
        {"Red", "red", "\\names differ in case.txt"},                // exact comparison
        {"名 前", "ファーム", outside.file("dir with blank/t.txt")}, // full path kept
    };
    LeagueOrganisation o(folder.path());
    o.load("Bリーグ", "", "", nullptr);
    for (const auto& f : cases) {
        ASSERT_EQ(o.addEntry(f), EntryRefusal::None) << f.firstTeam;
        EntryFields shown = entryFieldsOf(o.entries().back());
        EXPECT_EQ(shown.firstTeam, f.firstTeam);
        EXPECT_EQ(shown.farmTeam, f.farmTeam);
        EXPECT_EQ(shown.path, f.path);
    }
    o.saveEntries();

    Settings settings(folder.path());
    settings.load();
    std::vector<LeagueEntry> read = settings.entries("Bリーグ");
    ASSERT_EQ(read.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(read[i].firstTeam, cases[i].firstTeam);
        EXPECT_EQ(read[i].farmTeam, cases[i].farmTeam);
        EXPECT_EQ(read[i].path, cases[i].path);
    }
    EXPECT_EQ(settings.teamMenuPaths("Bリーグ")[0], "\\My Teams\\a.txt");
    EXPECT_EQ(settings.fullPath(read[3].path), cases[3].path);
}

TEST_F(LeagueOrganisationTest, EntriesAreRefusedForEmptyFieldsSameNamesAndLineBreaks) {
    LeagueOrganisation o = loaded();
    EXPECT_EQ(o.addEntry({"", "b", "\\c.txt"}), EntryRefusal::EmptyField);
    EXPECT_EQ(o.addEntry({"同じ", "同じ", "\\c.txt"}), EntryRefusal::SameNames);
    EXPECT_EQ(o.replaceEntry(0, {"同じ", "同じ", "\\c.txt"}), EntryRefusal::SameNames);
    EXPECT_EQ(o.addEntry({"a", "b", "\\c\n.txt"}), EntryRefusal::LineBreak);
    EXPECT_EQ(refusalMessage(EntryRefusal::SameNames),
              "エラー！！\n\r一、二軍のチーム名が同じです！");
    EXPECT_EQ(refusalMessage(EntryRefusal::EmptyField), "");
    EXPECT_EQ(o.entries().size(), 3u);
    EXPECT_EQ(o.entries()[0], "レッズ,レッズ二軍,\\A\\reds.txt");
}

// One file, two entries: a registered file named by another spelling, "..",
// a link or another letter case is refused when the entry is made.
TEST_F(LeagueOrganisationTest, AnEntryNamingARegisteredFileAnotherWayIsRefused) {
    writeTeamFile(folder.file("A/reds.txt"), "レッズ", "レッズ二軍");
    // Windows gives symbolic links only to privileged users: without one, the
    // spelling through the link is left out.
    std::error_code noLink;
    std::filesystem::create_symlink(folder.file("A/reds.txt"), folder.file("A/link.txt"), noLink);
    LeagueOrganisation o = loaded();
    for (const std::string& path :
         {std::string("\\A\\reds.txt"), std::string("\\A\\REDS.TXT"),
          std::string("\\A\\..\\A\\reds.txt"), std::string("\\A\\link.txt"),
          folder.file("A/reds.txt"), std::string("\\A\\Greens.txt")})
        if (!(noLink && path == "\\A\\link.txt")) {
            EXPECT_EQ(o.addEntry({"新", "新二軍", path}), EntryRefusal::SameFile) << path;
        }
    EXPECT_EQ(o.replaceEntry(1, {"新", "新二軍", "\\a\\reds.txt"}), EntryRefusal::SameFile);
    EXPECT_EQ(o.replaceEntry(0, {"赤", "赤二軍", "\\A\\REDS.txt"}), EntryRefusal::None);
    EXPECT_EQ(o.addEntry({"新", "新二軍", "\\A\\new.txt"}), EntryRefusal::None);
    EXPECT_EQ(o.entries().size(), 4u);
    EXPECT_FALSE(refusalMessage(EntryRefusal::SameFile).empty());
}

TEST_F(LeagueOrganisationTest, SavingRewritesOnlyTheLeaguesKeysAndLeavesHigherEntries) {
    LeagueOrganisation o = loaded();
    o.removeEntry(2);
    o.removeEntry(0);
    // A full path under the program folder is written relative to it.
    ASSERT_EQ(o.replaceEntry(0, {"ブルーズ", "ブルーズ二軍", folder.file("A/blues 2.txt")}),
              EntryRefusal::None);
    o.saveEntries();
    std::string expected = kRegistry;
    auto replaceLine = [&](const std::string& from, const std::string& to) {
        expected.replace(expected.find(from), from.size(), to);
    };
    replaceLine("チーム数=3", "チーム数=1");
    replaceLine("チーム名0=レッズ,レッズ二軍,\\A\\reds.txt",
                "チーム名0=ブルーズ,ブルーズ二軍,\"\\A\\blues 2.txt\"");
    EXPECT_EQ(settingsText(), expected);

    Settings settings(folder.path());
    settings.load();
    ASSERT_EQ(settings.entries("Aリーグ").size(), 1u);
    EXPECT_EQ(settings.entries("Aリーグ")[0].path, "\\A\\blues 2.txt");
}

TEST_F(LeagueOrganisationTest, AFailedSaveChangesNothingAndKeepsTheEntries) {
    LeagueOrganisation o = loaded();
    ASSERT_EQ(o.addEntry({"新", "新二軍", "\\A\\new.txt"}), EntryRefusal::None);
    const std::string before = readBytes(settingsPath());
    WriteFaults::reset();
    WriteFaults::failWrite(1);
    EXPECT_THROW(o.saveEntries(), LeagueError);
    WriteFaults::reset();
    EXPECT_EQ(readBytes(settingsPath()), before);
    EXPECT_EQ(o.entries().size(), 4u);
}

TEST_F(LeagueOrganisationTest, TeamFileCheckGivesNamesAndAStoredPath) {
    TempFolder outside;
    writeTeamFile(folder.file("A/team file.txt"), "レッズ", "レッズ二軍");
    writeTeamFile(outside.file("b.txt"), "ブルーズ", "ブルーズ二軍");
    writeCp932(folder.file("A/old.txt"), lines({"[選手]", "新規=0"}));
    writeCp932(folder.file("A/half.txt"), lines({"[Team]", "1軍チーム名=X"}));

    TeamFileCheck inside = checkTeamFile(folder.path(), folder.file("A/team file.txt"));
    ASSERT_TRUE(inside.fields);
    EXPECT_EQ(inside.fields->firstTeam, "レッズ");
    EXPECT_EQ(inside.fields->farmTeam, "レッズ二軍");
    EXPECT_EQ(inside.fields->path, "\\A\\team file.txt");

    TeamFileCheck away = checkTeamFile(folder.path(), outside.file("b.txt"));
    ASSERT_TRUE(away.fields);
    EXPECT_EQ(away.fields->path, outside.file("b.txt"));

    for (const char* name : {"A/old.txt", "A/half.txt", "A/missing.txt"}) {
        TeamFileCheck refused = checkTeamFile(folder.path(), folder.file(name));
        EXPECT_FALSE(refused.fields) << name;
        EXPECT_EQ(refused.message, "選択されたファイルはチームファイルではありません！");
    }
}

TEST_F(LeagueOrganisationTest, BulkRegistrationTakesTeamFilesEndingInTxtInNameOrder) {
    const std::string dir = folder.file("new");
    writeTeamFile(joinPath(dir, "b.txt"), "ブルーズ", "ブルーズ二軍");
    writeTeamFile(joinPath(dir, "a.txt"), "レッズ", "レッズ二軍");
    writeTeamFile(joinPath(dir, "c.TXT"), "キャップス", "キャップス二軍");
    writeTeamFile(joinPath(dir, "e.txt"), "同名", "同名");
    writeTeamFile(joinPath(dir, "sub/f.txt"), "サブ", "サブ二軍");
    writeCp932(joinPath(dir, "d.txt"), "ただのテキスト\n");

    LeagueOrganisation o(folder.path());
    o.load("Bリーグ", "", "", nullptr);
    std::vector<BulkOutcome> outcomes = o.registerFolder(dir);
    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_EQ(outcomes[0].fileName, "a.txt");
    EXPECT_TRUE(outcomes[0].added);
    EXPECT_EQ(outcomes[1].fileName, "b.txt");
    EXPECT_EQ(outcomes[2].fileName, "d.txt");
    EXPECT_EQ(outcomes[2].message, "選択されたファイルはチームファイルではありません！");
    EXPECT_EQ(outcomes[3].fileName, "e.txt");
    EXPECT_EQ(outcomes[3].message, refusalMessage(EntryRefusal::SameNames));
    EXPECT_EQ(o.entries(), (std::vector<std::string>{"レッズ,レッズ二軍,\\new\\a.txt",
                                                     "ブルーズ,ブルーズ二軍,\\new\\b.txt"}));
    EXPECT_THROW(o.registerFolder(folder.file("none")), LeagueError);
}

TEST_F(LeagueOrganisationTest, LoadAsksForAMissingLeagueAndWritesAMissingMain) {
    std::vector<std::string> presets;
    auto answer = [&](std::optional<std::string> a) {
        return [&presets, a](const std::string& preset) {
            presets.push_back(preset);
            return a;
        };
    };
    LeagueOrganisation o(folder.path());
    // Cancelled: the preset becomes a new league with an empty registry.
    o.load("Cリーグ", "", "", answer(std::nullopt));
    EXPECT_EQ(presets, std::vector<std::string>{"Cリーグ"});
    EXPECT_EQ(o.currentLeague(), "Cリーグ");
    EXPECT_TRUE(o.entries().empty());
    EXPECT_NE(settingsText().find("[Cリーグ]\nチーム数=0\n"), std::string::npos);

    // A typed existing league keeps its registry.
    o.load("Dリーグ", "", "", answer(std::string("Aリーグ")));
    EXPECT_EQ(o.currentLeague(), "Aリーグ");
    EXPECT_EQ(o.entries().size(), 3u);
    EXPECT_EQ(settingsText().find("[Dリーグ]"), std::string::npos);

    // No "Main": written with the panes' files made relative.
    writeCp932(settingsPath(), lines({"[Aリーグ]", "チーム数=1", "チーム名0=a,b,\\c.txt"}));
    o.load("Aリーグ", folder.file("A/reds.txt"), "", nullptr);
    EXPECT_EQ(settingsText(), lines({"[Aリーグ]", "チーム数=1", "チーム名0=a,b,\\c.txt", "[Main]",
                                     "Team1=\\A\\reds.txt", "Team2=", "機構名=Aリーグ"}));
    EXPECT_EQ(o.leagues(), std::vector<std::string>{"Aリーグ"});
}

TEST_F(LeagueOrganisationTest, LoadWithoutChangesWritesNothing) {
    const std::string before = readBytes(settingsPath());
    LeagueOrganisation o = loaded();
    EXPECT_EQ(readBytes(settingsPath()), before);
    EXPECT_EQ(o.leagues(), (std::vector<std::string>{"Aリーグ", "Bリーグ"}));
    EXPECT_EQ(o.loadedCount(), 3);
}

TEST_F(LeagueOrganisationTest, ChangingTheLeagueCreatesOrSelectsItAndRecordsIt) {
    LeagueOrganisation o = loaded();
    const std::string before = readBytes(settingsPath());
    EXPECT_EQ(o.changeLeague("Aリーグ"), LeagueChange::Unchanged);
    EXPECT_EQ(readBytes(settingsPath()), before);
    EXPECT_EQ(o.entries().size(), 3u);

    EXPECT_EQ(o.changeLeague("Bリーグ"), LeagueChange::Existing);
    Settings settings(folder.path());
    settings.load();
    EXPECT_EQ(settings.leagueName(), "Bリーグ");

    EXPECT_EQ(o.changeLeague("新リーグ"), LeagueChange::Created);
    settings.load();
    EXPECT_EQ(settings.leagueName(), "新リーグ");
    EXPECT_EQ(settings.teamCount("新リーグ", -1), 0);
    EXPECT_EQ(o.leagues().size(), 3u);

    const std::string after = readBytes(settingsPath());
    for (const char* bad : {"", "main", "[x]", " 前後 ", "改\n行"})
        EXPECT_THROW(o.changeLeague(bad), LeagueError) << bad;
    EXPECT_EQ(readBytes(settingsPath()), after);
}

TEST_F(LeagueOrganisationTest, DeletingTheLastLeagueIsRefusedOtherwiseTheFirstBecomesCurrent) {
    LeagueOrganisation o = loaded("Bリーグ");
    o.changeLeague("Cリーグ");
    ASSERT_TRUE(o.deleteCurrentLeague());
    EXPECT_EQ(o.currentLeague(), "Aリーグ");
    EXPECT_EQ(settingsText().find("[Cリーグ]"), std::string::npos);

    ASSERT_TRUE(loaded("Bリーグ").deleteCurrentLeague());
    Settings settings(folder.path());
    settings.load();
    EXPECT_EQ(settings.leagueName(), "Aリーグ");
    EXPECT_FALSE(settings.ini().hasSection("Bリーグ"));

    const std::string before = readBytes(settingsPath());
    LeagueOrganisation last = loaded();
    EXPECT_FALSE(last.deleteCurrentLeague());
    EXPECT_EQ(readBytes(settingsPath()), before);
    EXPECT_EQ(last.currentLeague(), "Aリーグ");
}
