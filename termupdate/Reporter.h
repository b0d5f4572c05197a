// How the term-update engines talk back to their caller while they run: the
// status-bar text, a progress count and the texts of message boxes. The window
// draws them; the batch tool prints them.
#pragma once

#include <cstddef>
#include <string>

namespace tenvoll {

class TermUpdateReporter {
public:
    virtual ~TermUpdateReporter() = default;
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
