// How the entries of a ranking list spread over the terms: the count table
// (entries per term text) and the points of the chart, one per term in term
// order. Qt-free; the ranking rows are given as their term texts.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tenvoll::charts {

// The count table's section name; the table lives only in memory.
inline constexpr std::string_view kTermCountSection = "Top100";
// The term text of a career ranking's entries.
inline constexpr std::string_view kCareerTermText = "通算";

// Term text ("0012期") -> number of list entries with that text, in the order
// the texts first occur.
class TermCountTable {
public:
    void add(const std::string& term);
    int count(std::string_view term) const;
    const std::vector<std::pair<std::string, int>>& entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, int>> entries_;
};

struct TermPoint {
    double x = 0; // the term as a whole number
    double y = 0; // the number of entries of that term
    bool operator==(const TermPoint&) const = default;
};

struct TermSpread {
    TermCountTable table;
    // Sorted by term text (the four-digit form makes this the term order).
    std::vector<TermPoint> points;
};

// Counts the term texts (the "期別" value of every entry, in list order) and
// makes one point per term. A text that is not a whole number once "期" is
// removed is counted but gives no point.
TermSpread termSpread(const std::vector<std::string>& termTexts);

// The chart is offered for a non-empty single-season list: not for an empty
// list, nor when the first entry's term text is "通算" (a career ranking).
bool termSpreadAvailable(const std::vector<std::string>& termTexts);

// The term of a term text: "0012期" -> 12; nothing when it is no whole number.
bool termNumber(std::string_view termText, int& term);

} // namespace tenvoll::charts
