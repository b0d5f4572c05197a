// Data check: duplicate names, growth coverage and the initialisation of team
// files still in game-text form.
#include "termupdate/Dcheck.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/LeadingLines.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "league/TeamFile.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"
#include "termupdate/TermInputs.h"

#include <algorithm>
#include <cstdint>

namespace tenvoll {

namespace {

std::string_view trimmed(std::string_view s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// "[name]": a section line. A file with one is an INI-form file, never game text.
bool isSectionLine(std::string_view line) {
    std::string_view t = trimmed(line);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

// True for "key=value" with one of the six team header keys and a value.
bool isTeamHeaderWithValue(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq + 1 >= line.size())
        return false;
    std::string_view key = trimmed(line.substr(0, eq));
    for (std::string_view header : kTeamHeaderKeys)
        if (equalsIgnoreCase(key, header))
            return true;
    return false;
}

// How often each name occurs, ignoring case, in an open-addressed table. A
// field is hashed as it is (caseBlindHash), without folding it into a new
// string, and only a field whose hash is a name's is compared with that name.
// Names equal ignoring case share one count.
class NameCounter {
public:
    explicit NameCounter(const std::vector<std::string>& names) {
        std::size_t size = 16;
        while (size < names.size() * 2)
            size *= 2;
        slots_.resize(size);
        for (const auto& name : names) {
            const std::uint64_t hash = caseBlindHash(name);
            Slot& slot = slots_[indexFor(name, hash)];
            if (!slot.used)
                slot = {true, name, hash, 0};
        }
    }
    // Counts the field when it is one of the names.
    void count(std::string_view field) {
        Slot& slot = slots_[indexFor(field, caseBlindHash(field))];
        if (slot.used)
            ++slot.count;
    }
    std::size_t countOf(std::string_view name) const {
        return slots_[indexFor(name, caseBlindHash(name))].count;
    }

private:
    struct Slot {
        bool used = false;
        std::string name;
        std::uint64_t hash = 0;
        std::size_t count = 0;
    };
    // The slot holding the text's name, or the empty slot where it would go.
    std::size_t indexFor(std::string_view text, std::uint64_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (!slot.used || (slot.hash == hash && equalsIgnoreCase(slot.name, text)))
                return i;
        }
    }
    std::vector<Slot> slots_; // at most half of them used, so a search always ends
};

// How often each name occurs among all fields of all growth lines. Folding
// keeps byte lengths, so fields shorter than every name (most are numbers and
// grades) are passed over unread, and a field of a length no name has is not
// looked up.
NameCounter nameCounts(const std::vector<std::string>& names,
                       const std::vector<std::string>& files) {
    NameCounter counter(names);
    std::vector<bool> nameLength;
    for (const auto& name : names) {
        if (name.size() >= nameLength.size())
            nameLength.resize(name.size() + 1);
        nameLength[name.size()] = true;
    }
    std::size_t shortest = names.empty() ? 0 : names.front().size();
    for (const auto& name : names)
        shortest = std::min(shortest, name.size());
    std::string scratch;
    auto count = [&](std::string_view field) {
        if (field.size() < nameLength.size() && nameLength[field.size()])
            counter.count(field);
    };
    for (const auto& file : files)
        forEachLongField(readTextFile(file), shortest, scratch, count);
    return counter;
}

// The first name, in list order, that the growth files do not hold exactly
// once: after name i the running count of all names must be i + 1.
std::string checkCoverage(const std::vector<std::string>& names,
                          const std::vector<std::string>& growthFiles,
                          TermUpdateReporter& reporter) {
    const NameCounter counts = nameCounts(names, growthFiles);
    std::size_t total = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        reporter.status(names[i]);
        total += counts.countOf(names[i]);
        if (total != i + 1)
            return names[i];
    }
    return {};
}

// A "[Team]" line among the file's first lines settles both questions asked of
// a registered team file without reading the rest: it is a team file, so it is
// neither damaged nor game text. (Its other lines are read by the term update.)
bool startsAsTeamFile(const std::string& path) {
    for (const std::string& line : leadingAsciiLines(path)) {
        if (!isSectionLine(line))
            continue;
        std::string_view t = trimmed(line);
        if (equalsIgnoreCase(trimmed(t.substr(1, t.size() - 2)), kTeamSection))
            return true;
    }
    return false;
}

struct Rewrite {
    std::string path;
    std::vector<std::string> lines;
};

// Team files of the registry that are still game text, with their new lines.
std::vector<Rewrite> filesToInitialise(const DataCheckInput& input, TermUpdateReporter& reporter) {
    Settings settings(input.programFolder);
    settings.load();
    std::vector<Rewrite> rewrites;
    long long count = settings.registryCount(input.leagueName);
    for (long long i = 0; i < count; ++i) {
        std::vector<std::string> f = settings.entryFields(input.leagueName, i);
        if (f.size() < 3 || f[2].empty())
            continue;
        std::string path = joinProgramFolder(input.programFolder, f[2]);
        if (startsAsTeamFile(path))
            continue;
        std::string text = readTextFile(path);
        if (IniStore parsed = IniStore::parse(text); isDamagedTeamFile(parsed))
            throw LeagueError(damagedTeamFileMessage(path, parsed));
        std::vector<std::string> lines = splitLines(text);
        if (lines.empty() || !needsInitialising(lines))
            continue;
        checkNewTerm(input.newTerm);
        reporter.status(path + "このファイルは初期化されていません。" +
                        "最新データ期別の1期前のファイルとして初期化します。");
        rewrites.push_back({path, initialisedLines(lines, input.newTerm - 1)});
    }
    return rewrites;
}

} // namespace

