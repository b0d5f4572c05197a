// A grid cell as the engines compute it: its text and its mark (+1 rise,
// -1 fall, 0 none, 9 career row), and how a column aligns its text.
#pragma once

#include <string>

namespace tenvoll {

struct Cell {
    std::string text;
    int mark = 0;
};

enum class CellAlign { Left, Center, Right };

} // namespace tenvoll
