// The game's team text file: header lines, line kinds and the block layout
// (team name, uniform and manager values three lines apart, then fielders and
// pitchers), first team first, farm team second.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kRuleLine =
    ";--------------------------------------------------------------------";
inline constexpr std::string_view kTeamNameHeader =
    "; チーム名                  略称         記    球場";
inline constexpr std::string_view kUniformHeader = "; UNIFORM                   SYMBOL       BGM";
inline constexpr std::string_view kManagerHeader = "; 監督             タ 投 選 打 バ エ 盗 Ａ 抑";
inline constexpr std::string_view kBatterHeader =
    "; 野手             席 タ C 1 2 3 S O 肩 足 眼 実 ス 巧 長 信 対 指数   齢 Sp Pw Se Ph Me Ac "
    "誠";
inline constexpr std::string_view kPitcherHeader =
    "; 投手             投 タ 球速 切 制 安 球 技 ス  回 指数   齢 Sp Pw Se Ph Me Ac 誠";

// A player line of a growth or new-player file: at least 13 fields and a first
// field "-", "P", "D" or "1" ... "9" (ignoring case).
bool isGamePlayerLine(const std::vector<std::string>& fields);
// The player counts as a pitcher when the line starts with "P" (ignoring case).
bool isGamePitcherLine(std::string_view line);

// One team block as the exporter writes it: header values (written after two
// blanks, or the given error marker when empty) and up to 28 player lines
// (the first 16 fielders, the last 12 pitchers; empty entries are skipped).
struct GameTeamBlock {
    std::string teamName;
    std::string uniform;
    std::string manager;
    std::vector<std::string> playerLines; // 28 entries, "" for an empty place
};
std::vector<std::string> gameTeamBlockLines(const GameTeamBlock& block);

} // namespace tenvoll
