// tenvoll-batch pane-csv and history against the windows they stand for: on a
// sample league, the batch output equals what the main window's pane CSV, the
// detail window's CSV and its clipboard commands produce, byte for byte.
#include "app/batch/BatchCommand.h"
#include "league/FileAccess.h"
#include "league/Kyoutuu.h"
#include "league/TeamFile.h"
#include "mainwindow/RosterPane.h"
#include "mainwindow/Unit1.h"
#include "player/Unit2.h"
#include "support/BatchRun.h"
#include "support/PaneClicks.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/GridView.h"
#include "windowkit/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using tenvoll::test::BatchRun;
using tenvoll::test::readBytes;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class TwinCommands : public ::testing::Test {
protected:
    void SetUp() override {
        sample = sample::writeSampleLeague(folder.path(), {2, 4, 56, 7});
        team = sample.teamFiles[0];
        main = std::make_unique<TForm1>(folder.path());
    }

    BatchRun run(std::vector<std::string> args) {
        return test::runBatchIn(folder.path(), std::move(args));
    }
    // The file the window writes when the save dialog is answered with `path`.
    template <typename Save> std::string windowCsv(const std::string& path, Save save) {
        dialogs.fileAnswers.enqueue(QString::fromStdString(path));
        save();
        EXPECT_EQ(dialogs.messages.last(), QStringLiteral("CSVデータ保存終了！"));
        return readBytes(path);
    }
    std::string paneCsvOfWindow(const std::string& file, const std::string& out) {
        main->openTeam(PaneSide::Top, file);
        return windowCsv(out, [&] { main->pane(PaneSide::Top)->csvAction()->trigger(); });
    }
    void setStatisticsCheck(bool on) {
        main->findChild<QAction*>(QStringLiteral("StatisticsCheckAction"))->setChecked(on);
    }
    std::string slotName(int slot) { return rosterSlot(IniStore::load(team), slot)->name; }

    // The detail window's CSV and both clipboard texts of every row equal the
    // history command's output for the same player.
    void expectHistoryTwin(const std::string& name, std::vector<std::string> options = {}) {
        SCOPED_TRACE(name);
        main->openTeam(PaneSide::Top, team);
        tenvoll::test::choosePlayer(*main, PaneSide::Top, QString::fromStdString(name));
        TForm2* detail = main->playerDetailWindow();
        ASSERT_NE(detail, nullptr);
        const std::string windowOut = folder.file("window-" + name + ".csv");
        const std::string windowBytes = windowCsv(windowOut, [&] { detail->saveCsv(); });

        std::vector<std::string> args{"history", name,    "--team",
                                      team,      "--csv", folder.file("batch-" + name + ".csv")};
        args.insert(args.end(), options.begin(), options.end());
        BatchRun csv = run(args);
        ASSERT_EQ(csv.status, 0) << csv.err;
        EXPECT_EQ(readBytes(folder.file("batch-" + name + ".csv")), windowBytes);

        const auto& rows = detail->history().rows;
        ASSERT_GE(rows.size(), 2u);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string term = rows[r][history_column::kTerm].text;
            detail->grid()->selectRow(static_cast<int>(r));
            detail->copyPlayerData();
            const std::string data = QApplication::clipboard()->text().toStdString();
            detail->copyStatistics();
            const std::string stats = QApplication::clipboard()->text().toStdString();
            std::vector<std::string> copy{"history",     name, "--team",       team,
                                          "--copy-data", term, "--copy-stats", term};
            copy.insert(copy.end(), options.begin(), options.end());
            BatchRun copied = run(copy);
            ASSERT_EQ(copied.status, 0) << copied.err;
            EXPECT_EQ(copied.out, data + "\n" + stats + "\n") << "term " << term;
        }
    }

    TempFolder folder;
    RecordingDialogs dialogs;
    sample::SampleSummary sample;
    std::string team;
    std::unique_ptr<TForm1> main;
};

} // namespace

TEST_F(TwinCommands, PaneCsvEqualsThePanesCsvWithAndWithoutTheStatisticsCheck) {
    const std::string marked = paneCsvOfWindow(team, folder.file("window.csv"));
    // The sample's statistics marks colour some cells: the check is really on.
    EXPECT_NE(marked.find("\x81\xa2"), std::string::npos); // "△" in cp932
    BatchRun batch = run({"pane-csv", team, folder.file("batch.csv")});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(readBytes(folder.file("batch.csv")), marked);

    setStatisticsCheck(false);
    const std::string plain = paneCsvOfWindow(team, folder.file("window-plain.csv"));
    batch = run({"pane-csv", team, folder.file("batch-plain.csv"), "--no-stats-check"});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(readBytes(folder.file("batch-plain.csv")), plain);
    EXPECT_NE(plain, marked);
}

