// The opening-order window under the offscreen platform, opened from the main
// window on the small league: the main window's menus and stores while it is
// open, drops through the list models, the pop-up menus, the manager grid,
// status texts, and the copy it writes compared with the batch command's.
#include "OrderLeague.h"
#include "app/batch/BatchCommand.h"
#include "export/OrderListModel.h"
#include "export/Unit6.h"
#include "league/IniStore.h"
#include "mainwindow/Unit1.h"
#include "player/Unit2.h"
#include "support/CheckedModelTester.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/TimedStatusBar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <sstream>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

const QString kRookie = QStringLiteral("P 新人 右 中 147 E D C 4 D C 4 298 18 B B D E B D C");

class OpeningOrderWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        main = std::make_unique<TForm1>(dir.path());
        main->findChild<QAction*>(QStringLiteral("OpeningOrderAction"))->trigger();
        w = main->openingOrderWindow();
        ASSERT_NE(w, nullptr);
    }
    // Picks entry `row` of a team box from its drop-down list, as the user does.
    void chooseInBox(const QString& box, int row) {
        auto* combo = w->findChild<QComboBox*>(box);
        ASSERT_NE(combo, nullptr);
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(row, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    void choose() {
        chooseInBox(QStringLiteral("OrderingTeamBox"), 0);
        chooseInBox(QStringLiteral("OtherTeamBox"), 1);
    }
    QString cell(OrderList list, int row, int column) const {
        OrderListModel* m = w->model(list);
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    // A drag of `row` of `source` dropped onto order-list row `target`.
    void dragAndDrop(OrderList source, int row, int target) {
        OrderListModel* from = w->model(source);
        OrderListModel* to = w->model(OrderList::Order);
        std::unique_ptr<QMimeData> data(from->mimeData({from->index(row, 0)}));
        ASSERT_TRUE(to->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, to->index(target, 0)));
        ASSERT_TRUE(to->dropMimeData(data.get(), Qt::CopyAction, -1, -1, to->index(target, 0)));
        QCoreApplication::processEvents();
    }
    void selectOrderRow(int row) {
        QTreeView* view = w->reportView(OrderList::Order);
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    void triggerMenu(OrderList list, const QString& caption) {
        for (QAction* a : w->popupMenu(list)->actions())
            if (a->text() == caption) {
                ASSERT_TRUE(a->isEnabled()) << caption.toStdString();
                a->trigger();
                return;
            }
        FAIL() << "no entry " << caption.toStdString();
    }
    std::vector<bool> mainMenusEnabled() const {
        std::vector<bool> enabled;
        for (QAction* a : main->menuBar()->actions())
            enabled.push_back(a->isEnabled());
        return enabled;
    }

    TempFolder dir;
    test::OrderLeague league{dir.path()};
    RecordingDialogs dialogs;
    std::unique_ptr<TForm1> main;
    TForm6* w = nullptr;
};

} // namespace

TEST_F(OpeningOrderWindowTest, WhileOpenTheMainMenusAreOffAndThePanesGetTheirFilesBack) {
    EXPECT_EQ(w->windowTitle(), QStringLiteral("開幕オーダー"));
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(mainMenusEnabled(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_FALSE(main->pane(PaneSide::Top)->nextTeamAction()->isEnabled());
    EXPECT_EQ(w->orderingTeamBox()->count(), 2);
    EXPECT_EQ(w->orderingTeamBox()->currentIndex(), -1);
    EXPECT_EQ(w->model(OrderList::Order)->rowCount(), 0);

    choose();
    EXPECT_EQ(dialogs.messages, QStringList{qs(kCopyCreatedMessage)});
    EXPECT_EQ(w->statusText(), qs(kCopyCreatedMessage));
    // The main window's stores are lent: the copy above, the other team below.
    EXPECT_EQ(main->state().pane(PaneSide::Top).store.value("Team", "ツール"), "標準");
    EXPECT_EQ(main->state().pane(PaneSide::Bottom).store.value("Team", "0"), "2 乙0");
    dragAndDrop(OrderList::Order, 16, 17);
    w->writeButton()->click();
    EXPECT_EQ(main->state().pane(PaneSide::Top).store.value("Team", "16"), "P 甲17");

    main->findChild<QAction*>(QStringLiteral("OpeningOrderAction"))->trigger(); // reused while open
    EXPECT_EQ(main->openingOrderWindow(), w);
    w->cancelButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->openingOrderWindow(), nullptr);
    EXPECT_EQ(mainMenusEnabled(), (std::vector<bool>(5, true)));
    EXPECT_TRUE(main->pane(PaneSide::Top)->nextTeamAction()->isEnabled());
    EXPECT_FALSE(main->state().openingOrderOpen());
    EXPECT_EQ(main->state().pane(PaneSide::Top).path, league.teamFile[0]);
    EXPECT_EQ(main->state().pane(PaneSide::Top).store.value("Team", "16"), "P 甲16");
    EXPECT_EQ(main->state().pane(PaneSide::Bottom).store.value("Team", "0"), "2 乙0");
    EXPECT_EQ(main->state().pane(PaneSide::Bottom).teamName, "乙");
}

TEST_F(OpeningOrderWindowTest, ListsShowLabelsOriginsAndHighlightColours) {
    choose();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("0003期開幕オーダー"));
    EXPECT_EQ(w->toolBox()->currentText(), QStringLiteral("標準"));
    EXPECT_FALSE(w->toolBox()->isEnabled());
    tenvoll::test::CheckedModelTester tester(w->model(OrderList::Order));
    EXPECT_EQ(cell(OrderList::Order, 27, 0) + cell(OrderList::Order, 27, 1) +
                  cell(OrderList::Order, 27, 2) + cell(OrderList::Order, 27, 3),
              QStringLiteral("甲27P抑2甲"));
    const HighlightColours& colours = main->state().colours();
    OrderListModel* m = w->model(OrderList::Order);
    EXPECT_EQ(m->data(m->index(0, 0), Qt::BackgroundRole),
              QVariant(toQColor(colours.upBackground)));
    EXPECT_EQ(m->data(m->index(1, 3), Qt::BackgroundRole),
              QVariant(toQColor(colours.downBackground)));
    EXPECT_FALSE(m->data(m->index(2, 0), Qt::BackgroundRole).isValid());
    EXPECT_EQ(m->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("チーム名"));

    EXPECT_TRUE(w->showsReport(OrderList::Other));
    triggerMenu(OrderList::Other, QStringLiteral("表示モード切替"));
    EXPECT_FALSE(w->showsReport(OrderList::Other));
}

TEST_F(OpeningOrderWindowTest, ADropOnTheViewLandsOnTheRowUnderTheCursor) {
    choose();
    w->show();
    for (bool report : {true, false}) {
        if (!report)
            w->toggleViewMode(OrderList::Order);
        QAbstractItemView* view =
            report ? static_cast<QAbstractItemView*>(w->reportView(OrderList::Order))
                   : static_cast<QAbstractItemView*>(w->iconView(OrderList::Order));
        const QModelIndex target = view->model()->index(report ? 20 : 21, 0);
        view->scrollTo(target);
        const QPoint at = view->visualRect(target).center();
        OrderListModel* from = w->model(OrderList::Other);
        std::unique_ptr<QMimeData> data(from->mimeData({from->index(report ? 16 : 17, 0)}));
        QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(cell(OrderList::Order, 20, 0), QStringLiteral("乙16"));
    EXPECT_EQ(cell(OrderList::Order, 21, 0), QStringLiteral("乙17"));
    EXPECT_EQ(w->model(OrderList::Unsigned)->rowCount(), 2);
    EXPECT_EQ(w->model(OrderList::Order)->rowCount(), 56);
}

TEST_F(OpeningOrderWindowTest, StatusTextsOfRefusedStepsAndTheUnsignedList) {
    triggerMenu(OrderList::Unsigned, QStringLiteral("新人選手を追加"));
    EXPECT_EQ(w->statusText(), qs(kChooseTeamStatus));
    choose();
    dragAndDrop(OrderList::Order, 20, 3);
    EXPECT_EQ(w->statusText(), qs(kDropTypeStatus));
    EXPECT_EQ(cell(OrderList::Order, 3, 0), QStringLiteral("甲3"));

    selectOrderRow(16);
    triggerMenu(OrderList::Order, QStringLiteral("キャッチャー"));
    EXPECT_EQ(w->statusText(), qs(kPitcherPositionStatus));

    dialogs.inputAnswers.enqueue(QStringLiteral("- 短い"));
    triggerMenu(OrderList::Unsigned, QStringLiteral("新外国人選手を追加"));
    EXPECT_EQ(w->statusText(), qs(kUnsuitableLineStatus));
    dialogs.inputAnswers.enqueue(std::nullopt);
    triggerMenu(OrderList::Unsigned, QStringLiteral("新人選手を追加"));
    EXPECT_EQ(w->model(OrderList::Unsigned)->rowCount(), 0);

    dragAndDrop(OrderList::Other, 5, 5);
    w->rowChosen(OrderList::Unsigned, 0);
    EXPECT_EQ(w->statusText(), qs(kUnsignedDetailStatus));
}

TEST_F(OpeningOrderWindowTest, PositionEntriesNeedASelectedRow) {
    choose();
    w->reportView(OrderList::Order)->clearSelection();
    emit w->reportView(OrderList::Order)->customContextMenuRequested(QPoint(1, 1));
    QMenu* menu = w->popupMenu(OrderList::Order);
    menu->hide();
    EXPECT_FALSE(menu->actions().front()->isEnabled());
    EXPECT_TRUE(menu->actions().back()->isEnabled()); // 表示モード切替
    selectOrderRow(10);
    emit w->reportView(OrderList::Order)->customContextMenuRequested(QPoint(1, 1));
    menu->hide();
    triggerMenu(OrderList::Order, QStringLiteral("DH"));
    EXPECT_EQ(cell(OrderList::Order, 10, 1), QStringLiteral("D"));
}

TEST_F(OpeningOrderWindowTest, ManagerGridEditsAreCheckedAndMarked) {
    EXPECT_FALSE(w->managerGrid()->isEnabled());
    EXPECT_FALSE(w->writeButton()->isEnabled());
    choose();
    EXPECT_TRUE(w->writeButton()->isEnabled());
    QTableWidget* grid = w->managerGrid();
    EXPECT_EQ(grid->item(0, 9)->text(), QStringLiteral("抑えの信頼度"));
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("監督甲"));
    EXPECT_TRUE(grid->item(1, 3)->textAlignment() & Qt::AlignRight);
    EXPECT_TRUE(grid->item(1, 0)->textAlignment() & Qt::AlignLeft);
    grid->item(1, 2)->setText(QStringLiteral("1"));
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("+1"));
    grid->item(2, 4)->setText(QStringLiteral("3"));
    EXPECT_EQ(grid->item(2, 4)->text(), QStringLiteral("0"));
    EXPECT_EQ(w->statusText(), qs(kAttributeRangeStatus));
    EXPECT_EQ(grid->item(2, 4)->background().color(),
              toQColor(main->state().colours().downBackground));
    grid->item(2, 4)->setText(QStringLiteral("-1"));
    EXPECT_EQ(grid->item(2, 4)->background().style(), Qt::NoBrush);
    grid->setCurrentCell(1, 6);
    EXPECT_EQ(w->statusText(), QStringLiteral("エンドラン策"));
}

