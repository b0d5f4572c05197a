// The window "リーグデータエクスポート" under the offscreen platform: its list
// and menus, assignment through the pop-up menu with the UP colours, the
// status text, the export with its dialogs and messages, the sort direction
// that outlives the window, and its opening from the main window.
#include "ExportLeague.h"

#include "export/ExportTeamModel.h"
#include "export/Unit5.h"
#include "mainwindow/Unit1.h"
#include "support/CheckedModelTester.h"
#include "support/RecordingDialogs.h"
#include "windowkit/MarkedCellDelegate.h"
#include "windowkit/ProgramState.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace tenvoll;
using tenvoll::test::ExportLeague;
using tenvoll::test::RecordingDialogs;

namespace {

class ExportWindow : public ExportLeague {
protected:
    void SetUp() override {
        ExportLeague::SetUp();
        ASSERT_TRUE(window.prepare());
        QObject::connect(&window, &QDialog::finished, [this] { closed = true; });
    }

    // Selects the team's row (wherever sorting put it) and picks a menu entry.
    void choose(const char* team, const char* action) {
        int row = 0;
        while (row < window.model()->rowCount() &&
               cell(row, kExportFirstColumn) != QString::fromUtf8(team))
            ++row;
        window.table()->selectRow(row);
        QAction* a = window.popupMenu()->findChild<QAction*>(QString::fromUtf8(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    QString cell(int row, int column) const {
        return window.model()->index(row, column).data().toString();
    }
    QStringList labels() const {
        QStringList out;
        for (int r = 0; r < window.model()->rowCount(); ++r)
            out << cell(r, kExportLabelColumn);
        return out;
    }

    RecordingDialogs dialogs;
    ProgramState state{folder.path()};
    TForm5 window{state};
    bool closed = false;
};

void waitMilliseconds(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST_F(ExportWindow, ListsEveryTeamWithThePopUpMenus) {
    tenvoll::test::CheckedModelTester tester(window.model());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("リーグデータエクスポート"));
    QStringList captions;
    for (int c = 0; c < window.model()->columnCount(); ++c)
        captions << window.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("機構名"), QStringLiteral("エクスポート形式"),
                                     QStringLiteral("一軍チーム名"), QStringLiteral("二軍チーム名"),
                                     QStringLiteral("ファイルパス")}));
    EXPECT_EQ(window.model()->rowCount(), 4);
    EXPECT_EQ(cell(3, kExportPathColumn), QStringLiteral("\\西\\白組.txt"));

    QStringList menus, items;
    for (QAction* a : window.popupMenu()->actions()) {
        menus << a->text();
        for (QAction* item : a->menu()->actions())
            items << item->text();
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("前期データで出力"),
                                  QStringLiteral("最新データで出力")}));
    const QStringList six{QStringLiteral("１番目"), QStringLiteral("２番目"),
                          QStringLiteral("３番目"), QStringLiteral("４番目"),
                          QStringLiteral("５番目"), QStringLiteral("６番目")};
    EXPECT_EQ(items, six + six);
    // Every cell whole: the columns are as wide as their texts.
    for (int c = 0; c < kExportColumnCount; ++c)
        EXPECT_GE(window.table()->columnWidth(c),
                  window.table()->fontMetrics().horizontalAdvance(cell(0, c)))
            << c;
}

TEST_F(ExportWindow, AssignedRowsShowTheirSlotInTheUpColours) {
    choose("青組", "PreviousSlot2");
    choose("赤組", "PreviousSlot2");
    EXPECT_EQ(labels(), (QStringList{QStringLiteral("前期データ2番目"), QStringLiteral("未"),
                                     QStringLiteral("未"), QStringLiteral("未")}));
    const QModelIndex assigned = window.model()->index(int(kRed), kExportFirstColumn);
    EXPECT_EQ(assigned.data(Qt::BackgroundRole).value<QColor>(),
              toQColor(state.colours().upBackground));
    EXPECT_EQ(assigned.data(Qt::ForegroundRole).value<QColor>(), toQColor(state.colours().upText));
    EXPECT_FALSE(window.model()->index(int(kBlue), 0).data(Qt::BackgroundRole).isValid());

    // Without a selected row the menu does nothing.
    window.table()->clearSelection();
    window.assignSelected(5, false);
    EXPECT_EQ(labels().count(QStringLiteral("未")), 3);
}

TEST_F(ExportWindow, MissingNextSeasonCopyShowsForOneSecond) {
    choose("青組", "LatestSlot1");
    EXPECT_EQ(window.statusText(), QStringLiteral("青組の開幕データはありませんでした"));
    EXPECT_EQ(labels().count(QStringLiteral("未")), 4);
    EXPECT_FALSE(window.list().slot(1).assigned());
    waitMilliseconds(1300);
    EXPECT_EQ(window.statusText(), QString());
}

