// The window "チーム編成" on a sample league: what it opens with, editing and
// saving (a failed save keeps the window and its entries), Enter with the
// current league's name, and league change and deletion ending the program
// through the main window, which records the new league.
#include "league/FileAccess.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "mainwindow/Unit1.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "termupdate/Unit3.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/ProgramState.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

// The organisation editor's controls, used as the user does.
void click(TForm3& w, const char* button) {
    auto* b = w.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
}
void chooseLeague(TForm3& w, const QString& league) {
    QComboBox* box = w.leagueBox();
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(box->findText(league), 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}
void typeLeague(TForm3& w, const QString& league) {
    QLineEdit* edit = w.leagueBox()->lineEdit();
    edit->selectAll();
    // Japanese arrives as an input method's committed text.
    QInputMethodEvent typed;
    typed.setCommitString(league);
    QApplication::sendEvent(edit, &typed);
    QTest::keyClick(edit, Qt::Key_Return);
}

class OrganisationWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        summary = sample::writeSampleLeague(folder.path(), {4, 2, 56, 1});
        state.setLeagueName(summary.leagueName);
        QObject::connect(&state, &ProgramState::quitRequested,
                         [this](const QString& league) { quitLeagues << league; });
    }
    std::string settingsBytes() const { return test::readBytes(folder.file("Tenvoll.ini")); }
    Settings settings() const {
        Settings s(folder.path());
        s.load();
        return s;
    }

    TempFolder folder;
    RecordingDialogs dialogs;
    sample::SampleSummary summary;
    ProgramState state{folder.path()};
    QStringList quitLeagues;
};

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void emptyTheList(TForm3& w) {
    while (w.entryList()->count() > 0) {
        w.entryList()->setCurrentRow(0);
        click(w, "DeleteButton");
    }
}

} // namespace

TEST_F(OrganisationWindowTest, OpensOnTheCurrentLeagueAndShowsAnEntry) {
    TForm3 w(state);
    ASSERT_TRUE(w.prepare());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("チーム編成"));
    EXPECT_EQ(items(w.leagueBox()),
              (QStringList{QStringLiteral("サンプルリーグ"), QStringLiteral("小リーグ")}));
    EXPECT_EQ(w.leagueBox()->currentText(), QStringLiteral("サンプルリーグ"));
    EXPECT_EQ(w.entryList()->count(), 4);
    EXPECT_EQ(w.countLabel()->text(), QStringLiteral("チーム数\n4"));

    w.entryList()->setCurrentRow(1);
    const std::vector<LeagueEntry> entries = settings().entries("サンプルリーグ");
    EXPECT_EQ(w.firstTeamEdit()->text(), QString::fromStdString(entries[1].firstTeam));
    EXPECT_EQ(w.farmTeamEdit()->text(), QString::fromStdString(entries[1].farmTeam));
    EXPECT_EQ(w.fileEdit()->text(), QString::fromStdString(entries[1].path));
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(w.entryList(), &focus);
    EXPECT_EQ(w.countLabel()->text(), QStringLiteral("チーム数4"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(OrganisationWindowTest, AFailedSaveKeepsTheWindowAndItsEntries) {
    TForm3 w(state);
    ASSERT_TRUE(w.prepare());
    w.show();
    w.firstTeamEdit()->setText(QStringLiteral("同じ"));
    w.farmTeamEdit()->setText(QStringLiteral("同じ"));
    w.fileEdit()->setText(QStringLiteral("\\My Teams\\new.txt"));
    click(w, "AddButton");
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("エラー！！\n\r一、二軍のチーム名が同じです！")});
    w.farmTeamEdit()->setText(QStringLiteral("同じ二軍"));
    click(w, "AddButton");
    EXPECT_EQ(w.entryList()->count(), 5);
    EXPECT_EQ(w.entryList()->currentRow(), 4);
    EXPECT_EQ(w.countLabel()->text(), QStringLiteral("チーム数5"));
    w.entryList()->setCurrentRow(0);
    click(w, "DeleteButton");
    EXPECT_EQ(w.countLabel()->text(), QStringLiteral("チーム数4"));

    const std::string before = settingsBytes();
    WriteFaults::reset();
    WriteFaults::failWrite(1);
    click(w, "SaveButton");
    WriteFaults::reset();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages.last().contains(QStringLiteral("Tenvoll.ini")));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.entryList()->count(), 4);
    EXPECT_EQ(settingsBytes(), before);

    click(w, "SaveButton");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    std::vector<LeagueEntry> saved = settings().entries("サンプルリーグ");
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(saved[3].path, "\\My Teams\\new.txt");
    EXPECT_TRUE(quitLeagues.isEmpty());
}

