// Statistics marks: qualification, the six numbers of each key, and the two
// files they are written to.
#include "termupdate/StatsMarks.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/GameRules.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/StatsMarksFile.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"
#include "termupdate/TermInputs.h"

#include <algorithm>
#include <array>

namespace tenvoll {

namespace {

constexpr std::size_t kInningsField = 9;
constexpr std::size_t kAtBatsField = 4;

struct MarkKey {
    bool pitching;
    std::size_t field;
    bool qualified; // only players over the innings or at-bats threshold count
};

// The 30 keys in file order: pitching fields skip 10 (the outs), batting fields are 2-16.
constexpr std::array<MarkKey, 30> kMarkKeys = {{
    {true, 2, true},    {true, 3, false},   {true, 4, false},   {true, 5, false},
    {true, 6, false},   {true, 7, false},   {true, 8, false},   {true, 9, false},
    {true, 11, false},  {true, 12, false},  {true, 13, false},  {true, 14, false},
    {true, 15, false},  {true, 16, true},   {true, 17, true},   {false, 2, true},
    {false, 3, false},  {false, 4, false},  {false, 5, false},  {false, 6, false},
    {false, 7, false},  {false, 8, false},  {false, 9, false},  {false, 10, false},
    {false, 11, false}, {false, 12, false}, {false, 13, false}, {false, 14, false},
    {false, 15, true},  {false, 16, true},
}};
constexpr std::size_t kEarnedRunAverage = 0; // the one key whose best value is the lowest

struct StatsLine {
    std::vector<std::string> fields;
    long long qualification = 0;
    std::size_t index = 0; // line number in the file, from 0
};

// A whole number, or the number its digits make without the points (".312" is
// 312); 0 when even that is no number.
long long markValue(const std::string& field) {
    if (auto v = parseInteger(field))
        return *v;
    return parseWithoutPoints(field).value_or(0);
}

// Integer division of a signed 128-bit value rounded to the nearest, halves to even.
long long roundHalfEven(__int128 num, __int128 den) {
    __int128 q = num / den, r = num % den;
    if (r < 0) {
        q -= 1;
        r += den;
    }
    __int128 twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0)))
        q += 1;
    return static_cast<long long>(q);
}

// Hundredths in the shortest form: 28745 is "287.45", 28740 "287.4", 28700 "287".
std::string hundredthsText(long long hundredths) {
    std::string sign = hundredths < 0 ? "-" : "";
    unsigned long long v =
        static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    std::string text = sign + std::to_string(v / 100);
    unsigned long long frac = v % 100;
    if (frac == 0)
        return text;
    std::string digits = std::to_string(frac / 10) + std::to_string(frac % 10);
    if (digits.back() == '0')
        digits.pop_back();
    return text + "." + digits;
}

// best, mean, variance, tenth-highest, tenth-lowest, count; 0 for what does not exist.
std::string markRecord(std::vector<long long> values, bool lowestIsBest) {
    const std::size_t n = values.size();
    if (n == 0)
        return "0,0,0,0,0,0";
    std::sort(values.begin(), values.end(), std::greater<>());
    long long best = lowestIsBest ? values.back() : values.front();
    __int128 sum = 0, squares = 0;
    for (long long v : values) {
        sum += v;
        squares += static_cast<__int128>(v) * v;
    }
    const __int128 count = static_cast<__int128>(n);
    // mean = sum / n; variance = (n·Σx² − (Σx)²) / n², both exact before rounding
    long long mean = roundHalfEven(100 * sum, count);
    long long variance = roundHalfEven(100 * (count * squares - sum * sum), count * count);
    long long tenthHighest = n >= 10 ? values[9] : 0;
    long long tenthLowest = n >= 10 ? values[n - 10] : 0;
    return std::to_string(best) + "," + hundredthsText(mean) + "," + hundredthsText(variance) +
           "," + std::to_string(tenthHighest) + "," + std::to_string(tenthLowest) + "," +
           std::to_string(n);
}

// The batting and pitching lines with their qualification numbers read.
std::vector<StatsLine> readStatsLines(const std::vector<std::string>& lines,
                                      const std::string& file) {
    std::vector<StatsLine> out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> f = splitFields(lines[i]);
        if (f.size() != kBatterStatisticsFields && f.size() != kPitcherStatisticsFields)
            continue;
        bool pitching = f.size() == kPitcherStatisticsFields;
        std::size_t q = pitching ? kInningsField : kAtBatsField;
        auto qualification = parseInteger(f[q]);
        if (!qualification)
            throw LeagueError(file + " の " + std::to_string(i + 1) +
                                  " 行目: " + (pitching ? "投球回数" : "打数") +
                                  "の項目が整数ではないため、Top10の成績を計算できません。",
                              lines[i]);
        out.push_back({std::move(f), *qualification, i});
    }
    return out;
}

