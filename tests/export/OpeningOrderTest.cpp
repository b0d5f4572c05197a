// The opening-order model on a small league: the copy reused or recreated,
// drops between the three lists, positions, newcomers by tool, the manager
// grid, and what "来期オーダ作成" writes.
#include "export/OpeningOrder.h"
#include "OrderLeague.h"
#include "export/OpeningOrderSlots.h"
#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "league/TeamFile.h"
#include "league/TextCodec.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

namespace fs = std::filesystem;

class OpeningOrderTest : public ::testing::Test {
protected:
    void TearDown() override { WriteFaults::reset(); }

    OpeningOrder& loaded() {
        order.loadOrderingTeam(league.entry(0));
        order.loadOtherTeam(league.entry(1));
        return order;
    }
    const OrderRow& row(OrderList list, int i) const {
        return order.rows(list).at(static_cast<std::size_t>(i));
    }
    std::vector<std::string> names(OrderList list) const {
        std::vector<std::string> out;
        for (const OrderRow& r : order.rows(list))
            out.push_back(r.name);
        return out;
    }
    // The value of `key` in `section` of the copy on disk.
    std::string onDisk(std::string_view section, std::string_view key) const {
        return IniStore::load(league.copyFile).value(section, key, "(none)");
    }
    void setAllPositions(const std::vector<std::pair<int, std::string>>& codes) {
        for (const auto& [slot, code] : codes)
            ASSERT_TRUE(order.setPosition(slot, code).accepted);
    }

    TempFolder dir;
    test::OrderLeague league{dir.path()};
    OpeningOrder order{dir.path()};
};

const std::string kMirelPitcher = "P 新人 右 中 147 E D C 4 D C 4 298 ; 18 B B D E B D C";
const std::string kMirelFielder =
    "- 新人 右 長 D C E A A A A D E E D D B 3 2 259 ; 25 B D C E D D E";
const std::string kStandardPitcher = "P 新人 右 中 147 E D C 4 D C 4 298 18 B B D E B D C";

} // namespace

TEST(OpeningOrderSlots, LabelsFollowTheSlotTableInBothHalves) {
    std::string labels;
    for (int slot = 0; slot < 56; ++slot)
        labels += orderLabel(slot) + (isBatterSlot(slot) ? "b " : "p ");
    const std::string half = "1番b 2番b 3番b 4番b 5番b 6番b 7番b 8番b 9番b 代1b 代2b 代3b 代4b "
                             "代5b 代6b 代7b 先1p 先2p 先3p 先4p 先5p 先6p 中1p 中2p 中3p 中4p "
                             "抑1p 抑2p ";
    EXPECT_EQ(labels, half + half);
}

TEST(OpeningOrderSlots, PositionCheckWantsEachFieldingCodeOncePerHalf) {
    std::vector<std::string> complete;
    for (int slot = 0; slot < 56; ++slot) {
        const int s = slot % 28;
        complete.push_back(s < 9 ? std::string(1, "98765432D"[s]) : s < 16 ? "-" : "P");
    }
    EXPECT_TRUE(positionsComplete(complete));

    auto with = [&](int slot, const std::string& code) {
        std::vector<std::string> p = complete;
        p[static_cast<std::size_t>(slot)] = code;
        return positionsComplete(p);
    };
    // slot 8 held "D": a second "9" is not in the remaining set.
    EXPECT_FALSE(with(8, "9"));
    EXPECT_FALSE(with(36, "9")); // the farm team has its own set
    EXPECT_FALSE(with(12, "7")); // a bench player with a position
    EXPECT_FALSE(with(20, "-")); // a fielder in a pitcher's slot
    EXPECT_FALSE(with(55, "D"));
    EXPECT_FALSE(positionsComplete({}));
}

