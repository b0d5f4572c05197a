// The manifest of a backup folder ("目録.ini", cp932 INI form): what one term
// update — or one undo of it — wrote, so that it can be reversed exactly.
//
//   [目録]
//   種類=期更新 | 取り消し
//   期=8                        the term S of the update
//   日時=2026-04-01 09:30:05    local time of the commit
//   ツール=標準                 the tool variant of the update
//   機構名=...                  the league
//   通番=3                      order of the operations of this league folder
//   状態=有効 | 取り消し済み | やり直し済み
//   対象=0008期更新前           (取り消し only) the backup folder it reversed
//   ファイル数=2
//   [ファイル1]
//   パス=\league\reds.txt       stored path (relative to the program folder,
//                               or a full path for a file outside it)
//   バックアップ=reds.txt       the copy of the old content, below this folder;
//                               empty when the file did not exist before
//   変更前=<SHA-256>            hash of the old content; empty: no file
//   変更後=<SHA-256>            hash of the written content; empty: removed
//
// An update's manifest turns 取り消し済み when it is undone and 有効 again
// when the undo is redone; an undo's manifest turns やり直し済み then.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kManifestFileName = "目録.ini";

enum class BackupKind { TermUpdate, Undo };
enum class ManifestState { Active, Undone, Redone };

struct ManifestFile {
    std::string storedPath;
    std::string backupName; // with backslashes; empty: the file was created
    std::string before;     // SHA-256 of the old content; empty: no old file
    std::string after;      // SHA-256 of the new content; empty: removed
};

struct Manifest {
    BackupKind kind = BackupKind::TermUpdate;
    long long term = 0;
    std::string when;
    std::string tool;
    std::string league;
    long long serial = 0;
    ManifestState state = ManifestState::Active;
    std::string target; // an undo's update folder (its name)
    std::vector<ManifestFile> files;
};

// The manifest as UTF-8 INI text (saved as cp932).
std::string manifestText(const Manifest& manifest);
// Reads manifest text; throws LeagueError naming `pathForMessage` and what is
// wrong with it (a missing key, an unknown kind, a hash that is none).
Manifest parseManifest(std::string_view text, const std::string& pathForMessage);

// The next serial of a league folder: one above every readable manifest in
// its backup folder.
long long nextManifestSerial(const std::string& leagueFolder);

// Where a file goes below a backup folder: its path below the league folder,
// or below the program folder under "プログラムフォルダ" (backslashes).
std::string backupNameFor(const std::string& path, const std::string& programFolder,
                          const std::string& leagueFolder);
// The stored form of a written file: "\"-relative below the program folder,
// else its full path.
std::string manifestStoredPath(const std::string& path, const std::string& programFolder);

struct TermManifestInput {
    std::string programFolder;
    std::string leagueFolder;
    std::string leagueName;
    std::string tool;
    long long newTerm = 0;
    // Files the run removes after its commit (the game tools' scratch files):
    // their content is kept in the backup folder too.
    std::vector<std::string> removedAfterCommit;
};

// Copies a file into the backup folder as `backupName` (backslashes, below
// the folder); returns the SHA-256 of its bytes.
using ManifestBackUp =
    std::function<std::string(const std::string& path, const std::string& backupName)>;

// The manifest of a term update: `outputs` are the files it writes, in writing
// order, each with its backup name and hashes; then every file of
// `removedAfterCommit` that exists, copied into the backup folder by `backUp`.
Manifest termManifest(const TermManifestInput& input, std::vector<ManifestFile> outputs,
                      const ManifestBackUp& backUp);

} // namespace tenvoll
