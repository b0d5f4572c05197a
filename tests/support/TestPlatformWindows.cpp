// The tests' system calls on Windows: CreateProcessW of this program's own
// file with a command line quoted the way CommandLineToArgvW reads it back,
// GetProcessHandleCount.
#include "support/TestPlatform.h"

#include <windows.h>

namespace tenvoll::test {

struct StartedProcess {
    HANDLE process = nullptr;
};

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

// One argument quoted: backslashes are literal except before a quote.
void appendQuoted(std::wstring& line, const std::wstring& arg) {
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

} // namespace

StartedProcess* startThisProgram(const std::vector<std::string>& args) {
    std::wstring self(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, self.data(), DWORD(self.size()));
    if (length == 0 || length >= self.size())
        return nullptr;
    self.resize(length);
    std::wstring line;
    appendQuoted(line, self);
    for (const std::string& a : args) {
        line += L' ';
        appendQuoted(line, wide(a));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(self.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
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
    HANDLE h = ::CreateFileW(wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
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
