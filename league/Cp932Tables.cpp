// The lookup tables of cp932 <-> UTF-8, filled at compile time from the
// mapping lists of Cp932Data.inc.
#include "league/Cp932Tables.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>

namespace tenvoll {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
// The ASCII run copier finds the first other byte by counting from the low end.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr std::uint32_t kBmpEnd = 0x10000;
constexpr std::uint32_t kTagsBegin = 0xE0000;
constexpr std::uint32_t kRefused = 0x110000; // beyond every code point

#include "league/Cp932Data.inc"

// A converted character: up to 3 output bytes and their count (0: refused).
struct Code {
    char bytes[3] = {};
    std::uint8_t length = 0;
};
static_assert(sizeof(Code) == 4, "the converters copy a whole Code at once");
constexpr std::uint8_t kLeadByte = 0xFF; // in singles: first byte of a pair

constexpr Code utf8Code(std::uint32_t cp) {
    Code c;
    if (cp < 0x80) {
        c.bytes[0] = static_cast<char>(cp);
        c.length = 1;
    } else if (cp < 0x800) {
        c.bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
        c.bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
        c.length = 2;
    } else {
        c.bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
        c.bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        c.bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
        c.length = 3;
    }
    return c;
}

constexpr Code cp932Code(std::uint32_t code) {
    Code c;
    if (code < 0x100) {
        c.bytes[0] = static_cast<char>(code);
        c.length = 1;
    } else {
        c.bytes[0] = static_cast<char>(code >> 8);
        c.bytes[1] = static_cast<char>(code & 0xFF);
        c.length = 2;
    }
    return c;
}

struct Reading {
    std::array<Code, 256> singles{};
    std::array<Code, 256 * 256> pairs{}; // [lead byte * 256 + second byte]
    bool asciiSame = true;               // bytes 0x00-0x7F read as themselves
};

struct Writing {
    std::array<Code, kBmpEnd> fromBmp{}; // code point U+0000..U+FFFF -> cp932
    bool asciiSame = true;               // U+0000-U+007F written as themselves
};

constexpr Reading makeReading() {
    Reading r;
    for (std::uint32_t entry : kCp932Reading) {
        const std::uint32_t code = entry >> 16;
        const Code utf8 = utf8Code(entry & 0xFFFF);
        if (code < 0x100) {
            r.singles[code] = utf8;
        } else {
            r.singles[code >> 8].length = kLeadByte;
            r.pairs[code] = utf8;
        }
    }
    for (std::uint32_t b = 0; b < 0x80; ++b)
        r.asciiSame = r.asciiSame && r.singles[b].length == 1 &&
                      r.singles[b].bytes[0] == static_cast<char>(b);
    return r;
}

constexpr Writing makeWriting() {
    Writing w;
    for (std::uint32_t entry : kCp932Writing)
        w.fromBmp[entry >> 16] = cp932Code(entry & 0xFFFF);
    for (std::uint32_t cp = 0; cp < 0x80; ++cp)
        w.asciiSame = w.asciiSame && w.fromBmp[cp].length == 1 &&
                      w.fromBmp[cp].bytes[0] == static_cast<char>(cp);
    return w;
}

constexpr Reading kReading = makeReading();
constexpr Writing kWriting = makeWriting();

// Characters beyond U+FFFF that are written as nothing (the Unicode tag
// characters U+E0000..U+E007F); every other one is refused.
constexpr bool droppedTag(std::uint32_t cp) {
    const std::uint32_t k = cp - kTagsBegin;
    return cp >= kTagsBegin && k < 32 * std::size(kCp932DroppedTags) &&
           (kCp932DroppedTags[k / 32] >> (k % 32) & 1u) != 0;
}

// One growing buffer per thread: written before it is read, so never zero-filled.
class Scratch {
public:
    char* reserve(std::size_t size) {
        if (size > capacity_) {
            capacity_ = std::max(size, capacity_ * 2);
            data_ = std::make_unique_for_overwrite<char[]>(capacity_);
        }
        return data_.get();
    }
    // Kept for the next call only while small: a big file's buffer is not held
    // for the rest of the program.
    void trim() {
        if (capacity_ > kKeptCapacity) {
            data_.reset();
            capacity_ = 0;
        }
    }
    static constexpr std::size_t kKeptCapacity = std::size_t(8) << 20;

private:
    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0;
};

Scratch& scratch() {
    thread_local Scratch s;
    return s;
}

// Copies ASCII bytes of in[i..n) to out eight at a time, up to the first other
// byte; returns the new index. Each step stores all eight bytes and then keeps
// only the ASCII ones, so `out` needs 8 bytes of room past the output.
inline std::size_t copyAscii(const char* in, std::size_t i, std::size_t n, char*& out) {
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, in + i, 8);
        std::memcpy(out, &word, 8);
        std::uint64_t high = word & kHighBits;
        if (high != 0) {
            std::size_t ascii = static_cast<std::size_t>(std::countr_zero(high)) / 8;
            out += ascii;
            return i + ascii;
        }
        out += 8;
        i += 8;
    }
    while (i < n && static_cast<unsigned char>(in[i]) < 0x80)
        *out++ = in[i++];
    return i;
}

} // namespace