TEST_F(ExportWindow, SavesTheFileAndStaysOpen) {
    choose("青組", "PreviousSlot3");
    choose("赤組", "PreviousSlot1");
    dialogs.fileAnswers.enqueue(QString::fromStdString(folder.file("出力.txt")));
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("データエクスポート終了！")});
    ASSERT_EQ(dialogs.lastFilters.size(), 1);
    EXPECT_EQ(dialogs.lastFilters[0].caption, QStringLiteral("出力データ(TXT)"));
    EXPECT_EQ(dialogs.lastFilters[0].pattern, QStringLiteral("*.txt"));
    EXPECT_EQ(dialogs.lastSuffix, QStringLiteral("txt"));
    EXPECT_EQ(test::readBytes(folder.file("出力.txt")), expected("slots-1-and-3-previous.txt"));
    // Sorted ascending by label, assignments kept.
    EXPECT_EQ(labels(),
              (QStringList{QStringLiteral("前期データ1番目"), QStringLiteral("前期データ3番目"),
                           QStringLiteral("未"), QStringLiteral("未")}));
    EXPECT_FALSE(TForm5::sharedSort().descending);
    EXPECT_FALSE(closed);

    // Cancelled save dialog; then a save over a team file is refused.
    dialogs.messages.clear();
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    dialogs.fileAnswers.enqueue(QString::fromStdString(folder.file("東/青組.txt")));
    const std::string team = test::readBytes(folder.file("東/青組.txt"));
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages,
              (QStringList{QStringLiteral("保存されませんでした"),
                           QStringLiteral("データのエクスポートに失敗しました！")}));
    EXPECT_EQ(test::readBytes(folder.file("東/青組.txt")), team);
    EXPECT_FALSE(closed);
}

TEST_F(ExportWindow, TeamsLeftOutAreNamedOrNothingIsSaved) {
    choose("緑組", "PreviousSlot2");
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("選択されたチームのファイルが見つかりませんでした。\n"
                                         "ファイルが見つからなかったため出力されなかったチーム: "
                                         "緑組")});
    EXPECT_TRUE(dialogs.proposedSaveNames.isEmpty());

    dialogs.messages.clear();
    choose("赤組", "PreviousSlot1");
    dialogs.fileAnswers.enqueue(QString::fromStdString(folder.file("出力.txt")));
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("データエクスポート終了！\n"
                                         "ファイルが見つからなかったため出力されなかったチーム: "
                                         "緑組")});
}

TEST_F(ExportWindow, NoSlotClosesTheWindowWithoutAFile) {
    QTest::mouseClick(window.exportButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("選択されたチームはありませんでした。\n"
                                         "データのエクスポートに失敗しました！")});
    EXPECT_TRUE(dialogs.proposedSaveNames.isEmpty());
    EXPECT_TRUE(closed);
}

TEST_F(ExportWindow, SortDirectionOutlivesTheWindow) {
    QHeaderView* header = window.table()->horizontalHeader();
    emit header->sectionClicked(kExportFirstColumn);
    const bool firstDescending = TForm5::sharedSort().descending;
    const QStringList teams{QStringLiteral("白組"), QStringLiteral("緑組"), QStringLiteral("赤組"),
                            QStringLiteral("青組")}; // code point order
    QStringList shown;
    for (int r = 0; r < 4; ++r)
        shown << cell(r, kExportFirstColumn);
    QStringList expectedOrder = teams;
    if (firstDescending)
        std::reverse(expectedOrder.begin(), expectedOrder.end());
    EXPECT_EQ(shown, expectedOrder);

    // A second window: the next click, on another column, turns the direction.
    TForm5 second(state);
    ASSERT_TRUE(second.prepare());
    emit second.table()->horizontalHeader()->sectionClicked(kExportPathColumn);
    EXPECT_EQ(TForm5::sharedSort().descending, !firstDescending);
    EXPECT_EQ(second.table()->horizontalHeader()->sortIndicatorOrder(),
              firstDescending ? Qt::AscendingOrder : Qt::DescendingOrder);
    const QString top = second.model()->index(0, kExportPathColumn).data().toString();
    EXPECT_EQ(top, firstDescending ? QStringLiteral("\\東\\赤組.txt")
                                   : QStringLiteral("\\西\\緑組.txt"));
}

TEST_F(ExportWindow, OpensModallyFromTheMainWindow) {
    TForm1 main(folder.path());
    bool opened = false;
    int rows = 0;
    QTimer::singleShot(0, [&] {
        if (auto* w = qobject_cast<TForm5*>(QApplication::activeModalWidget())) {
            opened = w->isModal();
            rows = w->model()->rowCount();
            w->close();
        }
    });
    main.findChild<QAction*>(QStringLiteral("LeagueExportAction"))->trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(rows, 4);
}
