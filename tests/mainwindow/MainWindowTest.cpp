// Main window under the offscreen platform: start-up, opening teams, messages,
// navigation, pane comparison, colours and the settings written at close.
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"
#include "league/ProgramVersion.h"
#include "league/TeamFile.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/Unit1.h"
#include "mainwindow/Unit7.h"
#include "support/CheckedModelTester.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { tenvoll::test::copyFixtureFolder("main-window", folder.path()); }

    std::string file(std::string_view rel) const { return folder.file(rel); }
    QString cell(TForm1& w, PaneSide side, GridKind kind, int row, int column) {
        RosterTableModel* m = w.pane(side)->model(kind);
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    int mark(TForm1& w, PaneSide side, GridKind kind, int row, int column) {
        RosterTableModel* m = w.pane(side)->model(kind);
        return m->data(m->index(row, column), RosterTableModel::MarkRole).toInt();
    }
    QStringList menuTexts(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

    TempFolder folder;
    RecordingDialogs dialogs;
};

} // namespace

TEST_F(MainWindowTest, StartsEmptyWithoutSettingsFile) {
    TempFolder empty;
    TForm1 w(empty.path());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ボルタナ選手名鑑"));
    EXPECT_TRUE(w.findChild<QMenu*>(QStringLiteral("TopTeamMenu"))->actions().isEmpty());
    EXPECT_TRUE(w.findChild<QMenu*>(QStringLiteral("BottomTeamMenu"))->actions().isEmpty());
    EXPECT_EQ(cell(w, PaneSide::Top, GridKind::Batters, 0, 1), QString());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(w.state().colours().upBackground, 0x0000FFu);
    EXPECT_EQ(w.state().colours().downBackground, 0xFF0000u);
}

TEST_F(MainWindowTest, MenusInOrder) {
    TForm1 w(folder.path());
    QStringList bar;
    for (QAction* a : w.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("検索(&S)"),
                                QStringLiteral("ツール(&T)"), QStringLiteral("Option(&O)"),
                                QStringLiteral("Help(&H)")}));
    QMenu* file = w.findChild<QMenu*>(QStringLiteral("FileMenu"));
    EXPECT_EQ(
        menuTexts(file),
        (QStringList{QStringLiteral("レジューム"), QStringLiteral("上: 東京ボルタナ"),
                     QStringLiteral("下: 大阪ファイターズ"), QStringLiteral("CSVエクスポート"),
                     QStringLiteral("データマージ"), QStringLiteral("終了")}));
    // The team submenus list the stored paths in registry order.
    EXPECT_EQ(
        menuTexts(w.findChild<QMenu*>(QStringLiteral("TopTeamMenu"))),
        (QStringList{QStringLiteral("\\リーグ\\東京.txt"), QStringLiteral("\\リーグ\\大阪.txt"),
                     QStringLiteral("\\リーグ\\福岡.txt")}));
    EXPECT_TRUE(w.findChild<QMenu*>(QStringLiteral("TopTeamMenu"))->actions()[0]->isChecked());
    EXPECT_EQ(menuTexts(w.pane(PaneSide::Top)->popupMenu()),
              (QStringList{QStringLiteral("東京ボルタナ"), QStringLiteral("閲覧チーム変更"),
                           QStringLiteral("次のチームへ"), QStringLiteral("前のチームへ"),
                           QStringLiteral("同一チームを表示(Bottom基準)"),
                           QStringLiteral("CSVファイル作成"), QStringLiteral("グラフ表示")}));
    EXPECT_EQ(menuTexts(w.pane(PaneSide::Bottom)->popupMenu())[4],
              QStringLiteral("同一チームを表示(Top基準)"));
}

