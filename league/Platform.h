// The operating system beneath the league files: every call the program makes
// to it for files, flushes, renames, locks, file identity, processes, paths and
// the console. One implementation per platform (PlatformPosix.cpp,
// PlatformWindows.cpp), chosen by the build; nothing else calls the system.
//
// Paths are UTF-8 strings throughout the program; fsPath and pathText convert
// them where they meet std::filesystem. Each call returns what its POSIX
// counterpart returns (0 or −1, a handle or kNoFile) and leaves the cause in
// errno; on Windows the system's code is mapped to the errno value of the same
// meaning, so systemErrorText() explains both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tenvoll::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Errors of the system without an errno value of the same meaning are this
// base plus the system's own number.
inline constexpr int kUnmappedErrorBase = 1000000;

// ---- paths ------------------------------------------------------------------

// A UTF-8 path as std::filesystem takes it (never through the ANSI code page).
std::filesystem::path fsPath(std::string_view utf8);
// A std::filesystem path as UTF-8.
std::string pathText(const std::filesystem::path& path);

// ---- files ------------------------------------------------------------------

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

enum class OpenMode {
    Read,           // existing file, reading; never waits (a FIFO opens at once)
    CreateNew,      // new file, writing; fails when the name exists
    CreateReplace,  // writing, created or emptied
    ReadWriteShare, // created when missing, reading and writing (the lock file)
    Flush,          // existing file, opened only to flush it to disk
};

// Files are always opened binary and are not inherited by child processes.
FileHandle openFile(const std::string& path, OpenMode mode);
int closeFile(FileHandle file);

struct FileInfo {
    bool regular = false;
    std::uint64_t size = 0;
};
int fileInfo(FileHandle file, FileInfo& info);

// Bytes read (0 at the end) or −1. Interrupted calls are retried.
std::intptr_t readFile(FileHandle file, char* buffer, std::size_t size);
// Writes every byte; 0 or −1.
int writeFile(FileHandle file, std::string_view bytes);
// Flushes the file's content to the disk.
int flushFile(FileHandle file);
// Gives `file` the permissions of the file at `model` when that exists.
void copyPermissions(const std::string& model, FileHandle file);

// Renames `from` over `to` atomically, replacing it. A file another program
// holds open is retried for a moment first (virus scanners, indexers).
int replaceFile(const std::string& from, const std::string& to);
int deleteFile(const std::string& path);
// A second name for an existing file.
int linkFile(const std::string& existing, const std::string& newName);
// Flushes a folder's entries (renames and removals in it) to disk, where the
// system needs that separately. 0 or −1; a file system that cannot flush
// folders at all counts as flushed.
int flushFolder(const std::string& folder);

// The name exists (following links) / exists itself (a dangling link too).
bool pathExists(const std::string& path);
bool entryExists(const std::string& path);
// The name exists spelled exactly so, letter case included, in every part
// below the drive or root. Windows finds "TEAM.TXT" for "Team.txt" itself; the
// program still uses the name on disk so that a save keeps its spelling.
bool existsAsSpelled(const std::string& path);

// The identity of an existing file: two names of one file give the same text.
// False when the file cannot be asked.
bool fileIdentity(const std::string& path, std::string& identity);

// The file's last modification time in the system's finest unit (nanoseconds
// since 1970 on POSIX, 100 ns ticks on Windows); comparable only with values
// of the same call. False when the file cannot be asked.
bool modificationTime(const std::string& path, std::int64_t& time);

// ---- the folder lock --------------------------------------------------------

// Locks the whole of an open file for this handle without waiting; −1 with
// errno EWOULDBLOCK when another holder prevents it.
int lockFile(FileHandle file, bool exclusive);
void unlockFile(FileHandle file);

// ---- processes ----------------------------------------------------------------

long currentProcessId();
// True only when the process is known to have ended.
bool processGone(long pid);

// The full path of the running program's executable; empty when the system
// cannot tell.
std::string runningProgramPath();
// Runs `program` with `args` (its arguments after its own name) in place of
// this process, with this process's standard input, output and error: on
// POSIX the process becomes the program and the call returns only when that
// failed; on Windows the program is started, waited for, and its exit status
// returned. −1 when it could not be started.
int runProgramInPlace(const std::string& program, const std::vector<std::string>& args);
#ifdef _WIN32
// The command line that CommandLineToArgvW (and every C runtime) reads back
// as `args`, the program's own name first.
std::wstring windowsCommandLine(const std::vector<std::string>& args);
#endif

// ---- time ---------------------------------------------------------------------

// A time (seconds since 1970, UTC) as local date and time: "2026-04-01 09:30:05".
std::string localDateTimeText(std::int64_t secondsSinceEpoch);

// ---- errors -----------------------------------------------------------------

// The errno value of an error code of the generic or system category.
int errorNumberOf(const std::error_code& ec);

// ---- the command line and the console -----------------------------------------

// The program's arguments as UTF-8 (on Windows taken from the wide command line).
std::vector<std::string> commandLineArguments(int argc, char** argv);
// Makes the console show the program's UTF-8 output.
void useUtf8Console();
// For a program without a console of its own (the Windows window program):
// writes its standard output and errors to the console it was started from,
// unless they already lead somewhere (a pipe, a file). Then as useUtf8Console.
void useParentConsole();

} // namespace tenvoll::platform
