// The league report: the whole pages of a fixed league, names that would break
// a page or a file system, every link, and the folder it may write to.
#include "league/LeagueError.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "report/Html.h"
#include "report/LeagueReport.h"
#include "report/SiteFolder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

namespace tenvoll::report {
namespace {

namespace fs = std::filesystem;
using platform::fsPath;
using platform::pathText;
using test::TempFolder;

ReportLeague leagueOf(const std::string& programFolder) {
    Settings settings(programFolder);
    settings.load();
    return reportLeague(settings, settings.leagueName());
}

// Every file below `folder` by relative path, with its bytes.
std::map<std::string, std::string> filesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    const fs::path root = fsPath(folder);
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file())
            files[pathText(fs::relative(e.path(), root).generic_u8string())] =
                test::readBytes(pathText(e.path()));
    return files;
}

// The href and src targets of every page that do not exist (fragments dropped;
// every link must be relative and stay inside the folder).
std::vector<std::string> brokenLinks(const std::string& folder) {
    std::vector<std::string> broken;
    const std::regex attribute("(?:href|src)=\"([^\"]*)\"");
    const fs::path root = fs::canonical(fsPath(folder));
    for (const auto& [path, text] : filesBelow(folder)) {
        if (!path.ends_with(".html"))
            continue;
        for (std::sregex_iterator m(text.begin(), text.end(), attribute), end; m != end; ++m) {
            std::string target = (*m)[1];
            target = target.substr(0, target.find('#'));
            if (target.find(':') != std::string::npos || target.starts_with('/')) {
                broken.push_back(path + " -> " + target + " (not relative)");
                continue;
            }
            if (target.empty())
                continue;
            const std::string unescaped = std::regex_replace(target, std::regex("&amp;"), "&");
            const fs::path resolved =
                fs::weakly_canonical(root / fsPath(path).parent_path() / fsPath(unescaped));
            const std::string r = pathText(resolved);
            if (!r.starts_with(pathText(root)) || !fs::is_regular_file(resolved))
                broken.push_back(path + " -> " + target);
        }
    }
    return broken;
}

class QuietProgress : public ReportProgress {};

class StopAfter : public ReportProgress {
public:
    explicit StopAfter(std::size_t units) : units_(units) {}
    void progress(std::size_t done, std::size_t) override { done_ = done; }
    bool cancelRequested() override { return done_ >= units_; }

private:
    std::size_t units_;
    std::size_t done_ = 0;
};

// The pages of the main window's fixture league, whole, against the expected
// folder (TENVOLL_UPDATE_EXPECTED=1 writes it anew; review the difference).
TEST(FixedLeagueReport, WritesTheExpectedPages) {
    TempFolder program;
    test::copyFixtureFolder("main-window", program.path());
    const auto before = test::snapshotFolder(program.path());
    TempFolder out;
    QuietProgress progress;
    const ReportOutcome outcome =
        writeLeagueReport(leagueOf(program.path()), out.file("site"), progress);
    EXPECT_TRUE(outcome.complete);
    EXPECT_TRUE(outcome.warnings.empty()) << outcome.warnings.front();

    const std::string expected = test::fixture("report-expected");
    auto written = filesBelow(out.file("site"));
    if (std::getenv("TENVOLL_UPDATE_EXPECTED")) {
        fs::remove_all(fsPath(expected));
        for (const auto& [path, bytes] : written)
            test::writeBytes(pathText(fsPath(expected) / fsPath(path)), bytes);
    }
    const auto wanted = filesBelow(expected);
    std::set<std::string> names, wantedNames;
    for (const auto& [path, bytes] : written)
        names.insert(path);
    for (const auto& [path, bytes] : wanted)
        wantedNames.insert(path);
    EXPECT_EQ(names, wantedNames);
    for (const auto& [path, bytes] : wanted)
        EXPECT_EQ(written[path], bytes) << path;
    EXPECT_EQ(outcome.files + 1, written.size()); // and the page list

    EXPECT_EQ(brokenLinks(out.file("site")), std::vector<std::string>{});
    // The league's files are only read.
    EXPECT_EQ(test::snapshotFolder(program.path()), before);
}

constexpr const char* kHostileNames[] = {
    "<script>alert(1)</script>", "A&B\"Q'", "a/b\\c:d*e?", "CON", "con.txt", "..", "名前#%1"};

