// CSV saving through the dialog interface.
#include "mainwindow/CsvSaving.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/TextCodec.h"
#include "mainwindow/QtText.h"
#include "mainwindow/UserDialogs.h"

#include <QDir>

namespace tenvoll {

bool saveCsvFile(QWidget* parent, const QString& proposedName,
                 const std::vector<std::string>& lines) {
    auto chosen = dialogs().saveFileName(
        parent, proposedName, QStringLiteral("csv"),
        {FileFilter{QStringLiteral("CSVファイル"), QStringLiteral("*.csv")}});
    if (!chosen) {
        dialogs().message(parent, QStringLiteral("保存されませんでした"));
        return false;
    }
    try {
        writeTextFileAtomic(ss(QDir::toNativeSeparators(*chosen)), joinCrlf(lines));
    } catch (const LeagueError& e) {
        dialogs().message(parent, QStringLiteral("CSVファイルを保存できませんでした。"),
                          qs(e.fullText()));
        return false;
    }
    dialogs().message(parent, QStringLiteral("CSVデータ保存終了！"));
    return true;
}

} // namespace tenvoll
