// Where the program folder is at start. Started from a desktop menu there is
// no meaningful current directory, so: a folder named on the command line
// wins; then the current directory when it holds the settings file; then the
// folder chosen at an earlier start, remembered in the user's configuration;
// otherwise the user is asked for the league folder, or has the sample league
// created in the user's data folder, and the choice is remembered.
#pragma once

#include <QString>

#include <optional>

namespace tenvoll {

struct StartFolderPlaces {
    QString currentFolder;
    QString configFile;   // remembers the chosen folder
    QString sampleFolder; // where the sample league is created
};

// The current directory, and the configuration and data folders of the user
// (XDG folders on Linux, the application-data folders on Windows).
StartFolderPlaces standardStartFolderPlaces();

class StartFolderChooser {
public:
    explicit StartFolderChooser(StartFolderPlaces places);

    // The program folder to start in; nothing when the user gives up or the
    // folder named on the command line does not exist (the user has been
    // told). `commandLineFolder` is empty when none was named; `askAgain`
    // asks even when a folder is remembered or the current one has settings.
    std::optional<QString> choose(const QString& commandLineFolder, bool askAgain);

    // The folder remembered from an earlier choice, or empty.
    QString rememberedFolder() const;

private:
    std::optional<QString> ask();
    std::optional<QString> pickFolder();
    std::optional<QString> sampleLeague();
    void remember(const QString& folder);

    StartFolderPlaces places_;
};

} // namespace tenvoll
