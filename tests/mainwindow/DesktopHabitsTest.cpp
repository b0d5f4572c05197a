// What a desktop program offers beyond its functions, driven through the real
// widgets on a small sample league: each pane names its team, the keyboard
// reaches every menu and button, Ctrl+F, Esc and Ctrl+S do what they do
// elsewhere, Enter never presses a button that changes files, roster columns
// follow the user's mouse, and windows and columns are remembered.
#include "export/Unit5.h"
#include "export/Unit6.h"
#include "league/FileAccess.h"
#include "mainwindow/RosterPane.h"
#include "mainwindow/RosterTableModel.h"
#include "mainwindow/SearchMode.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit1.h"
#include "mainwindow/Unit7.h"
#include "player/Unit2.h"
#include "support/PaneClicks.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "termupdate/BackupsWindow.h"
#include "termupdate/Unit3.h"
#include "termupdate/Unit4.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/GridView.h"
#include "windowkit/WindowMemory.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class DesktopHabitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        summary = sample::writeSampleLeague(folder.path(), {4, 3, 56, 7});
        main = std::make_unique<TForm1>(folder.path());
        main->show();
    }
    QString heading(PaneSide side) {
        return main->pane(side)
            ->findChild<QLabel*>(side == PaneSide::Top ? QStringLiteral("TopHeading")
                                                       : QStringLiteral("BottomHeading"))
            ->text();
    }
    // Keys go to the active window, as they do for the user.
    void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    QString firstBatter(PaneSide side) {
        RosterTableModel* m = main->pane(side)->model(GridKind::Batters);
        return m->data(m->index(0, 1), Qt::DisplayRole).toString();
    }
    // Drags the right border of a header section by `dx` pixels.
    static void dragColumnBorder(QHeaderView* header, int column, int dx) {
        const QPoint from(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                          header->height() / 2);
        const QPoint to = from + QPoint(dx, 0);
        QWidget* port = header->viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, port->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(port, &move);
        QTest::mouseRelease(port, Qt::LeftButton, {}, to);
    }

    TempFolder folder;
    RecordingDialogs dialogs;
    sample::SampleSummary summary;
    std::unique_ptr<TForm1> main;
};

} // namespace

TEST_F(DesktopHabitsTest, EachPaneNamesItsTeamAboveItsTabs) {
    const QString top = heading(PaneSide::Top);
    EXPECT_FALSE(top.isEmpty());
    EXPECT_EQ(top, main->pane(PaneSide::Top)->titleAction()->text());
    EXPECT_EQ(heading(PaneSide::Bottom), main->pane(PaneSide::Bottom)->titleAction()->text());

    // The next team's name follows the pane; search mode says what it shows.
    main->pane(PaneSide::Top)->nextTeamAction()->trigger();
    EXPECT_NE(heading(PaneSide::Top), top);
    EXPECT_EQ(heading(PaneSide::Top), main->pane(PaneSide::Top)->titleAction()->text());
    main->findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    EXPECT_EQ(heading(PaneSide::Top), QStringLiteral("全選手検索"));
    main->findChild<QAction*>(QStringLiteral("SearchAction"))->trigger();
    EXPECT_EQ(heading(PaneSide::Top), main->pane(PaneSide::Top)->titleAction()->text());
}

TEST_F(DesktopHabitsTest, EveryMainMenuAndButtonHasAnAltKey) {
    for (QAction* a : main->menuBar()->actions())
        EXPECT_TRUE(a->text().contains(QLatin1Char('&'))) << a->text().toStdString();

    ProgramState& state = main->state();
    TForm3 organisation(state, main.get());
    TForm4 update(state, main.get());
    TForm5 exporter(state, main.get());
    TForm7 colours(state, main.get());
    BackupsWindow backups(state, main.get());
    tenvoll::test::choosePlayer(*main, PaneSide::Bottom, firstBatter(PaneSide::Bottom));
    main->openOpeningOrder();
    QWidget* windows[] = {&organisation,
                          &update,
                          &exporter,
                          &colours,
                          &backups,
                          main->playerDetailWindow(),
                          main->openingOrderWindow(),
                          main->search().panel()};
    for (QWidget* w : windows) {
        ASSERT_NE(w, nullptr);
        for (QPushButton* b : w->findChildren<QPushButton*>())
            EXPECT_TRUE(b->text().contains(QLatin1Char('&')))
                << w->objectName().toStdString() << ": " << b->text().toStdString();
    }
}

