// Player detail window under the offscreen platform, opened from the panes of
// the main window on fixtures/main-window.
#include "charts/XYGraph.h"
#include "league/Kyoutuu.h"
#include "league/TextCodec.h"
#include "mainwindow/RosterPane.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/Unit1.h"
#include "player/HistoryTableModel.h"
#include "player/Unit2.h"
#include "support/CheckedModelTester.h"
#include "support/PaneClicks.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "windowkit/GridView.h"
#include "windowkit/ProgramState.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolTip>

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
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("山田ソ太郎"));
    ASSERT_NE(detail(), nullptr);
    TForm2* first = detail();
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(label("Label1"), QStringLiteral("山田ソ太郎 右 普"));
    EXPECT_EQ(label("Label4"), QStringLiteral("【Sp】【Pw】【Se】【Ph】【Me】"));
    EXPECT_EQ(first->model()->rowCount(), 2);
    EXPECT_EQ(first->model()->headerData(16, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("打率"));
    tenvoll::test::CheckedModelTester tester(first->model());

    // A second request reuses the window and shows the new player.
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("投手能一"));
    EXPECT_EQ(detail(), first);
    EXPECT_EQ(first->model()->headerData(16, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("防率"));
    // An empty roster row names nobody and opens nothing.
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QString());
    EXPECT_EQ(main->state().shownPlayer(), "投手能一");
}

TEST_F(PlayerWindowTest, OtherTeamButtonSwitchesBetweenThePanesPlayers) {
    tenvoll::test::choosePlayer(*main, PaneSide::Bottom, QStringLiteral("大阪選手"));
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("山田ソ太郎"));
    auto* button = detail()->findChild<QPushButton*>(QStringLiteral("Button3"));
    EXPECT_EQ(button->text(), QStringLiteral("大阪選手を表示(&O)"));
    EXPECT_FALSE(button->isHidden());
    button->click();
    EXPECT_EQ(main->state().shownPlayer(), "大阪選手");
    EXPECT_EQ(label("Label1"), QStringLiteral("大阪選手 右 普"));
    EXPECT_EQ(button->text(), QStringLiteral("山田ソ太郎を表示(&O)"));
}

TEST_F(PlayerWindowTest, ClipboardCommandsTellTheUserFirst) {
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("山田ソ太郎"));
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
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("山田ソ太郎"));
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
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("山田ソ太郎"));
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
    IniStore tokyo = IniStore::load(folder.file("リーグ/東京.txt"));
    state.setPaneStore(PaneSide::Top, tokyo);
    state.selectPlayer(PaneSide::Top, "山田ソ太郎");
    state.setShownPlayer("山田ソ太郎");
    TForm2 w(state);
    w.show();
    w.refill();
    auto title = [&] { return w.findChild<QLabel*>(QStringLiteral("Label1"))->text(); };
    EXPECT_EQ(title(), QStringLiteral("山田ソ太郎 右 普"));

    tokyo.section("山田ソ太郎")
        ->set(termKey(5, kAbility), "5 山田ソ太郎 左 速 C B D E E C C B A B C D 12 B C 345");
    state.setPaneStore(PaneSide::Top, tokyo);
    EXPECT_EQ(title(), QStringLiteral("山田ソ太郎 左 速"));
    EXPECT_EQ(w.model()->rowCount(), 2);

    state.selectPlayer(PaneSide::Top, "大阪選手");
    state.setPaneStore(PaneSide::Top, IniStore::load(folder.file("リーグ/大阪.txt")));
    EXPECT_EQ(title(), QStringLiteral("山田ソ太郎 左 速"));
    EXPECT_EQ(w.model()->rowCount(), 2);
}

