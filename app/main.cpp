// tenvoll: the desktop program. The program folder is the folder named on the
// command line, the current directory when it holds the settings file, or the
// folder chosen at an earlier start (windowkit/StartFolder.h); "--version" and
// "--help" print without opening a window. "--screenshot FILE" saves a picture of the main window
// and exits; with "--player NAME" it opens that player of the Top pane and pictures the player
// detail window instead; "--window term-update", "--window colours" or
// "--window organisation" pictures that window; "--window ranking" turns on the
// search mode and ranks by the first statistic; "--window export" pictures the
// league export window with three slots assigned; "--window opening-order" opens
// the opening-order window with the first registered team ordering and the
// second one beside it; "--window chart" ranks as "ranking" does and pictures
// the chart window of the list; "--window file-dialog" pictures the save dialog;
// "--window player" pictures the detail window of the Top pane's first player.
#include "charts/Unit8.h"
#include "export/Unit5.h"
#include "export/Unit6.h"
#include "league/LeagueError.h"
#include "league/OutputTarget.h"
#include "league/Platform.h"
#include "league/Recovery.h"
#include "league/TeamFile.h"
#include "mainwindow/SearchMode.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/Unit1.h"
#include "mainwindow/Unit7.h"
#include "player/Unit2.h"
#include "report/ReportWindow.h"
#include "termupdate/BackupsWindow.h"
#include "termupdate/Unit3.h"
#include "termupdate/Unit4.h"
#include "windowkit/ProgramArguments.h"
#include "windowkit/ProgramIcon.h"
#include "windowkit/QtText.h"
#include "windowkit/QtTranslations.h"
#include "windowkit/StartFolder.h"
#include "windowkit/UserDialogs.h"
#include "windowkit/WindowMemory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPushButton>
#include <QTimer>

#include <cstring>
#include <iostream>
#include <new>

namespace {

// Every exception that leaves an event handler ends here as a Japanese message
// instead of in std::terminate with an English text.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const tenvoll::LeagueError& e) {
            tenvoll::dialogs().warning(nullptr, tenvoll::qs(e.what()), tenvoll::qs(e.detail()));
        } catch (const std::bad_alloc&) {
            tenvoll::dialogs().critical(
                nullptr, QStringLiteral("メモリが足りないため、操作を中止しました。"));
        } catch (const std::exception& e) {
            tenvoll::dialogs().critical(
                nullptr, QStringLiteral("予期しないエラーのため、操作を中止しました。"),
                QString::fromLocal8Bit(e.what()));
        } catch (...) {
            tenvoll::dialogs().critical(
                nullptr, QStringLiteral("予期しないエラーのため、操作を中止しました。"));
        }
        return false;
    }
};

// An operation a crash cut off is undone before anything reads the league.
void recoverAtStart(const std::string& programFolder) {
    std::vector<tenvoll::RecoveryOutcome> outcomes;
    try {
        outcomes = tenvoll::recoverInterruptedOperations(programFolder);
    } catch (const tenvoll::LeagueError&) {
        return; // another program is updating the league: the journal is its own
    }
    if (!outcomes.empty())
        tenvoll::dialogs().message(nullptr, tenvoll::qs(tenvoll::recoveryMessage(outcomes)));
}