TEST_F(DesktopHabitsTest, CtrlFStartsANameSearchWithTheOldTextSelected) {
    activate(main.get());
    QTest::keyClick(main.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(main->searchMode());
    SearchPanel* panel = main->search().panel();
    EXPECT_TRUE(panel->nameSearchBox()->isChecked());
    QLineEdit* edit = panel->searchTextBox()->lineEdit();
    EXPECT_TRUE(edit->hasFocus());

    // Typing replaces what the box held.
    QTest::keyClicks(edit, QStringLiteral("Old name"));
    panel->nameSearchBox()->setChecked(false);
    main->setFocus();
    QTest::keyClick(main.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(panel->nameSearchBox()->isChecked());
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Old name"));
}

TEST_F(DesktopHabitsTest, EscClosesEveryToolWindow) {
    ProgramState& state = main->state();
    auto* colours = new TForm7(state, main.get());
    auto* update = new TForm4(state, main.get());
    ASSERT_TRUE(update->prepare());
    auto* organisation = new TForm3(state, main.get());
    ASSERT_TRUE(organisation->prepare());
    auto* exporter = new TForm5(state, main.get());
    ASSERT_TRUE(exporter->prepare());
    for (QWidget* w : std::initializer_list<QWidget*>{colours, update, organisation, exporter}) {
        activate(w);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w,
                        Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        delete w;
    }

    main->openOpeningOrder();
    QPointer<TForm6> order = main->openingOrderWindow();
    activate(order);
    QTest::keyClick(order, Qt::Key_Escape);
    EXPECT_FALSE(order && order->isVisible());
}

TEST_F(DesktopHabitsTest, CtrlSSavesWhereTheWindowSaves) {
    TForm3 organisation(main->state(), main.get());
    ASSERT_TRUE(organisation.prepare());
    activate(&organisation);
    QTest::keyClick(&organisation, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(organisation.isVisible());
    EXPECT_EQ(organisation.result(), QDialog::Accepted);

    const QString name = firstBatter(PaneSide::Top);
    tenvoll::test::choosePlayer(*main, PaneSide::Top, name);
    TForm2* detail = main->playerDetailWindow();
    activate(detail);
    dialogs.fileAnswers.enqueue(std::nullopt); // the save dialog, cancelled
    QTest::keyClick(detail, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.proposedSaveNames, QStringList{name});
}

TEST_F(DesktopHabitsTest, EnterNeverPressesAButtonThatChangesFiles) {
    TForm4 update(main->state(), main.get());
    ASSERT_TRUE(update.prepare());
    activate(&update);
    QTest::mouseClick(update.findChild<QPushButton*>(QStringLiteral("Button5")), Qt::LeftButton);
    ASSERT_TRUE(update.runButton()->isEnabled()) << update.statusText().toStdString();
    const std::string teamFile = summary.teamFiles.at(0);
    const std::string before = tenvoll::test::readBytes(teamFile);
    update.runButton()->setFocus();
    QTest::keyClick(update.runButton(), Qt::Key_Return);
    QTest::keyClick(update.termBox(), Qt::Key_Return);
    EXPECT_EQ(tenvoll::test::readBytes(teamFile), before);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    TForm3 organisation(main->state(), main.get());
    ASSERT_TRUE(organisation.prepare());
    activate(&organisation);
    const int entries = organisation.entryList()->count();
    organisation.entryList()->setCurrentRow(1);
    auto* remove = organisation.findChild<QPushButton*>(QStringLiteral("DeleteButton"));
    remove->setFocus();
    QTest::keyClick(remove, Qt::Key_Return);
    EXPECT_EQ(organisation.entryList()->count(), entries);
}

TEST_F(DesktopHabitsTest, RosterColumnsFollowTheMouseAndKeepTheirWidth) {
    GridView* grid = main->pane(PaneSide::Top)->grid(GridKind::Batters);
    QHeaderView* header = grid->horizontalHeader();
    const int nameWidth = grid->columnWidth(1);
    const int gridWidth = grid->width();
    dragColumnBorder(header, 1, 40);
    EXPECT_EQ(grid->columnWidth(1), nameWidth + 40);
    EXPECT_EQ(grid->width(), gridWidth + 40); // the grid still shows every column

    // Another team keeps the user's width.
    main->pane(PaneSide::Top)->nextTeamAction()->trigger();
    EXPECT_EQ(grid->columnWidth(1), nameWidth + 40);
}

TEST_F(DesktopHabitsTest, WindowSizesAndColumnWidthsAreRememberedForTheUser) {
    const std::string config = folder.file("config/tenvoll.conf");
    auto* memory = new WindowMemory(QString::fromStdString(config));
    qApp->installEventFilter(memory);
    main.reset();

    auto first = std::make_unique<TForm1>(folder.path());
    first->show();
    first->resize(first->width() + 60, 700);
    const QSize size = first->size();
    GridView* grid = first->pane(PaneSide::Bottom)->grid(GridKind::Pitchers);
    dragColumnBorder(grid->horizontalHeader(), 3, 12);
    const int width = grid->columnWidth(3);
    // The detail window fits each player: only its place is kept.
    const QString player =
        first->pane(PaneSide::Top)
            ->model(GridKind::Batters)
            ->data(first->pane(PaneSide::Top)->model(GridKind::Batters)->index(0, 1),
                   Qt::DisplayRole)
            .toString();
    tenvoll::test::choosePlayer(*first, PaneSide::Top, player);
    first->playerDetailWindow()->move(first->playerDetailWindow()->pos() + QPoint(37, 21));
    const QPoint detailAt = first->playerDetailWindow()->pos();
    first->playerDetailWindow()->resize(first->playerDetailWindow()->size() + QSize(50, 50));
    first->playerDetailWindow()->close();
    first->close();
    first.reset();
    EXPECT_TRUE(fileExists(config));
    // The league's own settings file knows nothing of it.
    EXPECT_EQ(tenvoll::test::readBytes(folder.file("Tenvoll.ini")).find("Geometry"),
              std::string::npos);

    TForm1 second(folder.path());
    second.show();
    EXPECT_EQ(second.size(), size);
    EXPECT_EQ(second.pane(PaneSide::Bottom)->grid(GridKind::Pitchers)->columnWidth(3), width);
    tenvoll::test::choosePlayer(second, PaneSide::Top, player);
    EXPECT_EQ(second.playerDetailWindow()->pos(), detailAt);
    const QSize fitted = second.playerDetailWindow()->size();
    second.playerDetailWindow()->adjustSize();
    EXPECT_EQ(second.playerDetailWindow()->size(), fitted);
    second.close();
    delete memory;
}

// The grid remembers the widths of the values it measured: a value shown again
// fits as before, and a new font measures everything again.
TEST(GridViewWidths, NumberColumnsFollowTheirValuesAndTheFont) {
    QStandardItemModel model(1, 1);
    GridView grid;
    grid.setModel(&model);
    grid.setColumnWidths96({1});
    auto show = [&](const QString& text) {
        auto* item = new QStandardItem(text);
        item->setTextAlignment(Qt::AlignRight);
        model.setItem(0, 0, item); // dataChanged: the columns are fitted again
        return grid.columnWidth(0);
    };
    const QString wide = QStringLiteral("123456789");
    const int narrowWidth = show(QStringLiteral("1"));
    const int wideWidth = show(wide);
    EXPECT_EQ(wideWidth, cellTextWidth(QFontMetrics(grid.font()), wide));
    EXPECT_LT(narrowWidth, wideWidth);
    EXPECT_EQ(show(QStringLiteral("1")), narrowWidth);
    EXPECT_EQ(show(wide), wideWidth);

    QFont bigger = grid.font();
    bigger.setPointSizeF(bigger.pointSizeF() * 3);
    grid.setFont(bigger);
    EXPECT_EQ(show(wide), cellTextWidth(QFontMetrics(bigger), wide));
    EXPECT_GT(grid.columnWidth(0), wideWidth);
}