// The values of one key. A value beyond what the game writes is refused: the
// sums of squares would overflow and the record written would be garbage.
std::vector<long long> keyValues(const std::vector<StatsLine>& lines, const MarkKey& key,
                                 std::string_view keyName, long long threshold,
                                 const std::string& file) {
    std::vector<long long> values;
    const std::size_t width = statisticsFieldCount(key.pitching);
    for (const auto& line : lines) {
        if (line.fields.size() != width || line.qualification < threshold)
            continue;
        const std::string& field = line.fields[key.field];
        if (field.empty())
            continue;
        long long v = markValue(field);
        if (v > kNumberLimit || v < -kNumberLimit)
            throw LeagueError(file + " の " + std::to_string(line.index + 1) +
                                  " 行目: " + std::string(keyName) + "の値 " + field +
                                  " はゲームの成績としては大きすぎるため、Top10の成績を計算"
                                  "できません。",
                              joinFields(line.fields));
        values.push_back(v);
    }
    return values;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A file given on its own must hold statistics lines, and its last line must
// not have been cut off: marks computed from an empty or cut file would stand
// in seiseki.ini in front of the term's good ones.
void checkWholeStatisticsFile(std::string_view text, const std::vector<std::string>& lines,
                              const std::string& file) {
    std::size_t statsLines = 0;
    for (const auto& line : lines) {
        std::size_t n = splitFields(line).size();
        statsLines += n == kBatterStatisticsFields || n == kPitcherStatisticsFields ? 1 : 0;
    }
    if (statsLines == 0)
        throw LeagueError(file + " に成績の行がありません (空のファイルか、一軍成績のファイルでは"
                                 "ありません)。Top10の成績は計算しませんでした。");
    const bool endsWithLineEnd = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    if (!endsWithLineEnd && !lines.empty()) {
        std::size_t n = splitFields(lines.back()).size();
        if (n != 0 && n != kBatterStatisticsFields && n != kPitcherStatisticsFields)
            throw LeagueError(file + " の " + std::to_string(lines.size()) +
                                  " 行目が途中で切れています。ファイルが壊れている可能性が"
                                  "あります。Top10の成績は計算しませんでした。",
                              lines.back());
    }
}

} // namespace

std::vector<std::string> statsMarksSection(const std::vector<std::string>& lines,
                                           long long playedTerm, long long games,
                                           const std::string& fileForMessages) {
    std::vector<StatsLine> stats = readStatsLines(lines, fileForMessages);
    std::vector<std::string> section = {"[" + std::to_string(playedTerm) + "]"};
    for (std::size_t k = 0; k < kMarkKeys.size(); ++k) {
        const MarkKey& key = kMarkKeys[k];
        long long threshold = 0;
        if (key.qualified)
            threshold = key.pitching ? games : qualifyingAtBats(games);
        section.push_back(
            std::string(kStatsMarkKeys[k]) + "=" +
            markRecord(keyValues(stats, key, kStatsMarkKeys[k], threshold, fileForMessages),
                       k == kEarnedRunAverage));
    }
    return section;
}

std::string prependSection(std::string_view oldBytes, const std::vector<std::string>& section,
                           const std::string& pathForMessages) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    std::string text = joinCrlf(section);
    // A file kept in UTF-8 gets a UTF-8 section, so that it stays readable as a whole.
    if (oldBytes.starts_with(kBom) && isValidUtf8(oldBytes.substr(kBom.size())))
        return std::string(kBom) + text + std::string(oldBytes.substr(kBom.size()));
    if (!isAscii(oldBytes) && isValidUtf8(oldBytes))
        return text + std::string(oldBytes);
    return encodeCp932(text, pathForMessages) + std::string(oldBytes);
}

StatsMarksFiles statsMarksFiles(const std::vector<std::string>& section,
                                const std::string& programFolder, const std::string& leagueFolder) {
    StatsMarksFiles files;
    files.top10Path = joinProgramFolder(programFolder, kTop10Path);
    files.top10Text = joinCrlf(section);
    if (leagueFolder.empty())
        return files;
    files.seisekiPath = joinPath(leagueFolder, kStatsMarksFileName);
    files.seisekiExists = entryPresent(files.seisekiPath);
    if (files.seisekiExists)
        files.seisekiBytes =
            prependSection(readFileBytes(files.seisekiPath), section, files.seisekiPath);
    return files;
}

void stageStatsMarks(FileTransaction& transaction, const StatsMarksFiles& files) {
    transaction.stageText(files.top10Path, files.top10Text);
    if (files.seisekiExists)
        transaction.stageBytes(files.seisekiPath, files.seisekiBytes);
}

std::string statsMarksStatus(const std::string& file) {
    return containsIgnoreCase(file, kStatsFileMarker) ? file : std::string(kWrongFileKind);
}

std::vector<std::string> runStatsMarks(const StatsMarksInput& input, TermUpdateReporter& reporter) {
    FolderLock lock = FolderLock::acquire(input.programFolder, FolderLock::Mode::Exclusive);
    checkNewTerm(input.newTerm);
    checkGames(input.games);
    reporter.status(statsMarksStatus(input.file));
    std::string text = readTextFile(input.file);
    std::vector<std::string> lines = splitLines(text);
    checkWholeStatisticsFile(text, lines, input.file);
    std::vector<std::string> section =
        statsMarksSection(lines, input.newTerm - 1, input.games, input.file);
    reporter.status(std::string(kMarksDone));

    StatsMarksFiles files = statsMarksFiles(section, input.programFolder, input.leagueFolder);
    std::string temp = folderOf(files.top10Path);
    const bool newFolder = !folderExists(temp);
    if (newFolder)
        createFolders(temp);
    FileTransaction transaction;
    if (files.seisekiExists) {
        // Two files: journalled, so that a crash between the renames cannot
        // leave one new and one old.
        transaction.useJournal(input.programFolder,
                               "Top10の成績確認 (" + std::to_string(input.newTerm - 1) + "期)");
        if (newFolder)
            transaction.noteCreatedFolder(temp);
    }
    stageStatsMarks(transaction, files);
    transaction.commit();
    return section;
}

} // namespace tenvoll
