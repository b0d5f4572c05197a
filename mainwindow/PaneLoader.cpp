// Loading a pane's team file.
#include "mainwindow/PaneLoader.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/StatsMarksFile.h"
#include "league/TeamFile.h"
#include "league/TeamFileConversion.h"

namespace tenvoll {

PaneLoad loadPane(const std::string& path, bool markLeagueStatistics) {
    PaneLoad load;
    if (path.empty() || !entryPresent(path)) {
        load.messages.push_back({"ファイルが存在しません！", path});
        return load;
    }
    load.folder = paneLeagueFolder(path);
    try {
        load.store = IniStore::load(path);
        if (!isTeamFile(load.store)) {
            load.messages.push_back({"旧形式のファイルです。", path, false});
            convertOldFile(path, ConversionMode::Team);
            load.store = IniStore::load(path);
        }
    } catch (const LeagueError& e) {
        load.messages.push_back({e.what(), e.detail()});
        load.store.clear();
        return load;
    }
    load.teamName = teamDisplayName(load.store);
    load.content = filledPane(load.store, load.folder, markLeagueStatistics, load.messages);
    load.summary = teamSummary(load.content);
    load.loaded = true;
    return load;
}

std::string paneLeagueFolder(const std::string& path) {
    return folderOf(resolvePath(path));
}

PaneContent filledPane(const IniStore& store, const std::string& leagueFolder,
                       bool markLeagueStatistics, std::vector<UserMessage>& messages) {
    PaneContent content = fillPane(store);
    if (!markLeagueStatistics)
        return content;
    try {
        if (auto marks = StatsMarksFile::loadKept(leagueFolder))
            markStatistics(content, *marks);
    } catch (const LeagueError& e) {
        messages.push_back({"成績の基準ファイル (seiseki.ini) を読み込めませんでした。", e.what()});
    }
    return content;
}

void comparePanes(PaneContent& top, const std::string& topPath, const IniStore& topStore,
                  PaneContent& bottom, const std::string& bottomPath, const IniStore& bottomStore) {
    if (!isSameTeamPair(topPath, bottomPath))
        return;
    markPlayersMissingFrom(top, topPath, bottomStore);
    markPlayersMissingFrom(bottom, bottomPath, topStore);
}

} // namespace tenvoll
