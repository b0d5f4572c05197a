// Reading the statistics marks of "seiseki.ini" by section and key position.
#include "league/StatsMarksFile.h"

#include "league/FileAccess.h"
#include "league/Kyoutuu.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"

#include <filesystem>
#include <mutex>

namespace tenvoll {

long long qualifyingAtBats(long long games) {
    return clampedNumber(games) * 31 / 10;
}

long long MarkRecord::number(std::size_t i, long long fallback) const {
    if (i >= fields.size())
        return fallback;
    return parseWithoutPoints(fields[i]).value_or(fallback);
}

std::optional<StatsMarksFile> StatsMarksFile::loadFromFolder(const std::string& leagueFolder) {
    std::string path = joinPath(leagueFolder, kStatsMarksFileName);
    if (leagueFolder.empty() || !entryPresent(path))
        return std::nullopt;
    return StatsMarksFile(IniStore::load(path));
}

namespace {

// What tells a changed file from the one read before.
struct FileStamp {
    std::string identity;
    std::int64_t modified = 0;
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const std::string& path) {
    FileStamp stamp;
    std::error_code ec;
    stamp.size = std::filesystem::file_size(platform::fsPath(path), ec);
    if (ec || !platform::fileIdentity(path, stamp.identity) ||
        !platform::modificationTime(path, stamp.modified))
        return std::nullopt;
    return stamp;
}

// The last file read by loadKept, one for every caller of the process (hence the lock).
struct KeptFile {
    std::mutex lock;
    std::string path;
    FileStamp stamp;
    std::shared_ptr<const StatsMarksFile> file;
};

KeptFile& keptFile() {
    static KeptFile kept;
    return kept;
}

} // namespace

std::shared_ptr<const StatsMarksFile> StatsMarksFile::loadKept(const std::string& leagueFolder) {
    if (leagueFolder.empty())
        return nullptr;
    const std::string path = resolvePath(joinPath(leagueFolder, kStatsMarksFileName));
    // Taken before reading: a change while it is read shows at the next call.
    const std::optional<FileStamp> stamp = stampOf(path);
    KeptFile& kept = keptFile();
    std::lock_guard<std::mutex> guard(kept.lock);
    if (stamp && kept.file && kept.path == path && kept.stamp == *stamp)
        return kept.file;
    kept.file.reset();
    std::optional<StatsMarksFile> loaded = loadFromFolder(leagueFolder);
    if (!loaded)
        return nullptr;
    auto file = std::make_shared<const StatsMarksFile>(std::move(*loaded));
    // Its lines split now: readers sharing the file then never change it.
    if (const IniSection* newest = file->highestTermSection())
        newest->lines();
    if (stamp) {
        kept.path = path;
        kept.stamp = *stamp;
        kept.file = file;
    }
    return file;
}

const IniSection* StatsMarksFile::highestTermSection() const {
    const IniSection* best = nullptr;
    long long bestTerm = 0;
    for (std::size_t i = 0; i < ini_.sectionCount(); ++i) {
        const IniSection& s = ini_.sectionAt(i);
        auto term = parseInteger(s.name());
        if (term && (!best || *term > bestTerm)) {
            best = &s;
            bestTerm = *term;
        }
    }
    return best;
}

const IniSection* StatsMarksFile::firstSection() const {
    return ini_.sectionCount() > 0 ? &ini_.sectionAt(0) : nullptr;
}

MarkRecord StatsMarksFile::recordAt(const IniSection& section, std::size_t position) {
    MarkRecord r;
    std::size_t k = 0;
    for (const IniLine& line : section.lines()) {
        if (!line.raw && k++ == position) {
            r.fields = splitFields(line.value);
            return r;
        }
    }
    r.fields = splitFields("0");
    return r;
}

long long StatsMarksFile::games(const IniSection& section, long long fallback) {
    MarkRecord r = recordAt(section, kFirstBattingKey + 1);
    if (r.fields.empty())
        return fallback;
    return parseInteger(r.fields[0]).value_or(fallback);
}

} // namespace tenvoll
