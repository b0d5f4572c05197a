// Program-wide state: setters announce their changes.
#include "windowkit/ProgramState.h"

namespace tenvoll {

ProgramState::ProgramState(std::string programFolder, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)), settings_(programFolder_) {}

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
