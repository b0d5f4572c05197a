// INI store: file order, case-insensitive names, duplicates, malformed lines,
// writes in place, round trips and the hashed look-up of big sections.
#include "league/IniStore.h"
#include "league/FileAccess.h"
#include "league/LeagueError.h"
#include "support/TestFiles.h"

#include <memory>

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

std::string keysOf(const IniSection& s) {
    std::string out;
    for (const IniLine* l : s.keys())
        out.append(l->key).append("=").append(l->value).append("|");
    return out;
}

} // namespace

TEST(IniStore, KeepsOrderAndFindsNamesIgnoringCase) {
    IniStore ini =
        IniStore::parse("[Main]\r\nTeam1=\\a.txt\r\n[ｂｉｇ]\r\nKey=1\r\n[Ｍｉｘ]\r\nａＢc=2\r\n");
    EXPECT_EQ(ini.value("main", "TEAM1"), "\\a.txt");
    EXPECT_EQ(ini.value("ＢＩＧ", "key"), "1");
    EXPECT_EQ(ini.value("ｍＩＸ", "ＡｂC"), "2");
    // Full-width and half-width letters are different characters.
    EXPECT_FALSE(ini.hasSection("big"));
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Main", "ｂｉｇ", "Ｍｉｘ"}));
}

// Files the program writes come back byte for byte: values keep leading and
// trailing blanks and further "=", raw lines and the preamble keep their place.
TEST(IniStore, RoundTripsItsOwnFilesByteForByte) {
    const std::vector<std::string> texts = {
        "",
        "[Team]\r\n1軍チーム名=  暁星ペガサス 暁星 ◆ 暁星球場\r\n0=P 表十ソ能\r\n",
        "[選手]\r\n0003能力=D 名前             右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 "
        "\r\n"
        "コメント=\r\n式=a=b=c\r\n",
        "preamble line\r\n;comment\r\n[A]\r\nraw line without equals\r\n; "
        "note=1\r\nk=v\r\n[]\r\nx=1\r\n",
        "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n",
        "[2]\r\n四死球=1,2,3\r\n四死球=4,5,6\r\n",
    };
    for (const auto& text : texts)
        EXPECT_EQ(IniStore::parse(text).serialize(), text) << text;
}

// A section never read is written from its loaded text when that text is
// already as writing makes it; every other text must come out as its split
// lines write it, line ends, blanks and all.
TEST(IniStore, UnreadSectionsWriteAsTheirSplitLines) {
    const std::vector<std::string> bodies = {
        "k=1\r\nj=2\r\n",        // as written: taken as it is
        "k=1\r\nj=2",            // last line without its end
        "k=1\nj=2\r\n",          // a lone LF
        "k=1\rj=2\r\n",          // a lone CR
        "k=1\r\r\nj=2\r\n",      // CR CR LF
        "k=1\r\n\r\nj=2\r\n",    // an empty line
        "k=1\r\n \t\r\nj=2\r\n", // a blank line
        " k=1\r\n",              // blank before a key
        "k =1\r\n",              // blank after a key
        "k\t=1\r\n",
        "k= 1 \r\n", // blanks of a value stay
        "=1\r\n",    // an empty key
        "; a = b\r\nraw line\r\n ;x\r\n",
        "式=a=b=c\r\n能力=右 普 A \r\n",
    };
    for (const std::string& body : bodies) {
        const std::string text = "pre\r\n[A]\r\n" + body + "\r\n[B]\r\n" + body;
        IniStore unread = IniStore::parse(text);
        IniStore split = IniStore::parse(text);
        for (std::size_t i = 0; i < split.sectionCount(); ++i)
            split.sectionAt(i).lines();
        std::string expected = split.serialize();
        EXPECT_EQ(unread.serialize(), expected) << body;
        const IniStore fresh = IniStore::parse(text);
        ASSERT_NE(fresh.section("B"), nullptr) << body;
        std::string sectionText;
        appendSectionText(sectionText, *fresh.section("B"));
        EXPECT_EQ(sectionText, expected.substr(expected.rfind("[B]"))) << body;
        EXPECT_EQ(sectionTextSize(*IniStore::parse(text).section("B")), sectionText.size()) << body;
    }
    // Lines set after loading are written, not the loaded text.
    IniStore changed = IniStore::parse("[A]\r\nk=1\r\n");
    changed.set("A", "k", "2");
    EXPECT_EQ(changed.serialize(), "[A]\r\nk=2\r\n");
}

TEST(IniStore, ReadsEveryLineEnd) {
    for (std::string_view text :
         {"[A]\nk=1\nj=2\n", "[A]\rk=1\rj=2", "[A]\r\nk=1\r\nj=2\r\n", "[A]\r\n\r\nk=1\n\rj=2"}) {
        IniStore ini = IniStore::parse(text);
        EXPECT_EQ(ini.serialize(), "[A]\r\nk=1\r\nj=2\r\n") << text;
    }
}

