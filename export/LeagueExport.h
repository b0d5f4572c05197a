// The league export: up to six export slots, each naming a team file and
// whether its latest data (the next-season copy) or the data of the term
// before (the team file itself) is written, and the one text file in the
// game's team layout built from them — every slot's first team in slot order,
// then every slot's farm team.
#pragma once

#include "league/IniStore.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr int kExportSlotCount = 6;

struct ExportSlot {
    std::string path;     // stored path of the team file ("\..."); empty while unassigned
    bool latest = false;  // set: the next-season copy; clear: the team file, one term before
    std::string teamName; // first-team name of the assigned team, for messages
    bool assigned() const { return !path.empty(); }
};

// Slot N (1 to 6) is element N − 1.
using ExportSlots = std::array<ExportSlot, kExportSlotCount>;

// Full path of the file a slot reads: the next-season copy for latest data,
// otherwise the team file.
std::string exportSourcePath(const std::string& programFolder, const ExportSlot& slot);

// True when the next-season copy of a stored team path exists.
bool nextSeasonCopyExists(const std::string& programFolder, std::string_view storedPath);

// The game line of roster entry `entry` ("P 名前") of a loaded team store: the
// player's ability and aptitude texts of his last term (latest) or the term
// before it, "データなし" for a missing part, joined by " ; ", with the
// entry's position code as the first character. Empty when the entry has
// fewer than two fields.
std::string exportPlayerLine(const IniStore& store, std::string_view entry, bool latest);

// One team block (half 0: first team, slots 0-27; half 1: farm team, 28-55).
std::vector<std::string> exportTeamBlock(const IniStore& store, int half, bool latest);

struct LeagueExportFile {
    std::vector<std::string> lines;   // UTF-8, without line ends
    std::vector<std::string> leftOut; // team names of assigned slots whose file was missing
    int assignedSlots = 0;
    int exportedSlots = 0;
};

// Reads the assigned slots' files under the shared folder lock and builds the
// file in memory. A slot whose file is missing is left out (and named in
// `leftOut`). Throws LeagueError for a lock that cannot be had or a file that
// cannot be read.
LeagueExportFile buildLeagueExport(const std::string& programFolder,
                                   const ExportSlots& exportSlots);

// Writes the lines as cp932 with CR LF, atomically. Throws LeagueError.
void writeLeagueExport(const std::string& outputPath, const LeagueExportFile& file);

inline constexpr std::string_view kNoSlotMessage =
    "選択されたチームはありませんでした。\nデータのエクスポートに失敗しました！";
inline constexpr std::string_view kExportDoneMessage = "データエクスポート終了！";
inline constexpr std::string_view kExportNotSavedMessage = "保存されませんでした";
inline constexpr std::string_view kNoDataText = "データなし";

// The note naming the teams left out ("" when none).
std::string leftOutNote(const std::vector<std::string>& teamNames);
// "データエクスポート終了！", followed by the left-out note on its own line.
// (Line breaks inside messages are "\n".)
std::string exportDoneMessage(const LeagueExportFile& file);
// The failure when every assigned slot's file was missing.
std::string nothingFoundMessage(const LeagueExportFile& file);

} // namespace tenvoll