TEST_F(MainWindowTest, ResumeFillsBothPanesWithMarksAndSummary) {
    TForm1 w(folder.path());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("テストリーグ"));
    EXPECT_EQ(cell(w, PaneSide::Top, GridKind::Batters, 0, 1), QStringLiteral("山田ソ太郎"));
    EXPECT_EQ(mark(w, PaneSide::Top, GridKind::Batters, 0, 4), 1);
    EXPECT_EQ(mark(w, PaneSide::Top, GridKind::Batters, 0, 21), 1); // statistics checked
    EXPECT_EQ(cell(w, PaneSide::Bottom, GridKind::Batters, 0, 1), QStringLiteral("大阪選手"));
    EXPECT_EQ(w.state().pane(PaneSide::Top).selected, "山田ソ太郎");
    EXPECT_EQ(w.state().leagueFolder(), file("リーグ"));

    QTreeWidget* summary = w.pane(PaneSide::Top)->summary();
    EXPECT_EQ(summary->headerItem()->text(0), QStringLiteral("東京ボルタナ"));
    EXPECT_EQ(summary->topLevelItem(2)->text(1), QStringLiteral("3.13"));
    EXPECT_EQ(w.pane(PaneSide::Top)->titleAction()->text(), QStringLiteral("東京ボルタナ"));

    tenvoll::test::CheckedModelTester tester(w.pane(PaneSide::Top)->model(GridKind::Batters));
}

TEST_F(MainWindowTest, StatisticsCheckOffLeavesStatisticsPlain) {
    TForm1 w(folder.path());
    w.findChild<QAction*>(QStringLiteral("StatisticsCheckAction"))->setChecked(false);
    w.openTeam(PaneSide::Top, file("リーグ/東京.txt"));
    EXPECT_EQ(mark(w, PaneSide::Top, GridKind::Batters, 0, 21), 0);
    EXPECT_EQ(mark(w, PaneSide::Top, GridKind::Batters, 0, 4), 1);
}

TEST_F(MainWindowTest, MissingFileClearsThePane) {
    TForm1 w(folder.path());
    w.openTeam(PaneSide::Top, file("リーグ/ない.txt"));
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("ファイルが存在しません！")});
    EXPECT_EQ(dialogs.kinds, QList<MessageKind>{MessageKind::Warning});
    EXPECT_EQ(cell(w, PaneSide::Top, GridKind::Batters, 0, 1), QString());
}

TEST_F(MainWindowTest, ChoosingAFileUsesTheTwoFiltersAndCancelLeavesThePaneEmpty) {
    TForm1 w(folder.path());
    w.pane(PaneSide::Bottom)->changeTeamAction()->trigger();
    ASSERT_EQ(dialogs.lastFilters.size(), 2);
    EXPECT_EQ(dialogs.lastFilters[0].caption,
              QStringLiteral("チームファイル (*.txt) テキスト形式"));
    EXPECT_EQ(dialogs.lastFilters[1].pattern, QStringLiteral("*.tvl"));
    EXPECT_EQ(cell(w, PaneSide::Bottom, GridKind::Batters, 0, 1), QString());
    EXPECT_EQ(w.state().pane(PaneSide::Bottom).path, file("リーグ/大阪.txt"));

    dialogs.fileAnswers.enqueue(QString::fromStdString(file("リーグ/福岡.txt")));
    w.pane(PaneSide::Bottom)->changeTeamAction()->trigger();
    EXPECT_EQ(cell(w, PaneSide::Bottom, GridKind::Batters, 0, 1), QStringLiteral("福岡選手"));
}

TEST_F(MainWindowTest, StepsWrapAroundAndSameTeamComparesBothForms) {
    TForm1 w(folder.path());
    w.pane(PaneSide::Top)->previousTeamAction()->trigger(); // 東京 is entry 0: wraps to 福岡
    EXPECT_EQ(cell(w, PaneSide::Top, GridKind::Batters, 0, 1), QStringLiteral("福岡選手"));
    w.pane(PaneSide::Top)->nextTeamAction()->trigger();
    EXPECT_EQ(cell(w, PaneSide::Top, GridKind::Batters, 0, 1), QStringLiteral("山田ソ太郎"));

    // Bottom shows 大阪.txt; the same team as Top is 東京's next-season copy.
    w.pane(PaneSide::Bottom)->sameTeamAction()->trigger();
    EXPECT_EQ(w.state().pane(PaneSide::Bottom).path, file("リーグ/東京.tvl"));
    EXPECT_EQ(mark(w, PaneSide::Top, GridKind::Batters, 1, 1), -1);
    EXPECT_EQ(mark(w, PaneSide::Bottom, GridKind::Batters, 1, 1), 1);

    w.openTeam(PaneSide::Bottom, file("リーグ/東京.txt"));
    w.pane(PaneSide::Bottom)->sameTeamAction()->trigger();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("すでに同じチームが閲覧されています。"));
}

