// The window's opening and the data check: team names, tool, duplicate names,
// growth coverage, and the initialisation of game-text team files.
#include "SmallLeague.h"

#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/Recovery.h"
#include "league/TextCodec.h"
#include "termupdate/Dcheck.h"
#include "termupdate/TermUpdateSetup.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

DataCheckInput checkInput(const SmallLeague& league, long long term) {
    RecordingReporter quiet;
    TermUpdateSetup setup = openTermUpdate(league.programFolder(), quiet);
    return {league.programFolder(), setup.leagueName, term, setup.teamNames,
            workingFilePaths(league.programFolder(), WorkingList::Growth,
                             setup.fileNames[static_cast<std::size_t>(WorkingList::Growth)])};
}

const char* kGameText =
    "  ブルーズ  ブ  青  青球場\n7 青山 左 長 E E B E E E C 3 3 4 3 3 15 3 3 240 ; 29 3\n";

} // namespace

TEST(TermUpdateOpening, ReadsTheLeagueAndTheWorkingFolders) {
    SmallLeague league;
    RecordingReporter reporter;
    TermUpdateSetup setup = openTermUpdate(league.programFolder(), reporter);

    EXPECT_EQ(setup.leagueName, "テストリーグ");
    EXPECT_EQ(setup.teamNames,
              (std::vector<std::string>{"ブルーズ", "ブルーズ二軍", "レッズ", "レッズ二軍"}));
    EXPECT_EQ(teamCountLabel(setup.teamNames.size()), "一、二軍合計4チーム");
    EXPECT_EQ(setup.leagueFolder, league.path("league"));
    EXPECT_EQ(setup.tool, ToolVariant::Standard);
    EXPECT_EQ(setup.fileNames[0], (std::vector<std::string>{"1_reds.txt", "2_blues.txt"}));
    EXPECT_EQ(setup.fileNames[1], (std::vector<std::string>{"batting.txt", "pitching.txt"}));
    EXPECT_FALSE(setup.closeWindow);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(TermUpdateOpening, LeagueWithoutToolOrWithADuplicateName) {
    SmallLeague league;
    std::string ini = readCp932(league.path("Tenvoll.ini"));
    ini.erase(ini.find("ツール=標準\n"), std::string("ツール=標準\n").size());
    ini.replace(ini.find("ブルーズ二軍,"), std::string("ブルーズ二軍,").size(), "れっず二軍,");
    ini.replace(ini.find("レッズ二軍,"), std::string("レッズ二軍,").size(), "れっず二軍,");
    writeCp932(league.path("Tenvoll.ini"), ini);
    const std::string before = readBytes(league.path("Tenvoll.ini"));
    RecordingReporter reporter;
    TermUpdateSetup setup = openTermUpdate(league.programFolder(), reporter);

    EXPECT_EQ(setup.tool, std::nullopt);
    EXPECT_EQ(readBytes(league.path("Tenvoll.ini")), before); // refused: nothing written
    EXPECT_TRUE(setup.closeWindow);
    EXPECT_EQ(reporter.messages,
              (std::vector<std::string>{"利用ツールを選択してください。",
                                        "れっず二軍は同一のチーム名があります。\n"
                                        "チーム編成エディタで修正してください。"}));
}

// The empty "ツール" is stored into the settings file as it is when it is
// written: a league registered while the message was up stays registered.
TEST(TermUpdateOpening, StoringTheEmptyToolKeepsWhatOthersSavedMeanwhile) {
    SmallLeague league;
    std::string ini = readCp932(league.path("Tenvoll.ini"));
    ini.erase(ini.find("ツール=標準\n"), std::string("ツール=標準\n").size());
    writeCp932(league.path("Tenvoll.ini"), ini);
    class AddingLeague : public RecordingReporter {
    public:
        explicit AddingLeague(std::string path) : path_(std::move(path)) {}
        void message(const std::string& text) override {
            RecordingReporter::message(text);
            writeCp932(path_, readCp932(path_) + "[別リーグ]\nチーム数=0\n");
        }

    private:
        std::string path_;
    } reporter(league.path("Tenvoll.ini"));
    TermUpdateSetup setup = openTermUpdate(league.programFolder(), reporter);

    EXPECT_FALSE(setup.closeWindow);
    IniStore saved = IniStore::load(league.path("Tenvoll.ini"));
    EXPECT_TRUE(saved.hasSection("別リーグ"));
    EXPECT_EQ(saved.value("テストリーグ", "ツール", "(none)"), "");
}

// The stored tool is read in any letter case; an unknown one selects nothing.
TEST(TermUpdateOpening, StoredToolInAnyLetterCase) {
    const std::pair<std::string, std::optional<ToolVariant>> cases[] = {
        {"mirel", ToolVariant::Mirel}, {"MIREL", ToolVariant::Mirel}, {"他", std::nullopt}};
    for (const auto& [stored, tool] : cases) {
        SmallLeague league;
        std::string ini = readCp932(league.path("Tenvoll.ini"));
        ini.replace(ini.find("ツール=標準"), std::string("ツール=標準").size(), "ツール=" + stored);
        writeCp932(league.path("Tenvoll.ini"), ini);
        RecordingReporter reporter;
        EXPECT_EQ(openTermUpdate(league.programFolder(), reporter).tool, tool) << stored;
        EXPECT_TRUE(reporter.messages.empty());
    }
}

TEST(TermUpdateOpening, DropAndDeleteInTheWorkingFolders) {
    SmallLeague league;
    std::string source = league.path("elsewhere/3_new.txt");
    writeCp932(source, "x\n");
    std::string status = addToWorkingFolder(league.programFolder(), WorkingList::Growth, source);
    EXPECT_EQ(status, league.path("temp/seichou/3_new.txt") + "を追加しました。");
    DeleteOutcome gone =
        deleteFromWorkingFolder(league.programFolder(), WorkingList::Growth, "3_new.txt");
    EXPECT_TRUE(gone.deleted);
    DeleteOutcome again =
        deleteFromWorkingFolder(league.programFolder(), WorkingList::Growth, "3_new.txt");
    // Already gone: the entry leaves its list all the same.
    EXPECT_TRUE(again.deleted);
    EXPECT_EQ(again.status, league.path("temp/seichou/3_new.txt") + std::string(kAlreadyGone));
}

TEST(DataCheck, PassesOnACompleteLeague) {
    SmallLeague league;
    RecordingReporter reporter;
    DataCheckResult result = runDataCheck(checkInput(league, 5), reporter);
    EXPECT_TRUE(result.passed);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(reporter.statuses.front(), "同一チーム名はありませんでした。");
    EXPECT_EQ(reporter.statuses.back(), "チェック終了");
    EXPECT_TRUE(result.initialisedFiles.empty());
}

TEST(DataCheck, DuplicateNamesAreReportedAndTheCheckGoesOn) {
    DataCheckInput input;
    input.teamNames = {"Ａチーム", "Bチーム", "ａチーム"};
    TempFolder folder;
    input.programFolder = folder.path();
    input.growthFiles = {folder.file("g.txt")};
    writeCp932(input.growthFiles[0], "  Ａチーム\n  Bチーム\n");
    RecordingReporter reporter;
    DataCheckResult result = runDataCheck(input, reporter);

    EXPECT_EQ(result.duplicatePair, "Ａチームａチーム");
    EXPECT_EQ(reporter.messages.at(0),
              "Ａチームａチーム同一チーム名があります。\nチーム編成エディタで修正してください。");
    EXPECT_TRUE(result.passed); // the running count still reaches 3 after three names
    EXPECT_TRUE(runDataCheck(DataCheckInput{folder.path(), "", 0, {}, {}}, reporter).passed);
}

TEST(DataCheck, CoverageFailsForANameHeldTwiceOrNotAtAll) {
    SmallLeague league;
    writeCp932(league.path("league/blues.txt"), kGameText); // would be initialised
    // "ブルーズ" also appears as a field of a player line of the growth files.
    std::string growth = readCp932(league.path("temp/seichou/2_blues.txt"));
    writeCp932(league.path("temp/seichou/2_blues.txt"), growth + "8 ブルーズ 右\n");
    RecordingReporter reporter;
    DataCheckResult twice = runDataCheck(checkInput(league, 5), reporter);
    EXPECT_FALSE(twice.passed);
    EXPECT_EQ(twice.uncoveredTeam, "ブルーズ");
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"ブルーズ関係のエラーがあります。"}));
    EXPECT_EQ(readCp932(league.path("league/blues.txt")), kGameText); // nothing written

    writeCp932(league.path("temp/seichou/2_blues.txt"), growth);
    std::filesystem::remove(platform::fsPath(league.path("temp/seichou/1_reds.txt")));
    EXPECT_EQ(runDataCheck(checkInput(league, 5), reporter).uncoveredTeam, "レッズ");
}