// No output replaces a league file: pane-csv, history --csv, ranking --csv and
// the pane's save dialog refuse the settings file, a team file (also spelt
// through ".." and in other letter case), its next-season copy, seiseki.ini
// and files in the data and backup folders, and every file stays as it was.
TEST_F(TwinCommands, OutputsNeverReplaceLeagueFiles) {
    namespace fs = std::filesystem;
    const std::string league = sample.leagueFolder;
    const std::string teamName = fs::path(team).filename().string();
    const std::string tvl = team.substr(0, team.size() - 4) + ".tvl";
    test::writeBytes(tvl, readBytes(team));
    fs::create_directories(league + "/バックアップ/0005期更新前");
    const std::vector<std::string> targets = {
        folder.file("TENVOLL.ini"),
        team,
        league + "/データ/../" + teamName,
        tvl,
        league + "/seiseki.ini",
        league + "/データ/一覧.csv",
        league + "/バックアップ/0005期更新前/" + teamName,
    };
    main->openTeam(PaneSide::Top, team);
    const std::string name = slotName(0);
    const auto before = test::snapshotFolder(folder.path());
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"pane-csv", team, target},
              {"history", name, "--team", team, "--csv", target},
              {"ranking", "--stat", "野手_本塁打", "--csv", target}}) {
            BatchRun r = run(command);
            EXPECT_EQ(r.status, 1) << command[0];
            EXPECT_NE(r.err.find("リーグのファイルには出力できません"), std::string::npos) << r.err;
        }
        dialogs.fileAnswers.enqueue(QString::fromStdString(target));
        main->pane(PaneSide::Top)->csvAction()->trigger();
        EXPECT_EQ(dialogs.messages.last(), QStringLiteral("CSVファイルを保存できませんでした。"));
        EXPECT_EQ(test::snapshotFolder(folder.path()), before);
    }
}

TEST_F(TwinCommands, PaneCsvConvertsAnOldLayoutFileAsThePaneDoes) {
    const std::string old = folder.file("小リーグ/team02.txt");
    const std::string copy = folder.file("小リーグ/team02-copy.txt");
    test::writeBytes(copy, readBytes(old));
    const std::string window = paneCsvOfWindow(old, folder.file("window-old.csv"));
    BatchRun batch = run({"pane-csv", copy, folder.file("batch-old.csv")});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(batch.err.find("旧形式のファイルです。"), 0u);
    EXPECT_EQ(readBytes(folder.file("batch-old.csv")), window);
    EXPECT_EQ(readBytes(copy), readBytes(old));
}

TEST_F(TwinCommands, HistoryOfABatterAndAPitcherEqualsTheDetailWindow) {
    expectHistoryTwin(slotName(0));  // first-team batter
    expectHistoryTwin(slotName(16)); // first-team pitcher
    setStatisticsCheck(false);
    expectHistoryTwin(slotName(16), {"--no-stats-check"});
}

TEST_F(TwinCommands, MissingKeysGiveTheWindowsErrorCodes) {
    const std::string name = slotName(17);
    IniStore store = IniStore::load(team);
    IniSection* player = store.section(name);
    ASSERT_NE(player, nullptr);
    PlayerRecord record(*player);
    player->remove(kCareer);
    player->remove(termKey(record.lastTerm() - 1, kAbility));
    store.save(team);
    expectHistoryTwin(name);
    BatchRun career = run({"history", name, "--team", team, "--copy-stats",
                           std::to_string(PlayerRecord(*store.section(name)).lastTerm())});
    EXPECT_EQ(career.out, "Error117\n");
}

TEST_F(TwinCommands, FailuresAreReportedAndWriteNothing) {
    BatchRun missing = run({"pane-csv", folder.file("ない.txt"), folder.file("x.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("ファイルが存在しません！"), std::string::npos);
    BatchRun stranger =
        run({"history", "誰でもない", "--team", team, "--csv", folder.file("y.csv")});
    EXPECT_EQ(stranger.status, 1);
    BatchRun noTerm = run({"history", slotName(0), "--team", team, "--copy-data", "999"});
    EXPECT_EQ(noTerm.status, 1);
    EXPECT_EQ(noTerm.out, "");
    EXPECT_EQ(run({"history", slotName(0)}).status, 2);
    BatchRun unwritable =
        run({"history", slotName(0), "--team", team, "--csv", folder.file("ない/z.csv")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err.find("CSVファイルを保存できませんでした。"), 0u) << unwritable.err;
    EXPECT_FALSE(fileExists(folder.file("x.csv")));
    EXPECT_FALSE(fileExists(folder.file("y.csv")));
}
