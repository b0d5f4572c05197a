// One writer at a time on a program folder. Every operation that writes league
// files holds the exclusive lock for its whole run; readers hold the shared lock
// while they read, so they never see a half-renamed league. The lock is an
// advisory flock on a small file in the program folder, so it covers the desktop
// program and the batch tool alike and disappears with a crashed process.
//
// Inside one process the lock nests: while this process holds the exclusive
// lock, further shared or exclusive requests on the same folder succeed (an
// operation that writes may call readers); a shared holder asking for the
// exclusive lock is refused like a second writer.
#pragma once

#include <string>

namespace tenvoll {

inline constexpr const char* kFolderLockFileName = ".tenvoll.lock";

class FolderLock {
public:
    enum class Mode { Shared, Exclusive };

    // Exclusive: taken at once or LeagueError ("他の操作がリーグのファイルを更新中です。…").
    // Shared: waits up to `waitMilliseconds` for a writer to finish, then LeagueError.
    static FolderLock acquire(const std::string& programFolder, Mode mode,
                              int waitMilliseconds = 10000);

    FolderLock() = default;
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    bool held() const { return !key_.empty(); }
    void release();

private:
    std::string key_; // normalised folder; empty when not held
};

} // namespace tenvoll
