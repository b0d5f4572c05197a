// The league registry editor: entries in memory, registry writes under the
// program folder's lock.
#include "termupdate/LeagueOrganisation.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/IniStore.h"
#include "league/IniText.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/TextCompare.h"

#include <algorithm>

namespace tenvoll {

namespace {

constexpr std::string_view kTeamSection = "Team";
constexpr std::string_view kFirstTeamNameKey = "1軍チーム名";
constexpr std::string_view kFarmTeamNameKey = "2軍チーム名";
constexpr std::string_view kTeamFileExtension = ".txt";

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string firstField(std::string_view value) {
    std::vector<std::string> fields = splitFields(value);
    return fields.empty() ? std::string() : fields.front();
}

bool isLeagueSection(std::string_view name) {
    return !equalsIgnoreCase(name, kMainSection);
}

bool leagueOrder(const std::string& a, const std::string& b) {
    int c = compareIgnoreCase(a, b);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

std::string refusalMessage(EntryRefusal refusal) {
    switch (refusal) {
    case EntryRefusal::SameNames:
        return std::string(kSameTeamNamesMessage);
    case EntryRefusal::LineBreak:
        return std::string(kLineBreakInFieldMessage);
    case EntryRefusal::SameFile:
        return std::string(kSameFileMessage);
    case EntryRefusal::None:
    case EntryRefusal::EmptyField:
        break;
    }
    return {};
}

EntryFields entryFieldsOf(std::string_view entryText) {
    std::vector<std::string> f = splitFields(entryText);
    EntryFields fields;
    if (!f.empty())
        fields.firstTeam = f[0];
    if (f.size() > 1) {
        fields.farmTeam = f[1];
        if (f.size() > 2)
            fields.path = f[2];
    }
    return fields;
}

std::string entryTextOf(const EntryFields& fields) {
    return joinQuotedFields({fields.firstTeam, fields.farmTeam, fields.path});
}

TeamFileCheck checkTeamFile(const std::string& programFolder, const std::string& fullPath) {
    TeamFileCheck result;
    result.message = std::string(kNotTeamFileMessage);
    result.detail = fullPath;
    IniStore store;
    {
        FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
        try {
            store = IniStore::load(fullPath);
        } catch (const LeagueError& e) {
            result.detail = e.fullText();
            return result;
        }
    }
    const IniSection* team = store.section(kTeamSection);
    if (!team || !team->has(kFirstTeamNameKey) || !team->has(kFarmTeamNameKey))
        return result;
    result.fields = EntryFields{firstField(team->value(kFirstTeamNameKey)),
                                firstField(team->value(kFarmTeamNameKey)),
                                toStoredPath(programFolder, fullPath)};
    result.message.clear();
    result.detail.clear();
    return result;
}

LeagueOrganisation::LeagueOrganisation(std::string programFolder)
    : programFolder_(std::move(programFolder)) {}

std::string LeagueOrganisation::settingsPath() const {
    return Settings(programFolder_).filePath();
}

bool LeagueOrganisation::validLeagueName(std::string_view name) {
    if (name.empty() || !isLeagueSection(name) || trimIniBlanks(name) != name)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '[' || c == ']' || (static_cast<unsigned char>(c) < ' ');
    });
}

void LeagueOrganisation::readLeagues(const Settings& settings) {
    leagues_.clear();
    for (const std::string& name : settings.ini().sectionNames()) {
        if (!isLeagueSection(name))
            continue;
        if (std::none_of(leagues_.begin(), leagues_.end(),
                         [&](const std::string& l) { return equalsIgnoreCase(l, name); }))
            leagues_.push_back(name);
    }
    std::sort(leagues_.begin(), leagues_.end(), leagueOrder);
}

bool LeagueOrganisation::hasLeague(std::string_view name) const {
    return std::any_of(leagues_.begin(), leagues_.end(),
                       [&](const std::string& l) { return equalsIgnoreCase(l, name); });
}

bool LeagueOrganisation::writeSettings(const std::function<bool(Settings&)>& edit) {
    FolderLock lock = FolderLock::acquire(programFolder_, FolderLock::Mode::Exclusive);
    Settings settings(programFolder_);
    settings.load();
    const bool changed = edit(settings);
    if (changed)
        settings.save();
    readLeagues(settings);
    return changed;
}

void LeagueOrganisation::read(const std::string& currentLeague) {
    Settings settings(programFolder_);
    {
        FolderLock lock = FolderLock::acquire(programFolder_, FolderLock::Mode::Shared);
        settings.load();
    }
    readLeagues(settings);
    mainPresent_ = settings.ini().hasSection(kMainSection);
    currentLeague_ = currentLeague;
    entries_.clear();
    loadedCount_ = settings.teamCount(currentLeague_, 1);
    const IniSection* section = settings.ini().section(currentLeague_);
    if (!section || !isLeagueSection(currentLeague_) || loadedCount_ <= 0)
        return;
    const long long end = std::min(loadedCount_, settings.entryIndexEnd(currentLeague_));
    for (long long i = 0; i < end; ++i)
        if (const std::string_view* text = section->find(Settings::entryKey(i)))
            entries_.emplace_back(*text);
}

void LeagueOrganisation::load(const std::string& currentLeague, const std::string& team1,
                              const std::string& team2, const AskLeagueName& ask) {
    read(currentLeague);
    std::string league = currentLeague;
    const bool askLeague = !hasLeague(league) || !isLeagueSection(league);
    if (askLeague) {
        std::optional<std::string> answer = ask ? ask(league) : std::nullopt;
        if (answer)
            league = *answer;
    }
    if (!validLeagueName(league))
        throw LeagueError(std::string(kBadLeagueNameMessage), league);
    if (!askLeague && mainPresent_)
        return;
    bool written = false;
    writeSettings([&](Settings& file) {
        // A name typed for an existing league keeps that league's registry.
        if (askLeague && !file.ini().hasSection(league)) {
            file.ini().ensureSection(league).setInteger(kTeamCountKey, 0);
            written = true;
        }
        if (!file.ini().hasSection(kMainSection)) {
            file.setMain(toStoredPath(programFolder_, team1), toStoredPath(programFolder_, team2),
                         league);
            written = true;
        }
        return written;
    });
    read(league);
}

EntryRefusal LeagueOrganisation::check(const EntryFields& f, std::size_t replacing) const {
    if (f.firstTeam.empty() || f.farmTeam.empty() || f.path.empty())
        return EntryRefusal::EmptyField;
    if (hasLineBreak(f.firstTeam) || hasLineBreak(f.farmTeam) || hasLineBreak(f.path))
        return EntryRefusal::LineBreak;
    if (f.firstTeam == f.farmTeam)
        return EntryRefusal::SameNames;
    // One file, two teams: the term update would write the second over the
    // first. Compared by identity, so "..", links and letter case count.
    const std::string identity = fileIdentity(joinProgramFolder(programFolder_, f.path));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i == replacing)
            continue;
        std::vector<std::string> fields = splitFields(entries_[i]);
        if (fields.size() > 2 && !fields[2].empty() &&
            fileIdentity(joinProgramFolder(programFolder_, fields[2])) == identity)
            return EntryRefusal::SameFile;
    }
    return EntryRefusal::None;
}

