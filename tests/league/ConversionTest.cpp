// Conversion of old-layout files: team mode (in place, complete or nothing)
// and unsigned mode (four-digit file beside the old one).
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/LeagueError.h"
#include "league/TeamFile.h"
#include "league/TeamFileConversion.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::TempFolder;

namespace {

std::string copyFixture(const TempFolder& dir, const std::string& name) {
    std::string path = dir.file(name);
    test::writeBytes(path, test::readBytes(test::fixture("conversion/" + name)));
    return path;
}

std::string sectionText(const IniStore& store, std::string_view name) {
    const IniSection* s = store.section(name);
    if (!s)
        return "missing section " + std::string(name);
    std::string out = "[" + s->name() + "]\n";
    for (const auto& l : s->lines())
        out.append(l.key).append("=").append(l.value).append("\n");
    return out;
}

// The roster of the fixture, slot by slot.
std::string expectedTeamSection() {
    const char* numbers[] = {"一", "二", "三",   "四",   "五",   "六",   "七",   "八",
                             "九", "十", "十一", "十二", "十三", "十四", "十五", "十六"};
    std::string out = "[Team]\n"
                      "1軍チーム名=  試験ペンギンズ 試験 ◆ 試験ペンギンズ球場\n"
                      "1軍UNIFORM=  UNI01H SYM01 BGM01\n"
                      "1軍監督=  監督一郎 1 2 3 4 5 6 7 8 9\n"
                      "2軍チーム名=  試験ヤングペンギンズ 試験二 ◆ 試験ヤングペンギンズ球場\n"
                      "2軍UNIFORM=  UNI01F SYM01 BGM01\n"
                      "2軍監督=  監督二郎 1 2 3 4 5 6 7 8 9\n"
                      "ツール=Mirel\n"
                      "0=D 打者一\n";
    for (int i = 1; i < 14; ++i)
        out += std::to_string(i) + "=" + std::to_string(2 + i % 8) + " 打者" + numbers[i] + "\n";
    out += "14=- 未登録2\n15=- 未登録1\n";
    for (int i = 0; i < 12; ++i)
        out += std::to_string(16 + i) + "=P 投手" + numbers[i] + "\n";
    for (int i = 0; i < 16; ++i)
        out += std::to_string(28 + i) + "=7 二軍打者" + numbers[i] + "\n";
    for (int i = 0; i < 12; ++i)
        out += std::to_string(44 + i) + "=P 二軍投手" + numbers[i] + "\n";
    return out;
}

void expectConversionFailure(const std::string& path, ConversionMode mode) {
    std::string before = test::readBytes(path);
    try {
        convertOldFile(path, mode);
        FAIL() << "no error for " << path;
    } catch (const LeagueError& e) {
        EXPECT_EQ(std::string(e.what()), kConversionFailed);
        EXPECT_FALSE(e.detail().empty());
    }
    EXPECT_EQ(test::readBytes(path), before);
}

} // namespace

TEST(Conversion, TeamFileInPlace) {
    TempFolder dir;
    std::string path = copyFixture(dir, "old-team-two-unregistered.txt");
    EXPECT_EQ(convertOldFile(path, ConversionMode::Team), path);
    IniStore team = IniStore::load(path);
    ASSERT_TRUE(isTeamFile(team));
    EXPECT_EQ(team.sectionCount(), 57u);
    EXPECT_EQ(sectionText(team, "Team"), expectedTeamSection());

    // Lines are newest first: "新規" ends as the oldest term. The newest line has
    // no team group, so its "所属" is empty.
    EXPECT_EQ(sectionText(team, "打者一"),
              "[打者一]\n新規=2\n最終=3\nツール=Mirel\nコメント=\n投手=0\n"
              "通算成績=打者一 試験 0.30 100 400 120 20 3 10 50 5 40 60 8 4 0.45 0.36 \n"
              "0002能力=D 打者一           右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 \n"
              "0002資質=25 A B C D E S A \n"
              "0002成績=打者一 試験 .300 100 400 120 20 3 10 50 5 40 60 8 4 .450 .364 \n"
              "0002所属=試験ペンギンズ\n"
              "0003能力=D 打者一           右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 \n"
              "0003資質=25 A B C D E S A \n0003成績=\n0003所属=\n");
    EXPECT_EQ(sectionText(team, "投手一"),
              "[投手一]\n新規=3\n最終=3\nツール=Mirel\nコメント=\n投手=1\n"
              "通算成績=投手一 試験 2.50 20 3 10 5 0 0 100 2 90 8 30 80 28 0.67 7.15 \n"
              "0003能力=P 投手一           右 先  145  A  B  C  4  D  E   8  320 \n"
              "0003資質=25 A B C D E S A \n"
              "0003成績=投手一 試験 2.50 20 3 10 5 0 0 100 2 90 8 30 80 28 .667 7.18 \n"
              "0003所属=試験ペンギンズ\n");
    // The lower of two unregistered places is number 1.
    EXPECT_EQ(team.value("未登録1", "0003能力"),
              "- 未登録1          右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 ");
    EXPECT_EQ(team.value("未登録2", "0003所属"), "試験ペンギンズ");
}

