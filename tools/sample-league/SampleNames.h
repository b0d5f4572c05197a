// Synthetic names of the sample leagues: player and manager names unique over
// the whole program folder, and team identities (names, short names, grounds,
// uniforms).
#pragma once

#include "tools/sample-league/SampleRandom.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace tenvoll::sample {

class NamePool {
public:
    explicit NamePool(std::uint64_t seed);
    // A person's name never handed out before: a family name and a given name,
    // at most 8 full-width characters. The first names are fixed ones that
    // cover the awkward cases (8 characters; characters whose second Shift-JIS
    // byte is a backslash), given to the first players.
    std::string next();
    // A name of the same form without the fixed ones (managers).
    std::string nextGenerated();
    // Names that players must never take (team names).
    void reserve(const std::string& name) { used_.insert(name); }

private:
    Random random_;
    std::size_t fixedGiven_ = 0;
    std::size_t cursor_ = 0;     // first combination not yet tried in order
    std::size_t longCursor_ = 0; // the same over the long given names
    std::unordered_set<std::string> used_;
};

struct TeamIdentity {
    std::string name[2];      // first team, farm team
    std::string shortName[2]; // 略称
    std::string mark[2];      // 記
    std::string ground[2];    // 球場
    std::string uniform[2];   // UNIFORM, SYMBOL, BGM
    std::string manager[2];   // manager's name and tendency values
    std::string nameLine(int role) const;
};

// Identities of `count` teams of the main league, or of the small second league.
std::vector<TeamIdentity> makeTeams(int count, bool smallLeague, NamePool& names, Random& random);

// Largest team count the name lists allow.
int maxTeams();

} // namespace tenvoll::sample
