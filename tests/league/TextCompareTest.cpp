// Comparing names ignoring case: ASCII and full-width Latin letters only, at
// any length (the comparison reads eight bytes at a time).
#include "league/TextCompare.h"

#include <gtest/gtest.h>

#include <string>

using namespace tenvoll;

TEST(TextCompare, LettersOfEitherCaseAreEqualAndNothingElseIs) {
    EXPECT_TRUE(equalsIgnoreCase("Reds", "rEDS"));
    EXPECT_TRUE(equalsIgnoreCase("ＲＥＤＳ二軍", "ｒｅｄｓ二軍"));
    EXPECT_TRUE(equalsIgnoreCase("", ""));
    // Bytes that differ only in the bits folding changes, but are no letters.
    EXPECT_FALSE(equalsIgnoreCase("@", "`"));
    EXPECT_FALSE(equalsIgnoreCase("B", "C"));
    EXPECT_FALSE(equalsIgnoreCase("[", "{"));
    EXPECT_FALSE(equalsIgnoreCase("\xEF\xBC\xA1", "\xEF\xBD\xA1")); // Ａ against EF BD A1
    EXPECT_FALSE(equalsIgnoreCase("Ａ", "Ｂ"));
    EXPECT_FALSE(equalsIgnoreCase("Reds", "Red"));
    // A difference in the ninth or last byte, past the first eight.
    EXPECT_FALSE(equalsIgnoreCase("abcdefghX", "abcdefghY"));
    EXPECT_TRUE(equalsIgnoreCase("abcdefghijklmnoP", "ABCDEFGHIJKLMNOp"));
    EXPECT_FALSE(equalsIgnoreCase("abcdefghijklmnoP", "ABCDEFGHIJKLMNOq"));
    EXPECT_EQ(foldCase("ＡbＣ組"), "ａbｃ組");
}

TEST(TextCompare, CaseBlindHashIsTheSameForTextsEqualIgnoringCase) {
    for (std::string_view s : {"", "Reds", "ＲＥＤＳ二軍チーム", "x1234567Y1234567Z"})
        EXPECT_EQ(caseBlindHash(s), caseBlindHash(foldCase(s))) << s;
    EXPECT_NE(caseBlindHash("レッズ"), caseBlindHash("ブルーズ"));
    EXPECT_NE(caseBlindHash("a"), caseBlindHash(std::string("a\0", 2)));
}
