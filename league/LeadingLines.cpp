// Reading the leading ASCII lines of a file.
#include "league/LeadingLines.h"

#include "league/FileAccess.h"
#include "league/Platform.h"

namespace tenvoll {

std::vector<std::string> leadingAsciiLines(const std::string& path, std::size_t maxBytes) {
    std::vector<std::string> lines;
    platform::FileHandle file = platform::openFile(resolvePath(path), platform::OpenMode::Read);
    if (file == platform::kNoFile)
        return lines;
    std::string bytes(maxBytes, '\0');
    std::size_t got = 0;
    while (got < maxBytes) {
        std::intptr_t n = platform::readFile(file, bytes.data() + got, maxBytes - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    platform::closeFile(file);
    bytes.resize(got);
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
