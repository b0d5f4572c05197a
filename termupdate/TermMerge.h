// The merge of a term update: the league's team files and the game's files
// of the new term in, the content of every output file out — new players,
// rosters with the new abilities and aptitudes, the first-team statistics of
// term P = S − 1, rebuilt team files with career totals, the unsigned players
// of term P and the statistics marks of term P.
//
// The merge touches no file. Its sources hand it each file's text when a step
// needs it, in the order of the steps, so that the run reads (and reports) one
// file after the other and a test can give it strings; each output goes to its
// sink as soon as it is built, so that its text need not wait for the others.
#pragma once

#include "league/GameRules.h"
#include "league/IniStore.h"
#include "league/Settings.h"
#include "termupdate/TermProgress.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct TermMergeInput {
    long long newTerm = 0;                    // S
    ToolVariant tool = ToolVariant::Standard; // "ツール" of new players and team files
    long long games = kDefaultGames;          // G, for the statistics marks
    bool again = false;                       // the league's newest term may be added once more
    std::vector<LeagueEntry> entries;
    std::vector<std::string> teamPaths; // entry by entry: the team file's path
    // The files of the window's three lists, in list order.
    std::vector<std::string> growthFiles;
    std::vector<std::string> statisticsFiles;
    std::vector<std::string> newPlayerFiles;
    // Where the outputs other than the team files go.
    std::string statisticsPath; // first-team statistics of term P
    std::string unsignedPath;   // unsigned players of term P
    std::string top10Path;
    std::string seisekiPath;
};

// What the merge reads. Every call may throw LeagueError (the file's problem).
class TermSources {
public:
    virtual ~TermSources() = default;
    // The text of the team file of entry `team`.
    virtual std::string teamFileText(std::size_t team) = 0;
    // The lines of a file of the three lists.
    virtual std::vector<std::string> listFileLines(const std::string& path) = 0;
    // An output file's present text or bytes; std::nullopt when there is none.
    virtual std::optional<std::string> existingText(const std::string& path) = 0;
    virtual std::optional<std::string> existingBytes(const std::string& path) = 0;
};

// One file to write: UTF-8 text stored as cp932, or (encoded) the file's bytes.
struct OutputFile {
    std::string path;
    std::string content;
    bool encoded = false;
};

// Where the merge hands each output file as soon as it is built, in writing
// order: the first-team statistics file, the team files in registry order,
// the unsigned players, Top10.txt and (when the league has one) seiseki.ini.
class TermOutputSink {
public:
    using PieceWriter = std::function<void(std::string_view)>;
    virtual ~TermOutputSink() = default;
    virtual void write(OutputFile file) = 0;
    // A text output handed over piece by piece (each piece whole lines, CR LF
    // included), so that the whole text is never held; by default gathered and
    // written as one.
    virtual void writeInPieces(const std::string& path,
                               const std::function<void(const PieceWriter&)>& produce);
};

struct TermOutputs {
    // The output files, when the merge was asked to keep them.
    std::vector<OutputFile> files;
    std::size_t unsignedPlayers = 0;
    // Player names found in more than one team file: they share one section,
    // the later file's values winning key by key.
    std::vector<std::string> sharedNames;
};

// Runs steps 1 to 7 of the update in memory. Reports the steps' status texts
// and one progress unit per file read or built. Throws LeagueError naming the
// file and line of a refused input.
TermOutputs mergeTerm(const TermMergeInput& input, TermSources& sources, TermOutputSink& sink,
                      TermProgress& progress);
// The same, keeping every output in `files`.
TermOutputs mergeTerm(const TermMergeInput& input, TermSources& sources, TermProgress& progress);

// Progress units of the merge: each team file read and built, each list file,
// the unsigned players and the marks.
std::size_t mergeProgressUnits(const TermMergeInput& input);

// A player's "最終" (0 when missing), read without splitting the section's
// lines or building its key index: the working store holds every player of the
// league at once, and most of them are only written out again.
long long lastTermOf(const IniSection& player);

} // namespace tenvoll
