// The small league fixture and the recording reporter.
#include "SmallLeague.h"

#include "league/Platform.h"
#include "termupdate/TermUpdateSetup.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace tenvoll::test {

void copyTree(const std::string& from, const std::string& to) {
    fs::copy(platform::fsPath(from), platform::fsPath(to),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::vector<std::string> foldersBelow(const std::string& folder) {
    std::vector<std::string> out;
    const fs::path top = platform::fsPath(folder);
    for (const auto& e : fs::recursive_directory_iterator(top))
        if (e.is_directory()) {
            // With '/' on every platform, as the tests spell the folders.
            std::string name = platform::pathText(fs::relative(e.path(), top));
            if constexpr (fs::path::preferred_separator != '/')
                std::replace(name.begin(), name.end(), '\\', '/');
            out.push_back(std::move(name));
        }
    std::sort(out.begin(), out.end());
    return out;
}

SmallLeague::SmallLeague() {
    copyTree(fixture("termupdate_small_league"), folder_.path());
}

TermUpdateInput SmallLeague::inputFor(const std::string& programFolder, long long newTerm) {
    RecordingReporter quiet;
    TermUpdateSetup setup = openTermUpdate(programFolder, quiet);
    auto files = [&](WorkingList list) {
        return workingFilePaths(programFolder, list,
                                setup.fileNames[static_cast<std::size_t>(list)]);
    };
    TermUpdateInput in;
    in.programFolder = programFolder;
    in.leagueName = setup.leagueName;
    in.newTerm = newTerm;
    in.tool = setup.tool;
    in.games = kDefaultGames;
    in.growthFiles = files(WorkingList::Growth);
    in.statisticsFiles = files(WorkingList::Statistics);
    in.newPlayerFiles = files(WorkingList::NewPlayers);
    return in;
}

std::string SmallLeague::expected(std::string_view relative) const {
    return fixture("termupdate_small_league_expected/" + std::string(relative));
}

} // namespace tenvoll::test