// --version and --help answer before Qt looks for a display, on the console
// the program was started from.
bool printsOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const bool version = std::strcmp(argv[i], "--version") == 0;
        const bool help = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        if (!version && !help)
            continue;
        tenvoll::platform::useParentConsole();
        std::cout << (version ? tenvoll::programVersionLine().toStdString() + "\n"
                              : tenvoll::programUsage().toStdString())
                  << std::flush;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (printsOnly(argc, argv))
        return 0;
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tenvoll"));
    tenvoll::installProgramIcon();
    // No application display name: the desktop would append it to every
    // caption, and the main window's caption is the league name alone.
    tenvoll::installJapaneseQtTranslations();
    if (QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"))) {
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }

    // Qt has taken its own options (-platform, ...) out of the arguments.
    const tenvoll::ProgramArguments args =
        tenvoll::parseProgramArguments(QApplication::arguments().mid(1));
    if (!args.error.isEmpty()) {
        std::cerr << args.error.toStdString() << "\n" << tenvoll::programUsage().toStdString();
        return 2;
    }
    const QString& screenshot = args.screenshot;
    const QString& player = args.player;
    const QString& windowName = args.window;

    const std::optional<QString> folder =
        tenvoll::StartFolderChooser(tenvoll::standardStartFolderPlaces())
            .choose(args.folder, args.chooseFolder);
    if (!folder)
        return args.folder.isEmpty() ? 0 : 1;
    // Relative paths the user types or drops mean the same as in the program folder.
    QDir::setCurrent(*folder);
    const std::string programFolder = QDir::toNativeSeparators(*folder).toStdString();
    recoverAtStart(programFolder);
    if (!screenshot.isEmpty()) {
        try {
            tenvoll::checkOutputTarget(programFolder,
                                       QDir::toNativeSeparators(screenshot).toStdString());
        } catch (const tenvoll::LeagueError& e) {
            std::cerr << e.fullText() << "\n";
            return 1;
        }
    }
    tenvoll::registerReportWindow();
    // A picture shows the windows as they are made, not as this user left them.
    if (screenshot.isEmpty())
        tenvoll::installWindowMemory(tenvoll::userConfigFile());
    tenvoll::TForm1 window(programFolder);
    window.show();
    if (!screenshot.isEmpty()) {
        if (!player.isEmpty()) {
            window.StringGridAllDblClick(tenvoll::PaneSide::Top, player);
        } else if (windowName == QStringLiteral("player")) {
            // The first player of the Top pane's roster, with his career chart.
            if (auto first =
                    tenvoll::rosterSlot(window.state().pane(tenvoll::PaneSide::Top).store, 0))
                window.StringGridAllDblClick(tenvoll::PaneSide::Top, tenvoll::qs(first->name));
        }
        QWidget* extra = nullptr;
        if (windowName == QStringLiteral("term-update")) {
            auto* w = new tenvoll::TForm4(window.state(), &window);
            w->prepare();
            extra = w;
        } else if (windowName == QStringLiteral("ranking")) {
            window.findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(true);
            window.search().panel()->startButton()->click();
        } else if (windowName == QStringLiteral("chart")) {
            window.findChild<QAction*>(QStringLiteral("SearchAction"))->setChecked(true);
            window.search().panel()->startButton()->click();
            window.openTermChart();
            extra = window.chartWindow();
        } else if (windowName == QStringLiteral("organisation")) {
            auto* w = new tenvoll::TForm3(window.state(), &window);
            w->prepare();
            extra = w;
        } else if (windowName == QStringLiteral("file-dialog")) {
            // The save dialog as the CSV saving shows it.
            auto* w = new QFileDialog(&window);
            tenvoll::prepareFileDialog(*w);
            w->setAcceptMode(QFileDialog::AcceptSave);
            w->setNameFilter(QStringLiteral("CSVファイル (*.csv)"));
            w->selectFile(QStringLiteral("東京.csv"));
            extra = w;
        } else if (windowName == QStringLiteral("backups")) {
            auto* w = new tenvoll::BackupsWindow(window.state(), &window);
            w->refresh();
            extra = w;
        } else if (windowName == QStringLiteral("report")) {
            extra = new tenvoll::ReportWindow(window.state(), &window);
        } else if (windowName == QStringLiteral("colours")) {
            extra = new tenvoll::TForm7(window.state(), &window);
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
        } else if (windowName == QStringLiteral("opening-order")) {
            window.openOpeningOrder();
            tenvoll::TForm6* order = window.openingOrderWindow();
            // Later, so that a message about a new next-season copy cannot hold the picture.
            QTimer::singleShot(0, order, [order] {
                order->chooseOtherTeam(1);
                order->chooseOrderingTeam(0);
            });
            extra = order;
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
