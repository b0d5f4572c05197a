// cp932 <-> UTF-8 through lookup tables made at compile time from the mapping
// in Cp932Data.inc (generated once from glibc's converter), so that every
// platform reads and writes the same bytes and refuses the same ones, and no
// converter is asked at run time. ASCII runs are copied as they are; decoding
// writes into one reused scratch buffer per thread instead of a freshly
// zero-filled string, encoding (never longer than its input) straight into the
// output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tenvoll {

class Cp932Tables {
public:
    static const Cp932Tables& instance();

    // Convert `input` into `out` (replacing its content). On failure returns
    // false with `failedAt` the byte offset of the first sequence that cannot
    // be converted (a truncated sequence at the end included), like glibc's
    // converter; `out` is then unspecified.
    bool toUtf8(std::string_view input, std::string& out, std::size_t& failedAt) const;
    bool toCp932(std::string_view input, std::string& out, std::size_t& failedAt) const;

private:
    Cp932Tables() = default;
};

} // namespace tenvoll
