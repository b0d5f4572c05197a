// The platform layer on POSIX systems (Linux): file descriptors, fsync,
// rename, flock, stat, kill and exec.
#include "league/Platform.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tenvoll::platform {

std::filesystem::path fsPath(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

FileHandle openFile(const std::string& path, OpenMode mode) {
    switch (mode) {
    case OpenMode::Read:
        // O_NONBLOCK keeps the open itself from waiting on a FIFO.
        return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    case OpenMode::CreateNew:
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    case OpenMode::CreateReplace:
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    case OpenMode::ReadWriteShare:
        return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    case OpenMode::Flush:
        return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    errno = EINVAL;
    return kNoFile;
}

int closeFile(FileHandle file) {
    return ::close(static_cast<int>(file));
}

int fileInfo(FileHandle file, FileInfo& info) {
    struct stat st;
    if (::fstat(static_cast<int>(file), &st) != 0)
        return -1;
    info.regular = S_ISREG(st.st_mode);
    info.size = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

std::intptr_t readFile(FileHandle file, char* buffer, std::size_t size) {
    while (true) {
        ssize_t n = ::read(static_cast<int>(file), buffer, size);
        if (n < 0 && errno == EINTR)
            continue;
        return n;
    }
}

int writeFile(FileHandle file, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(static_cast<int>(file), p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

int flushFile(FileHandle file) {
    return ::fsync(static_cast<int>(file));
}

void copyPermissions(const std::string& model, FileHandle file) {
    struct stat st;
    if (::stat(model.c_str(), &st) == 0)
        ::fchmod(static_cast<int>(file), st.st_mode & 07777);
}

int replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int deleteFile(const std::string& path) {
    return ::unlink(path.c_str());
}

int linkFile(const std::string& existing, const std::string& newName) {
    return ::link(existing.c_str(), newName.c_str());
}

int flushFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    int result = ::fsync(fd);
    int err = errno;
    ::close(fd);
    if (result != 0 && (err == EINVAL || err == ENOTSUP))
        return 0; // the file system has nothing to flush for folders
    errno = err;
    return result;
}

bool pathExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool existsAsSpelled(const std::string& path) {
    return pathExists(path); // the file system tells letter cases apart
}

bool entryExists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool fileIdentity(const std::string& path, std::string& identity) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    identity = "#" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    return true;
}

bool modificationTime(const std::string& path, std::int64_t& time) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    time = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

int lockFile(FileHandle file, bool exclusive) {
    while (true) {
        if (::flock(static_cast<int>(file), (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0)
            return 0;
        if (errno != EINTR)
            return -1;
    }
}

void unlockFile(FileHandle file) {
    ::flock(static_cast<int>(file), LOCK_UN);
}

long currentProcessId() {
    return static_cast<long>(::getpid());
}

std::string runningProgramPath() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : pathText(self);
}

int runProgramInPlace(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return -1;
}

bool processGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

std::string localDateTimeText(std::int64_t secondsSinceEpoch) {
    std::time_t now = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&now, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

int errorNumberOf(const std::error_code& ec) {
    return ec.value();
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useUtf8Console() {}

void useParentConsole() {}

} // namespace tenvoll::platform
