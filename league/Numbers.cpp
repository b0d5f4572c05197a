// Whole-number parsing, term texts, exact two-decimal rates and byte-width padding.
#include "league/Numbers.h"

#include "league/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace tenvoll {

long long clampedNumber(long long value) {
    return std::clamp(value, -kNumberLimit, kNumberLimit);
}

std::optional<long long> parseInteger(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    }
    if (i >= s.size())
        return std::nullopt;
    unsigned long long value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        // Beyond long long, or wrapped on the way: no number. (The builtins tell
        // a wrap without the division per digit that checking beforehand costs.)
        constexpr unsigned long long kMax = 0x7FFFFFFFFFFFFFFFull;
        if (__builtin_mul_overflow(value, static_cast<unsigned>(base), &value) ||
            __builtin_add_overflow(value, static_cast<unsigned>(digit), &value) || value > kMax)
            return std::nullopt;
    }
    long long v = static_cast<long long>(value);
    return negative ? -v : v;
}

long long parseIntegerOr(std::string_view text, long long fallback) {
    return parseInteger(text).value_or(fallback);
}

std::optional<long long> parseWithoutPoints(std::string_view text) {
    // A cell is a few bytes: its kept bytes are gathered on the stack (the
    // ranking reads one for every line it looks at), a string only for more.
    char shortCell[32];
    std::string longCell;
    char* kept = shortCell;
    if (text.size() > sizeof shortCell) {
        longCell.resize(text.size());
        kept = longCell.data();
    }
    std::size_t count = 0;
    for (char c : text)
        if (c != '.' && c != ' ')
            kept[count++] = c;
    return parseInteger(std::string_view(kept, count));
}

std::string termText(long long term) {
    // At least four digits, as "%.4lld" writes them: "0005", "-0005", "12345".
    constexpr std::size_t kTermDigits = 4;
    const unsigned long long magnitude = term < 0 ? 0ull - static_cast<unsigned long long>(term)
                                                  : static_cast<unsigned long long>(term);
    char digits[std::numeric_limits<unsigned long long>::digits10 + 1];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), magnitude).ptr;
    const auto count = static_cast<std::size_t>(end - digits);
    std::string text;
    text.reserve(kTermDigits + count + 1);
    if (term < 0)
        text += '-';
    if (count < kTermDigits)
        text.append(kTermDigits - count, '0');
    text.append(digits, count);
    return text;
}

std::string ratioTwoDecimals(long long num, long long den) {
    if (den == 0)
        return "0.00";
    // Magnitudes as unsigned (LLONG_MIN included) and the rounding in 128 bits,
    // so that no value wraps.
    auto magnitude = [](long long v) {
        return v < 0 ? 0ull - static_cast<unsigned long long>(v)
                     : static_cast<unsigned long long>(v);
    };
    bool negative = (num < 0) != (den < 0);
    unsigned __int128 n = magnitude(num);
    unsigned __int128 d = magnitude(den);
    unsigned __int128 hundredths = (n * 200 + d) / (2 * d); // half away from zero
    auto whole = static_cast<unsigned long long>(hundredths / 100);
    auto cents = static_cast<unsigned>(hundredths % 100);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%llu.%02u", (negative && hundredths != 0) ? "-" : "", whole,
                  cents);
    return buf;
}

std::string padToWidth(std::string_view text, std::size_t width, bool left) {
    std::size_t w = cp932Width(text);
    if (w >= width)
        return std::string(text);
    std::string pad(width - w, ' ');
    return left ? std::string(text) + pad : pad + std::string(text);
}

} // namespace tenvoll
