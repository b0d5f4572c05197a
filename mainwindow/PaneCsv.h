// CSV lines of a roster pane: the team's name, then every row of the four
// roster grids (header rows included) with each cell preceded by its mark
// ("△" rise, "▼" fall, empty otherwise; markedCsvField in mainwindow/GridCells.h).
#pragma once

#include "mainwindow/RosterRows.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

std::vector<std::string> rosterCsvLines(std::string_view teamName, const PaneContent& pane);

// What the CSV commands tell the user after writing, and when writing failed.
inline constexpr const char* kCsvSavedMessage = "CSVデータ保存終了！";
inline constexpr const char* kCsvNotSavedMessage = "CSVファイルを保存できませんでした。";

// Writes CSV lines as every CSV command of the program does: cp932, CR LF
// after each line, atomically (an existing file is replaced).
void writeCsvLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace tenvoll
