// Growable value lists of the XY graph.
#include "charts/GraphLists.h"

#include "charts/GraphErrors.h"

#include <cstring>
#include <istream>
#include <ostream>
#include <string>

namespace tenvoll::charts {

void TDynamicList::setCapacity(int capacity) {
    if (capacity > kMaxCapacity || capacity < count_)
        throw EXYGraphError("リストの容量が超えました (" + std::to_string(capacity) + ")");
    resizeStorage(capacity);
    capacity_ = capacity;
}

void TDynamicList::checkIndex(int index) const {
    if (index < 0 || index >= count_)
        throw EXYGraphError("リストのインデックスが範囲を超えています (" + std::to_string(index) +
                            ")");
}

void TDynamicList::grow() {
    if (count_ < capacity_)
        return;
    const long long next = capacity_ <= 64 ? capacity_ + 16LL : capacity_ + capacity_ / 4LL;
    setCapacity(next > kMaxCapacity ? kMaxCapacity + 1 : static_cast<int>(next));
}

int TGraphValueList::add(double value) {
    grow();
    items_[static_cast<std::size_t>(count_)] = value;
    const int index = count_++;
    if (index == 0 || value < min_) {
        min_ = value;
        minIndex_ = index;
    }
    if (index == 0 || value > max_) {
        max_ = value;
        maxIndex_ = index;
    }
    return index;
}

void TGraphValueList::put(int index, double value) {
    checkIndex(index);
    items_[static_cast<std::size_t>(index)] = value;
    if ((index == minIndex_ && value > min_) || (index == maxIndex_ && value < max_)) {
        rescan();
        return;
    }
    if (value < min_) {
        min_ = value;
        minIndex_ = index;
    }
    if (value > max_) {
        max_ = value;
        maxIndex_ = index;
    }
}

void TGraphValueList::remove(int index) {
    checkIndex(index);
    for (int i = index; i + 1 < count_; ++i)
        items_[static_cast<std::size_t>(i)] = items_[static_cast<std::size_t>(i) + 1];
    --count_;
    if (index == minIndex_ || index == maxIndex_) {
        rescan();
        return;
    }
    if (minIndex_ > index)
        --minIndex_;
    if (maxIndex_ > index)
        --maxIndex_;
}

void TGraphValueList::clear() {
    count_ = 0;
    setCapacity(0);
    rescan();
}

void TGraphValueList::rescan() {
    minIndex_ = maxIndex_ = -1;
    min_ = max_ = 0.0;
    for (int i = 0; i < count_; ++i) {
        const double v = items_[static_cast<std::size_t>(i)];
        if (i == 0 || v < min_) {
            min_ = v;
            minIndex_ = i;
        }
        if (i == 0 || v > max_) {
            max_ = v;
            maxIndex_ = i;
        }
    }
}

void TGraphValueList::sort() {
    int lo = 0;
    int hi = count_ - 1;
    bool swapped = true;
    while (swapped && lo < hi) {
        swapped = false;
        for (int i = lo; i < hi; ++i)
            if (items_[i] > items_[i + 1]) {
                std::swap(items_[i], items_[i + 1]);
                swapped = true;
            }
        --hi;
        for (int i = hi; i > lo; --i)
            if (items_[i - 1] > items_[i]) {
                std::swap(items_[i - 1], items_[i]);
                swapped = true;
            }
        ++lo;
    }
    rescan();
}

bool TGraphValueList::contains(double value) const {
    for (int i = 0; i < count_; ++i)
        if (items_[static_cast<std::size_t>(i)] == value)
            return true;
    return false;
}

namespace {

void writeUInt32(std::ostream& out, std::uint32_t v) {
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF),
                           static_cast<char>((v >> 24) & 0xFF)};
    out.write(bytes, 4);
}

void readExactly(std::istream& in, unsigned char* bytes, std::size_t n) {
    in.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(n));
    if (static_cast<std::size_t>(in.gcount()) != n)
        throw EXYGraphError("データの読み込みに失敗しました (途中で終わっています)");
}

} // namespace

void TGraphValueList::writeTo(std::ostream& out) const {
    writeUInt32(out, static_cast<std::uint32_t>(count_));
    for (int i = 0; i < count_; ++i) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &items_[static_cast<std::size_t>(i)], sizeof bits);
        char bytes[8];
        for (int b = 0; b < 8; ++b)
            bytes[b] = static_cast<char>((bits >> (8 * b)) & 0xFF);
        out.write(bytes, 8);
    }
}

void TGraphValueList::readFrom(std::istream& in) {
    unsigned char head[4];
    readExactly(in, head, 4);
    const std::uint32_t n =
        head[0] | (head[1] << 8) | (head[2] << 16) | (static_cast<std::uint32_t>(head[3]) << 24);
    if (n > static_cast<std::uint32_t>(kMaxCapacity))
        throw EXYGraphError("リストの容量が超えました (" + std::to_string(n) + ")");
    // Read into a scratch buffer first so a short stream leaves the list as it was.
    std::vector<double> values;
    values.reserve(n < 65536 ? n : 65536);
    for (std::uint32_t i = 0; i < n; ++i) {
        unsigned char bytes[8];
        readExactly(in, bytes, 8);
        std::uint64_t bits = 0;
        for (int b = 0; b < 8; ++b)
            bits |= static_cast<std::uint64_t>(bytes[b]) << (8 * b);
        double v = 0.0;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);
    }
    clear();
    for (double v : values)
        add(v);
}

} // namespace tenvoll::charts
