// Lookup tables for cp932 <-> UTF-8, filled by asking the platform's converter
// about every single byte, every byte pair after a lead byte and every code
// point of the Basic Multilingual Plane (cp932 maps nothing outside it).
#include "league/Cp932Tables.h"

#include "league/TextCodec.h"

#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace tenvoll {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
// The ASCII run copier finds the first other byte by counting from the low end.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr std::uint32_t kBmpEnd = 0x10000;
constexpr std::uint32_t kTagsBegin = 0xE0000;
constexpr std::uint32_t kRefused = 0x110000; // beyond every code point

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

std::string utf8Of(std::uint32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

} // namespace

const Cp932Tables& Cp932Tables::instance() {
    static const Cp932Tables tables;
    return tables;
}

const Cp932Tables::Reading& Cp932Tables::reading() {
    static const Reading tables;
    return tables;
}

const Cp932Tables::Writing& Cp932Tables::writing() {
    static const Writing tables;
    return tables;
}

Cp932Tables::Code Cp932Tables::codeOf(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > 3)
        throw std::runtime_error("cp932 table: a character outside the table's reach");
    Code c;
    std::memcpy(c.bytes, bytes.data(), bytes.size());
    c.length = static_cast<std::uint8_t>(bytes.size());
    return c;
}

Cp932Tables::Reading::Reading() : pairs(256 * 256) {
    for (int b = 0; b < 256; ++b) {
        const char single[1] = {static_cast<char>(b)};
        platform::Conversion c = platform::cp932ToUtf8({single, 1});
        if (c.ok) {
            singles[b] = codeOf(c.output);
            asciiSame = asciiSame && (b >= 0x80 || c.output == std::string_view(single, 1));
            continue;
        }
        // Refused alone: a lead byte when some second byte completes it.
        bool lead = false;
        for (int t = 0; t < 256; ++t) {
            const char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
            platform::Conversion p = platform::cp932ToUtf8({pair, 2});
            if (p.ok) {
                pairs[std::size_t(b) * 256 + std::size_t(t)] = codeOf(p.output);
                lead = true;
            }
        }
        if (lead)
            singles[b].length = kLeadByte;
    }
}

Cp932Tables::Writing::Writing() : fromBmp(kBmpEnd) {
    for (std::uint32_t cp = 0; cp < kBmpEnd; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue; // surrogates are not characters
        std::string utf8 = utf8Of(cp);
        platform::Conversion c = platform::utf8ToCp932(utf8);
        if (c.ok) {
            fromBmp[cp] = codeOf(c.output);
            asciiSame = asciiSame && (cp >= 0x80 || c.output == utf8);
        }
    }
    for (std::uint32_t k = 0; k < droppedTags.size(); ++k) {
        platform::Conversion c = platform::utf8ToCp932(utf8Of(kTagsBegin + k));
        droppedTags[k] = c.ok && c.output.empty();
    }
}

bool Cp932Tables::toUtf8(std::string_view input, std::string& out, std::size_t& failedAt) const {
    const Reading& tables = reading();
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
    const Writing& tables = writing();
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
            if (cp >= kTagsBegin && cp - kTagsBegin < tables.droppedTags.size() &&
                tables.droppedTags[cp - kTagsBegin]) {
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
