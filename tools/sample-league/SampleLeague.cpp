// Writing a sample program folder from the simulated leagues.
#include "tools/sample-league/SampleLeague.h"

#include "league/FileAccess.h"
#include "league/GameRules.h"
#include "league/GameText.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "league/StatsMarksFile.h"
#include "league/TeamFile.h"
#include "league/TeamFileConversion.h"
#include "league/TextCodec.h"
#include "tools/sample-league/SampleSimulation.h"
#include "tools/sample-league/SampleText.h"

#include <cstdio>

namespace tenvoll::sample {

namespace {

constexpr std::string_view kMainLeague = "サンプルリーグ";
constexpr std::string_view kSmallLeague = "小リーグ";
constexpr std::string_view kMainTool = toolVariantText(ToolVariant::Standard);
constexpr int kSmallLatestTerm = 2;
constexpr int kGames = static_cast<int>(kDefaultGames);
constexpr int kMaxTerms = 200;
constexpr int kMaxPlayers = 1000;

std::string storedTeamPath(std::string_view league, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "team%02d.txt", index + 1);
    return "\\" + std::string(league) + "\\" + name;
}

std::string unsignedFileName(int term, int digits) {
    char name[16];
    std::snprintf(name, sizeof name, "%0*d", digits, term);
    return std::string(name) + "期未契約選手.txt";
}

void validate(const SampleOptions& o) {
    auto check = [](bool ok, const std::string& what) {
        if (!ok)
            throw LeagueError("サンプルの指定が範囲外です: " + what);
    };
    check(o.teams >= 2 && o.teams <= maxTeams(),
          "--teams は 2 から " + std::to_string(maxTeams()) + " まで");
    check(o.terms >= 1 && o.terms <= kMaxTerms,
          "--terms は 1 から " + std::to_string(kMaxTerms) + " まで");
    check(o.players >= kRosterSlots && o.players <= kMaxPlayers,
          "--players は 56 から " + std::to_string(kMaxPlayers) + " まで");
}

const TeamIdentity& teamAt(const League& league, int place) {
    return league.teams[std::size_t(place / kRosterSlots)];
}
int roleOf(int place) {
    return slotIsFirstTeam(place % kRosterSlots) ? 0 : 1;
}

// What a term update leaves for term t of a player whose data ends at
// `lastTerm`: the team of the next term's roster as the affiliation, and the
// first-team statistics line when he played for a first team and stays on one.
std::string affiliationOf(const League& league, const Player& p, int t, int lastTerm) {
    if (t >= lastTerm)
        return {};
    int next = p.placeAt(t + 1);
    return next < 0 ? std::string() : teamAt(league, next).name[roleOf(next)];
}

std::string statsOf(const League& league, const Player& p, int t, int lastTerm) {
    if (t >= lastTerm || !p.season(t).played)
        return {};
    int now = p.placeAt(t), next = p.placeAt(t + 1);
    if (now < 0 || next < 0 || roleOf(next) != 0)
        return {};
    return storedStatsLine(p.name, teamAt(league, now).shortName[0], p.pitcher, p.season(t).counts);
}

void appendPlayer(IniStore& store, const League& league, int index, int lastTerm,
                  std::string_view tool) {
    const Player& p = league.players[std::size_t(index)];
    std::vector<std::string> stats, played;
    for (int t = p.joinTerm; t <= lastTerm; ++t) {
        stats.push_back(statsOf(league, p, t, lastTerm));
        if (!stats.back().empty())
            played.push_back(stats.back());
    }
    IniSection& s = store.appendSection(p.name);
    s.append(kFirstTerm, std::to_string(p.joinTerm));
    s.append(kLastTerm, std::to_string(lastTerm));
    s.append(kToolKey, tool);
    s.append(kComment, "");
    s.append(kPitcher, p.pitcher ? "1" : "0");
    s.append(kCareer, careerTotals(played, p.pitcher));
    for (int t = p.joinTerm; t <= lastTerm; ++t) {
        std::vector<std::string> f = gameLineFields(p, p.season(t));
        s.append(termKey(t, kAbility), abilityText(f));
        s.append(termKey(t, kAptitude), aptitudeText(f, p.pitcher));
        s.append(termKey(t, kStats), stats[std::size_t(t - p.joinTerm)]);
        s.append(termKey(t, kAffiliation), affiliationOf(league, p, t, lastTerm));
    }
}

// The players of rosters[t] who are on no roster of term t + 1.
std::vector<int> leavingAfter(const League& league, int t) {
    std::vector<int> out;
    const auto& before = league.rosters[std::size_t(t)];
    const auto& end = league.endOfTerm[std::size_t(t)];
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != end[i])
            out.push_back(before[i]);
    return out;
}

