// The term update window under the offscreen platform, on a small sample
// league: opening, drops and deletions, the data check enabling "実行", the
// run, and the main window's panes showing the new term afterwards.
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/Paths.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/Unit1.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "termupdate/Unit4.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class TermUpdateWindowTest : public ::testing::Test {
protected:
    void SetUp() override { summary = sample::writeSampleLeague(folder.path(), {4, 3, 56, 7}); }
    TempFolder folder;
    RecordingDialogs dialogs;
    sample::SampleSummary summary;
};

// A button of the window by its object name, for a real click.
QPushButton* button(QWidget& window, const char* name) {
    auto* b = window.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QStringList texts(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

TEST_F(TermUpdateWindowTest, OpensWithTheLeaguesNamesAndTheWorkingFiles) {
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("最新データの追加"));
    EXPECT_EQ(w.teamList()->count(), 8);
    EXPECT_EQ(w.teamList()->toolTip(), QString::fromStdString(summary.leagueFolder));
    EXPECT_EQ(w.toolBox()->currentText(), QStringLiteral("標準"));
    EXPECT_EQ(w.termBox()->value(), summary.latestTerm + 1); // the term after the newest
    EXPECT_EQ(w.gamesBox()->value(), 150);
    EXPECT_EQ(w.fileList(WorkingList::Growth)->count(), 4);
    EXPECT_FALSE(w.runButton()->isEnabled());
}

TEST_F(TermUpdateWindowTest, DroppedFilesAreCopiedAndDeletedFromTheWorkingFolder) {
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    const std::string dropped = folder.file("外から/追加.txt");
    tenvoll::test::writeCp932(dropped, "abc\n");
    w.dropOnList(WorkingList::Statistics, {QString::fromStdString(dropped)});
    w.dropOnList(WorkingList::Statistics, {QString::fromStdString(dropped)});
    const std::string copy =
        joinPath(joinPath(joinPath(folder.path(), "temp"), "seiseki"), "追加.txt");
    EXPECT_TRUE(fileExists(copy));
    EXPECT_EQ(texts(w.fileList(WorkingList::Statistics)).count(QStringLiteral("追加.txt")), 2);
    EXPECT_TRUE(w.statusText().endsWith(QStringLiteral("を追加しました。")));

    w.dropOnGamesPanel({QString::fromStdString(dropped), QString::fromStdString(copy)});
    EXPECT_EQ(w.statusText(), QStringLiteral("ファイルは一個ごとに処理してください！"));

    QListWidget* list = w.fileList(WorkingList::Statistics);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setSelected(list->item(i)->text() == QStringLiteral("追加.txt"));
    w.findChild<QAction*>(QStringLiteral("DeleteFilesAction"))->trigger();
    EXPECT_FALSE(fileExists(copy));
    // The other entry names the file already deleted: it goes as well.
    EXPECT_EQ(texts(list).count(QStringLiteral("追加.txt")), 0);
    EXPECT_EQ(w.statusText(), QString::fromStdString(copy) +
                                  QStringLiteral("はすでにありません。一覧から外しました。"));
}

// Files added or removed outside the program show at the next data check and
// whenever the window becomes active again; a gone file's entry can be removed.
TEST_F(TermUpdateWindowTest, ListsFollowTheWorkingFoldersAndAGoneEntryCanBeRemoved) {
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    w.show();
    QListWidget* growth = w.fileList(WorkingList::Growth);
    const QStringList before = texts(growth);
    ASSERT_EQ(before.size(), 4);
    const std::string growthFolder = joinPath(joinPath(folder.path(), "temp"), "seichou");
    const std::string gone = joinPath(growthFolder, ss(before[0]));

    // Deleted in the file manager, then "ファイルを削除" on its stale entry.
    ASSERT_TRUE(removeFile(gone));
    growth->item(0)->setSelected(true);
    w.findChild<QAction*>(QStringLiteral("DeleteFilesAction"))->trigger();
    EXPECT_EQ(texts(growth), before.mid(1));
    EXPECT_EQ(w.statusText(), QString::fromStdString(gone) +
                                  QStringLiteral("はすでにありません。一覧から外しました。"));

    // Another one deleted outside: "データチェック" lists the folder anew and
    // reports the team that lost its file.
    const std::string second = joinPath(growthFolder, ss(before[1]));
    ASSERT_TRUE(removeFile(second));
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    EXPECT_EQ(texts(growth), before.mid(2));
    EXPECT_TRUE(w.statusText().endsWith(QStringLiteral("関係のエラーがあります。")))
        << w.statusText().toStdString();

    // A file put back outside shows once the window is active again.
    tenvoll::test::writeCp932(second, "abc\n");
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    w.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(texts(growth), before.mid(1));
}

TEST_F(TermUpdateWindowTest, CheckEnablesTheRunWhichAddsTheTerm) {
    TForm1 main(folder.path());
    TForm4 w(main.state(), &main);
    ASSERT_TRUE(w.prepare());
    const long long s = summary.latestTerm + 1;
    w.termBox()->setValue(static_cast<int>(s));
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    ASSERT_TRUE(w.runButton()->isEnabled())
        << dialogs.messages.join(QStringLiteral("|")).toStdString();
    QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("%1期のデータを追加しました。").arg(s));
    // The backup folder stands whole on the detail's last line.
    const QString backupLine = dialogs.details.last().section(QLatin1Char('\n'), -1);
    EXPECT_TRUE(QFileInfo(backupLine).isDir()) << backupLine.toStdString();

    IniStore team = IniStore::load(summary.teamFiles[0]);
    const std::string first = team.value("Team", "0").substr(2);
    EXPECT_EQ(team.integer(first, "最終", 0), s);

    main.reloadPanes();
    RosterTableModel* m = main.pane(PaneSide::Top)->model(GridKind::Batters);
    EXPECT_FALSE(m->data(m->index(0, 1), Qt::DisplayRole).toString().isEmpty());
}

