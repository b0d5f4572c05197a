// Advisory folder lock with per-process nesting (see FolderLock.h).
#include "league/FolderLock.h"

#include "league/LeagueError.h"
#include "league/Paths.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tenvoll {

namespace {

struct Holding {
    int fd = -1;
    FolderLock::Mode mode = FolderLock::Mode::Shared;
    int count = 0;
    pid_t owner = 0; // a forked child inherits the table but not the holding
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
    auto path = std::filesystem::weakly_canonical(std::filesystem::path(toNativePath(folder)), ec);
    return ec ? folder : path.string();
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
    if (auto it = reg.find(key); it != reg.end() && it->second.owner != ::getpid()) {
        // Inherited through fork: closing the copy leaves the parent's lock
        // alone (LOCK_UN would release it for both).
        if (it->second.fd >= 0)
            ::close(it->second.fd);
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
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        // A read-only program folder cannot be written by anyone; readers go on.
        if (mode == Mode::Shared && (errno == EACCES || errno == EROFS)) {
            reg[key] = Holding{-1, mode, 1, ::getpid()};
            FolderLock lock;
            lock.key_ = key;
            return lock;
        }
        throw LeagueError("ロックファイルを作成できませんでした。", lockPath);
    }
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(mode == Mode::Exclusive ? 0 : waitMilliseconds);
    while (::flock(fd, operation) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            throwBusy(programFolder);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    reg[key] = Holding{fd, mode, 1, ::getpid()};
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
    if (auto it = reg.find(key_);
        it != reg.end() && it->second.owner == ::getpid() && --it->second.count == 0) {
        if (it->second.fd >= 0) {
            ::flock(it->second.fd, LOCK_UN);
            ::close(it->second.fd);
        }
        reg.erase(it);
    }
    key_.clear();
}

} // namespace tenvoll
