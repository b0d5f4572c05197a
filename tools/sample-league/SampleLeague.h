// Synthetic sample leagues for the demo, the tests and the benchmarks: a
// program folder with the settings file, a main league of INI-form team files
// with a full history, its statistics marks and unsigned-players files, the
// next term's game files in the working folders, and a small second league
// whose files are still in the older layout.
#pragma once

#include <string>
#include <vector>

namespace tenvoll::sample {

struct SampleOptions {
    int teams = 6;
    int terms = 5;
    int players = 56;
    unsigned seed = 1;
};

struct SampleSummary {
    std::string programFolder;
    std::string leagueName;
    std::string leagueFolder;
    std::vector<std::string> teamFiles; // full paths, registry order
    long long latestTerm;
};

// Writes the sample into `programFolder` (created when missing), the settings
// file last, so that a cut-off run leaves no settings file; the same
// options give the same bytes. Throws LeagueError for options out of range or
// a file that cannot be written.
SampleSummary writeSampleLeague(const std::string& programFolder, const SampleOptions& options);

} // namespace tenvoll::sample
