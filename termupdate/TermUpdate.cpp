// The term update: its three pieces — reading, merging, committing — in one
// run under the exclusive folder lock, and the league's newest term.
#include "termupdate/TermUpdate.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/GameRules.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "league/StatsMarksFile.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"
#include "termupdate/Dcheck.h"
#include "termupdate/StatsMarks.h"
#include "termupdate/TermCommit.h"
#include "termupdate/TermInputs.h"
#include "termupdate/TermMerge.h"
#include "termupdate/TermProgress.h"
#include "termupdate/TermReading.h"
#include "termupdate/TermUpdateSetup.h"
#include "termupdate/UpdateManifest.h"

namespace tenvoll {

namespace {

constexpr std::string_view kScratchFiles[] = {"\\temp\\新人.txt", "\\temp\\成長.txt",
                                              "\\temp\\未契約選手.txt"};

void checkInputs(const TermUpdateInput& in) {
    checkNewTerm(in.newTerm);
    checkGames(in.games);
    if (!in.tool)
        throw LeagueError(std::string(kChooseTool), "ツール: ");
}

TermMergeInput mergeInput(const TermUpdateInput& in, const TermLeague& league) {
    const long long played = in.newTerm - 1;
    return {in.newTerm,
            *in.tool,
            in.games,
            in.again,
            league.entries,
            league.teamPaths,
            in.growthFiles,
            in.statisticsFiles,
            in.newPlayerFiles,
            firstTeamStatisticsPath(in.programFolder, played),
            unsignedPlayersPath(league.leagueFolder, played),
            joinProgramFolder(in.programFolder, kTop10Path),
            joinPath(league.leagueFolder, kStatsMarksFileName)};
}

// The scratch files of the game tools, removed after a successful run.
std::vector<std::string> deleteScratchFiles(const std::string& programFolder,
                                            TermProgress& progress) {
    std::vector<std::string> deleted;
    for (std::string_view name : kScratchFiles) {
        std::string path = joinProgramFolder(programFolder, name);
        if (fileExists(path) && removeFile(path)) {
            progress.setStatus(path + "を削除しました。");
            deleted.push_back(path);
        }
    }
    return deleted;
}

TermUpdateResult runLocked(const TermUpdateInput& in, TermUpdateReporter& reporter) {
    TermProgress progress(reporter);
    progress.setStatus("準備中");
    checkInputs(in);
    const TermLeague league = readTermLeague(in.programFolder, in.leagueName);
    const TermMergeInput merge = mergeInput(in, league);
    // The merge's units, then (an estimate, set exactly before writing) each
    // team file with its backup, four more files and the commit.
    progress.setTotal(mergeProgressUnits(merge) + 2 * league.entries.size() + 5);

    TermFileSources sources(league);
    if (in.dataCheck) {
        DataCheckInput check{in.programFolder, in.leagueName, in.newTerm, in.teamNames,
                             in.growthFiles};
        check.write = false;
        DataCheckResult checked = runDataCheck(check, reporter);
        if (!checked.passed)
            throw LeagueError("データチェックでエラーがありました。");
        for (const auto& f : checked.initialised)
            sources.useText(f.path, f.text);
    }
    const TermPlaces places{in.programFolder, league.leagueFolder, in.newTerm};
    TermCommit commit(places, progress);
    TermOutputs outputs = mergeTerm(merge, sources, commit, progress);

    TermUpdateResult result;
    result.writtenFiles = commit.writtenFiles();
    result.statisticsFile = merge.statisticsPath;
    result.unsignedFile = merge.unsignedPath;
    result.unsignedPlayers = outputs.unsignedPlayers;
    result.sharedNames = std::move(outputs.sharedNames);

    progress.setStatus("ファイルを保存中");
    TermManifestInput manifest{in.programFolder, league.leagueFolder,
                               in.leagueName,    std::string(toolVariantText(*in.tool)),
                               in.newTerm,       {}};
    for (std::string_view name : kScratchFiles)
        manifest.removedAfterCommit.push_back(joinProgramFolder(in.programFolder, name));
    commit.commit(manifest);
    result.backupFolder = commit.backupFolder();

    result.deletedFiles = deleteScratchFiles(in.programFolder, progress);
    progress.setStatus(std::string(kStatusDone));
    return result;
}

} // namespace

std::string firstTeamStatisticsPath(const std::string& programFolder, long long playedTerm) {
    return joinProgramFolder(programFolder, "\\temp\\" + termText(playedTerm) + "期一軍成績.txt");
}

std::string unsignedPlayersPath(const std::string& leagueFolder, long long playedTerm) {
    return joinPath(joinPath(leagueFolder, "データ"), termText(playedTerm) + "期未契約選手.txt");
}

TermUpdateResult runTermUpdate(const TermUpdateInput& input, TermUpdateReporter& reporter) {
    try {
        FolderLock lock = FolderLock::acquire(input.programFolder, FolderLock::Mode::Exclusive);
        return runLocked(input, reporter);
    } catch (const UnflushedCommitError& e) {
        throw TermFilesChangedError(
            "最新データの追加はファイルを書き込みましたが、ディスクへの書き込みを確かめ"
            "られませんでした。停電などでは失われるおそれがあります。\n" +
                std::string(e.what()),
            e.detail());
    } catch (const IncompleteRollbackError& e) {
        throw TermFilesChangedError(
            "最新データの追加を中止しましたが、一部のファイルを元に戻せませんでした。\n" +
                std::string(e.what()) +
                "\n実行前のファイルはリーグのフォルダの「バックアップ」にもあります。",
            e.detail());
    } catch (const LeagueError& e) {
        throw LeagueError("最新データの追加を中止しました。ファイルは変更されていません。\n" +
                              std::string(e.what()),
                          e.detail());
    }
}

std::string termBelowNewestMessage(long long newTerm, long long newest) {
    return std::to_string(newTerm) + "期はリーグの最新の期 (" + std::to_string(newest) +
           "期) より前です。期の数字を確かめてください。";
}

std::string sameTermMessage(long long newTerm) {
    return std::to_string(newTerm) +
           "期のデータはすでに追加されています。もう一度追加する場合は確認のうえ実行してください。";
}

std::optional<long long> newestLeagueTerm(const std::string& programFolder,
                                          const std::string& leagueName) {
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
    Settings settings(programFolder);
    settings.load();
    std::optional<long long> newest;
    for (const auto& e : settings.entries(leagueName)) {
        std::string path = joinProgramFolder(programFolder, e.path);
        if (!entryPresent(path))
            continue;
        IniStore team = IniStore::load(path);
        if (!isTeamFile(team))
            continue;
        for (std::size_t i = 0; i < team.sectionCount(); ++i) {
            const IniSection& s = team.sectionAt(i);
            if (equalsIgnoreCase(s.name(), kTeamSection))
                continue;
            long long last = lastTermOf(s);
            if (!newest || last > *newest)
                newest = last;
        }
    }
    return newest;
}

} // namespace tenvoll
