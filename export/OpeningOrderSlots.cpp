// Slot roles, order labels and the position check.
#include "export/OpeningOrderSlots.h"

#include "league/TeamFile.h"

#include <algorithm>

namespace tenvoll {

namespace {

constexpr int kBenchFirst = 9;
constexpr int kStarterFirst = 16;
constexpr int kMiddleFirst = 22;
constexpr int kCloserFirst = 26;

// Slot within its half: 0-27.
int slotInHalf(int slot) {
    return slot >= kFarmFirstSlot ? slot - kFarmFirstSlot : slot;
}

} // namespace

SlotRole slotRole(int slot) {
    const int s = slotInHalf(slot);
    if (s < kBenchFirst)
        return SlotRole::BattingOrder;
    if (s < kStarterFirst)
        return SlotRole::Bench;
    if (s < kMiddleFirst)
        return SlotRole::Starter;
    if (s < kCloserFirst)
        return SlotRole::Middle;
    return SlotRole::Closer;
}

std::string orderLabel(int slot) {
    const int s = slotInHalf(slot);
    switch (slotRole(slot)) {
    case SlotRole::BattingOrder:
        return std::to_string(s + 1) + "番";
    case SlotRole::Bench:
        return "代" + std::to_string(s - kBenchFirst + 1);
    case SlotRole::Starter:
        return "先" + std::to_string(s - kStarterFirst + 1);
    case SlotRole::Middle:
        return "中" + std::to_string(s - kMiddleFirst + 1);
    case SlotRole::Closer:
        return "抑" + std::to_string(s - kCloserFirst + 1);
    }
    return {};
}

bool isBatterSlot(int slot) {
    const SlotRole role = slotRole(slot);
    return role == SlotRole::BattingOrder || role == SlotRole::Bench;
}

bool isSettablePosition(std::string_view code) {
    return std::any_of(kPositionEntries.begin(), kPositionEntries.end(),
                       [&](const PositionEntry& e) { return e.code == code; });
}

bool positionsComplete(const std::vector<std::string>& positions) {
    if (positions.size() < static_cast<std::size_t>(kSlotCount))
        return false;
    for (int half : {0, kFarmFirstSlot}) {
        std::vector<std::string> remaining{"2", "3", "4", "5", "6", "7", "8", "9", "D"};
        for (int s = half; s < half + kFarmFirstSlot; ++s) {
            const std::string& code = positions[static_cast<std::size_t>(s)];
            switch (slotRole(s)) {
            case SlotRole::BattingOrder: {
                auto it = std::find(remaining.begin(), remaining.end(), code);
                if (it == remaining.end())
                    return false;
                remaining.erase(it);
                break;
            }
            case SlotRole::Bench:
                if (code != kBenchCode)
                    return false;
                break;
            default:
                if (!isPitcherCode(code))
                    return false;
                break;
            }
        }
    }
    return true;
}

} // namespace tenvoll
