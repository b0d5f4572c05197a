// The hand-made two-team league of tests/fixtures/termupdate_small_league
// copied into a temporary program folder, and a reporter that records.
#pragma once

#include "support/TestFiles.h"
#include "termupdate/Reporter.h"
#include "termupdate/TermUpdate.h"

#include <string>
#include <vector>

namespace tenvoll::test {

class RecordingReporter : public TermUpdateReporter {
public:
    void status(const std::string& text) override { statuses.push_back(text); }
    void progress(std::size_t done, std::size_t total) override {
        lastDone = done;
        lastTotal = total;
    }
    void message(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::size_t lastDone = 0;
    std::size_t lastTotal = 0;
};

class SmallLeague {
public:
    SmallLeague();
    const std::string& programFolder() const { return folder_.path(); }
    std::string path(std::string_view relative) const { return folder_.file(relative); }
    // The run's input as the window builds it: the league of the settings and
    // the files of the three working folders.
    TermUpdateInput input(long long newTerm) const { return inputFor(programFolder(), newTerm); }
    // The same for the small league in `programFolder` (a child process's).
    static TermUpdateInput inputFor(const std::string& programFolder, long long newTerm);
    std::string expected(std::string_view relative) const;

private:
    TempFolder folder_;
};

// Copies every file and folder below `from` into `to`.
void copyTree(const std::string& from, const std::string& to);

// Folders below a folder (files not included), sorted.
std::vector<std::string> foldersBelow(const std::string& folder);

} // namespace tenvoll::test
