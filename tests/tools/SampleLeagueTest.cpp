// The sample generator: its folders load with the league library, hold what a
// term update leaves, pass the data check, and are the same for the same seed.
#include "tools/sample-league/SampleLeague.h"
#include "league/FileAccess.h"
#include "league/GameText.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Settings.h"
#include "league/StatsMarksFile.h"
#include "league/TeamFile.h"
#include "league/TeamFileConversion.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace tenvoll;
using namespace tenvoll::sample;
using tenvoll::test::TempFolder;

namespace {

constexpr SampleOptions kSmall{3, 4, 60, 7};

class SampleLeague : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempFolder;
        summary = new SampleSummary(writeSampleLeague(folder->path(), kSmall));
    }
    static void TearDownTestSuite() {
        delete summary;
        delete folder;
    }
    static std::string file(std::string_view relative) { return folder->file(relative); }
    static std::vector<std::string> textLines(std::string_view relative) {
        return readTextLines(file(relative));
    }

    static TempFolder* folder;
    static SampleSummary* summary;
};
TempFolder* SampleLeague::folder = nullptr;
SampleSummary* SampleLeague::summary = nullptr;

std::vector<std::string> playerNames(const IniStore& store) {
    std::vector<std::string> names;
    for (const auto& n : store.sectionNames())
        if (n != "Team")
            names.push_back(n);
    return names;
}

