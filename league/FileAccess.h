// Files on disk: reading and decoding, case-insensitive path resolution, and
// the one save pattern of the program — write a temporary file beside the
// target, flush it, then rename it over the target. A FileTransaction does the
// same for several files at once: nothing is renamed until every temporary file
// is written, and a failed rename puts back the files already replaced.
//
// Every failure throws LeagueError with the path and the reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// The path as it exists on disk: the exact path when it exists, otherwise the
// path whose components match ignoring letter case (files copied from Windows),
// otherwise the path unchanged. Backslashes become the platform's separator.
std::string resolvePath(const std::string& path);

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);

std::string readFileBytes(const std::string& path);
// The file's text as UTF-8 (cp932 or UTF-8 on disk).
std::string readTextFile(const std::string& path);
std::vector<std::string> readTextLines(const std::string& path);

// Names of the regular files directly in a folder, sorted by name.
std::vector<std::string> listFileNames(const std::string& folder);

void createFolders(const std::string& path);
// Copies a file, replacing the destination (through a temporary file).
void copyFileReplacing(const std::string& from, const std::string& to);
// Removes a file; false when it could not be removed.
bool removeFile(const std::string& path);

// Atomic writes: `text` is UTF-8 with its line ends, stored as cp932.
void writeTextFileAtomic(const std::string& path, std::string_view text);
void writeBytesAtomic(const std::string& path, std::string_view bytes);

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
    // Renames every staged file over its target, in staging order. On failure
    // the targets already replaced get their old content back (new files are
    // removed) and LeagueError is thrown.
    void commit();

    std::size_t stagedCount() const { return staged_.size(); }
    const std::vector<std::string>& targets() const { return targets_; }

private:
    struct Staged {
        std::string target;
        std::string temporary;
    };
    std::vector<Staged> staged_;
    std::vector<std::string> targets_;
    bool committed_ = false;
};

// Test seam: makes the n-th write (temporary file) or the n-th rename, counted
// from the last reset, fail as a full disk would. 0 disables.
struct WriteFaults {
    static void failWrite(int n);
    static void failRename(int n);
    static void reset();
    static int writesSoFar();
    static int renamesSoFar();
};

} // namespace tenvoll
