// Opening of the term-update window and its working folders.
#include "termupdate/TermUpdateSetup.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "league/TextCompare.h"

#include <algorithm>

namespace tenvoll {

namespace {

constexpr std::array<std::string_view, 3> kFolders = {"\\temp\\seichou", "\\temp\\seiseki",
                                                      "\\temp\\shinjin"};

// The tool of the league; `missing` (after the message) when the key is absent.
std::optional<ToolVariant> readTool(const Settings& settings, const std::string& league,
                                    TermUpdateReporter& reporter, bool& missing) {
    const IniSection* section = settings.ini().section(league);
    if (section && section->has(kToolKey))
        return parseToolVariant(section->value(kToolKey, toolVariantText(ToolVariant::Standard)));
    reporter.message(std::string(kChooseTool));
    missing = true;
    return {};
}

// Stores the key empty into the settings file as it is now, so that what
// another writer saved meanwhile stays.
void storeEmptyTool(const std::string& programFolder, const std::string& league) {
    updateSettings(programFolder, [&](Settings& current) {
        const IniSection* section = current.ini().section(league);
        if (section && section->has(kToolKey))
            return false;
        current.ini().set(league, kToolKey, "");
        return true;
    });
}

// Adds the entries' names; false (after the message) when a name is met twice.
bool readTeamNames(const Settings& settings, TermUpdateSetup& setup, TermUpdateReporter& reporter) {
    long long count = settings.registryCount(setup.leagueName);
    for (long long i = 0; i < count; ++i) {
        std::vector<std::string> f = settings.entryFields(setup.leagueName, i);
        if (i == 0 && f.size() > 2)
            setup.leagueFolder = folderOf(joinProgramFolder(settings.programFolder(), f[2]));
        for (std::size_t k = 0; k < 2 && k < f.size(); ++k) {
            const std::string& name = f[k];
            bool known =
                std::any_of(setup.teamNames.begin(), setup.teamNames.end(),
                            [&](const std::string& n) { return equalsIgnoreCase(n, name); });
            if (known) {
                reporter.message(name + "は同一のチーム名があります。\n" +
                                 "チーム編成エディタで修正してください。");
                return false;
            }
            setup.teamNames.push_back(name);
        }
    }
    std::stable_sort(
        setup.teamNames.begin(), setup.teamNames.end(),
        [](const std::string& a, const std::string& b) { return compareIgnoreCase(a, b) < 0; });
    return true;
}

} // namespace

std::string workingFolder(const std::string& programFolder, WorkingList list) {
    return joinProgramFolder(programFolder, kFolders[static_cast<std::size_t>(list)]);
}

std::vector<std::string> workingFilePaths(const std::string& programFolder, WorkingList list,
                                          const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    std::string folder = workingFolder(programFolder, list);
    for (const auto& name : names)
        paths.push_back(joinPath(folder, name));
    return paths;
}

TermUpdateSetup openTermUpdate(const std::string& programFolder, TermUpdateReporter& reporter) {
    Settings settings(programFolder);
    settings.load();
    TermUpdateSetup setup;
    setup.leagueName = settings.leagueName();
    if (settings.teamCount(setup.leagueName, 1) != 0) {
        bool toolMissing = false;
        setup.tool = readTool(settings, setup.leagueName, reporter, toolMissing);
        // A registry the window refuses is not written to on the way out.
        if (!readTeamNames(settings, setup, reporter)) {
            setup.closeWindow = true;
            return setup;
        }
        if (toolMissing)
            storeEmptyTool(programFolder, setup.leagueName);
    }
    for (WorkingList list : kWorkingLists) {
        std::string folder = workingFolder(programFolder, list);
        if (!folderExists(folder))
            createFolders(folder);
        setup.fileNames[static_cast<std::size_t>(list)] = listFileNames(folder);
    }
    return setup;
}

std::vector<std::string> workingFileNames(const std::string& programFolder, WorkingList list) {
    const std::string folder = workingFolder(programFolder, list);
    return folderExists(folder) ? listFileNames(folder) : std::vector<std::string>{};
}

std::string teamCountLabel(std::size_t n) {
    return "一、二軍合計" + std::to_string(n) + "チーム";
}

std::string addToWorkingFolder(const std::string& programFolder, WorkingList list,
                               const std::string& source) {
    std::string target = joinPath(workingFolder(programFolder, list), fileNameOf(source));
    copyFileReplacing(source, target);
    return target + "を追加しました。";
}

DeleteOutcome deleteFromWorkingFolder(const std::string& programFolder, WorkingList list,
                                      const std::string& name) {
    std::string path = joinPath(workingFolder(programFolder, list), name);
    if (!fileExists(path))
        return {true, path + std::string(kAlreadyGone)};
    if (!removeFile(path))
        return {false, std::string(kDeleteFailed)};
    return {true, path + "を削除しました。"};
}

std::string listHint(WorkingList list) {
    return list == WorkingList::Statistics ? "ボルタナでテキスト保存したファイルです。"
                                           : "機構ごとのデータのついたファイルです。";
}

} // namespace tenvoll