std::string duplicateTeamPair(const std::vector<std::string>& names) {
    // Every pair is compared; the hashes pass over nearly all of them unread.
    std::vector<std::uint64_t> hashes;
    hashes.reserve(names.size());
    for (const auto& name : names)
        hashes.push_back(caseBlindHash(name));
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = 0; j < names.size(); ++j)
            if (i != j && hashes[i] == hashes[j] && equalsIgnoreCase(names[i], names[j]))
                return names[i] + names[j];
    return {};
}

std::optional<OldFormLine> oldFormLine(const std::vector<std::string>& f) {
    if (f.size() < 2 || abilityLayout(f[0]) == LineLayout::None)
        return std::nullopt;
    int marks = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != ";" || ++marks < 3)
            continue;
        OldFormLine line;
        if (i + 1 < f.size())
            line.term = parseInteger(f[i + 1]);
        return line;
    }
    return std::nullopt;
}

bool needsInitialising(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        if (isSectionLine(line) || isTeamHeaderWithValue(line))
            return false;
        if (oldFormLine(splitFields(line)))
            return false;
    }
    return true;
}

std::vector<std::string> initialisedLines(const std::vector<std::string>& lines,
                                          long long playedTerm) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    std::string tail = " ; ; " + std::to_string(playedTerm) + " ;";
    for (const auto& line : lines)
        out.push_back(line + tail);
    return out;
}

DataCheckResult runDataCheck(const DataCheckInput& input, TermUpdateReporter& reporter) {
    FolderLock lock = FolderLock::acquire(input.programFolder, FolderLock::Mode::Exclusive);
    DataCheckResult result;

    result.duplicatePair = duplicateTeamPair(input.teamNames);
    if (!result.duplicatePair.empty())
        reporter.message(result.duplicatePair +
                         "同一チーム名があります。\nチーム編成エディタで修正してください。");
    else
        reporter.status(std::string(kNoDuplicateNames));

    result.uncoveredTeam = checkCoverage(input.teamNames, input.growthFiles, reporter);
    if (!result.uncoveredTeam.empty()) {
        reporter.message(result.uncoveredTeam + "関係のエラーがあります。");
        return result;
    }

    std::vector<Rewrite> rewrites = filesToInitialise(input, reporter);
    for (const auto& r : rewrites) {
        result.initialisedFiles.push_back(r.path);
        result.initialised.push_back({r.path, joinCrlf(r.lines)});
    }
    if (input.write && !rewrites.empty()) {
        FileTransaction transaction;
        Settings settings(input.programFolder);
        settings.load();
        std::string leagueFolder = settings.leagueFolder(input.leagueName);
        if (rewrites.size() > 1 && !leagueFolder.empty() && folderExists(leagueFolder))
            transaction.useJournal(leagueFolder, "データチェック");
        for (const auto& f : result.initialised)
            transaction.stageText(f.path, f.text);
        transaction.commit();
    }

    reporter.status(std::string(kCheckDone));
    result.passed = true;
    return result;
}

} // namespace tenvoll