int rosterAt(const League& league, int term, int team, int slot) {
    return league.rosters[std::size_t(term)][std::size_t(team * kRosterSlots + slot)];
}

class SampleWriter {
public:
    SampleWriter(std::string programFolder, const SampleOptions& options)
        : folder_(std::move(programFolder)), options_(options), names_(options.seed),
          random_(Random(options.seed).fork(0x4C454147)) {}

    SampleSummary write();

private:
    std::string full(std::string_view stored) const { return joinProgramFolder(folder_, stored); }

    void writeSettings(const League& main, const League& small);
    std::vector<std::string> writeMainTeamFiles(const League& league);
    void writeStatsMarks(const League& league);
    void writeUnsignedFiles(const League& league);
    void writeGrowthFiles(const League& league);
    void writeNewPlayerFiles(const League& league);
    void writeStatisticsTables(const League& league);
    void writeSmallLeague(const League& league);

    std::string folder_;
    SampleOptions options_;
    NamePool names_;
    Random random_;
};

void SampleWriter::writeSettings(const League& main, const League& small) {
    IniStore ini;
    IniSection& m = ini.appendSection(kMainSection);
    m.append(kTeam1Key, storedTeamPath(kMainLeague, 0));
    m.append(kTeam2Key, storedTeamPath(kMainLeague, 1));
    m.append(kLeagueNameKey, kMainLeague);
    m.append(kUpBackgroundKey, "clRed");
    m.append(kUpTextKey, "clWhite");
    m.append(kDownBackgroundKey, "clBlue");
    m.append(kDownTextKey, "clWhite");
    auto registry = [&](std::string_view name, const League& league, std::string_view tool) {
        IniSection& s = ini.appendSection(name);
        s.append(kLeagueNameKey, "");
        s.append(kTeamCountKey, std::to_string(league.teamCount()));
        for (int k = 0; k < league.teamCount(); ++k) {
            const TeamIdentity& t = league.teams[std::size_t(k)];
            s.append(std::string(kTeamEntryKey) + std::to_string(k),
                     t.name[0] + "," + t.name[1] + "," + storedTeamPath(name, k));
        }
        s.append(kToolKey, tool);
    };
    registry(kMainLeague, main, kMainTool);
    registry(kSmallLeague, small, toolVariantText(ToolVariant::Mirel));
    ini.save(full(kSettingsFileName));
}

std::vector<std::string> SampleWriter::writeMainTeamFiles(const League& league) {
    std::vector<std::string> paths;
    const int last = league.latestTerm;
    for (int k = 0; k < league.teamCount(); ++k) {
        const TeamIdentity& id = league.teams[std::size_t(k)];
        IniStore store;
        IniSection& team = store.appendSection(kTeamSection);
        for (int role = 0; role < 2; ++role) {
            team.append(kTeamHeaderKeys[role * 3], "  " + id.nameLine(role));
            team.append(kTeamHeaderKeys[role * 3 + 1], "  " + id.uniform[role]);
            team.append(kTeamHeaderKeys[role * 3 + 2], "  " + id.manager[role]);
        }
        team.append(kToolKey, kMainTool);
        for (int slot = 0; slot < kRosterSlots; ++slot) {
            const Player& p = league.players[std::size_t(rosterAt(league, last, k, slot))];
            team.append(std::to_string(slot), std::string(slotPosition(slot)) + " " + p.name);
        }
        for (int slot = 0; slot < kRosterSlots; ++slot)
            appendPlayer(store, league, rosterAt(league, last, k, slot), last, kMainTool);
        for (int index : league.olderPlayers[std::size_t(k)])
            appendPlayer(store, league, index, league.players[std::size_t(index)].lastRoster(),
                         kMainTool);
        paths.push_back(full(storedTeamPath(kMainLeague, k)));
        store.save(paths.back());
    }
    return paths;
}

