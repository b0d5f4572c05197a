// File access with atomic saves, multi-file transactions and a fault seam.
#include "league/FileAccess.h"

#include "league/Journal.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/SystemErrors.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace tenvoll {

namespace {

struct FaultState {
    int failWriteAt = 0;
    int failSyncAt = 0;
    int failRenameAt = 0;
    int crashAfter = -1;
    int failRestoreAt = 0;
    int failFolderSyncAt = 0;
    int failRecoveryStepAt = 0;
    int restores = 0;
    int folderSyncs = 0;
    int recoverySteps = 0;
    int writes = 0;
    int syncs = 0;
    int renames = 0;
};
FaultState& faults() {
    static FaultState state;
    return state;
}

std::vector<std::string>& deniedReads() {
    static std::vector<std::string> identities;
    return identities;
}

// The read seam: true when reads of `path` are to fail as if not permitted.
bool readDenied(const std::string& path) {
    if (deniedReads().empty())
        return false;
    std::string identity = fileIdentity(path);
    return std::find(deniedReads().begin(), deniedReads().end(), identity) != deniedReads().end();
}

std::string reasonText(int err) {
    return systemErrorText(err);
}

[[noreturn]] void failWith(const std::string& what, const std::string& path, int err) {
    throw LeagueError(what + ": " + path + " (" + reasonText(err) + ")");
}

bool existsExactly(const std::string& p) {
    return platform::existsAsSpelled(p);
}

std::string uniqueSibling(const std::string& target, const char* tag) {
    static unsigned counter = 0;
    fs::path t = platform::fsPath(target);
    std::string name = "." + platform::pathText(t.filename()) + "." +
                       std::to_string(platform::currentProcessId()) + "." +
                       std::to_string(++counter) + tag;
    return platform::pathText(t.parent_path() / platform::fsPath(name));
}

void syncFolderOf(const std::string& path) {
    syncFolder(platform::pathText(platform::fsPath(path).parent_path()));
}

// Flushes the folder; false instead of an exception.
bool trySyncFolderOf(const std::string& path) {
    try {
        syncFolderOf(path);
        return true;
    } catch (const LeagueError&) {
        return false;
    }
}

// fsync through the fault seam.
int syncCounted(platform::FileHandle fd) {
    FaultState& f = faults();
    ++f.syncs;
    if (f.failSyncAt != 0 && f.syncs == f.failSyncAt) {
        errno = EIO;
        return -1;
    }
    return platform::flushFile(fd);
}

// Writes a new temporary file beside `target`, flushed to disk: `fill` writes
// its bytes and returns 0, or an error number of the write. An exception from
// `fill` (a source that cannot be read) removes the file and passes on.
std::string writeTemporaryFrom(const std::string& target,
                               const std::function<int(platform::FileHandle)>& fill) {
    FaultState& f = faults();
    ++f.writes;
    std::string temp = uniqueSibling(target, ".tmp");
    if (f.failWriteAt != 0 && f.writes == f.failWriteAt)
        failWith("ファイルを書き込めませんでした", target, ENOSPC);

    platform::FileHandle fd = platform::openFile(temp, platform::OpenMode::CreateNew);
    if (fd == platform::kNoFile)
        failWith("ファイルを書き込めませんでした", target, errno);
    platform::copyPermissions(target, fd); // keep the target's permissions
    int err = 0;
    try {
        err = fill(fd);
    } catch (...) {
        platform::closeFile(fd);
        platform::deleteFile(temp);
        throw;
    }
    if (err != 0) {
        platform::closeFile(fd);
        platform::deleteFile(temp);
        failWith("ファイルを書き込めませんでした", target, err);
    }
    // The descriptor is closed whether or not the flush worked.
    err = syncCounted(fd) != 0 ? errno : 0;
    if (platform::closeFile(fd) != 0 && err == 0)
        err = errno;
    if (err != 0) {
        platform::deleteFile(temp);
        failWith("ファイルを書き込めませんでした", target, err);
    }
    return temp;
}

std::string writeTemporary(const std::string& target, std::string_view bytes) {
    return writeTemporaryFrom(target, [&](platform::FileHandle fd) {
        return platform::writeFile(fd, bytes) != 0 ? errno : 0;
    });
}

// A rename of the rollback, through the fault seam.
int restoreRename(const std::string& from, const std::string& to) {
    FaultState& f = faults();
    if (f.failRestoreAt != 0 && ++f.restores == f.failRestoreAt) {
        errno = EIO;
        return -1;
    }
    return platform::replaceFile(from, to);
}

void renameCounted(const std::string& from, const std::string& to) {
    FaultState& f = faults();
    ++f.renames;
    if (f.failRenameAt != 0 && f.renames == f.failRenameAt)
        failWith("ファイルを置き換えられませんでした", to, EIO);
    if (platform::replaceFile(from, to) != 0)
        failWith("ファイルを置き換えられませんでした", to, errno);
}

// A staged removal, counted by the fault seam as a rename.
void removeCounted(const std::string& target) {
    FaultState& f = faults();
    ++f.renames;
    if (f.failRenameAt != 0 && f.renames == f.failRenameAt)
        failWith("ファイルを削除できませんでした", target, EIO);
    if (platform::deleteFile(target) != 0 && errno != ENOENT)
        failWith("ファイルを削除できませんでした", target, errno);
}

// The target path to write: an existing file that matches ignoring case is
// written over; otherwise the folder part is resolved and the name kept.
std::string writeTargetFor(const std::string& path) {
    std::string native = toNativePath(path);
    std::string resolved = resolvePath(native);
    if (existsExactly(resolved)) {
        // A link is written through: its target gets the new content and the
        // link stays a link (a rename over it would replace the link itself).
        std::error_code ec;
        const fs::path p = platform::fsPath(resolved);
        if (fs::is_symlink(p, ec)) {
            fs::path target = fs::canonical(p, ec);
            if (!ec)
                return platform::pathText(target);
        }
        return resolved;
    }
    fs::path p = platform::fsPath(native);
    std::string parent = platform::pathText(p.parent_path());
    if (parent.empty())
        return native;
    return platform::pathText(platform::fsPath(resolvePath(parent)) / p.filename());
}

} // namespace

