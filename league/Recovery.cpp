// Putting a league back after a commit that a crash cut off.
#include "league/Recovery.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/Journal.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "league/SystemErrors.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

namespace fs = std::filesystem;

namespace tenvoll {

namespace {

bool present(const std::string& path) {
    return platform::entryExists(path);
}

std::string reason() {
    return systemErrorText(errno);
}

void addUnique(std::vector<std::string>& list, const std::string& item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

// ".name.<pid>.<n>.tmp" or ".keep": the pid of the process that wrote it.
std::optional<long> writerOf(const std::string& name) {
    std::string_view n = name;
    if (!n.starts_with("."))
        return std::nullopt;
    if (n.ends_with(".tmp"))
        n.remove_suffix(4);
    else if (n.ends_with(".keep"))
        n.remove_suffix(5);
    else
        return std::nullopt;
    std::size_t last = n.rfind('.');
    if (last == std::string_view::npos || last == 0)
        return std::nullopt;
    std::size_t before = n.rfind('.', last - 1);
    if (before == std::string_view::npos || before == 0)
        return std::nullopt;
    std::string_view pid = n.substr(before + 1, last - before - 1);
    std::string_view counter = n.substr(last + 1);
    auto digits = [](std::string_view d) {
        return !d.empty() && d.find_first_not_of("0123456789") == std::string_view::npos &&
               d.size() < 10;
    };
    if (!digits(pid) || !digits(counter))
        return std::nullopt;
    return std::stol(std::string(pid));
}

bool processGone(long pid) {
    return pid != platform::currentProcessId() && platform::processGone(pid);
}

// Temporary and kept files of writers that no longer run, left by a crash
// before their journal was written (the league files themselves were not
// touched then): searched in the program folder, its "temp" folder, the whole
// of every league folder (backup folders included) and the folder of every
// registered team file (which may lie outside its league folder). Folders
// below "バックアップ" that hold no file are leftovers too: a run killed after
// creating its backup folder and before writing its journal leaves them.
struct Leftovers {
    std::vector<std::string> files;
    std::vector<std::string> backupFolders; // backup folders of a run that died staging
    bool empty() const { return files.empty() && backupFolders.empty(); }
};

bool holdsNoFile(const fs::path& folder) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (!it->is_directory(ec) || it->is_symlink(ec))
            return false;
    return !ec;
}

// The folders of the registered team files of every league.
std::vector<std::string> teamFileFolders(const Settings& settings) {
    std::vector<std::string> folders;
    const IniStore& ini = settings.ini();
    for (std::size_t i = 0; i < ini.sectionCount(); ++i) {
        const IniSection& s = ini.sectionAt(i);
        if (equalsIgnoreCase(s.name(), kMainSection))
            continue;
        for (const auto& entry : settings.entries(s.name())) {
            std::string folder = folderOf(joinProgramFolder(settings.programFolder(), entry.path));
            if (!folder.empty() && folderExists(folder))
                addUnique(folders, resolvePath(folder));
        }
    }
    return folders;
}

Leftovers findLeftovers(const std::string& programFolder, const Settings& settings) {
    Leftovers found;
    auto consider = [&](const fs::directory_entry& entry) {
        std::error_code ec;
        auto pid = writerOf(platform::pathText(entry.path().filename()));
        if (pid && entry.is_regular_file(ec) && processGone(*pid))
            addUnique(found.files, platform::pathText(entry.path()));
    };
    const std::string program = resolvePath(programFolder);
    std::vector<std::string> flat{program, joinPath(program, "temp")};
    for (const auto& folder : teamFileFolders(settings))
        addUnique(flat, folder);
    std::error_code ec;
    for (const std::string& folder : flat)
        for (const auto& entry : fs::directory_iterator(platform::fsPath(folder), ec))
            consider(entry);
    for (const auto& league : journalFolders(settings)) {
        if (league == program)
            continue;
        for (auto it = fs::recursive_directory_iterator(platform::fsPath(league), ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            consider(*it);
        const fs::path backups = platform::fsPath(joinPath(league, "バックアップ"));
        if (fs::is_directory(backups, ec) && !fs::is_symlink(backups, ec))
            for (const auto& entry : fs::directory_iterator(backups, ec))
                if (entry.is_directory(ec) && !entry.is_symlink(ec) && holdsNoFile(entry.path()))
                    addUnique(found.backupFolders, platform::pathText(entry.path()));
    }
    for (const auto& file : found.files)
        for (fs::path folder = platform::fsPath(file).parent_path(); folder.has_relative_path();
             folder = folder.parent_path())
            if (platform::pathText(folder.parent_path().filename()) == "バックアップ") {
                addUnique(found.backupFolders, platform::pathText(folder));
                break;
            }
    return found;
}

// Removes the leftovers; a backup folder (and "バックアップ") left empty by
// them is removed too, so the next run's backup gets its usual name.
void removeLeftovers(const Leftovers& leftovers) {
    for (const auto& file : leftovers.files)
        platform::deleteFile(file);
    // Empty folders below first, then the folder itself when it is empty.
    std::function<bool(const fs::path&)> removeEmpty = [&](const fs::path& folder) {
        std::error_code ec;
        bool empty = true;
        std::vector<fs::path> children;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            children.push_back(entry.path());
        for (const auto& child : children)
            if (!(fs::is_directory(child, ec) && !fs::is_symlink(child, ec) && removeEmpty(child)))
                empty = false;
        return empty && fs::remove(folder, ec);
    };
    for (const auto& folder : leftovers.backupFolders) {
        std::error_code ec;
        if (removeEmpty(platform::fsPath(folder))) {
            fs::path parent = platform::fsPath(folder).parent_path();
            if (fs::is_empty(parent, ec))
                fs::remove(parent, ec);
        }
    }
}

// The steps of one recovery, each through the fault seam; a failed step is
// noted as a problem.
class Steps {
public:
    explicit Steps(RecoveryOutcome& out) : out_(out) {}

    bool rename(const std::string& from, const std::string& to, const std::string& what) {
        return check(platform::replaceFile(from, to) == 0, what);
    }
    bool remove(const std::string& path) {
        if (WriteFaults::recoveryStepFails()) {
            errno = EIO;
            return fail(path + " を削除できません");
        }
        if (platform::deleteFile(path) == 0 || errno == ENOENT)
            return true;
        return fail(path + " を削除できません");
    }
    bool removeFolder(const std::string& path) {
        std::error_code ec;
        if (WriteFaults::recoveryStepFails())
            ec = std::make_error_code(std::errc::io_error);
        else if (fs::remove(platform::fsPath(path), ec) || !ec)
            return true;
        out_.problems.push_back(path + " を削除できません (" + systemErrorText(ec) + ")");
        return false;
    }
    bool sync(const std::string& folder) {
        if (WriteFaults::recoveryStepFails()) {
            out_.problems.push_back("フォルダの内容をディスクに書き込めませんでした: " + folder +
                                    " (" + systemErrorText(EIO) + ")");
            return false;
        }
        try {
            syncFolder(folder);
            return true;
        } catch (const LeagueError& e) {
            out_.problems.push_back(e.what());
            return false;
        }
    }

private:
    bool check(bool done, const std::string& what) {
        if (WriteFaults::recoveryStepFails()) {
            errno = EIO;
            done = false;
        }
        return done || fail(what);
    }
    bool fail(const std::string& what) {
        out_.problems.push_back(what + " (" + reason() + ")");
        return false;
    }
    RecoveryOutcome& out_;
};

std::string folderOfPath(const std::string& path) {
    return platform::pathText(platform::fsPath(path).parent_path());
}

Settings readSettings(const std::string& programFolder) {
    Settings settings(programFolder);
    settings.load();
    return settings;
}

} // namespace

std::vector<std::string> journalFolders(const Settings& settings) {
    std::vector<std::string> folders{resolvePath(settings.programFolder())};
    const IniStore& ini = settings.ini();
    for (std::size_t i = 0; i < ini.sectionCount(); ++i) {
        const IniSection& s = ini.sectionAt(i);
        if (equalsIgnoreCase(s.name(), kMainSection))
            continue;
        std::string folder = settings.leagueFolder(s.name());
        if (!folder.empty() && folderExists(folder))
            addUnique(folders, resolvePath(folder));
    }
    return folders;
}

std::vector<std::string> journalFolders(const std::string& programFolder) {
    return journalFolders(readSettings(programFolder));
}

std::vector<std::string> pendingJournals(const Settings& settings) {
    std::vector<std::string> journals;
    for (const auto& folder : journalFolders(settings)) {
        std::string path = joinPath(folder, kJournalFileName);
        if (present(path))
            journals.push_back(path);
    }
    return journals;
}

std::vector<std::string> pendingJournals(const std::string& programFolder) {
    return pendingJournals(readSettings(programFolder));
}

// Two phases. First every replaced file is put back from its kept file; only
// when all of them are back (and flushed) does the second phase remove what
// the cut-off run had created — its new files (the backup among them), its
// temporary and kept files, its folders — and last the journal. A failed step
// stops there: everything not yet removed stays, with the journal, so that
// the next recovery can go on from the same record.
RecoveryOutcome recoverJournal(const std::string& journalPath) {
    RecoveryOutcome out;
    out.journalPath = journalPath;
    std::optional<Journal> journal;
    try {
        journal = parseJournal(readFileBytes(journalPath));
    } catch (const LeagueError& e) {
        out.untouched = true;
        out.problems.push_back(std::string("記録ファイルを読み込めません: ") + e.what());
        return out;
    }
    if (!journal) {
        // Written through a temporary file and a rename, a journal is never
        // cut off by a crash of its writer: this one was damaged afterwards,
        // and renames may have run. Nothing is touched.
        out.untouched = true;
        out.problems.push_back("記録ファイルが壊れているか途中で切れています: " + journalPath);
        return out;
    }
    out.operation = journal->operation;
    out.wasComplete = journal->complete;
    Steps steps(out);
    std::vector<std::string> folders;
    for (auto it = journal->entries.rbegin(); it != journal->entries.rend(); ++it)
        addUnique(folders, folderOfPath(it->target));

    if (!journal->complete) {
        for (auto it = journal->entries.rbegin(); it != journal->entries.rend(); ++it) {
            const JournalEntry& e = *it;
            if (e.keep.empty() || !present(e.keep))
                continue; // a new file, or put back by an earlier recovery
            // Before its rename the target and the kept file are one file:
            // rename does nothing then, and the kept name goes in the clean-up.
            const bool renamed = !present(e.temporary);
            if (!steps.rename(e.keep, e.target,
                              e.target + " を元に戻せません。元のファイル: " + e.keep))
                continue;
            if (renamed)
                out.restored.push_back(e.target);
        }
        if (!out.problems.empty())
            return out;
        for (const auto& f : folders)
            if (present(f) && !steps.sync(f))
                return out;
    }

    for (auto it = journal->entries.rbegin(); it != journal->entries.rend(); ++it) {
        const JournalEntry& e = *it;
        const bool renamed = !present(e.temporary);
        if (!journal->complete && e.keep.empty() && renamed && present(e.target)) {
            if (!steps.remove(e.target))
                return out;
            out.removed.push_back(e.target);
        }
        if (!renamed && !steps.remove(e.temporary))
            return out;
        if (!e.keep.empty() && present(e.keep) && !steps.remove(e.keep))
            return out;
    }
    if (!journal->complete)
        for (auto it = journal->createdFolders.rbegin(); it != journal->createdFolders.rend();
             ++it) {
            std::error_code ec;
            const fs::path folder = platform::fsPath(*it);
            if (!fs::is_directory(folder, ec) || !fs::is_empty(folder, ec))
                continue;
            if (!steps.removeFolder(*it))
                return out;
            out.removed.push_back(*it);
            addUnique(folders, folderOfPath(*it));
        }
    for (const auto& f : folders)
        if (present(f) && !steps.sync(f)) // a created folder may be gone now
            return out;
    if (steps.remove(journalPath))
        steps.sync(folderOfPath(journalPath));
    return out;
}

std::vector<RecoveryOutcome> recoverInterruptedOperations(const std::string& programFolder) {
    std::vector<RecoveryOutcome> outcomes;
    auto unreadableSettings = [&](const LeagueError& e) {
        RecoveryOutcome o;
        o.journalPath = Settings(programFolder).filePath();
        o.untouched = true;
        o.problems.push_back(std::string("設定ファイルを読み込めないため、リーグのフォルダを確か"
                                         "められません: ") +
                             e.what());
        outcomes.push_back(std::move(o));
        return outcomes;
    };
    Settings settings(programFolder);
    try {
        settings = readSettings(programFolder);
    } catch (const LeagueError& e) {
        return unreadableSettings(e);
    }
    if (pendingJournals(settings).empty() && findLeftovers(programFolder, settings).empty())
        return outcomes;
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Exclusive);
    try { // read again: it may have changed before the lock was taken
        settings = readSettings(programFolder);
    } catch (const LeagueError& e) {
        return unreadableSettings(e);
    }
    for (const auto& journal : pendingJournals(settings))
        outcomes.push_back(recoverJournal(journal));
    // After the journals (which name their own temporary and kept files): what
    // is left of writers that died before writing one. Only when every journal
    // is gone, so that nothing a journal still needs is taken.
    if (!recoveryFailed(outcomes))
        removeLeftovers(findLeftovers(programFolder, settings));
    return outcomes;
}

bool recoveryFailed(const std::vector<RecoveryOutcome>& outcomes) {
    return std::any_of(outcomes.begin(), outcomes.end(),
                       [](const RecoveryOutcome& o) { return !o.problems.empty(); });
}

std::string recoveryMessage(const std::vector<RecoveryOutcome>& outcomes) {
    std::string text;
    for (const auto& o : outcomes) {
        const std::string name = o.operation.empty() ? "ファイルの更新" : o.operation;
        if (!text.empty())
            text += "\n\n";
        if (o.untouched) {
            text += "途中で終了した操作を確かめられないため、何も変更していません。";
            for (const auto& p : o.problems)
                text += "\n  " + p;
            text += "\n原因を取り除いてから、もう一度起動してください (tenvoll-batch recover "
                    "でも続けられます)。記録ファイルが壊れている場合は、そこに書かれた元のファイル"
                    " (.keep) とリーグのフォルダの「バックアップ」から手で戻し、記録ファイルを削除"
                    "してください。";
            continue;
        }
        if (!o.problems.empty()) {
            text += "前回の「" + name +
                    "」は途中で終了していました (強制終了や停電など)。元に戻す途中で、次の処理が"
                    "できませんでした。";
            for (const auto& p : o.problems)
                text += "\n  " + p;
            text +=
                "\n記録ファイル " + o.journalPath +
                " と、まだ必要な元のファイル・バックアップは残しています。原因を取り除いてから、"
                "もう一度起動すると (tenvoll-batch recover でも) 続きから元に戻します。";
            continue;
        }
        if (o.wasComplete) {
            text +=
                "前回の「" + name + "」は完了していました。残っていた一時ファイルを削除しました。";
        } else {
            text += "前回の「" + name +
                    "」は途中で終了していました "
                    "(強制終了や停電など)。リーグのファイルを実行前の状態に戻しました (" +
                    std::to_string(o.restored.size()) + " 個のファイルを復元、" +
                    std::to_string(o.removed.size()) +
                    " 個の作りかけのファイル・フォルダを削除)。必要ならもう一度実行してください。";
        }
    }
    return text;
}

} // namespace tenvoll
