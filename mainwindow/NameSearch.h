// Player name search over the whole league: every section named by the text
// in the unsigned-players files (renamed with their term tag) and in the team
// files, gathered into one store that the main window shows in its Top pane.
// Old three-digit unsigned-players files and old-layout team files met on the
// way are converted first.
#pragma once

#include "league/IniStore.h"
#include "mainwindow/LeagueSearch.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct NameSearchResult {
    // The gathered sections in file order, then "Team" with their roster slots.
    IniStore store;
    // Names of the gathered sections, in store order.
    std::vector<std::string> names;
    // Gathered sections that found no free roster slot.
    std::size_t unplaced = 0;
};

// Gathers the sections named `name` (ignoring case). Throws LeagueError with
// kNoNameMessage for an empty name. Files that cannot be read are reported as
// messages and passed over.
NameSearchResult searchPlayerName(const SearchLeague& league, std::string_view name,
                                  SearchReporter& reporter);

// Gives every player section of `store` a roster slot in its section "Team",
// valued "- " + section name: pitchers ("投手" true; missing counts as false)
// in "16" ... "27", then the farm pitchers' "44" ... "55"; the others in
// "0" ... "15", then "28" ... "43". Returns how many found no slot.
std::size_t assignSearchRoster(IniStore& store);

// "検索選手を、" + league + "で見つけられませんでした。"
std::string nameNotFoundMessage(std::string_view leagueName);

} // namespace tenvoll
