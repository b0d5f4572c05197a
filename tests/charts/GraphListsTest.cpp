// The graph's value lists: growth, limits, minimum/maximum tracking, sort and
// their byte stream.
#include "charts/GraphLists.h"
#include "charts/GraphErrors.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace tenvoll::charts;

TEST(GraphLists, GrowBySixteenUpToSixtyFourThenByAQuarter) {
    TGraphValueList list;
    std::vector<int> capacities;
    for (int i = 0; i < 130; ++i) {
        list.add(i);
        if (capacities.empty() || capacities.back() != list.capacity())
            capacities.push_back(list.capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{16, 32, 48, 64, 80, 100, 125, 156}));
}

TEST(GraphLists, CapacityAndIndexErrorsNameTheValue) {
    TGraphIntegerList list;
    list.add(7);
    list.add(8);
    try {
        list.setCapacity(268435456);
        FAIL();
    } catch (const EXYGraphError& e) {
        EXPECT_STREQ(e.what(), "リストの容量が超えました (268435456)");
    }
    try {
        list.setCapacity(1);
        FAIL();
    } catch (const EXYGraphError& e) {
        EXPECT_STREQ(e.what(), "リストの容量が超えました (1)");
    }
    EXPECT_EQ(list.count(), 2);
    try {
        (void)list[2];
        FAIL();
    } catch (const EXYGraphError& e) {
        EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (2)");
    }
    EXPECT_THROW(list.remove(-1), EXYGraphError);
    TGraphPointList points;
    points.add({3, 4});
    EXPECT_EQ(points[0], (std::pair<std::int32_t, std::int32_t>{3, 4}));
}

TEST(GraphLists, MinimumAndMaximumFollowEveryStore) {
    TGraphValueList list;
    for (double v : {5.0, 2.0, 9.0, 4.0})
        list.add(v);
    EXPECT_EQ(list.minValue(), 2.0);
    EXPECT_EQ(list.minIndex(), 1);
    EXPECT_EQ(list.maxValue(), 9.0);
    EXPECT_EQ(list.maxIndex(), 2);

    list.put(2, 3.0); // the maximum shrinks: rescan
    EXPECT_EQ(list.maxValue(), 5.0);
    EXPECT_EQ(list.maxIndex(), 0);
    list.put(3, -1.0);
    EXPECT_EQ(list.minValue(), -1.0);
    EXPECT_EQ(list.minIndex(), 3);

    list.remove(3); // the minimum goes: rescan
    EXPECT_EQ(list.minValue(), 2.0);
    EXPECT_EQ(list.minIndex(), 1);
    list.remove(0); // indices behind the removed one move down
    EXPECT_EQ(list.maxValue(), 3.0);
    EXPECT_EQ(list.minIndex(), 0);
}

TEST(GraphLists, SortsAscending) {
    TGraphValueList list;
    for (double v : {3.0, -1.0, 8.0, 0.5, 8.0, 2.0})
        list.add(v);
    list.sort();
    std::vector<double> sorted;
    for (int i = 0; i < list.count(); ++i)
        sorted.push_back(list[i]);
    EXPECT_EQ(sorted, (std::vector<double>{-1.0, 0.5, 2.0, 3.0, 8.0, 8.0}));
    EXPECT_EQ(list.minIndex(), 0);
}

TEST(GraphLists, StreamIsCountThenLittleEndianDoubles) {
    TGraphValueList list;
    list.add(1.0);
    list.add(-2.5);
    std::ostringstream out;
    list.writeTo(out);
    const std::string bytes = out.str();
    const std::string expected("\x02\x00\x00\x00"
                               "\x00\x00\x00\x00\x00\x00\xf0\x3f"
                               "\x00\x00\x00\x00\x00\x00\x04\xc0",
                               20);
    EXPECT_EQ(bytes, expected);

    TGraphValueList back;
    back.add(99);
    std::istringstream in(bytes);
    back.readFrom(in);
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back[0], 1.0);
    EXPECT_EQ(back[1], -2.5);
    EXPECT_EQ(back.minValue(), -2.5);

    // A stream cut short changes nothing.
    std::istringstream shortIn(bytes.substr(0, 15));
    EXPECT_THROW(back.readFrom(shortIn), EXYGraphError);
    EXPECT_EQ(back.count(), 2);
}
