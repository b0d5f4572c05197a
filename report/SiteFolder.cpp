// Writing the pages into the output folder.
#include "report/SiteFolder.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/SystemErrors.h"

#include <cerrno>
#include <filesystem>
#include <iterator>

namespace tenvoll::report {

namespace fs = std::filesystem;
using platform::fsPath;
using platform::pathText;

namespace {

fs::path canonicalOf(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(fsPath(path), ec), ec);
    return ec ? fsPath(path).lexically_normal() : p;
}

// True when `inner` is `outer` or lies inside it, name by name.
bool withinByName(const fs::path& inner, const fs::path& outer) {
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (o->empty())
            continue; // a trailing separator
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

// The same, and also when a folder above `inner` (or `inner` itself) is
// `outer` by identity: on Windows "c:\league" is the folder "C:\League",
// which the names alone would not tell. The system's own identity, not
// fileIdentity (which also matches another letter case where the file system
// tells case apart): on Linux "LG" beside "Lg" is another folder.
bool within(const fs::path& inner, const fs::path& outer) {
    if (withinByName(inner, outer))
        return true;
    std::string outerIdentity;
    if (!platform::fileIdentity(pathText(outer), outerIdentity))
        return false;
    for (fs::path at = inner;; at = at.parent_path()) {
        std::string identity;
        if (platform::fileIdentity(pathText(at), identity) && identity == outerIdentity)
            return true;
        if (!at.has_relative_path())
            return false; // the root
    }
}

bool validRelative(const std::string& path) {
    // A drive ("C:x") or a stream ("a:b") would lead out of the folder on Windows.
    if (path.empty() || path.front() == '/' || path.find_first_of("\\:") != std::string::npos)
        return false;
    const fs::path p = fsPath(path);
    if (p.has_root_path())
        return false;
    for (const fs::path& part : p)
        if (part == ".." || part == "." || part.empty())
            return false;
    return true;
}

// True when no folder between `root` and the file `relative` is a symbolic
// link: a link planted in the output folder must not lead a write or a
// removal elsewhere.
bool throughNoLink(const fs::path& root, const std::string& relative) {
    fs::path at = root;
    const fs::path rel = fsPath(relative);
    for (auto part = rel.begin(); part != rel.end() && std::next(part) != rel.end(); ++part) {
        at /= *part;
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(at, ec)))
            return false;
    }
    return true;
}

} // namespace

SiteFolder::SiteFolder(const std::string& folder, const std::vector<std::string>& protectedFolders)
    : folder_(folder) {
    if (folder.empty())
        throw LeagueError("出力先のフォルダが指定されていません。");
    const fs::path out = canonicalOf(folder);
    for (const std::string& p : protectedFolders) {
        if (p.empty())
            continue;
        const fs::path league = canonicalOf(p);
        if (within(out, league) || within(league, out))
            throw LeagueError("機構のフォルダの中や、それを含むフォルダには出力できません。",
                              folder + " (" + p + ")");
    }
    std::error_code ec;
    if (fs::exists(out, ec) && !fs::is_directory(out, ec))
        throw LeagueError("出力先がフォルダではありません。", folder);
    fs::create_directories(out, ec);
    if (ec)
        throw LeagueError("出力先のフォルダを作成できません。", folder + ": " + ec.message());
    folder_ = pathText(out);

    const std::string list = pathText(out / fsPath(kPageListName));
    if (entryPresent(list)) {
        const std::string text = readFileBytes(list);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            if (validRelative(line))
                previous_.insert(line);
            start = end + 1;
        }
    } else if (!fs::is_empty(out, ec)) {
        throw LeagueError("出力先のフォルダに他のファイルがあります。空のフォルダか、以前に"
                          "Webページを出力したフォルダを選んでください。",
                          folder);
    }
}

void SiteFolder::write(const std::string& relativePath, std::string_view bytes) {
    if (!validRelative(relativePath))
        throw LeagueError("出力するファイル名が正しくありません。", relativePath);
    if (!throughNoLink(fsPath(folder_), relativePath))
        throw LeagueError("出力先のフォルダの中にリンクがあるため書き込みません。", relativePath);
    const fs::path targetPath = fsPath(folder_) / fsPath(relativePath);
    const std::string target = pathText(targetPath);
    const std::string parent = pathText(targetPath.parent_path());
    std::error_code ec;
    if (madeFolders_.insert(parent).second) {
        fs::create_directories(fsPath(parent), ec);
        if (ec)
            throw LeagueError("フォルダを作成できません。", parent + ": " + ec.message());
    }
    // Pages can be made again from the league, so they are not flushed one by
    // one; the rename still keeps each page whole.
    const std::string temporary = target + ".part";
    const platform::FileHandle file =
        platform::openFile(temporary, platform::OpenMode::CreateReplace);
    if (file == platform::kNoFile)
        throw LeagueError("ファイルを書き込めません。", target + ": " + systemErrorText(errno));
    const bool written = platform::writeFile(file, bytes) == 0;
    const int writeError = errno;
    if (platform::closeFile(file) != 0 || !written) {
        const int error = written ? errno : writeError;
        platform::deleteFile(temporary);
        throw LeagueError("ファイルを書き込めません。", target + ": " + systemErrorText(error));
    }
    if (platform::replaceFile(temporary, target) != 0) {
        const int error = errno;
        platform::deleteFile(temporary);
        throw LeagueError("ファイルを書き込めません。", target + ": " + systemErrorText(error));
    }
    written_.insert(relativePath);
    bytes_ += bytes.size();
}

void SiteFolder::finish(bool complete) {
    std::set<std::string> listed = written_;
    std::error_code ec;
    for (const std::string& old : previous_) {
        if (written_.contains(old))
            continue;
        if (complete && throughNoLink(fsPath(folder_), old))
            fs::remove(fsPath(folder_) / fsPath(old), ec);
        else
            listed.insert(old); // still there: a later complete run removes it
    }
    std::string text;
    for (const std::string& path : listed)
        text += path + "\n";
    // The list is written like a page, so that it is never half there.
    const std::set<std::string> keep = written_;
    write(std::string(kPageListName), text);
    written_ = keep;
    bytes_ -= text.size();
}

} // namespace tenvoll::report
