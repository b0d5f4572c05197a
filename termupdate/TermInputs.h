// The two numbers the term-update window's spin boxes give every operation:
// the new term S (the term just played is S − 1) and the games G of a season.
#pragma once

#include "league/GameRules.h"
#include "league/LeagueError.h"

#include <string>

namespace tenvoll {

inline constexpr long long kMaxTerm = 999;

// A new term below 1 would write data of term −1 ("-0001" keys); refuse it.
inline void checkNewTerm(long long newTerm) {
    if (newTerm < 1 || newTerm > kMaxTerm)
        throw LeagueError("期は1から" + std::to_string(kMaxTerm) + "までの値にしてください。",
                          "指定された期: " + std::to_string(newTerm));
}

inline void checkGames(long long games) {
    if (games < kMinGames || games > kMaxGames)
        throw LeagueError("試合数は" + std::to_string(kMinGames) + "から" +
                              std::to_string(kMaxGames) + "までの値にしてください。",
                          "指定された試合数: " + std::to_string(games));
}

} // namespace tenvoll
