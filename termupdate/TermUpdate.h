// The term update ("実行" of the window "最新データの追加"): adds term S to every
// team file of the league from the game's files — new players, each roster
// with the new abilities and aptitudes, the first-team statistics of term
// P = S − 1, rebuilt team files with career totals, the unsigned players of
// term P and the statistics marks of term P.
//
// The run is all or nothing: every input is read and checked, and each output
// is written to a temporary file as soon as it is computed; then copies of the
// files it replaces go to a backup folder of the league ("バックアップ\" +
// TTTT(S) + "期更新前") and everything is renamed in one file transaction,
// journalled in the league folder so that a crash between its renames is
// undone at the next start. A failure leaves every file as it was. The run
// holds the exclusive folder lock.
// Its pieces: TermReading.h (inputs), TermMerge.h (the steps in memory),
// TermCommit.h (backups and the transaction).
#pragma once

#include "league/GameRules.h"
#include "league/LeagueError.h"
#include "termupdate/Reporter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct TermUpdateInput {
    std::string programFolder;
    std::string leagueName;          // the current league of the settings file
    long long newTerm = 0;           // S, 1 to 999
    std::optional<ToolVariant> tool; // written as "ツール"; none: the run is refused
    long long games = kDefaultGames; // G, for the statistics marks
    // Full paths in the order of the window's lists.
    std::vector<std::string> growthFiles;     // 成長: rosters of term S
    std::vector<std::string> statisticsFiles; // 成績: statistics tables of term P
    std::vector<std::string> newPlayerFiles;  // 新人: team files of term P with the newcomers
    // The league's newest term (highest "最終") is added again only with this;
    // a term below it is always refused.
    bool again = false;
    // Runs the data check ("データチェック") first, under the same lock: the
    // team files it initialises are read as initialised and written in the
    // update's one commit, backed up as they were before either step.
    bool dataCheck = false;
    std::vector<std::string> teamNames = {}; // the window's team-name list, for the check
};

struct TermUpdateResult {
    std::vector<std::string> writtenFiles; // every file written, in writing order, backups excluded
    std::string backupFolder;              // holds the replaced files and the manifest
    std::string statisticsFile;            // the first-team statistics of term P
    std::string unsignedFile;              // the unsigned players of term P
    std::size_t unsignedPlayers = 0;
    // Player names found in more than one team file: they share one section,
    // the later file's values winning key by key.
    std::vector<std::string> sharedNames;
    std::vector<std::string> deletedFiles; // "\temp\新人.txt" and the like, removed after success
};

// A failed run that had already changed files: every file replaced but not
// confirmed on disk, or a rollback that could not put every file back.
class TermFilesChangedError : public LeagueError {
public:
    using LeagueError::LeagueError;
};

// Runs the update. Reports the status texts "準備中" (with a "." per team file),
// "選手一覧作成", "選手一覧確認終了", "成績処理中", "成績処理終了", F + "を処理中",
// F + "終了、" + G + "を処理中", "Top10の成績確認", the statistics marks' texts,
// "ファイルを保存中", the deletions and "終了". Throws LeagueError; no file is
// changed then, except for TermFilesChangedError. With `dataCheck`, a check
// that does not pass stops the run before anything is written.
TermUpdateResult runTermUpdate(const TermUpdateInput& input, TermUpdateReporter& reporter);

// The highest "最終" of the league's team files; std::nullopt for a league
// without players. Holds the shared folder lock while it reads.
std::optional<long long> newestLeagueTerm(const std::string& programFolder,
                                          const std::string& leagueName);

// Messages of the refused runs.
std::string termBelowNewestMessage(long long newTerm, long long newest);
std::string sameTermMessage(long long newTerm);

// Output paths.
std::string firstTeamStatisticsPath(const std::string& programFolder, long long playedTerm);
std::string unsignedPlayersPath(const std::string& leagueFolder, long long playedTerm);

inline constexpr std::string_view kStatusDone = "終了";

} // namespace tenvoll
