// The small league of the opening-order tests.
#include "OrderLeague.h"

#include "league/Paths.h"
#include "support/TestFiles.h"

namespace tenvoll::test {

namespace {

std::string positionOf(int slot) {
    static const char* const kOrder[] = {"2", "3", "4", "5", "6", "7", "8", "9", "D"};
    const int s = slot % 28;
    if (s < 9)
        return kOrder[s];
    return s < 16 ? "-" : "P";
}

} // namespace

std::string orderTeamText(const std::string& name, const std::string& prefix,
                          const std::string& tool) {
    std::string t = "[Team]\n";
    t += "1軍チーム名=  " + name + " " + name + " ◆ " + name + "球場\n";
    t += "1軍UNIFORM=  UNI SYM BGM\n";
    t += "1軍監督=  監督" + prefix + " +1 0 -1 +2 -2 0 0 0 0\n";
    t += "2軍チーム名=  " + name + "二 " + name + "二 ◆ " + name + "二球場\n";
    t += "2軍UNIFORM=  UNI SYM BGM\n";
    t += "2軍監督=  二軍監督" + prefix + " 0 0 0 0 0 0 0 0 0\n";
    t += "ツール=" + tool + "\n";
    for (int slot = 0; slot < 56; ++slot)
        t += std::to_string(slot) + "=" + positionOf(slot) + " " + prefix + std::to_string(slot) +
             "\n";
    for (int slot = 0; slot < 56; ++slot) {
        const bool pitcher = positionOf(slot) == "P";
        t += "[" + prefix + std::to_string(slot) + "]\n";
        t += std::string("新規=") + (slot == 0 ? "3" : "1") + "\n最終=3\n";
        t += "ツール=" + tool + "\nコメント=\n投手=" + (pitcher ? "1" : "0") + "\n";
        t += "0002能力=" + positionOf(slot) + " " + prefix + std::to_string(slot) + "\n";
        t += "0002所属=" + (slot == 1 ? std::string("他球団") : name) + "\n";
        t += "0003能力=" + positionOf(slot) + " " + prefix + std::to_string(slot) + "\n";
        t += "0003所属=\n";
    }
    return t;
}

OrderLeague::OrderLeague(std::string folder) : programFolder(std::move(folder)) {
    writeCp932(joinPath(programFolder, "Tenvoll.ini"),
               "[Main]\nTeam1=\\L\\team01.txt\nTeam2=\\L\\team02.txt\n機構名=テスト機構\n["
               "テスト機構]\n機構名=\nチーム数=2\n"
               "チーム名0=甲,甲二,\\L\\team01.txt\nチーム名1=乙,乙二,\\L\\team02.txt\n");
    teamFile[0] = joinPath(joinPath(programFolder, "L"), "team01.txt");
    teamFile[1] = joinPath(joinPath(programFolder, "L"), "team02.txt");
    writeCp932(teamFile[0], orderTeamText("甲", "甲", "標準"));
    writeCp932(teamFile[1], orderTeamText("乙", "乙", "Mirel"));
    copyFile = joinPath(joinPath(programFolder, "L"), "team01.tvl");
}

LeagueEntry OrderLeague::entry(int team) const {
    return team == 0 ? LeagueEntry{"甲", "甲二", "\\L\\team01.txt"}
                     : LeagueEntry{"乙", "乙二", "\\L\\team02.txt"};
}

} // namespace tenvoll::test
