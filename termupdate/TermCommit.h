// The committing of a term update: each output is encoded and written to its
// temporary file as soon as the merge has built it; then copies of every file
// it replaces go to a backup folder of the league ("バックアップ\" + TTTT(S) +
// "期更新前"), copied file to file, and the backups and the outputs are
// renamed in one file transaction, backups first, journalled in the league
// folder so that a crash between its renames is undone at the next start. A
// failure leaves every file as it was: the temporary files and the folders
// made for them are removed (after a kill, by the leftover sweep of the next
// start).
#pragma once

#include "league/FileAccess.h"
#include "termupdate/CreatedFolders.h"
#include "termupdate/TermMerge.h"
#include "termupdate/TermProgress.h"
#include "termupdate/UpdateManifest.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tenvoll {

struct TermPlaces {
    std::string programFolder;
    std::string leagueFolder; // holds the journal and the backup folder
    long long newTerm = 0;    // S: names the backup folder and the journalled operation
};

class TermCommit : public TermOutputSink {
public:
    TermCommit(const TermPlaces& places, TermProgress& progress);

    // Encodes the file and writes its temporary file now, creating missing
    // folders. Refuses a file that names a file already staged. One progress unit.
    void write(OutputFile file) override;
    // The same, each piece encoded and written as it comes.
    void writeInPieces(const std::string& path,
                       const std::function<void(const PieceWriter&)>& produce) override;

    // Copies every file the outputs replace into the backup folder, adds the
    // manifest and renames everything. One progress unit per backup and one
    // for the renames.
    void commit(const TermManifestInput& manifest);

    const std::vector<std::string>& writtenFiles() const { return written_; }
    // Empty before the commit.
    const std::string& backupFolder() const { return backupFolder_; }

private:
    struct Staged {
        std::string path;
        std::string after; // SHA-256 of the bytes written
        bool replaces = false;
    };

    void refuseSecondContent(const std::string& path);
    // Copies `path` to `backupName` below the backup folder; the hash of its bytes.
    std::string backUp(const std::string& path, const std::string& backupName);
    std::string backupNameOf(const std::string& path);

    const TermPlaces places_;
    TermProgress& progress_;
    // Declared before the transaction: its temporary files go before the folders.
    CreatedFolders folders_;
    FileTransaction transaction_;
    std::vector<Staged> staged_;
    std::vector<std::string> written_;
    std::unordered_map<std::string, std::string> identities_; // identity -> path written
    std::unordered_set<std::string> backupNames_;             // folded, used in the backup folder
    std::string backupFolder_;
};

// The backup folder a run for term S would use: "期更新前", then "期更新前(2)", ...
std::string backupFolderFor(const std::string& leagueFolder, long long newTerm);

} // namespace tenvoll
