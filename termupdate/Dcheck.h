// The data check of the term-update window ("データチェック"): duplicate team
// names, whether the growth files hold every team name exactly once, and the
// initialisation of registered team files that are still plain game text into
// the older line form (every line gains " ; ; " + term + " ;"), which the
// team-file loader converts. Only a check that reaches its end enables "実行".
#pragma once

#include "termupdate/Reporter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct DataCheckInput {
    std::string programFolder;
    std::string leagueName;
    long long newTerm = 0;                // S: files are initialised as term S − 1
    std::vector<std::string> teamNames;   // the window's team-name list, in list order
    std::vector<std::string> growthFiles; // full paths, in list order
    // False: nothing is written; the initialised texts are only returned, for
    // the term update that writes them in its own commit (the window's
    // "データチェック" and "実行" are one transaction that way).
    bool write = true;
};

// A team file that is still game text, with its initialised text.
struct InitialisedFile {
    std::string path;
    std::string text;
};

struct DataCheckResult {
    bool passed = false;       // reached its end: "実行" may be enabled
    std::string duplicatePair; // name i + name j of the first pair equal ignoring case
    std::string uncoveredTeam; // the first name not held exactly once by the growth files
    std::vector<std::string> initialisedFiles; // full paths rewritten in the older line form
    std::vector<InitialisedFile> initialised;  // the same files with their new text
};

// Runs the check under the exclusive folder lock (without writing when
// `input.write` is false). Shows the duplicate-name and
// coverage messages through the reporter. Throws LeagueError (file and line)
// when a growth file or a registered team file cannot be read, when a team
// file has player sections but no section "Team", or a rewrite fails; the
// rewrites of all files are written together, so a failure leaves every team
// file unchanged.
DataCheckResult runDataCheck(const DataCheckInput& input, TermUpdateReporter& reporter);

// Name i + name j of the first pair (i ≠ j, list order) equal ignoring case.
std::string duplicateTeamPair(const std::vector<std::string>& names);

// True when a team file's lines are plain game text: no section line, none of
// the six team header keys with a value, and no player line already in the
// older line form (so a second check does not extend the lines again).
bool needsInitialising(const std::vector<std::string>& lines);
// Every line L as L + " ; ; " + playedTerm + " ;".
std::vector<std::string> initialisedLines(const std::vector<std::string>& lines,
                                          long long playedTerm);

// A player line in the older line form carries at least three lone ";" fields;
// the field after the third is its term. Empty for other lines; an older-form
// line whose term field is no number gives std::nullopt in `term`.
struct OldFormLine {
    std::optional<long long> term;
};
std::optional<OldFormLine> oldFormLine(const std::vector<std::string>& fields);

// Status texts.
inline constexpr std::string_view kNoDuplicateNames = "同一チーム名はありませんでした。";
inline constexpr std::string_view kCheckDone = "チェック終了";

} // namespace tenvoll
