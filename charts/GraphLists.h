// Growable value lists of the XY graph: tick positions and series data.
// Capacity grows by 16 while at most 64, then by a quarter; the value list
// tracks its minimum and maximum on every store and streams itself as a
// 32-bit little-endian count followed by 8-byte IEEE doubles.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <utility>
#include <vector>

namespace tenvoll::charts {

class TDynamicList {
public:
    static constexpr int kMaxCapacity = 268435455;
    virtual ~TDynamicList() = default;
    int count() const { return count_; }
    int capacity() const { return capacity_; }
    // Fails with the capacity error above kMaxCapacity or below the count.
    void setCapacity(int capacity);

protected:
    void checkIndex(int index) const;
    // Makes room for one more item, growing by the list's rule.
    void grow();
    virtual void resizeStorage(int capacity) = 0;
    int count_ = 0;
    int capacity_ = 0;
};

template <typename T> class TGraphList : public TDynamicList {
public:
    const T& operator[](int index) const {
        checkIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    int add(const T& value) {
        grow();
        items_[static_cast<std::size_t>(count_)] = value;
        return count_++;
    }
    void put(int index, const T& value) {
        checkIndex(index);
        items_[static_cast<std::size_t>(index)] = value;
    }
    void remove(int index) {
        checkIndex(index);
        for (int i = index; i + 1 < count_; ++i)
            items_[static_cast<std::size_t>(i)] = items_[static_cast<std::size_t>(i) + 1];
        --count_;
    }
    void clear() {
        count_ = 0;
        setCapacity(0);
    }

protected:
    void resizeStorage(int capacity) override { items_.resize(static_cast<std::size_t>(capacity)); }
    std::vector<T> items_;
};

using TGraphIntegerList = TGraphList<std::int32_t>;
using TGraphPointList = TGraphList<std::pair<std::int32_t, std::int32_t>>;

class TGraphValueList : public TDynamicList {
public:
    double operator[](int index) const {
        checkIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    int add(double value);
    void put(int index, double value);
    void remove(int index);
    void clear();
    // Ascending, by a bidirectional bubble pass.
    void sort();
    bool contains(double value) const;

    // Valid while the list is not empty.
    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    int minIndex() const { return minIndex_; }
    int maxIndex() const { return maxIndex_; }

    void writeTo(std::ostream& out) const;
    // Replaces the contents; fails with EXYGraphError on a short stream.
    void readFrom(std::istream& in);

protected:
    void resizeStorage(int capacity) override { items_.resize(static_cast<std::size_t>(capacity)); }

private:
    void rescan();
    std::vector<double> items_;
    double min_ = 0.0;
    double max_ = 0.0;
    int minIndex_ = -1;
    int maxIndex_ = -1;
};

} // namespace tenvoll::charts
