// A small league for the opening-order tests: two registered teams "甲" and
// "乙" whose files hold complete line-ups (players "甲0" … "甲55"), written
// as the league keeps them, and the settings file that registers them.
#pragma once

#include "league/Settings.h"

#include <string>

namespace tenvoll::test {

inline constexpr long long kOrderLeagueTerm = 3;

struct OrderLeague {
    // Writes the league into `programFolder`.
    explicit OrderLeague(std::string programFolder);

    std::string programFolder;
    std::string teamFile[2]; // full paths of "\L\team01.txt" and "\L\team02.txt"
    std::string copyFile;    // the first team's next-season copy
    LeagueEntry entry(int team) const;
};

// The text of a team file: slots 0-55 hold `prefix` + slot number with the
// positions of a complete order; every player joined in term 1 and played term
// 2 for `name`, except `prefix`0 who joined in the last term and `prefix`1 who
// played term 2 for "他球団".
std::string orderTeamText(const std::string& name, const std::string& prefix,
                          const std::string& tool);

} // namespace tenvoll::test
