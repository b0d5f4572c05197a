// Parsing the desktop program's command line.
#include "windowkit/ProgramArguments.h"

#include "league/ProgramVersion.h"
#include "windowkit/QtText.h"

namespace tenvoll {

ProgramArguments parseProgramArguments(const QStringList& arguments) {
    ProgramArguments parsed;
    const struct {
        const char* name;
        QString ProgramArguments::*value;
    } valued[] = {{"--screenshot", &ProgramArguments::screenshot},
                  {"--player", &ProgramArguments::player},
                  {"--window", &ProgramArguments::window}};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--version")) {
            parsed.version = true;
        } else if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            parsed.help = true;
        } else if (a == QStringLiteral("--choose-folder")) {
            parsed.chooseFolder = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            bool known = false;
            for (const auto& option : valued) {
                if (a != QLatin1String(option.name))
                    continue;
                known = true;
                if (i + 1 >= arguments.size())
                    parsed.error = QStringLiteral("%1 には値が必要です。").arg(a);
                else
                    parsed.*option.value = arguments[++i];
            }
            if (!known)
                parsed.error = QStringLiteral("知らないオプションです: %1").arg(a);
        } else if (parsed.folder.isEmpty()) {
            parsed.folder = a;
        } else {
            parsed.error = QStringLiteral("フォルダは1つだけ指定してください: %1").arg(a);
        }
        if (!parsed.error.isEmpty())
            break;
    }
    return parsed;
}

QString programUsage() {
    return QStringLiteral(
        "使い方: tenvoll [フォルダ] [--choose-folder]\n"
        "ボルタナ選手名鑑を起動します。プログラムフォルダ（設定ファイル Tenvoll.ini の"
        "あるフォルダ）は、指定したフォルダ、Tenvoll.ini のある現在のフォルダ、前回選んだ"
        "フォルダの順に決まります。どれもないときは起動時にたずねます。\n"
        "  --choose-folder  前回のフォルダを使わず、フォルダをたずねます\n"
        "  --version        バージョンを表示します\n"
        "  --help           この説明を表示します\n");
}

QString programVersionLine() {
    return QStringLiteral("tenvoll %1 (Qt %2)")
        .arg(qs(kProgramVersion), QString::fromLatin1(qVersion()));
}

} // namespace tenvoll