// "seiseki.ini": one section per played term, newest first.
void SampleWriter::writeStatsMarks(const League& league) {
    IniStore marks;
    for (int t = league.latestTerm - 1; t >= 0; --t) {
        std::vector<std::string> lines;
        for (int k = 0; k < league.teamCount(); ++k) {
            for (int slot = 0; slot < kHalfSlots; ++slot) {
                const Player& p = league.players[std::size_t(rosterAt(league, t, k, slot))];
                if (p.season(t).played)
                    lines.push_back(storedStatsLine(p.name,
                                                    league.teams[std::size_t(k)].shortName[0],
                                                    p.pitcher, p.season(t).counts));
            }
        }
        appendStatsMarks(marks.appendSection(std::to_string(t)), lines, kGames);
    }
    marks.save(full("\\" + std::string(kMainLeague) + "\\" + std::string(kStatsMarksFileName)));
}

void SampleWriter::writeUnsignedFiles(const League& league) {
    std::string data = "\\" + std::string(kMainLeague) + "\\データ\\";
    for (int t = 0; t < league.latestTerm; ++t) {
        IniStore store;
        store.appendSection(kTeamSection).append(kToolKey, kMainTool);
        for (int index : leavingAfter(league, t))
            appendPlayer(store, league, index, t, kMainTool);
        store.save(full(data + unsignedFileName(t, 4)));
    }
}

// One game team text file per team: the first-team block, then the farm block.
std::string gameTeamFile(const League& league, int k, const std::vector<int>& roster, int term) {
    const TeamIdentity& id = league.teams[std::size_t(k)];
    std::vector<std::string> lines;
    for (int role = 0; role < 2; ++role) {
        GameTeamBlock block{id.nameLine(role), id.uniform[role], id.manager[role], {}};
        for (int slot = role * kHalfSlots; slot < (role + 1) * kHalfSlots; ++slot) {
            const Player& p =
                league.players[std::size_t(roster[std::size_t(k * kRosterSlots + slot)])];
            block.playerLines.push_back(gameLine(p, p.season(term), slotPosition(slot)));
        }
        for (auto& l : gameTeamBlockLines(block))
            lines.push_back(std::move(l));
    }
    return joinCrlf(lines);
}

std::string tempFile(std::string_view folder, int k) {
    char name[32];
    std::snprintf(name, sizeof name, "team%02d.txt", k + 1);
    return "\\temp\\" + std::string(folder) + "\\" + name;
}

void SampleWriter::writeGrowthFiles(const League& league) {
    int next = league.latestTerm + 1;
    for (int k = 0; k < league.teamCount(); ++k)
        writeTextFileAtomic(full(tempFile("seichou", k)),
                            gameTeamFile(league, k, league.rosters[std::size_t(next)], next));
}

void SampleWriter::writeNewPlayerFiles(const League& league) {
    int last = league.latestTerm;
    for (int k = 0; k < league.teamCount(); ++k)
        writeTextFileAtomic(full(tempFile("shinjin", k)),
                            gameTeamFile(league, k, league.endOfTerm[std::size_t(last)], last));
}

// The game's statistics tables of the latest term, one file per team: batting
// (fielders of both teams, then the first-team pitchers' batting), pitching.
void SampleWriter::writeStatisticsTables(const League& league) {
    int t = league.latestTerm;
    for (int k = 0; k < league.teamCount(); ++k) {
        const TeamIdentity& id = league.teams[std::size_t(k)];
        std::vector<std::string> batting = {kBattingHeading}, pitching = {kPitchingHeading};
        for (int slot = 0; slot < kRosterSlots; ++slot) {
            int index = rosterAt(league, t, k, slot);
            const Player& p = league.players[std::size_t(index)];
            int role = slotIsFirstTeam(slot) ? 0 : 1;
            Counts counts;
            if (role == 0) {
                if (!p.season(t).played)
                    continue;
                counts = p.season(t).counts;
            } else {
                counts = league.farmCounts(index, t);
            }
            auto& table = p.pitcher ? pitching : batting;
            table.push_back(tableStatsLine(p.name, id.shortName[role], p.pitcher, counts));
            if (p.pitcher && role == 0)
                batting.push_back(tableStatsLine(p.name, id.shortName[0], false,
                                                 league.pitcherBatting(index, t)));
        }
        batting.insert(batting.end(), pitching.begin(), pitching.end());
        writeTextFileAtomic(full(tempFile("seiseki", k)), joinCrlf(batting));
    }
}