void syncFolder(const std::string& folder) {
    FaultState& f = faults();
    ++f.folderSyncs;
    int err = 0;
    if (f.failFolderSyncAt != 0 && f.folderSyncs == f.failFolderSyncAt)
        err = EIO;
    else if (platform::flushFolder(folder) != 0)
        err = errno;
    if (err != 0)
        throw LeagueError("フォルダの内容をディスクに書き込めませんでした: " +
                          (folder.empty() ? std::string(".") : folder) + " (" +
                          systemErrorText(err) + ")");
}

// ---- paths ----------------------------------------------------------------

std::string resolvePath(const std::string& path) {
    std::string native = toNativePath(path);
    if (native.empty() || existsExactly(native))
        return native;
    fs::path p = platform::fsPath(native);
    // The drive or root ("C:\", "/") is taken as it is; the names below it are
    // looked up one by one.
    fs::path built = p.root_path();
    const fs::path relative = p.relative_path();
    for (auto it = relative.begin(); it != relative.end(); ++it) {
        fs::path next = built / *it;
        if (built.empty() || existsExactly(platform::pathText(next)) || *it == "." || *it == "..") {
            built = next;
            continue;
        }
        // Search the folder for a name equal ignoring case.
        std::error_code ec;
        bool found = false;
        for (const auto& entry : fs::directory_iterator(built, ec)) {
            if (equalsIgnoreCase(platform::pathText(entry.path().filename()),
                                 platform::pathText(*it))) {
                built = entry.path();
                found = true;
                break;
            }
        }
        if (!found)
            return native;
    }
    return platform::pathText(built);
}

std::string fileIdentity(const std::string& path) {
    std::string resolved = resolvePath(path);
    if (!platform::pathExists(resolved)) // "x/../Name.TXT": resolve the normal form
        resolved = resolvePath(
            platform::pathText(platform::fsPath(toNativePath(path)).lexically_normal()));
    std::string identity;
    if (platform::fileIdentity(resolved, identity))
        return identity;
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(platform::fsPath(resolved), ec);
    return foldCase(ec ? platform::pathText(platform::fsPath(resolved).lexically_normal())
                       : platform::pathText(canonical));
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(platform::fsPath(resolvePath(path)), ec);
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(platform::fsPath(resolvePath(path)), ec);
}

bool entryPresent(const std::string& path) {
    return platform::entryExists(resolvePath(path));
}

