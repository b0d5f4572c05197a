// The tests' system calls on POSIX: posix_spawn of /proc/self/exe, waitpid,
// the entries of /proc/self/fd.
#include "support/TestPlatform.h"

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tenvoll::test {

struct StartedProcess {
    pid_t pid = -1;
    int status = 0;
    bool ended = false;
};

namespace {

int exitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

StartedProcess* startThisProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    auto* process = new StartedProcess;
    if (::posix_spawn(&process->pid, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        delete process;
        return nullptr;
    }
    return process;
}

bool hasEnded(StartedProcess& process) {
    if (!process.ended && ::waitpid(process.pid, &process.status, WNOHANG) == process.pid)
        process.ended = true;
    return process.ended;
}

int waitForEnd(StartedProcess* process) {
    if (process == nullptr)
        return -1;
    while (!process->ended && ::waitpid(process->pid, &process->status, 0) < 0 && errno == EINTR) {
    }
    process->ended = true;
    const int status = exitStatus(process->status);
    delete process;
    return status;
}

bool holdExclusively(const std::string&) {
    return false;
}
void releaseHolds() {}

long openFileCount() {
    return static_cast<long>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator()));
}

} // namespace tenvoll::test
