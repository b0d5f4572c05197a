// tenvoll: the desktop program. The program folder is the current directory
// at start. "--screenshot FILE" saves a picture of the main window and exits.
#include "mainwindow/Unit1.h"

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

    QString screenshot;
    const QStringList args = QApplication::arguments();
    if (int i = args.indexOf(QStringLiteral("--screenshot")); i >= 0 && i + 1 < args.size())
        screenshot = args[i + 1];

    tenvoll::TForm1 window(QDir::toNativeSeparators(QDir::currentPath()).toStdString());
    window.show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(800, &window, [&] {
            window.grab().save(screenshot);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