namespace {

// A name spelled as on disk, as nearly every name is, opens as it is given:
// looking its spelling up first would cost one more call to the file system
// for every file read. kNoFile when it does not open so (or while reads are
// refused for a test), and the spelling on disk is then looked up.
platform::FileHandle openAsSpelled(const std::string& path) {
    if (!deniedReads().empty())
        return platform::kNoFile;
    return platform::openFile(toNativePath(path), platform::OpenMode::Read);
}

// Opens a file for reading: regular files only, since a FIFO would block and a
// device read without end. The open itself never waits on a FIFO. `size` is
// the file's size; a file over kMaxFileBytes is refused when `whole`.
platform::FileHandle openRegularFile(const std::string& path, bool whole, std::uint64_t& size) {
    platform::FileHandle fd = openAsSpelled(path);
    if (fd == platform::kNoFile) {
        std::string resolved = resolvePath(path);
        if (readDenied(resolved))
            failWith("ファイルを読み込めませんでした", path, EACCES);
        fd = platform::openFile(resolved, platform::OpenMode::Read);
        if (fd == platform::kNoFile)
            failWith("ファイルを読み込めませんでした", path, errno);
    }
    platform::FileInfo info;
    if (platform::fileInfo(fd, info) != 0 || !info.regular) {
        platform::closeFile(fd);
        throw LeagueError("通常のファイルではないため読み込みませんでした: " + path);
    }
    if (whole && info.size > kMaxFileBytes) {
        platform::closeFile(fd);
        throw LeagueError("ファイルが大きすぎるため読み込みませんでした: " + path);
    }
    size = info.size;
    return fd;
}

// Reads at most `limit` bytes of an open file; closes it and throws on a
// failed read.
std::string readUpTo(platform::FileHandle fd, const std::string& path, std::size_t limit,
                     std::uint64_t size) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(size, limit)));
    char buf[65536];
    while (bytes.size() < limit) {
        std::intptr_t n = platform::readFile(fd, buf, std::min(sizeof buf, limit - bytes.size()));
        if (n == 0)
            break;
        if (n < 0) {
            int err = errno;
            platform::closeFile(fd);
            failWith("ファイルを読み込めませんでした", path, err);
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return bytes;
}

} // namespace

std::string readFileStart(const std::string& path, std::size_t maxBytes) {
    std::uint64_t size = 0;
    platform::FileHandle fd = openRegularFile(path, false, size);
    std::string bytes = readUpTo(fd, path, maxBytes, size);
    platform::closeFile(fd);
    return bytes;
}

std::string readFileBytes(const std::string& path) {
    std::uint64_t size = 0;
    platform::FileHandle fd = openRegularFile(path, true, size);
    // One byte beyond the most tells a file that grew past it while read.
    std::string bytes = readUpTo(fd, path, kMaxFileBytes + 1, size);
    platform::closeFile(fd);
    if (bytes.size() > kMaxFileBytes)
        throw LeagueError("ファイルが大きすぎるため読み込みませんでした: " + path);
    return bytes;
}

std::string readTextFile(const std::string& path) {
    return decodeFileBytes(readFileBytes(path), path).text;
}

std::vector<std::string> readTextLines(const std::string& path) {
    return splitLines(readTextFile(path));
}

std::vector<std::string> listFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::string resolved = resolvePath(folder);
    if (readDenied(resolved))
        failWith("フォルダを読み込めませんでした", folder, EACCES);
    std::error_code ec;
    fs::directory_iterator it(platform::fsPath(resolved), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = platform::pathText(it->path().filename());
        std::error_code typeError; // an entry gone meanwhile is simply not listed
        if (it->is_regular_file(typeError) && !name.starts_with("."))
            names.push_back(name);
    }
    if (ec)
        failWith("フォルダを読み込めませんでした", folder, platform::errorNumberOf(ec));
    std::sort(names.begin(), names.end());
    return names;
}

void createFolders(const std::string& path) {
    std::error_code ec;
    std::string target = writeTargetFor(path);
    fs::create_directories(platform::fsPath(target), ec);
    if (ec)
        throw LeagueError("フォルダを作成できませんでした: " + path + " (" + systemErrorText(ec) +
                          ")");
}

void copyFileReplacing(const std::string& from, const std::string& to) {
    writeBytesAtomic(to, readFileBytes(from));
}

