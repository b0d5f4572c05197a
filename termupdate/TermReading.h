// The reading of a term update: the league's registry, and every file the
// run takes in — found, read and decoded as the merge asks for it. Nothing
// read is kept: the backups copy the files from disk at the commit.
#pragma once

#include "league/Settings.h"
#include "termupdate/TermMerge.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace tenvoll {

struct TermLeague {
    std::vector<LeagueEntry> entries;
    std::vector<std::string> teamPaths; // full paths, entry by entry
    std::string leagueFolder;
};

// Reads the settings file. Throws LeagueError for a league without entries,
// without entry 0 (no league folder), or with one file registered twice
// ("..", links and other spellings of one file count as that file).
TermLeague readTermLeague(const std::string& programFolder, const std::string& leagueName);

class TermFileSources : public TermSources {
public:
    explicit TermFileSources(const TermLeague& league) : league_(league) {}

    // Refuses a team file that is missing or whose folder is missing.
    std::string teamFileText(std::size_t team) override;
    std::vector<std::string> listFileLines(const std::string& path) override;
    std::optional<std::string> existingText(const std::string& path) override;
    std::optional<std::string> existingBytes(const std::string& path) override;

    // The team file at `path` is read as `text` (a file the data check of the
    // same run initialises); its bytes on disk are still what the backup keeps.
    void useText(const std::string& path, std::string text);

private:
    const TermLeague& league_;
    std::unordered_map<std::string, std::string> replacedTexts_; // by file identity
};

} // namespace tenvoll
