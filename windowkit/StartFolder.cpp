// Choosing the program folder at start, asking through the dialogs.
#include "windowkit/StartFolder.h"

#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Settings.h"
#include "tools/sample-league/SampleLeague.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tenvoll {

namespace {

const QString kFolderKey = QStringLiteral("Start/ProgramFolder");

enum Answer { PickFolder, CreateSample, Quit };

bool hasSettingsFile(const QString& folder) {
    // Anything under the name counts: a FIFO or broken link there is refused with
    // a message by the settings reader, not passed over.
    return entryPresent(joinProgramFolder(ss(QDir::toNativeSeparators(folder)), kSettingsFileName));
}

bool isFolder(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

QString cleanFolder(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

StartFolderPlaces standardStartFolderPlaces() {
    return {QDir::currentPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                QStringLiteral("/tenvoll.conf"),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                QStringLiteral("/sample-league")};
}

StartFolderChooser::StartFolderChooser(StartFolderPlaces places) : places_(std::move(places)) {}

QString StartFolderChooser::rememberedFolder() const {
    return QSettings(places_.configFile, QSettings::IniFormat).value(kFolderKey).toString();
}

std::optional<QString> StartFolderChooser::choose(const QString& commandLineFolder, bool askAgain) {
    if (!commandLineFolder.isEmpty()) {
        if (isFolder(commandLineFolder))
            return cleanFolder(commandLineFolder);
        dialogs().warning(nullptr, QStringLiteral("指定されたフォルダが見つかりません。"),
                          QDir::toNativeSeparators(commandLineFolder));
        return std::nullopt;
    }
    if (!askAgain) {
        if (hasSettingsFile(places_.currentFolder))
            return cleanFolder(places_.currentFolder);
        const QString remembered = rememberedFolder();
        if (isFolder(remembered))
            return remembered;
        // A removed or unplugged folder is not silently replaced by an empty one.
        if (!remembered.isEmpty())
            dialogs().warning(nullptr,
                              QStringLiteral("前回のリーグのフォルダが見つかりません。"
                                             "リーグのフォルダを選び直してください。"),
                              QDir::toNativeSeparators(remembered));
    }
    return ask();
}

std::optional<QString> StartFolderChooser::ask() {
    const QStringList options = {QStringLiteral("フォルダを選ぶ..."),
                                 QStringLiteral("サンプルリーグを作る"), QStringLiteral("終了")};
    const QString text = QStringLiteral("リーグのフォルダを選んでください。");
    // The sample's place on a line of its own, so that the path is not broken.
    const QString detail =
        QStringLiteral("リーグのフォルダは、設定ファイル Tenvoll.ini があるフォルダです。"
                       "選んだフォルダは次回から自動で開きます。\n\n"
                       "はじめて使うときは、サンプルのリーグを作って試すこともできます。"
                       "作る場所:\n%1")
            .arg(QDir::toNativeSeparators(places_.sampleFolder));
    for (;;) {
        std::optional<QString> folder;
        switch (dialogs().choice(nullptr, text, detail, options)) {
        case PickFolder:
            folder = pickFolder();
            break;
        case CreateSample:
            folder = sampleLeague();
            break;
        default:
            return std::nullopt;
        }
        if (folder) {
            remember(*folder);
            return folder;
        }
    }
}

std::optional<QString> StartFolderChooser::pickFolder() {
    const QString remembered = rememberedFolder();
    std::optional<QString> folder =
        dialogs().folderName(nullptr, QStringLiteral("リーグのフォルダ"),
                             isFolder(remembered) ? remembered : QDir::homePath());
    if (!folder || !isFolder(*folder))
        return std::nullopt;
    if (!hasSettingsFile(*folder) &&
        !dialogs().question(nullptr,
                            QStringLiteral("このフォルダには設定ファイル Tenvoll.ini がありません。"
                                           "このフォルダで新しいリーグを始めますか？")))
        return std::nullopt;
    return cleanFolder(*folder);
}

std::optional<QString> StartFolderChooser::sampleLeague() {
    const QString folder = cleanFolder(places_.sampleFolder);
    // A sample made before may hold the user's own changes: it is opened, never rewritten.
    if (hasSettingsFile(folder))
        return folder;
    if (QFileInfo::exists(folder) && !QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                           QDir::Hidden | QDir::System)) {
        dialogs().warning(
            nullptr,
            QStringLiteral("サンプルリーグを作る場所に、ほかのファイルがあります。"
                           "このフォルダを移すか削除してから、もう一度お試しください。"),
            QDir::toNativeSeparators(folder));
        return std::nullopt;
    }
    try {
        sample::writeSampleLeague(ss(QDir::toNativeSeparators(folder)), sample::SampleOptions{});
    } catch (const LeagueError& e) {
        dialogs().warning(nullptr, QStringLiteral("サンプルリーグを作れませんでした。"),
                          qs(e.fullText()));
        return std::nullopt;
    } catch (const std::exception&) {
        dialogs().warning(nullptr, QStringLiteral("サンプルリーグを作れませんでした。"),
                          QDir::toNativeSeparators(folder));
        return std::nullopt;
    }
    return folder;
}

void StartFolderChooser::remember(const QString& folder) {
    QSettings settings(places_.configFile, QSettings::IniFormat);
    settings.setValue(kFolderKey, folder);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        dialogs().warning(nullptr,
                          QStringLiteral("選んだフォルダを覚えておけませんでした。"
                                         "次に起動したときも、もう一度おたずねします。"),
                          QDir::toNativeSeparators(places_.configFile));
}

} // namespace tenvoll