TEST_F(OpeningOrderWindowTest, DoubleClickOpensThePlayerDetailFromTheLentStore) {
    choose();
    dragAndDrop(OrderList::Other, 16, 20);
    w->rowChosen(OrderList::Order, 20);
    ASSERT_NE(main->playerDetailWindow(), nullptr);
    EXPECT_EQ(main->state().shownPlayer(), "乙16");
    EXPECT_EQ(main->state().pane(PaneSide::Top).selected, "乙16");
    EXPECT_FALSE(main->playerDetailWindow()->history().rows.empty());
    w->rowChosen(OrderList::Other, 3);
    EXPECT_EQ(main->state().shownPlayer(), "乙3");
    EXPECT_EQ(main->state().pane(PaneSide::Bottom).selected, "乙3");
}

TEST_F(OpeningOrderWindowTest, TheWindowWritesTheSameCopyAsTheBatchCommand) {
    choose();
    dragAndDrop(OrderList::Order, 17, 26);
    dragAndDrop(OrderList::Other, 16, 20);
    dialogs.inputAnswers.enqueue(kRookie);
    triggerMenu(OrderList::Unsigned, QStringLiteral("新人選手を追加"));
    EXPECT_EQ(w->statusText(), kRookie);
    dragAndDrop(OrderList::Unsigned, 1, 21); // the newcomer, after 甲20
    selectOrderRow(9);
    triggerMenu(OrderList::Order, QStringLiteral("DH"));
    w->managerGrid()->item(1, 2)->setText(QStringLiteral("2"));
    w->writeButton()->click();
    EXPECT_EQ(w->statusText(), qs(kPositionsNgStatus));

    TempFolder other;
    test::OrderLeague second{other.path()};
    std::ostringstream out, err;
    ASSERT_EQ(batch::runBatch({"--program-folder",
                               other.path(),
                               "opening-order",
                               "--team",
                               "0",
                               "--other",
                               "1",
                               "--swap",
                               "17:26",
                               "--take",
                               "16:20",
                               "--rookie",
                               kRookie.toStdString(),
                               "--place",
                               "新人:21",
                               "--position",
                               "9:D",
                               "--manager",
                               "1:監督甲,+1,2,-1,+2,-2,0,0,0,0",
                               "--write"},
                              out, err),
              0)
        << err.str();
    EXPECT_TRUE(test::readBytes(second.copyFile) == test::readBytes(league.copyFile));
}

