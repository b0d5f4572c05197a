// The undo in the windows: the main menu's 「直前の期更新を取り消す…」 with its
// confirmation, and the backup list with its folder, undo and redo buttons,
// on the small league after one term update.
#include "SmallLeague.h"

#include "mainwindow/Unit1.h"
#include "support/RecordingDialogs.h"
#include "termupdate/BackupsWindow.h"
#include "termupdate/TermUpdate.h"
#include "termupdate/Unit4.h"
#include "windowkit/ProgramState.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

Snapshot leagueState(const SmallLeague& league) {
    Snapshot all = snapshotFolder(league.programFolder());
    std::erase_if(all, [](const auto& f) { return f.first.starts_with("league/バックアップ/"); });
    return all;
}

class BackupsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        original = leagueState(league);
        RecordingReporter reporter;
        runTermUpdate(league.input(5), reporter);
        updated = leagueState(league);
    }
    SmallLeague league;
    RecordingDialogs dialogs;
    Snapshot original, updated;
};

QPushButton* button(QWidget& window, const char* name) {
    auto* b = window.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QStringList row(QTreeWidget* list, int i) {
    QStringList out;
    for (int c = 0; c < list->columnCount(); ++c)
        out << list->topLevelItem(i)->text(c);
    return out;
}

} // namespace

TEST_F(BackupsWindowTest, MainMenuUndoAsksWithTheFilesAndRestoresTheLeague) {
    TForm1 main(league.programFolder());
    auto* action = main.findChild<QAction*>(QStringLiteral("UndoTermUpdateAction"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("直前の期更新を取り消す…"));

    dialogs.choiceAnswers.enqueue(1); // キャンセル
    action->trigger();
    ASSERT_EQ(dialogs.choices.size(), 1);
    // Enter on the question cancels: both answers rewrite the league's files.
    EXPECT_EQ(dialogs.choicePresets, QList<int>{1});
    EXPECT_TRUE(dialogs.choices[0].startsWith(QStringLiteral("5期の期更新 (")));
    EXPECT_EQ(dialogs.lastOptions,
              (QStringList{QStringLiteral("取り消す"), QStringLiteral("キャンセル")}));
    EXPECT_EQ(leagueState(league), updated);

    dialogs.choiceAnswers.enqueue(0);
    action->trigger();
    EXPECT_EQ(leagueState(league), original);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("5期の期更新を取り消しました。"));
    EXPECT_TRUE(dialogs.details.last().endsWith(QStringLiteral("0005期取り消し前")));

    // Nothing left to undo: said so, nothing asked.
    action->trigger();
    EXPECT_EQ(dialogs.choices.size(), 2);
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("取り消せる期更新がありません。"));
}

TEST_F(BackupsWindowTest, AnEditedFileIsNamedAndNothingIsAsked) {
    writeBytes(league.path("league/blues.txt"), "[Team]\r\n");
    const Snapshot edited = snapshotFolder(league.programFolder());
    ProgramState state(league.programFolder());
    EXPECT_FALSE(confirmAndReverseTermUpdate(nullptr, state, UndoAction::Undo));
    EXPECT_TRUE(dialogs.choices.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(
        dialogs.messages[0].contains(QStringLiteral("\\league\\blues.txt (内容が変わっています)")))
        << dialogs.messages[0].toStdString();
    EXPECT_EQ(snapshotFolder(league.programFolder()), edited);
}

TEST_F(BackupsWindowTest, ListOpensFoldersAndUndoesAndRedoes) {
    ProgramState state(league.programFolder());
    BackupsWindow w(state);
    ASSERT_TRUE(w.refresh());
    QTreeWidget* list = w.list();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QStringList first = row(list, 0);
    EXPECT_EQ(first[0], QStringLiteral("0005期更新前"));
    EXPECT_EQ(first[1], QStringLiteral("5"));
    EXPECT_EQ(first.mid(3), (QStringList{QStringLiteral("7"), QStringLiteral("期更新"),
                                         QStringLiteral("取り消し可")}));
    EXPECT_TRUE(button(w, "UndoButton")->isEnabled());
    EXPECT_FALSE(button(w, "RedoButton")->isEnabled());

    QTest::mouseClick(button(w, "OpenFolderButton"), Qt::LeftButton);
    ASSERT_EQ(dialogs.opened.size(), 1);
    EXPECT_EQ(dialogs.opened[0], QUrl::fromLocalFile(QString::fromStdString(
                                     league.path("league/バックアップ/0005期更新前"))));

    dialogs.choiceAnswers.enqueue(0);
    QTest::mouseClick(button(w, "UndoButton"), Qt::LeftButton);
    EXPECT_EQ(leagueState(league), original);
    EXPECT_TRUE(w.changedLeague());
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(row(list, 0)[0], QStringLiteral("0005期取り消し前"));
    EXPECT_EQ(row(list, 0)[5], QStringLiteral("やり直し可"));
    EXPECT_EQ(row(list, 1)[5], QStringLiteral("取り消し済み"));
    EXPECT_FALSE(button(w, "UndoButton")->isEnabled());
    ASSERT_TRUE(button(w, "RedoButton")->isEnabled());

    dialogs.choiceAnswers.enqueue(0);
    QTest::mouseClick(button(w, "RedoButton"), Qt::LeftButton);
    EXPECT_EQ(leagueState(league), updated);
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("5期の期更新の取り消しをやり直しました。"));
    EXPECT_EQ(row(list, 1)[5], QStringLiteral("取り消し可"));
}

TEST_F(BackupsWindowTest, TheTermUpdateWindowUndoesAndListsToo) {
    ProgramState state(league.programFolder());
    TForm4 w(state);
    ASSERT_TRUE(w.prepare());
    EXPECT_EQ(button(w, "BackupsButton")->text(), QStringLiteral("バックアップ一覧(&B)…"));
    dialogs.choiceAnswers.enqueue(0);
    QTest::mouseClick(button(w, "UndoButton"), Qt::LeftButton);
    EXPECT_EQ(leagueState(league), original);
    EXPECT_EQ(w.statusText(), QStringLiteral("直前の期更新を取り消しました。"));
}
