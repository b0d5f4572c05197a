// The ranking items, their statistics and the list's captions.
#include "league/RankingItems.h"

#include "league/Numbers.h"

namespace tenvoll {

namespace {

constexpr std::array<std::string_view, kRankingItemCount> kItems = {
    "野手_打率",     "野手_試合数", "野手_打数",     "野手_安打数", "野手_２塁打",   "野手_３塁打",
    "野手_本塁打",   "野手_打点",   "野手_犠打",     "野手_四死球", "野手_三振数",   "野手_盗塁数",
    "野手_失策数",   "野手_長打率", "野手_出塁率",   "投手_防御率", "投手_試合数",   "投手_完投",
    "投手_勝数",     "投手_負数",   "投手_セーブ",   "投手_SP",     "投手_投球回数", "投手_被安打",
    "投手_被本塁打", "投手_予四球", "投手_奪三振数", "投手_自責点", "投手_勝率",     "投手_三振率"};

constexpr std::array<std::string_view, 16> kBatterCaptions = {
    "打率", "試", "打", "安", "２", "３",   "本",   "点",
    "犠",   "四", "振", "盗", "失", "長打", "出塁", "期別"};
constexpr std::array<std::string_view, 16> kPitcherCaptions = {
    "防率", "試", "完", "勝", "負", "Ｓ",   "Ｐ",   "回",
    "被安", "本", "四", "振", "点", "勝率", "三振", "期別"};

} // namespace

int statisticNumber(int item) {
    if (item < kFirstPitcherItem)
        return item + 1;
    return item <= 22 ? item - 14 : item - 13;
}

const std::array<std::string_view, kRankingItemCount>& rankingItems() {
    return kItems;
}

std::optional<int> rankingItemIndex(std::string_view text) {
    for (int i = 0; i < kRankingItemCount; ++i)
        if (kItems[i] == text)
            return i;
    auto n = parseInteger(text);
    if (n && *n >= 0 && *n < kRankingItemCount && std::to_string(*n) == text)
        return static_cast<int>(*n);
    return std::nullopt;
}

int rankingSortColumn(int item) {
    int k = statisticNumber(item);
    return isPitcherItem(item) && k > 9 ? k : k + 1;
}

RankingRow rankingCaptions(int item) {
    RankingRow captions;
    captions[0] = "名前";
    captions[1] = "略";
    const auto& kind = isPitcherItem(item) ? kPitcherCaptions : kBatterCaptions;
    for (std::size_t i = 0; i < kind.size(); ++i)
        captions[i + 2] = std::string(kind[i]);
    return captions;
}

} // namespace tenvoll
