// The league's files in search order and the unsigned-players file listing.
#include "mainwindow/LeagueSearch.h"

#include "league/FileAccess.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/TextCompare.h"

#include <cstdio>

namespace tenvoll {

namespace {

constexpr std::string_view kDataFolder = "データ";
constexpr std::string_view kUnsignedSuffix = "期未契約選手.txt";

} // namespace

SearchLeague searchLeague(const Settings& settings, std::string_view leagueName) {
    SearchLeague league;
    league.name = std::string(leagueName);
    league.folder = settings.leagueFolder(leagueName);
    for (const LeagueEntry& entry : settings.entries(leagueName))
        league.teamFiles.push_back(settings.fullPath(entry.path));
    return league;
}

std::string termTag(long long term) {
    return "(" + std::to_string(term - 1) + ")";
}

std::string unsignedFileName(long long term) {
    return termText(term) + std::string(kUnsignedSuffix);
}

std::string oldUnsignedFileName(long long term) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3lld", term);
    return buf + std::string(kUnsignedSuffix);
}

UnsignedFiles::UnsignedFiles(const std::string& leagueFolder) {
    if (leagueFolder.empty())
        return;
    folder_ = joinPath(leagueFolder, kDataFolder);
    if (!folderExists(folder_))
        return;
    for (const std::string& name : listFileNames(folder_))
        foldedNames_.insert(foldCase(name));
}

std::string UnsignedFiles::path(long long term) const {
    return joinPath(folder_, unsignedFileName(term));
}

std::string UnsignedFiles::oldPath(long long term) const {
    return joinPath(folder_, oldUnsignedFileName(term));
}

bool UnsignedFiles::listed(const std::string& name) const {
    return foldedNames_.contains(foldCase(name));
}

bool UnsignedFiles::exists(long long term) const {
    return listed(unsignedFileName(term));
}

bool UnsignedFiles::oldExists(long long term) const {
    // From term 1000 on the three-digit name is the four-digit one.
    return term < 1000 && listed(oldUnsignedFileName(term));
}

void UnsignedFiles::added(long long term) {
    foldedNames_.insert(foldCase(unsignedFileName(term)));
}

std::vector<long long> UnsignedFiles::searchTerms() const {
    std::vector<long long> terms;
    for (long long n = 0; n <= kLastUnsignedTerm; ++n) {
        if (exists(n))
            terms.push_back(n);
        else if (!terms.empty())
            break;
    }
    return terms;
}

} // namespace tenvoll
