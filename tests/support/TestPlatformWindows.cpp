// The tests' system calls on Windows: CreateProcessW of this program's own
// file (its command line quoted by the platform layer), GetProcessHandleCount.
#include "support/TestPlatform.h"

#include "league/Platform.h"

#include <windows.h>

namespace tenvoll::test {

struct StartedProcess {
    HANDLE process = nullptr;
};

StartedProcess* startThisProgram(const std::vector<std::string>& args) {
    std::vector<std::string> all{platform::runningProgramPath()};
    if (all.front().empty())
        return nullptr;
    all.insert(all.end(), args.begin(), args.end());
    std::wstring line = platform::windowsCommandLine(all);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(platform::fsPath(all.front()).c_str(), line.data(), nullptr, nullptr,
                          FALSE, 0, nullptr, nullptr, &startup, &info))
        return nullptr;
    ::CloseHandle(info.hThread);
    return new StartedProcess{info.hProcess};
}

bool hasEnded(StartedProcess& process) {
    return ::WaitForSingleObject(process.process, 0) == WAIT_OBJECT_0;
}

int waitForEnd(StartedProcess* process) {
    if (process == nullptr)
        return -1;
    ::WaitForSingleObject(process->process, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process->process, &code);
    ::CloseHandle(process->process);
    delete process;
    return static_cast<int>(code);
}

namespace {
std::vector<HANDLE>& holds() {
    static std::vector<HANDLE> h;
    return h;
}
} // namespace

bool holdExclusively(const std::string& path) {
    HANDLE h = ::CreateFileW(platform::fsPath(path).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    holds().push_back(h);
    return true;
}

void releaseHolds() {
    for (HANDLE h : holds())
        ::CloseHandle(h);
    holds().clear();
}

long openFileCount() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return static_cast<long>(count);
}

} // namespace tenvoll::test