// "データチェック" only checks; "実行" initialises a game-text team file and
// updates in one commit, and the backup holds the file as it was.
TEST_F(TermUpdateWindowTest, TheCheckWritesNothingAndTheRunBacksUpTheFileAsItWas) {
    tenvoll::test::writeCp932(summary.teamFiles[1], "  ゲームのテキスト\n");
    const std::string original = tenvoll::test::readBytes(summary.teamFiles[1]);
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    w.termBox()->setValue(static_cast<int>(summary.latestTerm + 1));
    auto before = tenvoll::test::snapshotFolder(folder.path());
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    ASSERT_TRUE(w.runButton()->isEnabled());
    EXPECT_EQ(tenvoll::test::snapshotFolder(folder.path()), before);

    QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
    ASSERT_FALSE(dialogs.details.isEmpty())
        << dialogs.messages.join(QStringLiteral("|")).toStdString();
    const std::string backup = dialogs.details.last().section(QLatin1Char('\n'), -1).toStdString();
    const auto relative =
        std::filesystem::relative(summary.teamFiles[1], summary.leagueFolder).string();
    EXPECT_EQ(tenvoll::test::readBytes(joinPath(backup, relative)), original);
    EXPECT_TRUE(IniStore::load(summary.teamFiles[1]).hasSection("Team"));
}

TEST_F(TermUpdateWindowTest, RunWithoutATermChangesNothing) {
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    ASSERT_TRUE(w.runButton()->isEnabled());
    auto before = tenvoll::test::snapshotFolder(folder.path());
    // Term 0: refused before anything is written.
    w.termBox()->setValue(0);
    QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
    EXPECT_EQ(tenvoll::test::snapshotFolder(folder.path()), before);
    EXPECT_EQ(w.statusText(), QStringLiteral("中止しました。ファイルは変更されていません。"));
}

// A term below the league's newest is refused; the newest term itself runs
// only after a yes to the question.
TEST_F(TermUpdateWindowTest, OlderTermIsRefusedAndTheNewestAsksFirst) {
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    auto before = tenvoll::test::snapshotFolder(folder.path());
    w.termBox()->setValue(static_cast<int>(summary.latestTerm - 1));
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    before = tenvoll::test::snapshotFolder(folder.path());
    QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
    EXPECT_EQ(tenvoll::test::snapshotFolder(folder.path()), before);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().contains(QStringLiteral("より前です")));
    EXPECT_EQ(dialogs.kinds.last(), MessageKind::Warning);

    w.termBox()->setValue(static_cast<int>(summary.latestTerm));
    dialogs.questionAnswers.enqueue(false);
    QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
    EXPECT_EQ(dialogs.questions.size(), 1);
    // Adding the term again rewrites every team file: a stray Enter says no.
    EXPECT_EQ(dialogs.presets, QList<DefaultAnswer>{DefaultAnswer::No});
    EXPECT_EQ(tenvoll::test::snapshotFolder(folder.path()), before);

    dialogs.questionAnswers.enqueue(true);
    QTest::mouseClick(button(w, "Button1"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("%1期のデータを追加しました。").arg(summary.latestTerm));
}

// "実行" follows the last check only: a check stopped by a team file that
// cannot be read, or by a team missing from the growth files, leaves it
// disabled, even after an earlier check had passed.
TEST_F(TermUpdateWindowTest, FailedCheckLeavesTheRunDisabled) {
    ProgramState state(folder.path());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    w.termBox()->setValue(static_cast<int>(summary.latestTerm + 1));
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    ASSERT_TRUE(w.runButton()->isEnabled());
    const std::string teamFile = summary.teamFiles[1];
    const std::string kept = readFileBytes(teamFile);
    removeFile(teamFile);
    const qsizetype shown = dialogs.messages.size();
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    EXPECT_GT(dialogs.messages.size(), shown);
    EXPECT_FALSE(w.runButton()->isEnabled());
    writeBytesAtomic(teamFile, kept);

    QListWidget* growth = w.fileList(WorkingList::Growth);
    growth->item(0)->setSelected(true);
    w.findChild<QAction*>(QStringLiteral("DeleteFilesAction"))->trigger();
    QTest::mouseClick(button(w, "Button5"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.last().endsWith(QStringLiteral("関係のエラーがあります。")));
    EXPECT_EQ(dialogs.kinds.last(), MessageKind::Warning);
    EXPECT_FALSE(w.runButton()->isEnabled());
}
