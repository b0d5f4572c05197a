// The team list of the league export: one row per registered team of every
// league with its export label, the six export slots it fills, and the column
// sort whose direction is shared by all columns.
#pragma once

#include "export/LeagueExport.h"
#include "league/IniStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

enum ExportColumn {
    kExportLeagueColumn, // "機構名"
    kExportLabelColumn,  // "エクスポート形式"
    kExportFirstColumn,  // "一軍チーム名"
    kExportFarmColumn,   // "二軍チーム名"
    kExportPathColumn,   // "ファイルパス"
    kExportColumnCount
};

inline constexpr std::string_view kUnassignedLabel = "未";
inline constexpr std::string_view kPreviousLabel = "前期データ";
inline constexpr std::string_view kLatestLabel = "最新データ";

struct ExportRow {
    std::string league;
    std::string label{kUnassignedLabel};
    std::string firstTeam;
    std::string farmTeam;
    std::string path;   // stored path of the team file
    std::size_t id = 0; // registry order: identifies the row across sorts

    const std::string& cell(int column) const;
    bool assigned() const { return label != kUnassignedLabel; }
};

// "前期データ3番目" / "最新データ3番目".
std::string exportLabel(int slotNumber, bool latest);
// The label without "前期データ" and "最新データ" (ignoring case): "3番目", or "未".
std::string labelSlotPart(std::string_view label);

// Every team of every league section of the settings file, in file order.
std::vector<ExportRow> exportRegistryRows(const IniStore& settings);

// The sort of the list: the last clicked column and the direction flag that
// every column shares. It outlives the window.
struct ExportSort {
    int column = kExportLeagueColumn;
    bool descending = true; // so the first click sorts ascending
};

class ExportTeamList {
public:
    ExportTeamList(std::string programFolder, std::vector<ExportRow> rows);

    const std::vector<ExportRow>& rows() const { return rows_; }
    const ExportSlots& exportSlots() const { return slots_; }
    const ExportSlot& slot(int slotNumber) const { return slots_[std::size_t(slotNumber - 1)]; }

    // Puts the row's team into slot 1..6 with the data of the term before.
    void assignPrevious(std::size_t row, int slotNumber);
    // Puts the row's team into the slot with its latest data. When the team has
    // no next-season copy nothing changes and the status text is returned
    // (the first-team name and "の開幕データはありませんでした"); else empty.
    std::string assignLatest(std::size_t row, int slotNumber);

    // A click on a column header: toggles the shared direction, remembers the
    // column and sorts.
    void clickColumn(int column, ExportSort& sort);
    // The export's own order: ascending by the label column.
    void sortForExport(ExportSort& sort);
    void sort(const ExportSort& sort);

    // The row holding a stored path (ignoring case and the kind of slash), or -1.
    long long findPath(std::string_view storedPath) const;

private:
    void assign(std::size_t row, int slotNumber, bool latest);

    std::string programFolder_;
    std::vector<ExportRow> rows_;
    ExportSlots slots_;
};

} // namespace tenvoll
