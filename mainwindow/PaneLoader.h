// Opening a team file for a pane, without any window: existence check,
// loading, conversion of an old-layout file, filling, statistics marks and
// summary. The messages to show come back in the order they arise.
#pragma once

#include "league/IniStore.h"
#include "mainwindow/RosterRows.h"

#include <array>
#include <string>
#include <vector>

namespace tenvoll {

struct UserMessage {
    std::string text;    // the program's fixed text
    std::string detail;  // particulars (file, line, reason), may be empty
    bool problem = true; // false for a notice (an old file about to be converted)
};

struct PaneLoad {
    bool loaded = false;
    std::vector<UserMessage> messages;
    std::string
        folder; // the file's folder: the league folder from now on (set once the file exists)
    IniStore store;
    std::string teamName;
    PaneContent content = emptyPane();
    std::array<SummaryRow, 6> summary{};
};

PaneLoad loadPane(const std::string& path, bool markLeagueStatistics);

// The league folder of a pane's team file (its folder): where "seiseki.ini" is
// read for the pane and for the players chosen from it.
std::string paneLeagueFolder(const std::string& path);

// The grids of a team store, marked against the league folder's "seiseki.ini"
// when asked; an unreadable marks file adds a message and only loses the colours.
PaneContent filledPane(const IniStore& store, const std::string& leagueFolder,
                       bool markLeagueStatistics, std::vector<UserMessage>& messages);

// The same team in both panes (team file and next-season copy): marks the
// players each pane holds and the other does not.
void comparePanes(PaneContent& top, const std::string& topPath, const IniStore& topStore,
                  PaneContent& bottom, const std::string& bottomPath, const IniStore& bottomStore);

} // namespace tenvoll
