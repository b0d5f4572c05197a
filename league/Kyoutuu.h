// Shared helpers of the league files: comma-and-blank field splitting, the
// ability and aptitude texts of a game player line, grade ranks, per-term key
// names and the career totals of statistics lines.
#pragma once

#include "league/TextCodec.h"

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

// Splits a line: blanks (and control characters) and commas separate fields,
// double quotes group (a doubled quote inside stands for one), two commas
// enclose an empty field and a comma at the very end adds a final empty field.
std::vector<std::string> splitFields(std::string_view line);

// The same split without copies: calls `visit(field)` (a std::string_view) for
// every field in order until it returns false. An unquoted field is a view of
// `line`; a quoted one is unquoted into `scratch` and valid only during the call.
template <class Visit>
void forEachField(std::string_view line, std::string& scratch, Visit&& visit) {
    auto separates = [](char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; };
    const std::size_t n = line.size();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < n && separates(line[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string_view field;
        if (line[i] == '"') {
            scratch.clear();
            for (++i; i < n; ++i) {
                if (line[i] != '"') {
                    scratch += line[i];
                } else if (i + 1 < n && line[i + 1] == '"') {
                    scratch += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            field = scratch;
        } else {
            std::size_t start = i;
            while (i < n && !separates(line[i]) && line[i] != ',')
                ++i;
            field = line.substr(start, i - start);
        }
        if (!visit(field))
            return;
        skipBlanks();
        if (i < n && line[i] == ',') {
            if (i + 1 == n) {
                visit(std::string_view());
                return;
            }
            ++i;
            skipBlanks();
        }
    }
}

// Calls `visit(field)` for every field of at least `minLength` bytes in every
// line of `text` (lines as splitLines splits them, each as splitFields does).
// Without a double quote in the text, line ends separate fields like blanks, so
// the whole text is searched at once, and a stretch of `minLength` bytes is
// tested from its end: the last separator in it is where the next field may
// start, so short fields are passed over without reading each of their bytes.
template <class Visit>
void forEachLongField(std::string_view text, std::size_t minLength, std::string& scratch,
                      Visit&& visit) {
    if (minLength == 0 || text.find('"') != std::string_view::npos) {
        forEachLine(text, [&](std::string_view line) {
            forEachField(line, scratch, [&](std::string_view field) {
                if (field.size() >= minLength)
                    visit(field);
                return true;
            });
        });
        return;
    }
    auto separates = [](char c) {
        return (static_cast<unsigned char>(c) <= ' ' && c != '\0') || c == ',';
    };
    const std::size_t n = text.size();
    std::size_t start = 0;   // a field may start here: the text's start or after a separator
    std::size_t checked = 0; // [start, checked) holds no separator
    while (start + minLength <= n) {
        std::size_t j = start + minLength;
        while (j > checked && !separates(text[j - 1]))
            --j;
        if (j > checked) {
            start = checked = j; // too short: the next field starts after text[j - 1]
            continue;
        }
        std::size_t end = start + minLength;
        while (end < n && !separates(text[end]))
            ++end;
        visit(text.substr(start, end - start));
        start = checked = end + 1;
    }
}

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
