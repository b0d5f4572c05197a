// Undo and redo of term updates from the manifests of the backup folders.
#include "termupdate/TermUndo.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "league/Sha256.h"
#include "termupdate/CreatedFolders.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <unordered_set>

namespace fs = std::filesystem;

namespace tenvoll {

namespace {

constexpr std::string_view kBackupRoot = "バックアップ";

// ---- reading the backup folders ---------------------------------------------

std::string folderTime(const fs::path& folder) {
    std::error_code ec;
    auto t = fs::last_write_time(folder, ec);
    if (ec)
        return {};
    auto sys = std::chrono::file_clock::to_sys(t);
    return platform::localDateTimeText(
        std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch()).count());
}

long long termOfFolderName(const std::string& name) {
    std::size_t digits = 0;
    while (digits < name.size() && digits < 4 && name[digits] >= '0' && name[digits] <= '9')
        ++digits;
    if (digits == 0 || name.compare(digits, std::string("期").size(), "期") != 0)
        return -1;
    return std::stoll(name.substr(0, digits));
}

std::size_t filesBelow(const fs::path& folder) {
    std::size_t n = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec))
            ++n;
    return n;
}

std::string leagueFolderOf(const std::string& programFolder, const std::string& leagueName) {
    Settings settings(programFolder);
    settings.load();
    std::string folder = settings.leagueFolder(leagueName);
    if (folder.empty())
        throw LeagueError("機構「" + leagueName + "」にはチームファイルが登録されていません。");
    return folder;
}

// Which update an undo reverses now (the active one of the highest serial)
// and which undo a redo reverses (the active undo of the highest serial, when
// no active update is newer).
void markCandidates(std::vector<BackupEntry>& entries) {
    BackupEntry* update = nullptr;
    BackupEntry* undo = nullptr;
    for (auto& e : entries) {
        if (!e.hasManifest || !e.problem.empty() || e.manifest.state != ManifestState::Active)
            continue;
        BackupEntry*& best = e.manifest.kind == BackupKind::TermUpdate ? update : undo;
        if (best == nullptr || e.manifest.serial > best->manifest.serial)
            best = &e;
    }
    if (update != nullptr)
        update->undoable = true;
    if (undo != nullptr && (update == nullptr || undo->manifest.serial > update->manifest.serial))
        undo->redoable = true;
}

BackupList readBackups(const std::string& programFolder, const std::string& leagueName) {
    BackupList list;
    list.leagueFolder = leagueFolderOf(programFolder, leagueName);
    list.backupRoot = joinPath(list.leagueFolder, std::string(kBackupRoot));
    std::error_code ec;
    std::vector<fs::path> folders;
    for (const auto& entry :
         fs::directory_iterator(platform::fsPath(resolvePath(list.backupRoot)), ec))
        if (entry.is_directory(ec))
            folders.push_back(entry.path());
    for (const auto& folder : folders) {
        BackupEntry e;
        e.folder = platform::pathText(folder);
        e.name = platform::pathText(folder.filename());
        const std::string manifest = joinPath(e.folder, std::string(kManifestFileName));
        e.hasManifest = fileExists(manifest);
        if (e.hasManifest) {
            try {
                e.manifest = parseManifest(readTextFile(manifest), manifest);
                e.term = e.manifest.term;
                e.when = e.manifest.when;
                e.fileCount = e.manifest.files.size();
            } catch (const LeagueError& err) {
                e.problem = err.what();
            }
        }
        if (!e.hasManifest || !e.problem.empty()) {
            e.term = termOfFolderName(e.name);
            e.when = folderTime(folder);
            e.fileCount = filesBelow(folder) - (e.hasManifest ? 1 : 0);
        }
        list.entries.push_back(std::move(e));
    }
    markCandidates(list.entries);
    std::sort(list.entries.begin(), list.entries.end(), [](const auto& a, const auto& b) {
        if (a.when != b.when)
            return a.when > b.when;
        if (a.manifest.serial != b.manifest.serial)
            return a.manifest.serial > b.manifest.serial;
        return a.name > b.name;
    });
    return list;
}

// ---- checked paths ----------------------------------------------------------

// A relative path of names only: no drive, no "." or "..", no empty name.
bool plainRelative(std::string_view path) {
    if (path.empty() || hasDrivePart(path))
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        std::string_view part =
            path.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return true;
}

bool inside(const std::string& file, const std::string& folder) {
    std::error_code ec;
    fs::path f = fs::weakly_canonical(platform::fsPath(resolvePath(file)), ec);
    fs::path d = fs::weakly_canonical(platform::fsPath(resolvePath(folder)), ec);
    fs::path rel = f.lexically_relative(d);
    return !rel.empty() && !rel.is_absolute() && *rel.begin() != ".." && *rel.begin() != ".";
}

