// Reading and writing the settings file and its league registry.
#include "league/Settings.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/Kyoutuu.h"
#include "league/Paths.h"

#include <algorithm>

namespace tenvoll {

namespace {

struct ColourKey {
    std::string_view key;
    ColourValue HighlightColours::*member;
};
constexpr ColourKey kColourKeys[] = {
    {kUpBackgroundKey, &HighlightColours::upBackground},
    {kUpTextKey, &HighlightColours::upText},
    {kDownBackgroundKey, &HighlightColours::downBackground},
    {kDownTextKey, &HighlightColours::downText},
};

} // namespace

Settings::Settings(std::string programFolder) : programFolder_(std::move(programFolder)) {}

std::string Settings::filePath() const {
    return joinProgramFolder(programFolder_, kSettingsFileName);
}

Settings Settings::loadFrom(std::string programFolder) {
    Settings settings(std::move(programFolder));
    settings.load();
    return settings;
}

void Settings::load() {
    std::string path = filePath();
    // Anything under the name is read, so that a FIFO, device or broken link is
    // refused rather than taken for a missing file and written over.
    ini_ = entryPresent(path) ? IniStore::load(path) : IniStore();
}

void Settings::save() const {
    ini_.save(filePath());
}

std::string Settings::leagueName() const {
    return ini_.value(kMainSection, kLeagueNameKey, kDefaultLeagueName);
}

HighlightColours Settings::colours() const {
    HighlightColours colours;
    for (const auto& c : kColourKeys) {
        const IniSection* main = ini_.section(kMainSection);
        const std::string_view* text = main ? main->find(c.key) : nullptr;
        if (!text)
            continue;
        if (auto value = parseColour(*text))
            colours.*(c.member) = *value;
    }
    return colours;
}

std::string Settings::fullPath(std::string_view stored) const {
    return joinProgramFolder(programFolder_, stored);
}

void Settings::setMain(std::string_view team1, std::string_view team2,
                       std::string_view leagueName) {
    IniSection& main = ini_.ensureSection(kMainSection);
    main.set(kTeam1Key, team1);
    main.set(kTeam2Key, team2);
    main.set(kLeagueNameKey, leagueName);
}

void Settings::setColours(const HighlightColours& colours) {
    IniSection& main = ini_.ensureSection(kMainSection);
    for (const auto& c : kColourKeys)
        main.set(c.key, colourText(colours.*(c.member)));
}

long long Settings::teamCount(std::string_view league, long long fallback) const {
    return ini_.integer(league, kTeamCountKey, fallback);
}

long long Settings::entryIndexEnd(std::string_view league) const {
    const IniSection* section = ini_.section(league);
    if (!section)
        return 0;
    long long end = 0;
    for (const IniLine* line : section->keys()) {
        std::string_view key = line->key;
        if (!key.starts_with(kTeamEntryKey))
            continue;
        std::string_view digits = key.substr(kTeamEntryKey.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        end = std::max(end, std::stoll(std::string(digits)) + 1);
    }
    return end;
}

std::string Settings::entryKey(long long index) {
    return std::string(kTeamEntryKey) + std::to_string(index);
}

long long Settings::registryCount(std::string_view league, long long fallback) const {
    return std::clamp(teamCount(league, fallback), 0LL, entryIndexEnd(league));
}

std::vector<std::string> Settings::entryFields(std::string_view league, long long index) const {
    return splitFields(ini_.value(league, entryKey(index)));
}

std::vector<LeagueEntry> Settings::entries(std::string_view league) const {
    std::vector<LeagueEntry> list;
    long long count = registryCount(league);
    for (long long i = 0; i < count; ++i) {
        std::vector<std::string> f = entryFields(league, i);
        if (f.size() < 3 || f[2].empty())
            continue;
        list.push_back({f[0], f[1], f[2]});
    }
    return list;
}

std::vector<std::string> Settings::teamMenuPaths(std::string_view league) const {
    // Indexes 0 .. "チーム数" − 1 like every other reader of the registry. Reading
    // one index past the count would bring back an entry deleted by the
    // organisation editor, whose higher keys stay in the file; a count of 0
    // still offers "チーム名0" when it exists.
    std::vector<std::string> paths;
    const long long count = std::max(registryCount(league), 1LL);
    for (long long n = count - 1; n >= 0; --n) {
        std::vector<std::string> f = entryFields(league, n);
        if (f.size() > 2)
            paths.insert(paths.begin(), f[2]);
    }
    return paths;
}

std::string Settings::leagueFolder(std::string_view league) const {
    std::vector<std::string> f = entryFields(league, 0);
    if (f.size() < 3 || f[2].empty())
        return {};
    return folderOf(joinProgramFolder(programFolder_, f[2]));
}

Settings updateSettings(const std::string& programFolder,
                        const std::function<bool(Settings&)>& edit) {
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Exclusive);
    Settings current = Settings::loadFrom(programFolder);
    if (edit(current))
        current.save();
    return current;
}

Settings saveSession(const std::string& programFolder, const SessionSettings& session) {
    return updateSettings(programFolder, [&](Settings& current) {
        current.setMain(session.team1, session.team2, session.leagueName);
        current.setColours(session.colours);
        return true;
    });
}

} // namespace tenvoll
