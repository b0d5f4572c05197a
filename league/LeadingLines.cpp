// Reading the leading ASCII lines of a file.
#include "league/LeadingLines.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"

namespace tenvoll {

std::vector<std::string> leadingAsciiLines(const std::string& path, std::size_t maxBytes) {
    std::vector<std::string> lines;
    std::string bytes;
    try {
        bytes = readFileStart(path, maxBytes);
    } catch (const LeagueError&) {
        return lines;
    }
    const bool whole = bytes.size() < maxBytes;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (static_cast<unsigned char>(c) >= 0x80)
            return lines;
        if (c != '\r' && c != '\n')
            continue;
        // A CR as the last byte read may be the first half of a CR LF.
        if (c == '\r' && i + 1 == bytes.size() && !whole)
            return lines;
        lines.push_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (whole && start < bytes.size())
        lines.push_back(bytes.substr(start)); // the last line, without a line end
    return lines;
}

} // namespace tenvoll
