// How a long-running engine (the league searches, the term update, the data
// checks and statistics marks) talks back to its caller while it runs: the
// status-bar text, a progress count and the texts of message boxes. The
// windows draw them through windowkit/QtProgressReporter.h; the batch tool
// prints them. Every callback may be ignored.
#pragma once

#include <cstddef>
#include <string>

namespace tenvoll {

class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    // The whole new status text (it replaces the previous one).
    virtual void status(const std::string& text) { (void)text; }
    // `done` of `total` units of work are finished.
    virtual void progress(std::size_t done, std::size_t total) {
        (void)done;
        (void)total;
    }
    // A text the window shows in a message box ("\n" separates its lines).
    virtual void message(const std::string& text) { (void)text; }
};

} // namespace tenvoll