// ---- the small league in the older layout ------------------------------------

// A player's old-layout lines, newest term first: abilities ; aptitudes ;
// statistics ; term ; team (the last group missing when there is no team).
void appendOldLines(std::vector<std::string>& out, const League& league, int index, int lastTerm) {
    const Player& p = league.players[std::size_t(index)];
    for (int t = lastTerm; t >= p.joinTerm; --t) {
        std::vector<std::string> f = gameLineFields(p, p.season(t));
        std::string line = abilityText(f) + "; " + aptitudeText(f, p.pitcher) + "; " +
                           statsOf(league, p, t, lastTerm) + "; " + std::to_string(t);
        std::string team = affiliationOf(league, p, t, lastTerm);
        if (!team.empty())
            line += " ; " + team;
        out.push_back(std::move(line));
    }
}

std::vector<std::string> oldTeamLines(const League& league, int k) {
    const TeamIdentity& id = league.teams[std::size_t(k)];
    const int last = league.latestTerm;
    std::vector<std::string> lines;
    for (int role = 0; role < 2; ++role) {
        for (std::string_view l : {kRuleLine, kTeamNameHeader})
            lines.emplace_back(l);
        lines.push_back("  " + id.nameLine(role));
        lines.emplace_back(kUniformHeader);
        lines.push_back("  " + id.uniform[role]);
        lines.emplace_back(kManagerHeader);
        lines.push_back("  " + id.manager[role]);
        for (int slot = role * kHalfSlots; slot < (role + 1) * kHalfSlots; ++slot) {
            if (slot % kHalfSlots == 0)
                lines.emplace_back(kBatterHeader);
            if (slot % kHalfSlots == kFieldersPerHalf)
                lines.emplace_back(kPitcherHeader);
            appendOldLines(lines, league, rosterAt(league, last, k, slot), last);
        }
    }
    return lines;
}

// The first team was converted already; the second is still in the older
// layout. Unsigned players: term 0 converted (its old file kept beside it),
// term 1 only in the older layout.
void SampleWriter::writeSmallLeague(const League& league) {
    convertOldLayout(oldTeamLines(league, 0), ConversionMode::Team)
        .save(full(storedTeamPath(kSmallLeague, 0)));
    writeTextFileAtomic(full(storedTeamPath(kSmallLeague, 1)), joinCrlf(oldTeamLines(league, 1)));
    std::string data = "\\" + std::string(kSmallLeague) + "\\データ\\";
    for (int t = 0; t < league.latestTerm; ++t) {
        std::vector<std::string> lines;
        for (int index : leavingAfter(league, t))
            appendOldLines(lines, league, index, t);
        writeTextFileAtomic(full(data + unsignedFileName(t, 3)), joinCrlf(lines));
        if (t == 0)
            convertOldLayout(lines, ConversionMode::Unsigned)
                .save(full(data + unsignedFileName(t, 4)));
    }
}

SampleSummary SampleWriter::write() {
    validate(options_);
    // Simulated first: running out of names leaves no half-written folder.
    League main(options_.teams, options_.terms, false, names_, random_.fork(1));
    main.addOlderPlayers(options_.players - kRosterSlots);
    League small(2, kSmallLatestTerm, true, names_, random_.fork(2));

    const std::string mainFolder = "\\" + std::string(kMainLeague);
    for (std::string sub :
         {mainFolder + "\\データ", std::string("\\temp\\seichou"), std::string("\\temp\\seiseki"),
          std::string("\\temp\\shinjin"), "\\" + std::string(kSmallLeague) + "\\データ"})
        createFolders(full(sub));

    SampleSummary summary;
    summary.programFolder = folder_;
    summary.leagueName = std::string(kMainLeague);
    summary.leagueFolder = full(mainFolder);
    summary.teamFiles = writeMainTeamFiles(main);
    summary.latestTerm = main.latestTerm;
    writeStatsMarks(main);
    writeUnsignedFiles(main);
    writeGrowthFiles(main);
    writeNewPlayerFiles(main);
    writeStatisticsTables(main);
    writeSmallLeague(small);
    // The settings file last: a folder that has it holds a whole sample.
    writeSettings(main, small);
    return summary;
}

} // namespace

SampleSummary writeSampleLeague(const std::string& programFolder, const SampleOptions& options) {
    return SampleWriter(programFolder, options).write();
}

} // namespace tenvoll::sample