TEST_F(OpeningOrderTest, FirstLoadCreatesTheCopyAndANewerTeamFileRecreatesIt) {
    EXPECT_EQ(order.title(), "開幕オーダー");
    OpeningOrder::LoadResult first = order.loadOrderingTeam(league.entry(0));
    EXPECT_EQ(first.message, kCopyCreatedMessage);
    ASSERT_TRUE(fileExists(league.copyFile));
    EXPECT_EQ(order.title(), "0003期開幕オーダー");
    EXPECT_EQ(order.tool(), ToolVariant::Standard);
    EXPECT_EQ(row(OrderList::Order, 0).origin, "新規加入");
    EXPECT_EQ(row(OrderList::Order, 1).origin, "他球団");
    EXPECT_EQ(row(OrderList::Order, 2).origin, "甲");

    // An order written to the copy survives a reload while the copy is current.
    ASSERT_TRUE(order.drop(OrderList::Order, 16, 17).accepted);
    order.write();
    EXPECT_EQ(order.loadOrderingTeam(league.entry(0)).message, "");
    EXPECT_EQ(row(OrderList::Order, 16).name, "甲17");

    // A team file updated since (newer than the copy) replaces the earlier order.
    fs::last_write_time(league.teamFile[0],
                        fs::last_write_time(league.copyFile) + std::chrono::seconds(5));
    EXPECT_EQ(order.loadOrderingTeam(league.entry(0)).message, kCopyCreatedMessage);
    EXPECT_EQ(row(OrderList::Order, 16).name, "甲16");
    EXPECT_EQ(onDisk("Team", "16"), "P 甲16");
}

// The team file changes after the order was loaded (a term update in
// between): "来期オーダ作成" refuses, and the copy stays as it was.
TEST_F(OpeningOrderTest, ATeamFileChangedSinceLoadingRefusesTheWrite) {
    order.loadOrderingTeam(league.entry(0));
    const std::string copy = test::readBytes(league.copyFile);
    const std::string team = test::readBytes(league.teamFile[0]);
    test::writeBytes(league.teamFile[0], team); // same bytes, rewritten
    fs::last_write_time(league.teamFile[0],
                        fs::last_write_time(league.copyFile) + std::chrono::seconds(5));
    try {
        order.write();
        FAIL() << "written";
    } catch (const LeagueError& e) {
        EXPECT_EQ(std::string(e.what()), kTeamFileChangedMessage);
    }
    EXPECT_EQ(test::readBytes(league.copyFile), copy);

    order.loadOrderingTeam(league.entry(0)); // loaded again, it may write
    EXPECT_TRUE(order.write().accepted);
}

TEST_F(OpeningOrderTest, AMissingOrOldLayoutTeamFileChangesNothing) {
    loaded();
    const std::vector<std::string> before = names(OrderList::Order);
    EXPECT_THROW(order.loadOrderingTeam({"丙", "丙二", "\\L\\team03.txt"}), LeagueError);
    // An old-layout file (no "Team") is neither loaded nor copied.
    test::writeCp932(dir.file("L/team03.txt"), "[丙1]\n最終=3\n");
    EXPECT_THROW(order.loadOrderingTeam({"丙", "丙二", "\\L\\team03.txt"}), LeagueError);
    EXPECT_FALSE(fileExists(dir.file("L/team03.tvl")));
    EXPECT_EQ(names(OrderList::Order), before);
    EXPECT_EQ(order.copyPath(), league.copyFile);
}

TEST_F(OpeningOrderTest, DropsSwapWithinTheOrderAndRefuseMixingPitchersAndBatters) {
    loaded();
    // A starter (先2) dropped onto the first closer (抑1): both take their new slots' labels.
    ASSERT_TRUE(order.drop(OrderList::Order, 17, 26).accepted);
    EXPECT_EQ(row(OrderList::Order, 26).name, "甲17");
    EXPECT_EQ(row(OrderList::Order, 26).label, "抑1");
    EXPECT_EQ(row(OrderList::Order, 17).name, "甲26");
    EXPECT_EQ(row(OrderList::Order, 17).label, "先2");
    EXPECT_EQ(row(OrderList::Order, 17).slot, 17);

    const std::vector<std::string> before = names(OrderList::Order);
    OrderOutcome refused = order.drop(OrderList::Order, 20, 3);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.status, kDropTypeStatus);
    EXPECT_FALSE(order.drop(OrderList::Other, 3, 20).accepted);
    EXPECT_EQ(names(OrderList::Order), before);
    EXPECT_TRUE(order.rows(OrderList::Unsigned).empty());
}