// A league whose team and player names are markup, separators and device names.
std::string hostileLeague(const TempFolder& program) {
    std::string team = "[Team]\n1軍チーム名=<b>悪</b>&amp; 悪 T 球場\n2軍チーム名=CON 悪 t 球場\n";
    std::string players;
    int slot = 0;
    for (const char* name : kHostileNames) {
        team += std::to_string(slot++) + "=6 \"" + std::string(name) + "\"\n";
        players += "[" + std::string(name) +
                   "]\n新規=1\n最終=2\nツール=標準\nコメント=<i>x</i>\n投手=0\n"
                   "通算成績=\n0001能力=6 x 右 普 C C C C C C C C C C C C 9 C C 300 \n"
                   "0001資質=25 A \n0001成績=" +
                   std::string(name) +
                   " 悪 .300 140 500 150 20 2 10 80 5 50 90 10 5 .500 .380 \n0001所属=<u>悪</u>\n"
                   "0002能力=6 x 右 普 B C C C C C C C C C C C 9 C C 310 \n0002資質=26 A \n";
    }
    test::writeCp932(program.file("リーグ/a.txt"), team + players);
    test::writeCp932(program.file("Tenvoll.ini"),
                     "[Main]\n機構名=<機構>&\n[<機構>&]\nチーム数=1\n"
                     "チーム名0=\"<b>悪</b>&amp;\",CON,\\リーグ\\a.txt\n");
    return program.path();
}

TEST(HostileNamesReport, EscapesEveryTextAndKeepsEveryFileNameSafe) {
    TempFolder program;
    hostileLeague(program);
    TempFolder out;
    QuietProgress progress;
    const ReportOutcome outcome =
        writeLeagueReport(leagueOf(program.path()), out.file("site"), progress);
    ASSERT_TRUE(outcome.complete);
    const auto files = filesBelow(out.file("site"));
    std::size_t playerPages = 0;
    for (const auto& [path, text] : files) {
        EXPECT_EQ(text.find("<script>alert"), std::string::npos) << path;
        EXPECT_EQ(text.find("<b>悪"), std::string::npos) << path;
        EXPECT_EQ(text.find("<i>x"), std::string::npos) << path;
        EXPECT_EQ(text.find("<u>悪"), std::string::npos) << path;
        for (const fs::path& part : fsPath(path)) {
            const std::string p = pathText(part);
            EXPECT_EQ(p.find_first_of("<>:\"\\|?*#%&' "), std::string::npos) << path;
            EXPECT_FALSE(p.ends_with(".")) << path;
            const std::string base = p.substr(0, p.find('.'));
            EXPECT_NE(base, "CON");
            EXPECT_NE(base, "con");
        }
        playerPages += path.starts_with("players/") && path.ends_with(".html");
    }
    EXPECT_EQ(playerPages, std::size(kHostileNames));
    // The names show as text.
    const std::string& index = files.at("index.html");
    EXPECT_NE(index.find("&lt;機構&gt;&amp;"), std::string::npos);
    bool scriptShown = false;
    for (const auto& [path, text] : files)
        scriptShown |= text.find("&lt;script&gt;alert(1)&lt;/script&gt;") != std::string::npos;
    EXPECT_TRUE(scriptShown);
    EXPECT_EQ(brokenLinks(out.file("site")), std::vector<std::string>{});
}

