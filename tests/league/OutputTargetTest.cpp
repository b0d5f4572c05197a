// The guard of every output: league files by any spelling are refused, other
// files beside them are not.
#include "league/OutputTarget.h"
#include "league/LeagueError.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string_view>

using namespace tenvoll;

TEST(OutputTarget, RefusesLeagueFilesByAnySpellingAndAllowsOthers) {
    test::TempFolder folder;
    test::writeCp932(folder.file("Tenvoll.ini"),
                     test::lines({"[Main]", "機構名=甲", "[甲]", "チーム数=1",
                                  "チーム名0=赤,赤二軍,\\L\\red.txt", "[乙]", "チーム数=1",
                                  "チーム名0=青,青二軍,\\M\\blue.txt"}));
    test::writeCp932(folder.file("L/red.txt"), "[Team]\n");
    test::writeCp932(folder.file("M/blue.txt"), "[Team]\n");
    std::filesystem::create_directories(folder.file("L/データ"));
    // Windows gives symbolic links only to privileged users: without one, the
    // spellings through the link are left out.
    std::error_code noLink;
    std::filesystem::create_directory_symlink(folder.file("L"), folder.file("link"), noLink);
    for (const char* refused :
         {"tenvoll.ini", "L/red.txt", "L/RED.TXT", "L/データ/../red.txt", "link/red.txt",
          "L/red.tvl", "M/blue.txt", "L/seiseki.ini", "M/seiseki.ini", "L/データ/新.csv",
          "link/データ/x.csv", "L/バックアップ/0005期更新前/red.txt"}) {
        if (noLink && std::string_view(refused).starts_with("link/"))
            continue;
        try {
            checkOutputTarget(folder.path(), folder.file(refused));
            ADD_FAILURE() << refused << " was allowed";
        } catch (const LeagueError& e) {
            EXPECT_EQ(e.what(), std::string(kLeagueFileTargetMessage));
            EXPECT_EQ(e.detail(), folder.file(refused));
        }
    }
    for (const char* allowed : {"L/出力.csv", "出力.csv", "L/red.txt.csv", "データ/x.csv"})
        EXPECT_NO_THROW(checkOutputTarget(folder.path(), folder.file(allowed))) << allowed;
}
