// Joining, splitting and relativising league paths.
#include "league/Paths.h"

#include "league/Platform.h"
#include "league/TextCompare.h"

namespace tenvoll {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::size_t lastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

constexpr char kNativeSeparator = platform::kPathSeparator;

} // namespace

bool hasDrivePart(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
        return true;
    if (path.starts_with("\\\\") || path.starts_with("//"))
        return true;
    return path.starts_with("/");
}

std::string toNativePath(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (isSeparator(c))
            c = kNativeSeparator;
    return out;
}

std::string joinProgramFolder(std::string_view programFolder, std::string_view stored) {
    if (stored.empty())
        return {};
    if (hasDrivePart(stored))
        return toNativePath(stored);
    std::string joined(programFolder);
    if (!stored.empty() && !isSeparator(stored.front()) &&
        (joined.empty() || !isSeparator(joined.back())))
        joined += '\\';
    joined += stored;
    return toNativePath(joined);
}

std::string toStoredPath(std::string_view programFolder, std::string_view fullPath) {
    std::string folder = toNativePath(programFolder);
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.pop_back();
    std::string full = toNativePath(fullPath);
    if (folder.empty() || full.size() <= folder.size() || !startsWithIgnoreCase(full, folder) ||
        !isSeparator(full[folder.size()]))
        return std::string(fullPath);
    std::string rest = full.substr(folder.size());
    for (char& c : rest)
        if (c == '/')
            c = '\\';
    return rest;
}

std::string folderOf(std::string_view path) {
    std::size_t i = lastSeparator(path);
    if (i == std::string_view::npos)
        return {};
    if (i == 0)
        return std::string(path.substr(0, 1));
    return std::string(path.substr(0, i));
}

std::string fileNameOf(std::string_view path) {
    std::size_t i = lastSeparator(path);
    return std::string(i == std::string_view::npos ? path : path.substr(i + 1));
}

std::string extensionOf(std::string_view path) {
    std::string name = fileNameOf(path);
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    return name.substr(dot);
}

std::string withoutExtension(std::string_view path) {
    std::string ext = extensionOf(path);
    return std::string(path.substr(0, path.size() - ext.size()));
}

std::string replaceExtension(std::string_view path, std::string_view extension) {
    return withoutExtension(path) + std::string(extension);
}

std::string nextSeasonCopyPath(std::string_view teamFilePath) {
    const std::string extension = extensionOf(teamFilePath);
    const bool isTxt = extension.size() == 4 && extension[0] == '.' &&
                       (extension[1] | 0x20) == 't' && (extension[2] | 0x20) == 'x' &&
                       (extension[3] | 0x20) == 't';
    return isTxt ? withoutExtension(teamFilePath) + ".tvl" : std::string(teamFilePath) + ".tvl";
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && !isSeparator(out.back()))
        out += kNativeSeparator;
    out += name;
    return out;
}

} // namespace tenvoll
