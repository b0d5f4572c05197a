// Staging, backups and the journalled transaction of a term update.
#include "termupdate/TermCommit.h"

#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Sha256.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace tenvoll {

namespace {

std::filesystem::path canonical(const std::string& p) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path c = fs::weakly_canonical(platform::fsPath(resolvePath(p)), ec);
    return ec ? platform::fsPath(toNativePath(p)).lexically_normal() : c;
}

} // namespace

TermCommit::TermCommit(const TermPlaces& places, TermProgress& progress)
    : places_(places), progress_(progress) {}

// Every output and backup names a file of its own: one written twice would
// keep only the later content.
void TermCommit::refuseSecondContent(const std::string& path) {
    auto [it, fresh] = identities_.try_emplace(fileIdentity(path), path);
    if (!fresh)
        throw LeagueError("同じファイルに二つの内容を書き込むことになるため中止しました: " + path,
                          it->second);
}

void TermCommit::write(OutputFile file) {
    refuseSecondContent(file.path);
    const bool replaces = entryPresent(file.path);
    folders_.ensure(folderOf(file.path));
    std::string encoded;
    if (!file.encoded) {
        encoded = encodeCp932(file.content, file.path);
        std::string().swap(file.content); // only the bytes are held while they are written
    }
    const std::string& bytes = file.encoded ? file.content : encoded;
    transaction_.stageBytes(file.path, bytes);
    staged_.push_back({file.path, sha256Hex(bytes), replaces});
    written_.push_back(std::move(file.path));
    progress_.advance();
}

void TermCommit::writeInPieces(const std::string& path,
                               const std::function<void(const PieceWriter&)>& produce) {
    refuseSecondContent(path);
    const bool replaces = entryPresent(path);
    folders_.ensure(folderOf(path));
    Sha256 hash;
    std::size_t line = 1; // where the next piece starts, for an encoding error's message
    transaction_.stageWith(path, [&](const FileTransaction::ByteWriter& writeBytes) {
        produce([&](std::string_view text) {
            std::string bytes = encodeCp932(text, path, line);
            line += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
            hash.add(bytes);
            writeBytes(bytes);
        });
    });
    staged_.push_back({path, hash.hex(), replaces});
    written_.push_back(path);
    progress_.advance();
}

// Where a replaced file goes in the backup folder: its path below the league
// folder, or below the program folder under "プログラムフォルダ", or under
// "その他" by name. Paths are compared resolved, so ".." cannot lead outside
// the backup folder, and every file gets a place of its own ("その他\2\name").
std::string TermCommit::backupNameOf(const std::string& path) {
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
    for (int n = 2; !backupNames_.insert(foldCase(name)).second; ++n)
        name = joinPath(joinPath("その他", std::to_string(n)), platform::pathText(file.filename()));
    return name;
}

std::string TermCommit::backUp(const std::string& path, const std::string& backupName) {
    const std::string copy = joinPath(backupFolder_, toNativePath(backupName));
    refuseSecondContent(copy);
    folders_.ensure(folderOf(copy));
    Sha256 hash;
    transaction_.stageCopy(path, copy, [&](std::string_view piece) { hash.add(piece); });
    progress_.advance();
    return hash.hex();
}

void TermCommit::commit(const TermManifestInput& manifest) {
    const std::size_t outputs = transaction_.stagedCount();
    const auto replaced =
        std::count_if(staged_.begin(), staged_.end(), [](const Staged& s) { return s.replaces; });
    const auto removed =
        std::count_if(manifest.removedAfterCommit.begin(), manifest.removedAfterCommit.end(),
                      [](const std::string& path) { return fileExists(path); });
    // The backups, the manifest and the renames.
    progress_.setTotal(progress_.done() + static_cast<std::size_t>(replaced + removed) + 2);
    backupFolder_ = backupFolderFor(places_.leagueFolder, places_.newTerm);
    std::vector<ManifestFile> files;
    for (const Staged& s : staged_) {
        ManifestFile f;
        f.storedPath = manifestStoredPath(s.path, places_.programFolder);
        if (s.replaces) {
            std::string name = backupNameOf(s.path);
            f.before = backUp(s.path, name);
            std::replace(name.begin(), name.end(), platform::kPathSeparator, '\\');
            f.backupName = std::move(name);
        }
        f.after = s.after;
        files.push_back(std::move(f));
    }
    Manifest m = termManifest(manifest, std::move(files),
                              [&](const std::string& path, const std::string& backupName) {
                                  return backUp(path, backupName);
                              });
    const std::string manifestPath = joinPath(backupFolder_, std::string(kManifestFileName));
    refuseSecondContent(manifestPath);
    transaction_.stageText(manifestPath, manifestText(m));
    progress_.advance();

    transaction_.renameFirstFrom(outputs);
    transaction_.useJournal(places_.leagueFolder,
                            "最新データの追加 (" + std::to_string(places_.newTerm) + "期)");
    for (const auto& f : folders_.created())
        transaction_.noteCreatedFolder(f);
    transaction_.commit();
    progress_.advance();
    folders_.keep();
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
