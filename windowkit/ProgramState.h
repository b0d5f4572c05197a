// The program-wide state that the main window owns and every other window
// receives: program folder, settings and current league, the two team stores
// with their files and chosen players, the player shown in the detail window,
// the highlight colours, the mode flags and the last ranking list. Windows
// observe its signals instead of reaching into the main window.
#pragma once

#include "league/IniStore.h"
#include "league/RankingItems.h"
#include "league/Settings.h"

#include <QObject>

#include <string>
#include <vector>

namespace tenvoll {

enum class PaneSide { Top, Bottom };

class ProgramState : public QObject {
    Q_OBJECT
public:
    // One pane's file, team store and chosen player.
    struct PaneState {
        std::string path; // full path of the shown file (empty: none)
        IniStore store;
        std::string selected;
        std::string teamName;
    };

    // The last ranking list of search mode, as the list shows it.
    struct RankingList {
        RankingRow captions{};
        std::vector<RankingRow> rows;
        bool career = false;
        int item = 0;
    };

    explicit ProgramState(std::string programFolder, QObject* parent = nullptr);

    const std::string& programFolder() const { return programFolder_; }

    // The settings file as read at start (and re-read before it is written).
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    bool settingsReadable() const { return settingsReadable_; }
    void setSettingsReadable(bool readable) { settingsReadable_ = readable; }

    const std::string& leagueName() const { return leagueName_; }
    void setLeagueName(std::string name);
    const std::string& leagueFolder() const { return leagueFolder_; }
    void setLeagueFolder(std::string folder) { leagueFolder_ = std::move(folder); }

    PaneState& pane(PaneSide side) { return side == PaneSide::Top ? top_ : bottom_; }
    const PaneState& pane(PaneSide side) const { return side == PaneSide::Top ? top_ : bottom_; }

    const std::string& shownPlayer() const { return shownPlayer_; }
    void setShownPlayer(std::string name) { shownPlayer_ = std::move(name); }

    const HighlightColours& colours() const { return colours_; }
    void setColours(const HighlightColours& colours);
    // The colours edited in place by the colour window, which then announces them.
    HighlightColours& editableColours() { return colours_; }
    void announceColoursChanged() { emit coloursChanged(); }

    bool statisticsCheck() const { return statisticsCheck_; }
    void setStatisticsCheck(bool on) { statisticsCheck_ = on; }
    bool searchMode() const { return searchMode_; }
    void setSearchMode(bool on);
    bool openingOrderOpen() const { return openingOrderOpen_; }
    void setOpeningOrderOpen(bool open);

    const RankingList& ranking() const { return ranking_; }
    void setRanking(RankingList list);

    // A pane's store was (re)loaded or re-pointed; windows showing it refresh.
    void announceStoreReloaded(PaneSide side) { emit storeReloaded(side); }
    // Asks the main window to show its panes' own files again (after the
    // opening-order window re-pointed the stores, or a term update).
    void requestPaneReload() { emit paneReloadRequested(); }
    // Asks the main window to show the player detail window for the shown
    // player (windows that may not reach the main window, such as the
    // opening-order window, set the pane selection and the shown player first).
    void requestPlayerDetail() { emit playerDetailRequested(); }
    // Asks the main window to close the program the way "終了" does, recording
    // `leagueName` as the current league (the organisation editor's league change).
    void requestQuit(std::string leagueName) {
        emit quitRequested(QString::fromStdString(leagueName));
    }

signals:
    void storeReloaded(tenvoll::PaneSide side);
    void coloursChanged();
    void leagueChanged();
    void searchModeChanged(bool on);
    void openingOrderOpenChanged(bool open);
    void rankingChanged();
    void paneReloadRequested();
    void playerDetailRequested();
    void quitRequested(const QString& leagueName);

private:
    std::string programFolder_;
    Settings settings_;
    bool settingsReadable_ = true;
    std::string leagueName_;
    std::string leagueFolder_;
    PaneState top_;
    PaneState bottom_;
    std::string shownPlayer_;
    HighlightColours colours_;
    bool statisticsCheck_ = true;
    bool searchMode_ = false;
    bool openingOrderOpen_ = false;
    RankingList ranking_;
};

} // namespace tenvoll
