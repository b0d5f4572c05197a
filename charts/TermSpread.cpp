// Counting a ranking list's entries per term and turning the counts into points.
#include "charts/TermSpread.h"

#include <algorithm>
#include <charconv>

namespace tenvoll::charts {

namespace {

constexpr std::string_view kTermSuffix = "期";

} // namespace

void TermCountTable::add(const std::string& term) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& e) { return e.first == term; });
    if (it == entries_.end())
        entries_.emplace_back(term, 1);
    else
        ++it->second;
}

int TermCountTable::count(std::string_view term) const {
    for (const auto& [text, n] : entries_)
        if (text == term)
            return n;
    return 0;
}

bool termNumber(std::string_view termText, int& term) {
    std::string digits;
    for (std::size_t i = 0; i < termText.size();) {
        if (termText.substr(i, kTermSuffix.size()) == kTermSuffix) {
            i += kTermSuffix.size();
            continue;
        }
        digits += termText[i++];
    }
    if (digits.empty())
        return false;
    int value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return false;
    term = value;
    return true;
}

TermSpread termSpread(const std::vector<std::string>& termTexts) {
    TermSpread spread;
    for (const std::string& text : termTexts)
        spread.table.add(text);
    std::vector<std::pair<std::string, int>> sorted = spread.table.entries();
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [text, n] : sorted) {
        int term = 0;
        if (termNumber(text, term))
            spread.points.push_back({static_cast<double>(term), static_cast<double>(n)});
    }
    return spread;
}

bool termSpreadAvailable(const std::vector<std::string>& termTexts) {
    return !termTexts.empty() && termTexts.front() != kCareerTermText;
}

} // namespace tenvoll::charts
