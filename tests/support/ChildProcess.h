// A second process for the tests that need one (another program holding the
// league, a writer that dies): the test program itself started again, the way
// the platform starts programs, playing a role its test registered. Parent and
// child talk through files in a folder of their own, so that no pipe or fork
// is needed: the child answers once, then waits until it is told to finish.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tenvoll::test {

struct StartedProcess;

// The child's end: its arguments and the way back to the parent.
class ChildChannel {
public:
    ChildChannel(std::string folder, std::vector<std::string> args);
    const std::vector<std::string>& args() const { return args_; }
    // Tells the parent `text` (once).
    void answer(const std::string& text);
    // Waits until the parent lets go (or has gone).
    void waitForFinish();

private:
    std::string folder_;
    std::vector<std::string> args_;
};

using ChildMain = int (*)(ChildChannel& channel);

// Registers a role by name; define one as a static object in the test file.
struct ChildRole {
    ChildRole(const char* name, ChildMain main);
};

// Starts the test program again in `role`. The destructor tells the child to
// finish and waits for it.
class ChildProcess {
public:
    ChildProcess(const std::string& role, const std::vector<std::string>& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The child's answer; a text in parentheses when it ended without one.
    std::string answer();
    void finish();
    // Waits for the child to end; its exit status.
    int wait();

private:
    std::string folder_;
    StartedProcess* process_ = nullptr;
    std::optional<int> status_;
};

// For the test programs' main: runs the role when this process was started
// as a child, and returns its exit status; nothing otherwise.
std::optional<int> runChildRole(int argc, char** argv);

} // namespace tenvoll::test
