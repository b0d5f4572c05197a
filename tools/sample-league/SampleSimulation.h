// A simulated league history: rosters term by term (retirements, newcomers,
// trades, promotions) and every player's values per term (abilities,
// aptitudes, first-team statistics). Pure numbers; SampleText turns them into
// the league's texts.
#pragma once

#include "league/GameRules.h"
#include "tools/sample-league/SampleNames.h"
#include "tools/sample-league/SampleRandom.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tenvoll::sample {

inline constexpr int kRosterSlots = kSlotCount;
inline constexpr int kHalfSlots = kFarmFirstSlot;
inline constexpr int kFieldersPerHalf = kBatterSlotsPerTeam;

inline bool slotIsPitcher(int slot) {
    return slot % kHalfSlots >= kFieldersPerHalf;
}
inline bool slotIsFirstTeam(int slot) {
    return slot < kHalfSlots;
}
// The position code a roster slot gives its player: each team's first nine
// fielders take the eight positions and the designated hitter once each, the
// other fielders sit on the bench, the pitchers pitch.
inline const char* slotPosition(int slot) {
    constexpr const char* kLineup[] = {"2", "3", "4", "5", "6", "7", "8", "9", "D"};
    const int within = slot % kHalfSlots;
    if (within >= kFieldersPerHalf)
        return "P";
    return within < 9 ? kLineup[within] : "-";
}

// Batting counts: games, at-bats, hits, doubles, triples, home runs, runs batted
// in, sacrifices, walks, strikeouts, stolen bases, errors.
// Pitching counts: games, complete games, wins, losses, saves, save points,
// innings, outs, hits, home runs, walks, strikeouts, earned runs.
using Counts = std::array<std::int16_t, 13>;

struct Season {
    std::array<std::int16_t, 20> ability{}; // by game-line field index (2 .. 19)
    std::array<std::int16_t, 8> aptitude{}; // age, then the seven growth aptitudes
    bool played = false;                    // a first-team statistics line exists
    Counts counts{};
};

struct Player {
    std::string name;
    bool pitcher = false;
    std::string position;             // "2" .. "9", "D", "-" or "P"
    int age = 20;                     // at the join term
    int joinTerm = 0;                 // "新規"
    int firstRoster = 0;              // first term on a roster
    std::vector<std::int16_t> places; // team * 56 + slot, terms firstRoster on
    std::vector<Season> seasons;      // terms joinTerm on

    int lastRoster() const { return firstRoster + int(places.size()) - 1; }
    int lastSeason() const { return joinTerm + int(seasons.size()) - 1; }
    // team * 56 + slot in that term, or -1 when not on a roster.
    int placeAt(int term) const;
    const Season& season(int term) const { return seasons[std::size_t(term - joinTerm)]; }
};

class League {
public:
    // Simulates terms 0 .. latestTerm + 1 (the last one is next season's rosters).
    League(int teamCount, int latestTerm, bool smallLeague, NamePool& names, Random random);

    // Per team, `perTeam` players of earlier terms that its file keeps without a roster place.
    void addOlderPlayers(int perTeam);

    int teamCount() const { return int(teams.size()); }
    int latestTerm = 0;
    std::vector<TeamIdentity> teams;
    std::vector<Player> players;
    // rosters[t][team * 56 + slot] = player index, t = 0 .. latestTerm + 1.
    std::vector<std::vector<int>> rosters;
    // The game's files at the end of term t: rosters[t] with every player who
    // leaves replaced by a newcomer of term t, t = 0 .. latestTerm.
    std::vector<std::vector<int>> endOfTerm;
    std::vector<std::vector<int>> olderPlayers; // per team

    // Statistics of a player's term outside the first team (farm games) or his
    // batting as a pitcher: made on demand, the same for every call.
    Counts farmCounts(int player, int term) const;
    Counts pitcherBatting(int player, int term) const;

private:
    int newPlayer(bool pitcher, int joinTerm, int firstRoster);
    bool leavesAfter(const Player& p, int term);
    void moveBetweenTeams(std::vector<int>& roster);
    void promoteAndDemote(std::vector<int>& roster);
    void makeSeasons(int index, int lastTerm);

    NamePool& names_;
    Random random_;
};

} // namespace tenvoll::sample
