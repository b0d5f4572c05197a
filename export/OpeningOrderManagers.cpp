// Manager grid: loading, the attribute check and the manager lines.
#include "export/OpeningOrderManagers.h"

#include "league/Kyoutuu.h"
#include "league/Numbers.h"
#include "league/TeamFile.h"
#include "league/TextCompare.h"

namespace tenvoll {

namespace {

constexpr std::string_view kAttributeValues[] = {"-2", "-1", "0", "+1", "+2"};
constexpr std::size_t kAttributeWidth = 2;

std::string storedManager(const IniStore& team, int row) {
    return team.value(kTeamSection, kManagerKeys[row], kMissingManager);
}

// The manager line is read back field by field: the name must stay one field.
bool isOneField(std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"')
            return false;
    return true;
}

bool isAttributeValue(std::string_view v) {
    for (std::string_view a : kAttributeValues)
        if (equalsIgnoreCase(a, v))
            return true;
    return false;
}

} // namespace

void ManagerGrid::load(const IniStore& team) {
    for (int r = 0; r < kManagerRows; ++r) {
        const std::vector<std::string> fields = splitFields(storedManager(team, r));
        for (int c = 0; c < kManagerColumns; ++c) {
            const auto i = static_cast<std::size_t>(c);
            cells_[r][i] = i < fields.size() ? fields[i] : std::string();
            invalid_[r][i] = false;
        }
    }
}

const std::string& ManagerGrid::cell(int row, int column) const {
    return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void ManagerGrid::setCell(int row, int column, std::string text) {
    cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = std::move(text);
}

bool ManagerGrid::invalid(int row, int column) const {
    return invalid_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

std::string ManagerGrid::check(const IniStore& team) {
    std::string status;
    for (int r = 0; r < kManagerRows; ++r) {
        auto& row = cells_[static_cast<std::size_t>(r)];
        const bool nameValid = isOneField(row[0]);
        if (row[0].empty() || !nameValid) {
            const std::vector<std::string> stored = splitFields(storedManager(team, r));
            row[0] = stored.empty() ? std::string() : stored.front();
        }
        invalid_[static_cast<std::size_t>(r)][0] = !nameValid;
        if (!nameValid)
            status = kManagerNameStatus;
        for (std::size_t c = 1; c < kManagerColumns; ++c) {
            std::string& v = row[c];
            if (v == "1" || v == "2")
                v = "+" + v;
            const bool valid = isAttributeValue(v);
            if (!valid) {
                v = "0";
                status = kAttributeRangeStatus;
            }
            invalid_[static_cast<std::size_t>(r)][c] = !valid;
        }
    }
    return status;
}

std::string ManagerGrid::line(int row) const {
    const auto& cells = cells_.at(static_cast<std::size_t>(row));
    std::string out = "  " + padToWidth(cells[0], kManagerNameWidth, true) + " ";
    for (std::size_t c = 1; c < kManagerColumns; ++c)
        out += padToWidth(cells[c], kAttributeWidth, false) + " ";
    return out;
}

} // namespace tenvoll
