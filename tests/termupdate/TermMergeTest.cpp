// The term update's merge on strings: which statistics line a player keeps
// and how it is rewritten, the order in which the merge asks for its files
// (one after the other, each once), and players met in several files.
#include "termupdate/TermMerge.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/TextCodec.h"

#include <gtest/gtest.h>
#include <map>

using namespace tenvoll;

namespace {

const std::string kRedsHeader = "  レッズ  レ  赤  赤球場\n\n\n  赤  R  曲1\n\n\n  赤監督  4\n";
const std::string kFarmHeader =
    "  レッズ二軍  レ二  赤  二軍球場\n\n\n  赤  R  曲2\n\n\n  赤二監督  3\n";

std::string fielder(const std::string& name) {
    return "7 " + name + " 右 普 E E E E E C C 3 3 3 3 3 5 3 3 100 | 20\n";
}
std::string pitcher(const std::string& name) {
    return "P " + name + " 右 速 140 3 3 3 3 3 3 4 200 | 20\n";
}

std::vector<std::string> linesOf(const std::string& text) {
    return splitLines(text);
}

// Files as strings; records every request in order.
class StringSources : public TermSources {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> asked;

    std::string teamFileText(std::size_t team) override {
        return text("team" + std::to_string(team));
    }
    std::vector<std::string> listFileLines(const std::string& path) override {
        return linesOf(text(path));
    }
    std::optional<std::string> existingText(const std::string& path) override {
        asked.push_back(path);
        auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<std::string> existingBytes(const std::string& path) override {
        return existingText(path);
    }

private:
    std::string text(const std::string& name) {
        asked.push_back(name);
        auto it = files.find(name);
        if (it == files.end())
            throw LeagueError("no file " + name);
        return it->second;
    }
};

// One team (レッズ / レッズ二軍) whose team file holds `teamFile`, term 5.
struct OneTeamLeague {
    TermMergeInput input;
    StringSources sources;

    explicit OneTeamLeague(const std::string& teamFile, const std::string& growth) {
        input.newTerm = 5;
        input.tool = ToolVariant::Standard;
        input.entries = {{"レッズ", "レッズ二軍", "\\reds.txt"}};
        input.teamPaths = {"reds.txt"};
        input.growthFiles = {"growth"};
        input.statisticsFiles = {"stats"};
        input.statisticsPath = "0004期一軍成績.txt";
        input.unsignedPath = "unsigned";
        input.top10Path = "Top10.txt";
        input.seisekiPath = "seiseki.ini";
        sources.files["team0"] = teamFile;
        sources.files["growth"] = growth;
        sources.files["stats"] = "";
    }

