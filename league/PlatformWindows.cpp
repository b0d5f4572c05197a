// The platform layer on Windows: wide (UTF-16) file APIs, FlushFileBuffers,
// MoveFileExW, LockFileEx, file indexes, process handles and CreateProcessW.
// The system's error codes are mapped to the errno values of the same meaning.
#include "league/Platform.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <thread>

#include <windows.h>

#include <shellapi.h>

namespace tenvoll::platform {

namespace {

std::wstring wide(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                          nullptr, nullptr);
    return out;
}

int errnoOf(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return EIO;
    default:
        return kUnmappedErrorBase + static_cast<int>(code);
    }
}

// Leaves the last system error in errno and returns −1.
int failed() {
    errno = errnoOf(::GetLastError());
    return -1;
}

HANDLE handleOf(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

bool heldByAnother(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           code == ERROR_ACCESS_DENIED;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

std::filesystem::path fsPath(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string pathText(const std::filesystem::path& path) {
    return narrow(path.native());
}

FileHandle openFile(const std::string& path, OpenMode mode) {
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
    case OpenMode::Read:
        break;
    case OpenMode::CreateNew:
        access = GENERIC_WRITE;
        disposition = CREATE_NEW;
        break;
    case OpenMode::CreateReplace:
        access = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    case OpenMode::ReadWriteShare:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
        break;
    case OpenMode::Flush:
        access = GENERIC_WRITE; // FlushFileBuffers needs write access
        break;
    }
    // Other programs may read, write and rename the file meanwhile, as on POSIX;
    // the handle is binary by nature and not inherited.
    HANDLE h = ::CreateFileW(wide(path).c_str(), access, kShareAll, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        failed();
        return kNoFile;
    }
    return reinterpret_cast<FileHandle>(h);
}

int closeFile(FileHandle file) {
    return ::CloseHandle(handleOf(file)) ? 0 : failed();
}

int fileInfo(FileHandle file, FileInfo& info) {
    BY_HANDLE_FILE_INFORMATION data;
    if (::GetFileType(handleOf(file)) != FILE_TYPE_DISK)
        return info.regular = false, 0;
    if (!::GetFileInformationByHandle(handleOf(file), &data))
        return failed();
    info.regular = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    info.size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return 0;
}

std::intptr_t readFile(FileHandle file, char* buffer, std::size_t size) {
    DWORD got = 0;
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(handleOf(file), buffer, ask, &got, nullptr))
        return failed();
    return static_cast<std::intptr_t>(got);
}

int writeFile(FileHandle file, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        DWORD done = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
        if (!::WriteFile(handleOf(file), p, ask, &done, nullptr))
            return failed();
        p += done;
        left -= done;
    }
    return 0;
}

int flushFile(FileHandle file) {
    return ::FlushFileBuffers(handleOf(file)) ? 0 : failed();
}

void copyPermissions(const std::string&, FileHandle) {
    // A new file inherits the folder's access rights, as the replaced file did.
}

int replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = wide(from);
    const std::wstring target = wide(to);
    // An editor, a spreadsheet or a virus scanner holding the target open
    // makes the replace fail; such holds usually last a moment only.
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD code = ::GetLastError();
        if (!heldByAnother(code) || attempt == kAttempts) {
            errno = code == ERROR_ACCESS_DENIED ? EBUSY : errnoOf(code);
            // A read-only target is no hold: report it as refused access.
            const DWORD attributes = ::GetFileAttributesW(target.c_str());
            if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
                (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
                errno = EACCES;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

int deleteFile(const std::string& path) {
    return ::DeleteFileW(wide(path).c_str()) ? 0 : failed();
}

int linkFile(const std::string& existing, const std::string& newName) {
    return ::CreateHardLinkW(wide(newName).c_str(), wide(existing).c_str(), nullptr) ? 0 : failed();
}

int flushFolder(const std::string&) {
    // Renames are written through (MOVEFILE_WRITE_THROUGH); NTFS journals its
    // folder entries itself.
    return 0;
}

bool pathExists(const std::string& path) {
    return ::GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool entryExists(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return ::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

bool existsAsSpelled(const std::string& path) {
    if (!pathExists(path))
        return false;
    const std::filesystem::path p = fsPath(path);
    std::filesystem::path built = p.root_path();
    for (const std::filesystem::path& name : p.relative_path()) {
        built /= name;
        if (name.empty() || name == L"." || name == L"..")
            continue;
        WIN32_FIND_DATAW found;
        HANDLE h = ::FindFirstFileW(built.c_str(), &found);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        ::FindClose(h);
        if (name.native() != found.cFileName)
            return false;
    }
    return true;
}

bool fileIdentity(const std::string& path, std::string& identity) {
    // st_ino means nothing here: the volume's serial number and the file index do.
    HANDLE h = ::CreateFileW(wide(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION data;
    const bool ok = ::GetFileInformationByHandle(h, &data) != 0;
    ::CloseHandle(h);
    if (!ok)
        return false;
    const std::uint64_t index = (std::uint64_t(data.nFileIndexHigh) << 32) | data.nFileIndexLow;
    identity = "#" + std::to_string(data.dwVolumeSerialNumber) + ":" + std::to_string(index);
    return true;
}

bool modificationTime(const std::string& path, std::int64_t& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    time = static_cast<std::int64_t>((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                     data.ftLastWriteTime.dwLowDateTime);
    return true;
}

int lockFile(FileHandle file, bool exclusive) {
    // The lock belongs to this handle: a second handle, in this process or
    // another, is refused as flock refuses a second open file.
    OVERLAPPED whole{};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (::LockFileEx(handleOf(file), flags, 0, MAXDWORD, MAXDWORD, &whole))
        return 0;
    const DWORD code = ::GetLastError();
    errno = code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING ? EWOULDBLOCK : errnoOf(code);
    return -1;
}

void unlockFile(FileHandle file) {
    OVERLAPPED whole{};
    ::UnlockFileEx(handleOf(file), 0, MAXDWORD, MAXDWORD, &whole);
}

long currentProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

bool processGone(long pid) {
    HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                             static_cast<DWORD>(pid));
    if (h == nullptr)
        return ::GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    const bool ended = ::WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
    ::CloseHandle(h);
    return ended;
}

std::string runningProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

namespace {

// One argument as CommandLineToArgvW reads it back: quoted when it holds a
// blank or a quote, backslashes doubled where they precede a quote.
void appendArgument(std::wstring& line, const std::wstring& arg) {
    if (!line.empty())
        line += L' ';
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t ch : arg) {
        if (ch == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(ch == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += ch;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

} // namespace

std::wstring windowsCommandLine(const std::vector<std::string>& args) {
    std::wstring line;
    for (const std::string& a : args)
        appendArgument(line, wide(a));
    return line;
}

int runProgramInPlace(const std::string& program, const std::vector<std::string>& args) {
    const std::wstring path = wide(program);
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::wstring line = windowsCommandLine(all);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    // The standard handles are the only ones the program passes on (the
    // program's own files are opened uninheritable).
    for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        if (h != nullptr && h != INVALID_HANDLE_VALUE)
            ::SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &info))
        return failed();
    ::CloseHandle(info.hThread);
    ::WaitForSingleObject(info.hProcess, INFINITE);
    DWORD status = 0;
    const BOOL known = ::GetExitCodeProcess(info.hProcess, &status);
    ::CloseHandle(info.hProcess);
    if (!known)
        return failed();
    return static_cast<int>(status);
}

std::string localDateTimeText(std::int64_t secondsSinceEpoch) {
    std::time_t now = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    char text[32] = "";
    if (::localtime_s(&local, &now) == 0)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

int errorNumberOf(const std::error_code& ec) {
    if (ec.category() == std::system_category())
        return errnoOf(static_cast<DWORD>(ec.value()));
    return ec.value();
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (args == nullptr)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> out;
    for (int i = 1; i < count; ++i)
        out.push_back(narrow(args[i]));
    ::LocalFree(args);
    return out;
}

void useUtf8Console() {
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
    // The program's own line ends go out as they are, the same bytes as on Linux.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

namespace {

bool leadsSomewhere(DWORD which) {
    const HANDLE h = ::GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE && ::GetFileType(h) != FILE_TYPE_UNKNOWN;
}

} // namespace

void useParentConsole() {
    const bool out = leadsSomewhere(STD_OUTPUT_HANDLE);
    const bool err = leadsSomewhere(STD_ERROR_HANDLE);
    // A program of the window subsystem starts without a console even from
    // cmd; the parent's console only takes the streams that lead nowhere.
    if ((!out || !err) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!out)
            std::freopen("CONOUT$", "w", stdout);
        if (!err)
            std::freopen("CONOUT$", "w", stderr);
    }
    useUtf8Console();
}

} // namespace tenvoll::platform
