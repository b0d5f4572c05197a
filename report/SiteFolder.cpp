// Writing the pages into the output folder.
#include "report/SiteFolder.h"

#include "league/LeagueError.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tenvoll::report {

namespace fs = std::filesystem;

namespace {

fs::path canonicalOf(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(fs::path(path), ec), ec);
    return ec ? fs::path(path).lexically_normal() : p;
}

// True when `inner` is `outer` or lies inside it.
bool within(const fs::path& inner, const fs::path& outer) {
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (o->empty())
            continue; // a trailing separator
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

bool validRelative(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string::npos)
        return false;
    for (const fs::path& part : fs::path(path))
        if (part == ".." || part == "." || part.empty())
            return false;
    return true;
}

// True when no folder between `root` and the file `relative` is a symbolic
// link: a link planted in the output folder must not lead a write or a
// removal elsewhere.
bool throughNoLink(const fs::path& root, const std::string& relative) {
    fs::path at = root;
    const fs::path rel(relative);
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
    folder_ = out.string();

    const fs::path list = out / std::string(kPageListName);
    if (fs::exists(list, ec)) {
        std::ifstream in(list, std::ios::binary);
        std::string line;
        while (std::getline(in, line))
            if (validRelative(line))
                previous_.insert(line);
    } else if (!fs::is_empty(out, ec)) {
        throw LeagueError("出力先のフォルダに他のファイルがあります。空のフォルダか、以前に"
                          "Webページを出力したフォルダを選んでください。",
                          folder);
    }
}

void SiteFolder::write(const std::string& relativePath, std::string_view bytes) {
    if (!validRelative(relativePath))
        throw LeagueError("出力するファイル名が正しくありません。", relativePath);
    if (!throughNoLink(folder_, relativePath))
        throw LeagueError("出力先のフォルダの中にリンクがあるため書き込みません。", relativePath);
    const fs::path target = fs::path(folder_) / relativePath;
    const fs::path parent = target.parent_path();
    std::error_code ec;
    if (madeFolders_.insert(parent.string()).second) {
        fs::create_directories(parent, ec);
        if (ec)
            throw LeagueError("フォルダを作成できません。", parent.string() + ": " + ec.message());
    }
    fs::path temporary = target;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            fs::remove(temporary, ec);
            throw LeagueError("ファイルを書き込めません。", target.string());
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw LeagueError("ファイルを書き込めません。", target.string() + ": " + ec.message());
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
        if (complete && throughNoLink(folder_, old))
            fs::remove(fs::path(folder_) / old, ec);
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
