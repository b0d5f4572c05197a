// Folders a commit creates for its files: removed again (when empty) unless
// the commit succeeds; recovery removes them after a crash.
#pragma once

#include <string>
#include <vector>

namespace tenvoll {

class CreatedFolders {
public:
    CreatedFolders() = default;
    CreatedFolders(const CreatedFolders&) = delete;
    CreatedFolders& operator=(const CreatedFolders&) = delete;
    ~CreatedFolders();

    // Creates `path` and every missing folder above it, remembering each.
    void ensure(const std::string& path);
    // The commit succeeded: the folders stay.
    void keep() { kept_ = true; }
    const std::vector<std::string>& created() const { return created_; }

private:
    std::vector<std::string> created_;
    bool kept_ = false;
};

} // namespace tenvoll