// Both panes on one team whose name holds "&": the two submenus stay apart
// and every caption shows the name as it is, without a shortcut mark.
TEST_F(MainWindowTest, TeamSubmenusOfOneTeamAreToldApartAndKeepTheirAmpersand) {
    std::string text = tenvoll::test::readCp932(file("リーグ/東京.txt"));
    const std::string from = "東京ボルタナ";
    text.replace(text.find(from), from.size(), "東京&ボルタナ");
    tenvoll::test::writeCp932(file("リーグ/東京.txt"), text);
    TForm1 w(folder.path());
    w.openTeam(PaneSide::Bottom, file("リーグ/東京.txt"));
    QMenu* file = w.findChild<QMenu*>(QStringLiteral("FileMenu"));
    QMenu* top = w.findChild<QMenu*>(QStringLiteral("TopTeamMenu"));
    QMenu* bottom = w.findChild<QMenu*>(QStringLiteral("BottomTeamMenu"));
    EXPECT_EQ(menuTexts(file).mid(1, 2), (QStringList{QStringLiteral("上: 東京&&ボルタナ"),
                                                      QStringLiteral("下: 東京&&ボルタナ")}));
    EXPECT_EQ(top->menuAction()->iconText(), QStringLiteral("上: 東京&ボルタナ"));
    EXPECT_EQ(bottom->menuAction()->iconText(), QStringLiteral("下: 東京&ボルタナ"));
    EXPECT_EQ(w.pane(PaneSide::Top)->titleAction()->iconText(), QStringLiteral("東京&ボルタナ"));
}

TEST_F(MainWindowTest, ExitThenCloseWritesRelativePaths) {
    {
        TForm1 w(folder.path());
        w.openTeam(PaneSide::Bottom, file("リーグ/福岡.txt"));
        w.findChild<QAction*>(QStringLiteral("ExitAction"))->trigger();
    }
    IniStore ini = IniStore::load(file("Tenvoll.ini"));
    EXPECT_EQ(ini.value("Main", "Team1"), "\\リーグ\\東京.txt");
    EXPECT_EQ(ini.value("Main", "Team2"), "\\リーグ\\福岡.txt");
    EXPECT_EQ(ini.value("Main", "機構名"), "テストリーグ");
    EXPECT_EQ(ini.value("Main", "Up背景色"), "clRed");
    EXPECT_EQ(ini.value("Main", "Downフォント色"), "clWhite");
    // The registry survives the rewrite.
    EXPECT_EQ(ini.value("テストリーグ", "チーム数"), "3");
}

// A settings file that cannot be written is reported once at "終了".
TEST_F(MainWindowTest, UnwritableSettingsAreReportedOnceAtExit) {
    TForm1 w(folder.path());
    WriteFaults::reset();
    WriteFaults::failRename(1);
    w.findChild<QAction*>(QStringLiteral("ExitAction"))->trigger();
    WriteFaults::reset();
    EXPECT_EQ(dialogs.messages.count(QStringLiteral("設定ファイルを保存できませんでした。")), 1);
}