EntryRefusal LeagueOrganisation::addEntry(const EntryFields& fields) {
    EntryRefusal refusal = check(fields, entries_.size());
    if (refusal == EntryRefusal::None)
        entries_.push_back(entryTextOf(fields));
    return refusal;
}

EntryRefusal LeagueOrganisation::replaceEntry(std::size_t index, const EntryFields& fields) {
    if (index >= entries_.size())
        throw LeagueError("その番号の項目はありません。", std::to_string(index));
    EntryRefusal refusal = check(fields, index);
    if (refusal == EntryRefusal::None)
        entries_[index] = entryTextOf(fields);
    return refusal;
}

void LeagueOrganisation::removeEntry(std::size_t index) {
    if (index >= entries_.size())
        throw LeagueError("その番号の項目はありません。", std::to_string(index));
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<BulkOutcome> LeagueOrganisation::registerFolder(const std::string& folder) {
    if (!folderExists(folder))
        throw LeagueError("フォルダが見つかりません。", folder);
    std::vector<BulkOutcome> outcomes;
    for (const std::string& name : listFileNames(folder)) {
        // Exactly ".txt": a file written ".TXT" is not a team file of the league.
        if (!name.ends_with(kTeamFileExtension) || name.size() == kTeamFileExtension.size())
            continue;
        BulkOutcome outcome{name, false, {}};
        TeamFileCheck teamFile = checkTeamFile(programFolder_, joinPath(folder, name));
        if (!teamFile.fields) {
            outcome.message = teamFile.message;
        } else {
            EntryRefusal refusal = addEntry(*teamFile.fields);
            outcome.added = refusal == EntryRefusal::None;
            outcome.message = refusalMessage(refusal);
        }
        outcomes.push_back(std::move(outcome));
    }
    return outcomes;
}

void LeagueOrganisation::saveEntries() {
    std::vector<std::string> stored;
    for (const std::string& text : entries_) {
        // Paths under the program folder are written relative to it.
        std::vector<std::string> fields = splitFields(text);
        std::string relative = fields.size() > 2 ? toStoredPath(programFolder_, fields[2]) : "";
        if (fields.size() > 2 && relative != fields[2]) {
            fields[2] = relative;
            stored.push_back(joinQuotedFields(fields));
        } else {
            stored.push_back(text);
        }
    }
    writeSettings([&](Settings& file) {
        IniSection& section = file.ini().ensureSection(currentLeague_);
        section.set(kLeagueNameKey, "");
        section.setInteger(kTeamCountKey, static_cast<long long>(stored.size()));
        for (std::size_t i = 0; i < stored.size(); ++i)
            section.set(Settings::entryKey(static_cast<long long>(i)), stored[i]);
        return true;
    });
}

LeagueChange LeagueOrganisation::changeLeague(const std::string& name) {
    if (name == currentLeague_)
        return LeagueChange::Unchanged;
    if (!validLeagueName(name))
        throw LeagueError(std::string(kBadLeagueNameMessage), name);
    bool created = false;
    writeSettings([&](Settings& file) {
        if (!file.ini().hasSection(name)) {
            IniSection& section = file.ini().ensureSection(name);
            section.set(kLeagueNameKey, "");
            section.setInteger(kTeamCountKey, 0);
            created = true;
        }
        file.ini().ensureSection(kMainSection).set(kLeagueNameKey, name);
        return true;
    });
    currentLeague_ = name;
    entries_.clear();
    return created ? LeagueChange::Created : LeagueChange::Existing;
}

bool LeagueOrganisation::deleteCurrentLeague() {
    std::string next;
    const bool deleted = writeSettings([&](Settings& file) {
        readLeagues(file);
        std::vector<std::string> remaining;
        for (const std::string& league : leagues_)
            if (!equalsIgnoreCase(league, currentLeague_))
                remaining.push_back(league);
        // The last league (counted in the file, not in the selector, where a
        // typed name may appear twice) is never deleted.
        if (leagues_.size() < 2 || remaining.empty())
            return false;
        file.ini().removeSection(currentLeague_);
        next = remaining.front();
        file.ini().ensureSection(kMainSection).set(kLeagueNameKey, next);
        return true;
    });
    if (deleted) {
        currentLeague_ = next;
        entries_.clear();
    }
    return deleted;
}

} // namespace tenvoll
