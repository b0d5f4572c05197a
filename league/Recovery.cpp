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
// touched then): searched in the program folder, its "temp" folder and the
// whole of every league folder (backup folders included).
struct Leftovers {
    std::vector<std::string> files;
    std::vector<std::string> backupFolders; // backup folders of a run that died staging
};

Leftovers findLeftovers(const std::string& programFolder) {
    Leftovers found;
    auto consider = [&](const fs::directory_entry& entry) {
        std::error_code ec;
        auto pid = writerOf(platform::pathText(entry.path().filename()));
        if (pid && entry.is_regular_file(ec) && processGone(*pid))
            found.files.push_back(platform::pathText(entry.path()));
    };
    const std::string program = resolvePath(programFolder);
    std::error_code ec;
    for (const std::string& folder : {program, joinPath(program, "temp")})
        for (const auto& entry : fs::directory_iterator(platform::fsPath(folder), ec))
            consider(entry);
    for (const auto& league : journalFolders(programFolder)) {
        if (league == program)
            continue;
        for (auto it = fs::recursive_directory_iterator(platform::fsPath(league), ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            consider(*it);
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

} // namespace

std::vector<std::string> journalFolders(const std::string& programFolder) {
    std::vector<std::string> folders{resolvePath(programFolder)};
    Settings settings(programFolder);
    try {
        settings.load();
    } catch (const LeagueError&) {
        return folders; // an unreadable settings file: the program folder only
    }
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

std::vector<std::string> pendingJournals(const std::string& programFolder) {
    std::vector<std::string> journals;
    for (const auto& folder : journalFolders(programFolder)) {
        std::string path = joinPath(folder, kJournalFileName);
        if (present(path))
            journals.push_back(path);
    }
    return journals;
}

RecoveryOutcome recoverJournal(const std::string& journalPath) {
    RecoveryOutcome out;
    out.journalPath = journalPath;
    std::optional<Journal> journal;
    try {
        journal = parseJournal(readFileBytes(journalPath));
    } catch (const LeagueError& e) {
        out.problems.push_back(e.what());
        return out;
    }
    if (!journal) {
        // Cut off while being written: no rename had started yet.
        if (platform::deleteFile(journalPath) != 0)
            out.problems.push_back("記録ファイルを削除できません: " + journalPath + " (" +
                                   reason() + ")");
        return out;
    }
    out.operation = journal->operation;
    out.wasComplete = journal->complete;
    std::vector<std::string> folders;
    for (auto it = journal->entries.rbegin(); it != journal->entries.rend(); ++it) {
        const JournalEntry& e = *it;
        addUnique(folders, platform::pathText(platform::fsPath(e.target).parent_path()));
        const bool renamed = !present(e.temporary);
        if (journal->complete) {
            if (!e.keep.empty() && present(e.keep) && platform::deleteFile(e.keep) != 0)
                out.problems.push_back(e.keep + " を削除できません (" + reason() + ")");
        } else if (!e.keep.empty()) {
            if (present(e.keep)) {
                // Before its rename the target and the kept file are one file:
                // rename does nothing then, and the kept name is removed.
                if (platform::replaceFile(e.keep, e.target) != 0) {
                    out.problems.push_back(e.target + " を元に戻せません (" + reason() +
                                           ")。元のファイル: " + e.keep);
                    continue;
                }
                if (present(e.keep))
                    platform::deleteFile(e.keep);
                if (renamed)
                    out.restored.push_back(e.target);
            }
        } else if (renamed && present(e.target)) {
            if (platform::deleteFile(e.target) == 0)
                out.removed.push_back(e.target);
            else
                out.problems.push_back(e.target + " を削除できません (" + reason() + ")");
        }
        if (!renamed && platform::deleteFile(e.temporary) != 0 && errno != ENOENT)
            out.problems.push_back(e.temporary + " を削除できません (" + reason() + ")");
    }
    if (!journal->complete)
        for (auto it = journal->createdFolders.rbegin(); it != journal->createdFolders.rend();
             ++it) {
            std::error_code ec;
            const fs::path folder = platform::fsPath(*it);
            if (fs::is_directory(folder, ec) && fs::is_empty(folder, ec) && fs::remove(folder, ec))
                out.removed.push_back(*it);
        }
    for (const auto& f : folders)
        syncFolder(f);
    if (out.problems.empty()) {
        if (platform::deleteFile(journalPath) != 0)
            out.problems.push_back("記録ファイルを削除できません: " + journalPath + " (" +
                                   reason() + ")");
        syncFolder(platform::pathText(platform::fsPath(journalPath).parent_path()));
    }
    return out;
}

std::vector<RecoveryOutcome> recoverInterruptedOperations(const std::string& programFolder) {
    std::vector<RecoveryOutcome> outcomes;
    if (pendingJournals(programFolder).empty() && findLeftovers(programFolder).files.empty())
        return outcomes;
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Exclusive);
    for (const auto& journal : pendingJournals(programFolder))
        outcomes.push_back(recoverJournal(journal));
    // After the journals (which name their own temporary files): what is left
    // of writers that died before writing one.
    removeLeftovers(findLeftovers(programFolder));
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
        if (!o.problems.empty()) {
            text += "\n次の処理ができませんでした。記録ファイル " + o.journalPath +
                    " を残しています。リーグのフォルダの「バックアップ」にある実行前のファイルから"
                    "手で戻してください。";
            for (const auto& p : o.problems)
                text += "\n  " + p;
        }
    }
    return text;
}

} // namespace tenvoll