TEST_F(MainWindowTest, ColourChoiceSurvivesCancelAndIsSavedAtClose) {
    {
        TForm1 w(folder.path());
        auto held = [&] { return w.state().colours(); };
        int repaints = 0;
        QObject::connect(&w.state(), &ProgramState::coloursChanged, [&] { ++repaints; });
        TForm7 settings(w.state());
        QComboBox* upBackground = settings.chooser(0);
        const int green = upBackground->findText(QStringLiteral("緑"));
        ASSERT_GE(green, 0);
        upBackground->setCurrentIndex(green);
        emit upBackground->activated(green);
        EXPECT_EQ(held().upBackground, 0x008000u);
        EXPECT_EQ(settings.sample(0)->palette().color(QPalette::Window), QColor(0, 0x80, 0));
        settings.findChild<QPushButton*>(QStringLiteral("UpdateButton"))->click();
        EXPECT_EQ(repaints, 1);
        settings.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
        EXPECT_EQ(held().upBackground, 0x008000u);

        // A colour without a name comes from the colour dialog.
        dialogs.colourAnswers.enqueue(QColor(0x12, 0x34, 0x56));
        TForm7 again(w.state());
        EXPECT_EQ(again.chooser(0)->currentText(), QStringLiteral("緑"));
        EXPECT_FALSE(again.chooser(0)->itemIcon(again.chooser(0)->currentIndex()).isNull());
        QComboBox* downText = again.chooser(3);
        emit downText->activated(downText->count() - 1);
        EXPECT_EQ(held().downText, 0x563412u);
        ASSERT_EQ(dialogs.colourStarts.size(), 1);
        EXPECT_EQ(dialogs.colourStarts[0], QColor(Qt::white)); // opened at the held colour
        EXPECT_EQ(downText->currentText(), QStringLiteral("その他の色 (#123456)"));
        w.close();
    }
    IniStore ini = IniStore::load(file("Tenvoll.ini"));
    EXPECT_EQ(ini.value("Main", "Up背景色"), "clGreen");
    EXPECT_EQ(ini.value("Main", "Downフォント色"), "$00563412");
}

TEST_F(MainWindowTest, HelpAsksForTheOnlineHelpWhenTheHelpFileIsMissing) {
    TForm1 w(folder.path());
    dialogs.questionAnswers.enqueue(true);
    w.showHelp();
    EXPECT_EQ(
        dialogs.questions,
        QStringList{QStringLiteral("HELPファイルが見つかりません。オンラインヘルプを開きます。")});
    ASSERT_EQ(dialogs.opened.size(), 1);
    EXPECT_TRUE(dialogs.opened[0].toString().endsWith(QStringLiteral("index.html")));
    // The about box: the program's version text, the Qt in use with its
    // licence, where the manual is.
    w.findChild<QAction*>(QStringLiteral("VersionAction"))->trigger();
    ASSERT_EQ(dialogs.aboutTexts.size(), 2);
    EXPECT_EQ(dialogs.aboutTexts[0], QStringLiteral("ボルタナ選手名鑑 Var,") + qs(kProgramVersion));
    const QString about = dialogs.aboutTexts[1];
    EXPECT_TRUE(about.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())))
        << about.toStdString();
    EXPECT_TRUE(about.contains(QStringLiteral("LGPLv3"))) << about.toStdString();
    EXPECT_TRUE(about.endsWith(QDir::toNativeSeparators(dialogs.opened[0].toLocalFile())))
        << about.toStdString();

    // Without a browser the user is told where the manual is.
    dialogs.canOpenExternally = false;
    w.showOnlineHelp();
    ASSERT_EQ(dialogs.opened.size(), 2);
    EXPECT_TRUE(dialogs.messages.last().startsWith(QStringLiteral("マニュアルを開く")));
    EXPECT_TRUE(dialogs.details.last().endsWith(QStringLiteral("index.html")))
        << dialogs.details.last().toStdString();
}

TEST_F(MainWindowTest, PaneCsvExportByTab) {
    TForm1 w(folder.path());
    w.pane(PaneSide::Top)->setCurrentTab(PaneTab::Team);
    w.pane(PaneSide::Top)->csvAction()->trigger();
    w.pane(PaneSide::Bottom)->setCurrentTab(PaneTab::Team);
    w.pane(PaneSide::Bottom)->csvAction()->trigger();
    EXPECT_EQ(dialogs.messages, (QStringList{QStringLiteral("この機能は利用できません"),
                                             QStringLiteral("まだこの機能は利用できません")}));
    EXPECT_TRUE(dialogs.proposedSaveNames.isEmpty());

    // Every roster tab writes all four grids.
    w.pane(PaneSide::Top)->setCurrentTab(PaneTab::Pitchers);
    const std::string out = folder.file("out.csv");
    dialogs.fileAnswers.enqueue(QString::fromStdString(out));
    w.pane(PaneSide::Top)->csvAction()->trigger();
    EXPECT_EQ(dialogs.proposedSaveNames.last(), QStringLiteral("東京ボルタナ"));
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("CSVデータ保存終了！"));
    EXPECT_EQ(tenvoll::test::readBytes(out),
              tenvoll::test::readBytes(folder.file("東京ボルタナ.csv")));

    w.pane(PaneSide::Top)->csvAction()->trigger();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("保存されませんでした"));
}