TEST(Conversion, IncompleteOrBrokenTeamFilesStayUnchanged) {
    TempFolder dir;
    expectConversionFailure(copyFixture(dir, "old-team-55-players.txt"), ConversionMode::Team);
    expectConversionFailure(copyFixture(dir, "old-team-non-numeric-term.txt"),
                            ConversionMode::Team);
    test::writeCp932(dir.file("short.txt"), "D 打者 右 普 ; 25 ; ; 3\n");
    expectConversionFailure(dir.file("short.txt"), ConversionMode::Unsigned);
    EXPECT_THROW(convertOldFile(dir.file("missing.txt"), ConversionMode::Team), LeagueError);
    EXPECT_EQ(test::snapshotFolder(dir.path()).size(), 3u);
}

TEST(Conversion, UnsignedPlayersGetTheFourDigitName) {
    TempFolder dir;
    std::string old = copyFixture(dir, "007期未契約選手.txt");
    std::string written = convertOldFile(old, ConversionMode::Unsigned);
    EXPECT_EQ(written, dir.file("0007期未契約選手.txt"));
    EXPECT_EQ(test::readBytes(old),
              test::readBytes(test::fixture("conversion/007期未契約選手.txt")));
    // Unregistered lines are dropped; no roster slots.
    EXPECT_EQ(test::readCp932(written),
              "[Team]\nツール=Mirel\n"
              "[引退一]\n新規=6\n最終=7\nツール=Mirel\nコメント=\n投手=1\n"
              "通算成績=引退一 試験 3.00 10 0 2 1 0 0 30 0 30 2 10 20 10 0.67 6.00 \n"
              "0006能力=P 引退一           右 先  145  A  B  C  4  D  E   8  320 \n"
              "0006資質=25 A B C D E S A \n"
              "0006成績=引退一 試験 3.00 10 0 2 1 0 0 30 0 30 2 10 20 10 .667 6.00 \n"
              "0006所属=試験ペンギンズ\n"
              "0007能力=P 引退一           右 先  145  A  B  C  4  D  E   8  320 \n"
              "0007資質=25 A B C D E S A \n0007成績=\n0007所属=\n"
              "[表十ソ能]\n新規=7\n最終=7\nツール=Mirel\nコメント=\n投手=0\n"
              "通算成績=表十ソ能 試験 0.25 10 20 5 1 0 0 2 0 0 4 0 1 0.35 0.25 \n"
              "0007能力=9 表十ソ能         右 普 A B C D E S  A  B  C  D  E  S  A 10 12  300 \n"
              "0007資質=25 A B C D E S A \n"
              "0007成績=表十ソ能 試験 .250 10 20 5 1 0 0 2 0 0 4 0 1 .300 .250 \n"
              "0007所属=\n");
}

// The four-digit file is the newer one: converting its old twin must not replace it.
TEST(Conversion, UnsignedNeverReplacesAFourDigitFile) {
    TempFolder dir;
    std::string old = copyFixture(dir, "007期未契約選手.txt");
    test::writeCp932(dir.file("0007期未契約選手.txt"),
                     "[Team]\nツール=標準\n[新しい選手]\n最終=7\n");
    auto before = test::snapshotFolder(dir.path());
    expectConversionFailure(old, ConversionMode::Unsigned);
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST(Conversion, Targets) {
    EXPECT_EQ(
        conversionTarget(test::native("/l/データ/012期未契約選手.txt"), ConversionMode::Unsigned),
        test::native("/l/データ/0012期未契約選手.txt"));
    EXPECT_EQ(conversionTarget(test::native("/l/team.txt"), ConversionMode::Team),
              test::native("/l/team.txt"));
}
