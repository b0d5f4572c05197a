// The opening-order model: loading, drops, positions, newcomers, managers, write.
#include "export/OpeningOrder.h"

#include "export/OpeningOrderSlots.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"

#include <filesystem>
#include <unordered_set>

namespace tenvoll {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kForeignOrigin = "新外人";

// The copy is current when it exists and is not older than the team file.
bool copyIsCurrent(const std::string& copy, const std::string& team) {
    std::int64_t copyTime = 0, teamTime = 0;
    return platform::modificationTime(copy, copyTime) &&
           platform::modificationTime(team, teamTime) && copyTime >= teamTime;
}

// Which file, changed when: another writer (a term update) in between shows.
std::string teamFileStamp(const std::string& path) {
    std::int64_t time = 0;
    if (!platform::modificationTime(path, time))
        return {};
    return fileIdentity(path) + "@" + std::to_string(time);
}

void requireTeamFile(const IniStore& store, const std::string& path, bool copy = false) {
    if (isTeamFile(store))
        return;
    if (copy)
        throw LeagueError("来期用ファイル (.tvl) がチームファイルの形式ではありません。", path);
    throw LeagueError("チームファイルの形式ではありません。メイン画面で一度開いて変換してから"
                      "選んでください。",
                      path);
}

std::string teamFilePath(const std::string& programFolder, const LeagueEntry& team) {
    const std::string path = resolvePath(joinProgramFolder(programFolder, team.path));
    if (!entryPresent(path))
        throw LeagueError("ファイルが存在しません！", path);
    return path;
}

// Every key of `name`'s section in `from` set into the same section of `to`.
void copyKeys(const IniStore& from, IniStore& to, std::string_view name) {
    const IniSection* source = from.section(name);
    if (!source)
        return;
    IniSection& target = to.ensureSection(source->name());
    for (const IniLine& line : source->lines())
        if (!line.raw)
            target.set(line.key, line.value);
}

void appendCopy(IniStore& to, const IniSection& section) {
    IniSection& copy = to.appendSection(section.name());
    for (const IniLine& line : section.lines()) {
        if (line.raw)
            copy.appendRaw(line.key);
        else
            copy.append(line.key, line.value);
    }
}

bool isPitcherRow(const OrderRow& row) {
    return isPitcherCode(row.position);
}

} // namespace

std::vector<OrderTeam> orderTeams(const Settings& settings, std::string_view league) {
    std::vector<OrderTeam> teams;
    const long long count = settings.teamCount(league);
    for (long long i = 0; i < count; ++i) {
        const std::vector<std::string> f = settings.entryFields(league, i);
        if (f.size() < 3 || f[2].empty())
            continue;
        teams.push_back({i, {f[0], f[1], f[2]}});
    }
    return teams;
}

std::string originOf(const IniStore& store, std::string_view player) {
    if (player.empty())
        return {};
    const IniSection* s = store.section(player);
    if (!s)
        return std::string(kJoinedOrigin);
    const PlayerRecord record(*s);
    if (record.lastTerm() == record.firstTerm())
        return std::string(kJoinedOrigin);
    return record.termValue(record.lastTerm() - 1, kAffiliation);
}

OpeningOrder::OpeningOrder(std::string programFolder) : programFolder_(std::move(programFolder)) {
    const std::string scratch = resolvePath(joinPath(programFolder_, kScratchFileName));
    if (fileExists(scratch)) {
        try {
            scratch_ = IniStore::load(scratch);
        } catch (const LeagueError&) {
            // An unreadable left-over only means no prepared records.
            scratch_.clear();
        }
    }
}

std::vector<OrderRow> OpeningOrder::readRows(const IniStore& store) const {
    std::vector<OrderRow> rows;
    rows.reserve(kSlotCount);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        OrderRow row;
        if (auto s = rosterSlot(store, slot)) {
            row.position = s->position;
            row.name = s->name;
        }
        row.origin = originOf(store, row.name);
        row.slot = slot;
        row.label = orderLabel(slot);
        row.batterIcon = isBatterSlot(slot);
        rows.push_back(std::move(row));
    }
    return rows;
}

