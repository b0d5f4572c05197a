// Recovery after a crash: a journal left in a league folder (or the program
// folder) means that a multi-file commit was cut off between its renames. The
// recovery puts every file it had replaced back (byte for byte, from the kept
// old files), removes the files it had newly created, its temporary files and
// the folders it had created, then removes the journal. A journal marked
// complete only has its kept files removed: the update itself had finished.
//
// `tenvoll` runs this at start, `tenvoll-batch` before every command that
// touches the league, and "tenvoll-batch recover" on demand.
#pragma once

#include <string>
#include <vector>

namespace tenvoll {

class Settings;

struct RecoveryOutcome {
    std::string journalPath;
    std::string operation;
    bool wasComplete = false;
    bool untouched = false; // the journal (or the settings) could not be read: nothing done
    std::vector<std::string> restored; // files put back as they were
    std::vector<std::string> removed;  // files and folders the cut-off run had created
    std::vector<std::string> problems; // steps that failed; the journal stays then
};

// The program folder and the folder of every league registered in the
// settings file: the places a journal can be. The string forms read the
// settings file and throw LeagueError when it cannot be read.
std::vector<std::string> journalFolders(const Settings& settings);
std::vector<std::string> journalFolders(const std::string& programFolder);
// Full paths of the journals found there.
std::vector<std::string> pendingJournals(const Settings& settings);
std::vector<std::string> pendingJournals(const std::string& programFolder);

// Recovers one journal: first puts every replaced file back, then (only when
// all of that worked) removes what the cut-off run had created and the
// journal. A failed step keeps the journal and everything it still names; a
// journal that cannot be read completely is left untouched. The caller holds
// the exclusive folder lock.
RecoveryOutcome recoverJournal(const std::string& journalPath);

// Takes the exclusive folder lock and recovers every journal found, then —
// when every journal is gone — removes the temporary files of writers that
// died before writing a journal and empty backup folders. Nothing is done (and
// nothing thrown) when there is neither; an unreadable settings file is an
// outcome with a problem (nothing done); LeagueError when another operation
// holds the lock (its journal is not a crash then).
std::vector<RecoveryOutcome> recoverInterruptedOperations(const std::string& programFolder);

// The message for the user: what was interrupted, what was put back, and what
// could not be (with where the journal and the backup are).
std::string recoveryMessage(const std::vector<RecoveryOutcome>& outcomes);
bool recoveryFailed(const std::vector<RecoveryOutcome>& outcomes);

} // namespace tenvoll
