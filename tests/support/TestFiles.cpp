// Temporary folders, cp932 files and folder snapshots for the tests.
#include "support/TestFiles.h"

#include "league/FolderLock.h"
#include "league/TextCodec.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tenvoll::test {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    fs::path base = fs::temp_directory_path() / ("tenvoll-test-" + std::to_string(::getpid()) +
                                                 "-" + std::to_string(counter++));
    fs::remove_all(base);
    fs::create_directories(base);
    path_ = base.string();
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
    return (fs::path(path_) / r).string();
}

void writeBytes(const std::string& path, std::string_view bytes) {
    fs::path p(path);
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
    std::ifstream f(path, std::ios::binary);
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
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file() && e.path().filename() != tenvoll::kFolderLockFileName)
            files.emplace_back(fs::relative(e.path(), folder).string(),
                               readBytes(e.path().string()));
    std::sort(files.begin(), files.end());
    return files;
}

std::string fixture(std::string_view name) {
    return (fs::path(TENVOLL_FIXTURES) / std::string(name)).string();
}

} // namespace tenvoll::test

namespace tenvoll::test {

void copyFixtureFolder(std::string_view name, const std::string& destination) {
    fs::copy(fixture(name), destination,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

} // namespace tenvoll::test
