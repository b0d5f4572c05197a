// The 56 roster slots as the opening order sees them: each half (first team
// 0-27, farm team 28-55) holds a batting order of nine, a bench of seven, six
// starters, four middle relievers and two closers. Labels, icons, position
// codes and the position check of a finished order.
#pragma once

#include "league/GameRules.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

enum class SlotRole { BattingOrder, Bench, Starter, Middle, Closer };

SlotRole slotRole(int slot);
// "1番" … "9番", "代1" … "代7", "先1" … "先6", "中1" … "中4", "抑1", "抑2".
std::string orderLabel(int slot);
// Batting order and bench take the batter icon, the pitchers' slots the pitcher icon.
bool isBatterSlot(int slot);

// The position entries of the order list's pop-up menu, in menu order.
struct PositionEntry {
    std::string_view caption;
    std::string_view code;
};
inline constexpr std::array<PositionEntry, 10> kPositionEntries{{
    {"キャッチャー", "2"},
    {"ファースト", "3"},
    {"セカンド", "4"},
    {"サード", "5"},
    {"ショート", "6"},
    {"レフト", "7"},
    {"センター", "8"},
    {"ライト", "9"},
    {"DH", "D"},
    {"控え", "-"},
}};
// True for a code the pop-up menu can set.
bool isSettablePosition(std::string_view code);

// Each batting order holds "2" … "9" and "D" once in any order, the bench only
// "-", the pitchers' slots only "P"; the first failure ends the check.
// `positions` holds the codes of slots 0-55 in slot order.
bool positionsComplete(const std::vector<std::string>& positions);

} // namespace tenvoll