TEST(IniStore, MalformedLinesAreKeptButAreNoKeys) {
    IniStore ini = IniStore::parse("k=before\r\nloose\r\n[]\r\nempty=1\r\n[S]\r\nno equals sign\r\n"
                                   ";k=commented\r\n  key with blanks  = value \r\n[x\r\n");
    EXPECT_EQ(ini.preamble(), (std::vector<std::string>{"k=before", "loose"}));
    EXPECT_FALSE(ini.hasSection("k"));
    EXPECT_EQ(ini.value("", "empty"), "1");
    const IniSection& s = *ini.section("S");
    EXPECT_EQ(keysOf(s), "key with blanks= value |");
    EXPECT_EQ(s.lines().back().key, "[x");
    EXPECT_FALSE(s.has("no equals sign"));
    EXPECT_FALSE(s.has(";k"));
    EXPECT_EQ(s.lines().size(), 4u);
}

TEST(IniStore, DuplicatesStayInPlaceAndTheFirstOneAnswers) {
    IniStore ini = IniStore::parse("[A]\r\nk=1\r\nK=2\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(ini.value("A", "k"), "1");
    EXPECT_EQ(keysOf(*ini.section("a")), "k=1|K=2|");
    ini.set("a", "K", "9");
    EXPECT_EQ(ini.serialize(), "[A]\r\nk=9\r\nK=2\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\n");

    ini.section("A")->remove("k");
    ini.removeSection("A");
    EXPECT_EQ(ini.serialize(), "[B]\r\nx=1\r\n");

    ini.appendSection("b").append("y", "2");
    EXPECT_EQ(ini.value("B", "y"), "");
    EXPECT_EQ(ini.serialize(), "[B]\r\nx=1\r\n[b]\r\ny=2\r\n");
}

TEST(IniStore, WritesReplaceInPlaceAndAppendAtTheEnds) {
    IniStore ini = IniStore::parse("[Main]\r\nTeam1=a\r\nTeam2=b\r\n[L]\r\nn=1\r\n");
    ini.set("MAIN", "team1", "c");  // in place, the stored name kept
    ini.set("main", "機構名", "x"); // new key: end of its section
    ini.set("新", "k", "v");        // new section: end of the file
    EXPECT_EQ(ini.serialize(),
              "[Main]\r\nTeam1=c\r\nTeam2=b\r\n機構名=x\r\n[L]\r\nn=1\r\n[新]\r\nk=v\r\n");
}

TEST(IniStore, ReadsNumbersAndBooleansWithFallbacks) {
    IniStore ini = IniStore::parse("[P]\r\n新規=12\r\n最終=x\r\n投手=0\r\n他=2\r\n空=\r\n");
    const IniSection& p = *ini.section("P");
    EXPECT_EQ(p.integer("新規", 0), 12);
    EXPECT_EQ(p.integer("最終", 7), 7);
    EXPECT_EQ(p.integer("無い", -1), -1);
    EXPECT_FALSE(p.boolean("投手", true));
    EXPECT_TRUE(p.boolean("他", false));
    EXPECT_TRUE(p.boolean("空", true));
    EXPECT_TRUE(p.boolean("無い", true));
    EXPECT_EQ(ini.integer("無い", "k", 5), 5);
}

// Sections of a team file have hundreds of keys and are looked up through an
// index; every write must keep it right.
TEST(IniStore, BigSectionsStayConsistentThroughWrites) {
    IniStore ini;
    IniSection& s = ini.ensureSection("選手");
    for (int i = 0; i < 200; ++i)
        s.append("Key" + std::to_string(i), std::to_string(i));
    EXPECT_EQ(s.value("KEY150"), "150"); // builds the index
    s.append("Ｎｅｗ", "n");
    s.append("Later", "l");
    EXPECT_EQ(s.value("LATER"), "l");
    s.set("key10", "ten");
    EXPECT_TRUE(s.remove("KEY5"));
    EXPECT_EQ(s.value("ｎｅｗ"), "n");
    EXPECT_EQ(s.value("Key10"), "ten");
    EXPECT_EQ(s.value("key199"), "199");
    EXPECT_FALSE(s.has("Key5"));
    s.set("key5", "back");
    EXPECT_EQ(s.lines().back().key, "key5");
    EXPECT_EQ(s.keys().size(), 202u);

    IniStore copy = ini;
    copy.section("選手")->set("Key0", "changed");
    copy.ensureSection("追加");
    EXPECT_EQ(ini.value("選手", "Key0"), "0");
    EXPECT_EQ(copy.value("選手", "Key0"), "changed");
    EXPECT_EQ(ini.sectionCount(), 1u);
    EXPECT_EQ(copy.value("選手", "key199"), "199");
}

TEST(IniStore, MovingSectionsBetweenStoresKeepsLookups) {
    IniStore a = IniStore::parse("[A]\r\nk=1\r\n");
    IniStore b = IniStore::parse("[B]\r\nk=2\r\n[a]\r\nk=3\r\n");
    a.appendSectionsFrom(std::move(b));
    EXPECT_EQ(a.value("b", "k"), "2");
    EXPECT_EQ(a.value("A", "k"), "1");
    a.removeSectionsIf([](const IniSection& s) { return s.name() == "A"; });
    EXPECT_EQ(a.value("A", "k"), "3");
    EXPECT_EQ(b.sectionCount(), 0u);
}

TEST(IniStore, SavesCp932AndLoadsEitherEncoding) {
    TempFolder dir;
    IniStore ini = IniStore::parse("[表]\r\n能=十ソ \r\n");
    ini.save(dir.file("a.ini"));
    EXPECT_EQ(test::readBytes(dir.file("a.ini")), "[\x95\x5C]\r\n\x94\x5C=\x8F\x5C\x83\x5C \r\n");
    EXPECT_EQ(IniStore::load(dir.file("a.ini")).value("表", "能"), "十ソ ");

    test::writeBytes(dir.file("u.ini"), "\xEF\xBB\xBF[表]\r\n能=1\r\n");
    EXPECT_EQ(IniStore::load(dir.file("u.ini")).value("表", "能"), "1");
    EXPECT_THROW(IniStore::load(dir.file("missing.ini")), LeagueError);
}

// Sections are found by their "[" alone: one that is indented, followed by
// blanks or ended by any line end starts a section; one inside a line, without
// its "]" or with text after it does not.
TEST(IniStore, FindsHeadersOnlyWhereTheyStartALine) {
    struct Case {
        std::string_view text;
        std::string_view written;
    };
    const Case cases[] = {
        {"  [A] \t\r\nk=[B]\r\n x[C]\r\n[D\r\n[E]f\r\n", "[A]\r\nk=[B]\r\n x[C]\r\n[D\r\n[E]f\r\n"},
        {"p=[Q]\n\t[ A ]\nk=1\r[B]\r\n\r\n[]", "p=[Q]\r\n[A]\r\nk=1\r\n[B]\r\n[]\r\n"},
        {"[A]\r\n[[B]]\r\n[C]=1\r\n[", "[A]\r\n[[B]]\r\n[C]=1\r\n[\r\n"},
        {"\r\n\r\n[A]k\r\n[A]", "[A]k\r\n[A]\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniStore::parse(c.text).serialize(), c.written) << c.text;

    IniStore ini = IniStore::parse(cases[0].text);
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(ini.value("A", "k"), "[B]");
    EXPECT_EQ(IniStore::parse(cases[1].text).sectionNames(),
              (std::vector<std::string>{"A", "B", ""}));
    EXPECT_EQ(IniStore::parse(cases[2].text).sectionNames(),
              (std::vector<std::string>{"A", "[B]"}));
}

// Values set after loading belong to their section: they outlive the store
// they came from, copies keep their own, and a value may be set from another
// line of the same section.
TEST(IniStore, ChangedValuesOutliveTheirStoreAndCopies) {
    std::unique_ptr<IniSection> kept;
    IniStore copy;
    {
        IniStore ini = IniStore::parse("[A]\r\nk=1\r\nj=2\r\n[B]\r\nx=loaded\r\n");
        ini.section("A")->set("k", std::string("changed"));
        ini.section("A")->set("j", *ini.section("A")->find("k"));
        ini.section("A")->append("new", "3");
        ini.section("A")->appendRaw("raw");
        kept = std::make_unique<IniSection>(*ini.section("A"));
        copy = ini;
        ini.section("A")->set("k", "again");
    }
    EXPECT_EQ(keysOf(*kept), "k=changed|j=changed|new=3|");
    EXPECT_EQ(copy.serialize(),
              "[A]\r\nk=changed\r\nj=changed\r\nnew=3\r\nraw\r\n[B]\r\nx=loaded\r\n");

    IniSection assigned("other");
    assigned = *kept;
    kept.reset();
    EXPECT_EQ(assigned.value("J"), "changed");
    EXPECT_EQ(assigned.lines().back().key, "raw");

    IniStore target = IniStore::parse("[T]\r\n");
    target.appendSectionsFrom(std::move(copy));
    EXPECT_EQ(target.value("B", "x"), "loaded");
    EXPECT_EQ(target.value("a", "NEW"), "3");
}