bool removeFile(const std::string& path) {
    std::string resolved = resolvePath(path);
    return platform::deleteFile(resolved) == 0;
}

void writeTextFileAtomic(const std::string& path, std::string_view text) {
    FileTransaction t;
    t.stageText(path, text);
    t.commit();
}

void writeBytesAtomic(const std::string& path, std::string_view bytes) {
    FileTransaction t;
    t.stageBytes(path, bytes);
    t.commit();
}

// ---- transaction ------------------------------------------------------------

FileTransaction::~FileTransaction() {
    if (!committed_ && !abandoned_)
        for (const auto& s : staged_)
            platform::deleteFile(s.temporary);
}

void FileTransaction::stageText(const std::string& path, std::string_view text) {
    stageBytes(path, encodeCp932(text, path));
}

void FileTransaction::stageBytes(const std::string& path, std::string_view bytes) {
    std::string target = writeTargetFor(path);
    std::string temp = writeTemporary(target, bytes);
    staged_.push_back({target, temp});
    targets_.push_back(target);
}

void FileTransaction::stageCopy(const std::string& from, const std::string& path,
                                const std::function<void(std::string_view)>& observe) {
    std::string target = writeTargetFor(path);
    std::uint64_t size = 0;
    platform::FileHandle in = openRegularFile(from, true, size);
    std::string temp;
    try {
        temp = writeTemporaryFrom(target, [&](platform::FileHandle out) {
            char buf[kCopyBlockBytes];
            std::uint64_t copied = 0;
            for (;;) {
                std::intptr_t n = platform::readFile(in, buf, sizeof buf);
                if (n == 0)
                    return 0;
                if (n < 0)
                    failWith("ファイルを読み込めませんでした", from, errno);
                copied += static_cast<std::uint64_t>(n);
                if (copied > kMaxFileBytes)
                    throw LeagueError("ファイルが大きすぎるため読み込みませんでした: " + from);
                std::string_view piece(buf, static_cast<std::size_t>(n));
                if (observe)
                    observe(piece);
                if (platform::writeFile(out, piece) != 0)
                    return errno;
            }
        });
    } catch (...) {
        platform::closeFile(in);
        throw;
    }
    platform::closeFile(in);
    staged_.push_back({target, temp});
    targets_.push_back(target);
}

void FileTransaction::stageWith(const std::string& path,
                                const std::function<void(const ByteWriter&)>& produce) {
    std::string target = writeTargetFor(path);
    std::string temp = writeTemporaryFrom(target, [&](platform::FileHandle out) {
        int err = 0; // the first failed write; the pieces after it are dropped
        produce([&](std::string_view bytes) {
            if (err == 0 && platform::writeFile(out, bytes) != 0)
                err = errno;
        });
        return err;
    });
    staged_.push_back({target, temp});
    targets_.push_back(target);
}

void FileTransaction::renameFirstFrom(std::size_t first) {
    const auto at = static_cast<std::ptrdiff_t>(std::min(first, staged_.size()));
    std::rotate(staged_.begin(), staged_.begin() + at, staged_.end());
    std::rotate(targets_.begin(), targets_.begin() + at, targets_.end());
}

void FileTransaction::stageRemoval(const std::string& path) {
    std::string target = writeTargetFor(path);
    if (!existsExactly(target))
        return;
    staged_.push_back({target, uniqueSibling(target, ".tmp"), true});
    targets_.push_back(target);
}

void FileTransaction::useJournal(const std::string& folder, const std::string& operation) {
    journalFolder_ = folder;
    operation_ = operation;
}

void FileTransaction::noteCreatedFolder(const std::string& folder) {
    createdFolders_.push_back(resolvePath(folder));
}

namespace {

// The crash seam: stops the commit after `renamesDone` renames.
void crashPoint(int renamesDone, bool& abandoned) {
    FaultState& f = faults();
    if (f.crashAfter >= 0 && renamesDone == f.crashAfter) {
        f.crashAfter = -1;
        abandoned = true;
        throw SimulatedCrash{};
    }
}

} // namespace

