// The term update's inputs on disk: registry, team files, list files and the
// output files that exist already.
#include "termupdate/TermReading.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/TextCodec.h"

namespace tenvoll {

TermLeague readTermLeague(const std::string& programFolder, const std::string& leagueName) {
    Settings settings(programFolder);
    settings.load();
    TermLeague league;
    league.entries = settings.entries(leagueName);
    if (league.entries.empty())
        throw LeagueError("機構「" + leagueName + "」にチームが登録されていません。");
    league.leagueFolder = settings.leagueFolder(leagueName);
    if (league.leagueFolder.empty())
        throw LeagueError("機構「" + leagueName +
                          "」の1番目のチーム (チーム名0) が登録されていないため、"
                          "リーグのフォルダが分かりません。");
    std::unordered_map<std::string, std::string> seen;
    for (const auto& e : league.entries) {
        std::string path = joinProgramFolder(programFolder, e.path);
        // Two teams writing one file would lose the first team's players.
        auto [it, fresh] = seen.try_emplace(fileIdentity(path), e.firstTeam);
        if (!fresh)
            throw LeagueError("同じチームファイルが二つのチームに登録されています: " + path,
                              it->second + "、" + e.firstTeam);
        league.teamPaths.push_back(path);
    }
    return league;
}

void TermFileSources::useText(const std::string& path, std::string text) {
    replacedTexts_[fileIdentity(path)] = std::move(text);
}

std::string TermFileSources::teamFileText(std::size_t team) {
    const std::string& path = league_.teamPaths[team];
    const std::string& name = league_.entries[team].firstTeam;
    if (!folderExists(folderOf(path)))
        throw LeagueError("チームファイルのフォルダがありません: " + folderOf(path), name);
    if (!entryPresent(path))
        throw LeagueError("チームファイルがありません: " + path, name);
    std::string text = readTextFile(path); // refused as any team file would be
    // Each team file is asked for once (the registry names no file twice).
    auto replaced = replacedTexts_.find(fileIdentity(path));
    return replaced != replacedTexts_.end() ? std::move(replaced->second) : text;
}

std::vector<std::string> TermFileSources::listFileLines(const std::string& path) {
    return readTextLines(path);
}

std::optional<std::string> TermFileSources::existingText(const std::string& path) {
    if (!entryPresent(path))
        return std::nullopt;
    return readTextFile(path);
}

std::optional<std::string> TermFileSources::existingBytes(const std::string& path) {
    if (!entryPresent(path))
        return std::nullopt;
    return readFileBytes(path);
}

} // namespace tenvoll
