// The league as a folder of static web pages: an index, one page per team (the
// roster panes' grids of its newest term), one per player (the detail window's
// history and the career chart) and one per ranking item (the newest term's
// leaders, the best single terms and the best careers). Every number comes
// from the engines the windows use; the league's files are only read.
#pragma once

#include "league/ProgressReporter.h"
#include "league/Settings.h"
#include "mainwindow/LeagueSearch.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll::report {

// Progress of a report run; a run asked to stop ends at the next page.
class ReportProgress : public ProgressReporter {
public:
    virtual bool cancelRequested() { return false; }
};

struct ReportTeam {
    std::string firstTeam; // the registry's names
    std::string farmTeam;
    std::string path; // full path of the team file
};

struct ReportLeague {
    std::string name;
    SearchLeague search; // folder and team files as the ranking reads them
    std::vector<ReportTeam> teams;
};

// The registered league `leagueName` of the settings.
ReportLeague reportLeague(const Settings& settings, std::string_view leagueName);

struct ReportOutcome {
    bool complete = false; // false: stopped on request; the pages written stay
    std::size_t files = 0;
    std::size_t bytes = 0;
    std::string indexPath;
    std::vector<std::string> warnings; // files left out and why
    std::vector<std::string> notes;    // the ranking's messages (a missing marks file)
};

// Leaders listed per table: the best ten and those tied with the tenth.
inline constexpr std::size_t kLeaderRows = 10;

// Writes the pages into `outDir`. Throws LeagueError when the league has no
// folder, the folder cannot be used or a page cannot be written.
ReportOutcome writeLeagueReport(const ReportLeague& league, const std::string& outDir,
                                ReportProgress& progress);

} // namespace tenvoll::report
