// Name search: file walk with conversions, gathering and roster slots.
#include "mainwindow/NameSearch.h"

#include "league/FileAccess.h"
#include "league/GameRules.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/TeamFile.h"
#include "league/TeamFileConversion.h"
#include "league/TextCompare.h"
#include "mainwindow/SectionScan.h"

#include <array>
#include <optional>

namespace tenvoll {

namespace {

struct ScanOutcome {
    bool hasTeamSection = false;
    std::optional<IniStore> found; // the first player section of the name, renamed
};

ScanOutcome scanFor(const std::string& text, std::string_view name, const std::string& tag) {
    ScanOutcome out;
    scanSectionHeaders(text, [&](const ScannedHeader& s) {
        if (equalsIgnoreCase(s.name, kTeamSection)) {
            out.hasTeamSection = true;
            return;
        }
        if (!out.found && equalsIgnoreCase(s.name, name))
            out.found = renamedSection(s.text, tag + std::string(s.name));
    });
    return out;
}

class NameSearchRun {
public:
    NameSearchRun(const SearchLeague& league, std::string_view name, SearchReporter& reporter)
        : league_(league), name_(name), reporter_(reporter), unsigned_(league.folder) {}

    NameSearchResult run();

private:
    void searchUnsignedFiles();
    void searchTeamFile(const std::string& path);
    bool convertOldUnsigned(long long term);
    std::optional<std::string> read(const std::string& path);
    void keep(ScanOutcome& outcome);
    void advance() { reporter_.progress(++done_, total_); }
    std::size_t plannedUnsignedFiles() const;

