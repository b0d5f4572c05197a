// Game team text: player-line recognition and the team block as the game
// reads it (values three lines apart, error markers, pitcher header).
#include "league/GameText.h"
#include "league/GameRules.h"
#include "league/Kyoutuu.h"

#include <gtest/gtest.h>

using namespace tenvoll;

TEST(GameText, PlayerLines) {
    const std::pair<std::string, bool> cases[] = {
        {"P 投手 右 先 145 A B C 4 D E 8 320", true},
        {"1 投手 右 先 145 A B C 4 D E 8 320", true},
        {"p 投手 右 先 145 A B C 4 D E 8 320", true},
        {"d 打者 右 普 A B C D E S A B C D E S A", true},
        {"P 投手 右 先 145 A B C 4 D E 8", false}, // 12 fields
        {"10 投手 右 先 145 A B C 4 D E 8 320", false},
        {"; 投手 投 タ 球速 切 制 安 球 技 ス 回 指数", false},
        {"  監督 1 2 3 4 5 6 7 8 9 1 2 3", false},
    };
    for (const auto& [line, player] : cases)
        EXPECT_EQ(isGamePlayerLine(splitFields(line)), player) << line;
    EXPECT_TRUE(isGamePitcherLine("p x"));
    EXPECT_FALSE(isGamePitcherLine(" P x"));
    EXPECT_FALSE(isGamePitcherLine(""));
}

// Every file writes the variant in one spelling; any letter case reads as it.
TEST(GameText, ToolVariantsAndPitcherCodes) {
    const std::pair<std::string_view, std::optional<ToolVariant>> cases[] = {
        {"標準", ToolVariant::Standard},
        {"Mirel", ToolVariant::Mirel},
        {"mirel", ToolVariant::Mirel},
        {"MIREL", ToolVariant::Mirel},
        {"", std::nullopt},
        {"Mirel ", std::nullopt},
        {"他", std::nullopt},
    };
    for (const auto& [text, variant] : cases) {
        EXPECT_EQ(parseToolVariant(text), variant) << text;
        EXPECT_EQ(normalisedToolText(text), variant ? toolVariantText(*variant) : "") << text;
    }
    for (ToolVariant v : kToolVariants)
        EXPECT_EQ(parseToolVariant(toolVariantText(v)), v);

    // Stored codes are exact; the game's own lines may write "p".
    EXPECT_TRUE(isPitcherCode("P"));
    EXPECT_FALSE(isPitcherCode("p"));
    EXPECT_TRUE(isGamePitcherCode("p"));
    EXPECT_FALSE(isGamePitcherCode("1"));
}

TEST(GameText, TeamBlockLayout) {
    GameTeamBlock block{"甲 甲 ◆ 甲球場", "", "監督 1 2 3 4 5 6 7 8 9", {}};
    block.playerLines.assign(28, "");
    block.playerLines[0] = "D 打者一";
    block.playerLines[2] = "- 打者三";
    block.playerLines[16] = "P 投手一";
    const std::vector<std::string> expected = {
        ";--------------------------------------------------------------------",
        "; チーム名                  略称         記    球場",
        "  甲 甲 ◆ 甲球場",
        "",
        "; UNIFORM                   SYMBOL       BGM",
        "  1U,Error",
        "",
        "; 監督             タ 投 選 打 バ エ 盗 Ａ 抑",
        "  監督 1 2 3 4 5 6 7 8 9",
        "",
        "; 野手             席 タ C 1 2 3 S O 肩 足 眼 実 ス 巧 長 信 対 指数   齢 Sp Pw Se Ph Me "
        "Ac 誠",
        "D 打者一",
        "- 打者三",
        "",
        "; 投手             投 タ 球速 切 制 安 球 技 ス  回 指数   齢 Sp Pw Se Ph Me Ac 誠",
        "P 投手一",
        "",
    };
    EXPECT_EQ(gameTeamBlockLines(block), expected);

    GameTeamBlock empty;
    auto lines = gameTeamBlockLines(empty);
    EXPECT_EQ(lines[2], "  1T,Error");
    EXPECT_EQ(lines[8], "  1K,Error");
    EXPECT_EQ(lines.size(), 14u);
}
