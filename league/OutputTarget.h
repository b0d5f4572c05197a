// The one check every output of the program (CSV files, charts, the league
// export, screenshots) makes before it writes: an output never replaces a
// file the league keeps.
#pragma once

#include "league/IniStore.h"

#include <string>
#include <string_view>

namespace tenvoll {

// The folders of a league folder that hold the league's own files.
inline constexpr std::string_view kDataFolderName = "データ";
inline constexpr std::string_view kBackupFolderName = "バックアップ";

inline constexpr std::string_view kLeagueFileTargetMessage =
    "リーグのファイルには出力できません。別のファイル名を指定してください。";

// Throws LeagueError (kLeagueFileTargetMessage, the path as detail) when
// `outputPath` names, by any spelling (letter case, "..", a link), the
// settings file, a team file registered in any league or its ".tvl", a
// league folder's seiseki.ini, or anything inside a league folder's "データ"
// or "バックアップ" folder. `settings` is the settings file's content.
void checkOutputTarget(const std::string& programFolder, const IniStore& settings,
                       const std::string& outputPath);
// The same, reading the settings file (a settings file that cannot be read
// refuses every output: the league's files are then unknown).
void checkOutputTarget(const std::string& programFolder, const std::string& outputPath);

} // namespace tenvoll
