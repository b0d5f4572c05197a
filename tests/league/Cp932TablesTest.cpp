// The table codec against glibc's converter, exhaustively: every single byte
// and byte pair read as cp932, every code point and every one-, two- and
// three-byte sequence (and the four-byte lead ranges) written as cp932. Both
// must agree on the output, on what is refused and on where. And the tables
// in the source are what the generator makes of this system's converter now.
#include "league/Cp932Tables.h"
#include "support/TestFiles.h"
#include "tools/cp932-tables/Cp932Generator.h"
#include "tools/cp932-tables/Cp932Iconv.h"

#include <gtest/gtest.h>

#include <string>

using namespace tenvoll;

namespace {

std::string hex(std::string_view bytes) {
    std::string out;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

// Compares one input both ways; returns an empty string when they agree.
std::string difference(bool intoUtf8, std::string_view input) {
    const Cp932Tables& tables = Cp932Tables::instance();
    cp932gen::Conversion expected =
        intoUtf8 ? cp932gen::iconvToUtf8(input) : cp932gen::iconvToCp932(input);
    std::string output = "stale";
    std::size_t failedAt = 0;
    bool ok =
        intoUtf8 ? tables.toUtf8(input, output, failedAt) : tables.toCp932(input, output, failedAt);
    if (ok != expected.ok || (ok && output != expected.output) ||
        (!ok && failedAt != expected.failedAt))
        return (intoUtf8 ? "cp932 " : "utf-8 ") + hex(input) + "-> table " +
               (ok ? hex(output) : "refused at " + std::to_string(failedAt)) + ", iconv " +
               (expected.ok ? hex(expected.output)
                            : "refused at " + std::to_string(expected.failedAt));
    return {};
}

// Runs `each` over inputs and fails with the first few differences.
template <typename Inputs> void expectSame(bool intoUtf8, Inputs&& inputs) {
    int failures = 0;
    std::size_t count = 0;
    inputs([&](std::string_view input) {
        ++count;
        std::string d = difference(intoUtf8, input);
        if (!d.empty() && ++failures <= 5)
            ADD_FAILURE() << d;
    });
    EXPECT_EQ(failures, 0) << "of " << count << " inputs";
}

std::string utf8Of(std::uint32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += char(cp);
    } else if (cp < 0x800) {
        s += char(0xC0 | (cp >> 6));
        s += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += char(0xE0 | (cp >> 12));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    } else {
        s += char(0xF0 | (cp >> 18));
        s += char(0x80 | ((cp >> 12) & 0x3F));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    }
    return s;
}

} // namespace

TEST(Cp932Tables, ReadsEverySingleByteAndPairLikeThePlatform) {
    expectSame(true, [](auto check) {
        for (int a = 0; a < 256; ++a) {
            const char one[] = {char(a)};
            check({one, 1});
            for (int b = 0; b < 256; ++b) {
                const char two[] = {char(a), char(b)};
                check({two, 2});
            }
        }
    });
}

TEST(Cp932Tables, WritesEveryCodePointAndRefusesLikeThePlatform) {
    expectSame(false, [](auto check) {
        for (std::uint32_t cp = 0; cp <= 0x10FFFF; ++cp)
            check(utf8Of(cp)); // surrogates included, in their three-byte form
    });
}

TEST(Cp932Tables, RefusesMalformedUtf8LikeThePlatform) {
    expectSame(false, [](auto check) {
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                const char two[] = {char(a), char(b)};
                check({two, 2});
                if (a >= 0xE0 && a <= 0xEF) {
                    for (int c = 0; c < 256; ++c) {
                        const char three[] = {char(a), char(b), char(c)};
                        check({three, 3});
                    }
                }
                if (a >= 0xF0 && a <= 0xF7) {
                    for (char c : {'\x80', '\xBF', 'A'}) {
                        const char four[] = {char(a), char(b), c, '\x80'};
                        check({four, 4});
                    }
                }
            }
        }
    });
}

TEST(Cp932Tables, LongTextsAndFailuresInsideThem) {
    // ASCII runs longer and shorter than the eight-byte steps, then Japanese,
    // a refused byte after a long run, and a short text after a long one (the
    // scratch buffer is reused).
    std::string ascii = "[Team]\r\nname=abcdefghijklmnopq\r\n";
    std::string text = ascii;
    for (int i = 0; i < 500; ++i)
        text += "0012\x94\x5C\x97\xCD=\x83\x5C A B \xB1\xB2 12345678\r\n" + ascii.substr(0, i % 17);
    expectSame(true, [&](auto check) {
        check(text);
        check(text + "\x81");                     // lead byte at the end
        check(text + "\xFF" + ascii);             // refused byte in the middle
        check(ascii + "\x81\x20" + text);         // lead byte without its second byte
        check("\x83\x5C");                        // short after long
        check(std::string_view(ascii.data(), 0)); // empty
    });
    std::string utf8;
    std::size_t failedAt = 0;
    ASSERT_TRUE(Cp932Tables::instance().toUtf8(text, utf8, failedAt));
    expectSame(false, [&](auto check) {
        check(utf8);
        check(utf8 + "𠮷" + ascii);
        check(ascii + utf8.substr(0, utf8.size() - 1)); // cut inside a character
        check("ｱ\\~");
    });
}

TEST(Cp932Tables, SourceDataIsWhatTheGeneratorMakesOfTheConverter) {
    const std::string generated = cp932gen::generateTableSource();
    const std::string stored = test::readBytes(TENVOLL_SOURCE_DIR "/league/Cp932Data.inc");
    EXPECT_TRUE(generated == stored)
        << "league/Cp932Data.inc is stale: run generate-cp932-tables league/Cp932Data.inc";
}