// A name counts only as a whole field, in any letter case, whatever ends the
// line; a name with a blank can only be a quoted field.
TEST(DataCheck, CoverageCountsWholeFieldsOnly) {
    DataCheckInput input;
    input.teamNames = {"Ｒｅｄｓ", "ブルーズ", "青 組"};
    TempFolder folder;
    input.programFolder = folder.path();
    input.growthFiles = {folder.file("g1.txt"), folder.file("g2.txt")};
    writeCp932(input.growthFiles[0], "  ブルーズ二軍 x\r  ｒｅｄｓ,1,2\r\n青 組\n");
    writeCp932(input.growthFiles[1], "\"青 組\" ブルーズ\n");
    RecordingReporter reporter;
    EXPECT_TRUE(runDataCheck(input, reporter).passed);

    writeCp932(input.growthFiles[0], "  ブルーズ二軍 x\r  ｒｅｄｓ,1,ブルーズ\r\n");
    EXPECT_EQ(runDataCheck(input, reporter).uncoveredTeam, "ブルーズ");
}

// Names that differ only in letters' case share a count; names whose bytes
// differ in the same bits ("B" 42 and "C" 43, "@" 40 and "`" 60) stay apart.
TEST(DataCheck, NamesEqualIgnoringCaseShareOneCount) {
    DataCheckInput input;
    TempFolder folder;
    input.programFolder = folder.path();
    input.growthFiles = {folder.file("g.txt")};
    RecordingReporter reporter;

    input.teamNames = {"Bチーム", "@組", "ＲＥＤＳ二軍"};
    writeCp932(input.growthFiles[0], "  Cチーム `組\n  ｒｅｄｓ二軍\n");
    EXPECT_EQ(runDataCheck(input, reporter).uncoveredTeam, "Bチーム");
    EXPECT_EQ(duplicateTeamPair(input.teamNames), "");
    writeCp932(input.growthFiles[0], "  bチーム @組\n  ｒｅｄｓ二軍\n");
    EXPECT_TRUE(runDataCheck(input, reporter).passed);

    // "REDS" and "reds" are one name: one field counts for both (1, then 2),
    // two fields are one too many for the first (2 after it).
    input.teamNames = {"REDS", "reds"};
    writeCp932(input.growthFiles[0], "  Reds x\n");
    EXPECT_EQ(duplicateTeamPair(input.teamNames), "REDSreds");
    EXPECT_TRUE(runDataCheck(input, reporter).passed);
    writeCp932(input.growthFiles[0], "  Reds rEDS\n");
    EXPECT_EQ(runDataCheck(input, reporter).uncoveredTeam, "REDS");
}

