// Program-wide state: setters announce their changes.
#include "windowkit/ProgramState.h"

namespace tenvoll {

ProgramState::ProgramState(std::string programFolder, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)), settings_(programFolder_) {}

void ProgramState::setSettings(Settings settings) {
    settings_ = std::move(settings);
    emit settingsChanged();
}

void ProgramState::setSettingsReadable(bool readable) {
    settingsReadable_ = readable;
    emit settingsChanged();
}

void ProgramState::setLeagueFolder(std::string folder) {
    if (folder == leagueFolder_)
        return;
    leagueFolder_ = std::move(folder);
    emit leagueFolderChanged();
}

void ProgramState::setPanePath(PaneSide side, std::string path) {
    paneState(side).path = std::move(path);
    emit panePathChanged(side);
}

void ProgramState::setPaneStore(PaneSide side, IniStore store) {
    paneState(side).store = std::move(store);
    emit storeReloaded(side);
}

void ProgramState::clearPaneStore(PaneSide side) {
    paneState(side).store.clear();
    emit storeReloaded(side);
}

void ProgramState::setPaneTeamName(PaneSide side, std::string teamName) {
    paneState(side).teamName = std::move(teamName);
    emit paneTeamNameChanged(side);
}

void ProgramState::selectPlayer(PaneSide side, std::string name) {
    paneState(side).selected = std::move(name);
    emit playerSelected(side);
}

void ProgramState::setShownPlayer(std::string name) {
    shownPlayer_ = std::move(name);
    emit shownPlayerChanged();
}

void ProgramState::setStatisticsCheck(bool on) {
    if (on == statisticsCheck_)
        return;
    statisticsCheck_ = on;
    emit statisticsCheckChanged(on);
}

void ProgramState::setLeagueName(std::string name) {
    if (name == leagueName_)
        return;
    leagueName_ = std::move(name);
    emit leagueChanged();
}

void ProgramState::setColours(const HighlightColours& colours) {
    colours_ = colours;
    emit coloursChanged();
}

void ProgramState::holdColours(const HighlightColours& colours) {
    colours_ = colours;
    emit coloursHeld();
}

void ProgramState::setSearchMode(bool on) {
    if (on == searchMode_)
        return;
    searchMode_ = on;
    emit searchModeChanged(on);
}

void ProgramState::setOpeningOrderOpen(bool open) {
    if (open == openingOrderOpen_)
        return;
    openingOrderOpen_ = open;
    emit openingOrderOpenChanged(open);
}

void ProgramState::setRanking(RankingList list) {
    ranking_ = std::move(list);
    emit rankingChanged();
}

} // namespace tenvoll
