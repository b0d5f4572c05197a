// tenvoll-batch convert, convert-unsigned and retotal: the team-file
// conversion and the career totals, as the windows run them.
#include "app/batch/BatchCommand.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/TeamFile.h"
#include "league/TeamFileConversion.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

std::string existingFile(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(1);
    std::string path = c.argumentPath(a.positional(0, "FILE"));
    if (!entryPresent(path))
        throw LeagueError("ファイルが存在しません！", path);
    return resolvePath(path);
}

int convert(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Exclusive);
    std::string path = existingFile(c, a);
    if (isTeamFile(IniStore::load(path)))
        throw LeagueError("すでにチームファイルの形式です。変換しませんでした。", path);
    convertOldFile(path, ConversionMode::Team);
    c.out << path << "を変換しました。\n";
    return kSuccess;
}

int convertUnsigned(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Exclusive);
    std::string path = existingFile(c, a);
    try {
        std::string written = convertOldFile(path, ConversionMode::Unsigned);
        c.out << path << "を変換しました。\n" << written << "\n";
    } catch (const LeagueError& e) {
        throw LeagueError(path + "の変換Error", e.detail());
    }
    return kSuccess;
}

int retotal(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Exclusive);
    std::string path = existingFile(c, a);
    IniStore team = IniStore::load(path);
    if (!isTeamFile(team))
        throw LeagueError(
            "チームファイルではありません (旧形式のファイルです。convert で変換してください)",
            path);
    recomputeAllCareerTotals(team);
    team.save(path);
    c.out << path << " の通算成績を再計算しました。\n";
    return kSuccess;
}

} // namespace

void addFileCommands(std::vector<BatchCommand>& table) {
    table.push_back(
        {"convert", "FILE", "旧形式のチームファイルをチームファイルに変換 (上書き)", convert});
    table.push_back({"convert-unsigned", "FILE",
                     "旧形式の未契約選手ファイル (3桁の期) を4桁の期のファイルに変換",
                     convertUnsigned});
    table.push_back(
        {"retotal", "FILE", "チームファイルの全選手の通算成績を再計算して保存", retotal});
}

} // namespace tenvoll::batch
