// Game team text: player-line recognition and the block writer.
#include "league/GameText.h"

#include "league/GameRules.h"
#include "league/Kyoutuu.h"

namespace tenvoll {

bool isGamePlayerLine(const std::vector<std::string>& f) {
    if (f.size() < 13)
        return false;
    const std::string& code = f[0];
    if (code.size() != 1)
        return false;
    char c = code[0];
    return c == '-' || c == 'P' || c == 'p' || c == 'D' || c == 'd' || (c >= '1' && c <= '9');
}

bool isGamePitcherLine(std::string_view line) {
    return !line.empty() && isGamePitcherCode(line.substr(0, 1));
}

std::vector<std::string> gameTeamBlockLines(const GameTeamBlock& b) {
    auto value = [](const std::string& v, std::string_view marker) {
        return "  " + (v.empty() ? std::string(marker) : v);
    };
    std::vector<std::string> out = {std::string(kRuleLine),
                                    std::string(kTeamNameHeader),
                                    value(b.teamName, "1T,Error"),
                                    "",
                                    std::string(kUniformHeader),
                                    value(b.uniform, "1U,Error"),
                                    "",
                                    std::string(kManagerHeader),
                                    value(b.manager, "1K,Error"),
                                    "",
                                    std::string(kBatterHeader)};
    for (std::size_t k = 0; k < static_cast<std::size_t>(kFarmFirstSlot); ++k) {
        if (k == static_cast<std::size_t>(kBatterSlotsPerTeam)) {
            out.emplace_back();
            out.emplace_back(kPitcherHeader);
        }
        if (k < b.playerLines.size() && !b.playerLines[k].empty())
            out.push_back(b.playerLines[k]);
    }
    out.emplace_back();
    return out;
}

} // namespace tenvoll