OpeningOrder::LoadResult OpeningOrder::loadOrderingTeam(const LeagueEntry& team) {
    const std::string teamPath = teamFilePath(programFolder_, team);
    const std::string copyPath = resolvePath(nextSeasonCopyPath(teamPath));
    LoadResult result;
    IniStore store;
    std::string stamp;
    bool loaded = false;
    {
        // Compared and read under one lock, so no writer comes in between.
        FolderLock lock = FolderLock::acquire(programFolder_, FolderLock::Mode::Shared);
        if (copyIsCurrent(copyPath, teamPath)) {
            store = IniStore::load(copyPath);
            requireTeamFile(store, copyPath, true);
            stamp = teamFileStamp(teamPath);
            loaded = true;
        }
    }
    if (!loaded) {
        FolderLock lock = FolderLock::acquire(programFolder_, FolderLock::Mode::Exclusive);
        store = IniStore::load(teamPath);
        requireTeamFile(store, teamPath);
        store.save(copyPath);
        stamp = teamFileStamp(teamPath);
        result.message = kCopyCreatedMessage;
    }
    teamStamp_ = stamp;
    teamPath_ = teamPath;

    ordering_ = std::move(store);
    copyPath_ = copyPath;
    orderingTeam_ = team;
    tool_ = parseToolVariant(
        ordering_.value(kTeamSection, kToolKey, toolVariantText(ToolVariant::Standard)));
    order_ = readRows(ordering_);
    const IniSection* first = ordering_.section(order_.front().name);
    term_ = first ? PlayerRecord(*first).lastTerm() : 0;
    managers_.load(ordering_);
    return result;
}

void OpeningOrder::loadOtherTeam(const LeagueEntry& team) {
    const std::string path = teamFilePath(programFolder_, team);
    IniStore store;
    {
        FolderLock lock = FolderLock::acquire(programFolder_, FolderLock::Mode::Shared);
        store = IniStore::load(path);
    }
    requireTeamFile(store, path);
    other_ = std::move(store);
    otherPath_ = path;
    otherRows_ = readRows(other_);
}

std::string OpeningOrder::title() const {
    if (!hasOrderingTeam())
        return std::string(kOpeningOrderTitle);
    return termText(term_) + std::string(kTitleSuffix);
}

const std::vector<OrderRow>& OpeningOrder::rows(OrderList list) const {
    switch (list) {
    case OrderList::Order:
        return order_;
    case OrderList::Other:
        return otherRows_;
    case OrderList::Unsigned:
        break;
    }
    return unsigned_;
}

RowHighlight OpeningOrder::highlight(OrderList list, const OrderRow& row) const {
    if (list == OrderList::Unsigned || row.name.empty() ||
        equalsIgnoreCase(row.origin, orderingTeam_.firstTeam) ||
        (!orderingTeam_.farmTeam.empty() && equalsIgnoreCase(row.origin, orderingTeam_.farmTeam)))
        return RowHighlight::Normal;
    if (row.origin == kJoinedOrigin || (list == OrderList::Order && row.origin == kForeignOrigin))
        return RowHighlight::Up;
    return RowHighlight::Down;
}

void OpeningOrder::relabelOrder() {
    for (OrderRow& row : order_)
        row.label = orderLabel(row.slot);
}

OrderOutcome OpeningOrder::drop(OrderList source, int sourceRow, int targetRow) {
    const std::vector<OrderRow>& from = rows(source);
    if (order_.empty() || targetRow < 0 || targetRow >= static_cast<int>(order_.size()) ||
        sourceRow < 0 || sourceRow >= static_cast<int>(from.size()))
        return {false, {}};
    OrderRow incoming = from[static_cast<std::size_t>(sourceRow)];
    OrderRow& target = order_[static_cast<std::size_t>(targetRow)];
    if (isPitcherRow(incoming) != isPitcherRow(target))
        return {false, std::string(kDropTypeStatus)};

    if (source == OrderList::Order) {
        if (sourceRow == targetRow)
            return {};
        // The two rows exchange slots; the list stays in slot order.
        OrderRow& other = order_[static_cast<std::size_t>(sourceRow)];
        std::swap(incoming.slot, target.slot);
        other = std::move(target);
        target = std::move(incoming);
    } else {
        OrderRow displaced = target;
        displaced.slot = -1;
        unsigned_.push_back(std::move(displaced));
        incoming.slot = target.slot;
        target = std::move(incoming);
        if (source == OrderList::Unsigned) {
            copyKeys(scratch_, ordering_, target.name);
            unsigned_.erase(unsigned_.begin() + sourceRow);
        } else {
            copyKeys(other_, scratch_, target.name);
            copyKeys(other_, ordering_, target.name);
        }
    }
    relabelOrder();
    return {};
}