// A newcomer's whole line in the status bar neither widens the window nor
// goes before it can be read.
TEST_F(OpeningOrderWindowTest, LongStatusKeepsTheWindowsWidthAndStaysToBeRead) {
    choose();
    w->show();
    QCoreApplication::processEvents();
    const int width = w->width();
    const QString line = kRookie + QStringLiteral(" 長い長い長い長い備考の欄") + QString(60, u'X');
    dialogs.inputAnswers.enqueue(line);
    triggerMenu(OrderList::Unsigned, QStringLiteral("新人選手を追加"));
    QCoreApplication::processEvents();
    ASSERT_EQ(w->statusText(), line);
    EXPECT_EQ(w->width(), width);
    auto* bar = w->findChild<TimedStatusBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->toolTip(), line);
    EXPECT_GE(bar->clearTime(), 2000 + 80 * int(line.size()));

    // A short text keeps the window's own time.
    w->managerGrid()->setCurrentCell(1, 6);
    EXPECT_EQ(w->statusText(), QStringLiteral("エンドラン策"));
    EXPECT_EQ(bar->clearTime(), 5000);
}

// Every team of the demo league opens with managers in the game's range and a
// complete lineup: the grid's check marks nothing and the copy checks out.
TEST(SampleLeagueOrder, EveryTeamHasValidManagersAndACompleteLineup) {
    TempFolder dir;
    RecordingDialogs dialogs;
    const sample::SampleSummary summary = sample::writeSampleLeague(dir.path(), {4, 3, 56, 5});
    TForm1 main(dir.path());
    main.findChild<QAction*>(QStringLiteral("OpeningOrderAction"))->trigger();
    TForm6* w = main.openingOrderWindow();
    ASSERT_NE(w, nullptr);
    auto* box = w->findChild<QComboBox*>(QStringLiteral("OrderingTeamBox"));
    ASSERT_EQ(box->count(), 4);
    const QStringList range{QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"),
                            QStringLiteral("+1"), QStringLiteral("+2")};
    for (int team = 0; team < box->count(); ++team) {
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(team, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTableWidget* grid = w->managerGrid();
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 9; ++c)
                EXPECT_TRUE(range.contains(grid->item(r, c)->text()))
                    << team << " " << r << " " << c << " "
                    << grid->item(r, c)->text().toStdString();
        grid->setCurrentCell(1, 1);
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_NE(w->statusText(), qs(kAttributeRangeStatus)) << team;
        QTest::mouseClick(w->writeButton(), Qt::LeftButton);
        EXPECT_EQ(w->statusText(), qs(kPositionsOkStatus)) << team;
    }
    EXPECT_TRUE(dialogs.kinds.count(MessageKind::Warning) == 0);
}
