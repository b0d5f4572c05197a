// Case folding of ASCII and full-width Latin letters over UTF-8 text.
#include "league/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace tenvoll {

namespace {

// Full-width Ａ-Ｚ is EF BC A1..BA; its lower case ａ-ｚ is EF BD 81..9A.
bool isFullWidthUpperAt(std::string_view s, std::size_t i) {
    return i + 2 < s.size() && static_cast<unsigned char>(s[i]) == 0xEF &&
           static_cast<unsigned char>(s[i + 1]) == 0xBC &&
           static_cast<unsigned char>(s[i + 2]) >= 0xA1 &&
           static_cast<unsigned char>(s[i + 2]) <= 0xBA;
}

// Folding changes bits 0x20 and 0x01 of a byte and no others, each byte in its
// place: 'A' (41) -> 'a' (61); full-width Ａ (EF BC A1) -> ａ (EF BD 81). Two
// texts equal ignoring case are therefore equal with those bits cleared.
constexpr std::uint64_t kCaseBlindBytes = 0xDEDEDEDEDEDEDEDEull;

// Up to eight bytes from `i`, zeros past the end.
std::uint64_t wordAt(std::string_view s, std::size_t i) {
    std::uint64_t word = 0;
    std::memcpy(&word, s.data() + i, std::min<std::size_t>(8, s.size() - i));
    return word;
}

// Reads one folded unit at `i`, advancing `i`. Units are single bytes except the
// full-width upper-case letters, which are mapped onto their lower-case bytes.
struct FoldedReader {
    std::string_view s;
    std::size_t i = 0;
    unsigned char pending[2] = {0, 0};
    int pendingCount = 0;

    bool done() const { return pendingCount == 0 && i >= s.size(); }
    unsigned char next() {
        if (pendingCount > 0) {
            unsigned char c = pending[2 - pendingCount];
            --pendingCount;
            return c;
        }
        if (isFullWidthUpperAt(s, i)) {
            auto third = static_cast<unsigned char>(s[i + 2]);
            i += 3;
            pending[0] = 0xBD;
            pending[1] = static_cast<unsigned char>(third - 0xA1 + 0x81);
            pendingCount = 2;
            return 0xEF;
        }
        auto c = static_cast<unsigned char>(s[i++]);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c + 32);
        return c;
    }
};

} // namespace

bool needsFolding(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if ((c >= 'A' && c <= 'Z') || isFullWidthUpperAt(s, i))
            return true;
    }
    return false;
}

std::string foldCase(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    FoldedReader r{s};
    while (!r.done())
        out.push_back(static_cast<char>(r.next()));
    return out;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    FoldedReader ra{a}, rb{b};
    while (!ra.done() && !rb.done()) {
        unsigned char x = ra.next(), y = rb.next();
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (ra.done() && rb.done())
        return 0;
    return ra.done() ? -1 : 1;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false; // folding keeps byte lengths
    // Texts that differ in other bits than folding changes differ folded too;
    // most unequal names are told apart so, eight bytes at a time.
    for (std::size_t i = 0; i < a.size(); i += 8)
        if ((wordAt(a, i) ^ wordAt(b, i)) & kCaseBlindBytes)
            return false;
    return a == b || compareIgnoreCase(a, b) == 0;
}

std::uint64_t caseBlindHash(std::string_view s) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = s.size() * kMultiplier;
    for (std::size_t i = 0; i < s.size(); i += 8) {
        h = (h ^ (wordAt(s, i) & kCaseBlindBytes)) * kMultiplier;
        h ^= h >> 29;
    }
    return h;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

bool containsIgnoreCase(std::string_view text, std::string_view needle) {
    return foldCase(text).find(foldCase(needle)) != std::string::npos;
}

std::string removeAllIgnoreCase(std::string_view text, std::string_view needle) {
    if (needle.empty())
        return std::string(text);
    std::string folded = foldCase(text);
    std::string foldedNeedle = foldCase(needle);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = folded.find(foldedNeedle, pos);
        if (hit == std::string::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        pos = hit + foldedNeedle.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string replaceAll(std::string_view text, std::string_view needle,
                       std::string_view replacement) {
    if (needle.empty())
        return std::string(text);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(needle, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + needle.size();
    }
    out.append(text.substr(pos));
    return out;
}

} // namespace tenvoll