namespace {

// The texts of a grid's number cells (aligned right or centred) that its
// columns show cut; empty when every number fits whole. Also collects every
// number shown.
QStringList cutNumbers(const GridView& grid, QStringList& shown) {
    QStringList cut;
    const QAbstractItemModel* m = grid.model();
    const QFontMetrics metrics(grid.font());
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c) {
            const QModelIndex index = m->index(r, c);
            const int align = index.data(Qt::TextAlignmentRole).toInt();
            if (!(align & (Qt::AlignRight | Qt::AlignHCenter)))
                continue;
            const QString text = index.data(Qt::DisplayRole).toString();
            shown << text;
            // As the delegate draws it: elided when the text area is too narrow.
            const int room = cellTextArea(grid.visualRect(index)).width();
            if (metrics.elidedText(text, Qt::ElideRight, room) != text)
                cut << text;
        }
    return cut;
}

} // namespace

// An ERA of 12.86 and a rate of 1.000 are wider than the columns' least
// widths: the panes and the detail window widen those columns instead of
// showing "2.86" and ".000".
TEST(WideNumbersTest, NumberColumnsHoldTheirWidestValue) {
    TempFolder folder;
    RecordingDialogs dialogs;
    tenvoll::test::copyFixtureFolder("wide-numbers", folder.path());
    TForm1 main(folder.path());
    QStringList shown;
    for (GridKind kind : kGridKinds) {
        const GridView& grid = *main.pane(PaneSide::Top)->grid(kind);
        EXPECT_EQ(cutNumbers(grid, shown).join(QLatin1Char(' ')).toStdString(), "")
            << static_cast<int>(kind);
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("12.86")));
    EXPECT_TRUE(shown.contains(QStringLiteral("1.000")));

    for (const QString& player : {QStringLiteral("投手能一"), QStringLiteral("山田ソ太郎")}) {
        tenvoll::test::choosePlayer(main, PaneSide::Top, player);
        ASSERT_NE(main.playerDetailWindow(), nullptr);
        shown.clear();
        EXPECT_EQ(cutNumbers(*main.playerDetailWindow()->grid(), shown)
                      .join(QLatin1Char(' '))
                      .toStdString(),
                  "")
            << player.toStdString();
        EXPECT_TRUE(shown.contains(player == QStringLiteral("投手能一") ? QStringLiteral("12.86")
                                                                        : QStringLiteral("1.000")))
            << shown.join(QLatin1Char(' ')).toStdString();
    }
}

// Switching to a player with fewer terms gives the window its shorter height.
TEST_F(PlayerWindowTest, WindowShrinksToAPlayerWithFewerTerms) {
    RosterTableModel* batters = main->pane(PaneSide::Top)->model(GridKind::Batters);
    QString most, fewest;
    int mostRows = -1, fewestRows = 1 << 20;
    for (int r = 0; r < batters->rowCount(); ++r) {
        const QString name = batters->data(batters->index(r, 1), Qt::DisplayRole).toString();
        if (name.isEmpty())
            continue;
        tenvoll::test::choosePlayer(*main, PaneSide::Top, name);
        const int rows = detail()->model()->rowCount();
        if (rows > mostRows)
            mostRows = rows, most = name;
        if (rows < fewestRows)
            fewestRows = rows, fewest = name;
    }
    ASSERT_LT(fewestRows, mostRows);
    tenvoll::test::choosePlayer(*main, PaneSide::Top, most);
    QApplication::processEvents();
    const int tall = detail()->height();
    tenvoll::test::choosePlayer(*main, PaneSide::Top, fewest);
    QApplication::processEvents();
    EXPECT_LT(detail()->height(), tall);
}

namespace {

// "name: (x, y) (x, y)" of every series of the detail window's chart.
std::string chartSeries(TForm2& window) {
    std::string out;
    charts::TXYGraphCore& graph = window.careerGraph()->graph();
    for (int s = 0; s < graph.seriesCount(); ++s) {
        const charts::TXYGraphSeries* series = graph.series(s);
        out += series->Name() + ":";
        for (int i = 0; i < series->pointCount(); ++i)
            out += " (" + QString::number(series->xValue(i)).toStdString() + ", " +
                   QString::number(series->yValue(i)).toStdString() + ")";
        out += "\n";
    }
    return out;
}

} // namespace

