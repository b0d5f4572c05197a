// Text codec: cp932 and UTF-8 decoding, messages for bad bytes and for
// characters cp932 cannot hold, line splitting and cp932 byte widths.
#include "league/TextCodec.h"
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

// "ソ表能十" in cp932: every second byte is 0x5C, the backslash.
constexpr std::string_view kBackslashNamesCp932 = "\x83\x5C\x95\x5C\x94\x5C\x8F\x5C";

std::string errorOf(std::string_view bytes) {
    try {
        decodeFileBytes(bytes, "/league/team.txt");
    } catch (const LeagueError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(TextCodec, DecodesCp932AndUtf8) {
    struct Case {
        std::string bytes;
        std::string text;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"\x8E\x8E\x8D\x87\x90\x94", "試合数", TextEncoding::Cp932},
        {std::string(kBackslashNamesCp932) + "\\", "ソ表能十\\", TextEncoding::Cp932},
        {"\xEF\xBB\xBF試合数\r\n", "試合数\r\n", TextEncoding::Utf8},
        {"試合数", "試合数", TextEncoding::Utf8},
        {"plain ascii\r\n", "plain ascii\r\n", TextEncoding::Utf8},
        // Half-width katakana "ﾃｱ" is byte-wise valid UTF-8 ("ñ"): still cp932.
        {"\xC3\xB1 \xC3\xB1", "ﾃｱ ﾃｱ", TextEncoding::Cp932},
        {"\xB1\xB2\xB3", "ｱｲｳ", TextEncoding::Cp932},
    };
    for (const auto& c : cases) {
        DecodedText d = decodeFileBytes(c.bytes, "f.txt");
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.encoding, c.encoding) << c.text;
    }
}

TEST(TextCodec, BadBytesNameTheFileAndTheLine) {
    EXPECT_EQ(errorOf("a\r\nb\r\n\x80\x80"),
              "文字コードを読み取れません (Shift-JIS でも UTF-8 でもありません): "
              "/league/team.txt の 3 行目");
    EXPECT_NE(errorOf("a\rb\rc\n\xFF").find("の 4 行目"), std::string::npos);
    // A lead byte cut off at the end of the file.
    EXPECT_NE(errorOf("\x8E\x8E\r\n\x8E").find("の 2 行目"), std::string::npos);
    // A BOM does not make broken UTF-8 readable.
    EXPECT_NE(errorOf("\xEF\xBB\xBF\xFF").find("の 1 行目"), std::string::npos);
}

TEST(TextCodec, BackslashCharactersRoundTrip) {
    std::string text = decodeFileBytes(kBackslashNamesCp932, "f").text;
    EXPECT_EQ(encodeCp932(text, "f"), kBackslashNamesCp932);
    EXPECT_EQ(encodeCp932("ｱ\\~", "f"), "\xB1\\~");
}

TEST(TextCodec, UnencodableCharacterFailsTheSaveAndWritesNothing) {
    TempFolder dir;
    std::string path = dir.file("team.txt");
    test::writeBytes(path, "[Team]\r\n");
    try {
        encodeCp932("[A]\r\nk=𠮷田\r\n", path);
        FAIL() << "no error";
    } catch (const LeagueError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "「𠮷」(U+20BB7) は Shift-JIS (cp932) で表せない文字のため保存できません: " +
                      path + " の 2 行目");
    }
    IniStore ini = IniStore::parse("[𠮷田]\r\nk=1\r\n");
    EXPECT_THROW(ini.save(path), LeagueError);
    EXPECT_THROW(writeTextFileAtomic(dir.file("new.txt"), "한"), LeagueError);
    EXPECT_EQ(test::snapshotFolder(dir.path()),
              (std::vector<std::pair<std::string, std::string>>{{"team.txt", "[Team]\r\n"}}));
}

TEST(TextCodec, SplitsAtEveryLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitLines(""), std::vector<std::string>{});
    EXPECT_EQ(joinCrlf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

// The search for a line end, at every start, against a search byte by byte;
// the texts hold CR, LF, both and neither, bytes close to them and above 0x80.
TEST(TextCodec, FindsTheFirstLineEndFromEveryStart) {
    const std::string bytes = std::string("ab\x0b\x0c\x0e\x8a\x8d\xff\x0a\x0d", 10);
    unsigned seed = 3;
    auto nextRandom = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const std::size_t size = nextRandom() % 80;  // several 16-byte blocks and a tail
        const unsigned rare = 1 + nextRandom() % 16; // line ends from dense to rare
        for (std::size_t i = 0; i < size; ++i) {
            unsigned r = nextRandom() >> 8;
            text += r % rare == 0 ? bytes[8 + r / rare % 2] : bytes[r / rare % 8];
        }
        for (std::size_t pos = 0; pos <= text.size(); ++pos) {
            std::size_t expected = text.find_first_of("\r\n", pos);
            EXPECT_EQ(findLineEnd(text, pos),
                      expected == std::string::npos ? text.size() : expected)
                << round << " " << pos;
        }
    }
}

TEST(TextCodec, CountsAndPadsCp932Bytes) {
    struct Case {
        std::string text;
        std::size_t width;
    };
    const Case cases[] = {{"", 0},    {"abc", 3},     {"能見ソウイチロウ", 16},
                          {"ｱｲｳ", 3}, {"ﾃｽﾄ選手", 7}, {"Ａ", 2},
                          {"｡", 1},   {"ﾟ", 1},       {"ﾊﾟ｡", 3}};
    for (const auto& c : cases)
        EXPECT_EQ(cp932Width(c.text), c.width) << c.text;

    EXPECT_EQ(padToWidth("能見ソウイチロウ", 16, true), "能見ソウイチロウ");
    EXPECT_EQ(padToWidth("能見ソウイチロウ十", 16, true), "能見ソウイチロウ十");
    EXPECT_EQ(padToWidth("ｱｲｳ", 16, true), "ｱｲｳ" + std::string(13, ' '));
    EXPECT_EQ(padToWidth("打者", 6, false), "  打者");
    EXPECT_EQ(encodeCp932(padToWidth("ﾃｽﾄ選手", 16, true), "f").size(), 16u);
}