TEST_F(OrganisationWindowTest, EnterWithTheCurrentNameOnlyAddsADuplicateItem) {
    TForm3 w(state);
    ASSERT_TRUE(w.prepare());
    const std::string before = settingsBytes();
    w.leagueBox()->setEditText(QStringLiteral("サンプルリーグ"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w.leagueBox()->lineEdit(), &enter);
    EXPECT_EQ(items(w.leagueBox()).count(QStringLiteral("サンプルリーグ")), 2);
    // Arrow keys and the wheel only open the list: no league is chosen by accident.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(w.leagueBox()->lineEdit(), &down);
    w.leagueBox()->hidePopup();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(quitLeagues.isEmpty());
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(w.entryList()->count(), 4);
}

TEST_F(OrganisationWindowTest, ChoosingAnotherLeagueEndsTheProgramRecordingIt) {
    TForm1 main(folder.path());
    main.show();
    TForm3 w(main.state(), &main);
    ASSERT_TRUE(w.prepare());
    chooseLeague(w, QStringLiteral("小リーグ"));
    EXPECT_EQ(dialogs.messages,
              (QStringList{QStringLiteral("機構が変更されました"),
                           QStringLiteral("機構が変更されました。再度実行してください。")}));
    EXPECT_FALSE(main.isVisible());
    Settings after = settings();
    EXPECT_EQ(after.leagueName(), "小リーグ");
    EXPECT_EQ(after.team1().front(), '\\'); // written relative, as the close does
    EXPECT_EQ(after.entries("サンプルリーグ").size(), 4u);
}

TEST_F(OrganisationWindowTest, TypingANewLeagueCreatesItAndEndsTheProgram) {
    TForm3 w(state);
    ASSERT_TRUE(w.prepare());
    typeLeague(w, QStringLiteral("第三リーグ"));
    EXPECT_EQ(dialogs.messages,
              (QStringList{QStringLiteral("機構が変更されました"),
                           QStringLiteral("新規機構に変更します。再度実行してください。")}));
    EXPECT_EQ(quitLeagues, QStringList{QStringLiteral("第三リーグ")});
    EXPECT_EQ(settings().teamCount("第三リーグ", -1), 0);
}

TEST_F(OrganisationWindowTest, DeletingTheCurrentLeagueEndsTheProgramButNotTheLastLeague) {
    {
        TForm3 w(state);
        ASSERT_TRUE(w.prepare());
        emptyTheList(w);
        EXPECT_TRUE(quitLeagues.isEmpty());
        click(w, "DeleteButton");
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("機構を削除しました。")});
        EXPECT_EQ(quitLeagues, QStringList{QStringLiteral("小リーグ")});
        EXPECT_FALSE(settings().ini().hasSection("サンプルリーグ"));
        EXPECT_EQ(settings().leagueName(), "小リーグ");
    }
    dialogs.messages.clear();
    quitLeagues.clear();
    state.setLeagueName("小リーグ");
    TForm3 last(state);
    ASSERT_TRUE(last.prepare());
    emptyTheList(last);
    const std::string before = settingsBytes();
    click(last, "DeleteButton");
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("すべての機構を消去することはできません。")});
    EXPECT_TRUE(quitLeagues.isEmpty());
    EXPECT_EQ(settingsBytes(), before);
}

