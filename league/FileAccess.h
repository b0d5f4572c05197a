// Files on disk: reading and decoding, case-insensitive path resolution, and
// the one save pattern of the program — write a temporary file beside the
// target, flush it, then rename it over the target. A FileTransaction does the
// same for several files at once: nothing is renamed until every temporary file
// is written, and a failed rename puts back the files already replaced.
//
// Every failure throws LeagueError with the path and the reason.
#pragma once

#include "league/LeagueError.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// The path as it exists on disk: the exact path when it exists, otherwise the
// path whose components match ignoring letter case (files copied from Windows),
// otherwise the path unchanged. Backslashes become the platform's separator.
std::string resolvePath(const std::string& path);

// The file's identity: two paths that name one file (another spelling, "..",
// a link) give the same text; a file not yet there compares by its canonical
// path, ignoring case.
std::string fileIdentity(const std::string& path);

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// Something is there under the name: a file, a folder, a FIFO, a device, a
// link (even one leading nowhere or in a loop). Readers of a file that may be
// missing ask this, not fileExists, and read what is there, so that anything
// but a regular file is refused with a message instead of being taken for a
// missing file and later written over.
bool entryPresent(const std::string& path);

// Every read of a file goes through here: opened without waiting (a FIFO), a
// regular file only, at most kMaxFileBytes. Throws LeagueError naming `path`.
std::string readFileBytes(const std::string& path);
// The first `maxBytes` bytes (fewer when the file is shorter), with the same
// checks as readFileBytes.
std::string readFileStart(const std::string& path, std::size_t maxBytes);
// The file's text as UTF-8 (cp932 or UTF-8 on disk).
std::string readTextFile(const std::string& path);
std::vector<std::string> readTextLines(const std::string& path);

// Names of the regular files directly in a folder, sorted by name. A folder
// that cannot be read is an error, never an empty list.
std::vector<std::string> listFileNames(const std::string& folder);

void createFolders(const std::string& path);
// Copies a file, replacing the destination (through a temporary file).
void copyFileReplacing(const std::string& from, const std::string& to);
// Removes a file; false when it could not be removed.
bool removeFile(const std::string& path);

// Atomic writes: `text` is UTF-8 with its line ends, stored as cp932.
void writeTextFileAtomic(const std::string& path, std::string_view text);
void writeBytesAtomic(const std::string& path, std::string_view bytes);

// Thrown by a commit whose rollback could not put every replaced file back:
// the message names each file that was not restored.
class IncompleteRollbackError : public LeagueError {
public:
    using LeagueError::LeagueError;
};

// Thrown by a commit whose files were all replaced but whose last flush to
// disk failed: the new content is in place, yet a power loss could still lose
// it. Callers must not report "nothing changed" for it.
class UnflushedCommitError : public LeagueError {
public:
    using LeagueError::LeagueError;
};

// The largest file the program reads (a team file of a long league is a few
// megabytes); anything bigger is refused rather than read into memory.
inline constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;
// The block a file copy reads and writes at a time.
inline constexpr std::size_t kCopyBlockBytes = 65536;

// Name of the journal a multi-file commit keeps in its journal folder while it
// renames (see FileTransaction::useJournal and league/Recovery.h).
inline constexpr const char* kJournalFileName = ".tenvoll-journal";

class FileTransaction {
public:
    FileTransaction() = default;
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;
    // Removes the temporary files of an uncommitted transaction.
    ~FileTransaction();

    // Encodes and writes a temporary file beside `path` now.
    void stageText(const std::string& path, std::string_view text);
    void stageBytes(const std::string& path, std::string_view bytes);
    // Copies the file `from` into a temporary file beside `path` now, block by
    // block (never held whole), with the checks of readFileBytes; `observe`
    // sees each block as it is copied.
    void stageCopy(const std::string& from, const std::string& path,
                   const std::function<void(std::string_view)>& observe = {});
    // Writes a temporary file beside `path` now from the bytes `produce` hands
    // to its writer piece by piece (a file too big to build whole first).
    using ByteWriter = std::function<void(std::string_view)>;
    void stageWith(const std::string& path, const std::function<void(const ByteWriter&)>& produce);
    // The files staged from position `first` on are renamed before the earlier
    // ones, each group in its order: a caller that stages its outputs while it
    // builds them still renames the backups it stages last first.
    void renameFirstFrom(std::size_t first);
    // Removes the file at commit, in staging order among the renames (and
    // counted as one by the fault seam). It is kept like a replaced file, so
    // a failed commit or recovery puts it back; the journal records it as a
    // replacement whose temporary file never exists. A missing file is left
    // alone.
    void stageRemoval(const std::string& path);
    // Before its first rename the commit writes a journal into `folder`
    // (flushed to disk): every target, its temporary file and the kept old
    // file, and the folders noted below. A crash between the renames leaves
    // the journal behind, and recovery (league/Recovery.h) puts the old files
    // back. `operation` names the run for the user ("最新データの追加 (8期)").
    void useJournal(const std::string& folder, const std::string& operation);
    // A folder created for this transaction: recovery removes it when empty.
    void noteCreatedFolder(const std::string& folder);

    // Renames every staged file over its target, in staging order, and flushes
    // their folders. On failure (a rename, a flush, the journal) the targets
    // already replaced get their old content back (new files are removed) and
    // LeagueError is thrown; IncompleteRollbackError when a file could not be
    // put back; UnflushedCommitError when everything was replaced and only the
    // final flush failed. A journal left in the journal folder by another
    // operation refuses the commit.
    void commit();

    std::size_t stagedCount() const { return staged_.size(); }
    const std::vector<std::string>& targets() const { return targets_; }

private:
    struct Staged {
        std::string target;
        std::string temporary; // never created for a removal
        bool removal = false;
    };
    std::vector<Staged> staged_;
    std::vector<std::string> targets_;
    std::vector<std::string> createdFolders_;
    std::string journalFolder_;
    std::string operation_;
    bool committed_ = false;
    bool abandoned_ = false; // a simulated crash: nothing is cleaned up
};

// Thrown by the crash seam below: the transaction stops where it is, without
// rollback and without removing anything, as a killed process would.
struct SimulatedCrash {};

// Test seam: makes the n-th write (temporary file), the n-th flush (fsync of a
// temporary file) or the n-th rename, counted from the last reset, fail as a
// full disk would. 0 disables. crashAfterRenames(k) stops the next journalled
// commit after k of its renames with SimulatedCrash (k = renames + 1: after it
// has marked itself complete, before its clean-up); −1 disables.
struct WriteFaults {
    static void failWrite(int n);
    static void failSync(int n);
    static void failRename(int n);
    static void crashAfterRenames(int k);
    // The n-th rename of a rollback (putting a replaced file back) fails.
    static void failRestore(int n);
    // The n-th flush of a folder fails.
    static void failFolderSync(int n);
    // The n-th step (rename, removal, flush) of a recovery fails.
    static void failRecoveryStep(int n);
    static void reset();
    static int writesSoFar();
    static int renamesSoFar();
    static int folderSyncsSoFar();
    static int recoveryStepsSoFar();
    // Counts one recovery step; true when it is the one to fail.
    static bool recoveryStepFails();
};

// Test seam: reading the file or listing the folder at `path` fails with
// EACCES as it would without permission (tests run as root, where chmod does
// not stop a read). Paths compare by identity; reset() lifts every denial.
struct ReadFaults {
    static void deny(const std::string& path);
    static void reset();
};

} // namespace tenvoll
