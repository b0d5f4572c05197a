// A hand-made league in a temporary program folder for the search tests:
// "Tenvoll.ini" naming one league, its team files, "seiseki.ini" and the
// unsigned-players files, all cp932 with CR LF; and a reporter that records
// what a search tells the window.
#pragma once

#include "league/Numbers.h"
#include "league/Settings.h"
#include "mainwindow/LeagueSearch.h"
#include "support/TestFiles.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tenvoll::test {

inline constexpr const char* kLeagueName = "テスト機構";

// A batting line: name, short team name, average, games, at-bats, hits, 2B, 3B,
// home runs, RBI, bunts, walks, strikeouts, steals, errors, slugging, on-base.
inline std::string bat(const std::string& name, long long atBats, const std::string& homeRuns,
                       const std::string& average = ".300", const std::string& team = "テ") {
    return name + " " + team + " " + average + " 140 " + std::to_string(atBats) + " 150 20 2 " +
           homeRuns + " 80 5 50 90 10 5 .500 .380 ";
}

// A pitching line: name, short team name, ERA, games, complete games, wins,
// losses, saves, save points, innings, outs, hits, home runs, walks,
// strikeouts, earned runs, winning percentage, strikeouts per nine.
inline std::string pit(const std::string& name, long long innings, long long outs,
                       const std::string& era = "2.50", const std::string& team = "テ") {
    return name + " " + team + " " + era + " 25 3 12 8 0 0 " + std::to_string(innings) + " " +
           std::to_string(outs) + " 150 15 40 150 60 .600 7.50 ";
}

struct TestPlayer {
    std::string name;
    std::string pitcherFlag = "0"; // value of "投手"; empty writes no key
    long long first = 0;
    std::optional<long long> last; // no "最終" key when empty
    std::vector<std::pair<long long, std::string>> stats;
    std::string career;
    std::string extraLines; // further "key=value\n" lines
};

inline TestPlayer batter(const std::string& name, long long term, const std::string& line) {
    return {name, "0", term, term, {{term, line}}, {}, {}};
}
inline TestPlayer pitcher(const std::string& name, long long term, const std::string& line) {
    return {name, "1", term, term, {{term, line}}, {}, {}};
}

inline std::string sectionText(const TestPlayer& p) {
    std::string s = "[" + p.name + "]\n新規=" + std::to_string(p.first) + "\n";
    if (p.last)
        s += "最終=" + std::to_string(*p.last) + "\n";
    s += "ツール=標準\nコメント=\n";
    if (!p.pitcherFlag.empty())
        s += "投手=" + p.pitcherFlag + "\n";
    s += "通算成績=" + p.career + "\n";
    for (const auto& [term, line] : p.stats)
        s += termText(term) + "能力=能力の行\n" + termText(term) + "成績=" + line + "\n";
    return s + p.extraLines;
}

inline std::string teamFileText(const std::string& teamName,
                                const std::vector<TestPlayer>& players) {
    std::string s = "[Team]\n1軍チーム名=" + teamName + " テ 記 球場\nツール=標準\n0=- 誰か\n";
    for (const auto& p : players)
        s += sectionText(p);
    return s;
}

class TestLeague {
public:
    TempFolder dir;

    std::string programFolder() const { return dir.path(); }
    std::string leagueFolder() const { return dir.file("league"); }
    std::string teamPath(const std::string& fileName) const {
        return dir.file("league/" + fileName);
    }
    std::string unsignedPath(long long term) const {
        return dir.file("league/データ/" + unsignedFileName(term));
    }

    void addTeam(const std::string& fileName, const std::vector<TestPlayer>& players) {
        writeCp932(teamPath(fileName), teamFileText(fileName, players));
        stored_.push_back("\\league\\" + fileName);
        writeSettings();
    }
    // Registers a team whose file is written by the test itself.
    void registerTeam(const std::string& fileName) {
        stored_.push_back("\\league\\" + fileName);
        writeSettings();
    }
    void addUnsigned(long long term, const std::vector<TestPlayer>& players) {
        writeCp932(unsignedPath(term), teamFileText("未契約", players));
    }
    // "seiseki.ini" with a newest section of `games` batting games and an older one.
    void writeMarks(const std::string& games) {
        std::string s = "[12]\n";
        for (std::size_t i = 0; i < 30; ++i) {
            std::string key = i == 16 ? "試合数(打者)" : "項目" + std::to_string(i);
            s += key + "=" + (i == 16 ? games : "10") + ",1,1,1,1,1\n";
        }
        s += "[11]\n試合数(打者)=10,1,1,1,1,1\n";
        writeCp932(dir.file("league/seiseki.ini"), s);
    }

    SearchLeague league() const {
        Settings settings(programFolder());
        settings.load();
        return searchLeague(settings, settings.leagueName());
    }

private:
    void writeSettings() {
        std::string s = std::string("[Main]\n機構名=") + kLeagueName + "\n[" + kLeagueName +
                        "]\nチーム数=" + std::to_string(stored_.size()) + "\n";
        for (std::size_t i = 0; i < stored_.size(); ++i)
            s += "チーム名" + std::to_string(i) + "=一軍" + std::to_string(i) + ",二軍" +
                 std::to_string(i) + "," + stored_[i] + "\n";
        writeCp932(dir.file("Tenvoll.ini"), s);
    }

    std::vector<std::string> stored_;
};

struct RecordingReporter : SearchReporter {
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::vector<std::pair<std::size_t, std::size_t>> progresses;
    void status(const std::string& text) override { statuses.push_back(text); }
    void progress(std::size_t done, std::size_t total) override {
        progresses.emplace_back(done, total);
    }
    void message(const std::string& text) override { messages.push_back(text); }
};

} // namespace tenvoll::test
