// The one exception type of the Qt-free engines: a failure whose message is
// ready to be shown to the user (Japanese). Where the program has a fixed
// message text (for example "ファイル変換Error") that text is the message and
// the particulars (file, line, reason) go into the detail.
#pragma once

#include <stdexcept>
#include <string>

namespace tenvoll {

class LeagueError : public std::runtime_error {
public:
    explicit LeagueError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail)) {}
    const std::string& detail() const { return detail_; }
    // Message and detail on separate lines, for logs and the command line.
    std::string fullText() const { return detail_.empty() ? what() : what() + ("\n" + detail_); }

private:
    std::string detail_;
};

} // namespace tenvoll
