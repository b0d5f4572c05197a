// Journal text and durable small writes.
#include "league/Journal.h"

#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/SystemErrors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

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

void writeDurably(const std::string& path, std::string_view bytes) {
    // Named like every temporary file of the program (".name.pid.n.tmp"), so
    // that one left by a crash is found and removed with the others.
    const std::string temp = path + "." + std::to_string(platform::currentProcessId()) + ".0.tmp";
    auto fail = [&](int err) {
        platform::deleteFile(temp);
        throw LeagueError("記録ファイルを書き込めませんでした: " + path + " (" +
                          systemErrorText(err) + ")");
    };
    platform::FileHandle fd = platform::openFile(temp, platform::OpenMode::CreateReplace);
    if (fd == platform::kNoFile)
        fail(errno);
    if (platform::writeFile(fd, bytes) != 0) {
        int err = errno;
        platform::closeFile(fd);
        fail(err);
    }
    int err = platform::flushFile(fd) != 0 ? errno : 0;
    if (platform::closeFile(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        fail(err);
    if (platform::replaceFile(temp, path) != 0)
        fail(errno);
    syncFolder(platform::pathText(platform::fsPath(path).parent_path()));
}

} // namespace tenvoll