TEST_F(OpeningOrderTest, APlayerTakenFromTheOtherTeamCanBeTakenTwice) {
    loaded();
    ASSERT_TRUE(order.drop(OrderList::Other, 16, 20).accepted);
    ASSERT_TRUE(order.drop(OrderList::Other, 16, 21).accepted);
    EXPECT_EQ(row(OrderList::Order, 20).name, "乙16");
    EXPECT_EQ(row(OrderList::Order, 21).name, "乙16");
    EXPECT_EQ(row(OrderList::Order, 21).label, "先6");
    EXPECT_EQ(row(OrderList::Order, 21).origin, "乙");
    EXPECT_EQ(row(OrderList::Other, 16).name, "乙16");
    EXPECT_EQ(names(OrderList::Unsigned), (std::vector<std::string>{"甲20", "甲21"}));
    EXPECT_EQ(row(OrderList::Unsigned, 0).slot, -1);
    // His record is copied into the ordering store and the scratch store.
    EXPECT_EQ(order.orderingStore().value("乙16", "0002所属"), "乙");
    EXPECT_EQ(order.scratchStore().value("乙16", "最終"), "3");
    EXPECT_EQ(order.highlight(OrderList::Order, row(OrderList::Order, 20)), RowHighlight::Down);
}

TEST_F(OpeningOrderTest, ADisplacedPlayerLeavesTheCopyUnlessHeIsBackInTheOrder) {
    loaded();
    ASSERT_TRUE(order.addNewcomer(NewcomerKind::Rookie, "P 新人一 右 中 147 E D C 4 D C 4 298 18")
                    .accepted);
    ASSERT_TRUE(order.drop(OrderList::Other, 16, 20).accepted); // 甲20 displaced
    ASSERT_TRUE(order.drop(OrderList::Other, 17, 21).accepted); // 甲21 displaced
    // 甲21 comes back (onto the newcomer's future slot 22, displacing 甲22).
    ASSERT_TRUE(order.drop(OrderList::Unsigned, 2, 22).accepted);
    EXPECT_EQ(names(OrderList::Unsigned), (std::vector<std::string>{"新人一", "甲20", "甲22"}));
    order.write();
    IniStore copy = IniStore::load(league.copyFile);
    EXPECT_FALSE(copy.hasSection("甲20"));
    EXPECT_FALSE(copy.hasSection("甲22"));
    EXPECT_TRUE(copy.hasSection("甲21"));
    EXPECT_TRUE(copy.hasSection("乙16"));
    EXPECT_FALSE(copy.hasSection("新人一")); // not in the order: only in the scratch store
    EXPECT_EQ(order.scratchStore().value("新人一", "最終"), "3");

    // Put back after the write, 甲20 is written again with his history.
    ASSERT_TRUE(order.drop(OrderList::Unsigned, 1, 23).accepted);
    order.write();
    EXPECT_EQ(onDisk("Team", "23"), "P 甲20");
    EXPECT_EQ(onDisk("甲20", "0002所属"), "甲");
}

TEST_F(OpeningOrderTest, PositionsAreSetOnFieldersOnly) {
    loaded();
    ASSERT_TRUE(order.setPosition(9, "D").accepted);
    EXPECT_EQ(row(OrderList::Order, 9).position, "D");
    OrderOutcome refused = order.setPosition(16, "2");
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.status, kPitcherPositionStatus);
    EXPECT_EQ(row(OrderList::Order, 16).position, "P");
}

TEST_F(OpeningOrderTest, IncompletePositionsAreReportedAndTheCopyIsStillWritten) {
    loaded();
    EXPECT_EQ(order.write().status, kPositionsOkStatus);
    setAllPositions({{8, "9"}}); // slot 7 already holds "9"
    ASSERT_TRUE(order.drop(OrderList::Order, 0, 1).accepted);
    OrderOutcome written = order.write();
    EXPECT_TRUE(written.accepted);
    EXPECT_EQ(written.status, kPositionsNgStatus);
    EXPECT_EQ(onDisk("Team", "8"), "9 甲8");
    EXPECT_EQ(onDisk("Team", "0"), "3 甲1");
    EXPECT_EQ(onDisk("Team", "1"), "2 甲0");
}

