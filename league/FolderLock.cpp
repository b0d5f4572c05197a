// Advisory folder lock with per-process nesting (see FolderLock.h).
#include "league/FolderLock.h"

#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace tenvoll {

namespace {

struct Holding {
    platform::FileHandle fd = platform::kNoFile;
    FolderLock::Mode mode = FolderLock::Mode::Shared;
    int count = 0;
    long owner = 0; // a forked child inherits the table but not the holding
};

std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::map<std::string, Holding>& registry() {
    static std::map<std::string, Holding> r;
    return r;
}

std::string normalisedFolder(const std::string& folder) {
    std::error_code ec;
    auto path = std::filesystem::weakly_canonical(platform::fsPath(toNativePath(folder)), ec);
    return ec ? folder : platform::pathText(path);
}

[[noreturn]] void throwBusy(const std::string& folder) {
    throw LeagueError(
        "他の操作がリーグのファイルを更新中です。終わってからもう一度実行してください。",
        "ロック: " + joinPath(folder, kFolderLockFileName));
}

} // namespace

FolderLock FolderLock::acquire(const std::string& programFolder, Mode mode, int waitMilliseconds) {
    const std::string key = normalisedFolder(programFolder);
    std::lock_guard guard(registryMutex());
    auto& reg = registry();
    if (auto it = reg.find(key);
        it != reg.end() && it->second.owner != platform::currentProcessId()) {
        // Inherited through fork: closing the copy leaves the parent's lock
        // alone (LOCK_UN would release it for both).
        if (it->second.fd != platform::kNoFile)
            platform::closeFile(it->second.fd);
        reg.erase(it);
    }
    if (auto it = reg.find(key); it != reg.end()) {
        Holding& h = it->second;
        if (h.mode == Mode::Exclusive || mode == Mode::Shared) {
            ++h.count;
            FolderLock lock;
            lock.key_ = key;
            return lock;
        }
        throwBusy(programFolder);
    }

    const std::string lockPath = joinPath(key, kFolderLockFileName);
    platform::FileHandle fd = platform::openFile(lockPath, platform::OpenMode::ReadWriteShare);
    if (fd == platform::kNoFile) {
        // A read-only program folder cannot be written by anyone; readers go on.
        if (mode == Mode::Shared && (errno == EACCES || errno == EROFS)) {
            reg[key] = Holding{platform::kNoFile, mode, 1, platform::currentProcessId()};
            FolderLock lock;
            lock.key_ = key;
            return lock;
        }
        throw LeagueError("ロックファイルを作成できませんでした。", lockPath);
    }
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(mode == Mode::Exclusive ? 0 : waitMilliseconds);
    while (platform::lockFile(fd, mode == Mode::Exclusive) != 0) {
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            platform::closeFile(fd);
            throwBusy(programFolder);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    reg[key] = Holding{fd, mode, 1, platform::currentProcessId()};
    FolderLock lock;
    lock.key_ = key;
    return lock;
}

FolderLock::FolderLock(FolderLock&& other) noexcept : key_(std::move(other.key_)) {
    other.key_.clear();
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        key_ = std::move(other.key_);
        other.key_.clear();
    }
    return *this;
}

FolderLock::~FolderLock() {
    release();
}

void FolderLock::release() {
    if (key_.empty())
        return;
    std::lock_guard guard(registryMutex());
    auto& reg = registry();
    if (auto it = reg.find(key_); it != reg.end() &&
                                  it->second.owner == platform::currentProcessId() &&
                                  --it->second.count == 0) {
        if (it->second.fd != platform::kNoFile) {
            platform::unlockFile(it->second.fd);
            platform::closeFile(it->second.fd);
        }
        reg.erase(it);
    }
    key_.clear();
}

} // namespace tenvoll
