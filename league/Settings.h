// The settings file "\Tenvoll.ini" of the program folder: the panes' team
// files, the current league, the highlight colours and the league registry
// (one section per league with its team entries).
#pragma once

#include "league/Colours.h"
#include "league/IniStore.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kSettingsFileName = "\\Tenvoll.ini";
inline constexpr std::string_view kMainSection = "Main";
inline constexpr std::string_view kDefaultLeagueName = "ボルタナ選手名鑑";
inline constexpr std::string_view kTeam1Key = "Team1"; // the Top pane's file
inline constexpr std::string_view kTeam2Key = "Team2"; // the Bottom pane's file
inline constexpr std::string_view kUpBackgroundKey = "Up背景色";
inline constexpr std::string_view kUpTextKey = "Upフォント色";
inline constexpr std::string_view kDownBackgroundKey = "Down背景色";
inline constexpr std::string_view kDownTextKey = "Downフォント色";
inline constexpr std::string_view kLeagueNameKey = "機構名";
inline constexpr std::string_view kTeamCountKey = "チーム数";
inline constexpr std::string_view kTeamEntryKey = "チーム名";
// "標準" or "Mirel": in a league's section, and in the sections of its team files.
inline constexpr std::string_view kToolKey = "ツール";

// The four highlight colours, in settings order.
struct HighlightColours {
    ColourValue upBackground = 0x0000FF;   // clRed
    ColourValue upText = 0xFFFFFF;         // clWhite
    ColourValue downBackground = 0xFF0000; // clBlue
    ColourValue downText = 0xFFFFFF;       // clWhite
};

// One registered team: first-team name, farm-team name, stored path of its file.
struct LeagueEntry {
    std::string firstTeam;
    std::string farmTeam;
    std::string path;
};

class Settings {
public:
    explicit Settings(std::string programFolder);

    // The settings file of `programFolder` as it is on disk now (other windows
    // and programs write it too). Throws LeagueError like load().
    static Settings loadFrom(std::string programFolder);

    // Reads the file; a missing file reads as an empty one. Throws LeagueError
    // for a file that exists but cannot be read or decoded.
    void load();
    // Writes the whole file atomically; throws LeagueError.
    void save() const;

    const std::string& programFolder() const { return programFolder_; }
    std::string filePath() const;
    IniStore& ini() { return ini_; }
    const IniStore& ini() const { return ini_; }

    // "Main" values as stored.
    std::string team1() const { return ini_.value(kMainSection, kTeam1Key); }
    std::string team2() const { return ini_.value(kMainSection, kTeam2Key); }
    std::string leagueName() const;
    // The colours; a key missing or not readable takes its default.
    HighlightColours colours() const;

    // Full paths of the stored "Team1"/"Team2" values (empty stays empty).
    std::string fullPath(std::string_view stored) const;

    // Writes "Team1"/"Team2" as given (full or relative), the league name and
    // the colours as names into "Main".
    void setMain(std::string_view team1, std::string_view team2, std::string_view leagueName);
    void setColours(const HighlightColours& colours);

    // Registry of a league.
    long long teamCount(std::string_view league, long long fallback = 0) const;
    // How many entry indexes a loop over the registry visits: "チーム数"
    // bounded by the entries present (0 .. highest "チーム名" index + 1), never
    // negative. Every loop over the registry uses this, so a damaged count
    // (2147483647) cannot stall the program.
    long long registryCount(std::string_view league, long long fallback = 0) const;
    // Fields of entry "チーム名" + index; empty when missing.
    std::vector<std::string> entryFields(std::string_view league, long long index) const;
    // Entries 0 .. "チーム数" − 1 with at least three fields, in registry order.
    std::vector<LeagueEntry> entries(std::string_view league) const;
    // Menu captions of the team menus: entries "チーム名" + n for n from
    // "チーム数" − 1 down to 0 (only 0 when the count is 0) with more than two
    // fields, listed in ascending index order.
    std::vector<std::string> teamMenuPaths(std::string_view league) const;
    // One past the highest index n of the keys "チーム名" + n present in the
    // league's section: loops over "チーム数" stop there, so a damaged count
    // cannot stall them on look-ups that all fail.
    long long entryIndexEnd(std::string_view league) const;
    // The key of entry `index`: "チーム名" + index in plain decimal.
    static std::string entryKey(long long index);
    // Folder of the league's first team file (entry 0); empty when there is none.
    std::string leagueFolder(std::string_view league) const;

private:
    std::string programFolder_;
    IniStore ini_;
};

// Changes the settings file as it is on disk now: read afresh under the
// program folder's exclusive lock, `edit` changes only its own keys and says
// whether it changed anything; the file is saved only then. A file that cannot
// be read is never written (LeagueError). Returns the file as it is afterwards.
Settings updateSettings(const std::string& programFolder,
                        const std::function<bool(Settings&)>& edit);

// What the main window records at close: the panes' files (stored paths),
// the current league and the highlight colours.
struct SessionSettings {
    std::string team1;
    std::string team2;
    std::string leagueName;
    HighlightColours colours;
};

// Writes the session's keys into "Main" of the settings file as it is on disk,
// read afresh under the program folder's exclusive lock: what other writers
// saved meanwhile (the registry, other leagues) stays byte for byte. Returns
// the file as saved. Throws LeagueError (the file is then unchanged).
Settings saveSession(const std::string& programFolder, const SessionSettings& session);

} // namespace tenvoll