std::size_t characters(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

TEST_F(SampleLeague, RegistryEntriesResolveToTeamFiles) {
    Settings settings(folder->path());
    settings.load();
    EXPECT_EQ(settings.leagueName(), "サンプルリーグ");
    EXPECT_EQ(settings.team1(), "\\サンプルリーグ\\team01.txt");
    EXPECT_EQ(settings.fullPath(settings.team2()), summary->teamFiles[1]);
    EXPECT_EQ(settings.ini().value("サンプルリーグ", "ツール"), "標準");
    EXPECT_EQ(settings.ini().value("サンプルリーグ", "機構名", "missing"), "");
    EXPECT_EQ(settings.colours().downBackground, 0xFF0000u);

    auto entries = settings.entries("サンプルリーグ");
    ASSERT_EQ(entries.size(), 3u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(settings.fullPath(entries[i].path), summary->teamFiles[i]);
        IniStore team = IniStore::load(summary->teamFiles[i]);
        EXPECT_EQ(teamDisplayName(team), entries[i].firstTeam);
        EXPECT_EQ(splitFields(team.value("Team", "2軍チーム名"))[0], entries[i].farmTeam);
    }
    EXPECT_EQ(settings.leagueFolder("サンプルリーグ"), summary->leagueFolder);
    EXPECT_EQ(summary->latestTerm, 4);
    EXPECT_EQ(settings.teamMenuPaths("小リーグ"),
              (std::vector<std::string>{"\\小リーグ\\team01.txt", "\\小リーグ\\team02.txt"}));
    for (const auto& path : settings.teamMenuPaths("小リーグ"))
        EXPECT_TRUE(fileExists(settings.fullPath(path))) << path;
}

// Every rostered player has what a term update leaves: data of every term from
// "新規" to the latest, no statistics or team yet for the latest term, and
// career totals that match his statistics.
TEST_F(SampleLeague, TeamFilesHoldCompleteHistories) {
    const long long last = summary->latestTerm;
    int rises = 0, withStats = 0;
    for (const auto& path : summary->teamFiles) {
        IniStore team = IniStore::load(path);
        ASSERT_TRUE(isTeamFile(team)) << path;
        EXPECT_EQ(team.sectionCount(), 1u + kSmall.players);
        EXPECT_EQ(team.value("Team", "ツール"), "標準");
        for (int slot = 0; slot < kSlotCount; ++slot) {
            auto s = rosterSlot(team, slot);
            ASSERT_TRUE(s && team.hasSection(s->name)) << slot;
            EXPECT_EQ(s->position == "P", slot % 28 >= 16) << s->name;
            const IniSection& p = *team.section(s->name);
            PlayerRecord r(p);
            EXPECT_EQ(r.lastTerm(), last);
            EXPECT_EQ(r.isPitcher(), s->position == "P");
            EXPECT_EQ(p.value(termKey(last, kStats), "missing"), "");
            EXPECT_EQ(p.value(termKey(last, kAffiliation), "missing"), "");
            for (long long t = r.firstTerm(); t <= last; ++t) {
                EXPECT_TRUE(p.has(termKey(t, kAbility)) && p.has(termKey(t, kAptitude)) &&
                            p.has(termKey(t, kStats)) && p.has(termKey(t, kAffiliation)))
                    << s->name << " " << t;
                if (t < last) {
                    EXPECT_NE(r.termValue(t, kAffiliation), "") << s->name << " " << t;
                }
                if (t > r.firstTerm() && r.termValue(t, kAbility) != r.termValue(t - 1, kAbility))
                    ++rises;
            }
            withStats += !r.statisticsLines().empty();
        }
        IniStore recomputed = team;
        recomputeAllCareerTotals(recomputed);
        EXPECT_EQ(recomputed.serialize(), team.serialize()) << path;
    }
    EXPECT_GT(rises, 20);
    EXPECT_GT(withStats, 40);
}

TEST_F(SampleLeague, PlayerNamesAreUniqueAndAwkward) {
    std::map<std::string, std::string> seen; // name -> file
    auto collect = [&](const std::string& path) {
        for (const auto& name : playerNames(IniStore::load(path))) {
            auto [it, added] = seen.emplace(name, path);
            EXPECT_TRUE(added) << name << " in " << path << " and " << it->second;
        }
    };
    for (const auto& path : summary->teamFiles)
        collect(path);
    for (long long t = 0; t < summary->latestTerm; ++t)
        collect(summary->leagueFolder + "/データ/" + termText(t) + "期未契約選手.txt");
    collect(file("小リーグ/team01.txt"));
    EXPECT_GT(seen.size(), 200u);

    bool eightCharacters = false;
    std::set<std::string> backslashCharacters;
    for (const auto& [name, path] : seen) {
        EXPECT_LE(characters(name), 8u) << name;
        eightCharacters = eightCharacters || characters(name) == 8;
        for (std::string c : {"ソ", "表", "能", "十"})
            if (name.find(c) != std::string::npos)
                backslashCharacters.insert(c);
    }
    EXPECT_TRUE(eightCharacters);
    EXPECT_EQ(backslashCharacters.size(), 4u);
}

// The data check: every team name occurs exactly once among all fields of all
// growth files; the term update finds the uniform three and the manager six
// lines below the team name.
TEST_F(SampleLeague, GrowthFilesPassTheDataCheck) {
    Settings settings(folder->path());
    settings.load();
    std::map<std::string, int> count;
    for (const auto& e : settings.entries("サンプルリーグ"))
        count[e.firstTeam] = count[e.farmTeam] = 0;
    std::set<std::string> grown;
    for (const auto& name : listFileNames(file("temp/seichou"))) {
        auto lines = textLines("temp/seichou/" + name);
        int players = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            auto f = splitFields(lines[i]);
            for (const auto& field : f)
                if (count.count(field))
                    ++count[field];
            if (!f.empty() && count.count(f[0])) {
                ASSERT_LT(i + 6, lines.size());
                EXPECT_TRUE(lines[i + 3].starts_with("  UNI")) << lines[i + 3];
                EXPECT_GE(splitFields(lines[i + 6]).size(), 10u) << lines[i + 6];
            }
            if (isGamePlayerLine(f)) {
                ++players;
                grown.insert(f[1]);
                EXPECT_EQ(f.size(), f[0] == "P" ? 22u : 29u) << lines[i];
            }
        }
        EXPECT_EQ(players, 56) << name;
    }
    for (const auto& [name, n] : count)
        EXPECT_EQ(n, 1) << name;

    // Newcomers: in a new-player file, in no team file, on next term's rosters.
    std::set<std::string> known;
    for (const auto& path : summary->teamFiles)
        for (const auto& n : playerNames(IniStore::load(path)))
            known.insert(n);
    int newcomers = 0;
    for (const auto& name : listFileNames(file("temp/shinjin")))
        for (const auto& line : textLines("temp/shinjin/" + name)) {
            auto f = splitFields(line);
            if (isGamePlayerLine(f) && !known.count(f[1])) {
                ++newcomers;
                EXPECT_TRUE(grown.count(f[1])) << f[1];
            }
        }
    EXPECT_GT(newcomers, 0);
    for (const auto& n : grown)
        EXPECT_TRUE(known.count(n) || newcomers > 0) << n;
}

