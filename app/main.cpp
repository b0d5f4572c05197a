// tenvoll: the desktop program. The program folder is the current directory
// at start. "--screenshot FILE" saves a picture of the main window and exits;
// with "--player NAME" it opens that player of the Top pane and pictures the
// player detail window instead; "--window term-update", "--window colours" or
// "--window organisation" pictures that window; "--window ranking" turns on the
// search mode and ranks by the first statistic; "--window export" pictures the
// league export window with three slots assigned; "--window chart" ranks as
// "ranking" does and pictures the chart window of the list.
#include "charts/Unit8.h"
#include "export/Unit5.h"
#include "mainwindow/Unit1.h"
#include "mainwindow/Unit7.h"
#include "player/Unit2.h"
#include "termupdate/Unit3.h"
#include "termupdate/Unit4.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tenvoll"));
    QApplication::setApplicationDisplayName(QStringLiteral("ボルタナ選手名鑑"));
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"))) {
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }

    const QStringList args = QApplication::arguments();
    auto option = [&](const QString& name) {
        int i = args.indexOf(name);
        return (i >= 0 && i + 1 < args.size()) ? args[i + 1] : QString();
    };
    const QString screenshot = option(QStringLiteral("--screenshot"));
    const QString player = option(QStringLiteral("--player"));
    const QString windowName = option(QStringLiteral("--window"));

    tenvoll::TForm1 window(QDir::toNativeSeparators(QDir::currentPath()).toStdString());
    window.show();
    if (!screenshot.isEmpty()) {
        if (!player.isEmpty())
            window.StringGridAllDblClick(tenvoll::PaneSide::Top, player);
        QWidget* extra = nullptr;
        if (windowName == QStringLiteral("term-update")) {
            auto* w = new tenvoll::TForm4(window.programFolder(), &window);
            w->prepare();
            extra = w;
        } else if (windowName == QStringLiteral("ranking")) {
            window.findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(true);
            window.Button3Click();
        } else if (windowName == QStringLiteral("chart")) {
            window.findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(true);
            window.Button3Click();
            window.openTermChart();
            extra = window.chartWindow();
        } else if (windowName == QStringLiteral("organisation")) {
            auto* w = new tenvoll::TForm3(window.state(), &window);
            w->prepare();
            extra = w;
        } else if (windowName == QStringLiteral("colours")) {
            extra = new tenvoll::TForm7(window.colours(), {}, &window);
        } else if (windowName == QStringLiteral("export")) {
            auto* w = new tenvoll::TForm5(window.state(), &window);
            if (w->prepare()) {
                w->assignRow(0, 1, false);
                w->assignRow(2, 2, false);
                // Latest data when the team has its next-season copy; otherwise the
                // status tells so and the slot takes the previous term.
                w->assignRow(1, 3, true);
                if (!w->list().slot(3).assigned())
                    w->assignRow(1, 3, false);
            }
            extra = w;
        }
        if (extra)
            extra->show();
        QTimer::singleShot(800, &window, [&] {
            QWidget* shown = extra ? extra : window.playerDetailWindow();
            (shown ? shown : static_cast<QWidget*>(&window))->grab().save(screenshot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
