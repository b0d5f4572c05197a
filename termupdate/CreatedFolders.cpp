// Folders a commit creates, undone unless it succeeds.
#include "termupdate/CreatedFolders.h"

#include "league/FileAccess.h"
#include "league/Paths.h"
#include "league/Platform.h"

#include <filesystem>

namespace tenvoll {

CreatedFolders::~CreatedFolders() {
    if (kept_)
        return;
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        std::error_code ec;
        std::filesystem::remove(platform::fsPath(resolvePath(*it)), ec);
    }
}

void CreatedFolders::ensure(const std::string& path) {
    if (path.empty() || folderExists(path))
        return;
    std::string parent = folderOf(path);
    if (!parent.empty() && parent != path)
        ensure(parent);
    createFolders(path);
    created_.push_back(path);
}

} // namespace tenvoll
