// The managers of the opening order: the first team's and the farm team's
// manager, each a name and nine tactical attributes from "-2" to "+2", as the
// editable grid holds them, its check and the fixed-width "Team" lines.
#pragma once

#include "league/IniStore.h"

#include <array>
#include <string>
#include <string_view>

namespace tenvoll {

inline constexpr int kManagerRows = 2;     // first team, farm team
inline constexpr int kManagerColumns = 10; // name and nine attributes
inline constexpr std::string_view kManagerKeys[kManagerRows] = {"1軍監督", "2軍監督"};
inline constexpr std::string_view kMissingManager = "ERROR";
inline constexpr std::string_view kManagerCaptions[kManagerColumns] = {
    "監督名",   "タイプ",       "投手交代", "選手起用",       "打順の組替え",
    "バント策", "エンドラン策", "盗塁策",   "エースの信頼度", "抑えの信頼度"};
inline constexpr std::string_view kAttributeRangeStatus = "-2～+2までの値を入力してください。";
inline constexpr std::string_view kManagerNameStatus =
    "監督名に空白、カンマ、引用符は使えません。元の監督名に戻しました。";
// Bytes of the name column of a manager line (as the game's name columns count).
inline constexpr std::size_t kManagerNameWidth = 16;

class ManagerGrid {
public:
    // Both rows from "Team"/"1軍監督" and "2軍監督" (missing: "ERROR"), split
    // into ten cells; the marks are cleared.
    void load(const IniStore& team);

    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);
    // True for an attribute cell the last check replaced.
    bool invalid(int row, int column) const;

    // The grid check of Enter: an empty name is refilled from the stored line,
    // "1"/"2" become "+1"/"+2", any other value outside -2..+2 becomes "0" and
    // is marked. A name that would split the manager line into more fields
    // (blanks, commas, quotes) is refilled and marked too. Returns the status
    // to show (empty when every value was valid).
    std::string check(const IniStore& team);

    // The "Team" value of one row: two blanks, the name padded to 16 cp932
    // bytes, one blank, then each attribute right-aligned in two bytes and
    // followed by one blank.
    std::string line(int row) const;

private:
    std::array<std::array<std::string, kManagerColumns>, kManagerRows> cells_{};
    std::array<std::array<bool, kManagerColumns>, kManagerRows> invalid_{};
};

} // namespace tenvoll