OrderOutcome OpeningOrder::setPosition(int row, std::string_view code) {
    if (row < 0 || row >= static_cast<int>(order_.size()) || !isSettablePosition(code))
        return {false, {}};
    OrderRow& r = order_[static_cast<std::size_t>(row)];
    if (isPitcherRow(r))
        return {false, std::string(kPitcherPositionStatus)};
    r.position = code;
    return {};
}

OrderOutcome OpeningOrder::canEnterNewcomer() const {
    if (!hasOrderingTeam())
        return {false, std::string(kChooseTeamStatus)};
    return {};
}

OrderOutcome OpeningOrder::addNewcomer(NewcomerKind kind, std::string_view line) {
    OrderOutcome allowed = canEnterNewcomer();
    if (!allowed.accepted)
        return allowed;
    if (splitFields(line).empty())
        return {};
    const auto fields = acceptedNewcomerLine(tool_, line);
    if (!fields)
        return {false, std::string(kUnsuitableLineStatus)};
    const std::string& name = (*fields)[1];
    // A placeholder record must never replace the history of a player of that name.
    if (ordering_.hasSection(name) || scratch_.hasSection(name))
        return {false, "「" + name +
                           "」は既に記録のある選手の名前です。別の名前で入力して"
                           "ください。"};

    writeNewcomerRecord(scratch_.appendSection(name), *fields, term_, *tool_);
    const bool pitcher = isPitcherCode((*fields)[0]);
    const NewcomerTexts& texts = newcomerTexts(kind);
    unsigned_.push_back({name, std::string(pitcher ? kPitcherCode : kBenchCode),
                         std::string(texts.label), std::string(texts.origin), -1, !pitcher});
    return {true, std::string(line)};
}

OrderOutcome OpeningOrder::checkManagers() {
    if (!hasOrderingTeam())
        return {false, {}};
    return {true, managers_.check(ordering_)};
}

OrderOutcome OpeningOrder::write() {
    if (!hasOrderingTeam())
        return {false, {}};
    std::vector<std::string> positions;
    for (const OrderRow& row : order_)
        positions.push_back(row.position);
    const bool complete = positionsComplete(positions);

    IniStore next = ordering_;
    IniSection& team = next.ensureSection(kTeamSection);
    std::unordered_set<std::string> names;
    for (const OrderRow& row : order_) {
        team.set(std::to_string(row.slot), row.position + " " + row.name);
        if (!row.name.empty())
            names.insert(foldCase(row.name));
    }
    auto leavesTheOrder = [&](const IniSection& s) {
        return !equalsIgnoreCase(s.name(), kTeamSection) && !names.contains(foldCase(s.name()));
    };
    std::vector<const IniSection*> leaving;
    for (std::size_t i = 0; i < ordering_.sectionCount(); ++i)
        if (leavesTheOrder(ordering_.sectionAt(i)))
            leaving.push_back(&ordering_.sectionAt(i));
    next.removeSectionsIf(leavesTheOrder);
    for (const OrderRow& row : order_)
        if (!row.name.empty() && !next.hasSection(row.name))
            copyKeys(scratch_, next, row.name);
    for (int r = 0; r < kManagerRows; ++r)
        team.set(kManagerKeys[r], managers_.line(r));

    {
        FolderLock lock = FolderLock::acquire(programFolder_, FolderLock::Mode::Exclusive);
        // The order was made from the team file as it was at loading: a copy
        // written after it changed (a term update) would be newer than the team
        // file yet a term behind, and the export would take it.
        if (teamFileStamp(teamPath_) != teamStamp_)
            throw LeagueError(std::string(kTeamFileChangedMessage), teamPath_);
        next.save(copyPath_);
    }
    // Players who left the order keep their records in the scratch store, so
    // one put back later is written with his history.
    for (const IniSection* s : leaving)
        if (!scratch_.hasSection(s->name()))
            appendCopy(scratch_, *s);
    ordering_ = std::move(next);
    return {true, std::string(complete ? kPositionsOkStatus : kPositionsNgStatus)};
}

} // namespace tenvoll