const Cp932Tables& Cp932Tables::instance() {
    static const Cp932Tables tables;
    return tables;
}

bool Cp932Tables::toUtf8(std::string_view input, std::string& out, std::size_t& failedAt) const {
    const Reading& tables = kReading;
    const char* in = input.data();
    const std::size_t n = input.size();
    // At most 3 bytes per input byte, and room for the 8-byte stores.
    char* const begin = scratch().reserve(n * 3 + 8);
    char* o = begin;
    std::size_t i = 0;
    while (i < n) {
        if (kLittleEndian && tables.asciiSame) {
            i = copyAscii(in, i, n, o);
            if (i == n)
                break;
        }
        const Code& single = tables.singles[static_cast<unsigned char>(in[i])];
        if (single.length == kLeadByte) {
            if (i + 1 == n) {
                failedAt = i;
                return false;
            }
            const Code& pair = tables.pairs[std::size_t(static_cast<unsigned char>(in[i])) << 8 |
                                            static_cast<unsigned char>(in[i + 1])];
            if (pair.length == 0) {
                failedAt = i;
                return false;
            }
            std::memcpy(o, &pair, 4);
            o += pair.length;
            i += 2;
        } else if (single.length != 0) {
            std::memcpy(o, &single, 4);
            o += single.length;
            ++i;
        } else {
            failedAt = i;
            return false;
        }
    }
    out.assign(begin, static_cast<std::size_t>(o - begin));
    scratch().trim();
    return true;
}

bool Cp932Tables::toCp932(std::string_view input, std::string& out, std::size_t& failedAt) const {
    const Writing& tables = kWriting;
    const char* in = input.data();
    const std::size_t n = input.size();
    // Never more bytes than the UTF-8 input, and room for the 8-byte stores:
    // written straight into `out`, which is cut to size at the end.
    out.resize(n + 8);
    char* const begin = out.data();
    char* o = begin;
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(in[k]); };
    auto continuation = [&](std::size_t k) { return k < n && (byte(k) & 0xC0) == 0x80; };
    std::size_t i = 0;
    while (i < n) {
        if (kLittleEndian && tables.asciiSame) {
            i = copyAscii(in, i, n, o);
            if (i == n)
                break;
        }
        unsigned char lead = byte(i);
        std::uint32_t cp = kRefused; // unless a valid sequence follows
        std::size_t length = 1;
        if (lead < 0x80) {
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF && continuation(i + 1)) {
            cp = ((lead & 0x1Fu) << 6) | (byte(i + 1) & 0x3Fu);
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF && continuation(i + 1) && continuation(i + 2)) {
            cp = ((lead & 0x0Fu) << 12) | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
            length = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
                cp = kRefused; // overlong or surrogate
        } else if (lead >= 0xF0 && lead <= 0xF4 && continuation(i + 1) && continuation(i + 2) &&
                   continuation(i + 3)) {
            cp = ((lead & 0x07u) << 18) | ((byte(i + 1) & 0x3Fu) << 12) |
                 ((byte(i + 2) & 0x3Fu) << 6) | (byte(i + 3) & 0x3Fu);
            length = 4;
            if (droppedTag(cp)) {
                i += length;
                continue;
            }
            cp = kRefused; // nothing else beyond U+FFFF has a cp932 code
        }
        const Code* code = cp < kBmpEnd ? &tables.fromBmp[cp] : nullptr;
        if (code == nullptr || code->length == 0) {
            failedAt = i;
            return false;
        }
        std::memcpy(o, code, 4);
        o += code->length;
        i += length;
    }
    out.resize(static_cast<std::size_t>(o - begin));
    return true;
}

} // namespace tenvoll