    TermOutputs merge() {
        TermUpdateReporter quiet;
        TermProgress progress(quiet);
        return mergeTerm(input, sources, progress);
    }
};

const OutputFile& outputNamed(const TermOutputs& out, const std::string& path) {
    for (const auto& f : out.files)
        if (f.path == path)
            return f;
    throw std::runtime_error("no output " + path);
}

} // namespace

// The line a player's "0004成績" gets and what the first-team file keeps.
struct StatisticsCase {
    const char* name;
    std::string statisticsLines;
    std::string player;
    std::string stored;    // the player's "0004成績" (empty: none stored)
    std::string fileLines; // the first-team statistics file
};

class MergeStatistics : public ::testing::TestWithParam<StatisticsCase> {};

TEST_P(MergeStatistics, StoresAndKeepsTheRightLine) {
    const StatisticsCase& c = GetParam();
    // 赤 pitches for the first team, 野 fields for it, 二 is on the farm.
    OneTeamLeague league("[Team]\r\n",
                         kRedsHeader + pitcher("赤") + fielder("野") + kFarmHeader + fielder("二"));
    league.sources.files["stats"] = c.statisticsLines;
    TermOutputs out = league.merge();

    IniStore reds = IniStore::parse(outputNamed(out, "reds.txt").content);
    EXPECT_EQ(reds.value(c.player, "0004成績"), c.stored);
    EXPECT_EQ(outputNamed(out, "0004期一軍成績.txt").content, c.fileLines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeStatistics,
    ::testing::Values(
        // The outs of a pitching line keep their first character.
        StatisticsCase{"OutsCutToOneCharacter",
                       "赤 レ 2.50 25 3 12 8 0 0 180 2/3 160 15 50 150 50 .600 7.49\n", "赤",
                       "赤 レ 2.50 25 3 12 8 0 0 180 2 160 15 50 150 50 .600 7.49 ",
                       "赤 レ 2.50 25 3 12 8 0 0 180 2 160 15 50 150 50 .600 7.49 \r\n"},
        // A pitcher's line without outs gets a "0" in their place.
        StatisticsCase{"PitchingLineWithoutOuts",
                       "赤 レ 2.50 25 3 12 8 0 0 180 160 15 50 150 50 .600 7.49\n", "赤",
                       "赤 レ 2.50 25 3 12 8 0 0 180 0 160 15 50 150 50 .600 7.49 ",
                       "赤 レ 2.50 25 3 12 8 0 0 180 0 160 15 50 150 50 .600 7.49 \r\n"},
        // A pitcher's batting line ("1.000" is an average too) is neither stored nor kept.
        StatisticsCase{"PitchersBattingLine", "赤 レ 1.000 20 1 1 0 0 0 1 0 0 0 0 0 1.000 1.000\n",
                       "赤", "", ""},
        // Of a player's two lines the first is stored and kept.
        StatisticsCase{"FirstOfTwoLines",
                       "打率 試合\n野 レ .310 140 480 149 25 2 20 80 3 50 90 12 4 .520 .375\n"
                       "野 レ .250 10 40 10 1 0 1 5 0 4 8 0 1 .375 .318\n",
                       "野", "野 レ .310 140 480 149 25 2 20 80 3 50 90 12 4 .520 .375 ",
                       "野 レ .310 140 480 149 25 2 20 80 3 50 90 12 4 .520 .375 \r\n"},
        // Farm lines are dropped; a player of no team of the league stays in the file.
        StatisticsCase{"FarmDroppedStrangerKept",
                       "二 レ .280 50 150 42 8 1 3 20 2 10 30 5 3 .414 .325\n"
                       "謎 他 .290 100 300 87 10 2 8 40 1 20 50 3 2 .420 .335\n",
                       "二", "", "謎 他 .290 100 300 87 10 2 8 40 1 20 50 3 2 .420 .335 \r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The merge reads one file after the other, in the order of the steps, each
// once: the run reports and streams by it.
TEST(TermMerge, AsksForEachFileOnceInStepOrder) {
    OneTeamLeague league("[Team]\r\n", kRedsHeader + fielder("野") + kFarmHeader);
    league.input.newPlayerFiles = {"newcomers"};
    league.sources.files["newcomers"] = kRedsHeader + fielder("新");
    league.sources.files["seiseki.ini"] = "[3]\r\n";
    TermOutputs out = league.merge();

    EXPECT_EQ(league.sources.asked, (std::vector<std::string>{"team0", "newcomers", "growth",
                                                              "stats", "unsigned", "seiseki.ini"}));
    std::vector<std::string> written;
    for (const auto& f : out.files)
        written.push_back(f.path);
    EXPECT_EQ(written, (std::vector<std::string>{"0004期一軍成績.txt", "reds.txt", "unsigned",
                                                 "Top10.txt", "seiseki.ini"}));
    // The new term's section goes in front of the old bytes, left as they were.
    EXPECT_TRUE(outputNamed(out, "seiseki.ini").content.ends_with("\r\n[3]\r\n"));
    EXPECT_TRUE(outputNamed(out, "seiseki.ini").encoded);
}

// Sections met twice: the team files' copies share one section (reported
// once, the later file winning key by key); the unsigned file of the term
// keeps its players and wins over the league's values.
TEST(TermMerge, PlayersMetTwiceShareOneSection) {
    OneTeamLeague league("", kRedsHeader + fielder("野") + kFarmHeader);
    league.input.entries.push_back({"ブルーズ", "ブルーズ二軍", "\\blues.txt"});
    league.input.entries.push_back({"ホワイツ", "ホワイツ二軍", "\\whites.txt"});
    league.input.teamPaths = {"reds.txt", "blues.txt", "whites.txt"};
    league.sources.files["team0"] = "[Team]\r\n[旧]\r\n最終=4\r\nコメント=赤\r\n";
    league.sources.files["team1"] = "[Team]\r\n[旧]\r\n最終=4\r\nコメント=青\r\n0003能力=青\r\n";
    league.sources.files["team2"] = "[Team]\r\n[旧]\r\n最終=4\r\n";
    league.sources.files["unsigned"] = "[旧]\r\n0003能力=未\r\n[去]\r\n最終=4\r\n";
    std::string headers;
    for (const char* team : {"ブルーズ", "ブルーズ二軍", "ホワイツ", "ホワイツ二軍"})
        headers += std::string("  ") + team + "\n\n\n  U\n\n\n  M\n";
    league.sources.files["growth"] += headers;
    TermOutputs out = league.merge();

    EXPECT_EQ(out.sharedNames, std::vector<std::string>{"旧"});
    IniStore unsignedPlayers = IniStore::parse(outputNamed(out, "unsigned").content);
    EXPECT_EQ(unsignedPlayers.sectionNames(), (std::vector<std::string>{"旧", "去"}));
    EXPECT_EQ(unsignedPlayers.value("旧", "コメント"), "青");
    EXPECT_EQ(unsignedPlayers.value("旧", "0003能力"), "未");
    EXPECT_EQ(out.unsignedPlayers, 2u);
}
