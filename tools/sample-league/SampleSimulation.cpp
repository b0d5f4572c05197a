// Roster simulation and per-player values of the sample leagues.
#include "tools/sample-league/SampleSimulation.h"

#include <algorithm>
#include <utility>

namespace tenvoll::sample {

namespace {

constexpr std::uint64_t kSeasonStream = 0x5345415355;
constexpr std::uint64_t kFarmStream = 0x4641524D;
constexpr std::uint64_t kBattingStream = 0x42415454;

const char* const kBatterPositions[] = {"2", "3", "4", "5", "6", "7", "8", "9", "D", "-"};

std::int16_t clampGrade(int g) {
    return static_cast<std::int16_t>(std::clamp(g, 1, 6));
}

// Chances (percent) that a grade rises or falls in a term, by age.
std::pair<int, int> driftChances(int age) {
    if (age <= 24)
        return {30, 8};
    if (age <= 29)
        return {18, 14};
    if (age <= 32)
        return {10, 22};
    return {5, 35};
}

int drift(Random& r, int age) {
    auto [up, down] = driftChances(age);
    int roll = r.range(0, 99);
    return roll < up ? 1 : roll < up + down ? -1 : 0;
}

void firstSeason(Season& s, bool pitcher, int age, Random& r) {
    int quality = r.range(2, 4);
    auto grade = [&] { return clampGrade(quality + r.range(-1, 2)); };
    if (pitcher) {
        s.ability[2] = std::int16_t(r.percent(30) ? 1 : 0);
        s.ability[3] = std::int16_t(r.range(0, 2));
        s.ability[4] = std::int16_t(r.range(132, 150));
        for (int i : {5, 6, 7, 9, 10})
            s.ability[i] = grade();
        s.ability[8] = std::int16_t(r.range(2, 6));
        s.ability[11] = std::int16_t(r.range(3, 14));
    } else {
        s.ability[2] = std::int16_t(r.percent(65) ? 0 : r.percent(85) ? 1 : 2);
        s.ability[3] = std::int16_t(r.range(0, 3));
        for (int i = 4; i <= 16; ++i)
            s.ability[i] = grade();
        s.ability[17] = std::int16_t(r.range(1, 15));
        s.ability[18] = std::int16_t(r.range(1, 15));
    }
    s.aptitude[0] = std::int16_t(age);
    for (int i = 1; i < 8; ++i)
        s.aptitude[i] = grade();
}

// The next term's values: a year older, abilities moved a little.
Season nextSeason(const Season& prev, bool pitcher, Random& r) {
    Season s;
    s.ability = prev.ability;
    s.aptitude = prev.aptitude;
    int age = prev.aptitude[0];
    s.aptitude[0] = std::int16_t(age + 1);
    auto move = [&](int i) { s.ability[i] = clampGrade(s.ability[i] + drift(r, age)); };
    if (pitcher) {
        for (int i : {5, 6, 7, 9, 10})
            move(i);
        s.ability[4] = std::int16_t(std::clamp(s.ability[4] + 2 * drift(r, age), 120, 165));
        s.ability[8] =
            std::int16_t(std::clamp(s.ability[8] + (r.percent(10) ? drift(r, age) : 0), 1, 9));
        s.ability[11] = std::int16_t(std::clamp(s.ability[11] + drift(r, age), 1, 20));
    } else {
        for (int i = 4; i <= 16; ++i)
            move(i);
        s.ability[17] = std::int16_t(std::clamp(s.ability[17] + drift(r, age), 1, 20));
        s.ability[18] = std::int16_t(std::clamp(s.ability[18] + drift(r, age), 1, 20));
    }
    if (r.percent(8)) {
        int i = r.range(1, 7);
        s.aptitude[i] = clampGrade(s.aptitude[i] + (r.percent(50) ? 1 : -1));
    }
    return s;
}

// The overall index (指数) follows the other abilities.
void computeIndex(Season& s, bool pitcher) {
    int sum = 0;
    if (pitcher) {
        for (int i : {5, 6, 7, 9, 10})
            sum += s.ability[i] * 14;
        sum += (s.ability[4] - 120) * 4 + s.ability[8] * 6 + s.ability[11] * 3;
        s.ability[12] = std::int16_t(sum);
    } else {
        for (int i = 10; i <= 16; ++i)
            sum += s.ability[i] * 12;
        sum +=
            *std::max_element(&s.ability[4], &s.ability[10]) * 10 + s.ability[17] + s.ability[18];
        s.ability[19] = std::int16_t(sum);
    }
}

std::int16_t n16(int v) {
    return static_cast<std::int16_t>(std::max(v, 0));
}

// A season of batting: regulars (the first nine fielder places) play nearly
// every game, the others come off the bench.
Counts battingCounts(const Season& s, bool regular, Random& r) {
    Counts c{};
    int games = regular ? r.range(110, 150) : r.range(15, 100);
    int atBats = std::max(1, regular ? games * r.range(33, 40) / 10 : games * r.range(5, 25) / 10);
    int average = 190 + (s.ability[12] + s.ability[15]) * 10 + r.range(-25, 25);
    int hits = atBats * average / 1000;
    int homeRuns = hits * (s.ability[16] * 2 + r.range(0, 4)) / 100;
    int triples = hits * r.range(0, 3) / 100;
    int doubles = hits * r.range(12, 24) / 100;
    c[0] = n16(games);
    c[1] = n16(atBats);
    c[2] = n16(hits);
    c[3] = n16(doubles);
    c[4] = n16(triples);
    c[5] = n16(homeRuns);
    c[6] = n16(homeRuns * 2 + (hits - homeRuns) * r.range(25, 40) / 100);
    c[7] = n16(r.range(0, regular ? 20 : 8));
    c[8] = n16(atBats * r.range(5, 13) / 100);
    c[9] = n16(atBats * r.range(10, 26) / 100);
    c[10] = n16(s.ability[11] * r.range(0, 6));
    c[11] = n16(r.range(0, 15));
    return c;
}

// A season of pitching: starters (the first five pitcher places), relievers
// and the closer (the last place).
Counts pitchingCounts(const Season& s, int placeInHalf, Random& r) {
    Counts c{};
    bool starter = placeInHalf < kFieldersPerHalf + 5;
    bool closer = placeInHalf == kHalfSlots - 1;
    int games = starter ? r.range(18, 30) : r.range(25, 65);
    int thirds = starter ? games * r.range(15, 22) : games * r.range(2, 4);
    int wins = starter ? r.range(3, 16) : r.range(0, 6);
    int saves = closer ? r.range(10, 40) : starter ? 0 : r.range(0, 3);
    int quality = s.ability[6] + s.ability[7]; // control and stability: 2 .. 12
    c[0] = n16(games);
    c[1] = n16(starter ? r.range(0, 6) : 0);
    c[2] = n16(wins);
    c[3] = n16(starter ? r.range(3, 13) : r.range(0, 6));
    c[4] = n16(saves);
    c[5] = n16(saves + (starter ? 0 : r.range(0, 10)));
    c[6] = n16(thirds / 3);
    c[7] = n16(thirds % 3);
    c[8] = n16(thirds * r.range(8, 12) / 30);
    c[9] = n16(thirds * r.range(1, 4) / 45);
    c[10] = n16(thirds * r.range(2, 5) / 30);
    c[11] = n16(thirds * r.range(5, 11) / 30);
    c[12] = n16(thirds * std::max(1, r.range(5, 10) - quality / 3) / 45);
    return c;
}

} // namespace

int Player::placeAt(int term) const {
    int i = term - firstRoster;
    return i < 0 || i >= int(places.size()) ? -1 : places[std::size_t(i)];
}

League::League(int teamCount, int latest, bool smallLeague, NamePool& names, Random random)
    : latestTerm(latest), names_(names), random_(random) {
    teams = makeTeams(teamCount, smallLeague, names_, random_);
    const int width = teamCount * kRosterSlots;
    rosters.assign(std::size_t(latestTerm) + 2, std::vector<int>(std::size_t(width), -1));
    endOfTerm.assign(std::size_t(latestTerm) + 1, {});
    olderPlayers.assign(std::size_t(teamCount), {});

    for (int i = 0; i < width; ++i) {
        int p = newPlayer(slotIsPitcher(i % kRosterSlots), 0, 0);
        rosters[0][std::size_t(i)] = p;
        players[std::size_t(p)].places.push_back(std::int16_t(i));
    }
    for (int t = 0; t <= latestTerm; ++t) {
        std::vector<int> end = rosters[std::size_t(t)];
        for (int i = 0; i < width; ++i)
            if (leavesAfter(players[std::size_t(end[std::size_t(i)])], t))
                end[std::size_t(i)] = newPlayer(slotIsPitcher(i % kRosterSlots), t, t + 1);
        endOfTerm[std::size_t(t)] = end;
        moveBetweenTeams(end);
        promoteAndDemote(end);
        for (int i = 0; i < width; ++i)
            players[std::size_t(end[std::size_t(i)])].places.push_back(std::int16_t(i));
        rosters[std::size_t(t) + 1] = std::move(end);
    }
    for (std::size_t p = 0; p < players.size(); ++p)
        makeSeasons(int(p), std::min(players[p].lastRoster(), latestTerm + 1));
}

int League::newPlayer(bool pitcher, int joinTerm, int firstRoster) {
    Player p;
    p.name = names_.next();
    p.pitcher = pitcher;
    p.position = pitcher ? "P" : kBatterPositions[random_.range(0, 9)];
    p.age = joinTerm == 0 ? random_.range(18, 33) : random_.range(18, 23);
    p.joinTerm = joinTerm;
    p.firstRoster = firstRoster;
    players.push_back(std::move(p));
    return int(players.size()) - 1;
}

bool League::leavesAfter(const Player& p, int term) {
    int years = term - p.firstRoster;
    int age = p.age + term - p.joinTerm;
    int chance = 2 + std::max(0, years - 8) * 3 + std::max(0, age - 32) * 6;
    return random_.percent(chance);
}

void League::moveBetweenTeams(std::vector<int>& roster) {
    int n = teamCount();
    if (n < 2)
        return;
    for (int k = std::max(1, n / 3); k > 0; --k) {
        int a = random_.range(0, n - 1);
        int b = (a + random_.range(1, n - 1)) % n;
        bool pitcher = random_.percent(40);
        auto slot = [&] {
            int within = pitcher ? random_.range(kFieldersPerHalf, kHalfSlots - 1)
                                 : random_.range(0, kFieldersPerHalf - 1);
            return random_.range(0, 1) * kHalfSlots + within;
        };
        int sa = slot(), sb = slot();
        std::swap(roster[std::size_t(a * kRosterSlots + sa)],
                  roster[std::size_t(b * kRosterSlots + sb)]);
    }
}

void League::promoteAndDemote(std::vector<int>& roster) {
    for (int team = 0; team < teamCount(); ++team) {
        for (int k = 0; k < 3; ++k) {
            bool pitcher = k == 2;
            int lo = pitcher ? kFieldersPerHalf : 0;
            int hi = pitcher ? kHalfSlots - 1 : kFieldersPerHalf - 1;
            int first = random_.range(lo, hi);
            int farm = kHalfSlots + random_.range(lo, hi);
            std::swap(roster[std::size_t(team * kRosterSlots + first)],
                      roster[std::size_t(team * kRosterSlots + farm)]);
        }
    }
}

void League::makeSeasons(int index, int lastTerm) {
    Player& p = players[std::size_t(index)];
    Random r = random_.fork(kSeasonStream, std::uint64_t(index));
    p.seasons.clear();
    p.seasons.reserve(std::size_t(std::max(0, lastTerm - p.joinTerm + 1)));
    for (int t = p.joinTerm; t <= lastTerm; ++t) {
        Season s;
        if (t == p.joinTerm)
            firstSeason(s, p.pitcher, p.age, r);
        else
            s = nextSeason(p.seasons.back(), p.pitcher, r);
        computeIndex(s, p.pitcher);
        int place = p.placeAt(t);
        int slot = place % kRosterSlots;
        // Now and then a first-team player does not play at all.
        if (place >= 0 && slotIsFirstTeam(slot) && t <= latestTerm && !r.percent(6)) {
            s.played = true;
            s.counts = p.pitcher ? pitchingCounts(s, slot, r) : battingCounts(s, slot < 9, r);
        }
        p.seasons.push_back(s);
    }
}

void League::addOlderPlayers(int perTeam) {
    if (latestTerm < 1)
        return;
    for (int team = 0; team < teamCount(); ++team) {
        for (int k = 0; k < perTeam; ++k) {
            bool pitcher = random_.percent(43);
            int from = random_.range(0, latestTerm - 1);
            int to = from + random_.range(0, std::min(11, latestTerm - 1 - from));
            int index = newPlayer(pitcher, from, from);
            bool firstTeam = random_.percent(55);
            for (int t = from; t <= to; ++t) {
                int within = pitcher ? random_.range(kFieldersPerHalf, kHalfSlots - 1)
                                     : random_.range(0, kFieldersPerHalf - 1);
                int slot = (firstTeam ? 0 : kHalfSlots) + within;
                players[std::size_t(index)].places.push_back(
                    std::int16_t(team * kRosterSlots + slot));
            }
            makeSeasons(index, to);
            olderPlayers[std::size_t(team)].push_back(index);
        }
    }
}

Counts League::farmCounts(int index, int term) const {
    const Player& p = players[std::size_t(index)];
    Random r = random_.fork(kFarmStream, std::uint64_t(index) * 4096 + std::uint64_t(term));
    int slot = std::max(0, p.placeAt(term)) % kHalfSlots;
    const Season& s = p.season(term);
    return p.pitcher ? pitchingCounts(s, slot, r) : battingCounts(s, slot < 9, r);
}

Counts League::pitcherBatting(int index, int term) const {
    Random r = random_.fork(kBattingStream, std::uint64_t(index) * 4096 + std::uint64_t(term));
    Counts c{};
    int games = r.range(5, 30);
    int atBats = r.range(0, games * 2);
    int hits = atBats * r.range(5, 22) / 100;
    c[0] = n16(games);
    c[1] = n16(atBats);
    c[2] = n16(hits);
    c[3] = n16(hits / 5);
    c[6] = n16(hits / 3);
    c[7] = n16(r.range(0, 8));
    c[8] = n16(atBats / 15);
    c[9] = n16(atBats * r.range(25, 45) / 100);
    return c;
}

} // namespace tenvoll::sample
