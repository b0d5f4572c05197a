// The sample's values as the league's texts: game player lines, statistics
// lines (stored and game-table forms) and the statistics-mark records.
#pragma once

#include "league/IniStore.h"
#include "tools/sample-league/SampleSimulation.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll::sample {

// The fields of a game player line: abilities, ";", aptitudes. `position`
// replaces the player's own position code when given (his roster slot's).
std::vector<std::string> gameLineFields(const Player& p, const Season& s,
                                        std::string_view position = {});
// The line as the game writes it (ability columns padded).
std::string gameLine(const Player& p, const Season& s, std::string_view position = {});

// A first-team statistics line as the team file stores it: 17 (batter) or 18
// (pitcher) fields, each followed by one blank; field 10 of a pitcher is the
// extra outs.
std::string storedStatsLine(const std::string& name, const std::string& team, bool pitching,
                            const Counts& c);
// The same line as the game's statistics table writes it: a pitcher's extra
// outs as "1/3" or "2/3", and no such field when there are none.
std::string tableStatsLine(const std::string& name, const std::string& team, bool pitching,
                           const Counts& c);

inline constexpr const char* kBattingHeading =
    "打率 試合 打数 安打 ２塁打 ３塁打 本塁打 打点 犠打 四死球 三振 盗塁 失策 長打率 出塁率";
inline constexpr const char* kPitchingHeading =
    "防御 試合 完投 勝 負 セーブ Ｐ 回 被安打 被本塁打 四死球 奪三振 自責点 勝率 三振率";

// One term's statistics-mark section: the 30 records computed from that
// term's first-team statistics lines, qualification by `games`.
void appendStatsMarks(IniSection& section, const std::vector<std::string>& lines, int games);

} // namespace tenvoll::sample
