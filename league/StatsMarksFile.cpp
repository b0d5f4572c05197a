// Reading the statistics marks of "seiseki.ini" by section and key position.
#include "league/StatsMarksFile.h"

#include "league/FileAccess.h"
#include "league/Kyoutuu.h"
#include "league/Numbers.h"
#include "league/Paths.h"

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
