// The manifest of a backup folder: its text, its checks, and the manifest a
// term update writes with its commit.
#include "termupdate/UpdateManifest.h"

#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Sha256.h"
#include "league/TextCodec.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace tenvoll {

namespace {

constexpr std::string_view kHead = "目録";
constexpr std::string_view kKindUpdate = "期更新";
constexpr std::string_view kKindUndo = "取り消し";

std::string_view kindText(BackupKind kind) {
    return kind == BackupKind::TermUpdate ? kKindUpdate : kKindUndo;
}

std::string_view stateText(ManifestState state) {
    switch (state) {
    case ManifestState::Active:
        return "有効";
    case ManifestState::Undone:
        return "取り消し済み";
    case ManifestState::Redone:
        return "やり直し済み";
    }
    return "有効";
}

std::string fileSection(std::size_t i) {
    return "ファイル" + std::to_string(i + 1);
}

bool isHash(std::string_view h) {
    return h.size() == 64 && h.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

fs::path canonicalOf(const std::string& path) {
    std::error_code ec;
    fs::path c = fs::weakly_canonical(platform::fsPath(resolvePath(path)), ec);
    return ec ? platform::fsPath(toNativePath(path)).lexically_normal() : c;
}

// The path of `file` below `folder` with backslashes; nothing when outside.
std::optional<std::string> below(const std::string& file, const std::string& folder) {
    fs::path rel = canonicalOf(file).lexically_relative(canonicalOf(folder));
    if (rel.empty() || rel.is_absolute() || *rel.begin() == ".." || *rel.begin() == ".")
        return std::nullopt;
    std::string text = platform::pathText(rel);
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

} // namespace

std::string manifestText(const Manifest& m) {
    IniStore ini;
    IniSection& head = ini.ensureSection(kHead);
    head.set("種類", kindText(m.kind));
    head.setInteger("期", m.term);
    head.set("日時", m.when);
    head.set("ツール", m.tool);
    head.set("機構名", m.league);
    head.setInteger("通番", m.serial);
    head.set("状態", stateText(m.state));
    if (m.kind == BackupKind::Undo)
        head.set("対象", m.target);
    head.setInteger("ファイル数", static_cast<long long>(m.files.size()));
    for (std::size_t i = 0; i < m.files.size(); ++i) {
        IniSection& s = ini.appendSection(fileSection(i));
        s.set("パス", m.files[i].storedPath);
        s.set("バックアップ", m.files[i].backupName);
        s.set("変更前", m.files[i].before);
        s.set("変更後", m.files[i].after);
    }
    return ini.serialize();
}

Manifest parseManifest(std::string_view text, const std::string& path) {
    auto damaged = [&](const std::string& what) {
        return LeagueError("バックアップの目録が壊れています (" + what + "): " + path);
    };
    const IniStore ini = IniStore::parse(text);
    const IniSection* head = ini.section(kHead);
    if (head == nullptr)
        throw damaged("[目録] がありません");
    auto required = [&](const IniSection& s, std::string_view key) {
        const std::string_view* v = s.find(key);
        if (v == nullptr)
            throw damaged("[" + s.name() + "] に " + std::string(key) + " がありません");
        return std::string(*v);
    };
    auto number = [&](const IniSection& s, std::string_view key, long long min, long long max) {
        std::string v = required(s, key);
        long long n = s.integer(key, min - 1);
        if (n < min || n > max || v.empty() ||
            v.find_first_not_of("0123456789") != std::string::npos)
            throw damaged(std::string(key) + "=" + v);
        return n;
    };

    Manifest m;
    std::string kind = required(*head, "種類");
    if (kind == kKindUpdate)
        m.kind = BackupKind::TermUpdate;
    else if (kind == kKindUndo)
        m.kind = BackupKind::Undo;
    else
        throw damaged("種類=" + kind);
    m.term = number(*head, "期", 0, 999);
    m.when = required(*head, "日時");
    m.tool = required(*head, "ツール");
    m.league = required(*head, "機構名");
    m.serial = number(*head, "通番", 1, 1000000000);
    std::string state = required(*head, "状態");
    if (state == stateText(ManifestState::Active))
        m.state = ManifestState::Active;
    else if (state == stateText(ManifestState::Undone) && m.kind == BackupKind::TermUpdate)
        m.state = ManifestState::Undone;
    else if (state == stateText(ManifestState::Redone) && m.kind == BackupKind::Undo)
        m.state = ManifestState::Redone;
    else
        throw damaged("状態=" + state);
    if (m.kind == BackupKind::Undo) {
        m.target = required(*head, "対象");
        if (m.target.empty() || m.target.find_first_of("\\/") != std::string::npos ||
            m.target == "." || m.target == "..")
            throw damaged("対象=" + m.target);
    }
    const long long count = number(*head, "ファイル数", 0, 100000);
    for (long long i = 0; i < count; ++i) {
        const std::string name = fileSection(static_cast<std::size_t>(i));
        const IniSection* s = ini.section(name);
        if (s == nullptr)
            throw damaged("[" + name + "] がありません");
        ManifestFile f{required(*s, "パス"), required(*s, "バックアップ"), required(*s, "変更前"),
                       required(*s, "変更後")};
        if (f.storedPath.empty())
            throw damaged("[" + name + "] のパスが空です");
        for (const std::string* h : {&f.before, &f.after})
            if (!h->empty() && !isHash(*h))
                throw damaged("[" + name + "] のハッシュ " + *h);
        if (f.before.empty() != f.backupName.empty())
            throw damaged("[" + name + "] のバックアップ");
        if (f.before.empty() && f.after.empty())
            throw damaged("[" + name + "] に変更がありません");
        m.files.push_back(std::move(f));
    }
    return m;
}

long long nextManifestSerial(const std::string& leagueFolder) {
    long long highest = 0;
    std::error_code ec;
    const fs::path root = platform::fsPath(resolvePath(joinPath(leagueFolder, "バックアップ")));
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        const std::string manifest =
            joinPath(platform::pathText(entry.path()), std::string(kManifestFileName));
        if (!fileExists(manifest))
            continue;
        try {
            highest = std::max(highest, parseManifest(readTextFile(manifest), manifest).serial);
        } catch (const LeagueError&) {
            // A damaged manifest is reported where backups are listed.
        }
    }
    return highest + 1;
}

std::string backupNameFor(const std::string& path, const std::string& programFolder,
                          const std::string& leagueFolder) {
    if (auto rel = below(path, leagueFolder))
        return *rel;
    if (auto rel = below(path, programFolder))
        return "プログラムフォルダ\\" + *rel;
    return "その他\\" + fileNameOf(path);
}

std::string manifestStoredPath(const std::string& path, const std::string& programFolder) {
    if (auto rel = below(path, programFolder))
        return "\\" + *rel;
    return platform::pathText(canonicalOf(path));
}

Manifest termManifest(const TermManifestInput& in, std::vector<ManifestFile> outputs,
                      const ManifestBackUp& backUp) {
    Manifest m;
    m.kind = BackupKind::TermUpdate;
    m.term = in.newTerm;
    m.when = platform::localDateTimeText(std::time(nullptr));
    m.tool = in.tool;
    m.league = in.leagueName;
    m.serial = nextManifestSerial(in.leagueFolder);
    m.files = std::move(outputs);
    for (const auto& path : in.removedAfterCommit) {
        if (!fileExists(path))
            continue;
        ManifestFile f;
        f.storedPath = manifestStoredPath(path, in.programFolder);
        f.backupName = backupNameFor(path, in.programFolder, in.leagueFolder);
        f.before = backUp(path, f.backupName);
        m.files.push_back(std::move(f));
    }
    return m;
}

} // namespace tenvoll
