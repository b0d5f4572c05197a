// The game's rules the whole program shares, each in one place: the roster's
// slot layout, the position codes, the statistics line widths, the games of a
// season and the two text variants ("ツール") of the game's files.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tenvoll {

// Roster slots of a team file: 0-27 the first team, 28-55 the farm team; in
// each half the first 16 are batters, the last 12 pitchers.
inline constexpr int kSlotCount = 56;
inline constexpr int kFarmFirstSlot = 28;
inline constexpr int kBatterSlotsPerTeam = 16;
inline constexpr int kPitcherSlotsPerTeam = 12;
static_assert(kSlotCount == 2 * kFarmFirstSlot &&
              kFarmFirstSlot == kBatterSlotsPerTeam + kPitcherSlotsPerTeam);

// Position codes: "2" ... "9" the fielding positions, "D" designated hitter,
// "-" a fielder without a position, "P" pitcher.
inline constexpr std::string_view kPitcherCode = "P";
inline constexpr std::string_view kBenchCode = "-";
inline constexpr std::string_view kDesignatedHitterCode = "D";

// The pitcher test on a position code as the program stores it ("P" exactly).
constexpr bool isPitcherCode(std::string_view code) {
    return code == kPitcherCode;
}
// The same test on the game's own lines, which may write the code in lower case.
constexpr bool isGamePitcherCode(std::string_view code) {
    return code == kPitcherCode || code == "p";
}

// Fields of a first-team statistics line (and of its career totals).
inline constexpr std::size_t kBatterStatisticsFields = 17;
inline constexpr std::size_t kPitcherStatisticsFields = 18;
constexpr std::size_t statisticsFieldCount(bool pitcher) {
    return pitcher ? kPitcherStatisticsFields : kBatterStatisticsFields;
}

// Games of a season: the games box's range and default, also used when
// "seiseki.ini" gives none.
inline constexpr long long kDefaultGames = 150;
inline constexpr long long kMinGames = 1;
inline constexpr long long kMaxGames = 999;

// The text variant of the game's files a team was taken from, stored as
// "ツール" in a league's settings and in its team files.
enum class ToolVariant { Standard, Mirel };
inline constexpr ToolVariant kToolVariants[] = {ToolVariant::Standard, ToolVariant::Mirel};

// "標準" or "Mirel", as written to every file and shown in the tool boxes.
constexpr std::string_view toolVariantText(ToolVariant variant) {
    return variant == ToolVariant::Mirel ? "Mirel" : "標準";
}
// The variant a stored or typed text names, letter case ignored; nothing for
// any other text (an empty or unknown "ツール").
std::optional<ToolVariant> parseToolVariant(std::string_view text);
// The text of the variant `text` names, in its one spelling; empty when none.
std::string_view normalisedToolText(std::string_view text);

} // namespace tenvoll
