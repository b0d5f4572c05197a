// The 30 statistics a league's players are ranked by (15 batting, 15
// pitching) and the columns of a ranking row: the one home of which items
// exist, which statistic of a statistics line each one is, and how the ranking
// list, its CSV file and the chart name them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tenvoll {

inline constexpr int kRankingItemCount = 30;
inline constexpr int kFirstPitcherItem = 15;
inline constexpr std::size_t kRankingColumnCount = 18;

// The item texts of "対象成績", index 0-29 (0-14 batters, 15-29 pitchers).
const std::array<std::string_view, kRankingItemCount>& rankingItems();
// The index of an item text (exact), or of "0" ... "29".
std::optional<int> rankingItemIndex(std::string_view text);
inline bool isPitcherItem(int item) {
    return item >= kFirstPitcherItem;
}
// The list column an item is ranked by (2-16).
int rankingSortColumn(int item);
// Statistic number k of an item (1-16 per kind).
int statisticNumber(int item);

using RankingRow = std::array<std::string, kRankingColumnCount>;
// "名前", "略", the statistics of the item's kind, "期別".
RankingRow rankingCaptions(int item);

} // namespace tenvoll
