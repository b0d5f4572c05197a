// Leading ASCII lines: for every read size, what is returned is the start of
// the lines a full read gives, never a line cut short or split inside a CR LF,
// and it stops at the first line that is not plain ASCII.
#include "league/LeadingLines.h"
#include "league/FileAccess.h"
#include "league/TextCodec.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::TempFolder;

TEST(LeadingLines, AreTheStartOfTheFullReadForEveryReadSize) {
    struct Case {
        std::string bytes;
        std::size_t asciiLines; // lines before the first non-ASCII one
    };
    const Case cases[] = {
        {"[Team]\r\n1=a\r\n2=b\r\n", 3},
        {"[Team]\n\nk=v\rlast", 4},            // LF, empty line, lone CR, no final line end
        {"a\r\r\nb\r\n\x94\x5C\r\nc\r\n", 3},  // cp932 line stops the walk
        {"\xEF\xBB\xBF[Team]\r\n", 0},         // BOM: the encoding needs the whole file
        {"x=1\r\n\xE8\x83\xBD\r\ny=2\r\n", 1}, // UTF-8 line
        {"", 0},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        std::string path = dir.file("f.txt");
        test::writeBytes(path, c.bytes);
        std::vector<std::string> full = splitLines(decodeFileBytes(c.bytes, path).text);
        for (std::size_t size = 1; size <= c.bytes.size() + 1; ++size) {
            std::vector<std::string> lead = leadingAsciiLines(path, size);
            ASSERT_LE(lead.size(), full.size()) << c.bytes << " @" << size;
            for (std::size_t i = 0; i < lead.size(); ++i) {
                EXPECT_EQ(lead[i], full[i]) << c.bytes << " @" << size;
            }
            if (size > c.bytes.size()) {
                EXPECT_EQ(lead.size(), c.asciiLines) << c.bytes;
            }
        }
    }
    EXPECT_TRUE(leadingAsciiLines(dir.file("missing.txt")).empty());
}
