// What the league-wide searches (ranking and name search) share: the league's
// files in search order — the unsigned-players files "データ\TTTT期未契約選手.txt"
// of the league folder, then the registered team files — the term tag of an
// unsigned-players file and the fixed status and message texts. A search
// talks to the window through league/ProgressReporter.h.
#pragma once

#include "league/ProgressReporter.h"
#include "league/Settings.h"

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// Status-bar and message-box texts of the searches.
inline constexpr std::string_view kSearchingSuffix = "を検索中";
inline constexpr std::string_view kMissingSuffix = "は存在しません。";
inline constexpr std::string_view kOldUnsignedSuffix = "は旧形式の未契約選手ファイルです。変換中！";
inline constexpr std::string_view kOldTeamSuffix = "は旧形式のファイルです。変換中！";
inline constexpr std::string_view kConvertedSuffix = "を変換しました。";
inline constexpr std::string_view kConversionErrorSuffix = "の変換Error";
inline constexpr std::string_view kNoStatsMarksMessage = "ファイルが見つかりません。";
inline constexpr std::string_view kFileGoneMessage = "ファイルが存在しません。";
inline constexpr std::string_view kNoLeagueFolderMessage =
    "検索対象フォルダがありません。最終閲覧チームの機構が検索対象となります。";
inline constexpr std::string_view kNoNameMessage = "選手名を入力してください。";

// Unsigned-players files are numbered 0 to 9999.
inline constexpr long long kLastUnsignedTerm = 9999;

// How a search tells the window what it is doing (progress counts files read).
using SearchReporter = ProgressReporter;

// The league as the searches see it.
struct SearchLeague {
    std::string name;
    // Folder of the team file of entry "チーム名0"; empty when there is none.
    std::string folder;
    // Full paths of the team files of entries 0 .. "チーム数" − 1, registry order.
    std::vector<std::string> teamFiles;
};

SearchLeague searchLeague(const Settings& settings, std::string_view leagueName);

// "(" + (term − 1) + ")": the prefix of the players of an unsigned-players file.
std::string termTag(long long term);

// File names of the unsigned-players file of a term: four digits, or the old three.
std::string unsignedFileName(long long term);
std::string oldUnsignedFileName(long long term);

// The unsigned-players files of a league folder. The folder is listed once, so
// that probing 10,000 terms costs nothing; names match ignoring case.
class UnsignedFiles {
public:
    explicit UnsignedFiles(const std::string& leagueFolder);

    const std::string& folder() const { return folder_; }
    std::string path(long long term) const;
    std::string oldPath(long long term) const;
    bool exists(long long term) const;
    bool oldExists(long long term) const;
    // Tells the listing that the four-digit file of a term has been written.
    void added(long long term);
    // The terms a search reads: from the first existing file up to the first
    // missing one after it (missing files before the first are passed over).
    std::vector<long long> searchTerms() const;

private:
    bool listed(const std::string& name) const;

    std::string folder_;
    std::set<std::string> foldedNames_;
};

} // namespace tenvoll