TEST(DataCheck, InitialisesGameTextTeamFilesOnceAndAtomically) {
    SmallLeague league;
    writeCp932(league.path("league/blues.txt"), kGameText);
    writeCp932(league.path("league/reds.txt"), kGameText);
    RecordingReporter reporter;

    // The second rewrite fails: neither file may change.
    auto before = snapshotFolder(league.programFolder());
    WriteFaults::reset();
    WriteFaults::failWrite(2);
    EXPECT_THROW(runDataCheck(checkInput(league, 5), reporter), LeagueError);
    WriteFaults::reset();
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);

    DataCheckResult result = runDataCheck(checkInput(league, 5), reporter);
    EXPECT_TRUE(result.passed);
    EXPECT_EQ(result.initialisedFiles.size(), 2u);
    const std::string initialised =
        "  ブルーズ  ブ  青  青球場 ; ; 4 ;\n"
        "7 青山 左 長 E E B E E E C 3 3 4 3 3 15 3 3 240 ; 29 3 ; ; 4 ;\n";
    EXPECT_EQ(readCp932(league.path("league/blues.txt")), initialised);
    EXPECT_NE(
        std::find(reporter.statuses.begin(), reporter.statuses.end(),
                  league.path("league/blues.txt") +
                      "このファイルは初期化されていません。最新データ期別の1期前のファイルとし"
                      "て初期化します。"),
        reporter.statuses.end());

    // A second check finds the older line form and leaves the lines alone.
    EXPECT_TRUE(runDataCheck(checkInput(league, 5), reporter).initialisedFiles.empty());
    EXPECT_EQ(readCp932(league.path("league/blues.txt")), initialised);
}

TEST(DataCheck, RecognisesFilesThatAreNoGameText) {
    EXPECT_FALSE(needsInitialising({"x", "[team]"}));
    EXPECT_FALSE(needsInitialising({"x", "2軍監督=  監督 3"}));
    EXPECT_TRUE(needsInitialising({"x", "2軍監督="}));
    EXPECT_TRUE(needsInitialising({"P 名前 右 ; 27 3"}));
    EXPECT_FALSE(needsInitialising({"P 名前 右 ; 27 3 ; ; 4 ;"}));
    EXPECT_TRUE(needsInitialising({"P 名前 右 ; 27 3 ; 4"}));            // two ";" only: game text
    EXPECT_FALSE(needsInitialising({"x", "[青山]", "0004能力=7 青山"})); // any section line
    EXPECT_EQ(initialisedLines({"a", ""}, 0), (std::vector<std::string>{"a ; ; 0 ;", " ; ; 0 ;"}));
}