TEST_F(PlayerWindowTest, CareerChartShowsTheChosenItemsAndFollowsThePlayersKind) {
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("山田ソ太郎"));
    TForm2& window = *detail();
    EXPECT_EQ(window.chartItem()->currentText(), QStringLiteral("能力:指数"));
    EXPECT_EQ(window.secondChartItem()->currentText(), QStringLiteral("なし"));
    EXPECT_EQ(chartSeries(window), "能力:指数: (4, 345) (5, 340)\n");

    // A second item; the term without statistics has no point.
    QComboBox* second = window.secondChartItem();
    second->setCurrentIndex(second->findText(QStringLiteral("成績:打率")));
    EXPECT_EQ(chartSeries(window), "能力:指数: (4, 345) (5, 340)\n成績:打率: (4, 0.312)\n");
    EXPECT_EQ(window.careerGraph()->graph().Title().front(), "山田ソ太郎  能力:指数 / 成績:打率");

    // A pitcher brings the pitchers' items, starting again at the index.
    tenvoll::test::choosePlayer(*main, PaneSide::Top, QStringLiteral("投手能一"));
    EXPECT_EQ(window.chartItem()->currentText(), QStringLiteral("能力:指数"));
    EXPECT_NE(window.chartItem()->findText(QStringLiteral("能力:球速")), -1);
    EXPECT_EQ(window.secondChartItem()->currentText(), QStringLiteral("なし"));
    EXPECT_EQ(window.careerGraph()->graph().seriesCount(), 1);
}

// Text columns grow to their values: a team name of nine characters shows
// whole; one beyond the most width is cut and its tooltip gives it whole.
TEST(TextColumnsTest, TextColumnsGrowToTheirValuesAndLongerOnesHaveATooltip) {
    TempFolder folder;
    RecordingDialogs dialogs;
    tenvoll::test::copyFixtureFolder("main-window", folder.path());
    const std::string teamFile = folder.file("リーグ/東京.txt");
    std::string text = tenvoll::test::readCp932(teamFile);
    const std::string club = "0004所属=東京ボルタナ";
    const QString nine = QStringLiteral("紅葉ウンディーネズ");
    const QString long_ =
        QStringLiteral("東京ボルタナ・ファーム・ウエスタン・リーグ選抜チーム・二十二世紀");
    text.replace(text.find(club), club.size(), "0004所属=" + nine.toStdString());
    text.replace(text.find(club), club.size(), "0004所属=" + long_.toStdString());
    tenvoll::test::writeCp932(teamFile, text);
    TForm1 main(folder.path());

    struct Case {
        QString player;
        QString club;
        bool whole;
    };
    for (const Case& c : {Case{QStringLiteral("山田ソ太郎"), nine, true},
                          Case{QStringLiteral("資質無十"), long_, false}}) {
        tenvoll::test::choosePlayer(main, PaneSide::Top, c.player);
        ASSERT_NE(main.playerDetailWindow(), nullptr);
        GridView* grid = main.playerDetailWindow()->grid();
        main.playerDetailWindow()->show();
        QApplication::processEvents();
        const QAbstractItemModel* m = grid->model();
        QModelIndex cell;
        for (int r = 0; r < m->rowCount() && !cell.isValid(); ++r)
            for (int col = 0; col < m->columnCount(); ++col)
                if (m->index(r, col).data().toString() == c.club)
                    cell = m->index(r, col);
        ASSERT_TRUE(cell.isValid()) << c.player.toStdString();
        const QRect rect = grid->visualRect(cell);
        const QFontMetrics metrics(grid->font());
        const int room = cellTextArea(rect).width();
        EXPECT_EQ(metrics.elidedText(c.club, Qt::ElideRight, room) == c.club, c.whole)
            << c.player.toStdString();
        if (c.whole)
            continue;
        EXPECT_EQ(grid->columnWidth(cell.column()), grid->mostTextColumnWidth());
        QHelpEvent help(QEvent::ToolTip, rect.center(),
                        grid->viewport()->mapToGlobal(rect.center()));
        QApplication::sendEvent(grid->viewport(), &help);
        EXPECT_EQ(QToolTip::text(), c.club);
        QToolTip::hideText();
    }
}
