// Backups, folders and the journalled transaction of a term update.
#include "termupdate/TermCommit.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/TextCompare.h"
#include "termupdate/CreatedFolders.h"

#include <filesystem>
#include <optional>
#include <unordered_set>

namespace tenvoll {

namespace {

// Where each replaced file goes in the backup folder: its path below the
// league folder, or below the program folder under "プログラムフォルダ", or
// under "その他" by name. Paths are compared resolved, so ".." cannot lead
// outside the backup folder, and every file gets a place of its own
// ("その他\2\name").
class BackupNames {
public:
    explicit BackupNames(const TermPlaces& places) : places_(places) {}

    std::string of(const std::string& path) {
        namespace fs = std::filesystem;
        const fs::path file = canonical(path);
        auto below = [&](const std::string& folder) -> std::optional<std::string> {
            fs::path rel = file.lexically_relative(canonical(folder));
            if (rel.empty() || rel.is_absolute() || *rel.begin() == ".." || *rel.begin() == ".")
                return std::nullopt;
            return platform::pathText(rel);
        };
        std::string name;
        if (auto rel = below(places_.leagueFolder))
            name = *rel;
        else if (auto rel = below(places_.programFolder))
            name = joinPath("プログラムフォルダ", *rel);
        else
            name = joinPath("その他", platform::pathText(file.filename()));
        for (int n = 2; !used_.insert(foldCase(name)).second; ++n)
            name = joinPath(joinPath("その他", std::to_string(n)),
                            platform::pathText(file.filename()));
        return name;
    }

private:
    static std::filesystem::path canonical(const std::string& p) {
        namespace fs = std::filesystem;
        std::error_code ec;
        fs::path c = fs::weakly_canonical(platform::fsPath(resolvePath(p)), ec);
        return ec ? platform::fsPath(toNativePath(p)).lexically_normal() : c;
    }

    const TermPlaces& places_;
    std::unordered_set<std::string> used_; // folded names used in the backup folder
};

// Every output and backup names a file of its own: one written twice would
// keep only the later content.
void checkDistinctFiles(const TermCommitPlan& plan) {
    std::unordered_map<std::string, std::string> seen;
    auto check = [&](const std::string& path) {
        auto [it, fresh] = seen.try_emplace(fileIdentity(path), path);
        if (!fresh)
            throw LeagueError("同じファイルに二つの内容を書き込むことになるため中止しました: " +
                                  path,
                              it->second);
    };
    for (const auto& out : plan.outputs)
        check(out.path);
    for (const auto& b : plan.backups)
        check(b.path);
}

} // namespace

TermCommitPlan planTermCommit(std::vector<OutputFile> outputs,
                              std::unordered_map<std::string, std::string> originals,
                              const TermPlaces& places) {
    TermCommitPlan plan;
    BackupNames names(places);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const OutputFile& out = outputs[i];
        if (!entryPresent(out.path))
            continue;
        if (plan.backupFolder.empty())
            plan.backupFolder = backupFolderFor(places.leagueFolder, places.newTerm);
        auto cached = originals.find(out.path);
        std::string bytes =
            cached != originals.end() ? std::move(cached->second) : readFileBytes(out.path);
        plan.backups.push_back(
            {joinPath(plan.backupFolder, names.of(out.path)), std::move(bytes), true});
        plan.replacedOutputs.push_back(i);
    }
    plan.outputs = std::move(outputs);
    return plan;
}

void commitTermPlan(const TermCommitPlan& plan, const TermPlaces& places, TermProgress& progress) {
    progress.setTotal(progress.done() + plan.backups.size() + plan.outputs.size() + 1);
    checkDistinctFiles(plan);
    CreatedFolders folders;
    for (const auto& out : plan.outputs)
        folders.ensure(folderOf(out.path));
    for (const auto& b : plan.backups)
        folders.ensure(folderOf(b.path));
    {
        FileTransaction transaction;
        transaction.useJournal(places.leagueFolder,
                               "最新データの追加 (" + std::to_string(places.newTerm) + "期)");
        for (const auto& f : folders.created())
            transaction.noteCreatedFolder(f);
        for (const auto& group : {&plan.backups, &plan.outputs})
            for (const auto& file : *group) {
                if (file.encoded)
                    transaction.stageBytes(file.path, file.content);
                else
                    transaction.stageText(file.path, file.content);
                progress.advance();
            }
        transaction.commit();
        progress.advance();
    }
    folders.keep();
}

std::string backupFolderFor(const std::string& leagueFolder, long long newTerm) {
    std::string base =
        joinPath(joinPath(leagueFolder, "バックアップ"), termText(newTerm) + "期更新前");
    std::string candidate = base;
    for (int n = 2; folderExists(candidate) || fileExists(candidate); ++n)
        candidate = base + "(" + std::to_string(n) + ")";
    return candidate;
}

} // namespace tenvoll
