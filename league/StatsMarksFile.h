// "seiseki.ini" of a league folder: one section per term (named by the term in
// plain decimal, newest first), 30 keys in a fixed order — pitching keys at
// positions 0-14, batting keys at 15-29 ("四死球" occurs in both halves, so the
// keys are read by position). Each value: best, mean, variance, tenth-highest,
// tenth-lowest, count.
#pragma once

#include "league/IniStore.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kStatsMarksFileName = "seiseki.ini";
inline constexpr std::size_t kFirstBattingKey = 15;

inline constexpr std::array<std::string_view, 30> kStatsMarkKeys = {
    "防御率",       "試合数(投手)", "完投",   "勝ち数", "負け数", "セーブ", "セーブ数", "投球回数",
    "被安打",       "被本塁打",     "四死球", "奪三振", "自責点", "勝率",   "三振率",   "打率",
    "試合数(打者)", "打数",         "安打",   "２塁打", "３塁打", "本塁打", "打点",     "犠打",
    "四死球",       "三振",         "盗塁",   "失策",   "長打率", "出塁率"};

// "試合数(打者)": its best value is the number of games of the term.
inline constexpr std::string_view kBatterGamesKey = kStatsMarkKeys[kFirstBattingKey + 1];

// At-bats a batter needs to qualify (rate keys, the player history's marks):
// floor(games × 3.1). Pitchers qualify with as many innings as games.
long long qualifyingAtBats(long long games);

// One key's record split into its fields.
struct MarkRecord {
    std::vector<std::string> fields;
    // A record marks nothing when its best value is "0" or it has fewer than three fields.
    bool marks() const { return fields.size() >= 3 && fields[0] != "0"; }
    // Field i as a whole number (points removed); `fallback` when missing or no number.
    long long number(std::size_t i, long long fallback = 0) const;
};

class StatsMarksFile {
public:
    // The league folder's "seiseki.ini", or nothing when it does not exist.
    // Throws LeagueError when it exists but cannot be read.
    static std::optional<StatsMarksFile> loadFromFolder(const std::string& leagueFolder);
    // The same, kept from the last call while the file's identity, size and
    // modification time stay the same: a window opening team after team of one
    // league reads the file once. The program replaces the file by a rename,
    // which gives it a new identity; null when there is no file.
    static std::shared_ptr<const StatsMarksFile> loadKept(const std::string& leagueFolder);
    explicit StatsMarksFile(IniStore ini) : ini_(std::move(ini)) {}

    // The section with the highest term number (sections not named by a number are passed over).
    const IniSection* highestTermSection() const;
    // The first section of the file (the newest one written).
    const IniSection* firstSection() const;
    const IniSection* sectionForTerm(std::string_view term) const { return ini_.section(term); }

    // The record at a key position of a section ("0" when the position is missing).
    static MarkRecord recordAt(const IniSection& section, std::size_t position);
    // Games: the best value of "試合数(打者)" (position 16) of a section.
    static long long games(const IniSection& section, long long fallback);

private:
    IniStore ini_;
};

} // namespace tenvoll