// A "[Team]" header among the first lines settles a team file without reading
// the rest (the term update reads it whole); a line that only looks like one
// does not, and the file is checked in full.
TEST(DataCheck, TeamHeaderAtTheStartSettlesTheFile) {
    SmallLeague league;
    const std::string blues = "  [team]\t\r\n1=- A\r\n[\x90\xC2\x8E\x52]\r\n\xFF\r\n";
    writeBytes(league.path("league/blues.txt"), blues);
    writeCp932(league.path("league/reds.txt"), std::string("[Team]x\n") + kGameText);
    RecordingReporter reporter;
    DataCheckResult result = runDataCheck(checkInput(league, 5), reporter);
    EXPECT_TRUE(result.passed);
    EXPECT_EQ(result.initialisedFiles, std::vector<std::string>{league.path("league/reds.txt")});
    EXPECT_EQ(readBytes(league.path("league/blues.txt")), blues);
}

TEST(DataCheck, UnreadableGrowthFileStops) {
    SmallLeague league;
    DataCheckInput input = checkInput(league, 5);
    input.growthFiles.push_back(league.path("temp/seichou/ない.txt"));
    RecordingReporter reporter;
    EXPECT_THROW(runDataCheck(input, reporter), LeagueError);
}

// A team file whose "[Team]" line was damaged, or whose section lines were all
// lost, still holds its players' history: the check stops naming it and
// rewrites nothing (no " ; ; 4 ;" appended).
TEST(DataCheck, DamagedTeamFileStopsTheCheckAndStaysAsItWas) {
    auto damageTeamLine = [](std::string blues) {
        return blues.replace(blues.find("[Team]"), 6, "[Tea m");
    };
    auto stripSectionLines = [](const std::string& blues) {
        std::string kept;
        for (const std::string& line : splitLines(blues))
            if (!line.starts_with("[") && !line.starts_with("1軍") && !line.starts_with("2軍"))
                kept += line + "\n";
        return kept;
    };
    for (const auto& damage : {std::function<std::string(std::string)>(damageTeamLine),
                               std::function<std::string(std::string)>(stripSectionLines)}) {
        SmallLeague league;
        writeCp932(league.path("league/blues.txt"),
                   damage(readCp932(league.path("league/blues.txt"))));
        writeCp932(league.path("league/reds.txt"), kGameText);
        auto before = snapshotFolder(league.programFolder());
        RecordingReporter reporter;
        try {
            runDataCheck(checkInput(league, 5), reporter);
            ADD_FAILURE() << "the check went on";
        } catch (const LeagueError& e) {
            EXPECT_NE(std::string(e.what()).find(league.path("league/blues.txt")),
                      std::string::npos);
        }
        EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    }
}

// A damaged "チーム数" is bounded by the entries present: the check and the
// window's opening finish at once instead of looping for minutes.
TEST(DataCheck, HugeTeamCountIsBoundedByTheEntries) {
    SmallLeague league;
    std::string ini = readCp932(league.path("Tenvoll.ini"));
    ini.replace(ini.find("チーム数=2"), 13, "チーム数=2147483647");
    writeCp932(league.path("Tenvoll.ini"), ini);
    RecordingReporter reporter;
    TermUpdateSetup setup = openTermUpdate(league.programFolder(), reporter);
    EXPECT_EQ(setup.teamNames.size(), 4u);
    EXPECT_TRUE(runDataCheck(checkInput(league, 5), reporter).passed);
}

// The initialisation of two files is one journalled commit: cut off after
// either rename, recovery puts both files back as they were.
TEST(DataCheck, InitialisationCutOffIsRecovered) {
    for (int k = 0; k <= 2; ++k) {
        SCOPED_TRACE(k);
        SmallLeague league;
        writeCp932(league.path("league/blues.txt"), kGameText);
        writeCp932(league.path("league/reds.txt"), kGameText);
        auto before = snapshotFolder(league.programFolder());
        RecordingReporter reporter;
        WriteFaults::reset();
        WriteFaults::crashAfterRenames(k);
        EXPECT_THROW(runDataCheck(checkInput(league, 5), reporter), SimulatedCrash);
        WriteFaults::reset();
        ASSERT_EQ(recoverInterruptedOperations(league.programFolder()).size(), 1u);
        EXPECT_EQ(snapshotFolder(league.programFolder()), before);
    }
}
