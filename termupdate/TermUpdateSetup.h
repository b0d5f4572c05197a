// What the term-update window ("最新データの追加") does before the run: reading
// the league (team names, league folder, tool), the three working folders and
// their files, and the drops and deletions on its file lists.
#pragma once

#include "league/GameRules.h"
#include "termupdate/Reporter.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// The window's three file lists and the working folders under the program folder.
enum class WorkingList { Growth = 0, Statistics = 1, NewPlayers = 2 };
inline constexpr std::array<WorkingList, 3> kWorkingLists = {
    WorkingList::Growth, WorkingList::Statistics, WorkingList::NewPlayers};
std::string workingFolder(const std::string& programFolder, WorkingList list);
// Full paths of file names of one working folder, in the given order.
std::vector<std::string> workingFilePaths(const std::string& programFolder, WorkingList list,
                                          const std::vector<std::string>& names);

struct TermUpdateSetup {
    std::string leagueName;
    std::string leagueFolder;           // folder of entry 0's team file (the list's tooltip)
    std::vector<std::string> teamNames; // first- and farm-team names, sorted
    std::optional<ToolVariant> tool;    // none: no item selected
    // File names directly in each working folder, sorted, indexed by WorkingList.
    std::array<std::vector<std::string>, 3> fileNames;
    // A duplicate team name was met: its message was shown and the window closes.
    bool closeWindow = false;
};

// The window's opening: reloads the settings, reads the league's tool (a league
// without "ツール" gets the message "利用ツールを選択してください。" and the key is
// stored empty), the team names and the league folder, then creates the
// working folders and lists their files. Throws LeagueError when the settings
// file cannot be read or written.
TermUpdateSetup openTermUpdate(const std::string& programFolder, TermUpdateReporter& reporter);

// "一、二軍合計" + n + "チーム".
std::string teamCountLabel(std::size_t n);

// A file dropped on a list: copied into the list's working folder under its own
// name (replacing a file of that name). Returns the status text.
std::string addToWorkingFolder(const std::string& programFolder, WorkingList list,
                               const std::string& source);
// The file names directly in one working folder, sorted (none when the folder
// is gone).
std::vector<std::string> workingFileNames(const std::string& programFolder, WorkingList list);

// "ファイルを削除" of one entry: the status text, and whether the entry leaves the
// list: when its file was deleted, or was gone already (removed outside the
// program, or the entry was listed twice).
struct DeleteOutcome {
    bool deleted = false;
    std::string status;
};
DeleteOutcome deleteFromWorkingFolder(const std::string& programFolder, WorkingList list,
                                      const std::string& name);

// The status shown when a list is clicked.
std::string listHint(WorkingList list);

inline constexpr std::string_view kChooseTool = "利用ツールを選択してください。";
inline constexpr std::string_view kOneFileAtATime = "ファイルは一個ごとに処理してください！";
inline constexpr std::string_view kDeleteFailed = "削除失敗しました。";
inline constexpr std::string_view kAlreadyGone = "はすでにありません。一覧から外しました。";

} // namespace tenvoll