TEST_F(OrganisationWindowTest, ASecondLeagueIsMadeFilledAndShownAfterARestart) {
    {
        TForm1 main(folder.path());
        main.show();
        TForm3 w(main.state(), &main);
        ASSERT_TRUE(w.prepare());
        typeLeague(w, QStringLiteral(" 第二リーグ "));
        EXPECT_FALSE(main.isVisible());
    }
    // Moved into a folder with a blank: the entries must keep their paths.
    const std::string teams = folder.file("第二 リーグ");
    createFolders(teams);
    for (const std::string& file : summary.teamFiles)
        copyFileReplacing(file, joinPath(teams, fileNameOf(file)));
    test::writeCp932(joinPath(teams, "memo.txt"), "メモ\n");
    dialogs.messages.clear();
    dialogs.details.clear();
    {
        TForm1 main(folder.path());
        EXPECT_EQ(main.windowTitle(), QStringLiteral("第二リーグ"));
        EXPECT_TRUE(main.findChild<QMenu*>(QStringLiteral("TopTeamMenu"))->actions().isEmpty());
        TForm3 w(main.state(), &main);
        ASSERT_TRUE(w.prepare());
        EXPECT_EQ(w.entryList()->count(), 0);
        EXPECT_EQ(w.countLabel()->text(), QStringLiteral("チーム数"));
        dialogs.fileAnswers.enqueue(QString::fromStdString(teams));
        click(w, "RegisterFolderButton");
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral(
                                        "選択されたファイルはチームファイルではありません！")});
        EXPECT_EQ(dialogs.details, QStringList{QStringLiteral("memo.txt")});
        EXPECT_EQ(w.entryList()->count(), 4);
        EXPECT_EQ(w.countLabel()->text(), QStringLiteral("チーム数4"));
        click(w, "SaveButton");
    }
    TForm1 main(folder.path());
    const QList<QAction*> menu = main.findChild<QMenu*>(QStringLiteral("TopTeamMenu"))->actions();
    ASSERT_EQ(menu.size(), 4);
    EXPECT_EQ(menu[0]->text(), QStringLiteral("\\第二 リーグ\\team01.txt"));
    menu[0]->trigger();
    EXPECT_EQ(main.state().pane(PaneSide::Top).path, joinPath(teams, "team01.txt"));
    EXPECT_FALSE(main.state().pane(PaneSide::Top).teamName.empty());
}

TEST_F(OrganisationWindowTest, AChosenTeamFileFillsTheFieldsAndANewSettingsFileIsMade) {
    removeFile(folder.file("Tenvoll.ini"));
    state.setLeagueName("ボルタナ選手名鑑");
    dialogs.inputAnswers.enqueue(QStringLiteral("新リーグ"));
    TForm3 w(state);
    ASSERT_TRUE(w.prepare());
    EXPECT_EQ(state.leagueName(), "新リーグ");
    EXPECT_EQ(items(w.leagueBox()), QStringList{QStringLiteral("新リーグ")});
    Settings made = settings();
    EXPECT_EQ(made.leagueName(), "新リーグ");
    EXPECT_EQ(made.teamCount("新リーグ", -1), 0);

    dialogs.fileAnswers.enqueue(QString::fromStdString(folder.file("Tenvoll.ini")));
    click(w, "ChooseButton");
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("選択されたファイルはチームファイルではありません！")});
    EXPECT_EQ(dialogs.lastFilters.size(), 1);
    EXPECT_EQ(dialogs.lastFilters[0].caption, QStringLiteral("テキストファイル (*.txt)"));
    EXPECT_TRUE(w.fileEdit()->text().isEmpty());

    dialogs.fileAnswers.enqueue(QString::fromStdString(summary.teamFiles[1]));
    click(w, "ChooseButton");
    EXPECT_EQ(w.fileEdit()->text(),
              QString::fromStdString(toStoredPath(folder.path(), summary.teamFiles[1])));
    EXPECT_TRUE(w.fileEdit()->text().startsWith(QLatin1Char('\\')));
    EXPECT_FALSE(w.firstTeamEdit()->text().isEmpty());
    click(w, "AddButton");
    click(w, "SaveButton");
    EXPECT_EQ(settings().entries("新リーグ").size(), 1u);
}

TEST_F(OrganisationWindowTest, TheMainWindowsTeamMenusShowTheSavedEntries) {
    TForm1 main(folder.path());
    main.show();
    QTimer::singleShot(0, &main, [] {
        auto* w = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        w->entryList()->setCurrentRow(0);
        w->deleteEntry();
        w->saveAndClose();
    });
    main.findChild<QAction*>(QStringLiteral("LeagueEditorAction"))->trigger();
    const QList<QAction*> menu = main.findChild<QMenu*>(QStringLiteral("TopTeamMenu"))->actions();
    // Three entries; the old fourth key stays in the file but is not offered.
    ASSERT_EQ(menu.size(), 3);
    EXPECT_EQ(menu[0]->text(),
              QString::fromStdString(toStoredPath(folder.path(), summary.teamFiles[1])));
    EXPECT_TRUE(main.isVisible());
}
