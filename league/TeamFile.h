// The team file: an INI store with the section "Team" (names, uniforms,
// managers, tool, 56 roster slots) and one section per player holding his
// history term by term. These helpers read and write that layout.
#pragma once

#include "league/GameRules.h" // kSlotCount and the other rules of the roster
#include "league/IniStore.h"
#include "league/Settings.h" // kToolKey: a league's tool, written into its team files

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kTeamSection = "Team";
inline constexpr std::string_view kTeamHeaderKeys[6] = {"1軍チーム名", "1軍UNIFORM", "1軍監督",
                                                        "2軍チーム名", "2軍UNIFORM", "2軍監督"};

// Player section keys.
inline constexpr std::string_view kFirstTerm = "新規";
inline constexpr std::string_view kLastTerm = "最終";
inline constexpr std::string_view kComment = "コメント";
inline constexpr std::string_view kPitcher = "投手";
inline constexpr std::string_view kCareer = "通算成績";

// Terms are written with four digits; a wider span only comes from damaged files.
inline constexpr long long kMaxTermSpan = 10000;
// "新規" and "最終" are read saturated to this range, so that no reader's term
// arithmetic can overflow on a damaged value.
inline constexpr long long kTermLimit = 1'000'000'000;

long long clampedTerm(long long term);

// A team file is recognised by its section "Team".
bool isTeamFile(const IniStore& team);
// No section "Team" but player sections, or lines of team-file keys
// ("新規=3", "0004能力=…") without their section lines: a team file whose
// "[Team]" line or section lines were damaged or lost, not game text. Its
// players' history must not be thrown away or rewritten.
bool isDamagedTeamFile(const IniStore& team);
std::string damagedTeamFileMessage(const std::string& path, const IniStore& team);

// Field 0 of "1軍チーム名": the team's name everywhere in the program.
std::string teamDisplayName(const IniStore& team);

struct RosterSlot {
    std::string position;
    std::string name;
};
// The slot's position code and player name; empty when the slot key is missing.
std::optional<RosterSlot> rosterSlot(const IniStore& team, int slot);

// Read-only view of one player section.
class PlayerRecord {
public:
    explicit PlayerRecord(const IniSection& section) : s_(section) {}
    const std::string& name() const { return s_.name(); }
    long long firstTerm() const { return clampedTerm(s_.integer(kFirstTerm, 0)); }
    long long lastTerm() const { return clampedTerm(s_.integer(kLastTerm, 0)); }
    bool isPitcher() const { return s_.boolean(kPitcher, true); }
    std::string termValue(long long term, std::string_view what) const;
    // The non-empty statistics lines of the terms "新規" to "最終", in term order.
    std::vector<std::string> statisticsLines() const;

private:
    const IniSection& s_;
};

// Recomputes "通算成績" of one player; throws LeagueError naming the player.
void recomputeCareerTotals(IniSection& player);
// Recomputes "通算成績" of every player section of a team file.
void recomputeAllCareerTotals(IniStore& team);

} // namespace tenvoll
