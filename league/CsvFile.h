// The CSV files the program writes (roster panes, player history, ranking):
// one writer and the two messages every CSV command ends with.
#pragma once

#include <string>
#include <vector>

namespace tenvoll {

// What the CSV commands tell the user after writing, and when writing failed.
inline constexpr const char* kCsvSavedMessage = "CSVデータ保存終了！";
inline constexpr const char* kCsvNotSavedMessage = "CSVファイルを保存できませんでした。";

// Writes CSV lines as every CSV command of the program does: cp932, CR LF
// after each line, atomically (an existing file is replaced). A path naming a
// league file of `programFolder` is refused (checkOutputTarget).
void writeCsvLines(const std::string& programFolder, const std::string& path,
                   const std::vector<std::string>& lines);

} // namespace tenvoll
