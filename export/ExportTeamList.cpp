// The export team list: registry rows, slot assignment with unique slot
// labels, and the shared-direction column sort.
#include "export/ExportTeamList.h"

#include "league/Settings.h"
#include "league/TextCompare.h"

#include <algorithm>

namespace tenvoll {

namespace {

std::string slashesAsStored(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

} // namespace

const std::string& ExportRow::cell(int column) const {
    switch (column) {
    case kExportLabelColumn:
        return label;
    case kExportFirstColumn:
        return firstTeam;
    case kExportFarmColumn:
        return farmTeam;
    case kExportPathColumn:
        return path;
    default:
        return league;
    }
}

std::string exportLabel(int slotNumber, bool latest) {
    return std::string(latest ? kLatestLabel : kPreviousLabel) + std::to_string(slotNumber) +
           "番目";
}

std::string labelSlotPart(std::string_view label) {
    return removeAllIgnoreCase(removeAllIgnoreCase(label, kPreviousLabel), kLatestLabel);
}

std::vector<ExportRow> exportRegistryRows(const IniStore& settings) {
    Settings registry{std::string()};
    registry.ini() = settings;
    std::vector<ExportRow> rows;
    for (const std::string& league : settings.sectionNames()) {
        if (equalsIgnoreCase(league, kMainSection))
            continue;
        for (LeagueEntry& e : registry.entries(league))
            rows.push_back({league, std::string(kUnassignedLabel), std::move(e.firstTeam),
                            std::move(e.farmTeam), std::move(e.path), rows.size()});
    }
    return rows;
}

ExportTeamList::ExportTeamList(std::string programFolder, std::vector<ExportRow> rows)
    : programFolder_(std::move(programFolder)), rows_(std::move(rows)) {}

void ExportTeamList::assign(std::size_t row, int slotNumber, bool latest) {
    ExportRow& chosen = rows_.at(row);
    ExportSlot& slot = slots_.at(std::size_t(slotNumber - 1));
    slot = {chosen.path, latest, chosen.firstTeam};
    chosen.label = exportLabel(slotNumber, latest);
    // One label per slot: another row showing this slot goes back to "未". A row
    // moved to another slot keeps its old slot filled; only its label moves.
    const std::string slotPart = labelSlotPart(chosen.label);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (i != row && equalsIgnoreCase(labelSlotPart(rows_[i].label), slotPart))
            rows_[i].label = kUnassignedLabel;
}

void ExportTeamList::assignPrevious(std::size_t row, int slotNumber) {
    assign(row, slotNumber, false);
}

std::string ExportTeamList::assignLatest(std::size_t row, int slotNumber) {
    const ExportRow& chosen = rows_.at(row);
    if (!nextSeasonCopyExists(programFolder_, chosen.path))
        return chosen.firstTeam + "の開幕データはありませんでした";
    assign(row, slotNumber, true);
    return {};
}

void ExportTeamList::sort(const ExportSort& s) {
    std::stable_sort(rows_.begin(), rows_.end(), [&](const ExportRow& a, const ExportRow& b) {
        const int c = compareIgnoreCase(a.cell(s.column), b.cell(s.column));
        return s.descending ? c > 0 : c < 0;
    });
}

void ExportTeamList::clickColumn(int column, ExportSort& s) {
    s.descending = !s.descending;
    s.column = column;
    sort(s);
}

void ExportTeamList::sortForExport(ExportSort& s) {
    s.descending = false;
    s.column = kExportLabelColumn;
    sort(s);
}

long long ExportTeamList::findPath(std::string_view storedPath) const {
    const std::string wanted = slashesAsStored(storedPath);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (equalsIgnoreCase(slashesAsStored(rows_[i].path), wanted))
            return static_cast<long long>(i);
    return -1;
}

} // namespace tenvoll
