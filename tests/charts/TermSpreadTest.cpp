// Entries of a ranking list counted per term, and the chart's points.
#include "charts/TermSpread.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace tenvoll::charts;

namespace {

std::vector<std::string> repeated(std::initializer_list<std::pair<const char*, int>> runs) {
    std::vector<std::string> terms;
    for (const auto& [text, n] : runs)
        terms.insert(terms.end(), static_cast<std::size_t>(n), text);
    return terms;
}

double sumOfY(const std::vector<TermPoint>& points) {
    return std::accumulate(points.begin(), points.end(), 0.0,
                           [](double s, const TermPoint& p) { return s + p.y; });
}

} // namespace

TEST(TermSpread, HundredEntriesOverThreeTermsGiveThreePointsInTermOrder) {
    // A ranking lists the best seasons first, so the terms come in no order.
    const auto terms =
        repeated({{"0006期", 20}, {"0003期", 30}, {"0005期", 25}, {"0003期", 10}, {"0006期", 15}});
    ASSERT_EQ(terms.size(), 100u);
    const TermSpread s = termSpread(terms);
    EXPECT_EQ(s.points, (std::vector<TermPoint>{{3, 40}, {5, 25}, {6, 35}}));
    EXPECT_EQ(sumOfY(s.points), 100);
    // The table keeps each text once, where it first occurs.
    ASSERT_EQ(s.table.entries().size(), 3u);
    EXPECT_EQ(s.table.entries()[0], (std::pair<std::string, int>{"0006期", 35}));
    EXPECT_EQ(s.table.count("0003期"), 40);
    EXPECT_EQ(s.table.count("0004期"), 0);

    // Ties at the 100th place make the list longer: all of them are counted.
    auto tied = terms;
    tied.insert(tied.end(), {"0005期", "0005期", "0003期"});
    EXPECT_EQ(sumOfY(termSpread(tied).points), 103);
}

TEST(TermSpread, OneTermGivesOnePointAndTermsAfterNineFollowInOrder) {
    EXPECT_EQ(termSpread(repeated({{"0012期", 7}})).points, (std::vector<TermPoint>{{12, 7}}));
    // Four digits sort as text in term order; term 0 is a term like any other.
    EXPECT_EQ(termSpread({"0010期", "0009期", "0100期", "0000期", "0010期"}).points,
              (std::vector<TermPoint>{{0, 1}, {9, 1}, {10, 2}, {100, 1}}));
}

TEST(TermSpread, TextsThatAreNoTermAreCountedWithoutAPoint) {
    const TermSpread s = termSpread({"通算", "0004期", "期", "", "12a期", "0004期"});
    EXPECT_EQ(s.points, (std::vector<TermPoint>{{4, 2}}));
    EXPECT_EQ(s.table.count("通算"), 1);
    EXPECT_EQ(s.table.entries().size(), 5u);
    EXPECT_TRUE(termSpread({}).points.empty());
}

TEST(TermSpread, OfferedOnlyForANonEmptySingleSeasonList) {
    EXPECT_FALSE(termSpreadAvailable({}));
    EXPECT_FALSE(termSpreadAvailable({"通算", "通算"}));
    EXPECT_TRUE(termSpreadAvailable({"0003期"}));
    // The first entry decides, as in the list the user sees.
    EXPECT_TRUE(termSpreadAvailable({"0003期", "通算"}));
}
