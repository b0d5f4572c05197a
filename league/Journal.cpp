// Journal text and durable small writes.
#include "league/Journal.h"

#include "league/LeagueError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace tenvoll {

namespace {

constexpr std::string_view kHeader = "tenvoll-journal 1";

std::vector<std::string_view> tabFields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return out;
        start = tab + 1;
    }
}

void checkField(const std::string& field) {
    if (field.find_first_of("\t\n") != std::string::npos)
        throw LeagueError("パスにタブまたは改行が含まれているため記録できません: " + field);
}

} // namespace

std::string journalText(const Journal& j) {
    std::string out(kHeader);
    out +=
        "\noperation\t" + j.operation + "\nstate\t" + (j.complete ? "complete" : "pending") + "\n";
    for (const auto& f : j.createdFolders) {
        checkField(f);
        out += "folder\t" + f + "\n";
    }
    for (const auto& e : j.entries) {
        checkField(e.target);
        checkField(e.temporary);
        checkField(e.keep);
        out += "file\t" + e.target + "\t" + e.temporary + "\t" + e.keep + "\n";
    }
    out += "end\n"; // a journal cut short is recognised as damaged
    return out;
}

std::optional<Journal> parseJournal(std::string_view text) {
    Journal j;
    bool header = false, ended = false, state = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        std::string_view line = text.substr(start, nl == std::string_view::npos ? nl : nl - start);
        start = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!header) {
            if (line != kHeader)
                return std::nullopt;
            header = true;
            continue;
        }
        auto f = tabFields(line);
        if (f[0] == "operation" && f.size() == 2) {
            j.operation = f[1];
        } else if (f[0] == "state" && f.size() == 2 && (f[1] == "pending" || f[1] == "complete")) {
            j.complete = f[1] == "complete";
            state = true;
        } else if (f[0] == "folder" && f.size() == 2) {
            j.createdFolders.emplace_back(f[1]);
        } else if (f[0] == "file" && f.size() == 4 && !f[1].empty() && !f[2].empty()) {
            j.entries.push_back({std::string(f[1]), std::string(f[2]), std::string(f[3])});
        } else if (f[0] == "end" && f.size() == 1) {
            ended = true;
        } else {
            return std::nullopt;
        }
    }
    if (!header || !ended || !state)
        return std::nullopt;
    return j;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void writeDurably(const std::string& path, std::string_view bytes) {
    // Named like every temporary file of the program (".name.pid.n.tmp"), so
    // that one left by a crash is found and removed with the others.
    const std::string temp = path + "." + std::to_string(::getpid()) + ".0.tmp";
    auto fail = [&](int err) {
        ::unlink(temp.c_str());
        throw LeagueError("記録ファイルを書き込めませんでした: " + path + " (" +
                          std::strerror(err) + ")");
    };
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(errno);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            fail(err);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    int err = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        fail(err);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        fail(errno);
    syncFolder(std::filesystem::path(path).parent_path().string());
}

} // namespace tenvoll