TEST_F(OpeningOrderTest, ManagerGridCheckAndTheFixedWidthManagerLines) {
    loaded();
    ManagerGrid& grid = order.managers();
    EXPECT_EQ(grid.cell(0, 0), "監督甲");
    EXPECT_EQ(grid.cell(0, 1), "+1");
    grid.setCell(0, 0, "");
    grid.setCell(0, 1, "1");
    grid.setCell(0, 2, "3");
    grid.setCell(1, 9, "2");
    OrderOutcome checked = order.checkManagers();
    EXPECT_EQ(checked.status, kAttributeRangeStatus);
    EXPECT_EQ(grid.cell(0, 0), "監督甲");
    EXPECT_EQ(grid.cell(0, 1), "+1");
    EXPECT_FALSE(grid.invalid(0, 1));
    EXPECT_EQ(grid.cell(0, 2), "0");
    EXPECT_TRUE(grid.invalid(0, 2));
    EXPECT_EQ(grid.cell(1, 9), "+2");

    grid.setCell(0, 2, "-2");
    EXPECT_EQ(order.checkManagers().status, "");
    EXPECT_FALSE(grid.invalid(0, 2));
    // A name with a blank would shift every attribute of the line by one field.
    grid.setCell(1, 0, "山田 太郎");
    EXPECT_EQ(order.checkManagers().status, kManagerNameStatus);
    EXPECT_EQ(grid.cell(1, 0), "二軍監督甲");
    EXPECT_TRUE(grid.invalid(1, 0));
    grid.setCell(1, 0, "ABCDEFGHIJKLMNOPQRS"); // longer than the column: not cut

    grid.setCell(0, 0, "八文字の監督名前"); // fills the 16-byte column exactly
    order.write();
    // Bytes as the game reads them: the name column is 16 bytes of cp932 text.
    const std::string bytes = test::readBytes(league.copyFile);
    EXPECT_NE(
        bytes.find(encodeCp932("1軍監督=  八文字の監督名前 +1 -2 -1 +2 -2  0  0  0  0 \r\n", "")),
        std::string::npos);
    EXPECT_NE(bytes.find(
                  encodeCp932("2軍監督=  ABCDEFGHIJKLMNOPQRS  0  0  0  0  0  0  0  0 +2 \r\n", "")),
              std::string::npos);
    grid.setCell(1, 0, "監督");
    order.write();
    EXPECT_EQ(onDisk("Team", "2軍監督"),
              "  監督" + std::string(12, ' ') + "  0  0  0  0  0  0  0  0 +2 ");
}