TEST_F(SampleLeague, StatisticsTablesHaveTheGameForms) {
    int batting = 0, pitching17 = 0, pitching18 = 0;
    for (const auto& name : listFileNames(file("temp/seiseki"))) {
        auto lines = textLines("temp/seiseki/" + name);
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(lines[0].starts_with("打率"));
        bool inPitching = false;
        for (const auto& line : lines) {
            auto f = splitFields(line);
            ASSERT_FALSE(f.empty()) << "empty line in " << name;
            if (f[0] == "打率" || f[0] == "防御") {
                inPitching = f[0] == "防御";
                continue;
            }
            if (!inPitching) {
                EXPECT_EQ(f.size(), 17u) << line;
                EXPECT_TRUE(f[2].starts_with(".") || f[2] == "1.000") << line;
                EXPECT_LE(parseIntegerOr(f[5], 0), parseIntegerOr(f[4], 0)) << line;
                ++batting;
            } else if (f.size() == 18) {
                EXPECT_TRUE(f[10] == "1/3" || f[10] == "2/3") << line;
                ++pitching18;
            } else {
                EXPECT_EQ(f.size(), 17u) << line;
                ++pitching17;
            }
        }
    }
    EXPECT_GT(batting, 100);
    EXPECT_GT(pitching17, 5);
    EXPECT_GT(pitching18, 5);
}

TEST_F(SampleLeague, StatsMarksAndUnsignedPlayersOfEveryPlayedTerm) {
    auto marks = IniStore::load(summary->leagueFolder + "/seiseki.ini");
    EXPECT_EQ(marks.sectionNames(), (std::vector<std::string>{"3", "2", "1", "0"}));
    for (std::size_t s = 0; s < marks.sectionCount(); ++s) {
        auto keys = marks.sectionAt(s).keys();
        ASSERT_EQ(keys.size(), kStatsMarkKeys.size());
        for (std::size_t k = 0; k < keys.size(); ++k) {
            EXPECT_EQ(keys[k]->key, kStatsMarkKeys[k]);
            EXPECT_EQ(splitFields(keys[k]->value).size(), 6u) << keys[k]->value;
        }
        EXPECT_TRUE(StatsMarksFile::recordAt(marks.sectionAt(s), 17).marks()); // at-bats
    }

    int players = 0;
    for (long long t = 0; t < summary->latestTerm; ++t) {
        IniStore u =
            IniStore::load(summary->leagueFolder + "/データ/" + termText(t) + "期未契約選手.txt");
        ASSERT_TRUE(u.hasSection("Team"));
        EXPECT_EQ(u.section("Team")->keys().size(), 1u);
        EXPECT_EQ(u.value("Team", "ツール"), "標準");
        for (const auto& name : playerNames(u)) {
            PlayerRecord r(*u.section(name));
            EXPECT_EQ(r.lastTerm(), t);
            EXPECT_EQ(r.termValue(t, kStats), "");
            EXPECT_EQ(r.termValue(t, kAffiliation), "");
            EXPECT_NE(r.termValue(t, kAbility), "");
            ++players;
        }
    }
    EXPECT_GT(players, 0);
}

