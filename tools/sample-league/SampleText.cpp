// Texts of the sample: player lines, statistics lines and statistics marks.
#include "tools/sample-league/SampleText.h"

#include "league/Kyoutuu.h"
#include "league/Numbers.h"
#include "league/StatsMarksFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tenvoll::sample {

namespace {

const char* const kGrades[] = {"*", "E", "D", "C", "B", "A", "S"};
const char* const kBatSide[] = {"右", "左", "両"};
const char* const kBatterType[] = {"普", "長", "巧", "速"};
const char* const kThrowSide[] = {"右", "左"};
const char* const kPitcherType[] = {"先", "中", "抑"};

std::string grade(int g) {
    return kGrades[std::clamp(g, 0, 6)];
}

// A rate with three decimals as the game writes it: ".312", "1.000".
std::string rate3(long long num, long long den) {
    if (den <= 0)
        return ".000";
    long long thousandths = (num * 2000 + den) / (2 * den);
    char buf[32];
    if (thousandths < 1000)
        std::snprintf(buf, sizeof buf, ".%03lld", thousandths);
    else
        std::snprintf(buf, sizeof buf, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
    return buf;
}

std::vector<std::string> statsFields(const std::string& name, const std::string& team,
                                     bool pitching, const Counts& c) {
    auto n = [&](int i) { return std::to_string(c[std::size_t(i)]); };
    if (!pitching) {
        int bases = c[2] + c[3] + 2 * c[4] + 3 * c[5];
        return {name,
                team,
                rate3(c[2], c[1]),
                n(0),
                n(1),
                n(2),
                n(3),
                n(4),
                n(5),
                n(6),
                n(7),
                n(8),
                n(9),
                n(10),
                n(11),
                rate3(bases, c[1]),
                rate3(c[2] + c[8], c[1] + c[8])};
    }
    long long thirds = 3LL * c[6] + c[7];
    return {name,
            team,
            ratioTwoDecimals(27LL * c[12], thirds),
            n(0),
            n(1),
            n(2),
            n(3),
            n(4),
            n(5),
            n(6),
            n(7),
            n(8),
            n(9),
            n(10),
            n(11),
            n(12),
            rate3(c[2], c[2] + c[3]),
            ratioTwoDecimals(27LL * c[11], thirds)};
}

// ---- statistics marks --------------------------------------------------------

std::string shortNumber(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

double roundHalfEven2(double v) {
    return std::nearbyint(v * 100.0) / 100.0;
}

std::string markRecord(std::vector<long long> values, bool lowestBest) {
    if (values.empty())
        return "0,0,0,0,0,0";
    std::sort(values.begin(), values.end(), std::greater<>());
    long long best = lowestBest ? values.back() : values.front();
    double mean = 0;
    for (long long v : values)
        mean += double(v);
    mean /= double(values.size());
    double variance = 0;
    for (long long v : values)
        variance += (double(v) - mean) * (double(v) - mean);
    variance /= double(values.size());
    std::size_t n = values.size();
    long long tenthHigh = n >= 10 ? values[9] : 0;
    long long tenthLow = n >= 10 ? values[n - 10] : 0;
    return std::to_string(best) + "," + shortNumber(roundHalfEven2(mean)) + "," +
           shortNumber(roundHalfEven2(variance)) + "," + std::to_string(tenthHigh) + "," +
           std::to_string(tenthLow) + "," + std::to_string(n);
}

} // namespace

std::vector<std::string> gameLineFields(const Player& p, const Season& s,
                                        std::string_view position) {
    std::vector<std::string> f = {position.empty() ? p.position : std::string(position), p.name};
    const auto& a = s.ability;
    if (p.pitcher) {
        f.push_back(kThrowSide[a[2]]);
        f.push_back(kPitcherType[a[3]]);
        f.push_back(std::to_string(a[4]));
        for (int i = 5; i <= 10; ++i)
            f.push_back(i == 8 ? std::to_string(a[8]) : grade(a[std::size_t(i)]));
        f.push_back(std::to_string(a[11]));
        f.push_back(std::to_string(a[12]));
    } else {
        f.push_back(kBatSide[a[2]]);
        f.push_back(kBatterType[a[3]]);
        for (int i = 4; i <= 16; ++i)
            f.push_back(grade(a[std::size_t(i)]));
        for (int i = 17; i <= 19; ++i)
            f.push_back(std::to_string(a[std::size_t(i)]));
    }
    f.push_back(";");
    f.push_back(std::to_string(s.aptitude[0]));
    for (int i = 1; i < 8; ++i)
        f.push_back(grade(s.aptitude[std::size_t(i)]));
    return f;
}

std::string gameLine(const Player& p, const Season& s, std::string_view position) {
    std::vector<std::string> f = gameLineFields(p, s, position);
    return abilityText(f) + "; " + aptitudeText(f, p.pitcher);
}

std::string storedStatsLine(const std::string& name, const std::string& team, bool pitching,
                            const Counts& c) {
    return joinFields(statsFields(name, team, pitching, c));
}

std::string tableStatsLine(const std::string& name, const std::string& team, bool pitching,
                           const Counts& c) {
    std::vector<std::string> f = statsFields(name, team, pitching, c);
    if (pitching) {
        if (c[7] == 0)
            f.erase(f.begin() + 10);
        else
            f[10] = std::to_string(c[7]) + "/3";
    }
    return joinFields(f);
}

void appendStatsMarks(IniSection& section, const std::vector<std::string>& lines, int games) {
    std::vector<std::vector<std::string>> split;
    split.reserve(lines.size());
    for (const auto& l : lines)
        split.push_back(splitFields(l));
    const long long inningsNeeded = games;
    const long long atBatsNeeded = games * 31 / 10;
    for (std::size_t k = 0; k < kStatsMarkKeys.size(); ++k) {
        bool pitching = k < kFirstBattingKey;
        std::size_t field = pitching ? (k < 8 ? k + 2 : k + 3) : k - kFirstBattingKey + 2;
        bool qualified = k == 0 || k == 13 || k == 14 || k == 15 || k == 28 || k == 29;
        std::vector<long long> values;
        for (const auto& f : split) {
            if (f.size() != (pitching ? 18u : 17u) || f[field].empty())
                continue;
            long long measure = parseIntegerOr(f[pitching ? 9 : 4], 0);
            if (qualified && measure < (pitching ? inningsNeeded : atBatsNeeded))
                continue;
            values.push_back(parseWithoutPoints(f[field]).value_or(0));
        }
        section.append(kStatsMarkKeys[k], markRecord(std::move(values), k == 0));
    }
}

} // namespace tenvoll::sample
