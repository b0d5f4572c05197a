// The folder the web pages go to. Every page is written whole to a temporary
// file beside it and renamed over the old page, so an interrupted run leaves
// each page either old or new. The folder must not be, lie in or hold a league
// folder, and a folder that already holds other files is only used when an
// earlier run wrote it (it then holds the list of the pages it wrote); pages of
// that list that this run does not write again are removed at the end.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll::report {

// The list of the written pages, in the output folder.
inline constexpr std::string_view kPageListName = ".tenvoll-report";

class SiteFolder {
public:
    // Creates the folder when it does not exist. Throws LeagueError when it is,
    // lies inside or contains one of `protectedFolders`, or holds files and no
    // page list.
    SiteFolder(const std::string& folder, const std::vector<std::string>& protectedFolders);

    const std::string& folder() const { return folder_; }

    // Writes a page at `relativePath` ("teams/01-x.html": "/" separated, each
    // part a safe file name). Throws LeagueError.
    void write(const std::string& relativePath, std::string_view bytes);

    // Writes the page list; when `complete`, first removes the pages of the
    // previous list that were not written this time.
    void finish(bool complete);

    std::size_t filesWritten() const { return written_.size(); }
    std::size_t bytesWritten() const { return bytes_; }

private:
    std::string folder_;
    std::set<std::string> previous_;
    std::set<std::string> written_;
    std::set<std::string> madeFolders_;
    std::size_t bytes_ = 0;
};

} // namespace tenvoll::report
