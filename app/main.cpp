// tenvoll: the desktop program. The program folder is the current directory
// at start. "--screenshot FILE" saves a picture of the main window and exits;
// with "--player NAME" it opens that player of the Top pane and pictures the
// player detail window instead; "--window term-update" or "--window colours"
// pictures that window; "--window ranking" turns on the search mode and ranks
// by the first statistic.
#include "mainwindow/Unit1.h"
#include "mainwindow/Unit7.h"
#include "player/Unit2.h"
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
            auto* w = new tenvoll::TForm4(window.state(), &window);
            w->prepare();
            extra = w;
        } else if (windowName == QStringLiteral("ranking")) {
            window.findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(true);
            window.Button3Click();
        } else if (windowName == QStringLiteral("colours")) {
            extra = new tenvoll::TForm7(window.state(), &window);
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
