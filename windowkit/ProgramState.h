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

    // The settings file as read at start (and re-read whenever it is written).
    const Settings& settings() const { return settings_; }
    void setSettings(Settings settings);
    // False when the file could not be read at start: it is then never written.
    bool settingsReadable() const { return settingsReadable_; }
    void setSettingsReadable(bool readable);

    const std::string& leagueName() const { return leagueName_; }
    void setLeagueName(std::string name);
    const std::string& leagueFolder() const { return leagueFolder_; }
    void setLeagueFolder(std::string folder);

    // A pane's file, store, chosen player and team name; read-only: every
    // change goes through the setters below, which announce it.
    const PaneState& pane(PaneSide side) const { return side == PaneSide::Top ? top_ : bottom_; }
    // The file a pane shows (or is about to show).
    void setPanePath(PaneSide side, std::string path);
    // The pane's store, (re)loaded or re-pointed: windows showing it refresh.
    void setPaneStore(PaneSide side, IniStore store);
    void clearPaneStore(PaneSide side);
    void setPaneTeamName(PaneSide side, std::string teamName);
    // The player chosen in a pane (Enter or a double click).
    void selectPlayer(PaneSide side, std::string name);

    const std::string& shownPlayer() const { return shownPlayer_; }
    void setShownPlayer(std::string name);

    const HighlightColours& colours() const { return colours_; }
    // New colours for every window: the grids repaint.
    void setColours(const HighlightColours& colours);
    // A colour chosen in the colour window: held at once (the next drawing
    // uses it, closing the window keeps it); the grids repaint on "更新".
    void holdColours(const HighlightColours& colours);

    bool statisticsCheck() const { return statisticsCheck_; }
    void setStatisticsCheck(bool on);
    bool searchMode() const { return searchMode_; }
    void setSearchMode(bool on);
    bool openingOrderOpen() const { return openingOrderOpen_; }
    void setOpeningOrderOpen(bool open);

    const RankingList& ranking() const { return ranking_; }
    void setRanking(RankingList list);

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
    void settingsChanged();
    void leagueChanged();
    void leagueFolderChanged();
    void panePathChanged(tenvoll::PaneSide side);
    void storeReloaded(tenvoll::PaneSide side);
    void paneTeamNameChanged(tenvoll::PaneSide side);
    void playerSelected(tenvoll::PaneSide side);
    void shownPlayerChanged();
    void coloursChanged();
    void coloursHeld();
    void statisticsCheckChanged(bool on);
    void searchModeChanged(bool on);
    void openingOrderOpenChanged(bool open);
    void rankingChanged();
    void paneReloadRequested();
    void playerDetailRequested();
    void quitRequested(const QString& leagueName);

private:
    PaneState& paneState(PaneSide side) { return side == PaneSide::Top ? top_ : bottom_; }

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
