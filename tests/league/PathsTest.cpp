// Paths: drive parts, stored relative paths, program-folder removal and
// case-insensitive resolution of files copied from Windows.
#include "league/Paths.h"
#include "league/FileAccess.h"
#include "league/Platform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::TempFolder;

TEST(Paths, DriveParts) {
    for (std::string_view p :
         {"C:\\ボルタナ\\a.txt", "c:x", "\\\\server\\share", "//server/x", "/home/a"})
        EXPECT_TRUE(hasDrivePart(p)) << p;
    for (std::string_view p : {"\\サンプルリーグ\\team01.txt", "a.txt", "", "1:\\a", "サ:\\a"})
        EXPECT_FALSE(hasDrivePart(p)) << p;
}

TEST(Paths, StoredPathsJoinTheProgramFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\サンプルリーグ\\team01.txt", "/prog/サンプルリーグ/team01.txt"},
        {"rel.txt", "/prog/rel.txt"},
        {"", ""},
        {"C:\\x\\a.txt", "C:/x/a.txt"},
        {"/abs/a.txt", "/abs/a.txt"},
    };
    for (const auto& [stored, full] : cases)
        EXPECT_EQ(joinProgramFolder("/prog", stored), test::native(full)) << stored;
}

// Only a leading program folder that ends at a separator is removed.
TEST(Paths, FullPathsWrittenBackRelative) {
    struct Case {
        std::string folder, full, stored;
    };
    const Case cases[] = {
        {"/prog", "/prog/サンプルリーグ/team01.txt", "\\サンプルリーグ\\team01.txt"},
        {"/prog", "/PROG/a.txt", "\\a.txt"},
        {"/prog/", "/prog/a.txt", "\\a.txt"},
        {"/home/ｕｓｅｒ/prog", "/home/ＵＳＥＲ/prog/L/a.txt", "\\L\\a.txt"},
        {"/prog", "/prog2/a.txt", "/prog2/a.txt"},
        {"/prog", "/other/prog/a.txt", "/other/prog/a.txt"},
        {"/prog", "/prog", "/prog"},
        {"/prog", "\\L\\a.txt", "\\L\\a.txt"},
        {"", "/a.txt", "/a.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toStoredPath(c.folder, c.full), c.stored) << c.full;
}

TEST(Paths, PartsOfAPath) {
    EXPECT_EQ(folderOf("/a/b.txt"), "/a");
    EXPECT_EQ(folderOf("\\L\\b.txt"), "\\L");
    EXPECT_EQ(folderOf("/b.txt"), "/");
    EXPECT_EQ(folderOf("b.txt"), "");
    EXPECT_EQ(fileNameOf("\\データ\\0007期未契約選手.txt"), "0007期未契約選手.txt");
    EXPECT_EQ(extensionOf("a/b.TXT"), ".TXT");
    EXPECT_EQ(extensionOf("a.b/c"), "");
    EXPECT_EQ(replaceExtension("\\L\\team.txt", ".tvl"), "\\L\\team.tvl");
    EXPECT_EQ(withoutExtension("/a/b.c.txt"), "/a/b.c");
    EXPECT_EQ(joinPath("/a", "b"), std::string("/a") + platform::kPathSeparator + "b");
    EXPECT_EQ(joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(joinPath("", "b"), "b");
}

TEST(Paths, NextSeasonCopyChangesOnlyTheExtension) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\L\\team.txt", "\\L\\team.tvl"},
        {"\\L\\team.TXT", "\\L\\team.tvl"},
        {"\\L\\Team.Txt", "\\L\\Team.tvl"},
        // A folder whose name holds ".txt" is not touched.
        {"\\old.txt\\team.txt", "\\old.txt\\team.tvl"},
        {"/a.TXT.d/b.txt/team.txt", "/a.TXT.d/b.txt/team.tvl"},
        {"\\L\\team.txt.txt", "\\L\\team.txt.tvl"},
        // Any other extension keeps the file and gets ".tvl" after it.
        {"\\L\\team.ini", "\\L\\team.ini.tvl"},
        {"\\L\\team.tvl", "\\L\\team.tvl.tvl"},
        {"\\L.txt\\team", "\\L.txt\\team.tvl"},
    };
    for (const auto& [path, copy] : cases)
        EXPECT_EQ(nextSeasonCopyPath(path), copy) << path;
}

TEST(Paths, ResolvesWrongLetterCase) {
    TempFolder dir;
    test::writeBytes(dir.file("League/Team01.txt"), "old");
    test::writeBytes(dir.file("ｔｅａｍ.txt"), "wide");
    const std::string exact = dir.file("League/Team01.txt");

    EXPECT_EQ(resolvePath(dir.path() + "/league/TEAM01.TXT"), exact);
    EXPECT_EQ(resolvePath(dir.path() + "\\LEAGUE\\team01.txt"), exact);
    EXPECT_EQ(resolvePath(dir.path() + "/ＴＥＡＭ.txt"), dir.file("ｔｅａｍ.txt"));
    EXPECT_EQ(resolvePath(dir.path() + "/league/none.txt"), dir.file("league/none.txt"));
    EXPECT_TRUE(fileExists(dir.path() + "/LEAGUE/team01.TXT"));
    EXPECT_TRUE(folderExists(dir.path() + "/league"));
    EXPECT_FALSE(fileExists(dir.path() + "/league"));
    EXPECT_EQ(readFileBytes(dir.path() + "/league/team01.txt"), "old");

    // Writing through a wrongly cased path replaces the file that is there.
    writeBytesAtomic(dir.path() + "/LEAGUE/TEAM01.TXT", "new");
    writeBytesAtomic(dir.path() + "/league/added.txt", "added");
    EXPECT_EQ(test::snapshotFolder(dir.path()),
              (std::vector<std::pair<std::string, std::string>>{{"League/Team01.txt", "new"},
                                                                {"League/added.txt", "added"},
                                                                {"ｔｅａｍ.txt", "wide"}}));
}
