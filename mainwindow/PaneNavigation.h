// Which file a pane shows next: stepping through the league's registered
// teams with wrap-around, and showing in one pane the team of the other pane
// in its other form (team file ".txt" or next-season copy ".tvl").
#pragma once

#include "league/Settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace tenvoll {

enum class Step { Next, Previous };

// The full path of the team after (or before) the one named `paneTeamName`
// in the league's registry, wrapping around at both ends. A name that matches
// no entry counts as entry 0. Nothing for a league without teams.
std::optional<std::string> steppedTeamPath(const Settings& settings, std::string_view league,
                                           std::string_view paneTeamName, Step step);

struct SameTeamChoice {
    std::string path;    // the file the target pane shows next (empty: none)
    std::string message; // message to show first, or empty
    bool reload = false; // false: leave the target pane as it is
};

// Same team in the target pane as in the source pane.
SameTeamChoice sameTeamInOtherForm(std::string_view targetPath, std::string_view sourcePath);

} // namespace tenvoll
