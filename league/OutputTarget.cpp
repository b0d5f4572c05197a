// Refusing outputs that would replace a league file.
#include "league/OutputTarget.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "league/StatsMarksFile.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace tenvoll {

namespace {

// The target and every folder above it, as identities: a protected folder
// matches one of them when the target lies inside it.
std::vector<std::string> identitiesUpFrom(const std::string& path) {
    std::vector<std::string> out;
    std::filesystem::path p =
        std::filesystem::absolute(platform::fsPath(toNativePath(path))).lexically_normal();
    while (true) {
        out.push_back(fileIdentity(platform::pathText(p)));
        if (!p.has_relative_path())
            break;
        p = p.parent_path();
    }
    return out;
}

} // namespace

void checkOutputTarget(const std::string& programFolder, const IniStore& settings,
                       const std::string& outputPath) {
    const std::vector<std::string> target = identitiesUpFrom(outputPath);
    auto refuseFile = [&](const std::string& path) {
        if (fileIdentity(path) == target.front())
            throw LeagueError(std::string(kLeagueFileTargetMessage), outputPath);
    };
    auto refuseInside = [&](const std::string& folder) {
        const std::string id = fileIdentity(folder);
        if (std::find(target.begin() + 1, target.end(), id) != target.end())
            throw LeagueError(std::string(kLeagueFileTargetMessage), outputPath);
    };
    refuseFile(joinProgramFolder(programFolder, kSettingsFileName));
    Settings registry(programFolder);
    registry.ini() = settings;
    for (const std::string& league : settings.sectionNames()) {
        if (equalsIgnoreCase(league, kMainSection))
            continue;
        for (const LeagueEntry& entry : registry.entries(league))
            for (const std::string& stored : {entry.path, nextSeasonCopyPath(entry.path)})
                refuseFile(joinProgramFolder(programFolder, stored));
        const std::string folder = registry.leagueFolder(league);
        if (folder.empty())
            continue;
        refuseFile(joinPath(folder, std::string(kStatsMarksFileName)));
        refuseInside(joinPath(folder, std::string(kDataFolderName)));
        refuseInside(joinPath(folder, std::string(kBackupFolderName)));
    }
}

void checkOutputTarget(const std::string& programFolder, const std::string& outputPath) {
    Settings settings(programFolder);
    settings.load();
    checkOutputTarget(programFolder, settings.ini(), outputPath);
}

} // namespace tenvoll
