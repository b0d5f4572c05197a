// cp932 <-> UTF-8 through lookup tables, built once from the platform's
// converter so that the mapping, and what it refuses, stays exactly the
// platform's. ASCII runs are copied as they are; decoding writes into one
// reused scratch buffer per thread instead of a freshly zero-filled string,
// encoding (never longer than its input) straight into the output.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

class Cp932Tables {
public:
    // The converter; its tables are built on first use (thread-safe).
    static const Cp932Tables& instance();

    // Convert `input` into `out` (replacing its content). On failure returns
    // false with `failedAt` the byte offset of the first sequence that cannot
    // be converted (a truncated sequence at the end included), like the
    // platform's converter; `out` is then unspecified.
    bool toUtf8(std::string_view input, std::string& out, std::size_t& failedAt) const;
    bool toCp932(std::string_view input, std::string& out, std::size_t& failedAt) const;

private:
    Cp932Tables() = default;

    // A converted character: up to 3 output bytes and their count (0: refused).
    struct Code {
        char bytes[3] = {};
        std::uint8_t length = 0;
    };
    static constexpr std::uint8_t kLeadByte = 0xFF; // in singles: first byte of a pair
    static Code codeOf(const std::string& bytes);

    // Each direction is built on its first use, so a program that only reads
    // never asks the platform about the 63,000 characters it could write.
    struct Reading {
        Reading();
        std::array<Code, 256> singles{};
        std::vector<Code> pairs; // [lead byte * 256 + second byte]
        bool asciiSame = true;   // bytes 0x00-0x7F read as themselves
    };
    struct Writing {
        Writing();
        std::vector<Code> fromBmp; // code point U+0000..U+FFFF -> cp932
        // Characters beyond U+FFFF the platform accepts and writes as nothing
        // (the Unicode tag characters U+E0000..U+E007F); every other one is refused.
        std::array<bool, 128> droppedTags{};
        bool asciiSame = true; // U+0000-U+007F written as themselves
    };
    static const Reading& reading();
    static const Writing& writing();
};

} // namespace tenvoll
