// CSV saving through the dialog interface.
#include "windowkit/CsvSaving.h"

#include "league/CsvFile.h"
#include "league/LeagueError.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QDir>

namespace tenvoll {

bool saveCsvFile(QWidget* parent, const std::string& programFolder, const QString& proposedName,
                 const std::vector<std::string>& lines) {
    auto chosen = dialogs().saveFileName(
        parent, proposedName, QStringLiteral("csv"),
        {FileFilter{QStringLiteral("CSVファイル"), QStringLiteral("*.csv")}});
    if (!chosen) {
        dialogs().message(parent, QStringLiteral("保存されませんでした"));
        return false;
    }
    try {
        writeCsvLines(programFolder, ss(QDir::toNativeSeparators(*chosen)), lines);
    } catch (const LeagueError& e) {
        dialogs().warning(parent, QString::fromUtf8(kCsvNotSavedMessage), qs(e.fullText()));
        return false;
    }
    dialogs().message(parent, QString::fromUtf8(kCsvSavedMessage));
    return true;
}

} // namespace tenvoll
