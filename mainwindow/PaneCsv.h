// CSV lines of a roster pane: the team's name, then every row of the four
// roster grids (header rows included) with each cell preceded by its mark
// ("△" rise, "▼" fall, empty otherwise; markedCsvField in league/GridCells.h).
#pragma once

#include "league/CsvFile.h"
#include "mainwindow/RosterRows.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

std::vector<std::string> rosterCsvLines(std::string_view teamName, const PaneContent& pane);

} // namespace tenvoll
