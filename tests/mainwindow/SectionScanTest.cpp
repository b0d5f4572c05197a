// The section walk reads exactly what IniStore::parse reads.
#include "mainwindow/SectionScan.h"
#include "league/IniStore.h"
#include "league/Kyoutuu.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tenvoll;

TEST(SectionScan, SeesTheSectionsAndKeysIniStoreSees) {
    const std::string text = "preamble=1\r\n"
                             "  [ Ａbc ]  \r\n"
                             "key = value with blanks \r\n"
                             "; comment=x\r\n"
                             "raw line\r\n"
                             "\r\n"
                             "Key=second\n"
                             "[]\r"
                             "empty=\r\n"
                             "[Ａbc]\r\n"
                             "k=[not a section]\r\n";
    IniStore store = IniStore::parse(text);
    std::vector<std::string> names;
    std::vector<std::string> renamed;
    scanSections(text, [&](const ScannedSection& s) {
        names.emplace_back(s.name);
        const IniSection& same = store.sectionAt(names.size() - 1);
        ASSERT_EQ(s.keys.size(), same.keys().size());
        for (std::size_t i = 0; i < s.keys.size(); ++i) {
            EXPECT_EQ(s.keys[i].key, same.keys()[i]->key);
            EXPECT_EQ(s.keys[i].value, same.keys()[i]->value);
        }
        IniStore copy = renamedSection(s.text, "(1)" + std::string(s.name));
        ASSERT_EQ(copy.sectionCount(), 1u);
        EXPECT_EQ(copy.sectionAt(0).lines().size(), same.lines().size());
        renamed.push_back(copy.serialize());
    });
    EXPECT_EQ(names, store.sectionNames());
    ScannedSection first;
    scanSections(text, [&](const ScannedSection& s) {
        if (first.name.empty())
            first = s;
    });
    EXPECT_EQ(*first.find("KEY"), " value with blanks ");
    EXPECT_EQ(renamed[0],
              "[(1)Ａbc]\r\nkey= value with blanks \r\n; comment=x\r\nraw line\r\nKey=second\r\n");
    EXPECT_EQ(renamed[2], "[(1)Ａbc]\r\nk=[not a section]\r\n");
}

TEST(SectionScan, HeaderWalkGivesTheSectionsOfTheFullWalk) {
    const std::string texts[] = {
        "pre [x]\r\n[a]\r\nk=v \r\n \t \r\n\r\n\t[ b ]\t\r\nraw [y]\r\n[c]x\r\n[]",
        "[a]\rk=1\r\r\n[b]\n\n\nk=[z]\n  \n[a]\r\nlast=  ",
        "no sections [here]\r\n",
        "[only]",
        "[s]\r\nk=v\r\n[ \r\n]\r\n[t]\r\n \r\n",
        "",
    };
    for (const std::string& text : texts) {
        std::vector<std::pair<std::string, std::string>> full, headers;
        scanSections(text, [&](const ScannedSection& s) { full.emplace_back(s.name, s.text); });
        scanSectionHeaders(text,
                           [&](const ScannedHeader& s) { headers.emplace_back(s.name, s.text); });
        EXPECT_EQ(headers, full) << text;
    }
}

// Every limit, from none to past the last field: the views are the first fields
// splitFields gives, and stay readable after the call when a quoted field (or
// the empty one after a final comma) is among them.
TEST(SectionScan, FieldViewsSplitAsSplitFieldsDoes) {
    for (std::string_view line :
         {"", "   ", "名前 テ .300 140 ", " a,b ,, c,", ",x\t y\r", "\"two words\" b \"\"",
          "a\"b c", "a ,", "a, ,b", "a b \"c d\" e", "\"\",x", "a,b,"}) {
        const std::vector<std::string> fields = splitFields(line);
        for (std::size_t limit = 0; limit <= fields.size() + 1; ++limit) {
            std::vector<std::string_view> views;
            std::vector<std::string> quoted;
            splitFieldViews(line, views, quoted, limit);
            const std::vector<std::string> expected(
                fields.begin(), fields.begin() + std::ptrdiff_t(std::min(limit, fields.size())));
            EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), expected)
                << line << " " << limit;
        }
    }
}