// The full path of a manifest's stored path; refused when it lies outside
// the program folder (a full path, "..", or a link leading out).
std::string programFile(const std::string& programFolder, const std::string& stored,
                        const std::string& manifest) {
    const std::string full = joinProgramFolder(programFolder, stored);
    if (!stored.starts_with("\\") || !plainRelative(std::string_view(stored).substr(1)) ||
        !inside(full, programFolder))
        throw LeagueError("目録にプログラムフォルダの外のファイルがあるため、取り消せません: " +
                              stored + "\n手で戻してください。",
                          manifest);
    return full;
}

std::string backupFile(const std::string& folder, const std::string& name,
                       const std::string& manifest) {
    const std::string full = joinPath(folder, toNativePath(name));
    if (!plainRelative(name) || !inside(full, folder))
        throw LeagueError("バックアップの目録が壊れています (バックアップ=" + name +
                          "): " + manifest);
    return full;
}

std::optional<std::string> currentBytes(const std::string& path) {
    if (!fileExists(path))
        return std::nullopt;
    return readFileBytes(path);
}

// The old content kept in a backup folder, checked against its hash.
std::string backupBytes(const std::string& folder, const ManifestFile& f,
                        const std::string& manifest) {
    const std::string path = backupFile(folder, f.backupName, manifest);
    if (!fileExists(path))
        throw LeagueError("バックアップのファイルがないため、取り消せません: " + path, manifest);
    std::string bytes = readFileBytes(path);
    if (sha256Hex(bytes) != f.before)
        throw LeagueError("バックアップのファイルが目録の記録と違うため、取り消せません: " + path,
                          manifest);
    return bytes;
}

// ---- the prepared transaction -----------------------------------------------

struct Write {
    std::string path;
    std::string content;
    bool text = false; // UTF-8 text saved as cp932 (the manifests); else bytes
    bool removal = false;
};

struct Prepared {
    UndoPreview preview;
    std::string leagueFolder;
    std::vector<Write> writes; // in staging order
};

std::string undoFolderFor(const std::string& leagueFolder, long long term) {
    std::string base =
        joinPath(joinPath(leagueFolder, std::string(kBackupRoot)), termText(term) + "期取り消し前");
    std::string candidate = base;
    for (int n = 2; folderExists(candidate) || fileExists(candidate); ++n)
        candidate = base + "(" + std::to_string(n) + ")";
    return candidate;
}

std::string changedMessage(const std::vector<std::string>& changed, UndoAction action,
                           long long term) {
    std::string text = std::to_string(term) +
                       (action == UndoAction::Undo ? "期の期更新の後に" : "期の取り消しの後に") +
                       "次のファイルが変更されているため、" +
                       (action == UndoAction::Undo ? "取り消せません" : "やり直せません") +
                       "。ファイルは変更していません。";
    for (const auto& c : changed)
        text += "\n  " + c;
    return text;
}

// Whether the file holds what the manifest says it should (`hash` empty: no file).
std::optional<std::string> mismatch(const std::optional<std::string>& bytes,
                                    const std::string& hash) {
    if (hash.empty())
        return bytes ? std::optional<std::string>(" (あとから作られています)") : std::nullopt;
    if (!bytes)
        return " (ありません)";
    if (sha256Hex(*bytes) != hash)
        return " (内容が変わっています)";
    return std::nullopt;
}

void checkDistinct(const std::vector<UndoFile>& files, const std::string& manifest) {
    std::unordered_set<std::string> seen;
    for (const auto& f : files)
        if (!seen.insert(fileIdentity(f.fullPath)).second)
            throw LeagueError("バックアップの目録が壊れています (同じファイルが二度あります: " +
                              f.storedPath + "): " + manifest);
}

