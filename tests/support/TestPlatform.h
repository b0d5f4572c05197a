// What the tests ask of the system beyond the program's platform layer, one
// file per platform (TestPlatformPosix.cpp, TestPlatformWindows.cpp): starting
// the test program again and counting its open files.
#pragma once

#include <string>
#include <vector>

namespace tenvoll::test {

struct StartedProcess;
// Starts this test program with `args`; null when it could not be started.
StartedProcess* startThisProgram(const std::vector<std::string>& args);
bool hasEnded(StartedProcess& process);
// Waits for the end, frees `process` and returns its exit status.
int waitForEnd(StartedProcess* process);

// The files (handles) this process holds open now.
long openFileCount();

// Holds a file open the way an editor or a spreadsheet can on Windows: no
// other program may write, rename or delete it meanwhile. False where the
// system has no such hold (POSIX).
bool holdExclusively(const std::string& path);
void releaseHolds();

} // namespace tenvoll::test
