// tenvoll-batch data-check, term-update and stats-marks: the term-update
// window's operations on the files of its three working folders.
#include "app/batch/BatchCommand.h"

#include "league/FileAccess.h"
#include "league/GameRules.h"
#include "league/LeagueError.h"
#include "league/Settings.h"
#include "termupdate/Dcheck.h"
#include "termupdate/StatsMarks.h"
#include "termupdate/TermUpdate.h"
#include "termupdate/TermUpdateSetup.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

// Status lines to stdout, message-box texts to stderr.
class PrintingReporter : public TermUpdateReporter {
public:
    explicit PrintingReporter(BatchContext& c) : c_(c) {}
    void status(const std::string& text) override { c_.out << text << "\n"; }
    void message(const std::string& text) override { c_.err << text << "\n"; }

private:
    BatchContext& c_;
};

long long termOption(const ArgumentList& a) {
    if (!a.has("--term"))
        throw UsageError{"--term is required"};
    return a.integer("--term", 0, 1, 999);
}

// The window's opening; a duplicate team name ends the command like the window.
TermUpdateSetup open(BatchContext& c, TermUpdateReporter& reporter) {
    TermUpdateSetup setup = openTermUpdate(c.programFolder, reporter);
    if (setup.closeWindow)
        throw LeagueError("チーム名が重複しているため中止しました。");
    return setup;
}

std::vector<std::string> listPaths(BatchContext& c, const TermUpdateSetup& setup,
                                   WorkingList list) {
    return workingFilePaths(c.programFolder, list, setup.fileNames[static_cast<std::size_t>(list)]);
}

void checkData(BatchContext& c, const TermUpdateSetup& setup, long long term,
               TermUpdateReporter& reporter) {
    DataCheckInput input{c.programFolder, setup.leagueName, term, setup.teamNames,
                         listPaths(c, setup, WorkingList::Growth)};
    DataCheckResult result = runDataCheck(input, reporter);
    if (!result.passed)
        throw LeagueError("データチェックでエラーがありました。中止しました。");
}

int dataCheck(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {"--term", "--games"});
    a.expectPositionals(0);
    long long term = termOption(a);
    a.integer("--games", kDefaultGames, kMinGames, kMaxGames);
    PrintingReporter reporter(c);
    TermUpdateSetup setup = open(c, reporter);
    checkData(c, setup, term, reporter);
    return kSuccess;
}

int termUpdate(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {"--term", "--tool", "--games"}, {"--again"});
    a.expectPositionals(0);
    long long term = termOption(a);
    long long games = a.integer("--games", kDefaultGames, kMinGames, kMaxGames);
    std::optional<ToolVariant> tool;
    if (a.has("--tool")) {
        tool = parseToolVariant(a.value("--tool"));
        if (!tool)
            throw UsageError{"--tool must be " +
                             std::string(toolVariantText(ToolVariant::Standard)) + " or " +
                             std::string(toolVariantText(ToolVariant::Mirel))};
    }

    PrintingReporter reporter(c);
    TermUpdateSetup setup = open(c, reporter);
    if (!tool)
        tool = setup.tool;

    // The data check runs inside the update: one lock, one commit, one backup.
    TermUpdateInput input{c.programFolder,
                          setup.leagueName,
                          term,
                          tool,
                          games,
                          listPaths(c, setup, WorkingList::Growth),
                          listPaths(c, setup, WorkingList::Statistics),
                          listPaths(c, setup, WorkingList::NewPlayers),
                          a.has("--again"),
                          true,
                          setup.teamNames};
    TermUpdateResult result = runTermUpdate(input, reporter);
    if (!result.backupFolder.empty())
        c.out << "バックアップ: " << result.backupFolder << "\n";
    for (const auto& name : result.sharedNames)
        c.err << "同じ名前の選手が複数のチームファイルにいたため、一人の選手として扱いました: "
              << name << "\n";
    return kSuccess;
}

int statsMarks(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {"--term", "--games"});
    a.expectPositionals(1);
    std::string file = c.argumentPath(a.positional(0, "FILE"));
    long long term = termOption(a);
    long long games = a.integer("--games", kDefaultGames, kMinGames, kMaxGames);
    if (!entryPresent(file))
        throw LeagueError("ファイルが存在しません！", file);

    Settings settings(c.programFolder);
    settings.load();
    StatsMarksInput input{c.programFolder, settings.leagueFolder(settings.leagueName()),
                          resolvePath(file), term, games};
    PrintingReporter reporter(c);
    runStatsMarks(input, reporter);
    return kSuccess;
}

} // namespace

void addTermUpdateCommands(std::vector<BatchCommand>& table) {
    table.push_back({"data-check", "--term S [--games G]",
                     "最新データの追加のデータチェック (temp/seichou の成長ファイル)", dataCheck});
    table.push_back({"term-update", "--term S [--tool 標準|Mirel] [--games G] [--again]",
                     "データチェックの後、temp/seichou, seiseki, shinjin から期 S を追加"
                     " (最新の期をもう一度追加するときは --again)",
                     termUpdate});
    table.push_back({"stats-marks", "FILE --term S [--games G]",
                     "一軍成績ファイルから期 S-1 の Top10 を計算 (Top10.txt, seiseki.ini)",
                     statsMarks});
}

} // namespace tenvoll::batch
