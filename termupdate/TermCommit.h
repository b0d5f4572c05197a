// The committing of a term update: copies of every file it replaces go to a
// backup folder of the league ("バックアップ\" + TTTT(S) + "期更新前"), then the
// backups and the outputs are written in one file transaction, journalled in
// the league folder so that a crash between its renames is undone at the next
// start. A failure leaves every file as it was.
#pragma once

#include "termupdate/TermMerge.h"
#include "termupdate/TermProgress.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace tenvoll {

struct TermPlaces {
    std::string programFolder;
    std::string leagueFolder; // holds the journal and the backup folder
    long long newTerm = 0;    // S: names the backup folder and the journalled operation
};

// Everything one commit writes, in staging order: the backups, then the outputs.
struct TermCommitPlan {
    std::string backupFolder; // empty when no file existed to be replaced
    std::vector<OutputFile>
        backups; // the replaced files' bytes, each at its place below backupFolder
    std::vector<OutputFile> outputs; // the run's files, in writing order
    // Per backup of a replaced file: the index of its output.
    std::vector<std::size_t> replacedOutputs;
};

// Plans the commit of `outputs`. `originals` holds the bytes the run read of
// files it replaces (path -> bytes); the others are read now.
TermCommitPlan planTermCommit(std::vector<OutputFile> outputs,
                              std::unordered_map<std::string, std::string> originals,
                              const TermPlaces& places);

// Writes the plan in one journalled transaction, creating missing folders
// (removed again when the commit fails). Refuses a plan in which two files
// name one file. One progress unit per staged file and one for the commit.
void commitTermPlan(const TermCommitPlan& plan, const TermPlaces& places, TermProgress& progress);

// The backup folder a run for term S would use: "期更新前", then "期更新前(2)", ...
std::string backupFolderFor(const std::string& leagueFolder, long long newTerm);

} // namespace tenvoll
