// The league registry editor behind the window "チーム編成" and the batch
// command "league": the leagues of the settings file, the current league, and
// the current league's team entries ("球団名,ファーム球団名,ファイル名") kept in
// memory until they are saved. Every write takes the program folder's exclusive
// lock, reads the settings file afresh, changes only the keys it owns and saves
// the file atomically; a failed write throws LeagueError and changes nothing.
#pragma once

#include "league/Settings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// Messages of the editor.
inline constexpr std::string_view kSameTeamNamesMessage =
    "エラー！！\n\r一、二軍のチーム名が同じです！";
inline constexpr std::string_view kNotTeamFileMessage =
    "選択されたファイルはチームファイルではありません！";
inline constexpr std::string_view kLastLeagueMessage = "すべての機構を消去することはできません。";
inline constexpr std::string_view kLeagueDeletedMessage = "機構を削除しました。";
inline constexpr std::string_view kLeagueChangingMessage = "機構が変更されました";
inline constexpr std::string_view kNewLeagueMessage =
    "新規機構に変更します。再度実行してください。";
inline constexpr std::string_view kLeagueChangedMessage =
    "機構が変更されました。再度実行してください。";
inline constexpr std::string_view kLineBreakInFieldMessage =
    "改行を含む名前やファイル名は登録できません。";
inline constexpr std::string_view kSameFileMessage =
    "このチームファイルはすでに登録されています (別の書き方、\"..\"、リンク、大文字・小文字の違いを"
    "含みます)。一つのファイルには一つのチームしか登録できません。";
inline constexpr std::string_view kBadLeagueNameMessage =
    "この名前は機構名に使えません。\n空の名前、\"Main\"、角かっこ ([ ]) "
    "や改行を含む名前は使えません。";
inline constexpr std::string_view kLeagueNamePromptTitle = "機構名の入力";
inline constexpr std::string_view kLeagueNamePrompt =
    "ボルタナオリジナルリーグの機構名を入力してください";

// The three edit fields of an entry.
struct EntryFields {
    std::string firstTeam;
    std::string farmTeam;
    std::string path;
};

// Why an entry was not added or replaced.
enum class EntryRefusal {
    None,       // accepted
    EmptyField, // a field is empty: nothing happens, without a message
    SameNames,  // kSameTeamNamesMessage
    LineBreak,  // kLineBreakInFieldMessage
    SameFile,   // kSameFileMessage: the file of another entry, however spelt
};

// The message of a refusal; empty for None and EmptyField.
std::string refusalMessage(EntryRefusal refusal);

// The fields of an entry text as the edit fields show them: first field, and
// when there is more than one, the second and third (missing ones empty).
EntryFields entryFieldsOf(std::string_view entryText);
// The entry text of three fields; a field with a blank, comma or double quote
// is quoted so that the registry's readers split it back unchanged.
std::string entryTextOf(const EntryFields& fields);

// A chosen file checked as a team file: the edit fields to fill, or the
// message why it is not one.
struct TeamFileCheck {
    std::optional<EntryFields> fields;
    std::string message; // kNotTeamFileMessage when `fields` is empty
    std::string detail;  // the file, and the read error if there was one
};
// "球団名" = first field of "Team" "1軍チーム名", "ファーム球団名" = first field of
// "2軍チーム名", "ファイル名" = the path relative to the program folder when the
// file lies under it, else the full path.
TeamFileCheck checkTeamFile(const std::string& programFolder, const std::string& fullPath);

// One file of a bulk registration.
struct BulkOutcome {
    std::string fileName;
    bool added = false;
    std::string message; // why it was not added (empty: skipped silently)
};

// How a league change went.
enum class LeagueChange {
    Unchanged, // the name is the current league: nothing happened
    Existing,  // changed to a league of the file
    Created,   // a new league section was written
};

class LeagueOrganisation {
public:
    explicit LeagueOrganisation(std::string programFolder);

    const std::string& programFolder() const { return programFolder_; }
    std::string settingsPath() const;

    // Asks for a league name (preset given); nothing when cancelled.
    using AskLeagueName = std::function<std::optional<std::string>(const std::string& preset)>;

    // Reads the leagues and the entries of `currentLeague` without writing
    // (none when the league is not in the file). Throws LeagueError.
    void read(const std::string& currentLeague);

    // The opening of the editor for `currentLeague`: reads the leagues; a
    // current league missing from the file is asked for (the preset is kept
    // when cancelled) and gets an empty section; a missing "Main" is written
    // with `team1`, `team2` (made relative) and the current league. Then the
    // current league's entries are listed. Throws LeagueError (nothing written).
    void load(const std::string& currentLeague, const std::string& team1, const std::string& team2,
              const AskLeagueName& ask);

    // Leagues of the settings file other than "Main", in the selector's order
    // (ignoring letter case, then by bytes); refreshed by every write.
    const std::vector<std::string>& leagues() const { return leagues_; }
    bool hasLeague(std::string_view name) const;
    const std::string& currentLeague() const { return currentLeague_; }
    // The count of the current league as read at load.
    long long loadedCount() const { return loadedCount_; }

    // ---- entries (in memory until saveEntries) ----
    const std::vector<std::string>& entries() const { return entries_; }
    EntryRefusal addEntry(const EntryFields& fields);
    EntryRefusal replaceEntry(std::size_t index, const EntryFields& fields);
    void removeEntry(std::size_t index);
    // Every file directly in `folder` whose extension is exactly ".txt", in
    // name order, checked as a team file and added as addEntry would.
    // Throws LeagueError when the folder cannot be listed.
    std::vector<BulkOutcome> registerFolder(const std::string& folder);

    // ---- writes ----
    // The current league's section: "機構名" empty, "チーム数", "チーム名" + i for
    // every entry (paths under the program folder made relative). Keys of
    // higher indices left from a longer list stay. Throws LeagueError.
    void saveEntries();
    // Makes `name` the current league: creates its section ("機構名" empty,
    // "チーム数" 0) when it is not in the file, and records it as "Main"
    // "機構名". Throws LeagueError (also for a name that cannot be a section).
    LeagueChange changeLeague(const std::string& name);
    // Deletes the current league's section and makes the first remaining
    // league current; false (nothing written) when it is the last league.
    // Throws LeagueError.
    bool deleteCurrentLeague();

    // True when `name` can be a league section name.
    static bool validLeagueName(std::string_view name);

private:
    // Runs `edit` on the settings file read afresh under the exclusive lock and
    // saves it when `edit` returns true.
    bool writeSettings(const std::function<bool(Settings&)>& edit);
    void readLeagues(const Settings& settings);
    // `replacing`: the index of the entry being replaced (not compared), or
    // entries_.size() for a new entry.
    EntryRefusal check(const EntryFields& fields, std::size_t replacing) const;

    std::string programFolder_;
    std::string currentLeague_;
    std::vector<std::string> leagues_;
    std::vector<std::string> entries_;
    long long loadedCount_ = 0;
    bool mainPresent_ = false;
};

} // namespace tenvoll