void FileTransaction::commit() {
    const bool journalled = !journalFolder_.empty();
    if (staged_.size() == 1 && !journalled && !staged_[0].removal) {
        renameCounted(staged_[0].temporary, staged_[0].target);
        committed_ = true;
        try {
            syncFolderOf(staged_[0].target);
        } catch (const LeagueError& e) {
            throw UnflushedCommitError(
                "ファイルを書き込みましたが、ディスクへの書き込みを確かめられ"
                "ませんでした: " +
                    staged_[0].target,
                e.what());
        }
        return;
    }
    std::string journalPath;
    if (journalled) {
        journalPath = joinPath(resolvePath(journalFolder_), kJournalFileName);
        // Another operation's journal waits for its recovery: writing ours
        // over it would lose the only record of what that one replaced.
        if (platform::entryExists(journalPath))
            throw LeagueError("前回の操作の記録ファイルが残っているため、書き込みを中止しました。"
                              "プログラムを起動し直すと前回の操作を元に戻します: " +
                              journalPath);
    }
    // Keep a hard link (or copy) of every file about to be replaced, so that a
    // failed rename, or recovery after a crash, can put the files back as they were.
    std::vector<std::string> keep(staged_.size());
    auto dropKeeps = [&] {
        for (const auto& k : keep)
            if (!k.empty())
                platform::deleteFile(k);
    };
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        const std::string& target = staged_[i].target;
        if (!existsExactly(target))
            continue;
        std::string k = uniqueSibling(target, ".keep");
        if (platform::linkFile(target, k) != 0) {
            std::error_code ec;
            fs::copy_file(platform::fsPath(target), platform::fsPath(k), ec);
            platform::FileHandle fd =
                ec ? platform::kNoFile : platform::openFile(k, platform::OpenMode::Flush);
            if (fd != platform::kNoFile) {
                if (platform::flushFile(fd) != 0)
                    ec = std::error_code(errno, std::generic_category());
                platform::closeFile(fd);
            }
            if (ec) {
                platform::deleteFile(k);
                dropKeeps();
                throw LeagueError("ファイルを置き換えられませんでした: " + target + " (" +
                                  systemErrorText(ec) + ")");
            }
        }
        keep[i] = k;
    }

    Journal journal;
    if (journalled) {
        journal.operation = operation_;
        journal.createdFolders = createdFolders_;
        for (std::size_t i = 0; i < staged_.size(); ++i)
            journal.entries.push_back({staged_[i].target, staged_[i].temporary, keep[i]});
        try {
            // The kept names must be on disk before the journal that names them.
            std::vector<std::string> keepFolders;
            for (const auto& k : keep)
                if (!k.empty()) {
                    std::string folder = platform::pathText(platform::fsPath(k).parent_path());
                    if (std::find(keepFolders.begin(), keepFolders.end(), folder) ==
                        keepFolders.end()) {
                        keepFolders.push_back(folder);
                        syncFolder(folder);
                    }
                }
            writeDurably(journalPath, journalText(journal));
        } catch (const LeagueError&) {
            platform::deleteFile(journalPath);
            dropKeeps();
            throw;
        }
    }

    std::size_t done = 0;
    try {
        for (; done < staged_.size(); ++done) {
            if (journalled)
                crashPoint(static_cast<int>(done), abandoned_);
            if (staged_[done].removal)
                removeCounted(staged_[done].target);
            else
                renameCounted(staged_[done].temporary, staged_[done].target);
        }
        if (journalled)
            crashPoint(static_cast<int>(done), abandoned_);
        // One flush per folder: a term update puts all its team files in one.
        // Until it has worked, the new files may not survive a power loss, so
        // a failed flush undoes the commit like a failed rename.
        std::vector<std::string> folders;
        for (const auto& s : staged_) {
            std::string folder = platform::pathText(platform::fsPath(s.target).parent_path());
            if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
                folders.push_back(folder);
                syncFolder(folder);
            }
        }
        if (journalled) {
            // Marked complete, a journal left by a crash during the clean-up
            // only removes the kept files. The kept files go only after the mark
            // is on disk: a pending journal without them could not be undone.
            journal.complete = true;
            writeDurably(journalPath, journalText(journal));
            crashPoint(static_cast<int>(staged_.size()) + 1, abandoned_);
        }
    } catch (const LeagueError& e) {
        // Put back every target already replaced, checking each step.
        // Once a file cannot be put back, new files staged before it (the
        // backups of a term update) are left in place.
        std::vector<std::string> notRestored;
        for (std::size_t j = done; j-- > 0;) {
            const std::string& target = staged_[j].target;
            if (!keep[j].empty()) {
                if (restoreRename(keep[j], target) == 0)
                    keep[j].clear();
                else
                    notRestored.push_back(target + " (元のファイル: " + keep[j] + ")");
            } else if (notRestored.empty() && platform::deleteFile(target) != 0 &&
                       errno != ENOENT) {
                notRestored.push_back(target + " (新しく作られたファイルを削除できません)");
            }
        }
        for (std::size_t j = done; j < staged_.size(); ++j)
            if (!keep[j].empty()) {
                platform::deleteFile(keep[j]);
                keep[j].clear();
            }
        // The restored files must reach the disk before the journal goes.
        for (const auto& s : staged_)
            if (!trySyncFolderOf(s.target)) {
                notRestored.push_back(platform::pathText(platform::fsPath(s.target).parent_path()) +
                                      " (元に戻した内容をディスクに書き込めません)");
                break;
            }
        if (!notRestored.empty()) {
            // The kept files of the unrestored targets stay where they are, and
            // so does the journal: the next start tries the restore again.
            std::string list;
            for (const auto& n : notRestored)
                list += "\n" + n;
            if (journalled)
                list += "\n次回の起動時にもう一度元に戻します。";
            abandoned_ = journalled;
            throw IncompleteRollbackError(
                "ファイルの置き換えに失敗し、次のファイルを元に戻せませんでした。" + list,
                e.what());
        }
        if (journalled) {
            platform::deleteFile(journalPath);
            trySyncFolderOf(journalPath); // the commit has failed either way
        }
        throw; // the destructor removes the temporaries not yet renamed
    }
    committed_ = true;
    // Every file is replaced and on disk; what is left is the clean-up. A kept
    // file that cannot be removed keeps the (complete) journal, whose recovery
    // removes it later.
    bool keptAll = true;
    std::vector<std::string> cleaned;
    for (const auto& k : keep)
        if (!k.empty()) {
            if (platform::deleteFile(k) != 0 && errno != ENOENT)
                keptAll = false;
            cleaned.push_back(platform::pathText(platform::fsPath(k).parent_path()));
        }
    if (journalled && keptAll) {
        platform::deleteFile(journalPath);
        cleaned.push_back(platform::pathText(platform::fsPath(journalPath).parent_path()));
    }
    std::sort(cleaned.begin(), cleaned.end());
    cleaned.erase(std::unique(cleaned.begin(), cleaned.end()), cleaned.end());
    try {
        for (const auto& folder : cleaned)
            syncFolder(folder);
    } catch (const LeagueError& e) {
        throw UnflushedCommitError(
            "ファイルを書き込みましたが、後片付けをディスクに書き込めませんでした。", e.what());
    }
}

