// Undoing the newest term update, and redoing an undo, from the backup
// folders' manifests (UpdateManifest.h).
//
// An undo checks, file by file, that every file the update wrote still holds
// what it wrote (refused, naming the files, when not), then in one journalled
// transaction under the exclusive folder lock keeps the current files in a
// backup folder of its own ("バックアップ\" + TTTT(S) + "期取り消し前", with a
// manifest), puts every replaced file back byte for byte, removes the files
// the update created, and marks the update's manifest 取り消し済み. A redo
// reverses the newest undo the same way. Only the newest update can be
// undone (the newest undo redone); undoing again goes back one more update.
#pragma once

#include "termupdate/UpdateManifest.h"

#include <string>
#include <vector>

namespace tenvoll {

enum class UndoAction { Undo, Redo };

struct BackupEntry {
    std::string folder; // full path
    std::string name;   // the folder's name ("0008期更新前")
    bool hasManifest = false;
    std::string problem; // why the manifest cannot be read; empty when it can
    Manifest manifest;   // when it has a readable manifest
    long long term = -1; // from the manifest, else from the folder name (−1: unknown)
    std::string when;    // the manifest's time, else the folder's modification time
    std::size_t fileCount = 0;
    bool undoable = false; // the update an undo would reverse now
    bool redoable = false; // the undo a redo would reverse now
};

// "取り消し可", "取り消し済み", "やり直し可", "目録なし (手で戻す)", ...
std::string backupStateText(const BackupEntry& entry);
// "期更新", "取り消し", or "—" without a readable manifest.
std::string backupKindText(const BackupEntry& entry);

struct BackupList {
    std::string leagueFolder;
    std::string backupRoot;           // leagueFolder + "\バックアップ"
    std::vector<BackupEntry> entries; // newest first
};

// The backup folders of the league. Holds the shared folder lock while it reads.
BackupList listBackups(const std::string& programFolder, const std::string& leagueName);

enum class UndoChange { Restore, Remove, Create };

struct UndoFile {
    std::string storedPath;
    std::string fullPath;
    UndoChange change = UndoChange::Restore;
};

struct UndoPreview {
    UndoAction action = UndoAction::Undo;
    std::string sourceFolder; // the backup folder whose manifest is reversed
    long long term = 0;       // the update's term S
    std::string when;         // when that update (or undo) ran
    std::string tool;
    std::vector<UndoFile> files;
    std::string keptFolder; // an undo's own backup folder; empty for a redo
};

// What the action would do now, all checks made; throws LeagueError with the
// reason (nothing to undo, files changed since — named —, a damaged manifest,
// a missing backup file, a file outside the program folder). Holds the shared
// folder lock while it reads.
UndoPreview previewUndo(const std::string& programFolder, const std::string& leagueName,
                        UndoAction action);

// Does it, under the exclusive folder lock, as one journalled transaction.
// Throws LeagueError as previewUndo, or when another operation holds the
// league; no file is changed then.
UndoPreview runUndo(const std::string& programFolder, const std::string& leagueName,
                    UndoAction action);

// The confirmation text of a preview: which term, when, and every file.
std::string undoPreviewText(const UndoPreview& preview);
// The report after a run.
std::string undoDoneText(const UndoPreview& done);

} // namespace tenvoll