TEST_F(OpeningOrderTest, NewcomerLinesAreCheckedByTheTeamsTool) {
    struct Case {
        std::optional<ToolVariant> tool;
        std::string line;
        bool accepted;
    };
    constexpr ToolVariant kMirel = ToolVariant::Mirel;
    constexpr ToolVariant kStandard = ToolVariant::Standard;
    const std::string shortFielder =
        "- 新人 右 長 D C E A A A A D E E D D B 3 2 259 ; 25 B D C E"; // 26 fields
    const Case cases[] = {
        {kMirel, kMirelPitcher, true},
        {kMirel, kMirelFielder, true},
        {kMirel, kStandardPitcher, false},                                  // no ";" as field 14
        {kMirel, "P 新人 右 中 147 E D C 4 D C 4 298 ; 18 B B D E", false}, // 19 fields
        {kMirel, shortFielder, false},
        {kMirel, "D 新人 右 長 D C E A A A A D E E D D B 3 2 259 ; 25 B D C E D D E", false},
        {kStandard, kStandardPitcher, true},
        {kStandard, kMirelFielder, true},
        {kStandard, "7 新人 右 長 D C E A A A A D E E D D B 3 2 259 25 B D C E D D E", false},
        {kStandard, "P 新人 右 中 147 E D C 4 D C", false}, // no whole ability part
        {std::nullopt, kMirelPitcher, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptedNewcomerLine(c.tool, c.line).has_value(), c.accepted)
            << (c.tool ? toolVariantText(*c.tool) : "none") << ": " << c.line;
}

TEST_F(OpeningOrderTest, ANewcomerGetsAPlaceholderRecordAndARowOfHisKind) {
    EXPECT_EQ(order.addNewcomer(NewcomerKind::Rookie, kStandardPitcher).status, kChooseTeamStatus);
    loaded();
    EXPECT_EQ(order.addNewcomer(NewcomerKind::Rookie, "   ").status, "");
    EXPECT_EQ(order.addNewcomer(NewcomerKind::Foreign, "D" + kMirelFielder.substr(1)).status,
              kUnsuitableLineStatus);
    OrderOutcome entered = order.addNewcomer(NewcomerKind::Foreign, kStandardPitcher);
    EXPECT_EQ(entered.status, kStandardPitcher);
    const OrderRow& r = row(OrderList::Unsigned, 0);
    EXPECT_EQ(r.name + r.position + r.label + r.origin, "新人P外新外人");
    EXPECT_FALSE(r.batterIcon);

    std::string record;
    for (const IniLine& line : order.scratchStore().section("新人")->lines())
        record.append(line.key).append("=").append(line.value).append("\n");
    EXPECT_EQ(record, "新規=3\n最終=3\nツール=標準\nコメント=\n投手=1\n"
                      "通算成績=0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00\n"
                      "0003能力=P 新人             右 中  147  E  D  C  4  D  C   4  298 \n"
                      "0003資質=B B D E B D C \n0003成績=\n0003所属=\n");

    ASSERT_TRUE(
        order.addNewcomer(NewcomerKind::Rookie, "- 新人二 右 長 D C E A A A A D E E D D B 3 2 259")
            .accepted);
    EXPECT_EQ(order.scratchStore().value("新人二", "通算成績"),
              "0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00");
    EXPECT_EQ(order.scratchStore().value("新人二", "投手"), "0");
    EXPECT_EQ(row(OrderList::Unsigned, 1).origin, "新人");
}

TEST_F(OpeningOrderTest, ANewcomerNamedLikeAKnownPlayerIsRefused) {
    loaded();
    ASSERT_TRUE(order.drop(OrderList::Other, 16, 20).accepted);
    const std::string history = order.orderingStore().value("甲5", "0002所属");
    for (const std::string name : {"甲5", "乙16", "team"}) {
        OrderOutcome refused =
            order.addNewcomer(NewcomerKind::Rookie, "P " + name + " 右 中 147 E D C 4 D C 4 298");
        EXPECT_FALSE(refused.accepted) << name;
        EXPECT_NE(refused.status.find(name), std::string::npos) << refused.status;
    }
    ASSERT_TRUE(order.addNewcomer(NewcomerKind::Rookie, kStandardPitcher).accepted);
    EXPECT_FALSE(order.addNewcomer(NewcomerKind::Foreign, kStandardPitcher).accepted);
    EXPECT_EQ(order.orderingStore().value("甲5", "0002所属"), history);
    EXPECT_EQ(order.orderingStore().value("甲5", "新規"), "1");
    EXPECT_EQ(names(OrderList::Unsigned), (std::vector<std::string>{"甲20", "新人"}));
}

TEST_F(OpeningOrderTest, APlacedNewcomerIsWrittenWithHisRecord) {
    loaded();
    ASSERT_TRUE(order.addNewcomer(NewcomerKind::Rookie, kStandardPitcher).accepted);
    ASSERT_TRUE(order.drop(OrderList::Unsigned, 0, 27).accepted);
    EXPECT_EQ(row(OrderList::Order, 27).label, "抑2");
    EXPECT_EQ(row(OrderList::Order, 27).origin, "新人");
    order.write();
    EXPECT_EQ(onDisk("Team", "27"), "P 新人");
    EXPECT_EQ(onDisk("新人", "0003資質"), "B B D E B D C ");
}

TEST_F(OpeningOrderTest, AFailedWriteLeavesTheCopyAndTheOrderAsTheyWere) {
    loaded();
    ASSERT_TRUE(order.drop(OrderList::Other, 16, 20).accepted);
    const std::string before = test::readBytes(league.copyFile);
    WriteFaults::reset();
    WriteFaults::failWrite(1);
    EXPECT_THROW(order.write(), LeagueError);
    EXPECT_EQ(test::readBytes(league.copyFile), before);
    EXPECT_TRUE(order.orderingStore().hasSection("甲20"));
    EXPECT_FALSE(order.scratchStore().hasSection("甲20"));
    WriteFaults::reset();
    order.write();
    EXPECT_FALSE(IniStore::load(league.copyFile).hasSection("甲20"));
}

TEST_F(OpeningOrderTest, RowsOfTheOrderingClubAreDrawnNormally) {
    loaded();
    auto highlight = [&](OrderList list, std::string origin) {
        OrderRow r{"名", "P", "先1", std::move(origin), 16, false};
        return order.highlight(list, r);
    };
    EXPECT_EQ(highlight(OrderList::Order, "甲"), RowHighlight::Normal);
    EXPECT_EQ(highlight(OrderList::Order, "甲二"), RowHighlight::Normal);
    EXPECT_EQ(highlight(OrderList::Order, "新規加入"), RowHighlight::Up);
    EXPECT_EQ(highlight(OrderList::Order, "新外人"), RowHighlight::Up);
    EXPECT_EQ(highlight(OrderList::Order, "新人"), RowHighlight::Down);
    EXPECT_EQ(highlight(OrderList::Other, "新外人"), RowHighlight::Down);
    EXPECT_EQ(highlight(OrderList::Other, "新規加入"), RowHighlight::Up);
    EXPECT_EQ(highlight(OrderList::Other, "乙"), RowHighlight::Down);
}