Prepared prepareUndo(const std::string& programFolder, const BackupList& list,
                     const BackupEntry& update) {
    const Manifest& m = update.manifest;
    const std::string manifestPath = joinPath(update.folder, std::string(kManifestFileName));
    Prepared p;
    p.leagueFolder = list.leagueFolder;
    p.preview = {UndoAction::Undo,
                 update.folder,
                 m.term,
                 m.when,
                 m.tool,
                 {},
                 undoFolderFor(list.leagueFolder, m.term)};

    Manifest kept;
    kept.kind = BackupKind::Undo;
    kept.term = m.term;
    kept.when = platform::localDateTimeText(std::time(nullptr));
    kept.tool = m.tool;
    kept.league = m.league;
    std::vector<Write> restores;
    std::vector<std::string> changed;
    for (const auto& f : m.files) {
        const std::string full = programFile(programFolder, f.storedPath, manifestPath);
        std::optional<std::string> now = currentBytes(full);
        // A file the update removed after its commit may have stayed (its
        // removal failed): it still holds the old content then.
        const bool removedButStayed = f.after.empty() && now && sha256Hex(*now) == f.before;
        if (auto why = mismatch(now, f.after); why && !removedButStayed)
            changed.push_back(f.storedPath + *why);
        ManifestFile k{f.storedPath, {}, {}, f.before};
        if (now && !removedButStayed) {
            k.backupName = backupNameFor(full, programFolder, list.leagueFolder);
            k.before = sha256Hex(*now);
            p.writes.push_back(
                {joinPath(p.preview.keptFolder, toNativePath(k.backupName)), *now, false, false});
        }
        if (!f.before.empty()) {
            restores.push_back({full, backupBytes(update.folder, f, manifestPath), false, false});
            p.preview.files.push_back(
                {f.storedPath, full, now ? UndoChange::Restore : UndoChange::Create});
        } else {
            restores.push_back({full, {}, false, true});
            p.preview.files.push_back({f.storedPath, full, UndoChange::Remove});
        }
        if (!k.before.empty() || !k.after.empty())
            kept.files.push_back(std::move(k));
    }
    if (!changed.empty())
        throw LeagueError(changedMessage(changed, UndoAction::Undo, m.term), manifestPath);
    checkDistinct(p.preview.files, manifestPath);

    kept.serial = nextManifestSerial(list.leagueFolder);
    kept.target = update.name;
    p.writes.push_back({joinPath(p.preview.keptFolder, std::string(kManifestFileName)),
                        manifestText(kept), true, false});
    p.writes.insert(p.writes.end(), restores.begin(), restores.end());
    Manifest undone = m;
    undone.state = ManifestState::Undone;
    p.writes.push_back({manifestPath, manifestText(undone), true, false});
    return p;
}

Prepared prepareRedo(const std::string& programFolder, const BackupList& list,
                     const BackupEntry& undo) {
    const Manifest& m = undo.manifest;
    const std::string manifestPath = joinPath(undo.folder, std::string(kManifestFileName));
    auto update = std::find_if(list.entries.begin(), list.entries.end(),
                               [&](const BackupEntry& e) { return e.name == m.target; });
    if (update == list.entries.end() || !update->hasManifest ||
        update->manifest.kind != BackupKind::TermUpdate ||
        update->manifest.state != ManifestState::Undone)
        throw LeagueError("取り消した期更新のバックアップ (" + m.target +
                              ") が見つからないか、取り消し済みではないため、やり直せません。",
                          manifestPath);
    Prepared p;
    p.leagueFolder = list.leagueFolder;
    p.preview = {UndoAction::Redo, undo.folder, m.term, update->manifest.when, m.tool, {}, {}};
    std::vector<std::string> changed;
    for (const auto& f : m.files) {
        const std::string full = programFile(programFolder, f.storedPath, manifestPath);
        std::optional<std::string> now = currentBytes(full);
        if (auto why = mismatch(now, f.after))
            changed.push_back(f.storedPath + *why);
        if (!f.before.empty()) {
            p.writes.push_back({full, backupBytes(undo.folder, f, manifestPath), false, false});
            p.preview.files.push_back(
                {f.storedPath, full, now ? UndoChange::Restore : UndoChange::Create});
        } else {
            p.writes.push_back({full, {}, false, true});
            p.preview.files.push_back({f.storedPath, full, UndoChange::Remove});
        }
    }
    if (!changed.empty())
        throw LeagueError(changedMessage(changed, UndoAction::Redo, m.term), manifestPath);
    checkDistinct(p.preview.files, manifestPath);
    Manifest redone = m;
    redone.state = ManifestState::Redone;
    p.writes.push_back({manifestPath, manifestText(redone), true, false});
    Manifest active = update->manifest;
    active.state = ManifestState::Active;
    p.writes.push_back({joinPath(update->folder, std::string(kManifestFileName)),
                        manifestText(active), true, false});
    return p;
}