TEST_F(SampleLeague, SmallLeagueHoldsOldLayoutFiles) {
    TempFolder work;
    for (std::string name : {"team01.txt", "team02.txt", "データ/000期未契約選手.txt",
                             "データ/0000期未契約選手.txt", "データ/001期未契約選手.txt"})
        test::writeBytes(work.file(name), test::readBytes(file("小リーグ/" + name)));
    EXPECT_FALSE(fileExists(work.file("データ/0001期未契約選手.txt")));

    IniStore converted = IniStore::load(work.file("team01.txt"));
    EXPECT_TRUE(isTeamFile(converted));
    EXPECT_EQ(converted.value("Team", "ツール"), "Mirel");
    EXPECT_FALSE(isTeamFile(IniStore::load(work.file("team02.txt"))));

    convertOldFile(work.file("team02.txt"), ConversionMode::Team);
    IniStore team = IniStore::load(work.file("team02.txt"));
    ASSERT_TRUE(isTeamFile(team));
    EXPECT_EQ(team.sectionCount(), 57u);
    EXPECT_EQ(teamDisplayName(team), "茜雲レヴィアタンズ");
    for (const auto& name : playerNames(team))
        EXPECT_EQ(PlayerRecord(*team.section(name)).lastTerm(), 2) << name;

    std::string written =
        convertOldFile(work.file("データ/001期未契約選手.txt"), ConversionMode::Unsigned);
    EXPECT_GT(IniStore::load(written).sectionCount(), 1u);
    // Converting the old file of term 0 again must leave its four-digit twin alone.
    EXPECT_THROW(convertOldFile(work.file("データ/000期未契約選手.txt"), ConversionMode::Unsigned),
                 LeagueError);
}

TEST(SampleLeagueOptions, SameSeedSameBytes) {
    TempFolder a, b, c;
    SampleOptions options{2, 2, 57, 42};
    writeSampleLeague(a.path(), options);
    writeSampleLeague(b.path(), options);
    options.seed = 43;
    writeSampleLeague(c.path(), options);
    auto first = test::snapshotFolder(a.path());
    EXPECT_EQ(first.size(), 17u);
    EXPECT_TRUE(first == test::snapshotFolder(b.path()));
    EXPECT_FALSE(first == test::snapshotFolder(c.path()));
}

TEST(SampleLeagueOptions, OutOfRangeOptionsFail) {
    TempFolder dir;
    for (SampleOptions o :
         {SampleOptions{1, 5, 56, 1}, SampleOptions{6, 0, 56, 1}, SampleOptions{6, 5, 55, 1},
          SampleOptions{49, 5, 56, 1}, SampleOptions{6, 201, 56, 1}})
        EXPECT_THROW(writeSampleLeague(dir.path(), o), LeagueError);
    EXPECT_TRUE(test::snapshotFolder(dir.path()).empty());
}

// The benchmarks' largest leagues: 48 teams whose files each keep 1000 players
// run past the usual name combinations; every name must still be unique and fit.
TEST(SampleLeagueOptions, BiggestLeagueHasDistinctTeamsAndPlayers) {
    TempFolder dir;
    SampleSummary s = writeSampleLeague(dir.path(), {48, 2, 1000, 5});
    ASSERT_EQ(s.teamFiles.size(), 48u);
    std::set<std::string> teams, players;
    std::size_t sections = 0;
    for (const auto& path : s.teamFiles) {
        IniStore store = IniStore::load(path);
        EXPECT_TRUE(teams.insert(teamDisplayName(store)).second) << path;
        for (const auto& name : playerNames(store)) {
            ++sections;
            players.insert(name);
            EXPECT_LE(characters(name), 8u) << name;
        }
    }
    EXPECT_EQ(players.size(), sections);
    EXPECT_GE(sections, 48u * 1000u);
}
