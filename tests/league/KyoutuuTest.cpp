// Shared helpers: field splitting, whole numbers, ability and aptitude texts,
// grade ranks and career totals.
#include "league/Kyoutuu.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/TeamFile.h"

#include <gtest/gtest.h>

#include <limits>

#include <optional>

using namespace tenvoll;

namespace {

using Fields = std::vector<std::string>;

const Fields kBatterLine = {"D", "打者一", "右", "普", "A", "B", "C", "D",  "E",  "S",
                            "A", "B",      "C",  "D",  "E", "S", "A", "10", "12", "300"};
const Fields kPitcherLine = {"P", "投手一", "右", "先", "145", "A",  "B",
                             "C", "4",      "D",  "E",  "8",   "320"};

Fields with(Fields f, std::size_t i, std::string v) {
    f[i] = std::move(v);
    return f;
}

Fields plus(Fields f, const Fields& more) {
    f.insert(f.end(), more.begin(), more.end());
    return f;
}

} // namespace

TEST(SplitFields, BlanksCommasAndQuotes) {
    struct Case {
        std::string line;
        Fields fields;
    };
    const Case cases[] = {
        {"", {}},
        {" \t ", {}},
        {"a b  c", {"a", "b", "c"}},
        {"\t a\tb\r", {"a", "b"}},
        {"a,b", {"a", "b"}},
        {"a , b", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a, ,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}}, // the comma is not the very last character
        {"\"x y\",z", {"x y", "z"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"\"", {""}},
        {"\"open to the end", {"open to the end"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"a\"b\"", {"a\"b\""}},
        {"暁星ペガサス,暁星ヤングペガサス,\\サンプルリーグ\\team01.txt",
         {"暁星ペガサス", "暁星ヤングペガサス", "\\サンプルリーグ\\team01.txt"}},
        {"P 表十ソ能", {"P", "表十ソ能"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitFields(c.line), c.fields) << c.line;
    EXPECT_EQ(joinFields({"a", "", "b"}), "a  b ");
    EXPECT_EQ(joinFields({"a", "b", "c", "d"}, 1, 3), "b c ");
    EXPECT_EQ(joinFields({"a"}, 3), "");
}

TEST(Kyoutuu, QuotedFieldsSplitBackUnchanged) {
    const std::vector<std::vector<std::string>> lists = {
        {"レッズ", "レッズ二軍", "\\My Teams\\a.txt"},
        {"a,b", "say \"hi\"", "\"", ""},
        {" lead", "trail ", "tab\there", "\"x\"y"},
        {"", "", ""},
    };
    for (const auto& fields : lists)
        EXPECT_EQ(splitFields(joinQuotedFields(fields)), fields) << joinQuotedFields(fields);
    EXPECT_EQ(joinQuotedFields({"a", "b c", "d"}), "a,\"b c\",d");
    EXPECT_EQ(quoteField("x\"y"), "\"x\"\"y\"");
}

// The long-field search against the plain split of every line, on texts made
// of fields of every length, every separator, line end and quote.
TEST(SplitFields, LongFieldsAsTheLinesSplitThem) {
    const std::vector<std::string_view> pieces = {
        "a",  "名前", "ＡＢ", " ", "\t", ",", "\r", "\n", "\r\n", "xyz", std::string_view("\0", 1),
        ",,", "  "};
    unsigned seed = 7;
    auto nextRandom = [&] { return seed = seed * 1103515245u + 12345u; };
    std::string scratch;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const std::size_t count = nextRandom() % 40;
        for (std::size_t i = 0; i < count; ++i)
            text += pieces[(nextRandom() >> 8) % pieces.size()];
        if (round % 4 == 3)
            text.insert(text.size() / 2, "\"q \"\"x");
        for (std::size_t minLength = 0; minLength <= 7; ++minLength) {
            std::vector<std::string> expected, found;
            for (const std::string& line : splitLines(text))
                for (std::string& field : splitFields(line))
                    if (field.size() >= minLength)
                        expected.push_back(std::move(field));
            forEachLongField(text, minLength, scratch,
                             [&](std::string_view field) { found.emplace_back(field); });
            EXPECT_EQ(found, expected) << "[" << text << "] " << minLength;
        }
    }
}

TEST(Numbers, WholeNumbersAsTheFilesWriteThem) {
    struct Case {
        std::string text;
        std::optional<long long> value;
    };
    const Case cases[] = {
        {"12", 12},
        {" 7", 7},
        {"+3", 3},
        {"-4", -4},
        {"$1F", 31},
        {"$00FF0000", 0xFF0000},
        {"9223372036854775807", 9223372036854775807LL},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"１２", std::nullopt},
        {"9223372036854775808", std::nullopt},
        {"18446744073709551616", std::nullopt}, // 2^64 must not wrap to 0
        {"99999999999999999999", std::nullopt},
        {"$FFFFFFFFFFFFFFFFF", std::nullopt},
        {"$8000000000000000", std::nullopt},
        {"$7FFFFFFFFFFFFFFF", 9223372036854775807LL},
        {"-9223372036854775808", std::nullopt}, // the magnitude must fit too
        {"000000000000000000000000042", 42},    // leading zeros never overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(c.text), c.value) << c.text;

    EXPECT_EQ(parseWithoutPoints(".312"), 312);
    EXPECT_EQ(parseWithoutPoints("3.45"), 345);
    EXPECT_EQ(parseWithoutPoints("1.000"), 1000);
    EXPECT_EQ(parseWithoutPoints(" - 1 . 5"), -15);
    // Longer than any cell: the same rules.
    EXPECT_EQ(parseWithoutPoints(std::string(40, '0') + "1.2" + std::string(30, ' ')), 12);
    EXPECT_EQ(parseWithoutPoints(std::string(40, '9') + ".9"), std::nullopt);
    EXPECT_EQ(parseWithoutPoints("-.--"), std::nullopt);

    EXPECT_EQ(termText(12), "0012");
    EXPECT_EQ(termText(0), "0000");
    EXPECT_EQ(termText(12345), "12345");
    // Negative terms (a damaged 最終) keep the printf form, sign before the zeros.
    EXPECT_EQ(termText(-5), "-0005");
    EXPECT_EQ(termText(-123456), "-123456");
    EXPECT_EQ(termText(std::numeric_limits<long long>::min()), "-9223372036854775808");
    EXPECT_EQ(termText(std::numeric_limits<long long>::max()), "9223372036854775807");
    EXPECT_EQ(termKey(7, kAbility), "0007能力");
    EXPECT_EQ(termKey(0, kAffiliation), "0000所属");
}

TEST(Numbers, TwoDecimalsRoundHalfAwayFromZero) {
    struct Case {
        long long num, den;
        std::string text;
    };
    const Case cases[] = {{1, 8, "0.13"},   {5, 8, "0.63"},   {1, 200, "0.01"},  {1, 201, "0.00"},
                          {2, 3, "0.67"},   {1, 3, "0.33"},   {0, 5, "0.00"},    {7, 0, "0.00"},
                          {10, 1, "10.00"}, {-1, 8, "-0.13"}, {-1, 1000, "0.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(ratioTwoDecimals(c.num, c.den), c.text) << c.num << "/" << c.den;
}

TEST(GradeRank, LettersNumbersAndTheRest) {
    const std::pair<std::string, long long> cases[] = {
        {"S", 6}, {"A", 5}, {"B", 4}, {"C", 3}, {"D", 2}, {"E", 1}, {"12", 12},
        {"0", 0}, {"*", 0}, {"", 0},  {"s", 0}, {"F", 0}, {"Ｓ", 0}};
    for (const auto& [value, rank] : cases)
        EXPECT_EQ(gradeRank(value), rank) << value;
}

TEST(AbilityText, PadsTheGameColumns) {
    EXPECT_EQ(abilityText(kBatterLine),
              "D 打者一           右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 ");
    EXPECT_EQ(abilityText(kPitcherLine),
              "P 投手一           右 先  145  A  B  C  4  D  E   8  320 ");
    // Eight full-width characters fill the name column; a longer name is not cut.
    EXPECT_EQ(abilityText(with(kBatterLine, 1, "能見ソウイチロウ")),
              "D 能見ソウイチロウ 右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 ");
    EXPECT_EQ(abilityText(with(kPitcherLine, 1, "勅使河原ソウイチロウ")),
              "P 勅使河原ソウイチロウ 右 先  145  A  B  C  4  D  E   8  320 ");
    // Half-width katakana take one byte each.
    EXPECT_EQ(abilityText(with(kPitcherLine, 1, "ﾃｽﾄ")),
              "P ﾃｽﾄ              右 先  145  A  B  C  4  D  E   8  320 ");
    // Fields past the layout (the aptitude part) do not change it.
    EXPECT_EQ(abilityText(plus(kPitcherLine, {";", "25", "A"})), abilityText(kPitcherLine));
    for (std::string code : {"-", "2", "9"})
        EXPECT_EQ(abilityText(with(kBatterLine, 0, code)).substr(1),
                  abilityText(kBatterLine).substr(1));
}

TEST(AbilityText, OtherCodesAndShortLines) {
    EXPECT_EQ(abilityText(with(kBatterLine, 0, "1")), "");
    EXPECT_EQ(abilityText(with(kBatterLine, 0, ";")), "");
    EXPECT_EQ(abilityText({}), "");
    EXPECT_THROW(abilityText(Fields(kBatterLine.begin(), kBatterLine.end() - 1)), LeagueError);
    EXPECT_THROW(abilityText(Fields(kPitcherLine.begin(), kPitcherLine.begin() + 12)), LeagueError);
    EXPECT_EQ(abilityLayout("P"), LineLayout::Pitcher);
    EXPECT_EQ(abilityLayout("p"), LineLayout::None);
}

TEST(AptitudeText, FieldsAfterTheSeparator) {
    Fields batter = plus(kBatterLine, {";", "25", "A", "B", "C", "D", "E", "S", "A"});
    Fields pitcher = plus(kPitcherLine, {";", "31", "S", "A"});
    EXPECT_EQ(aptitudeText(batter, false), "25 A B C D E S A ");
    EXPECT_EQ(aptitudeText(pitcher, true), "31 S A ");
    EXPECT_EQ(aptitudeText(kPitcherLine, true), "");
}

TEST(CareerTotals, BatterSumsCountsAndRecomputesRates) {
    std::vector<std::string> lines = {
        "打者一 試験 .300 100 400 120 20 3 10 50 5 40 60 8 4 .450 .364 ",
        "打者一 東軍 .250 50 100 25 5 1 2 10 1 10 20 2 1 .400 .318 "};
    // Slugging weighs doubles 2, triples 3 and home runs 1 on top of the hits.
    EXPECT_EQ(careerTotals(lines, false),
              "打者一 東軍 0.29 150 500 145 25 4 12 60 6 50 80 10 5 0.44 0.35 ");
    EXPECT_EQ(careerTotals({"a b .125 1 8 1 0 0 0 0 0 0 0 0 0 .125 .125 "}, false),
              "a b 0.13 1 8 1 0 0 0 0 0 0 0 0 0 0.13 0.13 ");
}

TEST(CareerTotals, PitcherInningsCountOutsAsThirds) {
    // 10 innings and 2 outs are 10 2/3 innings in both rates.
    EXPECT_EQ(careerTotals({"投手一 試験 4.22 5 0 1 2 0 0 10 2 12 1 4 10 5 .333 8.44 "}, true),
              "投手一 試験 4.22 5 0 1 2 0 0 10 2 12 1 4 10 5 0.33 8.44 ");
    // Outs are summed as they are and may exceed 2.
    EXPECT_EQ(careerTotals({"p t 0.00 1 0 0 0 0 0 0 2 0 0 0 1 0 .000 13.50 ",
                            "p t 0.00 1 0 0 0 0 0 0 2 0 0 0 1 0 .000 13.50 "},
                           true),
              "p t 0.00 2 0 0 0 0 0 0 4 0 0 0 2 0 0.00 13.50 ");
}

TEST(CareerTotals, NoLinesGiveZerosAndBrokenCountsFail) {
    EXPECT_EQ(careerTotals({}, true), "0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00 ");
    EXPECT_EQ(careerTotals({"   "}, false), "0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00 ");
    EXPECT_THROW(careerTotals({"a b .300 1O0 400 120 20 3 10 50 5 40 60 8 4 .450 .364 "}, false),
                 LeagueError);
    EXPECT_THROW(careerTotals({"a b .300 100 400 120"}, false), LeagueError);
}

TEST(CareerTotals, PlayerSectionSkipsEmptyTermsAndNamesThePlayer) {
    IniStore team = IniStore::parse(
        "[Team]\r\n0=D 打者一\r\n"
        "[打者一]\r\n新規=0\r\n最終=2\r\n投手=0\r\n"
        "0000成績=打者一 試験 .300 100 400 120 20 3 10 50 5 40 60 8 4 .450 .364 \r\n"
        "0001成績=\r\n"
        "0002成績=打者一 東軍 .250 50 100 25 5 1 2 10 1 10 20 2 1 .400 .318 \r\n"
        "0003成績=打者一 後 .000 1 1 0 0 0 0 0 0 0 0 0 0 .000 .000 \r\n"
        "[投手一]\r\n");
    recomputeAllCareerTotals(team);
    EXPECT_EQ(team.value("打者一", "通算成績"),
              "打者一 東軍 0.29 150 500 145 25 4 12 60 6 50 80 10 5 0.44 0.35 ");
    // No "投手" key reads as a pitcher, no terms as term 0 only.
    EXPECT_EQ(team.value("投手一", "通算成績"), "0 0 0.00 0 0 0 0 0 0 0 0 0 0 0 0 0 0.00 0.00 ");
    EXPECT_FALSE(team.section("Team")->has("通算成績"));

    team.set("投手一", "0000成績", "投手一 x 1.00 1 0 0 0 0 0 X 0 0 0 0 0 0 .000 0.00 ");
    try {
        recomputeAllCareerTotals(team);
        FAIL() << "no error";
    } catch (const LeagueError& e) {
        EXPECT_NE(std::string(e.what()).find("選手「投手一」"), std::string::npos) << e.what();
    }
}

// Sums and rates near the 64-bit limit are refused or exact, never wrapped;
// "新規"/"最終" at the limits bound the term loop without overflow.
TEST(CareerTotals, HugeValuesAreRefusedNotWrapped) {
    const std::string big = "名 チ .300 9223372036854775807 1 1 0 0 0 0 0 0 0 0 0 .3 .3";
    EXPECT_THROW(careerTotals({big, big}, false), LeagueError);
    EXPECT_THROW(
        careerTotals({"名 チ 1.00 1 0 0 0 0 0 9223372036854775807 0 0 0 0 0 1 .5 1.0"}, true),
        LeagueError);
    EXPECT_EQ(ratioTwoDecimals(9223372036854775807LL, 1), "9223372036854775807.00");
    EXPECT_EQ(ratioTwoDecimals(-9223372036854775807LL - 1, 3), "-3074457345618258602.67");
    EXPECT_EQ(ratioTwoDecimals(1, -9223372036854775807LL - 1), "0.00");

    IniSection player("名");
    player.set("新規", "-9223372036854775807");
    player.set("最終", "9223372036854775807");
    player.set(termKey(0, kStats), "名 チ .300 1 1 1 0 0 0 0 0 0 0 0 0 .3 .3 ");
    EXPECT_EQ(PlayerRecord(player).statisticsLines().size(), 0u); // only the first span
    player.set("新規", "0");
    EXPECT_EQ(PlayerRecord(player).statisticsLines().size(), 1u);
}