Prepared prepare(const std::string& programFolder, const std::string& leagueName,
                 UndoAction action) {
    const BackupList list = readBackups(programFolder, leagueName);
    for (const auto& e : list.entries)
        if (!e.problem.empty())
            throw LeagueError(
                e.problem + "\n目録を直すか、そのフォルダを「バックアップ」の外へ移してください。");
    for (const auto& e : list.entries) {
        if (action == UndoAction::Undo && e.undoable)
            return prepareUndo(programFolder, list, e);
        if (action == UndoAction::Redo && e.redoable)
            return prepareRedo(programFolder, list, e);
    }
    if (action == UndoAction::Redo)
        throw LeagueError("やり直せる取り消しがありません。");
    const bool older = std::any_of(list.entries.begin(), list.entries.end(),
                                   [](const BackupEntry& e) { return !e.hasManifest; });
    throw LeagueError(older ? "取り消せる期更新がありません。目録のない以前のバックアップは、"
                              "フォルダのファイルを手で戻してください。"
                            : "取り消せる期更新がありません。");
}

void commit(const Prepared& p) {
    CreatedFolders folders;
    for (const auto& w : p.writes)
        if (!w.removal)
            folders.ensure(folderOf(w.path));
    FileTransaction transaction;
    transaction.useJournal(
        p.leagueFolder,
        (p.preview.action == UndoAction::Undo ? "期更新の取り消し (" : "期更新のやり直し (") +
            std::to_string(p.preview.term) + "期)");
    for (const auto& f : folders.created())
        transaction.noteCreatedFolder(f);
    for (const auto& w : p.writes) {
        if (w.removal)
            transaction.stageRemoval(w.path);
        else if (w.text)
            transaction.stageText(w.path, w.content);
        else
            transaction.stageBytes(w.path, w.content);
    }
    transaction.commit();
    folders.keep();
}

std::string actionName(UndoAction action) {
    return action == UndoAction::Undo ? "期更新の取り消し" : "取り消しのやり直し";
}

} // namespace

std::string backupKindText(const BackupEntry& e) {
    if (!e.hasManifest || !e.problem.empty())
        return "—";
    return e.manifest.kind == BackupKind::TermUpdate ? "期更新" : "取り消し";
}

std::string backupStateText(const BackupEntry& e) {
    if (!e.hasManifest)
        return "目録なし (手で戻す)";
    if (!e.problem.empty())
        return "目録が壊れています";
    if (e.undoable)
        return "取り消し可";
    if (e.redoable)
        return "やり直し可";
    switch (e.manifest.state) {
    case ManifestState::Undone:
        return "取り消し済み";
    case ManifestState::Redone:
        return "やり直し済み";
    case ManifestState::Active:
        break;
    }
    return "—";
}

BackupList listBackups(const std::string& programFolder, const std::string& leagueName) {
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
    return readBackups(programFolder, leagueName);
}

UndoPreview previewUndo(const std::string& programFolder, const std::string& leagueName,
                        UndoAction action) {
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
    return prepare(programFolder, leagueName, action).preview;
}

UndoPreview runUndo(const std::string& programFolder, const std::string& leagueName,
                    UndoAction action) {
    try {
        FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Exclusive);
        Prepared p = prepare(programFolder, leagueName, action);
        commit(p);
        return p.preview;
    } catch (const IncompleteRollbackError& e) {
        throw LeagueError(actionName(action) +
                              "を中止しましたが、一部のファイルを元に戻せませんでした。\n" +
                              std::string(e.what()),
                          e.detail());
    }
}

std::string undoPreviewText(const UndoPreview& p) {
    std::string text;
    if (p.action == UndoAction::Undo)
        text = std::to_string(p.term) + "期の期更新 (" + p.when + ") を取り消し、" +
               std::to_string(p.term) + "期を追加する前の状態に戻します。";
    else
        text = std::to_string(p.term) + "期の期更新 (" + p.when + ") の取り消しをやり直し、" +
               std::to_string(p.term) + "期を追加した状態に戻します。";
    text += "\n\n";
    for (const auto& f : p.files) {
        const char* what = f.change == UndoChange::Remove   ? "削除: "
                           : f.change == UndoChange::Create ? "復元 (作成): "
                                                            : "復元: ";
        text += what + f.storedPath + "\n";
    }
    if (!p.keptFolder.empty())
        text += "\n今のファイルは " + p.keptFolder + " に残します (やり直しに使います)。";
    return text;
}

std::string undoDoneText(const UndoPreview& p) {
    std::string text = p.action == UndoAction::Undo
                           ? std::to_string(p.term) + "期の期更新を取り消しました (" +
                                 std::to_string(p.files.size()) + " 個のファイル)。"
                           : std::to_string(p.term) + "期の期更新の取り消しをやり直しました (" +
                                 std::to_string(p.files.size()) + " 個のファイル)。";
    if (!p.keptFolder.empty())
        text += "\n取り消し前のファイル: " + p.keptFolder;
    return text;
}

} // namespace tenvoll
