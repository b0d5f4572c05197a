// Shared helpers of the league files: comma-and-blank field splitting, the
// ability and aptitude texts of a game player line, grade ranks, per-term key
// names and the career totals of statistics lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// Splits a line: blanks (and control characters) and commas separate fields,
// double quotes group (a doubled quote inside stands for one), two commas
// enclose an empty field and a comma at the very end adds a final empty field.
std::vector<std::string> splitFields(std::string_view line);

// A field written so that splitFields reads it back unchanged: in double quotes
// (inner quotes doubled) when it is empty or holds a blank, control character,
// comma or double quote; otherwise as it is.
std::string quoteField(std::string_view field);

// Fields joined by commas, each through quoteField: the form of a league
// registry entry ("球団名,ファーム球団名,ファイル名").
std::string joinQuotedFields(const std::vector<std::string>& fields);

// Fields [from, to) each followed by one blank.
std::string joinFields(const std::vector<std::string>& fields, std::size_t from = 0,
                       std::size_t to = std::string::npos);

// "S" 6, "A" 5, "B" 4, "C" 3, "D" 2, "E" 1, a whole number its value, otherwise 0.
long long gradeRank(std::string_view value);

enum class LineLayout { None, Batter, Pitcher };
// Layout of a player line by its position code: "-", "2" ... "9", "D" batter, "P" pitcher.
LineLayout abilityLayout(std::string_view positionCode);

// Fields a player line needs for its ability text (20 batter, 13 pitcher).
std::size_t abilityFieldCount(LineLayout layout);
// Index where the aptitude part starts (21 batter, 14 pitcher).
std::size_t aptitudeStart(bool pitcher);

// The ability text of a player line: fields 0-19 (batter) or 0-12 (pitcher)
// padded to the game's byte-width columns, each followed by one blank; empty
// for a line whose position code is neither. Throws LeagueError when the line
// has fewer fields than its layout.
std::string abilityText(const std::vector<std::string>& fields);

// The aptitude text: fields from 21 (batter) or 14 (pitcher) on, each followed by one blank.
std::string aptitudeText(const std::vector<std::string>& fields, bool pitcher);

// Per-term key: the term as "%.4d" followed by "能力", "資質", "成績" or "所属".
std::string termKey(long long term, std::string_view what);

inline constexpr std::string_view kAbility = "能力";
inline constexpr std::string_view kAptitude = "資質";
inline constexpr std::string_view kStats = "成績";
inline constexpr std::string_view kAffiliation = "所属";

// The career totals line of a player's non-empty statistics lines in term
// order: identification fields of the last line, summed counts, recomputed
// rates with two decimals, every field followed by one blank. Throws
// LeagueError when a count field is not a whole number or missing.
std::string careerTotals(const std::vector<std::string>& statisticsLines, bool pitcher);

} // namespace tenvoll
