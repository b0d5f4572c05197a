// Player detail window under the offscreen platform, opened from the panes of
// the main window on fixtures/main-window.
#include "league/Kyoutuu.h"
#include "league/TextCodec.h"
#include "mainwindow/GridView.h"
#include "mainwindow/ProgramState.h"
#include "mainwindow/Unit1.h"
#include "player/HistoryTableModel.h"
#include "player/Unit2.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class PlayerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tenvoll::test::copyFixtureFolder("main-window", folder.path());
        main = std::make_unique<TForm1>(folder.path());
    }
    QString label(const char* name) {
        return detail()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    TForm2* detail() { return main->playerDetailWindow(); }

    TempFolder folder;
    RecordingDialogs dialogs;
    std::unique_ptr<TForm1> main;
};

} // namespace

TEST_F(PlayerWindowTest, DoubleClickOpensOneWindowWithThePlayersHistory) {
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("山田ソ太郎"));
    ASSERT_NE(detail(), nullptr);
    TForm2* first = detail();
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(label("Label1"), QStringLiteral("山田ソ太郎 右 普"));
    EXPECT_EQ(label("Label4"), QStringLiteral("【Sp】【Pw】【Se】【Ph】【Me】"));
    EXPECT_EQ(first->model()->rowCount(), 2);
    EXPECT_EQ(first->model()->headerData(16, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("打率"));
    QAbstractItemModelTester tester(first->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);

    // A second request reuses the window and shows the new player.
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("投手能一"));
    EXPECT_EQ(detail(), first);
    EXPECT_EQ(first->model()->headerData(16, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("防率"));
    // Rows that name nobody open nothing.
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("*"));
    EXPECT_EQ(main->state().shownPlayer(), "投手能一");
}

TEST_F(PlayerWindowTest, OtherTeamButtonSwitchesBetweenThePanesPlayers) {
    main->StringGridAllDblClick(PaneSide::Bottom, QStringLiteral("大阪選手"));
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("山田ソ太郎"));
    auto* button = detail()->findChild<QPushButton*>(QStringLiteral("Button3"));
    EXPECT_EQ(button->text(), QStringLiteral("大阪選手を表示"));
    EXPECT_FALSE(button->isHidden());
    button->click();
    EXPECT_EQ(main->state().shownPlayer(), "大阪選手");
    EXPECT_EQ(label("Label1"), QStringLiteral("大阪選手 右 普"));
    EXPECT_EQ(button->text(), QStringLiteral("山田ソ太郎を表示"));
}

TEST_F(PlayerWindowTest, ClipboardCommandsTellTheUserFirst) {
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("山田ソ太郎"));
    detail()->grid()->selectRow(1);
    detail()->copyPlayerData();
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("選手のデータをクリップボードにコピーしました。"));
    const IniSection* yamada = main->state().pane(PaneSide::Top).store.section("山田ソ太郎");
    EXPECT_EQ(QApplication::clipboard()->text(),
              QString::fromStdString(yamada->value("0004能力") + " ; 27 A B C D E "));
    detail()->copyStatistics();
    EXPECT_EQ(dialogs.messages.last(),
              QStringLiteral("選手の成績をクリップボードにコピーしました。"));
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(yamada->value("0004成績")));
}

TEST_F(PlayerWindowTest, CsvIsSavedAsCp932OrCancelled) {
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("山田ソ太郎"));
    detail()->saveCsv();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("保存されませんでした"));
    EXPECT_EQ(dialogs.proposedSaveNames.last(), QStringLiteral("山田ソ太郎"));
    EXPECT_EQ(dialogs.lastSuffix, QStringLiteral("csv"));

    const std::string out = folder.file("山田.csv");
    dialogs.fileAnswers.enqueue(QString::fromStdString(out));
    detail()->saveCsv();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("CSVデータ保存終了！"));
    EXPECT_EQ(tenvoll::test::readBytes(out),
              encodeCp932(joinCrlf(playerHistoryCsv(detail()->history(), "山田ソ太郎")), out));
}

TEST_F(PlayerWindowTest, ClosingDiscardsTheWindow) {
    main->StringGridAllDblClick(PaneSide::Top, QStringLiteral("山田ソ太郎"));
    detail()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(detail(), nullptr);
}

// The window needs only the program state: it follows a reloaded store while
// shown, and a player no longer in either store leaves the grid as it was.
TEST(PlayerWindowOnState, FollowsReloadedStores) {
    TempFolder folder;
    RecordingDialogs dialogs;
    tenvoll::test::copyFixtureFolder("main-window", folder.path());
    ProgramState state(folder.path());
    ProgramState::PaneState& top = state.pane(PaneSide::Top);
    top.store = IniStore::load(folder.file("リーグ/東京.txt"));
    top.selected = "山田ソ太郎";
    state.setShownPlayer(top.selected);
    TForm2 w(state);
    w.show();
    w.refill();
    auto title = [&] { return w.findChild<QLabel*>(QStringLiteral("Label1"))->text(); };
    EXPECT_EQ(title(), QStringLiteral("山田ソ太郎 右 普"));

    top.store.section("山田ソ太郎")
        ->set(termKey(5, kAbility), "5 山田ソ太郎 左 速 C B D E E C C B A B C D 12 B C 345");
    state.announceStoreReloaded(PaneSide::Top);
    EXPECT_EQ(title(), QStringLiteral("山田ソ太郎 左 速"));
    EXPECT_EQ(w.model()->rowCount(), 2);

    top.store = IniStore::load(folder.file("リーグ/大阪.txt"));
    top.selected = "大阪選手";
    state.announceStoreReloaded(PaneSide::Top);
    EXPECT_EQ(title(), QStringLiteral("山田ソ太郎 左 速"));
    EXPECT_EQ(w.model()->rowCount(), 2);
}
