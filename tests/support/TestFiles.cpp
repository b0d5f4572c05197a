// Temporary folders, cp932 files and folder snapshots for the tests.
#include "support/TestFiles.h"

#include "league/FolderLock.h"
#include "league/Platform.h"
#include "league/TextCodec.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tenvoll::test {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    fs::path base = fs::temp_directory_path() /
                    ("tenvoll-test-" + std::to_string(platform::currentProcessId()) + "-" +
                     std::to_string(counter++));
    fs::remove_all(base);
    fs::create_directories(base);
    path_ = platform::pathText(base);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::file(std::string_view relative) const {
    std::string r(relative);
    std::replace(r.begin(), r.end(), '\\', '/');
    while (!r.empty() && r.front() == '/')
        r.erase(r.begin());
    return platform::pathText(platform::fsPath(path_) / platform::fsPath(native(r)));
}

std::string native(std::string_view path) {
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', platform::kPathSeparator);
    return p;
}

void writeBytes(const std::string& path, std::string_view bytes) {
    fs::path p = platform::fsPath(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path);
}

void writeCp932(const std::string& path, std::string_view text) {
    std::string crlf;
    for (char c : text) {
        if (c == '\n')
            crlf += "\r\n";
        else
            crlf += c;
    }
    writeBytes(path, encodeCp932(crlf, path));
}

std::string readBytes(const std::string& path) {
    std::ifstream f(platform::fsPath(path), std::ios::binary);
    if (!f)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string readCp932(const std::string& path) {
    std::string text = decodeFileBytes(readBytes(path), path).text;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

std::string lines(const std::vector<std::string>& l) {
    std::string out;
    for (const auto& line : l)
        out += line + "\n";
    return out;
}

std::vector<std::pair<std::string, std::string>> snapshotFolder(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    const fs::path top = platform::fsPath(folder);
    for (const auto& e : fs::recursive_directory_iterator(top))
        if (e.is_regular_file() && e.path().filename() != tenvoll::kFolderLockFileName) {
            // Named with '/' on every platform.
            std::string name = platform::pathText(fs::relative(e.path(), top));
            if (platform::kPathSeparator != '/')
                std::replace(name.begin(), name.end(), platform::kPathSeparator, '/');
            files.emplace_back(name, readBytes(platform::pathText(e.path())));
        }
    std::sort(files.begin(), files.end());
    return files;
}

std::string fixture(std::string_view name) {
    return platform::pathText(platform::fsPath(TENVOLL_FIXTURES) / platform::fsPath(name));
}

} // namespace tenvoll::test

namespace tenvoll::test {

void copyFixtureFolder(std::string_view name, const std::string& destination) {
    fs::copy(platform::fsPath(fixture(name)), platform::fsPath(destination),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

} // namespace tenvoll::test
