// The term update's status text and progress count, shared by its reading,
// merging and committing pieces: one status text that steps replace or extend
// by a dot, and a count of finished units against a total set as the run learns it.
#pragma once

#include "termupdate/Reporter.h"

#include <cstddef>
#include <string>

namespace tenvoll {

class TermProgress {
public:
    explicit TermProgress(TermUpdateReporter& reporter) : reporter_(reporter) {}

    void setStatus(std::string text) {
        status_ = std::move(text);
        reporter_.status(status_);
    }
    // "準備中" becomes "準備中." and so on: one dot per file read.
    void appendDot() { setStatus(status_ + "."); }

    void setTotal(std::size_t total) { total_ = total; }
    void advance() { reporter_.progress(++done_, total_); }
    std::size_t done() const { return done_; }

private:
    TermUpdateReporter& reporter_;
    std::string status_;
    std::size_t done_ = 0;
    std::size_t total_ = 1;
};

} // namespace tenvoll