TEST(SafeFileNames, ReplacesWhatAFileSystemRefuses) {
    const std::pair<std::string, std::string> cases[] = {
        {"CON", "CON_"},     {"com1.txt", "com1_.txt"},
        {"lpt9", "lpt9_"},   {"console", "console"},
        {"a/b\\c", "a_b_c"}, {"x: y?", "x__y_"},
        {"末尾..", "末尾"},  {"", "_"},
        {"...", "_"},        {"選手　名", "選手_名"},
        {"a\tb", "a_b"},     {std::string(30, 'x') + "あいう", std::string(30, 'x') + "あいう"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(safeFileName(in), out) << in;
    // Cut at 60 bytes without splitting a character.
    const std::string longName = safeFileName(std::string(59, 'a') + "あ");
    EXPECT_EQ(longName, std::string(59, 'a'));
}

TEST(OutputFolder, RefusesLeagueFoldersAndForeignFiles) {
    TempFolder program;
    test::copyFixtureFolder("main-window", program.path());
    const ReportLeague league = leagueOf(program.path());
    QuietProgress progress;
    const std::string leagueFolder = program.file("リーグ");
    for (const std::string& bad : {leagueFolder, leagueFolder + "/web", program.path()})
        EXPECT_THROW(writeLeagueReport(league, bad, progress), LeagueError) << bad;
    EXPECT_FALSE(fs::exists(fsPath(leagueFolder + "/web")));

    TempFolder other;
    test::writeBytes(other.file("notes.txt"), "mine");
    EXPECT_THROW(writeLeagueReport(league, other.path(), progress), LeagueError);
    EXPECT_EQ(test::readBytes(other.file("notes.txt")), "mine");

    // A league folder spelled in another letter case is the same folder where
    // the file system ignores case (Windows), and another folder where it does not.
    TempFolder spelled;
    fs::create_directory(fsPath(spelled.file("Lg")));
    const bool foldsCase = fs::exists(fsPath(spelled.file("LG")));
    if (foldsCase)
        EXPECT_THROW(SiteFolder(spelled.file("LG/web"), {spelled.file("Lg")}), LeagueError);
    else
        EXPECT_NO_THROW(SiteFolder(spelled.file("LG/web"), {spelled.file("Lg")}));
    EXPECT_FALSE(fs::exists(fsPath(spelled.file("Lg/web"))));

    // A link planted in an earlier output folder leads no page elsewhere.
    // Windows gives symbolic links only to privileged users: without one, this
    // part is left out.
    TempFolder site, elsewhere;
    writeLeagueReport(league, site.path(), progress);
    fs::remove_all(fsPath(site.file("teams")));
    std::error_code noLink;
    fs::create_directory_symlink(fsPath(elsewhere.path()), fsPath(site.file("teams")), noLink);
    if (!noLink) {
        EXPECT_THROW(writeLeagueReport(league, site.path(), progress), LeagueError);
        EXPECT_TRUE(fs::is_empty(fsPath(elsewhere.path())));
    }
}

TEST(RerunReport, ReplacesPagesAndRemovesThoseOfPlayersGone) {
    TempFolder program;
    test::copyFixtureFolder("main-window", program.path());
    TempFolder out;
    const std::string site = out.file("site");
    QuietProgress progress;
    writeLeagueReport(leagueOf(program.path()), site, progress);
    const std::string stale = site + "/players/09/0001-gone.html";
    test::writeBytes(stale, "old");
    // An earlier run listed it: add it to the page list as that run would have.
    test::writeBytes(site + "/" + std::string(kPageListName),
                     test::readBytes(site + "/" + std::string(kPageListName)) +
                         "players/09/0001-gone.html\n");

    // A stopped run keeps the old page and its place in the list.
    StopAfter stop(3);
    const ReportOutcome stopped = writeLeagueReport(leagueOf(program.path()), site, stop);
    EXPECT_FALSE(stopped.complete);
    EXPECT_TRUE(fs::exists(fsPath(stale)));

    const ReportOutcome again = writeLeagueReport(leagueOf(program.path()), site, progress);
    EXPECT_TRUE(again.complete);
    EXPECT_FALSE(fs::exists(fsPath(stale)));
    for (const auto& [path, bytes] : filesBelow(site))
        EXPECT_FALSE(path.ends_with(".part")) << path;
    EXPECT_EQ(brokenLinks(site), std::vector<std::string>{});
}

// A page list naming a file outside the folder by its full path ("/x", on
// Windows "C:/x") removes nothing there.
TEST(RerunReport, APageListLeadingOutsideRemovesNothing) {
    TempFolder program;
    test::copyFixtureFolder("main-window", program.path());
    TempFolder out, elsewhere;
    const std::string site = out.file("site");
    QuietProgress progress;
    writeLeagueReport(leagueOf(program.path()), site, progress);
    const std::string victim = elsewhere.file("victim.html");
    test::writeBytes(victim, "mine");
    const std::string list = site + "/" + std::string(kPageListName);
    test::writeBytes(list,
                     test::readBytes(list) + pathText(fsPath(victim).generic_u8string()) + "\n");
    EXPECT_TRUE(writeLeagueReport(leagueOf(program.path()), site, progress).complete);
    EXPECT_EQ(test::readBytes(victim), "mine");
}

TEST(EscapeHtml, MarkupQuotesAndControlCharacters) {
    EXPECT_EQ(escapeHtml("<a href=\"x\">'&'</a>\x01"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt; ");
}

} // namespace
} // namespace tenvoll::report

namespace tenvoll::report {
namespace {

// A player in two team files (he changed teams): the leaders link to the page
// of the team whose roster holds him.
TEST(LeaderLinks, ANameInTwoTeamFilesLinksToTheRosteredOne) {
    TempFolder program;
    auto team = [&](const std::string& file, const std::string& name, bool rostered) {
        test::writeCp932(
            program.file("リーグ/" + file),
            "[Team]\n1軍チーム名=" + name + " 略 T 球場\n" + (rostered ? "0=6 移籍\n" : "") +
                "[移籍]\n新規=1\n最終=2\n投手=0\n0001能力=6 移籍 右 普 C C C C C C C C C C C C 9 "
                "C C 300 \n0001成績=移籍 略 .300 140 500 150 20 2 30 80 5 50 90 10 5 .500 .380 \n");
    };
    team("a.txt", "旧球団", false);
    team("b.txt", "新球団", true);
    test::writeCp932(program.file("Tenvoll.ini"),
                     "[Main]\n機構名=L\n[L]\nチーム数=2\nチーム名0=旧球団,旧2軍,\\リーグ\\a.txt\n"
                     "チーム名1=新球団,新2軍,\\リーグ\\b.txt\n");
    TempFolder out;
    QuietProgress progress;
    ASSERT_TRUE(writeLeagueReport(leagueOf(program.path()), out.file("site"), progress).complete);
    const std::string leaders = test::readBytes(out.file("site/leaders/07-野手_本塁打.html"));
    EXPECT_NE(leaders.find("href=\"../players/02/0001-移籍.html\""), std::string::npos);
    EXPECT_EQ(leaders.find("players/01/"), std::string::npos);
}

} // namespace
} // namespace tenvoll::report
