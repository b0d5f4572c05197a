// A grid cell as the engines compute it (roster rows, history rows): its text
// and its mark, and how a column aligns its text. The marks are drawn in the
// highlight colours by the windows and written as "△"/"▼" into CSV files.
#pragma once

#include <string>
#include <string_view>

namespace tenvoll {

// The mark of a cell. The values are those the models hand to the delegate.
enum class Mark : int {
    None = 0,
    Up = 1,    // a rise, a good statistic, a player new in the next-season copy
    Down = -1, // a fall, a poor statistic, a player gone from the other file
    Career = 9 // the career-totals row of the player history
};

struct Cell {
    std::string text;
    Mark mark = Mark::None;
};

enum class CellAlign { Left, Center, Right };

// "," + "△," / "▼," / "," + text: one marked cell of a CSV line.
inline std::string markedCsvField(Mark mark, std::string_view text) {
    std::string field = mark == Mark::Down ? ",▼," : (mark == Mark::Up ? ",△," : ",,");
    field += text;
    return field;
}

} // namespace tenvoll