TEST(MainWindowSample, SampleTeamShowsItsLatestAbilitiesAndPreviousStatistics) {
    RecordingDialogs dialogs;
    TempFolder folder;
    auto summary = sample::writeSampleLeague(folder.path(), {2, 3, 56, 11});
    TForm1 w(folder.path());
    IniStore team = IniStore::load(summary.teamFiles[0]);
    RosterTableModel* m = w.pane(PaneSide::Top)->model(GridKind::Batters);
    for (int row = 0; row < 16; ++row) {
        auto slot = rosterSlot(team, row);
        ASSERT_TRUE(slot);
        PlayerRecord p(*team.section(slot->name));
        const long long last = p.lastTerm();
        std::vector<std::string> ability = splitFields(p.termValue(last, "能力"));
        std::vector<std::string> stats = splitFields(p.termValue(last - 1, "成績"));
        auto text = [&](int c) {
            return m->data(m->index(row, c), Qt::DisplayRole).toString().toStdString();
        };
        EXPECT_EQ(text(1), slot->name);
        for (int c = 2; c <= 19; ++c)
            EXPECT_EQ(text(c), ability[static_cast<std::size_t>(c)]) << row << ":" << c;
        if (!stats.empty())
            EXPECT_EQ(text(21), stats[2]);
        else
            EXPECT_EQ(text(21), "*");
        if (last > p.firstTerm()) {
            // The mark of 捕 follows the grade against the term before.
            std::vector<std::string> before = splitFields(p.termValue(last - 1, "能力"));
            const long long a = gradeRank(ability[4]), b = gradeRank(before[4]);
            const int mark = m->data(m->index(row, 4), RosterTableModel::MarkRole).toInt();
            EXPECT_EQ(mark, a > b ? 1 : (a < b ? -1 : 0));
        }
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST(MainWindowSample, OldLayoutFileIsConvertedWhenOpened) {
    RecordingDialogs dialogs;
    TempFolder folder;
    sample::writeSampleLeague(folder.path(), {2, 3, 56, 11});
    const std::string old = folder.file("小リーグ/team02.txt");
    ASSERT_FALSE(isTeamFile(IniStore::load(old)));
    TForm1 w(folder.path());
    w.openTeam(PaneSide::Bottom, old);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("旧形式のファイルです。")});
    EXPECT_TRUE(isTeamFile(IniStore::load(old)));
    RosterTableModel* m = w.pane(PaneSide::Bottom)->model(GridKind::Batters);
    EXPECT_FALSE(m->data(m->index(0, 1), Qt::DisplayRole).toString().isEmpty());
    EXPECT_FALSE(w.state().pane(PaneSide::Bottom).teamName.empty());
}

// The model tester used by the window tests fails the test on a broken model
// (a row count that its index() contradicts).
TEST(CheckedModelTester, FindingsOfABrokenModelFailTheTest) {
    class BrokenModel : public QAbstractTableModel {
    public:
        int rowCount(const QModelIndex& parent = {}) const override {
            return parent.isValid() ? 0 : 3;
        }
        int columnCount(const QModelIndex& parent = {}) const override {
            return parent.isValid() ? 0 : 2;
        }
        QVariant data(const QModelIndex&, int) const override { return {}; }
        QModelIndex index(int, int, const QModelIndex& = {}) const override { return {}; }
    } broken;
    EXPECT_NONFATAL_FAILURE({ tenvoll::test::CheckedModelTester tester(&broken); }, "model tester");
}
