// Field splitting, ability/aptitude texts, grade ranks and career totals.
#include "league/Kyoutuu.h"

#include "league/GameRules.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"

#include <algorithm>

namespace tenvoll {

namespace {

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}

} // namespace

std::vector<std::string> splitFields(std::string_view s) {
    std::vector<std::string> fields;
    // A game line has about one field per four bytes; one allocation then suffices.
    fields.reserve(std::min<std::size_t>(s.size() / 4 + 1, 48));
    std::string scratch;
    forEachField(s, scratch, [&](std::string_view field) {
        fields.emplace_back(field);
        return true;
    });
    return fields;
}

std::string quoteField(std::string_view field) {
    bool plain = !field.empty();
    for (char c : field)
        if (isBlankOrControl(c) || c == ',' || c == '"')
            plain = false;
    if (plain)
        return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string joinQuotedFields(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += quoteField(fields[i]);
    }
    return out;
}

std::string joinFields(const std::vector<std::string>& fields, std::size_t from, std::size_t to) {
    std::string out;
    to = std::min(to, fields.size());
    for (std::size_t i = from; i < to; ++i) {
        out += fields[i];
        out += ' ';
    }
    return out;
}

long long gradeRank(std::string_view v) {
    if (v == "S")
        return 6;
    if (v == "A")
        return 5;
    if (v == "B")
        return 4;
    if (v == "C")
        return 3;
    if (v == "D")
        return 2;
    if (v == "E")
        return 1;
    return parseInteger(v).value_or(0);
}

LineLayout abilityLayout(std::string_view code) {
    if (isPitcherCode(code))
        return LineLayout::Pitcher;
    if (code == "-" || code == "D" || (code.size() == 1 && code[0] >= '2' && code[0] <= '9'))
        return LineLayout::Batter;
    return LineLayout::None;
}

std::size_t abilityFieldCount(LineLayout layout) {
    switch (layout) {
    case LineLayout::Batter:
        return 20;
    case LineLayout::Pitcher:
        return 13;
    default:
        return 0;
    }
}

std::size_t aptitudeStart(bool pitcher) {
    return pitcher ? 14 : 21;
}

std::string abilityText(const std::vector<std::string>& f) {
    LineLayout layout = f.empty() ? LineLayout::None : abilityLayout(f[0]);
    if (layout == LineLayout::None)
        return {};
    if (f.size() < abilityFieldCount(layout))
        throw LeagueError("選手の行の項目が足りません (" + std::to_string(f.size()) +
                          " 項目): " + joinFields(f));
    std::string out;
    auto add = [&](const std::string& text) {
        out += text;
        out += ' ';
    };
    auto left = [&](std::size_t i, std::size_t w) { add(padToWidth(f[i], w, true)); };
    auto right = [&](std::size_t i, std::size_t w) { add(padToWidth(f[i], w, false)); };
    add(f[0]);
    left(1, 16);
    left(2, 2);
    left(3, 2);
    if (layout == LineLayout::Batter) {
        for (std::size_t i = 4; i <= 9; ++i)
            add(f[i]);
        add(" " + padToWidth(f[10], 2, true));
        for (std::size_t i = 11; i <= 15; ++i)
            left(i, 2);
        add(f[16]);
        right(17, 2);
        right(18, 2);
        right(19, 4);
    } else {
        right(4, 4);
        for (std::size_t i = 5; i <= 10; ++i)
            right(i, 2);
        right(11, 3);
        right(12, 4);
    }
    return out;
}

std::string aptitudeText(const std::vector<std::string>& fields, bool pitcher) {
    return joinFields(fields, aptitudeStart(pitcher));
}

std::string termKey(long long term, std::string_view what) {
    return termText(term) + std::string(what);
}

std::string careerTotals(const std::vector<std::string>& lines, bool pitcher) {
    const std::size_t width = statisticsFieldCount(pitcher);
    const std::size_t lastSummed = pitcher ? 15 : 14;
    std::vector<long long> sums(width, 0);
    std::vector<std::string> totals(width, "0");
    for (const auto& line : lines) {
        std::vector<std::string> f = splitFields(line);
        if (f.empty())
            continue;
        totals[0] = f[0];
        if (f.size() > 1)
            totals[1] = f[1];
        for (std::size_t i = 3; i <= lastSummed; ++i) {
            auto v = i < f.size() ? parseInteger(f[i]) : std::nullopt;
            if (!v)
                throw LeagueError("成績の " + std::to_string(i) +
                                  " 番目の項目が数値ではありません: " + line);
            if (__builtin_add_overflow(sums[i], *v, &sums[i]))
                throw LeagueError("成績の合計が大きすぎて計算できません: " + line);
        }
    }
    for (std::size_t i = 3; i <= lastSummed; ++i)
        totals[i] = std::to_string(sums[i]);
    // Rates from the sums; a sum too big for them is refused, never wrapped.
    auto checked = [&](long long a, long long fa, long long b, long long fb) {
        long long x, y, r;
        if (__builtin_mul_overflow(a, fa, &x) || __builtin_mul_overflow(b, fb, &y) ||
            __builtin_add_overflow(x, y, &r))
            throw LeagueError("成績の合計が大きすぎて率を計算できません。");
        return r;
    };
    if (pitcher) {
        long long thirds = checked(3, sums[9], 1, sums[10]);
        totals[2] = ratioTwoDecimals(checked(27, sums[15], 0, 0), thirds);
        totals[16] = ratioTwoDecimals(sums[5], checked(1, sums[5], 1, sums[6]));
        totals[17] = ratioTwoDecimals(checked(27, sums[14], 0, 0), thirds);
    } else {
        totals[2] = ratioTwoDecimals(sums[5], sums[4]);
        long long bases =
            checked(1, checked(1, sums[5], 2, sums[6]), 1, checked(3, sums[7], 1, sums[8]));
        totals[15] = ratioTwoDecimals(bases, sums[4]);
        totals[16] =
            ratioTwoDecimals(checked(1, sums[5], 1, sums[11]), checked(1, sums[4], 1, sums[11]));
    }
    return joinFields(totals);
}

} // namespace tenvoll
