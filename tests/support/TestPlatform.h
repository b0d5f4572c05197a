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

} // namespace tenvoll::test