// ---- fault seams ------------------------------------------------------------

void ReadFaults::deny(const std::string& path) {
    deniedReads().push_back(fileIdentity(path));
}
void ReadFaults::reset() {
    deniedReads().clear();
}

void WriteFaults::failWrite(int n) {
    faults().failWriteAt = n;
}
void WriteFaults::failSync(int n) {
    faults().failSyncAt = n;
}
void WriteFaults::failRename(int n) {
    faults().failRenameAt = n;
}
void WriteFaults::failRestore(int n) {
    faults().failRestoreAt = n;
}
void WriteFaults::failFolderSync(int n) {
    faults().failFolderSyncAt = n;
}
void WriteFaults::failRecoveryStep(int n) {
    faults().failRecoveryStepAt = n;
}
int WriteFaults::folderSyncsSoFar() {
    return faults().folderSyncs;
}
int WriteFaults::recoveryStepsSoFar() {
    return faults().recoverySteps;
}
bool WriteFaults::recoveryStepFails() {
    FaultState& f = faults();
    ++f.recoverySteps;
    return f.failRecoveryStepAt != 0 && f.recoverySteps == f.failRecoveryStepAt;
}
void WriteFaults::crashAfterRenames(int k) {
    faults().crashAfter = k;
}
void WriteFaults::reset() {
    faults() = FaultState{};
}
int WriteFaults::writesSoFar() {
    return faults().writes;
}
int WriteFaults::renamesSoFar() {
    return faults().renames;
}

} // namespace tenvoll
