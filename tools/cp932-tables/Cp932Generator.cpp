#include "tools/cp932-tables/Cp932Generator.h"

#include "tools/cp932-tables/Cp932Iconv.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace tenvoll::cp932gen {

namespace {

constexpr std::uint32_t kBmpEnd = 0x10000;
constexpr std::uint32_t kTagsBegin = 0xE0000;
constexpr int kTagCount = 128;

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

// The one BMP code point a converted cp932 character reads as.
std::uint32_t codePointOf(const std::string& utf8) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]) & 0x3Fu; };
    const auto lead = static_cast<unsigned char>(utf8.empty() ? 0xFF : utf8[0]);
    if (utf8.size() == 1 && lead < 0x80)
        return lead;
    if (utf8.size() == 2 && (lead & 0xE0) == 0xC0)
        return (lead & 0x1Fu) << 6 | b(1);
    if (utf8.size() == 3 && (lead & 0xF0) == 0xE0)
        return (lead & 0x0Fu) << 12 | b(1) << 6 | b(2);
    throw std::runtime_error("a cp932 character read as other than one BMP character");
}

// The cp932 code of a written character: one byte, or a lead and a second byte.
std::uint32_t cp932CodeOf(const std::string& bytes) {
    if (bytes.size() == 1)
        return static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2 && static_cast<unsigned char>(bytes[0]) >= 0x81)
        return static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    throw std::runtime_error("a character written as other than one cp932 character");
}

void appendArray(std::string& out, const char* name, const std::vector<std::uint32_t>& values) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "[%zu] = {", values.size());
    out += std::string("inline constexpr std::uint32_t ") + name + buffer;
    for (std::size_t i = 0; i < values.size(); ++i) {
        out += i % 8 == 0 ? "\n   " : "";
        std::snprintf(buffer, sizeof buffer, " 0x%08X,", values[i]);
        out += buffer;
    }
    out += "\n};\n";
}

} // namespace

std::string generateTableSource() {
    std::vector<std::uint32_t> reading;
    for (std::uint32_t lead = 0; lead < 256; ++lead) {
        const char single[1] = {static_cast<char>(lead)};
        Conversion c = iconvToUtf8({single, 1});
        if (c.ok) {
            reading.push_back(lead << 16 | codePointOf(c.output));
            continue;
        }
        for (std::uint32_t second = 0; second < 256; ++second) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(second)};
            Conversion p = iconvToUtf8({pair, 2});
            if (p.ok)
                reading.push_back((lead << 8 | second) << 16 | codePointOf(p.output));
        }
    }
    std::vector<std::uint32_t> writing;
    for (std::uint32_t cp = 0; cp < kBmpEnd; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue; // surrogates are not characters
        Conversion c = iconvToCp932(utf8Of(cp));
        if (c.ok)
            writing.push_back(cp << 16 | cp932CodeOf(c.output));
    }
    std::vector<std::uint32_t> droppedTags(kTagCount / 32);
    for (int k = 0; k < kTagCount; ++k) {
        Conversion c = iconvToCp932(utf8Of(kTagsBegin + std::uint32_t(k)));
        if (c.ok && c.output.empty())
            droppedTags[std::size_t(k) / 32] |= 1u << (k % 32);
    }

    std::string out =
        "// cp932 <-> Unicode exactly as glibc's converter maps it, made by the program\n"
        "// tools/cp932-tables (generate-cp932-tables FILE); regenerate, never edit.\n"
        "//   kCp932Reading: cp932 code << 16 | code point (codes below 0x100 are one byte)\n"
        "//   kCp932Writing: code point << 16 | cp932 code\n"
        "//   kCp932DroppedTags: bit k set when U+E0000 + k is written as nothing\n"
        "// clang-format off\n";
    appendArray(out, "kCp932Reading", reading);
    appendArray(out, "kCp932Writing", writing);
    appendArray(out, "kCp932DroppedTags", droppedTags);
    out += "// clang-format on\n";
    return out;
}

} // namespace tenvoll::cp932gen
