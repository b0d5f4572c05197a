// The opening order of one team for the next season: the ordering team's
// next-season copy (".tvl", created from its team file when missing or older),
// another team of the league to take players from, the players displaced from
// the order and the newcomers typed in, the drops between them, the fielding
// positions, the managers, and the write of the copy. The window and the batch
// command "opening-order" both drive this model; it never touches the screen.
//
// The ordering store and the other-team store are handed in (the window lends
// the main window's two pane stores); the scratch store of newcomers and
// players taken over belongs to the model and is never written.
#pragma once

#include "export/OpeningOrderManagers.h"
#include "export/OpeningOrderNewcomer.h"
#include "league/GameRules.h"
#include "league/IniStore.h"
#include "league/Settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

inline constexpr std::string_view kOpeningOrderTitle = "開幕オーダー";
inline constexpr std::string_view kTitleSuffix = "期開幕オーダー";
inline constexpr std::string_view kScratchFileName = "Form6Ichiji.txt";
inline constexpr std::string_view kJoinedOrigin = "新規加入";

inline constexpr std::string_view kCopyCreatedMessage =
    ".tvlファイルは存在しないか、古いため新規に作成します！";
inline constexpr std::string_view kDropTypeStatus =
    "ドロップエラー！！投手、打者のデータ型が一致しません！";
inline constexpr std::string_view kPitcherPositionStatus = "エラー！！投手の変更は出来ません！";
inline constexpr std::string_view kChooseTeamStatus =
    "来期オーダーの作成チームを選択してください。";
inline constexpr std::string_view kPositionsNgStatus = "守備データNG！";
inline constexpr std::string_view kPositionsOkStatus = "データチェックOK";
inline constexpr std::string_view kTeamFileChangedMessage =
    "チームファイルが読み込んだ後に更新されたため "
    "(最新データの追加など)、来期用ファイルを書き込みません"
    "でした。チームを選び直してオーダーを作り直してください。";
inline constexpr std::string_view kUnsignedDetailStatus =
    "未契約選手の情報はここから参照できません。";

enum class OrderList { Order, Other, Unsigned };

struct OrderRow {
    std::string name;
    std::string position;
    std::string label;
    std::string origin;
    int slot = -1; // the order list's hidden slot number; -1 in the unsigned list
    bool batterIcon = true;
};

// How a row is drawn: normally, in the UP or in the DOWN highlight colours.
enum class RowHighlight { Normal, Up, Down };

// A registered team of the current league, by its registry index.
struct OrderTeam {
    long long index = 0;
    LeagueEntry entry;
};
// Entries "チーム名" + i for i = 0 .. "チーム数" − 1 with three fields, in registry order.
std::vector<OrderTeam> orderTeams(const Settings& settings, std::string_view league);

// The "チーム名" cell of a player read from a store: "新規加入" when his last
// term is his first, otherwise his club of the term before the last.
std::string originOf(const IniStore& store, std::string_view player);

// What a step did: `accepted` false when it was refused; `status` the text
// for the status bar (may be empty).
struct OrderOutcome {
    bool accepted = true;
    std::string status;
};

class OpeningOrder {
public:
    // `programFolder` locates the team files (registry paths) and the folder
    // lock; the scratch store starts from "Form6Ichiji.txt" there when it exists.
    // The order holds the stores of both teams; the window shows copies of them
    // in the panes' places.
    explicit OpeningOrder(std::string programFolder);

    // Loads team `team` as the ordering team: its next-season copy, created
    // first from the team file when missing or older (then `message` holds the
    // text to show). Throws LeagueError (nothing changed) when a file cannot be
    // read or the copy cannot be written.
    struct LoadResult {
        std::string message;
    };
    LoadResult loadOrderingTeam(const LeagueEntry& team);
    // Loads another team from its own team file. Throws LeagueError.
    void loadOtherTeam(const LeagueEntry& team);

    bool hasOrderingTeam() const { return !copyPath_.empty(); }
    bool hasOtherTeam() const { return !otherPath_.empty(); }
    const std::string& copyPath() const { return copyPath_; }
    const std::string& otherPath() const { return otherPath_; }
    // The registry's first-team name of the ordering team.
    const std::string& orderingTeamName() const { return orderingTeam_.firstTeam; }
    // "開幕オーダー" before a team is chosen, then "TTTT期開幕オーダー".
    std::string title() const;
    long long term() const { return term_; }
    // The ordering team's tool; none when its "ツール" names neither variant.
    std::optional<ToolVariant> tool() const { return tool_; }

    const std::vector<OrderRow>& rows(OrderList list) const;
    // Players of the ordering club (its first or farm team) are drawn normally,
    // those who joined in their last term (and new foreign players in the
    // order) in the UP colours, everyone else in the DOWN colours.
    RowHighlight highlight(OrderList list, const OrderRow& row) const;

    // A drop of row `sourceRow` of `source` onto row `targetRow` of the order list.
    OrderOutcome drop(OrderList source, int sourceRow, int targetRow);
    // A fielding position ("2" … "9", "D", "-") for order-list row `row`.
    OrderOutcome setPosition(int row, std::string_view code);
    // Whether a newcomer can be entered now (the status says why not).
    OrderOutcome canEnterNewcomer() const;
    // Enters a newcomer from one player line; an empty line does nothing.
    OrderOutcome addNewcomer(NewcomerKind kind, std::string_view line);

    ManagerGrid& managers() { return managers_; }
    const ManagerGrid& managers() const { return managers_; }
    // Enter in the manager grid.
    OrderOutcome checkManagers();

    // "来期オーダ作成": the position check, the slots, the player sections and
    // the manager lines, saved to the next-season copy under the folder lock.
    // The status is "守備データNG！" or "データチェックOK"; the copy is written
    // either way. Without an ordering team nothing happens (not accepted).
    // Throws LeagueError when the copy cannot be written (memory unchanged),
    // and refuses (LeagueError, nothing written) when the team file changed
    // since it was loaded: another identity or modification time.
    OrderOutcome write();

    const IniStore& scratchStore() const { return scratch_; }
    const IniStore& orderingStore() const { return ordering_; }
    const IniStore& otherStore() const { return other_; }

private:
    std::vector<OrderRow> readRows(const IniStore& store) const;
    void relabelOrder();
    void resetOrderingTeam();

    std::string programFolder_;
    IniStore ordering_;
    IniStore other_;
    IniStore scratch_;

    std::string copyPath_;
    std::string teamPath_;  // the ordering team's file
    std::string teamStamp_; // its identity and modification time when loaded
    LeagueEntry orderingTeam_;
    std::string otherPath_;
    std::optional<ToolVariant> tool_;
    long long term_ = 0;
    std::vector<OrderRow> order_;
    std::vector<OrderRow> otherRows_;
    std::vector<OrderRow> unsigned_;
    ManagerGrid managers_;
};

} // namespace tenvoll