    const SearchLeague& league_;
    const std::string name_;
    SearchReporter& reporter_;
    UnsignedFiles unsigned_;
    IniStore gathered_;
    std::size_t done_ = 0;
    std::size_t total_ = 0;
};

std::optional<std::string> NameSearchRun::read(const std::string& path) {
    try {
        return readTextFile(path);
    } catch (const LeagueError& e) {
        reporter_.message(fileExists(path) ? e.fullText() : std::string(kFileGoneMessage));
        return std::nullopt;
    }
}

void NameSearchRun::keep(ScanOutcome& outcome) {
    if (outcome.found)
        gathered_.appendSectionsFrom(std::move(*outcome.found));
}

// Writes the four-digit file of an old three-digit one; true on success.
bool NameSearchRun::convertOldUnsigned(long long term) {
    std::string old = unsigned_.oldPath(term);
    reporter_.status(toStoredPath(league_.folder, old) + std::string(kOldUnsignedSuffix));
    try {
        convertOldFile(resolvePath(old), ConversionMode::Unsigned);
    } catch (const LeagueError&) {
        reporter_.status(old + std::string(kConversionErrorSuffix));
        return false;
    }
    unsigned_.added(term);
    reporter_.status(old + std::string(kConvertedSuffix));
    return true;
}

std::size_t NameSearchRun::plannedUnsignedFiles() const {
    std::size_t count = 0;
    for (long long n = 0; n <= kLastUnsignedTerm; ++n) {
        if (unsigned_.exists(n) || unsigned_.oldExists(n))
            ++count;
        else if (count > 0)
            break;
    }
    return count;
}

void NameSearchRun::searchUnsignedFiles() {
    bool foundOne = false;
    for (long long n = 0; n <= kLastUnsignedTerm; ++n) {
        // Only an old file that is there is converted; a term without either
        // file is simply missing.
        if (!unsigned_.exists(n) && unsigned_.oldExists(n))
            convertOldUnsigned(n);
        std::string path = unsigned_.path(n);
        if (!unsigned_.exists(n)) {
            if (foundOne) {
                reporter_.status(path + std::string(kMissingSuffix));
                return;
            }
            continue;
        }
        foundOne = true;
        reporter_.status(path + std::string(kSearchingSuffix));
        if (auto text = read(path)) {
            ScanOutcome outcome = scanFor(*text, name_, termTag(n));
            keep(outcome);
        }
        advance();
    }
}

void NameSearchRun::searchTeamFile(const std::string& path) {
    std::optional<std::string> text = read(path);
    if (!text)
        return;
    ScanOutcome outcome = scanFor(*text, name_, {});
    if (!outcome.hasTeamSection) {
        reporter_.status(path + std::string(kOldTeamSuffix));
        try {
            convertOldFile(path, ConversionMode::Team);
        } catch (const LeagueError&) {
            reporter_.status(path + std::string(kConversionErrorSuffix));
            reporter_.message(kConversionFailed);
            return;
        }
        reporter_.status(path + std::string(kConvertedSuffix));
        if (!(text = read(path)))
            return;
        outcome = scanFor(*text, name_, {});
    }
    reporter_.status(path + std::string(kSearchingSuffix));
    keep(outcome);
}

NameSearchResult NameSearchRun::run() {
    if (name_.empty())
        throw LeagueError(std::string(kNoNameMessage));
    std::vector<std::string> teamFiles;
    for (const std::string& path : league_.teamFiles)
        if (fileExists(path))
            teamFiles.push_back(path);
    total_ = plannedUnsignedFiles() + teamFiles.size();
    reporter_.progress(0, total_);

    searchUnsignedFiles();
    for (const std::string& path : teamFiles) {
        searchTeamFile(path);
        advance();
    }

    NameSearchResult result;
    result.names = gathered_.sectionNames();
    result.unplaced = assignSearchRoster(gathered_);
    result.store = std::move(gathered_);
    return result;
}

// The batters' (or pitchers') slots of the first team, then of the farm team.
template <bool Pitchers> constexpr auto rosterSlots() {
    constexpr int perHalf = Pitchers ? kPitcherSlotsPerTeam : kBatterSlotsPerTeam;
    constexpr int offset = Pitchers ? kBatterSlotsPerTeam : 0;
    std::array<int, 2 * perHalf> out{};
    for (int half = 0; half < 2; ++half)
        for (int i = 0; i < perHalf; ++i)
            out[static_cast<std::size_t>(half * perHalf + i)] = half * kFarmFirstSlot + offset + i;
    return out;
}
constexpr auto kFielderSlots = rosterSlots<false>();
constexpr auto kPitcherSlots = rosterSlots<true>();
static_assert(kFielderSlots[16] == 28 && kPitcherSlots[0] == 16 && kPitcherSlots[23] == 55);

} // namespace

NameSearchResult searchPlayerName(const SearchLeague& league, std::string_view name,
                                  SearchReporter& reporter) {
    return NameSearchRun(league, name, reporter).run();
}

std::size_t assignSearchRoster(IniStore& store) {
    std::vector<std::pair<std::string, bool>> players;
    for (std::size_t i = 0; i < store.sectionCount(); ++i) {
        const IniSection& s = store.sectionAt(i);
        if (!equalsIgnoreCase(s.name(), kTeamSection))
            players.emplace_back(s.name(), s.boolean(kPitcher, false));
    }
    IniSection& team = store.ensureSection(kTeamSection);
    std::size_t fielders = 0, pitchers = 0, unplaced = 0;
    for (const auto& [name, pitcher] : players) {
        std::size_t& used = pitcher ? pitchers : fielders;
        std::size_t capacity = pitcher ? kPitcherSlots.size() : kFielderSlots.size();
        if (used >= capacity) {
            ++unplaced;
            continue;
        }
        int slot = pitcher ? kPitcherSlots[used] : kFielderSlots[used];
        ++used;
        team.set(std::to_string(slot), "- " + name);
    }
    return unplaced;
}

std::string nameNotFoundMessage(std::string_view leagueName) {
    return "検索選手を、" + std::string(leagueName) + "で見つけられませんでした。";
}

} // namespace tenvoll
